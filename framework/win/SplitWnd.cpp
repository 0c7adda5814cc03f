#include "framework/win/SplitWnd.h"

#include <windowsx.h>

namespace {

constexpr char kCloseTip[] = "閉じる";
constexpr int kIconSize = 16;

RECT ToRECT(const split::Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// Sets or clears a flag; returns whether it was set.
bool SetFlag(BYTE& flags, BYTE flag, bool on) {
    const bool was = (flags & flag) != 0;
    flags = static_cast<BYTE>(on ? flags | flag : flags & ~flag);
    return was;
}

}  // namespace

BEGIN_MESSAGE_MAP(CSplitWnd, CWnd)
    ON_MESSAGE(WM_CREATE, OnCreateMsg)
    ON_MESSAGE(WM_SIZE, OnSizeMsg)
    ON_MESSAGE(WM_ERASEBKGND, OnEraseBkgndMsg)
    ON_MESSAGE(WM_PAINT, OnPaintMsg)
    ON_MESSAGE(WM_SETCURSOR, OnSetCursorMsg)
    ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDownMsg)
    ON_MESSAGE(WM_MOUSEMOVE, OnMouseMoveMsg)
    ON_MESSAGE(WM_LBUTTONUP, OnLButtonUpMsg)
    ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChangedMsg)
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeaveMsg)
END_MESSAGE_MAP()

CSplitWnd::CSplitWnd() = default;
CSplitWnd::~CSplitWnd() = default;

bool CSplitWnd::RegisterClass() {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = 0;
    wc.lpfnWndProc = &CWnd::StdWndProc;
    wc.hIcon = nullptr;
    wc.hCursor = nullptr;          // set on WM_SETCURSOR by what the pointer is over
    wc.hbrBackground = nullptr;    // the bar and caption areas are painted here
    wc.lpszClassName = kClassName;
    return RegisterWindowClass(wc);
}

bool CSplitWnd::Create(HWND parent, UINT id, const RECT& rc, DWORD style) {
    if (!RegisterClass()) return false;
    return CreateEx(0, kClassName, "", style | WS_CLIPCHILDREN, rc.left, rc.top, rc.right - rc.left,
                    rc.bottom - rc.top, parent, id);
}

CSplitWnd* CSplitWnd::FromSplitHandle(HWND hwnd) { return dynamic_cast<CSplitWnd*>(CWnd::FromHandle(hwnd)); }

split::SplitMetrics CSplitWnd::Metrics() const {
    split::SplitMetrics m;
    m.edgeX = ::GetSystemMetrics(SM_CXEDGE);
    m.edgeY = ::GetSystemMetrics(SM_CYEDGE);
    m.barHalf = m_barHalf;
    return m;
}

split::SplitState CSplitWnd::State() const {
    split::SplitState s;
    s.width = m_cx;
    s.height = m_cy;
    s.barPos = m_barPos;
    s.stacked = IsStacked();
    for (int j = 0; j < 2; ++j) {
        s.shown[j] = (m_paneFlags[j] & kPaneShown) != 0;
        s.caption[j] = (m_paneFlags[j] & kPaneCaption) != 0;
        s.closeButton[j] = (m_paneFlags[j] & kPaneCloseButton) != 0;
    }
    return s;
}

split::SplitGeometry CSplitWnd::Geometry() const { return split::ComputeSplitGeometry(State(), Metrics()); }

int CSplitWnd::GetEffectiveBarPos() const { return split::ClampBarPos(m_barPos, State(), Metrics()); }

LRESULT CSplitWnd::OnCreateMsg(WPARAM, LPARAM) {
    m_caption[0] = "子ウィンドウ１";
    m_caption[1] = "子ウィンドウ２";
    const RECT rc = GetClientRect();
    m_cx = rc.right;
    m_cy = rc.bottom;
    // The tooltip of the close buttons; the window works without one.
    m_toolTip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
    if (m_toolTip) {
        for (UINT j = 0; j < 2; ++j) {
            TOOLINFOA ti = {};
            ti.cbSize = sizeof ti;
            ti.uFlags = TTF_SUBCLASS;
            ti.hwnd = m_hWnd;
            ti.uId = j;
            ti.lpszText = const_cast<char*>(kCloseTip);
            ::SendMessageA(m_toolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
        }
    }
    return 0;
}

LRESULT CSplitWnd::OnSizeMsg(WPARAM, LPARAM lParam) {
    m_cx = static_cast<short>(LOWORD(lParam));
    m_cy = static_cast<short>(HIWORD(lParam));
    RecalcLayout();
    return 0;
}

void CSplitWnd::SetPanes(HWND pane0, HWND pane1, bool stacked, bool relayout) {
    const HWND panes[2] = {pane0, pane1};
    for (int j = 0; j < 2; ++j) {
        m_pane[j] = panes[j];
        if (panes[j] && ::GetParent(panes[j]) != m_hWnd) ::SetParent(panes[j], m_hWnd);
    }
    SetFlag(m_flags, kStacked, stacked);
    if (relayout) {
        RecalcLayout();
        Invalidate(false);
    }
}

void CSplitWnd::ShowPanes(bool show0, bool show1) {
    const bool show[2] = {show0, show1};
    for (int j = 0; j < 2; ++j) SetFlag(m_paneFlags[j], kPaneShown, show[j]);
    // Place the windows first so that a window coming into view shows at
    // its new place.
    RecalcLayout();
    const HWND focus = ::GetFocus();
    for (int j = 0; j < 2; ++j) {
        const HWND w = m_pane[j];
        if (!w || ::GetParent(w) != m_hWnd) continue;
        // Keys must not go on to a window that is no longer shown: the
        // top-level window takes the focus and passes it on.
        if (!show[j] && focus && (focus == w || ::IsChild(w, focus))) ::SetFocus(::GetAncestor(m_hWnd, GA_ROOT));
        ::ShowWindow(w, show[j] ? SW_SHOWNA : SW_HIDE);
    }
    Invalidate(false);
}

void CSplitWnd::SetCaptions(bool caption0, bool caption1) {
    SetFlag(m_paneFlags[0], kPaneCaption, caption0);
    SetFlag(m_paneFlags[1], kPaneCaption, caption1);
    RecalcLayout();
    Invalidate(false);
}

void CSplitWnd::SetCaptionText(int pane, const std::string& text) {
    if (pane != 0 && pane != 1) return;
    m_caption[pane] = text;
    if (m_hWnd) {
        const RECT rc = m_captionRect[pane];
        ::InvalidateRect(m_hWnd, &rc, FALSE);
    }
}

int CSplitWnd::SetBarPos(int pos) {
    const int old = m_barPos;
    m_barPos = pos;
    RecalcLayout();
    Invalidate(false);
    return old;
}

bool CSplitWnd::SetBarMovable(bool movable) { return SetFlag(m_flags, kBarMovable, movable); }

bool CSplitWnd::SetLiveDrag(bool live) { return SetFlag(m_flags, kLiveDrag, live); }

void CSplitWnd::SetCloseIcon(HICON icon) {
    m_closeIcon = icon;
    Invalidate(false);
}

bool CSplitWnd::IsPaneShown(int pane) const {
    return (pane == 0 || pane == 1) && (m_paneFlags[pane] & kPaneShown) != 0;
}

void CSplitWnd::RecalcLayout() {
    if (!m_hWnd) return;
    const split::SplitGeometry g = Geometry();
    for (int j = 0; j < 2; ++j) {
        m_captionRect[j] = g.pane[j].hasCaption ? ToRECT(g.pane[j].caption) : RECT{};
        // A window another split window has taken over is left alone.
        const HWND w = m_pane[j];
        if (!w || ::GetParent(w) != m_hWnd || !g.pane[j].visible) continue;
        const split::Rect& r = g.pane[j].window;
        ::SetWindowPos(w, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    UpdateToolRects(g);
}

void CSplitWnd::UpdateToolRects(const split::SplitGeometry& g) {
    if (!m_toolTip) return;
    for (UINT j = 0; j < 2; ++j) {
        const split::PaneGeometry& p = g.pane[j];
        TOOLINFOA ti = {};
        ti.cbSize = sizeof ti;
        ti.hwnd = m_hWnd;
        ti.uId = j;
        ti.rect = (p.visible && p.hasClose) ? ToRECT(p.close) : RECT{};
        ::SendMessageA(m_toolTip, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&ti));
    }
}

LRESULT CSplitWnd::OnEraseBkgndMsg(WPARAM, LPARAM) { return 1; }

LRESULT CSplitWnd::OnPaintMsg(WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    // The children clip themselves out: this fills the bar, the caption bars
    // and whatever a pane's window leaves.
    const RECT client = GetClientRect();
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    const split::SplitGeometry g = Geometry();
    for (int j = 0; j < 2; ++j) {
        if (g.pane[j].visible && g.pane[j].hasCaption) PaintCaption(dc, j, g.pane[j]);
    }
    ::EndPaint(m_hWnd, &ps);
    return 0;
}

void CSplitWnd::PaintCaption(HDC dc, int pane, const split::PaneGeometry& g) {
    RECT frame = ToRECT(g.band);
    ::DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    RECT caption = ToRECT(g.caption);
    ::DrawEdge(dc, &caption, EDGE_ETCHED, BF_BOTTOM);

    HGDIOBJ oldFont = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE avg = {};
    ::GetTextExtentPoint32A(dc, "aAjJ,_あ", 8, &avg);
    RECT text = ToRECT(g.captionText);
    text.left += avg.cx / 8 / 4;
    if (text.right > text.left) {
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
        ::DrawTextA(dc, m_caption[pane].c_str(), static_cast<int>(m_caption[pane].size()), &text,
                    DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    ::SelectObject(dc, oldFont);

    if (!g.hasClose || g.close.Empty()) return;
    RECT box = ToRECT(g.close);
    const BYTE f = m_paneFlags[pane];
    const bool pressed = (f & kPaneClosePressed) != 0;
    if (pressed) ::DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
    else if (f & kPaneCloseHot) ::DrawEdge(dc, &box, BDR_RAISEDINNER, BF_RECT);
    if (m_closeIcon) {
        const int shift = pressed ? 1 : 0;
        const int x = box.left + (g.close.Width() - kIconSize) / 2 + shift;
        const int y = box.top + (g.close.Height() - kIconSize) / 2 + shift;
        ::DrawIconEx(dc, x, y, m_closeIcon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
    }
}

LRESULT CSplitWnd::OnSetCursorMsg(WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(wParam) != m_hWnd || LOWORD(lParam) != HTCLIENT)
        return DefWindowProc(WM_SETCURSOR, wParam, lParam);
    POINT pt = {};
    ::GetCursorPos(&pt);
    ::ScreenToClient(m_hWnd, &pt);
    const split::SplitHitResult hit = split::HitTestSplit(Geometry(), pt.x, pt.y);
    if (hit.what == split::SplitHit::Bar && (m_flags & kBarMovable)) SetSizeCursor();
    else ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    return TRUE;
}

void CSplitWnd::SetSizeCursor() const {
    ::SetCursor(::LoadCursorA(nullptr, IsStacked() ? IDC_SIZENS : IDC_SIZEWE));
}

LRESULT CSplitWnd::OnLButtonDownMsg(WPARAM, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    const split::SplitGeometry g = Geometry();
    const split::SplitHitResult hit = split::HitTestSplit(g, x, y);
    if (hit.what == split::SplitHit::CloseButton) {
        m_pressedPane = hit.pane;
        SetCloseState(hit.pane, kPaneCloseHot | kPaneClosePressed);
        ::SetCapture(m_hWnd);
        return 0;
    }
    if (hit.what == split::SplitHit::Bar && (m_flags & kBarMovable)) {
        SetFlag(m_flags, kDragging, true);
        m_dragPos = g.bar;
        ::SetCapture(m_hWnd);
        SetSizeCursor();
        if (!(m_flags & kLiveDrag)) DrawDragOutline(m_dragPos);
    }
    return 0;
}

LRESULT CSplitWnd::OnMouseMoveMsg(WPARAM, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    if (m_flags & kDragging) {
        SetSizeCursor();
        const int pos = split::ClampBarPos(IsStacked() ? y : x, State(), Metrics());
        if (pos == m_dragPos) return 0;
        if (m_flags & kLiveDrag) {
            m_dragPos = pos;
            m_barPos = pos;
            RecalcLayout();
            Invalidate(false);
            ::UpdateWindow(m_hWnd);
        } else {
            DrawDragOutline(m_dragPos);  // the outline is drawn inverted: this erases it
            m_dragPos = pos;
            DrawDragOutline(m_dragPos);
        }
        return 0;
    }
    const split::SplitHitResult hit = split::HitTestSplit(Geometry(), x, y);
    const bool onClose = hit.what == split::SplitHit::CloseButton;
    if (m_pressedPane >= 0) {
        // The button stays down only while the pointer is over it.
        const bool over = onClose && hit.pane == m_pressedPane;
        SetCloseState(m_pressedPane, over ? kPaneCloseHot | kPaneClosePressed : 0);
        return 0;
    }
    for (int j = 0; j < 2; ++j) SetCloseState(j, onClose && hit.pane == j ? kPaneCloseHot : 0);
    if (onClose && !m_trackingLeave) {
        TRACKMOUSEEVENT tme = {};
        tme.cbSize = sizeof tme;
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = m_hWnd;
        m_trackingLeave = ::TrackMouseEvent(&tme) != 0;
    }
    return 0;
}

LRESULT CSplitWnd::OnLButtonUpMsg(WPARAM, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    if (m_flags & kDragging) {
        m_dragPos = split::ClampBarPos(IsStacked() ? y : x, State(), Metrics());
        EndDrag(true);
        return 0;
    }
    if (m_pressedPane >= 0) {
        const int pane = m_pressedPane;
        m_pressedPane = -1;
        ::ReleaseCapture();
        SetCloseState(pane, 0);
        const split::SplitHitResult hit = split::HitTestSplit(Geometry(), x, y);
        if (hit.what == split::SplitHit::CloseButton && hit.pane == pane) OnPaneClosed(pane);
    }
    return 0;
}

void CSplitWnd::EndDrag(bool apply) {
    if (!(m_flags & kDragging)) return;
    SetFlag(m_flags, kDragging, false);
    const bool live = (m_flags & kLiveDrag) != 0;
    if (!live) DrawDragOutline(m_dragPos);
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    // A live drag has moved the bar already; an outline drag moves it now.
    if (apply || live) {
        m_barPos = m_dragPos;
        RecalcLayout();
        Invalidate(false);
    }
}

LRESULT CSplitWnd::OnCaptureChangedMsg(WPARAM, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) == m_hWnd) return 0;
    // Capture taken away (another window, a menu): the drag or the press
    // ends without effect.
    EndDrag(false);
    if (m_pressedPane >= 0) {
        const int pane = m_pressedPane;
        m_pressedPane = -1;
        SetCloseState(pane, 0);
    }
    return 0;
}

LRESULT CSplitWnd::OnMouseLeaveMsg(WPARAM, LPARAM) {
    m_trackingLeave = false;
    if (m_pressedPane < 0) {
        for (int j = 0; j < 2; ++j) SetCloseState(j, 0);
    }
    return 0;
}

void CSplitWnd::SetCloseState(int pane, BYTE state) {
    const BYTE mask = kPaneCloseHot | kPaneClosePressed;
    const BYTE next = static_cast<BYTE>((m_paneFlags[pane] & ~mask) | (state & mask));
    if (next == m_paneFlags[pane]) return;
    m_paneFlags[pane] = next;
    const split::SplitGeometry g = Geometry();
    if (g.pane[pane].hasClose) {
        const RECT rc = ToRECT(g.pane[pane].close);
        ::InvalidateRect(m_hWnd, &rc, FALSE);
    }
}

void CSplitWnd::DrawDragOutline(int pos) {
    // Inverted focus rectangles over the panes as well (no clipping of the
    // children), two pixels wide each, covering the bar.
    HDC dc = ::GetDCEx(m_hWnd, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    if (!dc) return;
    const split::Rect bar = split::BarRectAt(pos, State(), Metrics());
    for (int k = 0; k < m_barHalf; ++k) {
        RECT rc = ToRECT(bar);
        if (IsStacked()) {
            rc.top = bar.top + 2 * k;
            rc.bottom = rc.top + 2;
        } else {
            rc.left = bar.left + 2 * k;
            rc.right = rc.left + 2;
        }
        ::DrawFocusRect(dc, &rc);
    }
    ::ReleaseDC(m_hWnd, dc);
}

void CSplitWnd::OnPaneClosed(int pane) {
    ShowPanes(pane == 0 ? false : IsPaneShown(0), pane == 1 ? false : IsPaneShown(1));
    if (IsPaneShown(0) || IsPaneShown(1)) return;
    if (CSplitWnd* parent = FromSplitHandle(GetParent())) parent->OnChildSplitEmptied(m_hWnd);
}

void CSplitWnd::OnChildSplitEmptied(HWND child) {
    int pane = -1;
    for (int j = 0; j < 2; ++j) {
        if (m_pane[j] == child) pane = j;
    }
    if (pane < 0) return;
    const int other = 1 - pane;
    bool show[2];
    show[pane] = false;
    show[other] = m_pane[other] != nullptr;
    ShowPanes(show[0], show[1]);
    if (!show[other]) {
        if (CSplitWnd* parent = FromSplitHandle(GetParent())) parent->OnChildSplitEmptied(m_hWnd);
    }
}

bool CSplitWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (CWnd::OnCommand(wParam, lParam)) return true;
    if (HWND parent = GetParent()) ::SendMessageA(parent, WM_COMMAND, wParam, lParam);
    return true;
}

bool CSplitWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (CWnd::OnNotify(wParam, lParam, result)) return true;
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    // The close buttons' tooltip talks to this window only.
    if (!header || header->hwndFrom == m_toolTip) return false;
    HWND parent = GetParent();
    if (!parent) return false;
    *result = ::SendMessageA(parent, WM_NOTIFY, wParam, lParam);
    return true;
}
