#include "config/win/KeyHelpDialog.h"

#include "config/win/CommandManager.h"
#include "resources/resource.h"

namespace {
constexpr int kGapBelowChoice = 6;

void InsertRow(HWND list, int row, const std::string& first, const std::string* second) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<char*>(first.c_str());
    const int index = static_cast<int>(::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (second && index >= 0) {
        LVITEMA sub = {};
        sub.iSubItem = 1;
        sub.pszText = const_cast<char*>(second->c_str());
        ::SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&sub));
    }
}
}  // namespace

BEGIN_MESSAGE_MAP(KeyHelpDialog, CDialog)
    ON_CONTROL(CBN_SELCHANGE, IDC_KEYHELP_CHOICE, OnChoiceChange)
    ON_MESSAGE(WM_SIZE, OnSizeMsg)
END_MESSAGE_MAP()

KeyHelpDialog::KeyHelpDialog(const keys::KeyTable& table, const CommandManager* commands, HWND parent)
    : CDialog(IDD_KEYHELP, parent), m_table(table), m_commands(commands) {}

bool KeyHelpDialog::OnInitDialog() {
    HWND choice = GetDlgItem(IDC_KEYHELP_CHOICE);
    for (std::size_t i = 0; i < keys::kHelpChoiceCount; ++i)
        ::SendMessageA(choice, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(keys::HelpChoiceAt(i).label));
    HWND list = GetDlgItem(IDC_KEYHELP_LIST);
    ::SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    const char* const titles[] = {"キー", "説明"};
    for (int i = 0; i < 2; ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 100;
        column.pszText = const_cast<char*>(titles[i]);
        ::SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
    ShowChoice(0);
    LayoutList();
    return true;
}

void KeyHelpDialog::ShowChoice(int choice) {
    if (choice < 0 || choice >= static_cast<int>(keys::kHelpChoiceCount)) choice = 0;
    ::SendMessageA(GetDlgItem(IDC_KEYHELP_CHOICE), CB_SETCURSEL, static_cast<WPARAM>(choice), 0);
    HWND list = GetDlgItem(IDC_KEYHELP_LIST);
    ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    LONG_PTR style = ::GetWindowLongPtrA(list, GWL_STYLE) & ~static_cast<LONG_PTR>(LVS_TYPEMASK);
    if (choice == 0) {
        ::SetWindowLongPtrA(list, GWL_STYLE, style | LVS_REPORT);
        int row = 0;
        for (const keys::KeyBinding& b : m_table) {
            const std::string description =
                m_commands ? m_commands->CommandDescription(b.command)
                           : keys::CommandDescription(b.command, [](unsigned id) { return LoadResString(id); }, nullptr);
            InsertRow(list, row++, keys::BindingText(b), &description);
        }
        ::SendMessageA(list, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE_USEHEADER);
        ::SendMessageA(list, LVM_SETCOLUMNWIDTH, 1, LVSCW_AUTOSIZE_USEHEADER);
    } else {
        ::SetWindowLongPtrA(list, GWL_STYLE, style | LVS_LIST);
        int row = 0;
        for (const std::string& key : keys::FreeKeys(m_table, static_cast<std::size_t>(choice)))
            InsertRow(list, row++, key, nullptr);
    }
    ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
}

int KeyHelpDialog::RowCount() const {
    return static_cast<int>(::SendMessageA(GetDlgItem(IDC_KEYHELP_LIST), LVM_GETITEMCOUNT, 0, 0));
}

std::string KeyHelpDialog::RowText(int row, int column) const {
    char buf[512] = {};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = buf;
    item.cchTextMax = sizeof buf;
    ::SendMessageA(GetDlgItem(IDC_KEYHELP_LIST), LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(&item));
    return buf;
}

void KeyHelpDialog::OnChoiceChange() {
    ShowChoice(static_cast<int>(::SendMessageA(GetDlgItem(IDC_KEYHELP_CHOICE), CB_GETCURSEL, 0, 0)));
}

void KeyHelpDialog::LayoutList() {
    HWND choice = GetDlgItem(IDC_KEYHELP_CHOICE);
    HWND list = GetDlgItem(IDC_KEYHELP_LIST);
    if (!choice || !list) return;
    RECT c = {};
    ::GetWindowRect(choice, &c);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&c), 2);
    const RECT client = GetClientRect();
    const int top = c.bottom + kGapBelowChoice;
    ::MoveWindow(list, c.left, top, client.right - 2 * c.left, client.bottom - c.left - top, TRUE);
}

LRESULT KeyHelpDialog::OnSizeMsg(WPARAM, LPARAM) {
    LayoutList();
    return 0;
}
