#include <gtest/gtest.h>

#include <random>

#include "ColorTestUtil.h"
#include "editor/core/CgiColorizer.h"
#include "editor/core/EditorModel.h"
#include "editor/core/UserColorizer.h"

namespace {

using namespace colortest;

std::string Cgi(const editor::CgiColorizer& cgi, const std::string& text) {
    int state = -1;
    const std::string out =
        Paint([&](const char* l, int n, int p, editor::Color* c) { return cgi.ColorLine(l, n, p, c); }, text, -1, &state);
    EXPECT_EQ(state, 0);
    return out;
}

TEST(CgiColorTest, KeywordsStringsAndComments) {
    const editor::CgiColorizer cgi(Table({"print", "my", "if"}), editor::CgiColors{kK, kC, kS});
    EXPECT_EQ(Cgi(cgi, "print 'a'; # c"), "KKKKK.SSS..CCC");
    EXPECT_EQ(Cgi(cgi, "PRINT \"a#b\" # c"), "KKKKK.SSSSS.CCC");
    EXPECT_EQ(Cgi(cgi, "'abc"), "SSSS");  // to the line end without its closing quote
    EXPECT_EQ(Cgi(cgi, "printx print"), ".......KKKKK");
    // The variable after '$' (and a pattern after '/') is skipped to the next
    // white space.
    EXPECT_EQ(Cgi(cgi, "$print print"), ".......KKKKK");
    EXPECT_EQ(Cgi(cgi, "/if/ if"), ".....KK");
    EXPECT_EQ(Cgi(cgi, "$if"), "...");
    // The byte right after a keyword is not examined.
    EXPECT_EQ(Cgi(cgi, "print\"a\""), "KKKKK..S");
    EXPECT_EQ(Cgi(cgi, ""), "");
}

TEST(CgiColorTest, DoubleByteCharactersAreNeverTakenApart) {
    const editor::CgiColorizer cgi(Table({"print", "a"}), editor::CgiColors{kK, kC, kS});
    // ソ is 83 5C: its trail byte is no backslash that would skip "print".
    EXPECT_EQ(Cgi(cgi, "ソ print"), "...KKKKK");
    // ア is 83 41: its trail byte is no letter "a" starting a keyword.
    EXPECT_EQ(Cgi(cgi, "ア a"), "...K");
    // 亜 ends in 0x9F, which looks like a lead byte; the letter x before
    // "print" still joins it to a longer word.
    EXPECT_EQ(Cgi(cgi, "亜xprint"), "........");
    // After a double-byte character a keyword starts.
    EXPECT_EQ(Cgi(cgi, "表print"), "..KKKKK");
    // The character passed over after a keyword is a whole character.
    EXPECT_EQ(Cgi(cgi, "printア'x'"), "KKKKK..SSS");
    // A string holding double-byte characters ends at its own quote.
    EXPECT_EQ(Cgi(cgi, "'ソ表' print"), "SSSSSS.KKKKK");
    EXPECT_EQ(Cgi(cgi, "\\表 print"), "....KKKKK");
    EXPECT_EQ(Cgi(cgi, "print\x82"), "KKKKK.");
}

std::string User(const editor::UserColorizer& user, const std::string& text) {
    return Paint([&](const char* l, int n, int p, editor::Color* c) { return user.ColorLine(l, n, p, c); }, text);
}

editor::UserColorizer MakeUser(std::initializer_list<const char*> words, const std::string& headline,
                               const std::string& comment) {
    return editor::UserColorizer(Table(words), editor::UserColors{kK, kL, kH}, headline, comment);
}

TEST(UserColorTest, HeadlinesCommentsAndKeywords) {
    const auto user = MakeUser({"int", "+="}, "*", "//");
    EXPECT_EQ(User(user, "*abc"), "HHHH");
    EXPECT_EQ(User(user, "*"), "H");
    EXPECT_EQ(User(user, "a*b"), "...");
    EXPECT_EQ(User(user, "int x; // c"), "KKK....LLLL");
    EXPECT_EQ(User(user, "// int"), "LLLLLL");
    // Keywords are tried at every position, not only at letters.
    EXPECT_EQ(User(user, "a += b"), "..KK..");
    EXPECT_EQ(User(MakeUser({"int"}, "REM", ""), "rem int"), "HHHHHHH");  // markers ignore case
    EXPECT_EQ(User(MakeUser({"int"}, "", ""), "int"), "KKK");
}

TEST(UserColorTest, MarkersLongerThanTheLineOrSplittingCharacters) {
    EXPECT_EQ(User(MakeUser({}, "#####", "/////////"), "##"), "..");
    EXPECT_EQ(User(MakeUser({}, "#####", ""), "#####x"), "HHHHHH");
    EXPECT_EQ(User(MakeUser({}, "", "/////////"), "a////////"), ".........");
    // A backslash marker is not found in the trail byte of 表 (95 5C).
    EXPECT_EQ(User(MakeUser({}, "", "\\"), "表示\\c"), "....LL");
    // Double-byte markers compare exactly: ア (83 41) is not ヂ (83 61).
    EXPECT_EQ(User(MakeUser({}, "ア", ""), "ヂx"), "...");
    EXPECT_EQ(User(MakeUser({}, "■", ""), "■見出し"), "HHHHHHHH");
    // A marker ending in a single byte does not pair with a lead byte.
    EXPECT_EQ(User(MakeUser({}, "", "a"), "\x82" "a"), "..");
}

TEST(CgiUserColorTest, RandomLinesStayInsideTheLine) {
    const editor::CgiColorizer cgi(Table({"print", "a", "if"}), editor::CgiColors{kK, kC, kS});
    const auto user = MakeUser({"print", "a", "+="}, "##", "//");
    std::mt19937 rng(7);
    const char alphabet[] = "!$%/\\\"'# =+apifrnt\x81\x82\x95\x5c\x83\x41\xe0\x9f";
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int n = static_cast<int>(rng() % 20);
        for (int k = 0; k < n; ++k) text += alphabet[rng() % (sizeof alphabet - 1)];
        ASSERT_EQ(Cgi(cgi, text).find('!'), std::string::npos) << text;
        ASSERT_EQ(User(user, text).find('!'), std::string::npos) << text;
    }
}

// Parts of long lines coloured in the editor from resume places agree with
// the whole line coloured from its start, while edits move or drop the
// places: for CGI and for a user mode, whose places may lie inside strings,
// skipped variables and after double-byte characters.
TEST(CgiUserColorTest, PartsOfLongLinesFromResumePlacesAgreeWithTheWholeLine) {
    const auto cgi = std::make_shared<editor::CgiColorizer>(Table({"print", "if"}), editor::CgiColors{kK, kC, kS});
    const auto user = std::make_shared<editor::UserColorizer>(MakeUser({"print", "+="}, "##", "//"));
    const std::string pieces[] = {"print ", "if(", "\"ab ", "'", "$x ", "/p/ ", "\x95\x5C", "\x83\x41",
                                  "# ", "//", "+=", " ", "\\", "##", "a", "\""};
    struct Mode {
        editor::ColorLineFn line;
        editor::ColorPartFn part;
    };
    const Mode modes[] = {
        {[cgi](const char* l, int n, int p, editor::Color* c) { return cgi->ColorLine(l, n, p, c); },
         [cgi](const char* l, int n, int p, const editor::ColorResume* s, int f, int t, editor::Color* c,
               std::vector<editor::ColorResume>* r, int step) { return cgi->ColorPart(l, n, p, s, f, t, c, r, step); }},
        {[user](const char* l, int n, int p, editor::Color* c) { return user->ColorLine(l, n, p, c); },
         [user](const char* l, int n, int p, const editor::ColorResume* s, int f, int t, editor::Color* c,
                std::vector<editor::ColorResume>* r, int step) { return user->ColorPart(l, n, p, s, f, t, c, r, step); }},
    };
    for (const Mode& mode : modes) {
        std::mt19937 rng(11);
        // Comments come only with the edits, so that most of a line is worth colouring.
        auto randomText = [&](int size) {
            std::string t;
            while (static_cast<int>(t.size()) < size) {
                const std::string& p = pieces[rng() % 16];
                if (p != "# " && p != "//" && p != "##") t += p;
            }
            return t;
        };
        editor::EditorModel m;
        m.SetColorFunctions(mode.line, [](const char*, int, int) { return 0; });
        m.SetColorPart(mode.part);
        const std::string text = randomText(30000) + "\r\n" + randomText(20000);
        ASSERT_TRUE(m.SetText(text.data(), text.size()));
        int resumed = 0;
        for (int round = 0; round < 150; ++round) {
            const int n = static_cast<int>(rng() % 2);
            const int length = m.LineLength(n);
            const char* bytes = m.Store().LineText(n);
            std::vector<editor::Color> whole(static_cast<std::size_t>(length) + 1, kText);
            mode.line(bytes, length, -1, whole.data());
            const int from = static_cast<int>(rng() % static_cast<unsigned>(length));
            const int to = std::min(length, from + 1 + static_cast<int>(rng() % 300));
            std::vector<editor::Color> part(static_cast<std::size_t>(to - from) + 1, kText);
            EXPECT_EQ(m.ColorLinePart(n, from, to, part.data()), 0);
            for (int k = from; k < to; ++k)
                ASSERT_EQ(part[static_cast<std::size_t>(k - from)], whole[static_cast<std::size_t>(k)]) << round << ' ' << k;
            resumed = std::max(resumed, m.ColorResumeCount(n));
            if (round % 3 == 2) {
                const int line = static_cast<int>(rng() % 2);
                const std::string& piece = pieces[rng() % 16];
                const int at = m.Store().BoundaryIn(line, static_cast<int>(rng() % static_cast<unsigned>(m.LineLength(line) + 1)), false);
                ASSERT_TRUE(m.ReplaceBytes(editor::BytePos{at, line}, editor::BytePos{-1, 0}, piece.data(), piece.size(), true, nullptr));
            }
        }
        EXPECT_GT(resumed, 2);
    }
}

}  // namespace
