// What both billboards share (IBillboard3D): the picture's width and height
// and the sensor ellipsoid that follows the billboard. While a sensor is
// held, the billboard's position, visibility, selection, transparency
// (scaled by the ratio taken when the sensor was attached), threshold
// elevation and callout settings are passed on to it; the sensor's answers
// are not checked, but a sensor without the interface a change needs fails
// that change after the billboard's own value was stored, and the
// billboard's level is then not raised.
#pragma once

#include "graphics/Callout3DBase.h"

class Billboard3DBase : public Callout3DBase, public zelph::DispatchImpl<IBillboard3D> {
 public:
  // IBillboard3D
  STDMETHODIMP get_XSize(DOUBLE* size) override;
  STDMETHODIMP put_XSize(DOUBLE size) override;
  STDMETHODIMP get_YSize(DOUBLE* size) override;
  STDMETHODIMP put_YSize(DOUBLE size) override;
  STDMETHODIMP QuerySize(DOUBLE* x, DOUBLE* y) override;
  STDMETHODIMP PutSize(DOUBLE x, DOUBLE y) override;
  STDMETHODIMP get_SensorEllipsoid(IEllipsoid3D** ellipsoid) override;
  // Takes the sensor's transparency ratio (its own transparency / 255) now;
  // marks nothing.
  STDMETHODIMP putref_SensorEllipsoid(IEllipsoid3D* ellipsoid) override;

  // IGraphic3D and ICallout3D setters that the sensor follows.
  STDMETHODIMP putref_Centroid(IPoint* centroid) override;
  STDMETHODIMP put_Selected(VARIANT_BOOL selected) override;
  STDMETHODIMP put_Transparency(LONG transparency) override;
  STDMETHODIMP put_Visible(VARIANT_BOOL visible) override;
  STDMETHODIMP put_ThresholdElevation(DOUBLE elevation) override;
  STDMETHODIMP put_EnableCallout(VARIANT_BOOL enabled) override;
  // The sensor gets the symbol as its grid symbol, then as its callout's.
  STDMETHODIMP putref_CalloutLineSymbol(ISimpleLineSymbol* symbol) override;
  STDMETHODIMP putref_CalloutAnchorLocation(IPoint* anchor) override;
  STDMETHODIMP put_WindVaneAzimuth(DOUBLE azimuth) override;
  STDMETHODIMP put_WindVaneSize(DOUBLE size) override;

  void UpdateExtent() override;

 protected:
  // X and Y size, the sensor's own record in line (a default ellipsoid's
  // when none is held), the transparency ratio, then the callout block.
  void SaveBillboard(IVariantStream* stream);
  // Reads that record; without a sensor its record is read and dropped.
  void LoadBillboard(IVariantStream* stream);

  double m_XSize = 1.0;
  double m_YSize = 1.0;
  CComPtr<IEllipsoid3D> m_SensorEllipsoid;
  double m_SensorTransRatio = 1.0;

 private:
  // Calls `change` with the sensor as `Interface` when a sensor is held;
  // a sensor without that interface fails the change.
  template <class Interface, class Change>
  void PassToSensor(Change&& change);
};
