#include "e2e/E2E.h"

#include <algorithm>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace e2e {

namespace {

std::string UnixToWindows(const std::string& unixPath) {
    std::string out = "Z:";
    for (char c : unixPath) out += (c == '/') ? '\\' : c;
    return out;
}

struct WindowSearch {
    DWORD pid;  // 0: any process
    const std::string* cls;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND h, LPARAM lp) {
    auto* s = reinterpret_cast<WindowSearch*>(lp);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(h, &owner);
    char cls[256] = {};
    ::GetClassNameA(h, cls, sizeof cls);
    if ((s->pid == 0 || owner == s->pid) && *s->cls == cls) {
        s->found = h;
        return FALSE;
    }
    return TRUE;
}

HKEY OpenSection(const std::string& section, bool create) {
    std::string path = kSettingsKey;
    if (!section.empty()) path += "\\" + section;
    HKEY key = nullptr;
    LONG rc = create ? ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                         nullptr, &key, nullptr)
                     : ::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key);
    return rc == ERROR_SUCCESS ? key : nullptr;
}

}  // namespace

// Quotes a word for the host shell (single quotes; the command line itself
// is wrapped in double quotes).
std::string ShellQuote(const std::string& s) {
    std::string out = "'";
    for (char c : s) {
        if (c == '\'') out += "'\\''";
        else out += c;
    }
    return out + "'";
}

std::string XWindowId(HWND hwnd) {
    HANDLE id = ::GetPropA(hwnd, "__wine_x11_whole_window");
    if (!id) return std::string();
    char buf[32];
    std::snprintf(buf, sizeof buf, "%lu", static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(id)));
    return buf;
}

std::string BuildDir() { return UnixToWindows(PQ_BUILD_DIR_UNIX); }
std::string OutDir() { return BuildDir() + "\\out"; }
std::string WorkDir() {
    std::string dir = BuildDir() + "\\e2e-work";
    ::CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}
std::string ScreenshotDir() {
    std::string dir = BuildDir() + "\\screenshots";
    ::CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

std::string ToUnixPath(const std::string& windowsPath) {
    std::string p = windowsPath;
    if (p.size() >= 2 && (p[0] == 'Z' || p[0] == 'z') && p[1] == ':') p = p.substr(2);
    for (char& c : p) {
        if (c == '\\') c = '/';
    }
    return p;
}

bool DeleteSettings() {
    LONG rc = ::RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

namespace {

void DumpKey(HKEY parent, const std::string& path, std::vector<std::string>* lines) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    for (DWORD i = 0;; ++i) {
        char name[512];
        DWORD nameLength = sizeof name;
        BYTE data[8192];
        DWORD dataLength = sizeof data;
        DWORD type = 0;
        if (::RegEnumValueA(key, i, name, &nameLength, nullptr, &type, data, &dataLength) != ERROR_SUCCESS) break;
        lines->push_back(path + "\\" + std::string(name, nameLength) + "=" + std::to_string(type) + ":" +
                         std::string(reinterpret_cast<const char*>(data), dataLength));
    }
    std::vector<std::string> subkeys;
    for (DWORD i = 0;; ++i) {
        char name[512];
        DWORD nameLength = sizeof name;
        if (::RegEnumKeyExA(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        subkeys.emplace_back(name, nameLength);
    }
    ::RegCloseKey(key);
    for (const std::string& sub : subkeys) DumpKey(parent, path + "\\" + sub, lines);
}

}  // namespace

std::string DumpSettings() {
    std::vector<std::string> lines;
    DumpKey(HKEY_CURRENT_USER, kSettingsKey, &lines);
    std::sort(lines.begin(), lines.end());
    std::string all;
    for (const std::string& line : lines) all += line + "\n";
    return all;
}

bool ResetSettings() { return DeleteSettings() && WriteSettingString("Main", "Version", "2.06"); }

bool WriteSettingInt(const std::string& section, const std::string& name, DWORD value) {
    HKEY key = OpenSection(section, true);
    if (!key) return false;
    LONG rc = ::RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    ::RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

bool WriteSettingString(const std::string& section, const std::string& name, const std::string& value) {
    HKEY key = OpenSection(section, true);
    if (!key) return false;
    LONG rc = ::RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                               static_cast<DWORD>(value.size() + 1));
    ::RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

bool ReadSettingInt(const std::string& section, const std::string& name, DWORD* value) {
    HKEY key = OpenSection(section, false);
    if (!key) return false;
    DWORD type = 0, size = sizeof(DWORD);
    LONG rc = ::RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    ::RegCloseKey(key);
    return rc == ERROR_SUCCESS && type == REG_DWORD && size == sizeof(DWORD);
}

bool ReadSettingString(const std::string& section, const std::string& name, std::string* value) {
    HKEY key = OpenSection(section, false);
    if (!key) return false;
    DWORD type = 0, size = 0;
    LONG rc = ::RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size);
    if (rc == ERROR_SUCCESS && type == REG_SZ) {
        std::string buf(size + 1, '\0');
        rc = ::RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&buf[0]), &size);
        buf.resize(std::strlen(buf.c_str()));
        *value = buf;
    }
    ::RegCloseKey(key);
    return rc == ERROR_SUCCESS && type == REG_SZ;
}

bool SettingExists(const std::string& section, const std::string& name) {
    HKEY key = OpenSection(section, false);
    if (!key) return false;
    LONG rc = ::RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, nullptr);
    ::RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

int RunHostProgram(const std::string& shellCommand, DWORD timeoutMs) {
    // Wine starts host programs but cannot wait for them or read their exit
    // code, so the shell writes the exit code into a marker file when done.
    static unsigned counter = 0;
    char name[64];
    std::snprintf(name, sizeof name, "\\host-%lu-%u.done", ::GetCurrentProcessId(), ++counter);
    const std::string marker = WorkDir() + name;
    ::DeleteFileA(marker.c_str());
    std::string cmd = "/bin/sh -c \"" + shellCommand + "; echo $? > '" + ToUnixPath(marker) + "'\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    if (pi.hThread) ::CloseHandle(pi.hThread);
    if (pi.hProcess) ::CloseHandle(pi.hProcess);
    std::string content;
    const bool done = WaitFor([&] { return ReadFileBytes(marker, &content) && !content.empty() &&
                                           content.back() == '\n'; },
                              timeoutMs);
    ::DeleteFileA(marker.c_str());
    if (!done) return -1;
    return std::atoi(content.c_str());
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = bytes.empty() || ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(h);
    return ok && written == bytes.size();
}

bool ReadFileBytes(const std::string& path, std::string* bytes) {
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD size = ::GetFileSize(h, nullptr);
    bytes->assign(size, '\0');
    DWORD got = 0;
    BOOL ok = size == 0 || ::ReadFile(h, &(*bytes)[0], size, &got, nullptr);
    ::CloseHandle(h);
    return ok && got == size;
}

HWND FindProcessWindow(DWORD pid, const std::string& className) {
    WindowSearch s = {pid, &className, nullptr};
    ::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

Program::~Program() {
    if (Running()) Kill();
    if (m_pi.hProcess) ::CloseHandle(m_pi.hProcess);
    if (m_pi.hThread) ::CloseHandle(m_pi.hThread);
}

bool Program::Launch(const std::string& arguments) {
    const std::string exe = OutDir() + "\\Pembroquil.exe";
    std::string cmd = "\"" + exe + "\"";
    if (!arguments.empty()) cmd += " " + arguments;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    const std::string cwd = OutDir();
    return ::CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, cwd.c_str(), &si, &m_pi) != 0;
}

bool Program::AttachWindow(DWORD timeoutMs) {
    const bool found = WaitFor(
        [&] {
            m_main = FindProcessWindow(m_pi.dwProcessId, "PembroquilWClass");
            return (m_main && ::IsWindowVisible(m_main)) || !Running();
        },
        timeoutMs);
    if (!found || !m_main) return false;
    ::WaitForInputIdle(m_pi.hProcess, timeoutMs);
    // The first paint follows the window's creation closely; give it a moment.
    ::Sleep(300);
    return true;
}

bool Program::Start(const std::string& arguments, DWORD timeoutMs) {
    return Launch(arguments) && AttachWindow(timeoutMs);
}

bool Program::Running() const {
    return m_pi.hProcess && ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
}

std::string Program::Title() const {
    char buf[1024] = {};
    ::GetWindowTextA(m_main, buf, sizeof buf);
    return buf;
}

HWND Program::FindChild(const std::string& className) const {
    WindowSearch s = {0, &className, nullptr};
    ::EnumChildWindows(m_main, &MatchWindow, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

namespace {

BOOL CALLBACK MatchShownEditor(HWND h, LPARAM lp) {
    char cls[64] = {};
    ::GetClassNameA(h, cls, sizeof cls);
    RECT rc = {};
    ::GetClientRect(h, &rc);
    if (std::string(cls) == "CanvasEdit" && ::IsWindowVisible(h) && rc.right > 0 && rc.bottom > 0) {
        *reinterpret_cast<HWND*>(lp) = h;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND Program::ShownEditor() const {
    HWND found = nullptr;
    ::EnumChildWindows(m_main, &MatchShownEditor, reinterpret_cast<LPARAM>(&found));
    return found;
}

int Program::TabImage(int index) const {
    HWND strip = FindChild("SysTabControl32");
    if (!strip) return -1;
    HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, m_pi.dwProcessId);
    if (!process) return -1;
    int image = -1;
    TCITEMA item = {};
    item.mask = TCIF_IMAGE;
    void* remote = ::VirtualAllocEx(process, nullptr, sizeof item, MEM_COMMIT, PAGE_READWRITE);
    SIZE_T moved = 0;
    if (remote && ::WriteProcessMemory(process, remote, &item, sizeof item, &moved) &&
        ::SendMessageA(strip, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(remote)) &&
        ::ReadProcessMemory(process, remote, &item, sizeof item, &moved) && moved == sizeof item)
        image = item.iImage;
    if (remote) ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    ::CloseHandle(process);
    return image;
}

std::string Program::StatusText(int pane) const {
    HWND bar = FindChild("msctls_statusbar32");
    if (!bar) return std::string();
    const DWORD info = static_cast<DWORD>(::SendMessageA(bar, SB_GETTEXTLENGTHA, pane, 0));
    // Wine counts the length in characters, so leave room for two bytes each.
    const SIZE_T length = 2 * LOWORD(info) + 2;
    // The text is copied into a buffer that lives in the program's process.
    HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, m_pi.dwProcessId);
    if (!process) return std::string();
    void* remote = ::VirtualAllocEx(process, nullptr, length + 1, MEM_COMMIT, PAGE_READWRITE);
    std::string text;
    if (remote) {
        ::SendMessageA(bar, SB_GETTEXTA, pane, reinterpret_cast<LPARAM>(remote));
        text.assign(length + 1, '\0');
        SIZE_T got = 0;
        ::ReadProcessMemory(process, remote, &text[0], length + 1, &got);
        text.resize(std::strlen(text.c_str()));
        ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    ::CloseHandle(process);
    return text;
}

bool Program::Key(const std::string& keys, HWND target) {
    const std::string id = XWindowId(target ? ::GetAncestor(target, GA_ROOT) : m_main);
    if (id.empty()) return false;
    bool ok = RunHostProgram("xdotool windowfocus " + id + " sleep 0.2 key --delay 40 " + keys) == 0;
    WaitIdle();
    return ok;
}

bool Program::Type(const std::string& text, HWND target) {
    const std::string id = XWindowId(target ? ::GetAncestor(target, GA_ROOT) : m_main);
    if (id.empty()) return false;
    // A character without a key of its own (Japanese) is typed by binding a
    // spare key to it and unbinding that key right after the release: the
    // program reads the binding when it takes the key press, so a program
    // the machine's load keeps waiting past the unbinding gets no character.
    // Half the delay passes between press and release; such characters get
    // a long one.
    const bool spareKeys = std::any_of(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; });
    const std::string delay = spareKeys ? "600" : "40";
    bool ok = RunHostProgram("xdotool windowfocus " + id + " sleep 0.2 type --delay " + delay + " " +
                             ShellQuote(text)) == 0;
    WaitIdle();
    return ok;
}

void Program::WaitIdle(DWORD ms) const {
    if (m_pi.hProcess) ::WaitForInputIdle(m_pi.hProcess, ms);
    DWORD_PTR result = 0;
    if (m_main) ::SendMessageTimeoutA(m_main, WM_NULL, 0, 0, SMTO_NORMAL, ms, &result);
}

bool Program::Screenshot(const std::string& name) const {
    const std::string file = ToUnixPath(ScreenshotDir() + "\\" + name + ".png");
    ::Sleep(200);
    return RunHostProgram("import -window root " + ShellQuote(file)) == 0;
}

int Program::WaitExit(DWORD timeoutMs) {
    if (!m_pi.hProcess) return -1;
    if (::WaitForSingleObject(m_pi.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    ::GetExitCodeProcess(m_pi.hProcess, &code);
    return static_cast<int>(code);
}

int Program::Close(DWORD timeoutMs) {
    if (!Running()) return WaitExit(0);
    ::PostMessageA(m_main, WM_CLOSE, 0, 0);
    return WaitExit(timeoutMs);
}

void Program::Kill() {
    if (Running()) {
        ::TerminateProcess(m_pi.hProcess, 255);
        ::WaitForSingleObject(m_pi.hProcess, 5000);
    }
}

}  // namespace e2e

namespace e2e {

HWND Program::WaitMessageBox(DWORD timeoutMs) const {
    HWND box = nullptr;
    WaitFor(
        [&] {
            box = FindProcessWindow(m_pi.dwProcessId, "#32770");
            return box != nullptr && ::IsWindowVisible(box);
        },
        timeoutMs);
    return box && ::IsWindowVisible(box) ? box : nullptr;
}

std::string WindowText(HWND hwnd) {
    char buf[2048] = {};
    ::GetWindowTextA(hwnd, buf, sizeof buf);
    return buf;
}

std::string MessageBoxText(HWND box) {
    // The message is the static control with id 0xFFFF.
    HWND text = ::GetDlgItem(box, 0xFFFF);
    return text ? WindowText(text) : std::string();
}

bool PressDialogButton(HWND box, int id) {
    HWND button = ::GetDlgItem(box, id);
    if (!button) return false;
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return true;
}

}  // namespace e2e
