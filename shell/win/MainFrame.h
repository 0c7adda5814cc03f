// The main window of the program: class "PembroquilWClass", the bar
// container with menu bar, close button, tool bar and address bar at the
// top, the status bar at the bottom and the three split windows with their
// panes in between: the folder tree, the registered tags and the document
// window. Its command manager dispatches every command.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "config/core/SplitPageModel.h"
#include "config/win/CommandManager.h"
#include "documents/win/DocTabWnd.h"
#include "filetree/win/FolderTreeCtrl.h"
#include "framework/win/App.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/StatusBar.h"
#include "search/win/SearchTools.h"
#include "shell/win/BarContainer.h"
#include "shell/core/FrameState.h"
#include "shell/win/SplitPanes.h"
#include "tags/win/RegistTagTree.h"

class CMainFrame : public CFrameWnd, public IIdleHandler, public IDocTabHost, public tagswin::ITagPaneHost,
                   public split::ISplitLayoutHost {
public:
    CMainFrame();
    ~CMainFrame() override;

    static bool RegisterFrameClass(HINSTANCE instance);
    // Creates the frame, with LastSize at its stored rectangle (kept on the
    // screen), so that the panes are laid out for that size.
    bool Create();
    // Start-up after the frame exists: shows it (maximised when it was, with
    // LastSize), then with LastOpen reopens the files of the last run with
    // their selection and scroll position and selects the last one; without
    // a reopened file the first tab gets the template text.
    void RestoreWindow();
    // Once the frame shows: the tag store and the folder tree, which the
    // first window does not wait for.
    void FillPanes();
    void RestoreLastFiles();
    // Placement, the files open now (with LastOpen), split layout and the
    // status bar's display, written once the documents agreed to close.
    void SaveFrameState();
    // LastSize, LastOpen and the status bar's display as the frame keeps
    // them until it saves them at exit (the options sheet replaces them).
    const shell::FrameOptions& Options() const { return m_options; }
    void SetOptions(const shell::FrameOptions& options) { m_options = options; }

    // WM_COMMAND 1224 (lParam: the address of a window handle): a plug-in
    // asks for the editor of the current tab.
    static constexpr WPARAM kActiveEditorCommand = 1224;

    CStatusBar& StatusBar() { return m_wndStatusBar; }
    CommandManager& Commands() { return m_commands; }
    CBarContainer& Bars() { return m_bars; }
    CDocTabWnd& Documents() { return m_docs; }
    CSplitPanes& Panes() { return m_panes; }
    filetree::CFolderTreeCtrl& FolderTree() { return m_folderTree; }
    CSearchTools& SearchTools() { return m_search; }

    // The bar container takes the top, the status bar the bottom, the
    // client window the rest, below a gap of 7 pixels (4 when locked).
    int TopBarsHeight() const override;
    void LayoutTopBars(const RECT& area) override;
    std::string GetMessageString(UINT id) const override;
    void OnIdle() override;

    // The document window's news: the title with its mark, the status bar's
    // code and line-end panes and the address bar.
    void DocumentShown(const std::string& title, const std::string& path, int loadCode, int returnCode) override;
    void TitleChanged(const std::string& title) override;
    void PreviewShown(const std::string& title) override;

    // The Customize sheet with the pages of `pageMask` (CCstmzSheet bits)
    // and the keyboard page on `keyCategory`.
    void OpenCustomizeSheet(unsigned pageMask, int keyCategory);
    // The options sheet "オプション" with the pages of the mask.
    void OpenOptionSheet(unsigned pageMask);
    void OpenKeyHelp();

    tagswin::CRegistTagTree& TagPane() { return m_tagPane; }
    // tagswin::ITagPaneHost
    CCanvasEdit* ActiveEditor() override;
    HWND FrameWindow() override { return m_hWnd; }
    CommandManager* KeyCommands() override { return &m_commands; }
    void ShowPrompt(const std::string& text) override { SetMessageText(text); }
    void OpenKeySettings() override;
    void FocusDocument() override;
    std::string ActiveDocumentPath() override;
    bool PreTranslateMessage(MSG* msg) override;

    // The right-click menus: the tab strip's (kind 0) and the editor's
    // (kind 2 with a selection, else kind 1), the latter with the
    // registered tags marked for it on top. New popups; the caller
    // destroys them.
    HMENU BuildTabMenu() override;
    HMENU BuildEditorMenu(bool selection);
    // The editor's menu at the pointer, tracked with the right button.
    void ShowEditorMenu();

    split::SplitLayout CurrentLayout() const override { return m_panes.GetLayout(); }
    void ApplySplitPattern(const split::SplitLayout& layout) override;

protected:
    LRESULT OnCreateMsg(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    LRESULT OnEraseBkgndMsg(WPARAM, LPARAM);
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Every modified document is offered for saving; Cancel, or a save that
    // fails, keeps the program running.
    void OnClose() override;
    LRESULT OnQueryEndSessionMsg(WPARAM, LPARAM);
    LRESULT OnEndSessionMsg(WPARAM, LPARAM);
    LRESULT OnDropFilesMsg(WPARAM, LPARAM);
    LRESULT OnCopyDataMsg(WPARAM, LPARAM);
    LRESULT OnFrameSetFocusMsg(WPARAM, LPARAM);
    LRESULT OnOpenPendingMsg(WPARAM, LPARAM);
    LRESULT OnTimerMsg(WPARAM, LPARAM);
    // Files handed over by a second start wait here until the program's own
    // message loop is idle with the frame enabled: never inside a dialog's,
    // a prompt's or a menu's loop.
    static constexpr UINT kOpenPendingMessage = WM_APP + 0x20;
    static constexpr UINT_PTR kOpenPendingTimer = 0x5043;
    std::vector<std::string> m_pendingOpen;
    bool m_openingPending = false;
    void OpenPendingFiles();
    shell::FrameOptions m_options;
    bool m_stateSaved = false;
    bool CreatePanes();
    // Binds every command of the program (CommandBindings.cpp).
    void BindCommands();
    void BindFrameCommands();
    void SetStatusPane(int pane, const std::string& text);
    // The shown editor's caret in the status bar's caret pane.
    void ShowCaretPosition();
    void OnAppExit();
    void OnViewStatusBar();
    void OnUpdateViewStatusBar(CCmdUI* ui);

    CStatusBar m_wndStatusBar;
    CommandManager m_commands;
    CBarContainer m_bars;
    CDocTabWnd m_docs;
    filetree::CFolderTreeCtrl m_folderTree;
    std::unique_ptr<filetree::IFolderTreeHost> m_folderTreeHost;
    tagswin::CRegistTagTree m_tagPane;
    CSplitPanes m_panes;
    CSearchTools m_search;

    DECLARE_MESSAGE_MAP()
};
