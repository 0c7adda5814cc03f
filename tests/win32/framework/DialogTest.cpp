// Modal and modeless dialogs from a template in memory.
#include <gtest/gtest.h>

#include <new>
#include <vector>

#include "framework/win/App.h"
#include "framework/win/Dialog.h"

namespace {

// A dialog template with no controls, built in memory and registered as the
// resource the dialog class loads (the class takes a template id, so the test
// overrides the creation calls).
class CMemoryDialog : public CDialog {
public:
    CMemoryDialog() : CDialog(0u, static_cast<HWND>(nullptr)) {
        m_template.resize(64, 0);
        auto* dt = reinterpret_cast<DLGTEMPLATE*>(m_template.data());
        dt->style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
        dt->cx = 100;
        dt->cy = 50;
    }
    INT_PTR DoModal() override {
        m_modal = true;
        INT_PTR r = ::DialogBoxIndirectParamA(::GetModuleHandleA(nullptr),
                                              reinterpret_cast<DLGTEMPLATE*>(m_template.data()), nullptr,
                                              &CDialog::DlgProc, reinterpret_cast<LPARAM>(this));
        m_modal = false;
        return r;
    }
    bool CreateModeless() override {
        HWND h = ::CreateDialogIndirectParamA(::GetModuleHandleA(nullptr),
                                              reinterpret_cast<DLGTEMPLATE*>(m_template.data()), nullptr,
                                              &CDialog::DlgProc, reinterpret_cast<LPARAM>(this));
        if (h && CWinApp::Current()) CWinApp::Current()->AddModelessDialog(h);
        return h != nullptr;
    }
    bool OnInitDialog() override {
        initialised = true;
        // Close from inside the dialog's own loop.
        ::PostMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(closeWith, BN_CLICKED), 0);
        return true;
    }
    void OnOK() override {
        okCalled = true;
        CDialog::OnOK();
    }
    bool initialised = false;
    bool okCalled = false;
    UINT closeWith = IDOK;

private:
    std::vector<unsigned char> m_template;
};

TEST(DialogTest, ModalDialogRunsInitAndEndsWithTheButtonsCode) {
    CMemoryDialog dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(dlg.initialised);
    EXPECT_TRUE(dlg.okCalled);
    EXPECT_EQ(dlg.m_hWnd, nullptr);

    CMemoryDialog cancel;
    cancel.closeWith = IDCANCEL;
    EXPECT_EQ(cancel.DoModal(), IDCANCEL);
    EXPECT_FALSE(cancel.okCalled);
}

TEST(DialogTest, ModelessDialogIsDestroyedByOk) {
    CWinApp app;
    CMemoryDialog dlg;
    ASSERT_TRUE(dlg.CreateModeless());
    ASSERT_NE(dlg.m_hWnd, nullptr);
    EXPECT_FALSE(dlg.IsModal());
    HWND h = dlg.m_hWnd;
    MSG msg;
    for (int i = 0; i < 200 && ::IsWindow(h); ++i) {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!app.PreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        ::Sleep(5);
    }
    EXPECT_FALSE(::IsWindow(h));
    EXPECT_TRUE(dlg.okCalled);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

// A dialog whose OK runs out of memory the first time: the operation ends,
// the dialog stays and the second OK closes it.
class CThrowingDialog : public CMemoryDialog {
public:
    int attempts = 0;
    bool OnInitDialog() override {
        ::PostMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        ::PostMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return true;
    }
    void OnOK() override {
        if (++attempts == 1) throw std::bad_alloc();
        CDialog::OnOK();
    }
};

TEST(DialogTest, AnExceptionInAHandlerEndsOnlyThatOperation) {
    CThrowingDialog dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.attempts, 2);
}

}  // namespace
