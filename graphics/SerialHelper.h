// Writes and reads the single values of a component's stored record, one
// VARIANT each, and the nested pieces: object records (the stream keeps the
// object), in-line records (a held object's own values in the parent's
// sequence), count-and-list fields and bitmaps.
//
// A read whose value has another type than expected gives that primitive's
// default and reading goes on; a failed Read or Write is reported ("COM
// Error") and treated the same. What is never trusted: a stored count or a
// bitmap size. A count below zero, a list or bitmap that ends before its
// count, or a bitmap too large to hold is reported and thrown as E_FAIL
// before anything is allocated for it.
#pragma once

#include <deque>
#include <utility>
#include <vector>

#include "display/ImageHelper.h"
#include "frame/ErrorConvention.h"
#include "frame/HostCollections.h"
#include "graphics/RecordBuffer.h"
#include "platform/ComBstr.h"
#include "platform/ComPtr.h"
#include "platform/ComVariant.h"

class SerialHelper {
 public:
  void SaveUChar(IVariantStream* stream, BYTE value);
  BYTE LoadUChar(IVariantStream* stream);
  // Enumerations travel as VT_INT.
  void SaveInt(IVariantStream* stream, int value);
  int LoadInt(IVariantStream* stream);
  void SaveLong(IVariantStream* stream, LONG value);
  LONG LoadLong(IVariantStream* stream);
  void SaveDouble(IVariantStream* stream, double value);
  double LoadDouble(IVariantStream* stream);
  // A plain flag: read true only from VARIANT_TRUE.
  void SaveBool(IVariantStream* stream, bool value);
  bool LoadBool(IVariantStream* stream);
  // A VARIANT_BOOL as it is; true (-1) when the value is missing.
  void SaveVarBool(IVariantStream* stream, VARIANT_BOOL value);
  VARIANT_BOOL LoadVarBool(IVariantStream* stream);
  void SaveBSTR(IVariantStream* stream, BSTR value);
  CComBSTR LoadBSTR(IVariantStream* stream);
  void SaveUnknown(IVariantStream* stream, IUnknown* object);
  CComPtr<IUnknown> LoadUnknown(IVariantStream* stream);

  // An object record read back as `Interface`; null when the stream gives
  // no object or one without that interface.
  template <class Interface>
  CComPtr<Interface> LoadObject(IVariantStream* stream) {
    CComQIPtr<Interface> object{LoadUnknown(stream)};
    return CComPtr<Interface>(object);
  }

  // Height, width (VT_INT each), then height x width x 3 bytes (VT_I1), blue,
  // green and red of each pixel, the top row first. A null bitmap writes
  // 0 x 0.
  void SaveBitmap(IVariantStream* stream, HBITMAP bitmap);
  // Null for a 0-pixel record (nothing more is read).
  HBITMAP LoadBitmapW(IVariantStream* stream);

  // The array's count, then its elements as object records.
  void SaveArray(IVariantStream* stream, IArray* array);
  // Reads a count and that many object records, each an object offering
  // `elementIid`, and appends them to `array`. A list that cannot be read
  // whole is refused and leaves the array as it was.
  void LoadArray(IVariantStream* stream, IArray* array, REFIID elementIid);

  // The held object's own record in line. With nothing held, the record of
  // a new object of class `standIn`, so that the record keeps its layout.
  void SaveInline(IVariantStream* stream, IUnknown* held, REFCLSID standIn);
  // Reads the in-line record into the held object; with nothing held, into
  // a scratch object of class `standIn` that is dropped.
  void LoadInline(IVariantStream* stream, IUnknown* held, REFCLSID standIn);

  // Tells the class that wrote an in-line record from the record's first two
  // values; GUID_NULL when they do not tell.
  using RecordKindRule = CLSID (*)(const VARIANT& first, const VARIANT& second);
  // Materials: a texture material starts with its texture's name, a gradient
  // with two colours, a simple material with one colour and an integer.
  static CLSID MaterialKind(const VARIANT& first, const VARIANT& second);
  // Font components: an extruded font follows its font with a flag; plain
  // and billboard fonts store the same single value, so either kind held
  // reads a plain record.
  static CLSID FontKind(const VARIANT& first, const VARIANT& second);
  // Ellipsoids: a partial ellipsoid starts with an angle, a whole one with
  // its option.
  static CLSID EllipsoidKind(const VARIANT& first, const VARIANT& second);

  // Where an in-line record of a held member is read: into the held object,
  // or into a new one that replaces it. Members that other components share
  // by design (fonts handed out by the font caches, the library's default
  // billboard font) take a new one, so that loading one component never
  // changes another.
  enum class InlineTarget { Held, NewObject };

  // LoadInline for a member that may hold another class than the one that
  // wrote the record (records carry no class): when `rule` names a class
  // other than the held object's, a new object of that class is loaded and
  // replaces the held one; with nothing held, the scratch object is of that
  // class. Either way the record is read by the layout it was written in.
  template <class Interface>
  void LoadInlineOfKind(IVariantStream* stream, CComPtr<Interface>& held, REFCLSID standIn, RecordKindRule rule,
                        InlineTarget target = InlineTarget::Held) {
    CComPtr<IUnknown> replacement = LoadInlineReplacing(stream, held, standIn, rule, target);
    if (!replacement) return;
    CComQIPtr<Interface> typed{replacement};
    if (typed) held = CComPtr<Interface>(typed);
  }

  // A host UID object holding `clsid` in its braced form: what get_ID of
  // every persistable component hands out.
  static CComPtr<IUID> ClassID(REFCLSID clsid);

 private:
  // The next value, or false (reported) when the stream has none to give.
  bool ReadValue(IVariantStream* stream, CComVariant& value);
  void WriteValue(IVariantStream* stream, const VARIANT& value);
  // The next value's `field` when it has type `type`, else `fallback`.
  template <class Field>
  Field ReadTyped(IVariantStream* stream, VARTYPE type, Field tagVARIANT::*field, Field fallback);
  LONG LoadCount(IVariantStream* stream);
  // Loads an in-line record whose class `rule` tells; returns the new object
  // when it replaces the held one.
  CComPtr<IUnknown> LoadInlineReplacing(IVariantStream* stream, IUnknown* held, REFCLSID standIn,
                                        RecordKindRule rule, InlineTarget target);
  // Loads the record into `persist`, replaying the values read ahead first.
  void LoadInto(IPersistVariant* persist, IVariantStream* stream);

  ImageHelper m_Imager;
  // Values read ahead of their turn from `m_ReadAheadSource`, handed out
  // before that stream is read again.
  std::deque<CComVariant> m_ReadAhead;
  IVariantStream* m_ReadAheadSource = nullptr;
};

namespace zelph {

// The boundary of a component's IPersistVariant::Save: the record is built
// whole before it reaches the stream (see RecordBuffer).
template <class Record>
HRESULT SaveRecord(MethodSite site, IVariantStream* stream, Record&& record) {
  return ComCall(
      site, [&] { RecordBuffer::SaveWhole(stream, [&](IVariantStream* buffer) { record(buffer); }); }, stream);
}

// The boundary of IPersistVariant::Load: values read before a failure stay
// read.
template <class Record>
HRESULT LoadRecord(MethodSite site, IVariantStream* stream, Record&& record) {
  return ComCall(site, [&] { record(stream); }, stream);
}

// The boundary of IPersistVariant::get_ID.
inline HRESULT GetClassID(MethodSite site, REFCLSID clsid, IUID** id) {
  return ComCall(site, [&] { *id = SerialHelper::ClassID(clsid).Detach(); }, id);
}

}  // namespace zelph
