#include "framework/win/PropertySheet.h"

CPropertyPage::CPropertyPage(UINT templateId) : CDialog(templateId, static_cast<HWND>(nullptr)) {}

void CPropertyPage::FillPage(PROPSHEETPAGEA* page) {
    *page = PROPSHEETPAGEA();
    page->dwSize = sizeof *page;
    page->dwFlags = PSP_DEFAULT;
    page->hInstance = ::GetModuleHandleA(nullptr);
    page->pszTemplate = MAKEINTRESOURCEA(m_templateId);
    page->pfnDlgProc = &CPropertyPage::PageProc;
    page->lParam = reinterpret_cast<LPARAM>(this);
}

INT_PTR CALLBACK CPropertyPage::PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        // The sheet hands the page description; the object is its lParam.
        const auto* info = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
        if (!info) return FALSE;
        return CDialog::DlgProc(hwnd, message, wParam, info->lParam);
    }
    return CDialog::DlgProc(hwnd, message, wParam, lParam);
}

void CPropertyPage::SetModified(bool changed) {
    m_modified = changed;
    if (!m_hWnd) return;
    HWND sheet = ::GetParent(m_hWnd);
    ::SendMessageA(sheet, changed ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

bool CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header) return false;
    switch (header->code) {
        case PSN_SETACTIVE:
            if (m_sheet) m_sheet->PageActivated(this);
            *result = OnSetActive() ? 0 : -1;
            return true;
        case PSN_KILLACTIVE:
            *result = OnKillActive() ? FALSE : TRUE;
            return true;
        case PSN_APPLY:
            *result = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
            if (*result == PSNRET_NOERROR) m_modified = false;
            return true;
        case PSN_RESET:
            OnReset();
            *result = 0;
            return true;
        default:
            return CDialog::OnNotify(wParam, lParam, result);
    }
}

CPropertySheet::CPropertySheet(const std::string& title, HWND parent, UINT startPage)
    : m_title(title), m_parent(parent), m_startPage(startPage), m_activeIndex(static_cast<int>(startPage)) {}

CPropertySheet::~CPropertySheet() {
    if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
}

void CPropertySheet::AddPage(CPropertyPage* page) {
    if (!page) return;
    page->m_sheet = this;
    m_pages.push_back(page);
}

void CPropertySheet::PageActivated(CPropertyPage* page) {
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        if (m_pages[i] == page) m_activeIndex = static_cast<int>(i);
    }
}

bool CPropertySheet::Build(bool modeless, std::vector<PROPSHEETPAGEA>* pages, PROPSHEETHEADERA* header) {
    if (m_pages.empty()) return false;
    pages->assign(m_pages.size(), PROPSHEETPAGEA());
    for (std::size_t i = 0; i < m_pages.size(); ++i) m_pages[i]->FillPage(&(*pages)[i]);
    *header = PROPSHEETHEADERA();
    header->dwSize = sizeof *header;
    header->dwFlags = PSH_PROPSHEETPAGE | (modeless ? PSH_MODELESS : 0);
    header->hwndParent = m_parent;
    header->hInstance = ::GetModuleHandleA(nullptr);
    header->pszCaption = m_title.c_str();
    header->nPages = static_cast<UINT>(m_pages.size());
    header->nStartPage = m_startPage < m_pages.size() ? m_startPage : 0;
    header->ppsp = pages->data();
    return true;
}

INT_PTR CPropertySheet::DoModal() {
    PROPSHEETHEADERA header;
    if (!Build(false, &m_pageInfo, &header)) return -1;
    const INT_PTR r = ::PropertySheetA(&header);
    m_hWnd = nullptr;
    if (r < 0) return -1;
    return r > 0 ? IDOK : IDCANCEL;
}

HWND CPropertySheet::Create() {
    PROPSHEETHEADERA header;
    if (!Build(true, &m_pageInfo, &header)) return nullptr;
    const INT_PTR r = ::PropertySheetA(&header);
    m_hWnd = r > 0 ? reinterpret_cast<HWND>(r) : nullptr;
    return m_hWnd;
}
