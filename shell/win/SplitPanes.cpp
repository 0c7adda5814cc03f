#include "shell/win/SplitPanes.h"

#include "config/core/SettingsStore.h"
#include "resources/resource.h"
#include "shell/core/PaneLayout.h"

using split::kSplitCount;

CSplitPanes::CSplitPanes() : m_layout(split::DefaultLayout()) {}

CSplitPanes::~CSplitPanes() { Destroy(); }

bool CSplitPanes::Create(HWND parent) {
    const RECT rc = {0, 0, 200, 200};
    for (int i : {1, 2, 0}) {
        if (!m_split[i].Create(parent, kSplitIds[i], rc)) return false;
    }
    if (!m_closeIcon) {
        m_closeIcon = static_cast<HICON>(
            ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TABCLOSE), IMAGE_ICON, 16, 16, 0));
    }
    return true;
}

void CSplitPanes::Destroy() {
    for (int i = 0; i < kSplitCount; ++i) {
        if (m_split[i].m_hWnd) m_split[i].DestroyWindow();
    }
    if (m_closeIcon) {
        ::DestroyIcon(m_closeIcon);
        m_closeIcon = nullptr;
    }
}

void CSplitPanes::SetPaneWindow(int kind, HWND window) {
    if (kind >= split::kPaneFolderTree && kind < split::kPaneKindCount) m_leaf[kind] = window;
}

HWND CSplitPanes::PaneWindow(int kind) const { return WindowOfKind(kind); }

HWND CSplitPanes::WindowOfKind(int kind) const {
    if (kind == split::kPaneSplit1 || kind == split::kPaneSplit2) return m_split[kind].m_hWnd;
    if (kind >= split::kPaneFolderTree && kind < split::kPaneKindCount) return m_leaf[kind];
    return nullptr;
}

int CSplitPanes::KindOf(HWND window) const {
    if (!window) return 0;
    for (int k = split::kPaneSplit1; k < split::kPaneKindCount; ++k) {
        if (WindowOfKind(k) == window) return k;
    }
    return 0;
}

void CSplitPanes::ApplyLayout(const split::SplitLayout& layout, const int barPos[kSplitCount]) {
    m_layout = split::LayoutToApply(layout);
    // Let go of every pane first, so that no split window moves a window
    // that another one is about to take.
    for (CSplitWnd& s : m_split) s.SetPanes(nullptr, nullptr, s.IsStacked(), false);
    bool placed[split::kPaneKindCount] = {};
    for (int i = 0; i < kSplitCount; ++i) {
        const split::SplitRecord& r = m_layout.split[i];
        CSplitWnd& s = m_split[i];
        s.SetLiveDrag(m_liveDrag);
        s.SetCloseIcon(m_closeIcon);
        if (!split::IsSplitUsed(m_layout, i)) continue;
        placed[r.kind[0]] = placed[r.kind[1]] = true;
        s.SetPanes(WindowOfKind(r.kind[0]), WindowOfKind(r.kind[1]), r.Stacked(), false);
        s.ShowPanes(r.Shown(0), r.Shown(1));
        s.SetCaptions(split::PaneHasCaption(r.kind[0]), split::PaneHasCaption(r.kind[1]));
        s.SetCaptionText(0, split::PaneCaption(r.kind[0]));
        s.SetCaptionText(1, split::PaneCaption(r.kind[1]));
        s.SetBarPos(barPos[i]);
    }
    for (int k = split::kPaneSplit1; k < split::kPaneKindCount; ++k) {
        HWND w = WindowOfKind(k);
        if (w && !placed[k]) ::ShowWindow(w, SW_HIDE);
    }
}

void CSplitPanes::ApplyPattern(const split::SplitLayout& layout, int clientWidth, int clientHeight) {
    int bars[kSplitCount];
    split::DefaultBarPositions(layout, clientWidth, clientHeight, bars);
    ApplyLayout(layout, bars);
}

split::SplitLayout CSplitPanes::GetLayout() const {
    split::SplitLayout l = m_layout;
    for (int i = 0; i < kSplitCount; ++i) {
        if (!split::IsSplitUsed(l, i)) continue;
        for (int j = 0; j < 2; ++j) l.split[i].show[j] = m_split[i].IsPaneShown(j) ? 1 : 0;
    }
    return l;
}

void CSplitPanes::GetBarPositions(int barPos[kSplitCount]) const {
    for (int i = 0; i < kSplitCount; ++i) barPos[i] = m_split[i].GetBarPos();
}

void CSplitPanes::ShowPane(HWND window, bool show) {
    const int kind = KindOf(window);
    if (kind == 0) return;
    m_layout = split::WithPaneShown(GetLayout(), kind, show);
    for (int i = 0; i < kSplitCount; ++i) {
        if (!split::IsSplitUsed(m_layout, i)) continue;
        m_split[i].ShowPanes(m_layout.split[i].Shown(0), m_layout.split[i].Shown(1));
    }
}

bool CSplitPanes::IsPaneShown(HWND window) const { return split::IsKindShown(GetLayout(), KindOf(window)); }

void CSplitPanes::SetLiveDrag(bool live) {
    m_liveDrag = live;
    for (CSplitWnd& s : m_split) s.SetLiveDrag(live);
}

void CSplitPanes::LoadLayout(const settings::SettingsStore& store, int clientWidth, int clientHeight) {
    SetLiveDrag(split::ReadSplitShowMove(store));
    int bars[kSplitCount];
    const split::SplitLayout stored = split::ReadSplitLayout(store, clientWidth, clientHeight, bars);
    if (split::CheckLayout(stored) != split::LayoutFault::None) {
        // Pattern 1 replaces the layout, and its bars start at one third.
        ApplyPattern(split::DefaultLayout(), clientWidth, clientHeight);
        return;
    }
    ApplyLayout(stored, bars);
}

bool CSplitPanes::SaveLayout(settings::SettingsStore& store) const {
    int bars[kSplitCount];
    GetBarPositions(bars);
    const bool layoutWritten = split::WriteSplitLayout(store, GetLayout(), bars);
    return split::WriteSplitShowMove(store, m_liveDrag) && layoutWritten;
}
