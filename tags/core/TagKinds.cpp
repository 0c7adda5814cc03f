#include "tags/core/TagKinds.h"

#include <climits>

#include "config/core/SettingsStore.h"
#include "editor/core/EditorOps.h"
#include "framework/core/ReturnCode.h"
#include "framework/core/Sjis.h"
#include "tags/core/InteractiveTag.h"
#include "tags/core/TagFileFormat.h"

namespace tags {

using settings::IndexedName;
using settings::SettingsStore;

const KindRow KindTable[kKindCount] = {
    {32835, 230, 221, 222},
    {32837, 228, 224, 225},
    {32838, 231, 232, 232},
};

namespace {

std::string ReadStr(const SettingsStore& s, const std::string& section, const char* key, int j) {
    return s.ReadSettingString(section, IndexedName(key, j), "");
}

// The value for key j of the next line; the default past the end of the file.
std::string NextStr(TagLineReader& r, const std::string& key) {
    std::string line;
    r.ReadTagLine(line);
    return StrValue(line, key, "");
}
std::string NextStr(TagLineReader& r, const char* key, int j) { return NextStr(r, IndexedName(key, j)); }
std::int32_t NextInt(TagLineReader& r, const std::string& key) {
    std::string line;
    r.ReadTagLine(line);
    return IntValue(line, key, 0);
}

void SaveCommon(SettingsStore& s, const std::string& section, int j, const TagRecord& r) {
    s.WriteSettingString(section, IndexedName("Name", j), r.Name);
}

}  // namespace

void CTagKind::SetName(TagRecord* record, const std::string& text) const {
    if (record) SetField(record->Name, text);
}

editor::IEditorOps* CTagKind::Editor() const { return env ? env->ActiveEditor() : nullptr; }

void CTagKind::Execute(TagRecord* record) {
    editor::IEditorOps* ed = Editor();
    if (!ed) return;
    const std::string text = BuildText(record);
    if (!text.empty()) ed->ReplaceSelection(text, true);
    AfterInsert(record);
}

// --- Simple tags ------------------------------------------------------------

namespace {

struct SimpleSample {
    const char *name, *begin, *end, *comment, *option;
};
const SimpleSample kSimpleSamples[] = {
    {"基本構造",
     "<html>\\n<head>\\n<title><!-- タイトル --></title>\\n</head>\\n<body text= bgcolor= link= vlink= "
     "alink=>\\n\\n<!-- 内容 -->\\n",
     "\\n</body>\\n</html>", "基本的なタグ構造。", "between"},
    {"ジャバスクリプト", "<script language=\"JavaScript\">\\n<!--\\n", "\\n//-->\\n</script>", "JavaScript。",
     "between"},
    {"改行", "<br>\\n", "", "改行。", ""},
};

std::unique_ptr<SimpleTagData> MakeSimple(const char* name, const char* begin, const char* end,
                                          const char* comment, const char* option) {
    auto r = std::make_unique<SimpleTagData>();
    SetField(r->Name, name);
    SetField(r->Begin, begin);
    SetField(r->End, end);
    SetField(r->Comment, comment);
    SetField(r->Option, option);
    return r;
}

// Replaces every "\" + c (found character by character) with `with`.
std::string ReplaceEscape(const std::string& text, char c, const std::string& with) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t next = sjis::Next(text.data(), text.size(), i);
        if (text[i] == '\\' && next == i + 1 && i + 1 < text.size() && text[i + 1] == c) {
            out += with;
            i += 2;
        } else {
            out.append(text, i, next - i);
            i = next;
        }
    }
    return out;
}

// A digit string's value, saturated.
long long DigitsValue(const char* d) {
    long long v = 0;
    for (; *d; ++d) {
        v = v * 10 + (*d - '0');
        if (v > INT_MAX) v = INT_MAX;
    }
    return v;
}

}  // namespace

std::unique_ptr<TagRecord> CSimpleTagKind::MakeSample(int i) const {
    if (i < 0 || i >= SampleCount()) return nullptr;
    const SimpleSample& s = kSimpleSamples[i];
    return MakeSimple(s.name, s.begin, s.end, s.comment, s.option);
}

std::unique_ptr<TagRecord> CSimpleTagKind::Load(const SettingsStore& s, const std::string& section, int j) const {
    auto r = MakeSimple(ReadStr(s, section, "Name", j).c_str(), ReadStr(s, section, "Begin", j).c_str(),
                        ReadStr(s, section, "End", j).c_str(), ReadStr(s, section, "Comment", j).c_str(),
                        ReadStr(s, section, "Option", j).c_str());
    r->bMenu = settings::ReadSettingFlag(s, section, IndexedName("bMenu", j), 0);
    return r;
}

void CSimpleTagKind::Save(SettingsStore& s, const std::string& section, int j, const TagRecord* record) const {
    const SimpleTagData empty;
    const auto& r = record ? static_cast<const SimpleTagData&>(*record) : empty;
    SaveCommon(s, section, j, r);
    s.WriteSettingString(section, IndexedName("Begin", j), r.Begin);
    s.WriteSettingString(section, IndexedName("End", j), r.End);
    s.WriteSettingString(section, IndexedName("Comment", j), r.Comment);
    s.WriteSettingString(section, IndexedName("Option", j), r.Option);
    s.WriteSettingInt(section, IndexedName("bMenu", j), r.bMenu);
}

std::unique_ptr<TagRecord> CSimpleTagKind::Import(int j, TagLineReader& reader) const {
    const std::string name = NextStr(reader, "Name", j);
    const std::string begin = NextStr(reader, "Begin", j);
    const std::string end = NextStr(reader, "End", j);
    const std::string comment = NextStr(reader, "Comment", j);
    const std::string option = NextStr(reader, "Option", j);
    return MakeSimple(name.c_str(), begin.c_str(), end.c_str(), comment.c_str(), option.c_str());
}

void CSimpleTagKind::Export(int j, const TagRecord* record, std::string& out) const {
    const SimpleTagData empty;
    const auto& r = record ? static_cast<const SimpleTagData&>(*record) : empty;
    PutLine(out, "Name", j, r.Name);
    PutLine(out, "Begin", j, r.Begin, true);
    PutLine(out, "End", j, r.End, true);
    PutLine(out, "Comment", j, r.Comment);
    PutLine(out, "Option", j, r.Option);
}

int CSimpleTagKind::ImageIndex(const TagRecord* record) const {
    const auto* r = static_cast<const SimpleTagData*>(record);
    return r && r->End[0] ? image1 : image2;
}

int CSimpleTagKind::Cursor(const TagRecord* record) const {
    const auto* r = static_cast<const SimpleTagData*>(record);
    return r && r->End[0] ? cursor1 : cursor2;
}

std::string CSimpleTagKind::Expand(const std::string& text, const std::string& lineEnd) {
    return ReplaceEscape(ReplaceEscape(text, 'n', lineEnd), 't', "\t");
}

std::string CSimpleTagKind::BuildText(TagRecord* record) {
    m_selLength = 0;
    editor::IEditorOps* ed = Editor();
    if (!ed || !record) return {};
    const auto& r = static_cast<const SimpleTagData&>(*record);
    const std::string lineEnd = lineend::ReturnCodeBytes(ed->LineEndMode());
    const std::string end = Expand(r.End, lineEnd);
    std::string selected;
    if (!end.empty()) m_selLength = ed->GetSelectedText(selected);
    return Expand(r.Begin, lineEnd) + selected + end;
}

void CSimpleTagKind::AfterInsert(TagRecord* record) {
    editor::IEditorOps* ed = Editor();
    if (!ed || !record) return;
    const auto& r = static_cast<const SimpleTagData&>(*record);
    const std::string option = r.Option;
    const long long le =
        static_cast<long long>(Expand(r.End, lineend::ReturnCodeBytes(ed->LineEndMode())).size());
    if (option.size() >= 2) {
        long long start = 0, finish = 0;
        ed->GetSelectionOffsets(&start, &finish);
        // The inserted text ends at the later end: right after a run both
        // ends are there; after a drop the dropped text is selected.
        const long long end = finish;
        if (option == "between") {
            if (le > 0) ed->SetSelectionOffsets(end - le, end - le);
        } else if (option == "select") {
            if (le > 0) ed->SetSelectionOffsets(end - m_selLength - le, end - le);
        } else if (option[0] == '+' || option[0] == '-') {
            const std::string digits = option.substr(1);
            if (digits.find_first_not_of("0123456789") == std::string::npos) {
                const long long base = end - (m_selLength + le);
                const long long n = DigitsValue(digits.c_str());
                const long long p = option[0] == '+' ? base + n : base - n;
                ed->SetSelectionOffsets(p, p);
            }
        }
    }
    if (env) env->FocusEditor();
}

std::unique_ptr<TagRecord> CSimpleTagKind::NewRecord() const {
    return MakeSimple("新しい簡易タグ", "<newtag>", "", "タグの説明をここに記載してください", "between");
}

int CSimpleTagKind::Properties(TagRecord* record) {
    if (!record || !env) return 2;
    return env->SimpleProperties(static_cast<SimpleTagData&>(*record));
}

// --- Interactive tags -------------------------------------------------------

namespace {

struct AttrSample {
    const char *attr, *comment, *input;
    std::uint8_t kind;
};
struct InteractiveSample {
    const char *name, *fact, *comment;
    AttrSample attrs[4];
};
const InteractiveSample kInteractiveSamples[] = {
    {"<font>タグ",
     "font",
     "文字列のデコレーションを行う。",
     {{"size", "文字サイズを選択してください(&A)", "7;6;5;4;3;2;1", 0},
      {"color", "色を選択してください(&A)", "", 2},
      {"face", "フォント名を選択してください(&A)", "", 1},
      {"", "", "", 0}}},
    {"<a>タグ",
     "a",
     "リンクを張る。",
     {{"href", "リンク先URLを指定してください(&A)", "", 3},
      {"target", "ウィンドウ先を選択してください(&A)", "", 0},
      {"", "", "", 0},
      {"", "", "", 0}}},
};

std::uint8_t AttrKindOf(std::int32_t v) { return v >= 0 && v <= 3 ? static_cast<std::uint8_t>(v) : 0; }

}  // namespace

std::unique_ptr<TagRecord> CInteractiveTagKind::MakeSample(int i) const {
    if (i < 0 || i >= SampleCount()) return nullptr;
    const InteractiveSample& s = kInteractiveSamples[i];
    auto r = std::make_unique<InteractiveTagData>();
    SetField(r->Name, s.name);
    SetField(r->Fact, s.fact);
    SetField(r->Comment, s.comment);
    r->Closed = 1;
    for (const AttrSample& a : s.attrs) {
        if (!a.attr[0]) break;
        TagAttribute attr;
        SetField(attr.Attr, a.attr);
        SetField(attr.AttrCmmt, a.comment);
        SetField(attr.AttrInput, a.input);
        attr.AttrKind = a.kind;
        r->Attributes.push_back(attr);
    }
    return r;
}

std::unique_ptr<TagRecord> CInteractiveTagKind::Load(const SettingsStore& s, const std::string& section,
                                                     int j) const {
    auto r = std::make_unique<InteractiveTagData>();
    SetField(r->Name, ReadStr(s, section, "Name", j));
    SetField(r->Fact, ReadStr(s, section, "Fact", j));
    SetField(r->Comment, ReadStr(s, section, "Comment", j));
    r->Closed = settings::ReadSettingFlag(s, section, IndexedName("Closed", j), 0);
    r->bMenu = settings::ReadSettingFlag(s, section, IndexedName("bMenu", j), 0);
    const int n = settings::ReadSettingClamped(s, section, IndexedName("AttrNum", j), 0, 0, kMaxAttributes);
    r->Attributes.resize(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) {
        TagAttribute& a = r->Attributes[static_cast<std::size_t>(k)];
        SetField(a.Attr, s.ReadSettingString(section, IndexedName("Attr", j, k), ""));
        SetField(a.AttrCmmt, s.ReadSettingString(section, IndexedName("AttrCmmt", j, k), ""));
        SetField(a.AttrInput, s.ReadSettingString(section, IndexedName("AttrInput", j, k), ""));
        a.AttrKind = AttrKindOf(s.ReadSettingInt(section, IndexedName("AttrKind", j, k), 0));
    }
    return r;
}

void CInteractiveTagKind::Save(SettingsStore& s, const std::string& section, int j, const TagRecord* record) const {
    const InteractiveTagData empty;
    const auto& r = record ? static_cast<const InteractiveTagData&>(*record) : empty;
    SaveCommon(s, section, j, r);
    s.WriteSettingString(section, IndexedName("Fact", j), r.Fact);
    s.WriteSettingString(section, IndexedName("Comment", j), r.Comment);
    s.WriteSettingInt(section, IndexedName("Closed", j), r.Closed);
    s.WriteSettingInt(section, IndexedName("bMenu", j), r.bMenu);
    s.WriteSettingInt(section, IndexedName("AttrNum", j), static_cast<std::int32_t>(r.Attributes.size()));
    for (std::size_t k = 0; k < r.Attributes.size(); ++k) {
        const TagAttribute& a = r.Attributes[k];
        const int ki = static_cast<int>(k);
        s.WriteSettingString(section, IndexedName("Attr", j, ki), a.Attr);
        s.WriteSettingString(section, IndexedName("AttrCmmt", j, ki), a.AttrCmmt);
        s.WriteSettingString(section, IndexedName("AttrInput", j, ki), a.AttrInput);
        s.WriteSettingInt(section, IndexedName("AttrKind", j, ki), a.AttrKind);
    }
}

std::unique_ptr<TagRecord> CInteractiveTagKind::Import(int j, TagLineReader& reader) const {
    auto r = std::make_unique<InteractiveTagData>();
    SetField(r->Name, NextStr(reader, "Name", j));
    SetField(r->Fact, NextStr(reader, "Fact", j));
    SetField(r->Comment, NextStr(reader, "Comment", j));
    r->Closed = NextInt(reader, IndexedName("Closed", j)) != 0 ? 1 : 0;
    const std::int32_t n = NextInt(reader, IndexedName("AttrNum", j));
    // An attribute exists once its Attr line was read; those past the limit
    // are read past and dropped.
    std::string line;
    for (std::int32_t k = 0; k < n && reader.ReadTagLine(line); ++k) {
        TagAttribute a;
        SetField(a.Attr, StrValue(line, IndexedName("Attr", j, k), ""));
        SetField(a.AttrCmmt, NextStr(reader, IndexedName("AttrCmmt", j, k)));
        SetField(a.AttrInput, NextStr(reader, IndexedName("AttrInput", j, k)));
        a.AttrKind = AttrKindOf(NextInt(reader, IndexedName("AttrKind", j, k)));
        if (k < kMaxAttributes) r->Attributes.push_back(a);
    }
    return r;
}

void CInteractiveTagKind::Export(int j, const TagRecord* record, std::string& out) const {
    const InteractiveTagData empty;
    const auto& r = record ? static_cast<const InteractiveTagData&>(*record) : empty;
    PutLine(out, "Name", j, r.Name);
    PutLine(out, "Fact", j, r.Fact);
    PutLine(out, "Comment", j, r.Comment);
    PutLine(out, "Closed", j, r.Closed);
    PutLine(out, "AttrNum", j, static_cast<std::int32_t>(r.Attributes.size()));
    for (std::size_t k = 0; k < r.Attributes.size(); ++k) {
        const TagAttribute& a = r.Attributes[k];
        const int ki = static_cast<int>(k);
        PutLine(out, "Attr", j, ki, std::string(a.Attr));
        PutLine(out, "AttrCmmt", j, ki, std::string(a.AttrCmmt));
        PutLine(out, "AttrInput", j, ki, std::string(a.AttrInput));
        PutLine(out, "AttrKind", j, ki, static_cast<std::int32_t>(a.AttrKind));
    }
}

int CInteractiveTagKind::ImageIndex(const TagRecord* record) const {
    const auto* r = static_cast<const InteractiveTagData*>(record);
    return r && r->Closed == 1 ? image1 : image2;
}

int CInteractiveTagKind::Cursor(const TagRecord* record) const {
    const auto* r = static_cast<const InteractiveTagData*>(record);
    return r && r->Closed != 0 ? cursor1 : cursor2;
}

std::unique_ptr<TagRecord> CInteractiveTagKind::NewRecord() const {
    auto r = std::make_unique<InteractiveTagData>();
    SetField(r->Name, "新しい対話型タグ");
    SetField(r->Fact, "newtag");
    SetField(r->Comment, "タグの説明をここに記載してください");
    return r;
}

void CInteractiveTagKind::Run(TagRecord* record) {
    editor::IEditorOps* ed = Editor();
    if (!ed || !record) return;
    const auto& tag = static_cast<const InteractiveTagData&>(*record);
    std::vector<std::string> values;
    if (!tag.Attributes.empty() && !env->AskTagValues(tag, &values)) {
        env->FocusEditor();
        return;
    }
    std::string selection;
    if (tag.Closed == 1) ed->GetSelectedText(selection);
    const std::string text = InsertionText(tag, values, selection);
    ed->ReplaceSelection(text.data(), text.size(), true);
    env->FocusEditor();
}

int CInteractiveTagKind::Properties(TagRecord* record) {
    if (!record || !env) return 2;
    return env->InteractiveProperties(static_cast<InteractiveTagData&>(*record));
}

// --- Plug-ins ---------------------------------------------------------------

namespace {

std::unique_ptr<PluginTagData> MakePlugin(const std::string& name, const std::string& file,
                                          const std::string& comment) {
    auto r = std::make_unique<PluginTagData>();
    SetField(r->Name, name);
    SetField(r->File, file);
    SetField(r->Comment, comment);
    return r;
}

}  // namespace

std::unique_ptr<TagRecord> CPluginTagKind::MakeSample(int i) const {
    if (i == 0) return MakePlugin("カラー値取得", "Color.pqi", "様々なカラー値を取得する。");
    if (i == 1) return MakePlugin("グラデーション", "Gradation.pqi", "文字列をグラデーション表示する。");
    return nullptr;
}

std::unique_ptr<TagRecord> CPluginTagKind::Load(const SettingsStore& s, const std::string& section, int j) const {
    auto r = MakePlugin(ReadStr(s, section, "Name", j), ReadStr(s, section, "File", j),
                        ReadStr(s, section, "Comment", j));
    r->bMenu = settings::ReadSettingFlag(s, section, IndexedName("bMenu", j), 0);
    return r;
}

void CPluginTagKind::Save(SettingsStore& s, const std::string& section, int j, const TagRecord* record) const {
    const PluginTagData empty;
    const auto& r = record ? static_cast<const PluginTagData&>(*record) : empty;
    SaveCommon(s, section, j, r);
    s.WriteSettingString(section, IndexedName("File", j), r.File);
    s.WriteSettingString(section, IndexedName("Comment", j), r.Comment);
    s.WriteSettingInt(section, IndexedName("bMenu", j), r.bMenu);
}

std::unique_ptr<TagRecord> CPluginTagKind::Import(int j, TagLineReader& reader) const {
    const std::string name = NextStr(reader, "Name", j);
    const std::string file = NextStr(reader, "File", j);
    return MakePlugin(name, file, NextStr(reader, "Comment", j));
}

void CPluginTagKind::Export(int j, const TagRecord* record, std::string& out) const {
    const PluginTagData empty;
    const auto& r = record ? static_cast<const PluginTagData&>(*record) : empty;
    PutLine(out, "Name", j, r.Name);
    PutLine(out, "File", j, r.File);
    PutLine(out, "Comment", j, r.Comment);
}

void CPluginTagKind::Free(TagRecord* record) {
    auto* r = static_cast<PluginTagData*>(record);
    if (r && r->Module && env) env->ReleasePlugin(*r);
}

void CPluginTagKind::AfterInsert(TagRecord* record) {
    if (record && env) env->RunPlugin(static_cast<PluginTagData&>(*record));
}

std::unique_ptr<TagRecord> CPluginTagKind::NewRecord() const {
    return MakePlugin("新しいプラグイン", "***.pqi", "プラグインの説明をここに記載してください");
}

int CPluginTagKind::Properties(TagRecord* record) {
    if (!record || !env) return 2;
    auto& r = static_cast<PluginTagData&>(*record);
    // The user may replace or rename the module while the dialog is open.
    if (r.Module) env->ReleasePlugin(r);
    return env->PluginProperties(r);
}

// --- The table of kinds -----------------------------------------------------

CTagKind* TagKinds::Of(int kind) {
    switch (kind) {
        case kSimpleKind: return &m_simple;
        case kInteractiveKind: return &m_interactive;
        case kPluginKind: return &m_plugin;
        default: return nullptr;
    }
}

const CTagKind* TagKinds::Of(int kind) const { return const_cast<TagKinds*>(this)->Of(kind); }

void TagKinds::SetEnvironment(ITagEnvironment* env) {
    for (int k = 0; k < kKindCount; ++k) Of(k)->env = env;
}

std::string PluginNotFoundMessage(const std::string& file) {
    return file + "ファイルが見つかりません\n" + "パスを確認してください";
}

bool IsPluginFileNameAllowed(const std::string& file) {
    if (file.empty()) return false;
    std::string part;
    for (std::size_t i = 0; i <= file.size();) {
        if (i == file.size() || file[i] == '\\' || file[i] == '/') {
            if (part.empty() || part == "." || part == "..") return false;
            part.clear();
            if (i == file.size()) break;
            ++i;
            continue;
        }
        if (file[i] == ':' || file[i] == '\0') return false;
        const std::size_t next = sjis::Next(file.data(), file.size(), i);
        part.append(file, i, next - i);
        i = next;
    }
    return true;
}

char AccessChar(int position) {
    return position >= 0 && position <= '~' - 'A' ? static_cast<char>('A' + position) : 0;
}

std::string MenuLabel(const std::string& label, int position) {
    const char c = AccessChar(position);
    return c ? label + "(&" + c + ")" : label;
}

}  // namespace tags
