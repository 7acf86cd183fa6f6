// The host's collections, ids and persistence: arrays and sets of objects,
// class ids as objects, and the variant streams components save into.
#pragma once

#include "platform/Unknown.h"
#include "platform/Variant.h"

// Objects in order, by counted reference. Indexes out of range are
// E_INVALIDARG.
struct IArray : IUnknown {
  STDMETHOD(get_Count)(LONG* count) = 0;
  STDMETHOD(get_Element)(LONG index, IUnknown** element) = 0;
  STDMETHOD(Add)(IUnknown* element) = 0;
  STDMETHOD(Insert)(LONG index, IUnknown* element) = 0;
  STDMETHOD(Remove)(LONG index) = 0;
  STDMETHOD(RemoveAll)() = 0;

 protected:
  ~IArray() = default;
};
ZELPH_DEFINE_IID(IArray, 0x9784BC3B, 0x72AF, 0x4FB0, 0xBA, 0x75, 0x47, 0x5A, 0xF4, 0x0D, 0x51, 0xF9);

// Distinct objects (by identity), walked with Reset and Next.
struct ISet : IUnknown {
  // S_FALSE when the object is already in the set.
  STDMETHOD(Add)(IUnknown* element) = 0;
  STDMETHOD(Remove)(IUnknown* element) = 0;
  STDMETHOD(RemoveAll)() = 0;
  STDMETHOD(Find)(IUnknown* element, VARIANT_BOOL* found) = 0;
  STDMETHOD(get_Count)(LONG* count) = 0;
  STDMETHOD(Reset)() = 0;
  // The next object, or S_FALSE with null at the end.
  STDMETHOD(Next)(IUnknown** element) = 0;

 protected:
  ~ISet() = default;
};
ZELPH_DEFINE_IID(ISet, 0x01A907A9, 0xE39A, 0x4D9B, 0xA5, 0x61, 0xAD, 0x26, 0x18, 0x21, 0xAF, 0x21);

// A class or interface id as an object; the value is a VT_BSTR holding the
// braced text form.
struct IUID : IUnknown {
  STDMETHOD(get_Value)(VARIANT* value) = 0;
  // E_INVALIDARG unless the value is a braced GUID text.
  STDMETHOD(put_Value)(VARIANT value) = 0;
  // A new random id.
  STDMETHOD(Generate)() = 0;

 protected:
  ~IUID() = default;
};
ZELPH_DEFINE_IID(IUID, 0xEF2434B2, 0x1E08, 0x46B2, 0xBE, 0xB9, 0x00, 0x82, 0xE9, 0x51, 0x08, 0xF8);

struct IVariantStream;

// How a component saves itself into a variant stream and loads itself back.
struct IPersistVariant : IUnknown {
  // The component's class id, so that a reader can create it again.
  STDMETHOD(get_ID)(IUID** id) = 0;
  STDMETHOD(Load)(IVariantStream* stream) = 0;
  STDMETHOD(Save)(IVariantStream* stream) = 0;

 protected:
  ~IPersistVariant() = default;
};
ZELPH_DEFINE_IID(IPersistVariant, 0xAF3FE20D, 0xD23B, 0x4274, 0xB0, 0x8E, 0x3F, 0x3F, 0xFD, 0x81, 0x60, 0xB3);

// A sequence of VARIANT values read back in the order written, each with
// its type. An object (VT_UNKNOWN) is written as its class id followed by
// what its own IPersistVariant::Save writes; reading creates a new object of
// that class and lets it Load.
struct IVariantStream : IUnknown {
  STDMETHOD(Read)(VARIANT* value) = 0;
  STDMETHOD(Write)(VARIANT value) = 0;

 protected:
  ~IVariantStream() = default;
};
ZELPH_DEFINE_IID(IVariantStream, 0x4F26B687, 0xBFFA, 0x4B90, 0xAC, 0x74, 0x2B, 0x29, 0x3E, 0xE5, 0x5D, 0x21);
