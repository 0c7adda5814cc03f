// The dialogs of interactive tags driven as a user would: the insertion
// dialog's steps with the colour, font and path lists and choosers, and the
// properties dialog's attribute list, limits and results.
#include <gtest/gtest.h>

#include "framework/win/FileDialog.h"
#include "resources/resource.h"
#include "support/RecordingMessageBoxes.h"
#include "tags/win/InteractiveTagDlgs.h"
#include "tests/win32/plugins/PluginTestHost.h"

#include <commctrl.h>

namespace {

using plugintest::ChooseItem;
using plugintest::CScript;
using plugintest::FindDialog;
using plugintest::ItemText;
using plugintest::ListText;

tags::InteractiveTagData Tag(std::vector<std::pair<const char*, int>> attrs) {
    tags::InteractiveTagData t;
    tags::SetField(t.Name, "<font>タグ");
    tags::SetField(t.Fact, "font");
    t.Closed = 1;
    for (const auto& a : attrs) {
        tags::TagAttribute attr;
        tags::SetField(attr.Attr, a.first);
        tags::SetField(attr.AttrCmmt, std::string(a.first) + "を選択してください");
        attr.AttrKind = static_cast<std::uint8_t>(a.second);
        t.Attributes.push_back(attr);
    }
    return t;
}

// The chosen file, and the base path the user leaves in the dialog.
struct ChooseFile : IFileDialogService {
    std::string base;
    std::string seenBase;
    INT_PTR Run(CFileDialog& dialog) override {
        auto& ex = static_cast<CFileDlgEx&>(dialog);
        seenBase = ex.BasePath();
        ex.SetBasePath(base);
        dialog.SetResult("C:\\site\\画像\\ソース.gif", false);
        return IDOK;
    }
};

bool Enabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != 0; }

// Draws item `index` of an owner-drawn combo box into a bitmap the size of
// its drop-down width and returns the pixel colours of one row.
std::vector<COLORREF> DrawnRow(HWND dialog, int id, int index, int height) {
    HWND combo = ::GetDlgItem(dialog, id);
    const int width = 400;
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(combo, WM_GETFONT, 0, 0)));
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_COMBOBOX;
    item.CtlID = static_cast<UINT>(id);
    item.itemID = static_cast<UINT>(index);
    item.itemAction = ODA_DRAWENTIRE;
    item.hwndItem = combo;
    item.hDC = dc;
    item.rcItem = {0, 0, width, height};
    item.itemData = static_cast<ULONG_PTR>(::SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    ::SendMessageA(dialog, WM_DRAWITEM, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&item));
    std::vector<COLORREF> row;
    for (int x = 0; x < width; ++x) row.push_back(::GetPixel(dc, x, height / 2));
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return row;
}

}  // namespace

TEST(InteractiveTagDlgTest, TheStepsOfferTheirListsAndChoosersAndKeepLaterValues) {
    tags::InteractiveTagData tag = Tag({{"size", 0}, {"color", 2}, {"face", 1}, {"src", 3}, {"odd", 9}});
    tags::SetField(tag.Attributes[0].AttrInput, "7;;3");
    tags::SetField(tag.Attributes[4].AttrInput, "p;q");
    ChooseFile files;
    files.base = "C:\\site";
    IFileDialogService* oldFiles = SetFileDialogService(&files);
    RecordingMessageBoxes boxes;
    IMessageBoxService* oldBoxes = SetMessageBoxService(&boxes);
    tagswin::ColorChooser oldColors = tagswin::SetColorChooser([](HWND, COLORREF* c) {
        *c = RGB(1, 2, 0xAB);
        return true;
    });
    HWND d = nullptr;
    const auto next = [&] { ::SendMessageA(d, WM_COMMAND, IDOK, 0); };
    const auto chooser = [&] { ::SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_TAG_INSERT_CHOOSER, BN_CLICKED), 0); };
    const auto value = [&] { return ItemText(d, IDC_TAG_INSERT_VALUE); };
    const auto count = [&] { return ::SendDlgItemMessageA(d, IDC_TAG_INSERT_VALUE, CB_GETCOUNT, 0, 0); };
    CScript script({[&] { return (d = FindDialog("<font>の挿入")) != nullptr; },
                    [&] {
                        EXPECT_EQ(ItemText(d, IDOK), "次へ(&N)");
                        EXPECT_FALSE(Enabled(d, IDC_TAG_INSERT_BACK));
                        EXPECT_EQ(ItemText(d, IDC_TAG_INSERT_CHOOSER), "（不可）");
                        EXPECT_FALSE(Enabled(d, IDC_TAG_INSERT_CHOOSER));
                        EXPECT_EQ(ItemText(d, IDC_TAG_INSERT_PROMPT), "sizeを選択してください");
                        EXPECT_EQ(count(), 2);
                        ChooseItem(d, IDC_TAG_INSERT_VALUE, 1);
                        EXPECT_EQ(ItemText(d, IDC_TAG_INSERT_PREVIEW), "<font size=\"3\"></font>");
                        next();
                        // Colours: 147 items; item 20 with its swatch and grey name.
                        EXPECT_TRUE(Enabled(d, IDC_TAG_INSERT_BACK));
                        EXPECT_EQ(ItemText(d, IDC_TAG_INSERT_CHOOSER), "色(&B)");
                        EXPECT_TRUE(Enabled(d, IDC_TAG_INSERT_CHOOSER));
                        HWND combo = ::GetDlgItem(d, IDC_TAG_INSERT_VALUE);
                        EXPECT_EQ(count(), 147);
                        EXPECT_EQ(ListText(combo, 20), "#42426f");
                        const std::vector<COLORREF> row = DrawnRow(d, IDC_TAG_INSERT_VALUE, 20, 16);
                        EXPECT_EQ(row[40], RGB(0x42, 0x42, 0x6f));
                        EXPECT_EQ(row[80], ::GetSysColor(COLOR_WINDOW));  // the swatch ends before x = 80
                        HDC dc = ::GetDC(combo);
                        ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(combo, WM_GETFONT, 0, 0)));
                        SIZE hex = {}, name = {};
                        ::GetTextExtentPoint32A(dc, "　#42426f", 9, &hex);
                        ::GetTextExtentPoint32A(dc, " (cornflowerblue)", 17, &name);
                        ::ReleaseDC(combo, dc);
                        int inked = 0;
                        for (int x = 81 + hex.cx + 4; x < 81 + hex.cx + name.cx && x < 400; ++x)
                            inked += row[static_cast<std::size_t>(x)] != ::GetSysColor(COLOR_WINDOW);
                        EXPECT_GT(inked, 0) << "no grey name after the hexadecimal text";
                        ChooseItem(d, IDC_TAG_INSERT_VALUE, 53);
                        EXPECT_EQ(ItemText(d, IDC_TAG_INSERT_PREVIEW), "<font size=\"3\" color=\"#8f8fff\"></font>");
                        chooser();
                        EXPECT_EQ(value(), "#0102ab");
                        next();
                        // Fonts: the TrueType faces, no chooser.
                        EXPECT_GT(count(), 0);
                        EXPECT_FALSE(Enabled(d, IDC_TAG_INSERT_CHOOSER));
                        next();
                        // Paths: the file chooser from the document's folder.
                        EXPECT_EQ(ItemText(d, IDC_TAG_INSERT_CHOOSER), "ファイル(&B)");
                        chooser();
                        EXPECT_EQ(files.seenBase, "C:\\site");
                        EXPECT_EQ(value(), "画像/ソース.gif");
                        files.base = "";
                        chooser();
                        EXPECT_EQ(boxes.texts, std::vector<std::string>{tags::kNoBasePathMessage});
                        EXPECT_EQ(value(), "画像/ソース.gif");
                        ::SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_TAG_INSERT_BACK, BN_CLICKED), 0);
                        next();
                        EXPECT_EQ(value(), "画像/ソース.gif");  // kept when going back
                        next();
                        // An unknown kind: plain choices, no chooser, the last step.
                        EXPECT_EQ(count(), 2);
                        EXPECT_EQ(ItemText(d, IDC_TAG_INSERT_CHOOSER), "（不可）");
                        EXPECT_FALSE(Enabled(d, IDC_TAG_INSERT_CHOOSER));
                        EXPECT_EQ(ItemText(d, IDOK), "挿入(&I)");
                        next();
                        return true;
                    }});
    tagswin::CTagInsertDlg dialog(tag, "C:\\site", nullptr);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.Values(), (std::vector<std::string>{"3", "#0102ab", "", "画像/ソース.gif", ""}));
    tagswin::SetColorChooser(oldColors);
    SetMessageBoxService(oldBoxes);
    SetFileDialogService(oldFiles);
}

TEST(InteractiveTagDlgTest, PropertiesEditAWorkingListOfAtMostFifteen) {
    tags::InteractiveTagData tag = Tag({});
    for (int i = 0; i < 14; ++i) tag.Attributes.push_back(Tag({{"a", 0}}).Attributes[0]);
    tags::SetField(tag.Attributes[0].Attr, "first");
    HWND d = nullptr;
    const auto press = [&](int id) { ::SendMessageA(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); };
    const auto listCount = [&] { return ::SendDlgItemMessageA(d, IDC_ITAG_ATTRS, LB_GETCOUNT, 0, 0); };
    CScript script({[&] { return (d = FindDialog("対話型タグプロパティ")) != nullptr; },
                    [&] {
                        const struct {
                            int id;
                            LRESULT limit;
                        } limits[] = {{IDC_ITAG_NAME, 127}, {IDC_ITAG_COMMENT, 255}, {IDC_ITAG_FACT, 31},
                                      {IDC_ITAG_ATTR, 31},  {IDC_ITAG_ATTR_COMMENT, 255}, {IDC_ITAG_INPUT, 511}};
                        for (const auto& l : limits)
                            EXPECT_EQ(::SendDlgItemMessageA(d, l.id, EM_GETLIMITTEXT, 0, 0), l.limit) << l.id;
                        EXPECT_EQ(ItemText(d, IDC_ITAG_FACT), "font");
                        EXPECT_EQ(::IsDlgButtonChecked(d, IDC_ITAG_CLOSED), BST_CHECKED);
                        EXPECT_EQ(ItemText(d, IDC_ITAG_ATTR), "first");
                        EXPECT_TRUE(Enabled(d, IDC_ITAG_NEW));
                        press(IDC_ITAG_NEW);
                        EXPECT_EQ(listCount(), 15);
                        EXPECT_FALSE(Enabled(d, IDC_ITAG_NEW));
                        EXPECT_EQ(ItemText(d, IDC_ITAG_ATTR), "newattr");
                        EXPECT_TRUE(Enabled(d, IDC_ITAG_INPUT));
                        ChooseItem(d, IDC_ITAG_KIND, 2);
                        EXPECT_FALSE(Enabled(d, IDC_ITAG_INPUT));
                        ::SetDlgItemTextA(d, IDC_ITAG_ATTR, "color");
                        char item[64] = {};
                        ::SendDlgItemMessageA(d, IDC_ITAG_ATTRS, LB_GETTEXT, 14, reinterpret_cast<LPARAM>(item));
                        EXPECT_STREQ(item, "color");
                        press(IDC_ITAG_UP);
                        EXPECT_EQ(::SendDlgItemMessageA(d, IDC_ITAG_ATTRS, LB_GETCURSEL, 0, 0), 13);
                        HWND list = ::GetDlgItem(d, IDC_ITAG_ATTRS);
                        ::SendMessageA(list, LB_SETCURSEL, 14, 0);
                        ::SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_ITAG_ATTRS, LBN_SELCHANGE),
                                       reinterpret_cast<LPARAM>(list));
                        press(IDC_ITAG_DELETE);  // the selection moves to the new last one
                        EXPECT_EQ(listCount(), 14);
                        EXPECT_EQ(ItemText(d, IDC_ITAG_ATTR), "color");
                        EXPECT_TRUE(Enabled(d, IDC_ITAG_NEW));
                        ::CheckRadioButton(d, IDC_ITAG_CLOSED, IDC_ITAG_NOT_CLOSED, IDC_ITAG_NOT_CLOSED);
                        ::CheckDlgButton(d, IDC_ITAG_KEYS, BST_CHECKED);
                        ::SetDlgItemTextA(d, IDC_ITAG_FACT, "span");
                        ::SendMessageA(d, WM_COMMAND, IDOK, 0);
                        return true;
                    },
                    [&] { return (d = FindDialog("対話型タグプロパティ")) != nullptr; },
                    [&] {
                        ::SetDlgItemTextA(d, IDC_ITAG_FACT, "div");
                        press(IDC_ITAG_DELETE);
                        ::SendMessageA(d, WM_COMMAND, IDCANCEL, 0);
                        return true;
                    }});
    {
        tagswin::CInteractiveTagDlg dialog(tag, nullptr);
        EXPECT_EQ(dialog.DoModal(), 5);
    }
    EXPECT_STREQ(tag.Fact, "span");
    EXPECT_EQ(tag.Closed, 0);
    ASSERT_EQ(tag.Attributes.size(), 14u);
    EXPECT_STREQ(tag.Attributes[13].Attr, "color");
    EXPECT_EQ(tag.Attributes[13].AttrKind, 2);
    {
        tagswin::CInteractiveTagDlg dialog(tag, nullptr);
        EXPECT_EQ(dialog.DoModal(), 2);
    }
    EXPECT_STREQ(tag.Fact, "span");
    EXPECT_EQ(tag.Attributes.size(), 14u);
}
