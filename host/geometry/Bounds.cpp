#include "host/geometry/Bounds.h"

#include <algorithm>

namespace zelph::host::geometry {

Bounds Bounds::Between(double x1, double y1, double x2, double y2) {
  Bounds box;
  if (std::isnan(x1) || std::isnan(y1) || std::isnan(x2) || std::isnan(y2)) return box;
  box.xMin = std::min(x1, x2);
  box.xMax = std::max(x1, x2);
  box.yMin = std::min(y1, y2);
  box.yMax = std::max(y1, y2);
  return box;
}

void Bounds::Include(const Coordinates& point) {
  IncludeHeight(point.z);
  if (std::isnan(point.x) || std::isnan(point.y)) return;
  if (Empty()) {
    xMin = xMax = point.x;
    yMin = yMax = point.y;
    return;
  }
  xMin = std::min(xMin, point.x);
  xMax = std::max(xMax, point.x);
  yMin = std::min(yMin, point.y);
  yMax = std::max(yMax, point.y);
}

void Bounds::IncludeHeight(double z) {
  if (std::isnan(z)) return;
  zMin = std::isnan(zMin) ? z : std::min(zMin, z);
  zMax = std::isnan(zMax) ? z : std::max(zMax, z);
}

void Bounds::Include(const Bounds& other) {
  IncludeHeight(other.zMin);
  IncludeHeight(other.zMax);
  if (other.Empty()) return;
  Include(Coordinates{other.xMin, other.yMin, kNoValue});
  Include(Coordinates{other.xMax, other.yMax, kNoValue});
}

void Bounds::Shift(double dx, double dy) {
  xMin += dx;
  xMax += dx;
  yMin += dy;
  yMax += dy;
}

}  // namespace zelph::host::geometry
