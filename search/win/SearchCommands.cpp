#include "search/win/SearchCommands.h"

#include "resources/resource.h"

void BindSearchCommands(CommandManager& commands, CSearchTools& tools, std::function<bool(UINT)> enabled) {
    CSearchTools* t = &tools;
    struct Command {
        UINT id;
        std::function<void(CSearchTools&)> run;
    };
    const Command kCommands[] = {
        {ID_EDIT_FIND, [](CSearchTools& s) { s.ShowFindDialog(); }},
        {ID_EDIT_FIND_NEXT, [](CSearchTools& s) { s.FindNextCommand(); }},
        {ID_EDIT_REPLACE, [](CSearchTools& s) { s.ShowReplaceDialog(); }},
        {ID_EDIT_GOTO_LINE, [](CSearchTools& s) { s.ShowGoToLineDialog(); }},
        {ID_EDIT_INSERT_STRING, [](CSearchTools& s) { s.ShowInsertStringDialog(); }},
        {ID_EDIT_UPPER, [](CSearchTools& s) { s.ConvertSelection(search::Conversion::Upper); }},
        {ID_EDIT_LOWER, [](CSearchTools& s) { s.ConvertSelection(search::Conversion::Lower); }},
        {ID_EDIT_TAB_TO_SPACE, [](CSearchTools& s) { s.ConvertSelection(search::Conversion::TabsToSpaces); }},
        {ID_EDIT_KANA_TO_ZENKAKU, [](CSearchTools& s) { s.ConvertSelection(search::Conversion::KanaToFull); }},
    };
    for (const Command& c : kCommands) {
        const UINT id = c.id;
        const auto run = c.run;
        commands.SetHandler(
            id,
            [t, id, run, enabled] {
                if (enabled && !enabled(id)) return;
                run(*t);
            },
            [id, enabled](CCmdUI* ui) { ui->Enable(!enabled || enabled(id)); });
    }
}
