// Sends a message to a window of this thread from a second thread, as
// another program would, and keeps this thread's messages flowing until the
// answer is back.
#pragma once

#include <windows.h>

namespace testsupport {

struct ForeignSend {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
};

inline DWORD WINAPI SendFromThread(void* p) {
    ForeignSend* s = static_cast<ForeignSend*>(p);
    s->result = ::SendMessageA(s->hwnd, s->message, s->wParam, s->lParam);
    return 0;
}

inline LRESULT SendFromOtherThread(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ForeignSend s = {hwnd, message, wParam, lParam, -1};
    HANDLE thread = ::CreateThread(nullptr, 0, SendFromThread, &s, 0, nullptr);
    if (!thread) return -1;
    while (::MsgWaitForMultipleObjects(1, &thread, FALSE, 5000, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
    }
    ::CloseHandle(thread);
    return s.result;
}

// Dispatches whatever is queued for this thread.
inline void PumpMessages() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
}

}  // namespace testsupport
