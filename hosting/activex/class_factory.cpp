#include "hosting/activex/class_factory.h"

#include "hosting/activex/com_boundary.h"
#include "hosting/activex/module.h"
#include "hosting/activex/moravine_control.h"

#include <new>

namespace ruvo::activex {

HRESULT ClassFactory::QueryInterface(REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

// The factory lives as long as the library; only locks count.
ULONG ClassFactory::AddRef() {
    return 2;
}
ULONG ClassFactory::Release() {
    return 1;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    // Nothing the control's construction throws reaches the host: it gets an HRESULT.
    return atBoundary([&] {
        auto* control = new MoravineControl(m_clock);
        const HRESULT result = control->QueryInterface(iid, object);
        control->Release();
        return result;
    });
}

HRESULT ClassFactory::LockServer(BOOL lock) {
    lockServer(lock != FALSE);
    return S_OK;
}

} // namespace ruvo::activex
