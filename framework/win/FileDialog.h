// CFileDialog: the system's open and save file dialogs. The filter is given
// as "text|pattern|text|pattern||". Tests may answer the dialogs through a
// service, as they answer message boxes.
#pragma once

#include <string>

#include "framework/win/Afx.h"

#include <commdlg.h>

class CFileDialog;

class IFileDialogService {
public:
    virtual ~IFileDialogService() = default;
    // Answers a dialog instead of the user: IDOK after filling the path
    // (CFileDialog::SetResult), or IDCANCEL.
    virtual INT_PTR Run(CFileDialog& dialog) = 0;
};
// Replaces the service (null restores the system's dialogs); returns the
// previous one.
IFileDialogService* SetFileDialogService(IFileDialogService* service);

class CFileDialog {
public:
    // open: an open dialog, else a save dialog. defExt without the dot, or
    // null; fileName the initial name; flags OFN_* (OFN_EXPLORER is added).
    CFileDialog(bool open, const char* defExt, const std::string& fileName, DWORD flags, const char* filter,
                HWND parent);
    virtual ~CFileDialog() = default;
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    virtual INT_PTR DoModal();

    void SetInitialDir(const std::string& folder) { m_initialDir = folder; }
    void SetTitle(const std::string& title) { m_title = title; }

    bool IsOpenDialog() const { return m_open; }
    const std::string& InitialName() const { return m_initialName; }
    const std::string& InitialDir() const { return m_initialDir; }
    // The full path chosen.
    std::string GetPathName() const { return m_result; }
    std::string GetFileName() const;
    // The read-only check box of an open dialog.
    bool GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }
    // For a service: the chosen path and read-only choice.
    void SetResult(const std::string& path, bool readOnly);

    OPENFILENAMEA m_ofn;

protected:
    bool m_open;
    std::string m_filter;  // with NUL separators
    std::string m_defExt;
    std::string m_initialName;
    std::string m_initialDir;
    std::string m_title;
    std::string m_result;
    char m_buffer[MAX_PATH * 2] = {};
};

// The filter of a dialog: every '|' (a character of its own, never a trail
// byte) becomes a NUL.
std::string FileDialogFilter(const char* filter);

// CFileDlgEx: an open dialog titled "相対パスを取得する" that gets the chosen
// file's path relative to a base path, with a panel (dialog resource 234)
// where the base path can be edited or chosen with the folder chooser.
class CFileDlgEx : public CFileDialog {
public:
    CFileDlgEx(const std::string& basePath, HWND parent);

    INT_PTR DoModal() override;

    const std::string& BasePath() const { return m_basePath; }
    // For a service: the base path as the user left it.
    void SetBasePath(const std::string& base) { m_basePath = base; }
    // The chosen file relative to the base path, with backslashes; empty
    // when the base path is empty.
    std::string RelativePath() const;

private:
    static UINT_PTR CALLBACK HookProc(HWND, UINT, WPARAM, LPARAM);
    std::string m_basePath;
};
