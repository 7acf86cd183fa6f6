#include "host/geometry/Multipoint.h"

#include "host/HostClasses.h"
#include "host/geometry/GeometryRecords.h"
#include "host/streams/StreamValues.h"

namespace zelph::host {

HRESULT CreateMultipoint(IUnknown* outer, REFIID riid, void** result) {
  return zelph::CreateComInstance<geometry::Multipoint>(outer, riid, result);
}

}  // namespace zelph::host

namespace zelph::host::geometry {

Bounds Multipoint::Extent() const {
  Bounds box;
  for (const Coordinates& point : m_Points) box.Include(point);
  return box;
}

void Multipoint::Shift(double dx, double dy) {
  for (Coordinates& point : m_Points) {
    point.x += dx;
    point.y += dy;
  }
}

void Multipoint::Reproject(ISpatialReference* source, ISpatialReference* target) {
  std::vector<std::vector<Coordinates>> lists{m_Points};
  TransformPointLists(source, target, lists);
  m_Points = std::move(lists.front());
}

void Multipoint::InsertVertexAt(const Placement& placement, const Coordinates& vertex) {
  m_Points.insert(m_Points.begin() + static_cast<std::ptrdiff_t>(placement.Position(m_Points.size())), vertex);
}

void Multipoint::RemoveVerticesAt(size_t first, size_t count) {
  auto start = m_Points.begin() + static_cast<std::ptrdiff_t>(first);
  m_Points.erase(start, start + static_cast<std::ptrdiff_t>(count));
}

void Multipoint::SaveValue(IVariantStream* stream) const {
  streams::WriteLong(stream, static_cast<LONG>(m_Points.size()));
  for (const Coordinates& point : m_Points) SaveCoordinates(stream, point);
}

void Multipoint::LoadValue(IVariantStream* stream) {
  std::vector<Coordinates> points;
  size_t count = streams::ReadCount(stream);
  for (size_t i = 0; i < count; ++i) points.push_back(LoadCoordinates(stream));
  m_Points = std::move(points);
}

}  // namespace zelph::host::geometry
