#pragma once

#include <utility>

namespace ruvo::activex {

// An interface pointer holding one reference of its own, released when it goes or is replaced.
template <typename Interface>
class ComPtr {
  public:
    ComPtr() = default;
    ComPtr(const ComPtr& other) : m_pointer(other.share()) {}
    ComPtr(ComPtr&& other) noexcept : m_pointer(std::exchange(other.m_pointer, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(m_pointer, other.m_pointer);
        return *this;
    }
    ~ComPtr() { reset(); }

    // Holds pointer with a reference of its own: the caller keeps the one it has.
    static ComPtr holding(Interface* pointer) {
        ComPtr held;
        held.m_pointer = pointer;
        if (pointer)
            pointer->AddRef();
        return held;
    }
    // Takes over the reference that pointer carries, as a new object's first.
    static ComPtr adopting(Interface* pointer) {
        ComPtr held;
        held.m_pointer = pointer;
        return held;
    }

    void reset() {
        if (Interface* pointer = std::exchange(m_pointer, nullptr))
            pointer->Release();
    }
    Interface* get() const { return m_pointer; }
    Interface* operator->() const { return m_pointer; }
    explicit operator bool() const { return m_pointer != nullptr; }

    // Where a function that hands out a reference writes it; what was held is released first.
    Interface** put() {
        reset();
        return &m_pointer;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }
    // A new reference, for a caller's out parameter; null while nothing is held.
    Interface* share() const {
        if (m_pointer)
            m_pointer->AddRef();
        return m_pointer;
    }

  private:
    Interface* m_pointer = nullptr;
};

} // namespace ruvo::activex
