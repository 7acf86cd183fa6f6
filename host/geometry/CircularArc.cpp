#include "host/geometry/CircularArc.h"

#include "host/HostClasses.h"

namespace zelph::host {

HRESULT CreateCircularArc(IUnknown* outer, REFIID riid, void** result) {
  return zelph::CreateComInstance<geometry::CircularArc>(outer, riid, result);
}

}  // namespace zelph::host

namespace zelph::host::geometry {

STDMETHODIMP CircularArc::PutCoordsByAngle(IPoint* center, double fromAngle, double centralAngle, double radius) {
  return HostCall(
      [&] {
        if (!(radius >= 0 && std::isfinite(radius)) || !ArcShape::ValidSweep(fromAngle, centralAngle)) {
          Fail(E_INVALIDARG);
        }
        ArcShape circle;
        circle.center = ReadPoint(center);
        circle.semiMajor = radius;
        circle.fromAngle = fromAngle;
        circle.centralAngle = centralAngle;
        Assign(Segment::Arc(SegmentKind::CircularArc, circle, circle.center.z, circle.center.z));
      },
      center);
}

STDMETHODIMP CircularArc::ConstructThreePoints(IPoint* from, IPoint* through, IPoint* to) {
  return HostCall(
      [&] {
        Coordinates start = ReadPoint(from);
        Coordinates end = ReadPoint(to);
        std::optional<ArcShape> circle = ArcShape::CircleThrough(start, ReadPoint(through), end);
        if (!circle) Fail(E_INVALIDARG);
        Assign(Segment::Arc(SegmentKind::CircularArc, *circle, start, end));
      },
      from, through, to);
}

}  // namespace zelph::host::geometry
