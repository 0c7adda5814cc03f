#include "search/core/SearchHistory.h"

#include <algorithm>

namespace search {

void History::Add(const std::string& text) {
    if (text.empty()) return;
    if (std::find(entries_.begin(), entries_.end(), text) != entries_.end()) return;
    entries_.insert(entries_.begin(), text);
    if (entries_.size() > static_cast<std::size_t>(kHistoryMax)) entries_.resize(kHistoryMax);
}

void History::Assign(const std::vector<std::string>& entries) {
    entries_.clear();
    for (const std::string& e : entries) {
        if (entries_.size() == static_cast<std::size_t>(kHistoryMax)) break;
        if (e.empty() || std::find(entries_.begin(), entries_.end(), e) != entries_.end()) continue;
        entries_.push_back(e);
    }
}

namespace {

History ReadHistory(const settings::SettingsStore& store, const std::string& section, const std::string& base,
                    const std::string& countName) {
    History h;
    h.Assign(settings::ReadStringList(store, section, base, kHistoryMax, countName));
    return h;
}

bool WriteHistory(settings::SettingsStore& store, const std::string& section, const std::string& base,
                  const std::string& countName, const History& h) {
    const std::vector<std::string>& e = h.Entries();
    bool ok = store.WriteSettingInt(section, countName, static_cast<std::int32_t>(e.size()));
    for (std::size_t i = 0; i < e.size(); ++i)
        ok = store.WriteSettingString(section, settings::IndexedName(base, static_cast<int>(i)), e[i]) && ok;
    return ok;
}

}  // namespace

FindSettings ReadFindSettings(const settings::SettingsStore& store) {
    FindSettings s;
    s.latestFindText = store.ReadSettingString(kFindSection, "LatestFindText", "");
    s.matchCase = settings::ReadSettingFlag(store, kFindSection, "Match", 0) != 0;
    s.wholeWord = settings::ReadSettingFlag(store, kFindSection, "Word", 0) != 0;
    s.history = ReadHistory(store, kFindSection, "FindString", "Count");
    return s;
}

ReplaceSettings ReadReplaceSettings(const settings::SettingsStore& store) {
    ReplaceSettings s;
    s.matchCase = settings::ReadSettingFlag(store, kReplaceSection, "Match", 0) != 0;
    s.wholeWord = settings::ReadSettingFlag(store, kReplaceSection, "Word", 0) != 0;
    s.findHistory = ReadHistory(store, kReplaceSection, "FindString", "FindCount");
    s.replaceHistory = ReadHistory(store, kReplaceSection, "ReplaceString", "ReplaceCount");
    return s;
}

std::string ReadInsertString(const settings::SettingsStore& store) {
    return store.ReadSettingString(settings::kMainSection, kInsertStringName, "");
}

bool WriteFindSettings(settings::SettingsStore& store, const FindSettings& s) {
    store.DeleteSettingSection(kFindSection);
    bool ok = store.WriteSettingString(kFindSection, "LatestFindText", s.latestFindText);
    ok = store.WriteSettingInt(kFindSection, "Match", s.matchCase ? 1 : 0) && ok;
    ok = store.WriteSettingInt(kFindSection, "Word", s.wholeWord ? 1 : 0) && ok;
    return WriteHistory(store, kFindSection, "FindString", "Count", s.history) && ok;
}

bool WriteReplaceSettings(settings::SettingsStore& store, const ReplaceSettings& s) {
    store.DeleteSettingSection(kReplaceSection);
    bool ok = store.WriteSettingInt(kReplaceSection, "Match", s.matchCase ? 1 : 0);
    ok = store.WriteSettingInt(kReplaceSection, "Word", s.wholeWord ? 1 : 0) && ok;
    ok = WriteHistory(store, kReplaceSection, "FindString", "FindCount", s.findHistory) && ok;
    return WriteHistory(store, kReplaceSection, "ReplaceString", "ReplaceCount", s.replaceHistory) && ok;
}

bool WriteInsertString(settings::SettingsStore& store, const std::string& text) {
    return store.WriteSettingString(settings::kMainSection, kInsertStringName, text);
}

}  // namespace search
