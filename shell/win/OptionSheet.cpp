#include "shell/win/OptionSheet.h"

#include "config/core/MenuCommandTable.h"
#include "config/core/SettingsStore.h"
#include "framework/core/PathUtil.h"
#include "framework/win/FileDialog.h"
#include "framework/win/MessageBox.h"
#include "framework/win/WinPath.h"
#include "resources/resource.h"
#include "shell/win/CanvasPage.h"

namespace {
constexpr char kSection[] = "Main";
constexpr char kIndexValue[] = "OptionIndex";
constexpr std::size_t kToolsCategory = 4;  // "ツール(&T)": the four browsers lead it

FolderPicker& Picker() {
    static FolderPicker picker;
    return picker;
}

UINT StoredIndex(unsigned pageMask) {
    int pages = 0;
    for (unsigned bit : options::kPageOrder) pages += (pageMask & bit) ? 1 : 0;
    const settings::SettingsStore* store = settings::Current();
    const int stored = store ? store->ReadSettingInt(kSection, kIndexValue, 0) : 0;
    return static_cast<UINT>(options::StartPage(stored, pages));
}

// Whether a command is a button click or a box's change the page reacts to.
WORD Code(WPARAM wParam) { return HIWORD(wParam); }
int Id(WPARAM wParam) { return LOWORD(wParam); }
}  // namespace

void SetOptionFolderPicker(FolderPicker picker) { Picker() = std::move(picker); }

bool PickOptionFolder(HWND owner, std::string* folder) {
    if (Picker()) return Picker()(owner, folder);
    return ChooseFolder(owner, folder);
}

// --- The sheet ---------------------------------------------------------------

COptionSheet::COptionSheet(HWND parent, IOptionOwner& owner, unsigned pageMask)
    : CPropertySheet("オプション", parent, StoredIndex(pageMask)), m_owner(owner) {
    for (unsigned bit : options::kPageOrder) {
        if (!(pageMask & bit)) continue;
        switch (bit) {
            case options::kEditorPage: m_pages.push_back(std::make_unique<CCanvasPage>()); break;
            case options::kPreviewPage: m_pages.push_back(std::make_unique<CWebPage>()); break;
            case options::kPreview2Page: m_pages.push_back(std::make_unique<CWebPage2>()); break;
            case options::kFilePage: m_pages.push_back(std::make_unique<CFilePage>()); break;
            case options::kFolderTreePage: m_pages.push_back(std::make_unique<CFolderPage>()); break;
            default: m_pages.push_back(std::make_unique<CEtcPage>()); break;
        }
    }
    for (auto& page : m_pages) AddPage(page.get());
}

INT_PTR COptionSheet::Run() {
    const INT_PTR r = DoModal();
    Finish();
    return r;
}

void COptionSheet::Finish() {
    if (settings::SettingsStore* store = settings::Current()) store->WriteSettingInt(kSection, kIndexValue, ActiveIndex());
    if (m_refresh) {
        m_refresh = false;
        m_owner.ReapplyToDocuments();
    }
}

// --- Page helpers --------------------------------------------------------------

std::string COptionPage::Text(int id) const {
    HWND item = GetDlgItem(id);
    const int length = ::GetWindowTextLengthA(item);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = ::GetWindowTextA(item, &text[0], length + 1);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

bool COptionPage::BrowseFolder(int id) {
    std::string folder;
    if (!PickOptionFolder(m_hWnd, &folder) || folder.empty()) return false;
    ::SetDlgItemTextA(m_hWnd, id, pathutil::WithTrailingSeparator(folder).c_str());
    SetModified(true);
    return true;
}

// --- プレビュー -------------------------------------------------------------------

CWebPage::CWebPage() : COptionPage(IDD_OPT_WEB_PAGE) {}

bool CWebPage::OnInitDialog() {
    m_block = Owner().Preview().browsers;
    HWND list = GetDlgItem(IDC_OPT_BROWSER);
    const commands::MenuCategoryDef& tools = commands::Category(kToolsCategory);
    for (std::size_t i = 0; i < static_cast<std::size_t>(preview::kBrowserCount) && i < tools.count; ++i) {
        const std::string label = options::BrowserLabel(tools.items[i].label);
        ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
    }
    m_filling = true;
    Check(IDC_OPT_TEMP_POINT, m_block.tempPoint == 1);
    ::SetDlgItemTextA(m_hWnd, IDC_OPT_TEMP_PATH, m_block.tempPath.c_str());
    m_filling = false;
    SelectBrowser(0);
    return true;
}

void CWebPage::SelectBrowser(int browser) {
    m_browser = browser < 0 || browser >= preview::kBrowserCount ? 0 : browser;
    m_filling = true;
    ::SendMessageA(GetDlgItem(IDC_OPT_BROWSER), CB_SETCURSEL, static_cast<WPARAM>(m_browser), 0);
    ::SetDlgItemTextA(m_hWnd, IDC_OPT_BROWSER_PATH, m_block.path[m_browser].c_str());
    const int method = m_block.method[m_browser];
    ::CheckRadioButton(m_hWnd, IDC_OPT_METHOD0, IDC_OPT_METHOD2, IDC_OPT_METHOD0 + (method >= 0 && method <= 2 ? method : 0));
    m_filling = false;
    UpdateEnabling();
}

void CWebPage::UpdateEnabling() {
    const options::WebPageEnabling e = options::WebPageEnablingFor(m_block, m_browser);
    Enable(IDC_OPT_BROWSER_PATH, e.path);
    Enable(IDC_OPT_BROWSER_BROWSE, e.path);
    Enable(IDC_OPT_TEMP_PATH, e.folder);
    Enable(IDC_OPT_TEMP_BROWSE, e.folder);
}

bool CWebPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = Id(wParam);
    if (id == IDC_OPT_BROWSER && Code(wParam) == CBN_SELCHANGE) {
        SelectBrowser(static_cast<int>(::SendMessageA(GetDlgItem(id), CB_GETCURSEL, 0, 0)));
        return true;
    }
    if (Code(wParam) == BN_CLICKED && !m_filling) {
        switch (id) {
            case IDC_OPT_BROWSER_BROWSE: {
                CFileDialog dlg(true, ".exe", m_block.path[m_browser], OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                                "ブラウザ (*.exe)|*.exe||", m_hWnd);
                if (dlg.DoModal() == IDOK) {
                    m_block.path[m_browser] = dlg.GetPathName();
                    ::SetDlgItemTextA(m_hWnd, IDC_OPT_BROWSER_PATH, m_block.path[m_browser].c_str());
                    SetModified(true);
                }
                return true;
            }
            case IDC_OPT_METHOD0:
            case IDC_OPT_METHOD1:
            case IDC_OPT_METHOD2:
                m_block.method[m_browser] = id - IDC_OPT_METHOD0;
                SetModified(true);
                return true;
            case IDC_OPT_TEMP_POINT:
                m_block.tempPoint = IsChecked(id) ? 1 : 0;
                UpdateEnabling();
                SetModified(true);
                return true;
            case IDC_OPT_TEMP_BROWSE:
                if (BrowseFolder(IDC_OPT_TEMP_PATH)) m_block.tempPath = Text(IDC_OPT_TEMP_PATH);
                return true;
            default: break;
        }
    }
    return COptionPage::OnCommand(wParam, lParam);
}

bool CWebPage::OnApply() {
    Owner().SetBrowserBlock(m_block);
    OptionSheet()->SetRefresh();
    return true;
}

// --- プレビュー2 ------------------------------------------------------------------

CWebPage2::CWebPage2() : COptionPage(IDD_OPT_WEB2_PAGE) {}

bool CWebPage2::OnInitDialog() {
    m_block = Owner().Preview().server;
    m_filling = true;
    Check(IDC_OPT_LOCAL_SERVER, m_block.localServer == 1);
    ::SetDlgItemTextA(m_hWnd, IDC_OPT_REPLACE_PATH, m_block.replacePath.c_str());
    ::SetDlgItemTextA(m_hWnd, IDC_OPT_ADDRESS, m_block.localAddress.c_str());
    const std::string label = std::string("置き換えアドレス(&A)：(例： ") + preview::kDefaultLocalAddress + ")";
    ::SetDlgItemTextA(m_hWnd, IDC_OPT_ADDRESS_LABEL, label.c_str());
    Check(IDC_OPT_TAB_DBL, m_block.tabDblPreview == 1);
    m_filling = false;
    UpdateEnabling();
    return true;
}

void CWebPage2::UpdateEnabling() {
    const bool on = m_block.localServer == 1;
    for (int id : {IDC_OPT_REPLACE_LABEL, IDC_OPT_REPLACE_PATH, IDC_OPT_REPLACE_BROWSE, IDC_OPT_ADDRESS_LABEL,
                   IDC_OPT_ADDRESS, IDC_OPT_NOTE1, IDC_OPT_NOTE2})
        Enable(id, on);
}

bool CWebPage2::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (m_filling) return COptionPage::OnCommand(wParam, lParam);
    const int id = Id(wParam);
    if (id == IDC_OPT_ADDRESS && Code(wParam) == EN_CHANGE) {
        m_block.localAddress = Text(id);
        SetModified(true);
        return true;
    }
    if (Code(wParam) == BN_CLICKED) {
        switch (id) {
            case IDC_OPT_LOCAL_SERVER:
                m_block.localServer = IsChecked(id) ? 1 : 0;
                UpdateEnabling();
                SetModified(true);
                return true;
            case IDC_OPT_REPLACE_BROWSE:
                if (BrowseFolder(IDC_OPT_REPLACE_PATH)) m_block.replacePath = Text(IDC_OPT_REPLACE_PATH);
                return true;
            case IDC_OPT_TAB_DBL:
                m_block.tabDblPreview = IsChecked(id) ? 1 : 0;
                SetModified(true);
                return true;
            default: break;
        }
    }
    return COptionPage::OnCommand(wParam, lParam);
}

bool CWebPage2::OnApply() {
    Owner().SetServerBlock(m_block);
    OptionSheet()->SetRefresh();
    return true;
}

// --- ファイル管理 -----------------------------------------------------------------

CFilePage::CFilePage() : COptionPage(IDD_OPT_FILE_PAGE) {}

bool CFilePage::OnInitDialog() {
    m_settings = Owner().Files();
    m_filling = true;
    ::SendMessageA(GetDlgItem(IDC_OPT_DEFAULT_EXT), EM_LIMITTEXT, 8, 0);
    Check(IDC_OPT_BACKUP, m_settings.backup == 1);
    Check(IDC_OPT_BACKUP_DIR_POINT, m_settings.backupDirPoint == 1);
    ::SetDlgItemTextA(m_hWnd, IDC_OPT_BACKUP_DIR, m_settings.backupDir.c_str());
    ::SetDlgItemTextA(m_hWnd, IDC_OPT_DEFAULT_EXT, m_settings.defaultExt.c_str());
    Check(IDC_OPT_TEMPLATE, m_settings.useTemplate == 1);
    ::SetDlgItemTextA(m_hWnd, IDC_OPT_TEMPLATE_PATH, m_settings.templatePath.c_str());
    m_filling = false;
    UpdateEnabling();
    return true;
}

void CFilePage::UpdateEnabling() {
    const options::FilePageEnabling e = options::FilePageEnablingFor(m_settings);
    Enable(IDC_OPT_BACKUP_DIR_POINT, e.backupDirPoint);
    Enable(IDC_OPT_BACKUP_DIR, e.backupDir);
    Enable(IDC_OPT_BACKUP_BROWSE, e.backupDir);
    Enable(IDC_OPT_TEMPLATE_PATH, e.templatePath);
    Enable(IDC_OPT_TEMPLATE_BROWSE, e.templatePath);
}

bool CFilePage::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (m_filling) return COptionPage::OnCommand(wParam, lParam);
    const int id = Id(wParam);
    if (id == IDC_OPT_DEFAULT_EXT && Code(wParam) == EN_CHANGE) {
        SetModified(true);
        return true;
    }
    if (Code(wParam) == BN_CLICKED) {
        switch (id) {
            case IDC_OPT_BACKUP: m_settings.backup = IsChecked(id) ? 1 : 0; break;
            case IDC_OPT_BACKUP_DIR_POINT: m_settings.backupDirPoint = IsChecked(id) ? 1 : 0; break;
            case IDC_OPT_TEMPLATE: m_settings.useTemplate = IsChecked(id) ? 1 : 0; break;
            case IDC_OPT_BACKUP_BROWSE:
                if (BrowseFolder(IDC_OPT_BACKUP_DIR)) m_settings.backupDir = Text(IDC_OPT_BACKUP_DIR);
                return true;
            case IDC_OPT_TEMPLATE_BROWSE: {
                CFileDialog dlg(true, nullptr, m_settings.templatePath, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                                "すべて (*.*)|*.*||", m_hWnd);
                if (dlg.DoModal() == IDOK) {
                    m_settings.templatePath = dlg.GetPathName();
                    ::SetDlgItemTextA(m_hWnd, IDC_OPT_TEMPLATE_PATH, m_settings.templatePath.c_str());
                    SetModified(true);
                }
                return true;
            }
            default: return COptionPage::OnCommand(wParam, lParam);
        }
        UpdateEnabling();
        SetModified(true);
        return true;
    }
    return COptionPage::OnCommand(wParam, lParam);
}

bool CFilePage::OnApply() {
    const std::string ext = Text(IDC_OPT_DEFAULT_EXT);
    if (!options::DefaultExtensionAccepted(ext)) {
        PqErrorBox(m_hWnd, "保存時のデフォルト拡張子に次の文字は使えません： \\ / : * ? \" < > | と先頭の .");
        return false;
    }
    m_settings.defaultExt = ext;
    Owner().SetFiles(m_settings);
    return true;
}

// --- ファイル ツリー ----------------------------------------------------------------

CFolderPage::CFolderPage() : COptionPage(IDD_OPT_FOLDER_PAGE) {}

bool CFolderPage::OnInitDialog() {
    m_settings = Owner().FolderTree();
    m_filling = true;
    Check(IDC_OPT_DIR_POINT, m_settings.dirPoint == 1);
    ::CheckRadioButton(m_hWnd, IDC_OPT_DIR_LAST, IDC_OPT_DIR_FIXED,
                       m_settings.dirMethod == 1 ? IDC_OPT_DIR_FIXED : IDC_OPT_DIR_LAST);
    ::SetDlgItemTextA(m_hWnd, IDC_OPT_DIR_PATH, m_settings.pointDirPath.c_str());
    Check(IDC_OPT_EXT_POINT, m_settings.extPoint == 1);
    ::SetDlgItemTextA(m_hWnd, IDC_OPT_EXT_KINDS, m_settings.extKinds.c_str());
    Check(IDC_OPT_GHOST, m_settings.ghostDisp == 1);
    m_filling = false;
    UpdateEnabling();
    return true;
}

void CFolderPage::UpdateEnabling() {
    const options::FolderPageEnabling e = options::FolderPageEnablingFor(m_settings);
    Enable(IDC_OPT_DIR_LAST, e.radios);
    Enable(IDC_OPT_DIR_FIXED, e.radios);
    Enable(IDC_OPT_DIR_PATH, e.folder);
    Enable(IDC_OPT_DIR_BROWSE, e.folder);
    Enable(IDC_OPT_EXT_KINDS, e.extensions);
}

bool CFolderPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (m_filling) return COptionPage::OnCommand(wParam, lParam);
    const int id = Id(wParam);
    if (id == IDC_OPT_EXT_KINDS && Code(wParam) == EN_CHANGE) {
        m_settings.extKinds = Text(id);
        m_filterTouched = true;
        SetModified(true);
        return true;
    }
    if (Code(wParam) == BN_CLICKED) {
        switch (id) {
            case IDC_OPT_DIR_POINT: m_settings.dirPoint = IsChecked(id) ? 1 : 0; break;
            case IDC_OPT_DIR_LAST:
            case IDC_OPT_DIR_FIXED: m_settings.dirMethod = IsChecked(IDC_OPT_DIR_FIXED) ? 1 : 0; break;
            case IDC_OPT_EXT_POINT:
                m_settings.extPoint = IsChecked(id) ? 1 : 0;
                m_filterTouched = true;
                break;
            case IDC_OPT_GHOST:
                m_settings.ghostDisp = IsChecked(id) ? 1 : 0;
                m_filterTouched = true;
                break;
            case IDC_OPT_DIR_BROWSE:
                if (BrowseFolder(IDC_OPT_DIR_PATH)) m_settings.pointDirPath = Text(IDC_OPT_DIR_PATH);
                return true;
            default: return COptionPage::OnCommand(wParam, lParam);
        }
        UpdateEnabling();
        SetModified(true);
        return true;
    }
    return COptionPage::OnCommand(wParam, lParam);
}

bool CFolderPage::OnApply() {
    const options::FolderPageResult r = options::FolderPageResultFor(m_settings, m_filterTouched);
    Owner().SetFolderTree(r.settings, r.rebuild);
    return true;
}

// --- 詳細設定 ---------------------------------------------------------------------

CEtcPage::CEtcPage() : COptionPage(IDD_OPT_ETC_PAGE) {}

bool CEtcPage::OnInitDialog() {
    const options::EtcPageResult etc = Owner().Etc();
    Check(IDC_OPT_LAST_SIZE, etc.lastSize);
    Check(IDC_OPT_SPLIT_SHOW_MOVE, etc.splitShowMove);
    Check(IDC_OPT_LAST_OPEN, etc.lastOpen);
    return true;
}

bool CEtcPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (Code(wParam) == BN_CLICKED &&
        (Id(wParam) == IDC_OPT_LAST_SIZE || Id(wParam) == IDC_OPT_SPLIT_SHOW_MOVE || Id(wParam) == IDC_OPT_LAST_OPEN)) {
        SetModified(true);
        return true;
    }
    return COptionPage::OnCommand(wParam, lParam);
}

bool CEtcPage::OnApply() {
    options::EtcPageResult etc;
    etc.lastSize = IsChecked(IDC_OPT_LAST_SIZE);
    etc.splitShowMove = IsChecked(IDC_OPT_SPLIT_SHOW_MOVE);
    etc.lastOpen = IsChecked(IDC_OPT_LAST_OPEN);
    Owner().SetEtc(etc);
    return true;
}
