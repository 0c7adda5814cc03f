// The registered tag pane: a tree of the tag files and their tags. It owns
// the tag store (loaded when the pane is created, saved once at exit), runs
// tags from the tree, keys and menus, and edits the store from its context
// menu.
#pragma once

#include <string>

#include "config/core/TagCommands.h"
#include "framework/win/Wnd.h"
#include "tags/core/TagDrag.h"
#include "tags/core/TagStore.h"
#include "tags/win/PluginHost.h"

class CCanvasEdit;
class CommandManager;
struct IDataObject;

namespace tagswin {

// What the pane needs from the main frame.
class ITagPaneHost {
public:
    virtual ~ITagPaneHost() = default;
    // The editor of the current tab, or null with no document or while the
    // tab shows its preview.
    virtual CCanvasEdit* ActiveEditor() = 0;
    virtual HWND FrameWindow() = 0;
    virtual CommandManager* KeyCommands() = 0;
    virtual void ShowPrompt(const std::string& text) = 0;
    // The customise sheet with only its keyboard page, on the tag category.
    virtual void OpenKeySettings() = 0;
    // The focus back to the document (its editor or its preview).
    virtual void FocusDocument() = 0;
    // The file of the current tab, or empty when it was never saved.
    virtual std::string ActiveDocumentPath() { return {}; }
};

class CRegistTagTree : public CWnd, public commands::ITagCommands, public tags::ITagEnvironment {
public:
    CRegistTagTree();
    ~CRegistTagTree() override;

    // Creates the pane; with `load` the store is read and listed at once,
    // otherwise when LoadStore is called.
    bool Create(HWND parent, ITagPaneHost* host, bool load = true);
    // Reads the store from the current settings (the samples without any)
    // and lists it, once.
    void LoadStore();
    HWND Tree() const { return m_tree.m_hWnd; }
    tags::TagStore& Store() { return m_store; }

    // Saves the store once (at exit, or when the session ends).
    void SaveStore();

    // The pane's commands, as its context menu runs them.
    void RunPaneCommand(UINT id);
    bool IsPaneCommandEnabled(UINT id) const;
    bool IsPaneCommandChecked(UINT id) const { return id == 32825 && m_store.keyDisplay; }
    // Imports and exports through the given path (the dialogs choose it).
    void ImportFrom(const std::string& path);
    bool ExportTo(const std::string& path);
    // Selects the item of a file (tag -1) or tag.
    void Select(int file, int tag);
    // The file and tag of the selected item (tag -1 for a file); false when
    // nothing is selected.
    bool Selected(int* file, int* tag) const;
    // Moves a tag (before tag `before` of file `toFile`, -1: to its end) or a
    // file (before file `before`), then runs the steps after a change.
    bool MoveTag(int file, int tag, int toFile, int before);
    bool MoveTagFile(int file, int before);
    std::string ItemLabel(int file, int tag) const;

    // Drags. The pane takes only its own drags: over a point of the tree
    // (client coordinates) it scrolls at the edges, drop-highlights a target
    // that takes the dragged item and answers link, else none; a drop moves
    // the item. A tag's drag that another window answers with copy (the
    // editor took its text) ends with the rest of the tag's run.
    DWORD PaneDragOver(tags::PaneItem dragged, POINT client);
    bool PaneDrop(tags::PaneItem dragged, POINT client);
    void PaneDragLeave();
    // The data of a drag: a tag's text as CF_TEXT, nothing for a file. The
    // caller owns the reference.
    IDataObject* DragData(tags::PaneItem item);
    void FinishDrag(tags::PaneItem item, DWORD effect);
    // The pointer resource a drag of the item shows while a target accepts.
    int DragCursorOf(tags::PaneItem item) const;

    // commands::ITagCommands
    bool RunTagCommand(unsigned id, bool fromKey) override;
    bool IsTagCommandEnabled(unsigned id) override;
    std::string TagComment(unsigned id) override;
    std::vector<commands::TagMenuFile> TagMenu() override;
    std::vector<std::pair<std::string, unsigned>> RightClickTags() override;
    void RefreshKeyDisplay() override { RefreshLabels(); }
    // The editor's right-click menu of tags whose bMenu is set, or null.
    HMENU BuildTagMenu();
    std::string GetTagName(int file, int tag);
    std::string GetTagComment(int file, int tag);
    void RefreshLabels();

    // tags::ITagEnvironment
    editor::IEditorOps* ActiveEditor() override;
    void FocusEditor() override;
    int SimpleProperties(tags::SimpleTagData& record) override;
    int PluginProperties(tags::PluginTagData& record) override;
    int InteractiveProperties(tags::InteractiveTagData& record) override;
    bool AskTagValues(const tags::InteractiveTagData& record, std::vector<std::string>* values) override;
    void RunPlugin(tags::PluginTagData& record) override;
    void ReleasePlugin(tags::PluginTagData& record) override;

    static constexpr char kShortcutMessage[] =
        "登録タグをショートカットで実行しようとしましたが\n実行しようとした登録タグがすでに登録されていないので実行できませ"
        "ん\n登録タグを登録するかオプションのキーボードでショートカットキーを設定しなおしてください";

protected:
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    class CTreeCtrl : public CWnd {
    public:
        CRegistTagTree* owner = nullptr;
        bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    };
    friend class CTreeCtrl;
    class CDropTarget;
    friend class CDropTarget;

    void BuildItems();
    void InsertFileItem(int file);
    HTREEITEM InsertTagItem(int file, int tag, HTREEITEM after);
    // Remap the keys, reassign ids and labels, rebuild the menu bar's tag menu.
    void AfterChange(bool remapKeys);
    void RebuildTagMenu();
    bool Locate(HTREEITEM item, int* file, int* tag) const;
    void RunSelected();
    void NewFile();
    void NewTag(int kind);
    void DeleteSelected();
    void Properties();
    void Import();
    void Export();
    void ShowPrompt(int id);
    bool OnTreeKey(UINT key);
    void ShowContextMenu(POINT screen);
    void StartDrag(HTREEITEM item);
    bool TargetAt(POINT client, tags::PaneItem* target, HTREEITEM* item) const;
    void RegisterDropTarget();
    void RevokeDropTarget();

    ITagPaneHost* m_host = nullptr;
    tags::TagKinds m_kinds;
    tags::TagStore m_store;
    CTreeCtrl m_tree;
    HIMAGELIST m_images = nullptr;
    CPluginDialogKeys m_pluginKeys;
    bool m_saved = false;
    bool m_loaded = false;  // a store never read is never written back
    bool m_imeClosed = false;
    // Drags: the item under the left button when it went down.
    HTREEITEM m_downItem = nullptr;
    POINT m_downPoint = {0, 0};
    bool m_buttonDown = false;
    bool m_dragging = false;
    tags::PaneItem m_drag;
    CDropTarget* m_dropTarget = nullptr;
};

}  // namespace tagswin
