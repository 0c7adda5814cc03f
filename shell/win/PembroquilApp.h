// The application object of the program.
#pragma once

#include <memory>

#include "framework/win/App.h"
#include "shell/win/MainFrame.h"

class CPembroquilApp : public CWinApp {
public:
    bool InitInstance() override;
    int ExitInstance() override;

private:
    std::unique_ptr<CMainFrame> m_frame;
};
