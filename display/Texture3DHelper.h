// Makes textures: from an image file, or by drawing a host marker symbol
// into a square bitmap whose background, painted in the transparency
// colour, becomes transparent in the GL texture.
#pragma once

#include "display/ImageHelper.h"
#include "frame/ComObject.h"
#include "frame/DispatchImpl.h"
#include "frame/MaterialInterfaces.h"

class Texture3DHelper : public zelph::ComObjectRoot, public zelph::DispatchImpl<ITexture3DHelper> {
 public:
  using InterfaceMap = zelph::InterfaceMap<ITexture3DHelper, zelph::DispatchAs<ITexture3DHelper>>;

  // The image file at its own size; `transparency` may be null (an opaque
  // texture). E_FAIL, with no texture, when the file cannot be read.
  STDMETHODIMP CreateBMPTexture(BSTR uid, BSTR path, IRgbColor* transparency, ITexture3D** texture) override;
  // The marker centred on a size x size square at 95 percent of its side,
  // the square then made a power of two. Without a transparency colour the
  // background is white and stays opaque. E_FAIL, with no texture, for a
  // missing marker, a size below 1 or a failed drawing.
  STDMETHODIMP CreateMarkerTexture(BSTR uid, IMarkerSymbol* marker, LONG size, IRgbColor* transparency,
                                   ITexture3D** texture) override;

 private:
  ImageHelper m_Imager;
};
