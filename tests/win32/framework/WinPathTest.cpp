// Win32 side of the path helpers and the version text.
#include <gtest/gtest.h>

#include <string>

#include "framework/core/PathUtil.h"
#include "framework/win/WinPath.h"

namespace {

TEST(WinPathTest, ProgramFolderEndsInASeparator) {
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_NE(::GetFileAttributesA((folder + "win32_framework_tests.exe").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(WinPathTest, LongPathOfAFolderWithTrailByteBackslashNames) {
    char temp[MAX_PATH];
    ASSERT_GT(::GetTempPathA(MAX_PATH, temp), 0u);
    const std::string dir = pathutil::Join(temp, "表ソ");
    ::CreateDirectoryA(dir.c_str(), nullptr);
    const std::string file = pathutil::Join(dir, "ソース表.html");
    HANDLE h = ::CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    ::CloseHandle(h);

    char shortPath[MAX_PATH] = {};
    ::GetShortPathNameA(file.c_str(), shortPath, MAX_PATH);
    const std::string longPath = LongPathOf(shortPath[0] ? shortPath : file);
    EXPECT_TRUE(pathutil::EqualNoCase(longPath, LongPathOf(file)));
    EXPECT_EQ(pathutil::FileNameOf(longPath), "ソース表.html");
    EXPECT_EQ(pathutil::ExtensionOf(longPath), "html");

    // The full form a document is known by: from a relative name or a short
    // one alike; nothing for an empty path or one beyond 259 bytes.
    char current[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, current);
    ::SetCurrentDirectoryA(dir.c_str());
    EXPECT_TRUE(pathutil::EqualNoCase(FullPathOf("ソース表.html"), longPath));
    ::SetCurrentDirectoryA(current);
    EXPECT_TRUE(pathutil::EqualNoCase(FullPathOf(shortPath[0] ? shortPath : file), longPath));
    EXPECT_EQ(FullPathOf(""), "");
    EXPECT_EQ(FullPathOf(pathutil::Join(dir, std::string(260, 'a'))), "");
    ::DeleteFileA(file.c_str());
    ::RemoveDirectoryA(dir.c_str());
}

TEST(WinPathTest, VersionTextComesFromTheJapaneseBlock) {
    EXPECT_EQ(VersionText("FileVersion"), "2.06");
    EXPECT_EQ(VersionText("ProductName"), "Pembroquil");
    EXPECT_EQ(VersionText("NoSuchKey"), "");
}

}  // namespace
