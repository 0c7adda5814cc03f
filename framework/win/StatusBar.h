// The frame's status bar: a common-controls status window with panes.
#pragma once

#include <string>
#include <vector>

#include "framework/win/Wnd.h"

class CStatusBar : public CWnd {
public:
    // Creates the bar at the bottom of `parent` with `panes` panes; the last
    // pane takes what the others leave.
    bool Create(CWnd* parent, int panes, UINT id = AFX_IDW_STATUS_BAR);

    void SetPaneText(int pane, const std::string& text);
    std::string GetPaneText(int pane) const;
    // Width in pixels of a fixed pane (0 collapses it); pane 0 always
    // stretches over the rest.
    void SetPaneWidth(int pane, int width);
    int GetPaneWidth(int pane) const;
    // Width a pane needs to show `text` in the bar's font, borders included.
    int TextWidth(const std::string& text) const;
    int Height() const;
    void SetMinHeight(int height);
    // Re-positions the bar inside its parent and lays the panes out again.
    void Reposition();

private:
    void ApplyParts();
    std::vector<int> m_widths;  // requested widths of panes 1..n-1
};
