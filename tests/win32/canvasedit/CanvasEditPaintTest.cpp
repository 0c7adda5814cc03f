// The editor window's painting, fonts, caret and scrolling, checked on the
// pixels it paints into a memory bitmap and on its scroll bars.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "e2e/E2E.h"
#include "editor/core/HtmlColorizer.h"
#include "editor/win/CanvasEdit.h"

namespace {

// Distinct colours, so that every painted pixel tells who painted it.
constexpr COLORREF kText = RGB(0, 0, 0);
constexpr COLORREF kBack = RGB(255, 255, 255);
constexpr COLORREF kSelText = RGB(255, 255, 254);
constexpr COLORREF kSelBack = RGB(0, 0, 200);
constexpr COLORREF kTab = RGB(255, 0, 0);
constexpr COLORREF kHalf = RGB(0, 160, 0);
constexpr COLORREF kFull = RGB(200, 0, 200);
constexpr COLORREF kCrlf = RGB(0, 128, 128);
constexpr COLORREF kEof = RGB(128, 64, 0);
constexpr COLORREF kNum = RGB(10, 20, 30);
constexpr COLORREF kNumBack = RGB(230, 230, 200);
constexpr COLORREF kRuler = RGB(90, 0, 0);
constexpr COLORREF kRulerBack = RGB(200, 230, 255);

// A snapshot of the editor's client area, painted by the editor itself.
class Canvas {
public:
    explicit Canvas(CCanvasEdit& edit) {
        const RECT client = edit.GetClientRect();
        width_ = client.right;
        height_ = client.bottom;
        HDC screen = ::GetDC(nullptr);
        dc_ = ::CreateCompatibleDC(screen);
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = width_;
        bi.bmiHeader.biHeight = -height_;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_ = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        ::ReleaseDC(nullptr, screen);
        old_ = ::SelectObject(dc_, bitmap_);
        edit.PaintTo(dc_, client);
        ::GdiFlush();
    }
    ~Canvas() {
        ::SelectObject(dc_, old_);
        ::DeleteObject(bitmap_);
        ::DeleteDC(dc_);
    }
    COLORREF At(int x, int y) const { return ::GetPixel(dc_, x, y); }
    // Pixels of a colour inside a rectangle.
    int Count(const RECT& rc, COLORREF color) const {
        int n = 0;
        for (int y = std::max<LONG>(0, rc.top); y < std::min<LONG>(height_, rc.bottom); ++y)
            for (int x = std::max<LONG>(0, rc.left); x < std::min<LONG>(width_, rc.right); ++x)
                if (At(x, y) == color) ++n;
        return n;
    }
    // The right-most x in the rectangle whose pixel has the colour, or -1.
    int RightMost(const RECT& rc, COLORREF color) const {
        for (int x = rc.right - 1; x >= rc.left; --x)
            for (int y = rc.top; y < rc.bottom; ++y)
                if (At(x, y) == color) return x;
        return -1;
    }
    // Saves the picture as a 32-bit BMP file.
    bool Save(const std::string& path) const {
        BITMAPINFOHEADER bih = {};
        bih.biSize = sizeof bih;
        bih.biWidth = width_;
        bih.biHeight = height_;
        bih.biPlanes = 1;
        bih.biBitCount = 24;
        const int stride = (width_ * 3 + 3) & ~3;
        std::string pixels(static_cast<std::size_t>(stride) * height_, '\0');
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                const COLORREF c = At(x, height_ - 1 - y);
                char* p = &pixels[static_cast<std::size_t>(y) * stride + x * 3];
                p[0] = static_cast<char>(GetBValue(c));
                p[1] = static_cast<char>(GetGValue(c));
                p[2] = static_cast<char>(GetRValue(c));
            }
        BITMAPFILEHEADER bfh = {};
        bfh.bfType = 0x4D42;
        bfh.bfOffBits = sizeof bfh + sizeof bih;
        bfh.bfSize = bfh.bfOffBits + static_cast<DWORD>(pixels.size());
        std::string bytes(reinterpret_cast<const char*>(&bfh), sizeof bfh);
        bytes.append(reinterpret_cast<const char*>(&bih), sizeof bih);
        bytes += pixels;
        return e2e::WriteFileBytes(path, bytes);
    }

private:
    int width_ = 0, height_ = 0;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

class CanvasEditPaintTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "PqPaintTestParent";
        ::RegisterClassExA(&wc);
        parent = ::CreateWindowExA(0, "PqPaintTestParent", "", WS_POPUP | WS_VISIBLE, 0, 0, 800, 500, nullptr,
                                   nullptr, wc.hInstance, nullptr);
        ASSERT_TRUE(parent);
        RECT rc = {0, 0, 800, 500};
        ASSERT_TRUE(edit.Create(parent, CCanvasEdit::kControlId, &rc));
        const editor::EditorColors colors{kText, kBack, kSelText, kSelBack,   kTab,  kHalf,     kFull,
                                          kCrlf, kEof,  kNum,     kNumBack,   kRuler, kRulerBack};
        edit.Model().SetColors(&colors, false);
    }
    void TearDown() override {
        edit.DestroyWindow();
        ::DestroyWindow(parent);
    }
    editor::ViewGeometry Geometry() { return edit.Model().Geometry(); }
    // The pixel rectangle of a cell of `columns` columns at (column, line).
    RECT Cell(int column, int line, int columns = 1) {
        const auto g = Geometry();
        const int cw = edit.CharWidth(), lh = edit.LineHeight();
        const int x = g.textLeft + (column - edit.Model().FirstColumn()) * cw;
        const int y = g.textTop + (line - edit.Model().FirstLine()) * lh;
        return RECT{x, y, x + columns * cw, y + lh};
    }
    SCROLLINFO ScrollInfo(int bar) {
        SCROLLINFO si = {};
        si.cbSize = sizeof si;
        si.fMask = SIF_ALL;
        ::GetScrollInfo(edit.m_hWnd, bar, &si);
        return si;
    }

    HWND parent = nullptr;
    CCanvasEdit edit;
};

TEST_F(CanvasEditPaintTest, FontMeasuresAndRulerFontStaysFromCreation) {
    const int cw = edit.CharWidth();
    EXPECT_GT(cw, 3);
    EXPECT_GT(edit.LineHeight(), 8);
    HFONT ruler = edit.RulerFont();
    ASSERT_TRUE(ruler);
    LOGFONTA lf = {};
    ASSERT_TRUE(::GetObjectA(edit.TextFont(), sizeof lf, &lf));
    EXPECT_EQ(lf.lfCharSet, SHIFTJIS_CHARSET);  // the user's code page is 932
    EXPECT_STREQ(lf.lfFaceName, "ＭＳ ゴシック");
    EXPECT_EQ(lf.lfHeight, -(96 * 23 / 144));   // 11.5 points at 96 dots an inch

    // A bigger, bold font: wider cells, taller lines, the spacing added on top,
    // a plain font of normal weight, and the same ruler font.
    editor::EditorSettings s;
    s.lineSpacing = 3;
    edit.Model().SetSettings(&s, false);
    ASSERT_TRUE(edit.SetFont("ＭＳ ゴシック", 20, true, true));
    EXPECT_GT(edit.CharWidth(), cw);
    HDC dc = ::GetDC(edit.m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, edit.TextFont());
    SIZE size = {};
    ::GetTextExtentPoint32A(dc, "aAjJ,_", 6, &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(edit.m_hWnd, dc);
    EXPECT_EQ(edit.CharWidth(), size.cx / 6);
    EXPECT_EQ(edit.LineHeight(), size.cy + 3);
    ASSERT_TRUE(::GetObjectA(edit.TextFont(), sizeof lf, &lf));
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    ASSERT_TRUE(::GetObjectA(edit.PlainFont(), sizeof lf, &lf));
    EXPECT_EQ(lf.lfWeight, 0);
    EXPECT_EQ(edit.RulerFont(), ruler);
    ASSERT_TRUE(::GetObjectA(ruler, sizeof lf, &lf));
    EXPECT_EQ(lf.lfHeight, 10);
    // An unknown face is looked for in the user's set, then in any set, then
    // asked for in the ANSI set; the system substitutes a face.
    EXPECT_TRUE(edit.SetFont("No Such Face", 11, false, false));
    ASSERT_TRUE(::GetObjectA(edit.TextFont(), sizeof lf, &lf));
    EXPECT_EQ(lf.lfCharSet, ANSI_CHARSET);
    EXPECT_EQ(edit.RulerFont(), ruler);
}

TEST_F(CanvasEditPaintTest, SelectionMarksAndCaretLineArePainted) {
    auto& m = edit.Model();
    // Line 0: a tab, "ab", a full-width space, "cd"; line 1: "x y" (a half-width
    // space); line 2: "表　表" (full-width space inside the selection).
    m.SetText(std::string("\tab　cd\r\nx y\r\n表　表"));
    const int cw = edit.CharWidth(), lh = edit.LineHeight();
    {
        Canvas c(edit);
        const auto g = Geometry();
        // The tab mark: "→" in the tab colour inside the tab's cell.
        EXPECT_GT(c.Count(Cell(0, 0, 4), kTab), 0);
        // The full-width space mark "□" in its colour, at columns 6-7.
        EXPECT_GT(c.Count(Cell(6, 0, 2), kFull), 0);
        // The half-width space shows only the low corners of "[" and "]".
        RECT half = Cell(1, 1);
        EXPECT_GT(c.Count(half, kHalf), 0);
        RECT upper = half;
        upper.bottom = upper.top + (lh - 0) * 5 / 9;
        EXPECT_EQ(c.Count(upper, kHalf), 0);
        // The line-end marks after "cd" and after "x y", none after the last line.
        EXPECT_GT(c.Count(Cell(10, 0), kCrlf), 0);
        EXPECT_GT(c.Count(Cell(3, 1), kCrlf), 0);
        // "[EOF]" after the last line.
        EXPECT_GT(c.Count(Cell(6, 2, 5), kEof), 0);
        // The caret line (0) is marked in the gutter; line 1 is not.
        EXPECT_EQ(c.At(1, g.textTop + 1), kNum);
        EXPECT_EQ(c.At(1, g.textTop + lh + 1), kNumBack);
        // The ruler's background, and the caret column's cell in the ruler colour.
        EXPECT_EQ(c.At(g.textLeft + 3 * cw, 2), kRulerBack);
        EXPECT_EQ(c.At(g.textLeft + cw / 2 + 1, 2), kRuler);
        // The margin is background.
        EXPECT_EQ(c.At(g.gutterWidth + 2, g.textTop + 1), kBack);
    }

    // Select from line 1 column 2 to line 2 column 4 (caret at the end).
    m.SetSelection(2, 1, 4, 2);
    {
        Canvas c(edit);
        const RECT y = Cell(2, 1);  // "y" is selected: its cell is filled
        EXPECT_GT(c.Count(y, kSelBack), 0);
        EXPECT_GT(c.Count(y, kSelText), 0);
        EXPECT_EQ(c.Count(Cell(0, 1), kSelBack), 0);    // "x" is not selected
        EXPECT_GT(c.Count(Cell(3, 1), kSelBack), 0);    // the selected line end
        EXPECT_EQ(c.Count(Cell(3, 1), kCrlf), 0);       // ... shows no mark
        // The full-width space inside the selection: selection colour, no "□".
        EXPECT_EQ(c.Count(Cell(2, 2, 2), kFull), 0);
        EXPECT_GT(c.Count(Cell(2, 2, 2), kSelBack), 0);
        EXPECT_EQ(c.Count(Cell(4, 2, 2), kSelBack), 0);  // the second 表 is not
        // The caret line moved to line 2 in the gutter.
        EXPECT_EQ(c.At(1, Geometry().textTop + 2 * lh + 1), kNum);
        EXPECT_EQ(c.At(1, Geometry().textTop + 1), kNumBack);
    }

    // Marks off: nothing of their colours is painted.
    editor::EditorSettings s;
    s.tabDisp = s.halfSpaceDisp = s.fullSpaceDisp = s.crlfDisp = s.eofDisp = 0;
    s.lineNumDisp = s.rulerDisp = 0;
    m.SetSettings(&s, false);
    m.SetSelection(0, 0, 0, 0);
    {
        Canvas c(edit);
        RECT all = edit.GetClientRect();
        for (COLORREF color : {kTab, kHalf, kFull, kCrlf, kEof, kNumBack, kRulerBack}) EXPECT_EQ(c.Count(all, color), 0);
        EXPECT_EQ(Geometry().textLeft, 10);
        EXPECT_EQ(Geometry().textTop, 0);
    }
}

TEST_F(CanvasEditPaintTest, ColouringFunctionColoursThePaintedText) {
    auto& m = edit.Model();
    editor::HtmlColors html;
    html.delimiter = RGB(250, 0, 0);
    auto colorizer = std::make_shared<editor::HtmlColorizer>(nullptr, nullptr, html);
    m.SetColorFunctions(
        [colorizer](const char* l, int n, int p, editor::Color* c) { return colorizer->ColorLine(l, n, p, c); },
        [colorizer](const char* l, int n, int p) { return colorizer->LineState(l, n, p); });
    m.SetText(std::string("<p>\r\nplain"));
    {
        Canvas c(edit);
        EXPECT_GT(c.Count(Cell(0, 0), RGB(250, 0, 0)), 0);   // "<" is a delimiter
        EXPECT_EQ(c.Count(Cell(0, 1, 5), RGB(250, 0, 0)), 0);
        EXPECT_GT(c.Count(Cell(0, 1, 5), kText), 0);
    }
    editor::EditorSettings s;
    s.colorMode = 0;
    m.SetSettings(&s, false);
    Canvas c(edit);
    EXPECT_EQ(c.Count(Cell(0, 0), RGB(250, 0, 0)), 0);
}

TEST_F(CanvasEditPaintTest, GutterGrowsAtTenThousandLinesAndNumbersStayRightAligned) {
    auto& m = edit.Model();
    std::string text;
    for (int i = 1; i < 9999; ++i) text += "x\r\n";
    text += "x";
    m.SetText(text);
    const int cw = edit.CharWidth();
    EXPECT_EQ(m.LineCount(), 9999);
    EXPECT_EQ(Geometry().gutterWidth, 11 * cw / 2);
    m.SetSelection(1, 9998, 1, 9998);
    edit.SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(m.LineCount(), 10000);
    EXPECT_EQ(Geometry().gutterWidth, 13 * cw / 2);

    // Lines 9999 and 10000 at the bottom: their last digits end at one x.
    edit.SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    m.SetSelection(0, 0, 0, 0);  // the caret line elsewhere: no marked cell
    m.ScrollLineTo(m.LineCount());
    Canvas c(edit);
    const auto g = Geometry();
    const RECT row9999 = {0, Cell(0, 9998).top, g.gutterWidth - 2, Cell(0, 9998).bottom};
    const RECT row10000 = {0, Cell(0, 9999).top, g.gutterWidth - 2, Cell(0, 9999).bottom};
    const int a = c.RightMost(row9999, kNum), b = c.RightMost(row10000, kNum);
    ASSERT_GT(a, 0);
    EXPECT_LE(std::abs(a - b), cw / 2);
    EXPECT_LT(a, g.gutterWidth - cw / 2);  // half a cell of room on the right
    // The vertical line along the numbers.
    EXPECT_EQ(c.At(g.gutterWidth - 1, row10000.top + 1), kNum);
}

TEST_F(CanvasEditPaintTest, LongLineIsPaintedToItsEnd) {
    auto& m = edit.Model();
    m.SetText(std::string(5000, 'x') + "\r\nnext");
    EXPECT_EQ(ScrollInfo(SB_HORZ).nMax, 5001);  // the line and its end mark
    edit.SendMessage(WM_HSCROLL, SB_RIGHT, 0);
    const int v = Geometry().visibleColumns;
    EXPECT_EQ(m.FirstColumn(), 5001 - v + 1);
    EXPECT_EQ(ScrollInfo(SB_HORZ).nPos, m.FirstColumn());
    Canvas c(edit);
    EXPECT_GT(c.Count(Cell(4999, 0), kText), 0);  // the 5000th byte
    EXPECT_GT(c.Count(Cell(5000, 0), kCrlf), 0);  // and the line end after it
    m.SetText("short");
    EXPECT_EQ(ScrollInfo(SB_HORZ).nMax, 2048);
}

TEST_F(CanvasEditPaintTest, LargeDocumentScrollsWithThirtyTwoBitPositions) {
    auto& m = edit.Model();
    std::string text;
    text.reserve(1000000 * 3);
    for (int i = 0; i < 999999; ++i) text += "a\r\n";
    text += "a";
    m.SetText(text);
    const int h = Geometry().visibleLines;
    SCROLLINFO si = ScrollInfo(SB_VERT);
    EXPECT_EQ(si.nMin, 0);
    EXPECT_EQ(si.nMax, 999999);
    EXPECT_EQ(static_cast<int>(si.nPage), h);
    edit.SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(m.FirstLine(), 1000000 - h);
    EXPECT_EQ(ScrollInfo(SB_VERT).nPos, 1000000 - h);
    edit.SendMessage(WM_VSCROLL, SB_PAGEUP, 0);
    EXPECT_EQ(m.FirstLine(), 1000000 - 2 * h);
    edit.SendMessage(WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(m.FirstLine(), 1000000 - 2 * h - 1);
    // Three lines a wheel notch, down for a negative delta.
    edit.SendMessage(WM_VSCROLL, SB_TOP, 0);
    edit.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), 0);
    EXPECT_EQ(m.FirstLine(), 6);
    edit.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(m.FirstLine(), 3);
    // A line past 65 535 paints its number.
    m.ScrollLineTo(123456);
    Canvas c(edit);
    EXPECT_GT(c.Count(RECT{0, Geometry().textTop, Geometry().gutterWidth - 2, Geometry().textTop + edit.LineHeight()},
                      kNum),
              0);
}

TEST_F(CanvasEditPaintTest, ScrollingRepaintsOnlyTheUncoveredStrip) {
    auto& m = edit.Model();
    std::string text;
    for (int i = 0; i < 200; ++i) text += "line\r\n";
    m.SetText(text);
    ::UpdateWindow(edit.m_hWnd);
    ::ValidateRect(edit.m_hWnd, nullptr);
    edit.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(m.FirstLine(), 1);
    const RECT client = edit.GetClientRect();
    const int lh = edit.LineHeight();
    const auto g = Geometry();
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    ::GetUpdateRgn(edit.m_hWnd, region, FALSE);
    // The uncovered rows at the bottom, text and gutter; not the rows that moved.
    EXPECT_TRUE(::PtInRegion(region, client.right / 2, client.bottom - 2));
    EXPECT_TRUE(::PtInRegion(region, 2, client.bottom - 2));
    EXPECT_FALSE(::PtInRegion(region, client.right / 2, client.bottom - 2 * lh - 2));
    EXPECT_FALSE(::PtInRegion(region, client.right / 2, g.textTop + lh));
    EXPECT_FALSE(::PtInRegion(region, 2, g.textTop + lh));
    ::ValidateRect(edit.m_hWnd, nullptr);

    // Horizontal: the uncovered columns at the right and the ruler strip.
    edit.SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(m.FirstColumn(), 2);
    ::GetUpdateRgn(edit.m_hWnd, region, FALSE);
    const int cw = edit.CharWidth();
    EXPECT_TRUE(::PtInRegion(region, client.right - 1, client.bottom / 2));
    EXPECT_TRUE(::PtInRegion(region, g.textLeft + 1, 2));  // the ruler
    EXPECT_FALSE(::PtInRegion(region, g.textLeft + 2 * cw, client.bottom / 2));
    EXPECT_FALSE(::PtInRegion(region, 2, client.bottom / 2));  // the gutter stays
    ::DeleteObject(region);
    ::ValidateRect(edit.m_hWnd, nullptr);

    // A jump farther than the window: everything.
    edit.SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    RECT update = {};
    ASSERT_TRUE(::GetUpdateRect(edit.m_hWnd, &update, FALSE));
    EXPECT_EQ(update.top, 0);
    EXPECT_EQ(update.left, 0);
}

TEST_F(CanvasEditPaintTest, EditsRepaintThroughAnOffscreenBitmap) {
    auto& m = edit.Model();
    m.SetText(std::string("abc"));
    ::UpdateWindow(edit.m_hWnd);
    edit.SendMessage(WM_CHAR, 'x', 0);
    EXPECT_TRUE(m.Flags() & editor::EditorModel::kOffscreenPaint);
    ::UpdateWindow(edit.m_hWnd);
    EXPECT_FALSE(m.Flags() & editor::EditorModel::kOffscreenPaint);
    // What reached the screen is the painted text.
    HDC dc = ::GetDC(edit.m_hWnd);
    const RECT cell = Cell(0, 0, 4);
    int ink = 0;
    for (int y = cell.top; y < cell.bottom; ++y)
        for (int x = cell.left; x < cell.right; ++x)
            if (::GetPixel(dc, x, y) == kText) ++ink;
    ::ReleaseDC(edit.m_hWnd, dc);
    EXPECT_GT(ink, 0);
}

TEST_F(CanvasEditPaintTest, CaretShapeAndHiddenOutsideTheView) {
    auto& m = edit.Model();
    std::string text;
    for (int i = 0; i < 100; ++i) text += "abcdef\r\n";
    m.SetText(text);
    ::SetFocus(edit.m_hWnd);
    ASSERT_EQ(::GetFocus(), edit.m_hWnd);
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    m.SetSelection(2, 1, 2, 1);
    ASSERT_TRUE(::GetGUIThreadInfo(::GetCurrentThreadId(), &info));
    EXPECT_EQ(info.hwndCaret, edit.m_hWnd);
    EXPECT_EQ(info.rcCaret.right - info.rcCaret.left, 2);
    POINT pt = {};
    ::GetCaretPos(&pt);
    EXPECT_EQ(pt.x, Cell(2, 1).left);
    EXPECT_EQ(pt.y, Cell(2, 1).top);
    // Overwrite mode: one character wide.
    m.ToggleOverwrite();
    m.PlaceCaret();
    ASSERT_TRUE(::GetGUIThreadInfo(::GetCurrentThreadId(), &info));
    EXPECT_EQ(info.rcCaret.right - info.rcCaret.left, edit.CharWidth());
    m.ToggleOverwrite();
    // Scrolled out of view: the caret is moved away.
    edit.SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    ::GetCaretPos(&pt);
    EXPECT_EQ(pt.x, -256);
    EXPECT_EQ(pt.y, -256);
    // Focus leaves and comes back in overwrite mode: the caret keeps its shape.
    m.ToggleOverwrite();
    m.PlaceCaret();
    ::SetFocus(parent);
    ::SetFocus(edit.m_hWnd);
    ASSERT_TRUE(::GetGUIThreadInfo(::GetCurrentThreadId(), &info));
    EXPECT_EQ(info.hwndCaret, edit.m_hWnd);
    EXPECT_EQ(info.rcCaret.right - info.rcCaret.left, edit.CharWidth());
}

// A picture of Japanese text with every mark on, saved for a person to look at.
TEST_F(CanvasEditPaintTest, JapaneseTextWithEveryMarkScreenshot) {
    auto& m = edit.Model();
    editor::HtmlColors html;
    auto colorizer = std::make_shared<editor::HtmlColorizer>(nullptr, nullptr, html);
    m.SetColorFunctions(
        [colorizer](const char* l, int n, int p, editor::Color* c) { return colorizer->ColorLine(l, n, p, c); },
        [colorizer](const char* l, int n, int p) { return colorizer->LineState(l, n, p); });
    m.SetColors(nullptr, false);
    m.SetText(std::string("<p class=\"見出し\">日本語の文章</p>\r\n"
                          "\tタブの後　全角空白 半角空白\r\n"
                          "ｶﾀｶﾅ と ひらがな、漢字。　選択の外\r\n"
                          "行末はＣＲ\r"
                          "行末はＬＦ\n"
                          "<!-- コメント -->\r\n"
                          "最後の行"));
    m.SetSelection(4, 1, 10, 1);
    Canvas c(edit);
    const std::string dir = e2e::ScreenshotDir();
    ::CreateDirectoryA(dir.c_str(), nullptr);
    ASSERT_TRUE(c.Save(dir + "\\canvasedit-marks.bmp"));
    const std::string unixDir = e2e::ToUnixPath(dir);
    e2e::RunHostProgram("convert " + unixDir + "/canvasedit-marks.bmp " + unixDir + "/canvasedit-marks.png");
}

}  // namespace

namespace {

// The caret column's ruler mark is remembered per window: a second editor
// whose caret lands on the x of the first one's still repaints its own ruler.
TEST_F(CanvasEditPaintTest, RulerCaretMarkIsKeptPerWindow) {
    CCanvasEdit other;
    RECT rc = {0, 0, 800, 500};
    ASSERT_TRUE(other.Create(parent, CCanvasEdit::kControlId + 1, &rc));
    edit.Model().SetText(std::string("abcdefgh"));
    other.Model().SetText(std::string("abcdefgh"));
    edit.Model().SetSelection(5, 0, 5, 0);
    ::UpdateWindow(other.m_hWnd);
    ::ValidateRect(other.m_hWnd, nullptr);
    other.Model().SetSelection(5, 0, 5, 0);
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    ::GetUpdateRgn(other.m_hWnd, region, FALSE);
    const auto g = other.Model().Geometry();
    const int cw = other.CharWidth();
    EXPECT_TRUE(::PtInRegion(region, g.textLeft + 5 * cw + cw / 2, 2));  // the new mark
    EXPECT_TRUE(::PtInRegion(region, g.textLeft + cw / 2, 2));           // the old one
    ::DeleteObject(region);
    other.DestroyWindow();
}

}  // namespace

namespace {

// Table codes: the character a code stands for is painted in its two
// columns exactly as TextOutW paints it with the editor's font; NO-BREAK
// SPACE shows the half-width space mark.
TEST_F(CanvasEditPaintTest, ATableCodeIsPaintedAsItsCharacter) {
    cp932::CharTable table;
    std::string text = "a";
    ASSERT_TRUE(cp932::AppendChar(0x00E9, &table, &text));  // é
    ASSERT_TRUE(cp932::AppendChar(0x00A0, &table, &text));
    text += "\r\nb";
    edit.SetCharTable(&table, true);
    edit.Model().SetText(text);
    edit.Model().SetSelectionOffsets(static_cast<long long>(text.size()), static_cast<long long>(text.size()));
    Canvas canvas(edit);
    const RECT cell = Cell(1, 0, 2);
    const int w = cell.right - cell.left, h = cell.bottom - cell.top;

    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, w, h);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ oldBitmap = ::SelectObject(dc, bitmap);
    HGDIOBJ oldFont = ::SelectObject(dc, edit.TextFont());
    ::SetBkColor(dc, kBack);
    ::SetTextColor(dc, kText);
    RECT all = {0, 0, w, h};
    const WCHAR e = 0x00E9;
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE | ETO_CLIPPED, &all, &e, 1, nullptr);
    int differ = 0, inked = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const COLORREF want = ::GetPixel(dc, x, y);
            inked += want != kBack;
            differ += canvas.At(cell.left + x, cell.top + y) != want;
        }
    ::SelectObject(dc, oldFont);
    ::SelectObject(dc, oldBitmap);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    EXPECT_GT(inked, 0);
    EXPECT_EQ(differ, 0);
    EXPECT_GT(canvas.Count(Cell(3, 0, 2), kHalf), 0);
    EXPECT_EQ(canvas.Count(Cell(3, 0, 2), kText), 0);
}

}  // namespace
