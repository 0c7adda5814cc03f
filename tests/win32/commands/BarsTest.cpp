// The bars and the keyboard page on real windows under Wine: the menu
// bar's keyboard handling and popups, the tool bar's stored arrangement,
// the bar container's band commands, and the keyboard page's assign,
// conflict question and reset with the message boxes answered.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "config/core/SettingsStore.h"
#include "config/win/CommandManager.h"
#include "config/win/CustomizeSheet.h"
#include "config/win/KeyPage.h"
#include "config/win/RegistrySettings.h"
#include "framework/win/MessageBox.h"
#include "resources/resource.h"
#include "shell/win/BarContainer.h"

namespace {

const char kRoot[] = "Software\\Tavenor\\PembroquilBarsTest";

class CTestFrame : public CFrameWnd {
public:
    bool Make() {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        wc.lpszClassName = "PqBarsTestFrame";
        return RegisterWindowClass(wc) &&
               CreateFrame("PqBarsTestFrame", "t", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, nullptr, nullptr, nullptr);
    }
};

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kRoot);
        settings::SetCurrent(&store);
    }
    void TearDown() override {
        settings::SetCurrent(nullptr);
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kRoot);
    }
    CRegistrySettings backend{kRoot};
    settings::SettingsStore store{backend};
};

MSG Key(HWND hwnd, UINT message, WPARAM vk) {
    MSG msg = {};
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = vk;
    msg.lParam = (message == WM_KEYUP || message == WM_SYSKEYUP) ? 0xC0000001 : 1;
    return msg;
}

// What the popup looked like while it was open, seen from a timer inside
// the menu loop, which then closes it.
struct PopupSeen {
    bool menuWindow = false;
    int hot = -1;
    int state = 0;
};
CMenuBar* g_bar = nullptr;
PopupSeen g_seen;

void CALLBACK ClosePopup(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    HWND popup = ::FindWindowA("#32768", nullptr);
    g_seen.menuWindow = popup && ::IsWindowVisible(popup);
    g_seen.hot = g_bar->HotIndex();
    g_seen.state = g_bar->TrackingState();
    ::EndMenu();
}

// Runs queued messages (the popup opens from a posted message) with a
// timer that records and closes the popup.
PopupSeen PumpPopup(CMenuBar& bar) {
    g_bar = &bar;
    g_seen = PopupSeen();
    ::SetTimer(nullptr, 0, 300, &ClosePopup);
    MSG msg;
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < 1500) {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (g_seen.state != 0) break;
        ::Sleep(10);
    }
    return g_seen;
}

class BarsTest : public RegistryTest {
protected:
    void SetUp() override {
        RegistryTest::SetUp();
        ASSERT_TRUE(frame.Make());
        commands.InstallKeyTable(keys::BuildDefaultTable());
        frame.SetCommandRouter(&commands);
        ASSERT_TRUE(bars.Create(&frame, commands));
        bars.BindCommands(commands);
        bars.MoveWindow(0, 0, 900, bars.LayoutHeight(900));
    }
    void TearDown() override {
        frame.SetCommandRouter(nullptr);
        RegistryTest::TearDown();
    }
    CTestFrame frame;
    CommandManager commands;
    CBarContainer bars;
};

TEST_F(BarsTest, AltF10ArrowsAndEscapeDriveTheMenuBar) {
    CMenuBar& bar = bars.MenuBar();
    ASSERT_EQ(bar.ButtonCount(), 6);
    HWND target = frame.m_hWnd;
    MSG m = Key(target, WM_SYSKEYDOWN, VK_MENU);
    EXPECT_FALSE(bar.PreTranslate(&m));
    m = Key(target, WM_SYSKEYUP, VK_MENU);
    EXPECT_TRUE(bar.PreTranslate(&m));
    EXPECT_EQ(bar.TrackingState(), CMenuBar::kHotByKeyboard);
    EXPECT_EQ(bar.HotIndex(), 0);
    m = Key(target, WM_KEYDOWN, VK_RIGHT);
    EXPECT_TRUE(bar.PreTranslate(&m));
    EXPECT_EQ(bar.HotIndex(), 1);
    m = Key(target, WM_KEYDOWN, VK_LEFT);
    bar.PreTranslate(&m);
    bar.PreTranslate(&m);
    EXPECT_EQ(bar.HotIndex(), 5);  // wraps round
    m = Key(target, WM_KEYDOWN, VK_ESCAPE);
    EXPECT_TRUE(bar.PreTranslate(&m));
    EXPECT_EQ(bar.TrackingState(), CMenuBar::kNone);

    // F10 down is consumed; its release makes the first button hot, and
    // again leaves.
    m = Key(target, WM_SYSKEYDOWN, VK_F10);
    EXPECT_TRUE(bar.PreTranslate(&m));
    m = Key(target, WM_SYSKEYUP, VK_F10);
    EXPECT_TRUE(bar.PreTranslate(&m));
    EXPECT_EQ(bar.TrackingState(), CMenuBar::kHotByKeyboard);
    m = Key(target, WM_SYSKEYDOWN, VK_F10);
    bar.PreTranslate(&m);
    m = Key(target, WM_SYSKEYUP, VK_F10);
    bar.PreTranslate(&m);
    EXPECT_EQ(bar.TrackingState(), CMenuBar::kNone);

    // Alt used with another key: its release does nothing; an Alt+key
    // without a mnemonic goes on to normal processing.
    m = Key(target, WM_SYSKEYDOWN, VK_MENU);
    bar.PreTranslate(&m);
    m = Key(target, WM_SYSKEYDOWN, 'Q');
    EXPECT_FALSE(bar.PreTranslate(&m));
    m = Key(target, WM_SYSKEYUP, VK_MENU);
    EXPECT_FALSE(bar.PreTranslate(&m));
    EXPECT_EQ(bar.TrackingState(), CMenuBar::kNone);

    // Any other key while hot leaves the bar and is processed normally.
    m = Key(target, WM_SYSKEYDOWN, VK_MENU);
    bar.PreTranslate(&m);
    m = Key(target, WM_SYSKEYUP, VK_MENU);
    bar.PreTranslate(&m);
    m = Key(target, WM_KEYDOWN, VK_F5);
    EXPECT_FALSE(bar.PreTranslate(&m));
    EXPECT_EQ(bar.TrackingState(), CMenuBar::kNone);
}

TEST_F(BarsTest, AltRightDownOpensTheEditMenuAndAMnemonicItsMenu) {
    CMenuBar& bar = bars.MenuBar();
    HWND target = frame.m_hWnd;
    MSG m = Key(target, WM_SYSKEYDOWN, VK_MENU);
    bar.PreTranslate(&m);
    m = Key(target, WM_SYSKEYUP, VK_MENU);
    bar.PreTranslate(&m);
    m = Key(target, WM_KEYDOWN, VK_RIGHT);
    bar.PreTranslate(&m);
    m = Key(target, WM_KEYDOWN, VK_DOWN);
    EXPECT_TRUE(bar.PreTranslate(&m));
    PopupSeen seen = PumpPopup(bar);
    EXPECT_TRUE(seen.menuWindow);
    EXPECT_EQ(seen.hot, 1);
    EXPECT_EQ(seen.state, CMenuBar::kPopupOpen);
    EXPECT_EQ(bar.TrackingState(), CMenuBar::kNone);

    // Alt+V (the keys arrive as system keys while Alt is held).
    BYTE saved[256], state[256];
    ::GetKeyboardState(saved);
    ::GetKeyboardState(state);
    state[VK_MENU] = 0x80;
    ::SetKeyboardState(state);
    m = Key(target, WM_SYSKEYDOWN, 'V');
    const bool consumed = bar.PreTranslate(&m);
    ::SetKeyboardState(saved);
    EXPECT_TRUE(consumed);
    seen = PumpPopup(bar);
    EXPECT_TRUE(seen.menuWindow);
    EXPECT_EQ(seen.hot, 2);
}

TEST_F(BarsTest, BandCommandsHideShowAndLockAndTheLayoutIsStored) {
    EXPECT_TRUE(bars.IsBandVisible(shell::BandKind::StandardBar));
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(ID_VIEW_STANDARD_BAR, 0), 0);
    EXPECT_FALSE(bars.IsBandVisible(shell::BandKind::StandardBar));
    CCmdUI ui;
    frame.UpdateCommandState(ID_VIEW_STANDARD_BAR, &ui);
    EXPECT_TRUE(ui.m_bEnabled);
    EXPECT_FALSE(ui.m_bChecked);

    EXPECT_EQ(bars.GapBelow(), 7);
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(ID_VIEW_LOCK_BARS, 0), 0);
    EXPECT_EQ(bars.GapBelow(), 4);
    EXPECT_TRUE(bars.BandStyle(shell::BandKind::MenuBar) & shell::kBandNoGripper);
    EXPECT_TRUE(bars.BandStyle(shell::BandKind::AddressBar) & shell::kBandNoGripper);
    EXPECT_EQ(bars.BandStyle(shell::BandKind::CloseButton) & 0x3FF, 291);
    CCmdUI lock;
    frame.UpdateCommandState(ID_VIEW_LOCK_BARS, &lock);
    EXPECT_TRUE(lock.m_bChecked);

    bars.SaveState();
    EXPECT_EQ(store.ReadSettingInt("Main", "StandardBarDisp", 1), 0);
    // Hidden, yet its style is stored without the hidden bit.
    EXPECT_EQ(store.ReadSettingInt("Main", "StandardBarStyle", 0) & shell::kBandHidden, 0);
    EXPECT_EQ(store.ReadSettingInt("Main", "MenuBarStyle", 0), 0x300);
    EXPECT_EQ(store.ReadSettingInt("Main", "StandardBarIndex", -1), 2);
    EXPECT_EQ(store.ReadSettingInt("Main", "AddressBoxIndex", -1), 3);
    EXPECT_EQ(store.ReadSettingInt("Main", "AddressBoxDisp", 0), 1);
}

TEST_F(BarsTest, ToolBarArrangementRoundTripsThroughTheRegistry) {
    CStandardBar& tool = bars.StandardBar();
    EXPECT_EQ(tool.Arrangement(), shell::DefaultArrangement());
    const shell::ToolArrangement mine = {31, shell::kToolSeparator, 2, 6, 15};
    tool.SetArrangement(mine);
    bars.SaveState();
    BYTE data[64] = {};
    DWORD size = sizeof data, type = 0;
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kRoot) + "\\Main").c_str(), 0, KEY_READ, &key),
              ERROR_SUCCESS);
    EXPECT_EQ(::RegQueryValueExA(key, "ToolBar", nullptr, &type, data, &size), ERROR_SUCCESS);
    ::RegCloseKey(key);
    EXPECT_EQ(size, 4u + 2u * mine.size());

    CStandardBar other;
    ASSERT_TRUE(other.Create(frame.m_hWnd, 4999));
    other.LoadArrangement();
    EXPECT_EQ(other.Arrangement(), mine);
    // The check button of the internal browser and the drop-down keep their styles.
    TBBUTTON b = {};
    other.SendMessage(TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&b));
    EXPECT_EQ(b.idCommand, 32803);
    EXPECT_TRUE(b.fsStyle & BTNS_CHECK);
    other.SendMessage(TB_GETBUTTON, 3, reinterpret_cast<LPARAM>(&b));
    EXPECT_TRUE(b.fsStyle & BTNS_DROPDOWN);
    EXPECT_EQ(CStandardBar::ButtonText(40034), "検索");
}

TEST_F(BarsTest, AddressBarKeepsTwentyPathsAndStoresThem) {
    CAddressBar& address = bars.AddressBar();
    for (int i = 0; i < 21; ++i) address.ShowPath("C:\\docs\\page" + std::to_string(i) + ".html");
    EXPECT_EQ(address.SendMessage(CB_GETCOUNT), 20);
    EXPECT_EQ(address.SendMessage(CB_GETCURSEL), 0);
    address.ShowPath("c:\\DOCS\\page5.html");
    EXPECT_EQ(address.SendMessage(CB_GETCURSEL), 15);
    char text[MAX_PATH] = {};
    address.SendMessage(CB_GETLBTEXT, 19, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "C:\\docs\\page1.html");
    bars.SaveState();
    EXPECT_EQ(store.ReadSettingInt("History\\File", "Count", 0), 20);
    EXPECT_EQ(store.ReadSettingString("History\\File", "Path0", ""), "C:\\docs\\page20.html");
}

// The shell's icons come after the bar shows: the entries, the selection
// and the text being typed stay.
TEST_F(BarsTest, AddressBarIconsComeLaterWithoutTouchingTheEntries) {
    CAddressBar& address = bars.AddressBar();
    address.ShowPath("C:\\docs\\a.html");
    address.ShowPath("C:\\docs\\b.html");
    address.ShowPath("C:\\docs\\a.html");
    HWND edit = reinterpret_cast<HWND>(address.SendMessage(CBEM_GETEDITCONTROL));
    ASSERT_NE(edit, nullptr);
    ::SetWindowTextA(edit, "C:\\do");
    address.ShowIcons();
    EXPECT_NE(address.SendMessage(CBEM_GETIMAGELIST), 0);
    EXPECT_EQ(address.SendMessage(CB_GETCOUNT), 2);
    EXPECT_EQ(address.SendMessage(CB_GETCURSEL), 1);
    char text[MAX_PATH] = {};
    ::GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "C:\\do");
    address.SendMessage(CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "C:\\docs\\b.html");
}

class AnsweringBoxes : public IMessageBoxService {
public:
    std::deque<int> answers;
    std::vector<std::string> texts;
    std::vector<UINT> types;
    int Show(HWND, const std::string& text, const std::string& title, UINT type) override {
        EXPECT_EQ(title, "Pembroquil");
        texts.push_back(text);
        types.push_back(type);
        if (answers.empty()) return IDCANCEL;
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
};

class KeyPageTest : public RegistryTest {
protected:
    void SetUp() override {
        RegistryTest::SetUp();
        previous = SetMessageBoxService(&boxes);
        commands.InstallKeyTable(keys::BuildDefaultTable());
        ASSERT_TRUE(commands.BuildMenus());
    }
    void TearDown() override {
        SetMessageBoxService(previous);
        RegistryTest::TearDown();
    }
    void Click(CKeyPage& page, int id) {
        page.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(page.GetDlgItem(id)));
    }
    void ChooseKey(CKeyPage& page, const char* name, bool ctrl) {
        ::CheckDlgButton(page.m_hWnd, IDC_KEY_CTRL, ctrl ? BST_CHECKED : BST_UNCHECKED);
        const int index = name ? keys::FindKeyName(name) + 1 : 0;
        ::SendMessageA(page.GetDlgItem(IDC_KEY_KEYS), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_KEY_KEYS, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(page.GetDlgItem(IDC_KEY_KEYS)));
    }
    const keys::KeyPageEntry& Entry(CKeyPage& page, std::size_t category, std::size_t index) {
        return page.Model().categories[category].entries[index];
    }
    bool AssignEnabled(CKeyPage& page) { return ::IsWindowEnabled(page.GetDlgItem(IDC_KEY_ASSIGN)) != 0; }

    AnsweringBoxes boxes;
    IMessageBoxService* previous = nullptr;
    CommandManager commands;
};

TEST_F(KeyPageTest, AssignWithConflictQuestionResetAndApply) {
    CKeyPage page(commands, 1);  // the Edit category
    CPropertySheet sheet("カスタマイズ", nullptr);
    sheet.AddPage(&page);
    ASSERT_NE(sheet.Create(), nullptr);
    ASSERT_NE(page.m_hWnd, nullptr);

    // Categories: the six menus and the keys-only one, names cut at "(".
    ASSERT_EQ(page.Model().categories.size(), 7u);
    EXPECT_EQ(page.Model().categories[0].name, "ファイル");
    EXPECT_EQ(page.Model().categories[6].name, "メニュー以外");
    EXPECT_EQ(page.Model().categories[3].entries.size(), 0u);  // no registered tags
    // The File menu's submenus count as its own items: the five codes, the
    // four line ends, the bookmark submenus with their ten slots each and
    // the delete-all item.
    EXPECT_EQ(page.Model().categories[0].entries.size(), 8u + 9u + 11u + 10u + 1u);
    // Opening selects the category asked for and its first command.
    EXPECT_EQ(Entry(page, 1, 0).name, "元に戻す");
    EXPECT_EQ(page.Current().category, 1u);
    EXPECT_EQ(page.Current().entry, 0u);
    EXPECT_TRUE(::IsDlgButtonChecked(page.m_hWnd, IDC_KEY_CTRL));
    EXPECT_EQ(::SendMessageA(page.GetDlgItem(IDC_KEY_KEYS), CB_GETCURSEL, 0, 0), keys::FindKeyName("Z") + 1);
    EXPECT_FALSE(AssignEnabled(page));
    char description[256] = {};
    ::GetDlgItemTextA(page.m_hWnd, IDC_KEY_DESCRIPTION, description, sizeof description);
    EXPECT_STREQ(description, "直前の操作を元に戻します。");

    // "削除" (index 5) takes Ctrl+Z: Cancel first, then OK.
    page.SelectCommand(5);
    EXPECT_EQ(Entry(page, 1, 5).name, "削除");
    ChooseKey(page, "Z", true);
    EXPECT_TRUE(AssignEnabled(page));
    boxes.answers = {IDCANCEL};
    Click(page, IDC_KEY_ASSIGN);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "Ctrl+Zは '元に戻す' で使用されていますが\n'削除' に変更してもよろしいですか？");
    EXPECT_EQ(boxes.types[0], static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(Entry(page, 1, 0).key, 'Z');
    EXPECT_FALSE(Entry(page, 1, 5).HasKey());
    boxes.answers = {IDOK};
    Click(page, IDC_KEY_ASSIGN);
    EXPECT_FALSE(Entry(page, 1, 0).HasKey());
    EXPECT_EQ(Entry(page, 1, 5).key, 'Z');
    EXPECT_FALSE(AssignEnabled(page));

    // "（未登録）" for a command with a key enables assign and removes it.
    page.SelectCommand(1);  // やり直し, Ctrl+Y
    ChooseKey(page, nullptr, false);
    EXPECT_TRUE(AssignEnabled(page));
    Click(page, IDC_KEY_ASSIGN);
    EXPECT_FALSE(Entry(page, 1, 1).HasKey());
    EXPECT_EQ(boxes.texts.size(), 2u);  // no question for removing a key

    // Reset: Cancel keeps the page, OK brings the built-in keys back.
    boxes.answers = {IDCANCEL};
    Click(page, IDC_KEY_RESET);
    EXPECT_EQ(boxes.texts.back(), "割り当てをすべてリセットしてもよろしいですか？");
    EXPECT_EQ(Entry(page, 1, 5).key, 'Z');
    boxes.answers = {IDOK};
    Click(page, IDC_KEY_RESET);
    EXPECT_EQ(Entry(page, 1, 0).key, 'Z');
    EXPECT_FALSE(Entry(page, 1, 5).HasKey());
    EXPECT_EQ(Entry(page, 1, 1).key, 'Y');

    // Take Ctrl+Z for "削除" again and confirm the sheet: the table and the
    // menus follow the page.
    page.SelectCommand(5);
    ChooseKey(page, "Z", true);
    boxes.answers = {IDOK};
    Click(page, IDC_KEY_ASSIGN);
    ::SendMessageA(sheet.GetSafeHwnd(), PSM_PRESSBUTTON, PSBTN_OK, 0);
    EXPECT_EQ(commands.KeyText(40011, false), "Ctrl+Z");
    EXPECT_EQ(commands.KeyText(32771, false), "");
    char text[128] = {};
    ::GetMenuStringA(commands.BarMenu(), 40011, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "削除(&D)\tCtrl+Z");
    // The page's table keeps page order: File's keys come first.
    EXPECT_EQ(commands.CopyKeyTable().front(), (keys::KeyBinding{0x0B, 'N', 32777}));
    // The bookmark keys were left alone on the page and stay as they were.
    EXPECT_EQ(commands.KeyText(25011, false), "Ctrl+1");
    EXPECT_EQ(commands.KeyText(25009, false), "Ctrl+Shift+9");
}

}  // namespace
