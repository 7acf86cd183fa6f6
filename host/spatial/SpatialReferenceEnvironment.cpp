#include "host/spatial/SpatialReferenceEnvironment.h"

#include "host/HostClasses.h"
#include "host/spatial/SpatialReference.h"

namespace zelph::host {

STDMETHODIMP SpatialReferenceEnvironment::CreateGeographicCoordinateSystem(LONG code, ISpatialReference** reference) {
  return SpatialReference::Create(code, CoordinateSystemKind::Geographic, reference);
}

STDMETHODIMP SpatialReferenceEnvironment::CreateProjectedCoordinateSystem(LONG code, ISpatialReference** reference) {
  return SpatialReference::Create(code, CoordinateSystemKind::Projected, reference);
}

HRESULT CreateSpatialReferenceEnvironment(IUnknown* outer, REFIID riid, void** result) {
  return zelph::CreateComInstance<SpatialReferenceEnvironment>(outer, riid, result);
}

}  // namespace zelph::host
