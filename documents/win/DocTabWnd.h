// CDocTabWnd: the document window, a tab strip over the view of the
// selected tab. Each tab has a DocEntry with its editor ("CanvasEdit") and
// the file it shows, which stays open while the tab shows it, denying other
// programs writing (read-only documents deny nothing). It opens, saves,
// backs up and closes documents, asks about unsaved changes, reorders tabs
// by dragging, takes dropped files, and passes the editors' notifications
// on to its parent with the title marks kept up to date.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "documents/core/DocFlows.h"
#include "documents/core/DocRules.h"
#include "documents/core/Preview.h"
#include "documents/core/SaveSettings.h"
#include "documents/win/TabDropTarget.h"
#include "documents/win/WebBrowser.h"
#include "editor/core/ColorModeManager.h"
#include "editor/win/CanvasEdit.h"
#include "framework/win/File.h"
#include "framework/win/SplitWnd.h"

#include <shellapi.h>

namespace settings {
class SettingsStore;
}

struct DocEntry {
    std::unique_ptr<CCanvasEdit> editor;
    std::unique_ptr<CWebBrowser> browser;  // the internal preview, made on its first use
    std::unique_ptr<CFile> file;    // open while the tab shows it; null for an untitled document
    int previewShown = 0;
    int loadCode = 0;               // CharCode the file was read or last written in
    int navigateOnShow = 0;
    std::string path;               // the file's full path, kept while the file is let go
};

// What the document window tells the window that hosts it.
class IDocTabHost {
public:
    virtual ~IDocTabHost() = default;
    // A tab became the shown one, or its title changed: the frame title
    // (with its mark), the document's path (empty when untitled), its load
    // code and line-end mode.
    virtual void DocumentShown(const std::string& title, const std::string& path, int loadCode,
                               int returnCode) = 0;
    virtual void TitleChanged(const std::string& title) = 0;
    // A tab shows its internal browser instead of its editor: the editor's
    // panes of the status bar go, and the tag tree has nothing to show.
    virtual void PreviewShown(const std::string& title) { TitleChanged(title); }
    // The tab strip's right-click menu, a new popup the tab window destroys
    // after use; null shows none.
    virtual HMENU BuildTabMenu() { return nullptr; }
};

class CTabStrip : public CWnd {
public:
    CTabStrip() = default;
    class CDocTabWnd* m_owner = nullptr;

protected:
    LRESULT OnLButtonDownMsg(WPARAM, LPARAM);
    LRESULT OnMouseMoveMsg(WPARAM, LPARAM);
    LRESULT OnLButtonUpMsg(WPARAM, LPARAM);
    LRESULT OnCaptureChangedMsg(WPARAM, LPARAM);
    LRESULT OnTimerMsg(WPARAM, LPARAM);
    LRESULT OnLButtonDblClkMsg(WPARAM, LPARAM);

    int HitTab(int x, int y) const;
    void DrawMarker(int x);
    void EndDrag(bool apply, LPARAM lParam);
    void ScrollStrip(bool right);

    int m_dragTab = -1;
    bool m_dragging = false;
    POINT m_downAt = {};
    int m_markerX = -1;
    HCURSOR m_dragCursor = nullptr;
    HICON m_marker = nullptr;

    DECLARE_MESSAGE_MAP()
};

class CDocTabWnd : public CSplitWnd {
public:
    static constexpr UINT kControlId = 4014;
    static constexpr UINT kTabControlId = 4007;
    static constexpr char kOpenFilter[] =
        "HTML関連 (*.html; *.htm; *.js; *.css; *.cgi; *.pl)|*.html;*.htm;*.js;*.css;*.cgi;*.pl|すべて(*.*)|*.*||";

    CDocTabWnd();
    ~CDocTabWnd() override;

    // Creates the window, reads its settings, and makes the first untitled tab.
    bool CreateDocWindow(HWND parent, IDocTabHost* host);
    void SetHost(IDocTabHost* host) { m_host = host; }

    // --- Tabs ----------------------------------------------------------------
    bool CreateTab(const std::string& name, bool noSelect);
    void CloseTab(int index, bool keepTabItem);
    // 1 when the file is shown (opened, or its tab selected).
    int OpenDocFile(const std::string& path, bool readOnly, bool noSelect);
    // 1 when the file was written.
    int SaveDoc(int index, bool overwrite);
    int QueryCloseAll();
    void ActivateTab(int index);
    void MoveTab(int source, int target);
    // The text of a file in SHIFT JIS; false when it cannot be read.
    bool ReadTextFile(const std::string& path, std::string* text);

    int TabCount() const { return static_cast<int>(m_docs.size()); }
    int SelectedIndex() const;
    CCanvasEdit* GetEditor(int index);
    CFile* GetFile(int index);
    std::string GetPath(int index);
    int GetLoadCode(int index);
    void SetLoadCode(int index, int code);
    int GetPreviewShown(int index);
    void SetPreviewShown(int index, int shown);
    std::string GetTabText(int index) const;
    int GetTabImage(int index) const;
    void SetTabImage(int index, int image);
    HWND TabStrip() const { return m_tab.m_hWnd; }
    // The colour modes the shown editor is set up with, by file extension.
    editor::ColorModeManager* ColorModes() { return m_modes.get(); }
    HWND ActiveView() const { return m_activeView; }

    // --- Commands --------------------------------------------------------------
    void OnFileNew();
    // With the template option on, sets the template text into the untitled
    // document of tab `index` (unmodified); other tabs are left alone.
    void ApplyTemplate(int index);
    void OnFileOpen();
    void OnFileClose();
    void OnFileSave();
    void OnFileSaveAs();
    void OnFileSaveAll();
    void OnNextTab();
    void OnPrevTab();
    // Dropped files (the main window's WM_DROPFILES).
    void DropFiles(HDROP drop);
    // File lists: 1 when a list was written; 1 when the chosen file was a list.
    int SaveFileList();
    int OpenFileList();

    // --- Preview ----------------------------------------------------------------
    // The preview commands (browsers 0-3 by their command ids).
    void OnPreview(UINT commandId);
    void OnLocalServer();
    // The two option blocks; replacing either makes every tab navigate
    // afresh when its preview is next shown.
    const preview::PreviewSettings& PreviewSettings() const { return m_preview; }
    void SetBrowserBlock(const preview::BrowserBlock& block);
    void SetServerBlock(const preview::ServerBlock& block);
    // Writes the tab's text to a new temporary file (deleting the previous
    // one); its path, or empty.
    std::string MakeTempFile(int index);
    void DeleteTempFile();
    const std::string& TempFilePath() const { return m_temp.Path(); }
    // The address the internal browser shows for the selected tab; *mapped
    // tells whether it is a local server address.
    std::string PreviewAddress(bool* mapped);
    int GetNavigateOnShow(int index) const;
    // The internal browser of a tab (null until its first preview).
    CWebBrowser* GetBrowser(int index);
    // The browser commands on the selected tab's shown browser.
    void OnBrowserCommand(UINT commandId);

    // --- Settings ---------------------------------------------------------------
    const docs::FileSettings& FileSettings() const { return m_fileSettings; }
    void SetFileSettings(const docs::FileSettings& s) { m_fileSettings = s; }
    encoding::SaveSettings& SaveSettings() { return m_save; }

    void RecalcLayout() override;
    // Keys typed into a shown page that no program command took go to the
    // browser control's own keys.
    bool PreTranslateMessage(MSG* msg) override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    friend class CTabStrip;
    friend class EntryDoc;
    friend class OpenTabs;

    LRESULT OnDestroyMsg(WPARAM, LPARAM);
    LRESULT OnDrawItemMsg(WPARAM, LPARAM);
    LRESULT OnSetFocusMsg(WPARAM, LPARAM);

    int Resolve(int index) const;
    std::string SelectedTitle() const;
    void UpdateTabImages();
    void SetTabText(int index, const std::string& text);
    void ShowTabMenu(int index, POINT screen);
    std::vector<std::string> PathsExcept(int index) const;

    CTabStrip m_tab;
    std::vector<DocEntry> m_docs;
    docs::UntitledCounter m_untitled;
    docs::FileSettings m_fileSettings;
    encoding::SaveSettings m_save;
    HWND m_activeView = nullptr;
    HIMAGELIST m_images = nullptr;
    HFONT m_font = nullptr;
    IDocTabHost* m_host = nullptr;
    std::unique_ptr<editor::KeywordFolder> m_keywords;
    std::unique_ptr<editor::ColorModeManager> m_modes;
    CTabDropTarget m_dropTarget{*this};
    bool m_closing = false;
    preview::PreviewSettings m_preview;
    preview::TempFileKeeper m_temp;
    // Makes the selected document ready for browser i (saving or asking as
    // its method says); false after the message when it cannot be shown.
    bool ReadyForPreview(int browser);
    void MarkAllNavigate();
    // Shows the tab's internal browser, navigating or refreshing; false
    // (after the message) when it cannot be shown.
    bool ShowPreview(int index, bool* mapped);

    DECLARE_MESSAGE_MAP()
};
