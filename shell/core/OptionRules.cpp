#include "shell/core/OptionRules.h"

#include <algorithm>

#include "framework/core/PathUtil.h"
#include "framework/core/Sjis.h"

namespace options {

namespace {

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// Whether a single-byte character stands at every position of `chars` in
// text; scanning by character so trail bytes never count.
bool HasSingleByteOf(const std::string& text, const char* chars) {
    for (std::size_t i = 0; i < text.size(); i = sjis::Next(text.data(), text.size(), i)) {
        if (sjis::CharLength(text.data(), text.size(), i) != 1) continue;
        for (const char* c = chars; *c; ++c) {
            if (text[i] == *c) return true;
        }
    }
    return false;
}

bool ContainsDoubleDot(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); i = sjis::Next(text.data(), text.size(), i)) {
        if (text[i] == '.' && i + 1 < text.size() && text[i + 1] == '.') return true;
    }
    return false;
}

}  // namespace

int StartPage(int stored, int pageCount) { return stored >= 0 && stored < pageCount ? stored : 0; }

int ClampPercent(const std::string& digits) {
    int value = 0;
    for (char c : digits) {
        if (!IsAsciiDigit(c)) continue;
        value = value * 10 + (c - '0');
        if (value > 100) return 100;
    }
    return value;
}

bool IsDeviceName(const std::string& name) {
    const std::size_t dot = sjis::FindChar(name, '.');
    std::string stem = sjis::ToLowerAscii(dot == sjis::npos ? name : name.substr(0, dot));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    if (stem == "nul" || stem == "con" || stem == "aux" || stem == "prn") return true;
    return stem.size() == 4 && (stem.compare(0, 3, "com") == 0 || stem.compare(0, 3, "lpt") == 0) && stem[3] >= '1' &&
           stem[3] <= '9';
}

bool KeywordFileName(const std::string& typed, std::string* fileName) {
    if (typed.empty() || typed.size() > kKeywordNameMax) return false;
    if (HasSingleByteOf(typed, "\\/:*?\"<>|") || ContainsDoubleDot(typed) || IsDeviceName(typed)) return false;
    const std::string ext = sjis::ToLowerAscii(pathutil::ExtensionOf(typed));
    *fileName = ext == "kwd" ? typed : typed + ".kwd";
    return true;
}

bool DefaultExtensionAccepted(const std::string& ext) {
    if (!ext.empty() && ext[0] == '.') return false;
    return !HasSingleByteOf(ext, "\\/:*?\"<>|");
}

std::string ExtensionListOnOk(const std::string& text) {
    if (text.empty()) return text;
    // ';' is never a trail byte, but the last character decides, not the last byte.
    const std::size_t last = sjis::Previous(text.data(), text.size(), text.size());
    return text[last] == ';' && last + 1 == text.size() ? text : text + ';';
}

std::string BrowserLabel(const std::string& menuText) {
    const std::size_t paren = sjis::FindLastChar(menuText, '(');
    std::string label = paren == sjis::npos ? menuText : menuText.substr(0, paren);
    while (!label.empty() && label.back() == ' ' &&
           sjis::IsBoundary(label.data(), label.size(), label.size() - 1))
        label.pop_back();
    return label;
}

int FindKeywordFile(const std::vector<std::string>& names, const std::string& name) {
    if (name.empty()) return -1;
    const std::string key = sjis::ToLowerAscii(name);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (sjis::ToLowerAscii(names[i]) == key) return static_cast<int>(i);
    }
    return -1;
}

int AddKeywordFileOnce(std::vector<std::string>* names, const std::string& name) {
    const int found = FindKeywordFile(*names, name);
    if (found >= 0) return found;
    const auto at = std::lower_bound(names->begin(), names->end(), name);
    const auto inserted = names->insert(at, name);
    return static_cast<int>(inserted - names->begin());
}

std::string KeywordTextForEdit(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t next = sjis::Next(bytes.data(), bytes.size(), i);
        if (bytes[i] == '\r') {
            out += "\r\n";
            if (next < bytes.size() && bytes[next] == '\n') {
                i = next + 1;
                continue;
            }
        } else if (bytes[i] == '\n') {
            out += "\r\n";
        } else {
            out.append(bytes, i, next - i);
        }
        i = next;
    }
    return out;
}

bool WriteKeywordFile(IKeywordDisk& disk, const std::string& folder, const std::string& fileName,
                      const std::string& text) {
    const std::string target = pathutil::Join(folder, fileName);
    const std::string temp = target + ".tmp";
    if (!disk.Write(temp, text)) {
        disk.Remove(temp);
        return false;
    }
    if (!disk.Replace(temp, target)) {
        disk.Remove(temp);
        return false;
    }
    return true;
}

const std::vector<int>& StandardSizes() {
    static const std::vector<int> sizes = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
    return sizes;
}

int BitmapPointSize(int cellHeight, int internalLeading, int dpiY) {
    if (dpiY <= 0) return 0;
    return static_cast<int>((cellHeight - internalLeading) * 72.0 / dpiY + 0.5);
}

void AddSize(std::vector<int>* sizes, int size) {
    const auto at = std::lower_bound(sizes->begin(), sizes->end(), size);
    if (at == sizes->end() || *at != size) sizes->insert(at, size);
}

void AddFontFamily(std::vector<std::string>* families, const std::string& name) {
    if (name.empty()) return;
    const auto at = std::lower_bound(families->begin(), families->end(), name);
    if (at == families->end() || *at != name) families->insert(at, name);
}

int IndexOfFont(const std::vector<std::string>& families, const std::string& name) {
    const auto at = std::find(families.begin(), families.end(), name);
    return at == families.end() ? -1 : static_cast<int>(at - families.begin());
}

int IndexOfSize(const std::vector<int>& sizes, int size) {
    const auto at = std::find(sizes.begin(), sizes.end(), size);
    return at == sizes.end() ? -1 : static_cast<int>(at - sizes.begin());
}

namespace {
struct DisplayRow {
    const char* label;
    std::int32_t editor::EditorSettings::*field;
};
const DisplayRow kDisplayRows[kDisplayFlagCount] = {
    {"Drag&Drop編集を可能にする", &editor::EditorSettings::dragDropMode},
    {"自動インデントを可能にする", &editor::EditorSettings::indentMode},
    {"カラー表示を可能にする", &editor::EditorSettings::colorMode},
    {"行番号を表示する", &editor::EditorSettings::lineNumDisp},
    {"行番号にカレット位置を表示する", &editor::EditorSettings::lineNumSelDisp},
    {"ルーラーを表示する", &editor::EditorSettings::rulerDisp},
    {"ルーラーにカレット位置を表示する", &editor::EditorSettings::rulerSelDisp},
    {"タブ文字マークを表示する", &editor::EditorSettings::tabDisp},
    {"改行マークを表示する", &editor::EditorSettings::crlfDisp},
    {"EOFマークを表示する", &editor::EditorSettings::eofDisp},
    {"半角スペースマークを表示する", &editor::EditorSettings::halfSpaceDisp},
    {"全角スペースマークを表示する", &editor::EditorSettings::fullSpaceDisp},
};
}  // namespace

const char* DisplayFlagLabel(int row) { return kDisplayRows[row].label; }
std::int32_t& DisplayFlag(editor::EditorSettings& settings, int row) { return settings.*kDisplayRows[row].field; }

EmphasisEnabling EmphasisFor(editor::ModeKind kind) {
    EmphasisEnabling e;
    e.keyfile1 = kind != editor::ModeKind::Common;
    e.keyfile2 = kind == editor::ModeKind::Html;
    e.markers = kind == editor::ModeKind::User;
    return e;
}

bool ExtensionEditEnabled(editor::ModeKind kind) { return kind != editor::ModeKind::Common; }

CanvasPageModel::CanvasPageModel(const editor::ColorModeTable& table) : m_table(table) {
    Select(table.ModeIndex());
    SetTab(table.DetailIndex());
}

void CanvasPageModel::Select(int mode) { m_selected = mode >= 0 && mode < Count() ? mode : 0; }

void CanvasPageModel::SetTab(int tab) { m_tab = tab >= 0 && tab < editor::kDetailTabs ? tab : 0; }

bool CanvasPageModel::Add(const std::string& name) {
    if (name.empty()) return false;
    const int index = m_table.AddUserMode(name);
    if (index < 0) return false;
    m_selected = index;
    m_tab = 0;
    return true;
}

bool CanvasPageModel::RemoveSelected() {
    if (!CanRemove() || !m_table.RemoveMode(m_selected)) return false;
    if (m_selected >= Count()) m_selected = Count() - 1;
    return true;
}

void CanvasPageModel::ResetColor(int item) {
    editor::ColorMode& mode = Mode();
    if (item < 0 || item >= editor::ColorItemCount(mode)) return;
    editor::SetColorItem(mode, item, editor::DefaultColorItem(mode, item, m_table.System()));
}

void CanvasPageModel::ResetAllColors() {
    for (int item = 0; item < editor::ColorItemCount(Mode()); ++item) ResetColor(item);
}

CanvasPageResult CanvasPageModel::Result() const {
    CanvasPageResult r;
    r.modes = m_table.Modes();
    r.modeIndex = m_selected;
    r.detailIndex = m_tab;
    return r;
}

WebPageEnabling WebPageEnablingFor(const preview::BrowserBlock& block, int browser) {
    WebPageEnabling e;
    e.path = browser >= 0 && browser < preview::kInternalBrowser;
    e.folder = block.tempPoint == 1;
    return e;
}

FilePageEnabling FilePageEnablingFor(const docs::FileSettings& s) {
    FilePageEnabling e;
    e.backupDirPoint = s.backup == 1;
    e.backupDir = s.backup == 1 && s.backupDirPoint == 1;
    e.templatePath = s.useTemplate == 1;
    return e;
}

FolderPageEnabling FolderPageEnablingFor(const filetree::FolderTreeSettings& s) {
    FolderPageEnabling e;
    e.radios = s.dirPoint == 1;
    e.folder = s.dirPoint == 1 && s.dirMethod == 1;
    e.extensions = s.extPoint == 1;
    return e;
}

FolderPageResult FolderPageResultFor(const filetree::FolderTreeSettings& edited, bool filterTouched) {
    FolderPageResult r;
    r.settings = edited;
    r.settings.extKinds = ExtensionListOnOk(edited.extKinds);
    r.rebuild = filterTouched;
    return r;
}

}  // namespace options
