// The IPointCollection bodies, over whatever keeps the vertices: a
// multipoint's points or the chains of a path or multi-part geometry.
// Points handed out are new copies carrying the geometry's spatial
// reference; points handed in are copied (x, y and z).
#pragma once

#include "frame/HostGeometry.h"
#include "host/geometry/InterfaceValues.h"

namespace zelph::host::geometry {

class PointCollection : public IPointCollection {
 public:
  STDMETHODIMP get_PointCount(LONG* count) override;
  STDMETHODIMP get_Point(LONG index, IPoint** point) override;
  STDMETHODIMP QueryPoint(LONG index, IPoint* point) override;
  STDMETHODIMP AddPoint(IPoint* point, VARIANT* before, VARIANT* after) override;
  STDMETHODIMP UpdatePoint(LONG index, IPoint* point) override;
  STDMETHODIMP AddPointCollection(IPointCollection* points) override;
  STDMETHODIMP RemovePoints(LONG index, LONG count) override;

 protected:
  virtual ~PointCollection() = default;

  virtual size_t VertexTotal() = 0;
  virtual Coordinates VertexAt(size_t index) = 0;
  virtual void InsertVertexAt(const Placement& placement, const Coordinates& vertex) = 0;
  virtual void UpdateVertexAt(size_t index, const Coordinates& vertex) = 0;
  virtual void RemoveVerticesAt(size_t first, size_t count) = 0;
  virtual ISpatialReference* VertexReference() = 0;

 private:
  // The vertex number `index`; E_INVALIDARG when there is none.
  Coordinates CheckedVertex(LONG index);
};

}  // namespace zelph::host::geometry
