#include "tags/win/InteractiveTagDlgs.h"

#include <commctrl.h>

#include "framework/win/FileDialog.h"
#include "framework/win/MessageBox.h"
#include "resources/resource.h"
#include "tags/core/ColorNameTable.h"

namespace tagswin {

namespace {

ColorChooser& CurrentColorChooser() {
    static ColorChooser chooser;
    return chooser;
}

bool SystemColorDialog(HWND owner, COLORREF* color) {
    static COLORREF custom[16] = {};
    CHOOSECOLORA cc = {};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.rgbResult = RGB(0, 0, 0);
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT;
    if (!::ChooseColorA(&cc)) return false;
    *color = cc.rgbResult;
    return true;
}

std::string TextOf(HWND window) {
    const int n = ::GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    const int got = ::GetWindowTextA(window, &text[0], n + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

void Enable(HWND dialog, int id, bool on) { ::EnableWindow(::GetDlgItem(dialog, id), on ? TRUE : FALSE); }

}  // namespace

ColorChooser SetColorChooser(ColorChooser chooser) {
    ColorChooser previous = CurrentColorChooser();
    CurrentColorChooser() = std::move(chooser);
    return previous;
}

// --- Insertion ---------------------------------------------------------------------

CTagInsertDlg::CTagInsertDlg(const tags::InteractiveTagData& tag, const std::string& basePath, HWND parent)
    : CDialog(IDD_TAG_INSERT, parent), m_steps(tag), m_basePath(basePath) {}

bool CTagInsertDlg::OnInitDialog() {
    SetWindowText(m_steps.Title());
    ::SendDlgItemMessageA(m_hWnd, IDC_TAG_INSERT_VALUE, CB_LIMITTEXT, tags::kAttrInputLimit, 0);
    ::SendDlgItemMessageA(m_hWnd, IDC_TAG_INSERT_VALUE, CB_SETITEMHEIGHT, 0, CComboExt::ItemHeight(m_hWnd));
    ::SetDlgItemTextA(m_hWnd, IDOK, m_steps.DefaultButtonText());
    Enable(m_hWnd, IDC_TAG_INSERT_BACK, false);
    SetUpStep();
    return true;
}

void CTagInsertDlg::SetUpStep() {
    m_settingUp = true;
    HWND combo = GetDlgItem(IDC_TAG_INSERT_VALUE);
    if (m_attached) m_attached->Detach();
    m_attached = nullptr;
    ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    switch (m_steps.Kind()) {
        case tags::kAttrFont: m_attached = &m_fonts; break;
        case tags::kAttrColor: m_attached = &m_colors; break;
        default:
            for (const std::string& choice : m_steps.Choices())
                ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.c_str()));
            break;
    }
    if (m_attached) m_attached->Attach(combo);
    ::SetDlgItemTextA(m_hWnd, IDC_TAG_INSERT_CHOOSER, m_steps.ChooserLabel());
    Enable(m_hWnd, IDC_TAG_INSERT_CHOOSER, m_steps.ChooserEnabled());
    ::SetWindowTextA(combo, m_steps.Value().c_str());
    ::SetDlgItemTextA(m_hWnd, IDC_TAG_INSERT_PROMPT, m_steps.Current().AttrCmmt);
    m_settingUp = false;
    ShowPreview();
}

void CTagInsertDlg::ShowPreview() { ::SetDlgItemTextA(m_hWnd, IDC_TAG_INSERT_PREVIEW, m_steps.Preview().c_str()); }

void CTagInsertDlg::ValueTyped() {
    if (m_settingUp) return;
    m_steps.SetValue(TextOf(GetDlgItem(IDC_TAG_INSERT_VALUE)));
    ShowPreview();
}

void CTagInsertDlg::Choose() {
    std::string value;
    if (m_steps.Kind() == tags::kAttrColor) {
        COLORREF color = 0;
        const ColorChooser& chooser = CurrentColorChooser();
        if (!(chooser ? chooser(m_hWnd, &color) : SystemColorDialog(m_hWnd, &color))) return;
        char text[8];
        tags::FormatHexColor(color, text);
        value = text;
    } else if (m_steps.Kind() == tags::kAttrPath) {
        CFileDlgEx dialog(m_basePath, m_hWnd);
        if (dialog.DoModal() != IDOK) return;
        if (!tags::PathValueFor(dialog.BasePath(), dialog.GetPathName(), &value)) {
            PqErrorBox(m_hWnd, tags::kNoBasePathMessage);
            return;
        }
    } else {
        return;
    }
    m_steps.SetValue(value);
    m_settingUp = true;
    ::SetDlgItemTextA(m_hWnd, IDC_TAG_INSERT_VALUE, m_steps.Value().c_str());
    m_settingUp = false;
    ShowPreview();
}

void CTagInsertDlg::OnOK() {
    Enable(m_hWnd, IDC_TAG_INSERT_BACK, true);
    if (m_steps.Next()) {
        EndDialog(IDOK);
        return;
    }
    SetUpStep();
    if (m_steps.IsLast()) ::SetDlgItemTextA(m_hWnd, IDOK, tags::kInsertButton);
}

void CTagInsertDlg::Back() {
    if (m_steps.Back()) {
        SetUpStep();
        if (!m_steps.IsLast()) ::SetDlgItemTextA(m_hWnd, IDOK, tags::kNextButton);
    }
    if (!m_steps.CanGoBack()) {
        // The focus leaves the button before it is disabled.
        if (::GetFocus() == GetDlgItem(IDC_TAG_INSERT_BACK)) ::SetFocus(GetDlgItem(IDOK));
        Enable(m_hWnd, IDC_TAG_INSERT_BACK, false);
    }
}

bool CTagInsertDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == IDC_TAG_INSERT_VALUE) {
        if (code == CBN_EDITCHANGE) {
            ValueTyped();
        } else if (code == CBN_SELCHANGE && !m_settingUp) {
            HWND combo = GetDlgItem(IDC_TAG_INSERT_VALUE);
            const LRESULT i = ::SendMessageA(combo, CB_GETCURSEL, 0, 0);
            if (i >= 0) {
                const LRESULT n = ::SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
                std::string text(static_cast<std::size_t>(n > 0 ? n : 0) + 1, '\0');
                ::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&text[0]));
                m_steps.SetValue(text.c_str());
                ShowPreview();
            }
        }
        return true;
    }
    if (id == IDC_TAG_INSERT_CHOOSER && code == BN_CLICKED) {
        Choose();
        return true;
    }
    if (id == IDC_TAG_INSERT_BACK && code == BN_CLICKED) {
        Back();
        return true;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CTagInsertDlg::DrawChoice(const DRAWITEMSTRUCT& item) const {
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(selected && !disabled ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (static_cast<int>(item.itemID) < 0) return;
    const LRESULT n = ::SendMessageA(item.hwndItem, CB_GETLBTEXTLEN, item.itemID, 0);
    std::string text(static_cast<std::size_t>(n > 0 ? n : 0) + 1, '\0');
    ::SendMessageA(item.hwndItem, CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(&text[0]));
    ::SetBkMode(item.hDC, TRANSPARENT);
    ::SetTextColor(item.hDC, ::GetSysColor(disabled   ? COLOR_GRAYTEXT
                                           : selected ? COLOR_HIGHLIGHTTEXT
                                                      : COLOR_WINDOWTEXT));
    RECT box = item.rcItem;
    box.left += 1;
    ::DrawTextA(item.hDC, text.c_str(), -1, &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

bool CTagInsertDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_DRAWITEM && wParam == IDC_TAG_INSERT_VALUE) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (m_attached) {
            m_attached->DrawItem(item);
        } else {
            DrawChoice(item);
        }
        *result = TRUE;
        return true;
    }
    if (message == WM_MEASUREITEM && wParam == IDC_TAG_INSERT_VALUE) {
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(CComboExt::ItemHeight(m_hWnd));
        *result = TRUE;
        return true;
    }
    if (message == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == GetDlgItem(IDC_TAG_INSERT_PREVIEW)) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
        ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
        *result = reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
        return true;
    }
    if (message == WM_DESTROY && m_attached) {
        m_attached->Detach();
        m_attached = nullptr;
    }
    return CDialog::OnWndMsg(message, wParam, lParam, result);
}

// --- Properties ----------------------------------------------------------------------

CInteractiveTagDlg::CInteractiveTagDlg(tags::InteractiveTagData& record, HWND parent)
    : CDialog(IDD_INTERACTIVE_TAG, parent), m_record(record), m_list(record.Attributes) {}

bool CInteractiveTagDlg::OnInitDialog() {
    TCITEMA tab = {};
    tab.mask = TCIF_TEXT;
    char label[] = "詳細";
    tab.pszText = label;
    ::SendDlgItemMessageA(m_hWnd, IDC_ITAG_TAB, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&tab));
    const struct {
        int id;
        int limit;
        const char* text;
    } edits[] = {
        {IDC_ITAG_NAME, tags::kTagNameLimit, m_record.Name},
        {IDC_ITAG_COMMENT, tags::kTagCommentLimit, m_record.Comment},
        {IDC_ITAG_FACT, tags::kFactLimit, m_record.Fact},
        {IDC_ITAG_ATTR, tags::kAttrLimit, ""},
        {IDC_ITAG_ATTR_COMMENT, tags::kAttrCmmtLimit, ""},
        {IDC_ITAG_INPUT, tags::kAttrInputLimit, ""},
    };
    m_showing = true;
    for (const auto& e : edits) {
        ::SendDlgItemMessageA(m_hWnd, e.id, EM_LIMITTEXT, static_cast<WPARAM>(e.limit), 0);
        ::SetDlgItemTextA(m_hWnd, e.id, e.text);
    }
    ::CheckDlgButton(m_hWnd, IDC_ITAG_MENU, m_record.bMenu == 1 ? BST_CHECKED : BST_UNCHECKED);
    ::CheckRadioButton(m_hWnd, IDC_ITAG_CLOSED, IDC_ITAG_NOT_CLOSED,
                       m_record.Closed == 1 ? IDC_ITAG_CLOSED : IDC_ITAG_NOT_CLOSED);
    for (const char* kind : {"通常", "フォント", "色", "パス"})
        ::SendDlgItemMessageA(m_hWnd, IDC_ITAG_KIND, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kind));
    m_showing = false;
    FillList();
    return true;
}

void CInteractiveTagDlg::FillList() {
    HWND list = GetDlgItem(IDC_ITAG_ATTRS);
    ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const tags::TagAttribute& a : m_list.Items())
        ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(a.Attr));
    ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(m_list.Selected()), 0);
    ShowSelected();
}

void CInteractiveTagDlg::ShowSelected() {
    m_showing = true;
    const int sel = m_list.Selected();
    const tags::TagAttribute none;
    const tags::TagAttribute& a = sel >= 0 ? m_list.Items()[static_cast<std::size_t>(sel)] : none;
    ::SetDlgItemTextA(m_hWnd, IDC_ITAG_ATTR, a.Attr);
    ::SetDlgItemTextA(m_hWnd, IDC_ITAG_ATTR_COMMENT, a.AttrCmmt);
    ::SetDlgItemTextA(m_hWnd, IDC_ITAG_INPUT, a.AttrInput);
    ::SendDlgItemMessageA(m_hWnd, IDC_ITAG_KIND, CB_SETCURSEL,
                          static_cast<WPARAM>(sel >= 0 ? tags::EffectiveAttrKind(a.AttrKind) : -1), 0);
    m_showing = false;
    EnableControls();
}

void CInteractiveTagDlg::EnableControls() {
    const bool any = m_list.Size() > 0;
    const int sel = m_list.Selected();
    const bool choices = sel >= 0 && tags::UsesChoices(m_list.Items()[static_cast<std::size_t>(sel)].AttrKind);
    for (int id : {IDC_ITAG_ATTRS, IDC_ITAG_DELETE, IDC_ITAG_UP, IDC_ITAG_DOWN, IDC_ITAG_ATTR, IDC_ITAG_KIND,
                   IDC_ITAG_ATTR_COMMENT})
        Enable(m_hWnd, id, any);
    Enable(m_hWnd, IDC_ITAG_INPUT, any && choices);
    Enable(m_hWnd, IDC_ITAG_NEW, m_list.CanAdd());
}

bool CInteractiveTagDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    HWND list = GetDlgItem(IDC_ITAG_ATTRS);
    switch (id) {
        case IDC_ITAG_ATTRS:
            if (code == LBN_SELCHANGE) {
                m_list.Select(static_cast<int>(::SendMessageA(list, LB_GETCURSEL, 0, 0)));
                ShowSelected();
            }
            return true;
        case IDC_ITAG_ATTR:
        case IDC_ITAG_ATTR_COMMENT:
        case IDC_ITAG_INPUT:
            if (code == EN_CHANGE && !m_showing && m_list.Selected() >= 0) {
                const std::string text = TextOf(::GetDlgItem(m_hWnd, id));
                if (id == IDC_ITAG_ATTR) {
                    m_list.SetName(text);
                    const int sel = m_list.Selected();
                    ::SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(sel), 0);
                    ::SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(sel),
                                   reinterpret_cast<LPARAM>(m_list.Items()[static_cast<std::size_t>(sel)].Attr));
                    ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(sel), 0);
                } else if (id == IDC_ITAG_ATTR_COMMENT) {
                    m_list.SetComment(text);
                } else {
                    m_list.SetInput(text);
                }
            }
            return true;
        case IDC_ITAG_KIND:
            if (code == CBN_SELCHANGE && !m_showing) {
                const LRESULT k = ::SendDlgItemMessageA(m_hWnd, IDC_ITAG_KIND, CB_GETCURSEL, 0, 0);
                m_list.SetKind(k < 0 ? 0 : static_cast<int>(k));
                EnableControls();
            }
            return true;
        case IDC_ITAG_NEW:
            if (m_list.Add() >= 0) FillList();
            if (!m_list.CanAdd() && ::GetFocus() == GetDlgItem(IDC_ITAG_NEW)) ::SetFocus(list);
            EnableControls();
            return true;
        case IDC_ITAG_DELETE:
            m_list.Remove();
            FillList();
            return true;
        case IDC_ITAG_UP:
            if (m_list.MoveUp()) FillList();
            return true;
        case IDC_ITAG_DOWN:
            if (m_list.MoveDown()) FillList();
            return true;
        default: break;
    }
    (void)lParam;
    return CDialog::OnCommand(wParam, lParam);
}

void CInteractiveTagDlg::OnOK() {
    tags::SetField(m_record.Name, TextOf(GetDlgItem(IDC_ITAG_NAME)));
    tags::SetField(m_record.Comment, TextOf(GetDlgItem(IDC_ITAG_COMMENT)));
    tags::SetField(m_record.Fact, TextOf(GetDlgItem(IDC_ITAG_FACT)));
    m_record.Closed = ::IsDlgButtonChecked(m_hWnd, IDC_ITAG_CLOSED) == BST_CHECKED ? 1 : 0;
    m_record.bMenu = ::IsDlgButtonChecked(m_hWnd, IDC_ITAG_MENU) == BST_CHECKED ? 1 : 0;
    m_record.Attributes = m_list.Items();
    EndDialog(::IsDlgButtonChecked(m_hWnd, IDC_ITAG_KEYS) == BST_CHECKED ? 5 : IDOK);
}

}  // namespace tagswin
