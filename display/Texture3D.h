// A bitmap with an optional colour key, and the OpenGL texture made from
// them when it is first asked for. The texture owns its bitmap: it deletes
// it when another replaces it and when the texture goes. The GL texture
// lives until the bitmap or the colour key changes (the next request makes
// it again) or until the texture goes.
#pragma once

#include <GL/gl.h>

#include "display/ImageHelper.h"
#include "frame/ComObject.h"
#include "frame/DispatchImpl.h"
#include "frame/GraphicInterfaces.h"
#include "frame/MaterialInterfaces.h"
#include "graphics/SerialHelper.h"
#include "platform/ComBstr.h"
#include "platform/ComPtr.h"

class Texture3D : public zelph::ComObjectRoot, public zelph::DispatchImpl<ITexture3D>, public IPersistVariant {
 public:
  using InterfaceMap = zelph::InterfaceMap<ITexture3D, zelph::DispatchAs<ITexture3D>, IPersistVariant>;

  // Deletes the bitmap and, when a GL context is current and still knows
  // the texture, the GL texture.
  void FinalRelease();

  STDMETHODIMP get_UID(BSTR* uid) override;
  STDMETHODIMP put_UID(BSTR uid) override;
  // The held bitmap; it stays the texture's.
  STDMETHODIMP get_BitmapHandle(OLE_HANDLE* bitmap) override;
  // E_POINTER for 0 and E_INVALIDARG for a handle that is no bitmap, the
  // held bitmap kept in both cases.
  STDMETHODIMP put_BitmapHandle(OLE_HANDLE bitmap) override;
  STDMETHODIMP get_TransparencyColor(IRgbColor** color) override;
  STDMETHODIMP putref_TransparencyColor(IRgbColor* color) override;
  // Needs the GL context the texture is used in to be current (E_FAIL
  // otherwise).
  STDMETHODIMP get_TextureHandle(OLE_HANDLE* texture) override;

  // UID, the colour key (object record), the bitmap record.
  STDMETHODIMP get_ID(IUID** id) override;
  STDMETHODIMP Load(IVariantStream* stream) override;
  STDMETHODIMP Save(IVariantStream* stream) override;

 private:
  // Takes `bitmap` in place of the held one, deleting that.
  void Own(HBITMAP bitmap);
  // Deletes the GL texture when the current context knows it.
  void DeleteTexture();

  CComBSTR m_UID{L""};
  HBITMAP m_BMP = nullptr;
  GLuint m_Tex = 0;
  CComPtr<IRgbColor> m_TransColor;
  bool m_NeedRegen = true;
  SerialHelper m_Serial;
  ImageHelper m_Imager;
};
