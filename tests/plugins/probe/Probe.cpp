// A probe plug-in for the plug-in host's tests. It records how it is called,
// reads the selection and replaces it through the editor's messages, asks
// the frame for the current editor, and in its second mode keeps a modeless
// dialog of two edit boxes open until its end entry. Built twice: with and
// without the run entry.
#include <windows.h>

#include <cstring>
#include <string>

extern "C" {

struct ProbeState {
    int attaches;
    int runs;
    int conclusions;
    HWND frame;
    HWND editor;
    int third;
    HWND asked;          // the frame's answer to WM_COMMAND 1224
    int mode;            // 0 wrap the selection, 1 open the modeless dialog
    HWND dialog;
    char selected[256];
};

static ProbeState g_state;

__declspec(dllexport) ProbeState* ProbeGetState() { return &g_state; }

}  // extern "C"

#ifndef PQ_PROBE_NO_RUN
namespace {

INT_PTR CALLBACK ProbeDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// A dialog template of two edit boxes, made in memory.
HWND OpenDialog(HWND owner) {
    alignas(4) static WORD buffer[256];
    std::memset(buffer, 0, sizeof buffer);
    WORD* p = buffer;
    auto* dlg = reinterpret_cast<DLGTEMPLATE*>(p);
    dlg->style = WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_MODALFRAME;
    dlg->cdit = 2;
    dlg->cx = 120;
    dlg->cy = 60;
    p = reinterpret_cast<WORD*>(dlg + 1);
    *p++ = 0;  // menu
    *p++ = 0;  // class
    for (const char* t = "probe"; *t; ++t) *p++ = static_cast<WORD>(*t);
    *p++ = 0;
    for (int i = 0; i < 2; ++i) {
        p = reinterpret_cast<WORD*>((reinterpret_cast<ULONG_PTR>(p) + 3) & ~static_cast<ULONG_PTR>(3));
        auto* item = reinterpret_cast<DLGITEMTEMPLATE*>(p);
        item->style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
        item->x = 5;
        item->y = static_cast<short>(5 + 20 * i);
        item->cx = 100;
        item->cy = 12;
        item->id = static_cast<WORD>(100 + i);
        p = reinterpret_cast<WORD*>(item + 1);
        *p++ = 0xFFFF;
        *p++ = 0x0081;  // edit
        *p++ = 0;       // text
        *p++ = 0;       // creation data
    }
    return ::CreateDialogIndirectParamA(::GetModuleHandleA(nullptr), reinterpret_cast<DLGTEMPLATE*>(buffer), owner,
                                        ProbeDialogProc, 0);
}

}  // namespace
#endif

extern "C" {

#ifndef PQ_PROBE_NO_RUN
int __cdecl PembroquilPluginExecute(HWND frame, HWND editor, int third) {
    ++g_state.runs;
    g_state.frame = frame;
    g_state.editor = editor;
    g_state.third = third;
    HWND asked = reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1));
    ::SendMessageA(frame, WM_COMMAND, 1224, reinterpret_cast<LPARAM>(&asked));
    g_state.asked = asked;
    if (g_state.mode == 1) {
        if (!g_state.dialog) g_state.dialog = OpenDialog(frame);
        return 1;
    }
    const LRESULT length = ::SendMessageA(editor, 0x416, 0, 0);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    ::SendMessageA(editor, 0x415, 0, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<std::size_t>(length));
    lstrcpynA(g_state.selected, text.c_str(), sizeof g_state.selected);
    const std::string wrapped = "[" + text + "]";
    ::SendMessageA(editor, 0x414, 1, reinterpret_cast<LPARAM>(wrapped.c_str()));
    return 1;
}
#endif

int __cdecl PembroquilPluginConclusion() {
    ++g_state.conclusions;
    if (g_state.dialog) ::DestroyWindow(g_state.dialog);
    g_state.dialog = nullptr;
    return 1;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) ++g_state.attaches;
    return TRUE;
}

}  // extern "C"
