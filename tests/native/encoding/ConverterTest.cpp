// The converters on exact bytes: JIS and EUC to SHIFT JIS, SHIFT JIS to JIS
// and EUC, the kana widening, and the bytes that are not valid in the source.
#include "EncodingTestUtil.h"

#include "documents/core/CharCode.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace enctest;
using encoding::CodeConverter;

const std::string kEsc = "\x1B";
const std::string kKanjiIn = kEsc + "$B";
const std::string kAsciiIn = kEsc + "(B";
const std::string kKanaIn = kEsc + "(I";

TEST(JisToSjisTest, DecodesKanjiBetweenEscapes) {
    EXPECT_EQ(JisToSjis(kKanjiIn + "\x24\x22" + kAsciiIn), "あ");
    EXPECT_EQ(JisToSjis("a" + kKanjiIn + "\x34\x41\x3B\x7A" + kAsciiIn + "b\r\n"), "a漢字b\r\n");
    EXPECT_EQ(JisToSjis(kEsc + "$@" + "\x24\x22" + kEsc + "(J" + "x"), "あx");  // old JIS, JIS Roman
    EXPECT_EQ(JisToSjis(kEsc + "(H" + "x"), "x");
}

TEST(JisToSjisTest, BytesThatAreNoKanjiPassInKanjiMode) {
    // Control bytes, space and bytes 0x7F and above are written as they are,
    // after a pending first byte.
    EXPECT_EQ(JisToSjis(kKanjiIn + "\x24\x22\r\n\x24\x24"), "あ\r\nい");
    EXPECT_EQ(JisToSjis(kKanjiIn + "\x24\n"), "$\n");
    EXPECT_EQ(JisToSjis(kKanjiIn + " \x7F\xB1"), " \x7F\xB1");
}

TEST(JisToSjisTest, HalfWidthKanaMode) {
    EXPECT_EQ(JisToSjis(kKanaIn + "\x31\x36\x5E" + kAsciiIn + "a"), "\xB1\xB6\xDE" "a");
    EXPECT_EQ(JisToSjis(kKanaIn + "\x60 \n"), "\x60 \n");  // outside 0x21-0x5F: unchanged
    // With the full-width flag, kana and mark join.
    EXPECT_EQ(JisToSjis(kKanaIn + "\x36\x5E\x4A\x5F\x33\x5E" + kAsciiIn, true), "ガパウ゛");
}

TEST(JisToSjisTest, UnknownEscapesAreCopied) {
    EXPECT_EQ(JisToSjis(kEsc + "$A" + "x"), kEsc + "$Ax");
    EXPECT_EQ(JisToSjis(kEsc + "K" + "x"), kEsc + "Kx");
    // In kanji mode the byte after an unknown escape starts a kanji.
    EXPECT_EQ(JisToSjis(kKanjiIn + kEsc + "$A" + "\x22"), kEsc + "$" + "\x91\x41");
}

TEST(JisToSjisTest, SecondEscapeStartsANewSequence) {
    EXPECT_EQ(JisToSjis(kEsc + kKanjiIn + "\x24\x22" + kAsciiIn), kEsc + "あ");
    EXPECT_EQ(JisToSjis(kEsc + "$" + kKanjiIn + "\x24\x22" + kAsciiIn), kEsc + "$あ");
    EXPECT_EQ(JisToSjis(kEsc + "(" + kEsc + kKanjiIn + "\x24\x22"), kEsc + "(" + kEsc + "あ");
}

TEST(JisToSjisTest, EndWritesOutWhatIsPendingWithoutANul) {
    EXPECT_EQ(JisToSjis("a" + kEsc), "a" + kEsc);
    EXPECT_EQ(JisToSjis("a" + kEsc + "$"), "a" + kEsc + "$");
    EXPECT_EQ(JisToSjis(kKanjiIn + "\x24"), "$");
    EXPECT_EQ(JisToSjis(kKanaIn + "\x36", true), "カ");
    EXPECT_EQ(JisToSjis(""), "");
}

TEST(EucToSjisTest, DecodesPairsAndKana) {
    EXPECT_EQ(EucToSjis("\xB4\xC1\xBB\xFA"), "漢字");
    EXPECT_EQ(EucToSjis("a\xA4\xA2\r\n"), "aあ\r\n");
    EXPECT_EQ(EucToSjis("\x8E\xB6\x8E\xDE"), "\xB6\xDE");
    EXPECT_EQ(EucToSjis("\x8E\xB6\x8E\xDE\x8E\xCA\x8E\xDF", true), "ガパ");
}

TEST(EucToSjisTest, InvalidBytesNeverSwallowTheNextCharacter) {
    // A first byte whose second byte is out of A1-FE stands alone.
    EXPECT_EQ(EucToSjis("\xA4" "A"), "\xA4" "A");
    EXPECT_EQ(EucToSjis("\xA4\x8E\xB6"), "\xA4\xB6");
    EXPECT_EQ(EucToSjis("x\xA4"), "x\xA4");
    // A lone 0x8E is kept, whatever follows.
    EXPECT_EQ(EucToSjis("\x8E" "A"), "\x8E" "A");
    EXPECT_EQ(EucToSjis("\x8E\xF1\xA2"), "\x8E" + EucToSjis("\xF1\xA2"));
    EXPECT_EQ(EucToSjis("\xF1\xA2"), "\xE9\x41");
    EXPECT_EQ(EucToSjis("\x8E"), "\x8E");
    std::string withNul("\x8E\0a", 3);
    EXPECT_EQ(EucToSjis(withNul), withNul);
    // High bytes that start nothing pass alone.
    EXPECT_EQ(EucToSjis("\x80\xA0\xFF" "a"), "\x80\xA0\xFF" "a");
}

TEST(EucToSjisTest, ThreeByteCharactersAreOneUnit) {
    CodeConverter conv("\x8F\xA2\xAF\xA4\xA2", 5, false);
    ASSERT_TRUE(encoding::EucToSjis(conv));
    EXPECT_EQ(conv.output, "〓あ");
    EXPECT_EQ(conv.unconvertible, 1u);
    // 0x8F without two valid bytes is kept as it is.
    EXPECT_EQ(EucToSjis("\x8F" "AB"), "\x8F" "AB");
    EXPECT_EQ(EucToSjis("\x8F\xA2"), "\x8F\xA2");
}

TEST(SjisToJisTest, KanjiIsWrappedInEscapes) {
    EXPECT_EQ(SjisToJis("あ"), kKanjiIn + "\x24\x22" + kAsciiIn);
    EXPECT_EQ(SjisToJis("a漢字b\r\n"), "a" + kKanjiIn + "\x34\x41\x3B\x7A" + kAsciiIn + "b\r\n");
    // Line ends are written in ASCII mode.
    EXPECT_EQ(SjisToJis("あ\nい"), kKanjiIn + "\x24\x22" + kAsciiIn + "\n" + kKanjiIn + "\x24\x24" + kAsciiIn);
    EXPECT_EQ(SjisToJis("abc"), "abc");
}

TEST(SjisToJisTest, HalfWidthKana) {
    // Full-width flag on, as when saving: ｶﾞｷ becomes ガキ.
    EXPECT_EQ(SjisToJis("\xB6\xDE\xB7"), kKanjiIn + "\x25\x2C\x25\x2D" + kAsciiIn);
    EXPECT_EQ(SjisToJis("\xB3\xDE"), kKanjiIn + "\x25\x26\x21\x2B" + kAsciiIn);
    EXPECT_EQ(SjisToJis("\xA0"), kKanjiIn + "\x21\x21" + kAsciiIn);
    // Flag off: the kana set of JIS X 0201.
    EXPECT_EQ(SjisToJis("\xB1" "a", false), kKanaIn + "\x31" + kAsciiIn + "a");
}

TEST(SjisToJisTest, BytesWithoutAJisCodePassUnchanged) {
    // A lead byte with a byte below 0x40, in ASCII mode.
    EXPECT_EQ(SjisToJis("あ\x82\x30"), kKanjiIn + "\x24\x22" + kAsciiIn + "\x82\x30");
    // A lead byte at the end.
    EXPECT_EQ(SjisToJis("あ\x82"), kKanjiIn + "\x24\x22" + kAsciiIn + "\x82");
    // The user-defined area: no JIS X 0208 code; the text after it stays.
    CodeConverter conv("\xF0\x40\x82\xA0", 4, true);
    ASSERT_TRUE(encoding::SjisToJis(conv));
    EXPECT_EQ(conv.output, "\xF0\x40" + kKanjiIn + "\x24\x22" + kAsciiIn);
    EXPECT_EQ(conv.unconvertible, 1u);
}

TEST(SjisToJisTest, BytesFDToFFAreSingleBytes) {
    EXPECT_EQ(SjisToJis("\xFD" "A\xFE\xFF" "B"), "\xFD" "A\xFE\xFF" "B");
    EXPECT_EQ(SjisToJis("\xFD\x82\xA0"), "\xFD" + kKanjiIn + "\x24\x22" + kAsciiIn);
    EXPECT_EQ(SjisToEuc("\xFD\x82\xA0"), "\xFD\xA4\xA2");
}

TEST(SjisToJisTest, OutputGrowsPastTwiceTheInput) {
    // "aｶﾞ" is 3 bytes and becomes a, ESC $ B, ガ, ESC ( B: 9 bytes.
    std::string in;
    std::string expected;
    for (int i = 0; i < 5000; ++i) {
        in += "a\xB6\xDE";
        expected += "a" + kKanjiIn + "\x25\x2C" + kAsciiIn;
    }
    const std::string out = SjisToJis(in);
    EXPECT_EQ(out.size(), 3 * in.size());
    EXPECT_EQ(out, expected);
    EXPECT_GT(out.size(), 2 * in.size() + 1);
}

TEST(SjisToEucTest, PairsKanaAndSingleBytes) {
    EXPECT_EQ(SjisToEuc("aあ漢字\r\n"), "a\xA4\xA2\xB4\xC1\xBB\xFA\r\n");
    // Half-width カ, voiced mark, キ is saved as the full-width ガキ.
    EXPECT_EQ(SjisToEuc("\xB6\xDE\xB7"), "\xA5\xAC\xA5\xAD");
    EXPECT_EQ(SjisToEuc("\xCA\xDF\xCA\xDE\xCA"), "\xA5\xD1\xA5\xD0\xA5\xCF");
    EXPECT_EQ(SjisToEuc("\xB1", false), "\x8E\xB1");
    EXPECT_EQ(SjisToEuc("\x82\x30" "a\x82"), "\x82\x30" "a\x82");
    CodeConverter conv("\xF0\x40" "a", 3, true);  // user-defined: no JIS X 0208 code
    ASSERT_TRUE(encoding::SjisToEuc(conv));
    EXPECT_EQ(conv.output, "\xF0\x40" "a");
    EXPECT_EQ(conv.unconvertible, 1u);
}

// IBM extension characters have no JIS X 0208 code of their own; they are
// written through the twin code page 932 reads as the same character.
TEST(SjisToEucTest, IbmExtensionCharactersAreWrittenThroughTheirTwins) {
    struct Case {
        const char* sjis;
        unsigned twin;
        const char* euc;
    } cases[] = {
        {"\xFA\xB1", 0xED95, "\xF9\xF5"},  // 﨑: NEC-selected
        {"\xFB\xFC", 0xEEE0, "\xFC\xE2"},  // 髙: NEC-selected, across the lead
        {"\xFA\x40", 0xEEEF, "\xFC\xF1"},  // ⅰ
        {"\xFA\x4A", 0x8754, "\xAD\xB5"},  // Ⅰ: NEC row 13
        {"\xFA\x58", 0x878A, "\xAD\xEA"},  // ㈱
        {"\xFA\x54", 0x81CA, "\xA2\xCC"},  // ￢: JIS X 0208
        {"\xFA\x5B", 0x81E6, "\xA2\xE8"},  // ∵
        {"\xFC\x4B", 0xEEEC, "\xFC\xEE"},  // the last one
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Hex(c.sjis));
        const auto lead = static_cast<unsigned char>(c.sjis[0]), trail = static_cast<unsigned char>(c.sjis[1]);
        EXPECT_EQ(encoding::IbmExtensionTwin(lead, trail), c.twin);
        CodeConverter conv(c.sjis, 2, true);
        ASSERT_TRUE(encoding::SjisToEuc(conv));
        EXPECT_EQ(Hex(conv.output), Hex(c.euc));
        EXPECT_EQ(conv.unconvertible, 0u);
        const std::string jis = kKanjiIn + char(c.euc[0] & 0x7F) + char(c.euc[1] & 0x7F) + kAsciiIn;
        EXPECT_EQ(Hex(SjisToJis(std::string("a") + c.sjis)), Hex("a" + jis));
        const std::string twin = {static_cast<char>(c.twin >> 8), static_cast<char>(c.twin)};
        EXPECT_EQ(Hex(EucToSjis(c.euc)), Hex(twin));
    }
    // Outside the area: no twin, and the pairs stay unconvertible.
    EXPECT_EQ(encoding::IbmExtensionTwin(0xFC, 0x4C), 0u);
    EXPECT_EQ(encoding::IbmExtensionTwin(0xF9, 0xFC), 0u);
    EXPECT_EQ(encoding::IbmExtensionTwin(0xFA, 0x7F), 0u);
    CodeConverter conv("\xFC\x4C\xFA\xB1", 4, true);
    ASSERT_TRUE(encoding::SjisToJis(conv));
    EXPECT_EQ(conv.unconvertible, 1u);
}

TEST(KanaTest, VoicingAndTable) {
    for (int k = 0xA1; k <= 0xDF; ++k) {
        const auto kana = static_cast<unsigned char>(k);
        const bool voiced = (k >= 0xB6 && k <= 0xC4) || (k >= 0xCA && k <= 0xCE);
        EXPECT_EQ(encoding::KanaVoicing(kana, 0xDE), voiced ? 1 : 0) << k;
        EXPECT_EQ(encoding::KanaVoicing(kana, 0xDF), (k >= 0xCA && k <= 0xCE) ? 2 : 0) << k;
        EXPECT_EQ(encoding::KanaVoicing(kana, 0xB1), 0) << k;
    }
    EXPECT_EQ(encoding::KanaToJis(0xA0), 0x2121u);
    EXPECT_EQ(encoding::KanaToJis(0xA1), 0x2123u);
    EXPECT_EQ(encoding::KanaToJis(0xA2), 0x2156u);
    EXPECT_EQ(encoding::KanaToJis(0xB0), 0x213Cu);
    EXPECT_EQ(encoding::KanaToJis(0xB3), 0x2526u);
    EXPECT_EQ(encoding::KanaToJis(0xB6), 0x252Bu);
    EXPECT_EQ(encoding::KanaToJis(0xCA), 0x254Fu);
    EXPECT_EQ(encoding::KanaToJis(0xDE), 0x212Bu);
    EXPECT_EQ(encoding::KanaToJis(0xDF), 0x212Cu);
    EXPECT_EQ(encoding::KanaToJis(0x41), 0u);
    // Every widened kana is a character of rows 0x21 or 0x25.
    for (int k = 0xA0; k <= 0xDF; ++k) {
        const unsigned jis = encoding::KanaToJis(static_cast<unsigned char>(k));
        EXPECT_TRUE((jis >> 8) == 0x21 || (jis >> 8) == 0x25) << k;
    }
}

TEST(ConverterLimitTest, AFullOutputFailsTheRun) {
    const std::string in = "あいうえお";
    for (auto convert : {encoding::SjisToJis, encoding::SjisToEuc, encoding::JisToSjis, encoding::EucToSjis}) {
        CodeConverter conv(in.data(), in.size(), true);
        conv.outputLimit = 8;
        EXPECT_FALSE(convert(conv));
    }
    CodeConverter conv(in.data(), in.size(), true);
    conv.outputLimit = 16;  // exactly ESC $ B, 10 bytes, ESC ( B
    EXPECT_TRUE(encoding::SjisToJis(conv));
    EXPECT_EQ(conv.output.size(), 16u);
}

}  // namespace
