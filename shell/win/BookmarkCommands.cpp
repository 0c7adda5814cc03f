#include "shell/win/BookmarkCommands.h"

#include "config/core/MenuCommandTable.h"
#include "documents/win/DocTabWnd.h"
#include "framework/win/MessageBox.h"

void SetBookmark(CommandManager& commands, CDocTabWnd& docs, HWND owner, int n) {
    const std::string path = docs.GetPath(-1);
    CCanvasEdit* editor = docs.GetEditor(-1);
    if (path.empty() || !editor) {
        PqErrorBox(owner, bookmarks::kNeverSavedMessage);
        return;
    }
    commands.SetBookmark(n, path, editor->Ops().GetCaretLine());
}

void GoToBookmark(CommandManager& commands, CDocTabWnd& docs, HWND owner, int n) {
    const bookmarks::Bookmark slot = commands.Bookmarks()[static_cast<std::size_t>(n)];
    if (!slot.IsSet()) {
        PqErrorBox(owner, bookmarks::kNotSetMessage);
        return;
    }
    // A file that does not open has said why; no other tab's caret moves.
    if (docs.OpenDocFile(slot.path, false, false) != 1) return;
    if (docs.GetPreviewShown(-1)) return;
    if (CCanvasEdit* editor = docs.GetEditor(-1)) editor->Ops().GoToLine(slot.line);
}

void DeleteAllBookmarks(CommandManager& commands, HWND owner) {
    if (PqQuestionBox(owner, bookmarks::kDeleteAllQuestion, MB_OKCANCEL) != IDOK) return;
    commands.ClearBookmarks();
}

void BindBookmarkCommands(CommandManager& commands, CDocTabWnd& docs, HWND owner) {
    for (int n = 0; n < bookmarks::kSlotCount; ++n) {
        commands.SetHandler(commands::kFirstSetBookmark + static_cast<UINT>(n),
                            [&commands, &docs, owner, n] { SetBookmark(commands, docs, owner, n); });
        commands.SetHandler(commands::kFirstGoBookmark + static_cast<UINT>(n),
                            [&commands, &docs, owner, n] { GoToBookmark(commands, docs, owner, n); });
    }
    commands.SetHandler(commands::kDeleteBookmarks, [&commands, owner] { DeleteAllBookmarks(commands, owner); });
}
