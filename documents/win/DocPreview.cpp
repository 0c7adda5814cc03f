// The document window's preview: making a document ready for a browser,
// starting an external browser with the one argument, the temporary file,
// and the local server switch.
#include "documents/win/DocTabWnd.h"

#include <algorithm>
#include "framework/core/PathUtil.h"
#include "framework/win/FileSystem.h"
#include "framework/win/MessageBox.h"
#include "framework/win/WinPath.h"
#include "resources/resource.h"

namespace {

// The temporary files on the disk: made only as new files, so a file of
// the user's is never opened, replaced or later deleted.
class WinTempDisk : public preview::ITempDisk {
public:
    Create CreateNew(const std::string& path, const std::string& bytes) override {
        CFileError error;
        if (WriteNewFile(path, bytes, &error)) return Create::Done;
        return error.osError == ERROR_FILE_EXISTS || error.osError == ERROR_ALREADY_EXISTS ? Create::AlreadyExists
                                                                                           : Create::Failed;
    }
    bool Remove(const std::string& path) override {
        const DWORD error = CurrentFileSystem().Delete(path);
        return error == ERROR_SUCCESS || error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    bool EnsureFolder(const std::string& folder) override {
        const DWORD a = ::GetFileAttributesA(folder.c_str());
        if (a != INVALID_FILE_ATTRIBUTES) return (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
        return CurrentFileSystem().CreateFolder(folder) == ERROR_SUCCESS;
    }
    std::uint32_t Seed() override { return ::GetTickCount() ^ (::GetCurrentProcessId() << 16); }
};

bool IsExistingFile(const std::string& path) {
    if (path.empty()) return false;
    const DWORD a = ::GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string ShortPathOf(const std::string& path) {
    char buffer[MAX_PATH * 2] = {};
    const DWORD n = ::GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
    return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

}  // namespace

void CDocTabWnd::SetBrowserBlock(const preview::BrowserBlock& block) {
    m_preview.browsers = block;
    MarkAllNavigate();
}

void CDocTabWnd::SetServerBlock(const preview::ServerBlock& block) {
    m_preview.server = block;
    MarkAllNavigate();
}

void CDocTabWnd::MarkAllNavigate() {
    for (DocEntry& e : m_docs) e.navigateOnShow = 1;
}

int CDocTabWnd::GetNavigateOnShow(int index) const {
    index = Resolve(index);
    return index < 0 ? 0 : m_docs[static_cast<std::size_t>(index)].navigateOnShow;
}

void CDocTabWnd::DeleteTempFile() {
    WinTempDisk disk;
    std::string failed;
    if (!m_temp.Delete(disk, &failed)) PqErrorBox(::GetAncestor(m_hWnd, GA_ROOT), preview::TempDeleteMessage(failed));
}

std::string CDocTabWnd::MakeTempFile(int index) {
    index = Resolve(index);
    if (index < 0 || !m_docs[static_cast<std::size_t>(index)].editor) return std::string();
    const DocEntry& e = m_docs[static_cast<std::size_t>(index)];
    std::string text;
    if (e.editor->Ops().GetText(text) < 0) return std::string();
    const std::string folder =
        preview::TempFolderFor(e.path, m_preview.browsers, pathutil::Join(ProgramFolder(), "Temp"));
    WinTempDisk disk;
    std::string failed;
    const std::string path = m_temp.Make(disk, folder, preview::TempExtensionFor(e.path), text, &failed);
    if (!failed.empty()) PqErrorBox(::GetAncestor(m_hWnd, GA_ROOT), preview::TempDeleteMessage(failed));
    return path;
}

std::string CDocTabWnd::PreviewAddress(bool* mapped) {
    if (mapped) *mapped = false;
    if (preview::EffectiveMethod(m_preview.browsers.method[preview::kInternalBrowser]) == 2) return MakeTempFile(-1);
    return preview::AddressFor(GetPath(-1), m_preview.server, mapped);
}

bool CDocTabWnd::ReadyForPreview(int browser) {
    const int index = Resolve(-1);
    const HWND root = ::GetAncestor(m_hWnd, GA_ROOT);
    CCanvasEdit* edit = GetEditor(index);
    if (!edit) return false;
    const bool modified = edit->Ops().IsModified();
    const bool untitled = GetPath(index).empty();
    switch (preview::ReadinessFor(m_preview.browsers.method[browser], modified, untitled)) {
    case preview::Readiness::Ready: return true;
    case preview::Readiness::AskThenSave:
        if (PqQuestionBox(root, preview::kAskSave, MB_OKCANCEL) != IDOK) {
            PqErrorBox(root, preview::kRefusedSave);
            return false;
        }
        [[fallthrough]];
    case preview::Readiness::Save:
        if (SaveDoc(index, true) != 1) {
            PqErrorBox(root, preview::kNotSaved);
            return false;
        }
        return true;
    }
    return false;
}

void CDocTabWnd::OnPreview(UINT commandId) {
    const HWND root = ::GetAncestor(m_hWnd, GA_ROOT);
    const int browser = preview::BrowserIndexOf(static_cast<int>(commandId));
    if (browser < 0) {
        PqErrorBox(root, preview::kNoBrowserInfo);
        return;
    }
    const int index = Resolve(-1);
    if (index < 0 || !GetEditor(index)) return;
    DocEntry& e = m_docs[static_cast<std::size_t>(index)];
    if (browser == preview::kInternalBrowser && e.previewShown) {
        e.previewShown = 0;
        ActivateTab(index);
        return;
    }
    if (!ReadyForPreview(browser)) return;
    if (browser == preview::kInternalBrowser) {
        e.previewShown = 1;
        ActivateTab(index);
        return;
    }
    const std::string program = m_preview.browsers.path[browser];
    if (!IsExistingFile(program)) {
        PqErrorBox(root, preview::kBadBrowserPath);
        return;
    }
    std::string target;
    if (preview::EffectiveMethod(m_preview.browsers.method[browser]) == 2) {
        target = MakeTempFile(index);
        if (target.empty()) {
            PqErrorBox(root, preview::kTempCreateFailed);
            return;
        }
    } else {
        target = GetPath(index);
    }
    const std::string argument = preview::BrowserArgument(target, ShortPathOf(target));
    const HINSTANCE started = ::ShellExecuteA(root, "open", program.c_str(), argument.c_str(), nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(started) <= 32) PqErrorBox(root, preview::kBadBrowserPath);
}

void CDocTabWnd::OnLocalServer() {
    m_preview.server.localServer = m_preview.server.localServer == 1 ? 0 : 1;
    MarkAllNavigate();
    const int index = Resolve(-1);
    if (index >= 0 && m_docs[static_cast<std::size_t>(index)].previewShown) ActivateTab(index);
}

CWebBrowser* CDocTabWnd::GetBrowser(int index) {
    index = Resolve(index);
    return index < 0 ? nullptr : m_docs[static_cast<std::size_t>(index)].browser.get();
}

bool CDocTabWnd::ShowPreview(int index, bool* mapped) {
    DocEntry& e = m_docs[static_cast<std::size_t>(index)];
    const HWND root = ::GetAncestor(m_hWnd, GA_ROOT);
    *mapped = false;
    bool created = false;
    if (!e.browser) {
        auto browser = std::make_unique<CWebBrowser>();
        if (!browser->Create(m_hWnd)) {
            PqErrorBox(root, preview::kNoInternalBrowser);
            return false;
        }
        e.browser = std::move(browser);
        created = true;
    }
    if (preview::EffectiveMethod(m_preview.browsers.method[preview::kInternalBrowser]) == 2) {
        const std::string temp = MakeTempFile(index);
        if (temp.empty()) {
            PqErrorBox(root, preview::kTempCreateFailed);
            return false;
        }
        e.navigateOnShow = 0;
        e.browser->Navigate(temp);
        return true;
    }
    const std::string address = preview::AddressFor(e.path, m_preview.server, mapped);
    if (created || e.navigateOnShow) {
        e.navigateOnShow = 0;
        e.browser->Navigate(address);
    } else {
        e.browser->Refresh();
    }
    return true;
}

void CDocTabWnd::OnBrowserCommand(UINT commandId) {
    const int index = Resolve(-1);
    if (index < 0) return;
    DocEntry& e = m_docs[static_cast<std::size_t>(index)];
    if (!e.previewShown || !e.browser) return;
    switch (commandId) {
    case ID_BROWSER_BACK: e.browser->GoBack(); break;
    case ID_BROWSER_FORWARD: e.browser->GoForward(); break;
    case ID_BROWSER_REFRESH: e.browser->Refresh(); break;
    case ID_BROWSER_RELOAD: {
        bool mapped = false;
        const std::string address = PreviewAddress(&mapped);
        if (!address.empty()) e.browser->Navigate(address);
        break;
    }
    default: break;
    }
}

bool CDocTabWnd::PreTranslateMessage(MSG* msg) {
    if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return false;
    CWebBrowser* browser = GetPreviewShown(-1) ? GetBrowser(-1) : nullptr;
    if (!browser || !browser->Window()) return false;
    if (msg->hwnd != browser->Window() && !::IsChild(browser->Window(), msg->hwnd)) return false;
    return browser->TranslateAccelerator(msg);
}
