// The keyword files the build installs beside the program, read the way the
// program reads them.
#include <gtest/gtest.h>

#include "editor/core/ColorModeManager.h"
#include "framework/win/WinPath.h"

namespace {

// The test programs live in tests\ beside out\, the program's folder.
std::string InstalledProgramFolder() { return ProgramFolder() + "..\\out\\"; }

TEST(KeywordFolderTest, TheShippedKeywordFilesLoad) {
    editor::KeywordFolder folder(InstalledProgramFolder());
    editor::ColorModeManager modes(folder);
    EXPECT_EQ(modes.SelectColorMode("html").modeIndex, 0);
    EXPECT_TRUE(modes.Keywords1().Contains("table", 5));
    EXPECT_TRUE(modes.Keywords2().Contains("href", 4));
    EXPECT_EQ(modes.SelectColorMode("cgi").modeIndex, 1);
    EXPECT_TRUE(modes.Keywords1().Contains("print", 5));
    EXPECT_EQ(modes.SelectColorMode("txt").modeIndex, 2);
    EXPECT_TRUE(modes.Keywords1().Empty());
}

TEST(KeywordFolderTest, AMissingFolderLeavesTheTablesEmpty) {
    editor::KeywordFolder folder("C:\\表\\無い\\");
    editor::ColorModeManager modes(folder);
    EXPECT_EQ(modes.SelectColorMode("htm").modeIndex, 0);
    EXPECT_TRUE(modes.Keywords1().Empty());
    EXPECT_TRUE(modes.Keywords2().Empty());
}

}  // namespace
