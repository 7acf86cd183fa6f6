#include "frame/DispatchTable.h"

#include "platform/WideString.h"

namespace zelph {
namespace {

constexpr WORD kPutKinds = DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF;

bool Answers(WORD kind, WORD flags) {
  // A property get may come as a method call: scripts cannot tell them apart.
  if (kind == DISPATCH_PROPERTYGET) return flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD);
  return flags & kind;
}

// A put carries its value as the one named argument DISPID_PROPERTYPUT;
// other calls take no named arguments.
bool NamedArgumentsFit(const DISPPARAMS* params, WORD kind) {
  const UINT named = params ? params->cNamedArgs : 0;
  if (!(kind & kPutKinds)) return named == 0;
  return named == 1 && params->rgdispidNamedArgs && params->rgdispidNamedArgs[0] == DISPID_PROPERTYPUT;
}

HRESULT Raised(HRESULT hr, EXCEPINFO* exception) {
  if (!exception) return hr;
  *exception = EXCEPINFO{};
  exception->scode = hr;
  return DISP_E_EXCEPTION;
}

}  // namespace

DispatchTable::DispatchTable(std::initializer_list<DispatchMember> members, const std::vector<Include>& includes)
    : m_Members(members) {
  for (const DispatchMember& member : m_Members) m_Entries.push_back({&member, member.Id()});
  for (const Include& include : includes) {
    for (const Entry& entry : include.table.Entries()) m_Entries.push_back({entry.member, entry.id + include.offset});
  }
}

DISPID DispatchTable::IdOf(std::wstring_view name) const {
  for (const Entry& entry : m_Entries) {
    if (EqualsNoCase(entry.member->Name(), name)) return entry.id;
  }
  return DISPID_UNKNOWN;
}

const std::wstring* DispatchTable::NameOf(DISPID id) const {
  for (const Entry& entry : m_Entries) {
    if (entry.id == id) return &entry.member->Name();
  }
  return nullptr;
}

const DispatchMember* DispatchTable::Find(DISPID id, WORD flags) const {
  const DispatchMember* putRef = nullptr;
  for (const Entry& entry : m_Entries) {
    if (entry.id != id) continue;
    const WORD kind = entry.member->Kind();
    if (Answers(kind, flags)) return entry.member;
    if (kind == DISPATCH_PROPERTYPUTREF && (flags & DISPATCH_PROPERTYPUT)) putRef = entry.member;
  }
  return putRef;
}

HRESULT DispatchTable::Invoke(IUnknown* object, DISPID id, WORD flags, const DISPPARAMS* params, VARIANT* result,
                              EXCEPINFO* exception, UINT* argumentError) const {
  const DispatchMember* member = Find(id, flags);
  if (!member) return DISP_E_MEMBERNOTFOUND;
  if (params && params->cArgs > 0 && !params->rgvarg) return E_INVALIDARG;
  DispatchArguments arguments(params, argumentError);
  if (arguments.Count() != member->ArgumentTypes().size()) return DISP_E_BADPARAMCOUNT;
  if (!NamedArgumentsFit(params, member->Kind())) return DISP_E_PARAMNOTFOUND;
  HRESULT hr = member->Call(object, arguments, result);
  switch (hr) {
    case DISP_E_BADPARAMCOUNT:
    case DISP_E_TYPEMISMATCH:
    case DISP_E_OVERFLOW:
    case DISP_E_MEMBERNOTFOUND:
      return hr;
    default:
      // What the member itself refused comes back as an exception, as
      // automation clients expect.
      return FAILED(hr) ? Raised(hr, exception) : hr;
  }
}

}  // namespace zelph
