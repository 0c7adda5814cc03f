// Find and replace, go to line, insertion at line heads and ends and the
// conversions of the selection, for the active editor of the main frame. The
// four dialogs are modeless, owned by the frame and centred on it; a menu
// command creates one, or brings it to the front when it is open. The
// settings (histories, options, last inserted string) live here for the
// program's whole run.
#pragma once

#include <functional>
#include <string>

#include "config/core/SettingsStore.h"
#include "framework/win/Dialog.h"
#include "search/core/Conversions.h"
#include "search/core/LineTools.h"
#include "search/core/Search.h"
#include "search/core/SearchHistory.h"

class CCanvasEdit;
class CSearchTools;

// The dialogs' shared behaviour: centred on the owner when created, joined to
// the message loop, destroyed (not hidden) by キャンセル or closing.
class CSearchDialog : public CDialog {
public:
    CSearchDialog(UINT templateId, CSearchTools& tools);
    // Creates the dialog or brings it to the front.
    bool Show();

protected:
    // Called when an open dialog is brought to the front again.
    virtual void Refresh() {}

protected:
    // Text of a control; the selected list entry of a combo box when its
    // list selection just changed (the edit part follows only later).
    std::string ItemText(int id) const;
    std::string ComboText(int id, bool fromList) const;
    void FillCombo(int id, const search::History& history, const std::string& text);
    void OnCancel() override { DestroyWindow(); }
    CSearchTools& m_tools;
};

class CFindDialog : public CSearchDialog {
public:
    explicit CFindDialog(CSearchTools& tools);
    bool OnInitDialog() override;
    void OnOK() override;  // 次を検索(&F)

protected:
    void OnTextChange();
    void OnTextSelect();
    void OnOptions();
    DECLARE_MESSAGE_MAP()
};

class CReplaceDialog : public CSearchDialog {
public:
    explicit CReplaceDialog(CSearchTools& tools);
    bool OnInitDialog() override;
    void OnOK() override;  // 次を検索(&F)
    void OnReplace();
    void OnReplaceAll();

protected:
    void OnTextChange();
    void OnTextSelect();
    void OnOptions();
    void EnableButtons(bool on);
    search::FindOptions Options() const;
    DECLARE_MESSAGE_MAP()
};

class CGoToLineDialog : public CSearchDialog {
public:
    explicit CGoToLineDialog(CSearchTools& tools);
    bool OnInitDialog() override;
    void OnOK() override;  // ジャンプ(&G)

protected:
    void Refresh() override;
    void OnNumberChange();
    DECLARE_MESSAGE_MAP()
};

class CInsertStringDialog : public CSearchDialog {
public:
    explicit CInsertStringDialog(CSearchTools& tools);
    bool OnInitDialog() override;
    void Insert(search::InsertPlace place);

protected:
    void Refresh() override;
    void OnHead() { Insert(search::InsertPlace::Head); }
    void OnEnd() { Insert(search::InsertPlace::End); }
    void OnBoxChange();
    DECLARE_MESSAGE_MAP()
};

class CSearchTools {
public:
    // `activeEditor` gives the active document's editor (or null); the
    // dialogs are owned by `owner` (set later when it does not exist yet).
    CSearchTools(HWND owner, std::function<CCanvasEdit*()> activeEditor);
    void SetOwner(HWND owner) { m_owner = owner; }
    ~CSearchTools();
    CSearchTools(const CSearchTools&) = delete;
    CSearchTools& operator=(const CSearchTools&) = delete;

    void LoadSettings(const settings::SettingsStore& store);
    void SaveSettings(settings::SettingsStore& store) const;

    bool ShowFindDialog() { return m_find.Show(); }
    bool ShowReplaceDialog() { return m_replace.Show(); }
    bool ShowGoToLineDialog() { return m_goToLine.Show(); }
    bool ShowInsertStringDialog() { return m_insert.Show(); }
    // 次を検索(&N): the latest find text with the find dialog's options.
    void FindNextCommand();
    // A read-only document beeps; after tabs and kana the focus goes back to
    // the editor.
    void ConvertSelection(search::Conversion kind);

    HWND Owner() const { return m_owner; }
    CCanvasEdit* Editor() const { return m_activeEditor ? m_activeEditor() : nullptr; }
    editor::IEditorOps* Ops() const;

    search::FindSettings& Find() { return m_findSettings; }
    search::ReplaceSettings& Replace() { return m_replaceSettings; }
    std::string& InsertString() { return m_insertString; }

    CFindDialog& FindDialog() { return m_find; }
    CReplaceDialog& ReplaceDialog() { return m_replace; }
    CGoToLineDialog& GoToLineDialog() { return m_goToLine; }
    CInsertStringDialog& InsertStringDialog() { return m_insert; }

    // The dialog title with the active document's line count.
    std::string TitleWithLines(const char* base) const;
    // The find text a selection gives ("" without one).
    std::string SelectionFindText() const;

private:
    HWND m_owner;
    std::function<CCanvasEdit*()> m_activeEditor;
    search::FindSettings m_findSettings;
    search::ReplaceSettings m_replaceSettings;
    std::string m_insertString;
    CFindDialog m_find;
    CReplaceDialog m_replace;
    CGoToLineDialog m_goToLine;
    CInsertStringDialog m_insert;
};
