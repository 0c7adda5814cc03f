// A tree control of a running program (by its control id), read from this
// process: the tree lives in the other process, so item texts and
// rectangles pass through a buffer allocated there.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "e2e/E2E.h"

namespace e2e {

class RemoteTree {
public:
    RemoteTree(const Program& app, int controlId) {
        m_id = controlId;
        ::EnumChildWindows(app.MainWindow(), &FindTree, reinterpret_cast<LPARAM>(this));
        m_process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, app.ProcessId());
        if (m_process) m_buffer = ::VirtualAllocEx(m_process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteTree() {
        if (m_buffer) ::VirtualFreeEx(m_process, m_buffer, 0, MEM_RELEASE);
        if (m_process) ::CloseHandle(m_process);
    }
    bool Ready() const { return m_tree && m_buffer; }
    HWND Window() const { return m_tree; }
    HTREEITEM Next(HTREEITEM item, UINT how) const {
        return reinterpret_cast<HTREEITEM>(
            ::SendMessageA(m_tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
    }
    HTREEITEM Selected() const { return Next(nullptr, TVGN_CARET); }
    bool Expanded(HTREEITEM item) const {
        return ::SendMessageA(m_tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) & TVIS_EXPANDED;
    }
    std::string Text(HTREEITEM item) const {
        auto* remote = static_cast<char*>(m_buffer);
        TVITEMA tv = {};
        tv.mask = TVIF_TEXT | TVIF_HANDLE;
        tv.hItem = item;
        tv.pszText = remote + 1024;
        tv.cchTextMax = 1024;
        char text[1024] = {};
        SIZE_T done = 0;
        if (!::WriteProcessMemory(m_process, remote, &tv, sizeof tv, &done) ||
            !::SendMessageA(m_tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote)) ||
            !::ReadProcessMemory(m_process, remote + 1024, text, sizeof text - 1, &done))
            return std::string();
        return text;
    }
    // The child of `parent` shown as `name`.
    HTREEITEM Child(HTREEITEM parent, const std::string& name) const {
        for (HTREEITEM c = Next(parent, TVGN_CHILD); c; c = Next(c, TVGN_NEXT))
            if (Text(c) == name) return c;
        return nullptr;
    }
    // The middle of the item's label, on the screen.
    bool Centre(HTREEITEM item, POINT* pt) const {
        RECT rc = {};
        SIZE_T done = 0;
        // The item goes in, where the rectangle comes out.
        if (!::WriteProcessMemory(m_process, m_buffer, &item, sizeof item, &done) ||
            !::SendMessageA(m_tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(m_buffer)) ||
            !::ReadProcessMemory(m_process, m_buffer, &rc, sizeof rc, &done))
            return false;
        *pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        return ::ClientToScreen(m_tree, pt) != FALSE;
    }

private:
    static BOOL CALLBACK FindTree(HWND h, LPARAM lp) {
        auto* self = reinterpret_cast<RemoteTree*>(lp);
        if (::GetDlgCtrlID(h) != self->m_id) return TRUE;
        self->m_tree = h;
        return FALSE;
    }
    int m_id = 0;
    HWND m_tree = nullptr;
    HANDLE m_process = nullptr;
    void* m_buffer = nullptr;
};

}  // namespace e2e
