// The plug-in host with a probe module: how modules are found, called and
// released, and what the main frame answers a plug-in asking for the editor.
#include <gtest/gtest.h>

#include "shell/win/MainFrame.h"
#include "support/RecordingMessageBoxes.h"
#include "tags/win/PluginHost.h"
#include "tests/win32/plugins/PluginTestHost.h"
#include "tests/win32/support/OtherThread.h"

namespace {

struct ProbeState {
    int attaches, runs, conclusions;
    HWND frame, editor;
    int third;
    HWND asked;
    int mode;
    HWND dialog;
    char selected[256];
};

ProbeState* StateOf(void* module) {
    using Get = ProbeState*(__cdecl*)();
    auto get = reinterpret_cast<Get>(reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(module), "ProbeGetState")));
    return get ? get() : nullptr;
}

tags::PluginTagData Tag(const char* file) {
    tags::PluginTagData r;
    tags::SetField(r.File, file);
    return r;
}

class PluginHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(frame.Create());
        old = SetMessageBoxService(&boxes);
    }
    void TearDown() override {
        SetMessageBoxService(old);
        frame.Destroy();
    }
    plugintest::CHostFrame frame;
    RecordingMessageBoxes boxes;
    IMessageBoxService* old = nullptr;
};

}  // namespace

TEST_F(PluginHostTest, LoadedOnceCalledPerRunAndReleasedWithItsEndEntry) {
    tags::PluginTagData tag = Tag("Probe.pqi");
    frame.SetText(0, "abc");
    frame.editors[0].Model().SetSelectionOffsets(1, 3);
    EXPECT_EQ(tagswin::RunPlugin(tag, frame.m_hWnd, frame.editors[0].m_hWnd), tagswin::PluginRun::Ran);
    ASSERT_NE(tag.Module, nullptr);
    void* module = tag.Module;
    ProbeState* s = StateOf(module);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(tagswin::RunPlugin(tag, frame.m_hWnd, frame.editors[0].m_hWnd), tagswin::PluginRun::Ran);
    EXPECT_EQ(tag.Module, module);
    EXPECT_EQ(s->attaches, 1);
    EXPECT_EQ(s->runs, 2);
    EXPECT_EQ(s->frame, frame.m_hWnd);
    EXPECT_EQ(s->editor, frame.editors[0].m_hWnd);
    EXPECT_EQ(s->third, 0);
    EXPECT_EQ(s->asked, frame.editors[0].m_hWnd);
    EXPECT_STREQ(s->selected, "");  // the first run left the caret after its text
    EXPECT_EQ(frame.Text(0), "a[bc][]");
    // No editor: loaded, not called.
    EXPECT_EQ(tagswin::RunPlugin(tag, frame.m_hWnd, nullptr), tagswin::PluginRun::NoEditor);
    EXPECT_EQ(s->runs, 2);
    tagswin::ReleasePlugin(tag);
    EXPECT_EQ(tag.Module, nullptr);
    EXPECT_EQ(::GetModuleHandleA("Probe.pqi"), nullptr);
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(PluginHostTest, MissingModulesAndNamesOutsideTheFolderGiveTheMessage) {
    for (const char* file : {"Missing.pqi", "..\\Plugins\\Probe.pqi", "***.pqi", "C:\\x.pqi"}) {
        tags::PluginTagData tag = Tag(file);
        boxes.texts.clear();
        EXPECT_EQ(tagswin::RunPlugin(tag, frame.m_hWnd, frame.editors[0].m_hWnd), tagswin::PluginRun::NotFound);
        EXPECT_EQ(tag.Module, nullptr);
        ASSERT_EQ(boxes.texts.size(), 1u);
        EXPECT_EQ(boxes.texts[0], std::string(file) + "ファイルが見つかりません\nパスを確認してください");
    }
    // A module without the run entry says nothing and stays loaded.
    tags::PluginTagData tag = Tag("NoEntry.pqi");
    boxes.texts.clear();
    EXPECT_EQ(tagswin::RunPlugin(tag, frame.m_hWnd, frame.editors[0].m_hWnd), tagswin::PluginRun::NoEntry);
    EXPECT_NE(tag.Module, nullptr);
    EXPECT_TRUE(boxes.texts.empty());
    tagswin::ReleasePlugin(tag);
    EXPECT_EQ(tag.Module, nullptr);
}

TEST_F(PluginHostTest, AModelessDialogMovesFocusWithTabAndClosesAtTheEnd) {
    tags::PluginTagData tag = Tag("Probe.pqi");
    ASSERT_TRUE(::LoadLibraryA((tagswin::PluginFolder() + "Probe.pqi").c_str()) != nullptr);
    HMODULE extra = ::GetModuleHandleA((tagswin::PluginFolder() + "Probe.pqi").c_str());
    StateOf(extra)->mode = 1;
    tagswin::RunPlugin(tag, frame.m_hWnd, frame.editors[0].m_hWnd);
    ProbeState* s = StateOf(tag.Module);
    ASSERT_NE(s->dialog, nullptr);
    HWND first = ::GetDlgItem(s->dialog, 100), second = ::GetDlgItem(s->dialog, 101);
    ::SetFocus(first);
    MSG msg = {first, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    tagswin::CPluginDialogKeys keys;
    EXPECT_TRUE(keys.PreTranslate(&msg));
    EXPECT_EQ(::GetFocus(), second);
    // The program's own windows are left to their own handling.
    MSG own = {frame.editors[0].m_hWnd, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_FALSE(keys.PreTranslate(&own));
    HWND dialog = s->dialog;
    tagswin::ReleasePlugin(tag);
    EXPECT_EQ(s->conclusions, 1);
    EXPECT_FALSE(::IsWindow(dialog));
    s->mode = 0;
    ::FreeLibrary(extra);
}

TEST(MainFrameEditorQueryTest, AnswersTheActiveEditorToSendsOfItsOwnThread) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES |
                                                ICC_USEREX_CLASSES | ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&icc);
    ASSERT_TRUE(CMainFrame::RegisterFrameClass(::GetModuleHandleA(nullptr)));
    CMainFrame frame;
    ASSERT_TRUE(frame.Create());
    const HWND sentinel = reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1));
    HWND answer = sentinel;
    frame.SendMessage(WM_COMMAND, 1224, reinterpret_cast<LPARAM>(&answer));
    ASSERT_NE(frame.Documents().GetEditor(-1), nullptr);
    EXPECT_EQ(answer, frame.Documents().GetEditor(-1)->m_hWnd);
    frame.SendMessage(WM_COMMAND, 1224, 0);  // nowhere to answer: nothing happens

    answer = sentinel;
    testsupport::SendFromOtherThread(frame.m_hWnd, WM_COMMAND, 1224, reinterpret_cast<LPARAM>(&answer));
    EXPECT_EQ(answer, sentinel);

    frame.Documents().SetPreviewShown(-1, 1);
    frame.SendMessage(WM_COMMAND, 1224, reinterpret_cast<LPARAM>(&answer));
    EXPECT_EQ(answer, nullptr);
    frame.Documents().SetPreviewShown(-1, 0);
    frame.DestroyWindow();
}
