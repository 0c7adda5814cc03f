// CWnd: a C++ object attached to one window handle. Messages reach the object
// through the shared window procedure and its message map.
#pragma once

#include <string>

#include "framework/win/CmdTarget.h"

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The object attached to a window, or null for windows of other code.
    static CWnd* FromHandle(HWND hwnd);

    // Registers a window class whose procedure is the framework's; succeeds
    // also when the class already exists.
    static bool RegisterWindowClass(const WNDCLASSEXA& wc);
    static LRESULT CALLBACK StdWndProc(HWND, UINT, WPARAM, LPARAM);
    // What a window or dialog procedure answers when a handler let an
    // exception out (running out of memory): the message's operation ends
    // there, the window answers as if it had failed (a creation is refused)
    // and the program goes on. No exception crosses into the system.
    static LRESULT AnswerAfterException(UINT message);

    // Creates a window of a class registered with the framework's procedure,
    // or of any other class (which is then subclassed). `idOrMenu` is the
    // control id for a child window.
    virtual bool CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style,
                          int x, int y, int cx, int cy, HWND parent, UINT_PTR idOrMenu,
                          void* param = nullptr);
    bool Create(const char* className, const char* title, DWORD style, const RECT& rc,
                CWnd* parent, UINT id);

    // Takes over a window made elsewhere: messages go through this object's
    // map first, then to the window's own procedure.
    bool SubclassWindow(HWND hwnd);
    HWND UnsubclassWindow();
    bool SubclassDlgItem(UINT id, CWnd* parent);

    bool DestroyWindow();

    // Message processing.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Handles the message through the map; true when a handler took it.
    virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
    virtual bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Offered every queued message aimed at this window or its children
    // before it is dispatched.
    virtual bool PreTranslateMessage(MSG* msg);
    // Called after the last message; objects that own themselves delete here.
    virtual void PostNcDestroy() {}

    // Thin conveniences.
    LRESULT SendMessage(UINT m, WPARAM w = 0, LPARAM l = 0) const { return ::SendMessageA(m_hWnd, m, w, l); }
    bool PostMessage(UINT m, WPARAM w = 0, LPARAM l = 0) const { return ::PostMessageA(m_hWnd, m, w, l) != 0; }
    void SetWindowText(const std::string& text) const { ::SetWindowTextA(m_hWnd, text.c_str()); }
    std::string GetWindowText() const;
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    bool ShowWindow(int cmd) const { return ::ShowWindow(m_hWnd, cmd) != 0; }
    bool IsWindowVisible() const { return m_hWnd && ::IsWindowVisible(m_hWnd); }
    void MoveWindow(int x, int y, int cx, int cy, bool repaint = true) const {
        ::MoveWindow(m_hWnd, x, y, cx, cy, repaint);
    }
    void Invalidate(bool erase = true) const { ::InvalidateRect(m_hWnd, nullptr, erase); }
    RECT GetClientRect() const;
    RECT GetWindowRect() const;

protected:
    WNDPROC m_superProc = nullptr;  // the window's own procedure when subclassed

private:
    void AttachHandle(HWND hwnd);
    void DetachHandle();
    friend class CDialog;
};
