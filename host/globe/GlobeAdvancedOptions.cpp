#include "host/globe/GlobeAdvancedOptions.h"

#include <cmath>

#include "host/HostCall.h"

namespace zelph::host {


STDMETHODIMP GlobeAdvancedOptions::get_SurfaceOffsetFactor(double* factor) {
  return HostCall([&] { *factor = m_SurfaceOffsetFactor; }, factor);
}

STDMETHODIMP GlobeAdvancedOptions::put_SurfaceOffsetFactor(double factor) {
  return HostCall([&] {
    RequireArgument(std::isfinite(factor));
    m_SurfaceOffsetFactor = factor;
  });
}

}  // namespace zelph::host
