#include "config/win/CustomizeSheet.h"

#include "config/core/SettingsStore.h"
#include "config/win/KeyPage.h"
#include "config/win/RcmenuPage.h"
#include "config/win/ScrnspltPage.h"

namespace {
constexpr char kSection[] = "Main";
constexpr char kIndexValue[] = "CstmzIndex";

bool Remembers(unsigned pageMask) { return pageMask != CCstmzSheet::kKeyboardPage; }

UINT StoredIndex(unsigned pageMask) {
    const settings::SettingsStore* store = Remembers(pageMask) ? settings::Current() : nullptr;
    const int index = store ? store->ReadSettingInt(kSection, kIndexValue, 0) : 0;
    return index < 0 ? 0u : static_cast<UINT>(index);
}
}  // namespace

CCstmzSheet::CCstmzSheet(HWND parent, CommandManager& commands, unsigned pageMask, int keyCategory,
                         split::ISplitLayoutHost* layoutHost)
    : CPropertySheet("カスタマイズ", parent, StoredIndex(pageMask)), m_remember(Remembers(pageMask)) {
    if (pageMask & kKeyboardPage) m_pages.push_back(std::make_unique<CKeyPage>(commands, keyCategory));
    if (pageMask & kRightClickPage) m_pages.push_back(std::make_unique<CRcmenuPage>(commands));
    if ((pageMask & kScreenSplitPage) && layoutHost) m_pages.push_back(std::make_unique<CScrnspltPage>(*layoutHost));
    for (auto& page : m_pages) AddPage(page.get());
}

INT_PTR CCstmzSheet::Run() {
    const INT_PTR r = DoModal();
    settings::SettingsStore* store = m_remember ? settings::Current() : nullptr;
    if (store) store->WriteSettingInt(kSection, kIndexValue, ActiveIndex());
    return r;
}
