#include "host/globe/VisibleExtent.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace zelph::host::globe {
namespace {

// Rays per window side, corners and edges included.
constexpr int kGridSide = 33;
// Points on the horizon circle tried when rays pass the globe.
constexpr int kHorizonSamples = 720;

// The nearest point where the ray from `eye` along the unit `direction`
// meets the unit sphere in front of the eye; from inside the globe that is
// where the ray leaves it.
std::optional<Vec3> NearestHit(Vec3 eye, Vec3 direction) {
  double b = Dot(eye, direction);
  double c = Dot(eye, eye) - 1.0;
  double discriminant = b * b - c;
  if (discriminant < 0.0) return std::nullopt;
  double root = std::sqrt(discriminant);
  for (double t : {-b - root, -b + root}) {
    if (t > 0.0) return eye + t * direction;
  }
  return std::nullopt;
}

class ExtentCollector {
 public:
  void Add(Vec3 surfacePoint) {
    double latitude = LatitudeOf(surfacePoint);
    m_LatMin = std::min(m_LatMin, latitude);
    m_LatMax = std::max(m_LatMax, latitude);
    m_Longitudes.push_back(LongitudeOf(surfacePoint));
  }
  // A visible pole: its latitude, and every longitude meets there.
  void AddPole(double latitude) {
    m_LatMin = std::min(m_LatMin, latitude);
    m_LatMax = std::max(m_LatMax, latitude);
    m_AllLongitudes = true;
  }

  std::optional<GeographicBox> Box() const {
    if (m_LatMin > m_LatMax) return std::nullopt;
    if (m_AllLongitudes || m_Longitudes.empty()) return GeographicBox{-180.0, m_LatMin, 180.0, m_LatMax};
    auto [lonMin, lonMax] = SmallestLongitudeInterval();
    return GeographicBox{lonMin, m_LatMin, lonMax, m_LatMax};
  }

 private:
  // The shortest arc holding every longitude is the circle less its widest
  // gap between neighbouring longitudes.
  std::pair<double, double> SmallestLongitudeInterval() const {
    std::vector<double> sorted = m_Longitudes;
    std::sort(sorted.begin(), sorted.end());
    double widestGap = sorted.front() + 360.0 - sorted.back();
    double start = sorted.front(), end = sorted.back();
    for (size_t i = 1; i < sorted.size(); ++i) {
      double gap = sorted[i] - sorted[i - 1];
      if (gap > widestGap) {
        widestGap = gap;
        start = sorted[i];
        end = sorted[i - 1] + 360.0;
      }
    }
    if (start >= 180.0) {
      start -= 360.0;
      end -= 360.0;
    }
    return {start, end};
  }

  double m_LatMin = std::numeric_limits<double>::infinity();
  double m_LatMax = -std::numeric_limits<double>::infinity();
  std::vector<double> m_Longitudes;
  bool m_AllLongitudes = false;
};

// The points where the lines of sight graze the globe, where they lie inside
// the window.
void AddVisibleHorizon(const ViewFrame& frame, ExtentCollector& extent) {
  double distance = Length(frame.eye);
  if (distance <= 1.0) return;
  Vec3 axis = (1.0 / distance) * frame.eye;
  Vec3 centre = (1.0 / distance) * axis;
  double radius = std::sqrt(1.0 - 1.0 / (distance * distance));
  Vec3 u = Normalized(Cross(axis, std::abs(axis.z) < 0.9 ? Vec3{0.0, 0.0, 1.0} : Vec3{1.0, 0.0, 0.0}));
  Vec3 v = Cross(axis, u);
  for (int k = 0; k < kHorizonSamples; ++k) {
    double angle = 2.0 * std::numbers::pi * k / kHorizonSamples;
    Vec3 point = centre + radius * (std::cos(angle) * u + std::sin(angle) * v);
    if (frame.Shows(point)) extent.Add(point);
  }
}

}  // namespace

std::optional<GeographicBox> VisibleGeographicExtent(const ViewFrame& frame) {
  ExtentCollector extent;
  bool someRayMissed = false;
  for (int row = 0; row < kGridSide; ++row) {
    for (int column = 0; column < kGridSide; ++column) {
      double x = -1.0 + 2.0 * column / (kGridSide - 1);
      double y = -1.0 + 2.0 * row / (kGridSide - 1);
      if (std::optional<Vec3> hit = NearestHit(frame.eye, frame.RayThrough(x, y))) {
        extent.Add(*hit);
      } else {
        someRayMissed = true;
      }
    }
  }
  if (someRayMissed) AddVisibleHorizon(frame, extent);
  // A pole faces the eye when the eye is above its tangent plane; from
  // inside the globe every point of the surface faces it.
  bool inside = Length(frame.eye) <= 1.0;
  for (double pole : {1.0, -1.0}) {
    bool facing = inside || frame.eye.z * pole > 1.0;
    if (facing && frame.Shows({0.0, 0.0, pole})) extent.AddPole(90.0 * pole);
  }
  return extent.Box();
}

}  // namespace zelph::host::globe
