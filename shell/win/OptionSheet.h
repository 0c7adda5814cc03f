// The options sheet "オプション" (command 32776): the editor, preview,
// preview 2, file, folder tree and details pages, as the page mask asks.
// Each page works on a copy of its owner's values and hands it back on OK;
// the editor and both preview pages set the refresh flag, after which every
// open document takes the settings again. The page shown last is kept as
// "OptionIndex" of section "Main", on OK and on Cancel.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/win/PropertySheet.h"
#include "shell/core/OptionRules.h"

// The owners of the values the pages edit (the main frame in the program).
class IOptionOwner {
public:
    virtual ~IOptionOwner() = default;
    virtual const editor::ColorModeTable& ColorModes() const = 0;
    // OK on the editor page: the working copy replaces the mode table.
    virtual void SetColorModes(const std::vector<editor::ColorMode>& modes) = 0;
    // The mode and tab the editor page showed last (on OK and on Cancel).
    virtual void SetLastShown(int modeIndex, int detailIndex) = 0;
    // The keyword folder, ending in a separator.
    virtual std::string KeywordFolder() const = 0;
    virtual preview::PreviewSettings Preview() const = 0;
    virtual void SetBrowserBlock(const preview::BrowserBlock& block) = 0;
    virtual void SetServerBlock(const preview::ServerBlock& block) = 0;
    virtual docs::FileSettings Files() const = 0;
    virtual void SetFiles(const docs::FileSettings& s) = 0;
    virtual filetree::FolderTreeSettings FolderTree() const = 0;
    virtual void SetFolderTree(const filetree::FolderTreeSettings& s, bool rebuild) = 0;
    virtual options::EtcPageResult Etc() const = 0;
    virtual void SetEtc(const options::EtcPageResult& etc) = 0;
    // Every open document takes the settings again.
    virtual void ReapplyToDocuments() = 0;
};

// How the pages ask for a folder or a colour; tests replace them.
using FolderPicker = std::function<bool(HWND owner, std::string* folder)>;
void SetOptionFolderPicker(FolderPicker picker);
bool PickOptionFolder(HWND owner, std::string* folder);

class COptionSheet : public CPropertySheet {
public:
    COptionSheet(HWND parent, IOptionOwner& owner, unsigned pageMask = options::kAllPages);
    // Runs the sheet modally, then Finish().
    INT_PTR Run();
    // After the sheet closed: stores the page shown last and, when a page set
    // the refresh flag, has every document take the settings again.
    void Finish();

    IOptionOwner& Owner() { return m_owner; }
    void SetRefresh() { m_refresh = true; }
    bool Refresh() const { return m_refresh; }

private:
    IOptionOwner& m_owner;
    bool m_refresh = false;
    std::vector<std::unique_ptr<CPropertyPage>> m_pages;
};

// A page of the options sheet.
class COptionPage : public CPropertyPage {
public:
    using CPropertyPage::CPropertyPage;

protected:
    COptionSheet* OptionSheet() const { return static_cast<COptionSheet*>(Sheet()); }
    IOptionOwner& Owner() const { return OptionSheet()->Owner(); }
    bool IsChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED; }
    void Check(int id, bool on) const { ::CheckDlgButton(m_hWnd, id, on ? BST_CHECKED : BST_UNCHECKED); }
    void Enable(int id, bool on) const { ::EnableWindow(GetDlgItem(id), on ? TRUE : FALSE); }
    std::string Text(int id) const;
    // A folder from the picker into the edit `id`, ending in one separator.
    bool BrowseFolder(int id);
    bool m_filling = false;
};

// "プレビュー": browsers, their paths and preview methods, the temporary folder.
class CWebPage : public COptionPage {
public:
    CWebPage();
    bool OnInitDialog() override;
    bool OnApply() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    const preview::BrowserBlock& Block() const { return m_block; }
    void SelectBrowser(int browser);

private:
    void UpdateEnabling();
    preview::BrowserBlock m_block;
    int m_browser = 0;
};

// "プレビュー2": the local server mapping and the tab double-click.
class CWebPage2 : public COptionPage {
public:
    CWebPage2();
    bool OnInitDialog() override;
    bool OnApply() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void UpdateEnabling();
    preview::ServerBlock m_block;
};

// "ファイル管理": backups, the default extension and the template.
class CFilePage : public COptionPage {
public:
    CFilePage();
    bool OnInitDialog() override;
    bool OnApply() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void UpdateEnabling();
    docs::FileSettings m_settings;
};

// "ファイル ツリー": the start folder, the extensions shown, hidden items.
class CFolderPage : public COptionPage {
public:
    CFolderPage();
    bool OnInitDialog() override;
    bool OnApply() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void UpdateEnabling();
    filetree::FolderTreeSettings m_settings;
    bool m_filterTouched = false;
};

// "詳細設定": placement, live splitter dragging, reopening the last files.
class CEtcPage : public COptionPage {
public:
    CEtcPage();
    bool OnInitDialog() override;
    bool OnApply() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
};
