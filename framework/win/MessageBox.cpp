#include "framework/win/MessageBox.h"

#include "framework/core/AppInfo.h"

namespace {
IMessageBoxService* g_service = nullptr;
}  // namespace

IMessageBoxService* SetMessageBoxService(IMessageBoxService* service) {
    IMessageBoxService* old = g_service;
    g_service = service;
    return old;
}

int PqMessageBox(HWND owner, const std::string& text, UINT type) {
    if (g_service) return g_service->Show(owner, text, appinfo::kProductName, type);
    return ::MessageBoxA(owner, text.c_str(), appinfo::kProductName, type);
}

void PqErrorBox(HWND owner, const std::string& text) { PqMessageBox(owner, text, MB_OK | MB_ICONERROR); }

void PqInfoBox(HWND owner, const std::string& text) { PqMessageBox(owner, text, MB_OK | MB_ICONINFORMATION); }

int PqQuestionBox(HWND owner, const std::string& text, UINT buttons) {
    return PqMessageBox(owner, text, buttons | MB_ICONQUESTION);
}

int PqFileMessageBox(HWND owner, const std::string& path, const std::string& text, UINT type) {
    return PqMessageBox(owner, path + text, type);
}
