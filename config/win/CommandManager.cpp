#include "config/win/CommandManager.h"

#include <algorithm>
#include <cstdio>

#include "config/core/MenuCommandTable.h"
#include "config/core/SettingsStore.h"

CommandManager::CommandManager() = default;

CommandManager::~CommandManager() {
    DestroyTable();
    if (m_barMenu) ::DestroyMenu(m_barMenu);
    if (m_keysOnlyMenu) ::DestroyMenu(m_keysOnlyMenu);
}

void CommandManager::SetHandler(UINT id, RunFn run, StateFn state) {
    if (!run) {
        m_handlers.erase(id);
        return;
    }
    Handler& h = m_handlers[id];
    h.run = std::move(run);
    if (state) h.state = std::move(state);
}

void CommandManager::SetStateHandler(UINT id, StateFn state) { m_handlers[id].state = std::move(state); }

bool CommandManager::HasHandler(UINT id) const {
    auto it = m_handlers.find(id);
    return it != m_handlers.end() && it->second.run;
}

void CommandManager::AddCommandTarget(CCmdTarget* target) {
    if (target && std::find(m_targets.begin(), m_targets.end(), target) == m_targets.end())
        m_targets.push_back(target);
}

void CommandManager::RemoveCommandTarget(CCmdTarget* target) {
    m_targets.erase(std::remove(m_targets.begin(), m_targets.end(), target), m_targets.end());
}

bool CommandManager::RouteCommand(UINT id, int code) {
    // Only menu items and keys are commands; other codes are notifications
    // of controls that the windows handle themselves.
    if (code != 0 && code != 1) return false;
    if (m_focusTarget.takesCommand && m_focusTarget.takesCommand(id) && m_focusTarget.run) return m_focusTarget.run(id);
    if (commands::IsTagCommand(id)) return m_tags && m_tags->RunTagCommand(id);
    auto it = m_handlers.find(id);
    if (it != m_handlers.end() && it->second.run) {
        // Copy: the handler may rebind itself.
        const RunFn run = it->second.run;
        const int outer = m_code;
        m_code = code;
        run();
        m_code = outer;
        return true;
    }
    const std::vector<CCmdTarget*> targets = m_targets;
    for (CCmdTarget* t : targets) {
        if (t->OnCmdMsg(id, code, nullptr)) return true;
    }
    return false;
}

bool CommandManager::RouteCommandState(UINT id, CCmdUI* ui) {
    if (!ui) return false;
    if (m_focusTarget.takesCommand && m_focusTarget.takesCommand(id)) {
        ui->Enable(!m_focusTarget.enabled || m_focusTarget.enabled(id));
        return true;
    }
    if (commands::IsTagCommand(id)) {
        if (!m_tags) return false;
        ui->Enable(m_tags->IsTagCommandEnabled(id));
        return true;
    }
    auto it = m_handlers.find(id);
    if (it != m_handlers.end()) {
        if (it->second.state) {
            it->second.state(ui);
            return true;
        }
        if (it->second.run) {
            ui->Enable(true);
            return true;
        }
    }
    for (CCmdTarget* t : m_targets) {
        if (t->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, ui)) return true;
    }
    return false;
}

void CommandManager::CommandNotTaken(UINT id, int code) {
    (void)id;
    if (code == 1 && m_translating) m_passThrough = true;
}

void CommandManager::DestroyTable() {
    if (m_accel) ::DestroyAcceleratorTable(m_accel);
    m_accel = nullptr;
}

bool CommandManager::InstallKeyTable(const keys::KeyTable& table) {
    // Copies first: running out of memory here leaves the keys as they were.
    keys::KeyTable copy = table;
    std::vector<ACCEL> accel(table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        accel[i].fVirt = table[i].flags;
        accel[i].key = table[i].key;
        accel[i].cmd = table[i].command;
    }
    DestroyTable();
    m_table.swap(copy);
    if (accel.empty()) return true;
    m_accel = ::CreateAcceleratorTableA(accel.data(), static_cast<int>(accel.size()));
    return m_accel != nullptr;
}

std::string CommandManager::KeyText(UINT command, bool withTab) const {
    return keys::KeyText(command, m_table, withTab);
}

std::string CommandManager::CommandDescription(UINT command) const {
    return keys::CommandDescription(
        command, [](unsigned id) { return LoadResString(id); },
        [this](unsigned id) { return m_tags ? m_tags->TagComment(id) : std::string(); });
}

void CommandManager::LoadKeyTable() {
    if (settings::SettingsStore* store = settings::Current()) InstallKeyTable(keys::LoadKeyTable(*store));
    else InstallKeyTable(keys::BuildDefaultTable());
}

void CommandManager::SaveKeyTable() const {
    if (settings::SettingsStore* store = settings::Current()) keys::SaveKeyTable(*store, m_table);
}

bool CommandManager::PreTranslate(MSG* msg) {
    if (!m_accel || !m_frame || !msg) return false;
    if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) return false;
    // Keys typed into other top-level windows (dialogs) are theirs.
    if (msg->hwnd != m_frame && !::IsChild(m_frame, msg->hwnd)) return false;
    if (m_focusTarget.takesKey && m_focusTarget.takesKey(*msg)) return false;
    m_passThrough = false;
    const bool outer = m_translating;
    m_translating = true;
    const bool translated = ::TranslateAcceleratorA(m_frame, m_accel, msg) != 0;
    m_translating = outer;
    if (!translated) return false;
    if (m_passThrough) {
        m_passThrough = false;
        return false;
    }
    return true;
}

std::string MenuItemText(HMENU menu, int position) {
    // Sized by the item: a bookmark's path may be longer than any buffer.
    const int length = ::GetMenuStringA(menu, static_cast<UINT>(position), nullptr, 0, MF_BYPOSITION);
    if (length <= 0) return std::string();
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int n = ::GetMenuStringA(menu, static_cast<UINT>(position), &text[0], length + 1, MF_BYPOSITION);
    text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return text;
}

void ClearMenu(HMENU menu) {
    if (!menu) return;
    // DeleteMenu destroys an item's submenu with it.
    for (int n = ::GetMenuItemCount(menu); n > 0; --n) ::DeleteMenu(menu, 0, MF_BYPOSITION);
}

void CommandManager::FillCategory(HMENU popup, std::size_t category) {
    const commands::MenuCategoryDef& cat = commands::Category(category);
    HMENU target = popup;
    std::size_t submenuLeft = 0;
    for (std::size_t i = 0; i < cat.count; ++i) {
        const commands::MenuItemDef& item = cat.items[i];
        if (submenuLeft == 0) target = popup;
        else --submenuLeft;
        if (commands::IsSeparator(item)) {
            ::AppendMenuA(target, MF_SEPARATOR, 0, nullptr);
        } else if (commands::OpensSubmenu(item)) {
            HMENU sub = ::CreatePopupMenu();
            ::AppendMenuA(popup, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), item.label);
            target = sub;
            submenuLeft = item.command;
        } else {
            const std::string text = item.label + KeyText(item.command, true);
            ::AppendMenuA(target, MF_STRING, item.command, text.c_str());
        }
    }
}

void CommandManager::FillRegisteredTags(HMENU popup) {
    ClearMenu(popup);
    const std::vector<commands::TagMenuFile> files = m_tags ? m_tags->TagMenu() : std::vector<commands::TagMenuFile>();
    if (files.empty()) {
        ::AppendMenuA(popup, MF_STRING | MF_GRAYED, 0, "登録されていません");
        return;
    }
    char label[600];
    for (std::size_t f = 0; f < files.size(); ++f) {
        HMENU sub = ::CreatePopupMenu();
        for (std::size_t t = 0; t < files[f].tags.size(); ++t) {
            const unsigned id = commands::TagCommandId(static_cast<unsigned>(f), static_cast<unsigned>(t));
            std::snprintf(label, sizeof label, "%s(&%c)", files[f].tags[t].c_str(), static_cast<char>('A' + t));
            const std::string text = label + KeyText(id, true);
            ::AppendMenuA(sub, MF_STRING, id, text.c_str());
        }
        std::snprintf(label, sizeof label, "%s(&%c)", files[f].name.c_str(), static_cast<char>('A' + f));
        ::AppendMenuA(popup, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), label);
    }
}

bool CommandManager::BuildMenus() {
    if (m_barMenu) return true;
    m_barMenu = ::CreateMenu();
    m_keysOnlyMenu = ::CreateMenu();
    if (!m_barMenu || !m_keysOnlyMenu) return false;
    for (std::size_t c = 0; c < commands::kMenuBarCategoryCount; ++c) {
        ::AppendMenuA(m_barMenu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(::CreatePopupMenu()),
                      commands::Category(c).label);
    }
    ::AppendMenuA(m_keysOnlyMenu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(::CreatePopupMenu()),
                  commands::Category(commands::kKeysOnlyCategory).label);
    RebuildMenus(kAllMenus);
    return true;
}

HMENU CommandManager::FindSubmenu(std::size_t category, const char* label) const {
    if (!m_barMenu || category >= commands::kMenuBarCategoryCount) return nullptr;
    HMENU popup = ::GetSubMenu(m_barMenu, static_cast<int>(category));
    for (int i = 0, n = ::GetMenuItemCount(popup); i < n; ++i) {
        HMENU sub = ::GetSubMenu(popup, i);
        if (sub && MenuItemText(popup, i) == label) return sub;
    }
    return nullptr;
}

void CommandManager::RebuildMenus(unsigned which) {
    if (!m_barMenu) return;
    if (which & kMenuBarMenus) {
        for (std::size_t c = 0; c < commands::kMenuBarCategoryCount; ++c) {
            if (c == commands::kRegisteredTagsCategory) continue;
            HMENU popup = ::GetSubMenu(m_barMenu, static_cast<int>(c));
            ClearMenu(popup);
            FillCategory(popup, c);
        }
        which |= kBookmarkMenus;  // the bookmark submenus were made anew
    }
    if (which & kRegisteredTagsMenu)
        FillRegisteredTags(::GetSubMenu(m_barMenu, static_cast<int>(commands::kRegisteredTagsCategory)));
    if (which & kBookmarkMenus) {
        HMENU setMenu = FindSubmenu(0, "ブックマークの設定(&B)");
        HMENU goMenu = FindSubmenu(0, "ブックマークへ移動(&J)");
        if (setMenu && goMenu) {
            if (m_fillBookmarks) m_fillBookmarks(setMenu, goMenu);
            else FillBookmarkMenus(setMenu, goMenu);
        }
    }
    if (which & kKeysOnlyMenu) {
        HMENU popup = ::GetSubMenu(m_keysOnlyMenu, 0);
        ClearMenu(popup);
        FillCategory(popup, commands::kKeysOnlyCategory);
    }
}

// --- Bookmarks --------------------------------------------------------------

void CommandManager::SetBookmark(int n, const std::string& path, int line) {
    if (n < 0 || n >= bookmarks::kSlotCount) return;
    m_bookmarks[static_cast<std::size_t>(n)] = bookmarks::Bookmark{path, line < 0 ? 0 : line};
    RebuildMenus(kBookmarkMenus);
}

void CommandManager::ClearBookmarks() {
    m_bookmarks = bookmarks::BookmarkTable();
    RebuildMenus(kBookmarkMenus);
}

void CommandManager::LoadBookmarks() {
    if (const settings::SettingsStore* store = settings::Current()) m_bookmarks = bookmarks::LoadBookmarks(*store);
}

void CommandManager::SaveBookmarks() const {
    if (settings::SettingsStore* store = settings::Current()) bookmarks::SaveBookmarks(*store, m_bookmarks);
}

void CommandManager::FillBookmarkMenus(HMENU setMenu, HMENU goMenu) const {
    ClearMenu(setMenu);
    ClearMenu(goMenu);
    for (int n = 0; n < bookmarks::kSlotCount; ++n) {
        const bookmarks::Bookmark& slot = m_bookmarks[static_cast<std::size_t>(n)];
        const UINT setId = commands::kFirstSetBookmark + static_cast<UINT>(n);
        const UINT goId = commands::kFirstGoBookmark + static_cast<UINT>(n);
        const std::string setText = bookmarks::MenuText(slot, n, true, KeyText(setId, true));
        const std::string goText = bookmarks::MenuText(slot, n, false, KeyText(goId, true));
        ::InsertMenuA(setMenu, static_cast<UINT>(n), MF_BYPOSITION | MF_STRING, setId, setText.c_str());
        ::InsertMenuA(goMenu, static_cast<UINT>(n), MF_BYPOSITION | MF_STRING, goId, goText.c_str());
    }
    ::AppendMenuA(setMenu, MF_SEPARATOR, 0, nullptr);
    const std::string deleteText = std::string(bookmarks::kDeleteAllLabel) + KeyText(commands::kDeleteBookmarks, true);
    ::AppendMenuA(setMenu, MF_STRING, commands::kDeleteBookmarks, deleteText.c_str());
}

// --- Right-click menus ------------------------------------------------------

HMENU CommandManager::BuildPopup(int kind) const {
    HMENU menu = ::CreatePopupMenu();
    if (!menu || kind < 0 || kind >= rclick::kKindCount) return menu;
    for (const rclick::MenuEntry& e : m_rclick[static_cast<std::size_t>(kind)]) {
        if (e.IsSeparator()) ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        else ::AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(static_cast<UINT>(e.command)), e.name.c_str());
    }
    return menu;
}

rclick::MenuList CommandManager::CopyRClickList(int kind) const {
    return kind >= 0 && kind < rclick::kKindCount ? m_rclick[static_cast<std::size_t>(kind)] : rclick::MenuList();
}

void CommandManager::ReplaceRClickList(int kind, const rclick::MenuList& list) {
    if (kind >= 0 && kind < rclick::kKindCount) m_rclick[static_cast<std::size_t>(kind)] = list;
}

void CommandManager::LoadRClickMenus() {
    if (const settings::SettingsStore* store = settings::Current()) m_rclick = rclick::LoadMenus(*store);
}

void CommandManager::SaveRClickMenus() const {
    if (settings::SettingsStore* store = settings::Current()) rclick::SaveMenus(*store, m_rclick);
}
