#include "documents/win/DocCommands.h"

#include "resources/resource.h"

void BindFileListCommands(CommandManager& commands, CDocTabWnd& docs) {
    CDocTabWnd* d = &docs;
    commands.SetHandler(ID_FILE_SAVE_FILELIST, [d] { d->SaveFileList(); });
    commands.SetHandler(ID_FILE_OPEN_FILELIST, [d] { d->OpenFileList(); });
}
