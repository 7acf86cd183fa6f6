// Geographic points placed in the globe's scene and back, the flat-earth
// helpers and azimuths, and geographic boxes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "geometry/Geobuxus.h"
#include "geometry/Geopunctus.h"

namespace {

constexpr double kRadius = 6367444.5;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

double Rad(double degrees) { return degrees * std::numbers::pi / 180.0; }

struct Gl {
  float x = 0, y = 0, z = 0;
  double Length() const { return std::sqrt(double(x) * x + double(y) * y + double(z) * z); }
};

Gl Place(const Geopunctus& p, float defAltm, float vex) {
  Gl gl;
  p.ConvertToGLLocation(&gl.x, &gl.y, &gl.z, defAltm, vex);
  return gl;
}

// Where a point at the given latitude, longitude and scene radius lies.
void ExpectAt(const Gl& gl, double lat, double lon, double radius, double tolerance = 2e-7) {
  EXPECT_NEAR(gl.x, radius * std::cos(Rad(lat)) * std::cos(Rad(lon)), tolerance);
  EXPECT_NEAR(gl.y, radius * std::cos(Rad(lat)) * std::sin(Rad(lon)), tolerance);
  EXPECT_NEAR(gl.z, radius * std::sin(Rad(lat)), tolerance);
}

void ExpectPoint(const Geopunctus& p, float lat, float lon, float alt, float tolerance = 1e-5f) {
  EXPECT_NEAR(p.GetLat(), lat, tolerance);
  EXPECT_NEAR(p.GetLon(), lon, tolerance);
  EXPECT_NEAR(p.GetAltMeters(), alt, tolerance);
}

TEST(Geopunctus, NeverHoldsNaN) {
  Geopunctus p;
  ExpectPoint(p, 0, 0, 0, 0);
  Geopunctus q(kNaN, 12.5f, kNaN);
  ExpectPoint(q, 0, 12.5f, 0, 0);
  q.SetLat(-33);
  q.SetLon(kNaN);
  q.SetAltMeters(250);
  ExpectPoint(q, -33, 0, 250, 0);
  q.SetCoords(1, 2, kNaN);
  ExpectPoint(q, 1, 2, 0, 0);
}

TEST(Geopunctus, PlacesPointsOnTheScaledSphere) {
  for (float vex : {0.0f, 1.0f, 7.5f}) ExpectAt(Place(Geopunctus(0, 0, 0), 0, vex), 0, 0, 1.0);
  // (45 N, 45 E): half, half, and the sine of 45 degrees.
  const Gl diagonal = Place(Geopunctus(45, 45, 0), 0, 1);
  EXPECT_NEAR(diagonal.x, 0.5, 2e-7);
  EXPECT_NEAR(diagonal.y, 0.5, 2e-7);
  EXPECT_NEAR(diagonal.z, std::sqrt(0.5), 2e-7);

  // One globe radius up is twice as far out; exaggerated twice, three times.
  EXPECT_NEAR(Place(Geopunctus(12, 34, kRadius), 0, 1).Length(), 2.0, 1e-6);
  EXPECT_NEAR(Place(Geopunctus(12, 34, kRadius), 0, 2).Length(), 3.0, 1e-6);
  ExpectAt(Place(Geopunctus(12, 34, kRadius), 0, 2), 12, 34, 3.0, 1e-6);
}

TEST(Geopunctus, ThresholdAltitudeBendsAndExaggerates) {
  auto radius = [](double metres) { return (metres + kRadius) / kRadius; };
  const double tolerance = 1.5e-7;  // well below the 50 m (7.9e-6) the cases differ by
  // A positive threshold lifts to at least its height.
  EXPECT_NEAR(Place(Geopunctus(10, 10, 50), 100, 1).Length(), radius(100), tolerance);
  // A negative one holds at or below its depth.
  EXPECT_NEAR(Place(Geopunctus(10, 10, 50), -100, 1).Length(), radius(-100), tolerance);
  EXPECT_NEAR(Place(Geopunctus(10, 10, -500), -100, 1).Length(), radius(-500), tolerance);
  // Zero leaves the altitude alone, also below the surface.
  EXPECT_NEAR(Place(Geopunctus(10, 10, 50), 0, 1).Length(), radius(50), tolerance);
  // The chosen altitude is what gets exaggerated.
  EXPECT_NEAR(Place(Geopunctus(10, 10, 50), 100, 3).Length(), radius(300), tolerance);
  EXPECT_NEAR(Place(Geopunctus(10, 10, 5000), 0, 10).Length(), radius(50000), tolerance);

  // Offsets move the place, and add to the chosen altitude before the
  // exaggeration.
  Gl offset;
  Geopunctus(10, 20, 100).ConvertToGLOffsetLocation(&offset.x, &offset.y, &offset.z, 1, 2, 50, 0, 2);
  ExpectAt(offset, 11, 22, radius(300));
}

TEST(Geopunctus, SceneAndGeographyRoundTrip) {
  for (float lat : {0.0f, -0.01f, 23.4f, -75.25f, 89.9f}) {
    for (float lon : {0.0f, 100.0f, -179.5f}) {
      for (float alt : {0.0f, -500.0f, 250000.0f}) {
        for (float vex : {1.0f, 3.0f}) {
          const Gl gl = Place(Geopunctus(lat, lon, alt), 0, vex);
          const Geopunctus back = Geopunctus::ConvertFromGL(gl.x, gl.y, gl.z, vex);
          // One float step of the scene position (6e-8 units) is about
          // 3.4e-6 degrees, more in longitude towards the poles, and 0.4 m.
          EXPECT_NEAR(back.GetLat(), lat, 2e-5) << lat << ", " << lon << ", " << alt << " x" << vex;
          EXPECT_NEAR(back.GetLon(), lon, 2e-5 / std::cos(Rad(lat))) << lat << ", " << lon;
          EXPECT_NEAR(back.GetAltMeters(), alt, 1.0) << lat << ", " << lon << ", " << alt;
        }
      }
    }
  }
  // South stays south on the axis and off it.
  ExpectPoint(Geopunctus::ConvertFromGL(0, 0, -2, 1), -90, 0, float(kRadius), 1);
  ExpectPoint(Geopunctus::ConvertFromGL(0, 0, 1, 1), 90, 0, 0, 1e-4f);
  // The centre has no direction: latitude and longitude 0, one radius down.
  ExpectPoint(Geopunctus::ConvertFromGL(0, 0, 0, 1), 0, 0, float(-kRadius), 1);
  // No exaggeration: the altitude cannot be recovered; nothing NaN stays.
  const Geopunctus flat = Geopunctus::ConvertFromGL(2, 0, 0, 0);
  EXPECT_TRUE(std::isinf(flat.GetAltMeters()));
  EXPECT_EQ(Geopunctus::ConvertFromGL(1, 0, 0, 0).GetAltMeters(), 0.0f);
}

TEST(Geopunctus, DistancesAndUnits) {
  EXPECT_FLOAT_EQ(Geopunctus::MetersPerDegreeLon(0), 111132.875f);
  EXPECT_NEAR(Geopunctus::MetersPerDegreeLon(60), 111132.875 / 2, 0.01);
  EXPECT_NEAR(Geopunctus::GeoDegreesToMeters(2, 60), 111132.875, 0.02);
  EXPECT_NEAR(Geopunctus::MetersToGeoDegrees(111132.875f, 60), 2.0, 1e-6);

  // Scene distance of a span along a parallel is the chord 2 r sin(d / 2)
  // on the parallel of radius cos(lat).
  for (float lat : {0.0f, -70.0f}) {
    for (float degrees : {0.5f, 30.0f}) {
      const double chord = 2 * std::cos(Rad(lat)) * std::sin(Rad(degrees) / 2);
      EXPECT_NEAR(Geopunctus::GeoDegreesToGLDistance(degrees, lat), chord, 2e-7) << lat << ", " << degrees;
    }
  }

  EXPECT_NEAR(Geopunctus(0, 0, 0).GreatCircleDistanceDegreesTo(Geopunctus(0, 90, 0)), 90.0, 1e-4);

  EXPECT_FLOAT_EQ(Geopunctus(0, 0, 0).DistanceDegreesTo(Geopunctus(3, 4, 0)), 5.0f);
  // Altitude counts by metres per degree at the mean latitude.
  EXPECT_NEAR(Geopunctus(0, 0, 0).DistanceDegreesTo(Geopunctus(0, 0, 111132.875f)), 1.0, 1e-6);
}

TEST(Geopunctus, MidpointsInterpolationRotationAndBounds) {
  ExpectPoint(Geopunctus(10, -20, 100).FindMidpoint(Geopunctus(20, 40, 300)), 15, 10, 200);
  ExpectPoint(Geopunctus(0, 0, 0).Interpolate(Geopunctus(3, 4, 0), 2.5f), 1.5f, 2, 0);
  // Between coincident points there is nowhere to go: the point itself.
  ExpectPoint(Geopunctus(5, 6, 7).Interpolate(Geopunctus(5, 6, 7), 1), 5, 6, 7, 0);

  const Geopunctus centre(10, 20, 0);
  // North of the centre, turned a quarter clockwise, lies east of it.
  ExpectPoint(Geopunctus(11, 20, 42).RotateClockwise(centre, 90), 10, 21, 42);
  ExpectPoint(Geopunctus(10, 22, 0).RotateClockwise(centre, 45), 10 - std::sqrt(2.0f), 20 + std::sqrt(2.0f), 0);

  const Geopunctus p(10, 20, 0);
  EXPECT_TRUE(p.Within(10, 11, 19, 20));
  EXPECT_FALSE(p.Within(10.5f, 11, 19, 21));
}

TEST(Geopunctus, AzimuthsAndAngleConventions) {
  const Geopunctus here(0, 0, 0);
  EXPECT_EQ(Geopunctus::CalculateAzimuth(here, here), 0.0f);
  EXPECT_NEAR(Geopunctus::CalculateAzimuth(here, Geopunctus(0, 1, 0)), 90.0, 0.01);
  EXPECT_NEAR(Geopunctus::CalculateAzimuth(here, Geopunctus(0, -1, 0)), 270.0, 0.01);
  // Straight south the two chords from the origin (to the point one degree
  // north, and to the target) each dip towards the centre by half their
  // arc, so they meet at 180 - 0.5 - d / 2 degrees, d the target's arc.
  EXPECT_NEAR(Geopunctus::CalculateAzimuth(here, Geopunctus(-1, 0, 0)), 179.0, 0.01);
  // Away from the equator east and west are still square to north.
  EXPECT_NEAR(Geopunctus::CalculateAzimuth(Geopunctus(50, 8, 0), Geopunctus(50, 8.01f, 0)), 90.0, 0.05);
  EXPECT_NEAR(Geopunctus::CalculateAzimuth(Geopunctus(-50, 8, 0), Geopunctus(-50, 7.99f, 0)), 270.0, 0.05);

  EXPECT_FLOAT_EQ(Geopunctus::AzimuthToGeoAngle(0), 90);
  EXPECT_FLOAT_EQ(Geopunctus::AzimuthToGeoAngle(90.5f), 359.5f);
  EXPECT_FLOAT_EQ(Geopunctus::AzimuthToGeoAngle(-90), 180);
  EXPECT_FLOAT_EQ(Geopunctus::AzimuthToGeoAngle(-810), 180);
  // Beyond 450 the remainder keeps the sign of the negative turn count.
  EXPECT_FLOAT_EQ(Geopunctus::AzimuthToGeoAngle(500), -50);
  EXPECT_TRUE(std::isnan(Geopunctus::AzimuthToGeoAngle(kNaN)));

  EXPECT_FLOAT_EQ(Geopunctus::GeoToAzimuthAngle(0), 90);
  EXPECT_FLOAT_EQ(Geopunctus::GeoToAzimuthAngle(180), -90);
}

TEST(Geobuxus, CornersExtentsAndUnits) {
  const Geobuxus box(Geopunctus(10, 20, 5), 4, 2);
  ExpectPoint(box.GetLowerLeft(), 9, 18, 5, 0);
  ExpectPoint(box.GetUpperRight(), 11, 22, 5, 0);

  Geobuxus copy;
  copy = box;
  EXPECT_TRUE(copy == box);

  // Metres and scene units are taken at the centre's latitude, for both
  // extents.
  Geobuxus at60(Geopunctus(60, 0, 0), 0, 0);
  at60.SetWidthMeters(111132.875f);
  EXPECT_NEAR(at60.GetWidthGeoDegrees(), 2.0, 1e-5);
  EXPECT_NEAR(at60.GetWidthMeters(), 111132.875, 0.05);
  at60.SetHeightMeters(111132.875f / 4);
  EXPECT_NEAR(at60.GetHeightGeoDegrees(), 0.5, 1e-5);
}

}  // namespace
