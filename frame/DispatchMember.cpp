#include "frame/DispatchMember.h"

namespace zelph {

DispatchMember::DispatchMember(const wchar_t* name, DISPID id, WORD kind, std::vector<VARTYPE> argumentTypes,
                               VARTYPE resultType, Caller caller)
    : m_Name(name),
      m_Id(id),
      m_Kind(kind),
      m_ArgumentTypes(std::move(argumentTypes)),
      m_ResultType(resultType),
      m_Caller(std::move(caller)) {}

HRESULT DispatchMember::Call(IUnknown* object, const DispatchArguments& arguments, VARIANT* result) const {
  if (arguments.Count() != m_ArgumentTypes.size()) return DISP_E_BADPARAMCOUNT;
  if (result) VariantInit(result);
  return m_Caller(object, arguments, result);
}

}  // namespace zelph
