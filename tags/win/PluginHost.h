// Loading, running and releasing plug-in modules: "*.pqi" libraries in the
// program folder's "Plugins\" folder that export PembroquilPluginExecute
// and, optionally, PembroquilPluginConclusion (C convention).
#pragma once

#include <string>

#include "framework/win/Afx.h"
#include "framework/win/App.h"
#include "tags/core/TagRecords.h"

namespace tagswin {

// The program folder followed by "Plugins\".
std::string PluginFolder();

enum class PluginRun { Ran, NotFound, NoEntry, NoEditor };

// Loads the module on the first run (a name outside the plug-in folder is
// refused like a missing file, with the message owned by `frame`) and calls
// its run entry with the frame, the editor and 0.
PluginRun RunPlugin(tags::PluginTagData& record, HWND frame, HWND editor);
// Calls the end entry when there is one, then unloads the module.
void ReleasePlugin(tags::PluginTagData& record);

// Gives a plug-in's modeless dialog Tab, Enter, Esc and mnemonics: keyboard
// messages for a dialog of this thread that the program does not own go
// through the dialog manager.
class CPluginDialogKeys : public IPreTranslateHandler {
public:
    bool PreTranslate(MSG* msg) override;
};

}  // namespace tagswin
