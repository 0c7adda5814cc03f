// The histories and options of the find and replace dialogs, and the last
// string inserted at line heads or ends, with their stored form.
#pragma once

#include <string>
#include <vector>

#include "config/core/SettingsStore.h"

namespace search {

constexpr int kHistoryMax = 20;

// Entered texts, newest first, at most 20, never two equal ones.
class History {
public:
    // A text used: empty texts are not kept; a text equal (byte for byte) to
    // an entry leaves the list as it is; any other goes on top, and the
    // oldest beyond 20 is dropped.
    void Add(const std::string& text);
    const std::vector<std::string>& Entries() const { return entries_; }
    // Takes a list as it is (a dialog's list, or stored values): empties and
    // later duplicates are dropped, at most 20 kept.
    void Assign(const std::vector<std::string>& entries);

private:
    std::vector<std::string> entries_;
};

struct FindSettings {
    std::string latestFindText;
    bool matchCase = false;
    bool wholeWord = false;
    History history;
};

struct ReplaceSettings {
    bool matchCase = false;
    bool wholeWord = false;
    History findHistory;
    History replaceHistory;
};

constexpr char kFindSection[] = "History\\Find";
constexpr char kReplaceSection[] = "History\\Replace";
constexpr char kInsertStringName[] = "InsertString";

FindSettings ReadFindSettings(const settings::SettingsStore& store);
ReplaceSettings ReadReplaceSettings(const settings::SettingsStore& store);
std::string ReadInsertString(const settings::SettingsStore& store);
// Each section is deleted and written whole.
bool WriteFindSettings(settings::SettingsStore& store, const FindSettings& s);
bool WriteReplaceSettings(settings::SettingsStore& store, const ReplaceSettings& s);
bool WriteInsertString(settings::SettingsStore& store, const std::string& text);

}  // namespace search
