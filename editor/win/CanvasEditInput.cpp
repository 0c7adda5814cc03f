// The editor window's input: typing and the input method's results, the
// editing and navigation keys, the mouse (click, drag with auto-scroll,
// gutter and double clicks, right click) and OLE drag and drop.
#include "editor/win/CanvasEdit.h"

#include <imm.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editor/win/EditorDragDrop.h"
#include "resources/resource.h"

namespace {

constexpr UINT_PTR kScrollTimer = 1;
constexpr UINT kAutoScrollMs = 20;
constexpr UINT kDragScrollMs = 30;

bool KeyHeld(int key) { return ::GetKeyState(key) < 0; }

// Client coordinates of a mouse message (signed: negative outside the window).
int PointX(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)); }
int PointY(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }

}  // namespace

void CCanvasEdit::InitInput() {
    m_clipboard = std::make_unique<CWinClipboard>(m_hWnd);
    m_clipboard->table = m_charTable;
    m_clipboard->wideInput = m_wideInput;
    m_model.SetClipboard(m_clipboard.get());
    m_dropTarget = new CEditorDropTarget(this);
    // Fails when OLE is not initialised on this thread: no dropping then.
    m_dropRegistered = SUCCEEDED(::RegisterDragDrop(m_hWnd, m_dropTarget));
}

void CCanvasEdit::DoneInput() {
    ::KillTimer(m_hWnd, kScrollTimer);
    if (m_dropRegistered) ::RevokeDragDrop(m_hWnd);
    m_dropRegistered = false;
    if (m_dropTarget) {
        m_dropTarget->Detach();
        m_dropTarget->Release();
        m_dropTarget = nullptr;
    }
    m_model.SetClipboard(nullptr);
}

IDropTarget* CCanvasEdit::DropTarget() const { return m_dropTarget; }

// ---------------------------------------------------------------------------
// Typing

LRESULT CCanvasEdit::OnChar(WPARAM wParam, LPARAM) {
    // Enter, Backspace and the control characters of Ctrl combinations
    // arrive here too; the model types only text (and drops a waiting lead
    // byte for anything else).
    m_model.TypeChar(static_cast<unsigned char>(wParam));
    return 0;
}

LRESULT CCanvasEdit::OnImeComposition(WPARAM wParam, LPARAM lParam) {
    if (!(lParam & GCS_RESULTSTR)) return DefWindowProc(WM_IME_COMPOSITION, wParam, lParam);
    HIMC imc = ::ImmGetContext(m_hWnd);
    if (!imc) return DefWindowProc(WM_IME_COMPOSITION, wParam, lParam);
    // In a UTF-8 document the result is read as wide characters: those
    // outside code page 932 come in through the document's table.
    const LONG wideBytes = m_wideInput && m_charTable ? ::ImmGetCompositionStringW(imc, GCS_RESULTSTR, nullptr, 0) : 0;
    const LONG bytes = wideBytes > 0 ? 0 : ::ImmGetCompositionStringA(imc, GCS_RESULTSTR, nullptr, 0);
    if (wideBytes > 0) {
        std::vector<WCHAR> wide(static_cast<std::size_t>(wideBytes) / sizeof(WCHAR) + 1);
        const LONG got = ::ImmGetCompositionStringW(imc, GCS_RESULTSTR, wide.data(), static_cast<DWORD>(wideBytes));
        if (got > 0) {
            std::string text;
            cp932::Utf16ToSjis(reinterpret_cast<const char16_t*>(wide.data()),
                               static_cast<std::size_t>(std::min(got, wideBytes)) / sizeof(WCHAR), m_charTable, &text);
            if (!text.empty()) m_model.TypeString(text.data(), text.size());
        }
    } else if (bytes > 0) {
        std::vector<char> text(static_cast<std::size_t>(bytes));
        const LONG got = ::ImmGetCompositionStringA(imc, GCS_RESULTSTR, text.data(), static_cast<DWORD>(bytes));
        if (got > 0) m_model.TypeString(text.data(), static_cast<std::size_t>(std::min(got, bytes)));
    }
    ::ImmReleaseContext(m_hWnd, imc);
    // Handled here, so no WM_IME_CHAR follows for the same text.
    return 0;
}

LRESULT CCanvasEdit::OnImeChar(WPARAM wParam, LPARAM) {
    const unsigned char lead = static_cast<unsigned char>((wParam >> 8) & 0xFF);
    const unsigned char trail = static_cast<unsigned char>(wParam & 0xFF);
    char bytes[2];
    std::size_t n = 0;
    if (lead) bytes[n++] = static_cast<char>(lead);
    bytes[n++] = static_cast<char>(trail);
    m_model.TypeString(bytes, n);
    return 0;
}

// ---------------------------------------------------------------------------
// Keys

LRESULT CCanvasEdit::OnKeyDown(WPARAM wParam, LPARAM lParam) {
    const bool ctrl = KeyHeld(VK_CONTROL), shift = KeyHeld(VK_SHIFT);
    const bool dragOver = (m_model.Flags() & editor::EditorModel::kDragOver) != 0;
    editor::NavKey key;
    switch (wParam) {
        case VK_LEFT: key = editor::NavKey::Left; break;
        case VK_RIGHT: key = editor::NavKey::Right; break;
        case VK_UP: key = editor::NavKey::Up; break;
        case VK_DOWN: key = editor::NavKey::Down; break;
        case VK_HOME: key = editor::NavKey::Home; break;
        case VK_END: key = editor::NavKey::End; break;
        case VK_PRIOR: key = editor::NavKey::PageUp; break;
        case VK_NEXT: key = editor::NavKey::PageDown; break;
        case VK_ESCAPE: key = editor::NavKey::Escape; break;
        case VK_INSERT:
            if (!dragOver) {
                m_model.ToggleOverwrite();
                m_model.PlaceCaret();
            }
            return 0;
        case VK_BACK:
            if (!dragOver) m_model.Backspace(ctrl);
            return 0;
        case VK_DELETE:
            if (!dragOver) m_model.DeleteForward(ctrl);
            return 0;
        case VK_RETURN:
            if (!dragOver) m_model.Enter();
            return 0;
        default:
            return DefWindowProc(WM_KEYDOWN, wParam, lParam);
    }
    m_model.DropPendingLead();
    m_input.Key(key, ctrl, shift);
    return 0;
}

// ---------------------------------------------------------------------------
// Mouse

LRESULT CCanvasEdit::OnLButtonDown(WPARAM wParam, LPARAM lParam) {
    const int x = PointX(lParam), y = PointY(lParam);
    m_model.DropPendingLead();
    switch (m_input.ButtonDown(x, y, (wParam & MK_SHIFT) != 0)) {
        case editor::PressResult::Ignored:
            break;
        case editor::PressResult::StartDrag:
            RunDragSource(x, y);
            break;
        case editor::PressResult::Select:
            ::SetFocus(m_hWnd);
            ::SetCapture(m_hWnd);
            break;
    }
    return 0;
}

LRESULT CCanvasEdit::OnMouseMove(WPARAM, LPARAM lParam) {
    if (!(m_model.Flags() & editor::EditorModel::kButtonDown)) return 0;
    const bool outside = m_input.Move(PointX(lParam), PointY(lParam));
    const bool running = (m_model.Flags() & editor::EditorModel::kAutoScroll) != 0;
    if (outside && !running) {
        if (::SetTimer(m_hWnd, kScrollTimer, kAutoScrollMs, nullptr))
            m_model.SetFlags(editor::EditorModel::kAutoScroll, true);
    } else if (!outside && running) {
        ::KillTimer(m_hWnd, kScrollTimer);
        m_model.SetFlags(editor::EditorModel::kAutoScroll, false);
    }
    return 0;
}

LRESULT CCanvasEdit::OnTimer(WPARAM wParam, LPARAM) {
    if (wParam != kScrollTimer) return 0;
    const std::uint32_t flags = m_model.Flags();
    if ((flags & editor::EditorModel::kButtonDown) && (flags & editor::EditorModel::kAutoScroll)) {
        POINT pt;
        ::GetCursorPos(&pt);
        ::ScreenToClient(m_hWnd, &pt);
        m_input.AutoScroll(pt.x, pt.y);
    } else if (flags & editor::EditorModel::kDragOver) {
        if (m_input.DragEdgeScroll(m_dropPoint.x, m_dropPoint.y)) {
            ShowDropCaret();
        } else {
            ::KillTimer(m_hWnd, kScrollTimer);
        }
    } else {
        ::KillTimer(m_hWnd, kScrollTimer);
    }
    return 0;
}

void CCanvasEdit::RemoveTimerMessages() {
    MSG msg;
    while (::PeekMessageA(&msg, m_hWnd, WM_TIMER, WM_TIMER, PM_NOREMOVE) && msg.wParam == kScrollTimer)
        ::PeekMessageA(&msg, m_hWnd, WM_TIMER, WM_TIMER, PM_REMOVE);
}

void CCanvasEdit::EndMouseSelection(bool release) {
    if (!(m_model.Flags() & editor::EditorModel::kButtonDown)) return;
    ::KillTimer(m_hWnd, kScrollTimer);
    RemoveTimerMessages();
    m_input.ButtonUp();  // clears the button bits before the capture goes
    if (release && ::GetCapture() == m_hWnd) ::ReleaseCapture();
}

LRESULT CCanvasEdit::OnLButtonUp(WPARAM, LPARAM) {
    EndMouseSelection(true);
    return 0;
}

LRESULT CCanvasEdit::OnCaptureChanged(WPARAM, LPARAM) {
    // Another window took the mouse (a menu, a dialog, a task switch): the
    // selection ends as if the button had been released.
    EndMouseSelection(false);
    return 0;
}

LRESULT CCanvasEdit::OnLButtonDblClk(WPARAM wParam, LPARAM lParam) {
    if (m_input.DoubleClick(PointX(lParam), PointY(lParam), (wParam & MK_SHIFT) != 0)) {
        ::SetFocus(m_hWnd);
        ::SetCapture(m_hWnd);
    }
    return 0;
}

LRESULT CCanvasEdit::OnRButtonDown(WPARAM, LPARAM) {
    if (m_model.Flags() & editor::EditorModel::kDragOver) {
        ::KillTimer(m_hWnd, kScrollTimer);
        RemoveTimerMessages();
        EndDropCaret();
        m_input.CancelDragOver();
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    }
    Notify(editor::kNotifyRightClick, 0);
    return 0;
}

LRESULT CCanvasEdit::OnSetCursor(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(lParam) != HTCLIENT || reinterpret_cast<HWND>(wParam) != m_hWnd)
        return DefWindowProc(WM_SETCURSOR, wParam, lParam);
    POINT pt;
    ::GetCursorPos(&pt);
    ::ScreenToClient(m_hWnd, &pt);
    HCURSOR cursor = nullptr;
    switch (m_input.PointerAt(pt.x, pt.y)) {
        case editor::EditorInput::Pointer::Arrow: cursor = ::LoadCursor(nullptr, IDC_ARROW); break;
        case editor::EditorInput::Pointer::Gutter:
            cursor = ::LoadCursor(::GetModuleHandleA(nullptr), MAKEINTRESOURCE(IDC_GUTTER));
            if (!cursor) cursor = ::LoadCursor(nullptr, IDC_ARROW);
            break;
        case editor::EditorInput::Pointer::IBeam: cursor = ::LoadCursor(nullptr, IDC_IBEAM); break;
    }
    ::SetCursor(cursor);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Dragging text out

namespace {
thread_local CCanvasEdit* t_dragSource = nullptr;
}

CCanvasEdit* CCanvasEdit::DragSourceEditor() { return t_dragSource; }

void CCanvasEdit::RunDragSource(int x, int y) {
    std::string text;
    m_model.GetSelectedText(text);
    m_input.BeginDragSource(x, y);
    IDataObject* data = CreateTextDataObject(text.data(), text.size());
    IDropSource* source = new CEditorDropSource();
    DWORD effect = DROPEFFECT_NONE;
    CCanvasEdit* const outer = t_dragSource;
    t_dragSource = this;
    const HRESULT hr = ::DoDragDrop(data, source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
    t_dragSource = outer;
    source->Release();
    data->Release();
    const bool dropped = hr == DRAGDROP_S_DROP && effect != DROPEFFECT_NONE;
    m_input.EndDragSource(dropped);
    if (!dropped) ::SetFocus(m_hWnd);
}

// ---------------------------------------------------------------------------
// Dropping text in

void CCanvasEdit::ShowDropCaret() {
    // Only when the caret is ours to take: it is shared by the thread.
    HWND focus = ::GetFocus();
    if (focus && focus != m_hWnd) return;
    const editor::ViewGeometry g = m_model.Geometry();
    const editor::TextPos p = m_input.DropPosition();
    if (!m_dropCaret) {
        if (m_hasCaret) ::DestroyCaret();
        ::CreateCaret(m_hWnd, nullptr, 1, m_textHeight);
        m_dropCaret = true;
    }
    ::SetCaretPos(g.textLeft + (p.column - m_model.FirstColumn()) * m_charWidth,
                  g.textTop + (p.line - m_model.FirstLine()) * m_model.Metrics().lineHeight);
    ::ShowCaret(m_hWnd);
}

void CCanvasEdit::EndDropCaret() {
    if (!m_dropCaret) return;
    m_dropCaret = false;
    ::DestroyCaret();
    if (m_hasCaret) {
        ::CreateCaret(m_hWnd, nullptr, 2, m_textHeight);
        m_model.PlaceCaret();
    }
}

DWORD CCanvasEdit::OleDragEnter(IDataObject* data, DWORD keys, POINT pt, DWORD allowed) {
    m_dropHasText = DataObjectHasText(data);
    m_dropEffect = DROPEFFECT_NONE;
    if (!m_dropHasText) return DROPEFFECT_NONE;
    m_input.DragEnter(pt.x, pt.y);
    return OleDragOver(keys, pt, allowed);
}

DWORD CCanvasEdit::OleDragOver(DWORD keys, POINT pt, DWORD allowed) {
    m_dropPoint = pt;
    const editor::DropEffect e =
        editor::LimitDropEffect(m_input.DragOver(pt.x, pt.y, (keys & MK_CONTROL) != 0, m_dropHasText),
                                (allowed & DROPEFFECT_COPY) != 0, (allowed & DROPEFFECT_MOVE) != 0);
    m_dropEffect = e == editor::DropEffect::Move ? DROPEFFECT_MOVE
                   : e == editor::DropEffect::Copy ? DROPEFFECT_COPY
                                                   : DROPEFFECT_NONE;
    if (m_dropEffect == DROPEFFECT_NONE) return DROPEFFECT_NONE;
    ShowDropCaret();
    if (m_input.NearEdge(pt.x, pt.y)) {
        ::SetTimer(m_hWnd, kScrollTimer, kDragScrollMs, nullptr);
    } else {
        ::KillTimer(m_hWnd, kScrollTimer);
    }
    return m_dropEffect;
}

void CCanvasEdit::OleDragLeave() {
    ::KillTimer(m_hWnd, kScrollTimer);
    RemoveTimerMessages();
    m_input.DragLeave();
    EndDropCaret();
    m_dropHasText = false;
    m_dropEffect = DROPEFFECT_NONE;
}

DWORD CCanvasEdit::OleDrop(IDataObject* data, DWORD keys, POINT pt, DWORD allowed) {
    ::KillTimer(m_hWnd, kScrollTimer);
    RemoveTimerMessages();
    // The effect is the one last returned by the drag over; the drop
    // position is the point of the drop.
    const DWORD effect = m_dropEffect & allowed;
    m_input.DragOver(pt.x, pt.y, (keys & MK_CONTROL) != 0, m_dropHasText);
    EndDropCaret();
    const bool fromHere = (m_model.Flags() & editor::EditorModel::kDragSource) != 0;
    std::string text;
    const bool hasText = effect != DROPEFFECT_NONE && ReadDataObjectText(data, text);
    const editor::DropEffect e = effect == DROPEFFECT_MOVE ? editor::DropEffect::Move
                                 : effect == DROPEFFECT_COPY ? editor::DropEffect::Copy
                                                             : editor::DropEffect::None;
    const bool changed = m_input.Drop(hasText ? &text : nullptr, e);
    m_dropHasText = false;
    m_dropEffect = DROPEFFECT_NONE;
    if (!fromHere && changed) {
        HWND top = ::GetAncestor(m_hWnd, GA_ROOT);
        if (top) ::SetForegroundWindow(top);
        ::SetFocus(m_hWnd);
    }
    return changed ? effect : DROPEFFECT_NONE;
}
