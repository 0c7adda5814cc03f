#include "shell/win/AddressBar.h"

#include <shellapi.h>

#include "config/core/SettingsStore.h"

namespace {
constexpr int kDropDownHeight = 360;

int SmallIconIndex(const std::string& path) {
    SHFILEINFOA info = {};
    // By name only: the list is filled quickly and missing files still get
    // the icon of their kind.
    if (!::SHGetFileInfoA(path.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                          SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON))
        return 0;
    return info.iIcon;
}
}  // namespace

bool CAddressBar::Create(HWND parent, UINT id) {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_BORDER | WS_VSCROLL | CBS_DROPDOWN |
                        CBS_AUTOHSCROLL;
    return CreateEx(0, WC_COMBOBOXEXA, "", style, 0, 0, 300, kDropDownHeight, parent, id);
}

void CAddressBar::ShowIcons() {
    if (m_icons || !m_hWnd) return;
    m_icons = true;
    SHFILEINFOA info = {};
    const auto images = reinterpret_cast<HIMAGELIST>(::SHGetFileInfoA(
        "C:\\", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info,
        SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    if (!images) return;
    SendMessage(CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    // The entries are listed again with their icons; the selection and the
    // edit field's text stay as they were.
    const LRESULT selected = SendMessage(CB_GETCURSEL);
    HWND edit = reinterpret_cast<HWND>(SendMessage(CBEM_GETEDITCONTROL));
    std::string text;
    if (edit) {
        text.assign(static_cast<std::size_t>(::GetWindowTextLengthA(edit)) + 1, '\0');
        text.resize(static_cast<std::size_t>(::GetWindowTextA(edit, &text[0], static_cast<int>(text.size()))));
    }
    Refill();
    SendMessage(CB_SETCURSEL, static_cast<WPARAM>(selected));
    if (edit) ::SetWindowTextA(edit, text.c_str());
}

int CAddressBar::BarHeight() const {
    HWND combo = reinterpret_cast<HWND>(SendMessage(CBEM_GETCOMBOCONTROL));
    RECT rc = {};
    ::GetWindowRect(combo ? combo : m_hWnd, &rc);
    const int h = rc.bottom - rc.top;
    // A combo box reports its dropped height on some systems.
    if (h > 0 && h < 60) return h;
    return static_cast<int>(SendMessage(CB_GETITEMHEIGHT, static_cast<WPARAM>(-1))) + 8;
}

void CAddressBar::InsertItem(int index, const std::string& path) {
    COMBOBOXEXITEMA item = {};
    item.mask = m_icons ? CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE : CBEIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<char*>(path.c_str());
    if (m_icons) item.iImage = item.iSelectedImage = SmallIconIndex(path);
    SendMessage(CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void CAddressBar::Refill() {
    SendMessage(CB_RESETCONTENT);
    const auto& paths = m_history.Paths();
    for (std::size_t i = 0; i < paths.size(); ++i) InsertItem(static_cast<int>(i), paths[i]);
}

void CAddressBar::ShowPath(const std::string& path) {
    const shell::AddressHistory::ShowResult r = m_history.ShowPath(path);
    if (r.removedLast) SendMessage(CBEM_DELETEITEM, shell::AddressHistory::kMaxEntries - 1);
    if (r.inserted) InsertItem(0, path);
    SendMessage(CB_SETCURSEL, static_cast<WPARAM>(r.selected));
    // An untitled document has no address: the edit field empties too.
    if (path.empty()) {
        if (HWND edit = reinterpret_cast<HWND>(SendMessage(CBEM_GETEDITCONTROL))) ::SetWindowTextA(edit, "");
    }
}

void CAddressBar::LoadHistory() {
    if (settings::SettingsStore* store = settings::Current()) m_history.Load(*store);
    Refill();
}

void CAddressBar::SaveHistory() const {
    if (settings::SettingsStore* store = settings::Current()) m_history.Save(*store);
}

void CAddressBar::FocusEdit() {
    HWND edit = reinterpret_cast<HWND>(SendMessage(CBEM_GETEDITCONTROL));
    ::SetFocus(edit ? edit : m_hWnd);
}

bool CAddressBar::HandleCommand(WPARAM wParam, LPARAM) {
    if (HIWORD(wParam) != CBN_SELENDOK) return false;
    const int index = static_cast<int>(SendMessage(CB_GETCURSEL));
    const auto& paths = m_history.Paths();
    if (index < 0 || static_cast<std::size_t>(index) >= paths.size() || !openFile) return true;
    const std::string path = paths[static_cast<std::size_t>(index)];
    const bool readOnly = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    if (!openFile(path, readOnly)) {
        m_history.Remove(static_cast<std::size_t>(index));
        SendMessage(CBEM_DELETEITEM, static_cast<WPARAM>(index));
    }
    return true;
}
