// CComVariant: a VARIANT that clears itself.
#pragma once

#include <string_view>

#include "platform/ComBstr.h"
#include "platform/Variant.h"

class CComVariant : public tagVARIANT {
 public:
  CComVariant() { VariantInit(this); }
  CComVariant(const VARIANT& other) {
    VariantInit(this);
    VariantCopy(this, &other);
  }
  CComVariant(const CComVariant& other) : CComVariant(static_cast<const VARIANT&>(other)) {}
  CComVariant(bool value) { Set(VT_BOOL).boolVal = value ? VARIANT_TRUE : VARIANT_FALSE; }
  CComVariant(char value) { Set(VT_I1).cVal = value; }
  CComVariant(int value, VARTYPE type = VT_I4) {
    Set(type == VT_INT ? VT_INT : VT_I4);
    lVal = value;
  }
  CComVariant(double value) { Set(VT_R8).dblVal = value; }
  CComVariant(const OLECHAR* text) { Set(VT_BSTR).bstrVal = text ? SysAllocString(text) : nullptr; }
  CComVariant(std::wstring_view text) {
    Set(VT_BSTR).bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  }
  CComVariant(IDispatch* object) { SetObject(VT_DISPATCH, object); }
  CComVariant(IUnknown* object) { SetObject(VT_UNKNOWN, object); }
  ~CComVariant() { VariantClear(this); }

  CComVariant& operator=(const CComVariant& other) {
    if (this != std::addressof(other)) VariantCopy(this, &other);
    return *this;
  }
  CComVariant& operator=(const VARIANT& other) {
    if (this != std::addressof(other)) VariantCopy(this, &other);
    return *this;
  }

  HRESULT Clear() { return VariantClear(this); }
  HRESULT Copy(const VARIANT* source) { return VariantCopy(this, source); }
  // Hands the value over to `target` (cleared first) and leaves this empty.
  HRESULT Detach(VARIANT* target) {
    if (!target) return E_POINTER;
    HRESULT hr = VariantClear(target);
    if (FAILED(hr)) return hr;
    *target = *static_cast<VARIANT*>(this);
    vt = VT_EMPTY;
    return S_OK;
  }

 private:
  tagVARIANT& Set(VARTYPE type) {
    VariantInit(this);
    vt = type;
    return *this;
  }
  void SetObject(VARTYPE type, IUnknown* object) {
    Set(type).punkVal = object;
    if (object) object->AddRef();
  }
};
