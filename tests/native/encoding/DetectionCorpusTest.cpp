// Detection scored on Japanese prose of the machine in each encoding, as
// whole files and as the single short lines where it is hardest (titles,
// sentences, headings, and half-width katakana words in SHIFT JIS).
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

TEST(DetectionCorpusTest, ScoresOnManualPages) {
    const corpus::Corpus& c = SampleCorpus();
    ASSERT_TRUE(c.error.empty()) << c.error;
    Score scores[corpus::kEncodings][corpus::kKinds];
    for (int e = 0; e < corpus::kEncodings; ++e) {
        for (const corpus::Sample& s : c.sets[e]) {
            Score& score = scores[e][s.kind];
            ++score.total;
            const int got = encoding::DetectCharCode(s.bytes.data(), s.bytes.size(), encoding::kCodeSjis);
            // The UTF-8 rule looks only at text that is valid UTF-8: no
            // text in the other codes may be taken for it.
            EXPECT_NE(got, encoding::kCodeUtf8) << corpus::Name(e) << ": " << s.bytes;
            if (got == e) ++score.right;
            else if (std::getenv("PQ_SHOW_MISSES")) std::printf("miss %s: %s\n", corpus::Name(e), s.bytes.c_str());
        }
    }
    std::printf("detection on %zu pages:\n", c.pages);
    for (int e = 0; e < corpus::kEncodings; ++e) {
        for (int k = 0; k < corpus::kKinds; ++k) {
            if (scores[e][k].total == 0) continue;
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
    // also read as half-width katakana words (名前 as ﾌｾﾁｰ).
    EXPECT_GE(scores[corpus::kEuc][corpus::kHeading].Percent(), 99.0);
    EXPECT_GE(scores[corpus::kSjis][corpus::kHeading].Percent(), 99.0);
    // UTF-8: every page and every short line, whatever its kind.
    std::size_t utf8Right = 0;
    for (const corpus::Sample& s : c.utf8) {
        if (encoding::DetectCharCode(s.bytes.data(), s.bytes.size(), encoding::kCodeSjis) == encoding::kCodeUtf8)
            ++utf8Right;
        else
            ADD_FAILURE() << "UTF-8 missed: " << s.bytes;
    }
    std::printf("  UTF-8 all kinds  %zu of %zu\n", utf8Right, c.utf8.size());
    EXPECT_GT(c.utf8.size(), 400u);
    // Half-width katakana words in SHIFT JIS: the tie rule must leave them alone.
    EXPECT_GT(scores[corpus::kSjis][corpus::kHalfWidth].total, 500u);
    EXPECT_GE(scores[corpus::kSjis][corpus::kHalfWidth].Percent(), 98.0);
}

}  // namespace
