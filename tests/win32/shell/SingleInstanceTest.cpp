// A second start's hand-off of its command-line file to the running copy:
// taken, refused, or never answered, and a path too long for any copy.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/win/MessageBox.h"
#include "shell/win/SingleInstance.h"

namespace {

using HandOffResult = CSingleInstance::HandOffResult;

struct Boxes : IMessageBoxService {
    std::vector<std::string> texts;
    int Show(HWND, const std::string& text, const std::string&, UINT) override {
        texts.push_back(text);
        return IDOK;
    }
};

// The running copy's window, in a thread of its own: it answers the open
// request with `answer`, or hangs without reading its messages.
class RunningCopy {
public:
    enum Mode { Takes, Refuses, Hangs };

    explicit RunningCopy(Mode mode) : m_mode(mode) {
        m_ready = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
        m_release = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
        m_thread = ::CreateThread(nullptr, 0, &RunningCopy::Run, this, 0, nullptr);
        ::WaitForSingleObject(m_ready, 5000);
    }
    ~RunningCopy() {
        ::SetEvent(m_release);
        if (m_window) ::PostMessageA(m_window, WM_CLOSE, 0, 0);
        ::WaitForSingleObject(m_thread, 5000);
        ::CloseHandle(m_thread);
        ::CloseHandle(m_ready);
        ::CloseHandle(m_release);
    }
    HWND Window() const { return m_window; }
    std::string received;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<RunningCopy*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (msg == WM_COPYDATA && self) {
            const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            self->received.assign(static_cast<const char*>(cds->lpData));
            return self->m_mode == Takes ? TRUE : FALSE;
        }
        if (msg == WM_CLOSE) {
            ::DestroyWindow(hwnd);
            ::PostQuitMessage(0);
            return 0;
        }
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    static DWORD WINAPI Run(void* param) {
        auto* self = static_cast<RunningCopy*>(param);
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &RunningCopy::Proc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "PqHandOffTestCopy";
        ::RegisterClassA(&wc);
        self->m_window = ::CreateWindowA("PqHandOffTestCopy", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                         wc.hInstance, nullptr);
        ::SetWindowLongPtrA(self->m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        ::SetEvent(self->m_ready);
        if (self->m_mode == Hangs) {
            ::WaitForSingleObject(self->m_release, INFINITE);
            ::DestroyWindow(self->m_window);
            return 0;
        }
        MSG msg;
        while (::GetMessageA(&msg, nullptr, 0, 0) > 0) ::DispatchMessageA(&msg);
        return 0;
    }

    Mode m_mode;
    HANDLE m_ready = nullptr, m_release = nullptr, m_thread = nullptr;
    HWND m_window = nullptr;
};

TEST(SingleInstanceTest, AFileTheRunningCopyDoesNotTakeIsOpenedHereOrTheUserIsTold) {
    const std::string tooLong = "C:\\" + std::string(300, 'a') + ".html";
    struct Case {
        const char* name;
        RunningCopy::Mode mode;
        std::string file;
        HandOffResult expected;
        bool received;
        std::size_t messages;
    } cases[] = {
        {"taken", RunningCopy::Takes, "C:\\w\\a.html", HandOffResult::Taken, true, 0},
        {"refused", RunningCopy::Refuses, "C:\\w\\a.html", HandOffResult::NotTaken, true, 0},
        {"no answer", RunningCopy::Hangs, "C:\\w\\a.html", HandOffResult::NotTaken, false, 0},
        {"no file", RunningCopy::Hangs, "", HandOffResult::Taken, false, 0},
        {"too long", RunningCopy::Takes, tooLong, HandOffResult::Refused, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Boxes boxes;
        IMessageBoxService* old = SetMessageBoxService(&boxes);
        RunningCopy copy(c.mode);
        ASSERT_TRUE(copy.Window());
        const DWORD start = ::GetTickCount();
        EXPECT_EQ(CSingleInstance::HandOff(copy.Window(), c.file, 500), c.expected);
        EXPECT_LT(::GetTickCount() - start, 5000u);  // a copy that does not answer is not waited for long
        SetMessageBoxService(old);
        EXPECT_EQ(!copy.received.empty(), c.received) << copy.received;
        if (c.received) {
            EXPECT_EQ(copy.received, c.file);
        }
        ASSERT_EQ(boxes.texts.size(), c.messages);
        if (c.messages) {
            EXPECT_EQ(boxes.texts[0], tooLong + "\nのパスが正しくないか、フォルダが見つかりません。");
        }
    }
}

}  // namespace
