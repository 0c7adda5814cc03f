// Find, replace one and replace all on a real editor model.
#include <gtest/gtest.h>

#include "editor/core/EditorModel.h"
#include "search/core/Search.h"
#include "../editor/EditorTestSupport.h"

namespace {

using search::FindOptions;

std::string Text(const editor::EditorModel& m) {
    std::string s;
    m.GetText(s);
    return s;
}

std::string Selected(const editor::EditorModel& m) {
    std::string s;
    m.GetSelectedText(s);
    return s;
}

TEST(SearchTest, FindsFromTheCaretAndOnFollowingLinesWithoutWrapping) {
    editor::EditorModel m;
    m.SetText("abc abc\r\nxyz\r\nzabc\r\n");
    m.SetSelection(1, 0, 1, 0);
    ASSERT_TRUE(search::FindNext(&m, "abc", {}));
    long long s = 0, e = 0;
    m.GetSelectionOffsets(&s, &e);
    EXPECT_EQ(4, s);
    EXPECT_EQ(7, e);
    ASSERT_TRUE(search::FindNext(&m, "abc", {}));  // line 2, behind the previous match
    m.GetSelectionOffsets(&s, &e);
    EXPECT_EQ(15, s);
    EXPECT_FALSE(search::FindNext(&m, "abc", {}));  // no wrap: the caret stays
    m.GetSelectionOffsets(&s, &e);
    EXPECT_EQ(15, s);
    EXPECT_EQ(18, e);

    // An occurrence only before the caret is not found.
    m.SetText("word and more");
    m.SetSelection(5, 0, 5, 0);
    EXPECT_FALSE(search::FindNext(&m, "word", {}));
    EXPECT_EQ(5, m.Caret().column);
    EXPECT_FALSE(m.HasSelection());
    EXPECT_FALSE(search::FindNext(nullptr, "word", {}));
    EXPECT_FALSE(search::FindNext(&m, "", {}));
}

TEST(SearchTest, WholeWordSkipsAnOccurrenceInsideAWordAndAcceptsTheNext) {
    editor::EditorModel m;
    m.SetText("cats cat\r\n");
    ASSERT_TRUE(search::FindNext(&m, "cat", {false, true}));
    long long s = 0, e = 0;
    m.GetSelectionOffsets(&s, &e);
    EXPECT_EQ(5, s);
    EXPECT_EQ(8, e);
    // Case: with match case on, "CAT" is not "cat".
    m.SetSelection(0, 0, 0, 0);
    EXPECT_FALSE(search::FindNext(&m, "CAT", {true, false}));
    EXPECT_TRUE(search::FindNext(&m, "CAT", {false, false}));
    // On a following line, in another case.
    m.SetText("x\r\ny\x83\x61" "CaT\r\n");
    ASSERT_TRUE(search::FindNext(&m, "cAt", {false, false}));
    m.GetSelectionOffsets(&s, &e);
    EXPECT_EQ(6, s);
    EXPECT_FALSE(search::FindNext(&m, "\x61", {true, false}));  // only a trail byte matches
}

TEST(SearchTest, ReplaceOneReplacesACaseDifferentMatchWithMatchCaseOff) {
    editor::EditorModel m;
    m.SetText("Foo foo FOO");
    const FindOptions off{false, false};
    auto r = search::ReplaceOne(&m, "foo", "bar", off);  // first press only finds
    EXPECT_FALSE(r.replaced);
    EXPECT_TRUE(r.found);
    EXPECT_EQ("Foo", Selected(m));
    r = search::ReplaceOne(&m, "foo", "bar", off);
    EXPECT_TRUE(r.replaced);
    EXPECT_EQ("bar foo FOO", Text(m));
    EXPECT_EQ("foo", Selected(m));
    // With match case on, a selection of another case is no match: the
    // search goes on from its end and the selection's text stays.
    m.SetText("Foo foo");
    m.SetSelection(0, 0, 3, 0);
    r = search::ReplaceOne(&m, "foo", "bar", {true, false});
    EXPECT_FALSE(r.replaced);
    EXPECT_TRUE(r.found);
    EXPECT_EQ("Foo foo", Text(m));
    long long s = 0, e = 0;
    m.GetSelectionOffsets(&s, &e);
    EXPECT_EQ(4, s);
}

TEST(SearchTest, ReplaceAllCountsAndKeepsShiftJisIntact) {
    struct Case {
        const char* text;
        const char* find;
        const char* replacement;
        FindOptions options;
        int count;
        const char* result;
    } cases[] = {
        // 表 and ソ end in 0x5C: only the real backslashes are replaced.
        {"C:\\表\\ソフト\\a.html", "\\", "/", {}, 3, "C:/表/ソフト/a.html"},
        {"a a\r\na", "a", "aa", {}, 3, "aa aa\r\naa"},  // the replacement holds the find text
        {"xAxax", "a", "", {}, 2, "xxx"},              // empty replacement, case off
        {"xAxax", "a", "", {true, false}, 1, "xAxx"},
        {"表示", "\x5C", "!", {}, 0, "表示"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        editor::EditorModel m;
        m.SetText(c.text);
        m.SetSelection(0, 0, 2, 0);  // replace all starts at the top whatever the caret
        const auto r = search::ReplaceAll(&m, c.find, c.replacement, c.options);
        EXPECT_EQ(c.count, r.count);
        EXPECT_FALSE(r.failed);
        EXPECT_EQ(c.result, Text(m));
    }
}

TEST(SearchTest, ReplaceAllIsOneUndoStepPerReplacementAndOneRepaint) {
    editor::EditorModel m;
    editortest::RecordingHost host;
    m.SetText("one two one two one");
    m.SetHost(&host);
    host.Forget();
    host.changed = 0;
    const auto r = search::ReplaceAll(&m, "one", "1", {});
    EXPECT_EQ(3, r.count);
    EXPECT_EQ("1 two 1 two 1", Text(m));
    EXPECT_EQ(1, host.changed);
    EXPECT_EQ(1u, host.carets.size());
    int all = 0;
    for (const auto& c : host.calls) all += c.what == "all";
    EXPECT_EQ(1, all);
    EXPECT_FALSE(host.HasKind("lines"));
    for (const char* expected : {"1 two 1 two one", "1 two one two one", "one two one two one"}) {
        ASSERT_EQ(1, m.Undo());
        EXPECT_EQ(expected, Text(m));
    }
    EXPECT_EQ(0, m.Undo());
}

TEST(SearchTest, ReplaceAllOnAReadOnlyDocumentDoesNothing) {
    editor::EditorModel m;
    m.SetText("aaa");
    m.SetReadOnly(true);
    const auto r = search::ReplaceAll(&m, "a", "b", {});
    EXPECT_TRUE(r.readOnly);
    EXPECT_EQ(0, r.count);
    EXPECT_EQ("aaa", Text(m));
    EXPECT_FALSE(search::ReplaceOne(&m, "a", "b", {}).replaced);
}

// An editor whose edits fail after a number of them.
class FailingEditor : public editor::EditorModel {
public:
    int allowed = 0;
    bool ReplaceSelection(const char* text, std::size_t length, bool addUndo) override {
        if (allowed-- <= 0) return false;
        return EditorModel::ReplaceSelection(text, length, addUndo);
    }
};

TEST(SearchTest, ReplaceAllStopsAtTheFirstFailedReplacement) {
    FailingEditor m;
    m.SetText("a a a a");
    m.allowed = 2;
    const auto r = search::ReplaceAll(&m, "a", "b", {});
    EXPECT_TRUE(r.failed);
    EXPECT_EQ(2, r.count);
    EXPECT_EQ("b b a a", Text(m));
}

TEST(SearchTest, FirstLineOfASelection) {
    EXPECT_EQ("ab", search::FirstLineOf("ab\r\ncd"));
    EXPECT_EQ("ab", search::FirstLineOf("ab\ncd\rx"));
    EXPECT_EQ("abc", search::FirstLineOf("abc"));
}

}  // namespace
