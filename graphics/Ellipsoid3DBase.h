// What whole and partial ellipsoids share (IEllipsoid3D): what is drawn
// (frame, fill or both), the symbol of the frame lines and the three axis
// sizes. The extent is the X by Y box centred on the centroid; the Z size
// is height and leaves it alone.
#pragma once

#include "graphics/Callout3DBase.h"

class Ellipsoid3DBase : public Callout3DBase, public zelph::DispatchImpl<IEllipsoid3D> {
 public:
  Ellipsoid3DBase();

  STDMETHODIMP get_EllipsoidOption(kestGLEllipsoidOption* option) override;
  STDMETHODIMP put_EllipsoidOption(kestGLEllipsoidOption option) override;
  STDMETHODIMP get_GridSymbol(ISimpleLineSymbol** symbol) override;
  STDMETHODIMP putref_GridSymbol(ISimpleLineSymbol* symbol) override;
  STDMETHODIMP get_XSize(DOUBLE* size) override;
  STDMETHODIMP put_XSize(DOUBLE size) override;
  STDMETHODIMP get_YSize(DOUBLE* size) override;
  STDMETHODIMP put_YSize(DOUBLE size) override;
  STDMETHODIMP get_ZSize(DOUBLE* size) override;
  STDMETHODIMP put_ZSize(DOUBLE size) override;
  STDMETHODIMP QuerySize(DOUBLE* x, DOUBLE* y, DOUBLE* z) override;
  STDMETHODIMP PutSize(DOUBLE x, DOUBLE y, DOUBLE z) override;

  void UpdateExtent() override;

 protected:
  // Option, grid symbol, X, Y and Z size, then the callout block.
  void SaveEllipsoid(IVariantStream* stream);
  void LoadEllipsoid(IVariantStream* stream);

  kestGLEllipsoidOption m_EllipsoidOption = kestGLEllipsoidFrameAndFill;
  CComPtr<ISimpleLineSymbol> m_GridSymbol;
  double m_XSize = 1.0;
  double m_YSize = 1.0;
  double m_ZSize = 1.0;
};
