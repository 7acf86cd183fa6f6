// A flat picture of a given size that always faces the camera at its
// centroid, drawn with the graphic's material (usually a texture).
#pragma once

#include "graphics/Billboard3DBase.h"

class Billboard3D : public Billboard3DBase, public IPersistVariant {
 public:
  using InterfaceMap = zelph::InterfaceMap<IBillboard3D, zelph::DispatchAs<IBillboard3D>, ICallout3D, IGraphic3D,
                                           IPersistVariant, IUpdate3D>;

  // The sizes, the sensor ellipsoid in line, its transparency ratio, then
  // the callout block.
  STDMETHODIMP get_ID(IUID** id) override;
  STDMETHODIMP Load(IVariantStream* stream) override;
  STDMETHODIMP Save(IVariantStream* stream) override;
};
