// The conversion byte tables: every half-width kana, the voiced pairs, marks
// in other places, trail bytes under case changes, and tabs from mid-line.
#include <gtest/gtest.h>

#include "editor/core/EditorModel.h"
#include "search/core/Conversions.h"

namespace {

using search::Conversion;

TEST(ConversionsTest, EveryHalfWidthKanaByte) {
    // Written out as full-width text: the compiler's own code page 932
    // gives the expected bytes.
    const std::string expected =
        "。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
    ASSERT_EQ(126u, expected.size());
    for (int c = 0xA1; c <= 0xDF; ++c) {
        SCOPED_TRACE(c);
        const std::string one(1, static_cast<char>(c));
        EXPECT_EQ(expected.substr(static_cast<std::size_t>(c - 0xA1) * 2, 2), search::HalfKanaToFull(one));
    }
}

TEST(ConversionsTest, VoicedAndSemiVoicedPairs) {
    const std::string voicedBase = "\xB6\xB7\xB8\xB9\xBA\xBB\xBC\xBD\xBE\xBF\xC0\xC1\xC2\xC3\xC4\xCA\xCB\xCC\xCD\xCE";
    const std::string voiced = "ガギグゲゴザジズゼゾダヂヅデドバビブベボ";
    const std::string semi = "パピプペポ";
    for (std::size_t i = 0; i < voicedBase.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(voiced.substr(i * 2, 2), search::HalfKanaToFull(voicedBase.substr(i, 1) + "\xDE"));
        if (i >= 15) {
            EXPECT_EQ(semi.substr((i - 15) * 2, 2), search::HalfKanaToFull(voicedBase.substr(i, 1) + "\xDF"));
        }
    }
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"\xB3\xDE", "ヴ"},
        {"\xB6\xDF", "カ゜"},         // no semi-voiced ｶ: the mark stands alone
        {"\xB1\xDE", "ア゛"},
        {"a\xDE", "a゛"},
        {"\xDE", "゛"},
        {"表\xDE", "表゛"},            // a mark after a double-byte character
        {"\x83\xB1\xDE", "\x83\xB1゛"},  // Τ's trail byte 0xB1 is no ｱ
        {"\xA0\xB1", "\xA0ア"},        // 0xA0 stays
        {"\xCA\xDE\xDF", "バ゜"},
        {"\x81", "\x81"},               // a lead byte at the end stays alone
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(c.out, search::HalfKanaToFull(c.in));
    }
}

TEST(ConversionsTest, CaseChangesLeaveTrailBytesAlone) {
    // Every trail byte in the letter ranges, behind the lead byte 0x83.
    std::string in;
    for (int t = 0x41; t <= 0x5A; ++t) in += std::string("\x83") + static_cast<char>(t);
    for (int t = 0x61; t <= 0x7A; ++t) in += std::string("\x83") + static_cast<char>(t);
    EXPECT_EQ(in + "AZ", search::Convert(Conversion::Upper, in + "az", 4, 0));
    EXPECT_EQ(in + "az", search::Convert(Conversion::Lower, in + "AZ", 4, 0));
    EXPECT_EQ("ＡＢ", search::Convert(Conversion::Lower, "ＡＢ", 4, 0));
}

TEST(ConversionsTest, TabsCountFromTheSelectionStartColumn) {
    struct Case {
        const char* in;
        int tab, start;
        const char* out;
    } cases[] = {
        {"b\tc", 4, 1, "b  c"},           // "ab\tc" selected from "b"
        {"\tx", 4, 0, "    x"},
        {"a\r\n\tb", 4, 3, "a\r\n    b"},  // the column restarts after a line end
        {"表\t", 4, 0, "表  "},           // a double-byte character counts two
        {"\x83\x09", 4, 0, "\x83\x09"},    // not a tab: a trail byte
        {"\t", 8, 5, "   "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(c.out, search::TabsToSpaces(c.in, c.tab, c.start));
    }
}

TEST(ConversionsTest, SelectionIsReplacedAsOneStep) {
    editor::EditorModel m;
    m.SetText("ab\tc");
    m.SetSelection(4, 0, 1, 0);  // caret at the start of the selection
    EXPECT_EQ(search::ConvertStatus::Done, search::ConvertSelection(m, Conversion::TabsToSpaces));
    std::string s;
    m.GetText(s);
    EXPECT_EQ("ab  c", s);
    EXPECT_FALSE(m.HasSelection());
    EXPECT_EQ(5, m.Caret().column);
    EXPECT_EQ(search::ConvertStatus::NoSelection, search::ConvertSelection(m, Conversion::Upper));
    EXPECT_EQ(1, m.Undo());
    m.GetText(s);
    EXPECT_EQ("ab\tc", s);
    m.SetSelection(0, 0, 2, 0);
    m.SetReadOnly(true);
    EXPECT_EQ(search::ConvertStatus::ReadOnly, search::ConvertSelection(m, Conversion::Upper));
}

}  // namespace
