// The application object of the program.
#pragma once

#include <memory>

#include "config/core/SettingsStore.h"
#include "config/win/RegistrySettings.h"
#include "framework/win/App.h"
#include "shell/win/MainFrame.h"
#include "shell/win/SingleInstance.h"

class CPembroquilApp : public CWinApp {
public:
    bool InitInstance() override;
    int ExitInstance() override;

private:
    void MigrateSettings();

    CSingleInstance m_instance;
    bool m_oleInitialized = false;
    std::string m_commandLineFile;
    std::unique_ptr<CRegistrySettings> m_registry;
    std::unique_ptr<settings::SettingsStore> m_settings;
    std::unique_ptr<CMainFrame> m_frame;
};
