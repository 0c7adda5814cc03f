// The editor window around its model: creation, typing, the private
// messages and the parent notifications.
#include <gtest/gtest.h>

#include <vector>

#include "editor/core/EditorMessages.h"
#include "editor/win/CanvasEdit.h"

namespace {

class CParent : public CWnd {
public:
    std::vector<int> codes;
    LRESULT OnCommandMsg(WPARAM wParam, LPARAM) {
        if (LOWORD(wParam) == 0) codes.push_back(HIWORD(wParam));
        return 0;
    }
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (message == WM_COMMAND) {
            *result = OnCommandMsg(wParam, lParam);
            return true;
        }
        return CWnd::OnWndMsg(message, wParam, lParam, result);
    }
};

class CanvasEditBasicsTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        wc.lpszClassName = "PqEditorTestParent";
        ASSERT_TRUE(CWnd::RegisterWindowClass(wc));
        ASSERT_TRUE(parent.CreateEx(0, "PqEditorTestParent", "", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400, nullptr, 0));
        RECT rc = {0, 0, 600, 400};
        ASSERT_TRUE(edit.Create(parent.m_hWnd, CCanvasEdit::kControlId, &rc));
    }
    void TearDown() override {
        edit.DestroyWindow();
        parent.DestroyWindow();
    }
    CParent parent;
    CCanvasEdit edit;
};

TEST_F(CanvasEditBasicsTest, TypedBytesReachTheModelAndTheParentHearsOfThem) {
    char cls[32] = {};
    ::GetClassNameA(edit.m_hWnd, cls, sizeof cls);
    EXPECT_STREQ(cls, "CanvasEdit");
    EXPECT_EQ(::GetDlgCtrlID(edit.m_hWnd), 4006);
    EXPECT_EQ(CCanvasEdit::FromEditorHandle(edit.m_hWnd), &edit);
    parent.codes.clear();
    for (unsigned char c : std::string("a表")) edit.SendMessage(WM_CHAR, c, 0);
    std::string text;
    edit.Model().GetText(text);
    EXPECT_EQ(text, "a表");
    EXPECT_NE(std::find(parent.codes.begin(), parent.codes.end(), 0x465), parent.codes.end());
    EXPECT_NE(std::find(parent.codes.begin(), parent.codes.end(), 0x464), parent.codes.end());
}

TEST_F(CanvasEditBasicsTest, PrivateMessagesAreAnswered) {
    edit.Model().SetText(std::string("abc\r\ndef"));
    EXPECT_EQ(edit.SendMessage(editor::kEditorGetTextLength), 8);
    edit.SendMessage(editor::kEditorSetSel, 5, 8);
    EXPECT_EQ(edit.SendMessage(editor::kEditorGetSelLength), 3);
    edit.SendMessage(editor::kEditorReplaceSel, 1, reinterpret_cast<LPARAM>("XYZ!"));
    char buf[32] = {};
    EXPECT_EQ(edit.SendMessage(editor::kEditorGetText, 0, reinterpret_cast<LPARAM>(buf)), 9);
    EXPECT_STREQ(buf, "abc\r\nXYZ!");
}

}  // namespace
