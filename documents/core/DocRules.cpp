#include "documents/core/DocRules.h"

#include "framework/core/AppInfo.h"
#include "framework/core/PathUtil.h"
#include "framework/core/Sjis.h"

namespace docs {

namespace {
constexpr char kSection[] = "Main";

int ReadFlag(const settings::SettingsStore& store, const char* name) {
    return store.ReadSettingInt(kSection, name, 0) == 1 ? 1 : 0;
}
}  // namespace

std::string UntitledName(int number) { return "無題" + std::to_string(number); }

std::string UntitledCounter::Take() { return UntitledName(m_next++); }

bool ReusesSingleTab(int tabCount, bool hasFile, bool modified) { return tabCount == 1 && !hasFile && !modified; }

int SelectionAfterClose(int closed, int remaining) {
    if (remaining <= 0) return -1;
    if (closed < 0) closed = 0;
    return closed < remaining ? closed : remaining - 1;
}

int MoveDestination(int source, int target, int count) {
    if (count <= 0 || source < 0 || source >= count) return -1;
    if (target == -1) target = count;  // past the last tab: it becomes the last
    if (target < 0 || target > count) return -1;
    if (target > source) --target;
    if (target >= count) target = count - 1;
    return target;
}

int FindPath(const std::vector<std::string>& paths, const std::string& path, int skip) {
    if (path.empty()) return -1;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (static_cast<int>(i) == skip) continue;
        if (pathutil::EqualNoCase(paths[i], path)) return static_cast<int>(i);
    }
    return -1;
}

std::string BackupPath(const std::string& filePath, bool inBackupFolder, const std::string& backupFolder) {
    if (filePath.empty()) return std::string();
    if (!inBackupFolder) return filePath + ".bak";
    if (backupFolder.empty()) return std::string();
    return pathutil::WithTrailingSeparator(backupFolder) + pathutil::FileNameOf(filePath) + ".bak";
}

std::string WithDefaultExtension(const std::string& path, const std::string& defaultExt) {
    if (defaultExt.empty() || path.empty()) return path;
    if (!pathutil::ExtensionOf(path).empty()) return path;
    // "name." has an empty extension: the default goes after its dot.
    const std::string name = pathutil::FileNameOf(path);
    if (name.empty()) return path;
    if (sjis::FindLastChar(name, '.') == name.size() - 1) return path + defaultExt;
    return path + "." + defaultExt;
}

int EditorTabImage(bool readOnly, bool modified) {
    if (readOnly) return kImageReadOnly;
    return modified ? kImageModified : kImagePlain;
}

std::string FrameTitle(const std::string& tabText, bool readOnly, bool modified) {
    std::string title = std::string(appinfo::kProductName) + " - " + tabText;
    if (readOnly) title += kReadOnlyMark;
    else if (modified) title += kModifiedMark;
    return title;
}

std::string ModeExtension(const std::string& path) {
    if (path.empty()) return "html";
    return pathutil::ExtensionOf(path);
}

FileSettings ReadFileSettings(const settings::SettingsStore& store) {
    FileSettings s;
    s.backup = ReadFlag(store, "Backup");
    s.backupDirPoint = ReadFlag(store, "BackupDirPoint");
    s.backupDir = store.ReadSettingString(kSection, "BackupDir", "");
    s.defaultExt = store.ReadSettingString(kSection, "DefaultExt", "html");
    s.useTemplate = ReadFlag(store, "Template");
    s.templatePath = store.ReadSettingString(kSection, "TemplatePath", "");
    return s;
}

bool WriteFileSettings(settings::SettingsStore& store, const FileSettings& s) {
    bool ok = store.WriteSettingInt(kSection, "Backup", s.backup);
    ok = store.WriteSettingInt(kSection, "BackupDirPoint", s.backupDirPoint) && ok;
    ok = store.WriteSettingString(kSection, "BackupDir", s.backupDir) && ok;
    ok = store.WriteSettingString(kSection, "DefaultExt", s.defaultExt) && ok;
    ok = store.WriteSettingInt(kSection, "Template", s.useTemplate) && ok;
    ok = store.WriteSettingString(kSection, "TemplatePath", s.templatePath) && ok;
    return ok;
}

}  // namespace docs
