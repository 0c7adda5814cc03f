// Interactive tags: the text a run inserts, the steps of the insertion
// dialog, the chooser's path values and the properties dialog's list.
#include <gtest/gtest.h>

#include "editor/core/EditorModel.h"
#include "tags/core/InteractiveTag.h"
#include "tags/core/TagKinds.h"

using namespace tags;

namespace {

struct Env : ITagEnvironment {
    editor::EditorModel model;
    bool answer = true;
    std::vector<std::string> values;
    int asked = 0, focus = 0;
    editor::IEditorOps* ActiveEditor() override { return &model; }
    void FocusEditor() override { ++focus; }
    bool AskTagValues(const InteractiveTagData&, std::vector<std::string>* out) override {
        ++asked;
        *out = values;
        return answer;
    }
};

InteractiveTagData Tag(const char* fact, int closed, std::vector<std::pair<const char*, int>> attrs) {
    InteractiveTagData t;
    SetField(t.Fact, fact);
    t.Closed = closed;
    for (const auto& a : attrs) {
        TagAttribute attr;
        SetField(attr.Attr, a.first);
        attr.AttrKind = static_cast<std::uint8_t>(a.second);
        t.Attributes.push_back(attr);
    }
    return t;
}

}  // namespace

TEST(InteractiveTagTest, ARunReplacesTheSelectionWithTheBuiltTag) {
    CInteractiveTagKind kinds;
    const auto font = kinds.MakeSample(0);  // "<font>タグ": size, color, face
    const auto& fontTag = static_cast<const InteractiveTagData&>(*font);
    const struct {
        InteractiveTagData tag;
        std::vector<std::string> values;
        bool ok;
        const char* result;
        int asked;
    } cases[] = {
        {fontTag, {"3", "#ff0000", ""}, true, "x<font size=\"3\" color=\"#ff0000\">abc</font>y", 1},
        {fontTag, {"", "a\"&b", "ＭＳ 明朝"}, true, "x<font color=\"a\"&b\" face=\"ＭＳ 明朝\">abc</font>y", 1},
        {fontTag, {"3"}, false, "xabcy", 1},                      // Cancel
        {Tag("br", 0, {}), {}, true, "x<br>y", 0},                 // no attributes: no dialog
        {Tag("b", 1, {}), {}, true, "x<b>abc</b>y", 0},
        {Tag("img", 0, {{"src", 3}}), {"a.gif"}, true, "x<img src=\"a.gif\">y", 1},
    };
    for (const auto& c : cases) {
        Env env;
        env.values = c.values;
        env.answer = c.ok;
        env.model.SetText("xabcy", 5);
        env.model.SetSelectionOffsets(1, 4);
        CInteractiveTagKind kind;
        kind.env = &env;
        InteractiveTagData tag = c.tag;
        kind.Execute(&tag);
        std::string text;
        env.model.GetText(text);
        EXPECT_EQ(text, c.result) << c.tag.Fact;
        EXPECT_EQ(env.asked, c.asked) << c.tag.Fact;
        EXPECT_EQ(env.focus, 1) << c.tag.Fact;
        EXPECT_EQ(env.model.CanUndo(), c.ok) << c.tag.Fact;
    }
}

TEST(InteractiveTagTest, ChoicesSplitAtSemicolonCharacters) {
    const struct {
        const char* input;
        std::vector<std::string> choices;
    } cases[] = {
        {";a;;b;", {"a", "b"}},
        {"7;6;5", {"7", "6", "5"}},
        {"", {}},
        {";;", {}},
        {"_self;ソ;表", {"_self", "ソ", "表"}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitChoices(c.input), c.choices) << c.input;
}

TEST(InteractiveTagTest, GoingBackKeepsLaterValuesAndTheLastStepInserts) {
    const InteractiveTagData tag = Tag("font", 1, {{"size", 0}, {"color", 2}, {"face", 1}});
    TagInsertSteps steps(tag);
    EXPECT_EQ(steps.Title(), "<font>の挿入");
    const char* buttons[] = {"次へ(&N)", "次へ(&N)", "挿入(&I)"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_STREQ(steps.DefaultButtonText(), buttons[i]) << i;
        EXPECT_EQ(steps.CanGoBack(), i > 0) << i;
        if (i > 0) steps.SetValue(std::to_string(i));
        EXPECT_EQ(steps.Next(), i == 2) << i;
    }
    EXPECT_TRUE(steps.Back());
    EXPECT_TRUE(steps.Back());
    EXPECT_FALSE(steps.Back());
    EXPECT_EQ(steps.Value(), "");  // never given
    EXPECT_EQ(steps.Preview(), "<font color=\"1\" face=\"2\"></font>");

    const InteractiveTagData one = Tag("a", 0, {{"href", 3}});
    TagInsertSteps single(one);
    EXPECT_STREQ(single.DefaultButtonText(), "挿入(&I)");
    single.SetValue(std::string(600, 'x'));
    EXPECT_EQ(single.Value().size(), 511u);
    EXPECT_TRUE(single.Next());
}

TEST(InteractiveTagTest, ChosenFilesGiveSlashedPathsRelativeToTheDocumentFolder) {
    const struct {
        const char *document, *chosen;
        bool ok;
        const char* value;
    } cases[] = {
        {"C:\\site\\index.html", "C:\\site\\img\\a.gif", true, "img/a.gif"},
        {"C:\\site\\docs\\a.html", "C:\\site\\img\\a.gif", true, "../img/a.gif"},
        {"C:\\表\\a.html", "C:\\表\\画像\\ソース.gif", true, "画像/ソース.gif"},  // 95 5C, 83 5C kept
        {"C:\\site\\ソ", "C:\\site\\b.gif", true, "b.gif"},  // a file named ソ: its 5C is no separator
        {"", "C:\\site\\b.gif", false, "keep"},                // never saved
    };
    for (const auto& c : cases) {
        std::string value = "keep";
        EXPECT_EQ(PathValueFor(DocumentFolder(c.document), c.chosen, &value), c.ok) << c.chosen;
        EXPECT_EQ(value, c.value) << c.chosen;
    }
}

TEST(InteractiveTagTest, TheAttributeListHoldsAtMostFifteen) {
    AttributeListEditor list(std::vector<TagAttribute>(17));
    EXPECT_EQ(list.Size(), 15);
    EXPECT_EQ(list.Add(), -1);
    list.Select(14);
    list.Remove();
    EXPECT_EQ(list.Selected(), 13);  // the new last one
    EXPECT_EQ(list.Add(), 14);
    list.SetName(std::string(30, 'a') + "表");  // 32 bytes: the pair does not fit in 31
    EXPECT_EQ(std::string(list.Items()[14].Attr), std::string(30, 'a'));
    list.SetKind(9);
    EXPECT_EQ(list.Items()[14].AttrKind, 0);
}
