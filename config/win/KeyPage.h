// The keyboard page "キーボード" of the Customize sheet: every command of the
// menus by category with its key; rebinding with the conflict question,
// reset to the built-in keys, and the key map of the pending assignment.
#pragma once

#include "config/core/KeyPageModel.h"
#include "framework/win/PropertySheet.h"

class CommandManager;

class CKeyPage : public CPropertyPage {
public:
    CKeyPage(CommandManager& commands, int initialCategory);

    bool OnInitDialog() override;
    bool OnApply() override;

    const keys::KeyPageModel& Model() const { return m_model; }
    // The category and command shown (for tests and the key map).
    keys::EntryRef Current() const;
    void SelectCategory(int category);
    void SelectCommand(int index);

protected:
    void OnCategoryChange();
    void OnCommandChange();
    void OnBindingControlChange();
    void OnAssign();
    void OnReset();
    void OnKeyMap();
    DECLARE_MESSAGE_MAP()

private:
    void BuildModel();
    void ReadMenu(HMENU menu);
    void ShowCommand();
    void UpdateAssignButton();
    // The flags and key chosen on the page (key 0 for "（未登録）").
    void Chosen(std::uint8_t* flags, std::uint16_t* key) const;
    bool Checked(int id) const;

    CommandManager& m_commands;
    int m_initialCategory;
    keys::KeyTable m_table;
    keys::KeyPageModel m_model;
};
