// Creating the objects a component holds: the library's own classes come
// from this library's class factories (so a component never depends on the
// library being registered), the host's through the component runtime.
#pragma once

#include "platform/ClassRegistry.h"
#include "platform/ComException.h"
#include "platform/ComPtr.h"
#include "platform/Guid.h"
#include "platform/Unknown.h"

namespace zelph {

// A new instance of one of this library's live classes, through its cached
// class factory.
HRESULT CreateLibraryInstance(REFCLSID clsid, REFIID riid, void** result);

// A new object of this library's class `clsid` as `Interface`, or null when
// it cannot be made: components leave such a member empty.
template <class Interface>
CComPtr<Interface> NewLibraryObject(REFCLSID clsid) {
  CComPtr<Interface> object;
  if (FAILED(CreateLibraryInstance(clsid, uuidof<Interface>(), reinterpret_cast<void**>(&object)))) return nullptr;
  return object;
}

// A new host object of class `clsid` as `Interface`, or null when it cannot
// be made.
template <class Interface>
CComPtr<Interface> NewHostObject(REFCLSID clsid) {
  CComPtr<Interface> object;
  if (FAILED(object.CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER))) return nullptr;
  return object;
}

// The same where the object is required: a failure throws its HRESULT.
template <class Interface>
CComPtr<Interface> RequireHostObject(REFCLSID clsid) {
  CComPtr<Interface> object;
  HRESULT hr = object.CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER);
  if (FAILED(hr)) Fail(hr);
  if (!object) Fail(E_NOINTERFACE);
  return object;
}

}  // namespace zelph
