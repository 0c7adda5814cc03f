// The main window of the program: class "PembroquilWClass", the status bar
// and, until the document window exists, an empty client area.
#pragma once

#include "framework/win/FrameWnd.h"
#include "framework/win/StatusBar.h"

class CMainFrame : public CFrameWnd {
public:
    CMainFrame();
    ~CMainFrame() override;

    static bool RegisterFrameClass(HINSTANCE instance);
    bool Create();

    CStatusBar& StatusBar() { return m_wndStatusBar; }

protected:
    LRESULT OnCreateMsg(WPARAM, LPARAM);
    LRESULT OnEraseBkgndMsg(WPARAM, LPARAM);
    void OnAppExit();
    void OnViewStatusBar();
    void OnUpdateViewStatusBar(CCmdUI* ui);

    CStatusBar m_wndStatusBar;

    DECLARE_MESSAGE_MAP()
};
