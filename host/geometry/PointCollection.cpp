#include "host/geometry/PointCollection.h"

#include <algorithm>
#include <vector>

#include "host/HostCall.h"

namespace zelph::host::geometry {

Coordinates PointCollection::CheckedVertex(LONG index) {
  CheckRange(index, 1, VertexTotal());
  return VertexAt(static_cast<size_t>(index));
}

STDMETHODIMP PointCollection::get_PointCount(LONG* count) {
  return HostCall([&] { *count = static_cast<LONG>(std::min<size_t>(VertexTotal(), 0x7FFFFFFF)); }, count);
}

STDMETHODIMP PointCollection::get_Point(LONG index, IPoint** point) {
  return HostCall(
      [&] {
        *point = nullptr;
        HandOutPoint(CheckedVertex(index), VertexReference(), point);
      },
      point);
}

STDMETHODIMP PointCollection::QueryPoint(LONG index, IPoint* point) {
  return HostCall([&] { WritePoint(point, CheckedVertex(index), VertexReference()); }, point);
}

STDMETHODIMP PointCollection::AddPoint(IPoint* point, VARIANT* before, VARIANT* after) {
  return HostCall(
      [&] {
        Coordinates vertex = ReadPoint(point);
        InsertVertexAt(ReadPlacement(before, after, VertexTotal()), vertex);
      },
      point);
}

STDMETHODIMP PointCollection::UpdatePoint(LONG index, IPoint* point) {
  return HostCall(
      [&] {
        CheckRange(index, 1, VertexTotal());
        UpdateVertexAt(static_cast<size_t>(index), ReadPoint(point));
      },
      point);
}

STDMETHODIMP PointCollection::AddPointCollection(IPointCollection* points) {
  return HostCall(
      [&] {
        // Everything is read before anything is added, so a collection may
        // be added to itself.
        LONG count = 0;
        ThrowIfFailed(points->get_PointCount(&count));
        std::vector<Coordinates> vertices;
        for (LONG i = 0; i < count; ++i) {
          CComPtr<IPoint> point;
          ThrowIfFailed(points->get_Point(i, &point));
          vertices.push_back(ReadPoint(point));
        }
        for (const Coordinates& vertex : vertices) InsertVertexAt({}, vertex);
      },
      points);
}

STDMETHODIMP PointCollection::RemovePoints(LONG index, LONG count) {
  return HostCall([&] {
    CheckRange(index, count, VertexTotal());
    RemoveVerticesAt(static_cast<size_t>(index), static_cast<size_t>(count));
  });
}

}  // namespace zelph::host::geometry
