#include "host/geometry/Segment.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "host/HostCall.h"

namespace zelph::host::geometry {

namespace {

constexpr int kLinesPerTurn = 64;
constexpr int kLeastLinesPerArc = 4;

Coordinates Along(const Coordinates& start, PlaneVector direction, double distance, double z) {
  return {start.x + direction.x * distance, start.y + direction.y * distance, z};
}

}  // namespace

Segment Segment::Line(const Coordinates& from, const Coordinates& to) {
  Segment line;
  line.m_From = from;
  line.m_To = to;
  line.m_Length = std::hypot(to.x - from.x, to.y - from.y);
  return line;
}

Segment Segment::Arc(SegmentKind kind, const ArcShape& shape, double fromZ, double toZ) {
  Coordinates from = shape.At(shape.fromAngle);
  Coordinates to = shape.WholeTurn() ? from : shape.At(shape.ToAngle());
  from.z = fromZ;
  to.z = toZ;
  return Arc(kind, shape, from, to);
}

Segment Segment::Arc(SegmentKind kind, const ArcShape& shape, const Coordinates& from, const Coordinates& to) {
  Segment arc;
  arc.m_Kind = kind;
  arc.m_Shape = shape;
  arc.m_From = from;
  arc.m_To = to;
  arc.m_Length = shape.Length();
  return arc;
}

double Segment::HeightAt(double distance) const {
  if (m_Length == 0) return m_From.z;
  return m_From.z + (m_To.z - m_From.z) * (distance / m_Length);
}

PlaneVector Segment::Direction(bool atEnd) const {
  PlaneVector direction{m_To.x - m_From.x, m_To.y - m_From.y};
  if (m_Kind != SegmentKind::Line) {
    direction = m_Shape.Velocity(atEnd ? m_Shape.ToAngle() : m_Shape.fromAngle);
    if (m_Shape.centralAngle < 0) direction = {-direction.x, -direction.y};
  }
  double norm = std::hypot(direction.x, direction.y);
  if (!(norm > 0)) return {};
  return {direction.x / norm, direction.y / norm};
}

Coordinates Segment::PointAt(double distance, bool extend) const {
  if (distance <= 0) {
    if (!extend || distance == 0) return m_From;
    return Along(m_From, Direction(false), distance, HeightAt(distance));
  }
  if (distance >= m_Length) {
    if (!extend || distance == m_Length) return m_To;
    return Along(m_To, Direction(true), distance - m_Length, HeightAt(distance));
  }
  if (m_Kind == SegmentKind::Line) return Along(m_From, Direction(false), distance, HeightAt(distance));
  Coordinates point = m_Shape.At(m_Shape.ParameterAt(distance));
  point.z = HeightAt(distance);
  return point;
}

Bounds Segment::Extent() const {
  Bounds box;
  if (m_Kind != SegmentKind::Line) box = m_Shape.Extent();
  box.Include(m_From);
  box.Include(m_To);
  return box;
}

void Segment::Shift(double dx, double dy) {
  for (Coordinates* point : {&m_From, &m_To, &m_Shape.center}) {
    point->x += dx;
    point->y += dy;
  }
}

Segment Segment::WithEnds(const Coordinates& from, const Coordinates& to) const {
  if (m_Kind == SegmentKind::Line) return Line(from, to);
  Segment moved = *this;
  moved.m_From = from;
  moved.m_To = to;
  return moved;
}

Segment Segment::Reshaped(const Coordinates& from, const Coordinates& to) const {
  if (m_Kind == SegmentKind::Line) return Line(from, to);
  if (SamePlace(from, m_From) && SamePlace(to, m_To)) return WithEnds(from, to);
  std::optional<ArcShape> circle = ArcShape::CircleThrough(from, PointAt(m_Length / 2, false), to);
  if (!circle) return Line(from, to);
  return Arc(SegmentKind::CircularArc, *circle, from, to);
}

void Segment::AppendAsLines(std::vector<Coordinates>& points) const {
  if (m_Kind != SegmentKind::Line) {
    double turns = std::fabs(m_Shape.centralAngle) / (2 * std::numbers::pi);
    int count = std::max(kLeastLinesPerArc, static_cast<int>(std::ceil(kLinesPerTurn * turns)));
    for (int i = 1; i < count; ++i) points.push_back(PointAt(m_Length * i / count, false));
  }
  points.push_back(m_To);
}

std::vector<Coordinates> Segment::Anchors() const {
  switch (m_Kind) {
    case SegmentKind::Line:
      return {m_From, m_To};
    case SegmentKind::CircularArc: {
      // A whole circle has no middle apart from its start: take thirds.
      bool whole = m_Shape.WholeTurn();
      double share = whole ? 1.0 / 3 : 0.5;
      return {m_From, PointAt(m_Length * share, false), whole ? PointAt(m_Length * 2 * share, false) : m_To};
    }
    case SegmentKind::EllipticArc: {
      const Coordinates& c = m_Shape.center;
      PlaneVector major = m_Shape.MajorAxis();
      PlaneVector minor = m_Shape.MinorAxis();
      return {c, {c.x + major.x, c.y + major.y, c.z}, {c.x + minor.x, c.y + minor.y, c.z}, m_From, m_To};
    }
  }
  return {};
}

Segment Segment::Rebuilt(std::span<const Coordinates> anchors) const {
  switch (m_Kind) {
    case SegmentKind::Line:
      return Line(anchors[0], anchors[1]);
    case SegmentKind::CircularArc: {
      std::optional<ArcShape> circle = ArcShape::CircleThrough(anchors[0], anchors[1], anchors[2]);
      if (!circle) Fail(E_FAIL);
      circle->center.z = m_Shape.center.z;
      if (!m_Shape.WholeTurn()) return Arc(m_Kind, *circle, anchors[0], anchors[2]);
      circle->centralAngle = std::copysign(2 * std::numbers::pi, circle->centralAngle);
      return Arc(m_Kind, *circle, anchors[0], anchors[0]);
    }
    case SegmentKind::EllipticArc: {
      const Coordinates& c = anchors[0];
      ArcShape shape = ArcShape::FromConjugateAxes(c, {anchors[1].x - c.x, anchors[1].y - c.y},
                                                   {anchors[2].x - c.x, anchors[2].y - c.y}, m_Shape.fromAngle,
                                                   m_Shape.centralAngle);
      return Arc(m_Kind, shape, anchors[3], shape.WholeTurn() ? anchors[3] : anchors[4]);
    }
  }
  return *this;
}

}  // namespace zelph::host::geometry
