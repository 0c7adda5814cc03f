// Bookmarks, right-click menus and the Customize sheet's pages on a real
// main frame: the File submenus and the three messages, the popups with
// their greying, and the right-click and screen split pages.
#include "support/RecordingMessageBoxes.h"
#include <gtest/gtest.h>

#include <commctrl.h>

#include "config/core/SettingsStore.h"
#include "config/win/CustomizeSheet.h"
#include "config/win/RcmenuPage.h"
#include "config/win/ScrnspltPage.h"
#include "e2e/E2E.h"
#include "resources/resource.h"
#include "shell/win/MainFrame.h"

namespace {

struct Tags : commands::ITagCommands {
    bool RunTagCommand(unsigned) override { return true; }
    std::string TagComment(unsigned) override { return "c"; }
    std::vector<commands::TagMenuFile> TagMenu() override { return {}; }
    std::vector<std::pair<std::string, unsigned>> RightClickTags() override { return {{"見出し(&A)", 10000}}; }
};

class CustomizeTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES |
                                                    ICC_USEREX_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&icc);
        settings::SetCurrent(&store);
        oldBoxes = SetMessageBoxService(&boxes);
        ASSERT_TRUE(CMainFrame::RegisterFrameClass(::GetModuleHandleA(nullptr)));
        ASSERT_TRUE(frame.Create());
        folder = e2e::WorkDir() + "\\bookmarks";
        ::CreateDirectoryA(e2e::WorkDir().c_str(), nullptr);
        ::CreateDirectoryA(folder.c_str(), nullptr);
    }
    void TearDown() override {
        frame.Commands().SetTagCommands(nullptr);
        if (frame.m_hWnd) frame.DestroyWindow();
        SetMessageBoxService(oldBoxes);
        settings::SetCurrent(nullptr);
    }
    void Command(UINT id) { frame.SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    HMENU SetSubmenu() { return frame.Commands().FindSubmenu(0, "ブックマークの設定(&B)"); }
    HMENU GoSubmenu() { return frame.Commands().FindSubmenu(0, "ブックマークへ移動(&J)"); }
    int CaretLine() { return frame.Documents().GetEditor(-1)->Ops().GetCaretLine(); }
    // The frame greys and checks a popup's items as it does the menu bar's.
    UINT State(HMENU menu, int position) {
        frame.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
        return ::GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
    }

    settings::MemorySettingsBackend memory;
    settings::SettingsStore store{memory};
    RecordingMessageBoxes boxes;
    IMessageBoxService* oldBoxes = nullptr;
    CMainFrame frame;
    std::string folder;
};

TEST_F(CustomizeTest, BookmarksFillTheFileSubmenusAndReport) {
    // No saved file, no bookmark: the two errors.
    Command(25001);
    Command(25012);
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.texts[0], "一度も保存されていないのでブックマークに設定できません");
    EXPECT_EQ(boxes.texts[1], "設定されていないので移動できません");
    ASSERT_EQ(::GetMenuItemCount(SetSubmenu()), 12);
    EXPECT_EQ(MenuItemText(SetSubmenu(), 0), "（未設定）(&0)\tCtrl+Shift+0");
    EXPECT_EQ(MenuItemText(GoSubmenu(), 9), "（移動不可）(&9)\tCtrl+9");
    EXPECT_EQ(::GetMenuItemCount(GoSubmenu()), 10);

    // Bookmark 3 on line 120 of a file whose name holds "&".
    std::string text;
    for (int i = 0; i < 200; ++i) text += "line\r\n";
    const std::string path = folder + "\\R&D.html";
    ASSERT_TRUE(e2e::WriteFileBytes(path, text));
    CDocTabWnd& docs = frame.Documents();
    ASSERT_EQ(docs.OpenDocFile(path, false, false), 1);
    docs.GetEditor(-1)->Ops().GoToLine(119);
    Command(25003);
    const std::string shown = bookmarks::EscapeMenuAmpersands(docs.GetPath(-1)) + "：120行目(&3)";
    EXPECT_NE(shown.find("R&&D.html"), std::string::npos);
    EXPECT_EQ(MenuItemText(SetSubmenu(), 3), shown + "\tCtrl+Shift+3");
    EXPECT_EQ(MenuItemText(GoSubmenu(), 3), shown + "\tCtrl+3");
    EXPECT_TRUE(::GetMenuState(SetSubmenu(), 10, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(MenuItemText(SetSubmenu(), 11), "すべて設定削除(&D)");
    EXPECT_EQ(::GetMenuItemID(SetSubmenu(), 11), 25020u);
    for (int n : {0, 3}) EXPECT_FALSE(State(GoSubmenu(), n) & MF_GRAYED) << n;

    // Go to it from another tab.
    docs.OnFileNew();
    ASSERT_EQ(docs.SelectedIndex(), 1);
    Command(25013);
    EXPECT_EQ(docs.SelectedIndex(), 0);
    EXPECT_EQ(CaretLine(), 119);

    // A bookmarked file that does not open moves no caret.
    frame.Commands().SetBookmark(5, folder + "\\gone.html", 3);
    docs.GetEditor(-1)->Ops().GoToLine(7);
    const std::size_t before = boxes.texts.size();
    Command(25015);
    EXPECT_EQ(boxes.texts.size(), before + 1);  // the open error
    EXPECT_EQ(CaretLine(), 7);

    // Delete all: Cancel keeps every bookmark, OK clears them.
    Command(25020);
    EXPECT_EQ(boxes.texts.back(), "本当にすべてのブックマークを削除してもよろしいですか？");
    EXPECT_TRUE(frame.Commands().Bookmarks()[3].IsSet());
    EXPECT_EQ(MenuItemText(SetSubmenu(), 3), shown + "\tCtrl+Shift+3");
    boxes.answers = {IDOK};
    Command(25020);
    EXPECT_FALSE(frame.Commands().Bookmarks()[3].IsSet());
    EXPECT_FALSE(frame.Commands().Bookmarks()[5].IsSet());
    EXPECT_EQ(MenuItemText(SetSubmenu(), 3), "（未設定）(&3)\tCtrl+Shift+3");
}

TEST_F(CustomizeTest, RightClickPopupsFollowTheListsAndTheMenuBarsRules) {
    HMENU tab = frame.BuildTabMenu();
    ASSERT_EQ(::GetMenuItemCount(tab), 2);
    EXPECT_EQ(MenuItemText(tab, 0), "内部ブラウザ(&B)");
    EXPECT_EQ(MenuItemText(tab, 1), "閉じる(&C)");
    EXPECT_FALSE(State(tab, 0) & (MF_GRAYED | MF_CHECKED));
    ::DestroyMenu(tab);

    HMENU plain = frame.BuildEditorMenu(false);
    ASSERT_EQ(::GetMenuItemCount(plain), 10);
    EXPECT_EQ(MenuItemText(plain, 0), "元に戻す(&U)");
    EXPECT_TRUE(State(plain, 0) & MF_GRAYED);  // nothing to undo yet
    EXPECT_TRUE(::GetMenuState(plain, 2, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_FALSE(State(plain, 4) & MF_GRAYED);  // すべて選択
    ::DestroyMenu(plain);

    HMENU selected = frame.BuildEditorMenu(true);
    ASSERT_EQ(::GetMenuItemCount(selected), 17);
    EXPECT_EQ(MenuItemText(selected, 1), "コピー(&C)");
    EXPECT_TRUE(State(selected, 1) & MF_GRAYED);  // no selection in the editor
    frame.Documents().GetEditor(-1)->Ops().ReplaceSelection("abc", 3, true);
    frame.Documents().GetEditor(-1)->Ops().SetSelectionOffsets(0, -1);
    EXPECT_FALSE(State(selected, 1) & MF_GRAYED);
    ::DestroyMenu(selected);

    // Tags marked for the menu come first, in their own submenu.
    Tags tags;
    frame.Commands().SetTagCommands(&tags);
    HMENU withTags = frame.BuildEditorMenu(false);
    ASSERT_EQ(::GetMenuItemCount(withTags), 12);
    EXPECT_EQ(MenuItemText(withTags, 0), "登録タグ(&R)");
    HMENU sub = ::GetSubMenu(withTags, 0);
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(MenuItemText(sub, 0), "見出し(&A)");
    EXPECT_EQ(::GetMenuItemID(sub, 0), 10000u);
    EXPECT_TRUE(::GetMenuState(withTags, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(MenuItemText(withTags, 2), "元に戻す(&U)");
    ::DestroyMenu(withTags);
}

std::string ListText(HWND list, int index) {
    char buf[256] = {};
    ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buf));
    return buf;
}

int RowOf(const rclick::RcmenuPageModel& model, int command) {
    for (std::size_t i = 0; i < model.Rows().size(); ++i)
        if (model.Rows()[i].command == command) return static_cast<int>(i);
    return -1;
}

TEST_F(CustomizeTest, RightClickPageEditsCopiesThatOkKeepsAndCancelDrops) {
    for (const bool ok : {false, true}) {
        CCstmzSheet sheet(frame.m_hWnd, frame.Commands(), CCstmzSheet::kAllPages, 0, &frame);
        HWND hwnd = sheet.Create();
        ASSERT_NE(hwnd, nullptr);
        ASSERT_EQ(sheet.PageCount(), 3u);
        ::SendMessageA(hwnd, PSM_SETCURSEL, 1, 0);
        auto& page = *static_cast<CRcmenuPage*>(sheet.Page(1));
        ASSERT_NE(page.m_hWnd, nullptr);
        HWND rows = page.GetDlgItem(IDC_RCMENU_COMMANDS);
        HWND menu = page.GetDlgItem(IDC_RCMENU_MENU);
        const rclick::RcmenuPageModel& model = page.Model();
        ASSERT_EQ(ListView_GetItemCount(rows), static_cast<int>(model.Rows().size()));
        char label[128] = {};
        ListView_GetItemText(rows, 0, 0, label, sizeof label);
        EXPECT_STREQ(label, "新規作成");
        char description[256] = {};
        ::GetDlgItemTextA(page.m_hWnd, IDC_RCMENU_DESCRIPTION, description, sizeof description);
        EXPECT_EQ(description, frame.Commands().CommandDescription(32777));
        EXPECT_EQ(::SendMessageA(page.GetDlgItem(IDC_RCMENU_KIND), CB_GETCOUNT, 0, 0), 3);
        EXPECT_EQ(ListText(menu, 0), "内部ブラウザ");
        EXPECT_TRUE(ListView_GetCheckState(rows, RowOf(model, 32780)));
        EXPECT_FALSE(ListView_GetCheckState(rows, RowOf(model, 32774)));

        // Kind 1: コピー checked with 貼り付け selected goes before it.
        page.SelectKind(1);
        EXPECT_EQ(ListText(menu, 2), std::string(32, '-'));
        page.SelectEntry(3);
        ASSERT_EQ(ListText(menu, 3), "貼り付け");
        page.SetRowChecked(RowOf(model, 32774), true);
        EXPECT_EQ(ListText(menu, 3), "コピー");
        EXPECT_EQ(ListText(menu, 4), "貼り付け");
        EXPECT_EQ(::SendMessageA(menu, LB_GETCURSEL, 0, 0), 3);
        EXPECT_TRUE(page.IsModified());

        // Reset asks with the kind's name; Cancel keeps the list.
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_RCMENU_RESET, BN_CLICKED),
                         reinterpret_cast<LPARAM>(page.GetDlgItem(IDC_RCMENU_RESET)));
        EXPECT_EQ(boxes.texts.back(), "[編集エディタ(選択なし時)]メニューをリセットしてもよろしいですか？");
        EXPECT_EQ(model.List().size(), 11u);
        const rclick::MenuList edited = model.List();

        ::SendMessageA(hwnd, PSM_PRESSBUTTON, ok ? PSBTN_OK : PSBTN_CANCEL, 0);
        EXPECT_EQ(frame.Commands().CopyRClickList(1), ok ? edited : rclick::BuiltInList(1)) << ok;
        if (::IsWindow(hwnd)) ::DestroyWindow(hwnd);
    }
    HMENU popup = frame.BuildEditorMenu(false);
    EXPECT_EQ(MenuItemText(popup, 3), "コピー(&C)");
    ::DestroyMenu(popup);
}

TEST_F(CustomizeTest, SplitPageShowsEachPatternInItsMiniature) {
    CCstmzSheet sheet(frame.m_hWnd, frame.Commands(), CCstmzSheet::kAllPages, 0, &frame);
    HWND hwnd = sheet.Create();
    ASSERT_NE(hwnd, nullptr);
    ::SendMessageA(hwnd, PSM_SETCURSEL, 2, 0);
    auto& page = *static_cast<CScrnspltPage*>(sheet.Page(2));
    ASSERT_NE(page.m_hWnd, nullptr);
    EXPECT_EQ(::SendMessageA(page.GetDlgItem(IDC_SCRNSPLT_PATTERN), CB_GETCOUNT, 0, 0), 36);
    EXPECT_EQ(page.SelectedPattern(), 1);
    EXPECT_FALSE(::IsWindowVisible(page.GetDlgItem(IDC_SCRNSPLT_PLACEHOLDER)));
    const RECT preview = page.PreviewRect();
    RECT mini = page.Miniature(0).GetWindowRect();
    ::MapWindowPoints(nullptr, page.m_hWnd, reinterpret_cast<POINT*>(&mini), 2);
    EXPECT_EQ(mini.left, preview.left + 4);
    EXPECT_EQ(mini.top, preview.top + 24);
    EXPECT_EQ(mini.right, preview.right - 4);
    EXPECT_EQ(mini.bottom, preview.bottom - 4);
    const RECT area = page.Miniature(0).GetClientRect();
    for (int n = 1; n <= split::kPatternCount; ++n) {
        page.ChoosePattern(n);
        const split::SplitLayout& layout = split::Pattern(n);
        for (int i = 0; i < split::kSplitCount; ++i) {
            const split::SplitRecord& r = layout.split[i];
            CSplitWnd& s = page.Miniature(i);
            EXPECT_EQ(s.IsStacked(), r.Stacked()) << n << " " << i;
            for (int j = 0; j < 2; ++j) {
                const int kind = r.kind[j];
                const HWND want = kind == 1 || kind == 2 ? page.Miniature(kind).m_hWnd : page.Label(kind);
                EXPECT_EQ(s.GetPane(j), want) << n << " " << i << " " << j;
                EXPECT_EQ(s.IsPaneShown(j), r.Shown(j)) << n << " " << i << " " << j;
                EXPECT_FALSE(s.GetPaneFlags(j) & CSplitWnd::kPaneCaption);
            }
            const int third = (r.Stacked() ? area.bottom : area.right) / 3;
            EXPECT_EQ(s.GetBarPos(), r.Shown(1) ? third : 0) << n << " " << i;
        }
    }
    // The miniature's notices stop at the miniature.
    EXPECT_TRUE(page.Miniature(1).OnCommand(MAKEWPARAM(ID_APP_EXIT_CMD, 0), 0));
    ::SendMessageA(hwnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    if (::IsWindow(hwnd)) ::DestroyWindow(hwnd);
    EXPECT_EQ(split::FindPattern(frame.CurrentLayout()), 1);
}

TEST_F(CustomizeTest, SplitPageHandsOnlyAChosenPatternToTheFrame) {
    HWND tagPane = frame.Panes().PaneWindow(split::kPaneRegistTag);
    frame.Panes().ShowPane(tagPane, false);
    frame.Panes().Split(0).SetBarPos(77);
    for (const bool choose : {false, true}) {
        CCstmzSheet sheet(frame.m_hWnd, frame.Commands(), CCstmzSheet::kAllPages, 0, &frame);
        HWND hwnd = sheet.Create();
        ASSERT_NE(hwnd, nullptr);
        ::SendMessageA(hwnd, PSM_SETCURSEL, 2, 0);
        auto& splitPage = *static_cast<CScrnspltPage*>(sheet.Page(2));
        if (choose) splitPage.ChoosePattern(13);
        // Another page changed too.
        ::SendMessageA(hwnd, PSM_SETCURSEL, 1, 0);
        auto& rc = *static_cast<CRcmenuPage*>(sheet.Page(1));
        rc.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_RCMENU_SEPARATOR, BN_CLICKED),
                       reinterpret_cast<LPARAM>(rc.GetDlgItem(IDC_RCMENU_SEPARATOR)));
        ::SendMessageA(hwnd, PSM_PRESSBUTTON, PSBTN_OK, 0);
        if (::IsWindow(hwnd)) ::DestroyWindow(hwnd);
        if (!choose) {
            EXPECT_FALSE(frame.Panes().IsPaneShown(tagPane));
            EXPECT_EQ(frame.Panes().Split(0).GetBarPos(), 77);
            EXPECT_EQ(split::FindPattern(frame.CurrentLayout()), 1);
        } else {
            EXPECT_EQ(split::FindPattern(frame.CurrentLayout()), 13);
            EXPECT_TRUE(frame.Panes().IsPaneShown(tagPane));
            EXPECT_EQ(frame.Panes().Split(0).GetBarPos(), frame.GetClientRect().right / 3);
        }
    }
}

// Closes the modal sheet from inside its loop, on the page asked.
int g_closeOnPage = 0;
void CALLBACK CloseSheet(HWND, UINT, UINT_PTR id, DWORD) {
    HWND sheet = ::FindWindowA(nullptr, "カスタマイズ");
    if (!sheet) return;
    ::KillTimer(nullptr, id);
    ::SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(g_closeOnPage), 0);
    ::PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

TEST_F(CustomizeTest, OnlyTheWholeSheetRemembersItsPage) {
    store.WriteSettingInt("Main", "CstmzIndex", 0);
    g_closeOnPage = 2;
    ::SetTimer(nullptr, 0, 50, CloseSheet);
    frame.OpenCustomizeSheet(CCstmzSheet::kAllPages, 0);
    EXPECT_EQ(store.ReadSettingInt("Main", "CstmzIndex", -1), 2);
    // The keys-only sheet opens on its page and leaves the value alone.
    g_closeOnPage = 0;
    ::SetTimer(nullptr, 0, 50, CloseSheet);
    frame.OpenCustomizeSheet(CCstmzSheet::kKeyboardPage, 3);
    EXPECT_EQ(store.ReadSettingInt("Main", "CstmzIndex", -1), 2);
}

}  // namespace
