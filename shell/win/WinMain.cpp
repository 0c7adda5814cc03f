// Entry point of Pembroquil.exe.
#include "framework/win/Afx.h"
#include "shell/win/PembroquilApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The command line is read with GetCommandLineA: the C runtime's copy
    // loses a leading byte of 0x80 or above.
    CPembroquilApp app;
    return RunApplication(app, instance);
}
