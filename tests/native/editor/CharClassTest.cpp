#include "editor/core/CharClass.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

using namespace editor;

int ClassOf(const std::string& ch) { return CharClassAt(ch.data(), ch.size(), 0); }

TEST(CharClassTest, ClassesOfSingleAndDoubleByteCharacters) {
    EXPECT_EQ(ClassOf("a"), charclass::kLetter);
    EXPECT_EQ(ClassOf("5"), charclass::kDigit);
    EXPECT_EQ(ClassOf(" "), charclass::kOther);
    EXPECT_EQ(ClassOf("_"), charclass::kOther);
    EXPECT_EQ(ClassOf("ｱ"), charclass::kHalfWidthKana);
    EXPECT_EQ(ClassOf("｡"), charclass::kOther);
    EXPECT_EQ(ClassOf("あ"), charclass::kHiragana);
    EXPECT_EQ(ClassOf("ア"), charclass::kKatakana);
    EXPECT_EQ(ClassOf("ー"), charclass::kBothKana);
    EXPECT_EQ(ClassOf("表"), charclass::kIdeograph);
    EXPECT_EQ(ClassOf("Ａ"), charclass::kWideLetter);
    EXPECT_EQ(ClassOf("１"), charclass::kWideDigit);
    EXPECT_EQ(ClassOf("、"), charclass::kOther);
    EXPECT_EQ(ClassOf("　"), charclass::kOther);
    EXPECT_EQ(ClassOf("\x82"), charclass::kOther);  // a lead byte at the end is a character of its own
    EXPECT_EQ(ClassOf("\x82\x20"), charclass::kKatakana);  // not a code: the system's middle dot
    EXPECT_EQ(ClassOf("\x85\x40"), charclass::kKatakana);  // an unassigned code, likewise
}

TEST(CharClassTest, NextWordBoundarySkipsTheWordAndTheSpacesAfterIt) {
    const std::string t = "abc  ,def 12";
    const int n = static_cast<int>(t.size());
    EXPECT_EQ(NextWordBoundary(t.data(), n, 0), 6);
    EXPECT_EQ(NextWordBoundary(t.data(), n, 3), 6);  // from the spaces: to the next word
    EXPECT_EQ(NextWordBoundary(t.data(), n, 6), 10);
    EXPECT_EQ(NextWordBoundary(t.data(), n, 10), n);
    EXPECT_EQ(NextWordBoundary(t.data(), n, n), n);
    // Ideographs, then hiragana; the prolonged sound mark joins the kana.
    const std::string j = "漢字かなカーナ";
    EXPECT_EQ(NextWordBoundary(j.data(), static_cast<int>(j.size()), 0), 4);
    EXPECT_EQ(NextWordBoundary(j.data(), static_cast<int>(j.size()), 4), 8);
    EXPECT_EQ(NextWordBoundary(j.data(), static_cast<int>(j.size()), 8), 14);
}

TEST(CharClassTest, PreviousWordBoundaryTakesSpacesWithTheWordBeforeThem) {
    const std::string t = "abc def   ";
    const int n = static_cast<int>(t.size());
    EXPECT_EQ(PreviousWordBoundary(t.data(), n, n), 4);
    EXPECT_EQ(PreviousWordBoundary(t.data(), n, 7), 4);
    EXPECT_EQ(PreviousWordBoundary(t.data(), n, 4), 0);
    EXPECT_EQ(PreviousWordBoundary(t.data(), n, 0), 0);
    const std::string j = "表示する";
    EXPECT_EQ(PreviousWordBoundary(j.data(), static_cast<int>(j.size()), 8), 4);
    // The trail byte 5C of 表 is not read as a character of its own.
    const std::string k = "x表";
    EXPECT_EQ(PreviousWordBoundary(k.data(), static_cast<int>(k.size()), 3), 1);
}

TEST(CharClassTest, WordAtExtendsBothWays) {
    const std::string t = "abc   def";
    const int n = static_cast<int>(t.size());
    EXPECT_EQ(WordAt(t.data(), n, 1), std::make_pair(0, 3));
    EXPECT_EQ(WordAt(t.data(), n, 4), std::make_pair(3, 6));  // a run of spaces is a word
    EXPECT_EQ(WordAt(t.data(), n, n), std::make_pair(6, 9));  // at the end: the word before
    const std::string j = "かなカタカナ漢";
    EXPECT_EQ(WordAt(j.data(), static_cast<int>(j.size()), 5), std::make_pair(4, 12));
    EXPECT_EQ(WordAt(j.data(), 0, 0), std::make_pair(0, 0));
}

}  // namespace
