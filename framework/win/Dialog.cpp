#include "framework/win/Dialog.h"

#include <utility>

#include "framework/win/App.h"

namespace {
CDialog::HelpHandler& HelpHandlerSlot() {
    static CDialog::HelpHandler handler;
    return handler;
}
}  // namespace

CDialog::HelpHandler CDialog::SetHelpHandler(HelpHandler handler) {
    HelpHandler previous = std::move(HelpHandlerSlot());
    HelpHandlerSlot() = std::move(handler);
    return previous;
}

bool CDialog::ShowHelp() {
    const HelpHandler& handler = HelpHandlerSlot();
    return handler && handler(m_templateId);
}

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_templateId(templateId), m_parent(parent ? parent->m_hWnd : nullptr) {}

CDialog::CDialog(UINT templateId, HWND parent) : m_templateId(templateId), m_parent(parent) {}

CDialog::~CDialog() {
    if (m_hWnd && !m_modal) {
        if (CWinApp* app = CWinApp::Current()) app->RemoveModelessDialog(m_hWnd);
    }
}

INT_PTR CDialog::DoModal() {
    m_modal = true;
    m_result = ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_templateId), m_parent,
                                 &CDialog::DlgProc, reinterpret_cast<LPARAM>(this));
    m_modal = false;
    return m_result;
}

bool CDialog::CreateModeless() {
    m_modal = false;
    HWND h = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_templateId), m_parent,
                                  &CDialog::DlgProc, reinterpret_cast<LPARAM>(this));
    if (!h) return false;
    if (CWinApp* app = CWinApp::Current()) app->AddModelessDialog(h);
    return true;
}

void CDialog::EndDialog(INT_PTR result) {
    m_result = result;
    if (!m_hWnd) return;
    if (m_modal) {
        ::EndDialog(m_hWnd, result);
    } else {
        ::DestroyWindow(m_hWnd);
    }
}

LRESULT CDialog::DefWindowProc(UINT, WPARAM, LPARAM) {
    // The dialog manager supplies the default behaviour when DlgProc returns FALSE.
    m_passToDefault = true;
    return 0;
}

bool CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (CWnd::OnCommand(wParam, lParam)) return true;
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED || lParam == 0) {
        if (id == IDOK) {
            OnOK();
            return true;
        }
        if (id == IDCANCEL) {
            OnCancel();
            return true;
        }
        if (id == IDHELP) {
            ShowHelp();
            return true;
        }
    }
    return false;
}

INT_PTR CALLBACK CDialog::DlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CDialog* dlg = nullptr;
    if (message == WM_INITDIALOG) {
        dlg = reinterpret_cast<CDialog*>(lParam);
        if (!dlg) return FALSE;
        dlg->AttachHandle(hwnd);
        try {
            LRESULT r = 0;
            if (dlg->DispatchMessageMap(message, wParam, lParam, &r)) return r;
            return dlg->OnInitDialog() ? TRUE : FALSE;
        } catch (...) {
            // A dialog that could not be set up is not shown half made.
            AnswerAfterException(message);
            if (dlg->m_modal) ::EndDialog(hwnd, IDCANCEL);
            return TRUE;
        }
    }
    dlg = static_cast<CDialog*>(FromHandle(hwnd));
    if (!dlg) return FALSE;
    LRESULT result = 0;
    dlg->m_passToDefault = false;
    bool handled = false;
    try {
        handled = dlg->OnWndMsg(message, wParam, lParam, &result) && !dlg->m_passToDefault;
    } catch (...) {
        // The operation ends; the dialog manager does the default.
        AnswerAfterException(message);
        handled = false;
    }
    if (message == WM_NCDESTROY) {
        if (!dlg->m_modal) {
            if (CWinApp* app = CWinApp::Current()) app->RemoveModelessDialog(hwnd);
        }
        dlg->DetachHandle();
        dlg->PostNcDestroy();
        return FALSE;
    }
    if (!handled && message == WM_HELP) {
        // F1 anywhere in the dialog: a control passes it up to here. Taken
        // even without a page, so it does not reach the owner's window.
        dlg->ShowHelp();
        ::SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    if (!handled) return FALSE;
    switch (message) {
        // Messages whose result is the procedure's return value itself.
        case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN: case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC: case WM_COMPAREITEM: case WM_VKEYTOITEM:
        case WM_CHARTOITEM: case WM_QUERYDRAGICON:
            return static_cast<INT_PTR>(result);
        default:
            ::SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
            return TRUE;
    }
}
