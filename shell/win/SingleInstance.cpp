#include "shell/win/SingleInstance.h"

#include <vector>

#include "framework/core/AppInfo.h"
#include "framework/core/PathUtil.h"
#include "framework/core/FileError.h"
#include "framework/win/MessageBox.h"
#include "framework/win/WinPath.h"
#include "shell/core/FrameState.h"

namespace {
// Named beside the window search, so two copies started at the same moment
// still end as one: the second waits for the first one's window.
const char kMutexName[] = "Tavenor.Pembroquil.SingleInstance";
}  // namespace

CSingleInstance::~CSingleInstance() {
    if (m_mutex) {
        ::ReleaseMutex(m_mutex);
        ::CloseHandle(m_mutex);
    }
}

std::string CommandLinePathToFull(const std::string& file) {
    return FullPathOf(file);
}

HWND CSingleInstance::FindRunningCopy(DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        HWND frame = ::FindWindowA(appinfo::kMainWindowClass, nullptr);
        if (frame || ::GetTickCount() - start >= timeoutMs) return frame;
        ::Sleep(50);
    }
}

void ReportCommandLinePathTooLong(const std::string& file) {
    PqErrorBox(nullptr, fileerr::FullMessage(file, fileerr::Cause::BadPath));
}

bool CSingleInstance::SendOpenRequest(HWND frame, const std::string& path, DWORD timeoutMs) {
    if (!frame || path.empty() || path.size() >= shell::kOpenRequestSize) return false;
    std::vector<char> data(shell::kOpenRequestSize, '\0');
    path.copy(data.data(), path.size());
    COPYDATASTRUCT cds = {};
    cds.dwData = shell::kOpenRequestId;
    cds.cbData = static_cast<DWORD>(data.size());
    cds.lpData = data.data();
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(frame, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds),
                                 SMTO_NORMAL, timeoutMs, &result) != 0 &&
           result != FALSE;
}

CSingleInstance::HandOffResult CSingleInstance::HandOff(HWND running, const std::string& file, DWORD timeoutMs) {
    if (file.empty()) return HandOffResult::Taken;
    const std::string path = CommandLinePathToFull(file);
    if (path.empty()) {
        ReportCommandLinePathTooLong(file);
        return HandOffResult::Refused;
    }
    return SendOpenRequest(running, path, timeoutMs) ? HandOffResult::Taken : HandOffResult::NotTaken;
}

bool CSingleInstance::Acquire(const std::string& file) {
    m_mutex = ::CreateMutexA(nullptr, TRUE, kMutexName);
    const bool first = m_mutex && ::GetLastError() != ERROR_ALREADY_EXISTS;
    HWND running = first ? FindRunningCopy(0) : WaitForRunningCopy();
    if (!running) {
        // This process now holds the mutex (the other copy ended before it
        // showed a window), or no mutex could be made: start normally rather
        // than lose the file.
        return true;
    }
    if (::IsIconic(running)) ::ShowWindow(running, SW_RESTORE);
    ::SetForegroundWindow(::GetLastActivePopup(running));
    const HandOffResult handed = HandOff(running, file, m_handOffTimeoutMs);
    if (m_mutex) {
        if (first) ::ReleaseMutex(m_mutex);
        ::CloseHandle(m_mutex);
        m_mutex = nullptr;
    }
    // The running copy does not answer (or refused the file): rather than
    // drop the file, this copy starts after all and opens it.
    m_handOffFailed = handed == HandOffResult::NotTaken;
    return m_handOffFailed;
}

HWND CSingleInstance::WaitForRunningCopy() {
    // The other copy may be showing its start-up messages, for as long as
    // the user takes: wait for its window as long as it holds the mutex.
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (HWND frame = ::FindWindowA(appinfo::kMainWindowClass, nullptr)) return frame;
        if (!m_mutex) {
            if (::GetTickCount() - start >= 15000) return nullptr;
            ::Sleep(50);
            continue;
        }
        const DWORD wait = ::WaitForSingleObject(m_mutex, 50);
        if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) {
            // The other copy ended without a window: this one is the first.
            if (HWND frame = ::FindWindowA(appinfo::kMainWindowClass, nullptr)) {
                ::ReleaseMutex(m_mutex);
                return frame;
            }
            return nullptr;
        }
        if (wait == WAIT_FAILED) {
            ::CloseHandle(m_mutex);
            m_mutex = nullptr;
        }
    }
}
