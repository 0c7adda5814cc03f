#include "shell/win/PembroquilApp.h"

#include "framework/core/AppInfo.h"

bool CPembroquilApp::InitInstance() {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES |
                                                ICC_USEREX_CLASSES | ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&icc);
    SetRegistryKey(appinfo::kCompanyName);
    m_registry = std::make_unique<CRegistrySettings>(RegistryRoot());
    m_settings = std::make_unique<settings::SettingsStore>(*m_registry);
    settings::SetCurrent(m_settings.get());

    if (!CMainFrame::RegisterFrameClass(m_hInstance)) {
        m_exitCode = 1;
        return false;
    }
    m_frame = std::make_unique<CMainFrame>();
    if (!m_frame->Create()) {
        m_frame.reset();
        m_exitCode = 1;
        return false;
    }
    m_pMainWnd = m_frame.get();
    m_frame->ShowWindow(SW_SHOWNORMAL);
    ::UpdateWindow(m_frame->m_hWnd);
    return true;
}

int CPembroquilApp::ExitInstance() {
    m_frame.reset();
    settings::SetCurrent(nullptr);
    return m_exitCode;
}
