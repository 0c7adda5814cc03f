// The program's texts under the Japanese locale: code page, literals and the
// string table.
#include <gtest/gtest.h>

#include <string>

#include "framework/win/Afx.h"
#include "resources/resource.h"

namespace {

TEST(LocaleTest, AnsiCodePageIsShiftJis) {
    EXPECT_EQ(::GetACP(), 932u);
    EXPECT_TRUE(::IsDBCSLeadByteEx(932, 0x95));
    EXPECT_FALSE(::IsDBCSLeadByteEx(932, 0xA1));
}

TEST(LocaleTest, NarrowLiteralsAreShiftJisBytes) {
    const std::string hyo = "表";
    ASSERT_EQ(hyo.size(), 2u);
    EXPECT_EQ(static_cast<unsigned char>(hyo[0]), 0x95);
    EXPECT_EQ(static_cast<unsigned char>(hyo[1]), 0x5C);
    // The system agrees: CharNextA steps over both bytes of 表.
    const char* p = hyo.c_str();
    EXPECT_EQ(::CharNextA(p), p + 2);
}

TEST(LocaleTest, StringTableEntriesComeBackAsShiftJis) {
    EXPECT_EQ(LoadResString(IDR_MAINFRAME), "Pembroquil");
    // "レディ" is 83 8C 83 66 83 42.
    EXPECT_EQ(LoadResString(IDS_IDLEMESSAGE), "\x83\x8C\x83\x66\x83\x42");
    EXPECT_EQ(LoadResString(IDS_IDLEMESSAGE), "レディ");
    const std::string prompt = LoadResString(ID_FILE_NEW);
    EXPECT_EQ(prompt, "新しいファイルを作成します。\n新規作成");
    EXPECT_EQ(LoadResString(1), "");  // no such entry
}

TEST(LocaleTest, ConversionToUnicodeRoundTrips) {
    const std::string text = "表示ソース";
    wchar_t wide[16] = {};
    int n = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, 16);
    ASSERT_EQ(n, 6);
    EXPECT_EQ(wide[0], 0x8868);  // 表
    EXPECT_EQ(wide[2], 0x30BD);  // ソ
    char back[32] = {};
    ::WideCharToMultiByte(CP_ACP, 0, wide, -1, back, sizeof back, nullptr, nullptr);
    EXPECT_EQ(text, back);
}

}  // namespace
