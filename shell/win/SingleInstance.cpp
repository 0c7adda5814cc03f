#include "shell/win/SingleInstance.h"

#include <vector>

#include "framework/core/AppInfo.h"
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

bool CSingleInstance::SendOpenRequest(HWND frame, const std::string& path) {
    if (!frame || path.empty() || path.size() >= shell::kOpenRequestSize) return false;
    std::vector<char> data(shell::kOpenRequestSize, '\0');
    path.copy(data.data(), path.size());
    COPYDATASTRUCT cds = {};
    cds.dwData = shell::kOpenRequestId;
    cds.cbData = static_cast<DWORD>(data.size());
    cds.lpData = data.data();
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(frame, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_NORMAL, 30000,
                                 &result) != 0;
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
    const std::string path = CommandLinePathToFull(file);
    if (!path.empty()) SendOpenRequest(running, path);
    if (m_mutex) {
        if (first) ::ReleaseMutex(m_mutex);
        ::CloseHandle(m_mutex);
        m_mutex = nullptr;
    }
    return false;
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
