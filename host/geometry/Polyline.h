// Paths as parts, held by reference (host paths or rings). Points and
// segments added to a polyline go to its last part, which the first of
// them creates as a path when there is none.
#pragma once

#include "host/geometry/PartsObject.h"

namespace zelph::host::geometry {

class Polyline : public PartsObject<IPolyline, IPath> {
 public:
  using InterfaceMap = GeometryInterfaceMap<IPolyline, ICurve, IGeometry, IGeometryCollection, IPointCollection,
                                            ISegmentCollection>;

  Polyline() : PartsObject<IPolyline, IPath>(&CreatePath) {}

 protected:
  kestGeometryType Type() const override { return kestGeometryPolyline; }
};

}  // namespace zelph::host::geometry
