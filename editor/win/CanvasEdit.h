// CCanvasEdit: the "CanvasEdit" window, one per document tab. The text, the
// caret, the selection, undo and every operation live in the editor model
// (editor/core/EditorModel.h); this class is the window around it: it turns
// messages into calls on the model and carries out what the model asks
// (painting, scrolling, the caret, notifying the parent).
#pragma once

#include <memory>
#include <string>

#include "editor/core/EditorInput.h"
#include "editor/core/EditorModel.h"
#include "editor/core/RowLayout.h"
#include "framework/core/Cp932.h"
#include "framework/win/Wnd.h"

#include <vector>

class CWinClipboard;
class CEditorDropTarget;
struct IDataObject;
struct IDropTarget;

class CCanvasEdit : public CWnd, private editor::IEditorHost {
public:
    static constexpr UINT kControlId = 4006;
    static const char kClassName[];  // "CanvasEdit"

    CCanvasEdit();
    ~CCanvasEdit() override;

    static bool RegisterClass();
    // Creates the editor as a visible child with both scroll bars and a
    // sunken edge.
    bool Create(HWND parent, UINT id = kControlId, const RECT* rc = nullptr);

    // The model: text, selection, undo, settings and every operation of the
    // editor that other subsystems call.
    editor::EditorModel& Model() { return m_model; }
    const editor::EditorModel& Model() const { return m_model; }
    // The narrow face of the editor for other subsystems: text, selection,
    // replacing and state (editor/core/EditorOps.h).
    editor::IEditorOps& Ops() { return m_model; }
    const editor::IEditorOps& Ops() const { return m_model; }
    // The control behind a window handle (null for other windows).
    static CCanvasEdit* FromEditorHandle(HWND hwnd);
    // The editor whose notification (WM_COMMAND, id 0, to its parent) this
    // thread is delivering now; null outside one. A notification that comes
    // from anywhere else is not an editor's.
    static CCanvasEdit* NotifyingEditor();
    // The system's colours the editor's defaults start from (GetSysColor).
    static editor::SystemColors CurrentSystemColors();

    // Chooses the text font (face name, point size, bold) and measures it.
    bool SetFont(const std::string& face, int pointSize, bool bold, bool redraw);
    HFONT TextFont() const { return m_font; }
    HFONT PlainFont() const { return m_plainFont.handle; }
    HFONT RulerFont() const { return m_rulerFont.handle; }
    int CharWidth() const { return m_charWidth; }
    int LineHeight() const { return m_model.Metrics().lineHeight; }
    // Paints the rectangle `rc` of the client area into `dc` (erasing it
    // first): text, selection, marks, gutter, ruler and margin.
    void PaintTo(HDC dc, const RECT& rc);
    // The character set SetFont asks for: from the ANSI code page of the
    // user's default language, else the window's device context's.
    int PreferredCharset();

    // The document's table of characters outside code page 932 (may be null).
    // Its codes are painted and copied as their characters; with wideInput
    // (a UTF-8 document) pasted Unicode text and input-method results come
    // in through it.
    void SetCharTable(cp932::CharTable* table, bool wideInput);
    cp932::CharTable* CharTable() const { return m_charTable; }

    // Keys, mouse and dropping: the caret navigation and selection logic.
    editor::EditorInput& Input() { return m_input; }
    // The window's OLE drop target (registered when OLE is initialised).
    IDropTarget* DropTarget() const;
    // What the drop target does, in client coordinates; `allowed` is what the
    // drag's source allows (DROPEFFECT_COPY, DROPEFFECT_MOVE).
    DWORD OleDragEnter(IDataObject* data, DWORD keys, POINT pt, DWORD allowed);
    DWORD OleDragOver(DWORD keys, POINT pt, DWORD allowed);
    void OleDragLeave();
    DWORD OleDrop(IDataObject* data, DWORD keys, POINT pt, DWORD allowed);
    // The editor of this thread whose text is being dragged now, or null.
    static CCanvasEdit* DragSourceEditor();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Window messages.
    LRESULT OnCreate(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    LRESULT OnSize(WPARAM, LPARAM);
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnChar(WPARAM, LPARAM);
    LRESULT OnKeyDown(WPARAM, LPARAM);
    LRESULT OnSetFocus(WPARAM, LPARAM);
    LRESULT OnKillFocus(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnRButtonDown(WPARAM, LPARAM);
    LRESULT OnVScroll(WPARAM, LPARAM);
    LRESULT OnHScroll(WPARAM, LPARAM);
    LRESULT OnMouseWheel(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnLButtonUp(WPARAM, LPARAM);
    LRESULT OnLButtonDblClk(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnCaptureChanged(WPARAM, LPARAM);
    LRESULT OnSetCursor(WPARAM, LPARAM);
    LRESULT OnImeComposition(WPARAM, LPARAM);
    LRESULT OnImeChar(WPARAM, LPARAM);

    // What the model asks of the window.
    void InvalidateAll() override;
    void InvalidateLines(int first, int last) override;
    void ScrollRows(int top, int rows) override;
    void ScrollView(int oldFirstColumn, int oldFirstLine) override;
    void UpdateScrollBars() override;
    void PlaceCaret(const editor::CaretNotice& notice) override;
    void NotifyCaretMoved(const editor::CaretNotice& notice) override;
    void NotifyChanged() override;

    void Notify(int code, LPARAM lParam);
    void UpdateMetrics();

    // Input: set up at creation (clipboard, drop target), undone at destruction.
    void InitInput();
    void DoneInput();
    // The end of a mouse selection (button released or capture lost).
    void EndMouseSelection(bool release);
    // Removes this window's queued auto-scroll timer messages, and no others.
    void RemoveTimerMessages();
    // Starts an OLE drag of the selection from a press at (x, y).
    void RunDragSource(int x, int y);
    // The 1-pixel caret at the drop position while a drag is over the window.
    void ShowDropCaret();
    void EndDropCaret();
    // Painting (CanvasEditPaint.cpp).
    void PaintLines(HDC dc, const RECT& rc);
    void PaintGutter(HDC dc, const RECT& rc);
    void PaintRuler(HDC dc, const RECT& rc);
    // Draws the table codes among cells [from, to) of a painted run as the
    // characters they stand for, over what the run drew.
    void DrawTableCodes(HDC dc, const char* text, const std::vector<editor::RowCell>& cells, std::size_t from,
                        std::size_t to, int left, int y, COLORREF back, COLORREF color, COLORREF mark);
    void InvalidateGutterLine(int line);
    void InvalidateRulerCell(int x);
    void OnFocusGained();
    void GiveImeFont();

    editor::EditorModel m_model;
    HFONT m_font = nullptr;
    int m_charWidth = 8;
    int m_textHeight = 16;
    bool m_hasCaret = false;

    editor::EditorInput m_input{m_model};
    std::unique_ptr<CWinClipboard> m_clipboard;
    CEditorDropTarget* m_dropTarget = nullptr;
    bool m_dropRegistered = false;
    bool m_dropHasText = false;
    bool m_dropCaret = false;
    DWORD m_dropEffect = 0;
    POINT m_dropPoint = {0, 0};
    // A GDI font deleted with its owner.
    struct FontHandle {
        HFONT handle = nullptr;
        FontHandle() = default;
        FontHandle(const FontHandle&) = delete;
        FontHandle& operator=(const FontHandle&) = delete;
        ~FontHandle() { Reset(nullptr); }
        void Reset(HFONT font) {
            if (handle) ::DeleteObject(handle);
            handle = font;
        }
    };
    FontHandle m_plainFont;  // the text font's face and size at normal weight: line numbers
    FontHandle m_rulerFont;  // made once from the first text font, 10 units high
    int m_caretWidth = 0;    // the caret as last created (0: not yet shaped)
    int m_caretHeight = 0;
    int m_rulerCaretX = -1;  // where the caret column is marked on this window's ruler
    editor::WheelAccumulator m_wheel;
    cp932::CharTable* m_charTable = nullptr;
    bool m_wideInput = false;

    DECLARE_MESSAGE_MAP()
};

// The system clipboard as the editor's plain-text clipboard (CF_TEXT). Text
// that holds codes of the character table also goes on it as
// CF_UNICODETEXT with the real characters; with wideInput, CF_UNICODETEXT
// is read first and enters through the table.
class CWinClipboard : public editor::IClipboard {
public:
    explicit CWinClipboard(HWND owner) : m_owner(owner) {}
    bool HasText() override;
    bool GetText(std::string& out) override;
    bool SetText(const char* text, std::size_t length) override;

    cp932::CharTable* table = nullptr;
    bool wideInput = false;

private:
    HWND m_owner;
};
