// The application object and its message loop.
#pragma once

#include <string>
#include <vector>

#include "framework/win/Wnd.h"

// Something that may consume a queued message before it is dispatched (the
// menu bar's keyboard handling, the key table's accelerators).
class IPreTranslateHandler {
public:
    virtual ~IPreTranslateHandler() = default;
    // Returns true when the message was consumed and must not be dispatched.
    virtual bool PreTranslate(MSG* msg) = 0;
};

// Something run when the message queue becomes empty (command states of the
// tool bar, the status bar's idle text).
class IIdleHandler {
public:
    virtual ~IIdleHandler() = default;
    virtual void OnIdle() = 0;
};

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    static CWinApp* Current();

    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;
    int m_exitCode = 0;

    // Start-up; returning false ends the program at once.
    virtual bool InitInstance() { return true; }
    // Called once the message loop ended; returns the process exit code.
    virtual int ExitInstance() { return m_exitCode; }
    // The message loop; returns the code of WM_QUIT.
    virtual int Run();
    // Offers one queued message to the pre-translate chain, the windows'
    // PreTranslateMessage and the modeless dialogs; true when consumed.
    virtual bool PreTranslateMessage(MSG* msg);
    virtual void OnIdle();

    // Handlers are asked in the order they were added.
    void AddPreTranslateHandler(IPreTranslateHandler* handler);
    void RemovePreTranslateHandler(IPreTranslateHandler* handler);
    void AddIdleHandler(IIdleHandler* handler);
    void RemoveIdleHandler(IIdleHandler* handler);
    void AddModelessDialog(HWND dialog);
    void RemoveModelessDialog(HWND dialog);

    // Registry root: HKCU\Software\<company>\<application title>.
    void SetRegistryKey(const std::string& company);
    const std::string& RegistryCompany() const { return m_company; }
    std::string AppTitle() const;
    std::string RegistryRoot() const;  // "Software\\Tavenor\\Pembroquil"

private:
    std::vector<IPreTranslateHandler*> m_preTranslate;
    std::vector<IIdleHandler*> m_idle;
    std::vector<HWND> m_modeless;
    std::string m_company;
};

// The entry: runs InitInstance, the loop and ExitInstance of the one
// application object.
int RunApplication(CWinApp& app, HINSTANCE instance);
