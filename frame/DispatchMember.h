// One entry of a dispatch table: a property getter, a property setter (by
// value or by reference) or a method of a dual interface, made from the
// interface's own member function. The C++ parameter types decide the
// variant types of the arguments and the result, so the entry that calls
// the member also describes it.
//
//     DispatchMember::Get(L"XSize", 1, &IBillboard3D::get_XSize)
//     DispatchMember::Method(L"QuerySize", 7, &IBillboard3D::QuerySize)
//
// A member's single trailing out-parameter is its result; when a method has
// more out-parameters, all of them come back through by-reference
// arguments.
#pragma once

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "frame/DispatchArguments.h"
#include "frame/DispatchValue.h"
#include "platform/ComPtr.h"

namespace zelph {

class DispatchMember {
 public:
  // Calls the member on the object's `Interface` (asked for by
  // QueryInterface); `result` may be null.
  using Caller = std::function<HRESULT(IUnknown* object, const DispatchArguments& arguments, VARIANT* result)>;

  template <class Interface, class... P>
  static DispatchMember Get(const wchar_t* name, DISPID id, HRESULT (Interface::*member)(P...)) {
    return Make(name, id, DISPATCH_PROPERTYGET, member);
  }
  template <class Interface, class... P>
  static DispatchMember Put(const wchar_t* name, DISPID id, HRESULT (Interface::*member)(P...)) {
    return Make(name, id, DISPATCH_PROPERTYPUT, member);
  }
  template <class Interface, class... P>
  static DispatchMember PutRef(const wchar_t* name, DISPID id, HRESULT (Interface::*member)(P...)) {
    return Make(name, id, DISPATCH_PROPERTYPUTREF, member);
  }
  template <class Interface, class... P>
  static DispatchMember Method(const wchar_t* name, DISPID id, HRESULT (Interface::*member)(P...)) {
    return Make(name, id, DISPATCH_METHOD, member);
  }

  const std::wstring& Name() const { return m_Name; }
  DISPID Id() const { return m_Id; }
  // One of DISPATCH_PROPERTYGET, _PROPERTYPUT, _PROPERTYPUTREF, _METHOD.
  WORD Kind() const { return m_Kind; }
  // Variant types of the arguments, first first; out-arguments carry VT_BYREF.
  const std::vector<VARTYPE>& ArgumentTypes() const { return m_ArgumentTypes; }
  // VT_VOID when the member gives no result.
  VARTYPE ResultType() const { return m_ResultType; }

  // Checks the argument count, then calls. DISP_E_BADPARAMCOUNT,
  // DISP_E_TYPEMISMATCH (with the argument reported), or what the member
  // returned.
  HRESULT Call(IUnknown* object, const DispatchArguments& arguments, VARIANT* result) const;

 private:
  DispatchMember(const wchar_t* name, DISPID id, WORD kind, std::vector<VARTYPE> argumentTypes, VARTYPE resultType,
                 Caller caller);

  template <class... P>
  static constexpr bool LastIsResult() {
    constexpr std::size_t outs = (0 + ... + (kIsOutParameter<P> ? 1 : 0));
    if constexpr (sizeof...(P) == 0) {
      return false;
    } else {
      return outs == 1 && kIsOutParameter<std::tuple_element_t<sizeof...(P) - 1, std::tuple<P...>>>;
    }
  }

  template <class P>
  static constexpr VARTYPE TypeOf() {
    if constexpr (kIsOutParameter<P>) {
      return DispatchValue<std::remove_pointer_t<P>>::kType;
    } else {
      return DispatchValue<P>::kType;
    }
  }

  template <class Interface, class... P>
  static DispatchMember Make(const wchar_t* name, DISPID id, WORD kind, HRESULT (Interface::*member)(P...)) {
    constexpr bool lastIsResult = LastIsResult<P...>();
    std::vector<VARTYPE> types{(kIsOutParameter<P> ? VARTYPE(VT_BYREF | TypeOf<P>()) : TypeOf<P>())...};
    VARTYPE resultType = VT_VOID;
    if (lastIsResult) {
      resultType = types.back() & ~VT_BYREF;
      types.pop_back();
    }
    Caller caller = [member](IUnknown* object, const DispatchArguments& arguments, VARIANT* result) {
      return CallOn<lastIsResult>(member, object, arguments, result, std::index_sequence_for<P...>{});
    };
    return DispatchMember(name, id, kind, std::move(types), resultType, std::move(caller));
  }

  template <bool LastIsResult, class Interface, class... P, std::size_t... I>
  static HRESULT CallOn(HRESULT (Interface::*member)(P...), IUnknown* object,
                        [[maybe_unused]] const DispatchArguments& arguments, [[maybe_unused]] VARIANT* result,
                        std::index_sequence<I...>) {
    CComPtr<Interface> target;
    if (FAILED(object->QueryInterface(&target)) || !target) return DISP_E_MEMBERNOTFOUND;
    std::tuple<DispatchArgumentHolder<P>...> holders;
    HRESULT hr = S_OK;
    // Loads every argument before the call, so that a bad one changes nothing.
    ((hr = SUCCEEDED(hr) ? Load<P>(std::get<I>(holders), arguments, I, IsResult<LastIsResult, I, P...>()) : hr), ...);
    if (FAILED(hr)) return hr;
    hr = (target.p->*member)(std::get<I>(holders).Pass()...);
    if (FAILED(hr)) return hr;
    (Hand<P>(std::get<I>(holders), arguments, I, IsResult<LastIsResult, I, P...>(), result), ...);
    return hr;
  }

  template <bool LastIsResult, std::size_t I, class... P>
  static constexpr bool IsResult() {
    return LastIsResult && I + 1 == sizeof...(P);
  }

  template <class P, class Holder>
  static HRESULT Load(Holder& holder, const DispatchArguments& arguments, UINT position, bool isResult) {
    if constexpr (kIsOutParameter<P>) {
      if (isResult || AcceptsByRef(arguments.At(position), TypeOf<P>())) return S_OK;
      return arguments.Fail(position, DISP_E_TYPEMISMATCH);
    } else {
      HRESULT hr = holder.Load(arguments.At(position));
      return FAILED(hr) ? arguments.Fail(position, hr) : hr;
    }
  }

  template <class P, class Holder>
  static void Hand(Holder& holder, const DispatchArguments& arguments, UINT position, bool isResult, VARIANT* result) {
    if constexpr (kIsOutParameter<P>) {
      if (isResult) {
        if (result) holder.Give(result);
        return;
      }
      VARIANT value;
      VariantInit(&value);
      holder.Give(&value);
      StoreByRef(arguments.At(position), value);
    }
  }

  std::wstring m_Name;
  DISPID m_Id;
  WORD m_Kind;
  std::vector<VARTYPE> m_ArgumentTypes;
  VARTYPE m_ResultType;
  Caller m_Caller;
};

}  // namespace zelph
