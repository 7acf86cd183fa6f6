// Points without connection, kept in order with their heights.
#pragma once

#include <vector>

#include "host/geometry/GeometryObject.h"
#include "host/geometry/PointCollection.h"

namespace zelph::host::geometry {

class Multipoint : public GeometryObject<IMultipoint>, public PointCollection {
 public:
  using InterfaceMap = GeometryInterfaceMap<IMultipoint, IGeometry, IPointCollection>;

 protected:
  kestGeometryType Type() const override { return kestGeometryMultipoint; }
  bool Empty() const override { return m_Points.empty(); }
  void Clear() override { m_Points.clear(); }
  Bounds Extent() const override;
  void Shift(double dx, double dy) override;
  void Reproject(ISpatialReference* source, ISpatialReference* target) override;
  // The point count (I4), then the coordinates of each point.
  void SaveValue(IVariantStream* stream) const override;
  void LoadValue(IVariantStream* stream) override;

  size_t VertexTotal() override { return m_Points.size(); }
  Coordinates VertexAt(size_t index) override { return m_Points[index]; }
  void InsertVertexAt(const Placement& placement, const Coordinates& vertex) override;
  void UpdateVertexAt(size_t index, const Coordinates& vertex) override { m_Points[index] = vertex; }
  void RemoveVerticesAt(size_t first, size_t count) override;
  ISpatialReference* VertexReference() override { return m_Reference; }

 private:
  std::vector<Coordinates> m_Points;
};

}  // namespace zelph::host::geometry
