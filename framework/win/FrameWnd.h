// CFrameWnd: a top-level window that lays out its bars and client window,
// routes WM_COMMAND to command handlers and asks them for command states.
#pragma once

#include <string>
#include <vector>

#include "framework/win/ControlBar.h"
#include "framework/win/StatusBar.h"
#include "framework/win/Wnd.h"

// A command handler that sees every command before the frame's own map (the
// menu command table's dispatcher).
class ICommandRouter {
public:
    virtual ~ICommandRouter() = default;
    virtual bool RouteCommand(UINT id, int code) = 0;
    // Fills the state of a command; true when the router knows the command.
    virtual bool RouteCommandState(UINT id, CCmdUI* ui) = 0;
    // A command of a menu item (code 0) or key (code 1) that neither the
    // router nor the frame nor its active target took.
    virtual void CommandNotTaken(UINT id, int code) {
        (void)id;
        (void)code;
    }
};

class CFrameWnd : public CWnd {
public:
    CFrameWnd();
    ~CFrameWnd() override;

    bool CreateFrame(const char* className, const char* title, DWORD style, DWORD exStyle,
                     const RECT* rc = nullptr, HWND parent = nullptr, HMENU menu = nullptr);

    // Places the status bar, the top bars and the client window.
    virtual void RecalcLayout();
    // Height taken by bars at the top of the client area (none by default).
    virtual int TopBarsHeight() const { return 0; }
    virtual void LayoutTopBars(const RECT& /*area*/) {}

    void SetStatusBar(CStatusBar* bar) { m_pStatusBar = bar; }
    CStatusBar* GetStatusBar() const { return m_pStatusBar; }
    void SetClientWindow(CWnd* wnd) { m_pClientWnd = wnd; }
    CWnd* GetClientWindow() const { return m_pClientWnd; }

    // Command routing: router, own map, then the active command target.
    bool OnCmdMsg(UINT id, int code, CCmdUI* ui) override;
    void SetCommandRouter(ICommandRouter* router) { m_pRouter = router; }
    // The object commands go to after the frame (the active document).
    virtual CCmdTarget* GetActiveCommandTarget() { return nullptr; }

    // Asks for a command's state; a command nobody handles is disabled when
    // auto-disabling is on (the default), so menus grey unfinished commands.
    void UpdateCommandState(UINT id, CCmdUI* ui);
    bool m_bAutoMenuEnable = true;

    // Bars whose items show command states; UpdateControlBars refreshes
    // them (the frame calls it when the message queue becomes idle).
    void AddControlBar(CControlBar* bar);
    void RemoveControlBar(CControlBar* bar);
    void UpdateControlBars();

    // Status bar pane 0: the prompt of a command or the idle text.
    virtual std::string GetMessageString(UINT id) const;
    void SetMessageText(const std::string& text);
    void ShowIdleMessage();

protected:
    virtual void OnClose();
    void PostNcDestroy() override;

    LRESULT OnSizeMsg(WPARAM, LPARAM);
    LRESULT OnCloseMsg(WPARAM, LPARAM);
    LRESULT OnDestroyMsg(WPARAM, LPARAM);
    LRESULT OnSetFocusMsg(WPARAM, LPARAM);
    LRESULT OnInitMenuPopupMsg(WPARAM, LPARAM);
    LRESULT OnMenuSelectMsg(WPARAM, LPARAM);
    LRESULT OnExitMenuLoopMsg(WPARAM, LPARAM);

    CStatusBar* m_pStatusBar = nullptr;
    CWnd* m_pClientWnd = nullptr;
    ICommandRouter* m_pRouter = nullptr;
    std::vector<CControlBar*> m_controlBars;
    bool m_deleteOnDestroy = false;

    DECLARE_MESSAGE_MAP()
};

// Command state of one menu item.
class CMenuCmdUI : public CCmdUI {
public:
    CMenuCmdUI(HMENU menu, UINT index) : m_menu(menu), m_index(index) {}
    void Enable(bool on = true) override;
    void SetCheck(bool on = true) override;

private:
    HMENU m_menu;
    UINT m_index;
};
