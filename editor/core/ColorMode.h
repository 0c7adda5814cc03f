// Colour modes: what makes an editor behave for one kind of file (colouring
// rules, keyword files, colours, display options, font, extensions). Three
// built-in modes (HTML, CGI, "共通") and up to 13 user modes, kept in one
// table that is read from and written to the settings store.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "editor/core/EditorSettings.h"

namespace settings {
class SettingsStore;
}

namespace editor {

enum class ModeKind { Html = 0, Cgi = 1, Common = 2, User = 3 };

constexpr int kHtmlMode = 0;
constexpr int kCgiMode = 1;
constexpr int kCommonMode = 2;
constexpr int kBuiltInModes = 3;
constexpr int kMaxModes = 16;
constexpr int kMaxUserModes = kMaxModes - kBuiltInModes;
constexpr int kMaxModeColors = 8;
constexpr int kCommonColorItems = 13;  // the EditorColors
constexpr int kDetailTabs = 3;         // "設定", "書式", "強調" of the options page

constexpr char kCanvasEditSection[] = "CanvasEdit";
constexpr char kDefaultFontName[] = "ＭＳ ゴシック";
constexpr int kDefaultFontSize = 11;

// One colour that belongs to a mode kind (elements, keywords, ...).
struct ModeColorInfo {
    const char* valueName;  // registry value in the mode's section
    Color defaultColor;
    const char* label;      // as the options sheet lists it
};

// The fixed description of a mode kind: one row per built-in mode and one
// shared row for every user mode.
struct ColorModeInfo {
    ModeKind kind;
    const char* displayName;  // default display name
    const char* section;      // "CanvasEdit\\HTML"; user modes append their number
    const char* ext;          // default extension list
    const char* keyfile1;
    const char* keyfile2;
    int colorCount;
    const ModeColorInfo* colors;
};

const ColorModeInfo& ModeInfo(ModeKind kind);
// The kind of the mode at a table index: 0, 1, 2 built-in, 3 and above user.
ModeKind KindOfIndex(int modeIndex);
// The settings section of the mode at a table index ("CanvasEdit\\User0" for
// index 3).
std::string ModeSection(int modeIndex);

// One entry of the mode table.
struct ColorMode {
    ModeKind kind = ModeKind::Common;
    EditorSettings settings;
    EditorColors colors{};
    std::string ext;        // extensions, each ended by ";"
    std::string fontName = kDefaultFontName;
    int fontSize = kDefaultFontSize;
    Color modeColors[kMaxModeColors] = {};  // ModeInfo(kind).colorCount of them
    std::string keyfile1;
    std::string keyfile2;
    std::string name;       // display name
    std::string headline;   // user modes: headline marker
    std::string lineComment;  // user modes: line-comment marker
};

// A mode with every default of its kind.
ColorMode DefaultColorMode(ModeKind kind, const SystemColors& sys);

// Colour items as the options sheet shows them: the thirteen EditorColors,
// then the mode's own colours.
int ColorItemCount(const ColorMode& mode);
const char* ColorItemLabel(const ColorMode& mode, int item);
Color ColorItem(const ColorMode& mode, int item);
void SetColorItem(ColorMode& mode, int item, Color color);
Color DefaultColorItem(const ColorMode& mode, int item, const SystemColors& sys);
// The pair a sample of the item is drawn with: (foreground, background).
std::pair<Color, Color> ColorItemSample(const ColorMode& mode, int item);

// The colour-mode table of the main frame.
class ColorModeTable {
public:
    explicit ColorModeTable(const SystemColors& sys = SystemColors());

    // LoadColorModes: UserModeNum (clamped to 0 ... 13), then 3 + UserModeNum
    // entries with their defaults, then ModeIndex and DetailIndex (clamped).
    // Stored values are never trusted: flags read as 0 or 1, sizes and
    // colours are clamped, keyword file names that name a folder are dropped.
    void Load(const settings::SettingsStore& store);
    // SaveColorModes: UserModeNum, every value of every entry, the display
    // names as "UserModeName" + index, ModeIndex and DetailIndex. Sections and
    // names of user modes removed since are deleted.
    bool Save(settings::SettingsStore& store) const;

    int Count() const { return static_cast<int>(m_modes.size()); }
    const ColorMode& Mode(int index) const { return m_modes[static_cast<std::size_t>(ClampMode(index))]; }
    ColorMode& Mode(int index) { return m_modes[static_cast<std::size_t>(ClampMode(index))]; }
    const std::vector<ColorMode>& Modes() const { return m_modes; }
    // The options sheet's working copy replacing the table (the three
    // built-in modes must lead it; extra user modes beyond 16 are dropped).
    bool ReplaceModes(std::vector<ColorMode> modes);

    // The mode for a file extension (without the '.'): the first mode whose
    // extension list contains it, ignoring case; mode 2 when none does.
    int ModeForExtension(const std::string& extension) const;

    bool CanAddUserMode() const { return Count() < kMaxModes; }
    // Appends a user mode with the defaults; returns its index, or -1 when
    // the table is full.
    int AddUserMode(const std::string& name);
    // Removes a user mode (built-in modes stay); false when index is none.
    bool RemoveMode(int index);

    // Mode and tab last shown on the options sheet.
    int ModeIndex() const { return m_modeIndex; }
    int DetailIndex() const { return m_detailIndex; }
    void SetModeIndex(int index) { m_modeIndex = ClampMode(index); }
    void SetDetailIndex(int index) { m_detailIndex = index < 0 ? 0 : index >= kDetailTabs ? kDetailTabs - 1 : index; }

    const SystemColors& System() const { return m_sys; }

private:
    int ClampMode(int index) const { return index < 0 ? 0 : index >= Count() ? Count() - 1 : index; }
    void Reset();
    std::vector<ColorMode> m_modes;
    int m_modeIndex = 0;
    int m_detailIndex = 0;
    SystemColors m_sys;
};

// The extension list for matching: ";" + list + ";", lower-cased.
std::string ExtensionListKey(const std::string& list);

}  // namespace editor
