// The command manager of the main frame: dispatches menu, key and tool bar
// commands to the handlers bound to the menu command table's ids, holds the
// key table (as the platform accelerator table it translates keys with),
// and builds the menus from the table with each item's key text.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "config/core/Bookmarks.h"
#include "config/core/KeyTable.h"
#include "config/core/RClickMenus.h"
#include "config/core/TagCommands.h"
#include "framework/win/App.h"
#include "framework/win/FrameWnd.h"

class CommandManager : public ICommandRouter, public IPreTranslateHandler {
public:
    using RunFn = std::function<void()>;
    using StateFn = std::function<void(CCmdUI*)>;

    // Rebuild bits.
    static constexpr unsigned kMenuBarMenus = 0x01;
    static constexpr unsigned kRegisteredTagsMenu = 0x02;
    static constexpr unsigned kBookmarkMenus = 0x04;
    static constexpr unsigned kKeysOnlyMenu = 0x08;
    static constexpr unsigned kAllMenus = 0xFF;

    CommandManager();
    ~CommandManager() override;
    CommandManager(const CommandManager&) = delete;
    CommandManager& operator=(const CommandManager&) = delete;

    // --- Handlers -------------------------------------------------------
    // Binds a command id to its handler and, optionally, its state handler
    // (enable, check). A command with a handler and no state handler is
    // enabled. Binding again replaces; an empty run function unbinds.
    void SetHandler(UINT id, RunFn run, StateFn state = nullptr);
    // A state handler alone, for a command whose handler is bound elsewhere.
    void SetStateHandler(UINT id, StateFn state);
    bool HasHandler(UINT id) const;
    // Command targets with message maps (a subsystem's object): commands and
    // states not bound above are offered to them in the order they were added.
    void AddCommandTarget(CCmdTarget* target);
    void RemoveCommandTarget(CCmdTarget* target);
    // The registered tags: ids 10000-19999 go there (the tag tree pane).
    void SetTagCommands(commands::ITagCommands* tags) { m_tags = tags; }
    commands::ITagCommands* TagCommands() const { return m_tags; }
    // Fills the two bookmark submenus of the File menu (set, go to) in place
    // of FillBookmarkMenus.
    void SetBookmarkMenuFiller(std::function<void(HMENU setMenu, HMENU goMenu)> fill) {
        m_fillBookmarks = std::move(fill);
    }

    // ICommandRouter: menu items (code 0) and keys (code 1).
    bool RouteCommand(UINT id, int code) override;
    bool RouteCommandState(UINT id, CCmdUI* ui) override;
    // A key whose command nobody took is not consumed: it goes on as
    // typed input (Shift+Space types a space while no assist is bound).
    void CommandNotTaken(UINT id, int code) override;

    // --- Key table ------------------------------------------------------
    // Replaces the translation table; an empty table translates no key.
    // False when the platform table could not be made (no key is
    // translated until the next successful install).
    bool InstallKeyTable(const keys::KeyTable& table);
    keys::KeyTable CopyKeyTable() const { return m_table; }
    HACCEL Accelerators() const { return m_accel; }
    std::string KeyText(UINT command, bool withTab) const;
    std::string CommandDescription(UINT command) const;
    // Section "AcceleratorKey" of the settings store.
    void LoadKeyTable();
    void SaveKeyTable() const;

    // Key translation: the window commands go to (the main frame), and the
    // one-shot pass-through (a translated key is also processed normally): a
    // handler that cannot act sets it, and a command without a handler gets
    // it by itself.
    // A pane that takes some keys and commands itself while it has the
    // focus: its keys skip the key table, its commands skip the handlers.
    struct FocusTarget {
        std::function<bool(const MSG&)> takesKey;
        std::function<bool(UINT id)> takesCommand;
        std::function<bool(UINT id)> run;
        std::function<bool(UINT id)> enabled;
    };
    void SetFocusTarget(FocusTarget target) { m_focusTarget = std::move(target); }
    void SetTranslateWindow(HWND frame) { m_frame = frame; }
    void SetPassThroughOnce() { m_passThrough = true; }
    // The code of the command being run (0 menu item, 1 key), -1 outside one.
    int CurrentCode() const { return m_code; }
    bool PreTranslate(MSG* msg) override;

    // --- Bookmarks ----------------------------------------------------------
    // Ten slots; every change rebuilds the two bookmark submenus.
    const bookmarks::BookmarkTable& Bookmarks() const { return m_bookmarks; }
    void SetBookmark(int n, const std::string& path, int line);
    void ClearBookmarks();
    // Section "BookMark" of the settings store.
    void LoadBookmarks();
    void SaveBookmarks() const;
    // The set and go submenus: ten slots with their keys; the set submenu
    // ends with a separator and the delete-all item.
    void FillBookmarkMenus(HMENU setMenu, HMENU goMenu) const;

    // --- Right-click menus --------------------------------------------------
    // A new popup menu of a kind's list (no key texts); the caller destroys it.
    HMENU BuildPopup(int kind) const;
    rclick::MenuList CopyRClickList(int kind) const;
    void ReplaceRClickList(int kind, const rclick::MenuList& list);
    // Sections "RClickMenu\Kind<k>" of the settings store.
    void LoadRClickMenus();
    void SaveRClickMenus() const;

    // --- Menus ------------------------------------------------------------
    // Builds the menus (once); the menu bar's menu holds the six menus of
    // the table, the keys-only menu the seventh category as its one item.
    bool BuildMenus();
    HMENU BarMenu() const { return m_barMenu; }
    HMENU KeysOnlyMenu() const { return m_keysOnlyMenu; }
    void RebuildMenus(unsigned which);
    // A submenu of a top-level menu found by its label, or null.
    HMENU FindSubmenu(std::size_t category, const char* label) const;

private:
    struct Handler {
        RunFn run;
        StateFn state;
    };
    void FillCategory(HMENU popup, std::size_t category);
    void FillRegisteredTags(HMENU popup);
    void DestroyTable();

    std::map<UINT, Handler> m_handlers;
    std::vector<CCmdTarget*> m_targets;
    commands::ITagCommands* m_tags = nullptr;
    std::function<void(HMENU, HMENU)> m_fillBookmarks;
    bookmarks::BookmarkTable m_bookmarks;
    rclick::MenuLists m_rclick = {rclick::BuiltInList(0), rclick::BuiltInList(1), rclick::BuiltInList(2)};
    keys::KeyTable m_table;
    HACCEL m_accel = nullptr;
    HWND m_frame = nullptr;
    FocusTarget m_focusTarget;
    bool m_passThrough = false;
    int m_code = -1;
    bool m_translating = false;  // a key's command is being dispatched
    HMENU m_barMenu = nullptr;
    HMENU m_keysOnlyMenu = nullptr;
};

// Empties a menu, destroying its submenus.
void ClearMenu(HMENU menu);
// The text of a menu item by position (Shift JIS).
std::string MenuItemText(HMENU menu, int position);
