// A file system for Win32 tests that passes every call to the system's and
// fails one chosen call: the n-th call of one kind, or the write that would
// pass a number of bytes (it writes up to that number, then reports a full
// disk). A failed close still closes; only closes of files opened for
// writing fail (a file only read loses nothing). A failed replace, delete
// or new folder does nothing.
#pragma once

#include <set>
#include <string>

#include "framework/win/FileSystem.h"

struct FaultyFileSystem : IFileSystem {
    enum Step { kOpen, kRead, kWrite, kFlush, kClose, kSize, kSeek, kReplace, kDelete, kCreateFolder, kSteps };
    static const char* Name(int step) {
        static const char* const names[kSteps] = {"open",  "read",  "write",   "flush",  "close",
                                                  "size",  "seek",  "replace", "delete", "create folder"};
        return names[step];
    }

    int failStep = kSteps;   // the kind of call that fails (kSteps: none)
    int failAt = 0;          // which call of that kind, from 0
    long long byteLimit = -1;  // bytes written before the disk is full (-1: no limit)
    DWORD error = ERROR_ACCESS_DENIED;
    int calls[kSteps] = {};
    bool fired = false;
    long long bytesWritten = 0;
    std::set<HANDLE> writers;

    DWORD Open(const std::string& path, DWORD access, DWORD share, DWORD creation, HANDLE* file) override {
        *file = INVALID_HANDLE_VALUE;
        if (Fails(kOpen)) return error;
        const DWORD e = sys().Open(path, access, share, creation, file);
        if (e == ERROR_SUCCESS && (access & GENERIC_WRITE)) writers.insert(*file);
        return e;
    }
    DWORD Read(HANDLE file, void* buffer, DWORD length, DWORD* got) override {
        *got = 0;
        return Fails(kRead) ? error : sys().Read(file, buffer, length, got);
    }
    DWORD Write(HANDLE file, const void* data, DWORD length, DWORD* written) override {
        *written = 0;
        if (Fails(kWrite)) return error;
        if (byteLimit >= 0 && length > byteLimit) {
            fired = true;
            DWORD part = 0;
            if (byteLimit > 0) sys().Write(file, data, static_cast<DWORD>(byteLimit), &part);
            *written = part;
            byteLimit -= part;
            bytesWritten += part;
            return ERROR_DISK_FULL;
        }
        const DWORD e = sys().Write(file, data, length, written);
        if (byteLimit >= 0) byteLimit -= *written;
        bytesWritten += *written;
        return e;
    }
    DWORD Flush(HANDLE file) override { return Fails(kFlush) ? error : sys().Flush(file); }
    DWORD Close(HANDLE file) override {
        const DWORD e = sys().Close(file);
        if (writers.erase(file) == 0) return e;
        return Fails(kClose) ? error : e;
    }
    DWORD Size(HANDLE file, ULONGLONG* size) override { return Fails(kSize) ? error : sys().Size(file, size); }
    DWORD SeekToBegin(HANDLE file) override { return Fails(kSeek) ? error : sys().SeekToBegin(file); }
    DWORD Replace(const std::string& source, const std::string& target) override {
        return Fails(kReplace) ? error : sys().Replace(source, target);
    }
    DWORD Delete(const std::string& path) override { return Fails(kDelete) ? error : sys().Delete(path); }
    DWORD CreateFolder(const std::string& path) override {
        return Fails(kCreateFolder) ? error : sys().CreateFolder(path);
    }

private:
    static IFileSystem& sys() { return SystemFileSystem(); }
    bool Fails(int step) {
        const int n = calls[step]++;
        if (step != failStep || n != failAt) return false;
        fired = true;
        return true;
    }
};

// Puts a file system in place for the life of the object.
class ScopedFileSystem {
public:
    explicit ScopedFileSystem(IFileSystem* fs) : m_old(SetFileSystem(fs)) {}
    ~ScopedFileSystem() { SetFileSystem(m_old); }
    ScopedFileSystem(const ScopedFileSystem&) = delete;
    ScopedFileSystem& operator=(const ScopedFileSystem&) = delete;

private:
    IFileSystem* m_old;
};
