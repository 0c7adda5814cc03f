#include "config/core/RClickMenus.h"

#include <utility>

#include "config/core/KeyPageModel.h"
#include "config/core/MenuCommandTable.h"
#include "config/core/SettingsStore.h"

namespace rclick {

namespace {

constexpr char kParent[] = "RClickMenu";
constexpr char kKindBase[] = "Kind";

const char* const kKindNames[kKindCount] = {"切り替えタブ", "編集エディタ(選択なし時)", "編集エディタ(選択あり時)"};

struct BuiltIn {
    const char* name;
    std::int32_t command;
};
#define SEP {"-", 0}
const BuiltIn kTab[] = {{"内部ブラウザ(&B)", 32803}, {"閉じる(&C)", 32780}};
const BuiltIn kEditor[] = {
    {"元に戻す(&U)", 32771}, {"やり直し(&R)", 32772}, SEP, {"貼り付け(&P)", 32775}, {"すべて選択(&L)", 40027}, SEP,
    {"Internet Explorer(&I)", 40046}, {"Netscape(&N)", 40047}, {"指定ブラウザ(&V)", 40045}, {"内部ブラウザ(&B)", 32803},
};
const BuiltIn kSelection[] = {
    {"切り取り(&T)", 32773}, {"コピー(&C)", 32774}, {"貼り付け(&P)", 32775}, {"削除(&D)", 40011}, SEP,
    {"行頭末に文字列を挿入(&F)", 40064}, SEP, {"小文字変換(&L)", 40033}, {"大文字変換(&U)", 40032}, SEP,
    {"TABを空白に変換(&S)", 40063}, {"半角カナを全角カナに変換(&H)", 32829}, SEP,
    {"Internet Explorer(&I)", 40046}, {"Netscape(&N)", 40047}, {"指定ブラウザ(&V)", 40045}, {"内部ブラウザ(&B)", 32803},
};
#undef SEP

template <std::size_t N>
MenuList ListOf(const BuiltIn (&items)[N]) {
    MenuList list;
    for (const BuiltIn& b : items) list.push_back(MenuEntry{b.name, b.command});
    return list;
}

std::string KindSection(int kind) { return settings::SubSectionName(kParent, kKindBase, kind); }

}  // namespace

MenuEntry Separator() { return MenuEntry{"-", 0}; }

const char* KindName(int kind) { return kKindNames[kind >= 0 && kind < kKindCount ? kind : 0]; }

MenuList BuiltInList(int kind) {
    switch (kind) {
    case kTabMenu: return ListOf(kTab);
    case kEditorMenu: return ListOf(kEditor);
    case kEditorSelectionMenu: return ListOf(kSelection);
    default: return MenuList();
    }
}

MenuLists LoadMenus(const settings::SettingsStore& store) {
    MenuLists lists;
    for (int k = 0; k < kKindCount; ++k) {
        const std::string section = KindSection(k);
        const std::int32_t count =
            settings::ReadListCount(store, section, kMaxEntries, settings::ListDefault::BuiltIn);
        if (count == settings::kCountNeverStored) {
            lists[k] = BuiltInList(k);
            continue;
        }
        for (int i = 0; i < count; ++i) {
            MenuEntry e;
            e.name = store.ReadSettingString(section, settings::IndexedName("Name", i), "-");
            e.command = store.ReadSettingInt(section, settings::IndexedName("CmdId", i), 0);
            lists[k].push_back(std::move(e));
        }
    }
    return lists;
}

void SaveMenus(settings::SettingsStore& store, const MenuLists& lists) {
    for (int k = 0; k < kKindCount; ++k) {
        const MenuList& list = lists[k];
        settings::WriteList(store, KindSection(k), static_cast<std::int32_t>(list.size()), [&](int i) {
            const bool name = store.WriteSettingString(KindSection(k), settings::IndexedName("Name", i), list[i].name);
            return store.WriteSettingInt(KindSection(k), settings::IndexedName("CmdId", i), list[i].command) && name;
        });
    }
}

std::string ResetQuestion(int kind) {
    return std::string("[") + KindName(kind) + "]メニューをリセットしてもよろしいですか？";
}

std::string EntryText(const MenuEntry& entry) {
    if (entry.IsSeparator()) return std::string(32, '-');
    return keys::NameBeforeLastParen(entry.name);
}

// --- The page's model -----------------------------------------------------

RcmenuPageModel::RcmenuPageModel(std::vector<Row> rows, const MenuLists& lists)
    : m_rows(std::move(rows)), m_lists(lists) {
    ShowKind(0);
}

std::vector<RcmenuPageModel::Row> RcmenuPageModel::TableRows() {
    std::vector<Row> rows;
    for (std::size_t c = 0; c < commands::kMenuBarCategoryCount; ++c) {
        const commands::MenuCategoryDef& cat = commands::Category(c);
        for (std::size_t i = 0; i < cat.count; ++i) {
            const commands::MenuItemDef& item = cat.items[i];
            if (commands::IsSeparator(item) || item.command < 10) continue;
            rows.push_back(Row{item.label, item.command});
        }
    }
    return rows;
}

void RcmenuPageModel::ShowKind(int kind) {
    m_kind = kind >= 0 && kind < kKindCount ? kind : 0;
    m_selection = List().empty() ? -1 : 0;
}

void RcmenuPageModel::Select(int entry) {
    m_selection = entry >= 0 && entry < static_cast<int>(List().size()) ? entry : -1;
}

bool RcmenuPageModel::RowChecked(std::size_t row) const {
    if (row >= m_rows.size()) return false;
    for (const MenuEntry& e : List()) {
        if (!e.IsSeparator() && e.command == m_rows[row].command) return true;
    }
    return false;
}

void RcmenuPageModel::Insert(const MenuEntry& entry) {
    MenuList& list = m_lists[m_kind];
    const int at = m_selection < 0 ? static_cast<int>(list.size()) : m_selection;
    list.insert(list.begin() + at, entry);
    m_selection = at;
}

void RcmenuPageModel::Check(std::size_t row) {
    if (row < m_rows.size()) Insert(MenuEntry{m_rows[row].label, m_rows[row].command});
}

void RcmenuPageModel::Uncheck(std::size_t row) {
    if (row >= m_rows.size()) return;
    MenuList& list = m_lists[m_kind];
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].IsSeparator() || list[i].command != m_rows[row].command) continue;
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
        if (m_selection >= static_cast<int>(list.size())) m_selection = static_cast<int>(list.size()) - 1;
        return;
    }
}

void RcmenuPageModel::InsertSeparator() { Insert(Separator()); }

void RcmenuPageModel::DeleteSelected() {
    MenuList& list = m_lists[m_kind];
    if (m_selection < 0 || m_selection >= static_cast<int>(list.size())) return;
    list.erase(list.begin() + m_selection);
    if (m_selection >= static_cast<int>(list.size())) m_selection = static_cast<int>(list.size()) - 1;
}

void RcmenuPageModel::MoveUp() {
    MenuList& list = m_lists[m_kind];
    if (m_selection <= 0 || m_selection >= static_cast<int>(list.size())) return;
    std::swap(list[m_selection], list[m_selection - 1]);
    --m_selection;
}

void RcmenuPageModel::MoveDown() {
    MenuList& list = m_lists[m_kind];
    if (m_selection < 0 || m_selection + 1 >= static_cast<int>(list.size())) return;
    std::swap(list[m_selection], list[m_selection + 1]);
    ++m_selection;
}

void RcmenuPageModel::Reset() {
    m_lists[m_kind] = BuiltInList(m_kind);
    ShowKind(m_kind);
}

}  // namespace rclick
