// GUIDs, interface and class ids, and the compile-time link from an interface
// type to its id (the role of __uuidof).
#pragma once

#include <compare>
#include <cstring>
#include <type_traits>

#include "platform/WinError.h"

struct GUID {
  std::uint32_t Data1;
  std::uint16_t Data2;
  std::uint16_t Data3;
  std::uint8_t Data4[8];

  friend constexpr bool operator==(const GUID& a, const GUID& b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
    for (int i = 0; i < 8; ++i) {
      if (a.Data4[i] != b.Data4[i]) return false;
    }
    return true;
  }
};

using IID = GUID;
using CLSID = GUID;
using REFGUID = const GUID&;
using REFIID = const IID&;
using REFCLSID = const CLSID&;
using LPCLSID = CLSID*;

constexpr GUID GUID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};

inline bool IsEqualGUID(REFGUID a, REFGUID b) { return a == b; }
inline bool IsEqualIID(REFIID a, REFIID b) { return a == b; }
inline bool IsEqualCLSID(REFCLSID a, REFCLSID b) { return a == b; }

// Orders GUIDs by their bytes, for maps keyed by class or interface id.
struct GuidLess {
  bool operator()(const GUID& a, const GUID& b) const { return std::memcmp(&a, &b, sizeof(GUID)) < 0; }
};

// Writes the registry form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (upper case)
// into `text`; returns the characters written including the terminator, or 0
// when `cchMax` is too small (39 are needed).
int StringFromGUID2(REFGUID guid, LPOLESTR text, int cchMax);
// Parses the braced registry form, either case. CO_E_CLASSSTRING on any
// deviation; the output is left untouched then.
HRESULT CLSIDFromString(LPCOLESTR text, LPCLSID clsid);
HRESULT IIDFromString(LPCOLESTR text, IID* iid);
// A random version-4 GUID (RFC 4122 variant) from the system's entropy.
HRESULT CoCreateGuid(GUID* guid);

// The interface-to-id link: every interface declares its id once with
// ZELPH_DEFINE_IID beside itself (in any namespace), and templates ask
// uuidof<Interface>(). The lookup matches the exact interface type, so an
// interface without an id of its own does not compile rather than borrowing
// its base's.

template <class Interface>
constexpr const IID& uuidof() {
  return ZelphInterfaceId(std::type_identity<Interface>{});
}

#define ZELPH_DEFINE_IID(Interface, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8)                 \
  inline constexpr IID IID_##Interface = {l, w1, w2, {b1, b2, b3, b4, b5, b6, b7, b8}};       \
  constexpr const IID& ZelphInterfaceId(std::type_identity<Interface>) { return IID_##Interface; } \
  static_assert(true)

#define ZELPH_DEFINE_GUID(name, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8) \
  inline constexpr GUID name = {l, w1, w2, {b1, b2, b3, b4, b5, b6, b7, b8}}
