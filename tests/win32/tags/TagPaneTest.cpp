// The registered tag pane and the properties dialogs: the tree of the
// store, runs, new files and tags, limits, delete, rename, moves with their
// keys, key display, import and export, and the dialogs' fields and results.
#include <gtest/gtest.h>

#include "config/core/SettingsStore.h"
#include "config/win/CommandManager.h"
#include "resources/resource.h"
#include "support/RecordingMessageBoxes.h"
#include "tags/win/RegistTagTree.h"
#include "tags/win/TagDialogs.h"
#include "tests/win32/plugins/PluginTestHost.h"

#include <commctrl.h>
#include <ole2.h>

namespace {

using plugintest::CScript;
using plugintest::FindDialog;

struct PaneHost : tagswin::ITagPaneHost {
    plugintest::CHostFrame frame;
    CommandManager commands;
    std::string prompt;
    int keySettings = 0;
    CCanvasEdit* ActiveEditor() override { return &frame.editors[0]; }
    HWND FrameWindow() override { return frame.m_hWnd; }
    CommandManager* KeyCommands() override { return &commands; }
    void ShowPrompt(const std::string& text) override { prompt = text; }
    void OpenKeySettings() override { ++keySettings; }
    void FocusDocument() override {}
};

class TagPaneTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings::SetCurrent(&store);
        old = SetMessageBoxService(&boxes);
        ASSERT_TRUE(host.frame.Create());
        host.commands.BuildMenus();
        ASSERT_TRUE(pane.Create(host.frame.m_hWnd, &host));
    }
    void TearDown() override {
        pane.DestroyWindow();
        host.frame.Destroy();
        SetMessageBoxService(old);
        settings::SetCurrent(nullptr);
    }
    int TopCount() {
        int n = 0;
        for (HTREEITEM i = TreeView_GetRoot(pane.Tree()); i; i = TreeView_GetNextSibling(pane.Tree(), i)) ++n;
        return n;
    }
    // Runs a command that opens a modal dialog, pressing `button` in it.
    void RunWithDialog(UINT command, const char* title, int button, std::function<void(HWND)> fill = nullptr) {
        HWND dlg = nullptr;
        CScript script({[&] { return (dlg = FindDialog(title)) != nullptr; },
                        [&] {
                            if (fill) fill(dlg);
                            ::SendMessageA(dlg, WM_COMMAND, static_cast<WPARAM>(button), 0);
                            return true;
                        }});
        pane.RunPaneCommand(command);
        EXPECT_TRUE(script.Done()) << title;
    }

    settings::MemorySettingsBackend mem;
    settings::SettingsStore store{mem};
    RecordingMessageBoxes boxes;
    IMessageBoxService* old = nullptr;
    PaneHost host;
    tagswin::CRegistTagTree pane;
};

}  // namespace

TEST_F(TagPaneTest, ShowsTheSamplesAndRunsTagsByIdAndKey) {
    EXPECT_EQ(TopCount(), 3);
    EXPECT_EQ(pane.ItemLabel(0, -1), "簡易タグサンプル");
    EXPECT_EQ(pane.ItemLabel(2, 1), "グラデーション");
    EXPECT_EQ(::GetDlgCtrlID(pane.Tree()), 4005);
    host.frame.SetText(0, "x");
    host.frame.editors[0].Model().SetSelectionOffsets(1, 1);
    EXPECT_TRUE(pane.RunTagCommand(10002, false));
    EXPECT_EQ(host.frame.Text(0), "x<br>\r\n");
    EXPECT_FALSE(pane.RunTagCommand(10099, false));
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_TRUE(pane.RunTagCommand(10099, true));
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], tagswin::CRegistTagTree::kShortcutMessage);
    // The menu bar's tag menu and the editor's menu.
    const auto menu = pane.TagMenu();
    ASSERT_EQ(menu.size(), 3u);
    EXPECT_EQ(menu[1].ids, (std::vector<unsigned>{10100, 10101}));
    EXPECT_EQ(pane.BuildTagMenu(), nullptr);  // no sample is in the right-click menu
    // Saved once, whole.
    pane.SaveStore();
    pane.Store().Files().clear();
    pane.SaveStore();
    EXPECT_EQ(store.ReadSettingInt("RegistTag", "Count", 0), 3);
}

// A pane made before its store is read (the frame reads it once shown)
// writes nothing back until it has read it, and lists it once.
TEST_F(TagPaneTest, AStoreNotReadYetIsNeverWrittenBack) {
    pane.Store().Files().resize(1);
    pane.SaveStore();
    ASSERT_EQ(store.ReadSettingInt("RegistTag", "Count", 0), 1);
    tagswin::CRegistTagTree later;
    ASSERT_TRUE(later.Create(host.frame.m_hWnd, &host, false));
    EXPECT_EQ(TreeView_GetCount(later.Tree()), 0u);
    later.SaveStore();  // the program ends before the store was read
    EXPECT_EQ(store.ReadSettingInt("RegistTag", "Count", 0), 1);
    later.LoadStore();
    later.LoadStore();
    EXPECT_EQ(later.Store().Files().size(), 1u);
    EXPECT_EQ(later.ItemLabel(0, -1), "簡易タグサンプル");
    later.DestroyWindow();
}

TEST_F(TagPaneTest, NewFilesAndTagsKeepTheLimits) {
    RunWithDialog(ID_TAG_NEW_FILE, "ファイルプロパティ", IDOK,
                  [](HWND d) { ::SetDlgItemTextA(d, IDC_TAG_FILE_NAME, "自作"); });
    ASSERT_EQ(pane.Store().Files().size(), 4u);
    EXPECT_EQ(pane.ItemLabel(3, -1), "自作");
    RunWithDialog(ID_TAG_NEW_SIMPLE, "簡易タグプロパティ", IDCANCEL);
    ASSERT_EQ(pane.Store().Files()[3].tags.size(), 1u);
    EXPECT_EQ(pane.ItemLabel(3, 0), "新しい簡易タグ");
    EXPECT_EQ(pane.Store().Files()[3].tags[0].commandId, 10300u);
    RunWithDialog(ID_TAG_NEW_PLUGIN, "プラグインプロパティ", IDOK);
    EXPECT_EQ(pane.Store().Files()[3].tags[1].kind, tags::kPluginKind);

    for (int i = 0; i < 98; ++i) pane.Store().Files()[3].tags.emplace_back();
    pane.Select(3, -1);
    pane.RunPaneCommand(ID_TAG_NEW_SIMPLE);
    while (pane.Store().Files().size() < 100) pane.Store().AddFile("f");
    pane.RunPaneCommand(ID_TAG_NEW_FILE);
    EXPECT_EQ(boxes.texts, (std::vector<std::string>{"このファイル内にこれ以上タグを作成することはできません",
                                                     "これ以上ファイルを作成することはできません"}));
    EXPECT_EQ(pane.Store().Files().size(), 100u);
}

TEST_F(TagPaneTest, DeleteAsksForFilesWithTagsAndKeysFollowMoves) {
    host.commands.InstallKeyTable({{0x09, 'B', 10000}, {0x09, 'C', 10001}});
    pane.RefreshLabels();
    const std::string key = "　[" + keys::BindingText({0x09, 'B', 10000}) + "]";
    EXPECT_EQ(pane.ItemLabel(0, 0), "基本構造" + key);
    pane.RunPaneCommand(ID_TAG_KEY_DISPLAY);
    EXPECT_EQ(pane.ItemLabel(0, 0), "基本構造");
    EXPECT_FALSE(pane.Store().keyDisplay);
    pane.RunPaneCommand(ID_TAG_KEY_DISPLAY);

    // The first tag of file 0 before the second tag of file 2: its key follows.
    ASSERT_TRUE(pane.MoveTag(0, 0, 2, 1));
    EXPECT_EQ(pane.ItemLabel(2, 1), "基本構造" + key);
    keys::KeyTable table = host.commands.CopyKeyTable();
    EXPECT_EQ(table[0].command, 10201);
    EXPECT_EQ(table[1].command, 10000);
    // Deleting a tag drops its key.
    pane.Select(2, 1);
    pane.RunPaneCommand(ID_TAG_DELETE);
    table = host.commands.CopyKeyTable();
    ASSERT_EQ(table.size(), 1u);

    // A file with tags: Cancel keeps it, OK deletes it.
    pane.Select(0, -1);
    pane.RunPaneCommand(ID_TAG_DELETE);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "'簡易タグサンプル' にはタグが登録されています。\n削除してもよろしいですか？");
    EXPECT_EQ(pane.Store().Files().size(), 3u);
    while (!pane.Store().Files().empty()) {
        boxes.answers.push_back(IDOK);
        pane.Select(0, -1);
        pane.RunPaneCommand(ID_TAG_DELETE);
    }
    EXPECT_EQ(TopCount(), 0);
    for (UINT id : {ID_TAG_INSERT, ID_TAG_NEW_SIMPLE, ID_TAG_NEW_INTERACTIVE, ID_TAG_NEW_PLUGIN, ID_TAG_DELETE,
                    ID_TAG_RENAME, ID_TAG_EXPORT, ID_TAG_PROPERTIES})
        EXPECT_FALSE(pane.IsPaneCommandEnabled(id)) << id;
    for (UINT id : {ID_TAG_NEW_FILE, ID_TAG_KEY_DISPLAY, ID_TAG_IMPORT}) EXPECT_TRUE(pane.IsPaneCommandEnabled(id)) << id;
}

TEST_F(TagPaneTest, RenameEditsTheNameWithoutItsKey) {
    host.commands.InstallKeyTable({{0x09, 'B', 10002}});
    pane.RefreshLabels();
    pane.Select(0, 2);
    ::SetFocus(pane.Tree());
    HWND edit = TreeView_EditLabel(pane.Tree(), TreeView_GetSelection(pane.Tree()));
    ASSERT_NE(edit, nullptr);
    char text[300] = {};
    ::GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "改行");
    EXPECT_EQ(::SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 127);
    ::SetWindowTextA(edit, "段落");
    TreeView_EndEditLabelNow(pane.Tree(), FALSE);
    EXPECT_EQ(pane.GetTagName(0, 2), "段落");
    EXPECT_EQ(pane.ItemLabel(0, 2), "段落　[" + keys::BindingText({0x09, 'B', 10002}) + "]");
}

TEST_F(TagPaneTest, ExportReplacesTheFileWholeAndImportAppends) {
    char temp[MAX_PATH];
    ::GetTempPathA(sizeof temp, temp);
    const std::string path = std::string(temp) + "pqtags" + std::to_string(::GetCurrentProcessId()) + ".pqt";
    ASSERT_TRUE(pane.ExportTo(path));
    pane.ImportFrom(path);
    EXPECT_EQ(TopCount(), 6);
    EXPECT_EQ(pane.ItemLabel(5, 1), "グラデーション");
    EXPECT_EQ(pane.Store().Files()[5].tags[1].commandId, 10501u);
    // A target that cannot be written keeps its old bytes.
    EXPECT_FALSE(pane.ExportTo(path + "\\sub"));
    ASSERT_EQ(boxes.texts.size(), 1u);
    pane.ImportFrom(path + ".missing");
    EXPECT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.texts[1].rfind(path + ".missing", 0), 0u);
    ::DeleteFileA(path.c_str());
}

namespace {

POINT CenterOf(HWND tree, void* item) {
    RECT rc = {};
    TreeView_EnsureVisible(tree, static_cast<HTREEITEM>(item));
    TreeView_GetItemRect(tree, static_cast<HTREEITEM>(item), &rc, TRUE);
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

}  // namespace

TEST_F(TagPaneTest, DragsInThePaneMoveItemsWithTheirKeysOrAreRefused) {
    HWND tree = pane.Tree();
    auto& files = pane.Store().Files();
    for (auto& f : files) TreeView_Expand(tree, static_cast<HTREEITEM>(f.treeItem), TVE_EXPAND);
    host.commands.InstallKeyTable({{0x09, 'B', 10000}});
    pane.RefreshLabels();
    // A tag over a tag of another file: highlighted, linked; a file over a tag: refused.
    EXPECT_EQ(pane.PaneDragOver({0, 0}, CenterOf(tree, files[1].tags[1].treeItem)), static_cast<DWORD>(DROPEFFECT_LINK));
    EXPECT_EQ(TreeView_GetDropHilight(tree), files[1].tags[1].treeItem);
    EXPECT_EQ(pane.PaneDragOver({2, -1}, CenterOf(tree, files[0].tags[1].treeItem)), static_cast<DWORD>(DROPEFFECT_NONE));
    for (void* item : {files[1].tags[1].treeItem, files[0].tags[1].treeItem})
        EXPECT_EQ(TreeView_GetItemState(tree, static_cast<HTREEITEM>(item), TVIS_DROPHILITED), 0u);
    pane.PaneDragLeave();

    // The first tag of file 0 dropped on the second tag of file 1: its key follows.
    const std::string moved = pane.GetTagName(0, 0);
    ASSERT_TRUE(pane.PaneDrop({0, 0}, CenterOf(tree, files[1].tags[1].treeItem)));
    EXPECT_EQ(pane.GetTagName(1, 1), moved);
    EXPECT_EQ(host.commands.CopyKeyTable()[0].command, 10101);
    int f = -1, t = -1;
    ASSERT_TRUE(pane.Selected(&f, &t));
    EXPECT_EQ(f * 100 + t, 101);
    // The last file dropped on the first goes before it.
    ASSERT_TRUE(pane.PaneDrop({2, -1}, CenterOf(tree, files[0].treeItem)));
    EXPECT_EQ(pane.ItemLabel(0, 1), "グラデーション");
    EXPECT_EQ(host.commands.CopyKeyTable()[0].command, 10201);
    // A file of 100 tags takes no tag from another file.
    while (files[0].tags.size() < 100) pane.Store().AddTag(0, tags::kSimpleKind);
    pane.RefreshLabels();
    EXPECT_FALSE(pane.PaneDrop({1, 0}, CenterOf(tree, files[0].treeItem)));
    EXPECT_EQ(files[0].tags.size(), 100u);
    EXPECT_EQ(files[1].tags.size(), 2u);

    // Near the bottom edge the tree scrolls down a line, near the top up.
    for (auto& file : files) file.expand = 1;
    pane.MoveTagFile(0, -1);  // rebuilds the items, the long file's too
    HTREEITEM first = TreeView_GetRoot(tree);
    TreeView_SelectSetFirstVisible(tree, first);
    RECT rc;
    ::GetClientRect(tree, &rc);
    pane.PaneDragOver({0, 0}, {10, rc.bottom - 2});
    EXPECT_NE(TreeView_GetFirstVisible(tree), first);
    pane.PaneDragOver({0, 0}, {10, 1});
    EXPECT_EQ(TreeView_GetFirstVisible(tree), first);
}

TEST_F(TagPaneTest, TagsDroppedOnTheEditorFinishTheirRunThere) {
    auto& files = pane.Store().Files();
    const int added = pane.Store().AddTag(0, tags::kSimpleKind);
    auto& bold = static_cast<tags::SimpleTagData&>(*files[0].tags[static_cast<std::size_t>(added)].record);
    tags::SetField(bold.Begin, "<b>");
    tags::SetField(bold.End, "</b>");
    tags::SetField(bold.Option, "between");
    tags::SetField(static_cast<tags::PluginTagData&>(*files[2].tags[0].record).File, "none.pqi");
    pane.RefreshLabels();
    // Each kind's pointer, and it is in the program's resources.
    const struct {
        tags::PaneItem item;
        int cursor;
    } cursors[] = {{{0, -1}, 220}, {{0, 0}, 221}, {{0, 2}, 222}, {{1, 0}, 224}, {{2, 0}, 232}};
    for (const auto& c : cursors) {
        EXPECT_EQ(pane.DragCursorOf(c.item), c.cursor);
        EXPECT_NE(::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(c.cursor)), nullptr) << c.cursor;
    }

    CCanvasEdit& editor = host.frame.editors[0];
    IDropTarget* target = editor.DropTarget();
    ASSERT_NE(target, nullptr);
    POINT p = {250, 5};  // right of the text on the first line
    ::ClientToScreen(editor.m_hWnd, &p);
    const POINTL at = {p.x, p.y};
    struct {
        tags::PaneItem item;
        const char* text;
        long long caret;
        std::size_t messages;
    } const drops[] = {
        // The tag wraps nothing and the caret goes between its two halves.
        {{0, added}, "ab<b></b>", 5, 0},
        // A plug-in's text is empty: the caret goes to the drop point, then
        // the plug-in runs (here: its module is missing, so the message).
        {{2, 0}, "ab", 2, 1},
    };
    for (const auto& d : drops) {
        host.frame.SetText(0, "ab");
        boxes.texts.clear();
        IDataObject* data = pane.DragData(d.item);
        ASSERT_NE(data, nullptr);
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
        target->DragEnter(data, 0, at, &effect);
        EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
        effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
        target->Drop(data, 0, at, &effect);
        EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
        data->Release();
        pane.FinishDrag(d.item, effect);
        EXPECT_EQ(host.frame.Text(0), d.text);
        long long s = -1, e = -1;
        editor.Model().GetSelectionOffsets(&s, &e);
        EXPECT_EQ(s, d.caret);
        EXPECT_EQ(e, d.caret);
        EXPECT_EQ(boxes.texts.size(), d.messages);
    }
    // A file's drag holds no text, so the editor refuses it.
    IDataObject* none = pane.DragData({0, -1});
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    target->DragEnter(none, 0, at, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    target->DragLeave();
    none->Release();
}

TEST(TagDialogsTest, FieldsLimitsAndResults) {
    tags::SimpleTagData simple;
    tags::SetField(simple.Name, "太字");
    tags::SetField(simple.Option, "select");
    HWND seen = nullptr;
    {
        CScript script({[&] { return (seen = FindDialog("簡易タグプロパティ")) != nullptr; },
                        [&] {
                            HWND combo = ::GetDlgItem(seen, IDC_SIMPLE_OPTION);
                            EXPECT_EQ(::SendMessageA(combo, CB_GETCOUNT, 0, 0), 20);
                            EXPECT_EQ(plugintest::ListText(combo, 2), "+9");
                            EXPECT_EQ(plugintest::ListText(combo, 19), "-9");
                            EXPECT_EQ(plugintest::ItemText(seen, IDC_SIMPLE_OPTION), "select");
                            const struct { int id; LRESULT limit; } limits[] = {
                                {IDC_SIMPLE_NAME, 127}, {IDC_SIMPLE_BEGIN, 511}, {IDC_SIMPLE_END, 511},
                                {IDC_SIMPLE_COMMENT, 255}};
                            for (const auto& l : limits)
                                EXPECT_EQ(::SendDlgItemMessageA(seen, l.id, EM_GETLIMITTEXT, 0, 0), l.limit);
                            ::SetDlgItemTextA(seen, IDC_SIMPLE_BEGIN, "<b>");
                            ::CheckDlgButton(seen, IDC_SIMPLE_MENU, BST_CHECKED);
                            ::CheckDlgButton(seen, IDC_SIMPLE_KEYS, BST_CHECKED);
                            ::SendMessageA(seen, WM_COMMAND, IDOK, 0);
                            return true;
                        }});
        tagswin::CSimpleTagDlg dialog(simple, nullptr);
        EXPECT_EQ(dialog.DoModal(), 5);
    }
    EXPECT_STREQ(simple.Begin, "<b>");
    EXPECT_EQ(simple.bMenu, 1);
    {
        CScript script({[&] { return (seen = FindDialog("簡易タグプロパティ")) != nullptr; },
                        [&] {
                            ::SetDlgItemTextA(seen, IDC_SIMPLE_BEGIN, "<i>");
                            ::SendMessageA(seen, WM_COMMAND, IDCANCEL, 0);
                            return true;
                        }});
        tagswin::CSimpleTagDlg dialog(simple, nullptr);
        EXPECT_EQ(dialog.DoModal(), 2);
    }
    EXPECT_STREQ(simple.Begin, "<b>");

    // The plug-in list: the "*.pqi" files, no folder.
    const std::string folder = tagswin::PluginFolder() + "Folder.pqi";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    tags::PluginTagData plugin;
    tags::SetField(plugin.File, "typed.pqi");
    {
        CScript script({[&] { return (seen = FindDialog("プラグインプロパティ")) != nullptr; },
                        [&] {
                            HWND combo = ::GetDlgItem(seen, IDC_PLUGIN_FILE);
                            ::SendMessageA(seen, WM_COMMAND, MAKEWPARAM(IDC_PLUGIN_FILE, CBN_DROPDOWN),
                                           reinterpret_cast<LPARAM>(combo));
                            EXPECT_EQ(::SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                     reinterpret_cast<LPARAM>("Probe.pqi")) >= 0, true);
                            EXPECT_EQ(::SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                     reinterpret_cast<LPARAM>("Folder.pqi")), CB_ERR);
                            EXPECT_EQ(plugintest::ItemText(seen, IDC_PLUGIN_FILE), "typed.pqi");
                            ::SendMessageA(seen, WM_COMMAND, IDOK, 0);
                            return true;
                        }});
        tagswin::CPluginDlg dialog(plugin, nullptr);
        EXPECT_EQ(dialog.DoModal(), 1);
    }
    ::RemoveDirectoryA(folder.c_str());

    std::string name = "古い名前";
    {
        CScript script({[&] { return (seen = FindDialog("ファイルプロパティ")) != nullptr; },
                        [&] {
                            EXPECT_EQ(::SendDlgItemMessageA(seen, IDC_TAG_FILE_NAME, EM_GETLIMITTEXT, 0, 0), 127);
                            ::SetDlgItemTextA(seen, IDC_TAG_FILE_NAME, "新しい名前");
                            ::SendMessageA(seen, WM_COMMAND, IDOK, 0);
                            return true;
                        }});
        tagswin::CFilePropDlg dialog(name, nullptr);
        EXPECT_EQ(dialog.DoModal(), 1);
    }
    EXPECT_EQ(name, "新しい名前");
}
