// Rings as parts, held by reference. Points and segments added to a
// polygon go to its last ring, which the first of them creates when there
// is none: four points added to a new polygon make one closed ring.
// Exterior and interior rings follow from nesting (see RingNesting); a
// ring without vertices is neither.
#pragma once

#include <functional>

#include "host/geometry/PartsObject.h"
#include "host/geometry/RingNesting.h"

namespace zelph::host::geometry {

class Polygon : public PartsObject<IPolygon4, IRing> {
 public:
  using InterfaceMap = GeometryInterfaceMap<IPolygon4, IPolygon, ICurve, IGeometry, IGeometryCollection,
                                            IPointCollection, ISegmentCollection>;

  Polygon() : PartsObject<IPolygon4, IRing>(&CreateRing) {}

  STDMETHODIMP get_ExteriorRingCount(LONG* count) override;
  // The bags hold the polygon's own ring objects and carry its reference.
  STDMETHODIMP get_ExteriorRingBag(IGeometryBag** exteriorRings) override;
  STDMETHODIMP get_InteriorRingBag(IRing* exterior, IGeometryBag** interiorRings) override;

 protected:
  kestGeometryType Type() const override { return kestGeometryPolygon; }

 private:
  // The numbers of the rings with vertices that `wanted` picks.
  std::vector<size_t> Rings(const std::function<bool(const RingNesting&, size_t)>& wanted) const;
  void HandOutBag(const std::vector<size_t>& rings, IGeometryBag** bag) const;
};

}  // namespace zelph::host::geometry
