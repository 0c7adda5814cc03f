// The help's index covers every command of the menus and the command table
// and every dialog of the resources, and each entry leads to a place that
// exists: a page of the help file holding the entry's anchor.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "config/core/MenuCommandTable.h"
#include "shell/core/HelpTopics.h"

namespace {

std::string ReadSource(const std::string& relative) {
    std::ifstream in(std::string(PQ_SOURCE_DIR) + "/" + relative, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::set<std::string> Matches(const std::string& text, const std::regex& re) {
    std::set<std::string> found;
    for (std::sregex_iterator it(text.begin(), text.end(), re), end; it != end; ++it) found.insert((*it)[1]);
    return found;
}

const char* const kScripts[] = {"Pembroquil.rc", "about.rc", "assist.rc", "commands.rc",
                                "customize.rc", "itags.rc", "options.rc", "search.rc", "tags.rc"};

std::set<std::string> IndexAnchors() {
    std::set<std::string> anchors;
    for (std::size_t i = 0; i < help::TopicCount(); ++i) anchors.insert(help::TopicAt(i).anchor);
    return anchors;
}

TEST(HelpIndexTest, EveryMenuCommandAndDialogHasAnEntry) {
    const std::set<std::string> index = IndexAnchors();
    // The command table's commands, by their names in the resource header.
    std::map<unsigned, std::string> names;
    const std::string header = ReadSource("resources/resource.h");
    const std::regex define(R"(#define\s+(ID_\w+)\s+(\d+))");
    for (std::sregex_iterator it(header.begin(), header.end(), define), end; it != end; ++it)
        names[static_cast<unsigned>(std::stoul((*it)[2]))] = (*it)[1];
    ASSERT_GT(commands::CommandCount(), 50u);
    for (std::size_t i = 0; i < commands::CommandCount(); ++i) {
        const unsigned id = commands::CommandAt(i);
        ASSERT_TRUE(names.count(id)) << id;
        EXPECT_TRUE(index.count(names[id])) << names[id];
    }
    // Every item of every menu and every dialog of the resource scripts.
    std::set<std::string> items, dialogs;
    for (const char* script : kScripts) {
        const std::string rc = ReadSource(std::string("resources/") + script);
        ASSERT_FALSE(rc.empty()) << script;
        for (const std::string& id : Matches(rc, std::regex(R"(MENUITEM\s+"[^"]*",\s*([A-Z_]\w*))"))) items.insert(id);
        for (const std::string& id : Matches(rc, std::regex(R"((?:^|\n)(\w+)\s+DIALOG(?:EX)?\s)"))) dialogs.insert(id);
    }
    EXPECT_GT(items.size(), 70u);
    EXPECT_GE(dialogs.size(), 13u);
    for (const std::string& id : items) EXPECT_TRUE(index.count(id)) << id;
    for (const std::string& id : dialogs) EXPECT_TRUE(index.count(id)) << id;
}

TEST(HelpIndexTest, EveryEntryLeadsToAnAnchorOfAPageOfTheHelpFile) {
    const std::string project = ReadSource("resources/help/Pembroquil.hhp");
    EXPECT_NE(project.find("Index file=Index.hhk"), std::string::npos);
    const std::string toc = ReadSource("resources/help/toc.hhc");
    std::set<std::string> seen;
    for (std::size_t i = 0; i < help::TopicCount(); ++i) {
        const help::Topic& t = help::TopicAt(i);
        EXPECT_TRUE(seen.insert(t.anchor).second) << "twice: " << t.anchor;
        const std::string page = ReadSource(std::string("resources/help/") + t.page);
        ASSERT_FALSE(page.empty()) << t.page;
        EXPECT_NE(project.find(std::string("\n") + t.page), std::string::npos) << t.page << " not compiled";
        EXPECT_NE(toc.find(std::string("\"") + t.page + "\""), std::string::npos) << t.page << " not in the contents";
        EXPECT_NE(page.find(std::string("<a name=\"") + t.anchor + "\""), std::string::npos)
            << t.page << " has no anchor " << t.anchor;
    }
}

}  // namespace
