// Detection on single lines: the escape test, the two line scores, and the
// rule for texts whose every line reads equally well as SHIFT JIS and EUC.
#include "EncodingTestUtil.h"

#include "documents/core/CharCode.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using enctest::Detect;
using encoding::kCodeEuc;
using encoding::kCodeJis;
using encoding::kCodeSjis;

TEST(DetectTest, ShortAndAsciiTextsAreShiftJis) {
    EXPECT_EQ(Detect(""), kCodeSjis);
    EXPECT_EQ(Detect("\xA4"), kCodeSjis);
    EXPECT_EQ(encoding::DetectCharCode("\xA4", 1, kCodeEuc), kCodeSjis);  // below two bytes: always SJIS
    EXPECT_EQ(Detect("<html>\r\n<body>\r\n"), kCodeSjis);
    // Nothing decides: the fallback is the answer.
    EXPECT_EQ(encoding::DetectCharCode("abc\ndef", 7, kCodeEuc), kCodeEuc);
}

TEST(DetectTest, EscapeSequencesMeanJis) {
    EXPECT_EQ(Detect("a\x1B$B"), kCodeJis);
    EXPECT_EQ(Detect("a\x1B$@x"), kCodeJis);
    EXPECT_EQ(Detect("\x1B(Ix"), kCodeJis);
    // Even beside 8-bit bytes that read as SHIFT JIS.
    EXPECT_EQ(Detect("あい\n\x1B$B\x24\x22\x1B(B"), kCodeJis);
    // An ESC among the last two bytes is not looked at.
    EXPECT_EQ(Detect("abc\x1B$"), kCodeSjis);
    EXPECT_EQ(Detect("abc\x1B"), kCodeSjis);
    // Other escapes are no JIS; an ESC right before a real sequence does not hide it.
    EXPECT_EQ(Detect("a\x1B$A\x1B(J"), kCodeSjis);
    EXPECT_EQ(Detect("\x1B\x1B$B"), kCodeJis);
}

TEST(DetectTest, LineScoresDecide) {
    // あい in SHIFT JIS: 100 against 0.
    EXPECT_EQ(Detect("\x82\xA0\x82\xA2"), kCodeSjis);
    // 漢字 in EUC: 0xFA is a rare lead byte without its trail byte.
    EXPECT_EQ(Detect("\xB4\xC1\xBB\xFA"), kCodeEuc);
    // The first line that decides wins; ASCII lines decide nothing.
    EXPECT_EQ(Detect("abc\n\xB4\xC1\xBB\xFA\n\x82\xA0\x82\xA2"), kCodeEuc);
    EXPECT_EQ(Detect("abc\r\n\x82\xA0\x82\xA2\r\n\xB4\xC1\xBB\xFA"), kCodeSjis);
    // A SHIFT JIS lead byte at the end of a line has no trail byte.
    EXPECT_EQ(Detect("\xB4\xC1\xB4\xE0\nabc"), kCodeEuc);
    // A SHIFT JIS trail byte out of range.
    EXPECT_EQ(Detect("\xB0\xA1\xE0\xFE"), kCodeEuc);
    // EUC second byte out of range, SHIFT JIS fine.
    EXPECT_EQ(Detect("\xA4\x41"), kCodeSjis);
    // Rare SHIFT JIS lead bytes (0xEB and above) lower only its score.
    EXPECT_EQ(Detect("\xEB\xA1\xA4\xA2"), kCodeEuc);
}

TEST(DetectTest, BytesFDToFFAreSingleBytesThatCountAgainstShiftJis) {
    // 0xFD does not swallow the lead byte after it: 0x82 0xA0 is still あ.
    EXPECT_EQ(Detect("\xFD\x82\xA0"), kCodeSjis);
    EXPECT_EQ(Detect("\xFD\x30"), kCodeSjis);
    // But it is no SHIFT JIS character: against valid EUC it loses.
    EXPECT_EQ(Detect("\xFD\xA1\xA4\xA2"), kCodeEuc);
}

TEST(DetectTest, TiesGoToTheReadingThatGivesJapanese) {
    // あ in EUC: both readings are valid on every line.
    EXPECT_EQ(Detect("\xA4\xA2"), kCodeEuc);
    // A short EUC text of kana and kanji with every byte in A1-DF: かな漢
    EXPECT_EQ(Detect("\xA4\xAB\xA4\xCA\xB4\xC1"), kCodeEuc);
    EXPECT_EQ(Detect("<p>\n\xA4\xAB\xA4\xCA\n</p>\n"), kCodeEuc);
    // Kanji alone in EUC (関連項目), whose bytes are no half-width katakana words.
    EXPECT_EQ(Detect("\xB4\xD8\xCF\xA2\xB9\xE0\xCC\xDC"), kCodeEuc);
    // Half-width katakana words in SHIFT JIS stay SHIFT JIS: ﾌｧｲﾙ, ﾃﾞｰﾀ, ｼｽﾃﾑ
    EXPECT_EQ(Detect("\xCC\xA7\xB2\xD9"), kCodeSjis);
    EXPECT_EQ(Detect("\xC3\xDE\xB0\xC0"), kCodeSjis);
    EXPECT_EQ(Detect("\xBC\xBD\xC3\xD1"), kCodeSjis);
    EXPECT_EQ(Detect("<title>\xBC\xBD\xC3\xD1</title>\r\n"), kCodeSjis);
    // Punctuation of EUC whose bytes are no half-width words: "。」 (timestamps)。)
    EXPECT_EQ(Detect("(timestamps)\xA1\xA3"), kCodeEuc);
    // Common kanji of EUC win even over half-width words: 説明 (ﾀ + a rare kanji + ﾀ), 名前 (ﾌｾﾁｰ)
    EXPECT_EQ(Detect("\xC0\xE2\xCC\xC0"), kCodeEuc);
    EXPECT_EQ(Detect("\xCC\xBE\xC1\xB0"), kCodeEuc);
    // Neither reading gives Japanese (an unassigned EUC row; a small kana
    // starting a half-width word): the fallback.
    EXPECT_EQ(encoding::DetectCharCode("\xA9\xA1", 2, kCodeSjis), kCodeSjis);
    EXPECT_EQ(encoding::DetectCharCode("\xA9\xA1", 2, kCodeEuc), kCodeEuc);
}

TEST(DetectTest, ScoreDecisionsAreNotTouchedByTheTieRule) {
    // The first line decides SHIFT JIS by score, though the whole text reads
    // better as EUC.
    const std::string text = "\xA4\x41\n" + std::string(20, '\xA4') + "\xA2";
    EXPECT_EQ(Detect(text), kCodeSjis);
}

}  // namespace
