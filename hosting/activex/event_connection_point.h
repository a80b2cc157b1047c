#pragma once

#include <ocidl.h>
#include <olectl.h>

#include <vector>

namespace ruvo::activex {

// The connection point of the event interface __Moravine. The control raises no events, but a
// container may still connect a sink; this keeps the sinks it is given until they disconnect.
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

  private:
    ~EventConnectionPoint();

    LONG m_references = 1;
    IConnectionPointContainer* m_container; // not held: it owns this
    std::vector<IUnknown*> m_sinks;         // by cookie - 1; null once disconnected
};

} // namespace ruvo::activex
