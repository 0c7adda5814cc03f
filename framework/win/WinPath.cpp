#include "framework/win/WinPath.h"

#include <shlobj.h>

#include <cstdio>
#include <vector>

#include "framework/core/AppInfo.h"
#include "framework/core/PathUtil.h"

std::string ProgramFolder(HMODULE module) {
    std::vector<char> buf(MAX_PATH);
    for (;;) {
        DWORD n = ::GetModuleFileNameA(module, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return std::string();
        if (n < buf.size() - 1) return pathutil::FolderOf(std::string(buf.data(), n));
        if (buf.size() >= 32768) return std::string();
        buf.resize(buf.size() * 2);
    }
}

std::string LongPathOf(const std::string& path) {
    return pathutil::LongPathName(path, [](const std::string& soFar) -> std::string {
        WIN32_FIND_DATAA data;
        HANDLE h = ::FindFirstFileA(soFar.c_str(), &data);
        if (h == INVALID_HANDLE_VALUE) return std::string();
        ::FindClose(h);
        return data.cFileName;
    });
}

std::string FullPathOf(const std::string& path) {
    if (path.empty()) return std::string();
    char full[MAX_PATH * 2];
    char* namePart = nullptr;
    const DWORD n = ::GetFullPathNameA(path.c_str(), sizeof full, full, &namePart);
    if (n == 0 || n >= sizeof full) return std::string();
    return LongPathOf(std::string(full, n));
}

std::string VersionText(const std::string& key, HMODULE module) {
    char file[MAX_PATH];
    if (!::GetModuleFileNameA(module, file, MAX_PATH)) return std::string();
    DWORD handle = 0;
    DWORD size = ::GetFileVersionInfoSizeA(file, &handle);
    if (size == 0) return std::string();
    std::vector<char> block(size);
    if (!::GetFileVersionInfoA(file, 0, size, block.data())) return std::string();
    char query[128];
    std::snprintf(query, sizeof query, appinfo::kVersionBlockFormat, key.c_str());
    void* value = nullptr;
    UINT len = 0;
    if (!::VerQueryValueA(block.data(), query, &value, &len) || !value || len == 0) return std::string();
    const char* text = static_cast<const char*>(value);
    std::string out(text, len);
    const std::size_t nul = out.find('\0');
    if (nul != std::string::npos) out.resize(nul);
    return out;
}

bool ChooseFolder(HWND owner, std::string* folder) {
    char display[MAX_PATH] = {};
    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.pszDisplayName = display;
    info.lpszTitle = "フォルダを選択してください";
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST list = ::SHBrowseForFolderA(&info);
    if (!list) return false;
    char path[MAX_PATH] = {};
    const bool ok = ::SHGetPathFromIDListA(list, path) != FALSE;
    ::CoTaskMemFree(list);
    if (ok) *folder = path;
    return ok;
}
