#include "shell/win/EditCommands.h"

#include <cstring>

#include "config/core/SplitPatterns.h"
#include "documents/core/SaveSettings.h"
#include "documents/win/DocTabWnd.h"
#include "editor/win/CanvasEdit.h"
#include "resources/resource.h"
#include "shell/win/SplitPanes.h"

namespace {

// The focused window when it is a plain edit field of the document window's
// frame (the address bar's), so that the editing keys work there as in any
// edit field.
HWND FocusedEditField(const CDocTabWnd& docs) {
    HWND focus = ::GetFocus();
    if (!focus || !docs.m_hWnd || !::IsChild(::GetAncestor(docs.m_hWnd, GA_ROOT), focus)) return nullptr;
    char cls[16] = {};
    ::GetClassNameA(focus, cls, sizeof cls);
    return ::lstrcmpiA(cls, "Edit") == 0 ? focus : nullptr;
}

struct EditCommand {
    UINT id;
    UINT fieldMessage;  // what an edit field gets instead
    int (*run)(editor::IEditorOps&);
};

int RunUndo(editor::IEditorOps& m) { return m.Undo(); }
int RunRedo(editor::IEditorOps& m) { return m.Redo(); }
int RunCut(editor::IEditorOps& m) { return m.Cut(); }
int RunCopy(editor::IEditorOps& m) { return m.Copy(); }
int RunPaste(editor::IEditorOps& m) { return m.Paste(); }
int RunDelete(editor::IEditorOps& m) { return m.DeleteSelection(); }
int RunSelectAll(editor::IEditorOps& m) {
    m.SetSelectionOffsets(0, -1);
    return 1;
}

constexpr EditCommand kEditCommands[] = {
    {ID_EDIT_UNDO, WM_UNDO, RunUndo},       {ID_EDIT_REDO, 0, RunRedo},
    {ID_EDIT_CUT, WM_CUT, RunCut},          {ID_EDIT_COPY, WM_COPY, RunCopy},
    {ID_EDIT_PASTE, WM_PASTE, RunPaste},    {ID_EDIT_DELETE, WM_CLEAR, RunDelete},
    {ID_EDIT_SELECT_ALL, EM_SETSEL, RunSelectAll},
};

}  // namespace

shell::DocCommandState GatherDocState(CDocTabWnd& docs) {
    shell::DocCommandState s;
    if (!docs.m_hWnd) return s;
    s.previewing = docs.GetPreviewShown(-1) != 0;
    CCanvasEdit* editor = docs.GetEditor(-1);
    if (!editor || !editor->m_hWnd) return s;
    const editor::IEditorOps& m = editor->Ops();
    s.hasEditor = true;
    s.canUndo = m.CanUndo();
    s.canRedo = m.CanRedo();
    s.hasSelection = m.HasSelection();
    s.readOnly = m.IsReadOnly();
    s.clipboardText = m.CanPaste() != 0;
    return s;
}

void BindFileCommands(CommandManager& commands, CDocTabWnd& docs) {
    CDocTabWnd* d = &docs;
    struct FileCommand {
        UINT id;
        void (CDocTabWnd::*run)();
    };
    static constexpr FileCommand kFileCommands[] = {
        {ID_FILE_NEW, &CDocTabWnd::OnFileNew},         {ID_FILE_OPEN, &CDocTabWnd::OnFileOpen},
        {ID_FILE_CLOSE, &CDocTabWnd::OnFileClose},     {ID_FILE_SAVE, &CDocTabWnd::OnFileSave},
        {ID_FILE_SAVE_AS, &CDocTabWnd::OnFileSaveAs},  {ID_FILE_SAVE_ALL, &CDocTabWnd::OnFileSaveAll},
        {ID_NEXT_TAB, &CDocTabWnd::OnNextTab},         {ID_PREV_TAB, &CDocTabWnd::OnPrevTab},
    };
    for (const FileCommand& c : kFileCommands) {
        const auto run = c.run;
        commands.SetHandler(c.id, [d, run] { (d->*run)(); });
    }
}

void BindEditCommands(CommandManager& commands, CDocTabWnd& docs) {
    CDocTabWnd* d = &docs;
    for (const EditCommand& c : kEditCommands) {
        const EditCommand cmd = c;
        commands.SetHandler(
            cmd.id,
            [d, cmd] {
                if (HWND field = FocusedEditField(*d)) {
                    if (cmd.fieldMessage == EM_SETSEL) ::SendMessageA(field, EM_SETSEL, 0, -1);
                    else if (cmd.fieldMessage) ::SendMessageA(field, cmd.fieldMessage, 0, 0);
                    return;
                }
                // A key reaches a command its menu item shows greyed: nothing happens.
                if (!shell::IsCommandEnabled(cmd.id, GatherDocState(*d))) return;
                if (CCanvasEdit* editor = d->GetEditor(-1)) cmd.run(editor->Ops());
            },
            [d, cmd](CCmdUI* ui) {
                if (FocusedEditField(*d)) {
                    ui->Enable(cmd.fieldMessage != 0);
                    return;
                }
                ui->Enable(shell::IsCommandEnabled(cmd.id, GatherDocState(*d)));
            });
    }
}

void BindSaveCodeCommands(CommandManager& commands, CDocTabWnd& docs) {
    CDocTabWnd* d = &docs;
    static constexpr UINT kIds[] = {ID_CODE_AS_LOADED, ID_CODE_SJIS,   ID_CODE_JIS, ID_CODE_EUC, ID_CODE_UTF8,
                                    ID_CODE_CYCLE,     ID_RETURN_AS_LOADED, ID_RETURN_CRLF,
                                    ID_RETURN_CR,      ID_RETURN_LF,   ID_RETURN_CYCLE};
    for (UINT id : kIds) {
        commands.SetHandler(
            id, [d, id] { encoding::ApplySaveCommand(static_cast<int>(id), &d->SaveSettings()); },
            [d, id](CCmdUI* ui) {
                ui->Enable(true);
                ui->SetCheck(encoding::IsSaveCommandChecked(static_cast<int>(id), d->SaveSettings()));
            });
    }
}

void BindPaneCommands(CommandManager& commands, CSplitPanes& panes) {
    CSplitPanes* p = &panes;
    struct PaneCommand {
        UINT toggle;
        UINT focus;
        int kind;
    };
    static constexpr PaneCommand kPanes[] = {
        {ID_VIEW_FOLDER_TREE, ID_FOCUS_FOLDER_TREE, split::kPaneFolderTree},
        {ID_VIEW_REGIST_TAG, ID_FOCUS_REGIST_TAG, split::kPaneRegistTag},
    };
    for (const PaneCommand& c : kPanes) {
        const int kind = c.kind;
        commands.SetHandler(
            c.toggle,
            [p, kind] {
                HWND pane = p->PaneWindow(kind);
                if (pane) p->ShowPane(pane, !p->IsPaneShown(pane));
            },
            [p, kind](CCmdUI* ui) {
                HWND pane = p->PaneWindow(kind);
                ui->Enable(pane != nullptr);
                ui->SetCheck(pane && p->IsPaneShown(pane));
            });
        commands.SetHandler(c.focus, [p, kind] {
            HWND pane = p->PaneWindow(kind);
            if (pane && p->IsPaneShown(pane)) ::SetFocus(pane);
        });
    }
}
