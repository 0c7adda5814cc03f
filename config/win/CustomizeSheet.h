// The Customize sheet "カスタマイズ" (command 32810): the keyboard, right-click
// menu and screen split pages, as the page mask asks. The whole sheet
// remembers the page shown last as "CstmzIndex" of section "Main"; a sheet
// of the keyboard page alone neither reads nor writes it.
#pragma once

#include <memory>
#include <vector>

#include "config/core/SplitPageModel.h"
#include "framework/win/PropertySheet.h"

class CommandManager;

class CCstmzSheet : public CPropertySheet {
public:
    // Page mask bits, added in this order.
    static constexpr unsigned kKeyboardPage = 0x01;
    static constexpr unsigned kRightClickPage = 0x02;
    static constexpr unsigned kScreenSplitPage = 0x04;
    static constexpr unsigned kAllPages = 0x07;

    // The screen split page needs the frame's layout (layoutHost); without
    // one it is left out.
    CCstmzSheet(HWND parent, CommandManager& commands, unsigned pageMask, int keyCategory,
                split::ISplitLayoutHost* layoutHost = nullptr);
    // Runs the sheet modally and stores the page shown last.
    INT_PTR Run();

private:
    bool m_remember;
    std::vector<std::unique_ptr<CPropertyPage>> m_pages;
};
