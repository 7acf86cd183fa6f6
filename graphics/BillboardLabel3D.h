// One text label of a labelled billboard: its text, the angle at which it
// sits around the billboard, its horizontal alignment, and whether it is
// placed automatically or at a manual radius. A label has no update level:
// changing one marks no billboard.
#pragma once

#include "frame/ComObject.h"
#include "frame/DispatchImpl.h"
#include "frame/GraphicInterfaces.h"
#include "graphics/SerialHelper.h"

class BillboardLabel3D : public zelph::ComObjectRoot,
                         public zelph::DispatchImpl<IBillboardLabel3D>,
                         public IPersistVariant {
 public:
  using InterfaceMap =
      zelph::InterfaceMap<IBillboardLabel3D, zelph::DispatchAs<IBillboardLabel3D>, IPersistVariant>;

  STDMETHODIMP get_Text(BSTR* text) override;
  STDMETHODIMP put_Text(BSTR text) override;
  STDMETHODIMP get_Angle(DOUBLE* angle) override;
  STDMETHODIMP put_Angle(DOUBLE angle) override;
  STDMETHODIMP get_HAOption(kestGLHAlignOption* option) override;
  STDMETHODIMP put_HAOption(kestGLHAlignOption option) override;
  STDMETHODIMP get_AutoArrange(VARIANT_BOOL* automatic) override;
  STDMETHODIMP put_AutoArrange(VARIANT_BOOL automatic) override;
  STDMETHODIMP get_ManualRadius(DOUBLE* radius) override;
  STDMETHODIMP put_ManualRadius(DOUBLE radius) override;

  // Text, angle, alignment, automatic placement, manual radius.
  STDMETHODIMP get_ID(IUID** id) override;
  STDMETHODIMP Load(IVariantStream* stream) override;
  STDMETHODIMP Save(IVariantStream* stream) override;

 private:
  SerialHelper m_Serial;
  CComBSTR m_Text{L""};
  double m_Angle = 0.0;
  kestGLHAlignOption m_HAOption = kestGLHAlignLeft;
  VARIANT_BOOL m_AutoArrange = VARIANT_TRUE;
  double m_ManualRadius = 0.0;
};
