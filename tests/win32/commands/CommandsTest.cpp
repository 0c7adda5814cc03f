// The command manager under Wine: menus built from the command table with
// key texts, accelerator translation with its pass-through, dispatch to
// handlers, targets and the registered tags, and the keyboard help window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/win/CommandManager.h"
#include "config/win/KeyHelpDialog.h"
#include "framework/win/FrameWnd.h"

namespace {

bool RegisterFrameClass() {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpszClassName = "PqCommandsTestFrame";
    return CWnd::RegisterWindowClass(wc);
}

class CTestFrame : public CFrameWnd {
public:
    bool Make() {
        return RegisterFrameClass() &&
               CreateFrame("PqCommandsTestFrame", "t", WS_OVERLAPPEDWINDOW, 0, nullptr, nullptr, nullptr);
    }
};

// Holds the modifier keys down for the thread while it lives.
class HeldKeys {
public:
    explicit HeldKeys(std::vector<int> vks) {
        ::GetKeyboardState(m_saved);
        BYTE state[256];
        ::GetKeyboardState(state);
        for (int vk : vks) state[vk] = 0x80;
        ::SetKeyboardState(state);
    }
    ~HeldKeys() { ::SetKeyboardState(m_saved); }

private:
    BYTE m_saved[256];
};

MSG KeyMessage(HWND hwnd, UINT message, WPARAM vk) {
    MSG msg = {};
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = vk;
    msg.lParam = 1;
    return msg;
}

class TagsStub : public commands::ITagCommands {
public:
    std::vector<unsigned> ran;
    bool RunTagCommand(unsigned id) override {
        ran.push_back(id);
        return true;
    }
    std::string TagComment(unsigned id) override { return "タグ" + std::to_string(id); }
    std::vector<commands::TagMenuFile> TagMenu() override {
        return {commands::TagMenuFile{"基本", {"太字", "斜体"}}};
    }
};

TEST(CommandManagerTest, MenusAreBuiltFromTheTableWithKeyTexts) {
    CommandManager cm;
    cm.InstallKeyTable(keys::BuildDefaultTable());
    ASSERT_TRUE(cm.BuildMenus());
    HMENU bar = cm.BarMenu();
    ASSERT_EQ(::GetMenuItemCount(bar), 6);
    const char* const titles[] = {"ファイル(&F)", "編集(&E)", "表示(&V)", "登録タグ(&R)", "ツール(&T)", "ヘルプ(&H)"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(MenuItemText(bar, i), titles[i]);
    HMENU file = ::GetSubMenu(bar, 0);
    EXPECT_EQ(MenuItemText(file, 0), "新規作成(&N)\tCtrl+N");
    EXPECT_EQ(::GetMenuItemID(file, 0), 32777u);
    EXPECT_EQ(MenuItemText(file, 2), "閉じる(&C)");
    HMENU code = cm.FindSubmenu(0, "保存時の文字コード(&H)");
    ASSERT_NE(code, nullptr);
    ASSERT_EQ(::GetMenuItemCount(code), 4);
    EXPECT_EQ(::GetMenuItemID(code, 3), 40026u);
    HMENU advanced = cm.FindSubmenu(1, "高度な操作(&A)");
    ASSERT_NE(advanced, nullptr);
    EXPECT_EQ(::GetMenuItemCount(advanced), 7);
    EXPECT_EQ(MenuItemText(::GetSubMenu(bar, 1), ::GetMenuItemCount(::GetSubMenu(bar, 1)) - 2),
              "属性アシスト(&M)\tShift+Space");
    EXPECT_EQ(MenuItemText(::GetSubMenu(bar, 1), ::GetMenuItemCount(::GetSubMenu(bar, 1)) - 1), "値アシスト(&V)");
    HMENU view = ::GetSubMenu(bar, 2);
    char text[128] = {};
    ::GetMenuStringA(view, 40073, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "前に戻る(&B)\tAlt+Left");
    // No registered tags yet: one greyed item.
    HMENU tags = ::GetSubMenu(bar, 3);
    ASSERT_EQ(::GetMenuItemCount(tags), 1);
    EXPECT_EQ(MenuItemText(tags, 0), "登録されていません");
    EXPECT_TRUE(::GetMenuState(tags, 0, MF_BYPOSITION) & MF_GRAYED);
    // The keys-only menu: one category of its own.
    ASSERT_EQ(::GetMenuItemCount(cm.KeysOnlyMenu()), 1);
    EXPECT_EQ(MenuItemText(cm.KeysOnlyMenu(), 0), "メニュー以外(&E)");
    EXPECT_EQ(MenuItemText(::GetSubMenu(cm.KeysOnlyMenu(), 0), 3), "アドレスバーに移動(&A)\tAlt+D");

    // A new table shows in the rebuilt menus; the menu handles stay.
    cm.InstallKeyTable({{0x0B, 'Q', 32780}, {0x1F, 0x7B, 10001}});
    TagsStub stub;
    cm.SetTagCommands(&stub);
    cm.RebuildMenus(CommandManager::kAllMenus);
    EXPECT_EQ(cm.BarMenu(), bar);
    EXPECT_EQ(MenuItemText(file, 0), "新規作成(&N)");
    EXPECT_EQ(MenuItemText(file, 2), "閉じる(&C)\tCtrl+Q");
    HMENU tagFile = ::GetSubMenu(tags, 0);
    EXPECT_EQ(MenuItemText(tags, 0), "基本(&A)");
    ASSERT_NE(tagFile, nullptr);
    EXPECT_EQ(MenuItemText(tagFile, 1), "斜体(&B)\tCtrl+Alt+Shift+F12");
    EXPECT_EQ(::GetMenuItemID(tagFile, 1), 10001u);
    EXPECT_EQ(cm.CommandDescription(10001), "タグ10001");
    EXPECT_EQ(cm.CommandDescription(25004), "ブックマーク4を設定します。");
    EXPECT_EQ(cm.CommandDescription(32777), "新しいファイルを作成します。");
}

TEST(CommandManagerTest, KeysAreTranslatedToTheirCommands) {
    CTestFrame frame;
    ASSERT_TRUE(frame.Make());
    CommandManager cm;
    frame.SetCommandRouter(&cm);
    cm.SetTranslateWindow(frame.m_hWnd);
    std::vector<UINT> ran;
    bool passThrough = false;
    cm.SetHandler(32786, [&] { ran.push_back(32786); });
    cm.SetHandler(32780, [&] {
        ran.push_back(32780);
        if (passThrough) cm.SetPassThroughOnce();
    });
    ASSERT_TRUE(cm.InstallKeyTable({{0x03, 0x7A, 32786}, {0x0B, 'Q', 32780}}));

    MSG f11 = KeyMessage(frame.m_hWnd, WM_KEYDOWN, 0x7A);
    EXPECT_TRUE(cm.PreTranslate(&f11));
    EXPECT_EQ(ran, (std::vector<UINT>{32786}));
    {
        HeldKeys ctrl({VK_CONTROL});
        MSG q = KeyMessage(frame.m_hWnd, WM_KEYDOWN, 'Q');
        EXPECT_TRUE(cm.PreTranslate(&q));
        // A command that cannot act lets its key through once.
        passThrough = true;
        EXPECT_FALSE(cm.PreTranslate(&q));
        passThrough = false;
        EXPECT_TRUE(cm.PreTranslate(&q));
    }
    EXPECT_EQ(ran, (std::vector<UINT>{32786, 32780, 32780, 32780}));
    MSG plainQ = KeyMessage(frame.m_hWnd, WM_KEYDOWN, 'Q');
    EXPECT_FALSE(cm.PreTranslate(&plainQ));  // without Ctrl

    // Shift+Space and Ctrl+Shift+Space while no handler takes their commands
    // (a state rule alone is no handler): the keys go on as typed input.
    ASSERT_TRUE(cm.InstallKeyTable({{0x03, 0x7A, 32786}, {0x0B, 'Q', 32780}, {0x07, VK_SPACE, 32823},
                                    {0x0F, VK_SPACE, 32822}}));
    cm.SetStateHandler(32822, [](CCmdUI* ui) { ui->Enable(true); });
    {
        HeldKeys shift({VK_SHIFT});
        MSG space = KeyMessage(frame.m_hWnd, WM_KEYDOWN, VK_SPACE);
        EXPECT_FALSE(cm.PreTranslate(&space));
        HeldKeys ctrlShift({VK_CONTROL, VK_SHIFT});
        EXPECT_FALSE(cm.PreTranslate(&space));
    }
    EXPECT_TRUE(cm.PreTranslate(&f11));  // the next taken key is consumed again
    cm.SetHandler(32823, [&] { ran.push_back(32823); });
    {
        HeldKeys shift({VK_SHIFT});
        MSG space = KeyMessage(frame.m_hWnd, WM_KEYDOWN, VK_SPACE);
        EXPECT_TRUE(cm.PreTranslate(&space));
    }
    EXPECT_EQ(ran, (std::vector<UINT>{32786, 32780, 32780, 32780, 32786, 32823}));
    ran.resize(4);

    // Keys of another top-level window are not the frame's.
    CTestFrame other;
    ASSERT_TRUE(other.Make());
    MSG elsewhere = KeyMessage(other.m_hWnd, WM_KEYDOWN, 0x7A);
    EXPECT_FALSE(cm.PreTranslate(&elsewhere));
    // An empty table translates nothing.
    cm.InstallKeyTable({});
    EXPECT_EQ(cm.Accelerators(), nullptr);
    EXPECT_FALSE(cm.PreTranslate(&f11));
    EXPECT_EQ(ran.size(), 4u);
    frame.SetCommandRouter(nullptr);
}

TEST(CommandManagerTest, CommandsAndStatesGoToHandlersTagsAndTargets) {
    CTestFrame frame;
    ASSERT_TRUE(frame.Make());
    CommandManager cm;
    frame.SetCommandRouter(&cm);
    int toggles = 0;
    cm.SetHandler(32787, [&] { ++toggles; }, [&](CCmdUI* ui) {
        ui->Enable(true);
        ui->SetCheck(toggles % 2 == 1);
    });
    cm.SetHandler(32788, [&] { toggles += 10; });
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(32787, 0), 0);
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(32788, 1), 0);
    // A control notification with the same id is no command.
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(32788, 5), 0);
    EXPECT_EQ(toggles, 11);

    CCmdUI ui;
    frame.UpdateCommandState(32787, &ui);
    EXPECT_TRUE(ui.m_bEnabled);
    EXPECT_TRUE(ui.m_bChecked);
    CCmdUI plain;
    frame.UpdateCommandState(32788, &plain);
    EXPECT_TRUE(plain.m_bEnabled);
    // Commands nobody handles yet are greyed, tags too while no tag tree exists.
    CCmdUI later;
    frame.UpdateCommandState(32781, &later);
    EXPECT_FALSE(later.m_bEnabled);
    CCmdUI tag;
    frame.UpdateCommandState(10203, &tag);
    EXPECT_FALSE(tag.m_bEnabled);

    TagsStub stub;
    cm.SetTagCommands(&stub);
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(10203, 0), 0);
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(19999, 1), 0);
    EXPECT_EQ(stub.ran, (std::vector<unsigned>{10203, 19999}));
    CCmdUI tagNow;
    frame.UpdateCommandState(10203, &tagNow);
    EXPECT_TRUE(tagNow.m_bEnabled);
    frame.SetCommandRouter(nullptr);
}

TEST(KeyHelpDialogTest, ListsKeysInUseAndFreeKeys) {
    CommandManager cm;
    const keys::KeyTable table = keys::BuildDefaultTable();
    cm.InstallKeyTable(table);
    KeyHelpDialog help(table, &cm, nullptr);
    ASSERT_TRUE(help.CreateModeless());
    ASSERT_EQ(help.RowCount(), static_cast<int>(table.size()));
    EXPECT_EQ(help.RowText(0, 0), "Ctrl+N");
    EXPECT_EQ(help.RowText(0, 1), "新しいファイルを作成します。");
    EXPECT_EQ(help.RowText(static_cast<int>(table.size()) - 1, 1), "ブックマーク9へ移動します。");
    help.ShowChoice(2);
    std::vector<std::string> rows;
    for (int i = 0; i < help.RowCount(); ++i) rows.push_back(help.RowText(i, 0));
    EXPECT_EQ(rows.size(), keys::FreeKeys(table, 2).size());
    EXPECT_NE(std::find(rows.begin(), rows.end(), "Ctrl+B"), rows.end());
    EXPECT_EQ(std::find(rows.begin(), rows.end(), "Ctrl+N"), rows.end());
    // The list follows the window's size, 6 pixels below the choice.
    ::SetWindowPos(help.m_hWnd, nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
    RECT list = {}, choice = {};
    ::GetWindowRect(help.GetDlgItem(8121), &list);
    ::GetWindowRect(help.GetDlgItem(8120), &choice);
    EXPECT_EQ(list.top - choice.bottom, 6);
    RECT client = help.GetClientRect();
    ::MapWindowPoints(nullptr, help.m_hWnd, reinterpret_cast<POINT*>(&list), 2);
    EXPECT_EQ(client.bottom - list.bottom, list.left);
    help.DestroyWindow();
}

}  // namespace
