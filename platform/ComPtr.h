// Counted interface pointers: CComPtr holds one reference, CComQIPtr asks
// for its interface when assigned another.
#pragma once

#include <memory>
#include <type_traits>
#include <utility>

#include "platform/Unknown.h"

template <class T>
class CComPtr {
 public:
  CComPtr() = default;
  CComPtr(std::nullptr_t) {}
  CComPtr(T* pointer) : p(pointer) {
    if (p) p->AddRef();
  }
  CComPtr(const CComPtr& other) : CComPtr(other.p) {}
  CComPtr(CComPtr&& other) noexcept : p(std::exchange(other.p, nullptr)) {}
  ~CComPtr() { Release(); }

  CComPtr& operator=(T* pointer) {
    if (pointer != p) CComPtr(pointer).Swap(*this);
    return *this;
  }
  CComPtr& operator=(const CComPtr& other) { return *this = other.p; }
  CComPtr& operator=(CComPtr&& other) noexcept {
    if (this != std::addressof(other)) {
      Release();
      p = std::exchange(other.p, nullptr);
    }
    return *this;
  }
  CComPtr& operator=(std::nullptr_t) {
    Release();
    return *this;
  }

  operator T*() const { return p; }
  T* operator->() const { return p; }
  T& operator*() const { return *p; }
  // The address for an out-parameter; the pointer must be empty, so that a
  // held reference is never overwritten and leaked.
  T** operator&() {
    Release();
    return &p;
  }
  bool operator!() const { return p == nullptr; }
  explicit operator bool() const { return p != nullptr; }

  void Release() {
    if (T* held = std::exchange(p, nullptr)) held->Release();
  }
  // Takes over a reference the caller already owns.
  void Attach(T* pointer) {
    Release();
    p = pointer;
  }
  // Hands the reference to the caller.
  T* Detach() { return std::exchange(p, nullptr); }
  HRESULT CopyTo(T** target) const {
    if (!target) return E_POINTER;
    *target = p;
    if (p) p->AddRef();
    return S_OK;
  }
  template <class Q>
  HRESULT QueryInterface(Q** target) const {
    if (!target) return E_POINTER;
    *target = nullptr;
    if (!p) return E_POINTER;
    return p->QueryInterface(uuidof<Q>(), reinterpret_cast<void**>(target));
  }
  // Identity comparison: both sides asked for IUnknown.
  bool IsEqualObject(IUnknown* other) const;
  HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer = nullptr, DWORD context = 1);
  void Swap(CComPtr& other) noexcept { std::swap(p, other.p); }

  T* p = nullptr;
};

template <class T>
class CComQIPtr : public CComPtr<T> {
 public:
  CComQIPtr() = default;
  CComQIPtr(std::nullptr_t) {}
  CComQIPtr(T* pointer) : CComPtr<T>(pointer) {}
  CComQIPtr(const CComQIPtr& other) : CComPtr<T>(other.p) {}
  CComQIPtr(IUnknown* other)
    requires(!std::is_same_v<T, IUnknown>)
  {
    AskFrom(other);
  }
  template <class Other>
  CComQIPtr(const CComPtr<Other>& other) {
    AskFrom(other.p);
  }

  CComQIPtr& operator=(T* pointer) {
    CComPtr<T>::operator=(pointer);
    return *this;
  }
  CComQIPtr& operator=(const CComQIPtr& other) {
    CComPtr<T>::operator=(other.p);
    return *this;
  }
  CComQIPtr& operator=(IUnknown* other)
    requires(!std::is_same_v<T, IUnknown>)
  {
    CComQIPtr(other).Swap(*this);
    return *this;
  }

 private:
  void AskFrom(IUnknown* other) {
    if (other) other->QueryInterface(uuidof<T>(), reinterpret_cast<void**>(&this->p));
  }
};

template <class T>
bool CComPtr<T>::IsEqualObject(IUnknown* other) const {
  if (!p && !other) return true;
  if (!p || !other) return false;
  CComPtr<IUnknown> mine;
  CComPtr<IUnknown> theirs;
  p->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&mine));
  other->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&theirs));
  return mine.p == theirs.p;
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID riid, void** object);

template <class T>
HRESULT CComPtr<T>::CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context) {
  Release();
  return ::CoCreateInstance(clsid, outer, context, uuidof<T>(), reinterpret_cast<void**>(&p));
}
