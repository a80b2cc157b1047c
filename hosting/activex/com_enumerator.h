#pragma once

#include "hosting/activex/module.h"

#include <ocidl.h>

#include <algorithm>
#include <vector>

namespace ruvo::activex {

// What an enumerator hands out holds a reference of its own, which the caller releases.
inline void addReference(CONNECTDATA& connection) {
    connection.pUnk->AddRef();
}
inline void releaseReference(CONNECTDATA& connection) {
    connection.pUnk->Release();
}
inline void addReference(IConnectionPoint* point) {
    point->AddRef();
}
inline void releaseReference(IConnectionPoint* point) {
    point->Release();
}

// An OLE enumerator over a snapshot of items, as IEnumConnections and IEnumConnectionPoints
// are: it holds a reference on each item, and counts as a live object of the library, so the
// library stays loaded while a host holds one.
template <typename Enumerator, typename Item, const IID& enumeratorIid>
class ComEnumerator final : public Enumerator {
  public:
    // The items are taken as they are; the enumerator adds its own references.
    explicit ComEnumerator(std::vector<Item> items, std::size_t position = 0)
        : m_items(std::move(items)), m_position(position) {
        for (Item& item : m_items)
            addReference(item);
        objectCreated();
    }
    ComEnumerator(const ComEnumerator&) = delete;
    ComEnumerator& operator=(const ComEnumerator&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, enumeratorIid)) {
            *object = static_cast<Enumerator*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&m_references));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&m_references);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE Next(ULONG wanted, Item* items, ULONG* fetched) override {
        if (!items || (wanted != 1 && !fetched))
            return E_POINTER;
        ULONG given = 0;
        for (; given < wanted && m_position < m_items.size(); ++given, ++m_position) {
            items[given] = m_items[m_position];
            addReference(items[given]);
        }
        if (fetched)
            *fetched = given;
        return given == wanted ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        const std::size_t left = m_items.size() - m_position;
        m_position += std::min<std::size_t>(count, left);
        return count <= left ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        m_position = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(Enumerator** copy) override {
        if (!copy)
            return E_POINTER;
        *copy = new (std::nothrow) ComEnumerator(m_items, m_position);
        return *copy ? S_OK : E_OUTOFMEMORY;
    }

  private:
    ~ComEnumerator() {
        for (Item& item : m_items)
            releaseReference(item);
        objectDestroyed();
    }

    LONG m_references = 1;
    std::vector<Item> m_items;
    std::size_t m_position;
};

using ConnectionEnumerator = ComEnumerator<IEnumConnections, CONNECTDATA, IID_IEnumConnections>;
using ConnectionPointEnumerator =
    ComEnumerator<IEnumConnectionPoints, IConnectionPoint*, IID_IEnumConnectionPoints>;

} // namespace ruvo::activex
