// The 36 screen split patterns, layout validation and the stored layout.
#include "config/core/SplitPatterns.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "config/core/SettingsStore.h"

namespace {

using namespace split;
using settings::MemorySettingsBackend;
using settings::SettingsStore;

SplitRecord Rec(int updown, int show0, int show1, int kind0, int kind1) {
    SplitRecord r;
    r.updown = updown;
    r.show[0] = show0;
    r.show[1] = show1;
    r.kind[0] = static_cast<std::uint8_t>(kind0);
    r.kind[1] = static_cast<std::uint8_t>(kind1);
    return r;
}

SplitLayout Layout(SplitRecord a, SplitRecord b, SplitRecord c) {
    SplitLayout l;
    l.split[0] = a;
    l.split[1] = b;
    l.split[2] = c;
    return l;
}

// Reads a layout back as the pattern table writes it: "(T/R) | E".
std::string Describe(const SplitLayout& l, int index, bool top) {
    const SplitRecord& r = l.split[index];
    auto part = [&](int j) -> std::string {
        switch (r.kind[j]) {
            case kPaneFolderTree: return "T";
            case kPaneRegistTag: return "R";
            case kPaneEditor: return "E";
            case kPaneSplit1:
            case kPaneSplit2: return Describe(l, r.kind[j], false);
            default: return "?";
        }
    };
    if (r.Shown(0) && !r.Shown(1)) return part(0);
    const std::string inner = part(0) + (r.Stacked() ? "/" : " | ") + part(1);
    return top ? inner : "(" + inner + ")";
}

TEST(SplitPatternTest, TheTableReadsAsItIsWrittenAndEveryPatternIsDistinct) {
    const char* const table[kPatternCount] = {
        "(T/R) | E", "(R/T) | E", "(T/E) | R", "(E/T) | R", "(R/E) | T", "(E/R) | T",
        "E | (T/R)", "E | (R/T)", "R | (T/E)", "R | (E/T)", "T | (R/E)", "T | (E/R)",
        "T | (R | E)", "T | (E | R)", "R | (T | E)", "R | (E | T)", "E | (T | R)", "E | (R | T)",
        "(T | R)/E", "(R | T)/E", "(T | E)/R", "(E | T)/R", "(R | E)/T", "(E | R)/T",
        "E/(T | R)", "E/(R | T)", "R/(T | E)", "R/(E | T)", "T/(R | E)", "T/(E | R)",
        "T/(R/E)", "T/(E/R)", "R/(T/E)", "R/(E/T)", "E/(T/R)", "E/(R/T)",
    };
    std::set<std::string> seen;
    for (int n = 1; n <= kPatternCount; ++n) {
        const SplitLayout& p = Pattern(n);
        SCOPED_TRACE(n);
        EXPECT_EQ(Describe(p, 0, true), table[n - 1]);
        EXPECT_EQ(p.split[0], Rec(n <= 18 ? 0 : 1, 1, 1, kPaneSplit1, kPaneSplit2));
        // One inner split window shows a single pane: stacked, pane 0 only.
        const bool firstSingle = !p.split[1].Shown(1);
        const SplitRecord& single = p.split[firstSingle ? 1 : 2];
        EXPECT_EQ(single.updown, 1);
        EXPECT_EQ(single.kind[1], kPaneNone);
        EXPECT_TRUE(p.split[firstSingle ? 2 : 1].Shown(1));
        EXPECT_EQ(CheckLayout(p), LayoutFault::None);
        EXPECT_EQ(FindPattern(p), n);
        seen.insert(Describe(p, 0, true));
    }
    EXPECT_EQ(seen.size(), static_cast<size_t>(kPatternCount));
}

TEST(SplitPatternTest, PatternsOneThirteenNineteenAndThirtyOneAsGiven) {
    EXPECT_EQ(Pattern(1), Layout(Rec(0, 1, 1, 1, 2), Rec(1, 1, 1, 3, 4), Rec(1, 1, 0, 5, 0)));
    EXPECT_EQ(Pattern(13), Layout(Rec(0, 1, 1, 1, 2), Rec(1, 1, 0, 3, 0), Rec(0, 1, 1, 4, 5)));
    EXPECT_EQ(Pattern(19), Layout(Rec(1, 1, 1, 1, 2), Rec(0, 1, 1, 3, 4), Rec(1, 1, 0, 5, 0)));
    EXPECT_EQ(Pattern(31), Layout(Rec(1, 1, 1, 1, 2), Rec(1, 1, 0, 3, 0), Rec(1, 1, 1, 4, 5)));
    EXPECT_EQ(DefaultLayout(), Pattern(1));
    EXPECT_EQ(Pattern(0), Pattern(1));
    EXPECT_EQ(Pattern(37), Pattern(1));
    EXPECT_EQ(PatternName(7), "パターン7");
    EXPECT_EQ(PatternName(36), "パターン36");
}

TEST(SplitPatternTest, FindingAPatternIgnoresShowFlagsOnly) {
    SplitLayout l = Pattern(13);
    l.split[1].show[0] = 0;  // the folder tree closed
    EXPECT_EQ(FindPattern(l), 13);
    l.split[0].updown = 1;
    EXPECT_EQ(FindPattern(l), 29);  // T / (R | E)
    std::swap(l.split[0].kind[0], l.split[0].kind[1]);
    EXPECT_EQ(FindPattern(l), 0);   // split window 2 first: no pattern
    l = Pattern(2);
    std::swap(l.split[1].kind[0], l.split[1].kind[1]);
    EXPECT_EQ(FindPattern(l), 1);
    // Any orientation but 1 is side by side, also when comparing.
    l = Pattern(13);
    l.split[2].updown = 5;
    EXPECT_EQ(FindPattern(l), 13);
}

TEST(SplitLayoutValidationTest, BrokenLayoutsFallBackToPatternOne) {
    const SplitLayout p7 = Pattern(7);
    struct Case {
        const char* what;
        SplitLayout layout;
        LayoutFault fault;
    };
    SplitLayout outOfRange = p7;
    outOfRange.split[2].kind[1] = 6;
    SplitLayout byteMark = p7;
    byteMark.split[1].kind[0] = 0xFF;
    SplitLayout self = Layout(Rec(0, 1, 1, 1, 2), Rec(1, 1, 1, 1, 3), Rec(1, 1, 1, 4, 5));
    SplitLayout cycle = Layout(Rec(0, 1, 1, 3, 1), Rec(1, 1, 1, 2, 4), Rec(1, 1, 1, 1, 5));
    SplitLayout cycleOutside = Layout(Rec(0, 1, 1, 3, 5), Rec(1, 1, 1, 2, 4), Rec(1, 1, 0, 1, 0));
    SplitLayout twice = Layout(Rec(0, 1, 1, 1, 2), Rec(1, 1, 1, 3, 3), Rec(1, 1, 0, 5, 0));
    SplitLayout splitTwice = Layout(Rec(0, 1, 1, 1, 2), Rec(1, 1, 1, 3, 4), Rec(1, 1, 1, 5, 1));
    SplitLayout noEditor = Layout(Rec(0, 1, 1, 1, 2), Rec(1, 1, 1, 3, 4), Rec(1, 1, 0, 0, 0));
    SplitLayout editorOutside = Layout(Rec(0, 1, 1, 1, 3), Rec(1, 1, 1, 4, 0), Rec(1, 1, 0, 5, 0));
    SplitLayout empty;
    const Case cases[] = {
        {"kind 6", outOfRange, LayoutFault::KindOutOfRange},
        {"stored kind out of range", byteMark, LayoutFault::KindOutOfRange},
        {"split window 1 holds itself", self, LayoutFault::WindowInsideItself},
        {"1 and 2 hold each other", cycle, LayoutFault::PaneUsedTwice},
        {"1 and 2 hold each other, unused", cycleOutside, LayoutFault::WindowInsideItself},
        {"folder tree twice", twice, LayoutFault::PaneUsedTwice},
        {"split window 1 in two panes", splitTwice, LayoutFault::PaneUsedTwice},
        {"no editor", noEditor, LayoutFault::NoEditor},
        {"editor in an unused split window", editorOutside, LayoutFault::NoEditor},
        {"all zero", empty, LayoutFault::NoEditor},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CheckLayout(c.layout), c.fault);
        LayoutFault f = LayoutFault::None;
        EXPECT_EQ(ValidLayout(c.layout, &f), Pattern(1));
        EXPECT_EQ(f, c.fault);
    }
}

TEST(SplitLayoutValidationTest, SoundLayoutsAreKeptWithTidiedFlags) {
    // Not one of the 36 patterns, but sound: the root holds the folder tree
    // and split window 1, which holds the tags above the editor.
    const SplitLayout custom = Layout(Rec(0, 1, 1, 3, 1), Rec(1, 1, 1, 4, 5), Rec(1, 0, 0, 0, 0));
    EXPECT_EQ(CheckLayout(custom), LayoutFault::None);
    EXPECT_EQ(ValidLayout(custom), custom);
    EXPECT_TRUE(IsSplitUsed(custom, 0));
    EXPECT_TRUE(IsSplitUsed(custom, 1));
    EXPECT_FALSE(IsSplitUsed(custom, 2));
    EXPECT_FALSE(IsSplitUsed(custom, 3));

    SplitLayout odd = Pattern(13);
    odd.split[0].updown = 7;     // side by side
    odd.split[1].show[0] = -3;   // shown
    odd.split[1].show[1] = 1;    // a pane without a window: hidden
    odd.split[2].show[1] = 0;    // the editor area cannot be hidden
    const SplitLayout v = ValidLayout(odd);
    EXPECT_EQ(v, Pattern(13));
}

TEST(SplitLayoutStoreTest, WrittenLayoutReadsBackUnderItsNames) {
    MemorySettingsBackend mem;
    SettingsStore store(mem);
    store.WriteSettingInt(kSplitSection, "Stale", 9);
    SplitLayout l = Pattern(13);
    l.split[1].show[0] = 0;
    const int bars[3] = {150, -4, 100000};
    ASSERT_TRUE(WriteSplitLayout(store, l, bars));
    EXPECT_FALSE(mem.HasValue(kSplitSection, "Stale"));  // the section is rewritten whole
    EXPECT_EQ(mem.ValueCount(kSplitSection), 18u);
    EXPECT_EQ(store.ReadSettingInt("Main\\SplitWnd", "Updown2", -1), 0);
    EXPECT_EQ(store.ReadSettingInt("Main\\SplitWnd", "WndShow1-0", -1), 0);
    EXPECT_EQ(store.ReadSettingInt("Main\\SplitWnd", "WndKind2-1", -1), 5);
    EXPECT_EQ(store.ReadSettingInt("Main\\SplitWnd", "BarPos0", -1), 150);

    int read[3] = {};
    EXPECT_EQ(ReadSplitLayout(store, 900, 600, read), l);
    EXPECT_EQ(read[0], 150);
    EXPECT_EQ(read[1], -4);      // positions are kept as stored; layout clamps them
    EXPECT_EQ(read[2], 100000);

    mem.failWrites = true;
    EXPECT_FALSE(WriteSplitLayout(store, l, bars));
}

TEST(SplitLayoutStoreTest, MissingValuesTakePatternOneAndOneThirdBars) {
    MemorySettingsBackend mem;
    SettingsStore store(mem);
    int bars[3] = {};
    EXPECT_EQ(ReadSplitLayout(store, 900, 600, bars), Pattern(1));
    EXPECT_EQ(bars[0], 300);  // side by side: a third of the width
    EXPECT_EQ(bars[1], 200);  // stacked: a third of the height
    EXPECT_EQ(bars[2], 200);
    // A bar's default follows the orientation that was read.
    store.WriteSettingInt(kSplitSection, "Updown0", 1);
    store.WriteSettingInt(kSplitSection, "BarPos1", 77);
    const SplitLayout l = ReadSplitLayout(store, 900, 600, bars);
    EXPECT_EQ(l.split[0].updown, 1);
    EXPECT_EQ(l.split[1], Pattern(1).split[1]);
    EXPECT_EQ(bars[0], 200);
    EXPECT_EQ(bars[1], 77);
}

TEST(SplitLayoutStoreTest, StoredKindsOutOfRangeAreNotTruncatedIntoRange) {
    MemorySettingsBackend mem;
    SettingsStore store(mem);
    int bars[3] = {};
    // 261 held as a byte would be 5, the editor area.
    for (int bad : {261, -1, 6, 1000}) {
        SCOPED_TRACE(bad);
        store.WriteSettingInt(kSplitSection, "WndKind2-0", bad);
        const SplitLayout l = ReadSplitLayout(store, 900, 600, bars);
        EXPECT_EQ(CheckLayout(l), LayoutFault::KindOutOfRange);
        EXPECT_EQ(ValidLayout(l), Pattern(1));
    }
    // A value of the wrong kind reads as missing.
    store.WriteSettingString(kSplitSection, "WndKind2-0", "5");
    EXPECT_EQ(ReadSplitLayout(store, 900, 600, bars), Pattern(1));
}

TEST(SplitLayoutStoreTest, SplitShowMoveIsOnUnlessStoredAsZero) {
    MemorySettingsBackend mem;
    SettingsStore store(mem);
    EXPECT_TRUE(ReadSplitShowMove(store));
    ASSERT_TRUE(WriteSplitShowMove(store, false));
    EXPECT_EQ(store.ReadSettingInt("Main", "SplitShowMove", -1), 0);
    EXPECT_FALSE(ReadSplitShowMove(store));
    store.WriteSettingInt("Main", "SplitShowMove", 2);
    EXPECT_TRUE(ReadSplitShowMove(store));
}

}  // namespace
