#include "shell/win/PembroquilApp.h"

#include <ole2.h>

#include "framework/core/AppInfo.h"
#include "framework/win/MessageBox.h"
#include "framework/win/WinPath.h"
#include "shell/core/CommandLine.h"
#include "shell/core/Migration.h"

bool CPembroquilApp::InitInstance() {
    // The C runtime's copy of the command line loses a leading byte of 0x80
    // or above, so the line is read as the system keeps it.
    m_commandLineFile = shell::CommandLineFile(::GetCommandLineA());
    if (!m_instance.Acquire(m_commandLineFile)) return false;

    if (FAILED(::OleInitialize(nullptr))) {
        PqErrorBox(nullptr, "OLEの初期化に失敗しました。OLEライブラリのバージョンが正しいことを確認してください。");
        m_exitCode = 1;
        return false;
    }
    m_oleInitialized = true;
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES |
                                                ICC_USEREX_CLASSES | ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&icc);
    SetRegistryKey(appinfo::kCompanyName);
    m_registry = std::make_unique<CRegistrySettings>(RegistryRoot());
    m_settings = std::make_unique<settings::SettingsStore>(*m_registry);
    settings::SetCurrent(m_settings.get());
    MigrateSettings();

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
    m_frame->RestoreWindow();
    m_frame->FillPanes();
    // A copy started because the running one did not take its file opens
    // that file alone: the last run's files are the running copy's.
    if (!m_instance.HandOffFailed()) m_frame->RestoreLastFiles();
    const std::string file = CommandLinePathToFull(m_commandLineFile);
    if (file.empty() && !m_commandLineFile.empty()) ReportCommandLinePathTooLong(m_commandLineFile);
    if (file.empty() || !m_frame->Documents().OpenDocFile(file, false, false))
        m_frame->Documents().ActivateTab(-1);
    return true;
}

int CPembroquilApp::ExitInstance() {
    m_frame.reset();
    settings::SetCurrent(nullptr);
    if (m_oleInitialized) ::OleUninitialize();
    return m_exitCode;
}

void CPembroquilApp::MigrateSettings() {
    // Without a readable version resource nothing is migrated and the stamp
    // stays as it is.
    const std::string version = VersionText("FileVersion");
    if (version.empty()) return;
    const int stored = settings::UpdateVersionStamp(*m_settings, version);
    for (const std::string& message : shell::RunSettingsMigrations(*m_settings, stored))
        PqInfoBox(nullptr, message);
}
