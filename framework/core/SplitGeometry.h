// Geometry of one two-pane split window: where its bar, its pane bands, their
// caption bars and close buttons and the pane windows go, how a bar position
// is clamped, and what a point of the window hits. Client coordinates.
#pragma once

namespace split {

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool Empty() const { return right <= left || bottom <= top; }
};
bool operator==(const Rect& a, const Rect& b);
inline bool operator!=(const Rect& a, const Rect& b) { return !(a == b); }

// System sizes the geometry depends on.
struct SplitMetrics {
    static constexpr int kCaptionBand = 20;   // text band of a caption bar
    static constexpr int kCloseWidth = 19;    // close button box
    static constexpr int kCloseHeight = 18;
    int edgeX = 2;      // horizontal edge size
    int edgeY = 2;      // vertical edge size
    int barHalf = 2;    // the bar covers bar position - barHalf to + barHalf

    // H: the caption bar's height, its text band plus an edge above and below.
    int CaptionHeight() const { return kCaptionBand + 2 * edgeY; }
    // What a caption bar takes along the split direction.
    int CaptionSize(bool stacked) const { return stacked ? CaptionHeight() : kCaptionBand + 2 * edgeX; }
};

// What a split window is showing.
struct SplitState {
    int width = 0;
    int height = 0;
    int barPos = 200;           // as set; clamped on every layout
    bool stacked = false;       // pane 0 above pane 1, else pane 0 left of pane 1
    bool shown[2] = {true, true};
    bool caption[2] = {true, true};
    bool closeButton[2] = {true, true};
};

struct PaneGeometry {
    bool visible = false;
    Rect band;              // the pane's part of the window
    bool hasCaption = false;
    Rect caption;           // top H pixels of the band
    Rect captionText;       // the text band, left of the close button
    bool hasClose = false;
    Rect close;             // close button box
    Rect window;            // where the pane's window goes
};

struct SplitGeometry {
    int bar = 0;            // bar position used (clamped)
    bool barShown = false;  // both panes are shown
    Rect barRect;
    PaneGeometry pane[2];
};

// Extent along the split direction.
int SplitExtent(const SplitState& state);

// Clamps a bar position: at least barHalf + 1 and at most extent - (barHalf
// + 1); not into a captioned pane's caption bar (pane 1's rule last); and in
// any case so that neither pane gets a negative size.
int ClampBarPos(int pos, const SplitState& state, const SplitMetrics& metrics);

// The bar's rectangle at a position (for the drag outline, too).
Rect BarRectAt(int pos, const SplitState& state, const SplitMetrics& metrics);

// Lays the window out with the clamped bar position. Every rectangle is
// normalised: no width or height is negative and windows stay in their bands.
SplitGeometry ComputeSplitGeometry(const SplitState& state, const SplitMetrics& metrics);

enum class SplitHit { None, Bar, Caption, CloseButton };
struct SplitHitResult {
    SplitHit what = SplitHit::None;
    int pane = -1;
};
// What a point hits; the bar only counts while both panes are shown.
SplitHitResult HitTestSplit(const SplitGeometry& geometry, int x, int y);

}  // namespace split
