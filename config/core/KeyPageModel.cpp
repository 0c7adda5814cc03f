#include "config/core/KeyPageModel.h"

#include "framework/core/Sjis.h"

namespace keys {

std::string NameBeforeLastParen(const std::string& text) {
    const std::size_t paren = sjis::FindLastChar(text, '(');
    return paren == sjis::npos ? text : text.substr(0, paren);
}

std::uint8_t FlagsFromBoxes(bool control, bool alt, bool shift) {
    std::uint8_t f = commands::kPlainKey;
    if (alt) f |= commands::kAlt;
    if (shift) f |= commands::kShift;
    if (control) f |= commands::kControl;
    return f;
}

KeyPageCategory& KeyPageModel::AddCategory(const std::string& menuText) {
    categories.push_back(KeyPageCategory{NameBeforeLastParen(menuText), {}});
    return categories.back();
}

void KeyPageModel::AddCommand(KeyPageCategory& category, const std::string& menuText, unsigned command,
                              const KeyTable& table) {
    KeyPageEntry e;
    e.name = NameBeforeLastParen(menuText);
    e.command = static_cast<std::uint16_t>(command);
    if (const KeyBinding* b = FindByCommand(table, command)) {
        e.flags = b->flags;
        e.key = b->key;
    }
    category.entries.push_back(e);
}

bool KeyPageModel::OnPage(unsigned command) const {
    for (const KeyPageCategory& cat : categories) {
        for (const KeyPageEntry& e : cat.entries) {
            if (e.command == command) return true;
        }
    }
    return false;
}

void KeyPageModel::KeepOtherBindings(const KeyTable& table) {
    m_other.clear();
    for (const KeyBinding& b : table) {
        if (!OnPage(b.command)) m_other.push_back(b);
    }
}

KeyPageEntry* KeyPageModel::Entry(const EntryRef& ref) {
    if (ref.category >= categories.size() || ref.entry >= categories[ref.category].entries.size()) return nullptr;
    return &categories[ref.category].entries[ref.entry];
}

const KeyPageEntry* KeyPageModel::Entry(const EntryRef& ref) const {
    return const_cast<KeyPageModel*>(this)->Entry(ref);
}

bool KeyPageModel::Differs(const EntryRef& ref, std::uint8_t flags, std::uint16_t key) const {
    const KeyPageEntry* e = Entry(ref);
    if (!e) return false;
    if (key == 0) return e->HasKey();
    return !e->HasKey() || e->key != key ||
           (e->flags & commands::kModifierMask) != (flags & commands::kModifierMask);
}

bool KeyPageModel::FindHolder(std::uint8_t flags, std::uint16_t key, const EntryRef& except,
                              EntryRef* holder) const {
    if (key == 0) return false;
    const KeyPageEntry* self = Entry(except);
    for (std::size_t c = 0; c < categories.size(); ++c) {
        for (std::size_t i = 0; i < categories[c].entries.size(); ++i) {
            const KeyPageEntry& e = categories[c].entries[i];
            if (self && e.command == self->command) continue;
            if (e.key == key && (e.flags & commands::kModifierMask) == (flags & commands::kModifierMask)) {
                if (holder) *holder = EntryRef{c, i};
                return true;
            }
        }
    }
    return false;
}

void KeyPageModel::Assign(const EntryRef& ref, std::uint8_t flags, std::uint16_t key, const EntryRef* holder) {
    KeyPageEntry* e = Entry(ref);
    if (!e) return;
    if (holder) {
        if (KeyPageEntry* h = Entry(*holder)) {
            h->flags = 0;
            h->key = 0;
        }
    }
    e->key = key;
    e->flags = key ? flags : 0;
}

bool KeyPageModel::Reset(const KeyTable& builtIn) {
    if (builtIn.empty()) return false;
    for (KeyPageCategory& cat : categories) {
        for (KeyPageEntry& e : cat.entries) {
            const KeyBinding* b = FindByCommand(builtIn, e.command);
            e.flags = b ? b->flags : 0;
            e.key = b ? b->key : 0;
        }
    }
    KeepOtherBindings(builtIn);
    return true;
}

KeyTable KeyPageModel::BuildTable() const {
    KeyTable table;
    for (const KeyPageCategory& cat : categories) {
        for (const KeyPageEntry& e : cat.entries) {
            if (e.HasKey()) table.push_back(KeyBinding{e.flags, e.key, e.command});
        }
    }
    const std::size_t pageCount = table.size();
    for (const KeyBinding& b : m_other) {
        bool taken = false;
        for (std::size_t i = 0; i < pageCount && !taken; ++i) {
            taken = table[i].key == b.key &&
                    (table[i].flags & commands::kModifierMask) == (b.flags & commands::kModifierMask);
        }
        if (!taken) table.push_back(b);
    }
    return table;
}

std::string ConflictQuestion(bool control, bool alt, bool shift, const std::string& keyName,
                             const std::string& holderName, const std::string& targetName) {
    std::string text;
    if (control) text += "Ctrl+";
    if (alt) text += "Alt+";
    if (shift) text += "Shift+";
    text += keyName;
    text += "は '";
    text += holderName;
    text += "' で使用されていますが\n'";
    text += targetName;
    text += "' に変更してもよろしいですか？";
    return text;
}

}  // namespace keys
