// CDialog: a dialog from a template of the program's resources, modal or
// modeless. Its messages go through the message map like any window's.
#pragma once

#include <functional>

#include "framework/win/Wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    CDialog(UINT templateId, HWND parent);
    ~CDialog() override;

    // Runs the dialog modally; returns the code given to EndDialog, or -1
    // when the dialog cannot be created.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless; it joins the message loop's dialog
    // handling until it is destroyed.
    virtual bool CreateModeless();
    bool IsModal() const { return m_modal; }

    virtual bool OnInitDialog() { return true; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // Ends a modal dialog with `result`, or destroys a modeless one.
    void EndDialog(INT_PTR result);

    // A handler that wants the dialog manager's default behaviour returns
    // this (it marks the message as not handled).
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

    UINT TemplateId() const { return m_templateId; }

    // F1 (WM_HELP) and a Help button (IDHELP) in any dialog or property page
    // ask one handler for the page of the dialog's template. The program sets
    // it once; tests replace it. Returns the handler it replaces.
    using HelpHandler = std::function<bool(UINT templateId)>;
    static HelpHandler SetHelpHandler(HelpHandler handler);
    // Asks the handler for this dialog's page; false when there is none.
    virtual bool ShowHelp();

protected:
    static INT_PTR CALLBACK DlgProc(HWND, UINT, WPARAM, LPARAM);
    UINT m_templateId;
    HWND m_parent;
    bool m_modal = false;
    INT_PTR m_result = -1;
    bool m_passToDefault = false;
};
