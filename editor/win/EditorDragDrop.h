// OLE drag and drop of plain text (CF_TEXT) for the editor: the drop target
// registered for each editor window, the drop source and data object of a
// drag started from its selection, and reading text blocks safely.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <cstddef>
#include <string>

class CCanvasEdit;

// The text of a global block: up to its first NUL, and never past the
// block's size (GlobalSize), NUL or not. False when it cannot be locked.
bool ReadTextBlock(HGLOBAL block, std::string& out);

// The CF_TEXT of a data object, read as ReadTextBlock; false without one.
bool ReadDataObjectText(IDataObject* data, std::string& out);

// True when the data object offers CF_TEXT in a global block.
bool DataObjectHasText(IDataObject* data);

// A data object holding `length` bytes as CF_TEXT (a zero-filled block of
// length + 1 bytes); the caller owns the one reference returned.
IDataObject* CreateTextDataObject(const char* text, std::size_t length);

// The drop source of a drag started in the editor: dropping when the left
// button is released, cancelling on Esc.
class CEditorDropSource : public IDropSource {
public:
    CEditorDropSource() = default;
    virtual ~CEditorDropSource() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override;
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override;

private:
    LONG m_refs = 1;
};

// The drop target of one editor window; forwards to the editor.
class CEditorDropTarget : public IDropTarget {
public:
    explicit CEditorDropTarget(CCanvasEdit* edit) : m_edit(edit) {}
    virtual ~CEditorDropTarget() = default;
    // The window is going away: later calls do nothing.
    void Detach() { m_edit = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL pt, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;

private:
    LONG m_refs = 1;
    CCanvasEdit* m_edit;
};
