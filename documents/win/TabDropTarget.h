// The tab strip as an OLE drop target for text: text dragged over a tab
// selects that tab after a short pause, so that it can be dropped into that
// tab's editor; a drop on the strip goes into the shown editor at its caret
// when that editor allows dropping, is writable and is not previewed.
#pragma once

#include <ole2.h>

class CDocTabWnd;

class CTabDropTarget : public IDropTarget {
public:
    explicit CTabDropTarget(CDocTabWnd& owner) : m_owner(owner) {}
    virtual ~CTabDropTarget() = default;

    bool Register(HWND strip);
    void Revoke();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override { return m_refs > 1 ? --m_refs : 1; }
    // IDropTarget
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL pt, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;

    // The timer that selects the tab under the pointer.
    static constexpr UINT_PTR kSelectTimer = 3;
    static constexpr UINT kSelectDelay = 10;
    void OnSelectTimer();

private:
    DWORD EffectFor(DWORD keys, DWORD allowed) const;

    CDocTabWnd& m_owner;
    HWND m_strip = nullptr;
    ULONG m_refs = 1;
    bool m_hasText = false;
    int m_pendingTab = -1;
    bool m_registered = false;
};
