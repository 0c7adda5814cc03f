// The options sheet on a real property sheet with a recording owner: the
// pages of a mask, the page remembered, the refresh flag, each page's
// enabling rules and hand-back, the keyword file dialog and the sample box.
#include "support/RecordingMessageBoxes.h"
#include <gtest/gtest.h>

#include <commctrl.h>

#include "config/core/SettingsStore.h"
#include "e2e/E2E.h"
#include "resources/resource.h"
#include "shell/win/CanvasPage.h"
#include "shell/win/OptionSheet.h"

namespace {

struct Owner : IOptionOwner {
    editor::ColorModeTable modes;
    std::vector<editor::ColorMode> handedModes;
    int lastMode = -1, lastTab = -1;
    std::string folder;
    preview::PreviewSettings preview;
    docs::FileSettings files;
    filetree::FolderTreeSettings tree;
    bool rebuild = false;
    options::EtcPageResult etc;
    int handed = 0;  // pages that handed values back
    int reapplied = 0;

    const editor::ColorModeTable& ColorModes() const override { return modes; }
    void SetColorModes(const std::vector<editor::ColorMode>& m) override { handedModes = m, ++handed; }
    void SetLastShown(int m, int t) override { lastMode = m, lastTab = t; }
    std::string KeywordFolder() const override { return folder; }
    preview::PreviewSettings Preview() const override { return preview; }
    void SetBrowserBlock(const preview::BrowserBlock& b) override { preview.browsers = b, ++handed; }
    void SetServerBlock(const preview::ServerBlock& b) override { preview.server = b, ++handed; }
    docs::FileSettings Files() const override { return files; }
    void SetFiles(const docs::FileSettings& s) override { files = s, ++handed; }
    filetree::FolderTreeSettings FolderTree() const override { return tree; }
    void SetFolderTree(const filetree::FolderTreeSettings& s, bool r) override { tree = s, rebuild = r, ++handed; }
    options::EtcPageResult Etc() const override { return etc; }
    void SetEtc(const options::EtcPageResult& e) override { etc = e, ++handed; }
    void ReapplyToDocuments() override { ++reapplied; }
};

class OptionSheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&icc);
        settings::SetCurrent(&store);
        oldBoxes = SetMessageBoxService(&boxes);
        owner.folder = e2e::WorkDir() + "\\options-keyword\\";
        ::CreateDirectoryA(e2e::WorkDir().c_str(), nullptr);
        ::CreateDirectoryA(owner.folder.c_str(), nullptr);
        WIN32_FIND_DATAA found;
        HANDLE find = ::FindFirstFileA((owner.folder + "*").c_str(), &found);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                ::DeleteFileA((owner.folder + found.cFileName).c_str());
            } while (::FindNextFileA(find, &found));
            ::FindClose(find);
        }
        for (const char* name : {"HTML element.kwd", "HTML attribute.kwd", "CGI.kwd"})
            e2e::WriteFileBytes(owner.folder + name, "a\r\n");
    }
    void TearDown() override {
        if (hwnd && ::IsWindow(hwnd)) ::DestroyWindow(hwnd);
        SetMessageBoxService(oldBoxes);
        settings::SetCurrent(nullptr);
        SetKeywordDialogRunner(nullptr);
        SetModeNameRunner(nullptr);
        SetOptionFolderPicker(nullptr);
    }
    COptionSheet& Open(unsigned mask = options::kAllPages) {
        sheet = std::make_unique<COptionSheet>(nullptr, owner, mask);
        hwnd = sheet->Create();
        EXPECT_NE(hwnd, nullptr);
        return *sheet;
    }
    template <class Page>
    Page& Show(int index) {
        ::SendMessageA(hwnd, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
        return *static_cast<Page*>(sheet->Page(static_cast<std::size_t>(index)));
    }
    void Close(bool ok) {
        ::SendMessageA(hwnd, PSM_PRESSBUTTON, ok ? PSBTN_OK : PSBTN_CANCEL, 0);
        sheet->Finish();
        if (::IsWindow(hwnd)) ::DestroyWindow(hwnd);
    }
    static bool On(HWND page, int id) { return ::IsWindowEnabled(::GetDlgItem(page, id)) != FALSE; }
    static void Click(HWND page, int id) {
        ::SendMessageA(::GetDlgItem(page, id), BM_CLICK, 0, 0);
    }
    static void Type(HWND dlg, int id, const char* text) { ::SetDlgItemTextA(dlg, id, text); }

    settings::MemorySettingsBackend memory;
    settings::SettingsStore store{memory};
    RecordingMessageBoxes boxes;
    IMessageBoxService* oldBoxes = nullptr;
    Owner owner;
    std::unique_ptr<COptionSheet> sheet;
    HWND hwnd = nullptr;
};

TEST_F(OptionSheetTest, PagesIndexAndRefresh) {
    char title[64];
    // Pages in their order; the details page alone hands back without a refresh.
    COptionSheet& s = Open();
    ASSERT_EQ(s.PageCount(), 6u);
    const char* titles[] = {"エディタ", "プレビュー", "プレビュー2", "ファイル管理", "ファイル ツリー", "詳細設定"};
    for (int i = 0; i < 6; ++i) {
        ::SendMessageA(hwnd, PSM_SETCURSEL, static_cast<WPARAM>(i), 0);
        TCITEMA item = {TCIF_TEXT, 0, 0, title, sizeof title, 0, 0};
        ::SendMessageA(PropSheet_GetTabControl(hwnd), TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(title, titles[i]);
    }
    EXPECT_EQ(::GetDlgItem(hwnd, IDHELP) && ::IsWindowVisible(::GetDlgItem(hwnd, IDHELP)), false);
    Close(true);
    EXPECT_EQ(owner.handed, 6);  // each page shown once
    EXPECT_EQ(owner.reapplied, 1);
    EXPECT_EQ(store.ReadSettingInt("Main", "OptionIndex", -1), 5);

    struct Case {
        unsigned mask;
        bool refresh;
    } const cases[] = {{options::kEtcPage, false}, {options::kFilePage | options::kFolderTreePage, false},
                       {options::kPreview2Page, true}, {options::kEditorPage, true}};
    for (const Case& c : cases) {
        owner.reapplied = 0;
        store.WriteSettingInt("Main", "OptionIndex", 7);  // out of range: page 0
        Open(c.mask);
        EXPECT_EQ(PropSheet_GetCurrentPageHwnd(hwnd), sheet->Page(0)->m_hWnd) << c.mask;
        Close(true);
        EXPECT_EQ(owner.reapplied, c.refresh ? 1 : 0) << c.mask;
        EXPECT_EQ(store.ReadSettingInt("Main", "OptionIndex", -1), 0);
    }
    // Cancel stores the page too, and hands nothing back.
    store.WriteSettingInt("Main", "OptionIndex", 2);
    owner.handed = 0;
    owner.reapplied = 0;
    Open();
    EXPECT_EQ(sheet->ActiveIndex(), 2);
    ::SendMessageA(hwnd, PSM_SETCURSEL, 4, 0);
    Close(false);
    EXPECT_EQ(store.ReadSettingInt("Main", "OptionIndex", -1), 4);
    EXPECT_EQ(owner.handed, 0);
    EXPECT_EQ(owner.reapplied, 0);
}

TEST_F(OptionSheetTest, EditorPageModesSettingsAndHandBack) {
    owner.modes.SetModeIndex(2);
    owner.modes.SetDetailIndex(0);
    Open(options::kEditorPage);
    auto& page = Show<CCanvasPage>(0);
    HWND settingsPanel = page.Settings().m_hWnd;
    // 共通: no extensions, not deletable.
    EXPECT_EQ(page.Model().Selected(), 2);
    EXPECT_FALSE(On(settingsPanel, IDC_OPT_EXT));
    EXPECT_FALSE(On(page.m_hWnd, IDC_OPT_MODE_DELETE));
    page.ChooseMode(0);
    EXPECT_TRUE(On(settingsPanel, IDC_OPT_EXT));
    EXPECT_FALSE(page.IsModified());

    // Margin and spacing clamp on every change; a too-large number is 100.
    struct Clamp {
        const char* typed;
        int stored;
    } const clamps[] = {{"150", 100}, {"42", 42}, {"999", 100}};
    for (const Clamp& c : clamps) {
        Type(settingsPanel, IDC_OPT_MARGIN, c.typed);
        EXPECT_EQ(page.Model().Mode().settings.marginWidth, c.stored) << c.typed;
        EXPECT_EQ(::GetDlgItemInt(settingsPanel, IDC_OPT_MARGIN, nullptr, FALSE), static_cast<UINT>(c.stored));
    }
    page.Settings().SetRowChecked(3, false);  // 行番号を表示する
    EXPECT_EQ(page.Model().Mode().settings.lineNumDisp, 0);
    EXPECT_TRUE(page.IsModified());

    // Enter in a panel's edit closes neither the sheet nor the panel.
    HWND margin = ::GetDlgItem(settingsPanel, IDC_OPT_MARGIN);
    ::SetFocus(margin);
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        MSG msg = {margin, WM_KEYDOWN, key, 0, 0, {0, 0}};
        PropSheet_IsDialogMessage(hwnd, &msg);
        EXPECT_TRUE(::IsWindow(settingsPanel)) << key;
        EXPECT_NE(PropSheet_GetCurrentPageHwnd(hwnd), nullptr) << key;
    }

    // Add up to 16 modes; user modes are deletable with a question.
    SetModeNameRunner([](CModeNameDlg& d) { return d.name = "mine", IDOK; });
    while (page.Model().CanAdd()) page.AddMode();
    SetModeNameRunner(nullptr);
    EXPECT_EQ(page.Model().Count(), 16);
    EXPECT_FALSE(On(page.m_hWnd, IDC_OPT_MODE_ADD));
    EXPECT_TRUE(On(page.m_hWnd, IDC_OPT_MODE_DELETE));
    boxes.answers = {IDCANCEL, IDOK};
    page.DeleteMode();
    EXPECT_EQ(boxes.texts.back(), "[mine] を削除してもよろしいですか？");
    EXPECT_EQ(page.Model().Count(), 16);
    page.DeleteMode();
    EXPECT_EQ(page.Model().Count(), 15);
    EXPECT_TRUE(On(page.m_hWnd, IDC_OPT_MODE_ADD));
    page.ShowTab(2);
    Close(true);
    ASSERT_EQ(owner.handedModes.size(), 15u);
    EXPECT_EQ(owner.handedModes[0].settings.marginWidth, 100);
    EXPECT_EQ(owner.handedModes[0].settings.lineNumDisp, 0);
    EXPECT_EQ(owner.lastMode, 14);
    EXPECT_EQ(owner.lastTab, 2);
}

TEST_F(OptionSheetTest, EmphasisPanelAndKeywordFiles) {
    owner.modes.Mode(editor::kCgiMode).keyfile1 = "";  // nothing selected
    Open(options::kEditorPage);
    auto& page = Show<CCanvasPage>(0);
    page.ShowTab(2);
    HWND panel = page.Emphasis().m_hWnd;
    struct Mode {
        int index;
        bool k1, edit1, k2, markers;
    } const modes[] = {{0, true, true, true, false}, {1, true, false, false, false}, {2, false, false, false, false}};
    for (const Mode& m : modes) {
        page.ChooseMode(m.index);
        EXPECT_EQ(On(panel, IDC_OPT_KEYFILE1_NEW), m.k1) << m.index;
        EXPECT_EQ(On(panel, IDC_OPT_KEYFILE1_EDIT), m.edit1) << m.index;
        EXPECT_EQ(On(panel, IDC_OPT_KEYFILE2), m.k2) << m.index;
        EXPECT_EQ(On(panel, IDC_OPT_HEADLINE), m.markers) << m.index;
    }
    page.ChooseMode(0);
    EXPECT_EQ(::SendMessageA(::GetDlgItem(panel, IDC_OPT_KEYFILE1), CB_GETCURSEL, 0, 0), 2);  // exact name

    // New file 表 through the dialog: written, listed once, chosen.
    SetKeywordDialogRunner([](CKeywordFileDlg& d) {
        d.CreateModeless();
        HWND h = d.m_hWnd;
        Type(h, IDC_KWD_NAME, "表");
        Type(h, IDC_KWD_TEXT, "tbody\r\nxyz");
        d.OnOK();
        return ::IsWindow(h) ? (::DestroyWindow(h), IDCANCEL) : IDOK;
    });
    for (int twice = 0; twice < 2; ++twice) {
        boxes.answers = {IDOK};  // the second time: replace it
        Click(panel, IDC_OPT_KEYFILE1_NEW);
    }
    EXPECT_EQ(boxes.texts.back(), owner.folder + "表.kwd は既にあります。\n置き換えてもよろしいですか？");
    std::string bytes;
    ASSERT_TRUE(e2e::ReadFileBytes(owner.folder + "表.kwd", &bytes));
    EXPECT_EQ(bytes, "tbody\r\nxyz");
    EXPECT_EQ(page.Emphasis().Names(0).size(), 4u);
    EXPECT_EQ(page.Emphasis().Names(1).size(), 3u);
    EXPECT_EQ(page.Model().Mode().keyfile1, "表.kwd");
    EXPECT_FALSE(e2e::ReadFileBytes(owner.folder + "表.kwd.tmp", &bytes));
}

TEST_F(OptionSheetTest, KeywordDialogRefusalsFailuresAndEditing) {
    e2e::WriteFileBytes(owner.folder + "lf.kwd", "a\nb\n");
    // Editing shows an LF-only file line by line and rewrites it.
    CKeywordFileDlg edit(nullptr, owner.folder, "lf.kwd");
    ASSERT_TRUE(edit.CreateModeless());
    char text[64];
    ::GetDlgItemTextA(edit.m_hWnd, IDOK, text, sizeof text);
    EXPECT_STREQ(text, "更新(&R)");
    ::GetDlgItemTextA(edit.m_hWnd, IDC_KWD_TEXT, text, sizeof text);
    EXPECT_STREQ(text, "a\r\nb\r\n");
    Type(edit.m_hWnd, IDC_KWD_TEXT, "c");
    edit.OnOK();
    std::string bytes;
    ASSERT_TRUE(e2e::ReadFileBytes(owner.folder + "lf.kwd", &bytes));
    EXPECT_EQ(bytes, "c");

    // A refused name and a folder that cannot hold the file keep the dialog and its text.
    const std::string blocked = owner.folder + "lf.kwd\\";  // a file, not a folder
    struct Case {
        std::string folder;
        const char* name;
    } const cases[] = {{owner.folder, "nul"}, {owner.folder, "..\\x"}, {blocked, "ok"}};
    for (const Case& c : cases) {
        boxes.texts.clear();
        CKeywordFileDlg dlg(nullptr, c.folder, "");
        ASSERT_TRUE(dlg.CreateModeless());
        EXPECT_FALSE(On(dlg.m_hWnd, IDOK));
        Type(dlg.m_hWnd, IDC_KWD_NAME, c.name);
        EXPECT_TRUE(On(dlg.m_hWnd, IDOK));
        Type(dlg.m_hWnd, IDC_KWD_TEXT, "kept");
        dlg.OnOK();
        ASSERT_TRUE(::IsWindow(dlg.m_hWnd)) << c.name;
        EXPECT_EQ(boxes.texts, std::vector<std::string>{"キーワードファイルの作成/保存に失敗しました。"}) << c.name;
        ::GetDlgItemTextA(dlg.m_hWnd, IDC_KWD_TEXT, text, sizeof text);
        EXPECT_STREQ(text, "kept");
        ::DestroyWindow(dlg.m_hWnd);
    }
}

TEST_F(OptionSheetTest, SampleBoxShowsTheItemColourOnItsBackgroundInABlackFrame) {
    Open(options::kEditorPage);
    auto& page = Show<CCanvasPage>(0);
    page.ChooseMode(0);
    page.ShowTab(1);
    CFormatPanel& format = page.Format();
    format.SelectItem(1);
    format.SetItemColor(RGB(0, 255, 0));  // 背景
    format.SelectItem(0);
    format.SetItemColor(RGB(255, 0, 0));  // テキスト
    HWND sample = ::GetDlgItem(format.m_hWnd, IDC_OPT_SAMPLE);
    ::RedrawWindow(sample, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT rc;
    ::GetClientRect(sample, &rc);
    HDC dc = ::GetDC(sample);
    int text = 0, back = 0;
    for (int y = 1; y < rc.bottom - 1; ++y) {
        for (int x = 1; x < rc.right - 1; ++x) {
            const COLORREF c = ::GetPixel(dc, x, y);
            text += c == RGB(255, 0, 0);
            back += c == RGB(0, 255, 0);
        }
    }
    const COLORREF corners[] = {::GetPixel(dc, 0, 0), ::GetPixel(dc, rc.right - 1, rc.bottom - 1)};
    ::ReleaseDC(sample, dc);
    EXPECT_GT(text, 20);
    EXPECT_GT(back, 100);
    for (COLORREF c : corners) EXPECT_EQ(c, RGB(0, 0, 0));
    // A font that is not installed selects nothing and stays the mode's.
    owner.modes.Mode(0).fontName = "Not Installed Font";
    Close(false);
    Open(options::kEditorPage);
    auto& again = Show<CCanvasPage>(0);
    again.ChooseMode(0);
    EXPECT_EQ(::SendMessageA(::GetDlgItem(again.Format().m_hWnd, IDC_OPT_FONT), CB_GETCURSEL, 0, 0), -1);
    Close(true);
    EXPECT_EQ(owner.handedModes[0].fontName, "Not Installed Font");
}

TEST_F(OptionSheetTest, OtherPagesEnableAndHandBack) {
    SetOptionFolderPicker([](HWND, std::string* f) { return *f = "C:\\表", true; });
    Open();
    // プレビュー: the internal browser has no path.
    auto& web = Show<CWebPage>(1);
    EXPECT_TRUE(On(web.m_hWnd, IDC_OPT_BROWSER_BROWSE));
    web.SelectBrowser(preview::kInternalBrowser);
    EXPECT_FALSE(On(web.m_hWnd, IDC_OPT_BROWSER_PATH));
    EXPECT_FALSE(On(web.m_hWnd, IDC_OPT_TEMP_BROWSE));
    Click(web.m_hWnd, IDC_OPT_TEMP_POINT);
    Click(web.m_hWnd, IDC_OPT_TEMP_BROWSE);
    Click(web.m_hWnd, IDC_OPT_METHOD2);
    // プレビュー2: the server box enables its group.
    HWND web2 = Show<CWebPage2>(2).m_hWnd;
    EXPECT_FALSE(On(web2, IDC_OPT_ADDRESS));
    Click(web2, IDC_OPT_LOCAL_SERVER);
    EXPECT_TRUE(On(web2, IDC_OPT_ADDRESS) && On(web2, IDC_OPT_NOTE2) && On(web2, IDC_OPT_REPLACE_BROWSE));
    // ファイル管理: the folder needs both boxes.
    HWND file = Show<CFilePage>(3).m_hWnd;
    EXPECT_FALSE(On(file, IDC_OPT_BACKUP_DIR_POINT));
    Click(file, IDC_OPT_BACKUP);
    EXPECT_FALSE(On(file, IDC_OPT_BACKUP_BROWSE));
    Click(file, IDC_OPT_BACKUP_DIR_POINT);
    EXPECT_TRUE(On(file, IDC_OPT_BACKUP_BROWSE));
    // ファイル ツリー: the folder needs the box and the second radio.
    HWND tree = Show<CFolderPage>(4).m_hWnd;
    EXPECT_FALSE(On(tree, IDC_OPT_DIR_LAST));
    Click(tree, IDC_OPT_DIR_POINT);
    EXPECT_FALSE(On(tree, IDC_OPT_DIR_BROWSE));
    Click(tree, IDC_OPT_DIR_FIXED);
    EXPECT_TRUE(On(tree, IDC_OPT_DIR_BROWSE));
    Click(tree, IDC_OPT_DIR_BROWSE);
    HWND etc = Show<CEtcPage>(5).m_hWnd;
    Click(etc, IDC_OPT_LAST_OPEN);

    // A default extension with a leading "." keeps the sheet open.
    Type(file, IDC_OPT_DEFAULT_EXT, ".htm");
    ::SendMessageA(hwnd, PSM_PRESSBUTTON, PSBTN_OK, 0);
    EXPECT_NE(PropSheet_GetCurrentPageHwnd(hwnd), nullptr);
    EXPECT_EQ(owner.files.defaultExt, "html");
    Type(file, IDC_OPT_DEFAULT_EXT, "htm");
    Close(true);
    EXPECT_EQ(owner.preview.browsers.tempPath, "C:\\表\\");
    EXPECT_EQ(owner.preview.browsers.method[preview::kInternalBrowser], 2);
    EXPECT_EQ(owner.preview.server.localServer, 1);
    EXPECT_EQ(owner.files.backup, 1);
    EXPECT_EQ(owner.files.backupDirPoint, 1);
    EXPECT_EQ(owner.files.defaultExt, "htm");
    EXPECT_EQ(owner.tree.pointDirPath, "C:\\表\\");
    EXPECT_EQ(owner.tree.dirMethod, 1);
    EXPECT_FALSE(owner.rebuild);  // neither filter nor hidden items touched
    EXPECT_TRUE(owner.etc.lastOpen);

    // The extension text gets its ";" and the tree is rebuilt.
    Open(options::kFolderTreePage);
    HWND tree2 = Show<CFolderPage>(0).m_hWnd;
    Click(tree2, IDC_OPT_EXT_POINT);
    Type(tree2, IDC_OPT_EXT_KINDS, "html;表");
    Close(true);
    EXPECT_EQ(owner.tree.extKinds, "html;表;");
    EXPECT_TRUE(owner.rebuild);
}

}  // namespace
