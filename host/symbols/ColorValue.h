// A colour as the host's symbols keep it: copied in from any IColor and
// handed out as a new RgbColor each time, so that a colour handed out can
// be changed without changing the symbol until it is put back.
#pragma once

#include "frame/HostCollections.h"
#include "frame/HostSymbols.h"

namespace zelph::host::symbols {

struct ColorValue {
  // 0x00BBGGRR.
  LONG Packed() const { return red | (green << 8) | (blue << 16); }
  // E_INVALIDARG (as a ComException) for a value with bits above 0xFFFFFF.
  static ColorValue FromPacked(LONG rgb, BYTE transparency);

  LONG red = 0;
  LONG green = 0;
  LONG blue = 0;
  BYTE transparency = 255;  // opaque
};

constexpr ColorValue kBlack{};
constexpr ColorValue kGrey{128, 128, 128, 255};

// Whether a component is within 0 to 255.
inline bool ValidComponent(LONG value) { return value >= 0 && value <= 255; }

// The values of `color`, through IRgbColor when it offers that, else
// through its packed RGB. E_POINTER for none, E_INVALIDARG for components
// out of range.
ColorValue ReadColor(IColor* color);
// A new RgbColor holding `value`.
void HandOutColor(const ColorValue& value, IColor** color);

// A colour in a record: its packed RGB (I4) and its transparency (UI1).
void SaveColor(IVariantStream* stream, const ColorValue& value);
ColorValue LoadColor(IVariantStream* stream);

}  // namespace zelph::host::symbols
