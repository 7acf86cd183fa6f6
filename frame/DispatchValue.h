// How the C++ parameter types of dual interface members travel in automation
// VARIANTs: which variant type each one is, how an argument becomes the
// parameter (numbers are coerced between their kinds as scripts expect), and
// how a value handed back becomes a result or a by-reference argument.
#pragma once

#include <type_traits>
#include <utility>

#include "platform/Unknown.h"
#include "platform/Variant.h"

namespace zelph {

HRESULT VariantToDouble(const VARIANT& value, DOUBLE* number);
// Rounds to the nearest integer; DISP_E_OVERFLOW outside the LONG range.
HRESULT VariantToLong(const VARIANT& value, LONG* number);
HRESULT VariantToBool(const VARIANT& value, VARIANT_BOOL* flag);
// The string the variant holds (not a copy); only strings are accepted.
HRESULT VariantToBstr(const VARIANT& value, BSTR* text);
// The object the variant holds (no reference added); empty, null and a null
// object all give null.
HRESULT VariantToUnknown(const VARIANT& value, IUnknown** object);
// True when `target` is a by-reference argument that can receive a `type`.
bool AcceptsByRef(const VARIANT& target, VARTYPE type);
// Moves `owned` into what the by-reference `target` points at, freeing what
// was there; `owned` is left empty.
void StoreByRef(const VARIANT& target, VARIANT& owned);

template <class T>
constexpr bool kIsInterfacePointer = std::is_pointer_v<T>&& std::is_base_of_v<IUnknown, std::remove_pointer_t<T>>;

// An out-parameter: a pointer to anything but a character or an interface.
template <class P>
constexpr bool kIsOutParameter = std::is_pointer_v<P> && !std::is_same_v<P, BSTR> && !kIsInterfacePointer<P>;

// The value conversions of one parameter type. A member whose type has no
// specialisation does not compile, so a table never holds an entry it
// cannot call.
template <class T, class = void>
struct DispatchValue;

template <>
struct DispatchValue<DOUBLE> {
  static constexpr VARTYPE kType = VT_R8;
  static HRESULT From(const VARIANT& value, DOUBLE* out) { return VariantToDouble(value, out); }
  static void To(DOUBLE value, VARIANT* out) {
    out->vt = kType;
    out->dblVal = value;
  }
};

template <>
struct DispatchValue<LONG> {
  static constexpr VARTYPE kType = VT_I4;
  static HRESULT From(const VARIANT& value, LONG* out) { return VariantToLong(value, out); }
  static void To(LONG value, VARIANT* out) {
    out->vt = kType;
    out->lVal = value;
  }
};

// Handles such as OLE_HANDLE travel as 32-bit integers.
template <>
struct DispatchValue<UINT> {
  static constexpr VARTYPE kType = VT_I4;
  static HRESULT From(const VARIANT& value, UINT* out) {
    LONG number = 0;
    HRESULT hr = VariantToLong(value, &number);
    *out = static_cast<UINT>(number);
    return hr;
  }
  static void To(UINT value, VARIANT* out) {
    out->vt = kType;
    out->lVal = static_cast<LONG>(value);
  }
};

template <class Enum>
struct DispatchValue<Enum, std::enable_if_t<std::is_enum_v<Enum>>> {
  static constexpr VARTYPE kType = VT_I4;
  static HRESULT From(const VARIANT& value, Enum* out) {
    LONG number = 0;
    HRESULT hr = VariantToLong(value, &number);
    *out = static_cast<Enum>(number);
    return hr;
  }
  static void To(Enum value, VARIANT* out) {
    out->vt = kType;
    out->lVal = static_cast<LONG>(value);
  }
};

// VARIANT_BOOL and SHORT are one type here; every 16-bit member of the
// library's interfaces is a flag.
template <>
struct DispatchValue<VARIANT_BOOL> {
  static constexpr VARTYPE kType = VT_BOOL;
  static HRESULT From(const VARIANT& value, VARIANT_BOOL* out) { return VariantToBool(value, out); }
  static void To(VARIANT_BOOL value, VARIANT* out) {
    out->vt = kType;
    out->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  }
};

template <>
struct DispatchValue<BSTR> {
  static constexpr VARTYPE kType = VT_BSTR;
  static HRESULT From(const VARIANT& value, BSTR* out) { return VariantToBstr(value, out); }
  // Takes the string over.
  static void To(BSTR value, VARIANT* out) {
    out->vt = kType;
    out->bstrVal = value;
  }
};

template <class Interface>
struct DispatchValue<Interface*, std::enable_if_t<std::is_base_of_v<IUnknown, Interface>>> {
  static constexpr VARTYPE kType = std::is_base_of_v<IDispatch, Interface> ? VT_DISPATCH : VT_UNKNOWN;
  // Asks the object for `Interface`; an object without it is a mismatch.
  static HRESULT From(const VARIANT& value, Interface** out) {
    *out = nullptr;
    IUnknown* object = nullptr;
    HRESULT hr = VariantToUnknown(value, &object);
    if (FAILED(hr) || !object) return hr;
    return SUCCEEDED(object->QueryInterface(out)) && *out ? S_OK : DISP_E_TYPEMISMATCH;
  }
  // Takes the reference over.
  static void To(Interface* value, VARIANT* out) {
    out->vt = kType;
    if constexpr (kType == VT_DISPATCH) {
      out->pdispVal = value;
    } else {
      out->punkVal = value;
    }
  }
};

// Holds one in-argument for the call.
template <class T>
class DispatchInArgument {
 public:
  HRESULT Load(const VARIANT& value) { return DispatchValue<T>::From(value, &m_Value); }
  T Pass() { return m_Value; }

 private:
  T m_Value{};
};

template <class Interface>
requires std::is_base_of_v<IUnknown, Interface>
class DispatchInArgument<Interface*> {
 public:
  DispatchInArgument() = default;
  DispatchInArgument(const DispatchInArgument&) = delete;
  DispatchInArgument& operator=(const DispatchInArgument&) = delete;
  ~DispatchInArgument() {
    if (m_Value) m_Value->Release();
  }
  HRESULT Load(const VARIANT& value) { return DispatchValue<Interface*>::From(value, &m_Value); }
  Interface* Pass() { return m_Value; }

 private:
  Interface* m_Value = nullptr;
};

// Receives one out-parameter from the call and hands it on as a variant.
template <class T>
class DispatchOutArgument {
 public:
  static constexpr VARTYPE kType = DispatchValue<T>::kType;
  DispatchOutArgument() = default;
  DispatchOutArgument(const DispatchOutArgument&) = delete;
  DispatchOutArgument& operator=(const DispatchOutArgument&) = delete;
  ~DispatchOutArgument() { Free(); }
  T* Pass() { return &m_Value; }
  void Give(VARIANT* out) { DispatchValue<T>::To(std::exchange(m_Value, T{}), out); }

 private:
  void Free() {
    if constexpr (std::is_same_v<T, BSTR>) {
      SysFreeString(m_Value);
    } else if constexpr (kIsInterfacePointer<T>) {
      if (m_Value) m_Value->Release();
    }
  }
  T m_Value{};
};

template <class P>
using DispatchArgumentHolder =
    std::conditional_t<kIsOutParameter<P>, DispatchOutArgument<std::remove_pointer_t<P>>, DispatchInArgument<P>>;

}  // namespace zelph
