#include "config/win/KeyPage.h"

#include "config/win/CommandManager.h"
#include "config/win/KeyHelpDialog.h"
#include "framework/win/MessageBox.h"
#include "resources/resource.h"

namespace {
constexpr char kNoKey[] = "（未登録）";
}

BEGIN_MESSAGE_MAP(CKeyPage, CPropertyPage)
    ON_CONTROL(CBN_SELCHANGE, IDC_KEY_CATEGORY, OnCategoryChange)
    ON_CONTROL(LBN_SELCHANGE, IDC_KEY_COMMANDS, OnCommandChange)
    ON_CONTROL(CBN_SELCHANGE, IDC_KEY_KEYS, OnBindingControlChange)
    ON_CONTROL(BN_CLICKED, IDC_KEY_CTRL, OnBindingControlChange)
    ON_CONTROL(BN_CLICKED, IDC_KEY_ALT, OnBindingControlChange)
    ON_CONTROL(BN_CLICKED, IDC_KEY_SHIFT, OnBindingControlChange)
    ON_CONTROL(BN_CLICKED, IDC_KEY_ASSIGN, OnAssign)
    ON_CONTROL(BN_CLICKED, IDC_KEY_RESET, OnReset)
    ON_CONTROL(BN_CLICKED, IDC_KEY_MAP, OnKeyMap)
END_MESSAGE_MAP()

CKeyPage::CKeyPage(CommandManager& commands, int initialCategory)
    : CPropertyPage(IDD_KEYBOARD_PAGE), m_commands(commands), m_initialCategory(initialCategory) {}

void CKeyPage::ReadMenu(HMENU menu) {
    for (int c = 0, n = ::GetMenuItemCount(menu); c < n; ++c) {
        HMENU popup = ::GetSubMenu(menu, c);
        if (!popup) continue;
        keys::KeyPageCategory& category = m_model.AddCategory(MenuItemText(menu, c));
        for (int i = 0, m = ::GetMenuItemCount(popup); i < m; ++i) {
            // A submenu's items count as the category's own (one level).
            HMENU sub = ::GetSubMenu(popup, i);
            HMENU from = sub ? sub : popup;
            const int first = sub ? 0 : i;
            const int last = sub ? ::GetMenuItemCount(sub) : i + 1;
            for (int k = first; k < last; ++k) {
                const UINT id = ::GetMenuItemID(from, k);
                const std::string text = MenuItemText(from, k);
                if (id == 0 || id == static_cast<UINT>(-1) || text.empty()) continue;  // separators, submenus
                m_model.AddCommand(category, text, id, m_table);
            }
        }
    }
}

void CKeyPage::BuildModel() {
    m_table = m_commands.CopyKeyTable();
    m_model = keys::KeyPageModel();
    ReadMenu(m_commands.BarMenu());
    ReadMenu(m_commands.KeysOnlyMenu());
    m_model.KeepOtherBindings(m_table);
}

bool CKeyPage::OnInitDialog() {
    BuildModel();
    HWND categories = GetDlgItem(IDC_KEY_CATEGORY);
    for (const keys::KeyPageCategory& c : m_model.categories)
        ::SendMessageA(categories, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(c.name.c_str()));
    HWND keyList = GetDlgItem(IDC_KEY_KEYS);
    ::SendMessageA(keyList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kNoKey));
    for (std::size_t i = 0; i < keys::kKeyNameCount; ++i)
        ::SendMessageA(keyList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(keys::KeyNameAt(i).name));
    SelectCategory(m_initialCategory);
    return true;
}

keys::EntryRef CKeyPage::Current() const {
    keys::EntryRef ref;
    const LRESULT c = ::SendMessageA(GetDlgItem(IDC_KEY_CATEGORY), CB_GETCURSEL, 0, 0);
    const LRESULT e = ::SendMessageA(GetDlgItem(IDC_KEY_COMMANDS), LB_GETCURSEL, 0, 0);
    ref.category = c < 0 ? static_cast<std::size_t>(-1) : static_cast<std::size_t>(c);
    ref.entry = e < 0 ? static_cast<std::size_t>(-1) : static_cast<std::size_t>(e);
    return ref;
}

void CKeyPage::SelectCategory(int category) {
    if (category < 0 || category >= static_cast<int>(m_model.categories.size())) category = 0;
    ::SendMessageA(GetDlgItem(IDC_KEY_CATEGORY), CB_SETCURSEL, static_cast<WPARAM>(category), 0);
    OnCategoryChange();
}

void CKeyPage::SelectCommand(int index) {
    ::SendMessageA(GetDlgItem(IDC_KEY_COMMANDS), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ShowCommand();
}

void CKeyPage::OnCategoryChange() {
    HWND list = GetDlgItem(IDC_KEY_COMMANDS);
    ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
    const keys::EntryRef ref = Current();
    if (ref.category < m_model.categories.size()) {
        for (const keys::KeyPageEntry& e : m_model.categories[ref.category].entries)
            ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.name.c_str()));
    }
    SelectCommand(0);
}

void CKeyPage::OnCommandChange() { ShowCommand(); }

void CKeyPage::ShowCommand() {
    const keys::KeyPageEntry* e = m_model.Entry(Current());
    ::SetDlgItemTextA(m_hWnd, IDC_KEY_DESCRIPTION, e ? m_commands.CommandDescription(e->command).c_str() : "");
    const std::uint8_t flags = e ? e->flags : 0;
    ::CheckDlgButton(m_hWnd, IDC_KEY_CTRL, (flags & commands::kControl) ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_KEY_ALT, (flags & commands::kAlt) ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_KEY_SHIFT, (flags & commands::kShift) ? BST_CHECKED : BST_UNCHECKED);
    int keyIndex = 0;
    if (e && e->HasKey()) {
        const char* name = keys::NameOfKey(e->key);
        const int found = name ? keys::FindKeyName(name) : -1;
        keyIndex = found >= 0 ? found + 1 : 0;
    }
    ::SendMessageA(GetDlgItem(IDC_KEY_KEYS), CB_SETCURSEL, static_cast<WPARAM>(keyIndex), 0);
    UpdateAssignButton();
}

bool CKeyPage::Checked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED; }

void CKeyPage::Chosen(std::uint8_t* flags, std::uint16_t* key) const {
    const LRESULT sel = ::SendMessageA(GetDlgItem(IDC_KEY_KEYS), CB_GETCURSEL, 0, 0);
    if (sel <= 0 || sel > static_cast<LRESULT>(keys::kKeyNameCount)) {
        *flags = 0;
        *key = 0;
        return;
    }
    *key = keys::KeyNameAt(static_cast<std::size_t>(sel - 1)).key;
    *flags = keys::FlagsFromBoxes(Checked(IDC_KEY_CTRL), Checked(IDC_KEY_ALT), Checked(IDC_KEY_SHIFT));
}

void CKeyPage::UpdateAssignButton() {
    std::uint8_t flags = 0;
    std::uint16_t key = 0;
    Chosen(&flags, &key);
    ::EnableWindow(GetDlgItem(IDC_KEY_ASSIGN), m_model.Differs(Current(), flags, key) ? TRUE : FALSE);
}

void CKeyPage::OnBindingControlChange() { UpdateAssignButton(); }

void CKeyPage::OnAssign() {
    const keys::EntryRef ref = Current();
    const keys::KeyPageEntry* target = m_model.Entry(ref);
    if (!target) return;
    std::uint8_t flags = 0;
    std::uint16_t key = 0;
    Chosen(&flags, &key);
    if (!m_model.Differs(ref, flags, key)) return;
    keys::EntryRef holder;
    const bool taken = m_model.FindHolder(flags, key, ref, &holder);
    if (taken) {
        const std::string question = keys::ConflictQuestion(
            Checked(IDC_KEY_CTRL), Checked(IDC_KEY_ALT), Checked(IDC_KEY_SHIFT), keys::NameOfKey(key),
            m_model.Entry(holder)->name, target->name);
        if (PqQuestionBox(m_hWnd, question, MB_OKCANCEL) != IDOK) return;
    }
    m_model.Assign(ref, flags, key, taken ? &holder : nullptr);
    UpdateAssignButton();
    SetModified(true);
}

void CKeyPage::OnReset() {
    if (PqQuestionBox(m_hWnd, "割り当てをすべてリセットしてもよろしいですか？", MB_OKCANCEL) != IDOK) return;
    if (!m_model.Reset(keys::BuildDefaultTable())) {
        PqErrorBox(m_hWnd, "割り当てのリセットに失敗しました");
        return;
    }
    ShowCommand();
    SetModified(true);
}

void CKeyPage::OnKeyMap() {
    KeyHelpDialog help(m_model.BuildTable(), &m_commands, m_hWnd);
    help.DoModal();
}

bool CKeyPage::OnApply() {
    m_commands.InstallKeyTable(m_model.BuildTable());
    m_commands.RebuildMenus(CommandManager::kAllMenus);
    if (commands::ITagCommands* tags = m_commands.TagCommands()) tags->RefreshKeyDisplay();
    return true;
}
