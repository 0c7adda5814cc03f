#include "editor/win/AssistList.h"

#include <commctrl.h>

#include "editor/core/EditorOps.h"
#include "editor/win/CanvasEdit.h"
#include "framework/win/ForeignMessages.h"
#include "framework/core/Sjis.h"
#include "framework/win/File.h"

namespace {

constexpr UINT_PTR kSubclassId = 0x4011;
// Posted to the list to destroy it once the message that ended it is done.
constexpr UINT kDestroyMessage = WM_APP + 0x311;

}  // namespace

using editor::assist::Entry;
using editor::assist::Kind;

HWND CAssistList::Find(HWND editor) { return ::GetDlgItem(editor, static_cast<int>(kControlId)); }

bool CAssistList::Show(CCanvasEdit& editor, Kind kind, const std::string& path, const std::string& section,
                       StatusFn status) {
    if (section.empty()) return false;
    // The file is looked at once per command; it is read again only when its
    // size or last-write time has changed since it was read.
    static editor::assist::ProfileCache cache;
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
    editor::assist::ProfileCache::Stamp stamp;
    stamp.size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp.writeTime = (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                      data.ftLastWriteTime.dwLowDateTime;
    const std::shared_ptr<const editor::assist::ProfileText> text = cache.Get(path, stamp, [&path](std::string& bytes) {
        CFile file;
        return file.Open(path, CFile::modeRead | CFile::shareDenyNone) && file.ReadAll(&bytes);
    });
    if (!text) return false;
    return ShowEntries(editor, kind, text->Entries(section), std::move(status));
}

bool CAssistList::ShowEntries(CCanvasEdit& editor, Kind kind, std::vector<Entry> entries, StatusFn status) {
    if (entries.empty()) return false;
    if (HWND old = Find(editor.m_hWnd)) ::DestroyWindow(old);
    CAssistList* list = new CAssistList(editor, kind, std::move(entries), std::move(status));
    if (!list->Create()) {
        if (list->m_list) ::DestroyWindow(list->m_list);  // deletes the object
        else delete list;
        return false;
    }
    return true;
}

CAssistList::CAssistList(CCanvasEdit& editor, Kind kind, std::vector<Entry> entries, StatusFn status)
    : m_editor(editor), m_editorWnd(editor.m_hWnd), m_kind(kind), m_entries(std::move(entries)),
      m_status(std::move(status)) {}

bool CAssistList::Create() {
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(m_editorWnd, GWLP_HINSTANCE));
    // Made hidden at a large size, so that no scroll bar is added when the
    // rows are counted and kept after the list is sized to them.
    RECT client = {};
    ::GetClientRect(m_editorWnd, &client);
    m_list = ::CreateWindowExA(WS_EX_TOPMOST, WC_LISTVIEWA, "",
                               WS_CHILD | WS_BORDER | WS_CLIPSIBLINGS | LVS_REPORT | LVS_NOCOLUMNHEADER |
                                   LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA | LVS_SHAREIMAGELISTS,
                               0, 0, 4096, 4096, m_editorWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlId)),
                               instance, nullptr);
    if (!m_list) return false;
    // Filled and sized without updating its scroll bars and layout at each
    // step: once, when drawing is turned on again.
    ::SendMessageA(m_list, WM_SETREDRAW, FALSE, 0);
    ::SetWindowSubclass(m_list, ListProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    ::SetWindowSubclass(m_editorWnd, EditorProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    ListView_SetExtendedListViewStyle(m_list, LVS_EX_FULLROWSELECT);

    const bool input = m_kind == Kind::Input;
    const int strip = input ? editor::assist::kInputStrip : editor::assist::kAttributeStrip;
    m_cells = input ? editor::assist::kInputStripCells : editor::assist::kAttributeStripCells;
    m_images = Images(strip);
    if (m_images) ListView_SetImageList(m_list, m_images, LVSIL_SMALL);

    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH;
    column.cx = 10;
    ::SendMessageA(m_list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    // The list asks for each shown row's word and image (LVN_GETDISPINFO), so
    // showing a long section costs no more than a short one.
    ::SendMessageA(m_list, LVM_SETITEMCOUNT, m_entries.size(), LVSICF_NOINVALIDATEALL);
    // The width the list's own autosize gives (the widest word, its icon and
    // the label's padding), without asking for every row.
    ListView_SetColumnWidth(m_list, 0, WidestWord() + (m_images ? 16 : 0) + 12);

    RECT row = {};
    row.left = LVIR_BOUNDS;
    ::SendMessageA(m_list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    editor::assist::ListMetrics m;
    m.rowHeight = row.bottom - row.top;
    m.rowWidth = ListView_GetColumnWidth(m_list, 0);
    m.edgeX = ::GetSystemMetrics(SM_CXEDGE);
    m.edgeY = ::GetSystemMetrics(SM_CYEDGE);
    m.vScrollWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    editor::assist::ListRect r = editor::assist::ListSize(static_cast<int>(m_entries.size()), m);

    // The caret's top-left in the editor's client area.
    const editor::EditorModel& model = m_editor.Model();
    const editor::TextPos caret = model.Caret();
    int firstColumn = 0, firstLine = 0;
    model.GetScrollPosition(&firstColumn, &firstLine);
    const editor::ViewGeometry g = model.Geometry();
    const int caretX = g.textLeft + (caret.column - firstColumn) * model.Metrics().charWidth;
    const int caretY = g.textTop + (caret.line - firstLine) * model.Metrics().lineHeight;
    r = editor::assist::PlaceList(r, caretX, caretY, client.right, client.bottom);

    // Sized first and shown after (moving and showing the large hidden list
    // in one call costs several times more), both without drawing: the list
    // and its frame are drawn once, with the next paint, after the first
    // entry is selected, rather than during the show and again for the
    // selection.
    ::SetWindowPos(m_list, HWND_TOP, r.x, r.y, r.width, r.height, SWP_NOREDRAW);
    ::SendMessageA(m_list, WM_SETREDRAW, TRUE, 0);
    ::SetWindowPos(m_list, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW | SWP_NOREDRAW);
    ::SetFocus(m_list);
    ListView_SetItemState(m_list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ::RedrawWindow(m_list, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
    Selected(0);
    return true;
}

HIMAGELIST CAssistList::Images(int strip) {
    // Loaded once and shared by every list (LVS_SHAREIMAGELISTS): they live
    // as long as the program.
    static HIMAGELIST input = nullptr, attribute = nullptr;
    HIMAGELIST& images = strip == editor::assist::kInputStrip ? input : attribute;
    if (!images)
        images = ::ImageList_LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(strip), 16, 0, RGB(255, 0, 255),
                                        IMAGE_BITMAP, LR_CREATEDIBSECTION);
    return images;
}

int CAssistList::WidestWord() const {
    HDC dc = ::GetDC(m_list);
    HFONT font = reinterpret_cast<HFONT>(::SendMessageA(m_list, WM_GETFONT, 0, 0));
    HGDIOBJ old = ::SelectObject(dc, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
    int widest = 0;
    for (const Entry& e : m_entries) {
        SIZE size = {};
        ::GetTextExtentPoint32A(dc, e.word.c_str(), static_cast<int>(e.word.size()), &size);
        if (size.cx > widest) widest = size.cx;
    }
    ::SelectObject(dc, old);
    ::ReleaseDC(m_list, dc);
    return widest;
}

int CAssistList::FindWord(const char* text, UINT flags, int from) const {
    if (!(flags & (LVFI_STRING | LVFI_PARTIAL))) return -1;
    // Typing a word's first letters selects it, without regard to case.
    const std::string typed = sjis::ToLowerAscii(text);
    const bool partial = (flags & LVFI_PARTIAL) != 0;
    const int count = static_cast<int>(m_entries.size());
    const int start = from >= 0 && from < count ? from : 0;
    for (int k = 0; k < count; ++k) {
        const int i = (start + k) % count;
        if (i < start && !(flags & LVFI_WRAP)) break;
        const std::string word = sjis::ToLowerAscii(m_entries[static_cast<std::size_t>(i)].word);
        if (partial ? word.compare(0, typed.size(), typed) == 0 &&
                          sjis::IsBoundary(word.data(), word.size(), typed.size())
                    : word == typed)
            return i;
    }
    return -1;
}

void CAssistList::DisplayInfo(LVITEMA& item) const {
    if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= m_entries.size()) return;
    const Entry& e = m_entries[static_cast<std::size_t>(item.iItem)];
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
        ::lstrcpynA(item.pszText, e.word.c_str(), item.cchTextMax);
    if (item.mask & LVIF_IMAGE) item.iImage = m_images && e.image >= 0 && e.image < m_cells ? e.image : I_IMAGENONE;
}

void CAssistList::Selected(int index) {
    if (m_status && index >= 0 && static_cast<std::size_t>(index) < m_entries.size())
        m_status(m_entries[static_cast<std::size_t>(index)].comment);
}

void CAssistList::Choose(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= m_entries.size()) return;
    editor::IEditorOps& ops = m_editor.Ops();
    if (!ops.IsReadOnly()) {
        if (m_kind == Kind::Input) {
            // Exactly the character that called the list, never a byte of a
            // line end or one before a selection.
            const editor::TextPos caret = ops.Caret();
            std::string line;
            ops.GetLine(caret.line, line, false);
            long long start = 0, end = 0;
            const long long at = static_cast<long long>(line.size());
            if (editor::assist::TriggerRange(line, at, &start, &end))
                ops.SetSelection(static_cast<int>(start), caret.line, static_cast<int>(end), caret.line);
        }
        ops.ReplaceSelection(m_entries[static_cast<std::size_t>(index)].word, true);
    }
    Close();
}

void CAssistList::Move(int delta) {
    const int count = static_cast<int>(m_entries.size());
    int at = ListView_GetNextItem(m_list, -1, LVNI_SELECTED) + delta;
    if (at < 0) at = 0;
    if (at >= count) at = count - 1;
    ListView_SetItemState(m_list, at, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(m_list, at, FALSE);
}

void CAssistList::Close() {
    // The focus goes back to the editor; losing it ends the list.
    ::SetFocus(m_editorWnd);
    if (!m_closing) {
        m_closing = true;
        ::PostMessageA(m_list, kDestroyMessage, 0, 0);
    }
}

LRESULT CALLBACK CAssistList::ListProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data) {
    CAssistList* self = reinterpret_cast<CAssistList*>(data);
    switch (msg) {
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
        switch (w) {
        case VK_RETURN:
            self->Choose(ListView_GetNextItem(hwnd, -1, LVNI_SELECTED));
            return 0;
        case VK_SPACE:
            self->Move(::GetKeyState(VK_SHIFT) < 0 ? -1 : 1);
            return 0;
        case VK_BACK:
        case VK_ESCAPE:
        case VK_LEFT:
        case VK_RIGHT:
            self->Close();
            return 0;
        default:
            break;
        }
        break;
    case WM_CHAR:
        // Their keys have acted above; no type-ahead on them.
        if (w == ' ' || w == '\r' || w == '\b' || w == 0x1B) return 0;
        break;
    case WM_KILLFOCUS:
        if (!self->m_closing) {
            self->m_closing = true;
            ::PostMessageA(hwnd, kDestroyMessage, 0, 0);
        }
        break;
    case kDestroyMessage:
        ::DestroyWindow(hwnd);
        return 0;
    case WM_NCDESTROY: {
        const LRESULT r = ::DefSubclassProc(hwnd, msg, w, l);
        ::RemoveWindowSubclass(hwnd, ListProc, kSubclassId);
        ::RemoveWindowSubclass(self->m_editorWnd, EditorProc, kSubclassId);
        if (self->m_status) self->m_status("レディ");
        delete self;
        return r;
    }
    default:
        break;
    }
    return ::DefSubclassProc(hwnd, msg, w, l);
}

LRESULT CALLBACK CAssistList::EditorProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data) {
    CAssistList* self = reinterpret_cast<CAssistList*>(data);
    if (msg == WM_NOTIFY && l && foreign::TrustedNotification(l)) {
        const NMHDR* hdr = reinterpret_cast<const NMHDR*>(l);
        if (hdr->hwndFrom == self->m_list) {
            if (hdr->code == LVN_ITEMCHANGED) {
                const NMLISTVIEW* n = reinterpret_cast<const NMLISTVIEW*>(l);
                if ((n->uNewState & LVIS_SELECTED) && !(n->uOldState & LVIS_SELECTED)) self->Selected(n->iItem);
                return 0;
            }
            if (hdr->code == LVN_GETDISPINFOA) {
                self->DisplayInfo(reinterpret_cast<NMLVDISPINFOA*>(l)->item);
                return 0;
            }
            if (hdr->code == LVN_ODFINDITEMA) {
                const NMLVFINDITEMA* f = reinterpret_cast<const NMLVFINDITEMA*>(l);
                return f->lvfi.psz ? self->FindWord(f->lvfi.psz, f->lvfi.flags, f->iStart) : -1;
            }
            if (hdr->code == LVN_ODFINDITEMW) {
                // Some list views ask in wide characters whatever the parent.
                const NMLVFINDITEMW* f = reinterpret_cast<const NMLVFINDITEMW*>(l);
                if (!f->lvfi.psz) return -1;
                char typed[MAX_PATH * 2] = {};
                ::WideCharToMultiByte(CP_ACP, 0, f->lvfi.psz, -1, typed, sizeof typed - 1, nullptr, nullptr);
                return self->FindWord(typed, f->lvfi.flags, f->iStart);
            }
            if (hdr->code == NM_DBLCLK) {
                const NMITEMACTIVATE* a = reinterpret_cast<const NMITEMACTIVATE*>(l);
                if (a->iItem >= 0) self->Choose(a->iItem);
                return 0;
            }
            return 0;
        }
    }
    return ::DefSubclassProc(hwnd, msg, w, l);
}
