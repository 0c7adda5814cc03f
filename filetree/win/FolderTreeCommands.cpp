#include "filetree/win/FolderTreeCommands.h"

void BindFolderTreeCommands(CommandManager& commands, filetree::CFolderTreeCtrl& tree) {
    filetree::CFolderTreeCtrl* t = &tree;
    CommandManager::FocusTarget target;
    target.takesKey = [t](const MSG& msg) { return t->TakesKey(msg); };
    target.takesCommand = [t](UINT id) { return t->TakesCommand(id); };
    target.run = [t](UINT id) { return t->RunCommand(id); };
    target.enabled = [t](UINT id) { return t->IsCommandEnabled(id); };
    commands.SetFocusTarget(std::move(target));
}
