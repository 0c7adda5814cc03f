// The editor page "エディタ" of the options sheet: the colour modes with
// their three panels 設定, 書式 and 強調, the mode name dialog and the
// keyword file dialog.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/win/Dialog.h"
#include "shell/win/OptionSheet.h"

class CCanvasPage;

// A panel of the editor page: a child dialog that Enter and Esc neither
// close nor pass to the sheet.
class COptionPanel : public CDialog {
public:
    COptionPanel(UINT templateId, CCanvasPage& page);
    bool Create(HWND parent);
    void OnOK() override {}
    void OnCancel() override {}
    // Shows the selected mode's values; changes nothing.
    virtual void Fill() = 0;

protected:
    editor::ColorMode& Mode();
    void Changed();
    std::string Text(int id) const;
    void Enable(int id, bool on) const { ::EnableWindow(GetDlgItem(id), on ? TRUE : FALSE); }
    CCanvasPage& m_page;
    bool m_filling = false;
};

// 設定: extensions, display options, tab size, margin and line spacing.
class CSettingsPanel : public COptionPanel {
public:
    explicit CSettingsPanel(CCanvasPage& page);
    bool OnInitDialog() override;
    void Fill() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void SetRowChecked(int row, bool on);
};

// 書式: font, size, colour items and the sample.
class CFormatPanel : public COptionPanel {
public:
    explicit CFormatPanel(CCanvasPage& page);
    bool OnInitDialog() override;
    void Fill() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The selected item's colour (what the colour dialog's choice does).
    void SetItemColor(COLORREF color);
    int SelectedItem() const;
    void SelectItem(int item);
    void PickFont(int index);
    const std::vector<std::string>& Families() const { return m_families; }
    const std::vector<int>& Sizes() const { return m_sizes; }

protected:
    LRESULT OnDrawItemMsg(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    void FillSizes(const std::string& family);
    void DrawSample(const DRAWITEMSTRUCT& dis);
    std::vector<std::string> m_families;
    std::vector<bool> m_raster;
    std::vector<int> m_sizes;
};

// 強調: the two keyword files, the headline and comment markers.
class CEmphasisPanel : public COptionPanel {
public:
    explicit CEmphasisPanel(CCanvasPage& page);
    bool OnInitDialog() override;
    void Fill() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    const std::vector<std::string>& Names(int which) const { return m_names[which]; }

private:
    void FillList(int which);
    void UpdateEnabling();
    void NewOrEdit(int which, bool edit);
    std::vector<std::string> m_names[2];
};

// The mode name dialog: "ユーザー定義" to start with, at most 32 characters.
class CModeNameDlg : public CDialog {
public:
    explicit CModeNameDlg(HWND parent);
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    std::string name;
};

// The keyword file dialog (resource 240): a new file, or the text of one to
// edit. OK writes the file and closes; a refused name or a failed write
// reports and keeps the dialog open with what was typed.
class CKeywordFileDlg : public CDialog {
public:
    // An empty editName makes a new file.
    CKeywordFileDlg(HWND parent, std::string folder, std::string editName);
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The file written (with its ".kwd").
    const std::string& FileName() const { return m_fileName; }

private:
    void UpdateEnabling();
    std::string m_folder;
    std::string m_editName;
    std::string m_fileName;
};

// How the keyword dialogs are run; tests replace it. Returns IDOK or
// IDCANCEL and the file name on IDOK.
using KeywordDialogRunner = std::function<INT_PTR(CKeywordFileDlg& dlg)>;
void SetKeywordDialogRunner(KeywordDialogRunner runner);
using ModeNameRunner = std::function<INT_PTR(CModeNameDlg& dlg)>;
void SetModeNameRunner(ModeNameRunner runner);
using ColorPicker = std::function<bool(HWND owner, COLORREF* color)>;
void SetOptionColorPicker(ColorPicker picker);

class CCanvasPage : public COptionPage {
public:
    CCanvasPage();
    ~CCanvasPage() override;
    bool OnInitDialog() override;
    bool OnApply() override;
    void OnReset() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    options::CanvasPageModel& Model() { return *m_model; }
    // The user's choices, also driven by tests.
    void ChooseMode(int index);
    void ShowTab(int tab);
    void AddMode();
    void DeleteMode();
    std::string KeywordFolder() const { return Owner().KeywordFolder(); }

    CSettingsPanel& Settings() { return m_settings; }
    CFormatPanel& Format() { return m_format; }
    CEmphasisPanel& Emphasis() { return m_emphasis; }
    void PanelChanged() { SetModified(true); }

private:
    void FillModes();
    void Refill();
    void UpdateButtons();
    std::unique_ptr<options::CanvasPageModel> m_model;
    CSettingsPanel m_settings;
    CFormatPanel m_format;
    CEmphasisPanel m_emphasis;
};
