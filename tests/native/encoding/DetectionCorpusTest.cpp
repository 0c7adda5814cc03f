// Detection scored on Japanese prose of the machine in each encoding, as
// whole files and as the single short lines where it is hardest, and on
// half-width katakana words in SHIFT JIS, which the tie rule must leave alone.
#include "support/JapaneseCorpus.h"

#include "documents/core/CharCode.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Score {
    std::size_t right = 0, total = 0;
    double Percent() const { return total ? 100.0 * right / total : 0.0; }
};

const corpus::Corpus& SampleCorpus() {
    static const corpus::Corpus c = corpus::Build(4);
    return c;
}

// Full-width katakana runs of SHIFT JIS text written with half-width katakana.
std::vector<std::string> HalfWidthWords(const std::string& sjis) {
    // The half-width kana (and mark) of each full-width code of rows 0x21 and 0x25.
    std::string halfOf[0x80][2];
    for (int k = 0xA6; k <= 0xDD; ++k) {
        const unsigned jis = encoding::KanaToJis(static_cast<unsigned char>(k));
        if ((jis >> 8) != 0x25) continue;
        halfOf[jis & 0x7F][0] = std::string(1, static_cast<char>(k));
        for (int v = 1; v <= 2; ++v) {
            if (encoding::KanaVoicing(static_cast<unsigned char>(k), v == 1 ? 0xDE : 0xDF) == v) {
                halfOf[(jis + v) & 0x7F][0] = std::string(1, static_cast<char>(k)) + static_cast<char>(0xDD + v);
            }
        }
    }
    std::vector<std::string> words;
    std::string word;
    for (std::size_t i = 0; i + 1 < sjis.size(); ++i) {
        const unsigned char a = sjis[i], b = sjis[i + 1];
        std::string half;
        if (a == 0x81 && b == 0x5B) half = "\xB0";  // ー
        else if (a == 0x83 && b >= 0x40 && b <= 0x96) {
            const unsigned cell = b < 0x80 ? b - 0x1F : b - 0x20;  // row 0x25
            half = halfOf[cell][0];
        }
        if (!half.empty()) {
            word += half;
            ++i;
            continue;
        }
        if (word.size() >= 4) words.push_back(word);
        word.clear();
        if (a >= 0x81) ++i;
    }
    return words;
}

TEST(DetectionCorpusTest, ScoresOnManualPages) {
    const corpus::Corpus& c = SampleCorpus();
    ASSERT_TRUE(c.error.empty()) << c.error;
    Score scores[corpus::kEncodings][corpus::kKinds];
    for (int e = 0; e < corpus::kEncodings; ++e) {
        for (const corpus::Sample& s : c.sets[e]) {
            Score& score = scores[e][s.kind];
            ++score.total;
            if (encoding::DetectCharCode(s.bytes.data(), s.bytes.size(), encoding::kCodeSjis) == e) ++score.right;
            else if (std::getenv("PQ_SHOW_MISSES")) std::printf("miss %s: %s\n", corpus::Name(e), s.bytes.c_str());
        }
    }
    std::printf("detection on %zu pages:\n", c.pages);
    for (int e = 0; e < corpus::kEncodings; ++e) {
        for (int k = 0; k < corpus::kKinds; ++k) {
            std::printf("  %-4s %-11s %6.2f%% of %zu\n", corpus::Name(e), corpus::KindName(k), scores[e][k].Percent(),
                        scores[e][k].total);
        }
    }
    // Thresholds below the figures measured, with a margin.
    for (int e = 0; e < corpus::kEncodings; ++e) {
        EXPECT_GT(scores[e][corpus::kFile].total, 100u) << corpus::Name(e);
        EXPECT_GT(scores[e][corpus::kSentence].total, 100u) << corpus::Name(e);
        EXPECT_EQ(scores[e][corpus::kFile].right, scores[e][corpus::kFile].total) << corpus::Name(e);
    }
    EXPECT_GE(scores[corpus::kJis][corpus::kTitle].Percent(), 100.0);
    EXPECT_GE(scores[corpus::kJis][corpus::kSentence].Percent(), 100.0);
    EXPECT_GE(scores[corpus::kSjis][corpus::kTitle].Percent(), 99.0);
    EXPECT_GE(scores[corpus::kSjis][corpus::kSentence].Percent(), 99.0);
    EXPECT_GE(scores[corpus::kEuc][corpus::kTitle].Percent(), 99.0);
    EXPECT_GE(scores[corpus::kEuc][corpus::kSentence].Percent(), 99.0);
    // Headings of two to four kanji are the hardest: in EUC the bytes of many
    // also read as half-width katakana words (名前 as ﾌｾﾁｰ), which stay SHIFT JIS.
    EXPECT_GE(scores[corpus::kEuc][corpus::kHeading].Percent(), 75.0);
    EXPECT_GE(scores[corpus::kSjis][corpus::kHeading].Percent(), 99.0);
}

TEST(DetectionCorpusTest, HalfWidthKatakanaStaysShiftJis) {
    const corpus::Corpus& c = SampleCorpus();
    ASSERT_TRUE(c.error.empty()) << c.error;
    Score score;
    for (const corpus::Sample& s : c.sets[corpus::kSjis]) {
        if (s.kind != corpus::kFile) continue;
        for (const std::string& word : HalfWidthWords(s.bytes)) {
            ++score.total;
            if (encoding::DetectCharCode(word.data(), word.size(), encoding::kCodeSjis) == encoding::kCodeSjis) {
                ++score.right;
            } else if (std::getenv("PQ_SHOW_MISSES")) {
                std::printf("miss half-width: %s\n", word.c_str());
            }
        }
    }
    std::printf("half-width katakana words in SJIS: %.2f%% of %zu\n", score.Percent(), score.total);
    EXPECT_GT(score.total, 1000u);
    EXPECT_GE(score.Percent(), 99.0);
}

}  // namespace
