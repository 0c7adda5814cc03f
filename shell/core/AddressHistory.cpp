#include "shell/core/AddressHistory.h"

#include "config/core/SettingsStore.h"
#include "framework/core/PathUtil.h"

namespace shell {

constexpr std::size_t AddressHistory::kMaxEntries;
constexpr char AddressHistory::kSection[];

int AddressHistory::Find(const std::string& path) const {
    for (std::size_t i = 0; i < m_paths.size(); ++i) {
        if (pathutil::EqualNoCase(m_paths[i], path)) return static_cast<int>(i);
    }
    return -1;
}

AddressHistory::ShowResult AddressHistory::ShowPath(const std::string& path) {
    ShowResult r;
    if (path.empty()) return r;
    const int found = Find(path);
    if (found >= 0) {
        r.selected = found;
        return r;
    }
    if (m_paths.size() >= kMaxEntries) {
        m_paths.resize(kMaxEntries - 1);
        r.removedLast = true;
    }
    m_paths.insert(m_paths.begin(), path);
    r.inserted = true;
    r.selected = 0;
    return r;
}

bool AddressHistory::Remove(std::size_t index) {
    if (index >= m_paths.size()) return false;
    m_paths.erase(m_paths.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

void AddressHistory::Load(const settings::SettingsStore& store) {
    m_paths.clear();
    for (const std::string& path :
         settings::ReadStringList(store, kSection, "Path", static_cast<std::int32_t>(kMaxEntries))) {
        // Empty or repeated entries of an edited list are dropped.
        if (!path.empty() && Find(path) < 0) m_paths.push_back(path);
    }
}

void AddressHistory::Save(settings::SettingsStore& store) const {
    settings::WriteStringList(store, kSection, "Path", m_paths);
}

}  // namespace shell
