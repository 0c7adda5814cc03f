// The right-click menu page "右クリックメニュー" of the Customize sheet: the
// three kinds' lists edited on working copies; OK replaces the command
// manager's lists, Cancel drops the copies.
#pragma once

#include "config/core/RClickMenus.h"
#include "framework/win/PropertySheet.h"

class CommandManager;

class CRcmenuPage : public CPropertyPage {
public:
    explicit CRcmenuPage(CommandManager& commands);

    bool OnInitDialog() override;
    bool OnApply() override;

    const rclick::RcmenuPageModel& Model() const { return m_model; }
    // What the page does for a user's action (also driven by tests).
    void SelectKind(int kind);
    void SelectRow(int row);
    void SetRowChecked(int row, bool checked);
    void SelectEntry(int entry);

protected:
    void OnKindChange();
    void OnEntryChange();
    void OnSeparator();
    void OnDelete();
    void OnUp();
    void OnDown();
    void OnReset();
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    DECLARE_MESSAGE_MAP()

private:
    void ShowList();
    void ShowDescription();
    void Changed();

    CommandManager& m_commands;
    rclick::RcmenuPageModel m_model;
    bool m_filling = false;  // check marks set by the page itself
};
