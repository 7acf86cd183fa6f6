#include "frame/LibraryObjects.h"

#include "frame/ComServer.h"

namespace zelph {

HRESULT CreateLibraryInstance(REFCLSID clsid, REFIID riid, void** result) {
  if (!result) return E_POINTER;
  *result = nullptr;
  CComPtr<IClassFactory> factory;
  HRESULT hr = ThisModule().GetClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory));
  if (FAILED(hr)) return hr;
  return factory->CreateInstance(nullptr, riid, result);
}

}  // namespace zelph
