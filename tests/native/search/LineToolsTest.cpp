// Go to line, insertion at line heads and ends, and the history store.
#include <gtest/gtest.h>

#include <climits>

#include "config/core/SettingsStore.h"
#include "editor/core/EditorModel.h"
#include "search/core/LineTools.h"
#include "search/core/SearchHistory.h"

namespace {

using search::InsertPlace;
using search::InsertStatus;

std::string Text(const editor::EditorModel& m) {
    std::string s;
    m.GetText(s);
    return s;
}

TEST(LineToolsTest, GoToLineSelectsByTheNumber) {
    struct Case {
        int n;
        int anchorColumn, anchorLine, caretColumn, caretLine;
    } cases[] = {
        {2, 0, 2, 0, 1},          // n < L: line 2 up to the next line's start
        {4, 3, 3, 0, 3},          // n = L: the last line from its end
        {99, 3, 3, 0, 3},         // beyond
        {INT_MAX, 3, 3, 0, 3},
        {0, -1, 0, 0, 0},         // the top, no selection
        {-5, -1, 0, 0, 0},
        {INT_MIN, -1, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        editor::EditorModel m;
        m.SetText("one\r\ntwo\r\nthree\r\nend");
        m.SetSelection(1, 1, 1, 1);
        search::GoToLineNumber(m, c.n);
        int ac = 0, al = 0, cc = 0, cl = 0;
        m.GetSelection(&ac, &al, &cc, &cl);
        EXPECT_EQ(c.anchorColumn, ac);
        EXPECT_EQ(c.anchorLine, al);
        EXPECT_EQ(c.caretColumn, cc);
        EXPECT_EQ(c.caretLine, cl);
    }
    EXPECT_EQ(12, search::ParseLineNumber("12"));
    EXPECT_EQ(-3, search::ParseLineNumber("-3"));
    EXPECT_EQ(0, search::ParseLineNumber("x"));
    EXPECT_EQ(INT_MAX, search::ParseLineNumber("99999999999999999999"));
    EXPECT_EQ(INT_MIN, search::ParseLineNumber("-99999999999999999999"));
}

TEST(LineToolsTest, InsertsAtHeadsAndEndsWithTheDocumentsLineEnd) {
    struct Case {
        const char* text;
        int start, end;
        InsertPlace place;
        const char* result;
    } cases[] = {
        {"a\r\nb\r\nc\r\nd", 2, 3, InsertPlace::Head, "a\r\n> b\r\n> c\r\nd"},
        {"a\nb\nc\nd", 2, 3, InsertPlace::Head, "a\n> b\n> c\nd"},
        {"a\rb\rc\rd", 1, 2, InsertPlace::End, "a> \rb> \rc\rd"},
        // Mixed: the document's mode is its first line end; the range's inner
        // ends take it, the end line keeps its own.
        {"a\nb\r\nc\rd", 2, 3, InsertPlace::Head, "a\n> b\n> c\rd"},
        {"a\r\nb", 2, 2, InsertPlace::End, "a\r\nb> "},  // the last line gets no line end
        {"", 1, 1, InsertPlace::Head, "> "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        editor::EditorModel m;
        m.SetText(c.text);
        EXPECT_EQ(InsertStatus::Done, search::InsertAtLines(m, c.start, c.end, "> ", c.place));
        EXPECT_EQ(c.result, Text(m));
        EXPECT_EQ(1, m.Undo());  // one undo step
        EXPECT_EQ(c.text, Text(m));
    }
}

TEST(LineToolsTest, InsertValidatesInOrderAndRefusesReadOnly) {
    editor::EditorModel m;
    m.SetText("a\r\nb\r\nc");
    struct Case {
        int start, end;
        InsertStatus status;
    } cases[] = {
        {3, 2, InsertStatus::StartAfterEnd}, {0, -1, InsertStatus::StartAfterEnd},
        {0, 2, InsertStatus::StartBelowOne}, {0, 9, InsertStatus::StartBelowOne},
        {2, 4, InsertStatus::EndBeyondLast}, {INT_MIN, INT_MAX, InsertStatus::StartBelowOne},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.status, search::InsertAtLines(m, c.start, c.end, "x", InsertPlace::Head));
    }
    EXPECT_EQ("a\r\nb\r\nc", Text(m));
    EXPECT_STREQ("開始行が終了行より大きいです\n設定しなおしてください",
                 search::InsertStatusMessage(InsertStatus::StartAfterEnd));
    m.SetReadOnly(true);
    EXPECT_EQ(InsertStatus::ReadOnly, search::InsertAtLines(m, 1, 1, "x", InsertPlace::Head));
    EXPECT_EQ("a\r\nb\r\nc", Text(m));
}

TEST(SearchHistoryTest, KeepsOneOfEachTextNewestFirstAtMostTwenty) {
    search::History h;
    for (const char* t : {"ab", "abc", "ab", ""}) h.Add(t);
    EXPECT_EQ((std::vector<std::string>{"abc", "ab"}), h.Entries());
    for (int i = 0; i < 25; ++i) h.Add("t" + std::to_string(i));
    ASSERT_EQ(20u, h.Entries().size());
    EXPECT_EQ("t24", h.Entries().front());
    EXPECT_EQ("t5", h.Entries().back());
}

TEST(SearchHistoryTest, StoredFormAndDamagedCounts) {
    settings::MemorySettingsBackend backend;
    settings::SettingsStore store(backend);
    search::FindSettings f;
    f.latestFindText = "表";
    f.matchCase = true;
    f.history.Add("x");
    f.history.Add("表");
    store.WriteSettingString(search::kFindSection, "Stale", "gone");
    ASSERT_TRUE(search::WriteFindSettings(store, f));
    EXPECT_EQ("", store.ReadSettingString(search::kFindSection, "Stale", ""));  // written whole
    EXPECT_EQ(2, store.ReadSettingInt(search::kFindSection, "Count", -1));
    EXPECT_EQ("表", store.ReadSettingString(search::kFindSection, "FindString0", ""));
    EXPECT_EQ(1, store.ReadSettingInt(search::kFindSection, "Match", -1));
    EXPECT_EQ(0, store.ReadSettingInt(search::kFindSection, "Word", -1));
    const search::FindSettings back = search::ReadFindSettings(store);
    EXPECT_EQ("表", back.latestFindText);
    EXPECT_TRUE(back.matchCase);
    EXPECT_EQ(f.history.Entries(), back.history.Entries());

    search::ReplaceSettings r;
    r.wholeWord = true;
    r.findHistory.Add("a");
    r.replaceHistory.Add("b");
    r.replaceHistory.Add("c");
    ASSERT_TRUE(search::WriteReplaceSettings(store, r));
    EXPECT_EQ(1, store.ReadSettingInt(search::kReplaceSection, "FindCount", -1));
    EXPECT_EQ(2, store.ReadSettingInt(search::kReplaceSection, "ReplaceCount", -1));
    EXPECT_EQ("c", store.ReadSettingString(search::kReplaceSection, "ReplaceString0", ""));
    EXPECT_TRUE(search::ReadReplaceSettings(store).wholeWord);

    // Damaged counts are held to 0-20; duplicates and missing entries drop.
    store.WriteSettingInt(search::kReplaceSection, "FindCount", 5000);
    store.WriteSettingInt(search::kReplaceSection, "ReplaceCount", -7);
    for (int i = 0; i < 30; ++i)
        store.WriteSettingString(search::kReplaceSection, settings::IndexedName("FindString", i), i == 3 ? "s0" : "s" + std::to_string(i));
    const search::ReplaceSettings damaged = search::ReadReplaceSettings(store);
    EXPECT_EQ(19u, damaged.findHistory.Entries().size());  // 20 read, one a duplicate
    EXPECT_TRUE(damaged.replaceHistory.Entries().empty());

    ASSERT_TRUE(search::WriteInsertString(store, "> "));
    EXPECT_EQ("> ", search::ReadInsertString(store));
}

}  // namespace
