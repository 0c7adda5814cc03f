// The find, replace, go-to-line and insert-string dialogs from their
// templates on a real editor: titles, labels and default buttons, the
// enabling of their buttons, the pre-filled find text, the messages they show
// and the histories written while a dialog is still open.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "config/core/SettingsStore.h"
#include "editor/win/CanvasEdit.h"
#include "framework/win/MessageBox.h"
#include "resources/resource.h"
#include "search/win/SearchTools.h"
#include "win32/support/TestHostWindow.h"

namespace {

struct RecordedBox {
    std::string text;
    std::string title;
    UINT type;
};

class RecordingBoxes : public IMessageBoxService {
public:
    std::vector<RecordedBox> shown;
    int Show(HWND, const std::string& text, const std::string& title, UINT type) override {
        shown.push_back({text, title, type});
        return IDOK;
    }
};

std::string Text(HWND w) {
    char buffer[256] = {};
    ::GetWindowTextA(w, buffer, sizeof buffer);
    return buffer;
}

// The label texts of a dialog in their order (static and button controls).
std::vector<std::string> Labels(HWND dialog) {
    std::vector<std::string> out;
    for (HWND c = ::GetWindow(dialog, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        char cls[32] = {};
        ::GetClassNameA(c, cls, sizeof cls);
        if (::lstrcmpiA(cls, "Static") == 0 || ::lstrcmpiA(cls, "Button") == 0) out.push_back(Text(c));
    }
    return out;
}

bool Enabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE; }

void Notify(HWND dialog, int id, int code) {
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void Click(HWND dialog, int id) { Notify(dialog, id, BN_CLICKED); }

class SearchDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CCanvasEdit::RegisterClass());
        ASSERT_TRUE(host.Create("PqSearchDialogsTestHost"));
        ASSERT_TRUE(edit.Create(host.m_hWnd));
        previous = SetMessageBoxService(&boxes);
    }
    void TearDown() override {
        SetMessageBoxService(previous);
        tools.reset();
        if (edit.m_hWnd) edit.DestroyWindow();
        if (host.m_hWnd) host.DestroyWindow();
    }
    CSearchTools& Tools() {
        if (!tools) tools = std::make_unique<CSearchTools>(host.m_hWnd, [this] { return withEditor ? &edit : nullptr; });
        return *tools;
    }
    std::string EditorText() {
        std::string s;
        edit.Model().GetText(s);
        return s;
    }
    CTestHostWindow host;
    CCanvasEdit edit;
    bool withEditor = true;
    std::unique_ptr<CSearchTools> tools;
    RecordingBoxes boxes;
    IMessageBoxService* previous = nullptr;
};

TEST_F(SearchDialogsTest, EachDialogFromItsTemplate) {
    edit.Model().SetText("a\r\nb\r\nc");
    struct Case {
        CSearchDialog* dialog;
        const char* title;
        std::vector<std::string> labels;
        int defaultId;
    } cases[] = {
        {&Tools().FindDialog(), "検索",
         {"検索文字列(&S)：", "単語単位で探す(&W)", "大文字と小文字を区別する(&M)", "次を検索(&F)", "キャンセル(&C)"},
         IDOK},
        {&Tools().ReplaceDialog(), "置換",
         {"検索文字列(&S)：", "置換文字列(&R)：", "単語単位で探す(&W)", "大文字と小文字を区別する(&M)", "次を検索(&F)",
          "置換(&R)", "すべて置換(&A)", "キャンセル(&C)"},
         IDOK},
        {&Tools().GoToLineDialog(), "指定行 最大3行", {"行番号(&N)：", "ジャンプ(&G)", "キャンセル(&C)"}, IDOK},
        {&Tools().InsertStringDialog(), "行頭末に文字列を挿入 最大3行",
         {"開始行(&S)：", "終了行(&E)：", "文字列(&M)：", "行頭挿入(&F)", "行末挿入(&B)", "キャンセル(&C)"}, -1},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.title);
        ASSERT_TRUE(c.dialog->Show());
        HWND d = c.dialog->m_hWnd;
        EXPECT_EQ(c.title, Text(d));
        EXPECT_EQ(host.m_hWnd, ::GetWindow(d, GW_OWNER));
        EXPECT_EQ(c.labels, Labels(d));
        if (c.defaultId > 0) {
            EXPECT_EQ(c.defaultId, LOWORD(::SendMessageA(d, DM_GETDEFID, 0, 0)));
            EXPECT_TRUE((::GetWindowLongA(::GetDlgItem(d, c.defaultId), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON);
        }
        ASSERT_TRUE(c.dialog->Show());  // a second command brings the same window
        EXPECT_EQ(d, c.dialog->m_hWnd);
        Click(d, IDCANCEL);
        EXPECT_EQ(nullptr, c.dialog->m_hWnd);
    }
    withEditor = false;
    ASSERT_TRUE(Tools().GoToLineDialog().Show());
    EXPECT_EQ("指定行 最大行数不明", Text(Tools().GoToLineDialog().m_hWnd));
}

TEST_F(SearchDialogsTest, ButtonsFollowTheFindTextAndTheSelectionPrefills) {
    edit.Model().SetText("first line\r\nsecond");
    edit.Model().SetSelection(6, 0, 3, 1);  // "line\r\nsec"
    Tools().Replace().findHistory.Add("older");
    ASSERT_TRUE(Tools().ShowReplaceDialog());
    HWND d = Tools().ReplaceDialog().m_hWnd;
    EXPECT_EQ("line", Text(::GetDlgItem(d, IDC_FIND_TEXT)));
    for (int id : {IDOK, IDC_REPLACE_ONE, IDC_REPLACE_ALL}) EXPECT_TRUE(Enabled(d, id));
    ::SetWindowTextA(::GetDlgItem(d, IDC_FIND_TEXT), "");
    Notify(d, IDC_FIND_TEXT, CBN_EDITCHANGE);
    for (int id : {IDOK, IDC_REPLACE_ONE, IDC_REPLACE_ALL}) EXPECT_FALSE(Enabled(d, id));
    // Choosing from the list enables them again.
    ::SendMessageA(::GetDlgItem(d, IDC_FIND_TEXT), CB_SETCURSEL, 0, 0);
    Notify(d, IDC_FIND_TEXT, CBN_SELCHANGE);
    for (int id : {IDOK, IDC_REPLACE_ONE, IDC_REPLACE_ALL}) EXPECT_TRUE(Enabled(d, id));

    ASSERT_TRUE(Tools().ShowInsertStringDialog());
    HWND ins = Tools().InsertStringDialog().m_hWnd;
    EXPECT_EQ("1", Text(::GetDlgItem(ins, IDC_INSERT_START)));
    EXPECT_EQ("2", Text(::GetDlgItem(ins, IDC_INSERT_END)));
    EXPECT_FALSE(Enabled(ins, IDC_INSERT_HEAD));  // no string yet
    ::SetDlgItemTextA(ins, IDC_INSERT_TEXT, "> ");
    EXPECT_TRUE(Enabled(ins, IDC_INSERT_HEAD));
    EXPECT_TRUE(Enabled(ins, IDC_INSERT_TAIL));
}

TEST_F(SearchDialogsTest, MessagesAndTheirTexts) {
    edit.Model().SetText("ab ab\r\nAB");
    Tools().FindNextCommand();  // nothing searched yet
    ASSERT_EQ(1u, boxes.shown.size());
    EXPECT_EQ("一度も検索していないので次を検索することができませんでした。", boxes.shown[0].text);
    EXPECT_EQ("Pembroquil", boxes.shown[0].title);
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes.shown[0].type & MB_ICONMASK);

    ASSERT_TRUE(Tools().ShowFindDialog());
    HWND f = Tools().FindDialog().m_hWnd;
    ::SetWindowTextA(::GetDlgItem(f, IDC_FIND_TEXT), "zz");
    Click(f, IDOK);
    ASSERT_EQ(2u, boxes.shown.size());
    EXPECT_EQ("'zz' の検索は終了しました。", boxes.shown[1].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.shown[1].type & MB_ICONMASK);
    EXPECT_EQ("zz", Tools().Find().latestFindText);

    ASSERT_TRUE(Tools().ShowReplaceDialog());
    HWND r = Tools().ReplaceDialog().m_hWnd;
    ::SetWindowTextA(::GetDlgItem(r, IDC_FIND_TEXT), "ab");
    ::SetWindowTextA(::GetDlgItem(r, IDC_REPLACE_TEXT), "表");
    Click(r, IDC_REPLACE_ALL);
    ASSERT_EQ(3u, boxes.shown.size());
    EXPECT_EQ("3個の置換を行いました。", boxes.shown[2].text);
    EXPECT_EQ("表 表\r\n表", EditorText());
    EXPECT_TRUE(::IsWindowEnabled(edit.m_hWnd));
    Click(r, IDC_REPLACE_ALL);
    EXPECT_EQ("'ab' は見つかりませんでした。", boxes.shown.back().text);
    Click(r, IDC_REPLACE_ONE);
    EXPECT_EQ("'ab' の置換は終了しました。", boxes.shown.back().text);

    // Read-only: nothing is replaced and no count is shown.
    edit.Model().SetText("ab");
    edit.Model().SetReadOnly(true);
    const std::size_t before = boxes.shown.size();
    Click(r, IDC_REPLACE_ALL);
    EXPECT_EQ(before, boxes.shown.size());
    EXPECT_EQ("ab", EditorText());
    EXPECT_TRUE(::IsWindowEnabled(edit.m_hWnd));

    // The insert-string checks, with the dialog left open.
    edit.Model().SetReadOnly(false);
    ASSERT_TRUE(Tools().ShowInsertStringDialog());
    HWND ins = Tools().InsertStringDialog().m_hWnd;
    ::SetDlgItemTextA(ins, IDC_INSERT_START, "1");
    ::SetDlgItemTextA(ins, IDC_INSERT_END, "5");
    ::SetDlgItemTextA(ins, IDC_INSERT_TEXT, "> ");
    Click(ins, IDC_INSERT_HEAD);
    EXPECT_EQ("終了行が最大行より大きいです\n設定しなおしてください", boxes.shown.back().text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes.shown.back().type & MB_ICONMASK);
    ASSERT_NE(nullptr, Tools().InsertStringDialog().m_hWnd);
    ::SetDlgItemTextA(ins, IDC_INSERT_END, "1");
    Click(ins, IDC_INSERT_HEAD);
    EXPECT_EQ("> ab", EditorText());
    EXPECT_EQ(nullptr, Tools().InsertStringDialog().m_hWnd);
    EXPECT_EQ("> ", Tools().InsertString());
}

TEST_F(SearchDialogsTest, HistoriesAreWrittenWithADialogStillOpen) {
    edit.Model().SetText("one two");
    ASSERT_TRUE(Tools().ShowFindDialog());
    HWND f = Tools().FindDialog().m_hWnd;
    for (const char* t : {"one", "two", "one"}) {
        ::SetWindowTextA(::GetDlgItem(f, IDC_FIND_TEXT), t);
        edit.Model().SetSelection(0, 0, 0, 0);
        Click(f, IDOK);
    }
    EXPECT_EQ(2, ::SendMessageA(::GetDlgItem(f, IDC_FIND_TEXT), CB_GETCOUNT, 0, 0));
    ::CheckDlgButton(f, IDC_FIND_MATCH, BST_CHECKED);
    Click(f, IDC_FIND_MATCH);
    settings::MemorySettingsBackend backend;
    settings::SettingsStore store(backend);
    Tools().SaveSettings(store);  // the frame saves at exit, before its dialogs go
    EXPECT_EQ("one", store.ReadSettingString("History\\Find", "LatestFindText", ""));
    EXPECT_EQ(1, store.ReadSettingInt("History\\Find", "Match", 0));
    EXPECT_EQ(2, store.ReadSettingInt("History\\Find", "Count", 0));
    EXPECT_EQ("two", store.ReadSettingString("History\\Find", "FindString0", ""));
    EXPECT_EQ("one", store.ReadSettingString("History\\Find", "FindString1", ""));
}

}  // namespace
