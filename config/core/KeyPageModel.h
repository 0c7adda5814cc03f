// The model of the keyboard page: categories of commands, each command with
// at most one binding, edited by the page and turned back into a key table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "config/core/KeyTable.h"

namespace keys {

struct KeyPageEntry {
    std::string name;
    std::uint8_t flags = 0;  // 0 and key 0: no key
    std::uint16_t key = 0;
    std::uint16_t command = 0;
    bool HasKey() const { return key != 0; }
};

struct KeyPageCategory {
    std::string name;
    std::vector<KeyPageEntry> entries;
};

struct EntryRef {
    std::size_t category = 0;
    std::size_t entry = 0;
};

// A menu text cut before its last "(": "ファイル(&F)" gives "ファイル", and
// "開く(&O)\tCtrl+O" gives "開く".
std::string NameBeforeLastParen(const std::string& text);

// Flags made from the page's boxes: 0x03 plus Alt 0x10, Shift 0x04, Control 0x08.
std::uint8_t FlagsFromBoxes(bool control, bool alt, bool shift);

class KeyPageModel {
public:
    std::vector<KeyPageCategory> categories;

    // Adds a category named by its menu text (cut before the last "(").
    KeyPageCategory& AddCategory(const std::string& menuText);
    // Adds a command named by its menu text; its binding is the table's
    // first binding for it.
    void AddCommand(KeyPageCategory& category, const std::string& menuText, unsigned command,
                    const KeyTable& table);
    // Keeps the bindings of `table` whose command is not on the page (the
    // bookmark keys, registered tags' keys): called once the commands are
    // added. They are not shown, and come back unchanged from BuildTable.
    void KeepOtherBindings(const KeyTable& table);

    KeyPageEntry* Entry(const EntryRef& ref);
    const KeyPageEntry* Entry(const EntryRef& ref) const;

    // True when the chosen key (0 for "（未登録）") and flags differ from the
    // entry's binding: the assign button is enabled then.
    bool Differs(const EntryRef& ref, std::uint8_t flags, std::uint16_t key) const;
    // The first other command that holds this key with these modifiers.
    bool FindHolder(std::uint8_t flags, std::uint16_t key, const EntryRef& except, EntryRef* holder) const;
    // Gives the entry the key (key 0 removes its key); a holder found before
    // loses it when `holder` is given.
    void Assign(const EntryRef& ref, std::uint8_t flags, std::uint16_t key, const EntryRef* holder = nullptr);
    // Every command takes its first binding of the built-in table, or none;
    // the commands not on the page take the built-in table's bindings too.
    // False (and nothing changed) when the built-in table is empty.
    bool Reset(const KeyTable& builtIn);
    // The table of the page: categories and commands in page order, only
    // commands with a key; then the kept bindings of commands not on the
    // page, except those whose key a page command now holds.
    KeyTable BuildTable() const;

private:
    bool OnPage(unsigned command) const;
    KeyTable m_other;
};

// The question asked before a key is taken from another command.
std::string ConflictQuestion(bool control, bool alt, bool shift, const std::string& keyName,
                             const std::string& holderName, const std::string& targetName);

}  // namespace keys
