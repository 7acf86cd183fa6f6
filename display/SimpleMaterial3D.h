// A material of one colour, white unless told otherwise. The colour is held
// by reference: changing the object get_Color hands out changes the
// material.
#pragma once

#include "display/Material3DBase.h"
#include "frame/ComObject.h"
#include "frame/DispatchImpl.h"
#include "frame/MaterialInterfaces.h"
#include "platform/ComPtr.h"

class SimpleMaterial3D : public zelph::ComObjectRoot,
                         public zelph::DispatchImpl<ISimpleMaterial3D>,
                         public Material3DBase,
                         public IPersistVariant {
 public:
  using InterfaceMap = zelph::InterfaceMap<ISimpleMaterial3D, zelph::DispatchAs<ISimpleMaterial3D>, IMaterial3D,
                                           IPersistVariant>;

  SimpleMaterial3D() : Material3DBase(false) {}

  // Makes the white host colour; fails when the host cannot make one.
  HRESULT FinalConstruct();

  STDMETHODIMP get_Color(IRgbColor** color) override;
  // Null empties the colour.
  STDMETHODIMP putref_Color(IRgbColor* color) override;

  // The colour (object record), then the material block.
  STDMETHODIMP get_ID(IUID** id) override;
  STDMETHODIMP Load(IVariantStream* stream) override;
  STDMETHODIMP Save(IVariantStream* stream) override;

 private:
  CComPtr<IRgbColor> m_RgbColor;
};
