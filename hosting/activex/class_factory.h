#pragma once

#include "dating/clock.h"

#include <unknwn.h>

namespace ruvo::activex {

// Creates Moravine controls, whose "today" is the machine's date. One static instance serves the
// library; its locks keep the library loaded.
class ClassFactory final : public IClassFactory {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID, void**) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

  private:
    SystemClock m_clock;
};

} // namespace ruvo::activex
