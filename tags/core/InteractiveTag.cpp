#include "tags/core/InteractiveTag.h"

#include <algorithm>
#include <utility>

#include "framework/core/PathUtil.h"
#include "framework/core/Sjis.h"

namespace tags {

int EffectiveAttrKind(int kind) { return kind >= kAttrChoices && kind <= kAttrPath ? kind : kAttrChoices; }

std::vector<std::string> SplitChoices(const std::string& input) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= input.size()) {
        std::size_t end = sjis::FindChar(input, ';', start);
        if (end == sjis::npos) end = input.size();
        if (end > start) out.push_back(input.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

std::string StartTag(const InteractiveTagData& tag, const std::vector<std::string>& values) {
    std::string text = "<";
    text += tag.Fact;
    const std::size_t n = std::min({values.size(), tag.Attributes.size(), static_cast<std::size_t>(kMaxAttributes)});
    for (std::size_t i = 0; i < n; ++i) {
        if (values[i].empty()) continue;
        text += ' ';
        text += tag.Attributes[i].Attr;
        text += "=\"";
        text += values[i];
        text += '"';
    }
    return text + ">";
}

std::string EndTag(const InteractiveTagData& tag) {
    return tag.Closed == 1 ? "</" + std::string(tag.Fact) + ">" : std::string();
}

std::string InsertionText(const InteractiveTagData& tag, const std::vector<std::string>& values,
                          const std::string& selection) {
    if (tag.Closed == 1) return StartTag(tag, values) + selection + EndTag(tag);
    return StartTag(tag, values);
}

std::string DocumentFolder(const std::string& documentPath) {
    const std::size_t pos = sjis::FindLastChar(documentPath, '\\');
    return pos == sjis::npos ? std::string() : documentPath.substr(0, pos);
}

bool PathValueFor(const std::string& base, const std::string& chosenFile, std::string* value) {
    const std::string relative = pathutil::MakeRelativePath(base, chosenFile);
    if (relative.empty()) return false;
    *value = pathutil::ToForwardSlashes(relative);
    return true;
}

// --- Steps of the insertion dialog ----------------------------------------------

TagInsertSteps::TagInsertSteps(const InteractiveTagData& tag)
    : m_tag(tag), m_values(std::min(tag.Attributes.size(), static_cast<std::size_t>(kMaxAttributes))) {}

const TagAttribute& TagInsertSteps::Current() const {
    static const TagAttribute none;
    return m_cur < Count() ? m_tag.Attributes[static_cast<std::size_t>(m_cur)] : none;
}

int TagInsertSteps::Kind() const { return EffectiveAttrKind(Current().AttrKind); }

std::vector<std::string> TagInsertSteps::Choices() const {
    return UsesChoices(Kind()) ? SplitChoices(Current().AttrInput) : std::vector<std::string>();
}

const char* TagInsertSteps::ChooserLabel() const {
    switch (Kind()) {
        case kAttrColor: return kColorChooser;
        case kAttrPath: return kFileChooser;
        default: return kNoChooser;
    }
}

bool TagInsertSteps::ChooserEnabled() const { return Kind() == kAttrColor || Kind() == kAttrPath; }

std::string TagInsertSteps::Title() const { return "<" + std::string(m_tag.Fact) + ">の挿入"; }

const std::string& TagInsertSteps::Value() const {
    static const std::string none;
    return m_cur < Count() ? m_values[static_cast<std::size_t>(m_cur)] : none;
}

void TagInsertSteps::SetValue(const std::string& text) {
    if (m_cur < Count()) m_values[static_cast<std::size_t>(m_cur)] = sjis::CutAtBoundary(text, kAttrInputLimit);
}

bool TagInsertSteps::Next() {
    if (IsLast()) return true;
    ++m_cur;
    return false;
}

bool TagInsertSteps::Back() {
    if (m_cur == 0) return false;
    --m_cur;
    return true;
}

std::string TagInsertSteps::Preview() const { return StartTag(m_tag, m_values) + EndTag(m_tag); }

std::string TagInsertSteps::Text(const std::string& selection) const {
    return InsertionText(m_tag, m_values, selection);
}

// --- The properties dialog's attribute list -----------------------------------------

AttributeListEditor::AttributeListEditor(const std::vector<TagAttribute>& attributes)
    : m_items(attributes.begin(),
              attributes.begin() + static_cast<std::ptrdiff_t>(
                                       std::min(attributes.size(), static_cast<std::size_t>(kMaxAttributes)))) {
    m_sel = m_items.empty() ? -1 : 0;
}

void AttributeListEditor::Select(int index) { m_sel = index >= 0 && index < Size() ? index : -1; }

TagAttribute* AttributeListEditor::Sel() {
    return m_sel >= 0 && m_sel < Size() ? &m_items[static_cast<std::size_t>(m_sel)] : nullptr;
}

int AttributeListEditor::Add() {
    if (!CanAdd()) return -1;
    TagAttribute a;
    SetField(a.Attr, kNewAttrName);
    SetField(a.AttrCmmt, kNewAttrComment);
    m_items.push_back(a);
    m_sel = Size() - 1;
    return m_sel;
}

void AttributeListEditor::Remove() {
    if (!Sel()) return;
    m_items.erase(m_items.begin() + m_sel);
    if (m_sel >= Size()) m_sel = Size() - 1;
}

bool AttributeListEditor::MoveUp() {
    if (!Sel() || m_sel == 0) return false;
    std::swap(m_items[static_cast<std::size_t>(m_sel)], m_items[static_cast<std::size_t>(m_sel - 1)]);
    --m_sel;
    return true;
}

bool AttributeListEditor::MoveDown() {
    if (!Sel() || m_sel >= Size() - 1) return false;
    std::swap(m_items[static_cast<std::size_t>(m_sel)], m_items[static_cast<std::size_t>(m_sel + 1)]);
    ++m_sel;
    return true;
}

void AttributeListEditor::SetName(const std::string& text) {
    if (TagAttribute* a = Sel()) SetField(a->Attr, text);
}
void AttributeListEditor::SetComment(const std::string& text) {
    if (TagAttribute* a = Sel()) SetField(a->AttrCmmt, text);
}
void AttributeListEditor::SetInput(const std::string& text) {
    if (TagAttribute* a = Sel()) SetField(a->AttrInput, text);
}
void AttributeListEditor::SetKind(int kind) {
    if (TagAttribute* a = Sel()) a->AttrKind = static_cast<std::uint8_t>(EffectiveAttrKind(kind));
}

}  // namespace tags
