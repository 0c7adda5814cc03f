// The screen split page "画面分割" of the Customize sheet: the 36 patterns
// in a drop-down and a miniature of the chosen one, made of three split
// windows whose leaves are the labels "登録タグ", "ファイル ツリー" and
// "エディタ". OK hands a pattern chosen in this opening to the frame.
#pragma once

#include "config/core/SplitPageModel.h"
#include "framework/win/PropertySheet.h"
#include "framework/win/SplitWnd.h"

// A split window of the miniature: no captions, and nothing it sends goes
// further than itself.
class CMiniSplitWnd : public CSplitWnd {
public:
    bool OnCommand(WPARAM, LPARAM) override { return true; }
    bool OnNotify(WPARAM, LPARAM, LRESULT* result) override {
        *result = 0;
        return true;
    }
};

// A leaf of the miniature: the window colour, a sunken edge and its text.
class CMiniLabel : public CWnd {
protected:
    LRESULT OnPaintMsg(WPARAM, LPARAM);
    LRESULT OnEraseBkgndMsg(WPARAM, LPARAM) { return 1; }
    DECLARE_MESSAGE_MAP()
};

class CScrnspltPage : public CPropertyPage {
public:
    explicit CScrnspltPage(split::ISplitLayoutHost& host);

    bool OnInitDialog() override;
    bool OnApply() override;

    // The pattern selected in the drop-down (1-36), or 0.
    int SelectedPattern() const;
    // The user's choice of pattern n (also driven by tests).
    void ChoosePattern(int number);
    CSplitWnd& Miniature(int index) { return m_mini[index]; }
    HWND Label(int kind) const;
    // The miniature's area in the page's client coordinates.
    RECT PreviewRect() const { return m_preview; }

protected:
    void OnPatternChange();
    LRESULT OnPaintMsg(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    void ShowPattern(int number);

    split::ISplitLayoutHost& m_host;
    split::SplitPageModel m_model;
    CMiniSplitWnd m_mini[split::kSplitCount];
    CMiniLabel m_labels[3];  // folder tree, registered tags, editor area
    RECT m_preview = {};     // the placeholder's rectangle
};
