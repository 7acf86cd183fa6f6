// The display's drawing options.
#pragma once

#include "frame/ComObject.h"
#include "frame/HostGlobe.h"

namespace zelph::host {

class GlobeAdvancedOptions : public zelph::ComObjectRoot, public IGlobeAdvancedOptions {
 public:
  using InterfaceMap = zelph::InterfaceMap<IGlobeAdvancedOptions>;

  // The viewer draws the surface with glPolygonOffset(factor, 1): graphics
  // draped on the globe then win the depth test against it, the more
  // surely the larger the factor. E_INVALIDARG for a value that is not
  // finite.
  STDMETHODIMP get_SurfaceOffsetFactor(double* factor) override;
  STDMETHODIMP put_SurfaceOffsetFactor(double factor) override;

  static constexpr double kDefaultSurfaceOffsetFactor = 1.0;
  double SurfaceOffsetFactor() const { return m_SurfaceOffsetFactor; }

 private:
  double m_SurfaceOffsetFactor = kDefaultSurfaceOffsetFactor;
};

}  // namespace zelph::host
