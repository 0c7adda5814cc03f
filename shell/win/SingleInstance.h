// One copy of the program at a time: a second start hands its file to the
// running copy and ends.
#pragma once

#include <string>

#include "framework/win/Afx.h"

class CSingleInstance {
public:
    CSingleInstance() = default;
    ~CSingleInstance();
    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;

    // True when this process is the first copy (it then holds the instance
    // mutex until it ends). Otherwise the running copy's main window is
    // brought forward and, when `file` is not empty, sent an open request
    // for its full long path; this process should then end.
    bool Acquire(const std::string& file);

    // The main window of a running copy, waiting up to `timeoutMs` for one
    // that is still starting.
    static HWND FindRunningCopy(DWORD timeoutMs);
    // Sends the open request for `path` to `frame`; false when the path is
    // too long or the message could not be delivered.
    static bool SendOpenRequest(HWND frame, const std::string& path);

private:
    // A second copy waits for the first one's window while the first holds
    // the mutex; null when this copy took the mutex over instead.
    HWND WaitForRunningCopy();

    HANDLE m_mutex = nullptr;
};

// The full long form of a path named on the command line (relative names are
// taken from this process's current folder); empty when it is too long.
std::string CommandLinePathToFull(const std::string& file);
