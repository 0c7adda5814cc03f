#include "documents/win/WebBrowser.h"

#include <oleauto.h>

namespace {

// {8856F961-340A-11D0-A96B-00C04FD705A2}
const CLSID kWebBrowserClsid = {0x8856F961, 0x340A, 0x11D0, {0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2}};

constexpr DISPID kGoBack = 100;
constexpr DISPID kGoForward = 101;
constexpr DISPID kNavigate = 104;
constexpr DISPID kRefresh = -550;

constexpr char kHostClass[] = "PqWebBrowserHost";

std::wstring Wide(const std::string& text) {
    const int n = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    if (n > 0) ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), &out[0], n);
    return out;
}

}  // namespace

// The container's side of the control: one object answers as client site,
// in-place site and in-place frame. It lives as long as the browser holds it.
class CWebBrowser::Site final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
public:
    explicit Site(CWebBrowser* owner) : m_owner(owner) {}
    void Detach() { m_owner = nullptr; }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
            *out = static_cast<IOleClientSite*>(this);
        else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceSite))
            *out = static_cast<IOleInPlaceSite*>(this);
        else if (IsEqualIID(riid, IID_IOleInPlaceFrame) || IsEqualIID(riid, IID_IOleInPlaceUIWindow))
            *out = static_cast<IOleInPlaceFrame*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG n = --m_refs;
        if (n == 0) delete this;
        return n;
    }

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP GetContainer(IOleContainer** c) override {
        if (c) *c = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow (shared by the site and the frame)
    STDMETHODIMP GetWindow(HWND* h) override {
        if (!h) return E_POINTER;
        *h = m_owner ? m_owner->m_hWnd : nullptr;
        return *h ? S_OK : E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos, LPRECT clip,
                                  LPOLEINPLACEFRAMEINFO info) override {
        if (frame) {
            *frame = static_cast<IOleInPlaceFrame*>(this);
            AddRef();
        }
        if (doc) *doc = nullptr;
        RECT rc = {};
        if (m_owner && m_owner->m_hWnd) ::GetClientRect(m_owner->m_hWnd, &rc);
        if (pos) *pos = rc;
        if (clip) *clip = rc;
        if (info) {
            info->fMDIApp = FALSE;
            info->hwndFrame = m_owner ? ::GetAncestor(m_owner->m_hWnd, GA_ROOT) : nullptr;
            info->haccel = nullptr;
            info->cAccelEntries = 0;
        }
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnPosRectChange(LPCRECT rc) override {
        if (m_owner && m_owner->m_inPlace && rc) m_owner->m_inPlace->SetObjectRects(rc, rc);
        return S_OK;
    }

    // IOleInPlaceUIWindow / IOleInPlaceFrame: no tool space of our own.
    STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR) override {
        if (!m_owner) return S_OK;
        if (m_owner->m_active) m_owner->m_active->Release();
        m_owner->m_active = active;
        if (active) active->AddRef();
        return S_OK;
    }
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return S_OK; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return S_OK; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

private:
    CWebBrowser* m_owner;
    ULONG m_refs = 1;
};

CWebBrowser::CWebBrowser() = default;

CWebBrowser::~CWebBrowser() { Destroy(); }

LRESULT CALLBACK CWebBrowser::HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CWebBrowser*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (msg) {
    case WM_NCCREATE: {
        const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        break;
    }
    case WM_SIZE:
        if (self) self->Resize();
        return 0;
    case WM_SETFOCUS:
        if (self) {
            const HWND inner = self->FocusWindow();
            if (inner && inner != hwnd) ::SetFocus(inner);
        }
        return 0;
    case WM_ERASEBKGND: return 1;
    default: break;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool CWebBrowser::Create(HWND parent) {
    Destroy();
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    if (!::GetClassInfoA(instance, kHostClass, &wc)) {
        wc.lpfnWndProc = &CWebBrowser::HostProc;
        wc.hInstance = instance;
        wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kHostClass;
        if (!::RegisterClassA(&wc)) return false;
    }
    m_hWnd = ::CreateWindowExA(0, kHostClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlId)), instance, this);
    if (!m_hWnd) return false;
    m_site = new Site(this);
    bool ok = SUCCEEDED(::CoCreateInstance(kWebBrowserClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                           reinterpret_cast<void**>(&m_object)));
    ok = ok && SUCCEEDED(m_object->SetClientSite(static_cast<IOleClientSite*>(m_site)));
    if (ok) {
        RECT rc = {};
        ::GetClientRect(m_hWnd, &rc);
        ok = SUCCEEDED(m_object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(m_site), 0,
                                        m_hWnd, &rc));
    }
    ok = ok && SUCCEEDED(m_object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&m_dispatch)));
    ok = ok && SUCCEEDED(m_object->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&m_inPlace)));
    if (!ok) {
        Destroy();
        return false;
    }
    if (!m_active) m_object->QueryInterface(IID_IOleInPlaceActiveObject, reinterpret_cast<void**>(&m_active));
    return true;
}

void CWebBrowser::Destroy() {
    if (m_inPlace) {
        m_inPlace->InPlaceDeactivate();
        m_inPlace->Release();
        m_inPlace = nullptr;
    }
    if (m_active) {
        m_active->Release();
        m_active = nullptr;
    }
    if (m_dispatch) {
        m_dispatch->Release();
        m_dispatch = nullptr;
    }
    if (m_object) {
        m_object->Close(OLECLOSE_NOSAVE);
        m_object->SetClientSite(nullptr);
        m_object->Release();
        m_object = nullptr;
    }
    if (m_site) {
        m_site->Detach();
        m_site->Release();
        m_site = nullptr;
    }
    if (m_hWnd) {
        ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
        ::DestroyWindow(m_hWnd);
        m_hWnd = nullptr;
    }
}

void CWebBrowser::Resize() {
    if (!m_inPlace || !m_hWnd) return;
    RECT rc = {};
    ::GetClientRect(m_hWnd, &rc);
    m_inPlace->SetObjectRects(&rc, &rc);
}

bool CWebBrowser::Call(DISPID id, DISPPARAMS* params) {
    if (!m_dispatch) return false;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    return SUCCEEDED(m_dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, params ? params : &none,
                                        nullptr, nullptr, nullptr));
}

bool CWebBrowser::Navigate(const std::string& address) {
    if (!m_dispatch) return false;
    // Arguments go in reverse: the four optional ones empty, the address last.
    VARIANT args[5];
    for (VARIANT& v : args) ::VariantInit(&v);
    args[4].vt = VT_BSTR;
    args[4].bstrVal = ::SysAllocString(Wide(address).c_str());
    DISPPARAMS params = {args, nullptr, 5, 0};
    const bool ok = Call(kNavigate, &params);
    ::VariantClear(&args[4]);
    if (ok) ++m_navigates;
    return ok;
}

bool CWebBrowser::Refresh() { return Call(kRefresh, nullptr); }
bool CWebBrowser::GoBack() { return Call(kGoBack, nullptr); }
bool CWebBrowser::GoForward() { return Call(kGoForward, nullptr); }

bool CWebBrowser::TranslateAccelerator(MSG* msg) {
    return m_active && m_active->TranslateAccelerator(msg) == S_OK;
}

HWND CWebBrowser::FocusWindow() const {
    if (!m_hWnd) return nullptr;
    const HWND inner = ::GetWindow(m_hWnd, GW_CHILD);
    return inner ? inner : m_hWnd;
}
