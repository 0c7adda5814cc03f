// The about box: the program's icon, version, legal notice and web address.
#pragma once

#include "framework/win/Dialog.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(HWND parent);
    ~CAboutDlg() override;

    bool OnInitDialog() override;

    static const char kWebAddress[];

protected:
    LRESULT OnCtlColorMsg(WPARAM, LPARAM);
    LRESULT OnSetCursorMsg(WPARAM, LPARAM);
    void OnLinkClicked();

private:
    HBRUSH m_white = nullptr;
    HFONT m_linkFont = nullptr;

    DECLARE_MESSAGE_MAP()
};
