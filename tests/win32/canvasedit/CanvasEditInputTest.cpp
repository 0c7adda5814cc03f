// The editor window's input: typing (double-byte pairs, the input method),
// the editing and navigation keys, the mouse, the real clipboard, dropping
// through the window's drop target, read-only, and the private messages.
#include <gtest/gtest.h>

#include <windows.h>
#include <imm.h>
#include <ole2.h>

#include <cstring>
#include <string>

#include "editor/core/EditorMessages.h"
#include "editor/win/CanvasEdit.h"
#include "editor/win/EditorDragDrop.h"
#include "win32/canvasedit/CanvasEditTestWindow.h"
#include "win32/support/OtherThread.h"

namespace {

using editor::EditorModel;
using editor::TextPos;

class CanvasEditInputTest : public canvasedittest::EditorWindowTest {
protected:
    void SetUp() override {
        ::OleInitialize(nullptr);
        EditorWindowTest::SetUp();
        ::SetFocus(edit.m_hWnd);
    }
    void TearDown() override {
        SetModifiers(false, false);
        EditorWindowTest::TearDown();
        ::OleUninitialize();
    }
    void Chars(const std::string& s) {
        for (unsigned char c : s) edit.SendMessage(WM_CHAR, c, 1);
    }
    void Key(UINT vk) {
        edit.SendMessage(WM_KEYDOWN, vk, 1);
        // The character a key also produces, as TranslateMessage would.
        if (vk == VK_BACK) edit.SendMessage(WM_CHAR, 8, 1);
        if (vk == VK_RETURN) edit.SendMessage(WM_CHAR, 13, 1);
    }
    // Holds Ctrl and Shift down in this thread's key state.
    static void SetModifiers(bool ctrl, bool shift) {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[VK_CONTROL] = ctrl ? 0x80 : 0;
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(keys);
    }
    // Client point of a text cell.
    POINT Cell(int column, int line) {
        const editor::ViewGeometry g = edit.Model().Geometry();
        const editor::ViewMetrics& m = edit.Model().Metrics();
        return POINT{g.textLeft + (column - edit.Model().FirstColumn()) * m.charWidth + 1,
                     g.textTop + (line - edit.Model().FirstLine()) * m.lineHeight + 1};
    }
    POINTL Screen(POINT p) {
        ::ClientToScreen(edit.m_hWnd, &p);
        return POINTL{p.x, p.y};
    }
    void Mouse(UINT message, POINT p, WPARAM keys = 0) {
        edit.SendMessage(message, keys, MAKELPARAM(p.x, p.y));
    }
    static std::string ClipboardText() {
        std::string out;
        if (!::OpenClipboard(nullptr)) return "<cannot open>";
        if (HANDLE h = ::GetClipboardData(CF_TEXT)) ReadTextBlock(h, out);
        ::CloseClipboard();
        return out;
    }
    static bool PutClipboardBlock(const char* bytes, std::size_t size) {
        HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, size);
        if (!h) return false;
        std::memcpy(::GlobalLock(h), bytes, size);
        ::GlobalUnlock(h);
        if (!::OpenClipboard(nullptr)) return false;
        ::EmptyClipboard();
        const bool ok = ::SetClipboardData(CF_TEXT, h) != nullptr;
        ::CloseClipboard();
        return ok;
    }
};

// --- Typing ----------------------------------------------------------------------

TEST_F(CanvasEditInputTest, TypedAsciiPairsAndInputMethodCharactersAreOneUndoStepEach) {
    Chars("ab");
    Chars("\x95\x5C\x83\x5C");  // 表 and ソ: trail bytes equal to '\'
    edit.SendMessage(WM_IME_CHAR, 0x82A0, 1);  // あ from the input method
    edit.SendMessage(WM_IME_CHAR, 'z', 1);
    edit.Model().TypeString("\x82\xA2q\x82", 4);  // a committed result string, ending in a stray lead byte
    Chars("\xA0");
    EXPECT_EQ(Text(), "ab\x95\x5C\x83\x5C\x82\xA0z\x82\xA2q\xA0");
    EXPECT_EQ(edit.Model().History().UndoCount(), 9u);
    edit.Model().Undo();
    edit.Model().Undo();
    EXPECT_EQ(Text(), "ab\x95\x5C\x83\x5C\x82\xA0z\x82\xA2");
    Chars("\x01\x1B\x7F");  // control characters of Ctrl combinations and Esc type nothing
    EXPECT_EQ(Text(), "ab\x95\x5C\x83\x5C\x82\xA0z\x82\xA2");
}

TEST_F(CanvasEditInputTest, TheInputMethodsResultStringIsTypedCharacterByCharacter) {
    HIMC imc = ::ImmGetContext(edit.m_hWnd);
    if (!imc) GTEST_SKIP() << "no input context";
    WCHAR text[] = L"表a\x3042";  // 表, a, あ
    const BOOL set = ::ImmSetCompositionStringW(imc, SCS_SETSTR, text, 3 * sizeof(WCHAR), nullptr, 0);
    const BOOL done = set && ::ImmNotifyIME(imc, NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
    ::ImmReleaseContext(edit.m_hWnd, imc);
    if (!done) GTEST_SKIP() << "the input method takes no composition here";
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
    EXPECT_EQ(Text(), "表a\x82\xA0");
    EXPECT_EQ(edit.Model().History().UndoCount(), 3u);
}

TEST_F(CanvasEditInputTest, AWaitingLeadByteBelongsToItsWindowAndDiesWithFocusOrBackspace) {
    edit.Model().SetText(std::string("xy"));
    edit.Model().SetSelection(2, 0, 2, 0);
    Chars("\x82");
    Key(VK_BACK);  // never 82 08: the lead byte is dropped and y deleted
    EXPECT_EQ(Text(), "x");
    Chars("\xA0");
    EXPECT_EQ(Text(), "x\xA0");

    Chars("\x82");
    edit.SendMessage(WM_KILLFOCUS, 0, 0);
    Chars("\xA0");  // after the focus was lost it is a character of its own
    EXPECT_EQ(Text(), "x\xA0\xA0");

    canvasedittest::CParent parent2;
    ASSERT_TRUE(parent2.CreateEx(0, "PqEditorTestParent", "", WS_POPUP, 0, 0, 300, 200, nullptr, 0));
    CCanvasEdit other;
    RECT rc = {0, 0, 300, 200};
    ASSERT_TRUE(other.Create(parent2.m_hWnd, CCanvasEdit::kControlId, &rc));
    Chars("\x82");
    other.SendMessage(WM_CHAR, 0xA0, 1);  // the other window has no lead byte waiting
    std::string otherText;
    other.Model().GetText(otherText);
    EXPECT_EQ(otherText, "\xA0");
    Chars("\xA2");
    EXPECT_EQ(Text(), "x\xA0\xA0\x82\xA2");
    other.DestroyWindow();
    parent2.DestroyWindow();
}

// --- Editing keys ------------------------------------------------------------------

TEST_F(CanvasEditInputTest, BackspaceOverACrLfJoinsTheLinesAndDeleteByWord) {
    edit.Model().SetText(std::string("abc\r\ndef ghi"));
    edit.Model().SetSelection(0, 1, 0, 1);
    Key(VK_BACK);
    EXPECT_EQ(Text(), "abcdef ghi");
    EXPECT_EQ(edit.Model().Caret(), (TextPos{3, 0}));
    SetModifiers(true, false);
    Key(VK_DELETE);
    EXPECT_EQ(Text(), "abcghi");
    Key(VK_END);
    edit.SendMessage(WM_KEYDOWN, VK_BACK, 1);
    edit.SendMessage(WM_CHAR, 0x7F, 1);  // what Ctrl+Backspace also produces: not typed
    SetModifiers(false, false);
    EXPECT_EQ(Text(), "");
    edit.Model().Undo();
    edit.Model().Undo();
    edit.Model().Undo();
    EXPECT_EQ(Text(), "abc\r\ndef ghi");
}

TEST_F(CanvasEditInputTest, EnterRepeatsFullWidthSpacesAndTabsBeforeTheCaret) {
    edit.Model().SetText(std::string("\x81\x40\tword\nnext"));  // LF document
    edit.Model().SetSelection(7, 0, 7, 0);
    Key(VK_RETURN);
    EXPECT_EQ(Text(), "\x81\x40\tword\n\x81\x40\t\nnext");
    EXPECT_EQ(edit.Model().Caret().line, 1);
    EXPECT_EQ(edit.Model().History().UndoCount(), 1u);
    edit.Model().SetSelection(2, 0, 2, 0);  // inside the leading white space
    Key(VK_RETURN);
    EXPECT_EQ(Text(), "\x81\x40\n\x81\x40\tword\n\x81\x40\t\nnext");
}

TEST_F(CanvasEditInputTest, InsertTogglesOverwriteWhichAppendsAtTheLineEnd) {
    edit.Model().SetText(std::string("ab\r\ncd"));
    Key(VK_INSERT);
    EXPECT_TRUE(edit.Model().IsOverwrite());
    Chars("X");
    EXPECT_EQ(Text(), "Xb\r\ncd");
    Key(VK_END);
    Chars("YZ");
    EXPECT_EQ(Text(), "XbYZ\r\ncd");
    Key(VK_RETURN);  // overwrite on a line that is not the last: only moves
    EXPECT_EQ(Text(), "XbYZ\r\ncd");
    EXPECT_EQ(edit.Model().Caret(), (TextPos{0, 1}));
    Key(VK_INSERT);
    EXPECT_FALSE(edit.Model().IsOverwrite());
}

TEST_F(CanvasEditInputTest, NavigationKeysKeepTheColumnAndShiftSelects) {
    edit.Model().SetText(std::string("0123456789\r\nab\r\n0123456789"));
    edit.Model().SetSelection(8, 0, 8, 0);
    parent.lastCaret.clear();
    Key(VK_DOWN);
    ASSERT_EQ(parent.lastCaret.size(), 4u);
    EXPECT_EQ(parent.lastCaret[0], 2);  // drawn at the end of the short line
    EXPECT_EQ(parent.lastCaret[1], 1);
    EXPECT_EQ(parent.lastCaret[2], 8);
    EXPECT_EQ(parent.lastCaret[3], 0);
    Key(VK_DOWN);
    EXPECT_EQ(edit.Model().Caret(), (TextPos{8, 2}));
    SetModifiers(false, true);
    Key(VK_HOME);
    SetModifiers(false, false);
    std::string sel;
    edit.Model().GetSelectedText(sel);
    EXPECT_EQ(sel, "01234567");
    SetModifiers(true, false);
    Key(VK_HOME);
    SetModifiers(false, false);
    EXPECT_EQ(edit.Model().Caret(), (TextPos{0, 0}));
    EXPECT_FALSE(edit.Model().HasSelection());
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    EXPECT_EQ(edit.Model().Caret(), (TextPos{2, 0}));
}

// --- Mouse -------------------------------------------------------------------------

TEST_F(CanvasEditInputTest, ClickDragAndGutterClickSelect) {
    edit.Model().SetText(std::string("hello world\r\nsecond line\r\nthird"));
    Mouse(WM_LBUTTONDOWN, Cell(2, 0), MK_LBUTTON);
    EXPECT_EQ(::GetCapture(), edit.m_hWnd);
    Mouse(WM_MOUSEMOVE, Cell(4, 1), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, Cell(4, 1));
    EXPECT_NE(::GetCapture(), edit.m_hWnd);
    std::string sel;
    edit.Model().GetSelectedText(sel);
    EXPECT_EQ(sel, "llo world\r\nseco");

    Mouse(WM_LBUTTONDOWN, POINT{3, Cell(0, 1).y}, MK_LBUTTON);  // the gutter
    Mouse(WM_LBUTTONUP, POINT{3, Cell(0, 1).y});
    edit.Model().GetSelectedText(sel);
    EXPECT_EQ(sel, "second line\r\n");
    EXPECT_EQ(edit.Model().Caret(), (TextPos{0, 2}));

    Mouse(WM_LBUTTONDOWN, Cell(1, 2), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, Cell(1, 2));
    Mouse(WM_LBUTTONDBLCLK, Cell(8, 0), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, Cell(8, 0));
    edit.Model().GetSelectedText(sel);
    EXPECT_EQ(sel, "world");
}

TEST_F(CanvasEditInputTest, LosingTheCaptureEndsTheDragAndItsAutoScroll) {
    std::string text;
    for (int k = 0; k < 200; ++k) text += "line\r\n";
    edit.Model().SetText(text);
    Mouse(WM_LBUTTONDOWN, Cell(1, 1), MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, POINT{Cell(1, 1).x, 1000}, MK_LBUTTON);  // below the window
    EXPECT_TRUE(edit.Model().Flags() & EditorModel::kAutoScroll);
    ::SetCapture(parent.m_hWnd);  // another window takes the mouse
    EXPECT_FALSE(edit.Model().Flags() & (EditorModel::kButtonDown | EditorModel::kAutoScroll));
    ::ReleaseCapture();
    const int first = edit.Model().FirstLine();
    // No timer rounds are left to scroll further.
    MSG msg;
    const DWORD until = ::GetTickCount() + 100;
    while (::GetTickCount() < until) {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
        ::Sleep(5);
    }
    EXPECT_EQ(edit.Model().FirstLine(), first);
}

TEST_F(CanvasEditInputTest, ReleasingTheButtonRemovesOnlyItsOwnTimerMessages) {
    edit.Model().SetText(std::string("one\r\ntwo"));
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
    Mouse(WM_LBUTTONDOWN, Cell(1, 0), MK_LBUTTON);
    ::PostMessageA(edit.m_hWnd, WM_TIMER, 1, 0);
    ::PostMessageA(parent.m_hWnd, WM_APP, 7, 0);  // someone else's message
    ::PostMessageA(edit.m_hWnd, WM_TIMER, 1, 0);
    Mouse(WM_LBUTTONUP, Cell(1, 0));
    EXPECT_TRUE(::PeekMessageA(&msg, parent.m_hWnd, WM_APP, WM_APP, PM_REMOVE));  // still queued, not run
    EXPECT_EQ(msg.wParam, 7u);
    ::PostMessageA(edit.m_hWnd, WM_TIMER, 1, 0);
    Mouse(WM_LBUTTONDOWN, Cell(1, 0), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, Cell(1, 0));
    EXPECT_FALSE(::PeekMessageA(&msg, edit.m_hWnd, WM_TIMER, WM_TIMER, PM_REMOVE));
}

TEST_F(CanvasEditInputTest, AutoScrollTimerExtendsTheSelectionBelowTheWindow) {
    std::string text;
    for (int k = 0; k < 60; ++k) text += "line\r\n";
    edit.Model().SetText(text);
    Mouse(WM_LBUTTONDOWN, Cell(1, 1), MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, POINT{Cell(1, 1).x, 1000}, MK_LBUTTON);
    ::SetCursorPos(Screen(POINT{Cell(1, 1).x, 1000}).x, Screen(POINT{Cell(1, 1).x, 1000}).y);
    for (int k = 0; k < 40; ++k) edit.SendMessage(WM_TIMER, 1, 0);
    EXPECT_EQ(edit.Model().Caret().line, 60);
    EXPECT_EQ(edit.Model().Anchor(), (TextPos{1, 1}));
    Mouse(WM_LBUTTONUP, Cell(1, 1));
    EXPECT_FALSE(edit.Model().Flags() & EditorModel::kAutoScroll);
}

TEST_F(CanvasEditInputTest, ThePointerShowsAnArrowOverTheGutterAndTheSelection) {
    edit.Model().SetText(std::string("hello world"));
    edit.Model().SetSelectionOffsets(0, 5);
    HCURSOR gutter = ::LoadCursor(::GetModuleHandleA(nullptr), MAKEINTRESOURCE(131));
    ASSERT_NE(gutter, nullptr);
    auto shapeAt = [&](POINT p) {
        const POINTL s = Screen(p);
        ::SetCursorPos(s.x, s.y);
        edit.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(edit.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return ::GetCursor();
    };
    EXPECT_EQ(shapeAt(POINT{3, Cell(0, 0).y}), gutter);
    EXPECT_EQ(shapeAt(Cell(2, 0)), ::LoadCursor(nullptr, IDC_ARROW));
    EXPECT_EQ(shapeAt(Cell(8, 0)), ::LoadCursor(nullptr, IDC_IBEAM));
}

TEST_F(CanvasEditInputTest, RightClickNotifiesTheParent) {
    parent.codes.clear();
    Mouse(WM_RBUTTONDOWN, Cell(0, 0), MK_RBUTTON);
    EXPECT_TRUE(parent.Heard(0x466));
}

// --- Clipboard -----------------------------------------------------------------------

TEST_F(CanvasEditInputTest, CopyCutAndPasteGoThroughTheSystemClipboard) {
    edit.Model().SetText(std::string("abc \x95\x5C def"));
    edit.Model().SetSelectionOffsets(4, 6);
    EXPECT_EQ(edit.Model().Copy(), 1);
    EXPECT_EQ(ClipboardText(), "\x95\x5C");
    edit.Model().SetSelectionOffsets(0, 4);
    EXPECT_EQ(edit.Model().Cut(), 1);
    EXPECT_EQ(ClipboardText(), "abc ");
    EXPECT_EQ(Text(), "\x95\x5C def");
    Key(VK_END);
    EXPECT_EQ(edit.Model().CanPaste(), 1);
    EXPECT_EQ(edit.Model().Paste(), 1);
    EXPECT_EQ(Text(), "\x95\x5C def" "abc ");

    // A block with no NUL is read no further than its size (the system may
    // already have cut its last byte), one with a NUL up to it.
    ASSERT_TRUE(PutClipboardBlock("XYZ", 3));
    edit.Model().SetText(std::string(""));
    EXPECT_EQ(edit.Model().Paste(), 1);
    EXPECT_LE(Text().size(), 3u);
    EXPECT_EQ(std::string("XYZ").compare(0, Text().size(), Text()), 0);
    ASSERT_TRUE(PutClipboardBlock("P\0Q", 3));
    edit.Model().SetText(std::string(""));
    edit.Model().Paste();
    EXPECT_EQ(Text(), "P");
}

// Characters outside code page 932 go on the clipboard as CF_UNICODETEXT
// too and come into another UTF-8 document through its own table.
TEST_F(CanvasEditInputTest, TableCharactersTravelAsUnicodeBetweenUtf8Documents) {
    cp932::CharTable first, second;
    std::string own = "x", other;
    ASSERT_TRUE(cp932::AppendChar(0x20BB7, &first, &own));  // 𠮷
    own += "y";
    ASSERT_TRUE(cp932::AppendChar(0x00A9, &second, &other));  // the second page's first code is ©
    edit.SetCharTable(&first, true);
    edit.Model().SetText(own);
    edit.Model().SetSelectionOffsets(0, static_cast<long long>(own.size()));
    ASSERT_EQ(edit.Model().Copy(), 1);
    EXPECT_EQ(ClipboardText(), own);
    std::u16string wide;
    ASSERT_TRUE(::OpenClipboard(nullptr));
    if (HANDLE h = ::GetClipboardData(CF_UNICODETEXT)) {
        wide = static_cast<const char16_t*>(::GlobalLock(h));
        ::GlobalUnlock(h);
    }
    ::CloseClipboard();
    EXPECT_EQ(wide, u"x\U00020BB7y");

    edit.SetCharTable(&second, true);
    edit.Model().SetText(std::string(""));
    ASSERT_EQ(edit.Model().Paste(), 1);
    const unsigned code = second.CodeOf(0x20BB7);
    ASSERT_NE(code, 0u);
    EXPECT_NE(code, first.CodeOf(0x20BB7));
    EXPECT_EQ(Text(), std::string("x") + static_cast<char>(code >> 8) + static_cast<char>(code & 0xFF) + "y");
    edit.SetCharTable(nullptr, false);
}

// An input-method result in a UTF-8 document is read as wide characters.
TEST_F(CanvasEditInputTest, AnInputMethodResultOutsideCodePage932EntersThroughTheTable) {
    cp932::CharTable table;
    edit.SetCharTable(&table, true);
    HIMC imc = ::ImmGetContext(edit.m_hWnd);
    if (!imc) GTEST_SKIP() << "no input context";
    WCHAR text[] = L"\xD842\xDFB7\x65E5";  // 𠮷日
    const BOOL set = ::ImmSetCompositionStringW(imc, SCS_SETSTR, text, 3 * sizeof(WCHAR), nullptr, 0);
    const BOOL done = set && ::ImmNotifyIME(imc, NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
    ::ImmReleaseContext(edit.m_hWnd, imc);
    if (!done) GTEST_SKIP() << "the input method takes no composition here";
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
    EXPECT_EQ(Text(), "\xF0\x40\x93\xFA");
    EXPECT_EQ(table.CharOf(0xF040), 0x20BB7u);
    edit.SetCharTable(nullptr, false);
}

TEST_F(CanvasEditInputTest, CutDeletesNothingWhenTheClipboardCannotBeFilled) {
    edit.Model().SetText(std::string("keep me"));
    edit.Model().SetSelectionOffsets(0, 4);
    ASSERT_TRUE(::OpenClipboard(parent.m_hWnd));  // held open by another window
    EXPECT_EQ(edit.Model().Cut(), 0);
    ::CloseClipboard();
    EXPECT_EQ(Text(), "keep me");
    EXPECT_FALSE(edit.Model().CanUndo());
}

TEST_F(CanvasEditInputTest, ReadTextBlockStopsAtTheBlockSize) {
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, 4);
    ASSERT_NE(h, nullptr);
    std::memcpy(::GlobalLock(h), "abcd", 4);
    ::GlobalUnlock(h);
    std::string out;
    EXPECT_TRUE(ReadTextBlock(h, out));
    EXPECT_EQ(out.size(), static_cast<std::size_t>(::GlobalSize(h)) > 4 ? out.size() : 4u);
    EXPECT_EQ(out.substr(0, 4), "abcd");
    EXPECT_LE(out.size(), static_cast<std::size_t>(::GlobalSize(h)));
    ::GlobalFree(h);
    EXPECT_FALSE(ReadTextBlock(nullptr, out));
}

// --- Drag and drop -------------------------------------------------------------------

TEST_F(CanvasEditInputTest, TextFromAnotherProgramIsCopiedInAndSelected) {
    edit.Model().SetText(std::string("one\r\ntwo"));
    IDataObject* data = CreateTextDataObject("NEW", 3);
    IDropTarget* target = edit.DropTarget();
    ASSERT_NE(target, nullptr);
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(target->DragEnter(data, MK_LBUTTON, Screen(Cell(1, 1)), &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_TRUE(edit.Model().Flags() & EditorModel::kDragOver);
    Chars("x");  // typing is ignored while a drag is over the window
    effect = DROPEFFECT_MOVE;  // a source that allows no copy
    target->DragOver(MK_LBUTTON, Screen(Cell(2, 1)), &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragOver(MK_LBUTTON, Screen(Cell(2, 1)), &effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->Drop(data, 0, Screen(Cell(2, 1)), &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(Text(), "one\r\ntwNEWo");
    std::string sel;
    edit.Model().GetSelectedText(sel);
    EXPECT_EQ(sel, "NEW");
    EXPECT_FALSE(edit.Model().Flags() & EditorModel::kDragOver);
    data->Release();
}

TEST_F(CanvasEditInputTest, AMoveDropInsideTheEditorIsOneUndoStep) {
    edit.Model().SetText(std::string("abc def ghi"));
    edit.Model().SetSelectionOffsets(0, 4);
    std::string sel;
    edit.Model().GetSelectedText(sel);
    IDataObject* data = CreateTextDataObject(sel.data(), sel.size());
    edit.Input().BeginDragSource(Cell(1, 0).x, Cell(1, 0).y);  // as a press in the selection does
    IDropTarget* target = edit.DropTarget();
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragEnter(data, MK_LBUTTON, Screen(Cell(8, 0)), &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));
    target->Drop(data, 0, Screen(Cell(8, 0)), &effect);
    edit.Input().EndDragSource(effect != DROPEFFECT_NONE);
    EXPECT_EQ(Text(), "def abc ghi");
    Chars("!");  // the next edit is a step of its own
    EXPECT_EQ(edit.Model().Undo(), 1);
    EXPECT_EQ(Text(), "def abc ghi");
    EXPECT_EQ(edit.Model().Undo(), 1);
    EXPECT_EQ(Text(), "abc def ghi");

    // Dropped back onto its own selection: nothing happens, no effect.
    edit.Model().SetSelectionOffsets(0, 3);
    edit.Input().BeginDragSource(Cell(1, 0).x, Cell(1, 0).y);
    target->DragEnter(data, MK_LBUTTON, Screen(Cell(1, 0)), &effect);
    target->Drop(data, 0, Screen(Cell(1, 0)), &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    edit.Input().EndDragSource(false);
    EXPECT_EQ(Text(), "abc def ghi");
    EXPECT_EQ(edit.Model().Caret(), (TextPos{1, 0}));  // an ordinary click
    data->Release();
}

TEST_F(CanvasEditInputTest, DataWithoutTextIsRefused) {
    edit.Model().SetText(std::string("abc"));
    IDataObject* data = CreateTextDataObject("zz", 2);
    // A data object that offers no CF_TEXT: a wrapper answering no format.
    struct CNoText : IDataObject {
        IDataObject* inner;
        explicit CNoText(IDataObject* d) : inner(d) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** o) override { *o = nullptr; return E_NOINTERFACE; }
        ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
        ULONG STDMETHODCALLTYPE Release() override { return 1; }
        HRESULT STDMETHODCALLTYPE GetData(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
        HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC*) override { return DV_E_FORMATETC; }
        HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    } none(data);
    DWORD effect = DROPEFFECT_COPY;
    edit.DropTarget()->DragEnter(&none, MK_LBUTTON, Screen(Cell(1, 0)), &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    effect = DROPEFFECT_COPY;
    edit.DropTarget()->Drop(&none, 0, Screen(Cell(1, 0)), &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(Text(), "abc");
    data->Release();
}

// --- Read-only -------------------------------------------------------------------------

TEST_F(CanvasEditInputTest, ReadOnlyBlocksEveryEdit) {
    edit.Model().SetText(std::string("fixed\r\ntext"));
    edit.Model().SetReadOnly(true);
    edit.Model().SetSelectionOffsets(0, 3);
    ASSERT_TRUE(PutClipboardBlock("clip", 5));
    Chars("a\x82\xA0");
    edit.SendMessage(WM_IME_CHAR, 0x82A0, 1);
    Key(VK_BACK);
    Key(VK_DELETE);
    Key(VK_RETURN);
    EXPECT_EQ(edit.Model().Paste(), 0);
    EXPECT_EQ(edit.Model().Cut(), 0);
    EXPECT_EQ(edit.Model().DeleteSelection(), 0);
    EXPECT_EQ(edit.SendMessage(editor::kEditorReplaceSel, 1, reinterpret_cast<LPARAM>("X")), 0);
    EXPECT_EQ(edit.Model().Copy(), 1);  // reading is still allowed
    IDataObject* data = CreateTextDataObject("drop", 4);
    DWORD effect = DROPEFFECT_COPY;
    edit.DropTarget()->DragEnter(data, MK_LBUTTON, Screen(Cell(1, 1)), &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    edit.DropTarget()->Drop(data, 0, Screen(Cell(1, 1)), &effect);
    data->Release();
    EXPECT_EQ(Text(), "fixed\r\ntext");
    EXPECT_FALSE(edit.Model().CanUndo());
    Key(VK_DOWN);  // and moving
    EXPECT_EQ(edit.Model().Caret().line, 1);
}

// --- Private messages and notifications --------------------------------------------------

TEST_F(CanvasEditInputTest, PrivateMessagesAnswerWithTheirValues) {
    edit.Model().SetText(std::string("abc\r\n\x95\x5Cz"));
    EXPECT_EQ(edit.SendMessage(0x0419), 8);
    EXPECT_EQ(edit.SendMessage(0x0416), 0);
    char buf[16];
    std::memset(buf, 'X', sizeof buf);
    EXPECT_EQ(edit.SendMessage(0x0415, 0, reinterpret_cast<LPARAM>(buf)), 0);
    EXPECT_EQ(buf[0], '\0');
    edit.SendMessage(0x0417, 0, static_cast<LPARAM>(-1));  // everything, caret at the start
    EXPECT_EQ(edit.SendMessage(0x0416), 8);
    int start = -1, end = -1;
    edit.SendMessage(0x041A, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 8);
    EXPECT_EQ(edit.Model().Caret(), (TextPos{0, 0}));
    edit.SendMessage(0x0417, 5, 7);
    EXPECT_EQ(edit.SendMessage(0x0415, 0, reinterpret_cast<LPARAM>(buf)), 2);
    EXPECT_STREQ(buf, "\x95\x5C");
    parent.codes.clear();
    EXPECT_EQ(edit.SendMessage(0x0414, 1, reinterpret_cast<LPARAM>("<b>\x95\x5C</b>")), 0);
    EXPECT_TRUE(parent.Heard(0x465));
    EXPECT_TRUE(parent.Heard(0x464));
    char all[32] = {};
    EXPECT_EQ(edit.SendMessage(0x0418, 0, reinterpret_cast<LPARAM>(all)), 15);
    EXPECT_STREQ(all, "abc\r\n<b>\x95\x5C</b>z");
    EXPECT_EQ(edit.Model().Undo(), 1);
    EXPECT_EQ(Text(), "abc\r\n\x95\x5Cz");
}

TEST_F(CanvasEditInputTest, MessagesWithAddressesAreAnsweredOnlyFromTheEditorsThread) {
    edit.Model().SetText(std::string("secret"));
    edit.SendMessage(0x0417, 0, static_cast<LPARAM>(-1));
    parent.codes.clear();
    char buf[16];
    std::memset(buf, 'X', sizeof buf);
    int start = -1;
    const LPARAM bad = 0x10;  // no memory of this process
    const LPARAM good = reinterpret_cast<LPARAM>(buf);
    struct Case {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT result;
    };
    const Case cases[] = {
        {0x0415, 0, bad, 0}, {0x0415, 0, good, 0}, {0x0418, 0, bad, 0},  {0x0418, sizeof buf, good, 0},
        {0x041A, static_cast<WPARAM>(bad), bad, 0},  {0x041A, reinterpret_cast<WPARAM>(&start), 0, 0},
        {0x0414, 1, bad, 0}, {0x0414, 1, reinterpret_cast<LPARAM>("x"), 0},
        // Numbers only: answered for everyone.
        {0x0416, 0, 0, 6},   {0x0419, 0, 0, 6},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(testsupport::SendFromOtherThread(edit.m_hWnd, c.message, c.wParam, c.lParam), c.result)
            << std::hex << c.message;
        // Posted: dropped, whoever sent it.
        ::PostMessageA(edit.m_hWnd, c.message, c.wParam, c.lParam);
        testsupport::PumpMessages();
    }
    EXPECT_EQ(buf[0], 'X');
    EXPECT_EQ(start, -1);
    EXPECT_EQ(Text(), "secret");
    EXPECT_FALSE(parent.Heard(0x465));
    // The editor's own thread still gets everything.
    EXPECT_EQ(edit.SendMessage(0x0415, 0, good), 6);
    EXPECT_STREQ(buf, "secret");
}

}  // namespace
