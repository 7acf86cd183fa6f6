// An ellipsoid centred on the graphic's centroid, drawn as grid lines, a
// filled surface or both. Also what a billboard carries as its sensor.
#pragma once

#include "graphics/Ellipsoid3DBase.h"

class Ellipsoid3D : public Ellipsoid3DBase, public IPersistVariant {
 public:
  using InterfaceMap = zelph::InterfaceMap<IEllipsoid3D, zelph::DispatchAs<IEllipsoid3D>, ICallout3D, IGraphic3D,
                                           IPersistVariant, IUpdate3D>;

  // Option, grid symbol, the three sizes, then the callout block.
  STDMETHODIMP get_ID(IUID** id) override;
  STDMETHODIMP Load(IVariantStream* stream) override;
  STDMETHODIMP Save(IVariantStream* stream) override;
};
