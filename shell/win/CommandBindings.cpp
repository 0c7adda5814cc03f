// Where every command of the program is bound to its handler and its
// enabling rule. Each subsystem keeps one registration function with its
// table of commands beside the code it calls; this file calls all of them, so
// a reader finds here, for a command id, which table holds it. A subsystem
// that brings new commands adds its registration call to the list below.
//
// A command with a handler and no state handler is enabled; commands still
// to come stay unbound, and the menus show them greyed.
#include "shell/win/MainFrame.h"

#include "config/win/CustomizeSheet.h"
#include "documents/win/DocCommands.h"
#include "resources/resource.h"
#include "shell/win/AssistCommands.h"
#include "shell/win/BookmarkCommands.h"
#include "shell/win/EditCommands.h"
#include "filetree/win/FolderTreeCommands.h"
#include "shell/win/HelpCommands.h"
#include "search/win/SearchCommands.h"
#include "shell/core/CommandState.h"

void CMainFrame::BindCommands() {
    BindFrameCommands();                          // exit, status bar, customise, key list
    RegisterHelpCommands(m_commands, m_hWnd);     // Help: topics, about (HelpCommands.cpp)
    m_bars.BindCommands(m_commands);              // View: the bars (BarContainer.cpp)
    BindFileCommands(m_commands, m_docs);         // File: new, open, close, save, tabs (EditCommands.cpp)
    BindEditCommands(m_commands, m_docs);         // Edit: enabled by shell::IsCommandEnabled (CommandState)
    BindSaveCodeCommands(m_commands, m_docs);     // save code and line end, checked as set (SaveSettings)
    BindFileListCommands(m_commands, m_docs);     // File: save and open file lists (DocCommands.cpp)
    BindPreviewCommands(m_commands, m_docs);      // Tools: browsers, local server (DocCommands.cpp)
    BindPaneCommands(m_commands, m_panes);        // View: the panes (EditCommands.cpp)
    BindSearchCommands(m_commands, m_search,      // Search: find, replace, line tools, conversions
                       [this](UINT id) { return shell::IsCommandEnabled(id, GatherDocState(m_docs)); });
    BindAssistCommands(m_commands, m_docs, *this);  // Edit: input, attribute and value assist (AssistCommands.cpp)
    BindFolderTreeCommands(m_commands, m_folderTree);  // the folder tree's own, while it has the focus (FolderTreeCtrl.cpp)
    BindBookmarkCommands(m_commands, m_docs, m_hWnd);  // File: set, go to, delete bookmarks (BookmarkCommands.cpp)
}

void CMainFrame::BindFrameCommands() {
    m_commands.SetHandler(ID_APP_EXIT_CMD, [this] { OnAppExit(); });
    m_commands.SetHandler(ID_VIEW_STATUS_BAR, [this] { OnViewStatusBar(); },
                          [this](CCmdUI* ui) { OnUpdateViewStatusBar(ui); });
    m_commands.SetHandler(ID_TOOL_CUSTOMIZE, [this] { OpenCustomizeSheet(CCstmzSheet::kAllPages, 0); });
    m_commands.SetHandler(ID_HELP_KEYMAP, [this] { OpenKeyHelp(); });
}
