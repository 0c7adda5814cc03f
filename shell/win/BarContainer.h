// The bar container at the top of the main frame: a rebar (control id 4008)
// with four bands, the menu bar, the close button, the tool bar
// "標準のボタン" and the address bar. It reads and writes the band layout
// (section "Main"), the tool bar arrangement and the address history, shows
// and hides bands, locks them, and shows the band menu and the chevron menus.
#pragma once

#include "config/win/CommandManager.h"
#include "framework/win/FrameWnd.h"
#include "shell/core/BandLayout.h"
#include "shell/win/AddressBar.h"
#include "shell/win/CloseButton.h"
#include "shell/win/MenuBar.h"
#include "shell/win/StandardBar.h"

class CBarContainer : public CWnd {
public:
    static constexpr UINT kControlId = 4008;

    ~CBarContainer() override;

    // Creates the rebar and its bands in `frame`, gives the menu bar the
    // command manager's menus (or menu resource 128), reads the stored
    // layout and binds the band commands. False when a band cannot be made.
    bool Create(CFrameWnd* frame, CommandManager& commands);
    // Writes band layout, tool bar arrangement and address history.
    void SaveState() const;

    // Height of the rebar when laid out `width` pixels wide.
    int LayoutHeight(int width) const;
    // The gap the panes leave below the bars (7 with grippers, else 4).
    int GapBelow() const;

    bool IsBandVisible(shell::BandKind kind) const;
    void ShowBand(shell::BandKind kind, bool show);
    // Lock or unlock every band that is not of fixed size.
    void ToggleLock();
    bool IsLocked() const;
    int BandStyle(shell::BandKind kind) const;

    // The band menu (the View menu's "ツール バー(&T)") at a screen point.
    void ShowBandMenu(POINT screen);
    // The chevron menu of a band; `chevron` in the rebar's client coordinates.
    void ShowChevronMenu(shell::BandKind kind, const RECT& chevron);

    // Notifications the rebar sends to the frame.
    bool HandleRebarNotify(NMHDR* header, LRESULT* result);

    CMenuBar& MenuBar() { return m_menuBar; }
    CStandardBar& StandardBar() { return m_standardBar; }
    CAddressBar& AddressBar() { return m_addressBar; }
    CCloseButton& CloseButton() { return m_closeButton; }

    // The bars' own commands: show the tool bar and the address bar, lock
    // them, customise the tool bar, focus the address.
    void BindCommands(CommandManager& commands);

protected:
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LRESULT OnContextMenu(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    int BandIndex(shell::BandKind kind) const;
    HWND ChildOf(shell::BandKind kind) const;
    void InsertBand(shell::BandKind kind, const shell::BandState& state);
    void UpdateBandSizes();
    void Relayout() const;

    CFrameWnd* m_frame = nullptr;
    CommandManager* m_commands = nullptr;
    CMenuBar m_menuBar;
    CCloseButton m_closeButton;
    CStandardBar m_standardBar;
    CAddressBar m_addressBar;
    HMENU m_fallbackMenu = nullptr;
};
