// Hands out one font component per typeface name, so that drawing many texts
// in the same font shares one component; and keeps the library-wide default
// billboard font that labelled billboards start with.
#pragma once

#include <map>
#include <string>

#include "frame/FontInterfaces.h"
#include "platform/ComPtr.h"

class ComFontHelper {
 public:
  ComFontHelper() = default;
  ComFontHelper(const ComFontHelper&) = delete;
  ComFontHelper& operator=(const ComFontHelper&) = delete;

  // The billboard font component for the font's typeface name, made on the
  // first request with the given font object itself; null for a null font
  // or on failure (reported).
  CComPtr<IFont3D> LookupBillboardFont(IFont* font);
  // The same for extruded font components.
  CComPtr<IFont3D> LookupExtrudedFont(IFont* font);

  // The default billboard font shared by the whole library, made on first
  // request ("Arial", 10 points).
  static CComPtr<IFont3D> GetDefaultBillboardFont();
  // Drops the shared default; the library does this when it is unloaded.
  static void ReleaseDefaultBillboardFont();

 private:
  // Typeface names in wide-string order.
  using FontMap = std::map<std::wstring, CComPtr<IFont3D>>;

  // The component stored under the font's name in `map`, made as class
  // `clsid` around the font itself when the name is new.
  static CComPtr<IFont3D> Lookup(FontMap& map, IFont* font, REFCLSID clsid);

  // Where the shared default lives. Never destroyed, so that the library's
  // unload, which runs among the static destructors, finds it whatever their
  // order.
  static CComPtr<IFont3D>& DefaultBillboardFont();

  FontMap m_ExtrudedFontMap;
  FontMap m_BillboardFontMap;
};
