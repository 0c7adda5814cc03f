// Geometry of a split window: pane bands, caption bars, close buttons, bar
// clamping and hit tests.
#include "framework/core/SplitGeometry.h"

#include <gtest/gtest.h>

namespace {

using namespace split;

SplitMetrics Metrics() {
    SplitMetrics m;
    m.edgeX = 2;
    m.edgeY = 2;
    m.barHalf = 2;
    return m;  // H = 24
}

SplitState State(int w, int h, int bar, bool stacked, bool caption0 = false, bool caption1 = false) {
    SplitState s;
    s.width = w;
    s.height = h;
    s.barPos = bar;
    s.stacked = stacked;
    s.caption[0] = caption0;
    s.caption[1] = caption1;
    return s;
}

TEST(SplitGeometryTest, PanesMeetTheBarFromEitherSide) {
    const SplitGeometry side = ComputeSplitGeometry(State(600, 400, 200, false), Metrics());
    EXPECT_EQ(side.bar, 200);
    EXPECT_TRUE(side.barShown);
    EXPECT_EQ(side.barRect, (Rect{198, 0, 202, 400}));
    EXPECT_EQ(side.pane[0].window, (Rect{0, 0, 198, 400}));
    EXPECT_EQ(side.pane[1].window, (Rect{202, 0, 600, 400}));
    EXPECT_FALSE(side.pane[0].hasCaption);

    const SplitGeometry stacked = ComputeSplitGeometry(State(600, 400, 100, true), Metrics());
    EXPECT_EQ(stacked.barRect, (Rect{0, 98, 600, 102}));
    EXPECT_EQ(stacked.pane[0].window, (Rect{0, 0, 600, 98}));
    EXPECT_EQ(stacked.pane[1].window, (Rect{0, 102, 600, 400}));
}

TEST(SplitGeometryTest, CaptionBarsSitAboveTheirWindowsWithACloseButtonAtTheRight) {
    const SplitGeometry g = ComputeSplitGeometry(State(300, 400, 150, true, true, true), Metrics());
    const PaneGeometry& p0 = g.pane[0];
    ASSERT_TRUE(p0.hasCaption);
    EXPECT_EQ(p0.band, (Rect{0, 0, 300, 148}));
    EXPECT_EQ(p0.caption, (Rect{0, 0, 300, 24}));
    // In by the horizontal edge at the sides, below the caption, and one
    // vertical edge shorter at the bottom.
    EXPECT_EQ(p0.window, (Rect{2, 24, 298, 146}));
    EXPECT_EQ(p0.close, (Rect{298 - 19, 3, 298, 21}));
    EXPECT_EQ(p0.captionText, (Rect{2, 2, 298 - 19, 22}));
    EXPECT_EQ(g.pane[1].caption, (Rect{0, 152, 300, 176}));
    EXPECT_EQ(g.pane[1].window, (Rect{2, 176, 298, 398}));

    SplitState noClose = State(300, 400, 150, true, true, false);
    noClose.closeButton[0] = false;
    const SplitGeometry n = ComputeSplitGeometry(noClose, Metrics());
    EXPECT_FALSE(n.pane[0].hasClose);
    EXPECT_EQ(n.pane[0].captionText.right, 298);
    EXPECT_FALSE(n.pane[1].hasCaption);
    EXPECT_EQ(n.pane[1].window, (Rect{0, 152, 300, 400}));
}

TEST(SplitGeometryTest, OnePaneShownTakesTheWholeWindowAndHasNoBar) {
    SplitState s = State(500, 300, 100, false, false, true);
    s.shown[0] = false;
    const SplitGeometry g = ComputeSplitGeometry(s, Metrics());
    EXPECT_FALSE(g.barShown);
    EXPECT_FALSE(g.pane[0].visible);
    EXPECT_EQ(g.pane[1].band, (Rect{0, 0, 500, 300}));
    EXPECT_EQ(g.pane[1].window, (Rect{2, 24, 498, 298}));
    EXPECT_EQ(HitTestSplit(g, 100, 150).what, SplitHit::None);  // where the bar would be

    s.shown[1] = false;
    const SplitGeometry none = ComputeSplitGeometry(s, Metrics());
    EXPECT_FALSE(none.pane[0].visible);
    EXPECT_FALSE(none.pane[1].visible);
}

TEST(SplitGeometryTest, BarPositionsAreClampedToTheWindowAndTheCaptionBars) {
    const SplitMetrics m = Metrics();
    // m = 3: from 3 to extent - 3.
    EXPECT_EQ(ClampBarPos(-50, State(600, 400, 0, false), m), 3);
    EXPECT_EQ(ClampBarPos(0, State(600, 400, 0, false), m), 3);
    EXPECT_EQ(ClampBarPos(598, State(600, 400, 0, false), m), 597);
    EXPECT_EQ(ClampBarPos(100000, State(600, 400, 0, true), m), 397);
    EXPECT_EQ(ClampBarPos(250, State(600, 400, 0, true), m), 250);
    // Stacked: a caption takes H = 24; side by side 20 + 2E = 24 as well
    // here, so use a wider edge to tell them apart.
    EXPECT_EQ(ClampBarPos(10, State(600, 400, 0, true, true, false), m), 2 + 24);
    EXPECT_EQ(ClampBarPos(390, State(600, 400, 0, true, false, true), m), 400 - 26);
    SplitMetrics wide = m;
    wide.edgeX = 3;
    wide.edgeY = 1;
    EXPECT_EQ(ClampBarPos(0, State(600, 400, 0, false, true, false), wide), 2 + 26);
    EXPECT_EQ(ClampBarPos(0, State(600, 400, 0, true, true, false), wide), 2 + 22);
    EXPECT_EQ(ClampBarPos(600, State(600, 400, 0, false, false, true), wide), 600 - 28);
    // Both captions and too little room: pane 1's rule wins, but no pane
    // gets a negative size.
    EXPECT_EQ(ClampBarPos(20, State(600, 40, 0, true, true, true), m), 14);
    EXPECT_EQ(ClampBarPos(20, State(600, 10, 0, true, true, true), m), 2);
    EXPECT_EQ(ClampBarPos(20, State(600, 3, 0, true), m), 1);
}

TEST(SplitGeometryTest, NoRectangleIsEverNegativeOrOutsideTheWindow) {
    const SplitMetrics m = Metrics();
    for (int stacked = 0; stacked < 2; ++stacked) {
        for (int flags = 0; flags < 16; ++flags) {
            for (int size : {0, 1, 3, 4, 5, 7, 20, 27, 30, 55, 200}) {
                for (int bar : {-100000, -5, 0, 1, 2, 3, 10, 26, 30, 54, 199, 100000}) {
                    SplitState s = State(size, size + 3, bar, stacked != 0, flags & 1, flags & 2);
                    s.shown[0] = (flags & 4) == 0;
                    s.shown[1] = (flags & 8) == 0;
                    const SplitGeometry g = ComputeSplitGeometry(s, m);
                    const Rect client{0, 0, s.width, s.height};
                    auto inside = [&](const Rect& r) {
                        return r.Width() >= 0 && r.Height() >= 0 && r.left >= 0 && r.top >= 0 &&
                               r.right <= client.right && r.bottom <= client.bottom;
                    };
                    for (const PaneGeometry& p : g.pane) {
                        if (!p.visible) continue;
                        ASSERT_TRUE(inside(p.band)) << size << " " << bar << " " << flags;
                        ASSERT_TRUE(inside(p.window)) << size << " " << bar << " " << flags;
                        ASSERT_TRUE(inside(p.caption));
                        ASSERT_TRUE(inside(p.close));
                        ASSERT_TRUE(inside(p.captionText));
                        ASSERT_GE(p.window.top, p.band.top);
                        ASSERT_LE(p.window.bottom, p.band.bottom);
                    }
                    if (g.barShown) {
                        ASSERT_TRUE(inside(g.barRect));
                        const int pane0End = stacked ? g.pane[0].band.bottom : g.pane[0].band.right;
                        const int pane1Start = stacked ? g.pane[1].band.top : g.pane[1].band.left;
                        ASSERT_LE(pane0End, pane1Start);
                    }
                }
            }
        }
    }
}

TEST(SplitGeometryTest, HitsFindTheBarOnlyWhileBothPanesShowAndTheCloseButtons) {
    const SplitGeometry g = ComputeSplitGeometry(State(300, 400, 150, true, true, false), Metrics());
    EXPECT_EQ(HitTestSplit(g, 10, 148).what, SplitHit::Bar);
    EXPECT_EQ(HitTestSplit(g, 10, 151).what, SplitHit::Bar);
    EXPECT_EQ(HitTestSplit(g, 10, 152).what, SplitHit::None);
    const SplitHitResult close = HitTestSplit(g, 290, 10);
    EXPECT_EQ(close.what, SplitHit::CloseButton);
    EXPECT_EQ(close.pane, 0);
    const SplitHitResult caption = HitTestSplit(g, 50, 10);
    EXPECT_EQ(caption.what, SplitHit::Caption);
    EXPECT_EQ(caption.pane, 0);
    EXPECT_EQ(HitTestSplit(g, 290, 200).what, SplitHit::None);  // pane 1 has no caption
}

}  // namespace
