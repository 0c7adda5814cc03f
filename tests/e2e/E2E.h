// End-to-end helper: starts the real Pembroquil.exe of this build with its own
// settings, finds its window, drives it from outside (keys through xdotool on
// the X display, window messages, files, the registry), takes screenshots and
// closes it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// Folders of this build tree, as Windows paths (drive Z:).
std::string BuildDir();     // ...\build\win
std::string OutDir();       // ...\build\win\out, laid out as installed
std::string WorkDir();      // ...\build\win\e2e-work, scratch files of the tests
std::string ScreenshotDir();
// A Windows path under drive Z: as a Unix path, and back.
std::string ToUnixPath(const std::string& windowsPath);

// The program's settings key below HKEY_CURRENT_USER.
constexpr char kSettingsKey[] = "Software\\Tavenor\\Pembroquil";
bool DeleteSettings();
bool WriteSettingInt(const std::string& section, const std::string& name, DWORD value);
bool WriteSettingString(const std::string& section, const std::string& name, const std::string& value);
bool ReadSettingInt(const std::string& section, const std::string& name, DWORD* value);
bool ReadSettingString(const std::string& section, const std::string& name, std::string* value);
bool SettingExists(const std::string& section, const std::string& name);
// A value's bytes whatever its type (written as REG_BINARY).
bool WriteSettingBinary(const std::string& section, const std::string& name, const std::string& bytes);
bool ReadSettingBinary(const std::string& section, const std::string& name, std::string* bytes);
// Every key and value below the settings key, one line each, sorted by key
// ("section\\name=kind:bytes"), to see whether anything was written.
std::string DumpSettings();
// Fresh settings of a program that already ran once (the version stamp is
// current, so no one-time migration messages are shown).
bool ResetSettings();

// Runs a command of the host's shell (xdotool, import) and waits for it;
// returns its exit code, or -1 when it did not finish in time. The command
// must not contain double quotes.
int RunHostProgram(const std::string& shellCommand, DWORD timeoutMs = 15000);
// Quotes a word for the host shell (single quotes).
std::string ShellQuote(const std::string& s);
// The X window of a top-level window of this process or another ("" when
// it has none yet), for xdotool.
std::string XWindowId(HWND hwnd);

// Reads and writes files as raw bytes.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
bool ReadFileBytes(const std::string& path, std::string* bytes);

class Program {
public:
    Program() = default;
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts the program with a command line (arguments after the program
    // name) and waits until its main window exists and takes input.
    bool Start(const std::string& arguments = "", DWORD timeoutMs = 20000);
    // Starts the process without waiting for its window.
    bool Launch(const std::string& arguments = "");
    // Runs another copy of the program (an installed one) instead of the
    // build's; its folder is the current folder.
    void SetExecutable(const std::string& path) { m_exe = path; }
    // Waits for the started process's main window.
    bool AttachWindow(DWORD timeoutMs = 20000);
    bool Running() const;

    HWND MainWindow() const { return m_main; }
    DWORD ProcessId() const { return m_pi.dwProcessId; }
    std::string Title() const;
    // Text of a status bar pane, read from the other process.
    std::string StatusText(int pane) const;
    // The child window of a class (first found, depth first).
    HWND FindChild(const std::string& className) const;
    // The editor of the shown tab (the visible "CanvasEdit" with a size).
    HWND ShownEditor() const;
    // The image of a tab of the document strip, read from the other
    // process; -1 when there is no such tab.
    int TabImage(int index) const;

    // Keyboard input through the X server, to the main window (or `target`).
    bool Key(const std::string& keys, HWND target = nullptr);
    bool Type(const std::string& utf8Text, HWND target = nullptr);
    // Waits until the message queue of the program is idle.
    void WaitIdle(DWORD ms = 5000) const;

    // Saves a screenshot of the whole display as ScreenshotDir()\name.png.
    bool Screenshot(const std::string& name) const;

    // Asks the window to close (WM_CLOSE) and waits for the process to end;
    // returns its exit code, or -1 when it did not end in time.
    int Close(DWORD timeoutMs = 20000);
    // Ends the process by force (after a failed test).
    void Kill();
    // Waits for the process to end on its own; exit code or -1.
    int WaitExit(DWORD timeoutMs);

    // A message box (dialog class "#32770") the program shows, waiting up to
    // timeoutMs for one; null when none appears.
    HWND WaitMessageBox(DWORD timeoutMs = 10000) const;

private:
    PROCESS_INFORMATION m_pi = {};
    HWND m_main = nullptr;
    std::string m_exe;
};

// The top-level window of a class that belongs to a process, or null.
HWND FindProcessWindow(DWORD pid, const std::string& className);
// The text and title of a message box, and pressing one of its buttons.
std::string MessageBoxText(HWND box);
std::string WindowText(HWND hwnd);
bool PressDialogButton(HWND box, int id);

// Waits until `predicate` holds, checking every 50 ms.
template <typename Predicate>
bool WaitFor(Predicate predicate, DWORD timeoutMs = 10000) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (predicate()) return true;
        if (::GetTickCount() - start > timeoutMs) return false;
        ::Sleep(50);
    }
}

}  // namespace e2e
