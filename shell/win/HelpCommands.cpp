#include "shell/win/HelpCommands.h"

#include <htmlhelp.h>

#include <utility>

#include "config/win/CommandManager.h"
#include "framework/win/Dialog.h"
#include "framework/win/WinPath.h"
#include "resources/resource.h"
#include "shell/core/HelpTopics.h"
#include "shell/win/AboutDlg.h"

namespace {

HelpViewer& ViewerSlot() {
    static HelpViewer viewer;
    return viewer;
}

HWND OpenInViewer(const std::string& address) {
    if (const HelpViewer& viewer = ViewerSlot()) return viewer(address);
    // No owner: the viewer stays open when a dialog or the program closes.
    return ::HtmlHelpA(nullptr, address.c_str(), HH_DISPLAY_TOPIC, 0);
}

}  // namespace

std::string HelpFilePath() { return ProgramFolder() + "Pembroquil.chm"; }

HWND OpenHelpTopics() { return OpenInViewer(HelpFilePath()); }

bool ShowDialogHelp(UINT templateId) {
    const std::string topic = help::DialogTopic(templateId);
    if (topic.empty()) return false;
    return OpenInViewer(help::TopicAddress(HelpFilePath(), topic)) != nullptr;
}

void InstallDialogHelp() { CDialog::SetHelpHandler(&ShowDialogHelp); }

HelpViewer SetHelpViewer(HelpViewer viewer) {
    HelpViewer previous = std::move(ViewerSlot());
    ViewerSlot() = std::move(viewer);
    return previous;
}

void RegisterHelpCommands(CommandManager& commands, HWND frame) {
    InstallDialogHelp();
    commands.SetHandler(ID_HELP_TOPICS, [] { OpenHelpTopics(); });
    commands.SetHandler(ID_APP_ABOUT_CMD, [frame] {
        CAboutDlg dlg(frame);
        dlg.DoModal();
    });
}
