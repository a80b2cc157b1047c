#include "hosting/activex/moravine_control.h"

#include "control/core/widget_tree.h"
#include "hosting/activex/com_boundary.h"
#include "hosting/activex/com_enumerator.h"
#include "hosting/activex/com_errors.h"
#include "hosting/activex/control_ids.h"
#include "hosting/activex/dialog_tabs.h"
#include "hosting/activex/module.h"

#include <olectl.h>

#include <new>

namespace ruvo::com {

namespace {

constexpr DISPID datenice_dispid = RUVO_DATENICE_DISPID;
constexpr DWORD miscStatus = RUVO_MISC_STATUS;

} // namespace

MoravineControl::MoravineControl(const Clock& clock) : m_control(clock) {
    objectCreated();
    // The surface in HIMETRIC: 8715 x 5415 twips, 2540 HIMETRIC to 1440 twips.
    m_extent.cx = MulDiv(moravineGeometry.width, 2540, 1440);
    m_extent.cy = MulDiv(moravineGeometry.height, 2540, 1440);
    if (auto error = m_control.initialize())
        reportError(*error);
    m_events = ComPtr<EventConnectionPoint>::adopting(new EventConnectionPoint(this));
}

MoravineControl::~MoravineControl() {
    m_view.reset();
    m_ambientFont.reset();
    m_events->disconnectAll();
    m_events.reset();
    m_viewSink.reset();
    m_inPlaceSite.reset();
    m_site.reset();
    m_typeInfo.reset();
    m_typeLibrary.reset();
    objectDestroyed();
}

// IUnknown

HRESULT MoravineControl::QueryInterface(REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, IID__Moravine))
        *object = static_cast<_Moravine*>(this);
    else if (IsEqualIID(iid, IID_IOleObject))
        *object = static_cast<IOleObject*>(this);
    else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceObject))
        *object = static_cast<IOleInPlaceObject*>(this);
    else if (IsEqualIID(iid, IID_IOleInPlaceActiveObject))
        *object = static_cast<IOleInPlaceActiveObject*>(this);
    else if (IsEqualIID(iid, IID_IOleControl))
        *object = static_cast<IOleControl*>(this);
    else if (IsEqualIID(iid, IID_IViewObject) || IsEqualIID(iid, IID_IViewObject2))
        *object = static_cast<IViewObject2*>(this);
    else if (IsEqualIID(iid, IID_IPersist) || IsEqualIID(iid, IID_IPersistStreamInit))
        *object = static_cast<IPersistStreamInit*>(this);
    else if (IsEqualIID(iid, IID_IPersistPropertyBag))
        *object = static_cast<IPersistPropertyBag*>(this);
    else if (IsEqualIID(iid, IID_IProvideClassInfo) || IsEqualIID(iid, IID_IProvideClassInfo2))
        *object = static_cast<IProvideClassInfo2*>(this);
    else if (IsEqualIID(iid, IID_IConnectionPointContainer))
        *object = static_cast<IConnectionPointContainer*>(this);
    else if (IsEqualIID(iid, IID_ISupportErrorInfo))
        *object = static_cast<ISupportErrorInfo*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG MoravineControl::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&m_references));
}

ULONG MoravineControl::Release() {
    const LONG left = InterlockedDecrement(&m_references);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

// IDispatch and _Moravine

HRESULT MoravineControl::typeLibrary(ITypeLib** library) {
    if (!m_typeLibrary) {
        const HRESULT result =
            LoadTypeLibEx(modulePath().c_str(), REGKIND_NONE, m_typeLibrary.put());
        if (FAILED(result))
            return result;
    }
    *library = m_typeLibrary.get(); // lent, not shared
    return S_OK;
}

HRESULT MoravineControl::GetTypeInfoCount(UINT* count) {
    if (!count)
        return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT MoravineControl::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (!info)
        return E_POINTER;
    *info = nullptr;
    if (index != 0)
        return DISP_E_BADINDEX;
    if (!m_typeInfo) {
        ITypeLib* library = nullptr;
        if (const HRESULT result = typeLibrary(&library); FAILED(result))
            return result;
        if (const HRESULT result = library->GetTypeInfoOfGuid(IID__Moravine, m_typeInfo.put());
            FAILED(result))
            return result;
    }
    *info = m_typeInfo.share();
    return S_OK;
}

HRESULT MoravineControl::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!IsEqualIID(iid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    ComPtr<ITypeInfo> info;
    if (const HRESULT result = GetTypeInfo(0, 0, info.put()); FAILED(result))
        return result;
    return DispGetIDsOfNames(info.get(), names, count, ids);
}

// datenice is dispatched here rather than by DispInvoke, so that a script's variable passed by
// reference (a VARIANT holding the date) is accepted as the date it holds, and stays as it was.
// Every failure of the call itself comes back as an exception with its description, as a script
// host shows it.
HRESULT MoravineControl::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* parameters,
                                VARIANT* result, EXCEPINFO* exception, UINT* badArgument) {
    if (!IsEqualIID(iid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    if (id != datenice_dispid || !(flags & DISPATCH_METHOD))
        return DISP_E_MEMBERNOTFOUND;
    if (!parameters)
        return E_INVALIDARG;
    // The one argument may come by name, as VBA's ctl.datenice(xdate:=d) passes it: xdate is
    // parameter 0.
    for (UINT named = 0; named < parameters->cNamedArgs; ++named) {
        if (parameters->rgdispidNamedArgs[named] != 0) {
            if (badArgument)
                *badArgument = named;
            return DISP_E_PARAMNOTFOUND;
        }
    }
    if (parameters->cArgs != 1)
        return toException(RuntimeError(ErrorKind::InvalidArgument, "datenice takes one date"),
                           exception);
    VARIANT* argument = &parameters->rgvarg[0];
    while (argument->vt == (VT_BYREF | VT_VARIANT) && argument->pvarVal)
        argument = argument->pvarVal;
    VARIANT value, date;
    VariantInit(&value);
    VariantInit(&date);
    HRESULT outcome = VariantCopyInd(&value, argument);
    if (SUCCEEDED(outcome))
        outcome = VariantChangeType(&date, &value, 0, VT_DATE);
    VariantClear(&value);
    if (FAILED(outcome)) {
        if (badArgument)
            *badArgument = 0;
        return toException(RuntimeError(ErrorKind::TypeMismatch, "datenice takes a date"),
                           exception);
    }
    DATE xdate = date.date;
    BSTR text = nullptr;
    try {
        const std::wstring wide = widen(m_control.datenice(xdate));
        text = SysAllocString(wide.c_str());
    } catch (const RuntimeError& error) {
        return toException(error, exception);
    } catch (...) {
        return E_UNEXPECTED;
    }
    if (!text)
        return E_OUTOFMEMORY;
    if (result) {
        VariantInit(result);
        result->vt = VT_BSTR;
        result->bstrVal = text;
    } else {
        SysFreeString(text);
    }
    return S_OK;
}

HRESULT MoravineControl::datenice(DATE* xdate, BSTR* result) {
    if (!xdate || !result)
        return E_POINTER;
    *result = nullptr;
    try {
        const std::wstring text = widen(m_control.datenice(*xdate));
        *result = SysAllocString(text.c_str());
        return *result ? S_OK : E_OUTOFMEMORY;
    } catch (const RuntimeError& error) {
        return reportError(error);
    } catch (...) {
        return E_UNEXPECTED;
    }
}

// IOleObject

HRESULT MoravineControl::SetClientSite(IOleClientSite* site) {
    m_site = ComPtr<IOleClientSite>::holding(site);
    return S_OK;
}

HRESULT MoravineControl::GetClientSite(IOleClientSite** site) {
    if (!site)
        return E_POINTER;
    *site = m_site.share();
    return S_OK;
}

HRESULT MoravineControl::SetHostNames(LPCOLESTR, LPCOLESTR) {
    return S_OK;
}

HRESULT MoravineControl::Close(DWORD) {
    InPlaceDeactivate();
    return S_OK;
}

HRESULT MoravineControl::SetMoniker(DWORD, IMoniker*) {
    return E_NOTIMPL;
}

HRESULT MoravineControl::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT MoravineControl::InitFromData(IDataObject*, BOOL, DWORD) {
    return E_NOTIMPL;
}

HRESULT MoravineControl::GetClipboardData(DWORD, IDataObject** data) {
    if (data)
        *data = nullptr;
    return E_NOTIMPL;
}

HRESULT MoravineControl::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent,
                                LPCRECT position) {
    return atBoundary([&]() -> HRESULT {
        switch (verb) {
        case OLEIVERB_PRIMARY:
        case OLEIVERB_SHOW:
        case OLEIVERB_INPLACEACTIVATE:
        case OLEIVERB_UIACTIVATE:
            return activateInPlace(site ? site : m_site.get(), parent, position);
        case OLEIVERB_HIDE:
            if (m_view)
                m_view->show(false);
            return S_OK;
        default:
            return OLEOBJ_S_INVALIDVERB;
        }
    });
}

// The container's site may come after InitNew, so the window is made only now.
HRESULT MoravineControl::activateInPlace(IOleClientSite* site, HWND parent, LPCRECT position) {
    if (m_view) {
        m_view->show(true);
        return S_OK;
    }
    if (!site)
        return E_UNEXPECTED;
    ComPtr<IOleInPlaceSite> inPlace;
    if (FAILED(site->QueryInterface(IID_IOleInPlaceSite, inPlace.putVoid())))
        return E_NOINTERFACE;
    if (inPlace->CanInPlaceActivate() != S_OK)
        return E_FAIL;
    inPlace->OnInPlaceActivate();
    HWND window = parent;
    if (FAILED(inPlace->GetWindow(&window)) && !parent) {
        inPlace->OnInPlaceDeactivate();
        return E_FAIL;
    }
    RECT place = position ? *position : RECT{0, 0, 0, 0};
    ComPtr<IOleInPlaceFrame> frame;
    ComPtr<IOleInPlaceUIWindow> document;
    RECT clip{};
    OLEINPLACEFRAMEINFO frameInfo{};
    frameInfo.cb = sizeof frameInfo;
    inPlace->GetWindowContext(frame.put(), document.put(), &place, &clip, &frameInfo);
    m_inPlaceSite = std::move(inPlace);
    takeAmbientFont();
    HFONT font = nullptr;
    if (m_ambientFont)
        m_ambientFont->get_hFont(&font);
    m_view = std::make_unique<Win32View>(m_control, window, place, font);
    m_view->onFocusChange = [this](bool inside) { focusChanged(inside); };
    m_view->setDesignMode(!userMode());
    m_view->show(true);
    return S_OK;
}

VARIANT MoravineControl::ambient(DISPID property) const {
    VARIANT value;
    VariantInit(&value);
    ComPtr<IDispatch> properties;
    if (!m_site || FAILED(m_site->QueryInterface(IID_IDispatch, properties.putVoid())))
        return value;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    if (FAILED(properties->Invoke(property, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                  &none, &value, nullptr, nullptr)))
        VariantClear(&value);
    return value;
}

bool MoravineControl::userMode() const {
    VARIANT value = ambient(DISPID_AMBIENT_USERMODE);
    // A container that does not say runs its forms for users.
    const bool user = value.vt != VT_BOOL || value.boolVal != VARIANT_FALSE;
    VariantClear(&value);
    return user;
}

void MoravineControl::takeAmbientFont() {
    m_ambientFont.reset();
    VARIANT value = ambient(DISPID_AMBIENT_FONT);
    if ((value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN) && value.punkVal)
        value.punkVal->QueryInterface(IID_IFont, m_ambientFont.putVoid());
    VariantClear(&value);
}

void MoravineControl::rebuildView() {
    if (!m_view)
        return;
    RECT place;
    GetWindowRect(m_view->window(), &place);
    const HWND parent = GetParent(m_view->window());
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    const bool shown = IsWindowVisible(m_view->window());
    takeAmbientFont();
    HFONT font = nullptr;
    if (m_ambientFont)
        m_ambientFont->get_hFont(&font);
    m_view.reset();
    m_view = std::make_unique<Win32View>(m_control, parent, place, font);
    m_view->onFocusChange = [this](bool inside) { focusChanged(inside); };
    m_view->setDesignMode(!userMode());
    m_view->show(shown);
}

void MoravineControl::setActiveObject(bool active) {
    if (!m_inPlaceSite)
        return;
    ComPtr<IOleInPlaceFrame> frame;
    ComPtr<IOleInPlaceUIWindow> document;
    RECT position{}, clip{};
    OLEINPLACEFRAMEINFO frameInfo{};
    frameInfo.cb = sizeof frameInfo;
    if (FAILED(m_inPlaceSite->GetWindowContext(frame.put(), document.put(), &position, &clip,
                                               &frameInfo)))
        return;
    IOleInPlaceActiveObject* object = active ? this : nullptr;
    const wchar_t* name = active ? L"Moravine" : nullptr;
    if (frame)
        frame->SetActiveObject(object, name);
    if (document)
        document->SetActiveObject(object, name);
}

void MoravineControl::activateUserInterface() {
    if (m_userInterfaceActive || !m_inPlaceSite)
        return;
    m_userInterfaceActive = true;
    m_inPlaceSite->OnUIActivate();
    setActiveObject(true);
}

void MoravineControl::focusChanged(bool inside) {
    if (inside)
        activateUserInterface();
    ComPtr<IOleControlSite> controlSite;
    if (m_site && SUCCEEDED(m_site->QueryInterface(IID_IOleControlSite, controlSite.putVoid())))
        controlSite->OnFocus(inside);
}

HRESULT MoravineControl::EnumVerbs(IEnumOLEVERB** verbs) {
    return OleRegEnumVerbs(CLSID_Moravine, verbs);
}

HRESULT MoravineControl::Update() {
    return S_OK;
}
HRESULT MoravineControl::IsUpToDate() {
    return S_OK;
}

HRESULT MoravineControl::GetUserClassID(CLSID* clsid) {
    return GetClassID(clsid);
}

HRESULT MoravineControl::GetUserType(DWORD form, LPOLESTR* type) {
    return OleRegGetUserType(CLSID_Moravine, form, type);
}

HRESULT MoravineControl::SetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (!size)
        return E_POINTER;
    m_extent = *size;
    return S_OK;
}

HRESULT MoravineControl::GetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (!size)
        return E_POINTER;
    *size = m_extent;
    return S_OK;
}

HRESULT MoravineControl::Advise(IAdviseSink*, DWORD* connection) {
    if (connection)
        *connection = 0;
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT MoravineControl::Unadvise(DWORD) {
    return OLE_E_NOCONNECTION;
}

HRESULT MoravineControl::EnumAdvise(IEnumSTATDATA** advise) {
    if (advise)
        *advise = nullptr;
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT MoravineControl::GetMiscStatus(DWORD, DWORD* status) {
    if (!status)
        return E_POINTER;
    *status = miscStatus;
    return S_OK;
}

HRESULT MoravineControl::SetColorScheme(LOGPALETTE*) {
    return E_NOTIMPL;
}

// IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject

HRESULT MoravineControl::GetWindow(HWND* window) {
    if (!window)
        return E_POINTER;
    *window = m_view ? m_view->window() : nullptr;
    return m_view ? S_OK : E_FAIL;
}

HRESULT MoravineControl::ContextSensitiveHelp(BOOL) {
    return E_NOTIMPL;
}

HRESULT MoravineControl::InPlaceDeactivate() {
    if (!m_view)
        return S_OK;
    UIDeactivate();
    m_view.reset();
    if (m_inPlaceSite)
        m_inPlaceSite->OnInPlaceDeactivate();
    m_inPlaceSite.reset();
    return S_OK;
}

HRESULT MoravineControl::UIDeactivate() {
    if (!m_userInterfaceActive)
        return S_OK;
    m_userInterfaceActive = false;
    setActiveObject(false);
    if (m_inPlaceSite)
        m_inPlaceSite->OnUIDeactivate(FALSE);
    return S_OK;
}

HRESULT MoravineControl::SetObjectRects(LPCRECT position, LPCRECT) {
    if (!position)
        return E_POINTER;
    if (m_view)
        m_view->place(*position);
    return S_OK;
}

HRESULT MoravineControl::ReactivateAndUndo() {
    return E_NOTIMPL;
}

// Tab and the arrow keys move between the control's own inputs.
// Tab moves through the control's inputs and, from its last (Shift+Tab: its first), leaves it:
// the container then moves the focus on. The other keys of a dialog (the arrows within an option
// group, Enter and Space on a button) work as in any dialog.
HRESULT MoravineControl::TranslateAccelerator(LPMSG message) {
    return atBoundary([&]() -> HRESULT {
        if (!m_view || !message || message->message < WM_KEYFIRST || message->message > WM_KEYLAST)
            return S_FALSE;
        const HWND surface = m_view->window();
        const HWND focused = GetFocus();
        if (!focused || (focused != surface && !IsChild(surface, focused)))
            return S_FALSE; // the container's own widget has the key
        if (message->message == WM_KEYDOWN && message->wParam == VK_TAB &&
            GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0 &&
            tabLeaves(surface, focused, GetKeyState(VK_SHIFT) < 0))
            return S_FALSE;
        return IsDialogMessageW(surface, message) ? S_OK : S_FALSE;
    });
}

HRESULT MoravineControl::OnFrameWindowActivate(BOOL) {
    return S_OK;
}
HRESULT MoravineControl::OnDocWindowActivate(BOOL) {
    return S_OK;
}
HRESULT MoravineControl::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) {
    return S_OK;
}
HRESULT MoravineControl::EnableModeless(BOOL) {
    return S_OK;
}

// IOleControl

HRESULT MoravineControl::GetControlInfo(CONTROLINFO* info) {
    if (!info)
        return E_POINTER;
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

// The control has no mnemonics (GetControlInfo lists none), so none is ever pressed.
HRESULT MoravineControl::OnMnemonic(MSG*) {
    return S_OK;
}

HRESULT MoravineControl::OnAmbientPropertyChange(DISPID property) {
    return atBoundary([&]() -> HRESULT {
        if (property == DISPID_AMBIENT_FONT || property == DISPID_UNKNOWN)
            rebuildView(); // the whole surface scales with the font
        else if (m_view && property == DISPID_AMBIENT_USERMODE)
            m_view->setDesignMode(!userMode());
        return S_OK;
    });
}
HRESULT MoravineControl::FreezeEvents(BOOL) {
    return S_OK;
}

// IViewObject2: a container that draws the control itself (printing, design views) gets the
// surface's outline with the control's name.
HRESULT MoravineControl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc,
                              LPCRECTL bounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR),
                              ULONG_PTR) {
    return atBoundary([&]() -> HRESULT {
        if (aspect != DVASPECT_CONTENT)
            return DV_E_DVASPECT;
        if (!dc || !bounds)
            return E_INVALIDARG;
        // The surface as its window shows it; a control not active in place draws through a hidden
        // window made for the drawing.
        HWND hiddenParent = nullptr;
        std::unique_ptr<Win32View> hidden;
        const Win32View* view = m_view.get();
        if (!view) {
            hiddenParent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                           nullptr, moduleHandle(), nullptr);
            if (!hiddenParent)
                return E_FAIL;
            hidden = std::make_unique<Win32View>(m_control, hiddenParent, RECT{0, 0, 0, 0});
            view = hidden.get();
        }
        const SIZE size = view->size();
        BITMAPINFO format{};
        format.bmiHeader = {
            sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HDC memory = CreateCompatibleDC(nullptr);
        HBITMAP picture = CreateDIBSection(memory, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
        HRESULT result = E_OUTOFMEMORY;
        if (memory && picture) {
            const HGDIOBJ previous = SelectObject(memory, picture);
            view->print(memory);
            GdiFlush();
            // Into any dc, the printer's and the metafile's included, at the place the container
            // asks.
            SetStretchBltMode(dc, HALFTONE);
            SetBrushOrgEx(dc, 0, 0, nullptr);
            const int copied =
                StretchDIBits(dc, bounds->left, bounds->top, bounds->right - bounds->left,
                              bounds->bottom - bounds->top, 0, 0, size.cx, size.cy, bits, &format,
                              DIB_RGB_COLORS, SRCCOPY);
            result = copied ? S_OK : E_FAIL;
            SelectObject(memory, previous);
        }
        if (picture)
            DeleteObject(picture);
        if (memory)
            DeleteDC(memory);
        hidden.reset();
        if (hiddenParent)
            DestroyWindow(hiddenParent);
        return result;
    });
}

HRESULT MoravineControl::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** set) {
    if (set)
        *set = nullptr;
    return S_FALSE;
}

HRESULT MoravineControl::Freeze(DWORD, LONG, void*, DWORD*) {
    return E_NOTIMPL;
}
HRESULT MoravineControl::Unfreeze(DWORD) {
    return E_NOTIMPL;
}

HRESULT MoravineControl::SetAdvise(DWORD, DWORD, IAdviseSink* sink) {
    m_viewSink = ComPtr<IAdviseSink>::holding(sink);
    return S_OK;
}

HRESULT MoravineControl::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
    if (aspects)
        *aspects = DVASPECT_CONTENT;
    if (flags)
        *flags = 0;
    if (sink) {
        *sink = m_viewSink.share();
    }
    return S_OK;
}

HRESULT MoravineControl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
    return GetExtent(aspect, size);
}

// IPersist, IPersistStreamInit, IPersistPropertyBag

HRESULT MoravineControl::GetClassID(CLSID* clsid) {
    if (!clsid)
        return E_POINTER;
    *clsid = CLSID_Moravine;
    return S_OK;
}

HRESULT MoravineControl::IsDirty() {
    return S_FALSE;
}
HRESULT MoravineControl::Load(LPSTREAM) {
    return S_OK;
}
HRESULT MoravineControl::Save(LPSTREAM, BOOL) {
    return S_OK;
}

HRESULT MoravineControl::GetSizeMax(ULARGE_INTEGER* size) {
    if (!size)
        return E_POINTER;
    size->QuadPart = 0;
    return S_OK;
}

HRESULT MoravineControl::InitNew() {
    return S_OK;
}
HRESULT MoravineControl::Load(IPropertyBag*, IErrorLog*) {
    return S_OK;
}
HRESULT MoravineControl::Save(IPropertyBag*, BOOL, BOOL) {
    return S_OK;
}

// IProvideClassInfo2

HRESULT MoravineControl::GetClassInfo(ITypeInfo** info) {
    if (!info)
        return E_POINTER;
    *info = nullptr;
    ITypeLib* library = nullptr;
    if (const HRESULT result = typeLibrary(&library); FAILED(result))
        return result;
    return library->GetTypeInfoOfGuid(CLSID_Moravine, info);
}

HRESULT MoravineControl::GetGUID(DWORD kind, GUID* guid) {
    if (!guid)
        return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID)
        return E_INVALIDARG;
    *guid = DIID___Moravine;
    return S_OK;
}

// IConnectionPointContainer

HRESULT MoravineControl::EnumConnectionPoints(IEnumConnectionPoints** points) {
    return atBoundary([&]() -> HRESULT {
        if (!points)
            return E_POINTER;
        *points = new (std::nothrow)
            ConnectionPointEnumerator(std::vector<IConnectionPoint*>{m_events.get()});
        return *points ? S_OK : E_OUTOFMEMORY;
    });
}

HRESULT MoravineControl::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    if (!point)
        return E_POINTER;
    *point = nullptr;
    if (!IsEqualIID(iid, DIID___Moravine))
        return CONNECT_E_NOCONNECTION;
    *point = m_events.share();
    return S_OK;
}

// ISupportErrorInfo

HRESULT MoravineControl::InterfaceSupportsErrorInfo(REFIID iid) {
    return IsEqualIID(iid, IID__Moravine) ? S_OK : S_FALSE;
}

} // namespace ruvo::com
