#include "host/geometry/GeometryCore.h"

#include "host/HostClasses.h"
#include "host/HostCall.h"
#include "host/geometry/InterfaceValues.h"
#include "host/spatial/CoordinateTransform.h"

namespace zelph::host::geometry {

namespace {

// Coordinates need no transformation between two references to one system:
// the same object, or two made from the same code.
bool SameSystem(ISpatialReference* a, ISpatialReference* b) {
  if (CComPtr<ISpatialReference>(a).IsEqualObject(b)) return true;
  LONG codeA = 0;
  LONG codeB = 0;
  return SUCCEEDED(a->get_FactoryCode(&codeA)) && SUCCEEDED(b->get_FactoryCode(&codeB)) && codeA > 0 &&
         codeA == codeB;
}

}  // namespace

void TransformPointLists(ISpatialReference* source, ISpatialReference* target,
                         std::vector<std::vector<Coordinates>>& lists) {
  std::vector<double> xs;
  std::vector<double> ys;
  for (const auto& list : lists) {
    for (const Coordinates& point : list) {
      xs.push_back(point.x);
      ys.push_back(point.y);
    }
  }
  ThrowIfFailed(TransformCoordinates(source, target, xs, ys));
  size_t next = 0;
  for (auto& list : lists) {
    for (Coordinates& point : list) {
      point.x = xs[next];
      point.y = ys[next];
      ++next;
    }
  }
}

STDMETHODIMP GeometryCore::Move(double dx, double dy) {
  return HostCall([&] { Shift(dx, dy); });
}

HRESULT GeometryCore::GetGeometryType(kestGeometryType* type) {
  return HostCall([&] { *type = Type(); }, type);
}

HRESULT GeometryCore::GetSpatialReference(ISpatialReference** reference) {
  return HostCall([&] { return m_Reference.CopyTo(reference); }, reference);
}

HRESULT GeometryCore::PutSpatialReference(ISpatialReference* reference) {
  return HostCall([&] { AssignReference(reference); });
}

HRESULT GeometryCore::ProjectTo(ISpatialReference* target) {
  return HostCall(
      [&] {
        // An empty geometry has nothing to transform, so it needs no source.
        if (!Empty()) {
          if (!m_Reference) Fail(E_FAIL);
          if (!SameSystem(m_Reference, target)) Reproject(m_Reference, target);
        }
        AssignReference(target);
      },
      target);
}

HRESULT GeometryCore::GetEnvelope(IEnvelope** envelope) {
  return HostCall(
      [&] {
        *envelope = nullptr;
        CComPtr<IEnvelope> created;
        ThrowIfFailed(CreateEnvelope(nullptr, IID_IEnvelope, reinterpret_cast<void**>(&created)));
        WriteBounds(created, Extent(), m_Reference);
        *envelope = created.Detach();
      },
      envelope);
}

HRESULT GeometryCore::WriteEnvelope(IEnvelope* envelope) {
  return HostCall([&] { WriteBounds(envelope, Extent(), m_Reference); }, envelope);
}

HRESULT GeometryCore::GetIsEmpty(VARIANT_BOOL* empty) {
  return HostCall([&] { *empty = Empty() ? VARIANT_TRUE : VARIANT_FALSE; }, empty);
}

HRESULT GeometryCore::MakeEmpty() {
  return HostCall([&] { Clear(); });
}

}  // namespace zelph::host::geometry
