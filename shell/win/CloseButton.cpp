#include "shell/win/CloseButton.h"

#include "resources/resource.h"

constexpr char CCloseButton::kClassName[];

BEGIN_MESSAGE_MAP(CCloseButton, CControlBar)
    ON_MESSAGE(WM_PAINT, OnPaint)
    ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
    ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
    ON_MESSAGE(WM_LBUTTONUP, OnLButtonUp)
    ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChanged)
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_MESSAGE(WM_WINDOWPOSCHANGING, OnWindowPosChanging)
END_MESSAGE_MAP()

CCloseButton::~CCloseButton() {
    if (m_tooltip) ::DestroyWindow(m_tooltip);
    if (m_icon) ::DestroyIcon(m_icon);
}

bool CCloseButton::Create(HWND parent, UINT id, HWND commandTarget) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpszClassName = kClassName;
    wc.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    if (!RegisterWindowClass(wc)) return false;
    m_target = commandTarget;
    m_icon = static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TABCLOSE),
                                             IMAGE_ICON, 16, 16, 0));
    if (!CreateEx(0, kClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, kWidth, kHeight, parent, id))
        return false;
    m_tooltip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                  m_hWnd, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    if (m_tooltip) {
        TOOLINFOA ti = {};
        ti.cbSize = sizeof ti;
        ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        ti.hwnd = m_hWnd;
        ti.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
        ti.lpszText = const_cast<char*>("閉じる");
        ::SendMessageA(m_tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    }
    return true;
}

bool CCloseButton::PointerInside() const {
    POINT pt;
    ::GetCursorPos(&pt);
    const RECT rc = GetWindowRect();
    return ::PtInRect(&rc, pt) != 0;
}

void CCloseButton::SetLook(bool hot, bool pressed) {
    if (hot == m_hot && pressed == m_pressed) return;
    m_hot = hot;
    m_pressed = pressed;
    Invalidate();
}

LRESULT CCloseButton::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    RECT rc = GetClientRect();
    ::FillRect(dc, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
    if (m_pressed && m_hot) ::DrawEdge(dc, &rc, BDR_SUNKENOUTER, BF_RECT);
    else if (m_hot || m_pressed) ::DrawEdge(dc, &rc, BDR_RAISEDINNER, BF_RECT);
    const int offset = (m_pressed && m_hot) ? 1 : 0;
    if (m_icon) {
        ::DrawIconEx(dc, (rc.right - 16) / 2 + offset, (rc.bottom - 16) / 2 + offset, m_icon, 16, 16, 0, nullptr,
                     DI_NORMAL);
    }
    ::EndPaint(m_hWnd, &ps);
    return 0;
}

LRESULT CCloseButton::OnMouseMove(WPARAM, LPARAM) {
    if (!m_hot && !m_pressed) {
        TRACKMOUSEEVENT tme = {sizeof tme, TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&tme);
    }
    SetLook(PointerInside(), m_pressed);
    return 0;
}

LRESULT CCloseButton::OnMouseLeave(WPARAM, LPARAM) {
    if (!m_pressed) SetLook(false, false);
    return 0;
}

LRESULT CCloseButton::OnLButtonDown(WPARAM, LPARAM) {
    ::SetCapture(m_hWnd);
    SetLook(true, true);
    return 0;
}

LRESULT CCloseButton::OnLButtonUp(WPARAM, LPARAM) {
    if (!m_pressed) return 0;
    const bool inside = PointerInside();
    SetLook(inside, false);
    ::ReleaseCapture();
    if (inside && m_target) ::PostMessageA(m_target, WM_COMMAND, MAKEWPARAM(ID_FILE_CLOSE, 0), 0);
    return 0;
}

LRESULT CCloseButton::OnCaptureChanged(WPARAM, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) != m_hWnd && m_pressed) SetLook(false, false);
    return 0;
}

LRESULT CCloseButton::OnWindowPosChanging(WPARAM, LPARAM lParam) {
    // The band may be wider than the button; the button keeps its size.
    auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
    if (pos && !(pos->flags & SWP_NOSIZE)) {
        pos->cx = kWidth;
        pos->cy = kHeight;
    }
    return 0;
}
