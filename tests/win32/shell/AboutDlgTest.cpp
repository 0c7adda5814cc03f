// The about box shows the version and legal notice of the version resource.
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "shell/win/AboutDlg.h"

namespace {

class CCheckedAbout : public CAboutDlg {
public:
    CCheckedAbout() : CAboutDlg(nullptr) {}
    bool OnInitDialog() override {
        CAboutDlg::OnInitDialog();
        char buf[256] = {};
        ::GetWindowTextA(m_hWnd, buf, sizeof buf);
        title = buf;
        ::GetDlgItemTextA(m_hWnd, IDC_ABOUT_VERSION, buf, sizeof buf);
        version = buf;
        ::GetDlgItemTextA(m_hWnd, IDC_ABOUT_COPYRIGHT, buf, sizeof buf);
        copyright = buf;
        ::GetDlgItemTextA(m_hWnd, IDC_ABOUT_LINK, buf, sizeof buf);
        link = buf;
        ::PostMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return true;
    }
    std::string title, version, copyright, link;
};

TEST(AboutDlgTest, ShowsVersionCopyrightAndAddress) {
    CCheckedAbout dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.title, "Pembroquilのバージョン情報");
    EXPECT_EQ(dlg.version, "バージョン： 2.06");
    EXPECT_NE(dlg.copyright.find("Copyright"), std::string::npos);
    EXPECT_EQ(dlg.link, CAboutDlg::kWebAddress);
}

}  // namespace
