// One vertex as the host's geometries keep it. x and y are the plane
// coordinates (longitude and latitude once geographic); z is a height that
// may be NaN, meaning "no height", and travels with the point unchanged.
#pragma once

#include <cmath>
#include <limits>

namespace zelph::host::geometry {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

struct Coordinates {
  double x = kNoValue;
  double y = kNoValue;
  double z = kNoValue;
};

// Whether two vertices stand on the same spot of the plane; heights do not
// take part, as a ring closes in the plane whatever its heights.
inline bool SamePlace(const Coordinates& a, const Coordinates& b) { return a.x == b.x && a.y == b.y; }

// The same with room for the rounding of computed arc ends, relative to
// the size of the coordinates.
inline bool NearPlace(const Coordinates& a, const Coordinates& b) {
  double tolerance = 1e-12 * std::fmax(1.0, std::fmax(std::fabs(a.x), std::fabs(a.y)));
  return std::fabs(a.x - b.x) <= tolerance && std::fabs(a.y - b.y) <= tolerance;
}

}  // namespace zelph::host::geometry
