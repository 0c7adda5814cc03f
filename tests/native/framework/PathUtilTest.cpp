#include "framework/core/PathUtil.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using pathutil::ExtensionOf;
using pathutil::FileNameOf;
using pathutil::FolderOf;

TEST(PathUtilTest, FolderAndNameWithTrailByteBackslash) {
    // 表 = 95 5C, ソ = 83 5C.
    const std::string path = "C:\\表\\ソ.html";
    EXPECT_EQ(FolderOf(path), "C:\\表\\");
    EXPECT_EQ(FileNameOf(path), "ソ.html");
    EXPECT_EQ(ExtensionOf(path), "html");

    // A file whose name ends in a trail byte 5C has no separator inside it.
    EXPECT_EQ(FolderOf("C:\\dir\\表"), "C:\\dir\\");
    EXPECT_EQ(FileNameOf("C:\\dir\\表"), "表");
    EXPECT_EQ(FolderOf("表ソ"), "");
    EXPECT_EQ(FolderOf("C:file.txt"), "C:");
    EXPECT_EQ(FolderOf("a/b/c.txt"), "a/b/");
}

TEST(PathUtilTest, ExtensionIsTakenFromTheFileNameOnly) {
    EXPECT_EQ(ExtensionOf("C:\\a.b\\file"), "");
    EXPECT_EQ(ExtensionOf("C:\\a.b\\file.CGI"), "CGI");
    EXPECT_EQ(ExtensionOf("archive.tar.gz"), "gz");
    EXPECT_EQ(ExtensionOf("noext"), "");
    EXPECT_EQ(ExtensionOf("trailing."), "");
    EXPECT_EQ(ExtensionOf("C:\\表.ソ"), "ソ");
}

TEST(PathUtilTest, ProgramFolderOfAModulePath) {
    EXPECT_EQ(FolderOf("C:\\Program Files\\表\\Pembroquil.exe"), "C:\\Program Files\\表\\");
    EXPECT_EQ(pathutil::WithTrailingSeparator("C:\\表"), "C:\\表\\");
    EXPECT_EQ(pathutil::WithTrailingSeparator("C:\\dir\\"), "C:\\dir\\");
    EXPECT_EQ(pathutil::Join("C:\\表", "Plugins\\Color.pqi"), "C:\\表\\Plugins\\Color.pqi");
    EXPECT_EQ(pathutil::Join("C:\\dir\\", "\\x"), "C:\\dir\\x");
}

TEST(PathUtilTest, SplitKnowsRootsAndDoubleByteNames) {
    auto s = pathutil::Split("C:\\表\\ソ.html");
    EXPECT_EQ(s.root, "C:\\");
    ASSERT_EQ(s.names.size(), 2u);
    EXPECT_EQ(s.names[0], "表");
    EXPECT_EQ(s.names[1], "ソ.html");

    s = pathutil::Split("\\\\server\\share\\dir\\f.txt");
    EXPECT_EQ(s.root, "\\\\server\\share\\");
    ASSERT_EQ(s.names.size(), 2u);
    EXPECT_EQ(s.names[0], "dir");

    s = pathutil::Split("rel\\ソ");
    EXPECT_EQ(s.root, "");
    ASSERT_EQ(s.names.size(), 2u);
    EXPECT_EQ(s.names[1], "ソ");
}

TEST(PathUtilTest, LongPathNameReplacesEachComponent) {
    const std::map<std::string, std::string> longNames = {
        {"C:\\PROGRA~1", "Program Files"},
        {"C:\\Program Files\\表", "表"},
        {"C:\\Program Files\\表\\SOUSA~1.HTM", "ソース.html"},
    };
    auto lookup = [&](const std::string& p) {
        auto it = longNames.find(p);
        return it == longNames.end() ? std::string() : it->second;
    };
    EXPECT_EQ(pathutil::LongPathName("C:\\PROGRA~1\\表\\SOUSA~1.HTM", lookup),
              "C:\\Program Files\\表\\ソース.html");
    // A component that cannot be found is kept as written.
    EXPECT_EQ(pathutil::LongPathName("C:\\PROGRA~1\\missing\\x", lookup),
              "C:\\Program Files\\missing\\x");
    EXPECT_EQ(pathutil::LongPathName("C:\\PROGRA~1\\", lookup), "C:\\Program Files\\");
    EXPECT_EQ(pathutil::LongPathName("", lookup), "");
}

TEST(PathUtilTest, LongPathNameRefusesMoreThan259Bytes) {
    auto same = [](const std::string&) { return std::string(); };
    const std::string ok = "C:\\" + std::string(256, 'a');  // 259 bytes
    EXPECT_EQ(pathutil::LongPathName(ok, same), ok);
    EXPECT_EQ(pathutil::LongPathName(ok + "b", same), "");
    // Growing past the limit through a long name also fails.
    auto grow = [](const std::string& p) {
        return p == "C:\\X" ? std::string(300, 'x') : std::string();
    };
    EXPECT_EQ(pathutil::LongPathName("C:\\X", grow), "");
}

TEST(PathUtilTest, EqualNoCaseFoldsOnlySingleByteLetters) {
    EXPECT_TRUE(pathutil::EqualNoCase("C:\\Dir\\A.HTML", "c:\\dir\\a.html"));
    // ア (83 41) and ャ (83 61) differ only in a trail byte that looks like A/a.
    EXPECT_FALSE(pathutil::EqualNoCase("\x83\x41", "\x83\x61"));
}

}  // namespace

namespace {

TEST(MakeRelativePathTest, PathsRelativeToAFolder) {
    using pathutil::MakeRelativePath;
    EXPECT_EQ(MakeRelativePath("C:\\site\\docs", "C:\\site\\img\\a.gif"), "..\\img\\a.gif");
    EXPECT_EQ(MakeRelativePath("C:\\site", "C:\\site\\a.html"), "a.html");
    EXPECT_EQ(MakeRelativePath("C:\\site\\", "C:\\site\\a.html"), "a.html");
    EXPECT_EQ(MakeRelativePath("C:\\site\\docs\\deep", "C:\\site"), "..\\..\\");
    EXPECT_EQ(MakeRelativePath("C:\\site\\docs", "C:\\site\\docsx\\a.html"), "..\\docsx\\a.html");
    EXPECT_EQ(MakeRelativePath("", "C:\\a"), "");
    EXPECT_EQ(MakeRelativePath("C:\\a", ""), "");
    EXPECT_EQ(MakeRelativePath("C:\\a\\b", "C:\\a\\bc\\x.html"), "..\\bc\\x.html");
    // Letter case does not count; a trail byte 5C (表 is 95 5C) is no separator.
    EXPECT_EQ(MakeRelativePath("c:\\site", "C:\\site\\a.html"), "a.html");
    EXPECT_EQ(MakeRelativePath("C:\\Site\\Docs", "c:\\site\\IMG\\a.gif"), "..\\IMG\\a.gif");
    EXPECT_EQ(MakeRelativePath("C:\\表", "C:\\表\\ソ.html"), "ソ.html");
    EXPECT_EQ(MakeRelativePath("C:\\表\\ソ", "C:\\表\\a.html"), "..\\a.html");
    EXPECT_EQ(MakeRelativePath("C:\\ソ\\", "C:\\ソ\\x\\表.html"), "x\\表.html");
    // ア (83 41) and ャ (83 61) are different characters, not two cases of one.
    EXPECT_EQ(MakeRelativePath("C:\\\x83\x41", "C:\\\x83\x61\\a"), "..\\\x83\x61\\a");
}

TEST(MakeRelativePathTest, PathsWithoutACommonRootStayAsTheyAre) {
    using pathutil::MakeRelativePath;
    EXPECT_EQ(MakeRelativePath("C:\\site\\docs", "D:\\img\\a.gif"), "D:\\img\\a.gif");
    EXPECT_EQ(MakeRelativePath("C:\\site", "\\\\srv\\share\\a.html"), "\\\\srv\\share\\a.html");
    EXPECT_EQ(MakeRelativePath("\\\\srv\\one\\d", "\\\\srv\\two\\a.html"), "\\\\srv\\two\\a.html");
    EXPECT_EQ(MakeRelativePath("\\\\srv\\one\\d", "\\\\SRV\\one\\a.html"), "..\\a.html");
}

TEST(PathUtilTest, ForwardSlashesReplaceOnlyStandingBackslashes) {
    EXPECT_EQ(pathutil::ToForwardSlashes("..\\img\\a.gif"), "../img/a.gif");
    EXPECT_EQ(pathutil::ToForwardSlashes("ソ\\表\\x"), "ソ/表/x");
    EXPECT_EQ(pathutil::WithTrailingSeparator("C:\\ソ"), "C:\\ソ\\");
}

}  // namespace
