// The keyboard help window "キーボードのヘルプ": for a key table, the keys in
// use with their descriptions, or the free keys of a modifier combination.
#pragma once

#include "config/core/KeyTable.h"
#include "framework/win/Dialog.h"

class CommandManager;

class KeyHelpDialog : public CDialog {
public:
    // `commands` gives the descriptions (may be null: descriptions from the
    // string table only).
    KeyHelpDialog(const keys::KeyTable& table, const CommandManager* commands, HWND parent);

    bool OnInitDialog() override;
    // Shows one of the nine choices (0-8).
    void ShowChoice(int choice);
    int RowCount() const;
    std::string RowText(int row, int column) const;

protected:
    void OnChoiceChange();
    LRESULT OnSizeMsg(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    void LayoutList();
    keys::KeyTable m_table;
    const CommandManager* m_commands;
};
