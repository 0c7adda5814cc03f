#include "win32/splitwnd/SplitTestHost.h"

#include <cstdio>

namespace splittest {

bool CHostWnd::Create(int clientWidth, int clientHeight) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpszClassName = "PqSplitTestHost";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    if (!RegisterWindowClass(wc)) return false;
    RECT rc = {0, 0, clientWidth, clientHeight};
    // A pop-up: Wine without a window manager waits two seconds for an
    // overlapped window to be withdrawn when it is hidden or destroyed.
    const DWORD style = WS_POPUP | WS_BORDER | WS_CLIPCHILDREN;
    ::AdjustWindowRectEx(&rc, style, FALSE, 0);
    if (!CreateEx(0, "PqSplitTestHost", "分割ウィンドウ", style, 20, 20, rc.right - rc.left, rc.bottom - rc.top,
                  nullptr, 0))
        return false;
    ShowWindow(SW_SHOWNOACTIVATE);
    return true;
}

HWND MakePane(HWND parent, const char* text, UINT id) {
    return ::CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | WS_BORDER | SS_CENTER, 0, 0, 50, 50, parent,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ::GetModuleHandleA(nullptr),
                             nullptr);
}

RECT RectIn(HWND window, HWND relativeTo) {
    RECT rc = {};
    ::GetWindowRect(window, &rc);
    ::MapWindowPoints(HWND_DESKTOP, relativeTo, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

std::string Describe(const RECT& r) {
    char buf[80];
    std::snprintf(buf, sizeof buf, "{%ld, %ld, %ld, %ld}", static_cast<long>(r.left), static_cast<long>(r.top),
                  static_cast<long>(r.right), static_cast<long>(r.bottom));
    return buf;
}

void MouseDown(HWND w, int x, int y) { ::SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
void MouseMove(HWND w, int x, int y) { ::SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y)); }
void MouseUp(HWND w, int x, int y) { ::SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }

void PointerTo(HWND w, int x, int y) {
    POINT pt = {x, y};
    ::ClientToScreen(w, &pt);
    ::SetCursorPos(pt.x, pt.y);
}

void Pump(DWORD ms) {
    const DWORD start = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(5);
    } while (::GetTickCount() - start < ms);
}

}  // namespace splittest
