// CSplitPanes: the three nested split windows of the main frame and the pane
// table by kind (1 and 2 the inner split windows, 3 folder tree, 4 registered
// tags, 5 editor area). It applies, reads and stores screen split layouts;
// the frame places the root split window in its client area.
#pragma once

#include "config/core/SplitPatterns.h"
#include "framework/win/SplitWnd.h"

namespace settings {
class SettingsStore;
}

class CSplitPanes {
public:
    // Control ids of split windows 0 (the root), 1 and 2.
    static constexpr UINT kSplitIds[split::kSplitCount] = {4002, 4003, 4004};

    CSplitPanes();
    ~CSplitPanes();
    CSplitPanes(const CSplitPanes&) = delete;
    CSplitPanes& operator=(const CSplitPanes&) = delete;

    // Creates split windows 1, 2 and then the root as visible children of
    // parent, 200 pixels wide, and loads the close icon (icon resource
    // IDI_TABCLOSE). False when a window cannot be created.
    bool Create(HWND parent);
    void Destroy();

    CSplitWnd& Split(int index) { return m_split[index]; }
    CSplitWnd& Root() { return m_split[0]; }

    // The leaf windows (kinds 3-5); set them before applying a layout.
    void SetPaneWindow(int kind, HWND window);
    HWND PaneWindow(int kind) const;
    // The kind (1-5) of a window in the pane table, or 0.
    int KindOf(HWND window) const;

    // Shows a layout: a layout with a fault is replaced by pattern 1; each
    // bar is clamped to its split window on every layout. Split windows and
    // leaf windows the layout does not place are hidden.
    void ApplyLayout(const split::SplitLayout& layout, const int barPos[split::kSplitCount]);
    // A chosen pattern: bars at one third of the given client size.
    void ApplyPattern(const split::SplitLayout& layout, int clientWidth, int clientHeight);
    // The current records, show flags as the split windows have them now
    // (after caption buttons closed panes), and the bar positions.
    split::SplitLayout GetLayout() const;
    void GetBarPositions(int barPos[split::kSplitCount]) const;

    // Shows or hides the pane of a window of the table (the folder tree or
    // the tag tree); nothing for other windows.
    void ShowPane(HWND window, bool show);
    bool IsPaneShown(HWND window) const;

    // The SplitShowMove setting for all three split windows.
    void SetLiveDrag(bool live);
    bool LiveDrag() const { return m_liveDrag; }

    // Reads the stored layout ("Main\SplitWnd") for a frame client size and
    // SplitShowMove, and applies them; writes the current ones.
    void LoadLayout(const settings::SettingsStore& store, int clientWidth, int clientHeight);
    bool SaveLayout(settings::SettingsStore& store) const;

private:
    HWND WindowOfKind(int kind) const;

    CSplitWnd m_split[split::kSplitCount];
    HWND m_leaf[split::kPaneKindCount] = {};
    split::SplitLayout m_layout;
    HICON m_closeIcon = nullptr;
    bool m_liveDrag = true;
};
