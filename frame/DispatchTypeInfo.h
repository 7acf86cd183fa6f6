// The type information of a dual interface, read from its dispatch table:
// the same entries late-bound calls go through. It belongs to the library's
// type library, at the interface's place in the described interfaces.
#pragma once

#include "frame/ComObject.h"
#include "frame/DispatchTables.h"

namespace zelph {

class DispatchTypeInfo : public ComObjectRoot, public ITypeInfo {
 public:
  using InterfaceMap = zelph::InterfaceMap<ITypeInfo>;

  // A new type information over the interface `described`, which outlives
  // it (the described interfaces are static).
  static HRESULT Create(const DispatchInterface& described, ITypeInfo** info);

  STDMETHODIMP GetFuncCount(UINT* count) override;
  STDMETHODIMP GetFuncDesc(UINT index, FUNCDESC** desc) override;
  STDMETHODIMP_(void) ReleaseFuncDesc(FUNCDESC* desc) override;
  STDMETHODIMP GetNames(MEMBERID id, BSTR* names, UINT maxNames, UINT* count) override;
  STDMETHODIMP GetIDsOfNames(LPOLESTR* names, UINT count, MEMBERID* ids) override;
  STDMETHODIMP GetTypeAttr(TYPEATTR** attr) override;
  STDMETHODIMP_(void) ReleaseTypeAttr(TYPEATTR* attr) override;
  STDMETHODIMP GetContainingTypeLib(ITypeLib** lib, UINT* index) override;

 private:
  const DispatchInterface* m_Interface = nullptr;
  const DispatchTable* m_Table = nullptr;
  // The parameter types of each entry, in entry order, for the descriptions.
  std::vector<std::vector<ELEMDESC>> m_Parameters;
};

// Fills `ids` for `names` from `table`: the first name is the member, the
// rest would be parameters, which have no names. DISP_E_UNKNOWNNAME (ids
// of unknown names DISPID_UNKNOWN) when any is unknown.
HRESULT TableIdsOfNames(const DispatchTable& table, LPOLESTR* names, UINT count, DISPID* ids);

}  // namespace zelph
