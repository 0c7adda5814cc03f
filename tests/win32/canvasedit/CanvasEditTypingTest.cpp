// Typing into a shown editor through the X display, as a person would: the
// keys (and Japanese text) come from xdotool, the window takes them from the
// system's queue. Text for the host shell is in the program's code page;
// Wine hands it on as UTF-8.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "e2e/E2E.h"
#include "editor/win/CanvasEdit.h"
#include "win32/canvasedit/CanvasEditTestWindow.h"

#include <ole2.h>

namespace {

void Pump(DWORD ms) {
    const DWORD until = ::GetTickCount() + ms;
    MSG msg;
    while (static_cast<LONG>(until - ::GetTickCount()) > 0) {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(10);
    }
}

TEST(CanvasEditTypingTest, KeysAndJapaneseTextFromTheDisplayReachTheEditor) {
    canvasedittest::CParent parent;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpszClassName = "PqEditorTypingParent";
    ASSERT_TRUE(CWnd::RegisterWindowClass(wc));
    ASSERT_TRUE(parent.CreateEx(0, "PqEditorTypingParent", "typing", WS_POPUP | WS_VISIBLE, 20, 20, 600, 300, nullptr,
                                0));
    CCanvasEdit edit;
    RECT rc = {0, 0, 600, 300};
    ASSERT_TRUE(edit.Create(parent.m_hWnd, CCanvasEdit::kControlId, &rc));
    edit.Model().SetText(std::string("\x81\x40\tindented\r\nsecond line"));
    edit.Model().SetSelection(11, 0, 11, 0);
    ::SetFocus(edit.m_hWnd);
    Pump(700);
    const std::string id = e2e::XWindowId(parent.m_hWnd);
    ASSERT_FALSE(id.empty());
    // Typed text, Enter with automatic indentation, Backspace, then
    // Shift+Left to select the last character. (Japanese text typed by
    // xdotool into a window of this test program does not arrive under this
    // Wine; the double-byte pairs of WM_CHAR are tested directly.)
    ASSERT_EQ(e2e::RunHostProgram("xdotool windowfocus " + id + " sleep 0.3 type --delay 30 " + e2e::ShellQuote("!x") +
                                  "; xdotool key --delay 30 Return; xdotool type --delay 30 " + e2e::ShellQuote("ab") +
                                  "; xdotool key --delay 30 BackSpace shift+Left"),
              0);
    Pump(1000);
    std::string text;
    edit.Model().GetText(text);
    EXPECT_EQ(text, "\x81\x40\tindented!x\r\n\x81\x40\ta\r\nsecond line");
    std::string sel;
    edit.Model().GetSelectedText(sel);
    EXPECT_EQ(sel, "a");
    // Japanese text as the system delivers it to an ANSI window: byte pairs.
    edit.Model().SetSelection(0, 2, 0, 2);
    for (unsigned char c : std::string("日本語です")) ::PostMessageA(edit.m_hWnd, WM_CHAR, c, 1);
    Pump(300);
    edit.Model().GetText(text);
    EXPECT_EQ(text.substr(text.size() - 21), "日本語ですsecond line");
    EXPECT_EQ(e2e::RunHostProgram("import -window root " +
                                  e2e::ShellQuote(e2e::ToUnixPath(e2e::ScreenshotDir() + "\\canvasedit-typing.png"))),
              0);
    edit.DestroyWindow();
    parent.DestroyWindow();
}

TEST(CanvasEditTypingTest, AWordDraggedWithTheMouseMovesInOneUndoStep) {
    ::OleInitialize(nullptr);
    canvasedittest::CParent parent;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpszClassName = "PqEditorTypingParent";
    CWnd::RegisterWindowClass(wc);
    ASSERT_TRUE(parent.CreateEx(0, "PqEditorTypingParent", "dragging", WS_POPUP | WS_VISIBLE, 20, 20, 600, 300,
                                nullptr, 0));
    CCanvasEdit edit;
    RECT rc = {0, 0, 600, 300};
    ASSERT_TRUE(edit.Create(parent.m_hWnd, CCanvasEdit::kControlId, &rc));
    edit.Model().SetText(std::string("alpha beta gamma"));
    edit.Model().SetSelectionOffsets(0, 6);  // "alpha "
    ::SetFocus(edit.m_hWnd);
    Pump(700);
    const editor::ViewGeometry g = edit.Model().Geometry();
    const editor::ViewMetrics& m = edit.Model().Metrics();
    POINT from = {g.textLeft + 2 * m.charWidth + 2, g.textTop + m.lineHeight / 2};
    POINT to = {g.textLeft + 11 * m.charWidth + 1, g.textTop + m.lineHeight / 2};
    ::ClientToScreen(edit.m_hWnd, &from);
    ::ClientToScreen(edit.m_hWnd, &to);
    char cmd[256];
    std::snprintf(cmd, sizeof cmd,
                  "xdotool mousemove %ld %ld sleep 0.2 mousedown 1 sleep 0.2 mousemove %ld %ld sleep 0.2 "
                  "mousemove %ld %ld sleep 0.3 mouseup 1",
                  from.x, from.y, from.x + 20, from.y, to.x, to.y);
    // The drag runs its own loop inside the button press, so the command runs
    // in the background while this thread takes the messages.
    const std::string marker = e2e::ToUnixPath(e2e::WorkDir() + "\\drag.done");
    ::DeleteFileA((e2e::WorkDir() + "\\drag.done").c_str());
    ASSERT_EQ(e2e::RunHostProgram("(sleep 0.2; " + std::string(cmd) + "; touch " + e2e::ShellQuote(marker) +
                                  ") >/dev/null 2>&1 & true"),
              0);
    const DWORD until = ::GetTickCount() + 8000;
    while (::GetFileAttributesA((e2e::WorkDir() + "\\drag.done").c_str()) == INVALID_FILE_ATTRIBUTES &&
           static_cast<LONG>(until - ::GetTickCount()) > 0)
        Pump(50);
    Pump(500);
    std::string text;
    edit.Model().GetText(text);
    EXPECT_EQ(text, "beta alpha gamma");
    e2e::RunHostProgram("import -window root " +
                        e2e::ShellQuote(e2e::ToUnixPath(e2e::ScreenshotDir() + "\\canvasedit-drag.png")));
    EXPECT_EQ(edit.Model().Undo(), 1);
    edit.Model().GetText(text);
    EXPECT_EQ(text, "alpha beta gamma");
    edit.DestroyWindow();
    parent.DestroyWindow();
    ::OleUninitialize();
}

}  // namespace
