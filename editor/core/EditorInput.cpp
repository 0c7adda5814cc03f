#include "editor/core/EditorInput.h"

#include <algorithm>

#include "framework/core/Sjis.h"

namespace editor {

namespace {

TextPos NoAnchor(int line) { return TextPos{-1, line}; }

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

int EditorInput::LineEndColumn(int line) const {
    const TextStore& s = m_.Store();
    return s.IsLine(line) ? s.OffsetToColumn(s.LineLength(line), line) : 0;
}

HitResult EditorInput::HitTest(int x, int y) const {
    const ViewGeometry g = m_.Geometry();
    const ViewMetrics& vm = m_.Metrics();
    const int cw = std::max(1, vm.charWidth), lh = std::max(1, vm.lineHeight);
    HitResult r{};
    r.leftOfText = x < g.textLeft;
    r.aboveText = y < g.textTop;
    r.outside = r.leftOfText || r.aboveText || x >= vm.clientWidth || y >= vm.clientHeight;
    int line = m_.FirstLine() + FloorDiv(y - g.textTop, lh);
    line = std::max(0, std::min(line, m_.LineCount() - 1));
    int column = std::max(0, m_.FirstColumn() + FloorDiv(x - g.textLeft, cw));
    if (column < LineEndColumn(line)) column = m_.Store().SnapColumn(column, line, false);
    r.pos = TextPos{column, line};
    return r;
}

bool EditorInput::Apply(TextPos caret, TextPos anchor, int firstColumn, int firstLine) {
    caret.line = std::max(0, std::min(caret.line, m_.LineCount() - 1));
    caret.column = std::max(0, caret.column);
    if (anchor.column < 0) anchor = NoAnchor(caret.line);
    const TextPos oldCaret = m_.Caret();
    TextPos oldAnchor = m_.Anchor();
    if (oldAnchor.column < 0) oldAnchor = NoAnchor(oldCaret.line);
    if (caret == oldCaret && anchor == oldAnchor && firstColumn == m_.FirstColumn() && firstLine == m_.FirstLine())
        return false;
    m_.InvalidateSelection();
    m_.SetCaretAndAnchor(caret, anchor);
    m_.InvalidateSelection();
    m_.SetScrollPosition(firstColumn, firstLine);  // scrolls and places the caret
    return true;
}

int EditorInput::ClickColumn(int column) const {
    const int first = m_.FirstColumn();
    if (column > first || first == 0) return first;
    const int cw = std::max(1, m_.Metrics().charWidth);
    return std::max(0, column - (m_.Metrics().clientWidth / cw / 5 + 1));
}

// ---------------------------------------------------------------------------
// Keys

bool EditorInput::Key(NavKey key, bool ctrl, bool shift) {
    if ((m_.Flags() & EditorModel::kDragOver) && key != NavKey::Escape) return false;
    const TextStore& store = m_.Store();
    const ViewGeometry g = m_.Geometry();
    const int v = g.visibleColumns, h = g.visibleLines;
    const int n = m_.LineCount();
    const TextPos before = m_.Caret();
    TextPos c = before;
    const int f0 = m_.FirstColumn();
    int fc = f0, fl = m_.FirstLine();
    const int maxFirstLine = std::max(0, n - h);

    switch (key) {
        case NavKey::Left: {
            const int s = store.SnapColumn(c.column, c.line, false);
            if (s == 0) {
                if (c.line > 0) {
                    --c.line;
                    c.column = LineEndColumn(c.line);
                } else {
                    c.column = 0;
                }
            } else {
                const char* text = store.LineText(c.line);
                const int length = store.LineLength(c.line);
                const int offset = store.ColumnToOffset(s, c.line, false);
                const int to = ctrl ? m_.Words().previous(text, length, offset)
                                    : static_cast<int>(sjis::Previous(text, static_cast<std::size_t>(length),
                                                                      static_cast<std::size_t>(offset)));
                c.column = store.OffsetToColumn(std::max(0, std::min(to, offset)), c.line);
            }
            break;
        }
        case NavKey::Right: {
            const int s = store.SnapColumn(c.column, c.line, false);
            if (s >= LineEndColumn(c.line)) {
                if (c.line + 1 < n) {
                    ++c.line;
                    c.column = 0;
                } else {
                    c.column = s;
                }
            } else {
                const char* text = store.LineText(c.line);
                const int length = store.LineLength(c.line);
                const int offset = store.ColumnToOffset(s, c.line, false);
                const int to = ctrl ? m_.Words().next(text, length, offset)
                                    : static_cast<int>(sjis::Next(text, static_cast<std::size_t>(length),
                                                                  static_cast<std::size_t>(offset)));
                c.column = store.OffsetToColumn(std::max(offset, std::min(to, length)), c.line);
            }
            break;
        }
        case NavKey::Up:
            if (ctrl) {
                fl = std::max(0, std::min(fl - 1, maxFirstLine));
                c.line = std::min(c.line, fl + h - 1);
            } else {
                --c.line;
            }
            break;
        case NavKey::Down:
            if (ctrl) {
                fl = std::max(0, std::min(fl + 1, maxFirstLine));
                c.line = std::max(c.line, fl);
            } else {
                ++c.line;
            }
            break;
        case NavKey::Home:
            c = ctrl ? TextPos{0, 0} : TextPos{0, c.line};
            break;
        case NavKey::End:
            if (ctrl) c.line = n - 1;
            c.column = LineEndColumn(c.line);
            break;
        case NavKey::PageUp:
            if (ctrl) {
                c.line = fl;
            } else {
                c.line -= h;
                fl -= h;
            }
            break;
        case NavKey::PageDown:
            if (ctrl) {
                c.line = std::min(fl + h - 1, n - 1);
            } else {
                c.line += h;
                fl += h;
            }
            break;
        case NavKey::Escape:
            break;
    }

    // The caret line into the text, the first line into the text, then
    // moved to keep the caret line in view.
    c.line = std::max(0, std::min(c.line, n - 1));
    fl = std::max(0, std::min(fl, maxFirstLine));
    if (c.line < fl) fl = c.line;
    if (c.line > fl + h - 1) fl = c.line - h + 1;

    // Horizontally, first by the kept column, then by the column where the
    // caret is drawn on this line.
    if (c.column < fc) {
        fc = c.column - v / 5;
    } else if (c.column > fc + v - 1) {
        fc = c.column - v + 1 + v / 5;
    }
    fc = std::max(0, fc);
    const int s = store.SnapColumn(c.column, c.line, false);
    if (s < f0) {
        fc = std::max(0, s - v / 5 - 1);
    } else if (c.column > f0 + v && !(s > f0 + v)) {
        fc = 0;
    }
    // Whatever the kept column, the caret as drawn stays in view (on a
    // shorter line the rules above can leave it on either side).
    if (s < fc) {
        fc = std::max(0, s - v / 5);
    } else if (s > fc + v - 1) {
        fc = s - v + 1 + v / 5;
    }

    TextPos anchor = NoAnchor(c.line);
    if (shift && key != NavKey::Escape) {
        anchor = m_.Anchor();
        if (anchor.column < 0) anchor = before;
    }
    return Apply(c, anchor, fc, fl);
}

// ---------------------------------------------------------------------------
// Mouse

bool EditorInput::InSelection(int x, int y) const {
    if (!m_.HasSelection()) return false;
    const HitResult hit = HitTest(x, y);
    if (hit.aboveText || hit.leftOfText) return false;
    BytePos s1, s2;
    m_.SelectionBytes(&s1, &s2);
    const int line = hit.pos.line;
    if (hit.pos.column >= LineEndColumn(line)) {
        // Beyond the text of the line: on the selection when its line end is.
        return s1.line <= line && line < s2.line && (s1.line < line || s1.offset <= m_.LineLength(line));
    }
    const BytePos p = m_.Store().ToBytePos(hit.pos);
    return !(p < s1) && p < s2;
}

EditorInput::Pointer EditorInput::PointerAt(int x, int y) const {
    const HitResult hit = HitTest(x, y);
    if (hit.aboveText) return Pointer::Arrow;
    if (hit.leftOfText) return Pointer::Gutter;
    if (InSelection(x, y)) return Pointer::Arrow;
    return Pointer::IBeam;
}

PressResult EditorInput::ButtonDown(int x, int y, bool shift) {
    const HitResult hit = HitTest(x, y);
    if (hit.aboveText) return PressResult::Ignored;
    if (m_.Settings().dragDropMode && InSelection(x, y)) return PressResult::StartDrag;
    const int n = m_.LineCount();
    TextPos caret = hit.pos;
    TextPos anchor = NoAnchor(caret.line);
    m_.SetFlags(EditorModel::kLineSelectPending, false);
    if (hit.leftOfText && !shift) {
        const int line = hit.pos.line;
        caret = TextPos{0, line};
        anchor = line + 1 < n ? TextPos{0, line + 1} : TextPos{LineEndColumn(line), line};
        if (anchor == caret) anchor = NoAnchor(line);
        lineSelectLine_ = line;
        m_.SetFlags(EditorModel::kLineSelectPending, true);
    } else if (shift) {
        anchor = m_.Anchor();
        if (anchor.column < 0) anchor = m_.Caret();
        const TextStore& s = m_.Store();
        if (s.ToBytePos(anchor) == s.ToBytePos(caret)) anchor = NoAnchor(caret.line);
    }
    m_.SetFlags(EditorModel::kButtonDown, true);
    Apply(caret, anchor, ClickColumn(caret.column), m_.FirstLine());
    return PressResult::Select;
}

bool EditorInput::Move(int x, int y) {
    if (!(m_.Flags() & EditorModel::kButtonDown) || (m_.Flags() & EditorModel::kIgnoreMove)) return false;
    const HitResult hit = HitTest(x, y);
    const ViewGeometry g = m_.Geometry();
    // While the pointer is outside, the caret stays on the edge of the view.
    TextPos caret = hit.pos;
    const int fl = m_.FirstLine(), fc = m_.FirstColumn();
    caret.line = std::max(std::min(fl, m_.LineCount() - 1), std::min(caret.line, fl + g.visibleLines - 1));
    caret.line = std::max(0, std::min(caret.line, m_.LineCount() - 1));
    int column = std::max(fc, std::min(caret.column, fc + g.visibleColumns - 1));
    if (column < LineEndColumn(caret.line)) column = m_.Store().SnapColumn(column, caret.line, false);
    caret.column = column;

    TextPos anchor = m_.Anchor();
    if (anchor.column < 0) anchor = m_.Caret();
    const TextPos current = m_.Caret();
    if (caret != current) m_.SetFlags(EditorModel::kLineSelectPending, false);
    Apply(caret, anchor, fc, fl);
    return hit.outside;
}

void EditorInput::AutoScroll(int x, int y) {
    if (!(m_.Flags() & EditorModel::kButtonDown)) return;
    const ViewGeometry g = m_.Geometry();
    const ViewMetrics& vm = m_.Metrics();
    int fc = m_.FirstColumn(), fl = m_.FirstLine();
    if (x < g.textLeft) {
        if (fc > 0) fc = std::max(0, fc - 2);
    } else if (x >= vm.clientWidth) {
        // while the caret line ends right of the last visible column
        if (LineEndColumn(m_.Caret().line) > fc + g.visibleColumns - 1) fc += 2;
    }
    if (y < g.textTop) {
        if (fl > 0) fl = std::max(0, fl - 2);
    } else if (y >= vm.clientHeight) {
        const int maxFirst = std::max(0, m_.LineCount() - g.visibleLines);
        if (fl < maxFirst) fl = std::min(maxFirst, fl + 2);
    }
    if (fc != m_.FirstColumn() || fl != m_.FirstLine()) m_.SetScrollPosition(fc, fl);
    Move(x, y);
    const int s = m_.Store().SnapColumn(m_.Caret().column, m_.Caret().line, false);
    if (m_.FirstColumn() > 0 && s <= m_.FirstColumn()) {
        const int cw = std::max(1, vm.charWidth);
        m_.SetScrollPosition(std::max(0, s - (vm.clientWidth / cw / 5 + 1)), m_.FirstLine());
    }
}

void EditorInput::ButtonUp() {
    const bool pending = (m_.Flags() & EditorModel::kLineSelectPending) != 0;
    m_.SetFlags(EditorModel::kButtonDown | EditorModel::kIgnoreMove | EditorModel::kAutoScroll |
                    EditorModel::kLineSelectPending,
                false);
    if (!pending) return;
    // The clicked line stays selected with the caret after it.
    const int n = m_.LineCount();
    const int line = std::max(0, std::min(lineSelectLine_, n - 1));
    const TextPos anchor{0, line};
    const TextPos caret = line + 1 < n ? TextPos{0, line + 1} : TextPos{LineEndColumn(line), line};
    const int h = m_.Geometry().visibleLines;
    int fl = m_.FirstLine();
    if (caret.line > fl + h - 1) fl = caret.line - h + 1;
    Apply(caret, caret == anchor ? NoAnchor(line) : anchor, ClickColumn(caret.column), fl);
}

bool EditorInput::DoubleClick(int x, int y, bool shift) {
    const HitResult hit = HitTest(x, y);
    if (hit.aboveText || hit.leftOfText) return false;
    if (shift) Apply(m_.Caret(), NoAnchor(m_.Caret().line), m_.FirstColumn(), m_.FirstLine());
    const TextStore& store = m_.Store();
    const int line = hit.pos.line;
    const int length = store.LineLength(line);
    if (length <= 0) return false;
    const int offset = store.ColumnToOffset(hit.pos.column, line, false);
    const std::pair<int, int> word = m_.Words().wordAt(store.LineText(line), length, offset);
    if (word.second <= word.first) return false;
    const TextPos caret{store.OffsetToColumn(word.first, line), line};
    const TextPos anchor{store.OffsetToColumn(word.second, line), line};
    const int fl = std::min(m_.FirstLine(), line);
    m_.SetFlags(EditorModel::kIgnoreMove | EditorModel::kButtonDown, true);
    m_.SetFlags(EditorModel::kLineSelectPending, false);
    Apply(caret, anchor, ClickColumn(caret.column), fl);
    return true;
}

// ---------------------------------------------------------------------------
// Dragging text

TextPos EditorInput::DropPointAt(int x, int y) const {
    TextPos p = HitTest(x, y).pos;
    p.column = m_.Store().SnapColumn(p.column, p.line, false);
    return p;
}

void EditorInput::BeginDragSource(int x, int y) {
    drop_ = HitTest(x, y).pos;
    m_.SetFlags(EditorModel::kDragSource, true);
}

void EditorInput::EndDragSource(bool dropped) {
    m_.SetFlags(EditorModel::kDragSource, false);
    if (dropped) return;
    // A press in the selection without a drag: an ordinary click.
    Apply(drop_, NoAnchor(drop_.line), ClickColumn(drop_.column), m_.FirstLine());
}

void EditorInput::DragEnter(int x, int y) {
    drop_ = DropPointAt(x, y);
    m_.SetFlags(EditorModel::kDragOver, true);
}

DropEffect LimitDropEffect(DropEffect wanted, bool copyAllowed, bool moveAllowed) {
    if (wanted == DropEffect::Move) return moveAllowed ? DropEffect::Move : copyAllowed ? DropEffect::Copy : DropEffect::None;
    if (wanted == DropEffect::Copy) return copyAllowed ? DropEffect::Copy : DropEffect::None;
    return DropEffect::None;
}

DropEffect EditorInput::DragOver(int x, int y, bool ctrl, bool hasText) {
    if (m_.IsReadOnly() || !m_.Settings().dragDropMode || !hasText) return DropEffect::None;
    drop_ = DropPointAt(x, y);
    if (ctrl) return DropEffect::Copy;
    return (m_.Flags() & EditorModel::kDragSource) ? DropEffect::Move : DropEffect::Copy;
}

bool EditorInput::NearEdge(int x, int y) const {
    const ViewGeometry g = m_.Geometry();
    const ViewMetrics& vm = m_.Metrics();
    return x < g.textLeft + vm.charWidth || x >= vm.clientWidth - vm.charWidth || y < g.textTop + vm.lineHeight ||
           y >= vm.clientHeight - vm.lineHeight;
}

bool EditorInput::DragEdgeScroll(int x, int y) {
    if (!NearEdge(x, y)) return false;
    const ViewGeometry g = m_.Geometry();
    const ViewMetrics& vm = m_.Metrics();
    int fc = m_.FirstColumn(), fl = m_.FirstLine();
    if (x < g.textLeft + vm.charWidth) {
        fc -= 2;
    } else if (x >= vm.clientWidth - vm.charWidth) {
        fc += 2;
    }
    if (y < g.textTop + vm.lineHeight) {
        fl -= 1;
    } else if (y >= vm.clientHeight - vm.lineHeight) {
        fl += 1;
    }
    m_.SetScrollPosition(std::max(0, fc), std::max(0, fl));
    drop_ = DropPointAt(x, y);
    return true;
}

void EditorInput::DragLeave() { m_.SetFlags(EditorModel::kDragOver, false); }

bool EditorInput::Drop(const std::string* text, DropEffect effect) {
    m_.SetFlags(EditorModel::kDragOver, false);
    if (!text || effect == DropEffect::None) {
        Apply(drop_, NoAnchor(drop_.line), m_.FirstColumn(), m_.FirstLine());
        return false;
    }
    if (m_.IsReadOnly()) return false;
    const long long before = m_.TextLength();
    const std::size_t undoBefore = m_.History().UndoCount();
    if (m_.Flags() & EditorModel::kDragSource) {
        BytePos s1, s2;
        if (m_.SelectionBytes(&s1, &s2)) {
            const BytePos p = m_.Store().Clamp(m_.Store().ToBytePos(drop_));
            if (!(p < s1) && !(s2 < p)) return false;  // onto the selection itself
        }
        if (effect == DropEffect::Move && m_.HasSelection()) {
            m_.MoveDrop(drop_);
        } else {
            m_.CopyDrop(drop_, text->data(), text->size());
        }
    } else {
        m_.CopyDrop(drop_, text->data(), text->size());
        // Empty text from another window (a tag that writes its text when
        // it runs) is taken all the same: the caret now waits at the drop
        // point for the source to finish its work there.
        if (text->empty()) return true;
    }
    return m_.TextLength() != before || m_.History().UndoCount() != undoBefore;
}

void EditorInput::CancelDragOver() {
    if (!(m_.Flags() & EditorModel::kDragOver)) return;
    m_.SetFlags(EditorModel::kDragOver | EditorModel::kAutoScroll, false);
    Apply(drop_, NoAnchor(drop_.line), m_.FirstColumn(), m_.FirstLine());
}

}  // namespace editor
