#include "frame/DispatchValue.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

namespace zelph {
namespace {

// Bytes a by-reference argument of this base type points at; 0 for types
// that are never read through a reference.
std::size_t ReferencedSize(VARTYPE type) {
  switch (type) {
    case VT_I1:
    case VT_UI1:
      return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
      return 2;
    case VT_I4:
    case VT_UI4:
    case VT_R4:
    case VT_INT:
    case VT_UINT:
    case VT_ERROR:
      return 4;
    case VT_R8:
    case VT_I8:
    case VT_UI8:
    case VT_DATE:
      return 8;
    case VT_BSTR:
    case VT_UNKNOWN:
    case VT_DISPATCH:
      return sizeof(void*);
    default:
      return 0;
  }
}

// The argument itself, or a shallow by-value view of what a by-reference
// argument points at. VT_ERROR marks a reference that cannot be read.
VARIANT Dereferenced(const VARIANT& value) {
  if (!(value.vt & VT_BYREF)) return value;
  VARIANT view;
  VariantInit(&view);
  const VARTYPE base = value.vt & ~VT_BYREF;
  if (!value.byref) {
    view.vt = VT_ERROR;
  } else if (base == VT_VARIANT) {
    const VARIANT& inner = *static_cast<const VARIANT*>(value.byref);
    if (inner.vt & VT_BYREF) {
      view.vt = VT_ERROR;  // one level of indirection is all automation allows
    } else {
      view = inner;
    }
  } else if (std::size_t size = ReferencedSize(base)) {
    view.vt = base;
    std::memcpy(&view.llVal, value.byref, size);
  } else {
    view.vt = VT_ERROR;
  }
  return view;
}

std::optional<double> NumberOf(const VARIANT& argument) {
  const VARIANT value = Dereferenced(argument);
  switch (value.vt) {
    case VT_I1:
      return value.cVal;
    case VT_UI1:
      return value.bVal;
    case VT_I2:
      return value.iVal;
    case VT_UI2:
      return value.uiVal;
    case VT_I4:
      return value.lVal;
    case VT_UI4:
      return value.ulVal;
    case VT_INT:
      return value.intVal;
    case VT_UINT:
      return value.uintVal;
    case VT_I8:
      return static_cast<double>(value.llVal);
    case VT_UI8:
      return static_cast<double>(value.ullVal);
    case VT_R4:
      return value.fltVal;
    case VT_R8:
      return value.dblVal;
    case VT_BOOL:
      return value.boolVal ? -1.0 : 0.0;
    default:
      return std::nullopt;
  }
}

}  // namespace

HRESULT VariantToDouble(const VARIANT& value, DOUBLE* number) {
  std::optional<double> held = NumberOf(value);
  if (!held) return DISP_E_TYPEMISMATCH;
  *number = *held;
  return S_OK;
}

HRESULT VariantToLong(const VARIANT& value, LONG* number) {
  std::optional<double> held = NumberOf(value);
  if (!held) return DISP_E_TYPEMISMATCH;
  const double rounded = std::nearbyint(*held);
  if (!(rounded >= std::numeric_limits<LONG>::min() && rounded <= std::numeric_limits<LONG>::max())) {
    return DISP_E_OVERFLOW;
  }
  *number = static_cast<LONG>(rounded);
  return S_OK;
}

HRESULT VariantToBool(const VARIANT& value, VARIANT_BOOL* flag) {
  std::optional<double> held = NumberOf(value);
  if (!held) return DISP_E_TYPEMISMATCH;
  *flag = *held != 0 ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT VariantToBstr(const VARIANT& argument, BSTR* text) {
  const VARIANT value = Dereferenced(argument);
  if (value.vt != VT_BSTR) return DISP_E_TYPEMISMATCH;
  *text = value.bstrVal;
  return S_OK;
}

HRESULT VariantToUnknown(const VARIANT& argument, IUnknown** object) {
  const VARIANT value = Dereferenced(argument);
  switch (value.vt) {
    case VT_EMPTY:
    case VT_NULL:
      *object = nullptr;
      return S_OK;
    case VT_UNKNOWN:
      *object = value.punkVal;
      return S_OK;
    case VT_DISPATCH:
      *object = value.pdispVal;
      return S_OK;
    default:
      return DISP_E_TYPEMISMATCH;
  }
}

bool AcceptsByRef(const VARIANT& target, VARTYPE type) {
  if (!target.byref) return false;
  if (target.vt == (VT_BYREF | VT_VARIANT)) return true;
  if (target.vt == (VT_BYREF | type)) return true;
  // Any object reference can receive an object.
  return type == VT_DISPATCH && target.vt == (VT_BYREF | VT_UNKNOWN);
}

void StoreByRef(const VARIANT& target, VARIANT& owned) {
  const VARTYPE base = target.vt & ~VT_BYREF;
  if (base == VT_VARIANT) {
    VARIANT* inner = static_cast<VARIANT*>(target.byref);
    VariantClear(inner);
    *inner = owned;
  } else if (base == VT_BSTR) {
    BSTR* text = static_cast<BSTR*>(target.byref);
    SysFreeString(*text);
    *text = owned.bstrVal;
  } else if (base == VT_UNKNOWN || base == VT_DISPATCH) {
    IUnknown** object = static_cast<IUnknown**>(target.byref);
    if (*object) (*object)->Release();
    *object = owned.punkVal;
  } else {
    std::memcpy(target.byref, &owned.llVal, ReferencedSize(base));
  }
  VariantInit(&owned);
}

}  // namespace zelph
