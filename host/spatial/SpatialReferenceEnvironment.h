// Makes the host's spatial references by code, from PROJ's database.
#pragma once

#include "frame/ComObject.h"
#include "frame/HostSpatialReference.h"

namespace zelph::host {

class SpatialReferenceEnvironment : public zelph::ComObjectRoot, public ISpatialReferenceFactory {
 public:
  using InterfaceMap = zelph::InterfaceMap<ISpatialReferenceFactory>;

  STDMETHODIMP CreateGeographicCoordinateSystem(LONG code, ISpatialReference** reference) override;
  STDMETHODIMP CreateProjectedCoordinateSystem(LONG code, ISpatialReference** reference) override;
};

}  // namespace zelph::host
