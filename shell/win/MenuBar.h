// CMenuBar: the program's own menu bar, window class "MenuBarWindow32", one
// button per top-level item of its menu. It opens the popups itself, moves
// between them with the mouse and the arrow keys, and handles Alt, F10 and
// the mnemonics from the message loop (its key handler runs before the key
// table's accelerators).
#pragma once

#include <string>
#include <vector>

#include "framework/win/App.h"
#include "framework/win/ControlBar.h"

class CMenuBar : public CControlBar, public IPreTranslateHandler {
public:
    static constexpr char kClassName[] = "MenuBarWindow32";
    // Tracking states.
    enum State { kNone = 0, kHotByKeyboard = 1, kPopupOpen = 2, kHotByMouse = 3 };

    CMenuBar();
    ~CMenuBar() override;

    bool Create(HWND parent, UINT id, CFrameWnd* frame);

    // Shows `menu` (its top-level items become the buttons); returns the
    // menu shown before. The bar does not own the menu.
    HMENU SetBarMenu(HMENU menu);
    HMENU GetBarMenu() const { return m_menu; }

    // The key handler: true when it consumed the queued message.
    bool PreTranslate(MSG* msg) override;

    // Sizes: the height of the bar and the width all buttons need.
    int BarHeight() const { return m_height; }
    int IdealWidth() const;
    int ButtonCount() const { return static_cast<int>(m_buttons.size()); }
    // The first button that does not fit into `width` pixels (chevron), or
    // ButtonCount() when all fit.
    int FirstHiddenButton(int width) const;
    RECT ButtonRect(int index) const;

    State TrackingState() const { return m_state; }
    int HotIndex() const { return m_hot; }

    // Opens a button's popup (the menu loop runs until it closes).
    void OpenPopup(int index, bool byKeyboard);
    // Leaves the hot or open state.
    void Leave();

    // Registered messages of the bar.
    static UINT WmGetMenu();
    static UINT MbSetMenuNull();

protected:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnRelay(WPARAM, LPARAM);
    LRESULT OnMenuSelect(WPARAM, LPARAM);
    LRESULT OnOpenMessage(WPARAM, LPARAM);
    LRESULT OnGetMenu(WPARAM, LPARAM);
    LRESULT OnSetMenuNull(WPARAM, LPARAM);
    LRESULT OnSettingChange(WPARAM, LPARAM);
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    DECLARE_MESSAGE_MAP()

private:
    struct Button {
        std::string text;
        int width = 0;
    };
    void CreateFonts();
    void Layout();
    int HitTest(POINT client) const;
    void SetHot(int index, State state);
    void RunPopups(int index, bool byKeyboard);
    static LRESULT CALLBACK MenuFilter(int code, WPARAM wParam, LPARAM lParam);
    bool FilterMenuMessage(MSG* msg);
    bool OpenByMnemonic(char key);

    HMENU m_menu = nullptr;
    std::vector<Button> m_buttons;
    int m_hot = -1;
    State m_state = kNone;
    HFONT m_font = nullptr;
    HFONT m_fontVertical = nullptr;
    int m_height = 0;

    // Keyboard state of the key handler.
    bool m_altDown = false;      // Alt is down and nothing else was pressed
    bool m_f10Down = false;

    // Menu loop state while a popup is open.
    HHOOK m_hook = nullptr;
    int m_next = -1;             // button to open when the popup closed
    bool m_nextByKeyboard = false;
    HMENU m_openPopup = nullptr;
    HMENU m_selectedMenu = nullptr;
    bool m_selectedHasPopup = false;
    bool m_closeClick = false;   // a click on the open button closed it
    static CMenuBar* s_tracking;
};
