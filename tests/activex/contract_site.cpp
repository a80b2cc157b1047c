#include "contract_site.h"

namespace ruvo::activex::testing {

HRESULT ContractSite::QueryInterface(REFIID iid, void** object) {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite))
        *object = static_cast<IOleClientSite*>(this);
    else if (IsEqualIID(iid, IID_IOleInPlaceSite) || IsEqualIID(iid, IID_IOleWindow))
        *object = static_cast<IOleInPlaceSite*>(this);
    else if (IsEqualIID(iid, IID_IOleInPlaceFrame) || IsEqualIID(iid, IID_IOleInPlaceUIWindow))
        *object = static_cast<IOleInPlaceFrame*>(this);
    else if (IsEqualIID(iid, IID_IOleControlSite))
        *object = static_cast<IOleControlSite*>(this);
    else if (IsEqualIID(iid, IID_IDispatch))
        *object = static_cast<IDispatch*>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    return S_OK;
}

HRESULT ContractSite::OnUIActivate() {
    heard.push_back("OnUIActivate");
    return S_OK;
}

HRESULT ContractSite::OnUIDeactivate(BOOL) {
    heard.push_back("OnUIDeactivate");
    return S_OK;
}

HRESULT ContractSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                       LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
    *frame = this;
    *document = nullptr;
    GetClientRect(m_window, position);
    position->top += 40; // below the host's first button
    position->left += 10;
    *clip = *position;
    info->fMDIApp = FALSE;
    info->hwndFrame = m_window;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

HRESULT ContractSite::SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) {
    heard.push_back(object ? "SetActiveObject" : "SetActiveObject(none)");
    active = object;
    return S_OK;
}

HRESULT ContractSite::OnFocus(BOOL inside) {
    heard.push_back(inside ? "OnFocus(1)" : "OnFocus(0)");
    return S_OK;
}

HRESULT ContractSite::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                             EXCEPINFO*, UINT*) {
    if (!result)
        return E_POINTER;
    if (id == DISPID_AMBIENT_USERMODE) {
        result->vt = VT_BOOL;
        result->boolVal = userMode ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    if (id == DISPID_AMBIENT_FONT && font) {
        font->AddRef();
        result->vt = VT_DISPATCH;
        result->pdispVal = font;
        return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
}

} // namespace ruvo::activex::testing
