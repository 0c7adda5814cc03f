// Bookmarks: ten numbered slots shared by all documents, each a file and a
// 0-based line. Stored in section "BookMark" as "Path<n>" and "Line<n>";
// unset slots (empty path) leave no values. Also the texts of the two
// bookmark submenus of the File menu.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace settings {
class SettingsStore;
}

namespace bookmarks {

constexpr int kSlotCount = 10;
extern const char kSection[];

struct Bookmark {
    std::string path;       // empty: the slot is unset
    std::int32_t line = 0;  // 0-based
    bool IsSet() const { return !path.empty(); }
};

using BookmarkTable = std::array<Bookmark, kSlotCount>;

// A stored negative line reads as 0.
BookmarkTable LoadBookmarks(const settings::SettingsStore& store);
// Deletes the section, then writes only the set slots.
void SaveBookmarks(settings::SettingsStore& store, const BookmarkTable& table);

// The text of slot n in the set submenu (setMenu) or the go submenu:
// "<path>：<line + 1>行目(&n)" for a set slot, else "（未設定）(&n)" or
// "（移動不可）(&n)", then keyText (the key text with its tab, may be
// empty). An "&" of the path is doubled so that it shows as itself.
std::string MenuText(const Bookmark& slot, int n, bool setMenu, const std::string& keyText);

// Doubles every "&" of a Shift JIS text (a menu label shows it as itself).
std::string EscapeMenuAmpersands(const std::string& text);

// The messages of the bookmark commands.
extern const char kNeverSavedMessage[];
extern const char kNotSetMessage[];
extern const char kDeleteAllQuestion[];
extern const char kDeleteAllLabel[];

}  // namespace bookmarks
