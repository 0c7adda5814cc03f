// A top-level window that hosts the controls under test and swallows the
// commands they send to their parent. It is a visible pop-up: Wine without a
// window manager waits two seconds to withdraw an overlapped window when it
// is destroyed.
#pragma once

#include "framework/win/Wnd.h"

class CTestHostWindow : public CWnd {
public:
    bool Create(const char* className, int width = 640, int height = 420) {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &CWnd::StdWndProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = className;
        if (!RegisterWindowClass(wc)) return false;
        return CreateEx(0, className, "", WS_POPUP | WS_BORDER | WS_CLIPCHILDREN | WS_VISIBLE, 10, 10, width, height,
                        nullptr, 0);
    }
    bool OnCommand(WPARAM, LPARAM) override { return true; }
};
