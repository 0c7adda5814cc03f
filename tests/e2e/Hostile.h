// Helpers shared by the tests that drive the real program from a second,
// unfriendly or tireless, program: the program's own windows, whether it
// still answers, dismissing what a command opened, and the shown editor's
// text read through the clipboard.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "e2e/E2E.h"

namespace e2e {

// The windows of the program's own classes below (and including) its main
// window: the ones whose messages this program answers itself.
std::vector<HWND> OwnWindows(HWND main);
// Whether a window answers a message within `ms`.
bool Answers(HWND hwnd, DWORD ms = 5000);
// Closes dialogs, message boxes and popup menus of the process (Cancel,
// else No, else OK); returns how many it closed.
int DismissDialogs(const Program& app, DWORD settleMs = 300);
// The shown editor's whole text, selected and copied by the program's own
// commands and read from the clipboard; false when nothing came.
bool EditorTextViaClipboard(const Program& app, std::string* text);
// The number of tabs of the document strip.
int TabCount(const Program& app);

}  // namespace e2e
