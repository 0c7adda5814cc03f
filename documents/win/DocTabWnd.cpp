#include "documents/win/DocTabWnd.h"

#include <shellapi.h>

#include "config/core/SettingsStore.h"
#include "documents/core/FileList.h"
#include "documents/core/OpenFlow.h"
#include "documents/core/TextCodec.h"
#include "documents/core/Utf8.h"
#include "framework/core/PathUtil.h"
#include "framework/win/FileDialog.h"
#include "framework/win/FileSystem.h"
#include "framework/win/MessageBox.h"
#include "framework/win/WinPath.h"
#include "resources/resource.h"

namespace {

constexpr UINT_PTR kScrollRightTimer = 1;
constexpr UINT_PTR kScrollLeftTimer = 2;
constexpr UINT kScrollInterval = 250;
constexpr int kScrollEdge = 16;

// The disk of the program.
class WinDisk : public docs::IDocFileSystem {
public:
    bool Exists(const std::string& path) override {
        return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    // The copy is made as saves are: a backup is replaced only by a whole one.
    fileerr::Cause Copy(const std::string& from, const std::string& to) override {
        std::string bytes;
        CFileError error;
        if (ReadEntireFile(from, &bytes, &error) && WriteFileReplacing(to, bytes, &error)) return fileerr::Cause::None;
        return error.cause;
    }
    std::string TempPathFor(const std::string& target) override { return NewTempPathBeside(target); }
    fileerr::Cause WriteNew(const std::string& path, const std::string& bytes) override {
        CFileError error;
        return WriteNewFile(path, bytes, &error) ? fileerr::Cause::None : error.cause;
    }
    fileerr::Cause Replace(const std::string& target, const std::string& source) override {
        CFileError error;
        return ReplaceKeepingAttributes(source, target, &error) ? fileerr::Cause::None : error.cause;
    }
    void Remove(const std::string& path) override { CurrentFileSystem().Delete(path); }
    std::string FullPath(const std::string& path) override { return FullPathOf(path); }
};

// The user of the program: dialogs and message boxes.
class WinPrompts : public docs::IFlowPrompts {
public:
    explicit WinPrompts(HWND owner) : m_owner(owner) {}
    bool ChooseSavePath(const std::string& initial, std::string* chosen) override {
        // The question about replacing a file is asked by the save itself,
        // about the name with its default extension.
        CFileDialog dialog(false, nullptr, initial, OFN_PATHMUSTEXIST | OFN_HIDEREADONLY, CDocTabWnd::kOpenFilter,
                           m_owner);
        if (dialog.DoModal() != IDOK) return false;
        *chosen = dialog.GetPathName();
        return true;
    }
    bool ConfirmOverwrite(const std::string& path) override {
        return PqMessageBox(m_owner, path + docs::kAlreadyExists, MB_YESNO | MB_ICONQUESTION) == IDYES;
    }
    void ShowError(const std::string& text) override { PqErrorBox(m_owner, text); }
    bool Confirm(const std::string& text) override { return PqQuestionBox(m_owner, text, MB_OKCANCEL) == IDOK; }
    docs::Answer Ask(const std::string& text) override {
        switch (PqQuestionBox(m_owner, text, MB_YESNOCANCEL)) {
        case IDYES: return docs::Answer::Yes;
        case IDNO: return docs::Answer::No;
        default: return docs::Answer::Cancel;
        }
    }

private:
    HWND m_owner;
};

// The shown editor as a colour mode sets it up.
class ModeEditor : public editor::IColorModeEditor {
public:
    explicit ModeEditor(CCanvasEdit& edit) : m_edit(edit) {}
    void SetColorFunctions(const editor::ColorLineFn& colorLine, const editor::LineStateFn& lineState) override {
        m_edit.Model().SetColorFunctions(colorLine, lineState);
    }
    void SetColorPart(const editor::ColorPartFn& colorPart) override { m_edit.Model().SetColorPart(colorPart); }
    void SetWordFunctions(const editor::WordFunctions& words) override { m_edit.Model().SetWordFunctions(words); }
    void SetColors(const editor::EditorColors& colors, bool redraw) override {
        m_edit.Model().SetColors(&colors, redraw);
    }
    void SetSettings(const editor::EditorSettings& settings, bool redraw) override {
        m_edit.Model().SetSettings(&settings, redraw);
    }
    void SetFont(const std::string& face, int pointSize, bool bold, bool redraw) override {
        m_edit.SetFont(face, pointSize, bold, redraw);
    }

private:
    CCanvasEdit& m_edit;
};

// A file being opened, before it has a tab.
class OpeningFile : public docs::IOpeningFile {
public:
    explicit OpeningFile(HWND owner) : m_owner(owner) {}
    std::unique_ptr<CFile> file;
    std::string Path() const override { return std::string(); }
    std::string TabText() const override { return std::string(); }
    bool IsReadOnly() const override { return false; }
    bool IsModified() const override { return false; }
    bool PrepareBytes(std::string*, int*) override { return false; }
    void Saved(const std::string&, int, bool) override {}
    void ReleaseFile() override { file.reset(); }
    fileerr::Cause HoldFile(const std::string& path, bool denyNone) override {
        auto f = std::make_unique<CFile>();
        CFileError error;
        if (!f->Open(path, CFile::modeRead | (denyNone ? CFile::shareDenyNone : CFile::shareDenyWrite), &error))
            return error.cause;
        file = std::move(f);
        m_path = path;
        return fileerr::Cause::None;
    }
    bool ReadAll(std::string* bytes) override {
        CFileError error;
        if (file && file->ReadAll(bytes, &error)) return true;
        error.path = m_path;
        error.Report(m_owner);
        return false;
    }

private:
    HWND m_owner;
    std::string m_path;
};

}  // namespace

// The document window's tabs as opening a file sees them.
class OpenTabs : public docs::IOpenTabs {
public:
    explicit OpenTabs(CDocTabWnd& wnd) : m_wnd(wnd) {}
    std::vector<std::string> Paths() const override {
        std::vector<std::string> paths;
        for (const DocEntry& e : m_wnd.m_docs) paths.push_back(e.path);
        return paths;
    }
    void Show(int index) override {
        ::SendMessageA(m_wnd.m_tab.m_hWnd, TCM_SETCURSEL, index, 0);
        m_wnd.ActivateTab(index);
    }
    bool FirstModified() const override { return m_wnd.m_docs[0].editor->Ops().IsModified(); }
    void TakeFirst(const std::string& name) override {
        m_wnd.SetTabText(0, name);
        m_wnd.m_untitled.GiveBack();
    }
    bool AddLast(const std::string& name, bool noSelect) override { return m_wnd.CreateTab(name, noSelect); }
    void TakeCoding(bool mark, const std::shared_ptr<cp932::CharTable>& table) override {
        DocEntry& e = m_wnd.m_docs.back();
        e.mark = mark;
        if (table) e.table = table;
    }
    bool Fill(docs::IOpeningFile& opening, const std::string& path, int loadCode, const std::string& text,
              bool readOnly) override {
        DocEntry& e = m_wnd.m_docs.back();
        e.loadCode = loadCode;
        e.editor->SetCharTable(e.table.get(), loadCode == encoding::kCodeUtf8);
        e.file = std::move(static_cast<OpeningFile&>(opening).file);
        e.path = path;
        editor::IEditorOps& model = e.editor->Ops();
        const bool ok = model.SetText(text);
        model.SetReadOnly(ok ? readOnly : true);
        model.SetModified(false);
        return ok;
    }
    void ShowSelected() override { m_wnd.ActivateTab(m_wnd.SelectedIndex()); }
    void MarkLastReadOnly() override { m_wnd.SetTabImage(m_wnd.TabCount() - 1, docs::kImageReadOnly); }

private:
    CDocTabWnd& m_wnd;
};

// A tab's document as the save and close flows see it.
class EntryDoc : public docs::IFlowDoc {
public:
    EntryDoc(CDocTabWnd& wnd, int index) : m_wnd(wnd), m_index(index) {}
    DocEntry& Entry() const { return m_wnd.m_docs[static_cast<std::size_t>(m_index)]; }
    std::string Path() const override { return Entry().path; }
    std::string TabText() const override { return m_wnd.GetTabText(m_index); }
    bool IsReadOnly() const override { return Entry().editor->Ops().IsReadOnly(); }
    bool IsModified() const override { return Entry().editor->Ops().IsModified(); }
    bool PrepareBytes(std::string* bytes, int* code) override { return Prepare(false, bytes, code); }
    std::size_t UnwritableCount() const override { return m_saved.unconvertible; }
    std::size_t ForeignCount() const override { return m_saved.foreign; }
    bool OffersReferences() const override { return m_wnd.IsHtmlDocument(m_index); }
    bool PrepareWithReferences(std::string* bytes, int* code) override { return Prepare(true, bytes, code); }
    int CodeToWrite() const override { return encoding::EffectiveSaveCode(m_wnd.m_save.saveCode, Entry().loadCode); }
    std::string TextHead() const override {
        std::string text;
        Entry().editor->Ops().GetText(text);
        if (text.size() > encoding::kDeclarationWindow) text.resize(encoding::kDeclarationWindow);
        return text;
    }
    bool ReplaceTextRange(std::size_t offset, std::size_t length, const std::string& text) override {
        editor::IEditorOps& ops = Entry().editor->Ops();
        ops.SetSelectionOffsets(static_cast<long long>(offset), static_cast<long long>(offset + length));
        return ops.ReplaceSelection(text.data(), text.size(), true);
    }
    bool DeclarationAsked() const override { return Entry().declarationAsked; }
    void SetDeclarationAsked() override { Entry().declarationAsked = true; }
    void Saved(const std::string& path, int code, bool savedAs) override {
        DocEntry& e = Entry();
        e.path = path;
        e.loadCode = code;
        e.editor->SetCharTable(e.table.get(), code == encoding::kCodeUtf8);
        encoding::EditorSaveSource source(e.editor->Model());
        encoding::ApplySavedLineEnds(source, m_saved);
        if (savedAs) {
            m_wnd.SetTabText(m_index, path);
            e.editor->Ops().SetReadOnly(false);
        }
        e.editor->Ops().SetModified(false);
    }
    void ReleaseFile() override {
        if (Entry().file) Entry().file->Close();
    }
    fileerr::Cause HoldFile(const std::string& path, bool denyNone) override {
        DocEntry& e = Entry();
        if (!e.file) e.file = std::make_unique<CFile>();
        CFileError error;
        if (!e.file->Open(path, CFile::modeRead | (denyNone ? CFile::shareDenyNone : CFile::shareDenyWrite), &error))
            return error.cause;
        return fileerr::Cause::None;
    }

private:
    bool Prepare(bool references, std::string* bytes, int* code) {
        DocEntry& e = Entry();
        encoding::EditorSaveSource source(e.editor->Model());
        encoding::DocCoding coding;
        coding.table = e.table.get();
        coding.mark = e.mark;
        coding.references = references;
        if (!encoding::PrepareSave(source, m_wnd.m_save, e.loadCode, coding, &m_saved)) return false;
        bytes->swap(m_saved.bytes);
        *code = m_saved.charCode;
        return true;
    }

    CDocTabWnd& m_wnd;
    int m_index;
    encoding::SavedText m_saved;  // of the last PrepareBytes, without its bytes
};

// --- The tab strip -------------------------------------------------------------

BEGIN_MESSAGE_MAP(CTabStrip, CWnd)
    ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDownMsg)
    ON_MESSAGE(WM_MOUSEMOVE, OnMouseMoveMsg)
    ON_MESSAGE(WM_LBUTTONUP, OnLButtonUpMsg)
    ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChangedMsg)
    ON_MESSAGE(WM_TIMER, OnTimerMsg)
    ON_MESSAGE(WM_LBUTTONDBLCLK, OnLButtonDblClkMsg)
END_MESSAGE_MAP()

int CTabStrip::HitTab(int x, int y) const {
    TCHITTESTINFO hit = {};
    hit.pt.x = x;
    hit.pt.y = y;
    return static_cast<int>(::SendMessageA(m_hWnd, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

LRESULT CTabStrip::OnLButtonDownMsg(WPARAM wParam, LPARAM lParam) {
    const LRESULT r = DefWindowProc(WM_LBUTTONDOWN, wParam, lParam);
    m_dragTab = HitTab(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    m_downAt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    m_dragging = false;
    if (m_dragTab >= 0) ::SetCapture(m_hWnd);
    return r;
}

void CTabStrip::DrawMarker(int x) {
    if (m_markerX == x) return;
    RECT rc = GetClientRect();
    if (m_markerX >= 0) {
        RECT old = {m_markerX - 8, 0, m_markerX + 8, rc.bottom};
        ::InvalidateRect(m_hWnd, &old, TRUE);
        ::UpdateWindow(m_hWnd);
    }
    m_markerX = x;
    if (x < 0) return;
    if (!m_marker)
        m_marker = static_cast<HICON>(
            ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TABMARKER), IMAGE_ICON, 16, 16, 0));
    if (HDC dc = ::GetDC(m_hWnd)) {
        if (m_marker) ::DrawIconEx(dc, x - 8, 0, m_marker, 16, 16, 0, nullptr, DI_NORMAL);
        ::ReleaseDC(m_hWnd, dc);
    }
}

void CTabStrip::ScrollStrip(bool right) {
    HWND updown = ::FindWindowExA(m_hWnd, nullptr, UPDOWN_CLASSA, nullptr);
    if (!updown || !::IsWindowVisible(updown)) return;
    int low = 0, high = 0;
    ::SendMessageA(updown, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    int pos = static_cast<int>(::SendMessageA(updown, UDM_GETPOS32, 0, 0)) + (right ? 1 : -1);
    if (pos < low || pos > high) return;
    ::SendMessageA(updown, UDM_SETPOS32, 0, pos);
    ::SendMessageA(m_hWnd, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, pos), reinterpret_cast<LPARAM>(updown));
}

LRESULT CTabStrip::OnMouseMoveMsg(WPARAM wParam, LPARAM lParam) {
    if (m_dragTab < 0 || ::GetCapture() != m_hWnd) return DefWindowProc(WM_MOUSEMOVE, wParam, lParam);
    const POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (!m_dragging) {
        if (std::abs(pt.x - m_downAt.x) < ::GetSystemMetrics(SM_CXDRAG) &&
            std::abs(pt.y - m_downAt.y) < ::GetSystemMetrics(SM_CYDRAG))
            return 0;
        m_dragging = true;
    }
    const RECT rc = GetClientRect();
    if (!::PtInRect(&rc, pt)) {
        ::SetCursor(::LoadCursorA(nullptr, IDC_NO));
        ::KillTimer(m_hWnd, kScrollLeftTimer);
        ::KillTimer(m_hWnd, kScrollRightTimer);
        DrawMarker(-1);
        return 0;
    }
    if (!m_dragCursor) m_dragCursor = ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_TABDRAG));
    ::SetCursor(m_dragCursor ? m_dragCursor : ::LoadCursorA(nullptr, IDC_ARROW));
    HWND updown = ::FindWindowExA(m_hWnd, nullptr, UPDOWN_CLASSA, nullptr);
    const bool arrows = updown && ::IsWindowVisible(updown);
    if (arrows && pt.x < kScrollEdge) ::SetTimer(m_hWnd, kScrollLeftTimer, kScrollInterval, nullptr);
    else ::KillTimer(m_hWnd, kScrollLeftTimer);
    if (arrows && pt.x > rc.right - kScrollEdge) ::SetTimer(m_hWnd, kScrollRightTimer, kScrollInterval, nullptr);
    else ::KillTimer(m_hWnd, kScrollRightTimer);
    // The marker stands at the left edge of the tab under the pointer, or
    // after the last tab.
    const int count = static_cast<int>(::SendMessageA(m_hWnd, TCM_GETITEMCOUNT, 0, 0));
    int over = HitTab(pt.x, pt.y);
    RECT item = {};
    int x = -1;
    if (over >= 0 && ::SendMessageA(m_hWnd, TCM_GETITEMRECT, over, reinterpret_cast<LPARAM>(&item))) x = item.left;
    else if (count > 0 && ::SendMessageA(m_hWnd, TCM_GETITEMRECT, count - 1, reinterpret_cast<LPARAM>(&item)))
        x = item.right;
    DrawMarker(x);
    return 0;
}

void CTabStrip::EndDrag(bool apply, LPARAM lParam) {
    ::KillTimer(m_hWnd, kScrollLeftTimer);
    ::KillTimer(m_hWnd, kScrollRightTimer);
    DrawMarker(-1);
    const int source = m_dragTab;
    const bool dragged = m_dragging;
    m_dragTab = -1;
    m_dragging = false;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    if (!apply || !dragged || source < 0 || !m_owner) return;
    const POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const RECT rc = GetClientRect();
    if (!::PtInRect(&rc, pt)) return;  // released outside: nothing moves
    int target = HitTab(pt.x, pt.y);
    if (target < 0) {
        // Right of the last tab: to the end; elsewhere (left of the first
        // after scrolling, below): nothing.
        const int count = static_cast<int>(::SendMessageA(m_hWnd, TCM_GETITEMCOUNT, 0, 0));
        RECT last = {};
        if (count == 0 || !::SendMessageA(m_hWnd, TCM_GETITEMRECT, count - 1, reinterpret_cast<LPARAM>(&last)) ||
            pt.x < last.right)
            return;
        target = -1;
    }
    if (target == source) return;
    m_owner->MoveTab(source, target);
}

LRESULT CTabStrip::OnLButtonUpMsg(WPARAM wParam, LPARAM lParam) {
    if (m_dragTab < 0) return DefWindowProc(WM_LBUTTONUP, wParam, lParam);
    EndDrag(true, lParam);
    return 0;
}

LRESULT CTabStrip::OnCaptureChangedMsg(WPARAM wParam, LPARAM lParam) {
    if (m_dragTab >= 0 && reinterpret_cast<HWND>(lParam) != m_hWnd) EndDrag(false, 0);
    return DefWindowProc(WM_CAPTURECHANGED, wParam, lParam);
}

LRESULT CTabStrip::OnTimerMsg(WPARAM wParam, LPARAM lParam) {
    if (wParam == CTabDropTarget::kSelectTimer && m_owner) {
        m_owner->m_dropTarget.OnSelectTimer();
        return 0;
    }
    if (wParam == kScrollLeftTimer || wParam == kScrollRightTimer) {
        ScrollStrip(wParam == kScrollRightTimer);
        return 0;
    }
    return DefWindowProc(WM_TIMER, wParam, lParam);
}

LRESULT CTabStrip::OnLButtonDblClkMsg(WPARAM wParam, LPARAM lParam) {
    // The preview command toggles the internal browser of the selected tab.
    if (HWND root = ::GetAncestor(m_hWnd, GA_ROOT)) {
        if (m_owner && m_owner->PreviewSettings().server.tabDblPreview == 1)
            ::PostMessageA(root, WM_COMMAND, MAKEWPARAM(ID_TOOL_INNER_BROWSER, 0), 0);
    }
    return DefWindowProc(WM_LBUTTONDBLCLK, wParam, lParam);
}

// --- The document window ----------------------------------------------------------

BEGIN_MESSAGE_MAP(CDocTabWnd, CSplitWnd)
    ON_MESSAGE(WM_DESTROY, OnDestroyMsg)
    ON_MESSAGE(WM_DRAWITEM, OnDrawItemMsg)
    ON_MESSAGE(WM_SETFOCUS, OnSetFocusMsg)
END_MESSAGE_MAP()

CDocTabWnd::CDocTabWnd() = default;

CDocTabWnd::~CDocTabWnd() {
    if (m_images) ::ImageList_Destroy(m_images);
}

bool CDocTabWnd::CreateDocWindow(HWND parent, IDocTabHost* host) {
    m_host = host;
    const RECT rc = {0, 0, 0, 0};
    if (!CSplitWnd::Create(parent, kControlId, rc)) return false;
    SetCaptions(false, false);
    SetBarMovable(false);
    HWND tab = ::CreateWindowExA(0, WC_TABCONTROLA, "",
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | TCS_OWNERDRAWFIXED |
                                     TCS_FOCUSNEVER,
                                 0, 0, 0, 0, m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kTabControlId)),
                                 ::GetModuleHandleA(nullptr), nullptr);
    if (!tab) return false;
    m_tab.SubclassWindow(tab);
    m_tab.m_owner = this;
    m_font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    ::SendMessageA(tab, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), 0);
    // Room for the lead of two spaces the selected tab draws before its image.
    if (HDC dc = ::GetDC(tab)) {
        HGDIOBJ old = ::SelectObject(dc, m_font);
        SIZE space = {};
        ::GetTextExtentPoint32A(dc, " ", 1, &space);
        ::SelectObject(dc, old);
        ::ReleaseDC(tab, dc);
        ::SendMessageA(tab, TCM_SETPADDING, 0, MAKELPARAM(6 + space.cx, 3));
    }
    m_images = ::ImageList_LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_TABIMAGES), 16, 0,
                                      RGB(255, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION);
    if (m_images) ::SendMessageA(tab, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_images));
    SetPanes(tab, nullptr, true, false);
    // Without OLE (a test host) the strip takes no text drops.
    m_dropTarget.Register(tab);

    m_keywords = std::make_unique<editor::KeywordFolder>(ProgramFolder());
    // A first run takes the theme's colours, not a fixed black on white.
    m_modes = std::make_unique<editor::ColorModeManager>(*m_keywords, CCanvasEdit::CurrentSystemColors());
    if (const settings::SettingsStore* store = settings::Current()) {
        m_fileSettings = docs::ReadFileSettings(*store);
        m_save = encoding::ReadSaveSettings(*store);
        m_preview = preview::ReadPreviewSettings(*store);
        m_modes->Load(*store);
    }
    m_untitled.Reset();
    if (!CreateTab("", false)) return false;
    RecalcLayout();
    return true;
}

LRESULT CDocTabWnd::OnDestroyMsg(WPARAM wParam, LPARAM lParam) {
    if (settings::SettingsStore* store = settings::Current()) {
        docs::WriteFileSettings(*store, m_fileSettings);
        encoding::WriteSaveSettings(*store, m_save);
        preview::WritePreviewSettings(*store, m_preview);
        if (m_modes) m_modes->Save(*store);
    }
    DeleteTempFile();
    m_dropTarget.Revoke();
    m_closing = true;
    for (int i = TabCount() - 1; i >= 0; --i) CloseTab(i, true);
    if (m_modes) m_modes->ReleaseKeywordTables();
    return DefWindowProc(WM_DESTROY, wParam, lParam);
}

void CDocTabWnd::RecalcLayout() {
    if (!m_hWnd) return;
    const RECT rc = GetClientRect();
    if (m_tab.m_hWnd) {
        // The tab strip keeps the row of tabs; the view fills the page area
        // under it, one pixel below the top of the strip's display area.
        RECT page = rc;
        ::SendMessageA(m_tab.m_hWnd, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
        int top = page.top - 1;
        if (top < 0) top = 0;
        if (top > rc.bottom) top = rc.bottom;
        ::MoveWindow(m_tab.m_hWnd, 0, 0, rc.right, top, TRUE);
        if (m_activeView) ::MoveWindow(m_activeView, 0, top, rc.right, rc.bottom - top, TRUE);
        m_barPos = top;
    }
}

int CDocTabWnd::Resolve(int index) const {
    if (index == -1) index = SelectedIndex();
    return (index >= 0 && index < TabCount()) ? index : -1;
}

int CDocTabWnd::SelectedIndex() const {
    if (!m_tab.m_hWnd) return -1;
    return static_cast<int>(::SendMessageA(m_tab.m_hWnd, TCM_GETCURSEL, 0, 0));
}

CCanvasEdit* CDocTabWnd::GetEditor(int index) {
    index = Resolve(index);
    return index < 0 ? nullptr : m_docs[static_cast<std::size_t>(index)].editor.get();
}

CFile* CDocTabWnd::GetFile(int index) {
    index = Resolve(index);
    return index < 0 ? nullptr : m_docs[static_cast<std::size_t>(index)].file.get();
}

std::string CDocTabWnd::GetPath(int index) {
    index = Resolve(index);
    return index < 0 ? std::string() : m_docs[static_cast<std::size_t>(index)].path;
}

int CDocTabWnd::GetLoadCode(int index) {
    index = Resolve(index);
    return index < 0 ? 0 : m_docs[static_cast<std::size_t>(index)].loadCode;
}

void CDocTabWnd::SetLoadCode(int index, int code) {
    index = Resolve(index);
    if (index >= 0) m_docs[static_cast<std::size_t>(index)].loadCode = code;
}

bool CDocTabWnd::GetMark(int index) {
    index = Resolve(index);
    return index >= 0 && m_docs[static_cast<std::size_t>(index)].mark;
}

cp932::CharTable* CDocTabWnd::GetCharTable(int index) {
    index = Resolve(index);
    return index < 0 ? nullptr : m_docs[static_cast<std::size_t>(index)].table.get();
}

bool CDocTabWnd::IsHtmlDocument(int index) {
    index = Resolve(index);
    if (index < 0 || !m_modes) return false;
    const int mode = m_modes->Table().ModeForExtension(docs::ModeExtension(m_docs[static_cast<std::size_t>(index)].path));
    return editor::KindOfIndex(mode) == editor::ModeKind::Html;
}

int CDocTabWnd::GetPreviewShown(int index) {
    index = Resolve(index);
    return index < 0 ? 0 : m_docs[static_cast<std::size_t>(index)].previewShown;
}

void CDocTabWnd::SetPreviewShown(int index, int shown) {
    index = Resolve(index);
    if (index >= 0) m_docs[static_cast<std::size_t>(index)].previewShown = shown;
}

std::string CDocTabWnd::GetTabText(int index) const {
    index = Resolve(index);
    if (index < 0) return std::string();
    char text[MAX_PATH * 2] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ::SendMessageA(m_tab.m_hWnd, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    return text;
}

void CDocTabWnd::SetTabText(int index, const std::string& text) {
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(text.c_str());
    ::SendMessageA(m_tab.m_hWnd, TCM_SETITEMA, index, reinterpret_cast<LPARAM>(&item));
}

int CDocTabWnd::GetTabImage(int index) const {
    index = Resolve(index);
    if (index < 0) return -1;
    TCITEMA item = {};
    item.mask = TCIF_IMAGE;
    ::SendMessageA(m_tab.m_hWnd, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

void CDocTabWnd::SetTabImage(int index, int image) {
    index = Resolve(index);
    if (index < 0 || GetTabImage(index) == image) return;
    TCITEMA item = {};
    item.mask = TCIF_IMAGE;
    item.iImage = image;
    ::SendMessageA(m_tab.m_hWnd, TCM_SETITEMA, index, reinterpret_cast<LPARAM>(&item));
}

std::vector<std::string> CDocTabWnd::PathsExcept(int index) const {
    std::vector<std::string> paths;
    for (int i = 0; i < TabCount(); ++i)
        if (i != index) paths.push_back(m_docs[static_cast<std::size_t>(i)].path);
    return paths;
}

bool CDocTabWnd::CreateTab(const std::string& name, bool noSelect) {
    auto editor = std::make_unique<CCanvasEdit>();
    const RECT empty = {0, 0, 0, 0};
    if (!editor->Create(m_hWnd, CCanvasEdit::kControlId, &empty)) return false;
    const std::string text = name.empty() ? m_untitled.Take() : name;
    DocEntry entry;
    entry.editor = std::move(editor);
    entry.editor->SetCharTable(entry.table.get(), false);
    m_docs.push_back(std::move(entry));
    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<char*>(text.c_str());
    item.iImage = docs::kImagePlain;
    const int index = TabCount() - 1;
    ::SendMessageA(m_tab.m_hWnd, TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item));
    if (!noSelect) {
        ::SendMessageA(m_tab.m_hWnd, TCM_SETCURSEL, index, 0);
        ActivateTab(index);
    }
    return true;
}

void CDocTabWnd::CloseTab(int index, bool keepTabItem) {
    index = Resolve(index);
    if (index < 0) return;
    DocEntry& e = m_docs[static_cast<std::size_t>(index)];
    if (e.file) e.file->Close();
    e.file.reset();
    if (e.editor && e.editor->m_hWnd) e.editor->DestroyWindow();
    e.browser.reset();
    m_docs.erase(m_docs.begin() + index);
    m_activeView = nullptr;
    if (keepTabItem) return;
    ::SendMessageA(m_tab.m_hWnd, TCM_DELETEITEM, index, 0);
    if (m_closing) return;
    const int select = docs::SelectionAfterClose(index, TabCount());
    if (select < 0) {
        OnFileNew();
        return;
    }
    ::SendMessageA(m_tab.m_hWnd, TCM_SETCURSEL, select, 0);
    ActivateTab(select);
}

void CDocTabWnd::ReapplySettings() {
    if (!m_modes) return;
    const int selected = SelectedIndex();
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < TabCount(); ++i) {
            if ((i == selected) != (pass == 1)) continue;
            DocEntry& e = m_docs[static_cast<std::size_t>(i)];
            ModeEditor target(*e.editor);
            m_modes->SelectColorMode(docs::ModeExtension(e.path), target);
            e.editor->Invalidate(false);
        }
    }
}

void CDocTabWnd::ActivateTab(int index) {
    index = Resolve(index);
    if (index < 0) return;
    DocEntry& e = m_docs[static_cast<std::size_t>(index)];
    bool mapped = false;
    if (e.previewShown && !ShowPreview(index, &mapped)) e.previewShown = 0;  // the editor stays
    const bool previewing = e.previewShown != 0;
    HWND view = previewing ? e.browser->Window() : e.editor->m_hWnd;
    if (m_activeView && m_activeView != view && ::IsWindow(m_activeView)) {
        ::SetWindowPos(m_activeView, nullptr, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
        // A browser is hidden, never destroyed: its page and history stay.
        if (m_activeView != e.editor->m_hWnd && ::GetDlgCtrlID(m_activeView) == CWebBrowser::kControlId)
            ::ShowWindow(m_activeView, SW_HIDE);
    }
    if (!previewing && e.browser && e.browser->Window()) ::ShowWindow(e.browser->Window(), SW_HIDE);
    if (previewing) ::ShowWindow(view, SW_SHOW);
    editor::IEditorOps& model = e.editor->Ops();
    if (m_modes && !previewing) {
        ModeEditor target(*e.editor);
        m_modes->SelectColorMode(docs::ModeExtension(e.path), target);
        e.editor->Invalidate(false);
    }
    const bool readOnly = model.IsReadOnly();
    const bool modified = model.IsModified();
    SetTabImage(index, previewing ? (mapped ? 4 : 2) : docs::EditorTabImage(readOnly, modified));
    m_pane[1] = view;
    m_activeView = view;
    RecalcLayout();
    if (m_host) {
        const std::string title = docs::FrameTitle(GetTabText(index), readOnly, modified);
        if (previewing) m_host->PreviewShown(title);
        else m_host->DocumentShown(title, e.path, e.loadCode, model.LineEndMode());
    }
    if (IsWindowVisible()) ::SetFocus(view);
}

void CDocTabWnd::MoveTab(int source, int target) {
    const int count = TabCount();
    const int to = docs::MoveDestination(source, target, count);
    if (to < 0) return;
    const std::string text = GetTabText(source);
    const int image = GetTabImage(source);
    docs::MoveItem(m_docs, source, target);
    ::SendMessageA(m_tab.m_hWnd, TCM_DELETEITEM, source, 0);
    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<char*>(text.c_str());
    item.iImage = image;
    ::SendMessageA(m_tab.m_hWnd, TCM_INSERTITEMA, to, reinterpret_cast<LPARAM>(&item));
    ::SendMessageA(m_tab.m_hWnd, TCM_SETCURSEL, to, 0);
    ActivateTab(to);
}

bool CDocTabWnd::ReadTextFile(const std::string& path, encoding::LoadedText* loaded) {
    CFile file;
    std::string bytes;
    return file.Open(path, CFile::modeRead | CFile::shareDenyWrite) && file.ReadAll(&bytes) &&
           encoding::DecodeFileBytes(bytes.data(), bytes.size(), loaded);
}

bool CDocTabWnd::ReadTextFile(const std::string& path, std::string* text) {
    encoding::LoadedText loaded;
    if (!ReadTextFile(path, &loaded)) return false;
    cp932::CharTable* into = GetCharTable(-1);
    if (!loaded.table || loaded.table->Empty()) {
        text->swap(loaded.text);
    } else {
        text->clear();
        cp932::Retable(loaded.text.data(), loaded.text.size(), *loaded.table, into, text);
    }
    return true;
}

int CDocTabWnd::OpenDocFile(const std::string& requested, bool readOnly, bool noSelect) {
    if (requested.empty()) return 0;
    std::string path = FullPathOf(requested);
    if (path.empty()) path = requested;  // opening it says why it fails
    HWND owner = ::GetAncestor(m_hWnd, GA_ROOT);
    WinPrompts prompts(owner);
    OpeningFile opening(owner);
    OpenTabs tabs(*this);
    return docs::OpenInTab(tabs, opening, path, readOnly, noSelect, prompts) ? 1 : 0;
}

int CDocTabWnd::SaveDoc(int index, bool overwrite) {
    index = Resolve(index);
    if (index < 0) return 0;
    WinDisk disk;
    WinPrompts prompts(::GetAncestor(m_hWnd, GA_ROOT));
    EntryDoc doc(*this, index);
    return docs::SaveDocument(doc, overwrite, m_fileSettings, PathsExcept(index), disk, prompts) ? 1 : 0;
}

int CDocTabWnd::QueryCloseAll() {
    std::vector<std::unique_ptr<EntryDoc>> holders;
    std::vector<docs::IFlowDoc*> list;
    std::vector<std::string> texts;
    for (int i = 0; i < TabCount(); ++i) {
        texts.push_back(GetTabText(i));
        if (m_docs[static_cast<std::size_t>(i)].editor && m_docs[static_cast<std::size_t>(i)].editor->m_hWnd) {
            holders.push_back(std::make_unique<EntryDoc>(*this, i));
            list.push_back(holders.back().get());
        } else {
            list.push_back(nullptr);
        }
    }
    WinPrompts prompts(::GetAncestor(m_hWnd, GA_ROOT));
    const bool ok = docs::QueryCloseAll(list, texts, prompts, [this](int i) { return SaveDoc(i, true) == 1; });
    ActivateTab(-1);
    return ok ? 1 : 0;
}

std::string CDocTabWnd::SelectedTitle() const {
    const int index = SelectedIndex();
    if (index < 0) return std::string();
    editor::IEditorOps& model = m_docs[static_cast<std::size_t>(index)].editor->Ops();
    return docs::FrameTitle(GetTabText(index), model.IsReadOnly(), model.IsModified());
}

void CDocTabWnd::UpdateTabImages() {
    const int selected = SelectedIndex();
    for (int i = 0; i < TabCount(); ++i) {
        DocEntry& e = m_docs[static_cast<std::size_t>(i)];
        if (!e.editor || e.previewShown) continue;
        editor::IEditorOps& model = e.editor->Ops();
        if (model.IsReadOnly()) continue;
        const int image = model.IsModified() ? docs::kImageModified : docs::kImagePlain;
        if (GetTabImage(i) == image) continue;
        SetTabImage(i, image);
        if (i == selected && m_host) m_host->TitleChanged(SelectedTitle());
    }
}

bool CDocTabWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int code = HIWORD(wParam);
    if (LOWORD(wParam) == 0 && code == editor::kNotifyChanged) UpdateTabImages();
    // Everything goes on to the parent, the editors' notifications included.
    return CSplitWnd::OnCommand(wParam, lParam);
}

void CDocTabWnd::ShowTabMenu(int index, POINT screen) {
    (void)index;  // the tab was selected first: the commands act on it
    HMENU menu = m_host ? m_host->BuildTabMenu() : nullptr;
    if (!menu) return;
    // The frame owns the menu: it greys and checks the items by its rules.
    HWND root = ::GetAncestor(m_hWnd, GA_ROOT);
    const UINT cmd = ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, root, nullptr);
    ::DestroyMenu(menu);
    if (cmd) ::SendMessageA(root, WM_COMMAND, MAKEWPARAM(cmd, 0), 0);
}

bool CDocTabWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->hwndFrom == m_tab.m_hWnd) {
        if (header->code == TCN_SELCHANGE) {
            ActivateTab(SelectedIndex());
            *result = 0;
            return true;
        }
        if (header->code == NM_RCLICK) {
            POINT pt = {};
            ::GetCursorPos(&pt);
            TCHITTESTINFO hit = {};
            hit.pt = pt;
            ::ScreenToClient(m_tab.m_hWnd, &hit.pt);
            const int index = static_cast<int>(::SendMessageA(m_tab.m_hWnd, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
            if (index >= 0 && index != SelectedIndex()) {
                ::SendMessageA(m_tab.m_hWnd, TCM_SETCURSEL, index, 0);
                ActivateTab(index);
            }
            ShowTabMenu(index, pt);
            *result = 1;
            return true;
        }
    }
    return CSplitWnd::OnNotify(wParam, lParam, result);
}

LRESULT CDocTabWnd::OnDrawItemMsg(WPARAM, LPARAM lParam) {
    const DRAWITEMSTRUCT* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (!d || d->hwndItem != m_tab.m_hWnd) return FALSE;
    const int index = static_cast<int>(d->itemID);
    const bool selected = (d->itemState & ODS_SELECTED) != 0;
    HDC dc = d->hDC;
    RECT rc = d->rcItem;
    if (selected) ::FillRect(dc, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ oldFont = ::SelectObject(dc, m_font);
    SIZE space = {};
    ::GetTextExtentPoint32A(dc, " ", 1, &space);
    int x = rc.left + space.cx * (selected ? 2 : 1);
    const int image = GetTabImage(index);
    if (m_images && image >= 0) {
        ::ImageList_Draw(m_images, image, dc, x, rc.top + (rc.bottom - rc.top - 16) / 2, ILD_TRANSPARENT);
        x += 16 + space.cx;
    }
    const bool readOnly = index >= 0 && index < TabCount() && m_docs[static_cast<std::size_t>(index)].editor &&
                          m_docs[static_cast<std::size_t>(index)].editor->Ops().IsReadOnly();
    ::SetTextColor(dc, ::GetSysColor(selected && !readOnly ? COLOR_WINDOWTEXT : COLOR_BTNSHADOW));
    ::SetBkMode(dc, TRANSPARENT);
    const std::string text = GetTabText(index);
    RECT textRect = {x, rc.top, rc.right, rc.bottom};
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    ::SelectObject(dc, oldFont);
    return TRUE;
}

LRESULT CDocTabWnd::OnSetFocusMsg(WPARAM, LPARAM) {
    if (m_activeView && ::IsWindow(m_activeView)) ::SetFocus(m_activeView);
    return 0;
}

// --- Commands ---------------------------------------------------------------------

void CDocTabWnd::OnFileNew() {
    if (!CreateTab("", false)) return;
    ApplyTemplate(TabCount() - 1);
    ActivateTab(SelectedIndex());
}

void CDocTabWnd::ApplyTemplate(int index) {
    if (index < 0 || index >= TabCount()) return;
    DocEntry& e = m_docs[static_cast<std::size_t>(index)];
    if (!e.path.empty() || !e.editor) return;
    if (m_fileSettings.useTemplate == 1 && !m_fileSettings.templatePath.empty()) {
        // The new document takes the template's table with its text.
        encoding::LoadedText loaded;
        if (ReadTextFile(m_fileSettings.templatePath, &loaded)) {
            if (loaded.table) e.table = loaded.table;
            e.editor->SetCharTable(e.table.get(), false);
            editor::IEditorOps& model = e.editor->Ops();
            model.SetText(loaded.text);
            model.SetModified(false);
        }
    }
}

void CDocTabWnd::OnFileOpen() {
    const std::string initial = GetPath(-1);
    CFileDialog dialog(true, "html", initial, OFN_PATHMUSTEXIST, kOpenFilter, ::GetAncestor(m_hWnd, GA_ROOT));
    if (dialog.DoModal() != IDOK) return;
    OpenDocFile(dialog.GetPathName(), dialog.GetReadOnlyPref(), false);
}

void CDocTabWnd::OnFileClose() {
    const int index = SelectedIndex();
    if (index < 0) return;
    EntryDoc doc(*this, index);
    WinPrompts prompts(::GetAncestor(m_hWnd, GA_ROOT));
    if (!docs::QueryCloseDocument(doc, prompts, [this, index] { return SaveDoc(index, true) == 1; })) {
        ActivateTab(index);
        return;
    }
    CloseTab(index, false);
}

void CDocTabWnd::OnFileSave() {
    SaveDoc(-1, true);
    ActivateTab(-1);
}

void CDocTabWnd::OnFileSaveAs() {
    SaveDoc(-1, false);
    ActivateTab(-1);
}

void CDocTabWnd::OnFileSaveAll() {
    for (int i = 0; i < TabCount(); ++i) {
        if (SaveDoc(i, true) != 1) continue;
        const DocEntry& e = m_docs[static_cast<std::size_t>(i)];
        if (!e.editor->Ops().IsReadOnly() && !e.previewShown) SetTabImage(i, docs::kImagePlain);
    }
    ActivateTab(-1);
}

void CDocTabWnd::OnNextTab() {
    const int count = TabCount();
    if (count == 0) return;
    const int next = (SelectedIndex() + 1) % count;
    ::SendMessageA(m_tab.m_hWnd, TCM_SETCURSEL, next, 0);
    ActivateTab(next);
}

void CDocTabWnd::OnPrevTab() {
    const int count = TabCount();
    if (count == 0) return;
    const int prev = (SelectedIndex() + count - 1) % count;
    ::SendMessageA(m_tab.m_hWnd, TCM_SETCURSEL, prev, 0);
    ActivateTab(prev);
}

void CDocTabWnd::DropFiles(HDROP drop) {
    HWND root = ::GetAncestor(m_hWnd, GA_ROOT);
    ::SetForegroundWindow(root);
    const UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    std::vector<std::string> items;
    for (UINT i = 0; i < count; ++i) {
        char path[MAX_PATH * 2] = {};
        if (::DragQueryFileA(drop, i, path, sizeof path)) items.push_back(path);
    }
    ::DragFinish(drop);
    for (const std::string& item : items) {
        const DWORD attributes = ::GetFileAttributesA(item.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) continue;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            CFileDialog dialog(true, "html", "", OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST, kOpenFilter, root);
            dialog.SetInitialDir(item);
            if (dialog.DoModal() == IDOK) OpenDocFile(dialog.GetPathName(), dialog.GetReadOnlyPref(), false);
        } else {
            OpenDocFile(item, false, false);
        }
    }
}

// --- File lists ----------------------------------------------------------------

int CDocTabWnd::SaveFileList() {
    const HWND root = ::GetAncestor(m_hWnd, GA_ROOT);
    CFileDialog dialog(false, filelist::kExtension, filelist::kInitialName,
                       OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, filelist::kFilter, root);
    dialog.SetInitialDir(ProgramFolder());
    if (dialog.DoModal() != IDOK) return 0;
    std::vector<filelist::Entry> tabs;
    for (const DocEntry& e : m_docs) {
        if (!e.editor) continue;
        tabs.push_back({e.path, e.editor->Ops().IsReadOnly()});
    }
    WinDisk disk;
    WinPrompts prompts(root);
    return filelist::WriteList(dialog.GetPathName(), filelist::BuildList(tabs), disk, prompts) ? 1 : 0;
}

int CDocTabWnd::OpenFileList() {
    const HWND root = ::GetAncestor(m_hWnd, GA_ROOT);
    CFileDialog dialog(true, filelist::kExtension, "*.pql", OFN_PATHMUSTEXIST, filelist::kFilter, root);
    dialog.SetInitialDir(ProgramFolder());
    if (dialog.DoModal() != IDOK) return 0;
    const std::string listPath = dialog.GetPathName();
    std::string bytes;
    {
        CFile file;
        if (!file.Open(listPath, CFile::modeRead | CFile::shareDenyWrite) || !file.ReadAll(&bytes)) {
            PqErrorBox(root, filelist::kOpenFailed);
            return 0;
        }
    }
    std::vector<filelist::ReadEntry> entries;
    if (!filelist::ParseList(bytes, dialog.GetReadOnlyPref(), &entries)) {
        PqErrorBox(root, listPath + filelist::kNotAList);
        return 0;
    }
    for (const filelist::ReadEntry& e : entries) {
        switch (e.kind) {
        case filelist::ReadEntry::Kind::NestedList: PqErrorBox(root, e.path + filelist::kNestedList); break;
        case filelist::ReadEntry::Kind::TooLong:
            PqErrorBox(root, fileerr::FullMessage(e.path, fileerr::Cause::BadPath));
            break;
        case filelist::ReadEntry::Kind::Open: OpenDocFile(e.path, e.readOnly, false); break;
        }
    }
    return 1;
}
