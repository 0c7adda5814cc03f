// A host that records what the editor model asks of its window, and a
// clipboard in memory.
#pragma once

#include <string>
#include <vector>

#include "editor/core/EditorModel.h"

namespace editortest {

class RecordingHost : public editor::IEditorHost {
public:
    struct Call {
        std::string what;
        int a = 0, b = 0;
        bool operator==(const Call& o) const { return what == o.what && a == o.a && b == o.b; }
    };
    std::vector<Call> calls;
    std::vector<editor::CaretNotice> carets;
    int changed = 0;

    void InvalidateAll() override { calls.push_back({"all"}); }
    void InvalidateLines(int first, int last) override { calls.push_back({"lines", first, last}); }
    void ScrollRows(int top, int rows) override { calls.push_back({"rows", top, rows}); }
    void ScrollView(int oldColumn, int oldLine) override { calls.push_back({"view", oldColumn, oldLine}); }
    void UpdateScrollBars() override { calls.push_back({"bars"}); }
    void NotifyCaretMoved(const editor::CaretNotice& n) override { carets.push_back(n); }
    void NotifyChanged() override { ++changed; }

    bool Has(const Call& c) const {
        for (const Call& x : calls)
            if (x == c) return true;
        return false;
    }
    bool HasKind(const std::string& what) const {
        for (const Call& x : calls)
            if (x.what == what) return true;
        return false;
    }
    void Forget() {
        calls.clear();
        carets.clear();
        changed = 0;
    }
};

class MemoryClipboard : public editor::IClipboard {
public:
    bool has = false;
    bool fail = false;  // cannot be opened
    std::string text;

    bool HasText() override { return has; }
    bool GetText(std::string& out) override {
        if (!has || fail) return false;
        out = text;
        return true;
    }
    bool SetText(const char* t, std::size_t n) override {
        if (fail) return false;
        text.assign(t, n);
        has = true;
        return true;
    }
};

// An editor on a window of 80 x 20 characters of 8 x 16 pixels, with the
// recording host.
struct Fixture {
    editor::EditorModel ed;
    RecordingHost host;
    MemoryClipboard clipboard;

    Fixture() {
        ed.SetHost(&host);
        ed.SetClipboard(&clipboard);
        editor::ViewMetrics m;
        const editor::ViewGeometry g = ed.Geometry();
        m.charWidth = 8;
        m.lineHeight = 16;
        m.clientWidth = g.textLeft + 80 * 8;
        m.clientHeight = g.textTop + 20 * 16;
        ed.SetViewMetrics(m);
    }
    std::string Text() {
        std::string s;
        ed.GetText(s);
        return s;
    }
    void Select(long long anchor, long long caret) { ed.SetSelectionOffsets(anchor, caret); }
    void Type(const std::string& s) {
        for (unsigned char c : s) ed.TypeChar(c);
    }
};

}  // namespace editortest
