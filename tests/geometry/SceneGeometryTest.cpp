// Scene geometry values: vector arithmetic and angles, clipping planes and
// the frustum taken from the current matrices, geographic points placed in
// the globe's scene and back with their flat-earth helpers and azimuths, and
// geographic boxes.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "geometry/Frustrum.h"
#include "geometry/Geobuxus.h"
#include "geometry/Geopunctus.h"
#include "geometry/Plane.h"
#include "geometry/Vector.h"
#include "tests/support/GLContext.h"

namespace {

// The components and their pointer view, which must follow every change.
void ExpectVector(const Vector& v, double x, double y, double z) {
  const double expected[3] = {x, y, z}, components[3] = {v.GetX(), v.GetY(), v.GetZ()};
  for (int i = 0; i < 3; ++i) {
    EXPECT_DOUBLE_EQ(components[i], expected[i]) << "component " << i;
    EXPECT_DOUBLE_EQ(v.GetV()[i], expected[i]) << "pointer view " << i;
  }
}

TEST(Vector, ComponentsArithmeticNormalizingAndAngles) {
  Vector v;
  ExpectVector(v, 0, 0, 0);
  v.SetV(-1, -2, -3);
  v.SetY(7);
  ExpectVector(v, -1, 7, -3);
  const Vector a(1, 2, 3), b(4, 5, 6);
  ExpectVector(a + b, 5, 7, 9);
  ExpectVector(a - b, -3, -3, -3);
  ExpectVector(a * 2.5, 2.5, 5, 7.5);
  EXPECT_DOUBLE_EQ(a * b, 32.0);
  ExpectVector(a ^ b, -3, 6, -3);
  EXPECT_TRUE(Vector(1, 2, 3) == a);
  EXPECT_FALSE(Vector(1, 2, std::nextafter(3.0, 4.0)) == a);
  Vector n(3, 4, 12);
  EXPECT_DOUBLE_EQ(n.GetLength(), 13.0);
  n.Normalize();
  ExpectVector(n, 3.0 / 13, 4.0 / 13, 12.0 / 13);
  // A zero vector has no direction: non-finite components, no failure.
  Vector zero;
  zero.Normalize();
  EXPECT_FALSE(std::isfinite(zero.GetV()[2]));

  // The library's degree factor, slightly below 180 / pi.
  EXPECT_DOUBLE_EQ(Vector(1, 0, 0).AngleToVector(Vector(0, 5, 0)), std::numbers::pi / 2 * 57.29577950560105);
  // Parallel vectors whose cosine rounds past 1 still meet at angle 0.
  EXPECT_NEAR(Vector(0.1, 0.2, 0.3).AngleToVector(Vector(0.3, 0.6, 0.9)), 0.0, 1e-6);
  EXPECT_TRUE(std::isnan(Vector().AngleToVector(Vector(1, 0, 0))));
  // Clockwise from +Y as seen from +Z; z tilts a vector away from +Y too.
  const struct { Vector v; double azimuth; } cases[] = {
      {{0, 1, 0}, 0}, {{1, 1, 0}, 45}, {{1, 0, 0}, 90}, {{0, -1, 0}, 180}, {{-1, 0, 0}, 270}, {{0, 0, 1}, 90}};
  for (const auto& c : cases) EXPECT_NEAR(c.v.GetAzimuth(), c.azimuth, 1e-6) << c.azimuth;
}

using FrustrumGL = zelph::test::GLTest;

TEST_F(FrustrumGL, PlanesFromAnOrthographicBoxAndFromNothing) {
  Frustrum f;
  // Never loaded: all planes zero, every point accepted, NaN too.
  const float nan = std::numeric_limits<float>::quiet_NaN();
  EXPECT_TRUE(f.PointInFrustrum(nan, 1e30f, -5));
  Plane atTwo{0, 0, 1, -2};  // z >= 2: its own surface and a NaN distance count as inside
  EXPECT_TRUE(f.PointInPlane(atTwo, 0, 0, 2));
  EXPECT_FALSE(f.PointInPlane(atTwo, 0, 0, 1.999f));
  EXPECT_TRUE(f.PointInPlane(atTwo, 0, 0, nan));
  // A box x in [-2, 2], y in [-1, 1], eye z in [-1, 1]: the planes are its
  // faces at their true distances from the origin.
  glMatrixMode(GL_PROJECTION);
  glOrtho(-2, 2, -1, 1, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  f.LoadFrustrum();
  const struct { const Plane& plane; float a, b, c, d; } faces[] = {
      {f.m_Left, 1, 0, 0, 2}, {f.m_Right, -1, 0, 0, 2}, {f.m_Bottom, 0, 1, 0, 1},
      {f.m_Top, 0, -1, 0, 1}, {f.m_Near, 0, 0, -1, 1},  {f.m_Far, 0, 0, 1, 1}};
  for (const auto& [p, a, b, c, d] : faces) {
    EXPECT_LT(std::abs(p.A - a) + std::abs(p.B - b) + std::abs(p.C - c) + std::abs(p.D - d), 4e-6)
        << p.A << " " << p.B << " " << p.C << " " << p.D;
  }
  EXPECT_TRUE(f.PointInFrustrum(2, 1, -1));
  EXPECT_FALSE(f.PointInFrustrum(2.01f, 0, 0));
}

constexpr double kRadius = 6367444.5;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

double Rad(double degrees) { return degrees * std::numbers::pi / 180.0; }

Vector Place(const Geopunctus& p, float defAltm, float vex) {
  float x = 0, y = 0, z = 0;
  p.ConvertToGLLocation(&x, &y, &z, defAltm, vex);
  return Vector(x, y, z);
}

// Where a point at the given latitude, longitude and scene radius lies.
void ExpectAt(const Vector& gl, double lat, double lon, double radius, double tolerance = 2e-7) {
  EXPECT_NEAR(gl.GetX(), radius * std::cos(Rad(lat)) * std::cos(Rad(lon)), tolerance);
  EXPECT_NEAR(gl.GetY(), radius * std::cos(Rad(lat)) * std::sin(Rad(lon)), tolerance);
  EXPECT_NEAR(gl.GetZ(), radius * std::sin(Rad(lat)), tolerance);
}

void ExpectPoint(const Geopunctus& p, float lat, float lon, float alt, float tolerance = 1e-5f) {
  EXPECT_NEAR(p.GetLat(), lat, tolerance);
  EXPECT_NEAR(p.GetLon(), lon, tolerance);
  EXPECT_NEAR(p.GetAltMeters(), alt, tolerance);
}

TEST(Geopunctus, NeverHoldsNaNAndPlacesPointsOnTheScaledSphere) {
  Geopunctus q(kNaN, 12.5f, kNaN);
  ExpectPoint(q, 0, 12.5f, 0, 0);
  q.SetLon(kNaN);
  q.SetCoords(1, q.GetLon(), kNaN);
  ExpectPoint(q, 1, 0, 0, 0);
  for (float vex : {0.0f, 7.5f}) ExpectAt(Place(Geopunctus(0, 0, 0), 0, vex), 0, 0, 1.0);
  ExpectAt(Place(Geopunctus(12, 34, kRadius), 0, 2), 12, 34, 3.0, 1e-6);
  // The threshold bends the altitude before the exaggeration: a positive one
  // lifts to at least its height, a negative one holds at or below its depth.
  auto radius = [](double metres) { return (metres + kRadius) / kRadius; };
  const struct { float alt, defAltm, vex; double placed; } bends[] = {
      {50, 100, 1, 100}, {500, 100, 1, 500}, {50, -100, 1, -100}, {-500, -100, 1, -500},
      {50, 0, 1, 50},    {50, 100, 3, 300},  {5000, 0, 10, 50000}, {float(kRadius), 0, 1, kRadius}};
  for (const auto& b : bends) {
    EXPECT_NEAR(Place(Geopunctus(10, 10, b.alt), b.defAltm, b.vex).GetLength(), radius(b.placed), 3e-7)
        << b.alt << " m bent by " << b.defAltm << " x" << b.vex;
  }
  // Offsets move the place, and add to the chosen altitude before the
  // exaggeration.
  float x = 0, y = 0, z = 0;
  Geopunctus(10, 20, 100).ConvertToGLOffsetLocation(&x, &y, &z, 1, 2, 50, 0, 2);
  ExpectAt(Vector(x, y, z), 11, 22, radius(300));
}

TEST(Geopunctus, SceneAndGeographyRoundTrip) {
  // -0.01 degrees lies where the ratio of the radii rounds to 1.
  struct Case { float lon, alt, vex; };
  for (float lat : {0.0f, -0.01f, 23.4f, -75.25f, 89.9f}) {
    for (Case c : {Case{0, -500, 1}, Case{100, 250000, 3}, Case{-179.5f, 0, 3}, Case{-30, 250000, 1}}) {
      const Vector gl = Place(Geopunctus(lat, c.lon, c.alt), 0, c.vex);
      const Geopunctus back = Geopunctus::ConvertFromGL(gl.GetX(), gl.GetY(), gl.GetZ(), c.vex);
      // A float step of the scene position: 3.4e-6 degrees (more in longitude near the poles), 0.4 m.
      SCOPED_TRACE(testing::Message() << lat << ", " << c.lon << ", " << c.alt << " x" << c.vex);
      EXPECT_NEAR(back.GetLat(), lat, 2e-5);
      EXPECT_NEAR(back.GetLon(), c.lon, 2e-5 / std::cos(Rad(lat)));
      EXPECT_NEAR(back.GetAltMeters(), c.alt, 1.0);
    }
  }
  // The centre has no direction: latitude and longitude 0, one radius down.
  ExpectPoint(Geopunctus::ConvertFromGL(0, 0, 0, 1), 0, 0, float(-kRadius), 1);
  EXPECT_TRUE(std::isinf(Geopunctus::ConvertFromGL(2, 0, 0, 0).GetAltMeters())) << "no exaggeration";
}

TEST(Geopunctus, DistancesInterpolationRotationBoundsAndAzimuths) {
  // A span along a parallel is the chord 2 r sin(d / 2) on the parallel of
  // radius cos(lat).
  EXPECT_NEAR(Geopunctus::GeoDegreesToGLDistance(30, -70), 2 * std::cos(Rad(-70)) * std::sin(Rad(15)), 2e-7);
  EXPECT_NEAR(Geopunctus(0, 0, 0).GreatCircleDistanceDegreesTo(Geopunctus(0, 90, 0)), 90.0, 1e-4);
  EXPECT_NEAR(Geopunctus(33, 44, 0).GreatCircleDistanceDegreesTo(Geopunctus(33, 44, 0)), 0.0, 1e-5);
  EXPECT_FLOAT_EQ(Geopunctus(0, 0, 0).DistanceDegreesTo(Geopunctus(3, 4, 0)), 5.0f);
  // Altitude counts by metres per degree at the mean latitude.
  EXPECT_NEAR(Geopunctus(0, 0, 0).DistanceDegreesTo(Geopunctus(0, 0, 111132.875f)), 1.0, 1e-6);
  ExpectPoint(Geopunctus(0, 0, 0).Interpolate(Geopunctus(3, 4, 0), 2.5f), 1.5f, 2, 0);
  // Between coincident points there is nowhere to go: the point itself.
  ExpectPoint(Geopunctus(5, 6, 7).Interpolate(Geopunctus(5, 6, 7), 1), 5, 6, 7, 0);
  // North of the centre, turned a quarter clockwise, lies east of it.
  const Geopunctus centre(10, 20, 0);
  ExpectPoint(Geopunctus(11, 20, 42).RotateClockwise(centre, 90), 10, 21, 42);
  EXPECT_TRUE(centre.Within(10, 11, 19, 20));
  EXPECT_FALSE(Geopunctus(0, 181, 0).Within(-90, 90, -180, 180));
  const Geopunctus here(0, 0, 0);
  EXPECT_EQ(Geopunctus::CalculateAzimuth(here, here), 0.0f);
  EXPECT_NEAR(Geopunctus::CalculateAzimuth(here, Geopunctus(0, 1, 0)), 90.0, 0.01);
  EXPECT_NEAR(Geopunctus::CalculateAzimuth(here, Geopunctus(0, -1, 0)), 270.0, 0.01);
  // Due south the chords to the point one degree north and to the target
  // each dip by half their arc: 180 - 0.5 - 0.5 degrees.
  EXPECT_NEAR(Geopunctus::CalculateAzimuth(here, Geopunctus(-1, 0, 0)), 179.0, 0.01);
  // Beyond 450 the remainder keeps the sign of the negative turn count.
  const struct { float azimuth, angle; } angles[] = {{0, 90}, {90, 0}, {90.5f, 359.5f}, {-810, 180}, {500, -50}};
  for (const auto& a : angles) EXPECT_FLOAT_EQ(Geopunctus::AzimuthToGeoAngle(a.azimuth), a.angle) << a.azimuth;
  EXPECT_TRUE(std::isnan(Geopunctus::AzimuthToGeoAngle(kNaN)));
}

TEST(Geobuxus, CornersAndExtentsAtTheCentresLatitude) {
  const Geobuxus box(Geopunctus(10, 20, 5), 4, 2);
  ExpectPoint(box.GetLowerLeft(), 9, 18, 5, 0);
  ExpectPoint(box.GetUpperRight(), 11, 22, 5, 0);
  Geobuxus at60(Geopunctus(60, 0, 0), 0, 0);
  at60.SetWidthMeters(111132.875f);
  EXPECT_NEAR(at60.GetWidthGeoDegrees(), 2.0, 1e-5);
}

}  // namespace
