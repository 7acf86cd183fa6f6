#include "host/geometry/GeometryBag.h"

#include "host/HostClasses.h"
#include "host/HostCall.h"
#include "host/geometry/InterfaceValues.h"

namespace zelph::host {

HRESULT CreateGeometryBag(IUnknown* outer, REFIID riid, void** result) {
  return zelph::CreateComInstance<geometry::GeometryBag>(outer, riid, result);
}

}  // namespace zelph::host

namespace zelph::host::geometry {

Bounds GeometryBag::Extent() const {
  Bounds box;
  for (const CComPtr<IGeometry>& member : m_Parts) {
    CComPtr<IEnvelope> envelope;
    ThrowIfFailed(member->get_Envelope(&envelope));
    box.Include(ReadBounds(envelope));
  }
  return box;
}

void GeometryBag::Shift(double dx, double dy) {
  for (const CComPtr<IGeometry>& member : m_Parts) {
    CComQIPtr<ITransform2D> movable(member);
    if (!movable) Fail(E_NOINTERFACE);
    ThrowIfFailed(movable->Move(dx, dy));
  }
}

void GeometryBag::Reproject(ISpatialReference* source, ISpatialReference* target) {
  for (const CComPtr<IGeometry>& member : m_Parts) {
    CComPtr<ISpatialReference> own;
    ThrowIfFailed(member->get_SpatialReference(&own));
    if (!own) ThrowIfFailed(member->putref_SpatialReference(source));
    ThrowIfFailed(member->Project(target));
  }
}

void GeometryBag::CheckPart(IGeometry* part) {
  PartCollection* inner = dynamic_cast<PartCollection*>(part);
  IUnknown* self = static_cast<IGeometryBag*>(this);
  if (CComPtr<IGeometry>(part).IsEqualObject(self) || (inner && inner->Holds(self))) Fail(E_INVALIDARG);
}

}  // namespace zelph::host::geometry
