// The keyboard page's model: names from menu texts, the assign rule, the
// conflict search and question, reset and the table built from the page.
#include <gtest/gtest.h>

#include <algorithm>

#include "config/core/KeyPageModel.h"

using keys::EntryRef;
using keys::KeyBinding;
using keys::KeyTable;

namespace {

class KeyPageModelTest : public ::testing::Test {
protected:
    keys::KeyPageModel model;
    void SetUp() override {
        const KeyTable table = {{0x0B, 'N', 32777}, {0x0B, 'S', 32781}, {0x0B, 'Z', 32771}};
        keys::KeyPageCategory& file = model.AddCategory("ファイル(&F)");
        model.AddCommand(file, "新規作成(&N)\tCtrl+N", 32777, table);
        model.AddCommand(file, "閉じる(&C)", 32780, table);
        model.AddCommand(file, "上書き保存(&S)\tCtrl+S", 32781, table);
        keys::KeyPageCategory& edit = model.AddCategory("編集(&E)");
        model.AddCommand(edit, "元に戻す(&U)\tCtrl+Z", 32771, table);
        model.AddCommand(edit, "CRLF(F&)", 40070, table);
    }
};

TEST(KeyPageNamesTest, NamesAreCutBeforeTheLastParenthesis) {
    EXPECT_EQ(keys::NameBeforeLastParen("ファイル(&F)"), "ファイル");
    EXPECT_EQ(keys::NameBeforeLastParen("開く(&O)\tCtrl+O"), "開く");
    EXPECT_EQ(keys::NameBeforeLastParen("Internet Explorer(&I)\tF5"), "Internet Explorer");
    EXPECT_EQ(keys::NameBeforeLastParen("登録されていません"), "登録されていません");
    // A tag named with a Shift JIS character whose trail byte is 0x28 is not
    // possible (trail bytes start at 0x40), but 0x5C and letters are: the cut
    // still lands on the real parenthesis.
    EXPECT_EQ(keys::NameBeforeLastParen("表ソ(&A)"), "表ソ");
    EXPECT_EQ(keys::FlagsFromBoxes(false, false, false), 0x03);
    EXPECT_EQ(keys::FlagsFromBoxes(true, false, false), 0x0B);
    EXPECT_EQ(keys::FlagsFromBoxes(true, true, true), 0x1F);
    EXPECT_EQ(keys::FlagsFromBoxes(false, true, true), 0x17);
}

TEST_F(KeyPageModelTest, EntriesTakeTheirFirstBinding) {
    ASSERT_EQ(model.categories.size(), 2u);
    EXPECT_EQ(model.categories[0].name, "ファイル");
    EXPECT_EQ(model.categories[0].entries[0].name, "新規作成");
    EXPECT_EQ(model.categories[0].entries[0].key, 'N');
    EXPECT_FALSE(model.categories[0].entries[1].HasKey());
    EXPECT_EQ(model.categories[1].entries[1].name, "CRLF");
}

TEST_F(KeyPageModelTest, AssignIsEnabledOnlyForADifferentKey) {
    const EntryRef newFile{0, 0}, close{0, 1};
    EXPECT_FALSE(model.Differs(newFile, 0x0B, 'N'));
    EXPECT_TRUE(model.Differs(newFile, 0x0F, 'N'));
    EXPECT_TRUE(model.Differs(newFile, 0x0B, 'M'));
    // "（未登録）" for a command with a key enables it; for one without, not.
    EXPECT_TRUE(model.Differs(newFile, 0, 0));
    EXPECT_FALSE(model.Differs(close, 0, 0));
    model.Assign(newFile, 0, 0);
    EXPECT_FALSE(model.Entry(newFile)->HasKey());
    EXPECT_EQ(model.BuildTable(), (KeyTable{{0x0B, 'S', 32781}, {0x0B, 'Z', 32771}}));
}

TEST_F(KeyPageModelTest, ConflictFindsTheHolderAndOkTakesItsKeyAway) {
    const EntryRef close{0, 1};
    EntryRef holder;
    ASSERT_TRUE(model.FindHolder(0x0B, 'Z', close, &holder));
    EXPECT_EQ(holder.category, 1u);
    EXPECT_EQ(holder.entry, 0u);
    EXPECT_FALSE(model.FindHolder(0x0F, 'Z', close, &holder));  // other modifiers
    EXPECT_FALSE(model.FindHolder(0x0B, 'N', EntryRef{0, 0}, &holder));  // its own key

    EXPECT_EQ(keys::ConflictQuestion(true, false, false, "Z", "元に戻す", "閉じる"),
              "Ctrl+Zは '元に戻す' で使用されていますが\n'閉じる' に変更してもよろしいですか？");
    EXPECT_EQ(keys::ConflictQuestion(true, true, true, "F1", "a", "b"),
              "Ctrl+Alt+Shift+F1は 'a' で使用されていますが\n'b' に変更してもよろしいですか？");

    ASSERT_TRUE(model.FindHolder(0x0B, 'Z', close, &holder));
    model.Assign(close, 0x0B, 'Z', &holder);
    EXPECT_FALSE(model.Entry(holder)->HasKey());
    EXPECT_EQ(model.Entry(close)->key, 'Z');
    EXPECT_EQ(model.BuildTable(),
              (KeyTable{{0x0B, 'N', 32777}, {0x0B, 'Z', 32780}, {0x0B, 'S', 32781}}));
}

TEST_F(KeyPageModelTest, ResetTakesTheBuiltInKeysOrFailsOnAnEmptyTable) {
    model.Assign(EntryRef{0, 1}, 0x13, 'Q');
    model.Assign(EntryRef{0, 0}, 0, 0);
    EXPECT_FALSE(model.Reset(KeyTable()));
    EXPECT_EQ(model.Entry(EntryRef{0, 1})->key, 'Q');  // unchanged
    ASSERT_TRUE(model.Reset(keys::BuildDefaultTable()));
    EXPECT_EQ(model.Entry(EntryRef{0, 0})->key, 'N');
    EXPECT_FALSE(model.Entry(EntryRef{0, 1})->HasKey());
    EXPECT_FALSE(model.Entry(EntryRef{1, 1})->HasKey());
    // The page's three keys first, then the built-in keys of every command
    // not on the page (the bookmarks' Ctrl+1 among them).
    const KeyTable table = model.BuildTable();
    EXPECT_EQ(KeyTable(table.begin(), table.begin() + 3),
              (KeyTable{{0x0B, 'N', 32777}, {0x0B, 'S', 32781}, {0x0B, 'Z', 32771}}));
    EXPECT_NE(std::find(table.begin(), table.end(), KeyBinding{0x0B, '1', 25011}), table.end());
    EXPECT_EQ(table.size(), keys::BuildDefaultTable().size());
}

TEST_F(KeyPageModelTest, BindingsOfCommandsNotOnThePageAreKept) {
    // Ctrl+1 and Ctrl+Shift+1 (bookmark 1), a tag key, and Ctrl+N again.
    const KeyTable stored = {{0x0B, 'N', 32777}, {0x0B, '1', 25011}, {0x0F, '1', 25001},
                             {0x13, 'T', 10005}, {0x03, 0x70, 32780}};
    model.KeepOtherBindings(stored);
    EXPECT_EQ(model.BuildTable(), (KeyTable{{0x0B, 'N', 32777}, {0x0B, 'S', 32781}, {0x0B, 'Z', 32771},
                                            {0x0B, '1', 25011}, {0x0F, '1', 25001}, {0x13, 'T', 10005}}));
    // A page command given Ctrl+1 holds it: the hidden binding gives way.
    model.Assign(EntryRef{0, 1}, 0x0B, '1');
    EXPECT_EQ(model.BuildTable(), (KeyTable{{0x0B, 'N', 32777}, {0x0B, '1', 32780}, {0x0B, 'S', 32781},
                                            {0x0B, 'Z', 32771}, {0x0F, '1', 25001}, {0x13, 'T', 10005}}));
}

}  // namespace
