// The menu command table: the program's command vocabulary. Seven categories,
// each an ordered list of items with a label, a default key and a command id.
// The first six categories are the menus of the menu bar; the seventh holds
// commands that only keys reach. The Win32 layer builds the menus from this
// table and binds a handler to each command id.
#pragma once

#include <cstddef>
#include <cstdint>

namespace commands {

// Key flags of a binding (the platform's accelerator flags).
constexpr std::uint8_t kVirtKey = 0x01;
constexpr std::uint8_t kNoInvert = 0x02;
constexpr std::uint8_t kShift = 0x04;
constexpr std::uint8_t kControl = 0x08;
constexpr std::uint8_t kAlt = 0x10;
constexpr std::uint8_t kModifierMask = kShift | kControl | kAlt;
// Flags of the default keys.
constexpr std::uint8_t kPlainKey = kVirtKey | kNoInvert;          // 0x03
constexpr std::uint8_t kCtrlKey = kPlainKey | kControl;            // 0x0B
constexpr std::uint8_t kShiftKey = kPlainKey | kShift;             // 0x07
constexpr std::uint8_t kCtrlShiftKey = kCtrlKey | kShift;          // 0x0F
constexpr std::uint8_t kAltKey = kPlainKey | kAlt;                 // 0x13

// Registered tags (10000 + 100 x file + tag) and bookmarks.
constexpr unsigned kFirstTagCommand = 10000;
constexpr unsigned kLastTagCommand = 19999;
constexpr unsigned kFirstSetBookmark = 25000;   // set bookmark 0-9
constexpr unsigned kFirstGoBookmark = 25010;    // go to bookmark 0-9
constexpr unsigned kDeleteBookmarks = 25020;
inline bool IsTagCommand(unsigned id) { return id >= kFirstTagCommand && id <= kLastTagCommand; }

struct MenuItemDef {
    const char* label;        // "-" for a separator
    std::uint8_t keyFlags;    // default binding, 0 for none
    std::uint16_t key;        // virtual key of the default binding
    std::uint16_t command;    // below 10: a submenu of the next `command` items
};

struct MenuCategoryDef {
    const char* label;
    const MenuItemDef* items;
    std::size_t count;
};

constexpr std::size_t kCategoryCount = 7;
constexpr std::size_t kMenuBarCategoryCount = 6;
constexpr std::size_t kRegisteredTagsCategory = 3;  // "登録タグ(&R)": filled at run time
constexpr std::size_t kKeysOnlyCategory = 6;        // "メニュー以外(&E)"

const MenuCategoryDef& Category(std::size_t index);

inline bool IsSeparator(const MenuItemDef& item) {
    return item.label[0] == '-' && item.label[1] == '\0';
}
// True for an item that opens a submenu made of the next `command` items.
inline bool OpensSubmenu(const MenuItemDef& item) { return !IsSeparator(item) && item.command < 10; }

// The item of a command (first found), or null.
const MenuItemDef* FindItem(unsigned command);

// Every command id of the table, in table order (no separators, no submenus).
std::size_t CommandCount();
unsigned CommandAt(std::size_t index);

}  // namespace commands
