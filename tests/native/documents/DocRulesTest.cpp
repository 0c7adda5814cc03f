// The tab list rules, backup paths, default extension, title marks and the
// file settings of the document window.
#include <gtest/gtest.h>

#include "documents/core/DocRules.h"

namespace {

TEST(DocRules, UntitledCounterCountsUpAndTheReusedNumberComesBack) {
    docs::UntitledCounter counter;
    EXPECT_EQ(counter.Take(), "無題1");
    // A file opened over the untouched 無題1 gives its number back.
    counter.GiveBack();
    EXPECT_EQ(counter.Take(), "無題1");
    EXPECT_EQ(counter.Take(), "無題2");
    EXPECT_EQ(counter.Next(), 3);
    counter.Reset();
    counter.GiveBack();  // never below 1
    EXPECT_EQ(counter.Take(), "無題1");
}

TEST(DocRules, OnlyASingleUntouchedUntitledTabIsReused) {
    EXPECT_TRUE(docs::ReusesSingleTab(1, false, false));
    EXPECT_FALSE(docs::ReusesSingleTab(1, true, false));
    EXPECT_FALSE(docs::ReusesSingleTab(1, false, true));
    EXPECT_FALSE(docs::ReusesSingleTab(2, false, false));
    EXPECT_FALSE(docs::ReusesSingleTab(0, false, false));
}

TEST(DocRules, SelectionAfterCloseKeepsTheIndexOrTakesTheLast) {
    EXPECT_EQ(docs::SelectionAfterClose(0, 2), 0);
    EXPECT_EQ(docs::SelectionAfterClose(1, 2), 1);
    EXPECT_EQ(docs::SelectionAfterClose(2, 2), 1);  // the last one was closed
    EXPECT_EQ(docs::SelectionAfterClose(0, 0), -1);  // none left: a new tab
}

TEST(DocRules, MovesLandWhereThePointerWasReleased) {
    std::vector<std::string> tabs = {"a", "b", "c"};
    // The second of three dragged beyond the last becomes the third.
    ASSERT_TRUE(docs::MoveItem(tabs, 1, -1));
    EXPECT_EQ(tabs, (std::vector<std::string>{"a", "c", "b"}));
    // Dropped on the first tab: it goes before it.
    ASSERT_TRUE(docs::MoveItem(tabs, 2, 0));
    EXPECT_EQ(tabs, (std::vector<std::string>{"b", "a", "c"}));
    // Moving right onto a tab lands one before it (the tab is taken out first).
    ASSERT_TRUE(docs::MoveItem(tabs, 0, 2));
    EXPECT_EQ(tabs, (std::vector<std::string>{"a", "b", "c"}));
    ASSERT_TRUE(docs::MoveItem(tabs, 1, 1));
    EXPECT_EQ(tabs, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_FALSE(docs::MoveItem(tabs, 3, 0));
    EXPECT_FALSE(docs::MoveItem(tabs, -1, 0));
    EXPECT_FALSE(docs::MoveItem(tabs, 0, 4));
    EXPECT_EQ(docs::MoveDestination(0, 3, 3), 2);
    EXPECT_EQ(docs::MoveDestination(0, 0, 0), -1);
}

TEST(DocRules, OpenPathsCompareWithoutLetterCaseButDoubleByteExactly) {
    const std::vector<std::string> paths = {"", "C:\\Web\\Index.HTML", "C:\\表\\a.htm"};
    EXPECT_EQ(docs::FindPath(paths, "c:\\web\\index.html"), 1);
    EXPECT_EQ(docs::FindPath(paths, "C:\\表\\A.HTM"), 2);
    EXPECT_EQ(docs::FindPath(paths, "c:\\web\\index.html", 1), -1);  // itself skipped
    EXPECT_EQ(docs::FindPath(paths, ""), -1);                        // untitled never matches
    // 表 (95 5C) and 枇 (E0 5C)... different lead bytes are different files.
    EXPECT_EQ(docs::FindPath(paths, "C:\\\xE0\x5C\\a.htm"), -1);
}

TEST(DocRules, BackupPathsBesideTheFileOrInTheBackupFolder) {
    EXPECT_EQ(docs::BackupPath("C:\\Web\\index.html", false, "D:\\bak\\"), "C:\\Web\\index.html.bak");
    EXPECT_EQ(docs::BackupPath("C:\\Web\\index.html", true, "D:\\bak\\"), "D:\\bak\\index.html.bak");
    EXPECT_EQ(docs::BackupPath("C:\\Web\\index.html", true, "D:\\bak"), "D:\\bak\\index.html.bak");
    EXPECT_EQ(docs::BackupPath("C:\\Web\\index.html", true, ""), "");
    // A name ending in ソ (83 5C) is not cut at its trail byte.
    EXPECT_EQ(docs::BackupPath("C:\\表\\ソ", true, "D:\\b\\"), "D:\\b\\ソ.bak");
    EXPECT_EQ(docs::BackupPath("", false, ""), "");
}

TEST(DocRules, DefaultExtensionOnlyForNamesWithoutOne) {
    EXPECT_EQ(docs::WithDefaultExtension("C:\\w\\readme", "html"), "C:\\w\\readme.html");
    EXPECT_EQ(docs::WithDefaultExtension("C:\\w\\readme", ""), "C:\\w\\readme");
    EXPECT_EQ(docs::WithDefaultExtension("C:\\w\\readme.txt", "html"), "C:\\w\\readme.txt");
    EXPECT_EQ(docs::WithDefaultExtension("C:\\a.b\\readme", "html"), "C:\\a.b\\readme.html");
    EXPECT_EQ(docs::WithDefaultExtension("C:\\w\\readme.", "html"), "C:\\w\\readme.html");
    EXPECT_EQ(docs::WithDefaultExtension("C:\\表\\ソ", "htm"), "C:\\表\\ソ.htm");
}

TEST(DocRules, TempFilesLieInTheFolderOfTheTarget) {
    EXPECT_EQ(docs::TempPathBeside("C:\\表\\ソ.shtml.txt", 0x12), "C:\\表\\~pq0012.tmp");
    EXPECT_NE(docs::TempPathBeside("C:\\a\\b.h", 1), docs::TempPathBeside("C:\\a\\b.h", 2));
    // Never longer than the target, so a target at the longest path saves.
    struct Case {
        const char* path;
        unsigned attempt;
        const char* temp;
    } cases[] = {
        {"C:\\a\\index.html", 0x1234, "C:\\a\\~000001234"},
        {"C:\\a\\ab", 0x1234, "C:\\a\\~4"},
        {"C:\\a\\b", 7, "C:\\a\\~"},
        {"C:\\a\\~", 7, ""},  // no other name fits
        {"C:\\a\\", 7, ""},
        {"C:\\a\\0123456789", 0xABCDE, "C:\\a\\~0000ABCDE"},
        {"C:\\a\\表ソ.htm", 0x12, "C:\\a\\~0000012"},
    };
    for (const Case& c : cases) {
        const std::string temp = docs::TempPathBeside(c.path, c.attempt);
        EXPECT_EQ(temp, c.temp) << c.path;
        EXPECT_LE(temp.size(), std::string(c.path).size());
    }
}

TEST(DocRules, TitleMarksAndTabImages) {
    EXPECT_EQ(docs::FrameTitle("a.html", false, false), "Pembroquil - a.html");
    EXPECT_EQ(docs::FrameTitle("a.html", false, true), "Pembroquil - a.html [更新]");
    EXPECT_EQ(docs::FrameTitle("a.html", true, true), "Pembroquil - a.html [上書き禁止]");
    EXPECT_EQ(docs::EditorTabImage(false, false), docs::kImagePlain);
    EXPECT_EQ(docs::EditorTabImage(false, true), docs::kImageModified);
    EXPECT_EQ(docs::EditorTabImage(true, true), docs::kImageReadOnly);
    EXPECT_EQ(docs::ModeExtension(""), "html");
    EXPECT_EQ(docs::ModeExtension("C:\\x\\a.CGI"), "CGI");
}

TEST(DocRules, FileSettingsReadWithDefaultsAndWriteBack) {
    settings::MemorySettingsBackend backend;
    settings::SettingsStore store(backend);
    docs::FileSettings s = docs::ReadFileSettings(store);
    EXPECT_EQ(s.backup, 0);
    EXPECT_EQ(s.defaultExt, "html");
    EXPECT_EQ(s.backupDir, "");
    store.WriteSettingInt("Main", "Backup", 7);  // out of range: off
    store.WriteSettingInt("Main", "Template", 1);
    s = docs::ReadFileSettings(store);
    EXPECT_EQ(s.backup, 0);
    EXPECT_EQ(s.useTemplate, 1);
    s.backup = 1;
    s.backupDir = "C:\\表\\";
    s.defaultExt = "";
    ASSERT_TRUE(docs::WriteFileSettings(store, s));
    const docs::FileSettings back = docs::ReadFileSettings(store);
    EXPECT_EQ(back.backup, 1);
    EXPECT_EQ(back.backupDir, "C:\\表\\");
    EXPECT_EQ(back.defaultExt, "");
}

}  // namespace
