// Key bindings: one key combination per entry, bound to a command id. The
// table is what the frame translates keys with, what the menus show next to
// their items and what the settings store keeps under "AcceleratorKey".
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "config/core/MenuCommandTable.h"

namespace settings {
class SettingsStore;
}

namespace keys {

// One binding; stored as the 6 bytes of the platform's accelerator entry:
// flags, a zero byte, the 16-bit key and the 16-bit command, little-endian.
struct KeyBinding {
    std::uint8_t flags = 0;
    std::uint16_t key = 0;
    std::uint16_t command = 0;
    bool operator==(const KeyBinding& o) const {
        return flags == o.flags && key == o.key && command == o.command;
    }
};
using KeyTable = std::vector<KeyBinding>;

constexpr std::size_t kRecordSize = 6;
void ToRecord(const KeyBinding& binding, std::uint8_t out[kRecordSize]);
// Reads one stored record. A record is usable only when it is exactly 6
// bytes long, has the virtual-key flag and a key other than 0.
bool FromRecord(const std::uint8_t* bytes, std::size_t length, KeyBinding* binding);

// The built-in table: the default keys of the menu command table in table
// order, then Ctrl+Shift+n (set bookmark n) and Ctrl+n (go to bookmark n).
KeyTable BuildDefaultTable();

// The 58 keys that can be chosen, in the order of the key page's list.
struct KeyName {
    const char* name;
    std::uint16_t key;
};
constexpr std::size_t kKeyNameCount = 58;
const KeyName& KeyNameAt(std::size_t index);
// The name of a key, or null when it has none in the table.
const char* NameOfKey(std::uint16_t key);
// The index of a key name (case-insensitive), or -1.
int FindKeyName(const std::string& name);

// The first binding of a command (or of a key and modifiers), or null.
const KeyBinding* FindByCommand(const KeyTable& table, unsigned command);

// "Ctrl+", "Alt+", "Shift+" as the flags say, then the key's name.
std::string BindingText(const KeyBinding& binding);
// The text of the command's first binding, with "\t" first when asked (for
// menus); empty when the command has no binding.
std::string KeyText(unsigned command, const KeyTable& table, bool withTab);

// The description of a command: its prompt (the string-table text before
// its last line break), a registered tag's comment, or the bookmark texts.
using TextLookup = std::function<std::string(unsigned id)>;
std::string CommandDescription(unsigned command, const TextLookup& stringTable, const TextLookup& tagComment);

// The nine choices of the keyboard help window.
struct HelpChoice {
    const char* label;
    const char* prefix;
    std::uint8_t modifiers;
};
constexpr std::size_t kHelpChoiceCount = 9;
const HelpChoice& HelpChoiceAt(std::size_t index);
// Choices 1-8: every key name with the choice's prefix that no binding with
// exactly these modifiers uses.
std::vector<std::string> FreeKeys(const KeyTable& table, std::size_t choice);

// Stored form, section "AcceleratorKey": "Count" (-1 or missing: the
// built-in table; 0: no keys) and "acl0".."acl<Count-1>".
constexpr char kSection[] = "AcceleratorKey";
// Reads more than this many records from no store: a larger Count is damage.
constexpr int kMaxStoredCount = 2048;
KeyTable LoadKeyTable(const settings::SettingsStore& store);
void SaveKeyTable(settings::SettingsStore& store, const KeyTable& table);

}  // namespace keys
