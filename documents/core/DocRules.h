// Rules of the document window that need no window: the names of untitled
// tabs and when the single untouched tab is reused, which tab is selected
// after a close, where a moved tab lands, the backup path of a file, the
// default extension of a saved name, the frame title with its marks, the
// tab images, and the file settings of section "Main".
#pragma once

#include <string>
#include <vector>

#include "config/core/SettingsStore.h"
#include "framework/core/PathUtil.h"

namespace docs {

// "無題N".
std::string UntitledName(int number);

// The untitled counter: starts at 1 and grows by one per untitled tab; the
// reuse of an untouched untitled tab gives its number back.
class UntitledCounter {
public:
    // The name of the next untitled tab; the counter moves on.
    std::string Take();
    // The reused tab's number is handed out again next time.
    void GiveBack() {
        if (m_next > 1) --m_next;
    }
    int Next() const { return m_next; }
    void Reset() { m_next = 1; }

private:
    int m_next = 1;
};

// Opening a file replaces the only tab when it is untitled (no file) and
// its text is unmodified.
bool ReusesSingleTab(int tabCount, bool hasFile, bool modified);

// The tab selected after tab `closed` was removed and `remaining` tabs are
// left: the same index, or the last one when the closed tab was last; -1
// when no tab is left (a new untitled tab takes the place).
int SelectionAfterClose(int closed, int remaining);

// Where a tab moved from `source` to `target` (-1: the last tab) lands in a
// list of `count` tabs: moving right lands one before the target, because
// the tab is taken out first. -1 when an index is out of range.
int MoveDestination(int source, int target, int count);

// Moves list[source] to MoveDestination(source, target); false (nothing
// moved) for an index out of range.
template <typename T>
bool MoveItem(std::vector<T>& list, int source, int target) {
    const int to = MoveDestination(source, target, static_cast<int>(list.size()));
    if (to < 0) return false;
    T item = std::move(list[static_cast<std::size_t>(source)]);
    list.erase(list.begin() + source);
    list.insert(list.begin() + to, std::move(item));
    return true;
}

// The index of the path in the list, comparing without regard to the case
// of single-byte letters; -1 when it is absent or empty. `skip` is ignored.
int FindPath(const std::vector<std::string>& paths, const std::string& path, int skip = -1);

// The backup copy of a file: BackupDir + the file name + ".bak" when the
// backups go into the backup folder (empty when that folder is empty), else
// the full path + ".bak" (index.html gets index.html.bak).
std::string BackupPath(const std::string& filePath, bool inBackupFolder, const std::string& backupFolder);

// The name Save As writes: the chosen path, with "." and the default
// extension added when the chosen file name has no extension and the
// default is not empty.
std::string WithDefaultExtension(const std::string& path, const std::string& defaultExt);

// The name of a temporary file beside a path (the one rule of the
// framework).
using pathutil::TempPathBeside;

// Tab images.
enum TabImage : int { kImagePlain = 0, kImageModified = 1, kImagePreview = 2, kImageReadOnly = 3, kImageServer = 4 };
int EditorTabImage(bool readOnly, bool modified);

// The marks after the tab text in the frame title.
constexpr char kModifiedMark[] = " [更新]";
constexpr char kReadOnlyMark[] = " [上書き禁止]";
// "Pembroquil - " + tab text, then " [上書き禁止]" when read-only, else
// " [更新]" when modified.
std::string FrameTitle(const std::string& tabText, bool readOnly, bool modified);

// The colour mode key of a document: the extension of its path, "html" for
// an untitled document.
std::string ModeExtension(const std::string& path);

// The file settings of the document window (section "Main").
struct FileSettings {
    int backup = 0;          // "Backup": copy the file before overwriting it
    int backupDirPoint = 0;  // "BackupDirPoint": backups go into BackupDir
    std::string backupDir;   // "BackupDir", ending in a separator
    std::string defaultExt = "html";  // "DefaultExt"
    int useTemplate = 0;     // "Template": new documents start with TemplatePath's text
    std::string templatePath;  // "TemplatePath"
};
// Integers other than 0 and 1 read as 0.
FileSettings ReadFileSettings(const settings::SettingsStore& store);
bool WriteFileSettings(settings::SettingsStore& store, const FileSettings& s);

}  // namespace docs
