#include "framework/win/FileDialog.h"

#include <cstring>

#include "framework/core/PathUtil.h"
#include "framework/core/Sjis.h"
#include "framework/win/WinPath.h"
#include "framework/win/FrameworkRes.h"

namespace {
IFileDialogService* g_service = nullptr;
}  // namespace

IFileDialogService* SetFileDialogService(IFileDialogService* service) {
    IFileDialogService* old = g_service;
    g_service = service;
    return old;
}

std::string FileDialogFilter(const char* filter) {
    std::string f = filter ? filter : "";
    for (std::size_t pos = sjis::FindChar(f, '|'); pos != sjis::npos; pos = sjis::FindChar(f, '|', pos + 1))
        f[pos] = '\0';
    // Two NULs end the list.
    f.push_back('\0');
    f.push_back('\0');
    return f;
}

CFileDialog::CFileDialog(bool open, const char* defExt, const std::string& fileName, DWORD flags,
                         const char* filter, HWND parent)
    : m_ofn{}, m_open(open), m_filter(FileDialogFilter(filter)), m_defExt(defExt ? defExt : ""),
      m_initialName(fileName) {
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.hwndOwner = parent;
    m_ofn.Flags = flags | OFN_EXPLORER;
}

std::string CFileDialog::GetFileName() const { return pathutil::FileNameOf(m_result); }

void CFileDialog::SetResult(const std::string& path, bool readOnly) {
    m_result = path;
    if (readOnly) m_ofn.Flags |= OFN_READONLY;
    else m_ofn.Flags &= ~static_cast<DWORD>(OFN_READONLY);
}

INT_PTR CFileDialog::DoModal() {
    if (g_service) return g_service->Run(*this);
    std::memset(m_buffer, 0, sizeof m_buffer);
    if (m_initialName.size() < sizeof m_buffer)
        std::memcpy(m_buffer, m_initialName.data(), m_initialName.size());
    m_ofn.lpstrFile = m_buffer;
    m_ofn.nMaxFile = sizeof m_buffer;
    m_ofn.lpstrFilter = m_filter.size() > 2 ? m_filter.c_str() : nullptr;
    m_ofn.nFilterIndex = 1;
    m_ofn.lpstrDefExt = m_defExt.empty() ? nullptr : m_defExt.c_str();
    m_ofn.lpstrInitialDir = m_initialDir.empty() ? nullptr : m_initialDir.c_str();
    m_ofn.lpstrTitle = m_title.empty() ? nullptr : m_title.c_str();
    const BOOL ok = m_open ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    m_ofn.lpstrFile = nullptr;
    if (!ok) return IDCANCEL;
    m_result = m_buffer;
    return IDOK;
}

// --- CFileDlgEx ------------------------------------------------------------

CFileDlgEx::CFileDlgEx(const std::string& basePath, HWND parent)
    : CFileDialog(true, nullptr, "", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_ENABLESIZING,
                  "すべてのファイル (*.*)|*.*||", parent),
      m_basePath(basePath) {
    SetTitle("相対パスを取得する");
    SetInitialDir(basePath);
}

std::string CFileDlgEx::RelativePath() const { return pathutil::MakeRelativePath(m_basePath, GetPathName()); }

UINT_PTR CALLBACK CFileDlgEx::HookProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        const OPENFILENAMEA* ofn = reinterpret_cast<const OPENFILENAMEA*>(lParam);
        CFileDlgEx* self = reinterpret_cast<CFileDlgEx*>(ofn->lCustData);
        ::SetWindowLongPtrA(panel, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        ::SetDlgItemTextA(panel, IDC_FILEDLGEX_BASE, self->m_basePath.c_str());
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_FILEDLGEX_BROWSE) {
            std::string folder;
            if (ChooseFolder(::GetParent(panel), &folder))
                ::SetDlgItemTextA(panel, IDC_FILEDLGEX_BASE, folder.c_str());
            return 1;
        }
        break;
    case WM_NOTIFY: {
        const OFNOTIFYA* notify = reinterpret_cast<const OFNOTIFYA*>(lParam);
        if (notify && notify->hdr.code == CDN_FILEOK) {
            CFileDlgEx* self = reinterpret_cast<CFileDlgEx*>(::GetWindowLongPtrA(panel, GWLP_USERDATA));
            char base[MAX_PATH * 2] = {};
            ::GetDlgItemTextA(panel, IDC_FILEDLGEX_BASE, base, sizeof base);
            if (self) self->m_basePath = base;
        }
        break;
    }
    default: break;
    }
    return 0;
}

INT_PTR CFileDlgEx::DoModal() {
    m_ofn.Flags |= OFN_ENABLETEMPLATE | OFN_ENABLEHOOK;
    m_ofn.hInstance = ::GetModuleHandleA(nullptr);
    m_ofn.lpTemplateName = MAKEINTRESOURCEA(IDD_FILEDLGEX);
    m_ofn.lpfnHook = &CFileDlgEx::HookProc;
    m_ofn.lCustData = reinterpret_cast<LPARAM>(this);
    return CFileDialog::DoModal();
}
