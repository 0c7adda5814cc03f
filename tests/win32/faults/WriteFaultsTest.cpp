// Every way the program writes a file, on a disk that fails: each kind of
// call in turn (the first, the second, ... open, write, flush, close,
// replace, delete, new folder, and the reads a backup makes), and a write
// that stops after every possible number of bytes. Each time the folder
// holds exactly its old files byte for byte (no temporary file is left) or,
// when the write reports success, the new bytes; the user is told; and the
// document, dialog or store still holds what was not saved.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <memory>

#include "config/core/SettingsStore.h"
#include "config/win/CommandManager.h"
#include "documents/win/DocTabWnd.h"
#include "e2e/E2E.h"
#include "framework/win/FileDialog.h"
#include "resources/resource.h"
#include "shell/win/CanvasPage.h"
#include "support/FaultyFileSystem.h"
#include "support/RecordingMessageBoxes.h"
#include "tags/win/RegistTagTree.h"
#include "tests/win32/plugins/PluginTestHost.h"
#include "win32/support/TestHostWindow.h"

namespace {

using Files = std::map<std::string, std::string>;

// The files of a folder (not its sub-folders) with their bytes.
Files Snapshot(const std::string& folder) {
    Files files;
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return files;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        std::string bytes;
        e2e::ReadFileBytes(folder + "\\" + found.cFileName, &bytes);
        files[found.cFileName] = bytes;
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
    return files;
}

void EmptyFolder(const std::string& folder) {
    ::CreateDirectoryA(e2e::WorkDir().c_str(), nullptr);
    ::CreateDirectoryA(folder.c_str(), nullptr);
    for (const auto& f : Snapshot(folder)) {
        const std::string path = folder + "\\" + f.first;
        ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(path.c_str());
    }
}

// One way the program writes a file.
struct WriteCase {
    std::string name;
    std::string folder;                                    // where it writes
    std::function<void()> prepare;                         // the files and the unsaved change
    std::function<bool()> write;                           // true when it says it wrote
    std::function<void(bool ok, const Files& after, Files* expected)> changes;  // what a write may change
    std::function<bool(bool ok)> holds;                    // the document or store afterwards
    std::string messageHead;                               // how every message of a failure starts
};

class FaultWalk {
public:
    explicit FaultWalk(RecordingMessageBoxes& boxes) : m_boxes(boxes) {}

    // Fails each step of each kind in turn, then the disk fills after
    // every byte count of a small write (a few counts of a larger one);
    // returns how many runs met a fault.
    int Walk(const WriteCase& c) {
        FaultyFileSystem clean;
        EXPECT_FALSE(Run(c, clean, c.name + " without a fault"));
        m_baseline = m_boxes.texts.size();
        int faults = 0;
        for (int step = 0; step < FaultyFileSystem::kSteps; ++step) {
            for (int at = 0; at < 40; ++at) {
                FaultyFileSystem fs;
                fs.failStep = step;
                fs.failAt = at;
                if (!Run(c, fs, c.name + ": " + FaultyFileSystem::Name(step) + " #" + std::to_string(at))) break;
                ++faults;
            }
        }
        const long long total = clean.bytesWritten;
        std::vector<long long> limits = {0, 1, total / 2, total - 1};
        if (total <= 32) {
            limits.clear();
            for (long long n = 0; n < total; ++n) limits.push_back(n);
        }
        for (long long limit : limits) {
            FaultyFileSystem fs;
            fs.byteLimit = limit;
            EXPECT_TRUE(Run(c, fs, c.name + ": disk full after " + std::to_string(limit) + " bytes"));
            EXPECT_FALSE(m_lastOk) << c.name << " " << limit;
            ++faults;
        }
        return faults;
    }

private:
    // One write; false when the fault was never reached.
    bool Run(const WriteCase& c, FaultyFileSystem& fs, const std::string& label) {
        m_boxes.answers.clear();
        c.prepare();
        m_boxes.texts.clear();
        const Files before = Snapshot(c.folder);
        bool ok = false;
        {
            ScopedFileSystem use(&fs);
            ok = c.write();
        }
        m_lastOk = ok;
        const Files after = Snapshot(c.folder);
        Files expected = before;
        c.changes(ok, after, &expected);
        EXPECT_EQ(after, expected) << label;
        EXPECT_TRUE(c.holds(ok)) << label;
        if (!fs.fired) {
            EXPECT_TRUE(ok) << label;
            return false;
        }
        EXPECT_GT(m_boxes.texts.size(), m_baseline) << label;
        for (std::size_t i = m_baseline; i < m_boxes.texts.size(); ++i)
            EXPECT_EQ(m_boxes.texts[i].rfind(c.messageHead, 0), 0u) << label << ": " << m_boxes.texts[i];
        return true;
    }

    RecordingMessageBoxes& m_boxes;
    std::size_t m_baseline = 0;
    bool m_lastOk = false;
};

struct NoHost : IDocTabHost {
    void DocumentShown(const std::string&, const std::string&, int, int) override {}
    void TitleChanged(const std::string&) override {}
};

struct Dialogs : IFileDialogService {
    std::deque<std::string> paths;
    INT_PTR Run(CFileDialog& dialog) override {
        if (paths.empty()) return IDCANCEL;
        dialog.SetResult(paths.front(), false);
        paths.pop_front();
        return IDOK;
    }
};

class DocumentWritesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::OleInitialize(nullptr);
        oldBoxes = SetMessageBoxService(&boxes);
        oldDialogs = SetFileDialogService(&dialogs);
        ASSERT_TRUE(host.Create("PqWriteFaultsHost"));
        ASSERT_TRUE(docs.CreateDocWindow(host.m_hWnd, &noHost));
        docs.MoveWindow(0, 0, 600, 380);
    }
    void TearDown() override {
        if (docs.m_hWnd) docs.DestroyWindow();
        if (host.m_hWnd) host.DestroyWindow();
        SetMessageBoxService(oldBoxes);
        SetFileDialogService(oldDialogs);
        ::OleUninitialize();
    }
    // A fresh folder and window with `name` (if any) open and `typed` typed.
    void Fresh(const std::string& folder, const Files& files, const std::string& open, const std::string& typed) {
        while (docs.TabCount() > 1) docs.CloseTab(1, false);
        docs.CloseTab(0, false);
        EmptyFolder(folder);
        for (const auto& f : files) e2e::WriteFileBytes(folder + "\\" + f.first, f.second);
        if (!open.empty()) ASSERT_EQ(docs.OpenDocFile(folder + "\\" + open, false, false), 1);
        docs.GetEditor(-1)->Model().ReplaceSelection(typed, true);
    }
    std::string Text() {
        std::string text;
        docs.GetEditor(-1)->Model().GetText(text);
        return text;
    }
    bool Modified() { return docs.GetEditor(-1)->Ops().IsModified(); }
    // The document keeps its text; it is unmodified only when it was saved.
    std::function<bool(bool)> Keeps(const std::string& text) {
        return [this, text](bool ok) { return Text() == text && Modified() == !ok; };
    }

    RecordingMessageBoxes boxes;
    Dialogs dialogs;
    IMessageBoxService* oldBoxes = nullptr;
    IFileDialogService* oldDialogs = nullptr;
    CTestHostWindow host;
    NoHost noHost;
    CDocTabWnd docs;
};

// A write that puts `bytes` in the file `name` when it succeeds.
std::function<void(bool, const Files&, Files*)> Puts(const std::string& name, const std::string& bytes) {
    return [name, bytes](bool ok, const Files&, Files* expected) {
        if (ok) (*expected)[name] = bytes;
    };
}

}  // namespace

TEST_F(DocumentWritesTest, SavesBackupsAndFileListsSurviveEveryFault) {
    const std::string root = e2e::WorkDir() + "\\faults-";
    const Files original = {{"a.html", "old\r\n"}};
    docs::FileSettings plain = docs.FileSettings();
    plain.backup = 0;
    docs::FileSettings backup = plain;
    backup.backup = 1;
    backup.backupDirPoint = 0;

    std::vector<WriteCase> cases;
    {
        const std::string f = root + "save";
        cases.push_back({"save", f, [=] { docs.SetFileSettings(plain), Fresh(f, original, "a.html", "new "); },
                         [this] { return docs.SaveDoc(-1, true) == 1; }, Puts("a.html", "new old\r\n"),
                         Keeps("new old\r\n"), f + "\\a.html"});
    }
    {
        // The backup is whole or not made; a failed backup is told and the save goes on.
        const std::string f = root + "backup";
        cases.push_back({"save with a backup", f,
                         [=] {
                             docs.SetFileSettings(backup);
                             Fresh(f, {{"a.html", "old\r\n"}, {"a.html.bak", "older"}}, "a.html", "new ");
                         },
                         [this] { return docs.SaveDoc(-1, true) == 1; },
                         [](bool ok, const Files& after, Files* expected) {
                             if (ok) (*expected)["a.html"] = "new old\r\n";
                             if (after.count("a.html.bak") && after.at("a.html.bak") == "old\r\n")
                                 (*expected)["a.html.bak"] = "old\r\n";
                         },
                         Keeps("new old\r\n"), f + "\\a.html"});
    }
    {
        const std::string f = root + "saveas";
        cases.push_back({"save as a new file", f,
                         [=] {
                             docs.SetFileSettings(plain);
                             Fresh(f, {}, "", "表new");
                             dialogs.paths = {f + "\\b.html"};
                         },
                         [this] { return docs.SaveDoc(-1, false) == 1; }, Puts("b.html", "表new"), Keeps("表new"),
                         f + "\\b.html"});
    }
    {
        const std::string f = root + "saveover";
        cases.push_back({"save as over another file", f,
                         [=] {
                             docs.SetFileSettings(plain);
                             Fresh(f, {{"a.html", "a"}, {"b.html", "old"}}, "a.html", "new ");
                             dialogs.paths = {f + "\\b.html"};
                             boxes.answers = {IDYES};
                         },
                         [this] { return docs.SaveDoc(-1, false) == 1; }, Puts("b.html", "new a"), Keeps("new a"),
                         f + "\\b.html"});
    }
    {
        const std::string f = root + "list";
        cases.push_back({"file list", f,
                         [=] {
                             docs.SetFileSettings(plain);
                             Fresh(f, {{"a.html", "a"}, {"l.pql", "# filelist for Pembroquil"}}, "a.html", "");
                             dialogs.paths = {f + "\\l.pql"};
                         },
                         [this] { return docs.SaveFileList() == 1; },
                         [this](bool ok, const Files&, Files* expected) {
                             if (ok) (*expected)["l.pql"] = "# filelist for Pembroquil\r\n0" + docs.GetPath(0);
                         },
                         [](bool) { return true; }, f + "\\l.pql"});
    }
    {
        // The temporary file of a preview, in a folder of its own that is made first.
        const std::string f = root + "preview";
        const std::string temps = f + "\\temp";
        cases.push_back({"preview", temps,
                         [=] {
                             docs.DeleteTempFile();
                             docs.SetFileSettings(plain);
                             Fresh(f, {{"a.html", "old"}}, "a.html", "new ");
                             ::RemoveDirectoryA(temps.c_str());
                             preview::BrowserBlock b = docs.PreviewSettings().browsers;
                             b.method[preview::kInternalBrowser] = 2;
                             b.tempPoint = 1;
                             b.tempPath = temps;
                             docs.SetBrowserBlock(b);
                         },
                         [this] {
                             docs.OnPreview(ID_TOOL_INNER_BROWSER);
                             return docs.GetPreviewShown(-1) == 1;
                         },
                         [](bool ok, const Files& after, Files* expected) {
                             if (ok && after.size() == 1) (*expected)[after.begin()->first] = "new old";
                         },
                         [this](bool) { return Text() == "new old" && Modified(); }, preview::kTempCreateFailed});
    }
    for (const WriteCase& c : cases) {
        FaultWalk walk(boxes);
        EXPECT_GT(walk.Walk(c), 8) << c.name;
    }
}

TEST(WriteFaultsTest, KeywordFilesSurviveEveryFault) {
    RecordingMessageBoxes boxes;
    IMessageBoxService* old = SetMessageBoxService(&boxes);
    const std::string folder = e2e::WorkDir() + "\\faults-keyword";
    std::unique_ptr<CKeywordFileDlg> dlg;
    auto text = [&] {
        char buffer[64] = {};
        ::GetDlgItemTextA(dlg->m_hWnd, IDC_KWD_TEXT, buffer, sizeof buffer);
        return std::string(buffer);
    };
    WriteCase c{"keyword file", folder,
                [&] {
                    if (dlg && dlg->m_hWnd) ::DestroyWindow(dlg->m_hWnd);
                    EmptyFolder(folder);
                    e2e::WriteFileBytes(folder + "\\emph.kwd", "old\r\n");
                    dlg = std::make_unique<CKeywordFileDlg>(nullptr, folder + "\\", "emph.kwd");
                    ASSERT_TRUE(dlg->CreateModeless());
                    ::SetDlgItemTextA(dlg->m_hWnd, IDC_KWD_TEXT, "表\r\nnew");
                },
                [&] {
                    dlg->OnOK();
                    return !dlg->FileName().empty();
                },
                Puts("emph.kwd", "表\r\nnew"),
                // A failure keeps the dialog open with its text.
                [&](bool ok) { return ok ? !::IsWindow(dlg->m_hWnd) : text() == "表\r\nnew"; },
                "キーワードファイルの作成/保存に失敗しました。"};
    EXPECT_GT(FaultWalk(boxes).Walk(c), 5);
    if (dlg && dlg->m_hWnd) ::DestroyWindow(dlg->m_hWnd);
    SetMessageBoxService(old);
}

namespace {

struct PaneHost : tagswin::ITagPaneHost {
    plugintest::CHostFrame frame;
    CommandManager commands;
    CCanvasEdit* ActiveEditor() override { return &frame.editors[0]; }
    HWND FrameWindow() override { return frame.m_hWnd; }
    CommandManager* KeyCommands() override { return &commands; }
    void ShowPrompt(const std::string&) override {}
    void OpenKeySettings() override {}
    void FocusDocument() override {}
};

}  // namespace

TEST(WriteFaultsTest, TagExportSurvivesEveryFault) {
    settings::MemorySettingsBackend mem;
    settings::SettingsStore store{mem};
    settings::SetCurrent(&store);
    RecordingMessageBoxes boxes;
    IMessageBoxService* old = SetMessageBoxService(&boxes);
    PaneHost host;
    tagswin::CRegistTagTree pane;
    ASSERT_TRUE(host.frame.Create());
    host.commands.BuildMenus();
    ASSERT_TRUE(pane.Create(host.frame.m_hWnd, &host));
    // The store stays as it is whatever the export does.
    const std::string exported = pane.Store().ExportText();
    const std::size_t count = pane.Store().Files().size();
    const std::string folder = e2e::WorkDir() + "\\faults-tags";
    WriteCase c{"tag export", folder,
                [&] {
                    EmptyFolder(folder);
                    e2e::WriteFileBytes(folder + "\\t.pqt", "old");
                },
                [&] { return pane.ExportTo(folder + "\\t.pqt"); }, Puts("t.pqt", exported),
                [&](bool) { return pane.Store().Files().size() == count && pane.Store().ExportText() == exported; },
                folder + "\\t.pqt"};
    EXPECT_GT(FaultWalk(boxes).Walk(c), 5);
    pane.DestroyWindow();
    host.frame.Destroy();
    SetMessageBoxService(old);
    settings::SetCurrent(nullptr);
}
