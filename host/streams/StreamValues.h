// The typed values a host object saves into a variant stream and reads back
// in the same order. Reading is strict, unlike the library's own helpers: a
// failed read fails the load with the read's result, and a value of another
// type (or out of its range) with DISP_E_TYPEMISMATCH, so that a host
// object never takes in half a record or a record of another layout.
#pragma once

#include "frame/HostCollections.h"
#include "platform/ComBstr.h"
#include "platform/ComException.h"
#include "platform/ComPtr.h"
#include "platform/ComVariant.h"

namespace zelph::host::streams {

// What a record that does not fit its reader fails with.
constexpr HRESULT kRecordMismatch = DISP_E_TYPEMISMATCH;

void WriteLong(IVariantStream* stream, LONG value);    // VT_I4
void WriteInt(IVariantStream* stream, INT value);      // VT_INT, for enumerations
void WriteShort(IVariantStream* stream, SHORT value);  // VT_I2
void WriteByte(IVariantStream* stream, BYTE value);    // VT_UI1
void WriteDouble(IVariantStream* stream, double value);
void WriteBool(IVariantStream* stream, bool value);
// A null string stays null.
void WriteString(IVariantStream* stream, BSTR value);
// An object record; a null object is written as a null VT_UNKNOWN.
void WriteObject(IVariantStream* stream, IUnknown* object);

LONG ReadLong(IVariantStream* stream);
INT ReadInt(IVariantStream* stream);
SHORT ReadShort(IVariantStream* stream);
BYTE ReadByte(IVariantStream* stream);
double ReadDouble(IVariantStream* stream);
bool ReadBool(IVariantStream* stream);
CComBSTR ReadString(IVariantStream* stream);
// VT_UNKNOWN or VT_DISPATCH; null for a null object.
CComPtr<IUnknown> ReadObject(IVariantStream* stream);
// A Long that counts what follows; negative counts do not fit.
size_t ReadCount(IVariantStream* stream);
// The next object, which must be null or offer `Interface`.
template <class Interface>
CComPtr<Interface> ReadObjectAs(IVariantStream* stream) {
  CComPtr<IUnknown> object = ReadObject(stream);
  CComQIPtr<Interface> typed(object);
  if (object && !typed) Fail(kRecordMismatch);
  return typed;
}
// An enumeration written with WriteInt, from 0 up to `last`.
template <class Enum>
Enum ReadEnum(IVariantStream* stream, Enum last) {
  INT value = ReadInt(stream);
  if (value < 0 || value > static_cast<INT>(last)) Fail(kRecordMismatch);
  return static_cast<Enum>(value);
}

}  // namespace zelph::host::streams
