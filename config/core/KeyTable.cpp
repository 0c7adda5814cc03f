#include "config/core/KeyTable.h"

#include <cstdio>

#include "config/core/SettingsStore.h"
#include "framework/core/PromptText.h"
#include "framework/core/Sjis.h"

namespace keys {

void ToRecord(const KeyBinding& b, std::uint8_t out[kRecordSize]) {
    out[0] = b.flags;
    out[1] = 0;
    out[2] = static_cast<std::uint8_t>(b.key & 0xFF);
    out[3] = static_cast<std::uint8_t>(b.key >> 8);
    out[4] = static_cast<std::uint8_t>(b.command & 0xFF);
    out[5] = static_cast<std::uint8_t>(b.command >> 8);
}

bool FromRecord(const std::uint8_t* bytes, std::size_t length, KeyBinding* binding) {
    if (!bytes || length != kRecordSize) return false;
    KeyBinding b;
    b.flags = bytes[0];
    b.key = static_cast<std::uint16_t>(bytes[2] | (bytes[3] << 8));
    b.command = static_cast<std::uint16_t>(bytes[4] | (bytes[5] << 8));
    if (!(b.flags & commands::kVirtKey) || b.key == 0) return false;
    *binding = b;
    return true;
}

KeyTable BuildDefaultTable() {
    KeyTable table;
    for (std::size_t c = 0; c < commands::kCategoryCount; ++c) {
        const commands::MenuCategoryDef& cat = commands::Category(c);
        for (std::size_t i = 0; i < cat.count; ++i) {
            const commands::MenuItemDef& item = cat.items[i];
            if (commands::IsSeparator(item) || commands::OpensSubmenu(item) || item.keyFlags == 0) continue;
            table.push_back(KeyBinding{item.keyFlags, item.key, item.command});
        }
    }
    for (unsigned n = 0; n <= 9; ++n) {
        const auto digit = static_cast<std::uint16_t>(0x30 + n);
        table.push_back(KeyBinding{commands::kCtrlShiftKey, digit,
                                   static_cast<std::uint16_t>(commands::kFirstSetBookmark + n)});
        table.push_back(KeyBinding{commands::kCtrlKey, digit,
                                   static_cast<std::uint16_t>(commands::kFirstGoBookmark + n)});
    }
    return table;
}

namespace {

const KeyName kKeyNames[kKeyNameCount] = {
    {"F1", 0x70}, {"F2", 0x71}, {"F3", 0x72}, {"F4", 0x73}, {"F5", 0x74}, {"F6", 0x75},
    {"F7", 0x76}, {"F8", 0x77}, {"F9", 0x78}, {"F10", 0x79}, {"F11", 0x7A}, {"F12", 0x7B},
    {"A", 'A'}, {"B", 'B'}, {"C", 'C'}, {"D", 'D'}, {"E", 'E'}, {"F", 'F'}, {"G", 'G'},
    {"H", 'H'}, {"I", 'I'}, {"J", 'J'}, {"K", 'K'}, {"L", 'L'}, {"M", 'M'}, {"N", 'N'},
    {"O", 'O'}, {"P", 'P'}, {"Q", 'Q'}, {"R", 'R'}, {"S", 'S'}, {"T", 'T'}, {"U", 'U'},
    {"V", 'V'}, {"W", 'W'}, {"X", 'X'}, {"Y", 'Y'}, {"Z", 'Z'},
    {"Del", 0x2E}, {"Up", 0x26}, {"Down", 0x28}, {"Left", 0x25}, {"Right", 0x27},
    {"Enter", 0x0D}, {"Space", 0x20}, {"TAB", 0x09}, {"PageDown", 0x22}, {"PageUp", 0x21},
    {"0", '0'}, {"1", '1'}, {"2", '2'}, {"3", '3'}, {"4", '4'},
    {"5", '5'}, {"6", '6'}, {"7", '7'}, {"8", '8'}, {"9", '9'},
};

const HelpChoice kHelpChoices[kHelpChoiceCount] = {
    {"登録されているキー", "", 0},
    {"未登録キー  修飾子なし", "", 0},
    {"未登録キー  修飾子(Ctrl)", "Ctrl+", 0x08},
    {"未登録キー  修飾子(Ctrl+Alt)", "Ctrl+Alt+", 0x18},
    {"未登録キー  修飾子(Ctrl+Shift)", "Ctrl+Shift+", 0x0C},
    {"未登録キー  修飾子(Ctrl+Alt+Shift)", "Ctrl+Alt+Shift+", 0x1C},
    {"未登録キー  修飾子(Alt)", "Alt+", 0x10},
    {"未登録キー  修飾子(Alt+Shift)", "Alt+Shift+", 0x14},
    {"未登録キー  修飾子(Shift)", "Shift+", 0x04},
};

std::string Format(const char* format, int n) {
    char buf[128];
    std::snprintf(buf, sizeof buf, format, n);
    return buf;
}

}  // namespace

const KeyName& KeyNameAt(std::size_t index) { return kKeyNames[index < kKeyNameCount ? index : 0]; }

const char* NameOfKey(std::uint16_t key) {
    for (const KeyName& k : kKeyNames) {
        if (k.key == key) return k.name;
    }
    return nullptr;
}

int FindKeyName(const std::string& name) {
    const std::string upper = sjis::ToUpperAscii(name);
    for (std::size_t i = 0; i < kKeyNameCount; ++i) {
        if (sjis::ToUpperAscii(kKeyNames[i].name) == upper) return static_cast<int>(i);
    }
    return -1;
}

const KeyBinding* FindByCommand(const KeyTable& table, unsigned command) {
    for (const KeyBinding& b : table) {
        if (b.command == command) return &b;
    }
    return nullptr;
}

std::string BindingText(const KeyBinding& b) {
    std::string text;
    if (b.flags & commands::kControl) text += "Ctrl+";
    if (b.flags & commands::kAlt) text += "Alt+";
    if (b.flags & commands::kShift) text += "Shift+";
    if (const char* name = NameOfKey(b.key)) {
        text += name;
    } else if (b.key > 0x20 && b.key < 0x7F) {
        text += static_cast<char>(b.key);
    } else {
        // A key of a stored table that has neither a name nor a printable
        // character (a lone byte would break a Shift JIS menu text).
        char buf[16];
        std::snprintf(buf, sizeof buf, "0x%02X", static_cast<unsigned>(b.key));
        text += buf;
    }
    return text;
}

std::string KeyText(unsigned command, const KeyTable& table, bool withTab) {
    const KeyBinding* b = FindByCommand(table, command);
    if (!b) return std::string();
    return (withTab ? "\t" : "") + BindingText(*b);
}

std::string CommandDescription(unsigned command, const TextLookup& stringTable, const TextLookup& tagComment) {
    if (commands::IsTagCommand(command)) return tagComment ? tagComment(command) : std::string();
    if (command >= commands::kFirstSetBookmark && command < commands::kFirstSetBookmark + 10)
        return Format("ブックマーク%dを設定します。", static_cast<int>(command - commands::kFirstSetBookmark));
    if (command >= commands::kFirstGoBookmark && command < commands::kFirstGoBookmark + 10)
        return Format("ブックマーク%dへ移動します。", static_cast<int>(command - commands::kFirstGoBookmark));
    if (command == commands::kDeleteBookmarks) return "ブックマークをすべて削除します。";
    if (!stringTable) return std::string();
    return prompt::PromptPart(stringTable(command));
}

const HelpChoice& HelpChoiceAt(std::size_t index) {
    return kHelpChoices[index < kHelpChoiceCount ? index : 0];
}

std::vector<std::string> FreeKeys(const KeyTable& table, std::size_t choice) {
    std::vector<std::string> free;
    if (choice == 0 || choice >= kHelpChoiceCount) return free;
    const HelpChoice& c = kHelpChoices[choice];
    for (const KeyName& k : kKeyNames) {
        const std::string text = std::string(c.prefix) + k.name;
        const std::string upper = sjis::ToUpperAscii(text);
        bool used = false;
        for (const KeyBinding& b : table) {
            if ((b.flags & commands::kModifierMask) == c.modifiers &&
                sjis::ToUpperAscii(BindingText(b)) == upper) {
                used = true;
                break;
            }
        }
        if (!used) free.push_back(text);
    }
    return free;
}

KeyTable LoadKeyTable(const settings::SettingsStore& store) {
    int count = store.ReadSettingInt(kSection, "Count", -1);
    if (count == -1) return BuildDefaultTable();
    KeyTable table;
    if (count <= 0) return table;
    if (count > kMaxStoredCount) count = kMaxStoredCount;
    for (int i = 0; i < count; ++i) {
        std::uint8_t bytes[kRecordSize] = {};
        std::size_t length = sizeof bytes;
        KeyBinding b;
        if (store.ReadSettingBinary(kSection, settings::IndexedName("acl", i), bytes, &length) &&
            FromRecord(bytes, length, &b))
            table.push_back(b);
    }
    return table;
}

void SaveKeyTable(settings::SettingsStore& store, const KeyTable& table) {
    store.DeleteSettingSection(kSection);
    for (std::size_t i = 0; i < table.size(); ++i) {
        std::uint8_t bytes[kRecordSize];
        ToRecord(table[i], bytes);
        store.WriteSettingBinary(kSection, settings::IndexedName("acl", static_cast<int>(i)), bytes, sizeof bytes);
    }
    store.WriteSettingInt(kSection, "Count", static_cast<std::int32_t>(table.size()));
}

}  // namespace keys
