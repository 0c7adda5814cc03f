// Start-up to the main window shown, with no file: the program beside
// Wine's notepad, both started the same way from here (CreateProcess, then
// watching for a visible top-level window of their class), alternately, the
// median of several runs each. Each is closed with WM_CLOSE after it showed.
// Usage: bench_win32_startup PEMBROQUIL.EXE. Prints "startup <name> <ms>".
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/core/AppInfo.h"

namespace {

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

struct Search {
    DWORD process;
    const char* windowClass;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param) {
    Search* s = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    char name[64] = {};
    ::GetClassNameA(hwnd, name, sizeof name);
    if (pid == s->process && ::IsWindowVisible(hwnd) && lstrcmpiA(name, s->windowClass) == 0) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// Milliseconds from CreateProcess to the window shown; -1 when it did not
// show within 20 s.
double StartOnce(const std::string& commandLine, const char* windowClass) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::string cmd = commandLine;
    const double start = Now();
    if (!::CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    Search s{pi.dwProcessId, windowClass, nullptr};
    double shown = -1;
    while (Now() - start < 20000) {
        ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&s));
        if (s.found) {
            shown = Now() - start;
            break;
        }
        ::Sleep(1);
    }
    if (s.found) ::PostMessageA(s.found, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) ::TerminateProcess(pi.hProcess, 1);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return shown;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: bench_win32_startup PEMBROQUIL.EXE\n");
        return 2;
    }
    const std::string ours = std::string("\"") + argv[1] + "\"";
    const std::string notepad = "notepad.exe";
    StartOnce(ours, appinfo::kMainWindowClass);  // first runs fill the caches
    StartOnce(notepad, "Notepad");
    std::vector<double> a, b;
    for (int run = 0; run < 7; ++run) {
        a.push_back(StartOnce(ours, appinfo::kMainWindowClass));
        b.push_back(StartOnce(notepad, "Notepad"));
    }
    std::printf("startup Pembroquil %8.1f ms\n", Median(a));
    std::printf("startup notepad    %8.1f ms\n", Median(b));
    return 0;
}
