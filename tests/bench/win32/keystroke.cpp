// A keystroke with its repaint, as another program sees it: WM_CHAR sent to
// the editor, then UpdateWindow; the median of many. On a page of 300 KB, a
// page of 7 MB that is one line (with the caret at its start and at its
// end), and "<!--" typed at the top of a page of 1 000 000 lines, which
// changes the colouring of every line below. The system's multi-line EDIT
// control on the same 300 KB page is the anchor.
// Prints "keystroke <case> <ms>" lines; asserts nothing.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchDocument.h"
#include "editor/core/HtmlColorizer.h"
#include "editor/win/CanvasEdit.h"

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

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Sends each character and repaints; the median milliseconds of one.
double Keystrokes(HWND hwnd, const char* chars, int rounds, bool wide = false) {
    std::vector<double> times;
    for (int r = 0; r < rounds; ++r) {
        for (const char* c = chars; *c; ++c) {
            const double start = Now();
            if (wide) {
                ::SendMessageW(hwnd, WM_CHAR, static_cast<unsigned char>(*c), 1);
            } else {
                ::SendMessageA(hwnd, WM_CHAR, static_cast<unsigned char>(*c), 1);
            }
            ::UpdateWindow(hwnd);
            ::GdiFlush();
            times.push_back(Now() - start);
        }
    }
    return Median(times);
}

void Report(const char* what, double ms) {
    std::printf("keystroke %-24s %8.2f ms\n", what, ms);
    std::fflush(stdout);
}

}  // namespace

int main() {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "PqKeystrokeBench";
    ::RegisterClassExA(&wc);
    HWND frame = ::CreateWindowExA(0, "PqKeystrokeBench", "", WS_POPUP | WS_VISIBLE, 0, 0, 1000, 700, nullptr,
                                   nullptr, wc.hInstance, nullptr);
    CCanvasEdit edit;
    RECT rc = {0, 0, 1000, 700};
    if (!frame || !edit.Create(frame, CCanvasEdit::kControlId, &rc)) {
        std::printf("could not create the windows\n");
        return 1;
    }
    auto colorizer = std::make_shared<editor::HtmlColorizer>(nullptr, nullptr, editor::HtmlColors{});
    edit.Model().SetColorFunctions(
        [colorizer](const char* l, int n, int p, editor::Color* c) { return colorizer->ColorLine(l, n, p, c); },
        [colorizer](const char* l, int n, int p) { return colorizer->LineState(l, n, p); });
    edit.Model().SetColorPart([colorizer](const char* l, int n, int p, const editor::ColorResume* s, int from, int to,
                                          editor::Color* c, std::vector<editor::ColorResume>* r, int step) {
        return colorizer->ColorPart(l, n, p, s, from, to, c, r, step);
    });
    ::SetFocus(edit.m_hWnd);
    const int rounds = 20;

    // 300 KB page, typing in its middle.
    const std::string page = Document(5000, 3);
    edit.Model().SetText(page);
    edit.Model().GoToLine(2500);
    ::UpdateWindow(edit.m_hWnd);
    Report("300KB", Keystrokes(edit.m_hWnd, "abcdefghij", rounds));

    // 7 MB on one line: a minified page.
    std::string minified = Document(120000, 4);
    minified.erase(std::remove_if(minified.begin(), minified.end(), [](char c) { return c == '\r' || c == '\n'; }),
                   minified.end());
    minified.resize(7u << 20);
    edit.Model().SetText(minified);
    ::UpdateWindow(edit.m_hWnd);
    Report("7MB-one-line-start", Keystrokes(edit.m_hWnd, "abcdefghij", rounds));
    ::SendMessageA(edit.m_hWnd, WM_KEYDOWN, VK_END, 1);
    ::UpdateWindow(edit.m_hWnd);
    Report("7MB-one-line-end", Keystrokes(edit.m_hWnd, "abcdefghij", rounds));

    // "<!--" typed at the top of 1 000 000 lines, then taken back.
    const std::string big = Document(1000000, 5);
    edit.Model().SetText(big);
    ::UpdateWindow(edit.m_hWnd);
    std::vector<double> opening;
    for (int r = 0; r < rounds; ++r) {
        edit.Model().GoToLine(0);
        ::SendMessageA(edit.m_hWnd, WM_CHAR, '<', 1);
        ::SendMessageA(edit.m_hWnd, WM_CHAR, '!', 1);
        ::SendMessageA(edit.m_hWnd, WM_CHAR, '-', 1);
        ::UpdateWindow(edit.m_hWnd);
        const double start = Now();
        ::SendMessageA(edit.m_hWnd, WM_CHAR, '-', 1);  // the comment opens here
        ::UpdateWindow(edit.m_hWnd);
        ::GdiFlush();
        opening.push_back(Now() - start);
        for (int k = 0; k < 4; ++k) edit.Model().Undo();
        ::UpdateWindow(edit.m_hWnd);
    }
    Report("1M-lines-comment-at-top", Median(opening));
    ::ShowWindow(edit.m_hWnd, SW_HIDE);

    // The anchor: the system EDIT control on the 300 KB page.
    HWND system = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                    WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE | ES_AUTOHSCROLL |
                                        ES_AUTOVSCROLL | ES_NOHIDESEL,
                                    0, 0, 1000, 700, frame, nullptr, wc.hInstance, nullptr);
    ::SendMessageW(system, WM_SETFONT, reinterpret_cast<WPARAM>(edit.TextFont()), TRUE);
    ::SendMessageW(system, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
    const int n = ::MultiByteToWideChar(932, 0, page.data(), static_cast<int>(page.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(932, 0, page.data(), static_cast<int>(page.size()), &wide[0], n);
    ::SetWindowTextW(system, wide.c_str());
    const LRESULT middle = ::SendMessageW(system, EM_LINEINDEX, 2500, 0);
    ::SendMessageW(system, EM_SETSEL, static_cast<WPARAM>(middle), middle);
    ::SendMessageW(system, EM_SCROLLCARET, 0, 0);
    ::SetFocus(system);
    ::UpdateWindow(system);
    Report("300KB-system-EDIT", Keystrokes(system, "abcdefghij", rounds, true));
    ::DestroyWindow(system);
    edit.DestroyWindow();
    ::DestroyWindow(frame);
    return 0;
}
