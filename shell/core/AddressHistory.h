// The address bar's list of recently shown files: at most 20 paths, most
// recently shown first, compared without regard to letter case. Stored under
// "History\File" as "Count" and "Path0".."Path<n-1>".
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace settings {
class SettingsStore;
}

namespace shell {

class AddressHistory {
public:
    static constexpr std::size_t kMaxEntries = 20;
    static constexpr char kSection[] = "History\\File";

    // What ShowPath did, so a list control can follow it.
    struct ShowResult {
        int selected = -1;        // index now selected, -1 for none
        bool inserted = false;    // the path was inserted at index 0
        bool removedLast = false; // the last entry was removed first
    };

    // An empty path clears the selection; a known path is selected where it
    // is; a new path goes to the top, pushing the oldest out when full.
    ShowResult ShowPath(const std::string& path);
    bool Remove(std::size_t index);
    int Find(const std::string& path) const;

    const std::vector<std::string>& Paths() const { return m_paths; }

    void Load(const settings::SettingsStore& store);
    void Save(settings::SettingsStore& store) const;

private:
    std::vector<std::string> m_paths;
};

}  // namespace shell
