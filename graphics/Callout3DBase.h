// The callout of a point-like graphic: a line from the graphic to an anchor
// location, drawn with a line symbol, and a wind vane of an azimuth and a
// size (ICallout3D). Base of the billboards, ellipsoids and text points.
#pragma once

#include "graphics/Graphic3DBase.h"

class Callout3DBase : public Graphic3DBase, public zelph::DispatchImpl<ICallout3D> {
 public:
  Callout3DBase();

  STDMETHODIMP get_EnableCallout(VARIANT_BOOL* enabled) override;
  STDMETHODIMP put_EnableCallout(VARIANT_BOOL enabled) override;
  STDMETHODIMP get_CalloutLineSymbol(ISimpleLineSymbol** symbol) override;
  STDMETHODIMP putref_CalloutLineSymbol(ISimpleLineSymbol* symbol) override;
  // Raises the level to Location, also for a null out-pointer: the caller
  // may move the point it gets.
  STDMETHODIMP get_CalloutAnchorLocation(IPoint** anchor) override;
  STDMETHODIMP putref_CalloutAnchorLocation(IPoint* anchor) override;
  STDMETHODIMP get_WindVaneAzimuth(DOUBLE* azimuth) override;
  STDMETHODIMP put_WindVaneAzimuth(DOUBLE azimuth) override;
  STDMETHODIMP get_WindVaneSize(DOUBLE* size) override;
  STDMETHODIMP put_WindVaneSize(DOUBLE size) override;

 protected:
  // The common block, then the callout block.
  void Save(IVariantStream* stream);
  void Load(IVariantStream* stream);

  VARIANT_BOOL m_EnableCallout = VARIANT_FALSE;
  CComPtr<ISimpleLineSymbol> m_CalloutLineSymbol;
  CComPtr<IPoint> m_CalloutAnchorPint;
  double m_WindVaneAzimuth = 0.0;
  double m_WindVaneSize = 0.0;
};
