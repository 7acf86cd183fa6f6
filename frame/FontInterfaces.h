// The library's font components: the typeface of a text, and by the class of
// the component how the text is drawn (billboard, upright or flat extruded).
#pragma once

#include "frame/HostSymbols.h"
#include "frame/LibraryEnums.h"
#include "platform/OleFont.h"
#include "platform/Unknown.h"

struct IFont3D : IDispatch {
  STDMETHOD(get_Font)(IFont** font) = 0;
  STDMETHOD(putref_Font)(IFont* font) = 0;

 protected:
  ~IFont3D() = default;
};
ZELPH_DEFINE_IID(IFont3D, 0x9BC729C8, 0xDA96, 0x448E, 0x82, 0x10, 0xE9, 0x36, 0x52, 0x41, 0xBB, 0x36);

// No operations: its presence marks text drawn facing the screen.
struct IBillboardFont3D : IDispatch {
 protected:
  ~IBillboardFont3D() = default;
};
ZELPH_DEFINE_IID(IBillboardFont3D, 0x8A8188DB, 0x6F8E, 0x4874, 0x8D, 0x72, 0xFA, 0xA3, 0x81, 0x39, 0xA5, 0x84);

// No operations: its presence marks text lying flat on the globe.
struct IExtrudedFont3D : IDispatch {
 protected:
  ~IExtrudedFont3D() = default;
};
ZELPH_DEFINE_IID(IExtrudedFont3D, 0xF61A23DB, 0xE828, 0x44D4, 0xA2, 0x84, 0x46, 0xA4, 0x1B, 0xAC, 0x0B, 0x95);
