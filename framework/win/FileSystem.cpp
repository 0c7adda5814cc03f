#include "framework/win/FileSystem.h"

namespace {

DWORD LastErrorOr(BOOL ok) {
    if (ok) return ERROR_SUCCESS;
    const DWORD e = ::GetLastError();
    return e != ERROR_SUCCESS ? e : ERROR_GEN_FAILURE;
}

class SystemDisk : public IFileSystem {
public:
    DWORD Open(const std::string& path, DWORD access, DWORD share, DWORD creation, HANDLE* file) override {
        *file = ::CreateFileA(path.c_str(), access, share, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
        return LastErrorOr(*file != INVALID_HANDLE_VALUE);
    }
    DWORD Read(HANDLE file, void* buffer, DWORD length, DWORD* got) override {
        *got = 0;
        return LastErrorOr(::ReadFile(file, buffer, length, got, nullptr));
    }
    DWORD Write(HANDLE file, const void* data, DWORD length, DWORD* written) override {
        *written = 0;
        const DWORD e = LastErrorOr(::WriteFile(file, data, length, written, nullptr));
        if (e == ERROR_SUCCESS && *written < length) return ERROR_DISK_FULL;
        return e;
    }
    DWORD Flush(HANDLE file) override { return LastErrorOr(::FlushFileBuffers(file)); }
    DWORD Close(HANDLE file) override { return LastErrorOr(::CloseHandle(file)); }
    DWORD Size(HANDLE file, ULONGLONG* size) override {
        LARGE_INTEGER s;
        if (!::GetFileSizeEx(file, &s)) return LastErrorOr(FALSE);
        *size = static_cast<ULONGLONG>(s.QuadPart);
        return ERROR_SUCCESS;
    }
    DWORD SeekToBegin(HANDLE file) override {
        return LastErrorOr(::SetFilePointer(file, 0, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER);
    }
    DWORD Replace(const std::string& source, const std::string& target) override {
        return LastErrorOr(
            ::MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    }
    DWORD Delete(const std::string& path) override { return LastErrorOr(::DeleteFileA(path.c_str())); }
    DWORD CreateFolder(const std::string& path) override {
        return LastErrorOr(::CreateDirectoryA(path.c_str(), nullptr));
    }
};

IFileSystem* g_current = nullptr;

}  // namespace

IFileSystem& SystemFileSystem() {
    static SystemDisk disk;
    return disk;
}

IFileSystem& CurrentFileSystem() { return g_current ? *g_current : SystemFileSystem(); }

IFileSystem* SetFileSystem(IFileSystem* fs) {
    IFileSystem* previous = g_current;
    g_current = fs;
    return previous;
}
