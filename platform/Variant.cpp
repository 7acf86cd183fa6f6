#include "platform/Variant.h"

#include <cstring>

bool IsKnownVariantType(VARTYPE type) {
  switch (type) {
    case VT_EMPTY: case VT_NULL: case VT_I2: case VT_I4: case VT_R4: case VT_R8: case VT_CY: case VT_DATE:
    case VT_BSTR: case VT_DISPATCH: case VT_ERROR: case VT_BOOL: case VT_UNKNOWN: case VT_I1: case VT_UI1:
    case VT_UI2: case VT_UI4: case VT_I8: case VT_UI8: case VT_INT: case VT_UINT: case VT_HRESULT:
      return true;
    default:
      return false;
  }
}

void VariantInit(VARIANT* value) {
  if (!value) return;
  std::memset(value, 0, sizeof(VARIANT));
  value->vt = VT_EMPTY;
}

HRESULT VariantClear(VARIANT* value) {
  if (!value) return E_INVALIDARG;
  if (!IsKnownVariantType(value->vt)) return DISP_E_BADVARTYPE;
  if (value->vt == VT_BSTR) {
    SysFreeString(value->bstrVal);
  } else if ((value->vt == VT_UNKNOWN || value->vt == VT_DISPATCH) && value->punkVal) {
    value->punkVal->Release();
  }
  VariantInit(value);
  return S_OK;
}

HRESULT VariantCopy(VARIANT* target, const VARIANT* source) {
  if (!target || !source) return E_INVALIDARG;
  if (!IsKnownVariantType(source->vt)) return DISP_E_BADVARTYPE;
  if (target == source) return S_OK;
  HRESULT hr = VariantClear(target);
  if (FAILED(hr)) return hr;
  *target = *source;
  if (source->vt == VT_BSTR && source->bstrVal) {
    target->bstrVal = SysAllocStringByteLen(reinterpret_cast<const char*>(source->bstrVal), SysStringByteLen(source->bstrVal));
    if (!target->bstrVal) {
      VariantInit(target);
      return E_OUTOFMEMORY;
    }
  } else if ((source->vt == VT_UNKNOWN || source->vt == VT_DISPATCH) && source->punkVal) {
    source->punkVal->AddRef();
  }
  return S_OK;
}
