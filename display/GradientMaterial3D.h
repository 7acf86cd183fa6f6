// A material running from a start colour (white unless told otherwise) to
// an end colour (black). The colours are held by reference: changing an
// object a getter hands out changes the material.
#pragma once

#include "display/Material3DBase.h"
#include "frame/ComObject.h"
#include "frame/DispatchImpl.h"
#include "frame/MaterialInterfaces.h"
#include "platform/ComPtr.h"

class GradientMaterial3D : public zelph::ComObjectRoot,
                           public zelph::DispatchImpl<IGradientMaterial3D>,
                           public Material3DBase,
                           public IPersistVariant {
 public:
  using InterfaceMap = zelph::InterfaceMap<IGradientMaterial3D, zelph::DispatchAs<IGradientMaterial3D>, IMaterial3D,
                                           IPersistVariant>;

  GradientMaterial3D() : Material3DBase(false) {}

  // Makes the white and the black host colours; fails when the host cannot
  // make them.
  HRESULT FinalConstruct();

  STDMETHODIMP get_StartColor(IRgbColor** color) override;
  // Null empties the colour, as for putref_EndColor.
  STDMETHODIMP putref_StartColor(IRgbColor* color) override;
  STDMETHODIMP get_EndColor(IRgbColor** color) override;
  STDMETHODIMP putref_EndColor(IRgbColor* color) override;

  // The start and the end colour (object records), then the material block.
  STDMETHODIMP get_ID(IUID** id) override;
  STDMETHODIMP Load(IVariantStream* stream) override;
  STDMETHODIMP Save(IVariantStream* stream) override;

 private:
  CComPtr<IRgbColor> m_StartColor;
  CComPtr<IRgbColor> m_EndColor;
};
