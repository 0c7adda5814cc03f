// CFile: an open file with its sharing mode, on the current file system
// (framework/win/FileSystem.h). Every failure keeps its cause and the
// system's error code, and turns into the program's standard message for
// that cause, after the file's path.
#pragma once

#include <string>

#include "framework/core/FileError.h"
#include "framework/win/Afx.h"

// The failure of a file operation.
struct CFileError {
    fileerr::Cause cause = fileerr::Cause::None;
    DWORD osError = 0;
    std::string path;

    bool Failed() const { return cause != fileerr::Cause::None; }
    // The path followed by the standard text of the cause.
    std::string Message() const { return fileerr::FullMessage(path, cause); }
    // Shows Message() with the error icon.
    void Report(HWND owner) const;
    // The cause of a system error code (GetLastError).
    static fileerr::Cause CauseOf(DWORD osError);
};

class CFile {
public:
    // Open flags: one access mode, one sharing mode, and creation flags.
    enum : unsigned {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,      // creates the file, truncating one that exists...
        modeNoTruncate = 0x2000,  // ...unless this is given too
        modeCreateNew = 0x4000,   // creates the file; fails when it exists
    };

    CFile() = default;
    ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    bool Open(const std::string& path, unsigned flags, CFileError* error = nullptr);
    // False when closing failed (the handle is gone all the same): what was
    // written may not be on the disk.
    bool Close(CFileError* error = nullptr);
    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Handle() const { return m_handle; }
    const std::string& GetFilePath() const { return m_path; }
    unsigned OpenFlags() const { return m_flags; }

    // Size in bytes; false when it cannot be read or passes 2 GB.
    bool GetLength(std::size_t* length, CFileError* error = nullptr) const;
    bool SeekToBegin(CFileError* error = nullptr);
    // Reads the whole file from its start.
    bool ReadAll(std::string* bytes, CFileError* error = nullptr);
    // Writes all bytes at the current position.
    bool Write(const void* data, std::size_t length, CFileError* error = nullptr);
    bool Flush(CFileError* error = nullptr);

private:
    bool Fail(CFileError* error, DWORD code = ::GetLastError()) const;

    HANDLE m_handle = INVALID_HANDLE_VALUE;
    std::string m_path;
    unsigned m_flags = 0;
};

// Whole files written the safe way. Each says why it failed through
// *error, whose path is the file named by the caller.

// Creates `path`, which must not exist, writes every byte, flushes and
// closes it. A failure deletes what it created.
bool WriteNewFile(const std::string& path, const std::string& bytes, CFileError* error);
// A name beside `target` for a new temporary file that does not exist yet;
// empty when none is free.
std::string NewTempPathBeside(const std::string& target);
// Puts `source` in the place of `target`; target's hidden, system and
// archive attributes stay.
bool ReplaceKeepingAttributes(const std::string& source, const std::string& target, CFileError* error);
// Writes `bytes` as the whole of `target` through a temporary file beside
// it, which replaces target only once it is complete. On failure target is
// as it was and no temporary file is left.
bool WriteFileReplacing(const std::string& target, const std::string& bytes, CFileError* error);
// Reads a whole file (others may read it meanwhile).
bool ReadEntireFile(const std::string& path, std::string* bytes, CFileError* error);
