// Input assist: contexts over a real editor, the assist-file reader, the file
// a document uses, the pick list's size and place, and what is replaced.
#include <gtest/gtest.h>

#include <string>

#include "editor/core/InputAssist.h"
#include "native/editor/EditorTestSupport.h"

namespace {

using namespace editor::assist;
using editortest::Fixture;

// The text is set and the caret goes to the "|" (removed from the text).
std::string SectionAt(Kind kind, std::string text) {
    Fixture f;
    const std::size_t at = text.find('|');
    text.erase(at, 1);
    f.ed.SetText(text);
    f.Select(static_cast<long long>(at), static_cast<long long>(at));
    return SectionFor(kind, f.ed);
}

TEST(AssistContextTest, InputAssistTakesTheLastSingleByteCharacter) {
    const struct { const char* text; const char* section; } cases[] = {
        {"<|", "<"},
        {"abc&|", "&"},
        {"\x93\xfa\x96\x7b\x8c\xea<|", "<"},  // 日本語< : 8C EA 3C
        {"\x83\x81<|", "<"},                  // メ< : 83 81 3C
        {"\x95\x5c<|", "<"},                  // 表< : 95 5C 3C
        {"\x82\xa0|", ""},                    // あ
        {"\x95\x5c|", ""},                    // 表 ends in 0x5C
        {"|", ""},
        {"<\r\n|x", ""},  // the line above does not count
        {"a<|b", "<"},
    };
    for (const auto& c : cases) EXPECT_EQ(SectionAt(Kind::Input, c.text), c.section) << c.text;
}

TEST(AssistContextTest, AttributeAssistFindsTheStartTagTheCaretIsIn) {
    const std::string name40(40, 'x');
    // 31 letters then 表: the character crosses byte 32 and is left out.
    const std::string across = std::string(31, 'y') + "\x95\x5c" + "z";
    const struct { std::string text; std::string section; } cases[] = {
        {"<a |", "a"},
        {"<a|", ""},  // no blank before the caret
        {"<a\t|", "a"},
        {"<  table border=1 |", "table"},
        {"</a |", ""},
        {"<a> |", ""},
        {"< |", ""},  // empty name
        {"<\r\n |", ""},  // "<" alone on the line above
        {"<" + name40 + " |", std::string(32, 'x')},
        {"<" + across + " |", std::string(31, 'y')},
        {"<img\r\n\r\nsrc=\"a.png\"\r\n\r\n |", "img"},
        {"<p>\r\ntext |", ""},
        {"no tag at all |", ""},
        {"<a href=\"\x95\x5c>\" |", ""},  // 0x3E is never a trail byte: the tag has ended
        {"\x83\x5c<b |", "b"},            // ソ then a tag
    };
    for (const auto& c : cases) EXPECT_EQ(SectionAt(Kind::Attribute, c.text), c.section) << c.text;
}

TEST(AssistContextTest, ValueAssistJoinsElementAndAttribute) {
    const struct { std::string text; std::string section; } cases[] = {
        {"<a href=|", "a::href"},
        {"<a href =|", "a::href"},
        {"<input type=\"text\" name=|", "input::name"},
        {"<meta\r\n\r\n http-equiv=|", "meta::http-equiv"},
        {"<a href|", ""},
        {"<a =|", ""},
        {"<a>href=|", ""},
        {"href=|", ""},  // no blank before the word: gives up at the line start
        {"</a href=|", ""},
        {"<a \x95\x5chref=|", ""},  // the word after the blank does not start with a name
        {"<td " + std::string(40, 'q') + "=|", "td::" + std::string(32, 'q')},
    };
    for (const auto& c : cases) EXPECT_EQ(SectionAt(Kind::Value, c.text), c.section) << c.text;
}

TEST(AssistContextTest, TheTriggerIsTheOnlyByteReplaced) {
    const struct { std::string line; long long caret; long long start, end; bool ok; } cases[] = {
        {"<", 10, 9, 10, true},
        {"", 12, 12, 12, false},  // first column after a CR LF: nothing before the caret
        {"\x82\xa0", 5, 5, 5, false},
        {"\x83\x81<", 3, 2, 3, true},
    };
    for (const auto& c : cases) {
        long long s = -1, e = -1;
        EXPECT_EQ(TriggerRange(c.line, c.caret, &s, &e), c.ok) << c.line;
        EXPECT_EQ(s, c.start);
        EXPECT_EQ(e, c.end);
    }
    // With a selection in either direction the caret's side decides.
    for (bool backwards : {false, true}) {
        Fixture f;
        f.ed.SetText("ab<cd\r\nx");
        if (backwards) f.Select(5, 3); else f.Select(0, 3);
        std::string line;
        f.ed.GetLine(f.ed.GetCaretLine(), line, false);
        long long s = 0, e = 0;
        long long caret = 3;
        ASSERT_TRUE(TriggerRange(line, caret, &s, &e));
        f.Select(s, e);
        f.ed.ReplaceSelection("<a ", true);
        EXPECT_EQ(f.Text(), "ab<a cd\r\nx");
        f.ed.Undo();
        EXPECT_EQ(f.Text(), "ab<cd\r\nx");
    }
}

// --- Reader -------------------------------------------------------------------------

TEST(AssistReaderTest, ReadsAsThePrivateProfileFunctions) {
    const ProfileText p(
        "junk=1\r\n"
        "[Sec]\r\n"
        "  Key One  =  value  \r\n"
        "key one=second\r\n"
        "q1=\"  quoted  \"\r\n"
        "q2='single'\r\n"
        "q3=\"\"x\"\"\r\n"
        "q4=\"half\r\n"
        "no equals here\r\n"
        "empty=\r\n"
        "[ sec ]\r\n"
        "late=1\n"
        "[Other]\n"
        "a=\x95\x5c]=\n");
    EXPECT_EQ(p.Get("SEC", "key one"), "value");
    EXPECT_EQ(p.Get("sec", "Q1"), "  quoted  ");
    EXPECT_EQ(p.Get("sec", "q2"), "single");
    EXPECT_EQ(p.Get("sec", "q3"), "\"x\"");
    EXPECT_EQ(p.Get("sec", "q4"), "\"half");
    EXPECT_EQ(p.Find("sec", "no equals here"), nullptr);
    ASSERT_NE(p.Find("sec", "empty"), nullptr);
    EXPECT_EQ(p.Find("sec", "late"), nullptr);  // the first section of a name wins
    EXPECT_EQ(p.Find("sec", "junk"), nullptr);
    EXPECT_EQ(p.Get("other", "a"), "\x95\x5c]=");
    EXPECT_FALSE(p.HasSection("missing"));
    EXPECT_TRUE(p.Entries("missing").empty());
    EXPECT_EQ(ProfileInt(" -12x"), -12);
    EXPECT_EQ(ProfileInt("x"), 0);
}

TEST(AssistReaderTest, EntriesFollowReferencesOneLevelDeep) {
    const std::string word64 = std::string(62, 'w') + "\x82\xa0";  // あ crosses byte 63
    const ProfileText p(
        "[a]\n"
        "Image0=0\nWord0=href=\nComment0=link\n"
        "Image1=1\nWord1=@common\nComment1=ignored\n"
        "Image2=2\nWord2=" + word64 + "\nComment2=" + std::string(130, 'c') + "\n"
        "Image3=3\nWord3=\nComment3=stop\n"
        "Image4=4\nWord4=never\n"
        "[@common]\n"
        "Word0=id=\nComment0=identifier\n"
        "Word1=@common\nComment1=self\n"
        "Word2=class=\n"
        "Word4=skipped\n"
        "[b]\nWord0=no image\n");
    const std::vector<Entry> e = p.Entries("A");
    ASSERT_EQ(e.size(), 5u);
    EXPECT_EQ(e[0].word, "href=");
    EXPECT_EQ(e[0].comment, "link");
    EXPECT_EQ(e[1].word, "id=");
    EXPECT_EQ(e[1].image, 1);
    EXPECT_EQ(e[1].comment, "identifier");
    EXPECT_EQ(e[2].word, "@common");  // taken as it stands: no loop
    EXPECT_EQ(e[3].word, "class=");
    EXPECT_EQ(e[3].comment, "");
    EXPECT_EQ(e[4].word, std::string(62, 'w'));
    EXPECT_EQ(e[4].comment.size(), 127u);
    EXPECT_TRUE(p.Entries("b").empty());
}

TEST(AssistReaderTest, CrLfAndLfFilesReadAlike) {
    const std::string lf = "[<]\nImage0=0\nWord0=<a \nComment0=\x83\x8a\x83\x93\x83\x4e\n";
    std::string crlf;
    for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    for (const std::string& text : {lf, crlf}) {
        const std::vector<Entry> e = ProfileText(text).Entries("<");
        ASSERT_EQ(e.size(), 1u);
        EXPECT_EQ(e[0].word, "<a");  // blanks around values are trimmed
        EXPECT_EQ(e[0].comment, "\x83\x8a\x83\x93\x83\x4e");
    }
}

TEST(AssistReaderTest, TheCacheReadsAFileAgainOnlyWhenItHasChanged) {
    ProfileCache cache;
    int reads = 0;
    std::string onDisk = "[s]\nk=1\n";
    bool readable = true;
    const auto read = [&](std::string& bytes) {
        ++reads;
        bytes = onDisk;
        return readable;
    };
    using Stamp = ProfileCache::Stamp;
    const struct { const char* path; Stamp stamp; const char* content; bool readable; int reads; const char* value; } steps[] = {
        {"C:\\A\\HTML.ast", {10, 100}, "[s]\nk=1\n", true, 1, "1"},
        {"c:\\a\\html.AST", {10, 100}, "[s]\nk=2\n", true, 1, "1"},  // same file, unchanged
        {"C:\\A\\HTML.ast", {10, 101}, "[s]\nk=3\n", true, 2, "3"},  // written again
        {"C:\\A\\HTML.ast", {11, 101}, "[s]\nk=44\n", true, 3, "44"},  // another size
        {"C:\\A\\HTML.ast", {12, 102}, "", false, 4, nullptr},         // cannot be read
        {"C:\\A\\HTML.ast", {12, 102}, "[s]\nk=5\n", true, 5, "5"},  // a failure is not kept
    };
    for (const auto& st : steps) {
        onDisk = st.content;
        readable = st.readable;
        const std::shared_ptr<const ProfileText> text = cache.Get(st.path, st.stamp, read);
        EXPECT_EQ(reads, st.reads) << st.content;
        if (!st.value) {
            EXPECT_EQ(text, nullptr);
        } else {
            ASSERT_NE(text, nullptr);
            EXPECT_EQ(text->Get("s", "k"), st.value);
        }
    }
    // The least recently used file gives way to a new one beyond kFiles.
    for (std::size_t i = 0; i < ProfileCache::kFiles; ++i) cache.Get("f" + std::to_string(i), Stamp{1, 1}, read);
    const int before = reads;
    cache.Get("C:\\A\\HTML.ast", Stamp{12, 102}, read);
    cache.Get("f" + std::to_string(ProfileCache::kFiles - 1), Stamp{1, 1}, read);
    EXPECT_EQ(reads, before + 1);
}

// --- Which file -------------------------------------------------------------------

TEST(AssistFileTest, TheExtensionChoosesTheFile) {
    const std::string html = "htm;html;shtml;", cgi = "cgi;pl;pm;";
    const struct { const char* ext; const char* html; const char* file; } cases[] = {
        {"HTM", "htm;html;shtml;", "HTML.ast"},
        {"cgi", "htm;html;shtml;", "CGI.ast"},
        {"pl", "htm;html;shtml;", "CGI.ast"},
        {"css", "htm;html;shtml;", "Common.ast"},
        {"html", "htm;html;shtml;", "HTML.ast"},  // untitled
        {"", "htm;html;shtml;", "HTML.ast"},      // no extension: ";;"
        {"php", "htm;html;shtml;php;", "HTML.ast"},
        {"php", "htm;html;shtml;", "Common.ast"},
    };
    for (const auto& c : cases) EXPECT_EQ(InputFileFor(c.ext, c.html, cgi), c.file) << c.ext;
    EXPECT_EQ(FileFor(Kind::Attribute, "CGI.ast"), "HTML element.ast");
    EXPECT_EQ(FileFor(Kind::Value, "CGI.ast"), "HTML attribute.ast");
    EXPECT_EQ(FileFor(Kind::Input, "CGI.ast"), "CGI.ast");
}

// --- Geometry -----------------------------------------------------------------------

TEST(AssistListTest, SizeAndPlace) {
    ListMetrics m;
    m.rowHeight = 17;
    m.rowWidth = 100;
    m.edgeX = m.edgeY = 2;
    m.vScrollWidth = 16;
    const struct { int entries, width, height; bool bar; } sizes[] = {
        {1, 106, 27, false}, {10, 106, 180, false}, {11, 122, 180, true}};
    for (const auto& s : sizes) {
        const ListRect r = ListSize(s.entries, m);
        EXPECT_EQ(r.width, s.width);
        EXPECT_EQ(r.height, s.height);
        EXPECT_EQ(r.scrollBar, s.bar);
    }
    ListRect r = ListSize(10, m);  // 106 x 180
    const struct { int cx, cy, cw, ch, x, y; } places[] = {
        {10, 20, 500, 400, 10, 20},
        {450, 20, 500, 400, 344, 20},   // right edge: left of the caret
        {10, 300, 500, 400, 10, 120},   // bottom edge: above
        {450, 300, 500, 400, 344, 120},
        {50, 60, 100, 100, 50, 0},      // editor smaller than the list: stays inside
        {5, 5, 100, 100, 5, 0},
    };
    for (const auto& p : places) {
        const ListRect q = PlaceList(r, p.cx, p.cy, p.cw, p.ch);
        EXPECT_EQ(q.x, p.x) << p.cx << "," << p.cy;
        EXPECT_EQ(q.y, p.y) << p.cx << "," << p.cy;
    }
}

}  // namespace
