// The colour and font lists of the tag dialogs: extensions that attach to an
// existing owner-drawn combo box (fixed items, with strings), fill it and
// draw its items, and detach again. The combo box's owner passes its
// WM_DRAWITEM on to the attached list.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "framework/win/Wnd.h"

namespace tagswin {

class CComboExt : public CWnd {
public:
    // Subclasses the combo box, sets its item height and fills its list.
    bool Attach(HWND combo);
    void Detach();
    bool Attached() const { return m_hWnd != nullptr; }
    virtual void DrawItem(const DRAWITEMSTRUCT& item) = 0;

    // 7/8 of the dialog base height unit of the combo box's dialog.
    static int ItemHeight(HWND dialog);

protected:
    virtual void Fill() = 0;
    // Fills the item's background and sets the text colours for its state;
    // returns whether the item is drawn disabled.
    bool PaintBackground(const DRAWITEMSTRUCT& item) const;
    std::string ItemText(int index) const;
};

// 147 items "#rrggbb" in table order, each with a swatch and, in grey, the
// table's name of the colour.
class CColorCombo : public CComboExt {
public:
    void DrawItem(const DRAWITEMSTRUCT& item) override;

protected:
    void Fill() override;
};

// Mode 0: the faces of the display's TrueType fonts in enumeration order,
// each drawn in its face at 10 points followed by its name in grey. Mode 1:
// font families for the display's character set, then 255 and 1, each name
// once. The fonts are enumerated once per object.
class CFontCombo : public CComboExt {
public:
    explicit CFontCombo(int mode = 0) : m_mode(mode) {}
    void DrawItem(const DRAWITEMSTRUCT& item) override;
    const std::vector<std::pair<std::string, int>>& Faces();

protected:
    void Fill() override;

private:
    int m_mode;
    bool m_enumerated = false;
    bool m_filled = false;
    std::vector<std::pair<std::string, int>> m_faces;  // name, character set
};

}  // namespace tagswin
