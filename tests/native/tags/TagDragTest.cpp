// Drops inside the tag pane: which item may go where, the moves they make
// (keys follow through the ids), edge scrolling and the drag's answers.
#include <gtest/gtest.h>

#include "tags/core/TagDrag.h"
#include "tags/core/TagStore.h"

using namespace tags;

namespace {

struct DropCase {
    PaneItem dragged;
    PaneItem target;
    DropMove move;
    // File 0's, then file 1's tag names after the drop ("" for no change).
    const char* after0;
    const char* after1;
};

std::string Names(const TagStore& s, int file) {
    std::string out;
    for (const TagEntry& e : s.Files()[static_cast<std::size_t>(file)].tags) out += s.Name(e) + ",";
    return out;
}

}  // namespace

TEST(TagDragTest, DropsMoveTagsAndFilesOrAreRefused) {
    const DropCase cases[] = {
        // A tag on a file: to that file's end.
        {{0, 0}, {1, -1}, DropMove::TagToFileEnd, "b,c,", "x,y,a,"},
        {{0, 0}, {0, -1}, DropMove::TagToFileEnd, "b,c,a,", "x,y,"},
        // A tag on a tag: just before it, in the same or another file.
        {{0, 0}, {1, 1}, DropMove::TagBefore, "b,c,", "x,a,y,"},
        {{0, 2}, {0, 0}, DropMove::TagBefore, "c,a,b,", "x,y,"},
        {{0, 0}, {0, 2}, DropMove::TagBefore, "b,a,c,", "x,y,"},
        // A file on a file: before it.
        {{1, -1}, {0, -1}, DropMove::FileBefore, "x,y,", "a,b,c,"},
        // Refused: itself, a file on a tag, no such item.
        {{0, 1}, {0, 1}, DropMove::None, "", ""},
        {{1, -1}, {1, -1}, DropMove::None, "", ""},
        {{1, -1}, {0, 0}, DropMove::None, "", ""},
        {{0, 5}, {1, -1}, DropMove::None, "", ""},
        {{0, 0}, {2, -1}, DropMove::None, "", ""},
    };
    for (const DropCase& c : cases) {
        TagKinds kinds;
        TagStore s(kinds);
        s.AddFile("f0");
        s.AddFile("f1");
        for (const char* n : {"a", "b", "c"}) {
            s.AddTag(0, kSimpleKind);
            SetField(s.Files()[0].tags.back().record->Name, n);
        }
        for (const char* n : {"x", "y"}) {
            s.AddTag(1, kSimpleKind);
            SetField(s.Files()[1].tags.back().record->Name, n);
        }
        const DropPlan plan = PlanDrop(s, c.dragged, &c.target);
        SCOPED_TRACE(testing::Message() << c.dragged.file << "," << c.dragged.tag << " on " << c.target.file << ","
                                        << c.target.tag);
        EXPECT_EQ(plan.move, c.move);
        if (plan.move == DropMove::None) continue;
        if (plan.move == DropMove::FileBefore) {
            ASSERT_TRUE(s.MoveTagFile(c.dragged.file, plan.before));
        } else {
            ASSERT_TRUE(s.MoveTag(c.dragged.file, c.dragged.tag, plan.toFile, plan.before));
        }
        EXPECT_EQ(Names(s, 0), c.after0);
        EXPECT_EQ(Names(s, 1), c.after1);
    }
}

TEST(TagDragTest, NoTargetOrAFullFileRefusesTheDrop) {
    TagKinds kinds;
    TagStore s(kinds);
    s.AddFile("full");
    s.AddFile("one");
    for (int i = 0; i < kMaxTags; ++i) s.AddTag(0, kSimpleKind);
    s.AddTag(1, kSimpleKind);
    EXPECT_EQ(PlanDrop(s, {1, 0}, nullptr).move, DropMove::None);
    const PaneItem fullFile{0, -1}, fullTag{0, 50};
    EXPECT_EQ(PlanDrop(s, {1, 0}, &fullFile).move, DropMove::None);
    EXPECT_EQ(PlanDrop(s, {1, 0}, &fullTag).move, DropMove::None);
    // Within the full file tags still move.
    EXPECT_EQ(PlanDrop(s, {0, 3}, &fullTag).move, DropMove::TagBefore);
}

TEST(TagDragTest, EdgesScrollAndAnswersPickCursorsAndRuns) {
    struct {
        int y, client, item, dir;
    } const edges[] = {{0, 200, 16, -1}, {15, 200, 16, -1}, {16, 200, 16, 0}, {183, 200, 16, 0},
                       {184, 200, 16, 1}, {250, 200, 16, 1}, {-5, 200, 16, -1}, {10, 200, 0, 0}};
    for (const auto& e : edges) EXPECT_EQ(EdgeScroll(e.y, e.client, e.item), e.dir) << e.y;
    EXPECT_EQ(DragCursor(221, kDropCopy), 221);
    EXPECT_EQ(DragCursor(221, kDropLink), 221);
    EXPECT_EQ(DragCursor(221, 0), 0);
    EXPECT_EQ(DragCursor(221, 2 /* move */), 0);
    EXPECT_TRUE(DropRunsTag(kDropCopy));
    EXPECT_FALSE(DropRunsTag(kDropLink));
    EXPECT_FALSE(DropRunsTag(0));
}
