// The shape of a circular or elliptic arc and the arithmetic on it. The
// point at parameter t is centre + rotate(rotation) * (a cos t, b sin t),
// b = a * ratio, and the arc sweeps t from fromAngle through fromAngle +
// centralAngle (clockwise when that is negative). A circle is the case
// ratio 1, where lengths and parameters are exact; elliptic lengths are
// integrals of the speed, taken to about 1e-14 relative.
#pragma once

#include <optional>

#include "host/geometry/Bounds.h"
#include "host/geometry/Coordinates.h"

namespace zelph::host::geometry {

struct PlaneVector {
  double x = 0.0;
  double y = 0.0;
};

struct ArcShape {
  // A circle through three points, swept from `from` past `through` to
  // `to`; none when the points lie on one line (or two coincide).
  static std::optional<ArcShape> CircleThrough(const Coordinates& from, const Coordinates& through,
                                               const Coordinates& to);
  // The ellipse centre + p cos t + q sin t, whose p and q need not be
  // perpendicular, as principal axes, with the sweep [from, from + central]
  // of that form carried over to the same points.
  static ArcShape FromConjugateAxes(const Coordinates& center, PlaneVector p, PlaneVector q, double fromAngle,
                                    double centralAngle);

  // Whether a sweep can be taken: finite angles turning a whole turn at
  // the most.
  static bool ValidSweep(double fromAngle, double centralAngle);

  double SemiMinor() const { return semiMajor * ratio; }
  double ToAngle() const { return fromAngle + centralAngle; }
  // Whether the sweep is a whole turn, so that the arc ends where it starts.
  bool WholeTurn() const;

  Coordinates At(double t) const;
  // The derivative of At, d/dt.
  PlaneVector Velocity(double t) const;
  // The major and minor semi-axes as vectors from the centre.
  PlaneVector MajorAxis() const;
  PlaneVector MinorAxis() const;

  // Length of the sweep between two parameters, in either order.
  double LengthBetween(double t1, double t2) const;
  double Length() const { return LengthBetween(fromAngle, ToAngle()); }
  // The parameter reached after walking `distance` (0 <= distance <=
  // Length()) from the start along the sweep.
  double ParameterAt(double distance) const;
  // The plane bounds of the swept points, with the axis extremes inside
  // the sweep.
  Bounds Extent() const;

  Coordinates center{0.0, 0.0, kNoValue};
  double semiMajor = 0.0;
  double ratio = 1.0;
  double rotation = 0.0;
  double fromAngle = 0.0;
  double centralAngle = 0.0;
};

}  // namespace zelph::host::geometry
