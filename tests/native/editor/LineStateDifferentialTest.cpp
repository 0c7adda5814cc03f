// Long seeded random runs of edits, undo and redo on HTML text with the HTML
// line-state function installed: after every step the state stored with each
// line below the high-water mark, and the state a query at a random line
// computes, must be the one a pass from the top of the text gives, so
// comments, tags and strings that open or close across lines are coloured
// right below every edit.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "editor/core/EditorModel.h"
#include "editor/core/HtmlColorizer.h"

namespace {

using editor::EditorModel;

// Pieces that open and close the HTML states, line ends of every kind, and
// double-byte characters (one with the trail byte '-' is not a hyphen).
const char* const kPieces[] = {"<!--", "-->", "--", "<a href=\"", "\"", ">", "</p", "<", "!", "-", "x", " ",
                               "\r\n", "\n", "\r", "\x82\xA0", "\x81\x5B", "\x83\x2D\x2D>", "&amp;", "<p>"};

class HtmlEditRun {
public:
    explicit HtmlEditRun(unsigned seed)
        : rng_(seed), html_(std::make_shared<editor::HtmlColorizer>(nullptr, nullptr, editor::HtmlColors())) {
        auto html = html_;
        ed_.SetColorFunctions(
            [html](const char* line, int length, int prev, editor::Color* colors) {
                return html->ColorLine(line, length, prev, colors);
            },
            [html](const char* line, int length, int prev) { return html->LineState(line, length, prev); });
        ed_.SetText(Pieces(40));
    }

    // One random operation; returns what was done, for the failure message.
    std::string Step() {
        const unsigned op = Pick(100);
        const long long length = ed_.TextLength();
        if (op < 40) {
            const long long at = static_cast<long long>(Pick(static_cast<unsigned>(length + 1)));
            ed_.SetSelectionOffsets(at, at);
            ed_.ReplaceSelection(Pieces(1 + Pick(6)), true);
            return "insert";
        }
        if (op < 60 && length > 0) {
            const long long a = static_cast<long long>(Pick(static_cast<unsigned>(length + 1)));
            const long long b = std::min(length, a + static_cast<long long>(Pick(30)));
            ed_.SetSelectionOffsets(a, b);
            ed_.ReplaceSelection(Pick(2) ? Pieces(Pick(3)) : std::string(), Pick(8) != 0);
            return "replace";
        }
        if (op < 75) return ed_.Undo() ? "undo" : "nothing to undo";
        if (op < 88) return ed_.Redo() ? "redo" : "nothing to redo";
        if (op < 93) {
            // Painting stores the state it computes as well.
            const int n = static_cast<int>(Pick(static_cast<unsigned>(ed_.LineCount())));
            std::vector<editor::Color> colors(static_cast<std::size_t>(ed_.LineLength(n)) + 1);
            ed_.ColorLine(n, colors.data());
            return "paint";
        }
        if (op < 96) {
            ed_.SetLineEndMode(static_cast<int>(Pick(3)));
            return "line ends";
        }
        if (op < 98) {
            editor::EditorSettings s;
            s.tabSize = 1 + static_cast<int>(Pick(8));
            ed_.SetSettings(&s, false);
            return "settings";
        }
        ed_.SetText(Pieces(20 + Pick(40)));
        return "set text";
    }

    // The first line below the high-water mark whose stored state differs
    // from a pass from the top, or -1.
    int FirstWrongLine() const {
        const std::vector<int> truth = Truth();
        for (int k = 0; k < ed_.StatesValid(); ++k) {
            if (ed_.Store().LineState(k) != truth[static_cast<std::size_t>(k)]) return k;
        }
        return -1;
    }

    // Asks for the state of a random line (or of every line); the line whose
    // answer differs from a pass from the top, or -1.
    int WrongQuery(bool everyLine) {
        const std::vector<int> truth = Truth();
        const int count = ed_.LineCount();
        const int from = everyLine ? 0 : static_cast<int>(Pick(static_cast<unsigned>(count)));
        const int to = everyLine ? count - 1 : from;
        for (int n = from; n <= to; ++n) {
            if (ed_.LineState(n) != truth[static_cast<std::size_t>(n)]) return n;
        }
        return -1;
    }

    const EditorModel& Editor() const { return ed_; }

private:
    std::vector<int> Truth() const {
        std::vector<int> states;
        int previous = -1;
        for (int k = 0; k < ed_.LineCount(); ++k) {
            previous = html_->LineState(ed_.Store().LineText(k), ed_.LineLength(k), previous);
            states.push_back(previous);
        }
        return states;
    }

    unsigned Pick(unsigned n) { return n == 0 ? 0 : static_cast<unsigned>(rng_() % n); }

    std::string Pieces(unsigned count) {
        std::string s;
        for (unsigned i = 0; i < count; ++i) s += kPieces[Pick(sizeof kPieces / sizeof kPieces[0])];
        return s;
    }

    std::mt19937 rng_;
    std::shared_ptr<editor::HtmlColorizer> html_;
    EditorModel ed_;
};

TEST(LineStateDifferentialTest, StoredStatesAlwaysMatchAPassFromTheTop) {
    for (unsigned seed = 1; seed <= 8; ++seed) {
        HtmlEditRun run(seed);
        ASSERT_EQ(run.FirstWrongLine(), -1) << "seed " << seed << " after SetText";
        for (int step = 0; step < 4000; ++step) {
            const std::string what = run.Step();
            const int wrong = run.FirstWrongLine();
            ASSERT_EQ(wrong, -1) << "seed " << seed << ", step " << step << " (" << what << "): line " << wrong
                                 << " of " << run.Editor().LineCount();
            if (step % 3 == 0) {
                const int asked = run.WrongQuery(false);
                ASSERT_EQ(asked, -1) << "seed " << seed << ", step " << step << " (" << what << "): query at line "
                                     << asked;
            }
        }
        ASSERT_EQ(run.WrongQuery(true), -1) << "seed " << seed << " at the end";
    }
}

}  // namespace
