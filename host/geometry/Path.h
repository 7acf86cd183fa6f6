// An open chain of segments. As a point collection its vertices are the
// segment ends; an added point joins the last vertex with a line.
#pragma once

#include "host/geometry/PathObject.h"

namespace zelph::host::geometry {

class Path : public PathObject<IPath> {
 public:
  using InterfaceMap = GeometryInterfaceMap<IPath, ICurve, IGeometry, IPointCollection, ISegmentCollection>;

  Path() : PathObject<IPath>(false) {}

 protected:
  kestGeometryType Type() const override { return kestGeometryPath; }
};

}  // namespace zelph::host::geometry
