// The templates every component class is built from: the object root with
// its plain reference count, the interface map that QueryInterface walks,
// and the plain, aggregated, contained and cached object wrappers.
//
// A component class derives from ComObjectRoot and its interfaces, declares
//     using InterfaceMap = zelph::InterfaceMap<IFoo, zelph::DispatchAs<IFoo>, IBar>;
// and is created as ComObject<T> (alone) or ComAggObject<T> (inside an outer
// object). Objects lock the module of the binary that created them, as a
// server must not unload while its objects live; the wrappers are therefore
// private to each binary.
#pragma once

#include <limits>
#include <new>
#include <type_traits>

#include "frame/ComModule.h"
#include "platform/Unknown.h"

namespace zelph {

// The count an object holds while it is being destroyed: high enough that
// a release during FinalRelease never reaches zero again.
constexpr ULONG kDestroyingRefCount = std::numeric_limits<ULONG>::max() / 2;

// Reference count and lifetime hooks of a component object. Single-threaded:
// the count is a plain integer.
class ComObjectRoot {
 public:
  HRESULT FinalConstruct() { return S_OK; }
  void FinalRelease() {}

  ULONG InternalAddRef() { return ++m_RefCount; }
  ULONG InternalRelease() { return --m_RefCount; }
  // The outer object's unknown while aggregated, else null.
  IUnknown* OuterUnknown() const { return m_OuterUnknown; }

 protected:
  ULONG m_RefCount = 0;
  IUnknown* m_OuterUnknown = nullptr;

  template <class T>
  friend class ComContainedObject;
};

// An interface map entry answering `Asked` with the object seen as `Via`:
// DispatchAs<IFoo> answers IDispatch with the dual interface IFoo.
template <class Asked, class Via>
struct EntryAs {};
template <class Dual>
using DispatchAs = EntryAs<IDispatch, Dual>;

namespace detail {
template <class Entry>
struct MapEntry {
  static const IID& Iid() { return uuidof<Entry>(); }
  template <class T>
  static IUnknown* Cast(T* object) {
    return static_cast<Entry*>(object);
  }
};
template <class Asked, class Via>
struct MapEntry<EntryAs<Asked, Via>> {
  static const IID& Iid() { return uuidof<Asked>(); }
  template <class T>
  static IUnknown* Cast(T* object) {
    return static_cast<Asked*>(static_cast<Via*>(object));
  }
};
template <class Entry, class...>
struct First {
  using type = Entry;
};
}  // namespace detail

// The interfaces an object answers, in the order QueryInterface tries them.
// IUnknown is answered by the first entry, which is the object's identity.
template <class... Entries>
struct InterfaceMap {
  template <class T>
  static IUnknown* Identity(T* object) {
    return detail::MapEntry<typename detail::First<Entries...>::type>::Cast(object);
  }
  // Finds the interface without adding a reference.
  template <class T>
  static IUnknown* Find(T* object, REFIID riid) {
    if (riid == IID_IUnknown) return Identity(object);
    IUnknown* found = nullptr;
    ((found == nullptr && detail::MapEntry<Entries>::Iid() == riid ? (found = detail::MapEntry<Entries>::Cast(object))
                                                                     : found),
     ...);
    return found;
  }
};

}  // namespace zelph

// What follows locks a module, so it is private to each binary: objects of
// one server must count in that server's module, never in another's.
#pragma GCC visibility push(hidden)

// The module of the binary this code is compiled into; each server (and each
// program that makes objects of its own) defines it once.
zelph::ComModule& ThisModule();

namespace zelph {

// QueryInterface over the object's map; the found interface gets a reference
// through its own AddRef, so a contained object's references go to its outer.
template <class T>
HRESULT QueryInterfaceMap(T* object, REFIID riid, void** result) {
  if (!result) return E_POINTER;
  *result = nullptr;
  IUnknown* found = T::InterfaceMap::Find(object, riid);
  if (!found) return E_NOINTERFACE;
  found->AddRef();
  *result = found;
  return S_OK;
}

// Finishes a newly allocated object: runs FinalConstruct with a guard
// reference, so that a FinalConstruct which hands out and releases `this`
// does not destroy the object half-built; deletes the object when it fails
// and hands it out (with no reference held) when it succeeds.
template <class Object>
HRESULT FinishConstruction(Object* object, Object** created) {
  if (!object) return E_OUTOFMEMORY;
  object->InternalAddRef();
  HRESULT hr = object->FinalConstruct();
  object->InternalRelease();
  if (FAILED(hr)) {
    delete object;
    return hr;
  }
  *created = object;
  return S_OK;
}

// A component alone: owns its reference count and deletes itself at zero.
template <class T>
class ComObject final : public T {
 public:
  ComObject();
  ~ComObject();

  STDMETHODIMP QueryInterface(REFIID riid, void** result) override { return QueryInterfaceMap<T>(this, riid, result); }
  STDMETHODIMP_(ULONG) AddRef() override { return this->InternalAddRef(); }
  STDMETHODIMP_(ULONG) Release() override {
    ULONG left = this->InternalRelease();
    if (left == 0) delete this;
    return left;
  }

  // A new object with FinalConstruct done and no reference held; the caller
  // takes the first reference. On failure nothing is left behind.
  static HRESULT CreateInstance(ComObject** created);
};

// The component inside an aggregate: its interfaces delegate reference
// counting and QueryInterface to the outer object.
template <class T>
class ComContainedObject final : public T {
 public:
  explicit ComContainedObject(IUnknown* outer) { this->m_OuterUnknown = outer; }

  STDMETHODIMP QueryInterface(REFIID riid, void** result) override {
    return this->m_OuterUnknown->QueryInterface(riid, result);
  }
  STDMETHODIMP_(ULONG) AddRef() override { return this->m_OuterUnknown->AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return this->m_OuterUnknown->Release(); }
};

// The inner unknown of an aggregated component: the outer object holds it
// and asks it for the component's interfaces.
template <class T>
class ComAggObject final : public IUnknown {
 public:
  explicit ComAggObject(IUnknown* outer);
  ~ComAggObject();

  STDMETHODIMP QueryInterface(REFIID riid, void** result) override {
    if (!result) return E_POINTER;
    if (riid == IID_IUnknown) {
      *result = static_cast<IUnknown*>(this);
      AddRef();
      return S_OK;
    }
    return QueryInterfaceMap<T>(&m_Contained, riid, result);
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++m_RefCount; }
  STDMETHODIMP_(ULONG) Release() override {
    ULONG left = --m_RefCount;
    if (left == 0) delete this;
    return left;
  }

  HRESULT FinalConstruct() { return m_Contained.FinalConstruct(); }
  ULONG InternalAddRef() { return ++m_RefCount; }
  ULONG InternalRelease() { return --m_RefCount; }
  static HRESULT CreateInstance(IUnknown* outer, ComAggObject** created);

 private:
  ULONG m_RefCount = 0;
  ComContainedObject<T> m_Contained;
};

// An object kept by the module itself (a class factory): only references
// beyond the module's own lock the module.
template <class T>
class ComCachedObject final : public T {
 public:
  ComCachedObject() = default;
  ~ComCachedObject() { this->FinalRelease(); }

  STDMETHODIMP QueryInterface(REFIID riid, void** result) override { return QueryInterfaceMap<T>(this, riid, result); }
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
};

// Makes the plain object without an outer unknown, the aggregated one with.
// This is the instance creator of an object map entry.
template <class T>
HRESULT CreateComInstance(IUnknown* outer, REFIID riid, void** result);


template <class T>
ComObject<T>::ComObject() {
  ThisModule().Lock();
}

template <class T>
ComObject<T>::~ComObject() {
  this->m_RefCount = kDestroyingRefCount;
  this->FinalRelease();
  ThisModule().Unlock();
}

template <class T>
HRESULT ComObject<T>::CreateInstance(ComObject** created) {
  if (!created) return E_POINTER;
  *created = nullptr;
  return FinishConstruction(new (std::nothrow) ComObject(), created);
}

template <class T>
ComAggObject<T>::ComAggObject(IUnknown* outer) : m_Contained(outer) {
  ThisModule().Lock();
}

template <class T>
ComAggObject<T>::~ComAggObject() {
  m_RefCount = kDestroyingRefCount;
  m_Contained.FinalRelease();
  ThisModule().Unlock();
}

template <class T>
HRESULT ComAggObject<T>::CreateInstance(IUnknown* outer, ComAggObject** created) {
  if (!created) return E_POINTER;
  *created = nullptr;
  if (!outer) return E_INVALIDARG;
  return FinishConstruction(new (std::nothrow) ComAggObject(outer), created);
}

template <class T>
ULONG ComCachedObject<T>::AddRef() {
  ULONG count = this->InternalAddRef();
  if (count == 2) ThisModule().Lock();
  return count;
}

template <class T>
ULONG ComCachedObject<T>::Release() {
  ULONG count = this->InternalRelease();
  if (count == 0) {
    delete this;
  } else if (count == 1) {
    ThisModule().Unlock();
  }
  return count;
}

// The first reference is taken through QueryInterface; when that fails the
// object's count returns to zero and it is deleted.
template <class Object>
HRESULT HandOutNew(Object* object, REFIID riid, void** result) {
  object->InternalAddRef();
  HRESULT hr = object->QueryInterface(riid, result);
  object->Release();
  return hr;
}

template <class T>
HRESULT CreateComInstance(IUnknown* outer, REFIID riid, void** result) {
  if (!result) return E_POINTER;
  *result = nullptr;
  if (outer) {
    ComAggObject<T>* aggregated = nullptr;
    HRESULT hr = ComAggObject<T>::CreateInstance(outer, &aggregated);
    return FAILED(hr) ? hr : HandOutNew(aggregated, riid, result);
  }
  ComObject<T>* object = nullptr;
  HRESULT hr = ComObject<T>::CreateInstance(&object);
  return FAILED(hr) ? hr : HandOutNew(object, riid, result);
}

}  // namespace zelph
#pragma GCC visibility pop
