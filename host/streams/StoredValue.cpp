#include "host/streams/StoredValue.h"

#include <bit>
#include <cstring>

#include "host/HostCall.h"
#include "host/streams/ObjectRecords.h"
#include "platform/ComVariant.h"

namespace zelph::host::streams {

namespace {

// A scalar is kept as the low `width` bytes of a little-endian number, which
// is the union's own layout on the machines this runs on.
static_assert(std::endian::native == std::endian::little);

std::uint64_t WidthMask(int width) { return width >= 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * width)) - 1; }

void RestoreText(const StoredValue& stored, VARIANT* value) {
  BSTR text = nullptr;
  if (stored.text) {
    text = SysAllocStringLen(stored.text->data(), static_cast<UINT>(stored.text->size()));
    if (!text) Fail(E_OUTOFMEMORY);
  }
  value->vt = VT_BSTR;
  value->bstrVal = text;
}

void RestoreObject(const StoredValue& stored, int depth, VARIANT* value) {
  CComPtr<IUnknown> object;
  if (stored.object) object = RecreateObject(*stored.object, depth);
  CComVariant result(object.p);
  if (stored.type == VT_DISPATCH) {
    // An object whose class does not answer IDispatch is still handed out,
    // as VT_UNKNOWN.
    CComQIPtr<IDispatch> dispatch(object.p);
    if (dispatch || !object) result = CComVariant(dispatch.p);
  }
  ThrowIfFailed(result.Detach(value));
}

}  // namespace

int ScalarWidth(VARTYPE type) {
  switch (type) {
    case VT_EMPTY:
    case VT_NULL:
      return 0;
    case VT_I1:
    case VT_UI1:
      return 1;
    case VT_I2:
    case VT_BOOL:
      return 2;
    case VT_I4:
    case VT_INT:
    case VT_UI4:
    case VT_UINT:
    case VT_R4:
      return 4;
    case VT_R8:
      return 8;
    default:
      return -1;
  }
}

bool IsObjectType(VARTYPE type) { return type == VT_UNKNOWN || type == VT_DISPATCH; }

bool IsStoredType(VARTYPE type) { return ScalarWidth(type) >= 0 || type == VT_BSTR || IsObjectType(type); }

StoredValue Capture(const VARIANT& value, int depth) {
  RequireArgument(IsStoredType(value.vt));
  StoredValue stored;
  stored.type = value.vt;
  if (value.vt == VT_BSTR) {
    if (value.bstrVal) stored.text.emplace(value.bstrVal, SysStringLen(value.bstrVal));
  } else if (IsObjectType(value.vt)) {
    if (value.punkVal) stored.object = CaptureObject(value.punkVal, depth);
  } else {
    std::memcpy(&stored.bits, &value.llVal, sizeof stored.bits);
    stored.bits &= WidthMask(ScalarWidth(value.vt));
  }
  return stored;
}

void Restore(const StoredValue& stored, int depth, VARIANT* value) {
  VariantInit(value);
  if (stored.type == VT_BSTR) {
    RestoreText(stored, value);
  } else if (IsObjectType(stored.type)) {
    RestoreObject(stored, depth, value);
  } else {
    value->vt = stored.type;
    std::memcpy(&value->llVal, &stored.bits, sizeof stored.bits);
  }
}

}  // namespace zelph::host::streams
