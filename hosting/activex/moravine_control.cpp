#include "hosting/activex/moravine_control.h"

#include "control/core/widget_tree.h"
#include "hosting/activex/com_boundary.h"
#include "hosting/activex/com_enumerator.h"
#include "hosting/activex/com_errors.h"
#include "hosting/activex/control_ids.h"
#include "hosting/activex/dispatch_arguments.h"
#include "hosting/activex/module.h"

#include <olectl.h>

#include <new>

namespace ruvo::activex {

namespace {

constexpr DISPID datenice_dispid = RUVO_DATENICE_DISPID;

} // namespace

MoravineControl::MoravineControl(const Clock& clock) : m_presenter(clock, promptInterval) {
    objectCreated();
    // The surface in HIMETRIC: 8715 x 5415 twips, 2540 HIMETRIC to 1440 twips.
    m_extent.cx = MulDiv(moravineGeometry.width, 2540, 1440);
    m_extent.cy = MulDiv(moravineGeometry.height, 2540, 1440);
    // No view is there yet: the model starts on its own, and a view shows it as it then stands.
    if (auto error = m_presenter.initialize())
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

// datenice, and the results (invokeResults), are dispatched here rather than by DispInvoke, so that
// a script's variable passed by reference (a VARIANT holding the date) is accepted as the date it
// holds, and stays as it was. Every failure of the call itself comes back as an exception with its
// description, as a script host shows it.
HRESULT MoravineControl::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* parameters,
                                VARIANT* result, EXCEPINFO* exception, UINT* badArgument) {
    if (!IsEqualIID(iid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    if (id != datenice_dispid)
        return invokeResults(id, flags, parameters, result, exception, badArgument);
    if (!(flags & DISPATCH_METHOD))
        return DISP_E_MEMBERNOTFOUND;
    if (!parameters)
        return E_INVALIDARG;
    // The one argument may come by name, as VBA's ctl.datenice(xdate:=d) passes it.
    if (const HRESULT named = checkNamedArguments(*parameters, badArgument); FAILED(named))
        return named;
    return atBoundary(
        [&]() -> HRESULT {
            if (parameters->cArgs != 1)
                throw RuntimeError(ErrorKind::InvalidArgument, "datenice takes one date");
            BSTR text = SysAllocString(widen(m_presenter.control().datenice(dateIn(
                                                 parameters->rgvarg[0], badArgument, "datenice")))
                                           .c_str());
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
        },
        [&](const RuntimeError& error) { return toException(error, exception); });
}

HRESULT MoravineControl::datenice(DATE* xdate, BSTR* result) {
    if (!xdate || !result)
        return E_POINTER;
    *result = nullptr;
    return atBoundary(
        [&]() -> HRESULT {
            *result = SysAllocString(widen(m_presenter.control().datenice(*xdate)).c_str());
            return *result ? S_OK : E_OUTOFMEMORY;
        },
        [](const RuntimeError& error) { return reportError(error); });
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

} // namespace ruvo::activex
