// The Gradation plug-in loaded by a host frame with a real editor: the
// dialog found and driven, the exact HTML inserted for the selection's first
// line, and the presets of "Gradation.ini" saved, read back and deleted.
#include <gtest/gtest.h>

#include "tests/win32/plugins/PluginTestHost.h"

namespace {

using namespace plugintest;

const char kTitle[] = "グラデーション ver1.07";
constexpr int kPresets = 1002, kText = 1000, kSize = 1026, kBold = 1011, kItalic = 1012, kUseCenter = 1046;
constexpr int kBeginList = 1043, kEndList = 1045;

class GradationPluginTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(frame.Create());
        ASSERT_TRUE(module.Load("Gradation.pqi"));
        ASSERT_NE(module.Run(), nullptr);
    }
    void TearDown() override { frame.Destroy(); }
    int Run() { return module.Run()(frame.m_hWnd, frame.editors[0].m_hWnd, 0); }
    std::string Ini(const char* key) { return module.ReadIni("Gradation.ini", "Gradation", key); }
    static void Click(HWND dialog, int id) {
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
    }
    static int Count(HWND dialog, int id) {
        return static_cast<int>(::SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0));
    }

    CHostFrame frame;
    CModuleCopy module;
};

TEST_F(GradationPluginTest, InsertsOneSpanPerCharacterOfTheSelectionsFirstLine) {
    frame.SetText(0, "x\x95\x5C" "bc\tdef\r\nsecond");
    frame.editors[0].Model().SetSelectionOffsets(1, 11);
    HWND seen = nullptr;
    CScript script({
        [&] { return (seen = FindDialog(kTitle)) != nullptr; },
        [&] {
            EXPECT_EQ(ItemText(seen, kText), "\x95\x5C" "bc");  // 表bc
            EXPECT_EQ(ItemText(seen, kSize), "30");
            EXPECT_EQ(Count(seen, kBeginList), 149);
            EXPECT_EQ(Count(seen, kPresets), 4);
            EXPECT_EQ(ListText(::GetDlgItem(seen, kPresets), 0), "サンプル１");
            EXPECT_TRUE(::IsDlgButtonChecked(seen, kUseCenter));
            Photograph(seen, "gradation_plugin");
            // Black to blue without the centre, italic.
            ::CheckDlgButton(seen, kUseCenter, BST_UNCHECKED);
            Click(seen, kUseCenter);
            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(seen, 1044)));
            ChooseItem(seen, kBeginList, 2 + 7);  // black
            ChooseItem(seen, kEndList, 2 + 9);    // blue
            EXPECT_EQ(BarPos(seen, 1025), 255);
            ::CheckDlgButton(seen, kItalic, BST_CHECKED);
            Click(seen, kItalic);
            PostClick(seen, IDOK);
            return true;
        },
    });
    EXPECT_EQ(Run(), 1);
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(frame.Text(0),
              "x<span style=\"font-family:ＭＳ Ｐゴシック; font-size:30px; background-color:#400000; "
              "font-style:italic;\">"
              "<span style=\"color:#000000;\">\x95\x5C</span>"
              "<span style=\"color:#00007f;\">b</span>"
              "<span style=\"color:#0000ff;\">c</span></span>second");
}

TEST_F(GradationPluginTest, TheWholeTextIsInsertedHoweverWideThePreview) {
    const std::string wide(120, 'W');
    CScript script({
        [&] {
            HWND d = FindDialog(kTitle);
            if (!d) return false;
            // Growing the dialog keeps the buttons at the corner and widens the preview.
            RECT win, ok0, ok1, pv0, pv1;
            ::GetWindowRect(d, &win);
            ::GetWindowRect(::GetDlgItem(d, IDOK), &ok0);
            ::GetWindowRect(::GetDlgItem(d, 1013), &pv0);
            ::SetWindowPos(d, nullptr, 0, 0, win.right - win.left + 100, win.bottom - win.top + 50,
                           SWP_NOMOVE | SWP_NOZORDER);
            ::GetWindowRect(::GetDlgItem(d, IDOK), &ok1);
            ::GetWindowRect(::GetDlgItem(d, 1013), &pv1);
            EXPECT_EQ(ok1.left - ok0.left, 100);
            EXPECT_EQ(ok1.top - ok0.top, 50);
            EXPECT_EQ(pv1.left, pv0.left);
            EXPECT_EQ(pv1.right - pv0.right, 100);
            EXPECT_EQ(pv1.bottom - pv0.bottom, 50);
            ::SetDlgItemTextA(d, kSize, "60");
            ::SetDlgItemTextA(d, kText, wide.c_str());
            PostClick(d, IDOK);
            return true;
        },
    });
    Run();
    const std::string text = frame.Text(0);
    std::size_t spans = 0;
    for (std::size_t i = text.find(">W</span>"); i != std::string::npos; i = text.find(">W</span>", i + 1)) ++spans;
    EXPECT_EQ(spans, 120u);
    EXPECT_NE(text.find("font-size:60px;"), std::string::npos);
}

TEST_F(GradationPluginTest, PresetsAreSavedReadBackAndAllDeleted) {
    // A built-in preset chosen, then saved under a new name at the front.
    CScript save({
        [&] {
            HWND d = FindDialog(kTitle);
            if (!d) return false;
            ChooseItem(d, kPresets, 1);
            EXPECT_EQ(ItemText(d, kText), "Pembroquil is good!?");
            EXPECT_EQ(ItemText(d, kSize), "40");
            EXPECT_TRUE(::IsDlgButtonChecked(d, kBold));
            EXPECT_TRUE(::IsDlgButtonChecked(d, kItalic));
            EXPECT_FALSE(::IsDlgButtonChecked(d, kUseCenter));
            ::SetDlgItemTextA(d, kText, "\x8E\x84\x82\xCC");  // 私の
            PostClick(d, 1029);
            return true;
        },
        [&] {
            HWND name = FindDialog("登録名の保存");
            if (!name) return false;
            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(name, IDOK)));
            ::SetDlgItemTextA(name, 1000, "Mine");
            EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(name, IDOK)));
            PostClick(name, IDOK);
            return true;
        },
        [&] {
            HWND d = FindDialog(kTitle);
            if (FindDialog("登録名の保存")) return false;
            EXPECT_EQ(Count(d, kPresets), 5);
            EXPECT_EQ(ListText(::GetDlgItem(d, kPresets), 0), "Mine");
            EXPECT_EQ(::SendDlgItemMessageA(d, kPresets, CB_GETCURSEL, 0, 0), 0);
            ::CheckDlgButton(d, 1039, BST_CHECKED);  // fixed text on preset changes: written at once
            Click(d, 1039);
            ::SendMessageA(d, WM_COMMAND, IDCANCEL, 0);
            return true;
        },
    });
    Run();
    EXPECT_TRUE(save.Done());
    EXPECT_EQ(Ini("Count"), "5");
    EXPECT_EQ(Ini("Name0"), "Mine");
    EXPECT_EQ(Ini("Str0"), "\x8E\x84\x82\xCC");
    EXPECT_EQ(Ini("Font0"), "Arial Black");
    EXPECT_EQ(Ini("Size0"), "40");
    EXPECT_EQ(Ini("Bold0"), "1");
    EXPECT_EQ(Ini("TwoColor0"), "1");
    EXPECT_EQ(Ini("EndColor0"), std::to_string(0xa0 | 0xa0 << 8));
    EXPECT_EQ(Ini("Name4"), "サンプル４");
    EXPECT_EQ(module.ReadIni("Gradation.ini", "Option", "NoChange"), "1");

    // Read back; deleting with nothing chosen warns; every preset deleted.
    std::vector<CScript::Step> steps = {
        [&] {
            HWND d = FindDialog(kTitle);
            if (!d) return false;
            EXPECT_EQ(Count(d, kPresets), 5);
            EXPECT_EQ(ListText(::GetDlgItem(d, kPresets), 0), "Mine");
            EXPECT_TRUE(::IsDlgButtonChecked(d, 1039));
            PostClick(d, 1028);
            return true;
        },
        AnswerBox(kTitle, "削除したい項目を選択してください。", IDOK),
    };
    for (int i = 0; i < 5; ++i) {
        steps.push_back([&] {
            HWND d = FindDialog(kTitle);
            if (!d || FindMessageBox(kTitle)) return false;
            ChooseItem(d, kPresets, 0);
            PostClick(d, 1028);
            return true;
        });
        steps.push_back(AnswerBox(kTitle, "選択されている項目を削除してもいいですか？", IDOK));
    }
    steps.push_back([&] {
        HWND d = FindDialog(kTitle);
        if (!d || FindMessageBox(kTitle)) return false;
        EXPECT_EQ(Count(d, kPresets), 0);
        ::PostMessageA(d, WM_CLOSE, 0, 0);
        return true;
    });
    CScript remove(steps, 60000);  // eleven dialogs and boxes: slow on a loaded machine
    Run();
    EXPECT_TRUE(remove.Done());
    EXPECT_EQ(Ini("Count"), "0");
    EXPECT_EQ(Ini("Name0"), "<absent>");

    // The built-in presets do not come back.
    CScript again({[&] {
        HWND d = FindDialog(kTitle);
        if (!d) return false;
        EXPECT_EQ(Count(d, kPresets), 0);
        ::SendMessageA(d, WM_COMMAND, IDCANCEL, 0);
        return true;
    }});
    Run();
    EXPECT_TRUE(again.Done());
}

}  // namespace
