// The installer of this build, run silently: it lays down exactly the shipped
// files, the Start menu shortcuts and the uninstall entry; the installed
// program runs; a second install keeps the user's edited keyword file; the
// uninstaller takes away what was installed and nothing of the user's.
#include <gtest/gtest.h>

#include <shlobj.h>
#include <shobjidl.h>
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <string>

#include "e2e/E2E.h"

namespace {

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pembroquil";

// The "<name>-setup.exe" the build made in its dist folder, and its list of
// shipped files ("<name>.files", one relative path a line, '/' separated).
bool FindSetup(std::string* setup, std::set<std::string>* files) {
    const std::string dist = e2e::BuildDir() + "\\dist\\";
    WIN32_FIND_DATAA fd;
    HANDLE h = ::FindFirstFileA((dist + "Pembroquil-*-setup.exe").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return false;
    ::FindClose(h);
    *setup = dist + fd.cFileName;
    const std::string list = setup->substr(0, setup->size() - std::string("-setup.exe").size()) + ".files";
    std::ifstream in(list);
    for (std::string line; std::getline(in, line);) {
        std::replace(line.begin(), line.end(), '/', '\\');
        if (!line.empty()) files->insert(line);
    }
    return !files->empty();
}

void CollectFiles(const std::string& root, const std::string& rel, std::set<std::string>* out) {
    WIN32_FIND_DATAA fd;
    HANDLE h = ::FindFirstFileA((root + "\\" + rel + "*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = fd.cFileName;
        if (name == "." || name == "..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CollectFiles(root, rel + name + "\\", out);
        else
            out->insert(rel + name);
    } while (::FindNextFileA(h, &fd));
    ::FindClose(h);
}

std::set<std::string> FilesUnder(const std::string& root) {
    std::set<std::string> files;
    CollectFiles(root, "", &files);
    return files;
}

int RunAndWait(const std::string& commandLine, DWORD timeoutMs = 120000) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::string cmd = commandLine;
    if (!::CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (::WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0) ::GetExitCodeProcess(pi.hProcess, &code);
    else ::TerminateProcess(pi.hProcess, 1);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}

std::string StartMenuFolder() {
    char path[MAX_PATH] = {};
    ::SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, path);
    return std::string(path) + "\\Pembroquil\\";
}

// The target of a shortcut file, or "" when it cannot be read.
std::string ShortcutTarget(const std::string& lnk) {
    std::string target;
    IShellLinkA* link = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(&link))))
        return target;
    IPersistFile* file = nullptr;
    wchar_t wide[MAX_PATH] = {};
    ::MultiByteToWideChar(CP_ACP, 0, lnk.c_str(), -1, wide, MAX_PATH);
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        char path[MAX_PATH] = {};
        if (SUCCEEDED(file->Load(wide, STGM_READ)) && SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0)))
            target = path;
        file->Release();
    }
    link->Release();
    return target;
}

std::string RegString(HKEY root, const char* key, const char* name) {
    HKEY h = nullptr;
    if (::RegOpenKeyExA(root, key, 0, KEY_READ, &h) != ERROR_SUCCESS) return "";
    char buf[512] = {};
    DWORD size = sizeof buf - 1, type = 0;
    const LONG rc = ::RegQueryValueExA(h, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
    ::RegCloseKey(h);
    return rc == ERROR_SUCCESS && type == REG_SZ ? buf : "";
}

bool KeyExists(HKEY root, const char* key) {
    HKEY h = nullptr;
    if (::RegOpenKeyExA(root, key, 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
    ::RegCloseKey(h);
    return true;
}

std::string ProductVersionOf(const std::string& exe) {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(exe.c_str(), &ignored);
    std::string data(size, '\0');
    if (!size || !::GetFileVersionInfoA(exe.c_str(), 0, size, &data[0])) return "";
    char* value = nullptr;
    UINT len = 0;
    if (!::VerQueryValueA(&data[0], "\\StringFileInfo\\041104b0\\ProductVersion", reinterpret_cast<void**>(&value), &len))
        return "";
    return value;
}

bool IsSameFolder(const std::string& a, const std::string& b) {
    return ::lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

TEST(InstallerTest, InstallsRunsUpdatesAndUninstallsKeepingTheUsersFiles) {
#ifdef PQ_INSTALLER_UNAVAILABLE
    GTEST_SKIP() << "no installer for this build: " << PQ_INSTALLER_UNAVAILABLE;
#endif
    std::string setup;
    std::set<std::string> shipped;
    ASSERT_TRUE(FindSetup(&setup, &shipped)) << "the build made no installer in dist\\";
    ASSERT_TRUE(e2e::ResetSettings());
    ::CoInitialize(nullptr);

    const std::string root = e2e::WorkDir() + "\\installed";
    const std::string dir = root + "\\Pembroquil";
    ASSERT_EQ(e2e::RunHostProgram("rm -rf " + e2e::ShellQuote(e2e::ToUnixPath(root))), 0);
    ASSERT_EQ(RunAndWait("\"" + setup + "\" /S /D=" + dir), 0);

    // Exactly the shipped files, and the uninstaller.
    std::set<std::string> expected = shipped;
    expected.insert("uninstall.exe");
    EXPECT_EQ(FilesUnder(dir), expected);

    // The shortcuts lead to the installed program and help; the uninstall
    // entry carries the version of the program's version resource.
    const std::string exe = ShortcutTarget(StartMenuFolder() + "Pembroquil.lnk");
    EXPECT_TRUE(IsSameFolder(exe, dir + "\\Pembroquil.exe")) << exe;
    EXPECT_TRUE(IsSameFolder(ShortcutTarget(StartMenuFolder() + "Pembroquil ヘルプ.lnk"), dir + "\\Pembroquil.chm"));
    const std::string version = ProductVersionOf(dir + "\\Pembroquil.exe");
    EXPECT_FALSE(version.empty());
    EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayVersion"), version);
    EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"), "Pembroquil");
    EXPECT_TRUE(IsSameFolder(RegString(HKEY_LOCAL_MACHINE, kUninstallKey, "InstallLocation"), dir));

    // The program started from the shortcut's target opens a file.
    const std::string page = e2e::WorkDir() + "\\installed-page.html";
    ASSERT_TRUE(e2e::WriteFileBytes(page, "<html><body>表示</body></html>\r\n"));
    {
        e2e::Program app;
        app.SetExecutable(exe.empty() ? dir + "\\Pembroquil.exe" : exe);
        ASSERT_TRUE(app.Start("\"" + page + "\""));
        EXPECT_NE(app.Title().find("installed-page.html"), std::string::npos) << app.Title();
        app.Screenshot("installer-installed-program");
        // The Gradation sample tag (third file, second tag) finds its
        // installed plug-in: its own window opens, not the missing-module box.
        ::PostMessageA(app.MainWindow(), WM_COMMAND, 10201, 0);
        HWND plugin = app.WaitMessageBox(10000);
        ASSERT_NE(plugin, nullptr);
        EXPECT_EQ(e2e::WindowText(plugin).rfind("グラデーション", 0), 0u) << e2e::MessageBoxText(plugin);
        app.Screenshot("installer-gradation");
        e2e::PressDialogButton(plugin, IDCANCEL);
        EXPECT_TRUE(e2e::WaitFor([&] { return !::IsWindow(plugin) || !::IsWindowVisible(plugin); }));
        EXPECT_EQ(app.Close(), 0);
    }

    // What the user keeps in the program folder, and an edited keyword file.
    const std::string keyword = "Keyword\\CGI.kwd";
    ASSERT_EQ(shipped.count(keyword), 1u);
    std::string shippedKeyword, userKeyword;
    ASSERT_TRUE(e2e::ReadFileBytes(dir + "\\" + keyword, &shippedKeyword));
    userKeyword = shippedKeyword + "mykeyword\r\n";
    ASSERT_TRUE(e2e::WriteFileBytes(dir + "\\" + keyword, userKeyword));
    ASSERT_TRUE(e2e::WriteFileBytes(dir + "\\登録タグ.pqt", "#registtag for Pembroquil\r\n"));
    ASSERT_TRUE(e2e::WriteFileBytes(dir + "\\Assist\\mine.ast", "[x]\r\n"));

    // Installing again keeps the user's keyword file and puts ours beside it.
    ASSERT_EQ(RunAndWait("\"" + setup + "\" /S /D=" + dir), 0);
    std::string bytes;
    ASSERT_TRUE(e2e::ReadFileBytes(dir + "\\" + keyword, &bytes));
    EXPECT_EQ(bytes, userKeyword);
    ASSERT_TRUE(e2e::ReadFileBytes(dir + "\\" + keyword + ".new", &bytes));
    EXPECT_EQ(bytes, shippedKeyword);
    // The Gradation run left its settings beside the plug-in: the user's too.
    expected.insert({keyword + ".new", "登録タグ.pqt", "Assist\\mine.ast", "Plugins\\Gradation.ini"});
    EXPECT_EQ(FilesUnder(dir), expected);

    // The uninstaller runs from a copy of itself; wait for it to finish.
    ASSERT_EQ(RunAndWait("\"" + dir + "\\uninstall.exe\" /S"), 0);
    e2e::WaitFor([&] { return ::GetFileAttributesA((dir + "\\uninstall.exe").c_str()) == INVALID_FILE_ATTRIBUTES; },
                 60000);
    e2e::WaitFor([&] { return !KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey); }, 10000);
    const std::set<std::string> kept = {keyword, "登録タグ.pqt", "Assist\\mine.ast", "Plugins\\Gradation.ini"};
    EXPECT_EQ(FilesUnder(dir), kept);
    EXPECT_EQ(::GetFileAttributesA((StartMenuFolder() + "Pembroquil.lnk").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, e2e::kSettingsKey));
    ::CoUninitialize();
}

}  // namespace
