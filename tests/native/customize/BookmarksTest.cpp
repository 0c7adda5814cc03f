#include "config/core/Bookmarks.h"

#include <gtest/gtest.h>

#include "config/core/SettingsStore.h"

namespace {

using settings::MemorySettingsBackend;
using settings::SettingsStore;

TEST(BookmarksTest, SavesOnlySetSlotsAndReadsThemBack) {
    MemorySettingsBackend mem;
    SettingsStore store(mem);
    store.WriteSettingString("BookMark", "Path7", "C:\\old.html");  // replaced whole
    bookmarks::BookmarkTable table;
    table[3] = {"C:\\web\\index.html", 119};
    table[9] = {"C:\\表\\ソ.html", 0};
    bookmarks::SaveBookmarks(store, table);
    EXPECT_EQ(mem.ValueCount("BookMark"), 4u);
    EXPECT_FALSE(mem.HasValue("BookMark", "Path0"));
    EXPECT_FALSE(mem.HasValue("BookMark", "Line0"));
    EXPECT_FALSE(mem.HasValue("BookMark", "Path7"));
    EXPECT_EQ(store.ReadSettingInt("BookMark", "Line3", -1), 119);

    const bookmarks::BookmarkTable back = bookmarks::LoadBookmarks(store);
    for (int n = 0; n < bookmarks::kSlotCount; ++n) {
        EXPECT_EQ(back[n].path, table[n].path) << n;
        EXPECT_EQ(back[n].line, table[n].line) << n;
    }
}

TEST(BookmarksTest, StoredLinesAreClampedAndShownWithoutOverflow) {
    MemorySettingsBackend mem;
    SettingsStore store(mem);
    store.WriteSettingString("BookMark", "Path0", "a");
    store.WriteSettingInt("BookMark", "Line0", -5);
    store.WriteSettingString("BookMark", "Path1", "b");
    store.WriteSettingInt("BookMark", "Line1", 2147483647);
    const bookmarks::BookmarkTable t = bookmarks::LoadBookmarks(store);
    EXPECT_EQ(t[0].line, 0);
    EXPECT_EQ(bookmarks::MenuText(t[1], 1, true, ""), "b：2147483648行目(&1)");
}

TEST(BookmarksTest, MenuTexts) {
    const std::string longPath(1000, 'x');
    struct Case {
        bookmarks::Bookmark slot;
        int n;
        bool setMenu;
        const char* keyText;
        std::string expected;
    } cases[] = {
        {{"C:\\web\\index.html", 119}, 3, true, "\tCtrl+Shift+3", "C:\\web\\index.html：120行目(&3)\tCtrl+Shift+3"},
        {{"C:\\web\\index.html", 119}, 3, false, "\tCtrl+3", "C:\\web\\index.html：120行目(&3)\tCtrl+3"},
        {{"", 0}, 0, true, "\tCtrl+Shift+0", "（未設定）(&0)\tCtrl+Shift+0"},
        {{"", 0}, 9, false, "", "（移動不可）(&9)"},
        {{"C:\\R&D\\a&&b.html", 0}, 1, true, "", "C:\\R&&D\\a&&&&b.html：1行目(&1)"},
        // ソ is 83 5C: its trail byte is no separator and no "&".
        {{"C:\\ソ&.txt", 4}, 2, false, "", "C:\\ソ&&.txt：5行目(&2)"},
        {{longPath, 0}, 5, true, "\tX", longPath + "：1行目(&5)\tX"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(bookmarks::MenuText(c.slot, c.n, c.setMenu, c.keyText), c.expected) << c.expected;
}

}  // namespace
