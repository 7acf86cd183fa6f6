#include "host/geometry/CurveCore.h"

#include <cstring>
#include <type_traits>

#include "host/HostCall.h"
#include "host/geometry/InterfaceValues.h"

namespace zelph::host::geometry {

namespace {

Coordinates EndOf(const CurveWalk& walk, bool atEnd) {
  std::optional<Coordinates> end = atEnd ? walk.End() : walk.Start();
  if (!end) Fail(E_FAIL);
  return *end;
}

}  // namespace

bool CurveCore::Empty() const { return !Walk().Start(); }

Bounds CurveCore::Extent() const { return Walk().Extent(); }

HRESULT CurveCore::GetLength(double* length) {
  return HostCall([&] { *length = Walk().Length(); }, length);
}

HRESULT CurveCore::GetEndPoint(bool atEnd, IPoint** point) {
  return HostCall(
      [&] {
        *point = nullptr;
        HandOutPoint(EndOf(Walk(), atEnd), m_Reference, point);
      },
      point);
}

HRESULT CurveCore::WriteEndPoint(bool atEnd, IPoint* point) {
  return HostCall([&] { WritePoint(point, EndOf(Walk(), atEnd), m_Reference); }, point);
}

HRESULT CurveCore::WritePointAlong(kestSegmentExtension extension, double distance, VARIANT_BOOL asRatio,
                                   IPoint* point) {
  return HostCall(
      [&] {
        // Callers through automation may pass any number here; it is read
        // as the number it is, as an enum outside its values is no value.
        std::underlying_type_t<kestSegmentExtension> mode;
        std::memcpy(&mode, &extension, sizeof mode);
        if ((mode != kestNoExtension && mode != kestExtendTangents) || std::isnan(distance)) Fail(E_INVALIDARG);
        CurveWalk walk = Walk();
        std::optional<Coordinates> found =
            walk.PointAt(asRatio ? distance * walk.Length() : distance, extension == kestExtendTangents);
        if (!found) Fail(E_FAIL);
        WritePoint(point, *found, m_Reference);
      },
      point);
}

HRESULT CurveCore::GetIsClosed(VARIANT_BOOL* closed) {
  return HostCall([&] { *closed = Walk().Closed() ? VARIANT_TRUE : VARIANT_FALSE; }, closed);
}

}  // namespace zelph::host::geometry
