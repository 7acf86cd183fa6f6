#include "frame/DispatchTypeInfo.h"

#include "frame/DispatchTypeLib.h"
#include "frame/ErrorConvention.h"
#include "platform/ComException.h"

namespace zelph {

HRESULT TableIdsOfNames(const DispatchTable& table, LPOLESTR* names, UINT count, DISPID* ids) {
  if (count == 0) return S_OK;
  if (!names || !ids) return E_POINTER;
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  if (!names[0]) return E_POINTER;
  ids[0] = table.IdOf(names[0]);
  return ids[0] == DISPID_UNKNOWN || count > 1 ? DISP_E_UNKNOWNNAME : S_OK;
}

HRESULT DispatchTypeInfo::Create(const DispatchInterface& described, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  return ComCall(L"DispatchTypeInfo::Create", [&] {
    ComObject<DispatchTypeInfo>* created = nullptr;
    ThrowIfFailed(ComObject<DispatchTypeInfo>::CreateInstance(&created));
    CComPtr<ITypeInfo> holder(created);
    created->m_Interface = &described;
    created->m_Table = described.table;
    for (const DispatchTable::Entry& entry : described.table->Entries()) {
      std::vector<ELEMDESC>& parameters = created->m_Parameters.emplace_back();
      for (VARTYPE type : entry.member->ArgumentTypes()) parameters.push_back(ELEMDESC{TYPEDESC{type}});
    }
    *info = holder.Detach();
  });
}

STDMETHODIMP DispatchTypeInfo::GetFuncCount(UINT* count) {
  return ComCall(
      L"GetFuncCount", [&] { *count = static_cast<UINT>(m_Table->Entries().size()); }, count);
}

STDMETHODIMP DispatchTypeInfo::GetFuncDesc(UINT index, FUNCDESC** desc) {
  if (desc) *desc = nullptr;
  return ComCall(
      L"GetFuncDesc",
      [&]() -> HRESULT {
        if (index >= m_Table->Entries().size()) return TYPE_E_ELEMENTNOTFOUND;
        const DispatchTable::Entry& entry = m_Table->Entries()[index];
        std::vector<ELEMDESC>& parameters = m_Parameters[index];
        *desc = new FUNCDESC{entry.id, parameters.empty() ? nullptr : parameters.data(),
                             static_cast<INVOKEKIND>(entry.member->Kind()), static_cast<SHORT>(parameters.size()),
                             ELEMDESC{TYPEDESC{entry.member->ResultType()}}};
        return S_OK;
      },
      desc);
}

STDMETHODIMP_(void) DispatchTypeInfo::ReleaseFuncDesc(FUNCDESC* desc) { delete desc; }

STDMETHODIMP DispatchTypeInfo::GetNames(MEMBERID id, BSTR* names, UINT maxNames, UINT* count) {
  return ComCall(
      L"GetNames",
      [&]() -> HRESULT {
        *count = 0;
        const std::wstring* name = m_Table->NameOf(id);
        if (!name) return TYPE_E_ELEMENTNOTFOUND;
        if (maxNames == 0) return S_OK;
        names[0] = SysAllocStringLen(name->data(), static_cast<UINT>(name->size()));
        ThrowIfNull(names[0]);
        *count = 1;
        return S_OK;
      },
      names, count);
}

STDMETHODIMP DispatchTypeInfo::GetIDsOfNames(LPOLESTR* names, UINT count, MEMBERID* ids) {
  return ComCall(L"ITypeInfo::GetIDsOfNames", [&] { return TableIdsOfNames(*m_Table, names, count, ids); });
}

STDMETHODIMP DispatchTypeInfo::GetTypeAttr(TYPEATTR** attr) {
  if (attr) *attr = nullptr;
  return ComCall(
      L"GetTypeAttr",
      [&] {
        // Late binding sees a dual interface through IDispatch.
        *attr = new TYPEATTR{*m_Interface->iid, TKIND_DISPATCH, static_cast<WORD>(m_Table->Entries().size())};
      },
      attr);
}

STDMETHODIMP_(void) DispatchTypeInfo::ReleaseTypeAttr(TYPEATTR* attr) { delete attr; }

STDMETHODIMP DispatchTypeInfo::GetContainingTypeLib(ITypeLib** lib, UINT* index) {
  if (lib) *lib = nullptr;
  return ComCall(
      L"GetContainingTypeLib",
      [&] {
        ThrowIfFailed(DispatchTypeLib::Create(lib));
        if (index) *index = static_cast<UINT>(m_Interface - DispatchInterfaces().data());
      },
      lib);
}

}  // namespace zelph
