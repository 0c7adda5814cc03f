// Running simple tags against an editor model, the plug-in hooks, and the
// rules of plug-in file names and menu access characters.
#include <gtest/gtest.h>

#include "editor/core/EditorModel.h"
#include "tags/core/TagKinds.h"

using namespace tags;

namespace {

struct Env : ITagEnvironment {
    editor::EditorModel model;
    bool hasEditor = true;
    int focus = 0, runs = 0, releases = 0, dialogs = 0;
    editor::IEditorOps* ActiveEditor() override { return hasEditor ? &model : nullptr; }
    void FocusEditor() override { ++focus; }
    void RunPlugin(PluginTagData& r) override { ++runs; r.Module = &model; }
    void ReleasePlugin(PluginTagData& r) override { ++releases; r.Module = nullptr; }
    int PluginProperties(PluginTagData& r) override { ++dialogs; return r.Module ? 0 : 5; }
};

SimpleTagData Tag(const char* begin, const char* end, const char* option) {
    SimpleTagData t;
    SetField(t.Begin, begin);
    SetField(t.End, end);
    SetField(t.Option, option);
    return t;
}

}  // namespace

TEST(SimpleTagTest, TextAndCaretFollowTheOption) {
    const struct {
        const char *text, *begin, *end, *option;
        long long selStart, selEnd;  // in text
        const char* result;
        long long caretStart, caretEnd;
    } cases[] = {
        {"xabcy", "<b>", "</b>", "between", 1, 4, "x<b>abc</b>y", 7, 7},
        {"xabcy", "<b>", "</b>", "select", 1, 4, "x<b>abc</b>y", 4, 7},
        {"xabcy", "<b>", "</b>", "+2", 1, 4, "x<b>abc</b>y", 6, 6},
        {"xabcy", "<b>", "</b>", "-3", 1, 4, "x<b>abc</b>y", 1, 1},
        {"xabcy", "<b>", "</b>", "+0", 1, 4, "x<b>abc</b>y", 4, 4},
        {"xabcy", "<b>", "</b>", "+", 1, 4, "x<b>abc</b>y", 11, 11},
        {"xabcy", "<b>", "</b>", "+x", 1, 4, "x<b>abc</b>y", 11, 11},
        {"xabcy", "<b>", "</b>", "+99999999999", 1, 4, "x<b>abc</b>y", 12, 12},
        {"xabcy", "<b>", "", "between", 1, 4, "x<b>y", 4, 4},
        {"xabcy", "<b>", "", "+1", 1, 4, "x<b>y", 5, 5},
        {"xabcy", "<", "\\t", "between", 1, 4, "x<abc\ty", 5, 5},
        {"x\ny", "a\\nb", "", "", 1, 1, "xa\nb\ny", 4, 4},
        {"x\r\ny", "a\\nb", "", "", 1, 1, "xa\r\nb\r\ny", 5, 5},
        {"x\ry", "a\\nb", "", "", 1, 1, "xa\rb\ry", 4, 4},
        {"", "\\\\n", "", "", 0, 0, "\\\r\n", 3, 3},
        {"", "ソn\\t", "", "", 0, 0, "ソn\t", 4, 4},  // 83 5C 6E: no escape in it
    };
    for (const auto& c : cases) {
        Env env;
        CSimpleTagKind kind;
        kind.env = &env;
        env.model.SetText(c.text);
        env.model.SetSelectionOffsets(c.selStart, c.selEnd);
        SimpleTagData tag = Tag(c.begin, c.end, c.option);
        kind.Execute(&tag);
        std::string text;
        env.model.GetText(text);
        EXPECT_EQ(text, c.result) << c.begin << c.option;
        long long s = 0, e = 0;
        env.model.GetSelectionOffsets(&s, &e);
        EXPECT_EQ(s, c.caretStart) << c.begin << c.option;
        EXPECT_EQ(e, c.caretEnd) << c.begin << c.option;
        EXPECT_EQ(env.focus, 1);
    }
}

TEST(SimpleTagTest, ADroppedTagPlacesTheCaretAsARunDoes) {
    for (bool reversed : {false, true}) {
        Env env;
        CSimpleTagKind kind;
        kind.env = &env;
        env.model.SetText("xy");
        env.model.SetSelectionOffsets(1, 1);
        SimpleTagData tag = Tag("<b>", "</b>", "between");
        const std::string dragged = kind.BuildText(&tag);
        env.model.ReplaceSelection(dragged, true);
        // The editor selects what was dropped.
        if (reversed) env.model.SetSelectionOffsets(8, 1); else env.model.SetSelectionOffsets(1, 8);
        kind.AfterInsert(&tag);
        long long s = 0, e = 0;
        env.model.GetSelectionOffsets(&s, &e);
        EXPECT_EQ(s, 4);
        EXPECT_EQ(e, 4);
    }
    // No editor: nothing is built and nothing runs.
    Env env;
    env.hasEditor = false;
    CSimpleTagKind kind;
    kind.env = &env;
    SimpleTagData tag = Tag("<b>", "</b>", "between");
    EXPECT_EQ(kind.BuildText(&tag), "");
    kind.Execute(&tag);
    EXPECT_EQ(env.focus, 0);
}

TEST(PluginTagTest, ModulesAreReleasedBeforeFreeAndProperties) {
    Env env;
    TagKinds kinds;
    kinds.SetEnvironment(&env);
    CTagKind* kind = kinds.Of(kPluginKind);
    auto record = kind->NewRecord();
    kind->Execute(record.get());
    EXPECT_EQ(env.runs, 1);
    EXPECT_EQ(kind->Properties(record.get()), 5);  // the dialog saw the module released
    EXPECT_EQ(env.releases, 1);
    kind->Free(record.get());
    EXPECT_EQ(env.releases, 1);  // nothing loaded: nothing to release
    kind->Execute(record.get());
    kind->Free(record.get());
    EXPECT_EQ(env.releases, 2);
    EXPECT_EQ(PluginNotFoundMessage("***.pqi"), "***.pqiファイルが見つかりません\nパスを確認してください");
}

TEST(PluginTagTest, FileNamesStayInsideThePluginFolder) {
    const struct {
        const char* file;
        bool allowed;
    } cases[] = {
        {"Color.pqi", true},      {"sub\\ソ.pqi", true},  {"sub/a.dll", true},  {"表\\x", true},
        {"", false},              {"..\\x.pqi", false},   {"a\\..\\x", false},  {".\\x", false},
        {"\\x.pqi", false},       {"\\\\srv\\s\\x", false}, {"C:x.pqi", false}, {"C:\\x.pqi", false},
        {"a\\\\b", false},        {"a\\", false},         {"/x", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsPluginFileNameAllowed(c.file), c.allowed) << c.file;
}

TEST(TagMenuTest, AccessCharactersRunFromAToTilde) {
    EXPECT_EQ(MenuLabel("a", 0), "a(&A)");
    EXPECT_EQ(MenuLabel("a", 26), "a(&[)");
    EXPECT_EQ(MenuLabel("a", 61), "a(&~)");
    EXPECT_EQ(MenuLabel("a", 62), "a");
    EXPECT_EQ(AccessChar(-1), 0);
}
