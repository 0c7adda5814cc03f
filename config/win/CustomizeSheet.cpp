#include "config/win/CustomizeSheet.h"

#include "config/core/SettingsStore.h"
#include "config/win/KeyPage.h"

namespace {
constexpr char kSection[] = "Main";
constexpr char kIndexValue[] = "CstmzIndex";

UINT StoredIndex() {
    const settings::SettingsStore* store = settings::Current();
    const int index = store ? store->ReadSettingInt(kSection, kIndexValue, 0) : 0;
    return index < 0 ? 0u : static_cast<UINT>(index);
}
}  // namespace

CCstmzSheet::CCstmzSheet(HWND parent, CommandManager& commands, unsigned pageMask, int keyCategory)
    : CPropertySheet("カスタマイズ", parent, StoredIndex()) {
    if (pageMask & kKeyboardPage) m_pages.push_back(std::make_unique<CKeyPage>(commands, keyCategory));
    for (auto& page : m_pages) AddPage(page.get());
}

INT_PTR CCstmzSheet::Run() {
    const INT_PTR r = DoModal();
    if (settings::SettingsStore* store = settings::Current()) store->WriteSettingInt(kSection, kIndexValue, ActiveIndex());
    return r;
}
