#include "framework/win/Wnd.h"

#include "framework/win/App.h"
#include "framework/win/ForeignMessages.h"

namespace {
const char kWndProp[] = "PqWndObject";
// The object whose window is being created on this thread: messages that
// arrive before CreateWindowEx returns are routed to it.
thread_local CWnd* g_creating = nullptr;
}  // namespace

CWnd::~CWnd() {
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        HWND h = m_hWnd;
        if (m_superProc) UnsubclassWindow();
        DetachHandle();
        ::DestroyWindow(h);
    }
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    return static_cast<CWnd*>(::GetPropA(hwnd, kWndProp));
}

void CWnd::AttachHandle(HWND hwnd) {
    m_hWnd = hwnd;
    ::SetPropA(hwnd, kWndProp, this);
}

void CWnd::DetachHandle() {
    if (m_hWnd) ::RemovePropA(m_hWnd, kWndProp);
    m_hWnd = nullptr;
}

bool CWnd::RegisterWindowClass(const WNDCLASSEXA& wcIn) {
    WNDCLASSEXA existing = {};
    existing.cbSize = sizeof existing;
    HINSTANCE inst = wcIn.hInstance ? wcIn.hInstance : ::GetModuleHandleA(nullptr);
    if (::GetClassInfoExA(inst, wcIn.lpszClassName, &existing)) return true;
    WNDCLASSEXA wc = wcIn;
    wc.cbSize = sizeof wc;
    wc.hInstance = inst;
    if (!wc.lpfnWndProc) wc.lpfnWndProc = &CWnd::StdWndProc;
    return ::RegisterClassExA(&wc) != 0;
}

LRESULT CALLBACK CWnd::StdWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = FromHandle(hwnd);
    if (!wnd && g_creating) {
        wnd = g_creating;
        g_creating = nullptr;
        wnd->AttachHandle(hwnd);
    }
    if (!wnd) return ::DefWindowProcA(hwnd, message, wParam, lParam);
    LRESULT r = 0;
    try {
        r = wnd->WindowProc(message, wParam, lParam);
    } catch (...) {
        r = AnswerAfterException(message);
    }
    if (message == WM_NCDESTROY) {
        if (wnd->m_superProc) {
            ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(wnd->m_superProc));
            wnd->m_superProc = nullptr;
        }
        wnd->DetachHandle();
        wnd->PostNcDestroy();
    }
    return r;
}

LRESULT CWnd::AnswerAfterException(UINT message) {
    ::MessageBeep(MB_ICONHAND);
    if (message == WM_CREATE) return -1;
    return 0;  // WM_NCCREATE: FALSE, the creation fails too
}

bool CWnd::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                    int y, int cx, int cy, HWND parent, UINT_PTR idOrMenu, void* param) {
    if (m_hWnd) return false;
    HINSTANCE inst = ::GetModuleHandleA(nullptr);
    WNDCLASSEXA info = {};
    info.cbSize = sizeof info;
    const bool ours = ::GetClassInfoExA(inst, className, &info) && info.lpfnWndProc == &CWnd::StdWndProc;
    if (ours) g_creating = this;
    HWND h = ::CreateWindowExA(exStyle, className, title, style, x, y, cx, cy, parent,
                               reinterpret_cast<HMENU>(idOrMenu), inst, param);
    g_creating = nullptr;
    if (!h) {
        m_hWnd = nullptr;
        return false;
    }
    if (!ours) SubclassWindow(h);
    return true;
}

bool CWnd::Create(const char* className, const char* title, DWORD style, const RECT& rc,
                  CWnd* parent, UINT id) {
    return CreateEx(0, className, title, style, rc.left, rc.top, rc.right - rc.left,
                    rc.bottom - rc.top, parent ? parent->m_hWnd : nullptr, id);
}

bool CWnd::SubclassWindow(HWND hwnd) {
    if (!hwnd || m_hWnd || FromHandle(hwnd)) return false;
    AttachHandle(hwnd);
    m_superProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StdWndProc)));
    return true;
}

HWND CWnd::UnsubclassWindow() {
    HWND h = m_hWnd;
    if (!h) return nullptr;
    if (m_superProc) {
        ::SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
        m_superProc = nullptr;
    }
    DetachHandle();
    return h;
}

bool CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    return parent && SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

bool CWnd::DestroyWindow() {
    if (!m_hWnd) return false;
    return ::DestroyWindow(m_hWnd) != 0;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, &result)) return result;
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_superProc) return ::CallWindowProcA(m_superProc, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND) {
        if (OnCommand(wParam, lParam)) {
            *result = 0;
            return true;
        }
        return false;
    }
    if (message == WM_NOTIFY) {
        if (!foreign::TrustedNotification(lParam)) return false;
        return OnNotify(wParam, lParam, result);
    }
    return DispatchMessageMap(message, wParam, lParam, result);
}

bool foreign::TrustedNotification(LPARAM lParam) {
    if (!::InSendMessage()) return true;
    if (!lParam) return false;
    // The largest notification the program reads fits in this many bytes.
    constexpr SIZE_T kLargest = 256;
    const char* p = reinterpret_cast<const char*>(lParam);
    MEMORY_BASIC_INFORMATION info = {};
    if (::VirtualQuery(p, &info, sizeof info) != sizeof info || info.State != MEM_COMMIT) return false;
    const DWORD writable = PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    if (!(info.Protect & writable) || (info.Protect & (PAGE_GUARD | PAGE_NOACCESS))) return false;
    const char* end = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
    if (p > end || static_cast<SIZE_T>(end - p) < kLargest) return false;
    const NMHDR* header = reinterpret_cast<const NMHDR*>(p);
    return header->hwndFrom && ::IsWindow(header->hwndFrom) &&
           ::GetWindowThreadProcessId(header->hwndFrom, nullptr) == ::GetCurrentThreadId();
}

bool CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    const UINT id = LOWORD(wParam);
    const int code = static_cast<short>(HIWORD(wParam));
    return OnCmdMsg(id, code, nullptr);
}

bool CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result) {
    NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header) return false;
    *result = 0;
    return DispatchNotify(header, result);
}

bool CWnd::PreTranslateMessage(MSG*) { return false; }

std::string CWnd::GetWindowText() const {
    int n = ::GetWindowTextLengthA(m_hWnd);
    std::string s(static_cast<size_t>(n > 0 ? n : 0) + 1, '\0');
    int got = ::GetWindowTextA(m_hWnd, &s[0], static_cast<int>(s.size()));
    s.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return s;
}

RECT CWnd::GetClientRect() const {
    RECT rc = {};
    ::GetClientRect(m_hWnd, &rc);
    return rc;
}

RECT CWnd::GetWindowRect() const {
    RECT rc = {};
    ::GetWindowRect(m_hWnd, &rc);
    return rc;
}
