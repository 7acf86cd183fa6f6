#include "host/geometry/EllipticArc.h"

#include <numbers>

#include "host/HostClasses.h"

namespace zelph::host {

HRESULT CreateEllipticArc(IUnknown* outer, REFIID riid, void** result) {
  return zelph::CreateComInstance<geometry::EllipticArc>(outer, riid, result);
}

}  // namespace zelph::host

namespace zelph::host::geometry {

STDMETHODIMP EllipticArc::PutCoords(IPoint* center, double semiMajorAxis, double minorMajorRatio, double rotation,
                                    double fromAngle, double centralAngle) {
  return HostCall(
      [&] {
        if (!(semiMajorAxis >= 0 && std::isfinite(semiMajorAxis)) || !(minorMajorRatio >= 0 && minorMajorRatio <= 1) ||
            !std::isfinite(rotation) || !ArcShape::ValidSweep(fromAngle, centralAngle)) {
          Fail(E_INVALIDARG);
        }
        ArcShape ellipse{ReadPoint(center), semiMajorAxis, minorMajorRatio, rotation, fromAngle, centralAngle};
        Assign(Segment::Arc(SegmentKind::EllipticArc, ellipse, ellipse.center.z, ellipse.center.z));
      },
      center);
}

STDMETHODIMP EllipticArc::ConstructEnvelope(IEnvelope* bounds) {
  return HostCall(
      [&] {
        Bounds box = ReadBounds(bounds);
        double width = box.Width();
        double height = box.Height();
        if (box.Empty() || (width == 0 && height == 0)) Fail(E_INVALIDARG);
        ArcShape ellipse;
        ellipse.center = {(box.xMin + box.xMax) / 2, (box.yMin + box.yMax) / 2, box.zMin};
        ellipse.centralAngle = 2 * std::numbers::pi;
        if (width >= height) {
          ellipse.semiMajor = width / 2;
          ellipse.ratio = height / width;
        } else {
          // The major axis stands upright; a quarter turn back along the
          // parameter brings the start to the middle of the right side.
          ellipse.semiMajor = height / 2;
          ellipse.ratio = width / height;
          ellipse.rotation = std::numbers::pi / 2;
          ellipse.fromAngle = -std::numbers::pi / 2;
        }
        Coordinates start{box.xMax, ellipse.center.y, box.zMin};
        Assign(Segment::Arc(SegmentKind::EllipticArc, ellipse, start, start));
      },
      bounds);
}

}  // namespace zelph::host::geometry
