#include "e2e/Hostile.h"

#include <commctrl.h>

#include <cstring>

namespace e2e {

namespace {

const char* const kOwnClasses[] = {"PembroquilWClass", "CanvasEdit",       "SplitWindow32",
                                   "MenuBarWindow32",  "MDIButtonWindow32", "PqRegistTagPane",
                                   "PqFolderTreePane", "PqWebBrowserHost"};

bool IsOwnClass(HWND h) {
    char cls[64] = {};
    ::GetClassNameA(h, cls, sizeof cls);
    for (const char* own : kOwnClasses)
        if (std::strcmp(cls, own) == 0) return true;
    return false;
}

BOOL CALLBACK CollectOwn(HWND h, LPARAM lp) {
    if (IsOwnClass(h)) reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
    return TRUE;
}

struct Popups {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectPopups(HWND h, LPARAM lp) {
    auto* p = reinterpret_cast<Popups*>(lp);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(h, &owner);
    char cls[64] = {};
    ::GetClassNameA(h, cls, sizeof cls);
    if (owner == p->pid && ::IsWindowVisible(h) && (std::strcmp(cls, "#32770") == 0 || std::strcmp(cls, "#32768") == 0))
        p->found.push_back(h);
    return TRUE;
}

}  // namespace

std::vector<HWND> OwnWindows(HWND main) {
    std::vector<HWND> windows{main};
    ::EnumChildWindows(main, &CollectOwn, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

bool Answers(HWND hwnd, DWORD ms) {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, ms, &result) != 0;
}

int DismissDialogs(const Program& app, DWORD settleMs) {
    int closed = 0;
    DWORD quietSince = ::GetTickCount();
    // Looks at least once, then until nothing new came for settleMs.
    do {
        Popups p{app.ProcessId(), {}};
        ::EnumWindows(&CollectPopups, reinterpret_cast<LPARAM>(&p));
        if (p.found.empty()) {
            if (settleMs) ::Sleep(30);
            continue;
        }
        for (HWND h : p.found) {
            char cls[64] = {};
            ::GetClassNameA(h, cls, sizeof cls);
            if (std::strcmp(cls, "#32768") == 0) {
                // A popup menu ends when its owner is told to cancel modes.
                ::PostMessageA(app.MainWindow(), WM_CANCELMODE, 0, 0);
                ::PostMessageA(h, WM_KEYDOWN, VK_ESCAPE, 0);
            } else if (::GetDlgItem(h, IDCANCEL)) {
                PressDialogButton(h, IDCANCEL);
            } else if (::GetDlgItem(h, IDNO)) {
                PressDialogButton(h, IDNO);
            } else {
                PressDialogButton(h, IDOK);
                ::PostMessageA(h, WM_CLOSE, 0, 0);
            }
            ++closed;
        }
        app.WaitIdle(1000);
        quietSince = ::GetTickCount();
    } while (::GetTickCount() - quietSince < settleMs && closed < 50);
    return closed;
}

bool EditorTextViaClipboard(const Program& app, std::string* text) {
    if (!::OpenClipboard(nullptr)) return false;
    ::EmptyClipboard();
    ::CloseClipboard();
    DWORD_PTR result = 0;
    // Select all, then copy.
    ::SendMessageTimeoutA(app.MainWindow(), WM_COMMAND, MAKEWPARAM(40027, 0), 0, SMTO_ABORTIFHUNG, 5000, &result);
    ::SendMessageTimeoutA(app.MainWindow(), WM_COMMAND, MAKEWPARAM(32774, 0), 0, SMTO_ABORTIFHUNG, 5000, &result);
    app.WaitIdle(2000);
    text->clear();
    if (!::OpenClipboard(nullptr)) return false;
    bool ok = true;  // an empty text copies nothing
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        const char* p = static_cast<const char*>(::GlobalLock(data));
        ok = p != nullptr;
        if (p) text->assign(p, strnlen(p, ::GlobalSize(data)));
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return ok;
}

int TabCount(const Program& app) {
    HWND strip = app.FindChild("SysTabControl32");
    return strip ? static_cast<int>(::SendMessageA(strip, TCM_GETITEMCOUNT, 0, 0)) : -1;
}

}  // namespace e2e
