// Screen split layouts: the main window's folder tree, registered tag tree and
// editor area are held by up to three nested two-pane split windows, split
// window 0 being the outermost. A layout is one record per split window; the
// program offers 36 fixed layouts, the screen split patterns, numbered 1-36.
// The current layout is stored below "Main\SplitWnd".
#pragma once

#include <cstdint>
#include <string>

namespace settings {
class SettingsStore;
}

namespace split {

// What a pane of a split window holds.
enum PaneKind : std::uint8_t {
    kPaneNone = 0,
    kPaneSplit1 = 1,        // split window 1
    kPaneSplit2 = 2,        // split window 2
    kPaneFolderTree = 3,
    kPaneRegistTag = 4,     // registered tag tree
    kPaneEditor = 5,        // editor area (the document window)
};
constexpr int kPaneKindCount = 6;
constexpr int kSplitCount = 3;
constexpr int kPatternCount = 36;

// One split window: orientation (1 stacked, pane 0 above pane 1; anything
// else side by side, pane 0 left of pane 1), a show flag per pane (non-zero
// shown) and the kind of each pane.
struct SplitRecord {
    std::int32_t updown = 0;
    std::int32_t show[2] = {0, 0};
    std::uint8_t kind[2] = {kPaneNone, kPaneNone};

    bool Stacked() const { return updown == 1; }
    bool Shown(int pane) const { return show[pane] != 0; }
};

struct SplitLayout {
    SplitRecord split[kSplitCount];
};

bool operator==(const SplitRecord& a, const SplitRecord& b);
inline bool operator!=(const SplitRecord& a, const SplitRecord& b) { return !(a == b); }
bool operator==(const SplitLayout& a, const SplitLayout& b);
inline bool operator!=(const SplitLayout& a, const SplitLayout& b) { return !(a == b); }

// Pattern n (1-36); any other number gives pattern 1, the default layout.
const SplitLayout& Pattern(int number);
const SplitLayout& DefaultLayout();
// The name shown for pattern n ("パターン%d").
std::string PatternName(int number);
// The first pattern whose records have the same orientations and pane kinds
// as the layout's (show flags are not compared), or 0 when none has.
int FindPattern(const SplitLayout& layout);

// Why a layout cannot be shown.
enum class LayoutFault {
    None,
    KindOutOfRange,       // a pane kind outside 0-5
    WindowInsideItself,   // a split window holds itself, directly or through the other
    PaneUsedTwice,        // one window in two panes
    NoEditor,             // no editor area reachable from split window 0
};
LayoutFault CheckLayout(const SplitLayout& layout);

// The layout the windows can show: pattern 1 when CheckLayout finds a fault,
// else the layout with its orientations and show flags made 0 or 1, a pane
// without a window hidden and the editor area's pane shown (it has no close
// button, so a hidden editor area could never come back).
SplitLayout ValidLayout(const SplitLayout& layout, LayoutFault* fault = nullptr);

// Whether split window i is placed in the tree that starts at split window 0
// (split window 0 always is). Meaningful for layouts without faults.
bool IsSplitUsed(const SplitLayout& layout, int splitIndex);

// Bar positions of a freshly applied layout: one third of the client height
// for a stacked split window, one third of the client width otherwise.
void DefaultBarPositions(const SplitLayout& layout, int clientWidth, int clientHeight,
                         int barPos[kSplitCount]);

// Stored form, section "Main\SplitWnd": "Updown<i>", "BarPos<i>",
// "WndShow<i>-<j>", "WndKind<i>-<j>". A missing value takes pattern 1's (a
// bar position: one third, see DefaultBarPositions, by the orientation read).
// A kind is stored as an integer; one outside 0-5 reads as out of range, so
// that validation sees it rather than a truncated byte.
extern const char kSplitSection[];
SplitLayout ReadSplitLayout(const settings::SettingsStore& store, int clientWidth, int clientHeight,
                            int barPos[kSplitCount]);
// Deletes the section and writes the whole layout; false when a write failed.
bool WriteSplitLayout(settings::SettingsStore& store, const SplitLayout& layout, const int barPos[kSplitCount]);

// "SplitShowMove" of section "Main": whether the panes follow a dragged bar
// (1, the default) or an outline is dragged (0).
bool ReadSplitShowMove(const settings::SettingsStore& store);
bool WriteSplitShowMove(settings::SettingsStore& store, bool live);

}  // namespace split
