// CControlBar: a window docked in the frame (menu bar, tool bar, address
// bar) whose items show command states. The frame asks every bar it knows
// to refresh them when the message queue becomes idle.
#pragma once

#include <vector>

#include "framework/win/Wnd.h"

class CFrameWnd;

class CControlBar : public CWnd {
public:
    // Refreshes the bar's items from the command states the frame reports
    // (CFrameWnd::UpdateCommandState); nothing by default.
    virtual void OnUpdateCmdUI(CFrameWnd* target) { (void)target; }
    // The frame whose commands the bar shows and sends.
    CFrameWnd* GetOwnerFrame() const { return m_pOwnerFrame; }
    void SetOwnerFrame(CFrameWnd* frame) { m_pOwnerFrame = frame; }

protected:
    CFrameWnd* m_pOwnerFrame = nullptr;
};

// Command state of one tool bar button, set through the tool bar control.
class CToolCmdUI : public CCmdUI {
public:
    CToolCmdUI(HWND toolBar, UINT command) : m_toolBar(toolBar), m_command(command) {}
    void Enable(bool on = true) override;
    void SetCheck(bool on = true) override;

private:
    HWND m_toolBar;
    UINT m_command;
};
