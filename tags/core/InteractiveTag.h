// Interactive tags: the tag text built from the values asked for step by
// step, the steps of the insertion dialog, and the working list of
// attributes the properties dialog edits. The dialogs only show what these
// decide.
#pragma once

#include <string>
#include <vector>

#include "tags/core/TagRecords.h"

namespace tags {

enum AttrKindId : int { kAttrChoices = 0, kAttrFont = 1, kAttrColor = 2, kAttrPath = 3 };

// Edit limits of the properties dialog: each field's size less its NUL.
constexpr int kTagNameLimit = 127;
constexpr int kTagCommentLimit = 255;
constexpr int kFactLimit = 31;
constexpr int kAttrLimit = 31;
constexpr int kAttrCmmtLimit = 255;
constexpr int kAttrInputLimit = 511;

constexpr char kNoChooser[] = "（不可）";
constexpr char kColorChooser[] = "色(&B)";
constexpr char kFileChooser[] = "ファイル(&B)";
constexpr char kNextButton[] = "次へ(&N)";
constexpr char kInsertButton[] = "挿入(&I)";
constexpr char kNoBasePathMessage[] = "ベースパスを設定していないためパスを取得できませんでした";
constexpr char kNewAttrName[] = "newattr";
constexpr char kNewAttrComment[] = "説明文をここに入力してください";

// A stored kind outside 0-3 is taken as plain choices.
int EffectiveAttrKind(int kind);
// Kinds whose choices text is used (plain choices and paths).
inline bool UsesChoices(int kind) {
    const int k = EffectiveAttrKind(kind);
    return k == kAttrChoices || k == kAttrPath;
}

// The choices of an attribute: the text split at every ";", empty pieces
// left out (";a;;b;" gives a, b). A ";" trail byte never splits.
std::vector<std::string> SplitChoices(const std::string& input);

// "<fact attr="value" ...>" with the attributes whose value is not empty, in
// slot order; values go in as typed. values holds one entry per attribute
// (missing entries count as empty).
std::string StartTag(const InteractiveTagData& tag, const std::vector<std::string>& values);
// "</fact>" when the tag is closed, else empty.
std::string EndTag(const InteractiveTagData& tag);
// What replaces the selection: start tag + selection + end tag for a closed
// tag, else the start tag alone.
std::string InsertionText(const InteractiveTagData& tag, const std::vector<std::string>& values,
                          const std::string& selection);

// The folder of a document's path for the file chooser: the path up to its
// last backslash (found by character), empty for an untitled document.
std::string DocumentFolder(const std::string& documentPath);
// The value a chosen file gives: its path relative to base with "/"
// between names. False (the value is left alone) when no relative path can
// be formed because base is empty.
bool PathValueFor(const std::string& base, const std::string& chosenFile, std::string* value);

// The steps of the insertion dialog: one per attribute (the first
// kMaxAttributes), each holding its value; going back keeps later values.
class TagInsertSteps {
public:
    explicit TagInsertSteps(const InteractiveTagData& tag);

    int Count() const { return static_cast<int>(m_values.size()); }
    int Cur() const { return m_cur; }
    const TagAttribute& Current() const;
    int Kind() const;
    std::vector<std::string> Choices() const;
    const char* ChooserLabel() const;
    bool ChooserEnabled() const;
    bool IsLast() const { return m_cur >= Count() - 1; }
    bool CanGoBack() const { return m_cur > 0; }
    const char* DefaultButtonText() const { return IsLast() ? kInsertButton : kNextButton; }
    std::string Title() const;

    const std::string& Value() const;
    // Takes the text cut to the combo box's 511 bytes.
    void SetValue(const std::string& text);
    const std::vector<std::string>& Values() const { return m_values; }

    // To the next step; true when this was the last step (insert now).
    bool Next();
    // To the previous step; false at the first.
    bool Back();

    std::string Preview() const;
    std::string Text(const std::string& selection) const;

private:
    const InteractiveTagData& m_tag;
    std::vector<std::string> m_values;
    int m_cur = 0;
};

// The attribute list of the properties dialog, a working copy of at most
// kMaxAttributes attributes with a selection (-1: none).
class AttributeListEditor {
public:
    explicit AttributeListEditor(const std::vector<TagAttribute>& attributes);

    const std::vector<TagAttribute>& Items() const { return m_items; }
    int Size() const { return static_cast<int>(m_items.size()); }
    int Selected() const { return m_sel; }
    void Select(int index);
    bool CanAdd() const { return Size() < kMaxAttributes; }

    // Appends "newattr" and selects it; -1 when the list is full.
    int Add();
    // Removes the selected attribute; the selection stays at its index or
    // moves to the new last one (-1 when the list is empty).
    void Remove();
    bool MoveUp();
    bool MoveDown();

    // Edits of the selected attribute, cut on a character boundary.
    void SetName(const std::string& text);
    void SetComment(const std::string& text);
    void SetInput(const std::string& text);
    void SetKind(int kind);

private:
    TagAttribute* Sel();
    std::vector<TagAttribute> m_items;
    int m_sel = -1;
};

}  // namespace tags
