// The value behind an envelope: an axis-aligned box in the plane and a
// separate height range. A side that bounds nothing is NaN: an empty box
// has NaN corners, and the heights stay NaN until a height is included.
#pragma once

#include "host/geometry/Coordinates.h"

namespace zelph::host::geometry {

class Bounds {
 public:
  // The box between two corners given in any order; a NaN corner leaves
  // the box empty, as it bounds nothing.
  static Bounds Between(double x1, double y1, double x2, double y2);

  bool Empty() const { return std::isnan(xMin); }
  double Width() const { return Empty() ? 0.0 : xMax - xMin; }
  double Height() const { return Empty() ? 0.0 : yMax - yMin; }

  // Grows to hold the point; NaN coordinates and heights add nothing.
  void Include(const Coordinates& point);
  void IncludeHeight(double z);
  // Grows to hold `other`; its empty sides add nothing.
  void Include(const Bounds& other);
  void Shift(double dx, double dy);

  double xMin = kNoValue;
  double yMin = kNoValue;
  double xMax = kNoValue;
  double yMax = kNoValue;
  double zMin = kNoValue;
  double zMax = kNoValue;
};

}  // namespace zelph::host::geometry
