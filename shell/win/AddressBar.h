// The address bar: a drop-down combo box with images listing the files
// shown most recently (at most 20), each with the system's small icon for
// it, stored under "History\File".
#pragma once

#include <functional>
#include <string>

#include "framework/win/ControlBar.h"
#include "shell/core/AddressHistory.h"

class CAddressBar : public CControlBar {
public:
    bool Create(HWND parent, UINT id);

    // Selects a path of the list, or inserts it at the top (the document
    // window calls it whenever a tab is activated); empty clears the selection.
    void ShowPath(const std::string& path);
    const shell::AddressHistory& History() const { return m_history; }
    void LoadHistory();
    void SaveHistory() const;
    // Gives the entries the shell's small icons. The shell's icon list is
    // slow to make the first time, so the bar is made without it and the
    // frame calls this once it shows; the entries and the text stay.
    void ShowIcons();

    // Puts the focus into the edit field.
    void FocusEdit();
    int BarHeight() const;

    // Notifications of the combo box (its parent passes them on).
    bool HandleCommand(WPARAM wParam, LPARAM lParam);

    // Opens a chosen file; false when it could not be opened (the entry is
    // then removed from the list). Read-only when Shift is held.
    std::function<bool(const std::string& path, bool readOnly)> openFile;

private:
    void InsertItem(int index, const std::string& path);
    void Refill();
    shell::AddressHistory m_history;
    bool m_icons = false;
};
