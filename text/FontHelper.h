// Hands out one native font per OS font handle, so that every text drawn in
// the same typeface shares one set of glyph lists. Owned by a scene manager;
// its fonts live until it goes (and free their lists then, so it must go
// with a current OpenGL context).
#pragma once

#include <map>
#include <memory>

#include "platform/OleFont.h"
#include "text/BillboardFont.h"
#include "text/FlatGlobeFont.h"

class FontHelper {
 public:
  // The depth, in ems, the glyphs of globe fonts are built with.
  static constexpr float kFlatFontExtrusion = 1.0f;

  FontHelper() = default;
  FontHelper(const FontHelper&) = delete;
  FontHelper& operator=(const FontHelper&) = delete;

  // The billboard font for the font object's current handle, made on first
  // request; the helper keeps it. Null for a null font, a zero handle or on
  // failure (reported).
  BillboardFont* LookupBillboardFont(IFont* Font);
  // The same for fonts standing upright or lying flat on the globe.
  FlatGlobeFont* LookupExtrusionFlatFont(IFont* Font);

 private:
  template <class NativeFont, class... Arguments>
  static NativeFont* Lookup(std::map<HFONT, std::unique_ptr<NativeFont>>& Map, IFont* Font,
                            Arguments... arguments);

  std::map<HFONT, std::unique_ptr<BillboardFont>> m_BBMap;
  std::map<HFONT, std::unique_ptr<FlatGlobeFont>> m_EFMap;
};
