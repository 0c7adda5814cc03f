// How the three split windows show a layout: captions by pane kind, and the
// show flags of panes that hold split windows.
#include "shell/core/PaneLayout.h"

#include <gtest/gtest.h>

namespace {

using namespace split;

TEST(PaneLayoutTest, OnlyTheTreesHaveCaptions) {
    EXPECT_STREQ(PaneCaption(kPaneFolderTree), "ファイル ツリー");
    EXPECT_STREQ(PaneCaption(kPaneRegistTag), "登録タグ");
    for (int k : {0, 1, 2, 5, 6, -1}) EXPECT_FALSE(PaneHasCaption(k)) << k;
}

TEST(PaneLayoutTest, ClosingBothTreesHidesTheLeftColumnAndShowingOneBringsItBack) {
    SplitLayout l = WithPaneShown(Pattern(1), kPaneFolderTree, false);
    EXPECT_FALSE(IsKindShown(l, kPaneFolderTree));
    EXPECT_TRUE(IsKindShown(l, kPaneRegistTag));
    EXPECT_TRUE(l.split[0].Shown(0));  // the tag tree fills the left column

    l = WithPaneShown(l, kPaneRegistTag, false);
    EXPECT_FALSE(l.split[0].Shown(0));  // the left column is gone
    EXPECT_TRUE(l.split[0].Shown(1));
    EXPECT_TRUE(IsKindShown(l, kPaneEditor));

    l = WithPaneShown(l, kPaneFolderTree, true);
    EXPECT_TRUE(l.split[0].Shown(0));
    EXPECT_TRUE(IsKindShown(l, kPaneFolderTree));
    EXPECT_FALSE(IsKindShown(l, kPaneRegistTag));
    EXPECT_EQ(FindPattern(l), 1);
}

TEST(PaneLayoutTest, PaneKindsTheLayoutDoesNotPlaceChangeNothing) {
    // The root holds the tags and the editor; split windows 1 and 2 are unused.
    SplitLayout l;
    l.split[0].updown = 0;
    l.split[0].show[0] = l.split[0].show[1] = 1;
    l.split[0].kind[0] = kPaneRegistTag;
    l.split[0].kind[1] = kPaneEditor;
    l.split[1].kind[0] = kPaneNone;
    ASSERT_EQ(CheckLayout(l), LayoutFault::None);
    EXPECT_EQ(WithPaneShown(l, kPaneFolderTree, true), l);
    EXPECT_EQ(WithPaneShown(l, 0, false), l);
    EXPECT_EQ(WithPaneShown(l, 9, false), l);
    EXPECT_FALSE(IsKindShown(l, kPaneFolderTree));
    EXPECT_FALSE(IsKindShown(l, kPaneSplit1));
}

TEST(PaneLayoutTest, AStoredLayoutIsShownAsItsInnerPanesSay) {
    // Stored with the tree column's flags out of step with its panes.
    SplitLayout stored = Pattern(19);
    stored.split[0].show[0] = 1;
    stored.split[1].show[0] = 0;
    stored.split[1].show[1] = 0;
    stored.split[0].show[1] = 0;  // the editor's column cannot be closed this way
    const SplitLayout l = LayoutToApply(stored);
    EXPECT_FALSE(l.split[0].Shown(0));
    EXPECT_TRUE(l.split[0].Shown(1));

    SplitLayout broken = Pattern(19);
    broken.split[2].kind[0] = kPaneNone;
    LayoutFault f = LayoutFault::None;
    EXPECT_EQ(LayoutToApply(broken, &f), Pattern(1));
    EXPECT_EQ(f, LayoutFault::NoEditor);
}

}  // namespace
