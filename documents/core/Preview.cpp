#include "documents/core/Preview.h"

#include <cstdio>

#include "framework/core/PathUtil.h"
#include "framework/core/Sjis.h"
#include "resources/resource.h"

namespace preview {

namespace {

std::string Indexed(const char* stem, int i) { return std::string(stem) + std::to_string(i); }

// Letters fold only when they stand as single-byte characters.
bool IsPrefixNoCase(const std::string& prefix, const std::string& path) {
    if (prefix.empty() || prefix.size() > path.size()) return false;
    if (!sjis::IsBoundary(path.data(), path.size(), prefix.size())) return false;
    return pathutil::EqualNoCase(prefix, path.substr(0, prefix.size()));
}

}  // namespace

PreviewSettings ReadPreviewSettings(const settings::SettingsStore& store) {
    PreviewSettings s;
    for (int i = 0; i < kBrowserCount; ++i) {
        s.browsers.path[i] = store.ReadSettingString(kSection, Indexed("Path", i), "");
        s.browsers.method[i] = EffectiveMethod(store.ReadSettingInt(kSection, Indexed("Method", i), 0));
    }
    s.browsers.tempPoint = settings::ReadSettingFlag(store, kSection, "TempPoint", 0);
    s.browsers.tempPath = store.ReadSettingString(kSection, "TempPath", "");
    s.server.localServer = settings::ReadSettingFlag(store, kSection, "Localserver", 0);
    s.server.replacePath = store.ReadSettingString(kSection, "Replacepath", "");
    s.server.localAddress = store.ReadSettingString(kSection, "Localaddress", kDefaultLocalAddress);
    s.server.tabDblPreview = settings::ReadSettingFlag(store, kSection, "TabDblPreview", 0);
    return s;
}

bool WritePreviewSettings(settings::SettingsStore& store, const PreviewSettings& s) {
    bool ok = true;
    for (int i = 0; i < kBrowserCount; ++i) {
        ok &= store.WriteSettingString(kSection, Indexed("Path", i), s.browsers.path[i]);
        ok &= store.WriteSettingInt(kSection, Indexed("Method", i), EffectiveMethod(s.browsers.method[i]));
    }
    ok &= store.WriteSettingInt(kSection, "TempPoint", s.browsers.tempPoint ? 1 : 0);
    ok &= store.WriteSettingString(kSection, "TempPath", s.browsers.tempPath);
    ok &= store.WriteSettingInt(kSection, "Localserver", s.server.localServer ? 1 : 0);
    ok &= store.WriteSettingString(kSection, "Replacepath", s.server.replacePath);
    ok &= store.WriteSettingString(kSection, "Localaddress", s.server.localAddress);
    ok &= store.WriteSettingInt(kSection, "TabDblPreview", s.server.tabDblPreview ? 1 : 0);
    return ok;
}

int EffectiveMethod(int method) { return method == 1 || method == 2 ? method : 0; }

int BrowserIndexOf(int commandId) {
    switch (commandId) {
    case ID_TOOL_IE: return 0;
    case ID_TOOL_NETSCAPE: return 1;
    case ID_TOOL_OTHER_BROWSER: return 2;
    case ID_TOOL_INNER_BROWSER: return 3;
    default: return -1;
    }
}

Readiness ReadinessFor(int method, bool modified, bool untitled) {
    switch (EffectiveMethod(method)) {
    case 2: return Readiness::Ready;
    case 1: return modified || untitled ? Readiness::Save : Readiness::Ready;
    default:
        if (modified) return Readiness::AskThenSave;
        return untitled ? Readiness::Save : Readiness::Ready;
    }
}

bool MapToLocalServer(const std::string& path, const ServerBlock& server, std::string* address) {
    if (server.localServer != 1 || server.replacePath.empty()) return false;
    const std::string& root = server.replacePath;
    if (!IsPrefixNoCase(root, path)) return false;
    std::size_t rest = root.size();
    const bool rootEndsInSeparator = [&] {
        const std::size_t last = sjis::Previous(root.data(), root.size(), root.size());
        return pathutil::IsSeparatorAt(root, last);
    }();
    if (!rootEndsInSeparator) {
        // The stored folder lacks its separator: the path must go on with one,
        // which is not copied behind the address.
        if (rest == path.size() || !pathutil::IsSeparatorAt(path, rest)) return false;
        rest += 1;
    }
    std::string out = server.localAddress;
    for (std::size_t i = rest; i < path.size();) {
        const std::size_t n = sjis::CharLength(path.data(), path.size(), i);
        if (n == 1 && path[i] == '\\') {
            out += '/';
        } else {
            out.append(path, i, n);
        }
        i += n;
    }
    *address = out;
    return true;
}

std::string AddressFor(const std::string& path, const ServerBlock& server, bool* mapped) {
    std::string address;
    const bool m = MapToLocalServer(path, server, &address);
    if (mapped) *mapped = m;
    return m ? address : path;
}

std::string BrowserArgument(const std::string& path, const std::string& shortPath) {
    const bool spaced = path.find(' ') != std::string::npos;
    if (spaced && !shortPath.empty() && shortPath.find(' ') == std::string::npos) return shortPath;
    return "\"" + path + "\"";
}

std::string TempFolderFor(const std::string& docPath, const BrowserBlock& b, const std::string& untitledFolder) {
    std::string folder;
    if (b.tempPoint == 1) {
        folder = b.tempPath;
    } else if (!docPath.empty()) {
        folder = pathutil::FolderOf(docPath);
    } else {
        folder = untitledFolder;
    }
    return folder.empty() ? std::string() : pathutil::WithTrailingSeparator(folder);
}

std::string TempExtensionFor(const std::string& docPath) {
    const std::string ext = docPath.empty() ? std::string() : pathutil::ExtensionOf(docPath);
    return ext.empty() ? std::string("html") : ext;
}

std::string TempFileKeeper::Make(ITempDisk& disk, const std::string& folder, const std::string& extension,
                                 const std::string& bytes, std::string* failedDelete) {
    Delete(disk, failedDelete);
    if (folder.empty() || !disk.EnsureFolder(folder)) return std::string();
    const std::uint32_t seed = disk.Seed();
    // Another name is tried when one is taken; a user's file is never opened.
    for (int attempt = 0; attempt < 64; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "pq%08X.", static_cast<unsigned>(seed + m_counter++));
        const std::string path = pathutil::Join(folder, name + extension);
        if (path.size() > pathutil::kMaxPath) return std::string();
        switch (disk.CreateNew(path, bytes)) {
        case ITempDisk::Create::Done: m_path = path; return m_path;
        case ITempDisk::Create::AlreadyExists: continue;
        case ITempDisk::Create::Failed: return std::string();
        }
    }
    return std::string();
}

bool TempFileKeeper::Delete(ITempDisk& disk, std::string* failedPath) {
    if (m_path.empty()) return true;
    const std::string path = m_path;
    m_path.clear();
    if (disk.Remove(path)) return true;
    if (failedPath) *failedPath = path;
    return false;
}

std::string TempDeleteMessage(const std::string& path) {
    std::string text = kTempDeleteFailed;
    const std::size_t at = text.find("%s");
    return text.replace(at, 2, path);
}

}  // namespace preview
