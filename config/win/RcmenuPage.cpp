#include "config/win/RcmenuPage.h"

#include <commctrl.h>

#include "config/win/CommandManager.h"
#include "framework/win/MessageBox.h"
#include "resources/resource.h"

BEGIN_MESSAGE_MAP(CRcmenuPage, CPropertyPage)
    ON_CONTROL(CBN_SELCHANGE, IDC_RCMENU_KIND, OnKindChange)
    ON_CONTROL(LBN_SELCHANGE, IDC_RCMENU_MENU, OnEntryChange)
    ON_CONTROL(BN_CLICKED, IDC_RCMENU_SEPARATOR, OnSeparator)
    ON_CONTROL(BN_CLICKED, IDC_RCMENU_DELETE, OnDelete)
    ON_CONTROL(BN_CLICKED, IDC_RCMENU_UP, OnUp)
    ON_CONTROL(BN_CLICKED, IDC_RCMENU_DOWN, OnDown)
    ON_CONTROL(BN_CLICKED, IDC_RCMENU_RESET, OnReset)
END_MESSAGE_MAP()

CRcmenuPage::CRcmenuPage(CommandManager& commands) : CPropertyPage(IDD_RCMENU_PAGE), m_commands(commands) {}

bool CRcmenuPage::OnInitDialog() {
    rclick::MenuLists lists;
    for (int k = 0; k < rclick::kKindCount; ++k) lists[static_cast<std::size_t>(k)] = m_commands.CopyRClickList(k);
    m_model = rclick::RcmenuPageModel(rclick::RcmenuPageModel::TableRows(), lists);

    HWND rows = GetDlgItem(IDC_RCMENU_COMMANDS);
    ListView_SetExtendedListViewStyle(rows, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    ::SendMessageA(rows, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    m_filling = true;
    const std::vector<rclick::RcmenuPageModel::Row>& table = m_model.Rows();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const std::string text = rclick::EntryText(rclick::MenuEntry{table[i].label, table[i].command});
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<char*>(text.c_str());
        ::SendMessageA(rows, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    ::SendMessageA(rows, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE);
    m_filling = false;
    SelectRow(0);

    HWND kinds = GetDlgItem(IDC_RCMENU_KIND);
    for (int k = 0; k < rclick::kKindCount; ++k)
        ::SendMessageA(kinds, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(rclick::KindName(k)));
    SelectKind(0);
    return true;
}

void CRcmenuPage::SelectKind(int kind) {
    ::SendMessageA(GetDlgItem(IDC_RCMENU_KIND), CB_SETCURSEL, static_cast<WPARAM>(kind), 0);
    OnKindChange();
}

void CRcmenuPage::OnKindChange() {
    const LRESULT kind = ::SendMessageA(GetDlgItem(IDC_RCMENU_KIND), CB_GETCURSEL, 0, 0);
    m_model.ShowKind(kind < 0 ? 0 : static_cast<int>(kind));
    ShowList();
}

void CRcmenuPage::ShowList() {
    HWND menu = GetDlgItem(IDC_RCMENU_MENU);
    ::SendMessageA(menu, LB_RESETCONTENT, 0, 0);
    for (const rclick::MenuEntry& e : m_model.List())
        ::SendMessageA(menu, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(rclick::EntryText(e).c_str()));
    ::SendMessageA(menu, LB_SETCURSEL, static_cast<WPARAM>(m_model.Selection()), 0);
    // Every row shows whether the list holds its command.
    HWND rows = GetDlgItem(IDC_RCMENU_COMMANDS);
    m_filling = true;
    for (std::size_t i = 0; i < m_model.Rows().size(); ++i)
        ListView_SetCheckState(rows, static_cast<int>(i), m_model.RowChecked(i) ? TRUE : FALSE);
    m_filling = false;
}

void CRcmenuPage::SelectRow(int row) {
    HWND rows = GetDlgItem(IDC_RCMENU_COMMANDS);
    ListView_SetItemState(rows, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ShowDescription();
}

void CRcmenuPage::ShowDescription() {
    const int row = ListView_GetNextItem(GetDlgItem(IDC_RCMENU_COMMANDS), -1, LVNI_SELECTED);
    const bool valid = row >= 0 && row < static_cast<int>(m_model.Rows().size());
    const std::string text =
        valid ? m_commands.CommandDescription(static_cast<UINT>(m_model.Rows()[static_cast<std::size_t>(row)].command))
              : std::string();
    ::SetDlgItemTextA(m_hWnd, IDC_RCMENU_DESCRIPTION, text.c_str());
}

void CRcmenuPage::SetRowChecked(int row, bool checked) {
    ListView_SetCheckState(GetDlgItem(IDC_RCMENU_COMMANDS), row, checked ? TRUE : FALSE);
}

void CRcmenuPage::SelectEntry(int entry) {
    ::SendMessageA(GetDlgItem(IDC_RCMENU_MENU), LB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    OnEntryChange();
}

void CRcmenuPage::OnEntryChange() {
    const LRESULT sel = ::SendMessageA(GetDlgItem(IDC_RCMENU_MENU), LB_GETCURSEL, 0, 0);
    m_model.Select(sel < 0 ? -1 : static_cast<int>(sel));
}

bool CRcmenuPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->idFrom == IDC_RCMENU_COMMANDS && header->code == LVN_ITEMCHANGED) {
        const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if ((change->uNewState ^ change->uOldState) & LVIS_SELECTED) ShowDescription();
        const UINT oldImage = change->uOldState & LVIS_STATEIMAGEMASK;
        const UINT newImage = change->uNewState & LVIS_STATEIMAGEMASK;
        // State image 1 is unchecked, 2 checked; 0 is the row being made.
        if (!m_filling && (change->uChanged & LVIF_STATE) && oldImage && newImage && oldImage != newImage &&
            change->iItem >= 0) {
            const std::size_t row = static_cast<std::size_t>(change->iItem);
            if (newImage == INDEXTOSTATEIMAGEMASK(2)) m_model.Check(row);
            else m_model.Uncheck(row);
            Changed();
        }
        *result = 0;
        return true;
    }
    return CPropertyPage::OnNotify(wParam, lParam, result);
}

void CRcmenuPage::Changed() {
    ShowList();
    SetModified(true);
}

void CRcmenuPage::OnSeparator() {
    m_model.InsertSeparator();
    Changed();
}

void CRcmenuPage::OnDelete() {
    if (m_model.Selection() < 0) return;
    m_model.DeleteSelected();
    Changed();
}

void CRcmenuPage::OnUp() {
    if (m_model.Selection() <= 0) return;
    m_model.MoveUp();
    Changed();
}

void CRcmenuPage::OnDown() {
    const int sel = m_model.Selection();
    if (sel < 0 || sel + 1 >= static_cast<int>(m_model.List().size())) return;
    m_model.MoveDown();
    Changed();
}

void CRcmenuPage::OnReset() {
    if (PqQuestionBox(m_hWnd, rclick::ResetQuestion(m_model.Kind()), MB_OKCANCEL) != IDOK) return;
    m_model.Reset();
    Changed();
}

bool CRcmenuPage::OnApply() {
    for (int k = 0; k < rclick::kKindCount; ++k) m_commands.ReplaceRClickList(k, m_model.Lists()[static_cast<std::size_t>(k)]);
    return true;
}
