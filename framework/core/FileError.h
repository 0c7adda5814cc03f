// Causes of file errors and the program's standard message for each. A
// message about a file is its full path followed directly by the text, so
// every text starts where the path ends.
#pragma once

#include <string>

namespace fileerr {

enum class Cause {
    None = 0,
    Generic,           // anything not listed below
    NotFound,          // the file does not exist
    BadPath,           // the path or a folder of it does not exist or is malformed
    TooManyOpen,       // no more handles
    AccessDenied,      // no permission, a read-only file, a folder
    InvalidFile,       // an invalid handle
    RemoveCurrentDir,  // the current folder cannot be removed
    DirectoryFull,     // no more entries in the folder
    BadSeek,           // a seek failed
    HardIO,            // a hardware error
    SharingViolation,  // another program holds the file with a sharing mode that excludes us
    LockViolation,     // a region is locked
    DiskFull,          // no space left on the disk
    EndOfFile,         // a read past the end
    OutOfMemory,       // the file is too large to hold in memory
};

// The standard text shown after the path for a cause ("" for None).
const char* Message(Cause cause);
// The whole message: the path followed by the text of the cause.
std::string FullMessage(const std::string& path, Cause cause);

}  // namespace fileerr
