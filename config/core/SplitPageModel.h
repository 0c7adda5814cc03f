// The screen split page's state: the pattern shown for the frame's layout
// (0 when the layout matches none) and whether the user chose a pattern in
// this opening; only a chosen pattern is handed to the frame.
#pragma once

#include "config/core/SplitPatterns.h"

namespace split {

// What the screen split page needs from the main frame.
class ISplitLayoutHost {
public:
    virtual ~ISplitLayoutHost() = default;
    // The current three split records.
    virtual SplitLayout CurrentLayout() const = 0;
    // Takes a pattern as the layout, bars at one third, and rebuilds the panes.
    virtual void ApplySplitPattern(const SplitLayout& layout) = 0;
};

class SplitPageModel {
public:
    explicit SplitPageModel(const SplitLayout& current) : m_pattern(FindPattern(current)) {}
    // 1-36, or 0 when nothing is selected.
    int Pattern() const { return m_pattern; }
    // The user picked pattern n (1-36); other numbers are ignored.
    void Choose(int number) {
        if (number < 1 || number > kPatternCount) return;
        m_pattern = number;
        m_chosen = true;
    }
    // The pattern to apply on OK, or 0 when the frame keeps its layout.
    int PatternToApply() const { return m_chosen ? m_pattern : 0; }

private:
    int m_pattern;
    bool m_chosen = false;
};

}  // namespace split
