// The control's persistence: it has no properties to keep, so it saves and loads nothing, and
// says so to containers that ask.
#include "hosting/activex/moravine_control.h"

namespace ruvo::activex {

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

} // namespace ruvo::activex
