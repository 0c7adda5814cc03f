#include "editor/core/ColorMode.h"

#include "config/core/SettingsStore.h"
#include "editor/core/KeywordTable.h"
#include "framework/core/Sjis.h"

namespace editor {

namespace {

const ModeColorInfo kHtmlColors[] = {
    {"HTML elementColor", 0x800080, "HTML Element [要素]"},
    {"HTML attributeColor", 0x0000FF, "HTML Attribute [属性]"},
    {"HTML commentColor", 0xC0C0C0, "HTML Comment [コメント]"},
    {"HTML stringColor", 0x808040, "HTML String [文字列]"},
    {"HTML delimiterColor", 0xFF0000, "HTML Delimiter [括弧]"},
    {"HTML entityColor", 0x4080D0, "HTML Entity [特殊文字]"},
};
const ModeColorInfo kCgiColors[] = {
    {"CGI keywordColor", 0xFF0000, "CGI Keyword [予約語]"},
    {"CGI commentColor", 0x008000, "CGI Comment [コメント]"},
    {"CGI stringColor", 0x4000C0, "CGI String [文字列]"},
};
const ModeColorInfo kUserColors[] = {
    {"User keywordColor", 0xFF0000, "User Keyword [予約語]"},
    {"User lcommentColor", 0x008000, "User Linecmmt [1行コメント]"},
    {"User hlineColor", 0x0000FF, "User Headline [見出し]"},
};

const ColorModeInfo kModeInfo[] = {
    {ModeKind::Html, "HTML", "CanvasEdit\\HTML", "html;htm;shtml;shtm;", "HTML element.kwd", "HTML attribute.kwd", 6,
     kHtmlColors},
    {ModeKind::Cgi, "CGI", "CanvasEdit\\CGI", "pl;cgi;", "CGI.kwd", "", 3, kCgiColors},
    {ModeKind::Common, "共通", "CanvasEdit\\Common", "", "", "", 0, nullptr},
    {ModeKind::User, "ユーザー定義", "CanvasEdit\\User", "", "", "", 3, kUserColors},
};

// The EditorSettings values stored per mode, in record order; the scroll
// steps (fields 5-7) are not stored.
struct SettingField {
    const char* name;
    std::int32_t EditorSettings::*field;
    std::int32_t lo, hi;  // flags are 0 ... 1
};
const SettingField kSettingFields[] = {
    {"bColorMode", &EditorSettings::colorMode, 0, 1},
    {"bIndentMode", &EditorSettings::indentMode, 0, 1},
    {"bDragDropMode", &EditorSettings::dragDropMode, 0, 1},
    {"tabSize", &EditorSettings::tabSize, 1, 32},
    {"lMarginWidth", &EditorSettings::marginWidth, 0, 100},
    {"lSpaceHeight", &EditorSettings::lineSpacing, 0, 100},
    {"bEofDisp", &EditorSettings::eofDisp, 0, 1},
    {"bTabDisp", &EditorSettings::tabDisp, 0, 1},
    {"bHalfSpDisp", &EditorSettings::halfSpaceDisp, 0, 1},
    {"bFullSpDisp", &EditorSettings::fullSpaceDisp, 0, 1},
    {"bCrlfDisp", &EditorSettings::crlfDisp, 0, 1},
    {"bLineNumDisp", &EditorSettings::lineNumDisp, 0, 1},
    {"bLineNumSelDisp", &EditorSettings::lineNumSelDisp, 0, 1},
    {"bRulerDisp", &EditorSettings::rulerDisp, 0, 1},
    {"bRulerSelDisp", &EditorSettings::rulerSelDisp, 0, 1},
};

struct ColorField {
    const char* name;
    const char* label;
    Color EditorColors::*field;
};
const ColorField kColorFields[kCommonColorItems] = {
    {"textColor", "テキスト", &EditorColors::text},
    {"backColor", "背景", &EditorColors::background},
    {"selTextColor", "選択テキスト", &EditorColors::selectedText},
    {"selBackColor", "選択背景", &EditorColors::selectionBackground},
    {"tabColor", "タブ文字マーク", &EditorColors::tabMark},
    {"halfSpColor", "半角スペースマーク", &EditorColors::halfSpaceMark},
    {"fullSpColor", "全角スペースマーク", &EditorColors::fullSpaceMark},
    {"crlfColor", "改行マーク", &EditorColors::lineEndMark},
    {"eofColor", "[EOF]マーク", &EditorColors::eofMark},
    {"linenumColor", "行番号", &EditorColors::lineNumber},
    {"linenumBackColor", "行番号背景", &EditorColors::lineNumberBackground},
    {"rulerColor", "ルーラー", &EditorColors::ruler},
    {"rulerBackColor", "ルーラー背景", &EditorColors::rulerBackground},
};

constexpr Color kColorMask = 0x00FFFFFF;  // a COLORREF with the palette bits cleared
constexpr int kMaxFontSize = 200;
constexpr std::size_t kMaxFaceName = 31;  // a face name fits the system's 32-byte field

const char kUserModeNum[] = "UserModeNum";
const char kUserModeName[] = "UserModeName";
const char kModeIndex[] = "ModeIndex";
const char kDetailIndex[] = "DetailIndex";

// The first occurrence of needle that starts on a character of hay.
bool ContainsAtCharacter(const std::string& hay, const std::string& needle) {
    if (needle.size() > hay.size()) return false;
    for (std::size_t i = 0; i + needle.size() <= hay.size(); i = sjis::Next(hay.data(), hay.size(), i)) {
        if (hay.compare(i, needle.size(), needle) == 0) return true;
    }
    return false;
}

ColorMode ReadMode(const settings::SettingsStore& store, int index, const SystemColors& sys) {
    const ModeKind kind = KindOfIndex(index);
    const ColorModeInfo& info = ModeInfo(kind);
    const std::string section = ModeSection(index);
    ColorMode m = DefaultColorMode(kind, sys);
    for (const SettingField& f : kSettingFields)
        m.settings.*f.field = settings::ReadSettingClamped(store, section, f.name, m.settings.*f.field, f.lo, f.hi);
    for (const ColorField& f : kColorFields)
        m.colors.*f.field = static_cast<Color>(store.ReadSettingInt(section, f.name,
                                                                    static_cast<std::int32_t>(m.colors.*f.field))) &
                            kColorMask;
    for (int c = 0; c < info.colorCount; ++c)
        m.modeColors[c] = static_cast<Color>(store.ReadSettingInt(section, info.colors[c].valueName,
                                                                  static_cast<std::int32_t>(m.modeColors[c]))) &
                          kColorMask;
    m.ext = store.ReadSettingString(section, "Ext", m.ext);
    m.fontName = sjis::CutAtBoundary(store.ReadSettingString(section, "FontName", m.fontName), kMaxFaceName);
    if (m.fontName.empty()) m.fontName = kDefaultFontName;
    m.fontSize = settings::ReadSettingClamped(store, section, "FontSize", m.fontSize, 1, kMaxFontSize);
    m.keyfile1 = store.ReadSettingString(section, "KeyfileName1", m.keyfile1);
    m.keyfile2 = store.ReadSettingString(section, "KeyfileName2", m.keyfile2);
    if (!m.keyfile1.empty() && !IsPlainFileName(m.keyfile1)) m.keyfile1.clear();
    if (!m.keyfile2.empty() && !IsPlainFileName(m.keyfile2)) m.keyfile2.clear();
    m.headline = store.ReadSettingString(section, "HeadlineStr", "");
    m.lineComment = store.ReadSettingString(section, "LcommentStr", "");
    m.name = store.ReadSettingString(kCanvasEditSection, settings::IndexedName(kUserModeName, index), m.name);
    if (m.name.empty()) m.name = info.displayName;
    return m;
}

bool WriteMode(settings::SettingsStore& store, int index, const ColorMode& m) {
    const ColorModeInfo& info = ModeInfo(KindOfIndex(index));
    const std::string section = ModeSection(index);
    bool ok = true;
    for (const SettingField& f : kSettingFields) ok &= store.WriteSettingInt(section, f.name, m.settings.*f.field);
    for (const ColorField& f : kColorFields)
        ok &= store.WriteSettingInt(section, f.name, static_cast<std::int32_t>(m.colors.*f.field));
    for (int c = 0; c < info.colorCount; ++c)
        ok &= store.WriteSettingInt(section, info.colors[c].valueName, static_cast<std::int32_t>(m.modeColors[c]));
    ok &= store.WriteSettingString(section, "Ext", m.ext);
    ok &= store.WriteSettingString(section, "FontName", m.fontName);
    ok &= store.WriteSettingInt(section, "FontSize", m.fontSize);
    ok &= store.WriteSettingString(section, "KeyfileName1", m.keyfile1);
    ok &= store.WriteSettingString(section, "KeyfileName2", m.keyfile2);
    ok &= store.WriteSettingString(section, "HeadlineStr", m.headline);
    ok &= store.WriteSettingString(section, "LcommentStr", m.lineComment);
    ok &= store.WriteSettingString(kCanvasEditSection, settings::IndexedName(kUserModeName, index), m.name);
    return ok;
}

}  // namespace

const ColorModeInfo& ModeInfo(ModeKind kind) { return kModeInfo[static_cast<int>(kind)]; }

ModeKind KindOfIndex(int modeIndex) {
    return modeIndex <= kHtmlMode ? ModeKind::Html
           : modeIndex == kCgiMode ? ModeKind::Cgi
           : modeIndex == kCommonMode ? ModeKind::Common
                                      : ModeKind::User;
}

std::string ModeSection(int modeIndex) {
    const ColorModeInfo& info = ModeInfo(KindOfIndex(modeIndex));
    if (info.kind != ModeKind::User) return info.section;
    return settings::IndexedName(info.section, modeIndex - kBuiltInModes);
}

ColorMode DefaultColorMode(ModeKind kind, const SystemColors& sys) {
    const ColorModeInfo& info = ModeInfo(kind);
    ColorMode m;
    m.kind = kind;
    m.colors = DefaultEditorColors(sys);
    m.ext = info.ext;
    m.keyfile1 = info.keyfile1;
    m.keyfile2 = info.keyfile2;
    m.name = info.displayName;
    for (int c = 0; c < info.colorCount; ++c) m.modeColors[c] = info.colors[c].defaultColor;
    return m;
}

int ColorItemCount(const ColorMode& mode) { return kCommonColorItems + ModeInfo(mode.kind).colorCount; }

const char* ColorItemLabel(const ColorMode& mode, int item) {
    if (item >= 0 && item < kCommonColorItems) return kColorFields[item].label;
    const ColorModeInfo& info = ModeInfo(mode.kind);
    const int c = item - kCommonColorItems;
    return c >= 0 && c < info.colorCount ? info.colors[c].label : "";
}

Color ColorItem(const ColorMode& mode, int item) {
    if (item >= 0 && item < kCommonColorItems) return mode.colors.*kColorFields[item].field;
    const int c = item - kCommonColorItems;
    return c >= 0 && c < ModeInfo(mode.kind).colorCount ? mode.modeColors[c] : 0;
}

void SetColorItem(ColorMode& mode, int item, Color color) {
    color &= kColorMask;
    if (item >= 0 && item < kCommonColorItems) {
        mode.colors.*kColorFields[item].field = color;
        return;
    }
    const int c = item - kCommonColorItems;
    if (c >= 0 && c < ModeInfo(mode.kind).colorCount) mode.modeColors[c] = color;
}

Color DefaultColorItem(const ColorMode& mode, int item, const SystemColors& sys) {
    return ColorItem(DefaultColorMode(mode.kind, sys), item);
}

std::pair<Color, Color> ColorItemSample(const ColorMode& mode, int item) {
    const EditorColors& c = mode.colors;
    switch (item) {
    case 0:
    case 1: return {c.text, c.background};
    case 2:
    case 3: return {c.selectedText, c.selectionBackground};
    case 9:
    case 10: return {c.lineNumber, c.lineNumberBackground};
    case 11:
    case 12: return {c.ruler, c.rulerBackground};
    default: return {ColorItem(mode, item), c.background};  // marks and the mode's colours
    }
}

std::string ExtensionListKey(const std::string& list) { return sjis::ToLowerAscii(";" + list + ";"); }

ColorModeTable::ColorModeTable(const SystemColors& sys) : m_sys(sys) { Reset(); }

void ColorModeTable::Reset() {
    m_modes.clear();
    for (int i = 0; i < kBuiltInModes; ++i) m_modes.push_back(DefaultColorMode(KindOfIndex(i), m_sys));
    m_modeIndex = 0;
    m_detailIndex = 0;
}

void ColorModeTable::Load(const settings::SettingsStore& store) {
    const int users = settings::ReadSettingClamped(store, kCanvasEditSection, kUserModeNum, 0, 0, kMaxUserModes);
    m_modes.clear();
    for (int i = 0; i < kBuiltInModes + users; ++i) m_modes.push_back(ReadMode(store, i, m_sys));
    SetModeIndex(store.ReadSettingInt(kCanvasEditSection, kModeIndex, 0));
    SetDetailIndex(store.ReadSettingInt(kCanvasEditSection, kDetailIndex, 0));
}

bool ColorModeTable::Save(settings::SettingsStore& store) const {
    bool ok = store.WriteSettingInt(kCanvasEditSection, kUserModeNum, Count() - kBuiltInModes);
    for (int i = 0; i < Count(); ++i) ok &= WriteMode(store, i, m_modes[static_cast<std::size_t>(i)]);
    // What removed user modes left behind.
    for (int i = Count(); i < kMaxModes; ++i) {
        store.DeleteSettingSection(ModeSection(i));
        store.DeleteSettingValue(kCanvasEditSection, settings::IndexedName(kUserModeName, i));
    }
    ok &= store.WriteSettingInt(kCanvasEditSection, kModeIndex, m_modeIndex);
    ok &= store.WriteSettingInt(kCanvasEditSection, kDetailIndex, m_detailIndex);
    return ok;
}

bool ColorModeTable::ReplaceModes(std::vector<ColorMode> modes) {
    if (modes.size() < static_cast<std::size_t>(kBuiltInModes)) return false;
    if (modes.size() > static_cast<std::size_t>(kMaxModes)) modes.resize(kMaxModes);
    for (std::size_t i = 0; i < modes.size(); ++i) modes[i].kind = KindOfIndex(static_cast<int>(i));
    m_modes = std::move(modes);
    SetModeIndex(m_modeIndex);
    return true;
}

int ColorModeTable::ModeForExtension(const std::string& extension) const {
    const std::string key = ExtensionListKey(extension);
    for (int i = 0; i < Count(); ++i) {
        if (ContainsAtCharacter(ExtensionListKey(m_modes[static_cast<std::size_t>(i)].ext), key)) return i;
    }
    return kCommonMode;
}

int ColorModeTable::AddUserMode(const std::string& name) {
    if (!CanAddUserMode()) return -1;
    ColorMode m = DefaultColorMode(ModeKind::User, m_sys);
    if (!name.empty()) m.name = name;
    m_modes.push_back(std::move(m));
    return Count() - 1;
}

bool ColorModeTable::RemoveMode(int index) {
    if (index < kBuiltInModes || index >= Count()) return false;
    m_modes.erase(m_modes.begin() + index);
    SetModeIndex(m_modeIndex);
    return true;
}

}  // namespace editor
