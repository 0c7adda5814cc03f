// Painting and scrolling of the editor window beside the system's multi-line
// EDIT control showing the same text in the same font and size:
//   1. a full screen of 120 x 50 cells of Shift JIS text, marks and colour on;
//   2. paging through a document of 1 000 000 lines.
// Prints figures; asserts nothing. Usage: bench_win32_canvasedit [pages]
// (pages paged in test 2; the default pages through the whole document).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

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

void Pump() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// A line of `columns` display columns: Japanese, ASCII, a tag, spaces of both
// widths and a tab, repeated.
std::string ScreenLine(int n, int columns) {
    static const char* const pieces[] = {"<p class=\"x\">", "日本語の文章", " ", "　", "\t", "漢字とかな",
                                         "abc def", "</p>", "ｶﾀｶﾅ", "表示"};
    std::string line;
    int column = 0, k = n;
    while (true) {
        const std::string piece = pieces[k++ % 10];
        const int width = piece == "\t" ? 4 - column % 4 : static_cast<int>(piece.size());
        if (column + width > columns) break;
        line += piece;
        column += width;
    }
    while (column++ < columns) line += 'x';
    return line;
}

std::string ScreenText(int lines, int columns) {
    std::string text;
    for (int i = 0; i < lines; ++i) {
        if (i) text += "\r\n";
        text += ScreenLine(i, columns);
    }
    return text;
}

void InstallHtmlColouring(CCanvasEdit& edit) {
    auto colorizer = std::make_shared<editor::HtmlColorizer>(nullptr, nullptr, editor::HtmlColors{});
    edit.Model().SetColorFunctions(
        [colorizer](const char* l, int n, int p, editor::Color* c) { return colorizer->ColorLine(l, n, p, c); },
        [colorizer](const char* l, int n, int p) { return colorizer->LineState(l, n, p); });
}

// Repaints the whole window `rounds` times; milliseconds a repaint.
double TimeFullPaint(HWND hwnd, int rounds) {
    ::UpdateWindow(hwnd);
    const double start = Now();
    for (int i = 0; i < rounds; ++i) {
        ::InvalidateRect(hwnd, nullptr, TRUE);
        ::UpdateWindow(hwnd);
    }
    ::GdiFlush();
    return (Now() - start) / rounds;
}

// Pages down `pages` times from the top, painting after each; milliseconds in all.
double TimePaging(HWND hwnd, int pages) {
    ::SendMessageA(hwnd, WM_VSCROLL, SB_TOP, 0);
    ::UpdateWindow(hwnd);
    const double start = Now();
    for (int i = 0; i < pages; ++i) {
        ::SendMessageA(hwnd, WM_VSCROLL, SB_PAGEDOWN, 0);
        ::UpdateWindow(hwnd);
        if ((i & 255) == 0) Pump();
    }
    ::GdiFlush();
    return Now() - start;
}

// Wide text for the system control (it keeps its text as UTF-16).
std::wstring Wide(const std::string& text) {
    const int n = ::MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), &w[0], n);
    return w;
}

HWND CreateSystemEdit(HWND parent, const RECT& rc, HFONT font) {
    HWND hwnd = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                  WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE | ES_AUTOHSCROLL |
                                      ES_AUTOVSCROLL | ES_NOHIDESEL,
                                  rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, parent, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
    ::SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    ::SendMessageW(hwnd, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
    return hwnd;
}

}  // namespace

int main(int argc, char** argv) {
    constexpr int kColumns = 120, kRows = 50, kLines = 1000000;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "PqBenchFrame";
    ::RegisterClassExA(&wc);
    HWND frame = ::CreateWindowExA(0, "PqBenchFrame", "", WS_POPUP | WS_VISIBLE, 0, 0, 1600, 1000, nullptr, nullptr,
                                   wc.hInstance, nullptr);
    CCanvasEdit edit;
    RECT rc = {0, 0, 400, 300};
    if (!frame || !edit.Create(frame, CCanvasEdit::kControlId, &rc)) {
        std::printf("could not create the windows\n");
        return 1;
    }
    InstallHtmlColouring(edit);
    // Size the editor to show 120 x 50 cells of text besides its gutter and ruler.
    const editor::ViewGeometry g = edit.Model().Geometry();
    RECT client = edit.GetClientRect(), window;
    ::GetWindowRect(edit.m_hWnd, &window);
    const int width = g.textLeft + kColumns * edit.CharWidth() + (window.right - window.left - client.right);
    const int height = g.textTop + kRows * edit.LineHeight() + (window.bottom - window.top - client.bottom);
    ::MoveWindow(edit.m_hWnd, 0, 0, width, height, TRUE);
    const RECT editRect = {0, 0, width, height};
    std::printf("window %d x %d pixels: %d x %d cells of %d x %d pixels\n", width, height,
                edit.Model().Geometry().visibleColumns, edit.Model().Geometry().visibleLines, edit.CharWidth(),
                edit.LineHeight());

    // 1. A full screen of Shift JIS text, marks and colour on.
    const std::string screen = ScreenText(kRows, kColumns);
    edit.Model().SetText(screen);
    const int rounds = 100;
    const double oursDirect = TimeFullPaint(edit.m_hWnd, rounds);
    double oursBuffered = 0;
    {
        ::UpdateWindow(edit.m_hWnd);
        const double start = Now();
        for (int i = 0; i < rounds; ++i) {
            edit.Model().SetFlags(editor::EditorModel::kOffscreenPaint, true);
            ::InvalidateRect(edit.m_hWnd, nullptr, TRUE);
            ::UpdateWindow(edit.m_hWnd);
        }
        ::GdiFlush();
        oursBuffered = (Now() - start) / rounds;
    }
    ::ShowWindow(edit.m_hWnd, SW_HIDE);
    HWND system = CreateSystemEdit(frame, editRect, edit.TextFont());
    ::SetWindowTextW(system, Wide(screen).c_str());
    const double systemPaint = TimeFullPaint(system, rounds);
    std::printf("full screen 120 x 50 (%zu bytes), ms a repaint: CanvasEdit %.2f (through the off-screen bitmap "
                "%.2f), system EDIT %.2f\n",
                screen.size(), oursDirect, oursBuffered, systemPaint);
    std::fflush(stdout);
    ::DestroyWindow(system);
    ::ShowWindow(edit.m_hWnd, SW_SHOW);
    Pump();

    // 2. Paging through 1 000 000 lines.
    std::string big;
    big.reserve(static_cast<std::size_t>(kLines) * 44);
    for (int i = 0; i < kLines; ++i) {
        if (i) big += "\r\n";
        big += ScreenLine(i, 40);
    }
    double start = Now();
    edit.Model().SetText(big);
    const double oursLoad = Now() - start;
    const int wholePages = (kLines + kRows - 1) / kRows;
    const int pages = argc > 1 ? std::max(1, std::atoi(argv[1])) : wholePages;
    const double oursPaging = TimePaging(edit.m_hWnd, pages);
    std::printf("1 000 000 lines (%zu bytes), CanvasEdit: setting the text %.0f ms; paging down %d pages of %d "
                "lines %.0f ms (%.2f ms a page), first line %d\n",
                big.size(), oursLoad, pages, kRows, oursPaging, oursPaging / pages, edit.Model().FirstLine());
    std::fflush(stdout);
    ::ShowWindow(edit.m_hWnd, SW_HIDE);

    system = CreateSystemEdit(frame, editRect, edit.TextFont());
    const std::wstring wideBig = Wide(big);
    start = Now();
    ::SetWindowTextW(system, wideBig.c_str());
    const double systemLoad = Now() - start;
    const double systemPaging = TimePaging(system, pages);
    const int systemLast = static_cast<int>(::SendMessageW(system, EM_GETFIRSTVISIBLELINE, 0, 0));
    std::printf("1 000 000 lines, system EDIT: setting the text %.0f ms; paging down %d pages of %d lines %.0f ms "
                "(%.2f ms a page), first line %d\n",
                systemLoad, pages, kRows, systemPaging, systemPaging / pages, systemLast);
    ::DestroyWindow(system);
    edit.DestroyWindow();
    ::DestroyWindow(frame);
    return 0;
}
