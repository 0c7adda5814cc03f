// Rules of the folder tree pane that need no shell: which files a filter
// shows, which folders lie on the way to a start folder, and the pane's
// settings with the rule for when they are written back.
#pragma once

#include <cstdint>
#include <string>

namespace settings {
class SettingsStore;
}

namespace filetree {

constexpr char kSection[] = "FolderTree";
// The extensions shown unless the user chose a list of his own; also the
// default of that list.
constexpr char kBuiltInExtensions[] = "html;htm;shtml;shtm;js;css;cgi;pl;txt;lzh;jpg;gif;pql";

// The filter for a text of extensions: empty shows no files, "*" (any text
// starting with it) all files, else the list enclosed in semicolons.
std::string FilterFromText(const std::string& text);

// Whether a file (not a folder) with this path is shown under the filter.
// The extension is the text after the last "." of the file name; names
// without one (and "." and "..") show only under "*". Single-byte letters
// compare without regard to case.
bool FileShown(const std::string& filter, const std::string& path);

// Whether the folder `folder` lies on the way to `target`: the folder with a
// separator added when it has none is the start of the target (also given a
// separator), comparing single-byte letters without regard to case. So
// C:\Program is not on the way to C:\Program Files\x, while C:\ is.
bool IsFolderOnPath(const std::string& folder, const std::string& target);

// The stored form of the folder last expanded: empty, or the folder ending in
// a separator.
std::string LastDirPathForm(const std::string& currentFolder);

// The six options exchanged with the options page, in their stored order.
struct FolderTreeSettings {
    std::int32_t extPoint = 0;                    // 1: the user's list
    std::string extKinds = kBuiltInExtensions;    // the user's list
    std::int32_t dirPoint = 0;                    // 1: open a folder at start
    std::int32_t dirMethod = 0;                   // 0: the last folder, 1: the fixed one
    std::string pointDirPath;                     // the fixed start folder
    std::int32_t ghostDisp = 0;                   // 1: hidden items are not shown

    bool operator==(const FolderTreeSettings& o) const {
        return extPoint == o.extPoint && extKinds == o.extKinds && dirPoint == o.dirPoint &&
               dirMethod == o.dirMethod && pointDirPath == o.pointDirPath && ghostDisp == o.ghostDisp;
    }
};

// The options of the pane as the program holds them between start and close.
class FolderTreeOptions {
public:
    // Reads the seven values with their defaults.
    void Load(const settings::SettingsStore& store);
    // Writes the six options only when they were applied since the start, and
    // the folder last expanded always.
    void Save(settings::SettingsStore& store, const std::string& currentFolder) const;

    const FolderTreeSettings& Get() const { return m_settings; }
    // Takes new options from the options page; true when the tree is to be
    // built again: the page's rebuild flag is set and the filter or the
    // hidden-item switch really differs.
    bool Apply(const FolderTreeSettings& settings, bool rebuild);
    bool SettingsChanged() const { return m_changed; }

    // The filter and the hidden-item switch the options give.
    std::string Filter() const;
    bool ShowHidden() const { return m_settings.ghostDisp != 1; }

    // The folder to open at start, ending in a separator; empty when none.
    std::string StartTarget() const;
    const std::string& LastDirPath() const { return m_lastDirPath; }

private:
    FolderTreeSettings m_settings;
    std::string m_lastDirPath;
    bool m_changed = false;
};

}  // namespace filetree
