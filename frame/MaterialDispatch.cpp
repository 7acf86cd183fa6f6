// The dispatch tables of the material and texture interfaces. Every kind of
// material also answers for the material interface all of them share.
#include "frame/DispatchTables.h"
#include "frame/MaterialInterfaces.h"

namespace zelph {
namespace {

using M = DispatchMember;

constexpr DISPID kMaterialIds = 1000;

const DispatchTable& SimpleMaterialTable() {
  static const DispatchTable table{{
                                       M::Get(L"Color", 1, &ISimpleMaterial3D::get_Color),
                                       M::PutRef(L"Color", 1, &ISimpleMaterial3D::putref_Color),
                                   },
                                   {{MaterialDispatchTable(), kMaterialIds}}};
  return table;
}

const DispatchTable& GradientMaterialTable() {
  static const DispatchTable table{{
                                       M::Get(L"StartColor", 1, &IGradientMaterial3D::get_StartColor),
                                       M::PutRef(L"StartColor", 1, &IGradientMaterial3D::putref_StartColor),
                                       M::Get(L"EndColor", 2, &IGradientMaterial3D::get_EndColor),
                                       M::PutRef(L"EndColor", 2, &IGradientMaterial3D::putref_EndColor),
                                   },
                                   {{MaterialDispatchTable(), kMaterialIds}}};
  return table;
}

const DispatchTable& TextureMaterialTable() {
  static const DispatchTable table{{
                                       M::Get(L"Texture", 1, &ITextureMaterial3D::get_Texture),
                                       M::PutRef(L"Texture", 1, &ITextureMaterial3D::putref_Texture),
                                       M::Get(L"TextureMode", 2, &ITextureMaterial3D::get_TextureMode),
                                       M::Put(L"TextureMode", 2, &ITextureMaterial3D::put_TextureMode),
                                   },
                                   {{MaterialDispatchTable(), kMaterialIds}}};
  return table;
}

const DispatchTable& TextureTable() {
  static const DispatchTable table{
      M::Get(L"UID", 1, &ITexture3D::get_UID),
      M::Put(L"UID", 1, &ITexture3D::put_UID),
      M::Get(L"BitmapHandle", 2, &ITexture3D::get_BitmapHandle),
      M::Put(L"BitmapHandle", 2, &ITexture3D::put_BitmapHandle),
      M::Get(L"TransparencyColor", 3, &ITexture3D::get_TransparencyColor),
      M::PutRef(L"TransparencyColor", 3, &ITexture3D::putref_TransparencyColor),
      M::Get(L"TextureHandle", 4, &ITexture3D::get_TextureHandle),
  };
  return table;
}

const DispatchTable& TextureHelperTable() {
  static const DispatchTable table{
      M::Method(L"CreateBMPTexture", 1, &ITexture3DHelper::CreateBMPTexture),
      M::Method(L"CreateMarkerTexture", 2, &ITexture3DHelper::CreateMarkerTexture),
  };
  return table;
}

}  // namespace

const DispatchTable& MaterialDispatchTable() {
  static const DispatchTable table{
      M::Get(L"Textured", 1, &IMaterial3D::get_Textured),
      M::Get(L"LineOption", 2, &IMaterial3D::get_LineOption),
      M::Put(L"LineOption", 2, &IMaterial3D::put_LineOption),
      M::Get(L"CustomStipplePattern", 3, &IMaterial3D::get_CustomStipplePattern),
      M::Put(L"CustomStipplePattern", 3, &IMaterial3D::put_CustomStipplePattern),
      M::Get(L"FillOption", 4, &IMaterial3D::get_FillOption),
      M::Put(L"FillOption", 4, &IMaterial3D::put_FillOption),
  };
  return table;
}

std::span<const DispatchInterface> MaterialDispatchInterfaces() {
  static const DispatchInterface interfaces[] = {
      ZELPH_DISPATCH_INTERFACE(IMaterial3D, MaterialDispatchTable()),
      ZELPH_DISPATCH_INTERFACE(ISimpleMaterial3D, SimpleMaterialTable()),
      ZELPH_DISPATCH_INTERFACE(IGradientMaterial3D, GradientMaterialTable()),
      ZELPH_DISPATCH_INTERFACE(ITextureMaterial3D, TextureMaterialTable()),
      ZELPH_DISPATCH_INTERFACE(ITexture3D, TextureTable()),
      ZELPH_DISPATCH_INTERFACE(ITexture3DHelper, TextureHelperTable()),
  };
  return interfaces;
}

}  // namespace zelph
