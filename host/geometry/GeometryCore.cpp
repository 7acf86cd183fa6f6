#include "host/geometry/GeometryCore.h"

#include "frame/HostGuids.h"
#include "host/HostClasses.h"
#include "host/HostCall.h"
#include "host/geometry/InterfaceValues.h"
#include "host/spatial/CoordinateTransform.h"
#include "host/streams/StreamValues.h"

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

// The spatial reference a record names by its code; none for 0. A code is
// tried as a geographic system first, as most stored geometries are.
CComPtr<ISpatialReference> ReferenceFromCode(LONG code) {
  CComPtr<ISpatialReference> reference;
  if (code == 0) return reference;
  CComPtr<ISpatialReferenceFactory> factory;
  ThrowIfFailed(CreateSpatialReferenceEnvironment(nullptr, IID_ISpatialReferenceFactory,
                                                  reinterpret_cast<void**>(&factory)));
  if (FAILED(factory->CreateGeographicCoordinateSystem(code, &reference)) &&
      FAILED(factory->CreateProjectedCoordinateSystem(code, &reference))) {
    Fail(streams::kRecordMismatch);
  }
  return reference;
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

const CLSID& GeometryCore::ClassId() const {
  switch (Type()) {
    case kestGeometryPoint:
      return CLSID_Point;
    case kestGeometryMultipoint:
      return CLSID_Multipoint;
    case kestGeometryPolyline:
      return CLSID_Polyline;
    case kestGeometryPolygon:
      return CLSID_Polygon;
    case kestGeometryEnvelope:
      return CLSID_Envelope;
    case kestGeometryPath:
      return CLSID_Path;
    case kestGeometryBag:
      return CLSID_GeometryBag;
    case kestGeometryLine:
      return CLSID_Line;
    case kestGeometryCircularArc:
      return CLSID_CircularArc;
    case kestGeometryEllipticArc:
      return CLSID_EllipticArc;
    case kestGeometryRing:
      return CLSID_Ring;
    default:
      Fail(E_UNEXPECTED);
  }
}

void GeometryCore::SaveState(IVariantStream* stream) const {
  LONG code = 0;
  if (m_Reference) ThrowIfFailed(m_Reference->get_FactoryCode(&code));
  streams::WriteLong(stream, code);
  SaveValue(stream);
}

void GeometryCore::LoadState(IVariantStream* stream) {
  CComPtr<ISpatialReference> reference = ReferenceFromCode(streams::ReadLong(stream));
  LoadValue(stream);
  AssignReference(reference);
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
