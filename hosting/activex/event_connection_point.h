#pragma once

#include <ocidl.h>
#include <olectl.h>

#include <vector>

namespace ruvo::activex {

// The connection point of the event interface __Moravine: keeps the sinks a container connects
// until they disconnect, and raises each event through every sink's IDispatch, as script hosts and
// VB sink events.
class EventConnectionPoint final : public IConnectionPoint {
  public:
    explicit EventConnectionPoint(IConnectionPointContainer* container);
    EventConnectionPoint(const EventConnectionPoint&) = delete;
    EventConnectionPoint& operator=(const EventConnectionPoint&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID*) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer**) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown*, DWORD*) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override;

    // Lets go of every sink; the container calls it as it goes away.
    void disconnectAll();

    // Calls the event, which takes no arguments, on each sink connected when it begins.
    void raise(DISPID event);

  private:
    ~EventConnectionPoint();

    LONG m_references = 1;
    IConnectionPointContainer* m_container; // not held: it owns this
    std::vector<IDispatch*> m_sinks;        // by cookie - 1; null once disconnected
};

} // namespace ruvo::activex
