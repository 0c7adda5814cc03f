#include "editor/core/KeywordTable.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>

#include "ColorTestUtil.h"

namespace {

using editor::KeywordTable;

KeywordTable Parse(const std::string& bytes) {
    KeywordTable t;
    editor::ParseKeywordText(bytes.data(), bytes.size(), &t);
    return t;
}

TEST(KeywordFileTest, EveryLineEndEndsAKeywordAndEmptyLinesAddNothing) {
    const KeywordTable t = Parse("a\r\nbb\nccc\rdddd\r\n\r\n\n\r\neeeee");
    for (int n = 1; n <= 5; ++n) EXPECT_EQ(t.BucketSize(n), 1) << n;
    EXPECT_TRUE(t.Contains("ccc", 3));
    EXPECT_TRUE(t.Contains("eeeee", 5));
    EXPECT_FALSE(t.Contains("ccc\r", 4));
    // Case and duplicates: one entry, found in any case.
    const KeywordTable u = Parse("TABLE\ntable\nTable\n");
    EXPECT_EQ(u.BucketSize(5), 1);
    EXPECT_TRUE(u.Contains("tAbLe", 5));
    EXPECT_TRUE(Parse("").Empty());
    EXPECT_TRUE(Parse("\r\n\r\n").Empty());
}

TEST(KeywordFileTest, LongLinesAreCutNotSplit) {
    const std::string thirty(30, 'x');
    const KeywordTable t = Parse(thirty + "\r\nab\r\n");
    EXPECT_EQ(t.BucketSize(24), 1);
    EXPECT_EQ(t.BucketSize(6), 0);  // the rest of the line is no keyword of its own
    EXPECT_TRUE(t.Contains(thirty.data(), 24));
    EXPECT_EQ(t.BucketSize(2), 1);
    // A double-byte character across the 24th byte is left out whole.
    const KeywordTable j = Parse(std::string(23, 'y') + "表");
    EXPECT_EQ(j.BucketSize(24), 0);
    EXPECT_EQ(j.BucketSize(23), 1);
}

TEST(KeywordMatchTest, LongestFirstWholeWordsOnly) {
    KeywordTable t;
    for (const char* w : {"td", "tdx", "table", "a"}) t.Add(w);
    auto match = [&](const std::string& text, int i, bool afterDoubleByte = false) {
        colortest::Line line(text);
        return t.Match(line.data(), line.size(), i, afterDoubleByte);
    };
    EXPECT_EQ(match("tdx", 0), 3);
    EXPECT_EQ(match("td>", 0), 2);
    EXPECT_EQ(match("TABLE border", 0), 5);
    EXPECT_EQ(match("tables", 0), 0);  // "table" decides: it fails, "td"/"a" are not tried
    EXPECT_EQ(match("xtable", 1), 0);
    EXPECT_EQ(match("-table", 1), 5);
    EXPECT_EQ(match("a", 0), 1);
    EXPECT_EQ(match("a", 1), 0);        // at the line end
    EXPECT_EQ(match(" a", 0), 0);       // white space ends the run at once
    EXPECT_EQ(match("a表", 0), 1);      // a double-byte character after it
    EXPECT_EQ(match("表a", 2, true), 1);
    EXPECT_EQ(match("xa", 1, false), 0);
    EXPECT_EQ(match("xa", 1, true), 1);  // the caller says a double-byte character is before
}

TEST(KeywordMatchTest, ColoursTheMatchOnly) {
    KeywordTable t;
    t.Add("if");
    colortest::Line line(" if(");
    std::vector<editor::Color> colors(4, 0);
    EXPECT_EQ(editor::MatchKeyword(t, line.data(), line.size(), 1, 7, colors.data(), false), 3);
    EXPECT_EQ(colors, (std::vector<editor::Color>{0, 7, 7, 0}));
    EXPECT_EQ(editor::MatchKeyword(t, line.data(), line.size(), 0, 7, colors.data(), false), 0);
}

class FakeKeywordFiles : public editor::IKeywordFileSource {
public:
    std::map<std::string, std::string> files;
    std::vector<std::string> asked;
    bool ReadKeywordFile(const std::string& name, std::string* bytes) override {
        asked.push_back(name);
        auto it = files.find(name);
        if (it == files.end()) return false;
        *bytes = it->second;
        return true;
    }
};

TEST(KeywordFileTest, LoadingEmptiesFirstAndNeverLeavesTheFolder) {
    FakeKeywordFiles files;
    files.files["HTML element.kwd"] = "a\r\nbody\r\n";
    KeywordTable t;
    t.Add("old");
    editor::LoadKeywordFile(files, "HTML element.kwd", &t);
    EXPECT_TRUE(t.Contains("body", 4));
    EXPECT_FALSE(t.Contains("old", 3));
    editor::LoadKeywordFile(files, "missing.kwd", &t);
    EXPECT_TRUE(t.Empty());
    t.Add("x");
    editor::LoadKeywordFile(files, "", &t);
    EXPECT_TRUE(t.Empty());
    files.asked.clear();
    for (const char* bad : {"..\\evil.kwd", "C:evil.kwd", "sub/evil.kwd", ".."}) editor::LoadKeywordFile(files, bad, &t);
    EXPECT_TRUE(files.asked.empty());
    EXPECT_TRUE(editor::IsPlainFileName("表.kwd"));  // the trail byte 0x5C is no separator
}

TEST(KeywordFileTest, ReadsFromTheKeywordFolderOfTheProgramFolder) {
    char tmpl[] = "/tmp/pqkwdXXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    const std::string folder = std::string(tmpl) + "/";
    ASSERT_EQ(system(("mkdir -p '" + folder + "Keyword'").c_str()), 0);
    {
        std::ofstream out(folder + "Keyword/CGI.kwd", std::ios::binary);
        out << "print\r\nmy\r\n";
    }
    editor::KeywordFolder kw(folder);
    EXPECT_EQ(kw.PathOf("CGI.kwd"), folder + "Keyword/CGI.kwd");
    KeywordTable t;
    editor::LoadKeywordFile(kw, "CGI.kwd", &t);
    EXPECT_TRUE(t.Contains("print", 5));
    EXPECT_TRUE(t.Contains("my", 2));
    editor::LoadKeywordFile(kw, "none.kwd", &t);
    EXPECT_TRUE(t.Empty());
    // Writing replaces the whole file; names that leave the folder are refused.
    ASSERT_TRUE(kw.WriteKeywordFile("タグ.kwd", "body\r\n"));
    ASSERT_TRUE(kw.WriteKeywordFile("タグ.kwd", "p\r\n"));
    editor::LoadKeywordFile(kw, "タグ.kwd", &t);
    EXPECT_TRUE(t.Contains("p", 1));
    EXPECT_FALSE(t.Contains("body", 4));
    EXPECT_FALSE(kw.WriteKeywordFile("../out.kwd", "x"));
    EXPECT_FALSE(editor::KeywordFolder(folder + "nofolder/").WriteKeywordFile("a.kwd", "x"));
    EXPECT_EQ(editor::KeywordFileNameFor("tags"), "tags.kwd");
    EXPECT_EQ(editor::KeywordFileNameFor("list.KWD"), "list.KWD");
    EXPECT_EQ(editor::KeywordFileNameFor("a.txt"), "a.txt.kwd");
    EXPECT_EQ(editor::KeywordFolder("C:\\表").PathOf("a.kwd"), "C:\\表\\Keyword\\a.kwd");
    EXPECT_EQ(editor::KeywordFolder("C:\\Pq\\").PathOf("a.kwd"), "C:\\Pq\\Keyword\\a.kwd");
    ASSERT_EQ(system(("rm -rf '" + folder + "'").c_str()), 0);
}

// The keyword files the program ships: Shift JIS text with CRLF line ends,
// no keyword longer than a bucket holds, and the names a page or a script
// uses most.
TEST(KeywordFileTest, ShippedFilesHoldHtmlAndPerl) {
    editor::KeywordFolder folder(std::string(PQ_SOURCE_DIR) + "/resources/");
    struct Expect {
        const char* file;
        std::vector<const char*> words;
    };
    const Expect expects[] = {
        {"HTML element.kwd", {"html", "body", "table", "td", "a", "img", "font", "center", "marquee", "section",
                              "video", "template", "h1", "wbr", "frameset"}},
        {"HTML attribute.kwd", {"href", "src", "alt", "class", "bgcolor", "cellpadding", "http-equiv", "onclick",
                                "colspan", "async", "srcset", "crossorigin", "loading", "onbeforeunload"}},
        {"CGI.kwd", {"print", "my", "foreach", "sub", "use", "require", "local", "chomp", "split", "join", "open",
                     "sprintf", "wantarray", "elsif", "unless", "qw"}},
    };
    for (const Expect& e : expects) {
        std::string bytes;
        ASSERT_TRUE(folder.ReadKeywordFile(e.file, &bytes)) << e.file;
        KeywordTable t;
        editor::ParseKeywordText(bytes.data(), bytes.size(), &t);
        for (const char* w : e.words) EXPECT_TRUE(t.Contains(w, static_cast<int>(std::strlen(w)))) << e.file << " " << w;
        // Every line ends in CRLF, and none is cut.
        std::size_t start = 0, lines = 0;
        while (start < bytes.size()) {
            const std::size_t end = bytes.find("\r\n", start);
            ASSERT_NE(end, std::string::npos) << e.file;
            EXPECT_GT(end, start) << e.file;
            EXPECT_LE(end - start, 24u) << e.file;
            EXPECT_EQ(bytes.find('\n', start), end + 1) << e.file;
            start = end + 2;
            ++lines;
        }
        int stored = 0;
        for (int n = 1; n <= KeywordTable::kMaxLength; ++n) stored += t.BucketSize(n);
        EXPECT_EQ(static_cast<std::size_t>(stored), lines) << e.file << ": a keyword twice";
    }
}

}  // namespace
