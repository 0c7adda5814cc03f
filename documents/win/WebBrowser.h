// CWebBrowser: the system's web browser control in a window of our own (a
// child of the document window with control id 4000), through a small OLE
// container: a client site, an in-place site and its frame. The page and
// its history live as long as the object; hiding the window keeps both.
#pragma once

#include <string>

#include "framework/win/Afx.h"

#include <ole2.h>

class CWebBrowser {
public:
    static constexpr UINT kControlId = 4000;

    CWebBrowser();
    ~CWebBrowser();
    CWebBrowser(const CWebBrowser&) = delete;
    CWebBrowser& operator=(const CWebBrowser&) = delete;

    // Creates the window and the control, activated in place; false (with
    // nothing left behind) when the control cannot be made or activated.
    bool Create(HWND parent);
    // Deactivates and releases the control and destroys the window.
    void Destroy();

    HWND Window() const { return m_hWnd; }
    bool Navigate(const std::string& address);
    bool Refresh();
    bool GoBack();
    bool GoForward();
    // The control's own keys for a message meant for its window; true when
    // it took the message.
    bool TranslateAccelerator(MSG* msg);
    // The number of successful navigations asked (the control itself may
    // still be loading).
    int NavigateCount() const { return m_navigates; }
    // The window inside ours that takes the focus (the control's, or ours).
    HWND FocusWindow() const;

private:
    class Site;
    friend class Site;
    static LRESULT CALLBACK HostProc(HWND, UINT, WPARAM, LPARAM);
    bool Call(DISPID id, DISPPARAMS* params);
    void Resize();

    HWND m_hWnd = nullptr;
    Site* m_site = nullptr;
    IOleObject* m_object = nullptr;
    IDispatch* m_dispatch = nullptr;
    IOleInPlaceObject* m_inPlace = nullptr;
    IOleInPlaceActiveObject* m_active = nullptr;
    int m_navigates = 0;
};
