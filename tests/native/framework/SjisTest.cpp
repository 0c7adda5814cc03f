#include "framework/core/Sjis.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// 表 is 95 5C and ソ is 83 5C: their trail byte is '\\'.
const std::string kHyo = "\x95\x5C";
const std::string kSo = "\x83\x5C";

TEST(SjisTest, LiteralsAreShiftJis) {
    EXPECT_EQ(std::string("表"), kHyo);
    EXPECT_EQ(std::string("ソ"), kSo);
    EXPECT_EQ(std::string("あ"), "\x82\xA0");
}

TEST(SjisTest, LeadAndTrailRanges) {
    for (int c = 0; c < 256; ++c) {
        const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
        EXPECT_EQ(sjis::IsLeadByte(static_cast<unsigned char>(c)), lead) << c;
        const bool trail = (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
        EXPECT_EQ(sjis::IsTrailByte(static_cast<unsigned char>(c)), trail) << c;
    }
    // FD-FF and half-width kana are single bytes.
    EXPECT_FALSE(sjis::IsLeadByte(static_cast<unsigned char>(0xFD)));
    EXPECT_FALSE(sjis::IsLeadByte(static_cast<unsigned char>(0xA1)));
}

TEST(SjisTest, SteppingTreatsTrailBackslashAsPartOfCharacter) {
    const std::string s = "a" + kHyo + "\\" + kSo;  // a 表 \ ソ
    const char* p = s.data();
    const std::size_t n = s.size();
    EXPECT_EQ(sjis::Next(p, n, 0), 1u);
    EXPECT_EQ(sjis::Next(p, n, 1), 3u);
    EXPECT_EQ(sjis::Next(p, n, 3), 4u);
    EXPECT_EQ(sjis::Next(p, n, 4), 6u);
    EXPECT_EQ(sjis::Next(p, n, 6), 6u);
    EXPECT_FALSE(sjis::IsBoundary(p, n, 2));
    EXPECT_TRUE(sjis::IsBoundary(p, n, 3));
    EXPECT_EQ(sjis::BoundaryAtOrBefore(p, n, 2), 1u);
    EXPECT_EQ(sjis::BoundaryAtOrAfter(p, n, 2), 3u);
    EXPECT_EQ(sjis::BoundaryAtOrAfter(p, n, 5), 6u);
    EXPECT_EQ(sjis::Previous(p, n, 6), 4u);
    EXPECT_EQ(sjis::Previous(p, n, 3), 1u);
    EXPECT_EQ(sjis::Previous(p, n, 0), 0u);
    // The only '\\' standing as a character is the one at offset 3.
    EXPECT_EQ(sjis::FindLastChar(s, '\\'), 3u);
    EXPECT_EQ(sjis::FindChar(s, '\\'), 3u);
    EXPECT_EQ(sjis::FindChar(s, '\\', 4), sjis::npos);
}

TEST(SjisTest, LeadByteAtEndIsACharacterOfItsOwn) {
    const std::string s = "ab\x82";
    EXPECT_EQ(sjis::CharLength(s.data(), s.size(), 2), 1u);
    EXPECT_EQ(sjis::Next(s.data(), s.size(), 2), 3u);
}

TEST(SjisTest, CaseMappingLeavesDoubleByteCharactersAlone) {
    // ア is 83 41 and ａ (full-width a) is 82 81: neither byte may change.
    const std::string s = "aZ\x83\x41\x82\x81q";
    EXPECT_EQ(sjis::ToUpperAscii(s), "AZ\x83\x41\x82\x81Q");
    EXPECT_EQ(sjis::ToLowerAscii(s), "az\x83\x41\x82\x81q");
}

TEST(SjisTest, CutsEndOnACharacterBoundaryWithoutALoneLeadByte) {
    const struct {
        std::string text;
        std::size_t max, want;
    } cases[] = {
        {"ab" + kHyo, 4, 4}, {"ab" + kHyo, 3, 2}, {"ab" + kHyo, 9, 4}, {"ab\x82", 9, 2},
        {kSo + kSo, 3, 2},   {"abc", 0, 0},       {"", 5, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(sjis::CutLength(c.text.data(), c.text.size(), c.max), c.want) << c.text;
}

}  // namespace

TEST(SjisTest, FixedFieldsAreCutOnACharacterBoundary) {
    struct Case {
        std::string text;
        std::string field;  // what a 32-byte field holds
    };
    const std::string face16(16, 'a');
    std::string wide;  // 16 double-byte characters: 32 bytes
    for (int i = 0; i < 16; ++i) wide += kHyo;
    const Case cases[] = {
        {"ＭＳ ゴシック", "ＭＳ ゴシック"},
        {wide, wide.substr(0, 30)},                       // not 31: half a 表 would be left
        {"a" + wide, "a" + wide.substr(0, 30)},           // 31 bytes fit
        {face16 + face16, face16 + face16.substr(0, 15)},
        {std::string("ab\0cd", 5), "ab"},
        {"", ""},
    };
    for (const Case& c : cases) {
        char field[32];
        std::memset(field, 'X', sizeof field);
        sjis::CopyToField(field, sizeof field, c.text);
        EXPECT_EQ(std::string(field), c.field);
        EXPECT_EQ(field[31], '\0');
    }
    EXPECT_EQ(sjis::CutAtBoundary("表ソ", 3), "表");
    EXPECT_EQ(sjis::CutAtBoundary("表ソ", 4), "表ソ");
}

// Boundaries found by looking back from a position agree with a walk from the
// start, on random runs of lead bytes, trail-range bytes, kana and ASCII
// (runs of lead-range bytes are where the two could differ).
TEST(SjisTest, BoundariesFoundBackwardsMatchAWalkFromTheStart) {
    const unsigned char kBytes[] = {'a', '\\', '\t', 0x81, 0x82, 0x95, 0x9F, 0xE0, 0xFC, 0xA1, 0xB1, 0xDF, 0x40, 0x7E, 0xFD};
    unsigned seed = 12345;
    for (int round = 0; round < 400; ++round) {
        std::string s;
        const int size = static_cast<int>((seed = seed * 1103515245u + 12345u) >> 16) % 40;
        for (int k = 0; k < size; ++k) {
            seed = seed * 1103515245u + 12345u;
            s.push_back(static_cast<char>(kBytes[(seed >> 16) % sizeof kBytes]));
        }
        std::vector<std::size_t> starts;  // every character start, then the end
        for (std::size_t i = 0; i < s.size(); i += sjis::CharLength(s.data(), s.size(), i)) starts.push_back(i);
        starts.push_back(s.size());
        for (std::size_t pos = 0; pos <= s.size(); ++pos) {
            std::size_t before = 0;
            while (before + 1 < starts.size() && starts[before + 1] <= pos) ++before;
            ASSERT_EQ(sjis::BoundaryAtOrBefore(s.data(), s.size(), pos), starts[before]) << round << ' ' << pos;
            const std::size_t previous = pos == 0 ? 0 : starts[starts[before] == pos ? before - 1 : before];
            ASSERT_EQ(sjis::Previous(s.data(), s.size(), pos), previous) << round << ' ' << pos;
        }
    }
}
