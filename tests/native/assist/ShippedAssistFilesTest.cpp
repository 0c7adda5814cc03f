// The assist files we ship: each parses within the limits, every reference
// resolves, and the words agree with the keyword files.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "editor/core/InputAssist.h"

namespace {

using namespace editor::assist;

std::string ReadFile(const std::string& relative) {
    std::ifstream in(std::string(PQ_SOURCE_DIR) + "/resources/" + relative, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::set<std::string> Keywords(const char* name) {
    std::istringstream in(ReadFile(std::string("Keyword/") + name));
    std::set<std::string> out;
    std::string w;
    while (in >> w) out.insert(w);
    return out;
}

const char* const kFiles[] = {"HTML.ast", "Common.ast", "CGI.ast", "HTML element.ast", "HTML attribute.ast"};

TEST(ShippedAssistFilesTest, EachFileParsesWithinItsLimits) {
    for (const char* name : kFiles) {
        const std::string bytes = ReadFile(std::string("Assist/") + name);
        ASSERT_FALSE(bytes.empty()) << name;
        for (std::size_t i = 0; i < bytes.size(); ++i)
            if (bytes[i] == '\n') ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << name << " at " << i;
        const ProfileText p(bytes);
        const int cells = std::string(name).rfind("HTML ", 0) == 0 ? kAttributeStripCells : kInputStripCells;
        for (const std::string& section : p.Sections()) {
            if (section[0] == '@') {
                for (int n = 0; !p.Get(section, "Word" + std::to_string(n)).empty(); ++n) {
                    const std::string w = p.Get(section, "Word" + std::to_string(n));
                    EXPECT_NE(w[0], '@') << name << " " << section;
                    EXPECT_LE(w.size(), kMaxWord);
                    EXPECT_FALSE(p.Get(section, "Comment" + std::to_string(n)).empty()) << name << " " << w;
                }
                continue;
            }
            for (int n = 0; p.Find(section, "Image" + std::to_string(n)); ++n) {
                const std::string num = std::to_string(n);
                const std::string word = p.Get(section, "Word" + num);
                ASSERT_FALSE(word.empty()) << name << " [" << section << "] " << n;
                EXPECT_LE(word.size(), kMaxWord) << word;
                EXPECT_LE(p.Get(section, "Comment" + num).size(), kMaxComment) << word;
                const int image = ProfileInt(p.Get(section, "Image" + num));
                EXPECT_TRUE(image >= 0 && image < cells) << name << " " << word;
                if (word[0] == '@')
                    EXPECT_TRUE(p.HasSection(word)) << name << " " << word;
                else
                    EXPECT_FALSE(p.Get(section, "Comment" + num).empty()) << name << " " << word;
            }
            const std::vector<Entry> e = p.Entries(section);
            EXPECT_FALSE(e.empty()) << name << " [" << section << "]";
        }
    }
}

TEST(ShippedAssistFilesTest, InputSectionsChainTheCommands) {
    const ProfileText html(ReadFile("Assist/HTML.ast"));
    EXPECT_EQ(ReadFile("Assist/HTML.ast"), ReadFile("Assist/Common.ast"));
    bool hasA = false, hasNbsp = false;
    for (const Entry& e : html.Entries("<")) hasA |= e.word == "<a ";
    for (const Entry& e : html.Entries("&")) hasNbsp |= e.word == "&nbsp;";
    EXPECT_TRUE(hasA);
    EXPECT_TRUE(hasNbsp);
    EXPECT_EQ(html.Entries("&").size(), 252u);  // every named reference of HTML 4.01
    EXPECT_EQ(html.Entries("#").size(), 16u);
    const ProfileText attrs(ReadFile("Assist/HTML attribute.ast"));
    bool blank = false;
    for (const Entry& e : attrs.Entries("a::target")) blank |= e.word == "\"_blank\"";
    EXPECT_TRUE(blank);
    for (const char* s : {"input::type", "form::method", "form::enctype", "button::type", "area::shape", "meta::http-equiv",
                          "meta::name", "meta::charset", "link::rel", "link::type", "script::type", "style::type",
                          "body::bgcolor", "font::color", "html::lang", "ol::type", "ul::type", "li::type", "td::valign",
                          "p::align"})
        EXPECT_FALSE(attrs.Entries(s).empty()) << s;
}

TEST(ShippedAssistFilesTest, WordsAgreeWithTheKeywordFiles) {
    // Elements of HTML 4.01 and of the current standard.
    const char* const kStandard =
        "a abbr acronym address applet area article aside audio b base basefont bdi bdo big blockquote body br button "
        "canvas caption center cite code col colgroup data datalist dd del details dfn dialog dir div dl dt em embed "
        "fieldset figcaption figure font footer form frame frameset h1 h2 h3 h4 h5 h6 head header hgroup hr html i "
        "iframe img input ins isindex kbd label legend li link main map mark menu meta meter nav noframes noscript "
        "object ol optgroup option output p param picture pre progress q rp rt ruby s samp script search section "
        "select slot small source span strike strong style sub summary sup table tbody td template textarea tfoot th "
        "thead time title tr track tt u ul var video wbr";
    const std::set<std::string> elementWords = Keywords("HTML element.kwd");
    const std::set<std::string> attributeWords = Keywords("HTML attribute.kwd");
    const ProfileText elements(ReadFile("Assist/HTML element.ast"));
    std::istringstream standard(kStandard);
    std::string el;
    while (standard >> el)
        if (elementWords.count(el)) EXPECT_TRUE(elements.HasSection(el)) << el;

    for (const std::string& section : elements.Sections())
        for (const Entry& e : elements.Entries(section)) {
            ASSERT_FALSE(e.word.empty());
            EXPECT_EQ(e.word.back(), '=') << e.word;
            EXPECT_TRUE(attributeWords.count(e.word.substr(0, e.word.size() - 1))) << section << " " << e.word;
        }

    const ProfileText values(ReadFile("Assist/HTML attribute.ast"));
    for (const std::string& section : values.Sections()) {
        if (section[0] == '@') continue;
        const std::size_t sep = section.find("::");
        ASSERT_NE(sep, std::string::npos) << section;
        const std::string element = section.substr(0, sep), attribute = section.substr(sep + 2) + "=";
        bool listed = false;
        for (const Entry& e : elements.Entries(element)) listed |= e.word == attribute;
        EXPECT_TRUE(listed) << section;
    }

    const std::set<std::string> perl = Keywords("CGI.kwd");
    const ProfileText cgi(ReadFile("Assist/CGI.ast"));
    for (char letter = 'a'; letter <= 'z'; ++letter)
        for (const Entry& e : cgi.Entries(std::string(1, letter)))
            if (e.word.rfind("print \"Content-type", 0) != 0) EXPECT_TRUE(perl.count(e.word)) << e.word;
    EXPECT_FALSE(cgi.Entries("$").empty());
    EXPECT_EQ(cgi.Entries("%").size(), 3u);
}

}  // namespace
