// The tool bar "標準のボタン": 32 buttons from the standard button table,
// images from bitmaps 132 (normal) and 133 (hot), flat, with tool tips,
// drop-down arrows for the save code and line end, customisable, its
// arrangement stored as value "ToolBar" of section "Main".
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/win/ControlBar.h"
#include "shell/core/ToolBarLayout.h"

class CStandardBar : public CControlBar {
public:
    static constexpr int kButtonWidth = 24;
    static constexpr int kButtonHeight = 22;

    ~CStandardBar() override;
    bool Create(HWND parent, UINT id);

    void SetArrangement(const shell::ToolArrangement& arrangement);
    shell::ToolArrangement Arrangement() const;
    void LoadArrangement();
    void SaveArrangement() const;
    // Opens the platform's customise dialog.
    void Customize();

    SIZE IdealSize() const;
    // Buttons (indexes into the bar) that do not fit into `width` pixels.
    std::vector<int> HiddenButtons(int width) const;
    // The button at a bar position: its table index, or kToolSeparator.
    int EntryAt(int position) const;

    // The tool tip and customise text of a command: the string-table text
    // after its last line break.
    static std::string ButtonText(unsigned command);

    // Notifications of the tool bar (its parent passes them on).
    bool HandleNotify(NMHDR* header, LRESULT* result);
    void OnUpdateCmdUI(CFrameWnd* target) override;

    // The menu a drop-down arrow shows (the File menu's submenus).
    std::function<HMENU(unsigned command)> dropDownMenu;
    // The bar's arrangement changed (the band is sized again).
    std::function<void()> changed;

private:
    static TBBUTTON ButtonOf(int entry);
    void ShowDropDown(const NMTOOLBARA* info);
    HIMAGELIST m_images = nullptr;
    HIMAGELIST m_hotImages = nullptr;
};
