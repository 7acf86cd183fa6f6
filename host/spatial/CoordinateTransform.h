// Moves coordinates between two of the host's spatial references. Geometries
// call this from Project; it runs on PROJ.
#pragma once

#include <span>

#include "frame/HostSpatialReference.h"

namespace zelph::host {

// Transforms the points (xs[i], ys[i]) in place from `source` to `target`.
// Geographic coordinates are longitude and latitude in degrees, projected
// ones metres east and north. Both references must come from the host's
// SpatialReferenceEnvironment (E_INVALIDARG otherwise); E_FAIL when any
// point cannot be transformed, and then no point is changed.
HRESULT TransformCoordinates(ISpatialReference* source, ISpatialReference* target, std::span<double> xs,
                             std::span<double> ys);

}  // namespace zelph::host
