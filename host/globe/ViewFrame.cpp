#include "host/globe/ViewFrame.h"

#include <algorithm>
#include <cmath>

namespace zelph::host::globe {
namespace {

// Below this the cross product of two unit vectors is too short to give a
// trustworthy axis.
constexpr double kParallel = 1e-9;

// Points on the window's edge must count as inside despite rounding.
constexpr double kWindowTolerance = 1e-9;

}  // namespace

ViewFrame ViewFrame::Make(Vec3 observer, Vec3 target, Vec3 upHint, double fieldAngle, double aspect) {
  ViewFrame frame;
  frame.eye = observer;
  frame.fieldAngle = fieldAngle;
  frame.aspect = aspect;
  frame.forward = Normalized(target - observer);
  if (frame.forward == Vec3{}) frame.forward = Normalized(-observer);
  if (frame.forward == Vec3{}) frame.forward = {-1.0, 0.0, 0.0};
  frame.right = Cross(frame.forward, Normalized(upHint));
  if (Length(frame.right) < kParallel) frame.right = Cross(frame.forward, {0.0, 0.0, 1.0});
  if (Length(frame.right) < kParallel) frame.right = Cross(frame.forward, {0.0, 1.0, 0.0});
  frame.right = Normalized(frame.right);
  frame.up = Cross(frame.right, frame.forward);
  return frame;
}

double ViewFrame::NearPlane() const { return std::max(1e-5, 0.1 * (Length(eye) - 1.0)); }

double ViewFrame::FarPlane() const { return Length(eye) + 3.0; }

Vec3 ViewFrame::RayThrough(double x, double y) const {
  double halfHeight = std::tan(Radians(fieldAngle) / 2.0);
  return Normalized(forward + (x * halfHeight * aspect) * right + (y * halfHeight) * up);
}

bool ViewFrame::Shows(Vec3 point) const {
  Vec3 offset = point - eye;
  double depth = Dot(offset, forward);
  if (depth <= 0.0) return false;
  double halfHeight = std::tan(Radians(fieldAngle) / 2.0);
  double x = Dot(offset, right) / (depth * halfHeight * aspect);
  double y = Dot(offset, up) / (depth * halfHeight);
  return std::abs(x) <= 1.0 + kWindowTolerance && std::abs(y) <= 1.0 + kWindowTolerance;
}

}  // namespace zelph::host::globe
