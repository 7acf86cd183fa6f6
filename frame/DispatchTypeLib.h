// The library's type library: the type information of every dual interface
// the library describes, in the order the interface groups list them. Its
// identity is the one registration records, so that a client that loads
// the registered library meets the same type information as one that asks
// an object.
#pragma once

#include "frame/ComObject.h"
#include "frame/DispatchTables.h"
#include "frame/Guids.h"

namespace zelph {

class DispatchTypeLib : public ComObjectRoot, public ITypeLib {
 public:
  using InterfaceMap = zelph::InterfaceMap<ITypeLib>;

  static constexpr TypeLibrary kIdentity = {&LIBID_ZELPHCORELib, L"ZELPHCORELib", 1, 0};

  // A new type library; live libraries hold the library's module loaded.
  static HRESULT Create(ITypeLib** lib);

  STDMETHODIMP_(UINT) GetTypeInfoCount() override;
  STDMETHODIMP GetTypeInfo(UINT index, ITypeInfo** info) override;
  STDMETHODIMP GetTypeInfoOfGuid(REFGUID guid, ITypeInfo** info) override;
  STDMETHODIMP GetLibAttr(TLIBATTR** attr) override;
  STDMETHODIMP_(void) ReleaseTLibAttr(TLIBATTR* attr) override;
  STDMETHODIMP GetDocumentation(INT index, BSTR* name, BSTR* docString, DWORD* helpContext, BSTR* helpFile) override;
};

}  // namespace zelph
