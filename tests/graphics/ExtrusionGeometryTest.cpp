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
#include "tests/support/HostObjects.h"
#include "tests/support/QuietLoggerTest.h"

namespace zelph::test {
namespace {

using ExtrusionGeometryTest = QuietLoggerTest;
constexpr double kPi = std::numbers::pi;

struct Xyz {
  double x = NAN, y = NAN, z = NAN;
};

std::vector<Xyz> PointsOf(IUnknown* geometry) {
  CComQIPtr<IPointCollection> points(geometry);
  EXPECT_TRUE(points);
  std::vector<Xyz> result;
  LONG count = 0;
  if (!points || points->get_PointCount(&count) != S_OK) return result;
  for (LONG i = 0; i < count; ++i) {
    CComPtr<IPoint> point;
    EXPECT_EQ(points->get_Point(i, &point), S_OK);
    Xyz xyz;
    EXPECT_EQ(point->QueryCoords(&xyz.x, &xyz.y), S_OK);
    EXPECT_EQ(point->get_Z(&xyz.z), S_OK);
    result.push_back(xyz);
  }
  return result;
}

template <class T>
CComPtr<T> Through(REFCLSID clsid, std::initializer_list<Xyz> points) {
  CComPtr<T> geometry = Make<T>(clsid);
  for (const Xyz& p : points) {
    EXPECT_EQ(CComQIPtr<IPointCollection>(geometry)->AddPoint(NewPoint(p.x, p.y, p.z), nullptr, nullptr), S_OK);
  }
  return geometry;
}

CComPtr<ILine> NewLine(Xyz from, Xyz to) {
  CComPtr<ILine> line = Make<ILine>(CLSID_Line);
  EXPECT_EQ(line->PutCoords(NewPoint(from.x, from.y, from.z), NewPoint(to.x, to.y, to.z)), S_OK);
  return line;
}

TEST_F(ExtrusionGeometryTest, PolygonRingsAreWalkedInEvenStepsWithHeightsAlongEachSide) {
  // Corner heights 0, 4, 8, 4 on a square of side 4: every point on its
  // sides lies at the height x + y.
  CComPtr<IRing> ring = Through<IRing>(CLSID_Ring, {{0, 0, 0}, {4, 0, 4}, {4, 4, 8}, {0, 4, 4}, {0, 0, 0}});
  CComPtr<IPolygon> square = Make<IPolygon>(CLSID_Polygon);
  ASSERT_EQ(AddPart(square, ring), S_OK);
  CComPtr<IGeometry> full = ExtrusionGeometry::CalculatePolygonGeometry(CComQIPtr<IGeometry>(square));
  EXPECT_FALSE(full.IsEqualObject(square));
  kestGeometryType type = kestGeometryNull;
  EXPECT_EQ(full->get_GeometryType(&type), S_OK);
  EXPECT_EQ(type, kestGeometryPolyline);
  std::vector<Xyz> points = PointsOf(full);
  ASSERT_GE(points.size(), 24u);
  ASSERT_LE(points.size(), 28u);
  // Walked in order round the perimeter, no gap wider than a sixth of a
  // side: every side starts at its corner and steps evenly towards the next.
  double previous = -1;
  for (size_t i = 0; i < points.size(); ++i) {
    const Xyz& p = points[i];
    EXPECT_NEAR(p.z, p.x + p.y, 1e-9);
    bool home = i > 0 && std::fabs(p.x) < 1e-9 && std::fabs(p.y) < 1e-9;
    double s = home                     ? 16
               : std::fabs(p.y) < 1e-9   ? p.x
               : std::fabs(p.x - 4) < 1e-9 ? 4 + p.y
               : std::fabs(p.y - 4) < 1e-9 ? 12 - p.x
                                          : 16 - p.y;
    EXPECT_TRUE(std::fabs(p.y) < 1e-9 || std::fabs(p.x - 4) < 1e-9 || std::fabs(p.y - 4) < 1e-9 ||
                std::fabs(p.x) < 1e-9)
        << p.x << "," << p.y;
    if (i == 0) {
      EXPECT_EQ(s, 0);
    } else {
      EXPECT_GE(s, previous - 1e-9);
      EXPECT_LE(s - previous, 4.0 / 6 + 1e-9) << i;
    }
    previous = s;
  }
  EXPECT_GE(previous, 16 - 4.0 / 6 - 1e-9);

  // A square of 2 km in zone 33 comes out in degrees about 15 E, 45 N, and
  // the client's polygon itself is now in degrees.
  CComPtr<IPolygon> projected = Through<IPolygon>(
      CLSID_Polygon, {{499000, 4999000, 0}, {501000, 4999000, 0}, {501000, 5001000, 0}, {499000, 5001000, 0}});
  ASSERT_EQ(projected->putref_SpatialReference(NewReference(32633, true)), S_OK);
  points = PointsOf(ExtrusionGeometry::CalculatePolygonGeometry(CComQIPtr<IGeometry>(projected)));
  EXPECT_GE(points.size(), 24u);
  for (const Xyz& p : points) {
    EXPECT_NEAR(p.x, 15, 0.02);
    EXPECT_NEAR(p.y, 45.15, 0.05);
  }
  EXPECT_NEAR(PointsOf(projected).front().x, 15 - 1000 / (111320 * std::cos(45.15 * kPi / 180)), 1e-3);

  // Budgets that cannot step end at once: one point per side; an absurd one
  // stops at the cap of a run.
  EXPECT_EQ(PointsOf(ExtrusionGeometry::ProcessIndividualPolygonGeometry(CComQIPtr<IGeometry>(ring), -5)).size(), 4u);
  EXPECT_EQ(PointsOf(ExtrusionGeometry::ProcessIndividualPolygonGeometry(CComQIPtr<IGeometry>(ring), NAN)).size(), 4u);
  EXPECT_EQ(PointsOf(ExtrusionGeometry::MakeCurve(NewLine({0, 0}, {1, 0}), 1e15)).size(),
            size_t(ExtrusionGeometry::kMaxRunPoints));
  // Neither nothing nor a box has segments to walk.
  EXPECT_THROW(ExtrusionGeometry::CalculatePolygonGeometry(nullptr), ComException);
  CComPtr<IEnvelope> box = Make<IEnvelope>(CLSID_Envelope);
  ASSERT_EQ(box->PutCoords(0, 0, 1, 1), S_OK);
  EXPECT_THROW(ExtrusionGeometry::CalculatePolygonGeometry(CComQIPtr<IGeometry>(box)), ComException);
}

TEST_F(ExtrusionGeometryTest, PolylinesKeepStraightSegmentsByTheirEndsAndWalkCurves) {
  // Two straight segments: both ends of each, the middle vertex twice.
  CComPtr<IPolyline> bent = Through<IPolyline>(CLSID_Polyline, {{0, 0, 0}, {1, 0, 5}, {2, 1, 7}});
  std::vector<Xyz> points = PointsOf(ExtrusionGeometry::CalculatePolylineGeometry(CComQIPtr<IGeometry>(bent)));
  ASSERT_EQ(points.size(), 4u);
  const double expected[4][3] = {{0, 0, 0}, {1, 0, 5}, {1, 0, 5}, {2, 1, 7}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(points[i].x, expected[i][0]);
    EXPECT_EQ(points[i].y, expected[i][1]);
    EXPECT_EQ(points[i].z, expected[i][2]);
  }

  // A path of one half circle: budget 30, walked one step past its end.
  CComPtr<IPath> arcPath = Make<IPath>(CLSID_Path);
  ASSERT_EQ(AddSegment(arcPath, NewArc(0, 0, 0, kPi, 1)), S_OK);
  CComPtr<IPolyline> arcLine = Make<IPolyline>(CLSID_Polyline);
  ASSERT_EQ(AddPart(arcLine, arcPath), S_OK);
  points = PointsOf(ExtrusionGeometry::CalculatePolylineGeometry(CComQIPtr<IGeometry>(arcLine)));
  ASSERT_GE(points.size(), 31u);
  ASSERT_LE(points.size(), 32u);
  for (const Xyz& p : points) EXPECT_NEAR(std::hypot(p.x, p.y), 1, 1e-9);
  EXPECT_NEAR(points[15].x, 0, 1e-9);
  EXPECT_NEAR(points.back().x, -1, 1e-9);

  // A line and a half circle: the line by its ends, the arc with a third of
  // the budget (10 steps).
  CComPtr<IPath> mixed = Through<IPath>(CLSID_Path, {{0, 0, 0}, {4, 0, 8}});
  ASSERT_EQ(AddSegment(mixed, NewArc(6, 0, kPi, -kPi, 2, 8)), S_OK);
  points = PointsOf(ExtrusionGeometry::CalculatePolylineGeometry(CComQIPtr<IGeometry>(mixed)));
  ASSERT_GE(points.size(), 13u);
  ASSERT_LE(points.size(), 14u);
  EXPECT_EQ(points[1].x, 4);
  for (size_t i = 2; i < points.size(); ++i) EXPECT_NEAR(std::hypot(points[i].x - 6, points[i].y), 2, 1e-9);

  // The walk along a curve: steps of 1 on a line of 5 rising by 10, up to
  // one step past the end, held there and one step's rise higher.
  points = PointsOf(ExtrusionGeometry::MakeCurve(NewLine({0, 0, 0}, {3, 4, 10}), 5));
  ASSERT_EQ(points.size(), 7u);
  for (int d = 0; d < 6; ++d) {
    EXPECT_NEAR(points[d].x, 0.6 * d, 1e-12);
    EXPECT_NEAR(points[d].z, 2 * d, 1e-12);
  }
  EXPECT_NEAR(points[6].x, 3, 1e-12);
  EXPECT_NEAR(points[6].z, 12, 1e-12);
  for (double budget : {0.0, -3.0, double(NAN)}) {
    EXPECT_EQ(PointsOf(ExtrusionGeometry::MakeCurve(NewLine({0, 0}, {3, 4}), budget)).size(), 1u) << budget;
  }
  EXPECT_EQ(PointsOf(ExtrusionGeometry::MakeCurve(NewLine({1, 1}, {1, 1}), 5)).size(), 0u);

  // A lone straight path is copied: new points, same coordinates.
  CComPtr<IPath> straight = Through<IPath>(CLSID_Path, {{1, 2, 3}, {4, 5, NAN}});
  CComPtr<IPointCollection> copy = ExtrusionGeometry::CopyPointCollection(CComQIPtr<IPointCollection>(straight));
  EXPECT_FALSE(copy.IsEqualObject(straight));
  points = PointsOf(copy);
  ASSERT_EQ(points.size(), 2u);
  EXPECT_EQ(points[0].z, 3);
  EXPECT_EQ(points[1].x, 4);
  EXPECT_TRUE(std::isnan(points[1].z));
}

TEST_F(ExtrusionGeometryTest, EllipsesRiseToTheHighestPointHalfWayRound) {
  CComPtr<IMultipoint> three = Through<IMultipoint>(CLSID_Multipoint, {{0, 0, 0}, {4, 2, 10}, {2, 1, 5}});
  std::vector<Xyz> points = PointsOf(ExtrusionGeometry::CalculateEllipseGeometry(CComQIPtr<IGeometry>(three)));
  ASSERT_EQ(points.size(), 30u);
  for (size_t i = 0; i < points.size(); ++i) {
    EXPECT_NEAR(std::hypot((points[i].x - 2) / 2, points[i].y - 1), 1, 1e-9);
    EXPECT_NEAR(points[i].z, i <= 15 ? i * 10.0 / 15 : 10 - (i - 15) * 10.0 / 15, 1e-9) << i;
  }
  EXPECT_NEAR(points[0].x, 4, 1e-9);
  EXPECT_NEAR(points[15].x, 0, 1e-9);

  // No heights at all: the ellipse lies at 0. One place or none: no ellipse.
  CComPtr<IMultipoint> flat = Through<IMultipoint>(CLSID_Multipoint, {{0, 0}, {4, 2}});
  for (const Xyz& p : PointsOf(ExtrusionGeometry::CalculateEllipseGeometry(CComQIPtr<IGeometry>(flat)))) {
    EXPECT_EQ(p.z, 0);
  }
  CComPtr<IMultipoint> single = Through<IMultipoint>(CLSID_Multipoint, {{3, 3, 1}});
  EXPECT_EQ(PointsOf(ExtrusionGeometry::CalculateEllipseGeometry(CComQIPtr<IGeometry>(single))).size(), 0u);
  CComPtr<IMultipoint> none = Make<IMultipoint>(CLSID_Multipoint);
  EXPECT_EQ(PointsOf(ExtrusionGeometry::CalculateEllipseGeometry(CComQIPtr<IGeometry>(none))).size(), 0u);
}

TEST_F(ExtrusionGeometryTest, CurvatureSlopesCentroidsAndCentring) {
  EXPECT_FALSE(ExtrusionGeometry::CheckForRealCurvature(NewLine({0, 0}, {5, 1})));
  EXPECT_TRUE(ExtrusionGeometry::CheckForRealCurvature(NewArc(0, 0, 0, kPi, 1)));
  // Nearly straight along -x: chords at +pi and just above -pi point the same way.
  CComPtr<IPath> west = Through<IPath>(CLSID_Path, {{0, 0}, {-5, 1e-12}, {-10, 0}});
  EXPECT_FALSE(ExtrusionGeometry::CheckForRealCurvature(west));

  double zFrom = -1, zTo = -1;
  EXPECT_DOUBLE_EQ(ExtrusionGeometry::CalculateSegmentVerticalSlope(NewLine({0, 0, NAN}, {3, 4, 10}), zFrom, zTo), 2);
  EXPECT_EQ(zFrom, 0);
  EXPECT_EQ(zTo, 10);
  // A walk that ends above its start has no horizontal distance to rise over.
  CComPtr<IPath> loop = Through<IPath>(CLSID_Path, {{0, 0, 0}, {1, 0, 3}, {0, 0, 6}});
  EXPECT_EQ(ExtrusionGeometry::CalculateCurveVerticalSlope(loop, zFrom, zTo), 0);
  EXPECT_EQ(zTo, 6);

  CComPtr<IPoint> point = NewPoint(7, 8, 9);
  CComPtr<IPoint> centroid = ExtrusionGeometry::CalculateCentroid(point);
  EXPECT_FALSE(centroid.IsEqualObject(point));
  Xyz c;
  ASSERT_EQ(centroid->QueryCoords(&c.x, &c.y), S_OK);
  ASSERT_EQ(centroid->get_Z(&c.z), S_OK);
  EXPECT_EQ(c.x, 7);
  EXPECT_EQ(c.y, 8);
  EXPECT_EQ(c.z, 9);

  CComPtr<IPolyline> line = Through<IPolyline>(CLSID_Polyline, {{0, 0, NAN}, {4, 2, 10}, {1, 1, 4}});
  centroid = ExtrusionGeometry::CalculateCentroid(CComQIPtr<IGeometry>(line));
  ASSERT_EQ(centroid->QueryCoords(&c.x, &c.y), S_OK);
  ASSERT_EQ(centroid->get_Z(&c.z), S_OK);
  EXPECT_EQ(c.x, 2);
  EXPECT_EQ(c.y, 1);
  EXPECT_EQ(c.z, 5);

  // The same centre: the geometry untouched, its missing height included.
  CComQIPtr<IGeometry> geometry(line);
  EXPECT_TRUE(ExtrusionGeometry::CenterGeometry(geometry, NewPoint(2, 1, 5 + 1e-10)).IsEqualObject(line));
  EXPECT_TRUE(std::isnan(PointsOf(line).front().z));
  // A new centre moves every point in place, a missing height from 0.
  EXPECT_TRUE(ExtrusionGeometry::CenterGeometry(geometry, NewPoint(12, -1, 15)).IsEqualObject(line));
  std::vector<Xyz> moved = PointsOf(line);
  EXPECT_EQ(moved[0].x, 10);
  EXPECT_EQ(moved[0].y, -2);
  EXPECT_EQ(moved[0].z, 10);
  EXPECT_EQ(moved[1].z, 20);
  // A centre without a height moves the geometry across only.
  ExtrusionGeometry::CenterGeometry(geometry, NewPoint(2, 1));
  moved = PointsOf(line);
  EXPECT_EQ(moved[1].x, 4);
  EXPECT_EQ(moved[1].z, 20);
}

}  // namespace
}  // namespace zelph::test
