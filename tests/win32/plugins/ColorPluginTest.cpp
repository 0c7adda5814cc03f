// The Color plug-in loaded by a host frame with real editors: its window
// found and driven, the exact bytes inserted, modal and modeless, and
// "Color.ini" written when the window goes.
#include <gtest/gtest.h>

#include "tests/win32/plugins/PluginTestHost.h"

namespace {

using namespace plugintest;

const char kTitle[] = "カラー値取得 ver2.00";
const char kBoxTitle[] = "Pembroquil Plugin";
constexpr int kCombo = 1004;

class ColorPluginTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(frame.Create());
        ASSERT_TRUE(module.Load("Color.pqi"));
        ASSERT_NE(module.Run(), nullptr);
    }
    void TearDown() override {
        if (module.End()) module.End()();
        frame.Destroy();
    }
    // Types a text into the colour box as the user does.
    static void Type(HWND dialog, const char* text) {
        HWND combo = ::GetDlgItem(dialog, kCombo);
        ::SetWindowTextA(combo, text);
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kCombo, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(combo));
    }
    static std::uint32_t Bars(HWND dialog) {
        return static_cast<std::uint32_t>(BarPos(dialog, 1009) | BarPos(dialog, 1010) << 8 | BarPos(dialog, 1011) << 16);
    }
    std::string Ini(const char* key) { return module.ReadIni("Color.ini", "Color", key); }

    CHostFrame frame;
    CModuleCopy module;
};

TEST_F(ColorPluginTest, FirstRunIsModalListsValuesAndInsertsUpperCase) {
    HWND seen = nullptr;
    CScript script({
        [&] { return (seen = FindDialog(kTitle)) != nullptr; },
        [&] {
            HWND combo = ::GetDlgItem(seen, kCombo);
            EXPECT_EQ(::SendMessageA(combo, CB_GETCOUNT, 0, 0), 147);
            EXPECT_EQ(ListText(combo, 0), "#f0f8ff");
            EXPECT_EQ(ListText(combo, 146), "#9acd32");
            // The re-created list scrolls (the system may keep the style on
            // the drop-down list rather than on the combo box itself).
            COMBOBOXINFO info = {};
            info.cbSize = sizeof(info);
            EXPECT_TRUE(::GetComboBoxInfo(combo, &info));
            EXPECT_TRUE(((::GetWindowLongA(combo, GWL_STYLE) | ::GetWindowLongA(info.hwndList, GWL_STYLE)) &
                         WS_VSCROLL) != 0);
            EXPECT_EQ(Bars(seen), 0x808080u);
            // Typed texts and the colour they give.
            const struct {
                const char* text;
                std::uint32_t rgb;
            } cases[] = {{"#12ab", 0}, {"#12AB3C", 0x3CAB12}, {"Navy", 0x800000}, {"navyblue", 0}};
            for (const auto& c : cases) {
                Type(seen, c.text);
                EXPECT_EQ(Bars(seen), c.rgb) << c.text;
                EXPECT_EQ(ItemText(seen, kCombo), c.text);
            }
            ChooseItem(seen, kCombo, 0);  // aliceblue
            EXPECT_EQ(Bars(seen), 0xFFF8F0u);
            Photograph(seen, "color_plugin_modal");
            PostClick(seen, IDOK);
            return true;
        },
    });
    EXPECT_EQ(module.Run()(frame.m_hWnd, frame.editors[0].m_hWnd, 0), 1);
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(FindDialog(kTitle), nullptr);
    EXPECT_EQ(frame.Text(0), "#F0F8FF");
    EXPECT_EQ(Ini("LastColor"), "#f0f8ff");
    EXPECT_EQ(Ini("Modeless"), "0");
    EXPECT_EQ(Ini("Value"), "0");
    EXPECT_EQ(Ini("InsertMethod"), "0");
    EXPECT_EQ(Ini("BackColor"), "0");
}

TEST_F(ColorPluginTest, NamesInsertedInLowerCaseAndSettingsReadBackChecked) {
    module.WriteIni("Color.ini", "Color", "Value", "5");
    module.WriteIni("Color.ini", "Color", "InsertMethod", "1");
    module.WriteIni("Color.ini", "Color", "BackColor", "-1");
    module.WriteIni("Color.ini", "Color", "LastColor", "GhostWhite and a great deal more than fits");
    HWND seen = nullptr;
    CScript script({
        [&] { return (seen = FindDialog(kTitle)) != nullptr; },
        [&] {
            HWND combo = ::GetDlgItem(seen, kCombo);
            EXPECT_EQ(ListText(combo, 53), "ghostwhite");
            EXPECT_EQ(ItemText(seen, kCombo), "GhostWhite and a great deal mor");  // 31 bytes
            EXPECT_EQ(Bars(seen), 0u);
            ChooseItem(seen, kCombo, 53);
            EXPECT_EQ(Bars(seen), 0xFF8F8Fu);  // the table's ghostwhite
            PostClick(seen, IDOK);
            return true;
        },
    });
    frame.SetText(0, "a  b");
    frame.editors[0].Model().SetSelectionOffsets(1, 3);
    module.Run()(frame.m_hWnd, frame.editors[0].m_hWnd, 0);
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(frame.Text(0), "aghostwhiteb");
    EXPECT_EQ(Ini("Value"), "1");
    EXPECT_EQ(Ini("InsertMethod"), "1");
    EXPECT_EQ(Ini("BackColor"), "16777215");
}

TEST_F(ColorPluginTest, ModelessFollowsTheActiveEditorAndTheEndEntryClosesAndSaves) {
    module.WriteIni("Color.ini", "Color", "Modeless", "1");
    module.WriteIni("Color.ini", "Color", "InsertMethod", "2");
    ASSERT_EQ(module.Run()(frame.m_hWnd, frame.editors[0].m_hWnd, 0), 1);
    HWND dialog = FindDialog(kTitle);
    ASSERT_NE(dialog, nullptr);
    // A second run brings the same window forward.
    EXPECT_EQ(module.Run()(frame.m_hWnd, frame.editors[0].m_hWnd, 0), 1);
    EXPECT_EQ(FindDialog(kTitle), dialog);

    Type(dialog, "#12AB3C");
    ::SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    frame.active = 1;
    Type(dialog, "Red");
    ::SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(frame.Text(0), "#12AB3C");
    EXPECT_EQ(frame.Text(1), "Red");
    EXPECT_TRUE(::IsWindow(dialog));

    // No editor, and a frame that does not answer: nothing is inserted.
    frame.answer = CHostFrame::Answer::NoEditor;
    {
        CScript script({[&] { PostClick(dialog, IDOK); return true; },
                        AnswerBox(kBoxTitle, "挿入できません。", IDOK)});
        script.Pump();
        EXPECT_TRUE(script.Done());
    }
    frame.answer = CHostFrame::Answer::Silent;
    {
        CScript script({[&] { PostClick(dialog, IDOK); return true; },
                        AnswerBox(kBoxTitle, "挿入できません。", IDOK)});
        script.Pump();
        EXPECT_TRUE(script.Done());
    }
    EXPECT_EQ(frame.Text(0), "#12AB3C");
    EXPECT_EQ(frame.Text(1), "Red");
    Photograph(dialog, "color_plugin_modeless");

    // Switching the mode takes effect on the next opening.
    {
        CScript script({[&] { PostClick(dialog, 40006); return true; },
                        AnswerBox(kBoxTitle, "本設定は次回以降の起動時から反映されます。", IDOK)});
        script.Pump();
    }
    EXPECT_TRUE(::IsWindow(dialog));
    EXPECT_EQ(module.End()(), 1);
    EXPECT_FALSE(::IsWindow(dialog));
    EXPECT_EQ(module.End()(), 0);
    EXPECT_EQ(Ini("LastColor"), "Red");
    EXPECT_EQ(Ini("Modeless"), "0");
    EXPECT_EQ(Ini("InsertMethod"), "2");
}

TEST_F(ColorPluginTest, TheEndEntryOfTheFileMenuClosesTheModelessWindow) {
    module.WriteIni("Color.ini", "Color", "Modeless", "1");
    module.Run()(frame.m_hWnd, frame.editors[0].m_hWnd, 0);
    HWND dialog = FindDialog(kTitle);
    ASSERT_NE(dialog, nullptr);
    Type(dialog, "teal");
    ::SendMessageA(dialog, WM_COMMAND, 40009, 0);
    EXPECT_FALSE(::IsWindow(dialog));
    EXPECT_EQ(Ini("LastColor"), "teal");
    EXPECT_EQ(Ini("Modeless"), "1");
    EXPECT_EQ(module.End()(), 0);
}

TEST_F(ColorPluginTest, TheModelessWindowTakesItsKeysInAPlainMessageLoop) {
    module.WriteIni("Color.ini", "Color", "Modeless", "1");
    module.Run()(frame.m_hWnd, frame.editors[0].m_hWnd, 0);
    HWND dialog = FindDialog(kTitle);
    ASSERT_NE(dialog, nullptr);
    // Esc on the colour button, through a loop that knows nothing of dialogs.
    ::PostMessageA(::GetDlgItem(dialog, 1008), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    MSG msg;
    while (::IsWindow(dialog) && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    EXPECT_FALSE(::IsWindow(dialog));
}

}  // namespace
