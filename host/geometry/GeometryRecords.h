// The values of geometries in their records (see GeometryCore), read back
// under the rules the geometry setters keep, so that a loaded geometry is
// one its methods could have built.
//
//   coordinates := x, y, z (R8 each; NaN kept)
//   chain       := vertex count V (I4), then for V = 1 the vertex, for
//                  V >= 2 the V - 1 explicit segments (a ring's implicit
//                  closing line follows from its vertices)
//   segment     := kind (INT: 0 line, 1 circular arc, 2 elliptic arc),
//                  from and to coordinates, and for an arc its centre
//                  coordinates, semi-major axis, minor/major ratio,
//                  rotation, from angle and central angle (R8 each)
#pragma once

#include "frame/HostCollections.h"
#include "host/geometry/SegmentChain.h"

namespace zelph::host::geometry {

void SaveCoordinates(IVariantStream* stream, const Coordinates& coordinates);
Coordinates LoadCoordinates(IVariantStream* stream);

void SaveChain(IVariantStream* stream, const SegmentChain& chain);
SegmentChain LoadChain(IVariantStream* stream, bool ring);

}  // namespace zelph::host::geometry
