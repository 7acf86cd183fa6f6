// A closed chain of segments: when the last vertex differs from the first,
// an implicit line closes it (see SegmentChain).
#pragma once

#include "host/geometry/PathObject.h"

namespace zelph::host::geometry {

class Ring : public PathObject<IRing> {
 public:
  using InterfaceMap = GeometryInterfaceMap<IRing, IPath, ICurve, IGeometry, IPointCollection, ISegmentCollection>;

  Ring() : PathObject<IRing>(true) {}

  STDMETHODIMP Close() override;

 protected:
  kestGeometryType Type() const override { return kestGeometryRing; }
};

}  // namespace zelph::host::geometry
