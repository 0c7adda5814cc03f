// User messages: message boxes titled with the product name. Every message the
// program shows goes through here, so tests can answer them.
#pragma once

#include <string>

#include "framework/win/Afx.h"

class IMessageBoxService {
public:
    virtual ~IMessageBoxService() = default;
    virtual int Show(HWND owner, const std::string& text, const std::string& title, UINT type) = 0;
};

// Replaces the service (null restores the system's message box); returns the
// previous one.
IMessageBoxService* SetMessageBoxService(IMessageBoxService* service);

// A message box titled "Pembroquil"; returns the button pressed.
int PqMessageBox(HWND owner, const std::string& text, UINT type);
// An error with the error icon and OK.
void PqErrorBox(HWND owner, const std::string& text);
// Plain information with OK.
void PqInfoBox(HWND owner, const std::string& text);
// A question with the question icon; buttons MB_OKCANCEL or MB_YESNOCANCEL.
int PqQuestionBox(HWND owner, const std::string& text, UINT buttons = MB_OKCANCEL);
// A message about a file: its full path followed directly by the text.
int PqFileMessageBox(HWND owner, const std::string& path, const std::string& text, UINT type);
