// The type information of a dual interface, read from its dispatch table:
// the same entries late-bound calls go through.
#pragma once

#include "frame/ComObject.h"
#include "frame/DispatchTable.h"

namespace zelph {

class DispatchTypeInfo : public ComObjectRoot, public ITypeInfo {
 public:
  using InterfaceMap = zelph::InterfaceMap<ITypeInfo>;

  // A new type information over `table`, which outlives it (tables are
  // static).
  static HRESULT Create(const DispatchTable& table, ITypeInfo** info);

  STDMETHODIMP GetFuncCount(UINT* count) override;
  STDMETHODIMP GetFuncDesc(UINT index, FUNCDESC** desc) override;
  STDMETHODIMP_(void) ReleaseFuncDesc(FUNCDESC* desc) override;
  STDMETHODIMP GetNames(MEMBERID id, BSTR* names, UINT maxNames, UINT* count) override;
  STDMETHODIMP GetIDsOfNames(LPOLESTR* names, UINT count, MEMBERID* ids) override;

 private:
  const DispatchTable* m_Table = nullptr;
  // The parameter types of each entry, in entry order, for the descriptions.
  std::vector<std::vector<ELEMDESC>> m_Parameters;
};

// Fills `ids` for `names` from `table`: the first name is the member, the
// rest would be parameters, which have no names. DISP_E_UNKNOWNNAME (ids
// of unknown names DISPID_UNKNOWN) when any is unknown.
HRESULT TableIdsOfNames(const DispatchTable& table, LPOLESTR* names, UINT count, DISPID* ids);

}  // namespace zelph
