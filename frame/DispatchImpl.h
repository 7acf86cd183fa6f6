// The IDispatch half of a dual interface. Late-bound calls and the type
// information come from the interface's dispatch table, and the type
// information is the one the library's type library holds for the
// interface; an interface that has no table yet offers neither, and clients
// bind through the interface's own methods.
#pragma once

#include "frame/DispatchTables.h"
#include "frame/DispatchTypeInfo.h"
#include "frame/ErrorConvention.h"
#include "platform/Unknown.h"

namespace zelph {

template <class Dual>
class DispatchImpl : public Dual {
 public:
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = Table() ? 1 : 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (!Table()) return E_NOTIMPL;
    if (index != 0) return DISP_E_BADINDEX;
    return DispatchTypeInfo::Create(*Described(), info);
  }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    if (!Table()) return E_NOTIMPL;
    return ComCall(L"GetIDsOfNames", [&] { return TableIdsOfNames(*Table(), names, count, ids); });
  }
  STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* exception, UINT* argumentError) override {
    if (!Table()) return E_NOTIMPL;
    if (!(riid == GUID{})) return DISP_E_UNKNOWNINTERFACE;
    return ComCall(L"Invoke", [&] {
      return Table()->Invoke(static_cast<Dual*>(this), id, flags, params, result, exception, argumentError);
    });
  }

 private:
  static const DispatchInterface* Described() {
    static const DispatchInterface* const described = FindDispatchInterface(uuidof<Dual>());
    return described;
  }
  static const DispatchTable* Table() { return Described() ? Described()->table : nullptr; }
};

}  // namespace zelph
