#include "framework/win/FileDialog.h"

#include <cstring>

#include "framework/core/PathUtil.h"
#include "framework/core/Sjis.h"

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
