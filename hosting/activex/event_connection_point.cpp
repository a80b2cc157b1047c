#include "hosting/activex/event_connection_point.h"

#include "hosting/activex/com_boundary.h"
#include "hosting/activex/com_enumerator.h"
#include "hosting/activex/module.h"
#include "hosting/activex/ruvo_h.h"

#include <new>

namespace ruvo::activex {

// A host may keep the point after the control has gone: it keeps the library loaded.
EventConnectionPoint::EventConnectionPoint(IConnectionPointContainer* container)
    : m_container(container) {
    objectCreated();
}

EventConnectionPoint::~EventConnectionPoint() {
    disconnectAll();
    objectDestroyed();
}

void EventConnectionPoint::disconnectAll() {
    for (IDispatch*& sink : m_sinks) {
        if (sink)
            sink->Release();
        sink = nullptr;
    }
    m_container = nullptr;
}

void EventConnectionPoint::raise(DISPID event) {
    // A sink may disconnect itself or others, connect more, or let the control go while it hears
    // the event: the point stays, and sinks are found by cookie, not held in place.
    AddRef();
    const std::size_t connected = m_sinks.size();
    for (std::size_t cookie = 0; cookie < connected && cookie < m_sinks.size(); ++cookie) {
        IDispatch* sink = m_sinks[cookie];
        if (!sink)
            continue;
        sink->AddRef();
        DISPPARAMS none{nullptr, nullptr, 0, 0};
        VARIANT result;
        VariantInit(&result);
        EXCEPINFO exception{};
        // What a sink answers is its own affair: the control goes on as it was.
        if (sink->Invoke(event, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, &result,
                         &exception, nullptr) == DISP_E_EXCEPTION) {
            SysFreeString(exception.bstrSource);
            SysFreeString(exception.bstrDescription);
            SysFreeString(exception.bstrHelpFile);
        }
        VariantClear(&result);
        sink->Release();
    }
    Release();
}

HRESULT EventConnectionPoint::QueryInterface(REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConnectionPoint)) {
        *object = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG EventConnectionPoint::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&m_references));
}

ULONG EventConnectionPoint::Release() {
    const LONG left = InterlockedDecrement(&m_references);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT EventConnectionPoint::GetConnectionInterface(IID* iid) {
    if (!iid)
        return E_POINTER;
    *iid = DIID___Moravine;
    return S_OK;
}

HRESULT EventConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
    if (!container)
        return E_POINTER;
    *container = m_container;
    if (!m_container)
        return E_UNEXPECTED;
    m_container->AddRef();
    return S_OK;
}

HRESULT EventConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    return atBoundary([&]() -> HRESULT {
        if (!sink || !cookie)
            return E_POINTER;
        *cookie = 0;
        m_sinks.reserve(m_sinks.size() + 1); // nothing throws once the sink is held
        // The events go through IDispatch: a sink of __Moravine itself is one, and so is a sink
        // that knows only IDispatch, as a script host's is.
        IDispatch* events = nullptr;
        if (FAILED(sink->QueryInterface(DIID___Moravine, reinterpret_cast<void**>(&events))) &&
            FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&events))))
            return CONNECT_E_CANNOTCONNECT;
        m_sinks.push_back(events);
        *cookie = static_cast<DWORD>(m_sinks.size());
        return S_OK;
    });
}

HRESULT EventConnectionPoint::Unadvise(DWORD cookie) {
    if (cookie == 0 || cookie > m_sinks.size() || !m_sinks[cookie - 1])
        return CONNECT_E_NOCONNECTION;
    m_sinks[cookie - 1]->Release();
    m_sinks[cookie - 1] = nullptr;
    return S_OK;
}

HRESULT EventConnectionPoint::EnumConnections(IEnumConnections** connections) {
    return atBoundary([&]() -> HRESULT {
        if (!connections)
            return E_POINTER;
        std::vector<CONNECTDATA> connected;
        for (std::size_t index = 0; index < m_sinks.size(); ++index) {
            if (m_sinks[index])
                connected.push_back({m_sinks[index], static_cast<DWORD>(index + 1)});
        }
        *connections = new (std::nothrow) ConnectionEnumerator(std::move(connected));
        return *connections ? S_OK : E_OUTOFMEMORY;
    });
}

} // namespace ruvo::activex
