#include "host/streams/StreamValues.h"

#include <cstring>

namespace zelph::host::streams {

namespace {

// One scalar value of `type` whose payload is `value`'s bytes.
template <class T>
void WriteScalar(IVariantStream* stream, VARTYPE type, T value) {
  static_assert(sizeof(T) <= sizeof(LONGLONG));
  VARIANT variant;
  VariantInit(&variant);
  variant.vt = type;
  std::memcpy(&variant.llVal, &value, sizeof(T));
  ThrowIfFailed(stream->Write(variant));
}

// The next value, which must be of `type`.
CComVariant Expect(IVariantStream* stream, VARTYPE type) {
  CComVariant value;
  ThrowIfFailed(stream->Read(&value));
  if (value.vt != type) Fail(kRecordMismatch);
  return value;
}

template <class T>
T ReadScalar(IVariantStream* stream, VARTYPE type) {
  CComVariant value = Expect(stream, type);
  T result;
  std::memcpy(&result, &value.llVal, sizeof(T));
  return result;
}

}  // namespace

void WriteLong(IVariantStream* stream, LONG value) { WriteScalar(stream, VT_I4, value); }
void WriteInt(IVariantStream* stream, INT value) { WriteScalar(stream, VT_INT, value); }
void WriteShort(IVariantStream* stream, SHORT value) { WriteScalar(stream, VT_I2, value); }
void WriteByte(IVariantStream* stream, BYTE value) { WriteScalar(stream, VT_UI1, value); }
void WriteDouble(IVariantStream* stream, double value) { WriteScalar(stream, VT_R8, value); }

void WriteBool(IVariantStream* stream, bool value) {
  WriteScalar(stream, VT_BOOL, value ? VARIANT_TRUE : VARIANT_FALSE);
}

void WriteString(IVariantStream* stream, BSTR value) {
  VARIANT variant;
  VariantInit(&variant);
  variant.vt = VT_BSTR;
  // The stream copies what it is given, so the caller's string is lent.
  variant.bstrVal = value;
  ThrowIfFailed(stream->Write(variant));
}

void WriteObject(IVariantStream* stream, IUnknown* object) { ThrowIfFailed(stream->Write(CComVariant(object))); }

LONG ReadLong(IVariantStream* stream) { return ReadScalar<LONG>(stream, VT_I4); }
INT ReadInt(IVariantStream* stream) { return ReadScalar<INT>(stream, VT_INT); }
SHORT ReadShort(IVariantStream* stream) { return ReadScalar<SHORT>(stream, VT_I2); }
BYTE ReadByte(IVariantStream* stream) { return ReadScalar<BYTE>(stream, VT_UI1); }
double ReadDouble(IVariantStream* stream) { return ReadScalar<double>(stream, VT_R8); }

bool ReadBool(IVariantStream* stream) { return ReadScalar<VARIANT_BOOL>(stream, VT_BOOL) != VARIANT_FALSE; }

CComBSTR ReadString(IVariantStream* stream) {
  CComVariant value = Expect(stream, VT_BSTR);
  CComBSTR text;
  text.Attach(value.bstrVal);
  value.vt = VT_EMPTY;
  return text;
}

CComPtr<IUnknown> ReadObject(IVariantStream* stream) {
  CComVariant value;
  ThrowIfFailed(stream->Read(&value));
  if (value.vt != VT_UNKNOWN && value.vt != VT_DISPATCH) Fail(kRecordMismatch);
  return CComPtr<IUnknown>(value.punkVal);
}

size_t ReadCount(IVariantStream* stream) {
  LONG count = ReadLong(stream);
  if (count < 0) Fail(kRecordMismatch);
  return static_cast<size_t>(count);
}

}  // namespace zelph::host::streams
