#include "tags/win/TagDialogs.h"

#include <commctrl.h>

#include "resources/resource.h"
#include "tags/win/PluginHost.h"

namespace tagswin {

namespace {

void AddTab(HWND dialog, int id) {
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    char text[] = "詳細";
    item.pszText = text;
    ::SendDlgItemMessageA(dialog, id, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void SetEdit(HWND dialog, int id, const char* text, int limit) {
    ::SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
    ::SetDlgItemTextA(dialog, id, text);
}

std::string ItemText(HWND dialog, int id) {
    char buf[1024] = {};
    ::GetDlgItemTextA(dialog, id, buf, sizeof buf);
    return buf;
}

bool Checked(HWND dialog, int id) { return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

}  // namespace

CSimpleTagDlg::CSimpleTagDlg(tags::SimpleTagData& record, HWND parent)
    : CDialog(IDD_SIMPLE_TAG, parent), m_record(record) {}

bool CSimpleTagDlg::OnInitDialog() {
    AddTab(m_hWnd, IDC_SIMPLE_TAB);
    SetEdit(m_hWnd, IDC_SIMPLE_NAME, m_record.Name, 127);
    SetEdit(m_hWnd, IDC_SIMPLE_BEGIN, m_record.Begin, 511);
    SetEdit(m_hWnd, IDC_SIMPLE_END, m_record.End, 511);
    SetEdit(m_hWnd, IDC_SIMPLE_COMMENT, m_record.Comment, 255);
    HWND combo = GetDlgItem(IDC_SIMPLE_OPTION);
    ::SendMessageA(combo, CB_LIMITTEXT, 31, 0);
    std::vector<std::string> items = {"between", "select"};
    for (int n = 9; n >= 1; --n) items.push_back("+" + std::to_string(n));
    for (int n = 1; n <= 9; ++n) items.push_back("-" + std::to_string(n));
    for (const std::string& s : items) ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
    ::SetWindowTextA(combo, m_record.Option);
    ::CheckDlgButton(m_hWnd, IDC_SIMPLE_MENU, m_record.bMenu == 1 ? BST_CHECKED : BST_UNCHECKED);
    return true;
}

void CSimpleTagDlg::OnOK() {
    tags::SetField(m_record.Name, ItemText(m_hWnd, IDC_SIMPLE_NAME));
    tags::SetField(m_record.Begin, ItemText(m_hWnd, IDC_SIMPLE_BEGIN));
    tags::SetField(m_record.End, ItemText(m_hWnd, IDC_SIMPLE_END));
    tags::SetField(m_record.Comment, ItemText(m_hWnd, IDC_SIMPLE_COMMENT));
    tags::SetField(m_record.Option, ItemText(m_hWnd, IDC_SIMPLE_OPTION));
    m_record.bMenu = Checked(m_hWnd, IDC_SIMPLE_MENU) ? 1 : 0;
    EndDialog(Checked(m_hWnd, IDC_SIMPLE_KEYS) ? kOpenKeySettings : IDOK);
}

CFilePropDlg::CFilePropDlg(std::string& name, HWND parent) : CDialog(IDD_TAG_FILE, parent), m_name(name) {}

bool CFilePropDlg::OnInitDialog() {
    AddTab(m_hWnd, IDC_TAG_FILE_TAB);
    SetEdit(m_hWnd, IDC_TAG_FILE_NAME, m_name.c_str(), static_cast<int>(tags::kFileNameLimit));
    return true;
}

void CFilePropDlg::OnOK() {
    m_name = ItemText(m_hWnd, IDC_TAG_FILE_NAME);
    EndDialog(IDOK);
}

CPluginDlg::CPluginDlg(tags::PluginTagData& record, HWND parent) : CDialog(IDD_PLUGIN_TAG, parent), m_record(record) {}

bool CPluginDlg::OnInitDialog() {
    AddTab(m_hWnd, IDC_PLUGIN_TAB);
    SetEdit(m_hWnd, IDC_PLUGIN_NAME, m_record.Name, 127);
    ::SendDlgItemMessageA(m_hWnd, IDC_PLUGIN_FILE, CB_LIMITTEXT, 127, 0);
    ::SetDlgItemTextA(m_hWnd, IDC_PLUGIN_FILE, m_record.File);
    SetEdit(m_hWnd, IDC_PLUGIN_COMMENT, m_record.Comment, 255);
    ::CheckDlgButton(m_hWnd, IDC_PLUGIN_MENU, m_record.bMenu == 1 ? BST_CHECKED : BST_UNCHECKED);
    return true;
}

bool CPluginDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == IDC_PLUGIN_FILE && HIWORD(wParam) == CBN_DROPDOWN) {
        RebuildFileList();
        return true;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CPluginDlg::RebuildFileList() {
    HWND combo = GetDlgItem(IDC_PLUGIN_FILE);
    const std::string kept = ItemText(m_hWnd, IDC_PLUGIN_FILE);
    ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    WIN32_FIND_DATAA fd;
    HANDLE h = ::FindFirstFileA((PluginFolder() + "*.pqi").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(fd.cFileName));
        } while (::FindNextFileA(h, &fd));
        ::FindClose(h);
    }
    ::SetWindowTextA(combo, kept.c_str());
}

void CPluginDlg::OnOK() {
    tags::SetField(m_record.Name, ItemText(m_hWnd, IDC_PLUGIN_NAME));
    tags::SetField(m_record.File, ItemText(m_hWnd, IDC_PLUGIN_FILE));
    tags::SetField(m_record.Comment, ItemText(m_hWnd, IDC_PLUGIN_COMMENT));
    m_record.bMenu = Checked(m_hWnd, IDC_PLUGIN_MENU) ? 1 : 0;
    EndDialog(Checked(m_hWnd, IDC_PLUGIN_KEYS) ? kOpenKeySettings : IDOK);
}

}  // namespace tagswin
