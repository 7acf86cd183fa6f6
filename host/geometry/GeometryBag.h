// Any geometries, held by reference. The bag's envelope is the union of
// its members'; moving or projecting the bag moves or projects each
// member. A member without a spatial reference is taken to be in the
// bag's. Projection goes member by member: when one fails, those before it
// stay projected and the bag keeps its reference.
#pragma once

#include "host/geometry/GeometryObject.h"
#include "host/geometry/PartCollection.h"

namespace zelph::host::geometry {

class GeometryBag : public GeometryObject<IGeometryBag>, public PartCollection {
 public:
  using InterfaceMap = GeometryInterfaceMap<IGeometryBag, IGeometry, IGeometryCollection>;

 protected:
  kestGeometryType Type() const override { return kestGeometryBag; }
  bool Empty() const override { return m_Parts.empty(); }
  void Clear() override { m_Parts.clear(); }
  Bounds Extent() const override;
  void Shift(double dx, double dy) override;
  void Reproject(ISpatialReference* source, ISpatialReference* target) override;
  // A bag cannot hold itself, nor a bag that holds it.
  void CheckPart(IGeometry* part) override;
  void SaveValue(IVariantStream* stream) const override { SaveParts(stream); }
  void LoadValue(IVariantStream* stream) override { m_Parts = LoadParts(stream); }
};

}  // namespace zelph::host::geometry
