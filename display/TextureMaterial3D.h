// A material that lays a texture over the surface, stretched once or
// repeated. A new one has no texture; get_Textured says true all the same.
#pragma once

#include "display/Material3DBase.h"
#include "frame/ComObject.h"
#include "frame/DispatchImpl.h"
#include "frame/MaterialInterfaces.h"
#include "platform/ComPtr.h"

class TextureMaterial3D : public zelph::ComObjectRoot,
                          public zelph::DispatchImpl<ITextureMaterial3D>,
                          public Material3DBase,
                          public IPersistVariant {
 public:
  using InterfaceMap = zelph::InterfaceMap<ITextureMaterial3D, zelph::DispatchAs<ITextureMaterial3D>, IMaterial3D,
                                           IPersistVariant>;

  TextureMaterial3D() : Material3DBase(true) {}

  STDMETHODIMP get_Texture(ITexture3D** texture) override;
  // Null empties the texture.
  STDMETHODIMP putref_Texture(ITexture3D* texture) override;
  STDMETHODIMP get_TextureMode(kestGLTextureOption* mode) override;
  // Any value is kept; only kestGLTextureRepeat repeats.
  STDMETHODIMP put_TextureMode(kestGLTextureOption mode) override;

  // The texture's own record in line, the mode, then the material block.
  // Without a texture the record of a new texture stands in its place; a
  // material without a texture loads into a new one, which it then keeps.
  STDMETHODIMP get_ID(IUID** id) override;
  STDMETHODIMP Load(IVariantStream* stream) override;
  STDMETHODIMP Save(IVariantStream* stream) override;

 private:
  CComPtr<ITexture3D> m_Texture;
  // A plain integer, as for the material's options.
  int m_TextureOption = kestGLTextureStretch;
};
