// The disk as the program writes it. Every open, read, write, flush, close,
// replacement, deletion and new folder of the program's own files goes
// through the current file system, so a test can put in one that fails any
// step and see what the program makes of it.
#pragma once

#include <string>

#include "framework/win/Afx.h"

class IFileSystem {
public:
    virtual ~IFileSystem() = default;
    // Each call returns ERROR_SUCCESS or the system's error code.
    // access: GENERIC_READ and/or GENERIC_WRITE; share: FILE_SHARE_*;
    // creation: OPEN_EXISTING, CREATE_ALWAYS, OPEN_ALWAYS or CREATE_NEW.
    virtual DWORD Open(const std::string& path, DWORD access, DWORD share, DWORD creation, HANDLE* file) = 0;
    virtual DWORD Read(HANDLE file, void* buffer, DWORD length, DWORD* got) = 0;
    // *written may be less than length only together with an error.
    virtual DWORD Write(HANDLE file, const void* data, DWORD length, DWORD* written) = 0;
    virtual DWORD Flush(HANDLE file) = 0;
    // The handle is gone afterwards whatever the result.
    virtual DWORD Close(HANDLE file) = 0;
    virtual DWORD Size(HANDLE file, ULONGLONG* size) = 0;
    virtual DWORD SeekToBegin(HANDLE file) = 0;
    // Puts `source` in the place of `target`, which may exist.
    virtual DWORD Replace(const std::string& source, const std::string& target) = 0;
    virtual DWORD Delete(const std::string& path) = 0;
    virtual DWORD CreateFolder(const std::string& path) = 0;
};

// The system's disk.
IFileSystem& SystemFileSystem();
// The file system the program uses: the system's unless another is set.
IFileSystem& CurrentFileSystem();
// Sets the file system to use (null: the system's); returns the previous one.
IFileSystem* SetFileSystem(IFileSystem* fs);
