// A sector of an ellipsoid: azimuths from north in 0..360 degrees and
// inclinations in -90..90 degrees, with caps closing the cut faces. With
// its defaults it is a whole ellipsoid. Start and end are not ordered.
#pragma once

#include "graphics/Ellipsoid3DBase.h"

class PartialEllipsoid3D : public Ellipsoid3DBase,
                           public zelph::DispatchImpl<IPartialEllipsoid3D>,
                           public IPersistVariant {
 public:
  using InterfaceMap = zelph::InterfaceMap<IPartialEllipsoid3D, zelph::DispatchAs<IPartialEllipsoid3D>, ICallout3D,
                                           IEllipsoid3D, IGraphic3D, IPersistVariant, IUpdate3D>;

  // Azimuths are brought into 0..360 (360 stays 360); inclinations are
  // clamped to -90..90.
  STDMETHODIMP get_StartAzimuth(DOUBLE* azimuth) override;
  STDMETHODIMP put_StartAzimuth(DOUBLE azimuth) override;
  STDMETHODIMP get_EndAzimuth(DOUBLE* azimuth) override;
  STDMETHODIMP put_EndAzimuth(DOUBLE azimuth) override;
  STDMETHODIMP get_StartInclination(DOUBLE* inclination) override;
  STDMETHODIMP put_StartInclination(DOUBLE inclination) override;
  STDMETHODIMP get_EndInclination(DOUBLE* inclination) override;
  STDMETHODIMP put_EndInclination(DOUBLE inclination) override;
  // Only VARIANT_TRUE shows the caps.
  STDMETHODIMP get_ShowCaps(VARIANT_BOOL* show) override;
  STDMETHODIMP put_ShowCaps(VARIANT_BOOL show) override;

  // The two azimuths, the two inclinations and the caps flag as stored
  // (not normalised again on Load), then the ellipsoid's record.
  STDMETHODIMP get_ID(IUID** id) override;
  STDMETHODIMP Load(IVariantStream* stream) override;
  STDMETHODIMP Save(IVariantStream* stream) override;

 private:
  double m_SAzimuth = 0.0;
  double m_EAzimuth = 360.0;
  double m_SInclination = -90.0;
  double m_EInclination = 90.0;
  bool m_ShowCaps = true;
};
