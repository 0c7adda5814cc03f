// Rules of the options sheet "オプション" that need no window: which pages
// it shows, how its edits are checked and clamped, what enables which
// control, and the records each page hands back to the owner of the values.
// Texts and paths are Shift JIS and scanned by character.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "documents/core/DocRules.h"
#include "documents/core/Preview.h"
#include "editor/core/ColorMode.h"
#include "filetree/core/FolderTreeRules.h"

namespace options {

// Page mask bits; the pages are added in the order of kPageOrder.
constexpr unsigned kFolderTreePage = 0x01;
constexpr unsigned kPreviewPage = 0x02;
constexpr unsigned kPreview2Page = 0x04;
constexpr unsigned kEditorPage = 0x08;
constexpr unsigned kFilePage = 0x10;
constexpr unsigned kEtcPage = 0x20;
constexpr unsigned kAllPages = 0x3F;
constexpr unsigned kPageOrder[6] = {kEditorPage, kPreviewPage, kPreview2Page, kFilePage, kFolderTreePage, kEtcPage};

// The page to open on: the stored index when it names a page, else 0.
int StartPage(int stored, int pageCount);

// --- Numbers and names -------------------------------------------------------

// The value of a digits-only edit clamped to 0 ... 100; any number too large
// to read is 100; an empty edit is 0.
int ClampPercent(const std::string& digits);

// Longest keyword file name the user types, leaving room for ".kwd".
constexpr std::size_t kKeywordNameMax = 28;

// Whether the name's stem (before its first '.') is a device of the system
// (nul, con, aux, prn, com1-com9, lpt1-lpt9), in any case.
bool IsDeviceName(const std::string& name);

// The keyword file name for what the user typed: ".kwd" appended unless the
// extension is "kwd" in any case. False (name untouched) for an empty name,
// one longer than kKeywordNameMax bytes, one holding a path separator, ':',
// '*', '?', '"', '<', '>', '|' or "..", or a device name.
bool KeywordFileName(const std::string& typed, std::string* fileName);

// Whether a default extension is accepted: none of \ / : * ? " < > | and no
// leading '.'. Empty is accepted (no extension is added).
bool DefaultExtensionAccepted(const std::string& ext);

// The extension list as the folder tree page hands it back: ";" appended
// when the text is not empty and does not end with one.
std::string ExtensionListOnOk(const std::string& text);

// The label of a Tools menu item on the preview page: its text before the
// last "(" (the whole text when it has none), trailing spaces cut.
std::string BrowserLabel(const std::string& menuText);

// --- Keyword files -----------------------------------------------------------

// The index of `name` in the drop-down's names, compared whole (ASCII letters
// without regard to case); -1 for an empty or missing name.
int FindKeywordFile(const std::vector<std::string>& names, const std::string& name);
// Inserts a name into a sorted list once; its index.
int AddKeywordFileOnce(std::vector<std::string>* names, const std::string& name);

// A keyword file's bytes as the multi-line edit shows them: every line end
// (LF, CR or CRLF) as CRLF.
std::string KeywordTextForEdit(const std::string& bytes);

// Where keyword files are written (the "Keyword" folder in the program;
// anything in tests).
class IKeywordDisk {
public:
    virtual ~IKeywordDisk() = default;
    virtual bool Exists(const std::string& path) = 0;
    // Creates or truncates the file and writes the bytes; false on failure.
    virtual bool Write(const std::string& path, const std::string& bytes) = 0;
    // Moves `from` over `to`, replacing it; false on failure.
    virtual bool Replace(const std::string& from, const std::string& to) = 0;
    virtual void Remove(const std::string& path) = 0;
};

// Writes the text as the whole file `folder` + fileName: first to a file
// beside it, which then replaces the target, so a failed write leaves the
// old file as it was. False when either step failed (the temporary file is
// removed).
bool WriteKeywordFile(IKeywordDisk& disk, const std::string& folder, const std::string& fileName,
                      const std::string& text);

// --- Fonts ---------------------------------------------------------------

// The sizes offered for scalable fonts.
const std::vector<int>& StandardSizes();
// A bitmap font's size in points: (cell height - internal leading) x 72 /
// vertical dots per inch, rounded.
int BitmapPointSize(int cellHeight, int internalLeading, int dpiY);
// Inserts a size into an ascending list once.
void AddSize(std::vector<int>* sizes, int size);
// Inserts a family into a sorted list once.
void AddFontFamily(std::vector<std::string>* families, const std::string& name);
// Index of the family or size; -1 when it is not offered (the mode keeps its
// own until the user picks one).
int IndexOfFont(const std::vector<std::string>& families, const std::string& name);
int IndexOfSize(const std::vector<int>& sizes, int size);

// --- The editor page -----------------------------------------------------------

// The twelve display options of the "設定" panel, in their row order.
constexpr int kDisplayFlagCount = 12;
const char* DisplayFlagLabel(int row);
std::int32_t& DisplayFlag(editor::EditorSettings& settings, int row);

// What the "強調" panel enables for a mode kind.
struct EmphasisEnabling {
    bool keyfile1 = false;
    bool keyfile2 = false;
    bool markers = false;  // 見出し and コメント
};
EmphasisEnabling EmphasisFor(editor::ModeKind kind);
bool ExtensionEditEnabled(editor::ModeKind kind);

// What the editor page hands back on OK.
struct CanvasPageResult {
    std::vector<editor::ColorMode> modes;
    int modeIndex = 0;
    int detailIndex = 0;
};

// The working copy of the mode table behind the editor page.
class CanvasPageModel {
public:
    explicit CanvasPageModel(const editor::ColorModeTable& table);

    int Count() const { return m_table.Count(); }
    int Selected() const { return m_selected; }
    int Tab() const { return m_tab; }
    void Select(int mode);
    void SetTab(int tab);
    editor::ColorMode& Mode() { return m_table.Mode(m_selected); }
    const editor::ColorMode& Mode(int index) const { return m_table.Mode(index); }

    bool CanAdd() const { return m_table.CanAddUserMode(); }
    bool CanRemove() const { return m_selected >= editor::kBuiltInModes && m_selected < Count(); }
    // Appends a user mode, selects it and shows the first tab; false when full
    // or the name is empty.
    bool Add(const std::string& name);
    // Removes the selected user mode and selects the next one (the previous
    // one when the last was removed).
    bool RemoveSelected();

    // The colour items of the selected mode back to their defaults.
    void ResetColor(int item);
    void ResetAllColors();

    CanvasPageResult Result() const;

private:
    editor::ColorModeTable m_table;
    int m_selected = 0;
    int m_tab = 0;
};

// --- The other pages -----------------------------------------------------------

// Preview page: the browser's path and 参照 are disabled for the internal
// browser; the temporary folder and its 参照 follow their box.
struct WebPageEnabling {
    bool path = false;
    bool folder = false;
};
WebPageEnabling WebPageEnablingFor(const preview::BrowserBlock& block, int browser);

// File page: the backup folder box follows the backup box; the folder and its
// 参照 need both; the template path and its 参照 follow the template box.
struct FilePageEnabling {
    bool backupDirPoint = false;
    bool backupDir = false;
    bool templatePath = false;
};
FilePageEnabling FilePageEnablingFor(const docs::FileSettings& s);

// Folder tree page: the radios follow the start-folder box; the folder and
// its 参照 need the box and the second radio; the extension edit follows its
// box.
struct FolderPageEnabling {
    bool radios = false;
    bool folder = false;
    bool extensions = false;
};
FolderPageEnabling FolderPageEnablingFor(const filetree::FolderTreeSettings& s);

// What the folder tree page hands back: the settings with the extension list
// ended by ";", and whether the tree is rebuilt (the extension box, the
// extension text or the hidden-files box was touched).
struct FolderPageResult {
    filetree::FolderTreeSettings settings;
    bool rebuild = false;
};
FolderPageResult FolderPageResultFor(const filetree::FolderTreeSettings& edited, bool filterTouched);

// The three boxes of the details page, handed back to the main frame.
struct EtcPageResult {
    bool lastSize = false;
    bool splitShowMove = false;
    bool lastOpen = false;
};

}  // namespace options
