#include "frame/DispatchTypeLib.h"

#include "frame/DispatchTypeInfo.h"
#include "frame/ErrorConvention.h"
#include "platform/Bstr.h"
#include "platform/ComException.h"
#include "platform/ComPtr.h"

namespace zelph {

HRESULT DispatchTypeLib::Create(ITypeLib** lib) {
  if (!lib) return E_POINTER;
  *lib = nullptr;
  return ComCall(L"DispatchTypeLib::Create", [&] {
    ComObject<DispatchTypeLib>* created = nullptr;
    ThrowIfFailed(ComObject<DispatchTypeLib>::CreateInstance(&created));
    CComPtr<ITypeLib> holder(created);
    *lib = holder.Detach();
  });
}

STDMETHODIMP_(UINT) DispatchTypeLib::GetTypeInfoCount() { return static_cast<UINT>(DispatchInterfaces().size()); }

STDMETHODIMP DispatchTypeLib::GetTypeInfo(UINT index, ITypeInfo** info) {
  if (info) *info = nullptr;
  return ComCall(
      L"ITypeLib::GetTypeInfo",
      [&]() -> HRESULT {
        std::span<const DispatchInterface> described = DispatchInterfaces();
        if (index >= described.size()) return TYPE_E_ELEMENTNOTFOUND;
        return DispatchTypeInfo::Create(described[index], info);
      },
      info);
}

STDMETHODIMP DispatchTypeLib::GetTypeInfoOfGuid(REFGUID guid, ITypeInfo** info) {
  if (info) *info = nullptr;
  return ComCall(
      L"GetTypeInfoOfGuid",
      [&]() -> HRESULT {
        const DispatchInterface* described = FindDispatchInterface(guid);
        if (!described) return TYPE_E_ELEMENTNOTFOUND;
        return DispatchTypeInfo::Create(*described, info);
      },
      info);
}

STDMETHODIMP DispatchTypeLib::GetLibAttr(TLIBATTR** attr) {
  if (attr) *attr = nullptr;
  return ComCall(
      L"GetLibAttr",
      [&] {
        *attr = new TLIBATTR{*kIdentity.libid, 0, kIdentity.major, kIdentity.minor};
      },
      attr);
}

STDMETHODIMP_(void) DispatchTypeLib::ReleaseTLibAttr(TLIBATTR* attr) { delete attr; }

STDMETHODIMP DispatchTypeLib::GetDocumentation(INT index, BSTR* name, BSTR* docString, DWORD* helpContext,
                                               BSTR* helpFile) {
  for (BSTR* text : {name, docString, helpFile}) {
    if (text) *text = nullptr;
  }
  if (helpContext) *helpContext = 0;
  return ComCall(L"GetDocumentation", [&]() -> HRESULT {
    std::span<const DispatchInterface> described = DispatchInterfaces();
    if (index < -1 || index >= static_cast<INT>(described.size())) return TYPE_E_ELEMENTNOTFOUND;
    // Only names are kept: the library carries no help text.
    if (name) {
      *name = SysAllocString(index == -1 ? kIdentity.name : described[index].name);
      ThrowIfNull(*name);
    }
    return S_OK;
  });
}

}  // namespace zelph
