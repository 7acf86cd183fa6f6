// An arc of a circle, empty until it is constructed. Its ends take the
// heights of the points it is built from: the centre's for
// PutCoordsByAngle, the two ends' for ConstructThreePoints (whose centre
// then has no height).
#pragma once

#include "host/geometry/ArcObject.h"

namespace zelph::host::geometry {

class CircularArc : public ArcObject<ICircularArc> {
 public:
  using InterfaceMap = GeometryInterfaceMap<ICircularArc, ISegment, ICurve, IGeometry>;

  // E_INVALIDARG for a negative or NaN radius, or a sweep past a whole
  // turn or not finite.
  STDMETHODIMP PutCoordsByAngle(IPoint* center, double fromAngle, double centralAngle, double radius) override;
  STDMETHODIMP ConstructThreePoints(IPoint* from, IPoint* through, IPoint* to) override;
  STDMETHODIMP get_Radius(double* radius) override { return GetShapeValue(&ArcShape::semiMajor, radius); }

 protected:
  kestGeometryType Type() const override { return kestGeometryCircularArc; }
};

}  // namespace zelph::host::geometry
