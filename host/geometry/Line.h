// A straight segment between two points, empty until its ends are put.
#pragma once

#include "host/geometry/SegmentObject.h"

namespace zelph::host::geometry {

class Line : public SegmentObject<ILine> {
 public:
  using InterfaceMap = GeometryInterfaceMap<ILine, ISegment, ICurve, IGeometry>;

  STDMETHODIMP PutCoords(IPoint* from, IPoint* to) override;
  STDMETHODIMP get_Angle(double* radians) override;

 protected:
  kestGeometryType Type() const override { return kestGeometryLine; }
};

}  // namespace zelph::host::geometry
