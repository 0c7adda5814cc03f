// The close button band: window class "MDIButtonWindow32", 24 x 22 pixels,
// icon 130 centred, a raised edge under the pointer and a sunken one while
// pressed; releasing it over the button sends 32780 (close the tab).
#pragma once

#include "framework/win/ControlBar.h"

class CCloseButton : public CControlBar {
public:
    static constexpr char kClassName[] = "MDIButtonWindow32";
    static constexpr int kWidth = 24;
    static constexpr int kHeight = 22;

    ~CCloseButton() override;
    bool Create(HWND parent, UINT id, HWND commandTarget);

protected:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnLButtonUp(WPARAM, LPARAM);
    LRESULT OnCaptureChanged(WPARAM, LPARAM);
    LRESULT OnMouseLeave(WPARAM, LPARAM);
    LRESULT OnWindowPosChanging(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    bool PointerInside() const;
    void SetLook(bool hot, bool pressed);
    HWND m_target = nullptr;
    HICON m_icon = nullptr;
    HWND m_tooltip = nullptr;
    bool m_hot = false;
    bool m_pressed = false;
};
