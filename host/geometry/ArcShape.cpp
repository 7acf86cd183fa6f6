#include "host/geometry/ArcShape.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zelph::host::geometry {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr double kHalfPi = std::numbers::pi / 2;

// Gauss-Kronrod 7/15 nodes on [-1, 1] (the positive half, centre last) and
// their weights; the Gauss weights belong to the odd-numbered nodes.
constexpr double kKronrodNodes[8] = {0.991455371120812639206854697526329, 0.949107912342758524526189684047851,
                                     0.864864423359769072789712788640926, 0.741531185599394439863864773280788,
                                     0.586087235467691130294144845693013, 0.405845151377397166906606412076961,
                                     0.207784955007898467600689403773245, 0.0};
constexpr double kKronrodWeights[8] = {0.022935322010529224963732008058970, 0.063092092629978553290700663189204,
                                       0.104790010322250183839876322541518, 0.140653259715525918745189590510238,
                                       0.169004726639267902826583426598550, 0.190350578064785409913256402421014,
                                       0.204432940075298892414161999234649, 0.209482141084727828012999174891714};
constexpr double kGaussWeights[4] = {0.129484966168869693270611432679082, 0.279705391489276667901467771423780,
                                     0.381830050505118944950369775488975, 0.417959183673469387755102040816327};

// The next quarter parameter strictly past `t` in the direction `sign`;
// infinite when t is so large that a quarter is lost in its rounding.
double NextQuarter(double t, double sign) {
  double quarters = t / kHalfPi;
  double next = sign > 0 ? (std::floor(quarters) + 1) * kHalfPi : (std::ceil(quarters) - 1) * kHalfPi;
  if (sign * (next - t) <= 0) next += sign * kHalfPi;
  return sign * (next - t) > 0 ? next : sign * HUGE_VAL;
}

// |d/dt At(t)|, which the rotation does not change.
double Speed(const ArcShape& arc, double t) {
  return std::hypot(arc.semiMajor * std::sin(t), arc.SemiMinor() * std::cos(t));
}

// The speed integral over [lo, hi], halved until the 7-point Gauss and the
// 15-point Kronrod sums agree; the Kronrod sum is far better than that
// agreement, so the tolerance is met with room to spare.
double IntegrateSpeed(const ArcShape& arc, double lo, double hi, double tolerance, int depthLeft) {
  double half = (hi - lo) / 2;
  double middle = lo + half;
  double centre = Speed(arc, middle);
  double kronrod = kKronrodWeights[7] * centre;
  double gauss = kGaussWeights[3] * centre;
  for (int i = 0; i < 7; ++i) {
    double pair = Speed(arc, middle - half * kKronrodNodes[i]) + Speed(arc, middle + half * kKronrodNodes[i]);
    kronrod += kKronrodWeights[i] * pair;
    if (i % 2 == 1) gauss += kGaussWeights[i / 2] * pair;
  }
  kronrod *= half;
  gauss *= half;
  // Past the rounding noise of the sums themselves halving gains nothing.
  double difference = std::fabs(kronrod - gauss);
  // An overflowing ellipse gives no finite sums; halving would never settle.
  if (depthLeft == 0 || !std::isfinite(difference) || difference <= tolerance ||
      difference <= 1e-14 * std::fabs(kronrod)) {
    return kronrod;
  }
  return IntegrateSpeed(arc, lo, middle, tolerance / 2, depthLeft - 1) +
         IntegrateSpeed(arc, middle, hi, tolerance / 2, depthLeft - 1);
}

// The speed of an ellipse has its sharpest turns at the axis ends, so the
// integral is taken between consecutive quarter parameters, on which it is
// smooth.
double EllipseLength(const ArcShape& arc, double lo, double hi) {
  double length = 0.0;
  double start = lo;
  while (start < hi) {
    double end = std::min(hi, NextQuarter(start, 1.0));
    double tolerance = 1e-14 * std::max(arc.semiMajor, 1e-300) * (end - start);
    length += IntegrateSpeed(arc, start, end, tolerance, 40);
    start = end;
  }
  return length;
}

// Within one quarter, from parameter `start` walking in direction `sign`
// at most `span`, the offset whose length is `target`: Newton steps on the
// length, each measured from the previous step, kept inside the bracket by
// halving when a step would leave it or the speed vanishes.
double OffsetAtLength(const ArcShape& arc, double start, double sign, double span, double spanLength,
                      double target) {
  double lo = 0.0;
  double hi = span;
  double offset = spanLength > 0 ? span * target / spanLength : 0.0;
  double reached = arc.LengthBetween(start, start + sign * offset);
  for (int step = 0; step < 100; ++step) {
    double error = reached - target;
    if (std::fabs(error) <= 1e-14 * std::max(spanLength, 1e-300)) break;
    (error < 0 ? lo : hi) = offset;
    double speed = Speed(arc, start + sign * offset);
    double next = speed > 0 ? offset - error / speed : lo;
    if (!(next > lo && next < hi)) next = (lo + hi) / 2;
    if (next == offset || hi - lo <= 1e-16 * span) break;
    double gained = arc.LengthBetween(start + sign * offset, start + sign * next);
    reached += next > offset ? gained : -gained;
    offset = next;
  }
  return offset;
}

// Whether parameter t lies in the sweep.
bool InSweep(const ArcShape& arc, double t) {
  if (arc.WholeTurn()) return true;
  double sign = arc.centralAngle < 0 ? -1.0 : 1.0;
  double offset = std::fmod(sign * (t - arc.fromAngle), kTwoPi);
  if (offset < 0) offset += kTwoPi;
  return offset <= std::fabs(arc.centralAngle);
}

double Cross(PlaneVector a, PlaneVector b) { return a.x * b.y - a.y * b.x; }
double Norm(PlaneVector a) { return std::hypot(a.x, a.y); }
PlaneVector Combine(PlaneVector a, double s, PlaneVector b, double t) {
  return {a.x * s + b.x * t, a.y * s + b.y * t};
}

}  // namespace

std::optional<ArcShape> ArcShape::CircleThrough(const Coordinates& from, const Coordinates& through,
                                                const Coordinates& to) {
  // Centred on `from`, the centre solves two linear equations whose
  // determinant is twice the signed area of the triangle.
  PlaneVector b{through.x - from.x, through.y - from.y};
  PlaneVector c{to.x - from.x, to.y - from.y};
  double area2 = Cross(b, c);
  double lengthB = b.x * b.x + b.y * b.y;
  double lengthC = c.x * c.x + c.y * c.y;
  if (!(std::fabs(area2) > 1e-14 * std::sqrt(lengthB * lengthC))) return std::nullopt;
  PlaneVector centre{(c.y * lengthB - b.y * lengthC) / (2 * area2), (b.x * lengthC - c.x * lengthB) / (2 * area2)};
  ArcShape arc;
  arc.center = {from.x + centre.x, from.y + centre.y, kNoValue};
  arc.semiMajor = Norm(centre);
  arc.fromAngle = std::atan2(-centre.y, -centre.x);
  double toAngle = std::atan2(to.y - arc.center.y, to.x - arc.center.x);
  // Counter-clockwise when `through` lies left of the way from `from` to `to`.
  double sweep = std::remainder(toAngle - arc.fromAngle, kTwoPi);
  if (area2 > 0 && sweep <= 0) sweep += kTwoPi;
  if (area2 < 0 && sweep >= 0) sweep -= kTwoPi;
  arc.centralAngle = sweep;
  return arc;
}

ArcShape ArcShape::FromConjugateAxes(const Coordinates& center, PlaneVector p, PlaneVector q, double fromAngle,
                                     double centralAngle) {
  // With t0 chosen so the two combinations are perpendicular,
  // p cos t + q sin t = major cos(t - t0) + minor sin(t - t0).
  double dot = p.x * q.x + p.y * q.y;
  double shift = 0.5 * std::atan2(2 * dot, (p.x * p.x + p.y * p.y) - (q.x * q.x + q.y * q.y));
  PlaneVector major = Combine(p, std::cos(shift), q, std::sin(shift));
  PlaneVector minor = Combine(p, -std::sin(shift), q, std::cos(shift));
  if (Norm(minor) > Norm(major)) {
    // A quarter turn of the parameter swaps the roles of the axes.
    PlaneVector old = major;
    major = minor;
    minor = {-old.x, -old.y};
    shift += kHalfPi;
  }
  double direction = 1.0;
  if (Cross(major, minor) < 0) {
    // A mirrored ellipse runs the other way round: negate the parameter.
    minor = {-minor.x, -minor.y};
    direction = -1.0;
  }
  ArcShape arc;
  arc.center = center;
  arc.semiMajor = Norm(major);
  arc.ratio = arc.semiMajor > 0 ? Norm(minor) / arc.semiMajor : 1.0;
  arc.rotation = std::atan2(major.y, major.x);
  arc.fromAngle = direction * (fromAngle - shift);
  arc.centralAngle = direction * centralAngle;
  return arc;
}

bool ArcShape::ValidSweep(double fromAngle, double centralAngle) {
  return std::isfinite(fromAngle) && std::isfinite(centralAngle) && std::fabs(centralAngle) <= kTwoPi * (1 + 1e-15);
}

bool ArcShape::WholeTurn() const { return std::fabs(centralAngle) >= kTwoPi * (1 - 1e-15); }

Coordinates ArcShape::At(double t) const {
  PlaneVector offset = Combine(MajorAxis(), std::cos(t), MinorAxis(), std::sin(t));
  return {center.x + offset.x, center.y + offset.y, kNoValue};
}

PlaneVector ArcShape::Velocity(double t) const {
  return Combine(MajorAxis(), -std::sin(t), MinorAxis(), std::cos(t));
}

PlaneVector ArcShape::MajorAxis() const { return {semiMajor * std::cos(rotation), semiMajor * std::sin(rotation)}; }

PlaneVector ArcShape::MinorAxis() const {
  double b = SemiMinor();
  return {-b * std::sin(rotation), b * std::cos(rotation)};
}

double ArcShape::LengthBetween(double t1, double t2) const {
  double lo = std::min(t1, t2);
  double hi = std::max(t1, t2);
  if (ratio == 1.0) return semiMajor * (hi - lo);
  return EllipseLength(*this, lo, hi);
}

double ArcShape::ParameterAt(double distance) const {
  double sign = centralAngle < 0 ? -1.0 : 1.0;
  if (ratio == 1.0) return semiMajor > 0 ? fromAngle + sign * distance / semiMajor : fromAngle;
  double end = ToAngle();
  double start = fromAngle;
  double walked = 0.0;
  while (sign * (end - start) > 0) {
    double stop = NextQuarter(start, sign);
    if (sign * (stop - end) > 0) stop = end;
    double quarter = LengthBetween(start, stop);
    if (walked + quarter >= distance || stop == end) {
      double span = std::fabs(stop - start);
      return start + sign * OffsetAtLength(*this, start, sign, span, quarter, std::min(distance - walked, quarter));
    }
    walked += quarter;
    start = stop;
  }
  return end;
}

Bounds ArcShape::Extent() const {
  Bounds box;
  box.Include(At(fromAngle));
  box.Include(At(ToAngle()));
  // Where dx/dt and dy/dt vanish: the left/right and bottom/top extremes.
  double sinR = std::sin(rotation);
  double cosR = std::cos(rotation);
  double b = SemiMinor();
  double xTurn = std::atan2(-b * sinR, semiMajor * cosR);
  double yTurn = std::atan2(b * cosR, semiMajor * sinR);
  for (double t : {xTurn, xTurn + std::numbers::pi, yTurn, yTurn + std::numbers::pi}) {
    if (InSweep(*this, t)) box.Include(At(t));
  }
  return box;
}

}  // namespace zelph::host::geometry
