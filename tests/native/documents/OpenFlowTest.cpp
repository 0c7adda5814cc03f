// Opening a file into a tab: which tab takes it, read-only files, and what
// each failure leaves behind.
#include "documents/core/OpenFlow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using docs::Cause;

struct FakeFile : docs::IOpeningFile {
    std::string bytes = "text\r\n";
    Cause hold = Cause::None;
    bool readFails = false;
    bool held = false, heldDenyNone = false;
    std::string Path() const override { return std::string(); }
    std::string TabText() const override { return std::string(); }
    bool IsReadOnly() const override { return false; }
    bool IsModified() const override { return false; }
    bool PrepareBytes(std::string*, int*) override { return false; }
    void Saved(const std::string&, int, bool) override {}
    void ReleaseFile() override { held = false; }
    Cause HoldFile(const std::string&, bool denyNone) override {
        if (hold != Cause::None) return hold;
        held = true;
        heldDenyNone = denyNone;
        return Cause::None;
    }
    bool ReadAll(std::string* out) override {
        if (readFails) return false;
        *out = bytes;
        return true;
    }
};

struct FakeTabs : docs::IOpenTabs {
    struct Tab {
        std::string name, path, text;
        bool modified = false, readOnly = false, readOnlyImage = false;
    };
    std::vector<Tab> tabs;
    int shown = -2;
    bool addFails = false, fillFails = false;
    std::vector<std::string> Paths() const override {
        std::vector<std::string> p;
        for (const Tab& t : tabs) p.push_back(t.path);
        return p;
    }
    void Show(int index) override { shown = index; }
    bool FirstModified() const override { return tabs[0].modified; }
    void TakeFirst(const std::string& name) override { tabs[0].name = name; }
    bool AddLast(const std::string& name, bool) override {
        if (addFails) return false;
        tabs.push_back(Tab{name});
        return true;
    }
    bool Fill(docs::IOpeningFile&, const std::string& path, int, const std::string& text, bool readOnly) override {
        Tab& t = tabs.back();
        t.path = path;
        t.text = fillFails ? "" : text;
        t.readOnly = fillFails || readOnly;
        return !fillFails;
    }
    void ShowSelected() override { shown = -1; }
    void MarkLastReadOnly() override { tabs.back().readOnlyImage = true; }
};

struct FakeUser : docs::IFlowPrompts {
    std::vector<std::string> errors;
    bool ChooseSavePath(const std::string&, std::string*) override { return false; }
    bool ConfirmOverwrite(const std::string&) override { return false; }
    void ShowError(const std::string& t) override { errors.push_back(t); }
    docs::Answer Ask(const std::string&) override { return docs::Answer::Cancel; }
};

const char kPath[] = "C:\\site\\表.html";

TEST(OpenFlowTest, TheFileGoesToTheOnlyUntitledTabOrANewOne) {
    struct Case {
        const char* name;
        std::vector<FakeTabs::Tab> before;
        std::size_t tabsAfter;
        const char* lastName;
    };
    const Case cases[] = {
        {"untitled, unmodified: taken", {{"無題1"}}, 1, "表.html"},
        {"untitled, modified: kept", {{"無題1", "", "", true}}, 2, "表.html"},
        {"a file: kept", {{"a.html", "C:\\a.html"}}, 2, "表.html"},
        {"two untitled: kept", {{"無題1"}, {"無題2"}}, 3, "表.html"},
    };
    for (const Case& c : cases) {
        FakeTabs tabs;
        tabs.tabs = c.before;
        FakeFile file;
        FakeUser user;
        EXPECT_TRUE(docs::OpenInTab(tabs, file, kPath, false, false, user)) << c.name;
        ASSERT_EQ(tabs.tabs.size(), c.tabsAfter) << c.name;
        EXPECT_EQ(tabs.tabs.back().name, c.lastName) << c.name;
        EXPECT_EQ(tabs.tabs.back().text, "text\r\n") << c.name;
        EXPECT_EQ(tabs.shown, -1) << c.name;
        EXPECT_TRUE(user.errors.empty()) << c.name;
    }
}

TEST(OpenFlowTest, AFileOpenInATabShowsThatTab) {
    FakeTabs tabs;
    tabs.tabs = {{"a.html", "C:\\a.html"}, {"表.html", "c:\\SITE\\表.html"}};
    FakeFile file;
    FakeUser user;
    EXPECT_TRUE(docs::OpenInTab(tabs, file, kPath, false, false, user));
    EXPECT_EQ(tabs.shown, 1);
    EXPECT_FALSE(file.held);
    EXPECT_EQ(tabs.tabs.size(), 2u);
}

TEST(OpenFlowTest, ReadOnlyFilesAndFailures) {
    // Read-only asked: held deny-none; opened without selecting: the image.
    {
        FakeTabs tabs;
        tabs.tabs = {{"a.html", "C:\\a.html"}};
        FakeFile file;
        FakeUser user;
        EXPECT_TRUE(docs::OpenInTab(tabs, file, kPath, true, true, user));
        EXPECT_TRUE(file.heldDenyNone);
        EXPECT_TRUE(tabs.tabs.back().readOnly);
        EXPECT_TRUE(tabs.tabs.back().readOnlyImage);
        EXPECT_EQ(tabs.shown, -2);
    }
    // NUL bytes cannot be written back: read-only after a message.
    {
        FakeTabs tabs;
        FakeFile file;
        file.bytes = std::string("a\0b", 3);
        FakeUser user;
        EXPECT_TRUE(docs::OpenInTab(tabs, file, kPath, false, false, user));
        EXPECT_TRUE(tabs.tabs.back().readOnly);
        ASSERT_EQ(user.errors.size(), 1u);
        EXPECT_EQ(user.errors[0].rfind(kPath, 0), 0u);
    }
    // Failures: no tab is added before the file is read; a text that finds no
    // memory leaves the tab read-only with a message.
    for (int failure = 0; failure < 4; ++failure) {
        FakeTabs tabs;
        tabs.tabs = {{"a.html", "C:\\a.html"}};
        FakeFile file;
        FakeUser user;
        if (failure == 0) file.hold = Cause::NotFound;
        if (failure == 1) file.readFails = true;
        if (failure == 2) tabs.addFails = true;
        if (failure == 3) tabs.fillFails = true;
        EXPECT_FALSE(docs::OpenInTab(tabs, file, kPath, false, false, user)) << failure;
        EXPECT_EQ(tabs.tabs.size(), failure == 3 ? 2u : 1u) << failure;
        EXPECT_EQ(user.errors.size(), failure == 0 || failure == 3 ? 1u : 0u) << failure;
        if (failure == 3) {
            EXPECT_TRUE(tabs.tabs.back().readOnly);
            EXPECT_EQ(tabs.shown, -1);
        }
    }
}

}  // namespace
