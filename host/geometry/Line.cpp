#include "host/geometry/Line.h"

#include <cmath>
#include <numbers>

#include "host/HostClasses.h"

namespace zelph::host {

HRESULT CreateLine(IUnknown* outer, REFIID riid, void** result) {
  return zelph::CreateComInstance<geometry::Line>(outer, riid, result);
}

}  // namespace zelph::host

namespace zelph::host::geometry {

STDMETHODIMP Line::PutCoords(IPoint* from, IPoint* to) {
  return HostCall([&] { Assign(Segment::Line(ReadPoint(from), ReadPoint(to))); }, from, to);
}

STDMETHODIMP Line::get_Angle(double* radians) {
  return HostCall(
      [&] {
        const Segment& line = Current();
        double angle = std::atan2(line.To().y - line.From().y, line.To().x - line.From().x);
        // atan2 gives -pi for a direction along -x with a negative zero
        // rise; the half-open range keeps +pi for it.
        *radians = angle == -std::numbers::pi ? std::numbers::pi : angle;
      },
      radians);
}

}  // namespace zelph::host::geometry
