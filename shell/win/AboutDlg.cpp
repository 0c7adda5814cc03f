#include "shell/win/AboutDlg.h"

#include <shellapi.h>

#include "framework/win/WinPath.h"
#include "resources/resource.h"

const char CAboutDlg::kWebAddress[] = "https://www.tavenor.example/pembroquil/";

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
    ON_MESSAGE(WM_CTLCOLORDLG, OnCtlColorMsg)
    ON_MESSAGE(WM_CTLCOLORSTATIC, OnCtlColorMsg)
    ON_MESSAGE(WM_SETCURSOR, OnSetCursorMsg)
    ON_CONTROL(STN_CLICKED, IDC_ABOUT_LINK, OnLinkClicked)
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg(HWND parent) : CDialog(IDD_ABOUTBOX, parent) {}

CAboutDlg::~CAboutDlg() {
    if (m_white) ::DeleteObject(m_white);
    if (m_linkFont) ::DeleteObject(m_linkFont);
}

bool CAboutDlg::OnInitDialog() {
    m_white = ::CreateSolidBrush(RGB(255, 255, 255));
    const std::string version = VersionText("FileVersion");
    ::SetDlgItemTextA(m_hWnd, IDC_ABOUT_VERSION,
                      version.empty() ? "バージョンの取得に失敗" : ("バージョン： " + version).c_str());
    const std::string copyright = VersionText("LegalCopyright");
    ::SetDlgItemTextA(m_hWnd, IDC_ABOUT_COPYRIGHT, copyright.empty() ? "Copyrightの取得に失敗" : copyright.c_str());
    ::SetDlgItemTextA(m_hWnd, IDC_ABOUT_LINK, kWebAddress);
    // The address is underlined, like a link.
    HFONT font = reinterpret_cast<HFONT>(::SendDlgItemMessageA(m_hWnd, IDC_ABOUT_LINK, WM_GETFONT, 0, 0));
    LOGFONTA lf = {};
    if (font && ::GetObjectA(font, sizeof lf, &lf)) {
        lf.lfUnderline = TRUE;
        m_linkFont = ::CreateFontIndirectA(&lf);
        ::SendDlgItemMessageA(m_hWnd, IDC_ABOUT_LINK, WM_SETFONT, reinterpret_cast<WPARAM>(m_linkFont), FALSE);
    }
    return true;
}

LRESULT CAboutDlg::OnCtlColorMsg(WPARAM wParam, LPARAM lParam) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    ::SetBkColor(dc, RGB(255, 255, 255));
    if (reinterpret_cast<HWND>(lParam) == GetDlgItem(IDC_ABOUT_LINK)) ::SetTextColor(dc, RGB(0, 0, 255));
    return reinterpret_cast<LRESULT>(m_white);
}

LRESULT CAboutDlg::OnSetCursorMsg(WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(wParam) == GetDlgItem(IDC_ABOUT_LINK)) {
        ::SetCursor(::LoadCursor(nullptr, IDC_HAND));
        return TRUE;
    }
    return DefWindowProc(WM_SETCURSOR, wParam, lParam);
}

void CAboutDlg::OnLinkClicked() {
    ::ShellExecuteA(m_hWnd, "open", kWebAddress, nullptr, nullptr, SW_SHOWNORMAL);
}
