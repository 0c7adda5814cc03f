#include "framework/win/App.h"

#include <algorithm>

namespace {
CWinApp* g_app = nullptr;

template <typename T>
void RemoveFrom(std::vector<T>& v, const T& item) {
    v.erase(std::remove(v.begin(), v.end(), item), v.end());
}
}  // namespace

std::string LoadResString(UINT id, HINSTANCE instance) {
    if (!instance) instance = ::GetModuleHandleA(nullptr);
    // LoadStringA has no way to ask for the length, so grow until it fits.
    for (int size = 256; size <= 65536; size *= 4) {
        std::string buf(static_cast<size_t>(size), '\0');
        int n = ::LoadStringA(instance, id, &buf[0], size);
        if (n <= 0) return std::string();
        if (n < size - 2) {
            buf.resize(static_cast<size_t>(n));
            return buf;
        }
    }
    return std::string();
}

CWinApp::CWinApp() { g_app = this; }

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

CWinApp* CWinApp::Current() { return g_app; }

void CWinApp::AddPreTranslateHandler(IPreTranslateHandler* handler) {
    if (handler && std::find(m_preTranslate.begin(), m_preTranslate.end(), handler) == m_preTranslate.end())
        m_preTranslate.push_back(handler);
}
void CWinApp::RemovePreTranslateHandler(IPreTranslateHandler* handler) { RemoveFrom(m_preTranslate, handler); }
void CWinApp::AddIdleHandler(IIdleHandler* handler) {
    if (handler && std::find(m_idle.begin(), m_idle.end(), handler) == m_idle.end()) m_idle.push_back(handler);
}
void CWinApp::RemoveIdleHandler(IIdleHandler* handler) { RemoveFrom(m_idle, handler); }
void CWinApp::AddModelessDialog(HWND dialog) {
    if (dialog && std::find(m_modeless.begin(), m_modeless.end(), dialog) == m_modeless.end())
        m_modeless.push_back(dialog);
}
void CWinApp::RemoveModelessDialog(HWND dialog) { RemoveFrom(m_modeless, dialog); }

void CWinApp::SetRegistryKey(const std::string& company) { m_company = company; }

std::string CWinApp::AppTitle() const {
    std::string title = LoadResString(AFX_IDS_APP_TITLE, m_hInstance);
    return title.empty() ? std::string("Pembroquil") : title;
}

std::string CWinApp::RegistryRoot() const {
    return "Software\\" + m_company + "\\" + AppTitle();
}

bool CWinApp::PreTranslateMessage(MSG* msg) {
    // Copy: a handler may add or remove handlers while it runs.
    const std::vector<IPreTranslateHandler*> chain = m_preTranslate;
    for (IPreTranslateHandler* h : chain) {
        if (h->PreTranslate(msg)) return true;
    }
    // The target window and its ancestors may filter the message.
    for (HWND h = msg->hwnd; h; h = ::GetParent(h)) {
        CWnd* w = CWnd::FromHandle(h);
        if (w && w->PreTranslateMessage(msg)) return true;
    }
    const std::vector<HWND> dialogs = m_modeless;
    for (HWND d : dialogs) {
        if (::IsWindow(d) && ::IsDialogMessageA(d, msg)) return true;
    }
    return false;
}

void CWinApp::OnIdle() {
    const std::vector<IIdleHandler*> handlers = m_idle;
    for (IIdleHandler* h : handlers) h->OnIdle();
}

int CWinApp::Run() {
    MSG msg;
    bool idlePending = true;
    for (;;) {
        while (idlePending && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            idlePending = false;
            try {
                OnIdle();
            } catch (...) {
                // The states are asked again after the next input.
            }
        }
        BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got == -1) return -1;
        bool taken = false;
        try {
            taken = PreTranslateMessage(&msg);
        } catch (...) {
            taken = true;  // the key's operation ended there
        }
        if (!taken) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        // Timers and paints repeat by themselves; only other input makes the
        // command states worth asking again.
        if (msg.message != WM_TIMER && msg.message != WM_PAINT && msg.message != 0x0118 /*WM_SYSTIMER*/)
            idlePending = true;
    }
}

int RunApplication(CWinApp& app, HINSTANCE instance) {
    app.m_hInstance = instance;
    if (!app.InitInstance()) return app.ExitInstance();
    app.m_exitCode = app.Run();
    return app.ExitInstance();
}
