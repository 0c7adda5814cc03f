#include "filetree/core/FolderTreeRules.h"

#include "config/core/SettingsStore.h"
#include "framework/core/PathUtil.h"
#include "framework/core/Sjis.h"

namespace filetree {

std::string FilterFromText(const std::string& text) {
    if (text.empty()) return std::string();
    if (text[0] == '*') return "*";
    std::string out = text;
    if (out[0] != ';') out.insert(out.begin(), ';');
    // ';' is below every trail byte, so the last byte tells.
    if (out.back() != ';') out += ';';
    return out;
}

bool FileShown(const std::string& filter, const std::string& path) {
    if (filter.empty()) return false;
    if (filter == "*") return true;
    const std::string name = pathutil::FileNameOf(path);
    if (name == "." || name == "..") return false;
    const std::string ext = pathutil::ExtensionOf(path);
    if (ext.empty() || sjis::FindChar(ext, ';') != sjis::npos) return false;
    return sjis::ToLowerAscii(filter).find(';' + sjis::ToLowerAscii(ext) + ';') != std::string::npos;
}

bool IsFolderOnPath(const std::string& folder, const std::string& target) {
    if (folder.empty() || target.empty()) return false;
    const std::string f = pathutil::WithTrailingSeparator(folder);
    const std::string t = pathutil::WithTrailingSeparator(target);
    // Folding changes only single-byte letters, so equal folded starts also
    // split into the same characters.
    return t.size() >= f.size() && sjis::ToLowerAscii(t.substr(0, f.size())) == sjis::ToLowerAscii(f);
}

std::string LastDirPathForm(const std::string& currentFolder) {
    return pathutil::WithTrailingSeparator(currentFolder);
}

namespace {
constexpr char kExtPoint[] = "ExtPoint";
constexpr char kExtKinds[] = "ExtKinds";
constexpr char kDirPoint[] = "DirPoint";
constexpr char kDirMethod[] = "DirMethod";
constexpr char kPointDirPath[] = "PointDirPath";
constexpr char kGhostDisp[] = "GhostDisp";
constexpr char kLastDirPath[] = "LastDirPath";
}  // namespace

void FolderTreeOptions::Load(const settings::SettingsStore& store) {
    FolderTreeSettings s;
    s.extPoint = store.ReadSettingInt(kSection, kExtPoint, 0);
    s.extKinds = store.ReadSettingString(kSection, kExtKinds, kBuiltInExtensions);
    s.dirPoint = store.ReadSettingInt(kSection, kDirPoint, 0);
    s.dirMethod = store.ReadSettingInt(kSection, kDirMethod, 0);
    s.pointDirPath = store.ReadSettingString(kSection, kPointDirPath, "");
    s.ghostDisp = store.ReadSettingInt(kSection, kGhostDisp, 0);
    m_settings = s;
    m_lastDirPath = store.ReadSettingString(kSection, kLastDirPath, "");
}

void FolderTreeOptions::Save(settings::SettingsStore& store, const std::string& currentFolder) const {
    if (m_changed) {
        store.WriteSettingInt(kSection, kExtPoint, m_settings.extPoint);
        store.WriteSettingString(kSection, kExtKinds, m_settings.extKinds);
        store.WriteSettingInt(kSection, kDirPoint, m_settings.dirPoint);
        store.WriteSettingInt(kSection, kDirMethod, m_settings.dirMethod);
        store.WriteSettingString(kSection, kPointDirPath, m_settings.pointDirPath);
        store.WriteSettingInt(kSection, kGhostDisp, ShowHidden() ? 0 : 1);
    }
    store.WriteSettingString(kSection, kLastDirPath, LastDirPathForm(currentFolder));
}

bool FolderTreeOptions::Apply(const FolderTreeSettings& settings, bool rebuild) {
    const std::string oldFilter = Filter();
    const bool oldShowHidden = ShowHidden();
    m_settings = settings;
    m_changed = true;
    // A box touched and put back changes nothing the tree shows: the tree
    // and the user's expanded folders stay.
    return rebuild && (Filter() != oldFilter || ShowHidden() != oldShowHidden);
}

std::string FolderTreeOptions::Filter() const {
    return FilterFromText(m_settings.extPoint == 1 ? m_settings.extKinds : std::string(kBuiltInExtensions));
}

std::string FolderTreeOptions::StartTarget() const {
    if (m_settings.dirPoint != 1) return std::string();
    std::string path;
    if (m_settings.dirMethod == 0) path = m_lastDirPath;
    else if (m_settings.dirMethod == 1) path = m_settings.pointDirPath;
    return pathutil::WithTrailingSeparator(path);
}

}  // namespace filetree
