#include "framework/win/StatusBar.h"

bool CStatusBar::Create(CWnd* parent, int panes, UINT id) {
    if (!parent || panes < 1) return false;
    if (!CreateEx(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                  parent->m_hWnd, id))
        return false;
    m_widths.assign(static_cast<size_t>(panes), 0);
    ApplyParts();
    return true;
}

void CStatusBar::ApplyParts() {
    if (!m_hWnd) return;
    const RECT rc = GetClientRect();
    const int n = static_cast<int>(m_widths.size());
    std::vector<int> edges(static_cast<size_t>(n));
    // Panes 1..n-1 are laid out from the right edge, leaving room for the grip.
    int right = rc.right - ::GetSystemMetrics(SM_CXVSCROLL);
    for (int i = n - 1; i >= 1; --i) {
        edges[static_cast<size_t>(i)] = right;
        right -= m_widths[static_cast<size_t>(i)];
    }
    if (n > 0) edges[0] = right > 0 ? right : 0;
    if (n > 0) edges[static_cast<size_t>(n - 1)] = -1;
    SendMessage(SB_SETPARTS, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(edges.data()));
}

void CStatusBar::SetPaneText(int pane, const std::string& text) {
    if (pane < 0 || pane >= static_cast<int>(m_widths.size())) return;
    SendMessage(SB_SETTEXTA, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(text.c_str()));
}

std::string CStatusBar::GetPaneText(int pane) const {
    if (pane < 0 || pane >= static_cast<int>(m_widths.size())) return std::string();
    LRESULT info = SendMessage(SB_GETTEXTLENGTHA, static_cast<WPARAM>(pane), 0);
    // Some systems count the length in characters: leave room for two bytes each.
    std::string s(2 * static_cast<size_t>(LOWORD(info)) + 2, '\0');
    SendMessage(SB_GETTEXTA, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(&s[0]));
    s.resize(std::char_traits<char>::length(s.c_str()));
    return s;
}

void CStatusBar::SetPaneWidth(int pane, int width) {
    if (pane <= 0 || pane >= static_cast<int>(m_widths.size())) return;
    m_widths[static_cast<size_t>(pane)] = width < 0 ? 0 : width;
    ApplyParts();
}

int CStatusBar::GetPaneWidth(int pane) const {
    if (pane < 0 || pane >= static_cast<int>(m_widths.size())) return 0;
    return m_widths[static_cast<size_t>(pane)];
}

int CStatusBar::TextWidth(const std::string& text) const {
    HDC dc = ::GetDC(m_hWnd);
    HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    HGDIOBJ old = font ? ::SelectObject(dc, font) : nullptr;
    SIZE size = {};
    ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    if (old) ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    int borders[3] = {};
    SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    return size.cx + 2 * borders[0] + 2 * borders[2] + 4;
}

int CStatusBar::Height() const {
    if (!m_hWnd || !IsWindowVisible()) return 0;
    RECT rc = GetWindowRect();
    return rc.bottom - rc.top;
}

void CStatusBar::SetMinHeight(int height) { SendMessage(SB_SETMINHEIGHT, static_cast<WPARAM>(height)); }

void CStatusBar::Reposition() {
    SendMessage(WM_SIZE, 0, 0);
    ApplyParts();
}
