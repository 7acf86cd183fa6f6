// One segment as a value: a line, or a circular or elliptic arc, with its
// two end vertices (and their heights) kept exactly as given, so that a
// chain of segments meets at identical vertices even where an arc's ends
// would compute with rounding.
//
// Walking a segment, z runs linearly with the walked distance from the
// start height to the end height (NaN when either is NaN); a walk extended
// past an end follows the end's tangent and keeps the same linear height.
#pragma once

#include <span>
#include <vector>

#include "host/geometry/ArcShape.h"

namespace zelph::host::geometry {

enum class SegmentKind { Line, CircularArc, EllipticArc };

class Segment {
 public:
  static Segment Line(const Coordinates& from, const Coordinates& to);
  // An arc with its ends at the shape's parameters and the given heights;
  // a whole turn ends exactly where it starts.
  static Segment Arc(SegmentKind kind, const ArcShape& shape, double fromZ, double toZ);
  // An arc whose end vertices are known better than the shape computes them.
  static Segment Arc(SegmentKind kind, const ArcShape& shape, const Coordinates& from, const Coordinates& to);

  SegmentKind Kind() const { return m_Kind; }
  const Coordinates& From() const { return m_From; }
  const Coordinates& To() const { return m_To; }
  // Meaningful for arcs only.
  const ArcShape& Shape() const { return m_Shape; }
  double Length() const { return m_Length; }

  // The point `distance` along the segment; outside [0, Length()] either
  // the nearer end or, when `extend`, the continuation along its tangent.
  Coordinates PointAt(double distance, bool extend) const;
  Bounds Extent() const;
  void Shift(double dx, double dy);

  // The same shape with its stored ends replaced, for joining a neighbour
  // that ends a rounding away.
  Segment WithEnds(const Coordinates& from, const Coordinates& to) const;
  // The segment with an end vertex moved to another place. A line stays a
  // line; an arc becomes the circular arc through the new ends and its old
  // middle, or a line when those three fall on one line.
  Segment Reshaped(const Coordinates& from, const Coordinates& to) const;

  // The points after From() up to To() that stand for the segment as lines:
  // To() alone for a line, 64 per whole turn and at least 4 for an arc.
  void AppendAsLines(std::vector<Coordinates>& points) const;
  // The few points whose images under a coordinate transformation rebuild
  // the segment (Rebuilt), as a projected arc is not exactly an arc.
  std::vector<Coordinates> Anchors() const;
  // The segment rebuilt from the transformed anchors; E_FAIL (as a
  // ComException) when they no longer make a segment of this kind.
  Segment Rebuilt(std::span<const Coordinates> anchors) const;

 private:
  // The unit direction of travel at the start or the end.
  PlaneVector Direction(bool atEnd) const;
  double HeightAt(double distance) const;

  SegmentKind m_Kind = SegmentKind::Line;
  Coordinates m_From;
  Coordinates m_To;
  ArcShape m_Shape;
  double m_Length = 0.0;
};

}  // namespace zelph::host::geometry
