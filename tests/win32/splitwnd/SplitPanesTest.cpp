// The main frame's three nested split windows laid out by screen split
// layouts: the default layout, closing and showing the tree panes, all 36
// patterns, broken stored layouts, and screenshots of what a user sees.
#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>

#include "config/core/SettingsStore.h"
#include "e2e/E2E.h"
#include "shell/core/PaneLayout.h"
#include "shell/win/SplitPanes.h"
#include "win32/splitwnd/SplitTestHost.h"

namespace split {
// Layouts in failure messages: {updown, show0, show1, kind0, kind1} x 3.
void PrintTo(const SplitLayout& l, std::ostream* os) {
    for (const SplitRecord& r : l.split) {
        *os << "{" << r.updown << "," << r.show[0] << "," << r.show[1] << "," << int(r.kind[0]) << ","
            << int(r.kind[1]) << "}";
    }
}
}  // namespace split

namespace {

using splittest::CHostWnd;
using splittest::Where;
using namespace split;

std::string R(int l, int t, int r, int b) { return splittest::Describe(RECT{l, t, r, b}); }

bool Intersect(const RECT& a, const RECT& b) {
    RECT out;
    return ::IntersectRect(&out, &a, &b) != 0;
}

class SplitPanesTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 900;
    static constexpr int kHeight = 600;

    void SetUp() override {
        ASSERT_TRUE(host.Create(kWidth, kHeight));
        ASSERT_TRUE(panes.Create(host.m_hWnd));
        tree = MakeLeaf("フォルダ ツリーの窓");
        tags = MakeLeaf("登録タグの窓");
        editor = MakeLeaf("エディタの窓");
        panes.SetPaneWindow(kPaneFolderTree, tree);
        panes.SetPaneWindow(kPaneRegistTag, tags);
        panes.SetPaneWindow(kPaneEditor, editor);
        panes.Root().MoveWindow(0, 0, kWidth, kHeight);
        E = ::GetSystemMetrics(SM_CXEDGE);
        EY = ::GetSystemMetrics(SM_CYEDGE);
        H = 20 + 2 * EY;
    }

    HWND MakeLeaf(const char* text) {
        return ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", text,
                                 WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0, 10, 10, host.m_hWnd,
                                 nullptr, ::GetModuleHandleA(nullptr), nullptr);
    }

    // Every shown leaf lies inside the host and no two overlap.
    void ExpectLeavesTile() {
        HWND leaves[3] = {tree, tags, editor};
        const RECT client = host.GetClientRect();
        for (int i = 0; i < 3; ++i) {
            if (!::IsWindowVisible(leaves[i])) continue;
            const RECT r = splittest::RectIn(leaves[i], host);
            EXPECT_GE(r.right - r.left, 0);
            EXPECT_GE(r.bottom - r.top, 0);
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom)
                << i << " " << splittest::Describe(r);
            for (int j = i + 1; j < 3; ++j) {
                if (!::IsWindowVisible(leaves[j])) continue;
                EXPECT_FALSE(Intersect(r, splittest::RectIn(leaves[j], host))) << i << " " << j;
            }
        }
    }

    void CloseWithButton(int splitIndex, int pane) {
        CSplitWnd& s = panes.Split(splitIndex);
        const split::Rect c = s.Geometry().pane[pane].close;
        ASSERT_FALSE(c.Empty());
        splittest::MouseDown(s, c.left + 4, c.top + 4);
        splittest::MouseUp(s, c.left + 4, c.top + 4);
    }

    // Saves the whole display as build/win/screenshots/<name>.png.
    void Screenshot(const std::string& name) {
        ::RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        splittest::Pump(300);
        const std::string file = e2e::ToUnixPath(e2e::ScreenshotDir() + "\\" + name + ".png");
        EXPECT_EQ(e2e::RunHostProgram("import -window root '" + file + "'"), 0) << file;
    }

    CHostWnd host;
    CSplitPanes panes;
    HWND tree = nullptr, tags = nullptr, editor = nullptr;
    int E = 2, EY = 2, H = 24;
};

TEST_F(SplitPanesTest, TheDefaultLayoutPutsTheTreesLeftAndTheEditorRight) {
    settings::MemorySettingsBackend mem;
    settings::SettingsStore store(mem);
    panes.LoadLayout(store, kWidth, kHeight);
    int bars[3];
    panes.GetBarPositions(bars);
    EXPECT_EQ(bars[0], 300);
    EXPECT_EQ(bars[1], 200);
    EXPECT_EQ(panes.GetLayout(), Pattern(1));
    EXPECT_EQ(::GetDlgCtrlID(panes.Root()), 4002);
    EXPECT_EQ(::GetDlgCtrlID(panes.Split(1)), 4003);
    EXPECT_EQ(::GetDlgCtrlID(panes.Split(2)), 4004);
    EXPECT_EQ(::GetParent(tree), panes.Split(1).m_hWnd);
    EXPECT_EQ(::GetParent(editor), panes.Split(2).m_hWnd);
    EXPECT_EQ(Where(tree, host), R(E, H, 298 - E, 198 - EY));
    EXPECT_EQ(Where(tags, host), R(E, 202 + H, 298 - E, kHeight - EY));
    EXPECT_EQ(Where(editor, host), R(302, 0, kWidth, kHeight));
    EXPECT_EQ(panes.Split(1).GetCaptionText(0), "ファイル ツリー");
    EXPECT_EQ(panes.Split(1).GetCaptionText(1), "登録タグ");
    EXPECT_EQ(panes.Split(2).GetPaneFlags(0) & CSplitWnd::kPaneCaption, 0);
    ExpectLeavesTile();
    // The pointer over the folder tree's close button, the tags' button pressed.
    const split::Rect c0 = panes.Split(1).Geometry().pane[0].close;
    const split::Rect c1 = panes.Split(1).Geometry().pane[1].close;
    // The display's pointer goes there too, so that the mouse moves Wine
    // reports agree with the messages sent.
    splittest::PointerTo(panes.Split(1), c1.left + 3, c1.top + 3);
    splittest::MouseDown(panes.Split(1), c1.left + 3, c1.top + 3);
    Screenshot("splitwnd-pattern1");
    EXPECT_TRUE(panes.Split(1).GetPaneFlags(1) & CSplitWnd::kPaneClosePressed);
    splittest::PointerTo(panes.Split(1), c0.left + 3, c0.top + 3);
    splittest::MouseMove(panes.Split(1), c0.left + 3, c0.top + 3);
    splittest::MouseUp(panes.Split(1), c0.left + 3, c0.top + 3);
    EXPECT_TRUE(panes.IsPaneShown(tags));  // released off the button
    splittest::MouseMove(panes.Split(1), c0.left + 3, c0.top + 3);
    Screenshot("splitwnd-pattern1-hover");
    EXPECT_TRUE(panes.Split(1).GetPaneFlags(0) & CSplitWnd::kPaneCloseHot);
}

TEST_F(SplitPanesTest, ClosingBothTreesHidesTheLeftColumnAndTheMenuCommandBringsOneBack) {
    panes.ApplyPattern(Pattern(1), kWidth, kHeight);
    CloseWithButton(1, 0);
    EXPECT_FALSE(panes.IsPaneShown(tree));
    EXPECT_EQ(Where(tags, host), R(E, H, 298 - E, kHeight - EY));  // the tags fill the left column
    CloseWithButton(1, 1);
    EXPECT_FALSE(::IsWindowVisible(panes.Split(1)));
    EXPECT_EQ(Where(editor, host), R(0, 0, kWidth, kHeight));
    SplitLayout now = panes.GetLayout();
    EXPECT_EQ(now.split[0].show[0], 0);
    EXPECT_EQ(FindPattern(now), 1);

    // "ファイル ツリー(&F)": the pane is shown again and the column comes back.
    panes.ShowPane(tree, !panes.IsPaneShown(tree));
    EXPECT_TRUE(panes.IsPaneShown(tree));
    EXPECT_FALSE(panes.IsPaneShown(tags));
    EXPECT_TRUE(::IsWindowVisible(tree));
    EXPECT_EQ(Where(tree, host), R(E, H, 298 - E, kHeight - EY));
    EXPECT_EQ(Where(editor, host), R(302, 0, kWidth, kHeight));
    Screenshot("splitwnd-tags-closed");

    // Windows outside the pane table are not touched.
    panes.ShowPane(host.m_hWnd, false);
    EXPECT_TRUE(panes.IsPaneShown(tree));

    // The state as closed and reopened is what is stored.
    settings::MemorySettingsBackend mem;
    settings::SettingsStore store(mem);
    ASSERT_TRUE(panes.SaveLayout(store));
    EXPECT_EQ(store.ReadSettingInt(kSplitSection, "WndShow1-1", -1), 0);
    EXPECT_EQ(store.ReadSettingInt(kSplitSection, "WndShow1-0", -1), 1);
    EXPECT_EQ(store.ReadSettingInt(kSplitSection, "BarPos0", -1), 300);
}

TEST_F(SplitPanesTest, EveryPatternShowsAllThreePanesWithoutOverlap) {
    for (int n = 1; n <= kPatternCount; ++n) {
        SCOPED_TRACE(n);
        panes.ApplyPattern(Pattern(n), kWidth, kHeight);
        EXPECT_EQ(FindPattern(panes.GetLayout()), n);
        for (HWND w : {tree, tags, editor}) {
            EXPECT_TRUE(::IsWindowVisible(w));
            const RECT r = splittest::RectIn(w, host);
            EXPECT_GT(r.right - r.left, 0);
            EXPECT_GT(r.bottom - r.top, 0);
        }
        ExpectLeavesTile();
        EXPECT_TRUE(panes.IsPaneShown(tree));
    }
    // Pattern 13: the folder tree left, the tags beside the editor, all side by side.
    panes.ApplyPattern(Pattern(13), kWidth, kHeight);
    const RECT t = splittest::RectIn(tree, host), r = splittest::RectIn(tags, host), e = splittest::RectIn(editor, host);
    EXPECT_LT(t.right, r.left);
    EXPECT_LT(r.right, e.left);
    EXPECT_EQ(t.top, H);
    EXPECT_EQ(e.top, 0);
    EXPECT_EQ(e.right, kWidth);
}

TEST_F(SplitPanesTest, ThreeSplitsStackedAndSideBySide) {
    // Pattern 31: T / (R/E), with a bar dragged in the inner split window.
    panes.ApplyPattern(Pattern(31), kWidth, kHeight);
    EXPECT_EQ(Where(tree, host), R(E, H, kWidth - E, 198 - EY));
    CSplitWnd& inner = panes.Split(2);
    splittest::MouseDown(inner, 100, 200);
    splittest::MouseMove(inner, 100, 150);
    splittest::MouseUp(inner, 100, 150);
    EXPECT_EQ(inner.GetBarPos(), 150);
    EXPECT_EQ(Where(editor, host), R(0, 202 + 152, kWidth, kHeight));
    ExpectLeavesTile();
    Screenshot("splitwnd-pattern31");

    // Pattern 19: (T | R) / E, and an outline drag caught half way.
    panes.SetLiveDrag(false);
    panes.ApplyPattern(Pattern(19), kWidth, kHeight);
    EXPECT_EQ(Where(tags, host), R(302 + E, H, kWidth - E, 198 - EY));
    EXPECT_EQ(Where(editor, host), R(0, 202, kWidth, kHeight));
    ::RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    splittest::Pump(200);
    CSplitWnd& top = panes.Split(1);
    splittest::MouseDown(top, 300, 100);
    splittest::PointerTo(top, 500, 100);
    splittest::MouseMove(top, 500, 100);
    splittest::Pump(200);
    const std::string file = e2e::ToUnixPath(e2e::ScreenshotDir() + "\\splitwnd-outline-drag.png");
    EXPECT_EQ(e2e::RunHostProgram("import -window root '" + file + "'"), 0);
    EXPECT_EQ(Where(tags, host), R(302 + E, H, kWidth - E, 198 - EY));  // not yet moved
    splittest::MouseUp(top, 500, 100);
    EXPECT_EQ(Where(tags, host), R(502 + E, H, kWidth - E, 198 - EY));
}

TEST_F(SplitPanesTest, BrokenStoredLayoutsFallBackToPatternOne) {
    settings::MemorySettingsBackend mem;
    settings::SettingsStore store(mem);
    struct Bad {
        const char* name;
        int value;
    };
    const Bad cases[] = {
        {"WndKind2-0", 9},   // a kind out of range
        {"WndKind2-1", 0},   // no editor
        {"WndKind1-0", 1},   // split window 1 inside itself
        {"WndKind1-1", 3},   // the folder tree twice
    };
    for (const Bad& bad : cases) {
        SCOPED_TRACE(bad.name);
        SCOPED_TRACE(bad.value);
        mem = settings::MemorySettingsBackend();
        WriteSplitLayout(store, Pattern(13), std::array<int, 3>{10, 20, 30}.data());
        store.WriteSettingInt(kSplitSection, bad.name, bad.value);
        panes.LoadLayout(store, kWidth, kHeight);
        EXPECT_EQ(panes.GetLayout(), Pattern(1));
        int bars[3];
        panes.GetBarPositions(bars);
        EXPECT_EQ(bars[0], 300);
        EXPECT_EQ(Where(editor, host), R(302, 0, kWidth, kHeight));
        ExpectLeavesTile();
    }
}

TEST_F(SplitPanesTest, StoredBarsOutsideTheFrameAndTinyFramesLeaveNoNegativePane) {
    panes.ApplyLayout(Pattern(1), std::array<int, 3>{-1000, 100000, 7}.data());
    for (HWND w : {tree, tags, editor}) EXPECT_TRUE(::IsWindowVisible(w));
    ExpectLeavesTile();
    // The left column is squeezed to the bar's margin, the editor keeps the rest.
    EXPECT_EQ(Where(editor, host), R(5, 0, kWidth, kHeight));
    for (int size : {0, 2, 5, 30}) {
        SCOPED_TRACE(size);
        panes.Root().MoveWindow(0, 0, size, size);
        ExpectLeavesTile();
    }
    // Back to full size, the stored positions still apply.
    panes.Root().MoveWindow(0, 0, kWidth, kHeight);
    int bars[3];
    panes.GetBarPositions(bars);
    EXPECT_EQ(bars[0], -1000);
    EXPECT_EQ(bars[1], 100000);
}

TEST_F(SplitPanesTest, ALayoutWithoutATreeHidesItAndItsUnusedSplitWindow) {
    // The root holds the tags left of split window 1, which holds the editor.
    SplitLayout l = Pattern(1);
    l.split[0].kind[0] = kPaneRegistTag;
    l.split[0].kind[1] = kPaneSplit1;
    l.split[1] = Pattern(1).split[2];
    l.split[2] = SplitRecord();
    ASSERT_EQ(CheckLayout(l), LayoutFault::None);
    panes.ApplyLayout(l, std::array<int, 3>{300, 200, 200}.data());
    EXPECT_FALSE(::IsWindowVisible(tree));
    EXPECT_FALSE(::IsWindowVisible(panes.Split(2)));
    EXPECT_TRUE(::IsWindowVisible(tags));
    EXPECT_EQ(Where(editor, host), R(302, 0, kWidth, kHeight));
    panes.ShowPane(tree, true);
    EXPECT_FALSE(::IsWindowVisible(tree));
    EXPECT_EQ(panes.GetLayout(), l);

    // Pattern 1 again brings everything back where it belongs.
    panes.ApplyPattern(Pattern(1), kWidth, kHeight);
    EXPECT_TRUE(::IsWindowVisible(tree));
    EXPECT_EQ(::GetParent(editor), panes.Split(2).m_hWnd);
    ExpectLeavesTile();
}

TEST_F(SplitPanesTest, SplitShowMoveReachesAllThreeSplitWindows) {
    settings::MemorySettingsBackend mem;
    settings::SettingsStore store(mem);
    store.WriteSettingInt("Main", "SplitShowMove", 0);
    panes.LoadLayout(store, kWidth, kHeight);
    EXPECT_FALSE(panes.LiveDrag());
    // Applying a pattern keeps the setting.
    panes.ApplyPattern(Pattern(1), kWidth, kHeight);
    for (int i = 0; i < kSplitCount; ++i) EXPECT_FALSE(panes.Split(i).SetLiveDrag(true)) << i;
    panes.SetLiveDrag(true);
    EXPECT_TRUE(panes.LiveDrag());
    for (int i = 0; i < kSplitCount; ++i) EXPECT_TRUE(panes.Split(i).SetLiveDrag(true)) << i;
    ASSERT_TRUE(panes.SaveLayout(store));
    EXPECT_EQ(store.ReadSettingInt("Main", "SplitShowMove", -1), 1);
}

}  // namespace
