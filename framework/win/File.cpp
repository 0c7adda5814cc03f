#include "framework/win/File.h"

#include "framework/core/PathUtil.h"
#include "framework/win/FileSystem.h"
#include "framework/win/MessageBox.h"

using fileerr::Cause;

void CFileError::Report(HWND owner) const { PqErrorBox(owner, Message()); }

Cause CFileError::CauseOf(DWORD osError) {
    switch (osError) {
    case ERROR_SUCCESS: return Cause::None;
    case ERROR_FILE_NOT_FOUND: return Cause::NotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_BAD_NETPATH:
    case ERROR_DIRECTORY:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BUFFER_OVERFLOW: return Cause::BadPath;
    case ERROR_TOO_MANY_OPEN_FILES: return Cause::TooManyOpen;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return Cause::AccessDenied;
    case ERROR_INVALID_HANDLE: return Cause::InvalidFile;
    case ERROR_CURRENT_DIRECTORY: return Cause::RemoveCurrentDir;
    case ERROR_CANNOT_MAKE: return Cause::DirectoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK: return Cause::BadSeek;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_NOT_READY:
    case ERROR_SECTOR_NOT_FOUND: return Cause::HardIO;
    case ERROR_SHARING_VIOLATION: return Cause::SharingViolation;
    case ERROR_LOCK_VIOLATION: return Cause::LockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return Cause::DiskFull;
    case ERROR_HANDLE_EOF: return Cause::EndOfFile;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return Cause::OutOfMemory;
    default: return Cause::Generic;
    }
}

CFile::~CFile() { Close(); }

bool CFile::Fail(CFileError* error, DWORD code) const {
    if (error) {
        error->osError = code;
        error->cause = CFileError::CauseOf(code);
        if (error->cause == Cause::None) error->cause = Cause::Generic;
        error->path = m_path;
    }
    return false;
}

bool CFile::Open(const std::string& path, unsigned flags, CFileError* error) {
    Close();
    m_path = path;
    m_flags = flags;
    DWORD access = GENERIC_READ;
    switch (flags & 0x3) {
    case modeWrite: access = GENERIC_WRITE; break;
    case modeReadWrite: access = GENERIC_READ | GENERIC_WRITE; break;
    default: break;
    }
    DWORD share = 0;
    switch (flags & 0x70) {
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: break;  // exclusive
    }
    DWORD creation = OPEN_EXISTING;
    if (flags & modeCreateNew) creation = CREATE_NEW;
    else if (flags & modeCreate) creation = (flags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    if (path.empty() || path.size() > MAX_PATH - 1) return Fail(error, ERROR_BAD_PATHNAME);
    HANDLE h = INVALID_HANDLE_VALUE;
    const DWORD e = CurrentFileSystem().Open(path, access, share, creation, &h);
    if (e != ERROR_SUCCESS) return Fail(error, e);
    m_handle = h;
    return true;
}

bool CFile::Close(CFileError* error) {
    if (m_handle == INVALID_HANDLE_VALUE) return true;
    const DWORD e = CurrentFileSystem().Close(m_handle);
    m_handle = INVALID_HANDLE_VALUE;
    return e == ERROR_SUCCESS || Fail(error, e);
}

bool CFile::GetLength(std::size_t* length, CFileError* error) const {
    ULONGLONG size = 0;
    const DWORD e = CurrentFileSystem().Size(m_handle, &size);
    if (e != ERROR_SUCCESS) return Fail(error, e);
    if (size > 0x7FFFFFFE) return Fail(error, ERROR_NOT_ENOUGH_MEMORY);
    *length = static_cast<std::size_t>(size);
    return true;
}

bool CFile::SeekToBegin(CFileError* error) {
    const DWORD e = CurrentFileSystem().SeekToBegin(m_handle);
    return e == ERROR_SUCCESS || Fail(error, e);
}

bool CFile::ReadAll(std::string* bytes, CFileError* error) {
    std::size_t length = 0;
    if (!GetLength(&length, error) || !SeekToBegin(error)) return false;
    try {
        bytes->assign(length, '\0');
    } catch (...) {
        return Fail(error, ERROR_NOT_ENOUGH_MEMORY);
    }
    std::size_t done = 0;
    while (done < length) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(length - done > 0x100000 ? 0x100000 : length - done);
        const DWORD e = CurrentFileSystem().Read(m_handle, &(*bytes)[done], want, &got);
        if (e != ERROR_SUCCESS) return Fail(error, e);
        if (got == 0) break;  // the file became shorter
        done += got;
    }
    bytes->resize(done);
    return true;
}

bool CFile::Write(const void* data, std::size_t length, CFileError* error) {
    const char* p = static_cast<const char*>(data);
    while (length > 0) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(length > 0x100000 ? 0x100000 : length);
        const DWORD e = CurrentFileSystem().Write(m_handle, p, chunk, &written);
        if (e != ERROR_SUCCESS) return Fail(error, e);
        if (written == 0) return Fail(error, ERROR_DISK_FULL);
        p += written;
        length -= written;
    }
    return true;
}

bool CFile::Flush(CFileError* error) {
    const DWORD e = CurrentFileSystem().Flush(m_handle);
    return e == ERROR_SUCCESS || Fail(error, e);
}

// --- Whole files ---------------------------------------------------------------

namespace {

bool FailOn(const std::string& path, DWORD code, CFileError* error) {
    if (error) {
        error->osError = code;
        error->cause = CFileError::CauseOf(code);
        if (error->cause == Cause::None) error->cause = Cause::Generic;
        error->path = path;
    }
    return false;
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

bool WriteNewFile(const std::string& path, const std::string& bytes, CFileError* error) {
    CFile file;
    if (!file.Open(path, CFile::modeWrite | CFile::modeCreateNew | CFile::shareExclusive, error)) return false;
    const bool ok = file.Write(bytes.data(), bytes.size(), error) && file.Flush(error);
    // A failed close is a failed write too: the bytes may not all be there.
    if (file.Close(ok ? error : nullptr) && ok) return true;
    CurrentFileSystem().Delete(path);
    return false;
}

std::string NewTempPathBeside(const std::string& target) {
    const unsigned seed = ::GetTickCount() ^ (::GetCurrentProcessId() << 8);
    for (unsigned i = 0; i < 64; ++i) {
        const std::string temp = pathutil::TempPathBeside(target, seed + i);
        if (!temp.empty() && !Exists(temp)) return temp;
    }
    return std::string();
}

bool ReplaceKeepingAttributes(const std::string& source, const std::string& target, CFileError* error) {
    // The move would drop the original's hidden, system and archive marks.
    const DWORD attributes = ::GetFileAttributesA(target.c_str());
    const DWORD e = CurrentFileSystem().Replace(source, target);
    if (e != ERROR_SUCCESS) return FailOn(target, e, error);
    constexpr DWORD kKept =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kKept) != 0)
        ::SetFileAttributesA(target.c_str(), attributes & kKept);
    return true;
}

bool WriteFileReplacing(const std::string& target, const std::string& bytes, CFileError* error) {
    const std::string temp = NewTempPathBeside(target);
    if (temp.empty()) return FailOn(target, ERROR_CANNOT_MAKE, error);
    if (WriteNewFile(temp, bytes, error) && ReplaceKeepingAttributes(temp, target, error)) return true;
    CurrentFileSystem().Delete(temp);
    if (error) error->path = target;
    return false;
}

bool ReadEntireFile(const std::string& path, std::string* bytes, CFileError* error) {
    CFile file;
    return file.Open(path, CFile::modeRead | CFile::shareDenyWrite, error) && file.ReadAll(bytes, error);
}
