// The main window of the program: class "PembroquilWClass", the bar
// container with menu bar, close button, tool bar and address bar at the
// top, the status bar at the bottom and, until the document window exists,
// an empty client area. Its command manager dispatches every command.
#pragma once

#include "config/win/CommandManager.h"
#include "framework/win/App.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/StatusBar.h"
#include "shell/win/BarContainer.h"

class CMainFrame : public CFrameWnd, public IIdleHandler {
public:
    CMainFrame();
    ~CMainFrame() override;

    static bool RegisterFrameClass(HINSTANCE instance);
    bool Create();

    CStatusBar& StatusBar() { return m_wndStatusBar; }
    CommandManager& Commands() { return m_commands; }
    CBarContainer& Bars() { return m_bars; }

    // The bar container takes the top, the status bar the bottom, the
    // client window the rest, below a gap of 7 pixels (4 when locked).
    int TopBarsHeight() const override;
    void LayoutTopBars(const RECT& area) override;
    std::string GetMessageString(UINT id) const override;
    void OnIdle() override;

    // The Customize sheet with the pages of `pageMask` (CCstmzSheet bits)
    // and the keyboard page on `keyCategory`.
    void OpenCustomizeSheet(unsigned pageMask, int keyCategory);
    void OpenKeyHelp();

protected:
    LRESULT OnCreateMsg(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    LRESULT OnEraseBkgndMsg(WPARAM, LPARAM);
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnAppExit();
    void OnViewStatusBar();
    void OnUpdateViewStatusBar(CCmdUI* ui);

    CStatusBar m_wndStatusBar;
    CommandManager m_commands;
    CBarContainer m_bars;

    DECLARE_MESSAGE_MAP()
};
