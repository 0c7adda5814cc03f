// The Customize sheet "カスタマイズ" (command 32810): the keyboard page for
// now; the right-click menu and screen split pages join it later. The page
// shown last is remembered as "CstmzIndex" of section "Main".
#pragma once

#include <memory>
#include <vector>

#include "framework/win/PropertySheet.h"

class CommandManager;

class CCstmzSheet : public CPropertySheet {
public:
    // Page mask bits, added in this order.
    static constexpr unsigned kKeyboardPage = 0x01;
    static constexpr unsigned kRightClickPage = 0x02;
    static constexpr unsigned kScreenSplitPage = 0x04;
    static constexpr unsigned kAllPages = 0x07;

    CCstmzSheet(HWND parent, CommandManager& commands, unsigned pageMask, int keyCategory);
    // Runs the sheet modally and stores the page shown last.
    INT_PTR Run();

private:
    std::vector<std::unique_ptr<CPropertyPage>> m_pages;
};
