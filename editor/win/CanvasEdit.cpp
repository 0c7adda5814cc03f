#include "editor/win/CanvasEdit.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "editor/core/EditorMessages.h"
#include "editor/win/EditorDragDrop.h"
#include "framework/core/Sjis.h"
#include "framework/win/ForeignMessages.h"

const char CCanvasEdit::kClassName[] = "CanvasEdit";

BEGIN_MESSAGE_MAP(CCanvasEdit, CWnd)
    ON_MESSAGE(WM_CREATE, OnCreate)
    ON_MESSAGE(WM_DESTROY, OnDestroy)
    ON_MESSAGE(WM_SIZE, OnSize)
    ON_MESSAGE(WM_PAINT, OnPaint)
    ON_MESSAGE(WM_CHAR, OnChar)
    ON_MESSAGE(WM_KEYDOWN, OnKeyDown)
    ON_MESSAGE(WM_SETFOCUS, OnSetFocus)
    ON_MESSAGE(WM_KILLFOCUS, OnKillFocus)
    ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
    ON_MESSAGE(WM_RBUTTONDOWN, OnRButtonDown)
    ON_MESSAGE(WM_VSCROLL, OnVScroll)
    ON_MESSAGE(WM_HSCROLL, OnHScroll)
    ON_MESSAGE(WM_MOUSEWHEEL, OnMouseWheel)
    ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
    ON_MESSAGE(WM_LBUTTONUP, OnLButtonUp)
    ON_MESSAGE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
    ON_MESSAGE(WM_TIMER, OnTimer)
    ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChanged)
    ON_MESSAGE(WM_SETCURSOR, OnSetCursor)
    ON_MESSAGE(WM_IME_COMPOSITION, OnImeComposition)
    ON_MESSAGE(WM_IME_CHAR, OnImeChar)
END_MESSAGE_MAP()

namespace {

// Posted editor messages that carry addresses are dropped as they leave the
// queue, whichever loop takes them: their addresses may come from any
// process.
bool PostedEditorAddress(const MSG& msg) {
    return editor::CarriesAddress(msg.message) && CCanvasEdit::FromEditorHandle(msg.hwnd);
}

}  // namespace

editor::SystemColors CCanvasEdit::CurrentSystemColors() {
    editor::SystemColors c;
    c.windowText = ::GetSysColor(COLOR_WINDOWTEXT);
    c.window = ::GetSysColor(COLOR_WINDOW);
    c.highlightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    c.highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    return c;
}

CCanvasEdit::CCanvasEdit() = default;

CCanvasEdit::~CCanvasEdit() {
    if (m_font) ::DeleteObject(m_font);
}

bool CCanvasEdit::RegisterClass() {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpszClassName = kClassName;
    return RegisterWindowClass(wc);
}

bool CCanvasEdit::Create(HWND parent, UINT id, const RECT* rc) {
    if (!RegisterClass()) return false;
    RECT r = rc ? *rc : RECT{0, 0, 100, 100};
    return CreateEx(WS_EX_CLIENTEDGE, kClassName, "", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, r.left,
                    r.top, r.right - r.left, r.bottom - r.top, parent, id);
}

CCanvasEdit* CCanvasEdit::FromEditorHandle(HWND hwnd) {
    char cls[32] = {};
    if (!hwnd || !::GetClassNameA(hwnd, cls, sizeof cls) || std::strcmp(cls, kClassName) != 0) return nullptr;
    return static_cast<CCanvasEdit*>(CWnd::FromHandle(hwnd));
}

LRESULT CCanvasEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (editor::IsEditorMessage(message)) {
        // Sent from another thread (or program): its addresses are not ours.
        if (editor::CarriesAddress(message) && (::InSendMessage() || foreign::WasPosted(m_hWnd, message, wParam, lParam)))
            return 0;
        return static_cast<LRESULT>(editor::HandleEditorMessage(m_model, message, wParam, lParam));
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

LRESULT CCanvasEdit::OnCreate(WPARAM, LPARAM) {
    foreign::AddPostedAddressRule(&PostedEditorAddress);
    m_model.SetSystemColors(CurrentSystemColors());
    m_model.SetHost(this);
    InitInput();
    m_model.Reset();
    SetFont("ＭＳ ゴシック", 11, false, false);
    m_model.SetSettings(nullptr, false);
    m_model.SetColors(nullptr, false);
    return 0;
}

LRESULT CCanvasEdit::OnDestroy(WPARAM, LPARAM) {
    foreign::RemovePostedAddressRule(&PostedEditorAddress);
    DoneInput();
    m_model.SetHost(nullptr);
    m_model.Clear();
    return 0;
}

LRESULT CCanvasEdit::OnSetFocus(WPARAM, LPARAM) {
    ::CreateCaret(m_hWnd, nullptr, 2, m_textHeight);
    m_hasCaret = true;
    OnFocusGained();
    m_model.PlaceCaret();
    return 0;
}

LRESULT CCanvasEdit::OnKillFocus(WPARAM, LPARAM) {
    m_model.DropPendingLead();
    ::DestroyCaret();
    m_hasCaret = false;
    return 0;
}

void CCanvasEdit::NotifyCaretMoved(const editor::CaretNotice& notice) {
    std::int32_t values[4] = {notice.column, notice.line, notice.previousColumn, notice.previousLine};
    Notify(editor::kNotifyCaretMoved, reinterpret_cast<LPARAM>(values));
}

void CCanvasEdit::NotifyChanged() { Notify(editor::kNotifyChanged, 0); }

namespace {
thread_local CCanvasEdit* t_notifying = nullptr;
}

CCanvasEdit* CCanvasEdit::NotifyingEditor() { return t_notifying; }

void CCanvasEdit::Notify(int code, LPARAM lParam) {
    if (!m_hWnd) return;
    HWND parent = GetParent();
    if (!parent) return;
    CCanvasEdit* const outer = t_notifying;
    t_notifying = this;
    ::SendMessageA(parent, WM_COMMAND, MAKEWPARAM(0, code), lParam);
    t_notifying = outer;
}

void CCanvasEdit::SetCharTable(cp932::CharTable* table, bool wideInput) {
    m_charTable = table;
    m_wideInput = wideInput;
    if (m_clipboard) {
        m_clipboard->table = table;
        m_clipboard->wideInput = wideInput;
    }
    if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

bool CWinClipboard::HasText() {
    return ::IsClipboardFormatAvailable(CF_TEXT) != 0 ||
           (wideInput && table && ::IsClipboardFormatAvailable(CF_UNICODETEXT) != 0);
}

namespace {

// The UTF-16 text of a CF_UNICODETEXT block, up to its NUL or its size.
bool ReadWideBlock(HANDLE h, std::u16string& out) {
    const SIZE_T size = ::GlobalSize(h) / sizeof(char16_t);
    const char16_t* p = static_cast<const char16_t*>(::GlobalLock(h));
    if (!p) return false;
    std::size_t n = 0;
    while (n < size && p[n]) ++n;
    out.assign(p, n);
    ::GlobalUnlock(h);
    return true;
}

HGLOBAL WideBlock(const std::u16string& text) {
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
    if (!h) return nullptr;
    char16_t* p = static_cast<char16_t*>(::GlobalLock(h));
    if (!p) {
        ::GlobalFree(h);
        return nullptr;
    }
    std::copy(text.begin(), text.end(), p);
    p[text.size()] = 0;
    ::GlobalUnlock(h);
    return h;
}

}  // namespace

bool CWinClipboard::GetText(std::string& out) {
    if (!::OpenClipboard(m_owner)) return false;
    bool ok = false;
    HANDLE wide = wideInput && table ? ::GetClipboardData(CF_UNICODETEXT) : nullptr;
    std::u16string w;
    if (wide && ReadWideBlock(wide, w)) {
        out.clear();
        cp932::Utf16ToSjis(w.data(), w.size(), table, &out);
        ok = true;
    } else if (HANDLE h = ::GetClipboardData(CF_TEXT)) {
        ok = ReadTextBlock(h, out);
    }
    ::CloseClipboard();
    return ok;
}

bool CWinClipboard::SetText(const char* text, std::size_t length) {
    HGLOBAL wide = table && cp932::HoldsTableCode(text, length, *table)
                       ? WideBlock(cp932::SjisToUtf16(text, length, table))
                       : nullptr;
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, length + 1);
    if (!h) return false;
    char* p = static_cast<char*>(::GlobalLock(h));
    if (!p) {
        ::GlobalFree(h);
        return false;
    }
    if (length) std::memcpy(p, text, length);
    p[length] = '\0';
    ::GlobalUnlock(h);
    if (!::OpenClipboard(m_owner)) {
        ::GlobalFree(h);
        return false;
    }
    ::EmptyClipboard();
    const bool ok = ::SetClipboardData(CF_TEXT, h) != nullptr;
    if (wide && !::SetClipboardData(CF_UNICODETEXT, wide)) ::GlobalFree(wide);
    ::CloseClipboard();
    if (!ok) ::GlobalFree(h);
    return ok;
}
