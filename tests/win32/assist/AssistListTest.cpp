// The assist list on a real editor, and the assist-file reader against the
// system's private-profile functions.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "e2e/E2E.h"
#include "editor/core/InputAssist.h"
#include "editor/win/AssistList.h"
#include "win32/canvasedit/CanvasEditTestWindow.h"
#include "win32/support/OtherThread.h"

namespace {

using editor::assist::Entry;
using editor::assist::Kind;
using editor::assist::ProfileText;

std::vector<Entry> Entries(int count) {
    std::vector<Entry> out;
    for (int i = 0; i < count; ++i)
        out.push_back(Entry{i % 9, "<e" + std::to_string(i) + ">", "\x97\x76\x91\x66 " + std::to_string(i)});
    return out;
}

class AssistListTest : public canvasedittest::EditorWindowTest {
protected:
    void SetUp() override {
        EditorWindowTest::SetUp();
        ::ShowWindow(parent.m_hWnd, SW_SHOW);
        ::SetForegroundWindow(parent.m_hWnd);
        ::SetFocus(edit.m_hWnd);
    }
    // The text with the caret at its end, and a list of `entries`.
    HWND Open(const std::string& text, std::vector<Entry> entries, Kind kind = Kind::Input) {
        edit.Model().SetText(text);
        edit.Ops().SetSelectionOffsets(static_cast<long long>(text.size()), static_cast<long long>(text.size()));
        if (!CAssistList::ShowEntries(edit, kind, std::move(entries),
                                      [this](const std::string& s) { status.push_back(s); }))
            return nullptr;
        return CAssistList::Find(edit.m_hWnd);
    }
    static int Selected(HWND list) { return ListView_GetNextItem(list, -1, LVNI_SELECTED); }
    static void Key(HWND list, UINT vk, bool shift = false) {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(keys);
        ::SendMessageA(list, WM_KEYDOWN, vk, 1);
        keys[VK_SHIFT] = 0;
        ::SetKeyboardState(keys);
    }
    std::vector<std::string> status;
};

TEST_F(AssistListTest, TheListIsAChildListViewWithTheFirstEntrySelected) {
    for (int count : {1, 10, 11}) {
        HWND list = Open("<", Entries(count));
        ASSERT_NE(list, nullptr) << count;
        EXPECT_EQ(::GetParent(list), edit.m_hWnd);
        EXPECT_EQ(::GetDlgCtrlID(list), 4011);
        const LONG_PTR style = ::GetWindowLongPtrA(list, GWL_STYLE);
        EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
        EXPECT_TRUE(style & LVS_NOCOLUMNHEADER);
        EXPECT_TRUE(style & LVS_SINGLESEL);
        EXPECT_EQ(!!(style & WS_VSCROLL), count > 10) << count;
        LVCOLUMNA col = {};
        col.mask = LVCF_WIDTH;
        EXPECT_TRUE(::SendMessageA(list, LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&col)));
        EXPECT_FALSE(::SendMessageA(list, LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&col)));
        EXPECT_EQ(ListView_GetItemCount(list), count);
        EXPECT_EQ(Selected(list), 0);
        EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_FOCUSED), 0);
        EXPECT_EQ(::GetFocus(), list);
        RECT rc = {};
        ::GetWindowRect(list, &rc);
        RECT row = {};
        row.left = LVIR_BOUNDS;
        ::SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
        EXPECT_EQ(rc.bottom - rc.top, (count > 10 ? 10 : count) * (row.bottom - row.top) +
                                          2 * ::GetSystemMetrics(SM_CYEDGE) + 6);
        ASSERT_FALSE(status.empty());
        EXPECT_EQ(status.back(), "\x97\x76\x91\x66 0");
        ::SetFocus(edit.m_hWnd);
        testsupport::PumpMessages();
        EXPECT_EQ(CAssistList::Find(edit.m_hWnd), nullptr);  // losing the focus ends it
        EXPECT_EQ(status.back(), "\x83\x8c\x83\x66\x83\x42");  // レディ
    }
}

TEST_F(AssistListTest, EnterReplacesTheTriggerAsOneUndoStep) {
    HWND list = Open("ab\r\n\x83\x81<", Entries(3));
    ASSERT_NE(list, nullptr);
    Key(list, VK_SPACE);
    Key(list, VK_SPACE);
    Key(list, VK_SPACE);  // stays on the last
    EXPECT_EQ(Selected(list), 2);
    EXPECT_EQ(status.back(), "\x97\x76\x91\x66 2");
    Key(list, VK_SPACE, true);
    EXPECT_EQ(Selected(list), 1);
    Key(list, VK_RETURN);
    testsupport::PumpMessages();
    EXPECT_EQ(Text(), "ab\r\n\x83\x81<e1>");
    EXPECT_EQ(CAssistList::Find(edit.m_hWnd), nullptr);
    EXPECT_EQ(::GetFocus(), edit.m_hWnd);
    edit.Ops().Undo();
    EXPECT_EQ(Text(), "ab\r\n\x83\x81<");
}

TEST_F(AssistListTest, DoubleClickInsertsAtTheCaretForAttributes) {
    HWND list = Open("<a ", {{0, "href=", "x"}, {0, "id=", "y"}}, Kind::Attribute);
    ASSERT_NE(list, nullptr);
    RECT row = {};
    row.left = LVIR_BOUNDS;
    ::SendMessageA(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    const LPARAM at = MAKELPARAM(row.left + 4, (row.top + row.bottom) / 2);
    ::SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    testsupport::PumpMessages();
    EXPECT_EQ(Text(), "<a id=");
    edit.Ops().Undo();
    EXPECT_EQ(Text(), "<a ");
}

TEST_F(AssistListTest, KeysThatCloseInsertNothingAndReadOnlyInsertsNothing) {
    for (UINT vk : {VK_BACK, VK_ESCAPE, VK_LEFT, VK_RIGHT}) {
        HWND list = Open("&", Entries(2));
        ASSERT_NE(list, nullptr);
        Key(list, vk);
        testsupport::PumpMessages();
        EXPECT_EQ(CAssistList::Find(edit.m_hWnd), nullptr) << vk;
        EXPECT_EQ(Text(), "&") << vk;
        EXPECT_EQ(::GetFocus(), edit.m_hWnd);
    }
    HWND list = Open("<", Entries(2));
    ASSERT_NE(list, nullptr);
    edit.Ops().SetReadOnly(true);
    Key(list, VK_RETURN);
    testsupport::PumpMessages();
    EXPECT_EQ(Text(), "<");
    EXPECT_EQ(CAssistList::Find(edit.m_hWnd), nullptr);
    EXPECT_FALSE(CAssistList::ShowEntries(edit, Kind::Input, {}, nullptr));
}

TEST_F(AssistListTest, ImagesOutsideTheStripShowNoIcon) {
    HWND list = Open("<", {{1, "a", "c"}, {8, "b", "c"}, {-1, "c", "c"}}, Kind::Input);
    ASSERT_NE(list, nullptr);
    const int expected[] = {1, I_IMAGENONE, I_IMAGENONE};
    for (int i = 0; i < 3; ++i) {
        LVITEMA item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = i;
        ::SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(item.iImage, expected[i]) << i;
    }
    EXPECT_NE(ListView_GetImageList(list, LVSIL_SMALL), nullptr);
}

// --- The reader and the private-profile functions ---------------------------------

void ExpectAgreement(const std::string& path, const ProfileText& p, const std::vector<std::string>& extraKeys) {
    int compared = 0;
    for (const std::string& section : p.Sections()) {
        std::vector<std::string> keys = p.Keys(section);
        keys.insert(keys.end(), extraKeys.begin(), extraKeys.end());
        for (const std::string& key : keys) {
            char buf[1024] = {};
            ::GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buf, sizeof buf, path.c_str());
            EXPECT_EQ(p.Get(section, key), std::string(buf)) << path << " [" << section << "] " << key;
            ++compared;
        }
    }
    EXPECT_GT(compared, 0) << path;
}

TEST(AssistReaderWin32Test, AgreesWithGetPrivateProfileString) {
    for (const char* name : {"HTML.ast", "Common.ast", "CGI.ast", "HTML element.ast", "HTML attribute.ast"}) {
        const std::string path = e2e::OutDir() + "\\Assist\\" + name;
        std::string bytes;
        ASSERT_TRUE(e2e::ReadFileBytes(path, &bytes)) << path;
        ExpectAgreement(path, ProfileText(bytes), {});
    }
    const std::string edge =
        "junk=1\r\n[Sec]\r\n  Key One  =  value  \r\nkey one=second\r\nq1=\"  quoted  \"\r\nq2='single'\r\n"
        "q3=\"\"x\"\"\r\nq4=\"half\r\nno equals here\r\nempty=\r\n[ sec ]\r\nlate=1\n[Other]\nA=\x95\x5c]=\n"
        "[\x95\x5c]\nWord0=\x83\x5c\n";
    const std::string path = e2e::WorkDir() + "\\assist-edge.ini";
    ::CreateDirectoryA(e2e::WorkDir().c_str(), nullptr);
    ASSERT_TRUE(e2e::WriteFileBytes(path, edge));
    ExpectAgreement(path, ProfileText(edge), {"late", "junk", "KEY ONE", "a"});
}

}  // namespace
