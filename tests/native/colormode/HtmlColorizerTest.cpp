#include "editor/core/HtmlColorizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "ColorTestUtil.h"
#include "editor/core/EditorModel.h"
#include "editor/core/HtmlWordFunctions.h"

namespace {

using namespace colortest;
using editor::HtmlColorizer;

class HtmlColorTest : public ::testing::Test {
protected:
    HtmlColorizer Make(std::initializer_list<const char*> elements, std::initializer_list<const char*> attributes) {
        return HtmlColorizer(Table(elements), Table(attributes), editor::HtmlColors{kE, kA, kC, kS, kD, kN});
    }
    std::string Color(const HtmlColorizer& h, const std::string& text, int prev = -1, int* state = nullptr) {
        auto fn = [&h](const char* l, int n, int p, editor::Color* c) { return h.ColorLine(l, n, p, c); };
        const std::string painted = Paint(fn, text, prev, state);
        // The line state alone always agrees with the colouring.
        Line line(text);
        if (state) {
            EXPECT_EQ(h.LineState(line.data(), line.size(), prev), *state) << text;
        }
        return painted;
    }
    HtmlColorizer html = Make({"a", "table", "td", "tdx", "p", "img"}, {"href", "border", "title", "id", "alt"});
};

TEST_F(HtmlColorTest, TagsAttributesAndStrings) {
    int state = -1;
    EXPECT_EQ(Color(html, "<table border=\"1\">", -1, &state), "DEEEEEDAAAAAADSSSD");
    EXPECT_EQ(state, 0);
    EXPECT_EQ(Color(html, "x</table>y", 0, &state), ".DDEEEEED.");
    EXPECT_EQ(state, 0);
    // A quoted value holding '>' keeps the tag open up to the '>' after it.
    EXPECT_EQ(Color(html, "<a href=\"x>y\">z", 0, &state), "DEDAAAADSSSSSD.");
    EXPECT_EQ(state, 0);
    // White space after '<' is a delimiter only when no element follows.
    EXPECT_EQ(Color(html, "<  a>", 0, &state), "D..ED");
    EXPECT_EQ(Color(html, "<  b>", 0, &state), "DDDDD");
    // A declaration is a start tag of its own.
    EXPECT_EQ(Color(html, "<!DOCTYPE>", 0, &state), "DDDDDDDDDD");
}

TEST_F(HtmlColorTest, ElementNamesMatchWholeAndLongestFirst) {
    int state = -1;
    EXPECT_EQ(Color(html, "<table>", 0, &state), "DEEEEED");
    EXPECT_EQ(Color(html, "<tablex>", 0, &state), "DDDDDDDD");
    EXPECT_EQ(Color(html, "<xtable>", 0, &state), "DDDDDDDD");
    EXPECT_EQ(Color(html, "<tdx>", 0, &state), "DEEED");
    EXPECT_EQ(Color(html, "<TD>", 0, &state), "DEED");  // without regard to case
    EXPECT_EQ(Color(html, "<td", 0, &state), "DEE");    // a name running to the line end
    EXPECT_EQ(state, 1);
}

TEST_F(HtmlColorTest, CommentsAcrossLines) {
    int state = -1;
    EXPECT_EQ(Color(html, "<!--a", -1, &state), "DCCCC");
    EXPECT_EQ(state, 3);
    EXPECT_EQ(Color(html, "b-->", state, &state), "CCCD");
    EXPECT_EQ(state, 0);
    EXPECT_EQ(Color(html, "x", state, &state), ".");
    EXPECT_EQ(state, 0);
    // Inside a comment '<' stays comment; "--" without '>' does not close it.
    EXPECT_EQ(Color(html, "<!-- <p> -- x", -1, &state), "DCCCCCCCCCCCC");
    EXPECT_EQ(state, 3);
    // An empty line keeps the state.
    EXPECT_EQ(Color(html, "", 3, &state), "");
    EXPECT_EQ(state, 3);
}

TEST_F(HtmlColorTest, TagsAndStringsAcrossLines) {
    int state = -1;
    EXPECT_EQ(Color(html, "<img", -1, &state), "DEEE");
    EXPECT_EQ(state, 1);
    EXPECT_EQ(Color(html, " alt=\"a", state, &state), "DAAADSS");
    EXPECT_EQ(state, 1);
    EXPECT_EQ(Color(html, "id>t", state, &state), "AAD.");
    EXPECT_EQ(state, 0);
    EXPECT_EQ(Color(html, "</", 0, &state), "DD");
    EXPECT_EQ(state, 2);
    EXPECT_EQ(Color(html, "p x>y", state, &state), "DDDD.");
    EXPECT_EQ(state, 0);
    EXPECT_EQ(Color(html, "<", 0, &state), "D");
    EXPECT_EQ(state, 1);
}

TEST_F(HtmlColorTest, Entities) {
    int state = -1;
    EXPECT_EQ(Color(html, "&amp; & amp;", 0, &state), "NNNNN.......");
    EXPECT_EQ(Color(html, "&amp<b>", 0, &state), "....DDD");
    EXPECT_EQ(Color(html, "&amp", 0, &state), "....");  // no ';' before the line end
    EXPECT_EQ(Color(html, "&#12354;", 0, &state), "NNNNNNNN");
    EXPECT_EQ(Color(html, "<p&>", 0, &state), "DEDD");  // inside a tag '&' is a delimiter
}

TEST_F(HtmlColorTest, JapaneseTextAndMarkupMixed) {
    int state = -1;
    // ソ and 表 end in 0x5C; the text between the tags stays uncoloured.
    EXPECT_EQ(Color(html, "<a title=\"ソ表\">ソ&amp;</a>", 0, &state), "DEDAAAAADSSSSSSD..NNNNNDDED");
    EXPECT_EQ(state, 0);
    // ナ is 83 69: its trail byte 'i' never starts the attribute "id".
    EXPECT_EQ(Color(html, "<p ナd>", 0, &state), "DEDDDDD");
    // After a double-byte character a keyword starts, whatever its trail.
    EXPECT_EQ(Color(html, "<p ナid>", 0, &state), "DEDDDAAD");
    // 亜 ends in 0x9F, which looks like a lead byte: the letter before the
    // name still joins it, so nothing matches.
    EXPECT_EQ(Color(html, "<p 亜xid>", 0, &state), "DEDDDDDDD");
    // A lead byte as the last byte of the line is a character of its own.
    EXPECT_EQ(Color(html, "<p title=\"\x82", 0, &state), "DEDAAAAADSS");
    EXPECT_EQ(state, 1);
    EXPECT_EQ(Color(html, "\x82", 0, &state), ".");
    EXPECT_EQ(state, 0);
}

TEST_F(HtmlColorTest, LookAheadStopsAtTheLineEnd) {
    int state = -1;
    EXPECT_EQ(Color(html, "<!-", 0, &state), "DDD");
    EXPECT_EQ(state, 1);
    EXPECT_EQ(Color(html, "<!", 0, &state), "DD");
    EXPECT_EQ(Color(html, "-", 3, &state), "C");
    EXPECT_EQ(state, 3);
    EXPECT_EQ(Color(html, "--", 3, &state), "CC");
    EXPECT_EQ(state, 3);
    EXPECT_EQ(Color(html, "-->", 3, &state), "CCD");
    EXPECT_EQ(state, 0);
    EXPECT_EQ(Color(html, "&", 0, &state), ".");
    EXPECT_EQ(Color(html, "< ", 0, &state), "D.");
    EXPECT_EQ(state, 1);
    EXPECT_EQ(Color(html, "</ ", 0, &state), "DD.");
    EXPECT_EQ(state, 2);
    // Damaged states read as text.
    EXPECT_EQ(Color(html, "a", 99, &state), ".");
    EXPECT_EQ(state, 0);
}

TEST_F(HtmlColorTest, WithoutKeywordTablesNothingIsAnElement) {
    HtmlColorizer bare(nullptr, nullptr, editor::HtmlColors{kE, kA, kC, kS, kD, kN});
    int state = -1;
    EXPECT_EQ(Color(bare, "<a href=\"x\">", 0, &state), "DDDDDDDDSSSD");
}

// Random bytes, lead bytes included, in every state: no read or write beyond
// the line, and the line state always equals the colouring's.
TEST_F(HtmlColorTest, RandomLinesStayInsideTheLine) {
    std::mt19937 rng(5);
    const char alphabet[] = "<>!-&;\"/ =atdhrefAT\x81\x82\x95\x5c\x83\x69\xe0\xfc\x9f";
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int n = static_cast<int>(rng() % 24);
        for (int k = 0; k < n; ++k) text += alphabet[rng() % (sizeof alphabet - 1)];
        int state = 0;
        const std::string painted = Color(html, text, static_cast<int>(rng() % 5) - 1, &state);
        ASSERT_EQ(painted.find('!'), std::string::npos) << text;
        ASSERT_GE(state, 0);
        ASSERT_LE(state, 3);
    }
}

// ---------------------------------------------------------------------------
// Word functions of the HTML mode.

TEST(HtmlWordFunctionsTest, BoundariesAreTagEdges) {
    const Line line("<a href=\"x\">text</a>");  // '>' at 11, '<' at 16, length 20
    const char* t = line.data();
    const int n = line.size();
    EXPECT_EQ(editor::HtmlNextWordBoundary(t, n, 0), 12);
    EXPECT_EQ(editor::HtmlNextWordBoundary(t, n, 5), 12);
    EXPECT_EQ(editor::HtmlNextWordBoundary(t, n, 12), 16);
    EXPECT_EQ(editor::HtmlNextWordBoundary(t, n, 16), 20);
    EXPECT_EQ(editor::HtmlNextWordBoundary(t, n, 20), 20);
    EXPECT_EQ(editor::HtmlPreviousWordBoundary(t, n, 20), 16);
    EXPECT_EQ(editor::HtmlPreviousWordBoundary(t, n, 16), 12);
    EXPECT_EQ(editor::HtmlPreviousWordBoundary(t, n, 12), 0);
    EXPECT_EQ(editor::HtmlPreviousWordBoundary(t, n, 11), 0);
    EXPECT_EQ(editor::HtmlPreviousWordBoundary(t, n, 14), 12);
    EXPECT_EQ(editor::HtmlPreviousWordBoundary(t, n, 0), 0);
    EXPECT_EQ(editor::HtmlNextWordBoundary(t, 0, 0), 0);
    EXPECT_EQ(editor::HtmlPreviousWordBoundary(t, 0, 0), 0);
}

TEST(HtmlWordFunctionsTest, DoubleClickSelectsValueTagOrText) {
    const Line line("<a href=\"x\">text</a>");
    const char* t = line.data();
    const int n = line.size();
    using P = std::pair<int, int>;
    EXPECT_EQ(editor::HtmlWordAt(t, n, 9), P(9, 10));    // the attribute value
    EXPECT_EQ(editor::HtmlWordAt(t, n, 4), P(0, 12));    // the whole start tag
    EXPECT_EQ(editor::HtmlWordAt(t, n, 11), P(0, 12));   // on its '>'
    EXPECT_EQ(editor::HtmlWordAt(t, n, 0), P(0, 12));    // on its '<'
    EXPECT_EQ(editor::HtmlWordAt(t, n, 13), P(12, 16));  // the text between tags
    EXPECT_EQ(editor::HtmlWordAt(t, n, 16), P(16, 20));  // the end tag
    EXPECT_EQ(editor::HtmlWordAt(t, n, 20), P(16, 20));  // at the line end: the character before
    const Line plain("ab");
    EXPECT_EQ(editor::HtmlWordAt(plain.data(), plain.size(), 1), P(0, 2));
}

TEST(HtmlWordFunctionsTest, DoubleByteCharactersAreSteppedWhole) {
    // 表 and ソ end in 0x5C; a caret inside a character is moved to its start.
    const Line line("<p>表ソ</p>");  // text at 3..7, '<' at 7
    const char* t = line.data();
    const int n = line.size();
    EXPECT_EQ(editor::HtmlNextWordBoundary(t, n, 3), 7);
    EXPECT_EQ(editor::HtmlNextWordBoundary(t, n, 4), 7);
    EXPECT_EQ(editor::HtmlPreviousWordBoundary(t, n, 7), 3);
    EXPECT_EQ(editor::HtmlWordAt(t, n, 6), std::make_pair(3, 7));
    const Line quoted("<a title=\"表\">");
    EXPECT_EQ(editor::HtmlWordAt(quoted.data(), quoted.size(), 10), std::make_pair(10, 12));
}

}  // namespace

// Parts of long lines coloured in the editor from its resume places agree
// with the whole line coloured from its start, while edits on the lines (an
// entity closed far ahead, a comment opened on the line above) move or
// drop the places.
TEST_F(HtmlColorTest, PartsOfLongLinesFromResumePlacesAgreeWithTheWholeLine) {
    const std::string pieces[] = {"<p class=\"x\">", "&amp;", "&ab ", "<!--", "-->", "</a >", "\x95\x5C", "\xB1",
                                  "\"", ">", "<", "text ", "img", "&", ";", "<td id=x>"};
    std::mt19937 rng(7);
    auto randomText = [&](int size) {
        std::string t;
        while (static_cast<int>(t.size()) < size) t += pieces[rng() % 16];
        return t;
    };
    editor::EditorModel m;
    auto shared = std::make_shared<HtmlColorizer>(html);
    m.SetColorFunctions([shared](const char* l, int n, int p, editor::Color* c) { return shared->ColorLine(l, n, p, c); },
                        [shared](const char* l, int n, int p) { return shared->LineState(l, n, p); });
    m.SetColorPart([shared](const char* l, int n, int p, const editor::ColorResume* s, int from, int to,
                            editor::Color* c, std::vector<editor::ColorResume>* r, int step) {
        return shared->ColorPart(l, n, p, s, from, to, c, r, step);
    });
    const std::string text = "<p>\r\n" + randomText(40000) + "\r\n" + randomText(20000);
    ASSERT_TRUE(m.SetText(text.data(), text.size()));
    for (int round = 0; round < 120; ++round) {
        const int n = 1 + static_cast<int>(rng() % 2);
        const int length = m.LineLength(n);
        std::vector<editor::Color> whole(static_cast<std::size_t>(length) + 1, 0);
        // The line's state, computed by the edits from a resume place, is the whole line's.
        ASSERT_EQ(shared->ColorLine(m.Store().LineText(n), length, m.LineState(n - 1), whole.data()), m.LineState(n));
        const int from = static_cast<int>(rng() % static_cast<unsigned>(length));
        const int to = std::min(length, from + 1 + static_cast<int>(rng() % 300));
        std::vector<editor::Color> part(static_cast<std::size_t>(to - from) + 1, 0);
        m.ColorLinePart(n, from, to, part.data());
        for (int k = from; k < to; ++k) ASSERT_EQ(part[static_cast<std::size_t>(k - from)], whole[static_cast<std::size_t>(k)]) << round << ' ' << k;
        if (round % 3 == 2) {
            // An edit at a character start of a random line.
            const int line = static_cast<int>(rng() % 3);
            const std::string& piece = pieces[rng() % 16];
            const int at = m.Store().BoundaryIn(line, static_cast<int>(rng() % static_cast<unsigned>(m.LineLength(line) + 1)), false);
            ASSERT_TRUE(m.ReplaceBytes(editor::BytePos{at, line}, editor::BytePos{-1, 0}, piece.data(), piece.size(), true, nullptr));
        }
    }
    EXPECT_GT(m.ColorResumeCount(1) + m.ColorResumeCount(2), 2);

    // A resume place inside an entity that is not closed yet: closing it
    // 3 000 bytes further on colours the place's bytes as the entity.
    const std::string line = std::string(5000, 'x') + "&" + std::string(6000, 'b') + " " + std::string(9000, 'y');
    ASSERT_TRUE(m.SetText(line.data(), line.size()));
    std::vector<editor::Color> part(101);
    m.ColorLinePart(0, 12000, 12100, part.data());
    EXPECT_GE(m.ColorResumeCount(0), 2);
    ASSERT_TRUE(m.ReplaceBytes(editor::BytePos{11001, 0}, editor::BytePos{-1, 0}, ";", 1, true, nullptr));
    m.ColorLinePart(0, 9000, 9100, part.data());
    EXPECT_EQ(part[0], kN);
}
