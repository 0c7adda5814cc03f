#include "shell/core/PaneLayout.h"

namespace split {

namespace {

// Whether split window i shows a pane once its inner split windows have
// been resolved; resolves them on the way. `depth` stops a faulty layout
// from looping.
bool ResolveShown(SplitLayout* l, int i, int depth) {
    if (depth > kSplitCount) return false;
    SplitRecord& r = l->split[i];
    bool any = false;
    for (int j = 0; j < 2; ++j) {
        const std::uint8_t k = r.kind[j];
        if (k == kPaneSplit1 || k == kPaneSplit2) r.show[j] = ResolveShown(l, k, depth + 1) ? 1 : 0;
        if (r.show[j] != 0) any = true;
    }
    return any;
}

}  // namespace

const char* PaneCaption(int kind) {
    switch (kind) {
        case kPaneFolderTree: return "ファイル ツリー";
        case kPaneRegistTag: return "登録タグ";
        default: return "";
    }
}

void PropagateShown(SplitLayout* layout) { ResolveShown(layout, 0, 0); }

SplitLayout WithPaneShown(const SplitLayout& layout, int kind, bool show) {
    SplitLayout l = layout;
    if (kind <= kPaneNone || kind >= kPaneKindCount) return l;
    for (int i = 0; i < kSplitCount; ++i) {
        if (!IsSplitUsed(l, i)) continue;
        for (int j = 0; j < 2; ++j) {
            if (l.split[i].kind[j] == kind) l.split[i].show[j] = show ? 1 : 0;
        }
    }
    PropagateShown(&l);
    return l;
}

bool IsKindShown(const SplitLayout& layout, int kind) {
    if (kind <= kPaneNone || kind >= kPaneKindCount) return false;
    for (int i = 0; i < kSplitCount; ++i) {
        if (!IsSplitUsed(layout, i)) continue;
        for (int j = 0; j < 2; ++j) {
            if (layout.split[i].kind[j] == kind) return layout.split[i].Shown(j);
        }
    }
    return false;
}

SplitLayout LayoutToApply(const SplitLayout& layout, LayoutFault* fault) {
    SplitLayout l = ValidLayout(layout, fault);
    PropagateShown(&l);
    return l;
}

}  // namespace split
