// Right-click menus: three user-defined lists of commands (the document
// tab's menu, the editor's menu without and with a selection), their
// built-in contents and their stored form, section "RClickMenu\Kind<k>"
// with "Count", "Name<i>" and "CmdId<i>".
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace settings {
class SettingsStore;
}

namespace rclick {

enum Kind { kTabMenu = 0, kEditorMenu = 1, kEditorSelectionMenu = 2 };
constexpr int kKindCount = 3;
// The most entries a stored list is read with.
constexpr std::int32_t kMaxEntries = 256;

struct MenuEntry {
    std::string name;          // the full label with its mnemonic; "-" a separator
    std::int32_t command = 0;  // 0 for a separator
    bool IsSeparator() const { return name == "-"; }
    bool operator==(const MenuEntry& o) const { return name == o.name && command == o.command; }
};
using MenuList = std::vector<MenuEntry>;
using MenuLists = std::array<MenuList, kKindCount>;

MenuEntry Separator();
// The name of a kind as the customise page shows it.
const char* KindName(int kind);
MenuList BuiltInList(int kind);

// Count -1 or missing: the built-in list; 0 an empty list; above 256 reads
// 256. A missing entry is a separator.
MenuLists LoadMenus(const settings::SettingsStore& store);
// Each kind's section is replaced whole.
void SaveMenus(settings::SettingsStore& store, const MenuLists& lists);

// The question of the reset button for a kind.
std::string ResetQuestion(int kind);

// The working state of the right-click page: the commands that can be
// listed (the rows), a working copy of each kind's list, the kind shown and
// the selected entry of its list (-1 none).
class RcmenuPageModel {
public:
    struct Row {
        std::string label;     // the full label ("切り取り(&T)")
        std::int32_t command;
    };

    RcmenuPageModel() = default;
    RcmenuPageModel(std::vector<Row> rows, const MenuLists& lists);
    // The rows of every command of the menu command table's six menus.
    static std::vector<Row> TableRows();

    const std::vector<Row>& Rows() const { return m_rows; }
    const MenuLists& Lists() const { return m_lists; }
    const MenuList& List() const { return m_lists[m_kind]; }
    int Kind() const { return m_kind; }
    int Selection() const { return m_selection; }

    // Shows a kind: its first entry is selected (none in an empty list).
    void ShowKind(int kind);
    void Select(int entry);
    // Whether the shown list holds the row's command.
    bool RowChecked(std::size_t row) const;

    // Inserts the row's entry before the selected entry (at the end when
    // none is selected) and selects it.
    void Check(std::size_t row);
    // Removes the first entry with the row's command.
    void Uncheck(std::size_t row);
    void InsertSeparator();
    // Removes the selected entry; the selection keeps its index, or takes
    // the last entry. Nothing without a selection.
    void DeleteSelected();
    // Swaps the selected entry with its neighbour; nothing at the edges or
    // without a selection.
    void MoveUp();
    void MoveDown();
    void Reset();

private:
    void Insert(const MenuEntry& entry);

    std::vector<Row> m_rows;
    MenuLists m_lists;
    int m_kind = 0;
    int m_selection = -1;
};

// The text of a list entry on the page: 32 hyphens for a separator, else
// the name cut before its last "(".
std::string EntryText(const MenuEntry& entry);

}  // namespace rclick
