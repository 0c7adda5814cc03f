// The folder tree pane: the shell's namespace from the desktop down, folders
// and the files the filter shows, in a tree-view control (id 4001) inside a
// pane window of its own, which takes the control's notifications.
#pragma once

#include <map>
#include <string>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include "filetree/core/FolderTreeRules.h"
#include "framework/win/Wnd.h"

namespace editor {
class IEditorOps;
}

namespace filetree {

constexpr UINT kTreeControlId = 4001;

// What the tree needs of the documents and the frame.
class IFolderTreeHost {
public:
    virtual ~IFolderTreeHost() = default;
    // Opens a file in a tab (the tab of a file already open is activated).
    virtual bool OpenFile(const std::string& path, bool readOnly) = 0;
    virtual bool ReadTextFile(const std::string& path, std::string* text) = 0;
    // The active tab's editor and its window; null when there is none.
    virtual editor::IEditorOps* ActiveEditor() = 0;
    virtual HWND ActiveEditorWindow() = 0;
    // The active document's file; empty when it was never saved.
    virtual std::string ActiveDocumentPath() = 0;
    virtual bool ActiveTabPreviews() = 0;
    // The focus to the active tab's view (its preview or its editor).
    virtual void FocusActiveView() = 0;
    virtual void ShowPrompt(const std::string& text) = 0;
};

class CFolderTreeCtrl : public CWnd {
public:
    CFolderTreeCtrl();
    ~CFolderTreeCtrl() override;

    // Creates the pane and its tree, loads the options from the current
    // settings store and builds the tree, or leaves it empty until
    // BuildOnce (the shell's folders and icons are slow to list).
    bool CreatePane(HWND parent, IFolderTreeHost* host, bool build = true);
    // Builds the tree unless it was built already.
    void BuildOnce() {
        if (!m_built) Build();
    }
    HWND Tree() const { return m_tree.m_hWnd; }

    // Builds the tree afresh with the options' filter and hidden-item switch.
    void Build();
    // Expands the folders on the way to `target` (ending in a separator)
    // and returns the last one reached, left expanded and visible.
    HTREEITEM GoToFolder(const std::string& target);
    // Collapses a folder and forgets its children, so that the next
    // expansion lists it afresh (the control tells no collapse it is asked
    // for once an item was expanded).
    void Collapse(HTREEITEM item);
    // Once after the documents are restored: the start folder of the options
    // (the tree is built first when it was left empty).
    void GoToStartFolder();

    const FolderTreeOptions& Options() const { return m_options; }
    FolderTreeSettings GetSettings() const { return m_options.Get(); }
    void ApplySettings(const FolderTreeSettings& settings, bool rebuild);
    // The options when applied since the start, the last folder always.
    void SaveSettings();

    void SetFilter(const std::string& filter) { m_filter = filter; }
    const std::string& Filter() const { return m_filter; }
    void SetShowHidden(bool show) { m_showHidden = show; }
    const std::string& CurrentFolder() const { return m_currentFolder; }

    // The item's file-system path, or empty; whether it is a folder.
    std::string ItemPath(HTREEITEM item) const;
    bool IsFolderItem(HTREEITEM item) const;
    HTREEITEM Selected() const;
    // Whether the tree has the focus, and whether it takes a command now:
    // the file commands with a file selected, the folder ones with any item.
    bool HasFocus() const;
    bool TakesCommand(UINT id) const;
    bool IsCommandEnabled(UINT id) const;
    bool RunCommand(UINT id);
    // Enter, Esc, Space and Shift+Space reach the tree before the key table.
    bool TakesKey(const MSG& msg) const;
    // Opens the selected item: a folder toggles, a file opens.
    void Activate(bool readOnly);
    void ShowContextMenu(POINT screen);

protected:
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct ItemRecord;
    static int CALLBACK CompareItems(LPARAM a, LPARAM b, LPARAM folder);
    class CTreeView : public CWnd {
    public:
        CFolderTreeCtrl* owner = nullptr;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    };

    HTREEITEM InsertItem(HTREEITEM parent, IShellFolder* folder, LPCITEMIDLIST parentAbs, LPITEMIDLIST rel);
    void Expand(HTREEITEM item);
    void DeleteChildren(HTREEITEM item);
    ItemRecord* Record(HTREEITEM item) const;
    IShellFolder* FolderOf(HTREEITEM item) const;
    void OpenSelected(bool readOnly);
    void InsertTemplate();
    void InsertRelativePath();
    void ShowAllExtensions();
    void ShowProperties();
    void OnFocusChange(bool gained);

    CTreeView m_tree;
    IFolderTreeHost* m_host = nullptr;
    FolderTreeOptions m_options;
    std::string m_filter;
    bool m_showHidden = true;
    std::string m_currentFolder;
    bool m_imeWasOpen = false;
    IContextMenu* m_shellMenu = nullptr;
    HTREEITEM m_root = nullptr;
    bool m_built = false;
    std::map<std::string, int> m_typeIcons;  // icon by extension, for one expansion
};

}  // namespace filetree
