// The registered tag pane in the real program: the samples of a first start;
// tags run from the pane, the menu bar, a key and a drag onto the editor;
// new, rename, delete and move with a key following its tag; export and
// import back; the store written at exit and at the end of the session; the
// colour picker sample.
#include <gtest/gtest.h>

#include "e2e/E2E.h"
#include "e2e/RemoteTree.h"
#include "resources/resource.h"

#include <commctrl.h>

namespace {

class TagsE2E : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(e2e::ResetSettings()); }
};

HWND TagTree(const e2e::Program& app) {
    HWND tree = app.FindChild("SysTreeView32");
    return tree && ::GetDlgCtrlID(tree) == 4005 ? tree : nullptr;
}

LRESULT TextLength(HWND editor) { return ::SendMessageA(editor, 0x419, 0, 0); }

// Ctrl+Q bound to the tag with this command id, as the key table is stored.
bool BindCtrlQ(unsigned id) {
    const char entry[6] = {0x0B, 0x00, 'Q', 0x00, static_cast<char>(id & 0xFF), static_cast<char>(id >> 8)};
    return e2e::WriteSettingInt("AcceleratorKey", "Count", 1) &&
           e2e::WriteSettingBinary("AcceleratorKey", "acl0", std::string(entry, sizeof entry));
}
unsigned CtrlQCommand() {
    std::string bytes;
    if (!e2e::ReadSettingBinary("AcceleratorKey", "acl0", &bytes) || bytes.size() != 6) return 0;
    return static_cast<unsigned char>(bytes[4]) | static_cast<unsigned char>(bytes[5]) << 8;
}

// The pane's tree with its items looked up by the start of their labels.
class TagTreeOf : public e2e::RemoteTree {
public:
    explicit TagTreeOf(const e2e::Program& app) : e2e::RemoteTree(app, 4005) {}
    HTREEITEM File(int index) const {
        HTREEITEM item = Next(nullptr, TVGN_ROOT);
        while (item && index-- > 0) item = Next(item, TVGN_NEXT);
        return item;
    }
    HTREEITEM Tag(HTREEITEM file, const std::string& prefix) const {
        for (HTREEITEM c = Next(file, TVGN_CHILD); c; c = Next(c, TVGN_NEXT))
            if (Text(c).rfind(prefix, 0) == 0) return c;
        return nullptr;
    }
    int Count(HTREEITEM parent) const {
        int n = 0;
        for (HTREEITEM c = Next(parent, parent ? TVGN_CHILD : TVGN_ROOT); c; c = Next(c, TVGN_NEXT)) ++n;
        return n;
    }
    void Expand(HTREEITEM item) const {
        ::SendMessageA(Window(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    }
    bool At(HTREEITEM item, POINT* pt) const { return item && Centre(item, pt); }
};

std::string Xy(POINT p) { return std::to_string(p.x) + " " + std::to_string(p.y); }

bool Click(POINT pt, int button = 1, int count = 1) {
    return e2e::RunHostProgram("xdotool mousemove " + Xy(pt) + " sleep 0.3 click --repeat " + std::to_string(count) +
                               " --delay 80 " + std::to_string(button)) == 0;
}

// Presses the left button at `from`, moves in steps to `to` and lets go.
bool Drag(POINT from, POINT to) {
    const POINT start = {from.x + 10, from.y + 6}, past = {to.x + 2, to.y + 1};
    return e2e::RunHostProgram("xdotool mousemove " + Xy(from) + " sleep 0.3 mousedown 1 sleep 0.3 mousemove " +
                               Xy(start) + " sleep 0.4 mousemove " + Xy(to) + " sleep 0.5 mousemove " + Xy(past) +
                               " sleep 0.5 mouseup 1 sleep 0.3") == 0;
}

// A point in the editor's text area, on the screen.
POINT InEditor(HWND editor) {
    RECT rc = {};
    ::GetClientRect(editor, &rc);
    POINT pt = {rc.right / 2, rc.bottom / 2};
    ::ClientToScreen(editor, &pt);
    return pt;
}

// The dialog of the program with this title, waited for.
HWND WaitDialog(const e2e::Program& app, const std::string& title) {
    HWND found = nullptr;
    e2e::WaitFor([&] {
        HWND h = e2e::FindProcessWindow(app.ProcessId(), "#32770");
        if (h && ::IsWindowVisible(h) && e2e::WindowText(h) == title) found = h;
        return found != nullptr;
    });
    return found;
}

// Fills the name box of a file dialog and presses its OK button.
bool ChooseFile(HWND dialog, const std::string& path) {
    bool set = false;
    for (int id : {1148, 1152}) {
        if (HWND box = ::GetDlgItem(dialog, id)) {
            ::SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
            set = true;
        }
    }
    return set && e2e::PressDialogButton(dialog, IDOK);
}

void CloseUnsaved(e2e::Program& app) {
    ::PostMessageA(app.MainWindow(), WM_CLOSE, 0, 0);
    if (HWND box = app.WaitMessageBox(8000)) e2e::PressDialogButton(box, IDNO);
    EXPECT_EQ(app.WaitExit(20000), 0);
}

// Opens the pane's context menu on an item and picks a command by its key.
bool PaneMenu(const TagTreeOf& tree, HTREEITEM item, const std::string& key) {
    POINT pt;
    return tree.At(item, &pt) && Click(pt, 3) && e2e::RunHostProgram("xdotool sleep 0.5 key --delay 150 " + key) == 0;
}

}  // namespace

TEST_F(TagsE2E, FirstStartShowsTheSamplesRunsATagAndKeepsTheStore) {
    e2e::Program app;
    ASSERT_TRUE(app.Start());
    HWND tree = TagTree(app);
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(::SendMessageA(tree, TVM_GETCOUNT, 0, 0), 10);  // three files, seven tags
    HWND editor = app.ShownEditor();
    ASSERT_NE(editor, nullptr);
    const LRESULT before = TextLength(editor);
    ::PostMessageA(app.MainWindow(), WM_COMMAND, 10002, 0);  // "改行" from the 登録タグ menu
    EXPECT_TRUE(e2e::WaitFor([&] { return TextLength(editor) == before + 6; }));
    EXPECT_TRUE(app.Screenshot("tags-pane"));
    ::PostMessageA(app.MainWindow(), WM_COMMAND, ID_EDIT_UNDO, 0);
    EXPECT_TRUE(e2e::WaitFor([&] { return TextLength(editor) == before; }));
    EXPECT_EQ(app.Close(), 0);

    DWORD count = 0;
    ASSERT_TRUE(e2e::ReadSettingInt("RegistTag", "Count", &count));
    EXPECT_EQ(count, 3u);
    std::string name;
    ASSERT_TRUE(e2e::ReadSettingString("RegistTag\\File2", "File1", &name));
    EXPECT_EQ(name, "Gradation.pqi");

    // The stored store is what the next start shows and writes back.
    ASSERT_TRUE(e2e::WriteSettingString("RegistTag\\File0", "Name", "自作"));
    ASSERT_TRUE(e2e::WriteSettingInt("RegistTag\\File0", "Count", 1));
    ASSERT_TRUE(app.Start());
    ASSERT_NE(TagTree(app), nullptr);
    EXPECT_EQ(::SendMessageA(TagTree(app), TVM_GETCOUNT, 0, 0), 8);
    EXPECT_EQ(app.Close(), 0);
    ASSERT_TRUE(e2e::ReadSettingString("RegistTag\\File0", "Name", &name));
    EXPECT_EQ(name, "自作");
}

TEST_F(TagsE2E, TheStoreIsWrittenWhenTheSessionEnds) {
    e2e::Program app;
    ASSERT_TRUE(app.Start());
    EXPECT_TRUE(::SendMessageA(app.MainWindow(), WM_QUERYENDSESSION, 0, 0));
    ::SendMessageA(app.MainWindow(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(app.WaitExit(20000), 0);
    DWORD count = 0;
    ASSERT_TRUE(e2e::ReadSettingInt("RegistTag", "Count", &count));
    EXPECT_EQ(count, 3u);
}

TEST_F(TagsE2E, TagsRunFromThePaneTheMenuBarAKeyAndADropOnTheEditor) {
    ASSERT_TRUE(BindCtrlQ(10002));  // "改行": "<br>" and a line end, 6 bytes
    e2e::Program app;
    ASSERT_TRUE(app.Start());
    TagTreeOf tree(app);
    ASSERT_TRUE(tree.Ready());
    HWND editor = app.ShownEditor();
    ASSERT_NE(editor, nullptr);
    tree.Expand(tree.File(0));
    HTREEITEM brk = tree.Tag(tree.File(0), "改行");
    ASSERT_NE(brk, nullptr);
    EXPECT_NE(tree.Text(brk), "改行");  // shown with its key
    LRESULT length = TextLength(editor);
    POINT item;
    ASSERT_TRUE(tree.At(brk, &item));

    // A double click in the pane.
    ASSERT_TRUE(Click(item, 1, 2));
    EXPECT_TRUE(e2e::WaitFor([&] { return TextLength(editor) == length + 6; })) << "double click";
    length = TextLength(editor);
    // The menu bar: 登録タグ, the first file, its third tag.
    ASSERT_TRUE(app.Key("alt"));
    ASSERT_TRUE(app.Key("r a c"));
    EXPECT_TRUE(e2e::WaitFor([&] { return TextLength(editor) == length + 6; })) << "menu";
    length = TextLength(editor);
    // The key, in the editor.
    ASSERT_TRUE(Click(InEditor(editor)));
    ASSERT_TRUE(app.Key("ctrl+q"));
    EXPECT_TRUE(e2e::WaitFor([&] { return TextLength(editor) == length + 6; })) << "key";
    length = TextLength(editor);
    // Dragged from the pane onto the editor.
    ASSERT_TRUE(Drag(item, InEditor(editor)));
    EXPECT_TRUE(e2e::WaitFor([&] { return TextLength(editor) == length + 6; })) << "drop";
    EXPECT_TRUE(app.Screenshot("tags-runs"));
    CloseUnsaved(app);
}

TEST_F(TagsE2E, PaneEditsAndAKeyFollowingItsTagSurviveExportImportRestartAndLogOff) {
    ASSERT_TRUE(BindCtrlQ(10002));
    const std::string exported = e2e::WorkDir() + "\\tags-e2e.pqt";
    ::CreateDirectoryA(e2e::WorkDir().c_str(), nullptr);
    ::DeleteFileA(exported.c_str());
    e2e::Program app;
    ASSERT_TRUE(app.Start());
    TagTreeOf tree(app);
    ASSERT_TRUE(tree.Ready());
    HWND editor = app.ShownEditor();
    ASSERT_NE(editor, nullptr);
    tree.Expand(tree.File(0));

    // "改行" dragged onto the third file goes to its end; Ctrl+Q follows it.
    POINT from, to;
    ASSERT_TRUE(tree.At(tree.Tag(tree.File(0), "改行"), &from));
    ASSERT_TRUE(tree.At(tree.File(2), &to));
    ASSERT_TRUE(Drag(from, to));
    EXPECT_TRUE(e2e::WaitFor([&] { return tree.Count(tree.File(2)) == 3; })) << "moved";
    EXPECT_EQ(tree.Count(tree.File(0)), 2);
    const LRESULT length = TextLength(editor);
    ASSERT_TRUE(Click(InEditor(editor)));
    ASSERT_TRUE(app.Key("ctrl+q"));
    EXPECT_TRUE(e2e::WaitFor([&] { return TextLength(editor) == length + 6; })) << "the key runs the moved tag";
    ::SendMessageA(editor, WM_UNDO, 0, 0);

    // Renamed by label editing.
    HTREEITEM first = tree.Tag(tree.File(0), "基本構造");
    ASSERT_NE(first, nullptr);
    HWND edit = reinterpret_cast<HWND>(::SendMessageA(tree.Window(), TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(first)));
    ASSERT_NE(edit, nullptr);
    ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("骨組み"));
    ::SendMessageA(tree.Window(), TVM_ENDEDITLABELNOW, FALSE, 0);
    EXPECT_TRUE(e2e::WaitFor([&] { return tree.Tag(tree.File(0), "骨組み") != nullptr; })) << "renamed";
    // Deleted with the Delete key.
    POINT js;
    ASSERT_TRUE(tree.At(tree.Tag(tree.File(0), "ジャバスクリプト"), &js));
    ASSERT_TRUE(Click(js));
    ASSERT_TRUE(e2e::RunHostProgram("xdotool key Delete") == 0);
    EXPECT_TRUE(e2e::WaitFor([&] { return tree.Count(tree.File(0)) == 1; })) << "deleted";
    // A new file from the context menu, named in its properties.
    ASSERT_TRUE(PaneMenu(tree, tree.File(0), "f"));
    HWND props = WaitDialog(app, "ファイルプロパティ");
    ASSERT_NE(props, nullptr);
    ::SendMessageA(::GetDlgItem(props, 1203), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("自作"));
    e2e::PressDialogButton(props, IDOK);
    EXPECT_TRUE(e2e::WaitFor([&] { return tree.Text(tree.File(3)) == "自作"; })) << "new file";

    // Exported, then imported back: the four files come again after them.
    ASSERT_TRUE(PaneMenu(tree, tree.File(0), "e"));
    HWND save = app.WaitMessageBox(8000);
    ASSERT_NE(save, nullptr);
    ASSERT_TRUE(ChooseFile(save, exported));
    EXPECT_TRUE(e2e::WaitFor([&] { return ::GetFileAttributesA(exported.c_str()) != INVALID_FILE_ATTRIBUTES; }));
    app.WaitIdle();
    // インポート shares its access key with 挿入: reached from the menu's end.
    ASSERT_TRUE(PaneMenu(tree, tree.File(0), "Up Up Up Return"));
    HWND open = app.WaitMessageBox(8000);
    ASSERT_NE(open, nullptr);
    ASSERT_TRUE(ChooseFile(open, exported));
    EXPECT_TRUE(e2e::WaitFor([&] { return tree.Count(nullptr) == 8; })) << "imported";
    EXPECT_EQ(tree.Text(tree.File(7)), "自作");
    EXPECT_TRUE(app.Screenshot("tags-pane-edited"));
    CloseUnsaved(app);

    // The store as left, and the key on the moved tag's new id.
    DWORD count = 0;
    ASSERT_TRUE(e2e::ReadSettingInt("RegistTag", "Count", &count));
    EXPECT_EQ(count, 8u);
    EXPECT_EQ(CtrlQCommand(), 10202u);
    std::string name;
    ASSERT_TRUE(e2e::ReadSettingString("RegistTag\\File0", "Name0", &name));
    EXPECT_EQ(name, "骨組み");

    // After a restart, then the end of the session, it is all still there.
    ASSERT_TRUE(app.Start());
    TagTreeOf again(app);
    ASSERT_TRUE(again.Ready());
    EXPECT_EQ(again.Count(nullptr), 8);
    EXPECT_EQ(again.Count(again.File(2)), 3);
    EXPECT_TRUE(::SendMessageA(app.MainWindow(), WM_QUERYENDSESSION, 0, 0));
    ::SendMessageA(app.MainWindow(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(app.WaitExit(20000), 0);
    ASSERT_TRUE(e2e::ReadSettingInt("RegistTag", "Count", &count));
    EXPECT_EQ(count, 8u);
    EXPECT_EQ(CtrlQCommand(), 10202u);
}

TEST_F(TagsE2E, TheColourPickerSampleRuns) {
    e2e::Program app;
    ASSERT_TRUE(app.Start());
    ::PostMessageA(app.MainWindow(), WM_COMMAND, 10200, 0);  // the third file's first tag
    // The picker's own window, not the program's message that the module is missing.
    HWND picker = app.WaitMessageBox(10000);
    ASSERT_NE(picker, nullptr);
    EXPECT_NE(e2e::WindowText(picker), "Pembroquil") << e2e::MessageBoxText(picker);
    EXPECT_TRUE(app.Screenshot("tags-colour-picker"));
    e2e::PressDialogButton(picker, IDCANCEL);
    EXPECT_TRUE(e2e::WaitFor([&] { return !::IsWindow(picker) || !::IsWindowVisible(picker); }));
    EXPECT_EQ(app.Close(), 0);
}

namespace {

TEST_F(TagsE2E, AnInteractiveTagDroppedOnTheEditorAsksForItsAttributesThere) {
    ::CreateDirectoryA(e2e::WorkDir().c_str(), nullptr);
    const std::string page = e2e::WorkDir() + "\\drop.html";
    std::string lines;
    for (int i = 0; i < 80; ++i) lines += "0123456789\r\n";
    ASSERT_TRUE(e2e::WriteFileBytes(page, lines));
    e2e::Program app;
    ASSERT_TRUE(app.Start("\"" + page + "\""));
    TagTreeOf tree(app);
    ASSERT_TRUE(tree.Ready());
    HWND editor = app.ShownEditor();
    ASSERT_NE(editor, nullptr);
    tree.Expand(tree.File(1));
    HTREEITEM font = tree.Tag(tree.File(1), "<font>タグ");
    ASSERT_NE(font, nullptr);
    POINT item;
    ASSERT_TRUE(tree.At(font, &item));
    const LRESULT length = TextLength(editor);
    ASSERT_TRUE(Drag(item, InEditor(editor)));
    HWND dialog = WaitDialog(app, "<font>の挿入");
    ASSERT_NE(dialog, nullptr);
    // The caret waits at the drop point, down in the text, while it asks.
    EXPECT_NE(app.StatusText(1), "1行、1列");
    EXPECT_NE(app.StatusText(1).find("行、"), std::string::npos) << app.StatusText(1);
    EXPECT_TRUE(app.Screenshot("tags-interactive-drop"));
    // Cancel inserts nothing.
    ASSERT_TRUE(e2e::PressDialogButton(dialog, IDCANCEL));
    EXPECT_TRUE(e2e::WaitFor([&] { return !::IsWindow(dialog); }));
    EXPECT_EQ(TextLength(editor), length);
    EXPECT_EQ(app.Close(), 0);
}

}  // namespace
