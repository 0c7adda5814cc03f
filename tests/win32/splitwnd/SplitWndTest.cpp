// The "SplitWindow32" window: panes, bar dragging, caption bars and their
// close buttons, and what the panes send on to the owner.
#include <gtest/gtest.h>

#include <string>

#include "framework/win/SplitWnd.h"
#include "win32/splitwnd/SplitTestHost.h"

namespace {

using splittest::CHostWnd;
using splittest::MakePane;
using splittest::MouseDown;
using splittest::MouseMove;
using splittest::MouseUp;
using splittest::Where;

std::string R(int l, int t, int r, int b) { return splittest::Describe(RECT{l, t, r, b}); }

class SplitWndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Create(600, 400));
        ASSERT_TRUE(split.Create(host.m_hWnd, 4002, RECT{0, 0, 600, 400}));
        a = MakePane(host.m_hWnd, "a");
        b = MakePane(host.m_hWnd, "b");
        split.SetPanes(a, b, false);
        E = ::GetSystemMetrics(SM_CXEDGE);
        EY = ::GetSystemMetrics(SM_CYEDGE);
        H = 20 + 2 * EY;
    }

    CHostWnd host;
    CSplitWnd split;
    HWND a = nullptr;
    HWND b = nullptr;
    int E = 2, EY = 2, H = 24;
};

TEST_F(SplitWndTest, ANewSplitWindowHasTheDefaultsOfItsClass) {
    char cls[64] = {};
    ::GetClassNameA(split.m_hWnd, cls, sizeof cls);
    EXPECT_STREQ(cls, "SplitWindow32");
    EXPECT_EQ(::GetParent(a), split.m_hWnd);  // the panes became its children
    EXPECT_EQ(split.GetBarPos(), 200);
    EXPECT_EQ(split.GetCaptionText(0), "子ウィンドウ１");
    EXPECT_EQ(split.GetCaptionText(1), "子ウィンドウ２");
    EXPECT_EQ(split.GetPaneFlags(0), 0x07);
    EXPECT_TRUE(split.SetLiveDrag(true));      // live drag and a movable bar at first
    EXPECT_TRUE(split.SetBarMovable(true));
    EXPECT_TRUE(::GetWindowLongA(split.m_hWnd, GWL_STYLE) & WS_CLIPCHILDREN);
}

TEST_F(SplitWndTest, PanesMeetTheBarSideBySideOrStacked) {
    split.SetCaptions(false, false);
    EXPECT_EQ(Where(a, split), R(0, 0, 198, 400));
    EXPECT_EQ(Where(b, split), R(202, 0, 600, 400));

    split.SetPanes(a, b, true);
    EXPECT_EQ(split.SetBarPos(100), 200);
    EXPECT_EQ(Where(a, split), R(0, 0, 600, 98));
    EXPECT_EQ(Where(b, split), R(0, 102, 600, 400));

    // Resizing keeps the bar where it is.
    split.MoveWindow(0, 0, 300, 250);
    EXPECT_EQ(Where(b, split), R(0, 102, 300, 250));
}

TEST_F(SplitWndTest, CaptionedPanesSitBelowTheirCaptionBars) {
    split.SetPanes(a, b, true);
    split.SetBarPos(150);
    EXPECT_EQ(Where(a, split), R(E, H, 600 - E, 148 - EY));
    EXPECT_EQ(Where(b, split), R(E, 152 + H, 600 - E, 400 - EY));
    split.SetCaptions(true, false);
    EXPECT_EQ(Where(b, split), R(0, 152, 600, 400));
    split.SetCaptionText(0, "ファイル ツリー");
    EXPECT_EQ(split.GetCaptionText(0), "ファイル ツリー");
}

TEST_F(SplitWndTest, OnePaneShownTakesTheWholeWindow) {
    split.SetCaptions(false, false);
    split.ShowPanes(false, true);
    EXPECT_FALSE(split.IsPaneShown(0));
    EXPECT_FALSE(::IsWindowVisible(a));
    EXPECT_EQ(Where(b, split), R(0, 0, 600, 400));
    split.ShowPanes(true, true);
    EXPECT_TRUE(::IsWindowVisible(a));
    EXPECT_EQ(Where(a, split), R(0, 0, 198, 400));

    // A pane that is hidden gives up the focus to the top-level window.
    HWND edit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, b, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
    ::SetFocus(edit);
    ASSERT_EQ(::GetFocus(), edit);
    split.ShowPanes(true, false);
    EXPECT_EQ(::GetFocus(), host.m_hWnd);
}

TEST_F(SplitWndTest, LiveDragMovesThePanesWhileTheMouseMoves) {
    split.SetCaptions(false, false);
    MouseDown(split, 199, 50);
    EXPECT_TRUE(split.IsDragging());
    EXPECT_EQ(::GetCapture(), split.m_hWnd);
    MouseMove(split, 300, 60);
    EXPECT_EQ(Where(a, split), R(0, 0, 298, 400));
    EXPECT_EQ(Where(b, split), R(302, 0, 600, 400));
    MouseMove(split, 5000, 60);  // clamped to the window
    EXPECT_EQ(Where(b, split), R(599, 0, 600, 400));
    MouseUp(split, 350, 60);
    EXPECT_FALSE(split.IsDragging());
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(split.GetBarPos(), 350);
    EXPECT_EQ(Where(a, split), R(0, 0, 348, 400));
}

TEST_F(SplitWndTest, OutlineDragMovesThePanesOnlyOnRelease) {
    split.SetCaptions(false, false);
    EXPECT_TRUE(split.SetLiveDrag(false));
    MouseDown(split, 200, 50);
    MouseMove(split, 120, 50);
    MouseMove(split, 100, 50);
    EXPECT_EQ(Where(a, split), R(0, 0, 198, 400));
    EXPECT_EQ(split.GetBarPos(), 200);
    MouseUp(split, 100, 50);
    EXPECT_EQ(split.GetBarPos(), 100);
    EXPECT_EQ(Where(a, split), R(0, 0, 98, 400));
}

TEST_F(SplitWndTest, LosingTheCaptureEndsAnOutlineDragWhereItStarted) {
    split.SetCaptions(false, false);
    split.SetLiveDrag(false);
    MouseDown(split, 200, 50);
    MouseMove(split, 100, 50);
    ::SetCapture(host.m_hWnd);
    EXPECT_FALSE(split.IsDragging());
    ::ReleaseCapture();
    EXPECT_EQ(split.GetBarPos(), 200);
    EXPECT_EQ(Where(a, split), R(0, 0, 198, 400));
}

TEST_F(SplitWndTest, DraggingTowardsACaptionedPaneStopsAtItsCaptionBar) {
    split.SetPanes(a, b, true);
    split.SetBarPos(200);
    MouseDown(split, 10, 200);
    MouseMove(split, 10, 0);
    EXPECT_EQ(split.GetEffectiveBarPos(), 2 + H);
    MouseMove(split, 10, 399);
    MouseUp(split, 10, 399);
    EXPECT_EQ(split.GetBarPos(), 400 - (H + 2));
    // Pane 1 keeps its caption bar; its window is squeezed to nothing, not
    // to a negative height.
    EXPECT_EQ(Where(b, split), R(E, 400, 600 - E, 400));
}

TEST_F(SplitWndTest, AFixedBarOrASinglePaneCannotBeDragged) {
    split.SetCaptions(false, false);
    EXPECT_TRUE(split.SetBarMovable(false));
    MouseDown(split, 200, 50);
    EXPECT_FALSE(split.IsDragging());
    EXPECT_EQ(::GetCapture(), nullptr);
    MouseUp(split, 200, 50);

    split.SetBarMovable(true);
    split.ShowPanes(true, false);
    MouseDown(split, 200, 50);
    EXPECT_FALSE(split.IsDragging());
    MouseUp(split, 200, 50);
}

TEST_F(SplitWndTest, StoredBarPositionsOutsideTheWindowAreClampedButKept) {
    split.SetCaptions(false, false);
    split.SetBarPos(-500);
    EXPECT_EQ(Where(a, split), R(0, 0, 1, 400));
    split.SetBarPos(100000);
    EXPECT_EQ(Where(b, split), R(599, 0, 600, 400));
    EXPECT_EQ(split.GetBarPos(), 100000);
    // A window smaller than the bar: no pane gets a negative size.
    split.SetCaptions(true, true);
    split.MoveWindow(0, 0, 3, 3);
    for (HWND w : {a, b}) {
        RECT r = splittest::RectIn(w, split);
        EXPECT_GE(r.right - r.left, 0);
        EXPECT_GE(r.bottom - r.top, 0);
        EXPECT_GE(r.left, 0);
        EXPECT_LE(r.right, 3);
    }
}

TEST_F(SplitWndTest, TheCloseButtonHidesItsPaneWhenReleasedOverIt) {
    split.SetPanes(a, b, true);
    split.SetBarPos(150);
    const split::SplitGeometry g = split.Geometry();
    const split::Rect c0 = g.pane[0].close;
    const split::Rect c1 = g.pane[1].close;
    ASSERT_FALSE(c0.Empty());

    // Pressed, moved off the button and released elsewhere: nothing closes.
    MouseDown(split, c1.left + 5, c1.top + 5);
    EXPECT_EQ(split.GetPaneFlags(1) & CSplitWnd::kPaneClosePressed, CSplitWnd::kPaneClosePressed);
    EXPECT_EQ(::GetCapture(), split.m_hWnd);
    MouseMove(split, 50, 300);
    EXPECT_EQ(split.GetPaneFlags(1) & CSplitWnd::kPaneClosePressed, 0);
    MouseUp(split, 50, 300);
    EXPECT_TRUE(split.IsPaneShown(1));
    EXPECT_EQ(::GetCapture(), nullptr);

    // Hovering lights the button up.
    MouseMove(split, c0.left + 5, c0.top + 5);
    EXPECT_EQ(split.GetPaneFlags(0) & CSplitWnd::kPaneCloseHot, CSplitWnd::kPaneCloseHot);
    MouseMove(split, 50, 100);
    EXPECT_EQ(split.GetPaneFlags(0) & CSplitWnd::kPaneCloseHot, 0);

    MouseDown(split, c0.left + 5, c0.top + 5);
    MouseUp(split, c0.left + 6, c0.top + 6);
    EXPECT_FALSE(split.IsPaneShown(0));
    EXPECT_TRUE(split.IsPaneShown(1));
    EXPECT_FALSE(::IsWindowVisible(a));
    EXPECT_EQ(Where(b, split), R(E, H, 600 - E, 400 - EY));
}

TEST_F(SplitWndTest, ASplitWindowThatClosesItsLastPaneMakesWayForItsSibling) {
    CSplitWnd outer;
    ASSERT_TRUE(outer.Create(host.m_hWnd, 4003, RECT{0, 0, 600, 400}));
    HWND c = MakePane(host.m_hWnd, "c");
    split.SetPanes(a, b, true);
    outer.SetPanes(split.m_hWnd, c, false);
    outer.SetCaptions(false, false);
    outer.SetBarPos(200);
    EXPECT_EQ(Where(c, outer), R(202, 0, 600, 400));

    for (int pane : {0, 1}) {
        const split::Rect close = split.Geometry().pane[pane].close;
        MouseDown(split, close.left + 4, close.top + 4);
        MouseUp(split, close.left + 4, close.top + 4);
    }
    EXPECT_FALSE(split.IsPaneShown(0));
    EXPECT_FALSE(split.IsPaneShown(1));
    EXPECT_FALSE(outer.IsPaneShown(0));
    EXPECT_FALSE(::IsWindowVisible(split.m_hWnd));
    EXPECT_TRUE(outer.IsPaneShown(1));
    EXPECT_EQ(Where(c, outer), R(0, 0, 600, 400));
}

TEST_F(SplitWndTest, CommandsAndNotificationsOfThePanesReachTheOwner) {
    CSplitWnd outer;
    ASSERT_TRUE(outer.Create(host.m_hWnd, 4003, RECT{0, 0, 600, 400}));
    outer.SetPanes(split.m_hWnd, nullptr, false);
    // A control notification and the editor's kind of report (id 0, a code).
    ::SendMessageA(split, WM_COMMAND, MAKEWPARAM(77, BN_CLICKED), reinterpret_cast<LPARAM>(a));
    ::SendMessageA(split, WM_COMMAND, MAKEWPARAM(0, 0x465), reinterpret_cast<LPARAM>(b));
    NMHDR nm = {};
    nm.hwndFrom = a;
    nm.idFrom = 78;
    nm.code = static_cast<UINT>(NM_DBLCLK);
    const LRESULT r = ::SendMessageA(split, WM_NOTIFY, 78, reinterpret_cast<LPARAM>(&nm));
    EXPECT_EQ(r, 42);  // the owner's answer comes back
    ASSERT_EQ(host.received.size(), 3u);
    EXPECT_EQ(host.received[0].message, static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(host.received[0].wParam, MAKEWPARAM(77, BN_CLICKED));
    EXPECT_EQ(host.received[1].wParam, MAKEWPARAM(0, 0x465));
    EXPECT_EQ(host.received[2].message, static_cast<UINT>(WM_NOTIFY));
    EXPECT_EQ(host.received[2].code, static_cast<UINT>(NM_DBLCLK));
}

TEST_F(SplitWndTest, TheCloseButtonsTooltipSaysClose) {
    HWND tip = split.GetToolTip();
    ASSERT_NE(tip, nullptr);
    ASSERT_EQ(::SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 2);
    for (UINT j = 0; j < 2; ++j) {
        char text[80] = {};
        TOOLINFOA ti = {};
        ti.cbSize = sizeof ti;
        ti.lpszText = text;
        ASSERT_TRUE(::SendMessageA(tip, TTM_ENUMTOOLSA, j, reinterpret_cast<LPARAM>(&ti)));
        EXPECT_STREQ(text, "閉じる");
        // The tool covers the close button of its pane.
        const split::Rect c = split.Geometry().pane[ti.uId].close;
        EXPECT_EQ(splittest::Describe(ti.rect), R(c.left, c.top, c.right, c.bottom));
    }
}

TEST_F(SplitWndTest, ThePointerShowsTheSizingCursorOverAMovableBar) {
    split.SetCaptions(false, false);
    auto cursorAt = [&](int x, int y) {
        splittest::PointerTo(split, x, y);
        ::SendMessageA(split, WM_SETCURSOR, reinterpret_cast<WPARAM>(split.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return ::GetCursor();
    };
    EXPECT_EQ(cursorAt(199, 100), ::LoadCursorA(nullptr, IDC_SIZEWE));
    split.SetPanes(a, b, true);
    EXPECT_EQ(cursorAt(100, 199), ::LoadCursorA(nullptr, IDC_SIZENS));
    split.SetBarMovable(false);
    EXPECT_EQ(cursorAt(100, 199), ::LoadCursorA(nullptr, IDC_ARROW));
}

}  // namespace
