// Color.pqi: the colour picker plug-in. Loaded by the program from its
// Plugins folder; talks to the editor only through window messages.
#include <windows.h>

extern "C" {

// Run entry: the main frame (owner of dialogs), the active editor, and a
// reserved 0. The result is ignored by the host.
__declspec(dllexport) int __cdecl PembroquilPluginExecute(HWND frame, HWND editor, int reserved) {
    (void)frame;
    (void)editor;
    (void)reserved;
    return 1;
}

// End entry: called just before the module is unloaded.
__declspec(dllexport) int __cdecl PembroquilPluginConclusion(void) { return 1; }

}  // extern "C"

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
