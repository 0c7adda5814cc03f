// The editor window around its model: creation, typing, the private
// messages and the parent notifications.
#include <gtest/gtest.h>

#include <vector>

#include "editor/core/EditorMessages.h"
#include "editor/win/CanvasEdit.h"
#include "win32/canvasedit/CanvasEditTestWindow.h"

namespace {

using CanvasEditBasicsTest = canvasedittest::EditorWindowTest;

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
