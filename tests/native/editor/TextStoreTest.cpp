#include "editor/core/TextStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>
#include <string>

#include "editor/core/EditorMemory.h"

namespace {

using editor::BytePos;
using editor::TextStore;

std::string Text(const TextStore& s) {
    std::string out;
    EXPECT_TRUE(s.GetText(out));
    return out;
}

void Insert(TextStore& s, BytePos at, const std::string& bytes, BytePos* end = nullptr) {
    ASSERT_TRUE(s.InsertBytes(at, bytes.data(), bytes.size(), end));
}

// --- Lines and line ends -------------------------------------------------------

TEST(TextStoreTest, EmptyDocumentIsOneEmptyLine) {
    TextStore s;
    EXPECT_EQ(s.LineCount(), 1);
    EXPECT_EQ(s.LineLength(0), 0);
    EXPECT_EQ(s.TextLength(), 0);
    EXPECT_EQ(Text(s), "");
    EXPECT_EQ(s.LineLength(1), -1);
    EXPECT_EQ(s.LineLength(-1), -1);
}

TEST(TextStoreTest, InsertedLineEndsKeepTheirKinds) {
    TextStore s;
    s.SetLineEndMode(editor::kReturnLf);  // the empty line ends in LF
    BytePos end;
    Insert(s, BytePos{0, 0}, "a\r\nb\rc\nd", &end);
    ASSERT_EQ(s.LineCount(), 4);
    const char* texts[] = {"a", "b", "c", "d"};
    const int ends[] = {editor::kReturnCrLf, editor::kReturnCr, editor::kReturnLf, editor::kReturnLf};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(std::string(s.LineText(k), 1), texts[k]);
        EXPECT_EQ(s.LineEnd(k), ends[k]) << k;
    }
    EXPECT_EQ(Text(s), "a\r\nb\rc\nd");
    EXPECT_EQ(s.TextLength(), 8);
    EXPECT_EQ(end, (BytePos{1, 3}));
}

TEST(TextStoreTest, InsertingInTheMiddleOfAnLfLineKeepsTheLfAfterTheLastInsertedLine) {
    TextStore s;
    Insert(s, BytePos{0, 0}, "xy\nz");
    Insert(s, BytePos{1, 0}, "1\r2\r\n3");
    EXPECT_EQ(Text(s), "x1\r2\r\n3y\nz");
    ASSERT_EQ(s.LineCount(), 4);
    EXPECT_EQ(s.LineEnd(0), editor::kReturnCr);
    EXPECT_EQ(s.LineEnd(1), editor::kReturnCrLf);
    EXPECT_EQ(s.LineEnd(2), editor::kReturnLf);
}

TEST(TextStoreTest, DeletingAcrossLinesJoinsHeadAndTailWithTheLastLinesEnd) {
    TextStore s;
    Insert(s, BytePos{0, 0}, "l0\r\nl1\r\nab2cd\r\nl3\nl4\r\nef5gh\rl6");
    int removed = 0;
    ASSERT_TRUE(s.DeleteRange(BytePos{2, 2}, BytePos{3, 5}, &removed));
    EXPECT_EQ(removed, 3);
    EXPECT_EQ(Text(s), "l0\r\nl1\r\nabgh\rl6");
    EXPECT_EQ(s.LineEnd(2), editor::kReturnCr);
    EXPECT_EQ(s.TextLength(), static_cast<long long>(Text(s).size()));
}

TEST(TextStoreTest, LoneCrBeforeAnLfLineEndStaysTwoLines) {
    // The line structure comes from the edits: a CR typed at the end of a
    // line that ends in LF gives a CR line and an empty LF line, although the
    // bytes read back as one CR LF.
    TextStore s;
    Insert(s, BytePos{0, 0}, "a\nb");
    Insert(s, BytePos{1, 0}, "\r");
    EXPECT_EQ(s.LineCount(), 3);
    EXPECT_EQ(Text(s), "a\r\nb");
    EXPECT_EQ(s.PositionOf(2), (BytePos{0, 1}));
}

TEST(TextStoreTest, SetLineEndModeMakesEveryLineEndTheSame) {
    TextStore s;
    Insert(s, BytePos{0, 0}, "a\r\nb\rc\nd");
    EXPECT_EQ(s.SetLineEndMode(editor::kReturnLf), editor::kReturnCrLf);
    EXPECT_EQ(Text(s), "a\nb\nc\nd");
    EXPECT_EQ(s.TextLength(), 7);
    EXPECT_EQ(s.SetLineEndMode(7), editor::kReturnLf);  // not a line end: nothing changes
    EXPECT_EQ(Text(s), "a\nb\nc\nd");
}

TEST(TextStoreTest, NulBytesAreText) {
    TextStore s;
    const std::string bytes("a\0b\r\n\0", 6);
    Insert(s, BytePos{0, 0}, bytes);
    EXPECT_EQ(Text(s), bytes);
    EXPECT_EQ(s.LineLength(0), 3);
}

// --- Columns -------------------------------------------------------------

TEST(TextStoreTest, ColumnsCountTabsAndDoubleByteCharacters) {
    TextStore s;
    s.SetTabSize(4);
    Insert(s, BytePos{0, 0}, "a\tb\x82\xA0" "c\r\nx\x82");  // a, tab, b, あ, c / x, lone lead
    // a=0 tab=1..4 b=4 あ=5..7 c=7
    EXPECT_EQ(s.OffsetToColumn(2, 0), 4);
    EXPECT_EQ(s.OffsetToColumn(5, 0), 7);
    EXPECT_EQ(s.OffsetToColumn(4, 0), 6);  // inside あ: the lead byte counts one column
    EXPECT_EQ(s.BytesToColumns(5, 0), 7);
    EXPECT_EQ(s.SnapColumn(2, 0, false), 1);  // inside the tab
    EXPECT_EQ(s.SnapColumn(2, 0, true), 4);
    EXPECT_EQ(s.SnapColumn(6, 0, false), 5);  // inside あ
    EXPECT_EQ(s.SnapColumn(6, 0, true), 7);
    EXPECT_EQ(s.ColumnToOffset(2, 0, false), 1);
    EXPECT_EQ(s.ColumnToOffset(2, 0, true), 2);
    EXPECT_EQ(s.ColumnToOffset(6, 0, true), 5);
    EXPECT_EQ(s.SnapColumn(100, 0, false), 8);  // beyond the end: the end
    EXPECT_EQ(s.ColumnToOffset(100, 0, false), 6);
    // A lead byte at the end of a line is a one-column character; the caret
    // can stand after it.
    EXPECT_EQ(s.OffsetToColumn(2, 1), 2);
    EXPECT_EQ(s.SnapColumn(2, 1, false), 2);
    EXPECT_EQ(s.ColumnToOffset(2, 1, false), 2);
    s.SetTabSize(0);
    EXPECT_EQ(s.TabSize(), 1);
}

TEST(TextStoreTest, AbsoluteOffsetsCountEachLineEndAtItsOwnLength) {
    TextStore s;
    Insert(s, BytePos{0, 0}, "ab\r\n\x82\xA0\rc");
    EXPECT_EQ(s.OffsetOf(BytePos{0, 1}), 4);
    EXPECT_EQ(s.OffsetOf(BytePos{0, 2}), 7);
    EXPECT_EQ(s.PositionOf(3), (BytePos{2, 0}));        // between CR and LF: the line's end
    EXPECT_EQ(s.PositionOf(3, true), (BytePos{0, 1}));  // or the next line's start
    EXPECT_EQ(s.PositionOf(5), (BytePos{0, 1}));        // inside あ
    EXPECT_EQ(s.PositionOf(5, true), (BytePos{2, 1}));
    EXPECT_EQ(s.PositionOf(99), (BytePos{1, 2}));
    EXPECT_EQ(s.RangeLength(BytePos{1, 0}, BytePos{0, 2}), 6);
    EXPECT_EQ(s.RangeLength(BytePos{0, 2}, BytePos{1, 0}), 6);
    char buffer[6];
    s.CopyRange(BytePos{0, 2}, BytePos{1, 0}, buffer);
    EXPECT_EQ(std::string(buffer, 6), "b\r\n\x82\xA0\r");
}

// --- Search ----------------------------------------------------------------

int Find(const TextStore& s, const std::string& pattern, bool matchCase, bool wholeWord, int from = 0) {
    int end = 0;
    return s.FindInLine(pattern.data(), pattern.size(), matchCase, wholeWord, from, 0, &end);
}

TEST(TextStoreTest, FindInLineMatchesOnCharacterBoundariesOnly) {
    TextStore s;
    Insert(s, BytePos{0, 0}, "\x81\x81" "A");  // ＝A
    EXPECT_EQ(Find(s, "A", true, false), 2);
    TextStore t;
    Insert(t, BytePos{0, 0}, "\x81\x83" "A");  // ＜A holds the bytes of ア (83 41) across two characters
    EXPECT_EQ(Find(t, "\x83" "A", true, false), -1);
    TextStore u;
    Insert(u, BytePos{0, 0}, "\x95\x5C");  // 表: its trail byte is a backslash
    EXPECT_EQ(Find(u, "\\", true, false), -1);
    EXPECT_EQ(Find(u, "\x95", true, false), -1);  // a match must also end on a boundary
}

TEST(TextStoreTest, FindInLineFoldsSingleByteLettersOnly) {
    TextStore s;
    Insert(s, BytePos{0, 0}, "\x83\x61 Abc");  // a double-byte character whose trail byte is 'a'
    EXPECT_EQ(Find(s, "\x83" "A", false, false), -1);  // its trail byte is not folded
    EXPECT_EQ(Find(s, "aBC", false, false), 3);
    EXPECT_EQ(Find(s, "aBC", true, false), -1);
}

TEST(TextStoreTest, FindInLineWholeWordGoesOnAfterARejectedMatch) {
    TextStore s;
    Insert(s, BytePos{0, 0}, "abcd abc \x83" "Abc");
    EXPECT_EQ(Find(s, "abc", true, true), 5);
    EXPECT_EQ(Find(s, "abc", true, true, 6), -1);
    // The character before the last "bc" is ア, not the letter A of its trail byte.
    EXPECT_EQ(Find(s, "bc", true, true, 6), 11);
    EXPECT_EQ(Find(s, "", true, false), -1);
}

TEST(TextStoreTest, LastLineWithEitherFindsTheNearestLineAbove) {
    // Neighbours of '<' and '>' (0x3B, 0x3D, 0x3F, and 0xBC, 0xBE with the
    // high bit set) must not count, at every place in a word of eight bytes.
    const std::string near = "=;?\xBC\xBE\x81\x5C";
    for (std::size_t at = 0; at < 19; ++at) {
        std::string line(19, 'a');
        line.replace(at % 12, near.size(), near);
        TextStore s;
        std::string marked = line;
        marked[at] = (at % 2) ? '<' : '>';
        Insert(s, BytePos{0, 0}, marked + "\r\n" + line + "\r\n\r\n" + line + "\r\n");
        EXPECT_EQ(s.LastLineWithEither(4, '<', '>'), 0) << at;
        EXPECT_EQ(s.LastLineWithEither(0, '<', '>'), -1) << at;
    }
    // A large text (its lines share one block) and lines typed afterwards.
    std::string big;
    for (int i = 0; i < 20000; ++i) big += i == 3 ? "x<y\n" : i == 17000 ? "a>\n" : "plain text\n";
    TextStore s;
    Insert(s, BytePos{0, 0}, big);
    Insert(s, BytePos{0, 19000}, "<");
    const struct { int before, line; } cases[] = {
        {20001, 19000}, {19001, 19000}, {19000, 17000}, {17000, 3}, {4, 3}, {3, -1}, {-5, -1}};
    for (const auto& c : cases) EXPECT_EQ(s.LastLineWithEither(c.before, '<', '>'), c.line) << c.before;
}

// --- Shared blocks and memory -------------------------------------------------

// Random edits of large texts (so that inserted lines share blocks, and
// blocks are compacted) against a byte string.
TEST(TextStoreTest, LargeInsertionsAgreeWithAByteString) {
    std::mt19937 rng(7);
    TextStore s;
    std::string model;
    auto randomText = [&](std::size_t lines) {
        static const char* const pieces[] = {"ab", "\x82\xA0", "\t", "xyz0", "\x95\x5C", " "};
        static const char* const ends[] = {"\r\n", "\n"};
        std::string t;
        for (std::size_t k = 0; k < lines; ++k) {
            for (unsigned n = rng() % 12; n > 0; --n) t += pieces[rng() % 6];
            t += ends[rng() % 2];
        }
        return t;
    };
    for (int step = 0; step < 400; ++step) {
        const long long length = s.TextLength();
        const long long a = static_cast<long long>(rng() % static_cast<unsigned>(length + 1));
        const BytePos p = s.PositionOf(a);
        const long long at = s.OffsetOf(p);
        const unsigned kind = rng() % 4;
        if (kind == 0 || length < 20000) {
            const std::string t = randomText(rng() % 3 ? 3000 + rng() % 5000 : 1 + rng() % 3);
            Insert(s, p, t);
            model.insert(static_cast<std::size_t>(at), t);
        } else {
            const long long b = std::min(length, at + 1 + static_cast<long long>(rng() % (kind == 1 ? 200000 : 300)));
            const BytePos q = s.PositionOf(b);
            const long long to = s.OffsetOf(q);
            ASSERT_TRUE(s.DeleteRange(p, q));
            model.erase(static_cast<std::size_t>(at), static_cast<std::size_t>(to - at));
        }
        ASSERT_EQ(s.TextLength(), static_cast<long long>(model.size())) << step;
        if (step % 10 == 0) {
            ASSERT_EQ(Text(s), model) << step;
        }
    }
    ASSERT_EQ(Text(s), model);
    // Held bytes stay near what the text needs: compaction gives back what
    // deleted lines left in shared blocks, and the line array shrinks.
    const std::size_t needed = model.size() + static_cast<std::size_t>(s.LineCount()) * sizeof(editor::LineRecord);
    EXPECT_LT(s.HeldBytes(), 2 * needed + 64 * 1024);
}

TEST(TextStoreTest, EditsThatRunOutOfMemoryChangeNothing) {
    const std::string big = [] {
        std::string t;
        for (int k = 0; k < 20000; ++k) t += "line \x82\xA0 text\r\n";
        return t;
    }();
    // Every allocation the edit makes fails in turn; each failure leaves the
    // text as it was, and the edit succeeds once memory is there.
    for (const std::string& insert : {std::string("xy"), std::string("1\r\n2\n3"), big}) {
        for (long allowed = 0;; ++allowed) {
            TextStore s;
            Insert(s, BytePos{0, 0}, "first\r\nsecond\nthird");
            editor::FailAllocationsAfter(allowed);
            const bool ok = s.InsertBytes(BytePos{3, 1}, insert.data(), insert.size());
            editor::FailAllocationsAfter(-1);
            if (ok) {
                EXPECT_EQ(Text(s), "first\r\nsec" + insert + "ond\nthird");
                break;
            }
            ASSERT_EQ(Text(s), "first\r\nsecond\nthird") << allowed;
            ASSERT_LT(allowed, 20);
        }
    }
    // A replace either happens whole or not at all, over one line or several.
    struct Replace {
        BytePos p1, p2;
        std::string expected;
    };
    for (const std::string& insert : {std::string("xy"), std::string("1\r\n2\n3"), big}) {
        const Replace replaces[] = {
            {{1, 0}, {4, 0}, "f" + insert + "t\r\nsecond\nthird"},
            {{3, 0}, {2, 2}, "fir" + insert + "ird"},
            {{0, 1}, {6, 1}, "first\r\n" + insert + "\nthird"},
        };
        for (const Replace& r : replaces) {
            for (long allowed = 0;; ++allowed) {
                TextStore s;
                Insert(s, BytePos{0, 0}, "first\r\nsecond\nthird");
                editor::FailAllocationsAfter(allowed);
                BytePos end;
                int removed = -1, added = -1;
                const bool ok = s.ReplaceRange(r.p1, r.p2, insert.data(), insert.size(), &end, &removed, &added);
                editor::FailAllocationsAfter(-1);
                if (ok) {
                    ASSERT_EQ(Text(s), r.expected);
                    EXPECT_EQ(s.TextLength(), static_cast<long long>(r.expected.size()));
                    EXPECT_EQ(removed, r.p2.line - r.p1.line);
                    EXPECT_EQ(s.LineCount(), 3 - removed + added);
                    EXPECT_EQ(s.OffsetOf(end), s.OffsetOf(r.p1) + static_cast<long long>(insert.size()));
                    break;
                }
                ASSERT_EQ(Text(s), "first\r\nsecond\nthird") << allowed;
                ASSERT_LT(allowed, 20);
            }
        }
    }
    TextStore s;
    Insert(s, BytePos{0, 0}, "a\r\nb\r\nlong tail");
    editor::FailAllocationsAfter(0);
    EXPECT_FALSE(s.DeleteRange(BytePos{1, 0}, BytePos{1, 2}));  // line 0 must grow
    editor::FailAllocationsAfter(-1);
    EXPECT_EQ(Text(s), "a\r\nb\r\nlong tail");
}

}  // namespace

// --- Column marks on long lines --------------------------------------------------

// The conversions as a walk from the line's start: the column of every
// character start, then the line's end.
struct Walk {
    std::vector<int> offsets;
    std::vector<long long> columns;
    Walk(const std::string& line, int tab) {
        long long c = 0;
        for (std::size_t i = 0; i < line.size();) {
            offsets.push_back(static_cast<int>(i));
            columns.push_back(c);
            const unsigned char ch = static_cast<unsigned char>(line[i]);
            const bool pair = i + 1 < line.size() && ((ch >= 0x81 && ch <= 0x9F) || ch >= 0xE0) && ch <= 0xFC;
            c = ch == '\t' ? tab * (c / tab + 1) : c + (pair ? 2 : 1);
            i += pair ? 2 : 1;
        }
        offsets.push_back(static_cast<int>(line.size()));
        columns.push_back(c);
    }
    // Index of the last character start at or before the column.
    std::size_t AtColumn(long long column) const {
        std::size_t k = 0;
        while (k + 1 < columns.size() && columns[k + 1] <= column) ++k;
        return k;
    }
};

// Conversions on long lines of tabs, double-byte characters, half-width kana
// and ASCII agree with the walk from the start, while edits on the line,
// above it and across lines drop and move the marks, and the tab size changes.
TEST(TextStoreTest, ColumnConversionsOnLongLinesAgreeWithAWalkFromTheStart) {
    const std::string pieces[] = {"a", "\t", "\x95\x5C", "\xB1", "\x82\xA0", " ", "\x81\x40", "<p>"};
    std::mt19937 rng(21);
    auto randomText = [&](int size) {
        std::string t;
        while (static_cast<int>(t.size()) < size) t += pieces[rng() % 8];
        return t;
    };
    TextStore s;
    std::vector<std::string> lines = {"head", randomText(30000), "mid", randomText(20000)};
    std::string all;
    for (std::size_t k = 0; k < lines.size(); ++k) all += lines[k] + (k + 1 < lines.size() ? "\r\n" : "");
    Insert(s, BytePos{0, 0}, all);
    for (int round = 0; round < 60; ++round) {
        if (round == 30) s.SetTabSize(3);
        std::vector<int> longLines;
        for (std::size_t k = 0; k < lines.size(); ++k) {
            if (lines[k].size() > 9000) longLines.push_back(static_cast<int>(k));
        }
        for (int n : longLines) {
            const std::string& line = lines[static_cast<std::size_t>(n)];
            const Walk w(line, s.TabSize());
            for (int probe = 0; probe < 25; ++probe) {
                const int offset = static_cast<int>(rng() % (line.size() + 1));
                const std::size_t at = static_cast<std::size_t>(
                    std::upper_bound(w.offsets.begin(), w.offsets.end(), offset) - w.offsets.begin() - 1);
                // An offset inside a character counts the lead byte as one column.
                ASSERT_EQ(s.OffsetToColumn(offset, n), w.columns[at] + (w.offsets[at] < offset ? 1 : 0))
                    << round << ' ' << offset;
                const long long column = static_cast<long long>(rng() % (w.columns.back() + 3));
                const std::size_t k = w.AtColumn(column);
                const bool inside = w.columns[k] < column && k + 1 < w.columns.size();
                ASSERT_EQ(s.ColumnToOffset(static_cast<int>(column), n, false), w.offsets[k]) << round << ' ' << column;
                ASSERT_EQ(s.ColumnToOffset(static_cast<int>(column), n, true), w.offsets[inside ? k + 1 : k]);
                ASSERT_EQ(s.SnapColumn(static_cast<int>(column), n, true), w.columns[inside ? k + 1 : k]);
            }
            EXPECT_GT(s.MarkCount(n), 1);
        }
        // An edit inside a long line, or a line added or removed above them.
        const int n = longLines[rng() % longLines.size()];
        std::string& line = lines[static_cast<std::size_t>(n)];
        const Walk w(line, 1);
        const std::size_t k = rng() % (w.offsets.size() - 1);
        const int boundary = w.offsets[k];
        switch (rng() % 4) {
            case 0: {
                const std::string piece = pieces[rng() % 8];
                Insert(s, BytePos{boundary, n}, piece);
                line.insert(static_cast<std::size_t>(boundary), piece);
                break;
            }
            case 1:
                ASSERT_TRUE(s.DeleteRange(BytePos{boundary, n}, BytePos{w.offsets[k + 1], n}));
                line.erase(static_cast<std::size_t>(boundary), static_cast<std::size_t>(w.offsets[k + 1] - boundary));
                break;
            case 2:
                if (lines[0] == "x") {
                    ASSERT_TRUE(s.DeleteRange(BytePos{0, 0}, BytePos{0, 1}));
                    lines.erase(lines.begin());
                } else {
                    Insert(s, BytePos{0, 0}, "x\r\n");
                    lines.insert(lines.begin(), "x");
                }
                break;
            default: {
                const std::string piece = randomText(9100);
                ASSERT_TRUE(s.ReplaceRange(BytePos{0, n}, BytePos{boundary, n}, piece.data(), piece.size()));
                line.replace(0, static_cast<std::size_t>(boundary), piece);
                break;
            }
        }
        ASSERT_EQ(s.LineCount(), static_cast<int>(lines.size()));
        for (int j = 0; j < s.LineCount(); ++j) {
            ASSERT_EQ(std::string(s.LineText(j) ? s.LineText(j) : "", static_cast<std::size_t>(s.LineLength(j))),
                      lines[static_cast<std::size_t>(j)]);
        }
    }
}
