// Common Win32 declarations of the application framework.
#pragma once

#ifndef STRICT
#define STRICT
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0601
#endif
#ifndef _WIN32_IE
#define _WIN32_IE 0x0700
#endif
#include <windows.h>
#include <commctrl.h>

#include <string>

// Framework resource identifiers (string table and control ids).
constexpr UINT AFX_IDS_APP_TITLE = 57344;      // application title
constexpr UINT AFX_IDS_IDLEMESSAGE = 57345;    // status bar idle text
constexpr UINT AFX_IDW_STATUS_BAR = 59393;     // status bar control id
constexpr UINT ID_APP_ABOUT = 57664;
constexpr UINT ID_APP_EXIT = 57665;

// Notification code used to ask a command target for a command's state.
constexpr int CN_COMMAND = 0;
constexpr int CN_UPDATE_COMMAND_UI = -1;

// Loads a string-table entry of the program as Shift JIS bytes; empty when
// the entry does not exist.
std::string LoadResString(UINT id, HINSTANCE instance = nullptr);
