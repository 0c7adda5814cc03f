// A stand-in for the program around a plug-in: a frame window that answers
// the "which editor is active" command (1224) with one of two real editors,
// copies of the delivered modules in a folder of their own (so each test has
// its own settings file beside the module), and a script of steps that runs
// on a timer while a plug-in's modal dialogs and message boxes are open.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "editor/win/CanvasEdit.h"
#include "e2e/E2E.h"
#include "framework/win/WinPath.h"

namespace plugintest {

using RunEntry = int(__cdecl*)(HWND, HWND, int);
using EndEntry = int(__cdecl*)();

class CHostFrame : public CWnd {
public:
    enum class Answer { Editor, NoEditor, Silent };
    Answer answer = Answer::Editor;
    int active = 0;
    CCanvasEdit editors[2];

    bool Create() {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &CWnd::StdWndProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "PqPluginHostFrame";
        if (!RegisterWindowClass(wc)) return false;
        if (!CreateEx(0, wc.lpszClassName, "Pembroquil", WS_POPUP | WS_BORDER | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0,
                      600, 300, nullptr, 0))
            return false;
        RECT left = {0, 0, 300, 300}, right = {300, 0, 600, 300};
        return editors[0].Create(m_hWnd, CCanvasEdit::kControlId, &left) &&
               editors[1].Create(m_hWnd, CCanvasEdit::kControlId + 1, &right);
    }
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (message == WM_COMMAND && wParam == 1224) {
            ++asked;
            HWND* out = reinterpret_cast<HWND*>(lParam);
            if (answer == Answer::Editor) *out = editors[active].m_hWnd;
            if (answer == Answer::NoEditor) *out = nullptr;
            *result = 0;
            return true;
        }
        if (message == WM_COMMAND && LOWORD(wParam) == 0) {  // the editors' notifications
            *result = 0;
            return true;
        }
        return CWnd::OnWndMsg(message, wParam, lParam, result);
    }
    void Destroy() {
        for (CCanvasEdit& e : editors) e.DestroyWindow();
        DestroyWindow();
    }
    std::string Text(int i) {
        std::string s;
        editors[i].Model().GetText(s);
        return s;
    }
    void SetText(int i, const std::string& text) { editors[i].Model().SetText(text); }
    int asked = 0;
};

// A copy of a delivered module in a fresh folder, loaded.
class CModuleCopy {
public:
    bool Load(const char* fileName) {
        char temp[MAX_PATH];
        ::GetTempPathA(sizeof temp, temp);
        m_folder = std::string(temp) + "pqplugin" + std::to_string(::GetCurrentProcessId()) + "_" +
                   std::to_string(++s_counter) + "\\";
        ::CreateDirectoryA(m_folder.c_str(), nullptr);
        m_path = m_folder + fileName;
        const std::string source = ProgramFolder() + "..\\out\\Plugins\\" + fileName;
        if (!::CopyFileA(source.c_str(), m_path.c_str(), FALSE)) return false;
        m_module = ::LoadLibraryA(m_path.c_str());
        return m_module != nullptr;
    }
    ~CModuleCopy() {
        if (m_module) ::FreeLibrary(m_module);
        WIN32_FIND_DATAA fd;
        HANDLE h = ::FindFirstFileA((m_folder + "*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ::DeleteFileA((m_folder + fd.cFileName).c_str());
            } while (::FindNextFileA(h, &fd));
            ::FindClose(h);
        }
        ::RemoveDirectoryA(m_folder.c_str());
    }
    RunEntry Run() const {
        return reinterpret_cast<RunEntry>(reinterpret_cast<void*>(::GetProcAddress(m_module, "PembroquilPluginExecute")));
    }
    EndEntry End() const {
        return reinterpret_cast<EndEntry>(
            reinterpret_cast<void*>(::GetProcAddress(m_module, "PembroquilPluginConclusion")));
    }
    // The settings file beside the module.
    std::string Ini(const char* name) const { return m_folder + name; }
    void WriteIni(const char* file, const char* section, const char* key, const char* value) const {
        ::WritePrivateProfileStringA(section, key, value, Ini(file).c_str());
    }
    std::string ReadIni(const char* file, const char* section, const char* key) const {
        char buf[512];
        ::GetPrivateProfileStringA(section, key, "<absent>", buf, sizeof buf, Ini(file).c_str());
        return buf;
    }

private:
    static inline int s_counter = 0;
    std::string m_folder, m_path;
    HMODULE m_module = nullptr;
};

// A visible top-level window of this thread of the dialog class with the
// title: a dialog, or a message box (which has the text static 0xFFFF).
struct WindowSearch {
    const char* title;
    bool messageBox;
    HWND found;
};
inline BOOL CALLBACK MatchWindow(HWND w, LPARAM l) {
    auto* s = reinterpret_cast<WindowSearch*>(l);
    char cls[32] = {}, text[256] = {};
    ::GetClassNameA(w, cls, sizeof cls);
    ::GetWindowTextA(w, text, sizeof text);
    if (std::string(cls) == "#32770" && std::string(text) == s->title && ::IsWindowVisible(w) &&
        (::GetDlgItem(w, 0xFFFF) != nullptr) == s->messageBox) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}
inline HWND FindWindowOfThread(const char* title, bool messageBox) {
    WindowSearch search = {title, messageBox, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), &MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
inline HWND FindDialog(const char* title) { return FindWindowOfThread(title, false); }
inline HWND FindMessageBox(const char* title) { return FindWindowOfThread(title, true); }

// The text of a message box (its static 0xFFFF).
inline std::string MessageText(HWND box) {
    char text[512] = {};
    ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return text;
}

inline std::string ItemText(HWND dialog, int id) {
    char text[512] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

inline std::string ListText(HWND combo, int index) {
    char text[512] = {};
    if (::SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0) < 512)
        ::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

// Chooses a list item as the user does: the selection, then the notification.
inline void ChooseItem(HWND dialog, int id, int index) {
    HWND combo = ::GetDlgItem(dialog, id);
    ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

// Presses a button later, from the dialog's own loop (a press that opens a
// modal window must not block the script).
inline void PostClick(HWND dialog, int id) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

inline int BarPos(HWND dialog, int id) { return ::GetScrollPos(::GetDlgItem(dialog, id), SB_CTL); }

// Steps run one after another on a thread timer, in whatever message loop is
// running (a plug-in's modal dialog, a message box, or Pump). A step returns
// true when it is done, false to be called again on the next tick. After
// `limitMs` the script gives up: it fails the test and closes every dialog of
// the thread so the plug-in returns.
class CScript {
public:
    using Step = std::function<bool()>;
    explicit CScript(std::vector<Step> steps, DWORD limitMs = 15000) : m_steps(std::move(steps)), m_limit(limitMs) {
        s_current = this;
        m_start = ::GetTickCount();
        m_timer = ::SetTimer(nullptr, 0, 40, &CScript::Tick);
    }
    ~CScript() {
        ::KillTimer(nullptr, m_timer);
        if (s_current == this) s_current = nullptr;
    }
    bool Done() const { return m_next >= m_steps.size(); }
    bool TimedOut() const { return m_timedOut; }
    // Runs the thread's messages until the script is done (or gives up).
    void Pump() {
        MSG msg;
        while (!Done() && !m_timedOut && ::GetMessageA(&msg, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        CScript* self = s_current;
        if (!self || self->m_busy) return;
        self->m_busy = true;
        if (!self->Done() && !self->m_timedOut) {
            if (::GetTickCount() - self->m_start > self->m_limit) {
                self->m_timedOut = true;
                ADD_FAILURE() << "script stopped at step " << self->m_next;
            } else if (self->m_steps[self->m_next]()) {
                ++self->m_next;
            }
        }
        if (self->m_timedOut) {
            ::EnumThreadWindows(::GetCurrentThreadId(), &CancelDialog, 0);
        }
        self->m_busy = false;
    }

    static BOOL CALLBACK CancelDialog(HWND w, LPARAM) {
        char cls[32] = {};
        ::GetClassNameA(w, cls, sizeof cls);
        if (std::string(cls) == "#32770") ::PostMessageA(w, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    }

    static inline CScript* s_current = nullptr;
    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    DWORD m_limit;
    DWORD m_start = 0;
    UINT_PTR m_timer = 0;
    bool m_busy = false;
    bool m_timedOut = false;
};

// A step that waits for a message box with the title and text and answers it.
inline CScript::Step AnswerBox(const char* title, const std::string& text, int button) {
    return [title, text, button]() {
        HWND box = FindMessageBox(title);
        if (!box) return false;
        EXPECT_EQ(MessageText(box), text);
        ::PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
        return true;
    };
}

// Saves a photograph of the display (the test bed's X screen).
inline void Photograph(HWND window, const std::string& name) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const std::string file = e2e::ToUnixPath(e2e::ScreenshotDir() + "\\" + name + ".png");
    e2e::RunHostProgram("import -window root '" + file + "'");
}

}  // namespace plugintest
