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

    // True when this process should start: it is the first copy (it then
    // holds the instance mutex until it ends), or the running copy did not
    // take its file (see HandOff). Otherwise the running copy's main window
    // is brought forward and has taken the file, or the user has been told
    // why it cannot be opened; this process should then end.
    bool Acquire(const std::string& file);
    // True when Acquire let this process start because the running copy did
    // not take its file: it opens that file, and only that file, itself.
    bool HandOffFailed() const { return m_handOffFailed; }
    // How long a hand-off waits for the running copy's answer.
    void SetHandOffTimeout(DWORD timeoutMs) { m_handOffTimeoutMs = timeoutMs; }

    // The main window of a running copy, waiting up to `timeoutMs` for one
    // that is still starting.
    static HWND FindRunningCopy(DWORD timeoutMs);
    // Sends the open request for `path` to `frame`; false when the path is
    // too long, or the message was not answered within timeoutMs or was
    // refused.
    static bool SendOpenRequest(HWND frame, const std::string& path, DWORD timeoutMs = kHandOffTimeoutMs);

    enum class HandOffResult { Taken, Refused, NotTaken };
    // Offers the command-line `file` to the running copy's window: Taken
    // when there is nothing to hand over or the copy took it; Refused, after
    // a message saying why, when its path cannot be opened by any copy (too
    // long); NotTaken when the copy did not answer in time or refused it, so
    // this process must open the file itself.
    static HandOffResult HandOff(HWND running, const std::string& file, DWORD timeoutMs);

    static constexpr DWORD kHandOffTimeoutMs = 30000;

private:
    // A second copy waits for the first one's window while the first holds
    // the mutex; null when this copy took the mutex over instead.
    HWND WaitForRunningCopy();

    HANDLE m_mutex = nullptr;
    bool m_handOffFailed = false;
    DWORD m_handOffTimeoutMs = kHandOffTimeoutMs;
};

// The full long form of a path named on the command line (relative names are
// taken from this process's current folder); empty when it is too long.
std::string CommandLinePathToFull(const std::string& file);
// Tells the user that a command-line file cannot be opened because its path
// is too long.
void ReportCommandLinePathTooLong(const std::string& file);
