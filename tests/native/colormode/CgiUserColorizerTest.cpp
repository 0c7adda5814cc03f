#include <gtest/gtest.h>

#include <random>

#include "ColorTestUtil.h"
#include "editor/core/CgiColorizer.h"
#include "editor/core/UserColorizer.h"

namespace {

using namespace colortest;

std::string Cgi(const editor::CgiColorizer& cgi, const std::string& text) {
    int state = -1;
    const std::string out =
        Paint([&](const char* l, int n, int p, editor::Color* c) { return cgi.ColorLine(l, n, p, c); }, text, -1, &state);
    EXPECT_EQ(state, 0);
    return out;
}

TEST(CgiColorTest, KeywordsStringsAndComments) {
    const editor::CgiColorizer cgi(Table({"print", "my", "if"}), editor::CgiColors{kK, kC, kS});
    EXPECT_EQ(Cgi(cgi, "print 'a'; # c"), "KKKKK.SSS..CCC");
    EXPECT_EQ(Cgi(cgi, "PRINT \"a#b\" # c"), "KKKKK.SSSSS.CCC");
    EXPECT_EQ(Cgi(cgi, "'abc"), "SSSS");  // to the line end without its closing quote
    EXPECT_EQ(Cgi(cgi, "printx print"), ".......KKKKK");
    // The variable after '$' (and a pattern after '/') is skipped to the next
    // white space.
    EXPECT_EQ(Cgi(cgi, "$print print"), ".......KKKKK");
    EXPECT_EQ(Cgi(cgi, "/if/ if"), ".....KK");
    EXPECT_EQ(Cgi(cgi, "$if"), "...");
    // The byte right after a keyword is not examined.
    EXPECT_EQ(Cgi(cgi, "print\"a\""), "KKKKK..S");
    EXPECT_EQ(Cgi(cgi, ""), "");
}

TEST(CgiColorTest, DoubleByteCharactersAreNeverTakenApart) {
    const editor::CgiColorizer cgi(Table({"print", "a"}), editor::CgiColors{kK, kC, kS});
    // ソ is 83 5C: its trail byte is no backslash that would skip "print".
    EXPECT_EQ(Cgi(cgi, "ソ print"), "...KKKKK");
    // ア is 83 41: its trail byte is no letter "a" starting a keyword.
    EXPECT_EQ(Cgi(cgi, "ア a"), "...K");
    // 亜 ends in 0x9F, which looks like a lead byte; the letter x before
    // "print" still joins it to a longer word.
    EXPECT_EQ(Cgi(cgi, "亜xprint"), "........");
    // After a double-byte character a keyword starts.
    EXPECT_EQ(Cgi(cgi, "表print"), "..KKKKK");
    // The character passed over after a keyword is a whole character.
    EXPECT_EQ(Cgi(cgi, "printア'x'"), "KKKKK..SSS");
    // A string holding double-byte characters ends at its own quote.
    EXPECT_EQ(Cgi(cgi, "'ソ表' print"), "SSSSSS.KKKKK");
    EXPECT_EQ(Cgi(cgi, "\\表 print"), "....KKKKK");
    EXPECT_EQ(Cgi(cgi, "print\x82"), "KKKKK.");
}

std::string User(const editor::UserColorizer& user, const std::string& text) {
    return Paint([&](const char* l, int n, int p, editor::Color* c) { return user.ColorLine(l, n, p, c); }, text);
}

editor::UserColorizer MakeUser(std::initializer_list<const char*> words, const std::string& headline,
                               const std::string& comment) {
    return editor::UserColorizer(Table(words), editor::UserColors{kK, kL, kH}, headline, comment);
}

TEST(UserColorTest, HeadlinesCommentsAndKeywords) {
    const auto user = MakeUser({"int", "+="}, "*", "//");
    EXPECT_EQ(User(user, "*abc"), "HHHH");
    EXPECT_EQ(User(user, "*"), "H");
    EXPECT_EQ(User(user, "a*b"), "...");
    EXPECT_EQ(User(user, "int x; // c"), "KKK....LLLL");
    EXPECT_EQ(User(user, "// int"), "LLLLLL");
    // Keywords are tried at every position, not only at letters.
    EXPECT_EQ(User(user, "a += b"), "..KK..");
    EXPECT_EQ(User(MakeUser({"int"}, "REM", ""), "rem int"), "HHHHHHH");  // markers ignore case
    EXPECT_EQ(User(MakeUser({"int"}, "", ""), "int"), "KKK");
}

TEST(UserColorTest, MarkersLongerThanTheLineOrSplittingCharacters) {
    EXPECT_EQ(User(MakeUser({}, "#####", "/////////"), "##"), "..");
    EXPECT_EQ(User(MakeUser({}, "#####", ""), "#####x"), "HHHHHH");
    EXPECT_EQ(User(MakeUser({}, "", "/////////"), "a////////"), ".........");
    // A backslash marker is not found in the trail byte of 表 (95 5C).
    EXPECT_EQ(User(MakeUser({}, "", "\\"), "表示\\c"), "....LL");
    // Double-byte markers compare exactly: ア (83 41) is not ヂ (83 61).
    EXPECT_EQ(User(MakeUser({}, "ア", ""), "ヂx"), "...");
    EXPECT_EQ(User(MakeUser({}, "■", ""), "■見出し"), "HHHHHHHH");
    // A marker ending in a single byte does not pair with a lead byte.
    EXPECT_EQ(User(MakeUser({}, "", "a"), "\x82" "a"), "..");
}

TEST(CgiUserColorTest, RandomLinesStayInsideTheLine) {
    const editor::CgiColorizer cgi(Table({"print", "a", "if"}), editor::CgiColors{kK, kC, kS});
    const auto user = MakeUser({"print", "a", "+="}, "##", "//");
    std::mt19937 rng(7);
    const char alphabet[] = "!$%/\\\"'# =+apifrnt\x81\x82\x95\x5c\x83\x41\xe0\x9f";
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int n = static_cast<int>(rng() % 20);
        for (int k = 0; k < n; ++k) text += alphabet[rng() % (sizeof alphabet - 1)];
        ASSERT_EQ(Cgi(cgi, text).find('!'), std::string::npos) << text;
        ASSERT_EQ(User(user, text).find('!'), std::string::npos) << text;
    }
}

}  // namespace
