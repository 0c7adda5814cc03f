// CPropertySheet and CPropertyPage: the platform's property sheet with pages
// made from dialog templates of the program's resources. A page is a
// dialog object; the sheet's notifications arrive as virtual calls.
#pragma once

#include <string>
#include <vector>

#include "framework/win/Dialog.h"

class CPropertySheet;

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT templateId);

    // Sheet notifications. OnApply is called for OK and Apply on every page
    // that was created; returning false keeps the sheet open.
    virtual bool OnSetActive() { return true; }
    virtual bool OnKillActive() { return true; }
    virtual bool OnApply() { return true; }
    virtual void OnReset() {}

    // Marks the page changed (enables Apply) or unchanged.
    void SetModified(bool changed = true);
    bool IsModified() const { return m_modified; }

    CPropertySheet* Sheet() const { return m_sheet; }

    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // Pages are closed by their sheet, never by their own buttons.
    void OnOK() override {}
    void OnCancel() override {}

private:
    friend class CPropertySheet;
    static INT_PTR CALLBACK PageProc(HWND, UINT, WPARAM, LPARAM);
    void FillPage(PROPSHEETPAGEA* page);
    CPropertySheet* m_sheet = nullptr;
    bool m_modified = false;
};

class CPropertySheet {
public:
    CPropertySheet(const std::string& title, HWND parent, UINT startPage = 0);
    virtual ~CPropertySheet();
    CPropertySheet(const CPropertySheet&) = delete;
    CPropertySheet& operator=(const CPropertySheet&) = delete;

    void AddPage(CPropertyPage* page);
    std::size_t PageCount() const { return m_pages.size(); }
    CPropertyPage* Page(std::size_t index) const { return index < m_pages.size() ? m_pages[index] : nullptr; }

    // Runs the sheet modally; IDOK when it was closed with OK, IDCANCEL
    // otherwise, -1 when it could not be shown.
    INT_PTR DoModal();
    // Creates the sheet modeless (tests drive it); its window, or null.
    HWND Create();
    // The sheet's window while it is shown.
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The index of the page shown last (also after the sheet closed).
    int ActiveIndex() const { return m_activeIndex; }

private:
    friend class CPropertyPage;
    void PageActivated(CPropertyPage* page);
    bool Build(bool modeless, std::vector<PROPSHEETPAGEA>* pages, PROPSHEETHEADERA* header);

    std::string m_title;
    HWND m_parent;
    UINT m_startPage;
    int m_activeIndex = 0;
    HWND m_hWnd = nullptr;
    std::vector<CPropertyPage*> m_pages;
    std::vector<PROPSHEETPAGEA> m_pageInfo;
};
