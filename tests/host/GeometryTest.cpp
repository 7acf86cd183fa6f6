// The host's geometry classes and spatial references as the library meets
// them: created by class id and used only through their interfaces. Lengths
// and points are held to 1e-9 of their analytic values.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "frame/HostGeometry.h"
#include "frame/HostGuids.h"
#include "frame/HostSpatialReference.h"
#include "host/spatial/CoordinateTransform.h"
#include "platform/ComPtr.h"
#include "tests/support/GetProperty.h"
#include "tests/support/HostObjects.h"

namespace {

using zelph::host::TransformCoordinates;
using zelph::test::AddPart;
using zelph::test::AddSegment;
using zelph::test::Get;
using zelph::test::Make;
using zelph::test::NewArc;
using zelph::test::NewPoint;
using zelph::test::NewReference;

constexpr double kPi = std::numbers::pi;
constexpr double kTight = 1e-9;

struct Xyz {
  double x = NAN, y = NAN, z = NAN;
};

Xyz Read(IPoint* point) {
  Xyz xyz{NAN, NAN, NAN};
  EXPECT_EQ(point->QueryCoords(&xyz.x, &xyz.y), S_OK);
  EXPECT_EQ(point->get_Z(&xyz.z), S_OK);
  return xyz;
}

void ExpectAt(IPoint* point, double x, double y, double tolerance = kTight) {
  Xyz xyz = Read(point);
  EXPECT_NEAR(xyz.x, x, tolerance);
  EXPECT_NEAR(xyz.y, y, tolerance);
}

void ExpectXyz(IPoint* point, double x, double y, double z) {
  ExpectAt(point, x, y);
  EXPECT_NEAR(Read(point).z, z, kTight);
}

// The point `distance` along `curve` (a ratio of its length when asked).
CComPtr<IPoint> Along(IUnknown* curve, double distance, kestSegmentExtension extension = kestNoExtension,
                      bool asRatio = false) {
  CComPtr<IPoint> point = Make<IPoint>(CLSID_Point);
  EXPECT_EQ(CComQIPtr<ICurve>(curve)->QueryPoint(extension, distance, asRatio ? VARIANT_TRUE : VARIANT_FALSE, point),
            S_OK);
  return point;
}

double LengthOf(IUnknown* curve) { return Get(curve, &ICurve::get_Length); }
LONG PointCount(IUnknown* geometry) { return Get(geometry, &IPointCollection::get_PointCount); }
LONG SegmentCount(IUnknown* geometry) { return Get(geometry, &ISegmentCollection::get_SegmentCount); }
LONG PartCount(IUnknown* geometry) { return Get(geometry, &IGeometryCollection::get_GeometryCount); }
bool IsEmpty(IUnknown* geometry) { return Get(geometry, &IGeometry::get_IsEmpty) != VARIANT_FALSE; }
bool IsClosed(IUnknown* curve) { return Get(curve, &ICurve::get_IsClosed) != VARIANT_FALSE; }

struct Box {
  double xMin, yMin, xMax, yMax;
};

Box EnvelopeOf(IUnknown* geometry) {
  CComPtr<IEnvelope> envelope = Get(geometry, &IGeometry::get_Envelope);
  Box box{NAN, NAN, NAN, NAN};
  EXPECT_EQ(envelope->QueryCoords(&box.xMin, &box.yMin, &box.xMax, &box.yMax), S_OK);
  return box;
}

void ExpectBox(const Box& box, double xMin, double yMin, double xMax, double yMax) {
  EXPECT_NEAR(box.xMin, xMin, kTight);
  EXPECT_NEAR(box.yMin, yMin, kTight);
  EXPECT_NEAR(box.xMax, xMax, kTight);
  EXPECT_NEAR(box.yMax, yMax, kTight);
}

HRESULT AddPoint(IUnknown* collection, double x, double y, double z = NAN) {
  return CComQIPtr<IPointCollection>(collection)->AddPoint(NewPoint(x, y, z), nullptr, nullptr);
}

template <class T>
CComPtr<T> ThroughPoints(REFCLSID clsid, std::initializer_list<Xyz> points) {
  CComPtr<T> geometry = Make<T>(clsid);
  for (const Xyz& point : points) EXPECT_EQ(AddPoint(geometry, point.x, point.y, point.z), S_OK);
  return geometry;
}

CComPtr<IEllipticArc> Ellipse(double a, double ratio, double rotation, double from, double central) {
  CComPtr<IEllipticArc> arc = Make<IEllipticArc>(CLSID_EllipticArc);
  EXPECT_EQ(arc->PutCoords(NewPoint(0, 0), a, ratio, rotation, from, central), S_OK);
  return arc;
}

CComPtr<IEnvelope> NewEnvelope(double x1, double y1, double x2, double y2) {
  CComPtr<IEnvelope> envelope = Make<IEnvelope>(CLSID_Envelope);
  EXPECT_EQ(envelope->PutCoords(x1, y1, x2, y2), S_OK);
  return envelope;
}

CComPtr<IRing> Square(double x, double y, double side) {
  return ThroughPoints<IRing>(CLSID_Ring, {{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}});
}

// The perimeter of an ellipse by the arithmetic-geometric mean (Gauss and
// Kummer), independent of the host's integration.
double EllipsePerimeter(double a, double b) {
  double big = a, small = b, weight = 1, sum = 0.5 * (a * a - b * b);
  while (std::fabs(big - small) > 1e-16 * big) {
    double gap = (big - small) / 2, mean = (big + small) / 2;
    small = std::sqrt(big * small);
    big = mean;
    sum += weight * gap * gap;
    weight *= 2;
  }
  return 2 * kPi / big * (a * a - sum);
}

// The length of an ellipse between two parameters by Simpson's rule on a
// fine grid.
double EllipseArcLength(double a, double b, double from, double to) {
  const int steps = 200000;
  double h = (to - from) / steps, sum = 0;
  for (int i = 0; i <= steps; ++i) {
    double t = from + i * h;
    sum += std::hypot(a * std::sin(t), b * std::cos(t)) * (i == 0 || i == steps ? 1 : (i % 2 ? 4 : 2));
  }
  return std::fabs(sum * h / 3);
}

TEST(GeometryPointAndEnvelope, EmptinessCoordinatesUnionAndCopies) {
  CComPtr<IPoint> point = Make<IPoint>(CLSID_Point);
  EXPECT_TRUE(IsEmpty(point));
  double x = 0, y = 0, value = 0;
  EXPECT_EQ(point->QueryCoords(&x, &y), E_FAIL);
  EXPECT_TRUE(std::isnan(x));
  EXPECT_EQ(point->get_Z(&value), E_FAIL);
  EXPECT_TRUE(std::isnan(value));
  EXPECT_EQ(Get(point, &IGeometry::get_GeometryType), kestGeometryPoint);
  EXPECT_EQ(point->PutCoords(1, 2), S_OK);
  EXPECT_EQ(point->put_Z(7), S_OK);
  EXPECT_EQ(CComQIPtr<ITransform2D>(point)->Move(10, -1), S_OK);
  ExpectXyz(point, 11, 1, 7);
  ExpectBox(EnvelopeOf(point), 11, 1, 11, 1);
  EXPECT_EQ(point->SetEmpty(), S_OK);
  EXPECT_TRUE(IsEmpty(Get(point, &IGeometry::get_Envelope)));

  CComPtr<IEnvelope> empty = Make<IEnvelope>(CLSID_Envelope);
  EXPECT_TRUE(IsEmpty(empty));
  EXPECT_TRUE(std::isnan(Get(empty, &IEnvelope::get_XMin)));
  EXPECT_EQ(Get(empty, &IEnvelope::get_Width), 0);
  CComPtr<IEnvelope> box = NewEnvelope(3, 4, 1, -2);
  ExpectBox(EnvelopeOf(box), 1, -2, 3, 4);
  EXPECT_EQ(Get(box, &IEnvelope::get_Width), 2);
  EXPECT_EQ(Get(box, &IEnvelope::get_Height), 6);
  EXPECT_TRUE(std::isnan(Get(box, &IEnvelope::get_ZMin)));
  // An empty side adds nothing, whichever side it is.
  EXPECT_EQ(box->Union(empty), S_OK);
  ExpectBox(EnvelopeOf(box), 1, -2, 3, 4);
  EXPECT_EQ(empty->Union(box), S_OK);
  ExpectBox(EnvelopeOf(empty), 1, -2, 3, 4);
  CComPtr<IEnvelope> high = NewEnvelope(5, 0, 6, 1);
  EXPECT_EQ(high->put_ZMin(10), S_OK);
  EXPECT_EQ(high->put_ZMax(20), S_OK);
  EXPECT_EQ(box->Union(high), S_OK);
  ExpectBox(EnvelopeOf(box), 1, -2, 6, 4);
  EXPECT_EQ(Get(box, &IEnvelope::get_ZMax), 20);
  // The envelope of an envelope is a copy, heights included.
  CComPtr<IEnvelope> copy = Get(high, &IGeometry::get_Envelope);
  EXPECT_FALSE(copy.IsEqualObject(high));
  EXPECT_EQ(Get(copy, &IEnvelope::get_ZMin), 10);
  EXPECT_EQ(CComQIPtr<ITransform2D>(copy)->Move(100, 0), S_OK);
  ExpectBox(EnvelopeOf(high), 5, 0, 6, 1);
  ExpectBox(EnvelopeOf(copy), 105, 0, 106, 1);
  // QueryEnvelope writes into the caller's envelope.
  CComPtr<IEnvelope> target = NewEnvelope(0, 0, 1, 1);
  EXPECT_EQ(CComQIPtr<IGeometry>(NewArc(0, 0, 0, 2 * kPi, 1))->QueryEnvelope(target), S_OK);
  ExpectBox(EnvelopeOf(target), -1, -1, 1, 1);
  EXPECT_EQ(empty->SetEmpty(), S_OK);
  EXPECT_EQ(empty->QueryEnvelope(target), S_OK);
  EXPECT_TRUE(IsEmpty(target));
}

TEST(GeometryLine, LengthAngleAndPointsAlong) {
  CComPtr<ILine> line = Make<ILine>(CLSID_Line);
  EXPECT_TRUE(IsEmpty(line));
  EXPECT_EQ(line->PutCoords(NewPoint(0, 0, 0), NewPoint(3, 4, 10)), S_OK);
  EXPECT_NEAR(LengthOf(line), 5, kTight);
  EXPECT_NEAR(Get(line, &ILine::get_Angle), std::atan2(4, 3), kTight);
  ExpectXyz(Along(line, 2.5), 1.5, 2, 5);
  ExpectAt(Along(line, 0.2, kestNoExtension, true), 0.6, 0.8);
  ExpectXyz(Along(line, 10), 3, 4, 10);
  ExpectXyz(Along(line, 10, kestExtendTangents), 6, 8, 20);
  ExpectAt(Along(line, -5, kestExtendTangents), -3, -4);
  ExpectAt(Along(line, -5), 0, 0);
  // The half-open range keeps +pi for a line running along -x.
  EXPECT_EQ(line->PutCoords(NewPoint(0, 0.0), NewPoint(-1, -0.0)), S_OK);
  EXPECT_EQ(Get(line, &ILine::get_Angle), kPi);
  // A height missing at one end leaves the heights between unknown.
  EXPECT_EQ(line->PutCoords(NewPoint(0, 0, 5), NewPoint(2, 0)), S_OK);
  EXPECT_TRUE(std::isnan(Read(Along(line, 1)).z));
  EXPECT_EQ(Read(Along(line, 0)).z, 5);
}

TEST(GeometryCircularArc, ExactLengthPointsEnvelopeAndConstruction) {
  CComPtr<ICircularArc> quarter = NewArc(0, 0, 0, kPi / 2, 2);
  EXPECT_NEAR(LengthOf(quarter), kPi, kTight);
  ExpectAt(Along(quarter, kPi / 2), std::sqrt(2.0), std::sqrt(2.0));
  ExpectBox(EnvelopeOf(quarter), 0, 0, 2, 2);
  // Past the end the walk follows the tangent there, pointing -x.
  ExpectAt(Along(quarter, kPi + 1, kestExtendTangents), -1, 2);
  EXPECT_FALSE(IsClosed(quarter));
  // The top of the circle lies inside this sweep, though neither end is there.
  ExpectBox(EnvelopeOf(NewArc(0, 0, kPi / 4, kPi / 2, 2)), -std::sqrt(2.0), std::sqrt(2.0), std::sqrt(2.0), 2);
  // Clockwise: from the top over the right side down to the bottom.
  CComPtr<ICircularArc> clockwise = NewArc(1, 1, kPi / 2, -kPi, 1);
  ExpectAt(Along(clockwise, kPi / 2), 2, 1);
  ExpectBox(EnvelopeOf(clockwise), 1, 0, 2, 2);
  CComPtr<ICircularArc> full = NewArc(5, 5, 1, 2 * kPi, 1);
  EXPECT_TRUE(IsClosed(full));
  ExpectBox(EnvelopeOf(full), 4, 4, 6, 6);

  CComPtr<ICircularArc> built = Make<ICircularArc>(CLSID_CircularArc);
  EXPECT_EQ(built->ConstructThreePoints(NewPoint(2, 0, 1), NewPoint(0, 2), NewPoint(-2, 0, 3)), S_OK);
  EXPECT_NEAR(Get(built, &ICircularArc::get_Radius), 2, kTight);
  EXPECT_NEAR(Get(built, &ICircularArc::get_CentralAngle), kPi, kTight);
  CComPtr<IPoint> center = Make<IPoint>(CLSID_Point);
  EXPECT_EQ(built->QueryCenterPoint(center), S_OK);
  ExpectAt(center, 0, 0);
  // Heights run along the walk from the start's to the end's.
  EXPECT_NEAR(Read(Along(built, kPi / 2)).z, 1.5, kTight);
  EXPECT_EQ(Read(Get(built, &ICurve::get_ToPoint)).x, -2);
  EXPECT_EQ(built->ConstructThreePoints(NewPoint(2, 0), NewPoint(0, -2), NewPoint(-2, 0)), S_OK);
  EXPECT_NEAR(Get(built, &ICircularArc::get_CentralAngle), -kPi, kTight);
  // Points in a line or coinciding make no circle; nor does a negative
  // radius or a sweep past a full turn.
  EXPECT_EQ(built->ConstructThreePoints(NewPoint(0, 0), NewPoint(1, 1), NewPoint(3, 3)), E_INVALIDARG);
  EXPECT_EQ(built->ConstructThreePoints(NewPoint(0, 0), NewPoint(1, 1), NewPoint(0, 0)), E_INVALIDARG);
  EXPECT_EQ(built->PutCoordsByAngle(NewPoint(0, 0), 0, 1, -1), E_INVALIDARG);
  EXPECT_EQ(built->PutCoordsByAngle(NewPoint(0, 0), 0, 7, 1), E_INVALIDARG);
}

TEST(GeometryEllipticArc, LengthAndPointsMatchTheAnalyticEllipse) {
  CComPtr<IEllipticArc> full = Ellipse(2, 0.5, 0, 0, 2 * kPi);
  EXPECT_NEAR(LengthOf(full), EllipsePerimeter(2, 1), kTight);
  ExpectAt(Along(full, 0.25, kestNoExtension, true), 0, 1);
  ExpectAt(Along(full, 0.5, kestNoExtension, true), -2, 0);
  EXPECT_TRUE(IsClosed(full));
  // An arc with no symmetry to lean on: its length against Simpson's rule,
  // and the point at half its length splits it into equal lengths.
  const double a = 3, b = 1.2, from = 0.3, sweep = 2.0;
  double length = LengthOf(Ellipse(a, b / a, 0, from, sweep));
  EXPECT_NEAR(length, EllipseArcLength(a, b, from, from + sweep), kTight * length);
  Xyz half = Read(Along(Ellipse(a, b / a, 0, from, sweep), length / 2));
  EXPECT_NEAR(std::hypot(half.x / a, half.y / b), 1, kTight);
  EXPECT_NEAR(EllipseArcLength(a, b, from, std::atan2(half.y / b, half.x / a)), length / 2, kTight * length);
  // Clockwise and rotated: the same ellipse run backwards has the same length.
  EXPECT_NEAR(LengthOf(Ellipse(a, b / a, 1.0, from + sweep, -sweep)), length, kTight * length);
  // A rotated ellipse reaches past its axis ends: its true extremes.
  double halfWidth = std::sqrt(4 * 0.5 + 1 * 0.5);
  ExpectBox(EnvelopeOf(Ellipse(2, 0.5, kPi / 4, 0, 2 * kPi)), -halfWidth, -halfWidth, halfWidth, halfWidth);
  ExpectBox(EnvelopeOf(Ellipse(2, 0.5, 0, 0, kPi / 2)), 0, 0, 2, 1);
  // Inscribed in a box, wide or tall, it starts in the middle of the right
  // side, runs counter-clockwise and has the box as its envelope.
  for (const Box& outer : {Box{1, 1, 5, 3}, Box{1, 1, 3, 5}}) {
    CComPtr<IEllipticArc> inscribed = Make<IEllipticArc>(CLSID_EllipticArc);
    EXPECT_EQ(inscribed->ConstructEnvelope(NewEnvelope(outer.xMin, outer.yMin, outer.xMax, outer.yMax)), S_OK);
    ExpectBox(EnvelopeOf(inscribed), outer.xMin, outer.yMin, outer.xMax, outer.yMax);
    ExpectAt(Get(inscribed, &ICurve::get_FromPoint), outer.xMax, (outer.yMin + outer.yMax) / 2);
    ExpectAt(Along(inscribed, 0.25, kestNoExtension, true), (outer.xMin + outer.xMax) / 2, outer.yMax);
    EXPECT_NEAR(LengthOf(inscribed), EllipsePerimeter(2, 1), kTight);
  }
  CComPtr<IEllipticArc> flat = Make<IEllipticArc>(CLSID_EllipticArc);
  EXPECT_EQ(flat->ConstructEnvelope(NewEnvelope(0, 0, 4, 0)), S_OK);
  EXPECT_NEAR(LengthOf(flat), 8, kTight);
  EXPECT_EQ(flat->ConstructEnvelope(Make<IEnvelope>(CLSID_Envelope)), E_INVALIDARG);
  EXPECT_EQ(flat->ConstructEnvelope(NewEnvelope(1, 1, 1, 1)), E_INVALIDARG);
  EXPECT_EQ(flat->PutCoords(NewPoint(0, 0), 1, 1.5, 0, 0, 1), E_INVALIDARG);
}

TEST(GeometryPathAndRing, VerticesSegmentsWalkAndClosing) {
  CComPtr<IPath> path = ThroughPoints<IPath>(CLSID_Path, {{0, 0, 0}, {4, 0, 8}});
  // An arc continues the path from its end: a half circle up to (8, 0).
  EXPECT_EQ(AddSegment(path, NewArc(6, 0, kPi, -kPi, 2, 8)), S_OK);
  EXPECT_EQ(PointCount(path), 3);
  EXPECT_EQ(SegmentCount(path), 2);
  EXPECT_NEAR(LengthOf(path), 4 + 2 * kPi, kTight);
  ExpectBox(EnvelopeOf(path), 0, 0, 8, 2);
  // The walk passes each segment at its own heights.
  EXPECT_NEAR(Read(Along(path, 1)).z, 2, kTight);
  ExpectAt(Along(path, 4 + kPi), 6, 2);
  ExpectAt(Along(path, 100), 8, 0);
  ExpectAt(Along(path, 4 + 2 * kPi + 1, kestExtendTangents), 8, -1);
  ExpectAt(Along(path, -1, kestExtendTangents), -1, 0);
  // Segments are handed out as copies of their own kind.
  CComPtr<ISegment> copy;
  EXPECT_EQ(CComQIPtr<ISegmentCollection>(path)->get_Segment(1, &copy), S_OK);
  EXPECT_EQ(Get(copy, &IGeometry::get_GeometryType), kestGeometryCircularArc);
  EXPECT_EQ(CComQIPtr<ITransform2D>(copy)->Move(50, 0), S_OK);
  ExpectBox(EnvelopeOf(path), 0, 0, 8, 2);
  // A segment that does not start at the path's end is joined by a line.
  CComPtr<ILine> away = Make<ILine>(CLSID_Line);
  EXPECT_EQ(away->PutCoords(NewPoint(10, 0), NewPoint(10, 5)), S_OK);
  EXPECT_EQ(AddSegment(path, away), S_OK);
  EXPECT_EQ(SegmentCount(path), 4);
  EXPECT_NEAR(LengthOf(path), 4 + 2 * kPi + 2 + 5, kTight);
  // Points are copies both ways; an insertion splits the segment it lands on.
  CComQIPtr<IPointCollection> points(path);
  CComPtr<IPoint> given = NewPoint(2, -3);
  CComVariant before(1);
  EXPECT_EQ(points->AddPoint(given, &before, nullptr), S_OK);
  EXPECT_EQ(given->PutCoords(99, 99), S_OK);
  CComPtr<IPoint> second;
  EXPECT_EQ(points->get_Point(1, &second), S_OK);
  ExpectAt(second, 2, -3);
  EXPECT_EQ(second->PutCoords(7, 7), S_OK);
  CComPtr<IPoint> again = Make<IPoint>(CLSID_Point);
  EXPECT_EQ(points->QueryPoint(1, again), S_OK);
  ExpectAt(again, 2, -3);
  CComVariant after(0, VT_INT);
  EXPECT_EQ(points->AddPoint(NewPoint(0, -1), nullptr, &after), S_OK);
  EXPECT_EQ(PointCount(path), 7);
  EXPECT_EQ(points->QueryPoint(1, again), S_OK);
  ExpectAt(again, 0, -1);
  EXPECT_EQ(points->UpdatePoint(0, NewPoint(0, 1)), S_OK);
  ExpectAt(Along(path, 0), 0, 1);
  // Removing vertices bridges the gap with a line.
  EXPECT_EQ(points->RemovePoints(1, 5), S_OK);
  EXPECT_EQ(PointCount(path), 2);
  EXPECT_NEAR(LengthOf(path), std::hypot(10, 4), kTight);
  // A ring closes implicitly until it is closed.
  CComPtr<IRing> ring = ThroughPoints<IRing>(CLSID_Ring, {{0, 0}, {3, 0}, {3, 4}});
  EXPECT_EQ(PointCount(ring), 3);
  EXPECT_EQ(SegmentCount(ring), 3);
  EXPECT_NEAR(LengthOf(ring), 12, kTight);
  EXPECT_TRUE(IsClosed(ring));
  ExpectAt(Get(ring, &ICurve::get_ToPoint), 0, 0);
  // The walk goes round the closing line too.
  ExpectAt(Along(ring, 9.5), 1.5, 2);
  // Closing adds the closing vertex once.
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(ring->Close(), S_OK);
    EXPECT_EQ(PointCount(ring), 4);
    EXPECT_EQ(SegmentCount(ring), 3);
    EXPECT_NEAR(LengthOf(ring), 12, kTight);
  }
  // A path of the same points stays open.
  CComPtr<IPath> open = ThroughPoints<IPath>(CLSID_Path, {{0, 0}, {3, 0}, {3, 4}});
  EXPECT_FALSE(IsClosed(open));
  EXPECT_NEAR(LengthOf(open), 7, kTight);
}

TEST(GeometryPolyline, PartsByReferenceWalkedOneAfterAnother) {
  CComPtr<IPolyline> polyline = Make<IPolyline>(CLSID_Polyline);
  CComQIPtr<IGeometryCollection> parts(polyline);
  CComPtr<IPath> first = ThroughPoints<IPath>(CLSID_Path, {{0, 0}, {10, 0}});
  CComPtr<IPath> second = ThroughPoints<IPath>(CLSID_Path, {{0, 5}, {0, 9}});
  EXPECT_EQ(AddPart(polyline, first), S_OK);
  EXPECT_EQ(AddPart(polyline, second), S_OK);
  EXPECT_EQ(PointCount(polyline), 4);
  EXPECT_EQ(SegmentCount(polyline), 2);
  // The walk jumps from one part's end to the next part's start.
  EXPECT_NEAR(LengthOf(polyline), 14, kTight);
  ExpectAt(Along(polyline, 12), 0, 7);
  ExpectAt(Along(polyline, 20, kestExtendTangents), 0, 15);
  // A part handed out is the part itself: changing it changes the whole.
  CComPtr<IGeometry> held;
  EXPECT_EQ(parts->get_Geometry(1, &held), S_OK);
  EXPECT_TRUE(held.IsEqualObject(second));
  EXPECT_EQ(AddPoint(held, 3, 9), S_OK);
  EXPECT_NEAR(LengthOf(polyline), 17, kTight);
  EXPECT_EQ(CComQIPtr<ITransform2D>(polyline)->Move(1, 1), S_OK);
  ExpectBox(EnvelopeOf(first), 1, 1, 11, 1);
  // Points go to the last part, or before and after the vertex they name.
  EXPECT_EQ(AddPoint(polyline, 3, 20), S_OK);
  EXPECT_EQ(PointCount(second), 4);
  CComVariant after(1);
  EXPECT_EQ(CComQIPtr<IPointCollection>(polyline)->AddPoint(NewPoint(11, 5), nullptr, &after), S_OK);
  EXPECT_EQ(PointCount(first), 3);
  ExpectAt(Get(first, &ICurve::get_ToPoint), 11, 5);
  EXPECT_EQ(CComQIPtr<IPointCollection>(polyline)->RemovePoints(2, 2), S_OK);
  EXPECT_EQ(PointCount(first), 2);
  EXPECT_EQ(PointCount(second), 3);
  // Only paths, each once; a first point makes a path when there is none.
  EXPECT_EQ(AddPart(polyline, second), E_INVALIDARG);
  EXPECT_EQ(AddPart(polyline, NewPoint(1, 1)), E_INVALIDARG);
  EXPECT_EQ(parts->RemoveGeometries(1, 2), E_INVALIDARG);
  EXPECT_EQ(parts->RemoveGeometries(0, 2), S_OK);
  EXPECT_TRUE(IsEmpty(polyline));
  EXPECT_EQ(AddPoint(polyline, 1, 1), S_OK);
  EXPECT_EQ(PartCount(polyline), 1);
}

TEST(GeometryPolygonAndBag, RingsSortedByNestingAndMembersByReference) {
  CComPtr<IPolygon4> polygon = ThroughPoints<IPolygon4>(CLSID_Polygon, {{0, 0}, {1, 0}, {1, 1}, {0, 1}});
  EXPECT_EQ(PartCount(polygon), 1);
  EXPECT_NEAR(LengthOf(polygon), 4, kTight);
  EXPECT_TRUE(IsClosed(polygon));
  EXPECT_EQ(Get(polygon, &IPolygon4::get_ExteriorRingCount), 1);
  EXPECT_EQ(PartCount(Get(polygon, &IPolygon4::get_ExteriorRingBag)), 1);
  // A square in a square, and an island in the hole (touching it at a
  // corner, which the containment test must pass over).
  CComPtr<IPolygon4> holed = Make<IPolygon4>(CLSID_Polygon);
  CComPtr<IRing> outer = Square(0, 0, 10), hole = Square(2, 2, 6), island = Square(2, 2, 2);
  CComPtr<IRing> pond = Square(2.5, 2.5, 1);
  for (IRing* ring : {pond.p, hole.p, island.p, outer.p}) EXPECT_EQ(AddPart(holed, ring), S_OK);
  EXPECT_EQ(Get(holed, &IPolygon4::get_ExteriorRingCount), 2);
  // Each interior ring belongs to the exterior ring directly around it.
  for (IRing* exteriorRing : {outer.p, island.p}) {
    CComPtr<IGeometryBag> interior;
    EXPECT_EQ(holed->get_InteriorRingBag(exteriorRing, &interior), S_OK);
    ASSERT_EQ(PartCount(interior), 1);
    CComPtr<IGeometry> inner;
    EXPECT_EQ(CComQIPtr<IGeometryCollection>(interior)->get_Geometry(0, &inner), S_OK);
    EXPECT_TRUE(inner.IsEqualObject(exteriorRing == outer.p ? hole.p : pond.p));
  }
  CComPtr<IGeometryBag> interior;
  EXPECT_EQ(holed->get_InteriorRingBag(hole, &interior), E_INVALIDARG);
  EXPECT_EQ(holed->get_InteriorRingBag(Square(0, 0, 1), &interior), E_INVALIDARG);
  EXPECT_EQ(AddPart(holed, ThroughPoints<IPath>(CLSID_Path, {{0, 0}, {1, 1}})), E_INVALIDARG);
  EXPECT_NEAR(LengthOf(holed), 40 + 24 + 8 + 4, kTight);
  // A bag holds its members by reference; its envelope is their union.
  CComPtr<IGeometryBag> bag = Make<IGeometryBag>(CLSID_GeometryBag);
  CComPtr<IPoint> point = NewPoint(-5, 3);
  EXPECT_EQ(AddPart(bag, point), S_OK);
  EXPECT_EQ(AddPart(bag, NewArc(0, 0, 0, 2 * kPi, 1)), S_OK);
  ExpectBox(EnvelopeOf(bag), -5, -1, 1, 3);
  EXPECT_EQ(CComQIPtr<ITransform2D>(bag)->Move(1, 0), S_OK);
  EXPECT_EQ(Read(point).x, -4);

  CComVariant before(0);
  CComPtr<IGeometryBag> inner = Make<IGeometryBag>(CLSID_GeometryBag);
  CComQIPtr<IGeometryCollection> members(bag);
  EXPECT_EQ(members->AddGeometry(CComQIPtr<IGeometry>(inner), &before, nullptr), S_OK);
  CComPtr<IGeometry> first;
  EXPECT_EQ(members->get_Geometry(0, &first), S_OK);
  EXPECT_TRUE(first.IsEqualObject(inner));
  // Neither the bag itself nor a bag holding it can become a member.
  EXPECT_EQ(AddPart(bag, bag), E_INVALIDARG);
  EXPECT_EQ(AddPart(inner, bag), E_INVALIDARG);
}

TEST(GeometryBadInput, ErrorsInsteadOfCrashes) {
  // An ellipse so large that its arc-length sums overflow must still answer
  // (with whatever non-finite length) instead of subdividing for ever.
  CComPtr<IEllipticArc> huge = Ellipse(1.5e308, 0.5, 0, 0, 2 * kPi);
  double value = 0;
  EXPECT_EQ(huge->get_Length(&value), S_OK);
  huge->QueryPoint(kestNoExtension, 0.5, VARIANT_TRUE, Make<IPoint>(CLSID_Point));

  CComPtr<IPath> path = Make<IPath>(CLSID_Path);
  CComQIPtr<IPointCollection> points(path);
  CComQIPtr<ISegmentCollection> segments(path);
  CComPtr<IPoint> point = Make<IPoint>(CLSID_Point);
  EXPECT_EQ(path->get_Length(nullptr), E_POINTER);
  EXPECT_EQ(points->AddPoint(nullptr, nullptr, nullptr), E_POINTER);
  // Nothing to walk: the ends and the points along an empty curve fail.
  CComPtr<IPoint> out;
  EXPECT_EQ(path->get_FromPoint(&out), E_FAIL);
  EXPECT_FALSE(out);
  EXPECT_EQ(path->QueryPoint(kestNoExtension, 1, VARIANT_FALSE, point), E_FAIL);
  EXPECT_EQ(Make<ILine>(CLSID_Line)->QueryToPoint(point), E_FAIL);
  EXPECT_EQ(Make<ICircularArc>(CLSID_CircularArc)->get_Radius(&value), E_FAIL);
  EXPECT_EQ(LengthOf(path), 0);
  // An empty point carries no coordinates to copy.
  EXPECT_EQ(points->AddPoint(point, nullptr, nullptr), E_INVALIDARG);
  EXPECT_EQ(AddPoint(path, 0, 0), S_OK);
  // One vertex is both ends of the walk.
  EXPECT_EQ(path->QueryPoint(kestExtendTangents, 5, VARIANT_FALSE, point), S_OK);
  ExpectAt(point, 0, 0);
  // Indices out of range, arguments of the wrong kind.
  EXPECT_EQ(points->get_Point(1, &out), E_INVALIDARG);
  EXPECT_EQ(points->get_Point(-1, &out), E_INVALIDARG);
  EXPECT_EQ(points->UpdatePoint(3, NewPoint(1, 1)), E_INVALIDARG);
  EXPECT_EQ(points->RemovePoints(0, 2), E_INVALIDARG);
  CComPtr<ISegment> segment;
  EXPECT_EQ(segments->get_Segment(0, &segment), E_INVALIDARG);
  CComVariant far(5), real(0.0), zero(0);
  EXPECT_EQ(points->AddPoint(NewPoint(1, 1), &far, nullptr), E_INVALIDARG);
  EXPECT_EQ(points->AddPoint(NewPoint(1, 1), &real, nullptr), E_INVALIDARG);
  EXPECT_EQ(points->AddPoint(NewPoint(1, 1), &zero, &zero), E_INVALIDARG);
  EXPECT_EQ(AddSegment(path, Make<ILine>(CLSID_Line)), E_INVALIDARG);
  EXPECT_EQ(path->QueryPoint(kestNoExtension, NAN, VARIANT_FALSE, point), E_INVALIDARG);
  EXPECT_EQ(PointCount(path), 1);
  // NaN coordinates are kept and passed along.
  EXPECT_EQ(AddPoint(path, NAN, 1), S_OK);
  EXPECT_EQ(points->get_Point(1, &out), S_OK);
  EXPECT_TRUE(std::isnan(Read(out).x));
}

// `geometry` placed in `from` and projected to `to`.
template <class T>
CComPtr<T> Projected(CComPtr<T> geometry, ISpatialReference* from, ISpatialReference* to) {
  EXPECT_EQ(geometry->putref_SpatialReference(from), S_OK);
  EXPECT_EQ(geometry->Project(to), S_OK);
  return geometry;
}

TEST(GeometryProjection, BetweenUtmAndGeographic) {
  CComPtr<ISpatialReference> utm = NewReference(32633, true), wgs84 = NewReference(4326);
  CComPtr<ISpatialReference> sameSystem = NewReference(4326);
  ASSERT_TRUE(utm && wgs84 && sameSystem);

  CComPtr<IPoint> point = NewPoint(500000, 5000000, 120);
  EXPECT_EQ(point->Project(wgs84), E_FAIL);  // no reference to start from
  Projected(point, utm, wgs84);
  Xyz geographic = Read(point);
  EXPECT_NEAR(geographic.x, 15, 1e-9);  // the zone's central meridian
  EXPECT_NEAR(geographic.y, 45.1, 0.1);
  EXPECT_EQ(geographic.z, 120);
  EXPECT_TRUE(Get(point, &IGeometry::get_SpatialReference).IsEqualObject(wgs84));
  EXPECT_EQ(point->Project(utm), S_OK);
  ExpectAt(point, 500000, 5000000, 1e-6);
  // Another reference to the same system moves nothing; an empty geometry
  // just takes the target.
  ExpectAt(Projected(NewPoint(1234, 5678), wgs84, sameSystem), 1234, 5678, 0);
  EXPECT_EQ(Make<IPolygon>(CLSID_Polygon)->Project(wgs84), S_OK);

  CComPtr<IPolygon> polygon = Projected(
      ThroughPoints<IPolygon>(CLSID_Polygon,
                              {{400000, 5000000}, {600000, 5000000}, {600000, 5200000}, {400000, 5200000}}),
      utm, wgs84);
  EXPECT_EQ(PointCount(polygon), 4);
  Box box = EnvelopeOf(polygon);
  EXPECT_GT(box.xMin, 13);
  EXPECT_LT(box.xMax, 17);
  // The parts follow the whole.
  CComPtr<IGeometry> ring;
  EXPECT_EQ(CComQIPtr<IGeometryCollection>(polygon)->get_Geometry(0, &ring), S_OK);
  EXPECT_TRUE(Get(ring, &IGeometry::get_SpatialReference).IsEqualObject(wgs84));
  // An arc in a path becomes lines: 32 for a half turn.
  CComPtr<IPath> path = Make<IPath>(CLSID_Path);
  EXPECT_EQ(AddSegment(path, NewArc(500000, 5000000, 0, kPi, 1000)), S_OK);
  Projected(path, utm, wgs84);
  EXPECT_EQ(PointCount(path), 33);
  EXPECT_EQ(SegmentCount(path), 32);
  // A lone arc stays an arc of its kind, rebuilt through its projected
  // points: its ends are where the ends project to.
  CComPtr<ICircularArc> arc = NewArc(500000, 5000000, 0, kPi, 1000);
  Xyz end = Read(Projected(Get(arc, &ICurve::get_ToPoint), utm, wgs84));
  Projected(arc, utm, wgs84);
  ExpectAt(Get(arc, &ICurve::get_ToPoint), end.x, end.y);
  // The zone's central meridian mirrors the arc, so its top stays halfway.
  Xyz top = Read(Projected(NewPoint(500000, 5001000), utm, wgs84));
  ExpectAt(Along(arc, 0.5, kestNoExtension, true), top.x, top.y);
  CComPtr<IEllipticArc> ellipse = Make<IEllipticArc>(CLSID_EllipticArc);
  EXPECT_EQ(ellipse->ConstructEnvelope(NewEnvelope(499000, 4999000, 503000, 5001000)), S_OK);
  Projected(ellipse, utm, wgs84);
  EXPECT_TRUE(IsClosed(ellipse));
  Box around = EnvelopeOf(ellipse);
  EXPECT_NEAR(around.yMax - around.yMin, 2000 / 111000.0, 0.001);
  // A bag projects each member.
  CComPtr<IGeometryBag> bag = Make<IGeometryBag>(CLSID_GeometryBag);
  CComPtr<IPoint> member = NewPoint(500000, 5000000);
  EXPECT_EQ(AddPart(bag, member), S_OK);
  Projected(bag, utm, wgs84);
  EXPECT_NEAR(Read(member).x, 15, 1e-9);
}

TEST(SpatialReference, SystemsAreMadeByCodeAndTransformBetweenThemOrChangeNothing) {
  CComPtr<ISpatialReference> wgs84 = NewReference(4326), utm33 = NewReference(32633, true);
  CComPtr<ISpatialReference> mercator = NewReference(3857, true);
  ASSERT_TRUE(wgs84 && utm33 && mercator);
  EXPECT_EQ(Get(wgs84, &ISpatialReference::get_Name), L"GCS_WGS_1984");
  EXPECT_EQ(Get(wgs84, &ISpatialReference::get_FactoryCode), 4326);
  EXPECT_EQ(Get(utm33, &ISpatialReference::get_Name), L"WGS_1984_UTM_zone_33N");
  EXPECT_EQ(Get(mercator, &ISpatialReference::get_Name), L"WGS_1984_Pseudo_Mercator");
  // Codes of the other kind or of no system make nothing.
  EXPECT_FALSE(NewReference(32633, false, E_INVALIDARG));
  EXPECT_FALSE(NewReference(4326, true, E_INVALIDARG));
  EXPECT_FALSE(NewReference(999999, true, E_INVALIDARG));
  EXPECT_FALSE(NewReference(-1, false, E_INVALIDARG));
  EXPECT_EQ(wgs84->get_Name(nullptr), E_POINTER);
  // Zone 33's central meridian is 15 degrees east: on the equator it maps to
  // the false easting.
  std::vector<double> xs = {15.0, 16.5}, ys = {0.0, 48.2};
  ASSERT_EQ(TransformCoordinates(wgs84, utm33, xs, ys), S_OK);
  EXPECT_NEAR(xs[0], 500000.0, 1e-6);
  EXPECT_NEAR(ys[0], 0.0, 1e-6);
  EXPECT_GT(ys[1], 5.3e6);
  ASSERT_EQ(TransformCoordinates(utm33, wgs84, xs, ys), S_OK);
  EXPECT_NEAR(xs[1], 16.5, 1e-9);
  EXPECT_NEAR(ys[1], 48.2, 1e-9);
  // A latitude beyond the pole has no place in the Mercator plane.
  xs = {10.0, 0.0};
  ys = {10.0, 95.0};
  EXPECT_EQ(TransformCoordinates(wgs84, mercator, xs, ys), E_FAIL);
  EXPECT_EQ(xs, (std::vector<double>{10.0, 0.0}));
  EXPECT_EQ(ys, (std::vector<double>{10.0, 95.0}));
  std::vector<double> one = {1.0}, two = {1.0, 2.0};
  EXPECT_EQ(TransformCoordinates(wgs84, mercator, one, two), E_INVALIDARG);
  EXPECT_EQ(TransformCoordinates(nullptr, mercator, one, one), E_POINTER);
}

}  // namespace
