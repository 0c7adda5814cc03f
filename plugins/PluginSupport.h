// Small Win32 helpers shared by the delivered plug-in modules (header only:
// each module is built on its own and links nothing of the program).
#pragma once

#include <windows.h>

#include <string>

#include "framework/core/Sjis.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace plugin {

// The module this code is linked into (valid before DllMain runs, while
// static objects are built).
inline HINSTANCE ThisModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

// The folder of a module file, ending in a backslash.
inline std::string ModuleFolder(HINSTANCE module) {
    char path[MAX_PATH * 2] = {};
    const DWORD n = ::GetModuleFileNameA(module, path, sizeof path - 1);
    const std::size_t slash = sjis::FindLastChar(path, n, '\\');
    return slash == sjis::npos ? std::string() : std::string(path, slash + 1);
}

// A key of an initialisation file; false when it is absent.
inline bool ReadIni(const std::string& file, const char* section, const char* key, std::string* value) {
    // A value never holds this control character, so getting it back means
    // the key is absent.
    static const char kAbsent[] = "\x01";
    char buf[1024];
    ::GetPrivateProfileStringA(section, key, kAbsent, buf, sizeof buf, file.c_str());
    if (buf[0] == '\x01' && buf[1] == '\0') return false;
    *value = buf;
    return true;
}

inline bool WriteIni(const std::string& file, const char* section, const char* key, const std::string& value) {
    return ::WritePrivateProfileStringA(section, key, value.c_str(), file.c_str()) != FALSE;
}

// The text of a window.
inline std::string WindowText(HWND hwnd) {
    const int n = ::GetWindowTextLengthA(hwnd);
    std::string s(static_cast<std::size_t>(n) + 1, '\0');
    s.resize(static_cast<std::size_t>(::GetWindowTextA(hwnd, &s[0], n + 1)));
    return s;
}

// The default GUI font at weight 700 (the caller deletes it).
inline HFONT CreateBoldGuiFont() {
    LOGFONTA lf = {};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    lf.lfWeight = FW_BOLD;
    return ::CreateFontIndirectA(&lf);
}

// Item height of an owner-drawn colour list: 7/8 of the dialog's base height unit.
inline int ColorItemHeight(HWND dialog) {
    RECT rc = {0, 0, 4, 8};
    ::MapDialogRect(dialog, &rc);
    return rc.bottom * 7 / 8;
}

// The rectangle of a dialog's control in the dialog's client coordinates.
inline RECT ControlRect(HWND dialog, int id) {
    RECT rc = {};
    ::GetWindowRect(::GetDlgItem(dialog, id), &rc);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

}  // namespace plugin
