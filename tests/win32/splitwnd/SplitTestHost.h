// A top-level test window that hosts split windows and records the commands
// and notifications that reach it, with helpers for pane rectangles and
// mouse messages.
#pragma once

#include <string>
#include <vector>

#include "framework/win/Wnd.h"

namespace splittest {

class CHostWnd : public CWnd {
public:
    struct Received {
        UINT message;
        WPARAM wParam;
        UINT code;   // notification code of a WM_NOTIFY
    };
    std::vector<Received> received;

    // A visible top-level window with a client area of the given size.
    bool Create(int clientWidth, int clientHeight);

    bool OnCommand(WPARAM wParam, LPARAM) override {
        received.push_back({WM_COMMAND, wParam, 0});
        return true;
    }
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        received.push_back({WM_NOTIFY, wParam, reinterpret_cast<NMHDR*>(lParam)->code});
        *result = 42;
        return true;
    }
};

// A plain visible child window (a static control with a border) of parent.
HWND MakePane(HWND parent, const char* text, UINT id = 0);
// The window's rectangle in the client coordinates of `relativeTo`, and as
// text "{left, top, right, bottom}" for comparisons.
RECT RectIn(HWND window, HWND relativeTo);
std::string Describe(const RECT& r);
inline std::string Where(HWND window, HWND relativeTo) { return Describe(RectIn(window, relativeTo)); }

// Mouse messages straight to a window, in its client coordinates.
void MouseDown(HWND w, int x, int y);
void MouseMove(HWND w, int x, int y);
void MouseUp(HWND w, int x, int y);
// Moves the display's pointer to a point of a window.
void PointerTo(HWND w, int x, int y);
// Handles the queued messages (painting) for a while.
void Pump(DWORD ms = 50);

}  // namespace splittest
