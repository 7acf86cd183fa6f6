// The dispatch tables of the font interfaces. The marker interfaces of
// billboard and extruded fonts answer for the font, and an extruded font
// for its extrusion too.
#include "frame/DispatchTables.h"
#include "frame/FontInterfaces.h"

namespace zelph {
namespace {

using M = DispatchMember;

constexpr DISPID kFontIds = 1000;
constexpr DISPID kExtrusionIds = 2000;

const DispatchTable& FontTable() {
  static const DispatchTable table{
      M::Get(L"Font", 1, &IFont3D::get_Font),
      M::PutRef(L"Font", 1, &IFont3D::putref_Font),
  };
  return table;
}

const DispatchTable& BillboardFontTable() {
  static const DispatchTable table{{}, {{FontTable(), kFontIds}}};
  return table;
}

const DispatchTable& ExtrudedFontTable() {
  static const DispatchTable table{{}, {{ExtrusionDispatchTable(), kExtrusionIds}, {FontTable(), kFontIds}}};
  return table;
}

}  // namespace

std::span<const DispatchInterface> FontDispatchInterfaces() {
  static const DispatchInterface interfaces[] = {
      ZELPH_DISPATCH_INTERFACE(IFont3D, FontTable()),
      ZELPH_DISPATCH_INTERFACE(IBillboardFont3D, BillboardFontTable()),
      ZELPH_DISPATCH_INTERFACE(IExtrudedFont3D, ExtrudedFontTable()),
  };
  return interfaces;
}

}  // namespace zelph
