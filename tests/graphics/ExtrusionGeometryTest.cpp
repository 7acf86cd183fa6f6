// The full geometries an extrusion draws from: dense point sequences that
// follow the client's shape with interpolated heights, centroids and
// centring, made from real host geometries.
#include "graphics/ExtrusionGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "frame/HostGuids.h"
#include "platform/ComException.h"
#include "tests/support/GetProperty.h"

namespace zelph::test {
namespace {

using ExtrusionGeometryTest = QuietLoggerTest;
using Points = std::vector<std::vector<double>>;
constexpr double kPi = std::numbers::pi;

// A line from the origin, where it has no height, to (x, y, z).
CComPtr<ILine> NewLine(double x, double y, double z = NAN) {
  CComPtr<ILine> line = Make<ILine>(CLSID_Line);
  EXPECT_EQ(line->PutCoords(NewPoint(0, 0), NewPoint(x, y, z)), S_OK);
  return line;
}

TEST_F(ExtrusionGeometryTest, PolygonsAreWalkedInEvenStepsWithHeightsAndBroughtToDegrees) {
  // Corner heights 0, 4, 8, 4 on a square of side 4: every point lies on a
  // side at the height x + y, no step longer than a sixth of a side.
  CComPtr<IGeometry> ring = Through(CLSID_Ring, {{0, 0, 0}, {4, 0, 4}, {4, 4, 8}, {0, 4, 4}, {0, 0, 0}});
  CComPtr<IGeometry> square = Make<IGeometry>(CLSID_Polygon);
  ASSERT_EQ(AddPart(square, ring), S_OK);
  CComPtr<IGeometry> full = ExtrusionGeometry::CalculatePolygonGeometry(square);
  EXPECT_TRUE(CComQIPtr<IPolyline>(full) && !full.IsEqualObject(square));
  Points points = VerticesOf(full);
  ASSERT_TRUE(points.size() >= 24 && points.size() <= 28) << points.size();
  for (size_t i = 0; i < points.size(); ++i) {
    const double x = points[i][0], y = points[i][1];
    EXPECT_NEAR(points[i][2], x + y, 1e-9) << i;
    EXPECT_NEAR(std::fmin(std::fabs(x * (x - 4)), std::fabs(y * (y - 4))), 0, 1e-8) << x << "," << y;
    const std::vector<double>& before = points[(i + points.size() - 1) % points.size()];
    EXPECT_LE(std::hypot(x - before[0], y - before[1]), 4.0 / 6 + 1e-9) << i;
  }

  // A 2 km square in zone 33 comes out about 15 E, 45 N; the client's polygon is now in degrees too.
  CComPtr<IGeometry> projected =
      Through(CLSID_Polygon, {{499000, 4999000, 0}, {501000, 4999000, 0}, {501000, 5001000, 0}, {499000, 5001000, 0}});
  ASSERT_EQ(projected->putref_SpatialReference(NewReference(32633, true)), S_OK);
  points = VerticesOf(ExtrusionGeometry::CalculatePolygonGeometry(projected));
  EXPECT_GE(points.size(), 24u);
  for (const auto& p : points) EXPECT_TRUE(std::fabs(p[0] - 15) < 0.02 && std::fabs(p[1] - 45.15) < 0.05);
  EXPECT_NEAR(VerticesOf(projected).front()[0], 15 - 1000 / (111320 * std::cos(45.15 * kPi / 180)), 1e-3);

  // A budget that is no number gives one point per side; an absurd one stops
  // at the cap of a run. Nothing to walk is refused.
  EXPECT_EQ(VerticesOf(ExtrusionGeometry::ProcessIndividualPolygonGeometry(ring, NAN)).size(), 4u);
  EXPECT_EQ(VerticesOf(ExtrusionGeometry::MakeCurve(NewLine(1, 0), 1e15)).size(),
            size_t(ExtrusionGeometry::kMaxRunPoints));
  EXPECT_THROW(ExtrusionGeometry::CalculatePolygonGeometry(nullptr), ComException);
}

TEST_F(ExtrusionGeometryTest, PolylinesKeepStraightSegmentsByTheirEndsAndWalkCurves) {
  // Two straight segments: both ends of each, the middle vertex twice.
  CComPtr<IGeometry> bent = Through(CLSID_Polyline, {{0, 0, 0}, {1, 0, 5}, {2, 1, 7}});
  EXPECT_EQ(VerticesOf(ExtrusionGeometry::CalculatePolylineGeometry(bent)),
            Points({{0, 0, 0}, {1, 0, 5}, {1, 0, 5}, {2, 1, 7}}));

  // A path of one half circle: budget 30, walked one step past its end.
  CComPtr<IPath> arcPath = Make<IPath>(CLSID_Path);
  CComPtr<IGeometry> arcLine = Make<IGeometry>(CLSID_Polyline);
  ASSERT_TRUE(AddSegment(arcPath, NewArc(0, 0, 0, kPi, 1)) == S_OK && AddPart(arcLine, arcPath) == S_OK);
  Points points = VerticesOf(ExtrusionGeometry::CalculatePolylineGeometry(arcLine));
  ASSERT_TRUE(points.size() >= 31 && points.size() <= 32) << points.size();
  for (const auto& p : points) EXPECT_NEAR(std::hypot(p[0], p[1]), 1, 1e-9);
  EXPECT_TRUE(std::fabs(points[15][0]) < 1e-9 && std::fabs(points.back()[0] + 1) < 1e-9);

  // A line and a half circle: the line by its ends, the arc with a third of the budget (10 steps).
  CComPtr<IGeometry> mixed = Through(CLSID_Path, {{0, 0, 0}, {4, 0, 8}});
  ASSERT_EQ(AddSegment(mixed, NewArc(6, 0, kPi, -kPi, 2, 8)), S_OK);
  points = VerticesOf(ExtrusionGeometry::CalculatePolylineGeometry(mixed));
  EXPECT_TRUE(points.size() >= 13 && points.size() <= 14 && points[1][0] == 4) << points.size();

  // Steps of 1 on a line of 5 rising by 10 from no height (as 0), one past the end held at its x.
  points = VerticesOf(ExtrusionGeometry::MakeCurve(NewLine(3, 4, 10), 5));
  ASSERT_EQ(points.size(), 7u);
  EXPECT_TRUE(std::fabs(points[2][0] - 1.2) + std::fabs(points[2][2] - 4) < 1e-12);
  EXPECT_TRUE(std::fabs(points[6][0] - 3) + std::fabs(points[6][2] - 12) < 1e-12);
  EXPECT_EQ(VerticesOf(ExtrusionGeometry::MakeCurve(NewLine(0, 0), 5)).size(), 0u);
}

TEST_F(ExtrusionGeometryTest, EllipsesCurvatureCentroidsAndCentring) {
  // Around three points: 30 points rising from 0 to 10 half way round.
  CComPtr<IGeometry> three = Through(CLSID_Multipoint, {{0, 0, 0}, {4, 2, 10}, {2, 1, 5}});
  Points points = VerticesOf(ExtrusionGeometry::CalculateEllipseGeometry(three));
  ASSERT_EQ(points.size(), 30u);
  for (size_t i = 0; i < points.size(); ++i) {
    EXPECT_NEAR(std::hypot((points[i][0] - 2) / 2, points[i][1] - 1), 1, 1e-9);
    EXPECT_NEAR(points[i][2], i <= 15 ? i * 10.0 / 15 : 10 - (i - 15) * 10.0 / 15, 1e-9) << i;
  }
  EXPECT_NEAR(points[15][0], 0, 1e-9);
  EXPECT_EQ(VerticesOf(ExtrusionGeometry::CalculateEllipseGeometry(Through(CLSID_Multipoint, {{3, 3, 1}}))).size(), 0u);

  // Nearly straight along -x: chords at +pi and just above -pi point the same way.
  EXPECT_FALSE(ExtrusionGeometry::CheckForRealCurvature(NewLine(5, 1)));
  EXPECT_FALSE(ExtrusionGeometry::CheckForRealCurvature(Through<IPath>(CLSID_Path, {{0, 0}, {-5, 1e-12}, {-10, 0}})));
  EXPECT_TRUE(ExtrusionGeometry::CheckForRealCurvature(NewArc(0, 0, 0, kPi, 1)));
  // A walk that ends above its start has no horizontal distance to rise over.
  double zFrom = -1, zTo = -1;
  CComPtr<IPath> loop = Through<IPath>(CLSID_Path, {{0, 0, 0}, {1, 0, 3}, {0, 0, 6}});
  EXPECT_TRUE(ExtrusionGeometry::CalculateCurveVerticalSlope(loop, zFrom, zTo) == 0 && zTo == 6);

  CComPtr<IPoint> point = NewPoint(7, 8, 9), centroid = ExtrusionGeometry::CalculateCentroid(point);
  EXPECT_TRUE(!centroid.IsEqualObject(point) && PointCoords(centroid) == std::vector<double>({7, 8, 9}));

  // A line's centre counts a missing height as 0; centring it on almost that place leaves it be.
  CComPtr<IGeometry> line = Through(CLSID_Polyline, {{0, 0, NAN}, {4, 2, 10}, {1, 1, 4}});
  EXPECT_EQ(PointCoords(ExtrusionGeometry::CalculateCentroid(line)), std::vector<double>({2, 1, 5}));
  EXPECT_TRUE(ExtrusionGeometry::CenterGeometry(line, NewPoint(2, 1, 5 + 1e-10)).IsEqualObject(line));
  EXPECT_TRUE(VerticesOf(line)[1] == std::vector<double>({4, 2, 10}) && std::isnan(VerticesOf(line)[0][2]));
}

}  // namespace
}  // namespace zelph::test
