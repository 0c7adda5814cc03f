#include "framework/core/SplitGeometry.h"

#include <algorithm>

namespace split {

namespace {

// Makes a rectangle lie within `outer` with no negative width or height.
Rect Normalised(Rect r, const Rect& outer) {
    r.left = std::clamp(r.left, outer.left, std::max(outer.left, outer.right));
    r.top = std::clamp(r.top, outer.top, std::max(outer.top, outer.bottom));
    r.right = std::clamp(r.right, r.left, std::max(r.left, outer.right));
    r.bottom = std::clamp(r.bottom, r.top, std::max(r.top, outer.bottom));
    return r;
}

void LayOutPane(PaneGeometry& g, const Rect& band, bool caption, bool closeButton, const SplitMetrics& m) {
    g.visible = true;
    g.band = band;
    g.hasCaption = caption;
    if (!caption) {
        g.window = band;
        return;
    }
    const int h = m.CaptionHeight();
    g.caption = Normalised(Rect{band.left, band.top, band.right, band.top + h}, band);
    g.window = Normalised(Rect{band.left + m.edgeX, band.top + h, band.right - m.edgeX, band.bottom - m.edgeY}, band);
    const Rect inner = Normalised(Rect{band.left + m.edgeX, band.top + m.edgeY, band.right - m.edgeX,
                                       band.top + m.edgeY + SplitMetrics::kCaptionBand},
                                  g.caption);
    g.captionText = inner;
    g.hasClose = closeButton;
    if (closeButton) {
        const int top = inner.top + 1;
        g.close = Normalised(Rect{inner.right - SplitMetrics::kCloseWidth, top, inner.right,
                                  top + SplitMetrics::kCloseHeight},
                             inner);
        g.captionText.right = g.close.left;
    }
}

}  // namespace

bool operator==(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

int SplitExtent(const SplitState& state) { return std::max(0, state.stacked ? state.height : state.width); }

int ClampBarPos(int pos, const SplitState& state, const SplitMetrics& metrics) {
    const int extent = SplitExtent(state);
    const int m = metrics.barHalf + 1;
    const int caption = metrics.CaptionSize(state.stacked);
    int p = std::min(std::max(pos, m), extent - m);
    if (state.caption[0]) p = std::max(p, m - 1 + caption);
    if (state.caption[1]) p = std::min(p, extent - (caption + m - 1));
    // Captions that do not both fit, or a window narrower than the bar, must
    // still leave neither pane with a negative size.
    const int lo = metrics.barHalf;
    const int hi = extent - metrics.barHalf;
    if (hi < lo) return extent / 2;
    return std::clamp(p, lo, hi);
}

Rect BarRectAt(int pos, const SplitState& state, const SplitMetrics& metrics) {
    const int w = std::max(0, state.width);
    const int h = std::max(0, state.height);
    const Rect client{0, 0, w, h};
    if (state.stacked) return Normalised(Rect{0, pos - metrics.barHalf, w, pos + metrics.barHalf}, client);
    return Normalised(Rect{pos - metrics.barHalf, 0, pos + metrics.barHalf, h}, client);
}

SplitGeometry ComputeSplitGeometry(const SplitState& state, const SplitMetrics& metrics) {
    SplitGeometry g;
    const int w = std::max(0, state.width);
    const int h = std::max(0, state.height);
    const Rect client{0, 0, w, h};
    g.bar = ClampBarPos(state.barPos, state, metrics);
    if (state.shown[0] && state.shown[1]) {
        g.barShown = true;
        g.barRect = BarRectAt(g.bar, state, metrics);
        Rect first = client;
        Rect second = client;
        if (state.stacked) {
            first.bottom = g.barRect.top;
            second.top = g.barRect.bottom;
        } else {
            first.right = g.barRect.left;
            second.left = g.barRect.right;
        }
        LayOutPane(g.pane[0], first, state.caption[0], state.closeButton[0], metrics);
        LayOutPane(g.pane[1], second, state.caption[1], state.closeButton[1], metrics);
    } else {
        for (int j = 0; j < 2; ++j) {
            if (state.shown[j]) LayOutPane(g.pane[j], client, state.caption[j], state.closeButton[j], metrics);
        }
    }
    return g;
}

SplitHitResult HitTestSplit(const SplitGeometry& g, int x, int y) {
    for (int j = 0; j < 2; ++j) {
        const PaneGeometry& p = g.pane[j];
        if (!p.visible || !p.hasCaption) continue;
        if (p.hasClose && p.close.Contains(x, y)) return {SplitHit::CloseButton, j};
        if (p.caption.Contains(x, y)) return {SplitHit::Caption, j};
    }
    if (g.barShown && g.barRect.Contains(x, y)) return {SplitHit::Bar, -1};
    return {};
}

}  // namespace split
