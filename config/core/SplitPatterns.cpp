#include "config/core/SplitPatterns.h"

#include "config/core/SettingsStore.h"

namespace split {

using settings::IndexedName;

const char kSplitSection[] = "Main\\SplitWnd";

namespace {

constexpr std::uint8_t T = kPaneFolderTree;
constexpr std::uint8_t R = kPaneRegistTag;
constexpr std::uint8_t E = kPaneEditor;
constexpr std::uint8_t kKindOutOfRange = 0xFF;

// A pattern as it reads: the outer split, which part of it holds two panes,
// the inner split of that part, and the three panes from left/top to
// right/bottom. "(T/R) | E" is {0, true, 1, T, R, E}.
struct PatternShape {
    std::int32_t outer;   // 1 "/" stacked, 0 "|" side by side
    bool pairFirst;       // the left or top part is the two-pane one
    std::int32_t inner;
    std::uint8_t a, b, c;
};

constexpr PatternShape kShapes[kPatternCount] = {
    {0, true, 1, T, R, E},   //  1 (T/R) | E
    {0, true, 1, R, T, E},   //  2 (R/T) | E
    {0, true, 1, T, E, R},   //  3 (T/E) | R
    {0, true, 1, E, T, R},   //  4 (E/T) | R
    {0, true, 1, R, E, T},   //  5 (R/E) | T
    {0, true, 1, E, R, T},   //  6 (E/R) | T
    {0, false, 1, E, T, R},  //  7 E | (T/R)
    {0, false, 1, E, R, T},  //  8 E | (R/T)
    {0, false, 1, R, T, E},  //  9 R | (T/E)
    {0, false, 1, R, E, T},  // 10 R | (E/T)
    {0, false, 1, T, R, E},  // 11 T | (R/E)
    {0, false, 1, T, E, R},  // 12 T | (E/R)
    {0, false, 0, T, R, E},  // 13 T | (R | E)
    {0, false, 0, T, E, R},  // 14 T | (E | R)
    {0, false, 0, R, T, E},  // 15 R | (T | E)
    {0, false, 0, R, E, T},  // 16 R | (E | T)
    {0, false, 0, E, T, R},  // 17 E | (T | R)
    {0, false, 0, E, R, T},  // 18 E | (R | T)
    {1, true, 0, T, R, E},   // 19 (T | R) / E
    {1, true, 0, R, T, E},   // 20 (R | T) / E
    {1, true, 0, T, E, R},   // 21 (T | E) / R
    {1, true, 0, E, T, R},   // 22 (E | T) / R
    {1, true, 0, R, E, T},   // 23 (R | E) / T
    {1, true, 0, E, R, T},   // 24 (E | R) / T
    {1, false, 0, E, T, R},  // 25 E / (T | R)
    {1, false, 0, E, R, T},  // 26 E / (R | T)
    {1, false, 0, R, T, E},  // 27 R / (T | E)
    {1, false, 0, R, E, T},  // 28 R / (E | T)
    {1, false, 0, T, R, E},  // 29 T / (R | E)
    {1, false, 0, T, E, R},  // 30 T / (E | R)
    {1, false, 1, T, R, E},  // 31 T / (R/E)
    {1, false, 1, T, E, R},  // 32 T / (E/R)
    {1, false, 1, R, T, E},  // 33 R / (T/E)
    {1, false, 1, R, E, T},  // 34 R / (E/T)
    {1, false, 1, E, T, R},  // 35 E / (T/R)
    {1, false, 1, E, R, T},  // 36 E / (R/T)
};

SplitRecord Record(std::int32_t updown, std::int32_t show0, std::int32_t show1, std::uint8_t kind0,
                   std::uint8_t kind1) {
    SplitRecord r;
    r.updown = updown;
    r.show[0] = show0;
    r.show[1] = show1;
    r.kind[0] = kind0;
    r.kind[1] = kind1;
    return r;
}

// A part of the outer split with a single pane is a stacked split window
// showing only pane 0; a part with two panes shows both in reading order.
SplitLayout FromShape(const PatternShape& s) {
    SplitLayout l;
    l.split[0] = Record(s.outer, 1, 1, kPaneSplit1, kPaneSplit2);
    if (s.pairFirst) {
        l.split[1] = Record(s.inner, 1, 1, s.a, s.b);
        l.split[2] = Record(1, 1, 0, s.c, kPaneNone);
    } else {
        l.split[1] = Record(1, 1, 0, s.a, kPaneNone);
        l.split[2] = Record(s.inner, 1, 1, s.b, s.c);
    }
    return l;
}

struct PatternTable {
    SplitLayout layouts[kPatternCount];
    PatternTable() {
        for (int i = 0; i < kPatternCount; ++i) layouts[i] = FromShape(kShapes[i]);
    }
};

const PatternTable& Patterns() {
    static const PatternTable table;
    return table;
}

bool IsSplitKind(std::uint8_t k) { return k == kPaneSplit1 || k == kPaneSplit2; }

bool Holds(const SplitRecord& r, std::uint8_t kind) { return r.kind[0] == kind || r.kind[1] == kind; }

// Marks the split windows and pane kinds reached from split window 0. The
// layout must hold no split window inside itself.
void Reach(const SplitLayout& l, bool splitUsed[kSplitCount], bool kindReached[kPaneKindCount]) {
    for (int i = 0; i < kSplitCount; ++i) splitUsed[i] = i == 0;
    for (int i = 0; i < kPaneKindCount; ++i) kindReached[i] = false;
    // Split windows only hold higher-numbered ones in a sound layout, but
    // walk until nothing changes so any order is followed.
    for (bool changed = true; changed;) {
        changed = false;
        for (int i = 0; i < kSplitCount; ++i) {
            if (!splitUsed[i]) continue;
            for (std::uint8_t k : l.split[i].kind) {
                if (k >= kPaneKindCount || kindReached[k]) continue;
                kindReached[k] = true;
                changed = true;
                if (IsSplitKind(k)) splitUsed[k] = true;
            }
        }
    }
}

}  // namespace

bool operator==(const SplitRecord& a, const SplitRecord& b) {
    return a.updown == b.updown && a.show[0] == b.show[0] && a.show[1] == b.show[1] && a.kind[0] == b.kind[0] &&
           a.kind[1] == b.kind[1];
}

bool operator==(const SplitLayout& a, const SplitLayout& b) {
    for (int i = 0; i < kSplitCount; ++i) {
        if (a.split[i] != b.split[i]) return false;
    }
    return true;
}

const SplitLayout& Pattern(int number) {
    if (number < 1 || number > kPatternCount) number = 1;
    return Patterns().layouts[number - 1];
}

const SplitLayout& DefaultLayout() { return Pattern(1); }

std::string PatternName(int number) { return IndexedName("パターン", number); }

int FindPattern(const SplitLayout& layout) {
    for (int n = 1; n <= kPatternCount; ++n) {
        const SplitLayout& p = Pattern(n);
        bool same = true;
        for (int i = 0; i < kSplitCount && same; ++i) {
            const SplitRecord& a = p.split[i];
            const SplitRecord& b = layout.split[i];
            same = a.Stacked() == b.Stacked() && a.kind[0] == b.kind[0] && a.kind[1] == b.kind[1];
        }
        if (same) return n;
    }
    return 0;
}

LayoutFault CheckLayout(const SplitLayout& layout) {
    for (const SplitRecord& r : layout.split) {
        for (std::uint8_t k : r.kind) {
            if (k >= kPaneKindCount) return LayoutFault::KindOutOfRange;
        }
    }
    // Every pane kind in any record, reached or not, names one window, so
    // one kind in two panes is a broken layout even outside the tree.
    bool anywhere[kPaneKindCount] = {};
    for (int i = 0; i < kSplitCount; ++i) {
        for (std::uint8_t k : layout.split[i].kind) {
            if (k == kPaneNone) continue;
            if (IsSplitKind(k) && k == i) return LayoutFault::WindowInsideItself;
            if (anywhere[k]) return LayoutFault::PaneUsedTwice;
            anywhere[k] = true;
        }
    }
    // With at most two inner split windows, holding itself through the
    // other means each holds the other.
    if (Holds(layout.split[1], kPaneSplit2) && Holds(layout.split[2], kPaneSplit1))
        return LayoutFault::WindowInsideItself;
    bool used[kSplitCount];
    bool reached[kPaneKindCount];
    Reach(layout, used, reached);
    return reached[kPaneEditor] ? LayoutFault::None : LayoutFault::NoEditor;
}

SplitLayout ValidLayout(const SplitLayout& layout, LayoutFault* fault) {
    const LayoutFault f = CheckLayout(layout);
    if (fault) *fault = f;
    if (f != LayoutFault::None) return DefaultLayout();
    SplitLayout l = layout;
    for (SplitRecord& r : l.split) {
        r.updown = r.Stacked() ? 1 : 0;
        for (int j = 0; j < 2; ++j) {
            r.show[j] = r.show[j] != 0 && r.kind[j] != kPaneNone ? 1 : 0;
            if (r.kind[j] == kPaneEditor) r.show[j] = 1;
        }
    }
    return l;
}

bool IsSplitUsed(const SplitLayout& layout, int splitIndex) {
    if (splitIndex < 0 || splitIndex >= kSplitCount) return false;
    bool used[kSplitCount];
    bool reached[kPaneKindCount];
    Reach(layout, used, reached);
    return used[splitIndex];
}

void DefaultBarPositions(const SplitLayout& layout, int clientWidth, int clientHeight, int barPos[kSplitCount]) {
    for (int i = 0; i < kSplitCount; ++i) {
        barPos[i] = (layout.split[i].Stacked() ? clientHeight : clientWidth) / 3;
    }
}

SplitLayout ReadSplitLayout(const settings::SettingsStore& store, int clientWidth, int clientHeight,
                            int barPos[kSplitCount]) {
    const SplitLayout& def = DefaultLayout();
    SplitLayout l;
    for (int i = 0; i < kSplitCount; ++i) {
        SplitRecord& r = l.split[i];
        r.updown = store.ReadSettingInt(kSplitSection, IndexedName("Updown", i), def.split[i].updown);
        for (int j = 0; j < 2; ++j) {
            r.show[j] = store.ReadSettingInt(kSplitSection, IndexedName("WndShow", i, j), def.split[i].show[j]);
            const std::int32_t k =
                store.ReadSettingInt(kSplitSection, IndexedName("WndKind", i, j), def.split[i].kind[j]);
            r.kind[j] = (k >= 0 && k < kPaneKindCount) ? static_cast<std::uint8_t>(k) : kKindOutOfRange;
        }
    }
    int defBars[kSplitCount];
    DefaultBarPositions(l, clientWidth, clientHeight, defBars);
    for (int i = 0; i < kSplitCount; ++i) {
        barPos[i] = store.ReadSettingInt(kSplitSection, IndexedName("BarPos", i), defBars[i]);
    }
    return l;
}

bool WriteSplitLayout(settings::SettingsStore& store, const SplitLayout& layout, const int barPos[kSplitCount]) {
    store.DeleteSettingSection(kSplitSection);  // may not exist yet
    bool ok = true;
    for (int i = 0; i < kSplitCount; ++i) {
        const SplitRecord& r = layout.split[i];
        ok = store.WriteSettingInt(kSplitSection, IndexedName("Updown", i), r.updown) && ok;
        ok = store.WriteSettingInt(kSplitSection, IndexedName("BarPos", i), barPos[i]) && ok;
        for (int j = 0; j < 2; ++j) {
            ok = store.WriteSettingInt(kSplitSection, IndexedName("WndShow", i, j), r.show[j]) && ok;
            ok = store.WriteSettingInt(kSplitSection, IndexedName("WndKind", i, j), r.kind[j]) && ok;
        }
    }
    return ok;
}

bool ReadSplitShowMove(const settings::SettingsStore& store) {
    return store.ReadSettingInt("Main", "SplitShowMove", 1) != 0;
}

bool WriteSplitShowMove(settings::SettingsStore& store, bool live) {
    return store.WriteSettingInt("Main", "SplitShowMove", live ? 1 : 0);
}

}  // namespace split
