#include "tags/win/TagCombos.h"

#include <algorithm>

#include "tags/core/ColorNameTable.h"

namespace tagswin {

bool CComboExt::Attach(HWND combo) {
    if (Attached()) Detach();
    if (!combo || !SubclassWindow(combo)) return false;
    const int height = ItemHeight(::GetParent(combo));
    if (height > 0) SendMessage(CB_SETITEMHEIGHT, 0, height);
    SendMessage(CB_RESETCONTENT);
    Fill();
    return true;
}

void CComboExt::Detach() {
    if (Attached()) UnsubclassWindow();
}

int CComboExt::ItemHeight(HWND dialog) {
    RECT rc = {0, 0, 4, 8};
    ::MapDialogRect(dialog, &rc);
    return rc.bottom * 7 / 8;
}

bool CComboExt::PaintBackground(const DRAWITEMSTRUCT& item) const {
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0 || !::IsWindowEnabled(item.hwndItem);
    int back = disabled ? COLOR_BTNFACE : COLOR_WINDOW;
    int text = disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT;
    if (selected && !disabled) {
        back = COLOR_HIGHLIGHT;
        text = COLOR_HIGHLIGHTTEXT;
    }
    ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(back));
    ::SetBkMode(item.hDC, TRANSPARENT);
    ::SetTextColor(item.hDC, ::GetSysColor(text));
    return disabled;
}

std::string CComboExt::ItemText(int index) const {
    const LRESULT n = ::SendMessageA(m_hWnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (n <= 0) return {};
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    ::SendMessageA(m_hWnd, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(std::min(text.size() - 1, std::string(text.c_str()).size()));
    return text;
}

namespace {

// Draws text at x, centred vertically in the item, and returns the x after it.
int DrawAt(HDC dc, const RECT& rc, int x, const std::string& text) {
    SIZE size = {};
    ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    RECT box = {x, rc.top, rc.right, rc.bottom};
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    return x + size.cx;
}

}  // namespace

// --- Colours ----------------------------------------------------------------------

void CColorCombo::Fill() {
    for (const tags::ColorName& c : tags::kColorNames) {
        char text[8];
        tags::FormatHexColor(c.rgb, text);
        const LRESULT i = SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        if (i >= 0) SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(i), static_cast<LPARAM>(c.rgb));
    }
}

void CColorCombo::DrawItem(const DRAWITEMSTRUCT& item) {
    PaintBackground(item);
    const int index = static_cast<int>(item.itemID);
    if (index < 0 || index >= tags::kColorNameCount) return;
    const RECT& rc = item.rcItem;
    RECT swatch = {rc.left + 1, rc.top + 1, 80, rc.bottom - 1};
    HBRUSH brush = ::CreateSolidBrush(static_cast<COLORREF>(item.itemData));
    ::FillRect(item.hDC, &swatch, brush);
    ::DeleteObject(brush);
    ::FrameRect(item.hDC, &swatch, ::GetSysColorBrush(COLOR_BTNSHADOW));
    const int x = DrawAt(item.hDC, rc, rc.left + 81, "　" + ItemText(index));
    ::SetTextColor(item.hDC, ::GetSysColor(COLOR_GRAYTEXT));
    DrawAt(item.hDC, rc, x, " (" + std::string(tags::kColorNames[index].name) + ")");
}

// --- Fonts ------------------------------------------------------------------------

namespace {

struct EnumState {
    std::vector<std::pair<std::string, int>>* faces;
    bool trueTypeOnly;
};

int CALLBACK AddFace(const LOGFONTA* lf, const TEXTMETRICA*, DWORD type, LPARAM param) {
    auto* state = reinterpret_cast<EnumState*>(param);
    if (state->trueTypeOnly && !(type & TRUETYPE_FONTTYPE)) return 1;
    const std::string name = lf->lfFaceName;
    if (name.empty()) return 1;
    for (const auto& f : *state->faces)
        if (f.first == name) return 1;
    state->faces->emplace_back(name, lf->lfCharSet);
    return 1;
}

}  // namespace

const std::vector<std::pair<std::string, int>>& CFontCombo::Faces() {
    if (m_enumerated) return m_faces;
    m_enumerated = true;
    HDC dc = ::GetDC(nullptr);
    if (m_mode == 0) {
        EnumState state = {&m_faces, true};
        ::EnumFontFamiliesA(dc, nullptr, &AddFace, reinterpret_cast<LPARAM>(&state));
    } else {
        EnumState state = {&m_faces, false};
        for (int charset : {static_cast<int>(::GetTextCharset(dc)), 255, 1}) {
            LOGFONTA lf = {};
            lf.lfCharSet = static_cast<BYTE>(charset);
            ::EnumFontFamiliesExA(dc, &lf, &AddFace, reinterpret_cast<LPARAM>(&state), 0);
        }
    }
    ::ReleaseDC(nullptr, dc);
    return m_faces;
}

void CFontCombo::Fill() {
    m_filled = false;
    for (const auto& face : Faces()) {
        const LRESULT i = SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(face.first.c_str()));
        if (i >= 0) SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(i), static_cast<LPARAM>(face.second));
    }
    m_filled = true;
}

void CFontCombo::DrawItem(const DRAWITEMSTRUCT& item) {
    PaintBackground(item);
    const int index = static_cast<int>(item.itemID);
    if (index < 0) return;
    const std::string face = ItemText(index);
    const RECT& rc = item.rcItem;
    LOGFONTA lf = {};
    lf.lfHeight = -::MulDiv(10, ::GetDeviceCaps(item.hDC, LOGPIXELSY), 72);
    lf.lfCharSet = static_cast<BYTE>(item.itemData);
    lstrcpynA(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    HFONT font = ::CreateFontIndirectA(&lf);
    HGDIOBJ old = ::SelectObject(item.hDC, font);
    const int x = DrawAt(item.hDC, rc, rc.left + 1, face);
    ::SelectObject(item.hDC, old);
    ::DeleteObject(font);
    if (!m_filled) return;
    HFONT normal = reinterpret_cast<HFONT>(::SendMessageA(::GetParent(m_hWnd), WM_GETFONT, 0, 0));
    old = normal ? ::SelectObject(item.hDC, normal) : nullptr;
    ::SetTextColor(item.hDC, ::GetSysColor(COLOR_GRAYTEXT));
    DrawAt(item.hDC, rc, x, " (" + face + ")");
    if (old) ::SelectObject(item.hDC, old);
}

}  // namespace tagswin
