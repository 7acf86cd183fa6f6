// The library's material and texture interfaces: how a graphic's surface and
// lines are coloured, and the textures that texture materials refer to.
#pragma once

#include "frame/HostSymbols.h"
#include "frame/LibraryEnums.h"
#include "platform/GdiTypes.h"
#include "platform/Unknown.h"

struct IMaterial3D : IDispatch {
  STDMETHOD(get_Textured)(VARIANT_BOOL* textured) = 0;
  STDMETHOD(get_LineOption)(kestGLLineOption* option) = 0;
  STDMETHOD(put_LineOption)(kestGLLineOption option) = 0;
  // The low 16 bits of the pattern, zero-extended.
  STDMETHOD(get_CustomStipplePattern)(LONG* pattern) = 0;
  STDMETHOD(put_CustomStipplePattern)(LONG pattern) = 0;
  STDMETHOD(get_FillOption)(kestGLFillOption* option) = 0;
  STDMETHOD(put_FillOption)(kestGLFillOption option) = 0;

 protected:
  ~IMaterial3D() = default;
};
ZELPH_DEFINE_IID(IMaterial3D, 0x893FCA0C, 0x0E77, 0x499F, 0x9B, 0xCA, 0x2B, 0xD5, 0xB4, 0x6D, 0x96, 0x47);

struct ISimpleMaterial3D : IDispatch {
  STDMETHOD(get_Color)(IRgbColor** color) = 0;
  STDMETHOD(putref_Color)(IRgbColor* color) = 0;

 protected:
  ~ISimpleMaterial3D() = default;
};
ZELPH_DEFINE_IID(ISimpleMaterial3D, 0x39942B57, 0xBC89, 0x4C36, 0x82, 0xC6, 0xCB, 0xCF, 0xCB, 0xD5, 0x0D, 0xFB);

struct IGradientMaterial3D : IDispatch {
  STDMETHOD(get_StartColor)(IRgbColor** color) = 0;
  STDMETHOD(putref_StartColor)(IRgbColor* color) = 0;
  STDMETHOD(get_EndColor)(IRgbColor** color) = 0;
  STDMETHOD(putref_EndColor)(IRgbColor* color) = 0;

 protected:
  ~IGradientMaterial3D() = default;
};
ZELPH_DEFINE_IID(IGradientMaterial3D, 0xE05AB393, 0xF56C, 0x4E1C, 0x82, 0x89, 0x72, 0x80, 0x5A, 0x29, 0x97, 0x7C);

struct ITexture3D;

struct ITextureMaterial3D : IDispatch {
  STDMETHOD(get_Texture)(ITexture3D** texture) = 0;
  STDMETHOD(putref_Texture)(ITexture3D* texture) = 0;
  STDMETHOD(get_TextureMode)(kestGLTextureOption* mode) = 0;
  STDMETHOD(put_TextureMode)(kestGLTextureOption mode) = 0;

 protected:
  ~ITextureMaterial3D() = default;
};
ZELPH_DEFINE_IID(ITextureMaterial3D, 0x24490658, 0x1A44, 0x40C1, 0xAE, 0x79, 0x19, 0xAB, 0x9C, 0x53, 0x6A, 0xC4);

// A bitmap with an optional colour key, and the OpenGL texture made from it
// on request.
struct ITexture3D : IDispatch {
  STDMETHOD(get_UID)(BSTR* uid) = 0;
  STDMETHOD(put_UID)(BSTR uid) = 0;
  STDMETHOD(get_BitmapHandle)(OLE_HANDLE* bitmap) = 0;
  // The texture takes ownership of the bitmap.
  STDMETHOD(put_BitmapHandle)(OLE_HANDLE bitmap) = 0;
  STDMETHOD(get_TransparencyColor)(IRgbColor** color) = 0;
  STDMETHOD(putref_TransparencyColor)(IRgbColor* color) = 0;
  // The OpenGL texture name in the current context; 0 without a bitmap.
  STDMETHOD(get_TextureHandle)(OLE_HANDLE* texture) = 0;

 protected:
  ~ITexture3D() = default;
};
ZELPH_DEFINE_IID(ITexture3D, 0x20C30822, 0x0E53, 0x4C88, 0x8A, 0x2B, 0x11, 0x80, 0xD8, 0x35, 0xD6, 0x97);

struct ITexture3DHelper : IDispatch {
  STDMETHOD(CreateBMPTexture)(BSTR uid, BSTR path, IRgbColor* transparency, ITexture3D** texture) = 0;
  STDMETHOD(CreateMarkerTexture)(BSTR uid, IMarkerSymbol* marker, LONG size, IRgbColor* transparency,
                                 ITexture3D** texture) = 0;

 protected:
  ~ITexture3DHelper() = default;
};
ZELPH_DEFINE_IID(ITexture3DHelper, 0xD8A90B6E, 0xC228, 0x48D3, 0x96, 0xBE, 0x11, 0x4C, 0xF6, 0x9E, 0x07, 0xD2);
