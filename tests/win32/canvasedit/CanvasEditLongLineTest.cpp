// A shown editor on a single line of 10 MB, as a minified page has: the
// keys, the mouse, find, the horizontal scroll to the line's end and what is
// painted there.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "editor/win/CanvasEdit.h"
#include "win32/canvasedit/CanvasEditTestWindow.h"

namespace {

using editor::TextPos;

constexpr COLORREF kText = RGB(0, 0, 0);
constexpr COLORREF kBack = RGB(255, 255, 255);
constexpr COLORREF kEof = RGB(128, 64, 0);

class CanvasEditLongLineTest : public canvasedittest::EditorWindowTest {
protected:
    void SetUp() override {
        EditorWindowTest::SetUp();
        const editor::EditorColors colors{kText, kBack, kBack, kText, kBack, kBack, kBack,
                                          kBack, kEof,  kText, kBack, kText, kBack};
        edit.Model().SetColors(&colors, false);
        parent.ShowWindow(SW_SHOW);
        ::SetFocus(edit.m_hWnd);
        // "abc 漢字x " repeated (10 bytes, 10 columns), a needle near the end.
        std::string piece = "abc \x8A\xBF\x8E\x9Ax ";
        line.reserve(kBytes + 16);
        while (line.size() < kBytes) line += piece;
        line += "needle end";
        edit.Model().SetText(line);
        ::UpdateWindow(edit.m_hWnd);
    }
    void TearDown() override {
        Ctrl(false);
        EditorWindowTest::TearDown();
    }
    void Key(UINT vk) {
        edit.SendMessage(WM_KEYDOWN, vk, 1);
        if (vk == VK_BACK) edit.SendMessage(WM_CHAR, 8, 1);
        ::UpdateWindow(edit.m_hWnd);
    }
    static void Ctrl(bool down) {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[VK_CONTROL] = down ? 0x80 : 0;
        ::SetKeyboardState(keys);
    }
    std::string Selected() {
        std::string s;
        edit.Model().GetSelectedText(s);
        return s;
    }
    // Pixels of a colour in the row of line 0, painted into a bitmap.
    int RowPixels(COLORREF color) {
        const RECT client = edit.GetClientRect();
        HDC screen = ::GetDC(nullptr);
        HDC dc = ::CreateCompatibleDC(screen);
        HBITMAP bitmap = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
        ::ReleaseDC(nullptr, screen);
        HGDIOBJ old = ::SelectObject(dc, bitmap);
        edit.PaintTo(dc, client);
        const editor::ViewGeometry g = edit.Model().Geometry();
        int n = 0;
        for (int y = g.textTop; y < g.textTop + edit.LineHeight(); ++y)
            for (int x = g.textLeft; x < client.right; ++x) n += ::GetPixel(dc, x, y) == color;
        ::SelectObject(dc, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
        return n;
    }

    static constexpr std::size_t kBytes = 10u << 20;
    std::string line;
};

TEST_F(CanvasEditLongLineTest, KeysMouseFindAndScrollReachTheWholeLine) {
    editor::EditorModel& m = edit.Model();
    const int end = static_cast<int>(line.size());
    const int visible = m.Geometry().visibleColumns;
    EXPECT_EQ(m.ScrollColumns(), end + 1);

    // End, typing and Backspace at the far end.
    Key(VK_END);
    EXPECT_EQ(m.Caret(), (TextPos{end, 0}));
    EXPECT_GT(m.FirstColumn(), end - visible);
    edit.SendMessage(WM_CHAR, 'Z', 1);
    std::size_t length = 0;
    const char* data = m.LineData(0, &length);
    ASSERT_EQ(length, line.size() + 1);
    EXPECT_EQ(std::string(data + length - 4, 4), "endZ");
    Key(VK_BACK);
    EXPECT_EQ(m.LineLength(0), end);

    // Home, and word moves from the start.
    Key(VK_HOME);
    EXPECT_EQ(m.Caret(), (TextPos{0, 0}));
    EXPECT_EQ(m.FirstColumn(), 0);
    Ctrl(true);
    Key(VK_RIGHT);
    const int wordEnd = m.Caret().column;
    EXPECT_GT(wordEnd, 0);
    EXPECT_LE(wordEnd, 4);
    Key(VK_LEFT);
    Ctrl(false);
    EXPECT_EQ(m.Caret().column, 0);

    // A double-click in the middle of the line selects the word under it.
    m.SetScrollPosition(5000000, 0);
    ASSERT_EQ(m.FirstColumn(), 5000000);  // a multiple of the 10-column piece
    const editor::ViewGeometry g = m.Geometry();
    const LPARAM at = MAKELPARAM(g.textLeft + 1 * edit.CharWidth() + 1, g.textTop + 1);
    edit.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    edit.SendMessage(WM_LBUTTONUP, 0, at);
    edit.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    edit.SendMessage(WM_LBUTTONUP, 0, at);
    EXPECT_EQ(Selected(), "abc");

    // Find reaches the needle near the end.
    EXPECT_EQ(m.FindInLine("needle", 6, true, false, 0, 0), 1);
    EXPECT_EQ(Selected(), "needle");

    // The horizontal scroll bar's far end shows the line's end and its mark.
    edit.SendMessage(WM_HSCROLL, SB_RIGHT, 0);
    EXPECT_EQ(m.FirstColumn(), end + 1 - visible + 1);
    ::UpdateWindow(edit.m_hWnd);
    EXPECT_GT(RowPixels(kText), 0);
    EXPECT_GT(RowPixels(kEof), 0);
}

}  // namespace
