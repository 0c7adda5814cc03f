#include "shell/win/HelpCommands.h"

#include <htmlhelp.h>

#include "config/win/CommandManager.h"
#include "framework/win/WinPath.h"
#include "resources/resource.h"
#include "shell/win/AboutDlg.h"

std::string HelpFilePath() { return ProgramFolder() + "Pembroquil.chm"; }

HWND OpenHelpTopics() { return ::HtmlHelpA(nullptr, HelpFilePath().c_str(), HH_DISPLAY_TOPIC, 0); }

void RegisterHelpCommands(CommandManager& commands, HWND frame) {
    commands.SetHandler(ID_HELP_TOPICS, [] { OpenHelpTopics(); });
    commands.SetHandler(ID_APP_ABOUT_CMD, [frame] {
        CAboutDlg dlg(frame);
        dlg.DoModal();
    });
}
