// The dialogs of interactive tags: the step-by-step insertion dialog (226)
// that asks for one attribute value per step, and the properties dialog
// (223) that edits a tag and a working copy of its attributes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/win/Dialog.h"
#include "tags/core/InteractiveTag.h"
#include "tags/win/TagCombos.h"

namespace tagswin {

// The colour chooser of colour attributes: the system's colour dialog by
// default; tests answer it instead. Returns false on Cancel.
using ColorChooser = std::function<bool(HWND owner, COLORREF* color)>;
ColorChooser SetColorChooser(ColorChooser chooser);

class CTagInsertDlg : public CDialog {
public:
    // basePath: the folder of the active document's file, or empty.
    CTagInsertDlg(const tags::InteractiveTagData& tag, const std::string& basePath, HWND parent);
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The values of the steps, one per attribute (valid after OK).
    const std::vector<std::string>& Values() const { return m_steps.Values(); }
    const tags::TagInsertSteps& Steps() const { return m_steps; }

protected:
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void SetUpStep();
    void ShowPreview();
    void ValueTyped();
    void Choose();
    void Back();
    void DrawChoice(const DRAWITEMSTRUCT& item) const;

    tags::TagInsertSteps m_steps;
    std::string m_basePath;
    CColorCombo m_colors;
    CFontCombo m_fonts;
    CComboExt* m_attached = nullptr;
    bool m_settingUp = false;
};

class CInteractiveTagDlg : public CDialog {
public:
    CInteractiveTagDlg(tags::InteractiveTagData& record, HWND parent);
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    const tags::AttributeListEditor& Working() const { return m_list; }

private:
    void FillList();
    void ShowSelected();
    void EnableControls();

    tags::InteractiveTagData& m_record;
    tags::AttributeListEditor m_list;
    bool m_showing = false;
};

}  // namespace tagswin
