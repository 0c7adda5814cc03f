#include "documents/win/DocCommands.h"

#include "resources/resource.h"

void BindFileListCommands(CommandManager& commands, CDocTabWnd& docs) {
    CDocTabWnd* d = &docs;
    commands.SetHandler(ID_FILE_SAVE_FILELIST, [d] { d->SaveFileList(); });
    commands.SetHandler(ID_FILE_OPEN_FILELIST, [d] { d->OpenFileList(); });
}

void BindPreviewCommands(CommandManager& commands, CDocTabWnd& docs) {
    CDocTabWnd* d = &docs;
    // The external browsers take the document shown in the editor.
    static constexpr UINT kExternal[] = {ID_TOOL_IE, ID_TOOL_NETSCAPE, ID_TOOL_OTHER_BROWSER};
    for (const UINT id : kExternal) {
        commands.SetHandler(
            id,
            [d, id] {
                if (!d->GetPreviewShown(-1)) d->OnPreview(id);
            },
            [d](CCmdUI* ui) { ui->Enable(d->GetEditor(-1) != nullptr && !d->GetPreviewShown(-1)); });
    }
    commands.SetHandler(ID_TOOL_INNER_BROWSER, [d] { d->OnPreview(ID_TOOL_INNER_BROWSER); },
                        [d](CCmdUI* ui) {
                            ui->Enable(d->GetEditor(-1) != nullptr);
                            ui->SetCheck(d->GetPreviewShown(-1) != 0);
                        });
    static constexpr UINT kBrowserCommands[] = {ID_BROWSER_BACK, ID_BROWSER_FORWARD, ID_BROWSER_REFRESH,
                                                ID_BROWSER_RELOAD};
    for (const UINT id : kBrowserCommands) {
        commands.SetHandler(id, [d, id] { d->OnBrowserCommand(id); },
                            [d](CCmdUI* ui) { ui->Enable(d->GetPreviewShown(-1) != 0); });
    }
    commands.SetHandler(ID_BROWSER_LOCALSERVER, [d] { d->OnLocalServer(); },
                        [d](CCmdUI* ui) { ui->SetCheck(d->PreviewSettings().server.localServer == 1); });
}
