#include "config/core/RClickMenus.h"

#include <gtest/gtest.h>

#include "config/core/SettingsStore.h"
#include "config/core/SplitPageModel.h"

namespace {

using rclick::MenuEntry;
using rclick::MenuList;
using settings::MemorySettingsBackend;
using settings::SettingsStore;

TEST(RClickMenusTest, LoadsBuiltInEmptyClampedAndGappedLists) {
    MemorySettingsBackend mem;
    SettingsStore store(mem);
    // Kind 0: Count -1 (built-in); kind 1: 300 entries stored, one missing;
    // kind 2: an empty list.
    store.WriteSettingInt("RClickMenu\\Kind0", "Count", -1);
    store.WriteSettingInt("RClickMenu\\Kind1", "Count", 300);
    for (int i = 0; i < 300; ++i) {
        if (i == 1) continue;
        store.WriteSettingString("RClickMenu\\Kind1", settings::IndexedName("Name", i), "コピー(&C)");
        store.WriteSettingInt("RClickMenu\\Kind1", settings::IndexedName("CmdId", i), 32774);
    }
    store.WriteSettingInt("RClickMenu\\Kind2", "Count", 0);
    const rclick::MenuLists lists = rclick::LoadMenus(store);
    EXPECT_EQ(lists[0], rclick::BuiltInList(0));
    ASSERT_EQ(lists[1].size(), 256u);
    EXPECT_EQ(lists[1][0], (MenuEntry{"コピー(&C)", 32774}));
    EXPECT_TRUE(lists[1][1].IsSeparator());
    EXPECT_EQ(lists[1][1].command, 0);
    EXPECT_TRUE(lists[2].empty());

    MemorySettingsBackend none;
    const rclick::MenuLists builtIn = rclick::LoadMenus(SettingsStore(none));
    for (int k = 0; k < rclick::kKindCount; ++k) EXPECT_EQ(builtIn[k], rclick::BuiltInList(k)) << k;
    EXPECT_EQ(builtIn[0], (MenuList{{"内部ブラウザ(&B)", 32803}, {"閉じる(&C)", 32780}}));
    EXPECT_EQ(builtIn[1].size(), 10u);
    EXPECT_EQ(builtIn[2].size(), 17u);
}

TEST(RClickMenusTest, SavesEachListWhole) {
    MemorySettingsBackend mem;
    SettingsStore store(mem);
    store.WriteSettingString("RClickMenu\\Kind0", "Name5", "old");
    rclick::MenuLists lists = {MenuList{{"閉じる(&C)", 32780}, rclick::Separator()}, MenuList{}, rclick::BuiltInList(2)};
    rclick::SaveMenus(store, lists);
    EXPECT_EQ(mem.ValueCount("RClickMenu\\Kind0"), 5u);
    EXPECT_EQ(store.ReadSettingInt("RClickMenu\\Kind0", "Count", -9), 2);
    EXPECT_EQ(store.ReadSettingString("RClickMenu\\Kind0", "Name1", ""), "-");
    EXPECT_EQ(store.ReadSettingInt("RClickMenu\\Kind0", "CmdId0", 0), 32780);
    EXPECT_EQ(store.ReadSettingInt("RClickMenu\\Kind1", "Count", -9), 0);
    EXPECT_EQ(rclick::LoadMenus(store), lists);
}

// The rows used below: 0 コピー, 1 貼り付け, 2 閉じる.
rclick::RcmenuPageModel Model(MenuList kind0) {
    std::vector<rclick::RcmenuPageModel::Row> rows = {{"コピー(&C)", 32774}, {"貼り付け(&P)", 32775}, {"閉じる(&C)", 32780}};
    return rclick::RcmenuPageModel(rows, rclick::MenuLists{kind0, MenuList{}, MenuList{}});
}

std::string Names(const MenuList& list) {
    std::string s;
    for (const MenuEntry& e : list) s += rclick::EntryText(e).substr(0, e.IsSeparator() ? 1 : std::string::npos) + ",";
    return s;
}

TEST(RClickMenusTest, PageModelEdits) {
    const MenuList paste = {{"貼り付け(&P)", 32775}, {"閉じる(&C)", 32780}};
    struct Step {
        const char* op;
        int arg;
        const char* names;
        int selection;
    };
    struct Case {
        MenuList start;
        std::vector<Step> steps;
    } cases[] = {
        // Insert before the selection; uncheck removes it again.
        {paste, {{"select", 0, "貼り付け,閉じる,", 0}, {"check", 0, "コピー,貼り付け,閉じる,", 0},
                 {"uncheck", 0, "貼り付け,閉じる,", 0}}},
        // Nothing selected: at the end, selected.
        {paste, {{"select", -1, "貼り付け,閉じる,", -1}, {"check", 0, "貼り付け,閉じる,コピー,", 2},
                 {"separator", 0, "貼り付け,閉じる,-,コピー,", 2}}},
        // An empty list: at 0.
        {{}, {{"separator", 0, "-,", 0}, {"check", 2, "閉じる,-,", 0}}},
        // Delete keeps the index or takes the last; nothing without a selection.
        {paste, {{"delete", 0, "閉じる,", 0}, {"delete", 0, "", -1}, {"delete", 0, "", -1}}},
        {paste, {{"select", 1, "貼り付け,閉じる,", 1}, {"delete", 0, "貼り付け,", 0}}},
        // Up and down stop at the edges and do nothing without a selection.
        {paste, {{"up", 0, "貼り付け,閉じる,", 0}, {"down", 0, "閉じる,貼り付け,", 1}, {"down", 0, "閉じる,貼り付け,", 1},
                 {"up", 0, "貼り付け,閉じる,", 0}, {"select", -1, "貼り付け,閉じる,", -1},
                 {"up", 0, "貼り付け,閉じる,", -1}, {"down", 0, "貼り付け,閉じる,", -1}}},
        // Reset gives the built-in list, first entry selected.
        {{}, {{"reset", 0, "内部ブラウザ,閉じる,", 0}}},
    };
    for (const Case& c : cases) {
        rclick::RcmenuPageModel m = Model(c.start);
        for (const Step& s : c.steps) {
            const std::string op = s.op;
            if (op == "select") m.Select(s.arg);
            else if (op == "check") m.Check(static_cast<std::size_t>(s.arg));
            else if (op == "uncheck") m.Uncheck(static_cast<std::size_t>(s.arg));
            else if (op == "separator") m.InsertSeparator();
            else if (op == "delete") m.DeleteSelected();
            else if (op == "up") m.MoveUp();
            else if (op == "down") m.MoveDown();
            else if (op == "reset") m.Reset();
            EXPECT_EQ(Names(m.List()), s.names) << op;
            EXPECT_EQ(m.Selection(), s.selection) << op << " " << s.names;
        }
    }
}

TEST(RClickMenusTest, RowsAreCheckedWhileTheListHoldsTheirCommand) {
    rclick::RcmenuPageModel m = Model({{"コピー(&C)", 32774}, rclick::Separator(), {"コピー(&C)", 32774}});
    EXPECT_TRUE(m.RowChecked(0));
    EXPECT_FALSE(m.RowChecked(1));
    EXPECT_FALSE(m.RowChecked(2));  // a separator's command 0 is no row's
    m.Uncheck(0);
    EXPECT_TRUE(m.RowChecked(0));   // the second copy is still there
    m.Uncheck(0);
    EXPECT_FALSE(m.RowChecked(0));
    EXPECT_EQ(m.List().size(), 1u);

    const std::vector<rclick::RcmenuPageModel::Row> rows = rclick::RcmenuPageModel::TableRows();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front().label, std::string("新規作成(&N)"));
    EXPECT_EQ(rclick::EntryText(MenuEntry{"Internet Explorer(&I)", 40046}), "Internet Explorer");
    EXPECT_EQ(rclick::EntryText(rclick::Separator()), std::string(32, '-'));
    EXPECT_EQ(rclick::ResetQuestion(1), "[編集エディタ(選択なし時)]メニューをリセットしてもよろしいですか？");
}

TEST(SplitPageModelTest, SelectsTheLayoutsPatternAndAppliesOnlyAChosenOne) {
    split::SplitLayout hidden = split::Pattern(13);
    hidden.split[1].show[0] = 0;
    split::SplitLayout none = split::Pattern(1);
    none.split[0].kind[0] = 5;
    struct Case {
        split::SplitLayout layout;
        int selected;
    } cases[] = {{split::DefaultLayout(), 1}, {hidden, 13}, {split::Pattern(36), 36}, {none, 0}};
    for (const Case& c : cases) {
        split::SplitPageModel m(c.layout);
        EXPECT_EQ(m.Pattern(), c.selected);
        EXPECT_EQ(m.PatternToApply(), 0);
        m.Choose(37);
        EXPECT_EQ(m.PatternToApply(), 0);
        m.Choose(c.selected == 0 ? 13 : c.selected);
        EXPECT_EQ(m.PatternToApply(), c.selected == 0 ? 13 : c.selected);
    }
}

}  // namespace
