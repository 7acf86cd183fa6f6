#include "graphics/ExtrusionGeometry.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "frame/HostGuids.h"
#include "frame/LibraryObjects.h"
#include "geometry/GeometryHelfen.h"
#include "frame/ErrorConvention.h"

using zelph::Fail;
using zelph::RequireHostObject;
using zelph::ThrowIfFailed;
using zelph::ThrowIfNull;

namespace {

double ZeroIfNaN(double value) { return std::isnan(value) ? 0.0 : value; }

// A curve's length, 0 when it has none to walk (NaN or infinite: an
// infinite walk has no even steps).
double WalkableLength(ICurve* curve) {
  double length = 0;
  ThrowIfFailed(curve->get_Length(&length));
  return std::isfinite(length) && length > 0 ? length : 0.0;
}

CComPtr<IPointCollection> NewPointCollection() { return RequireHostObject<IPointCollection>(CLSID_Multipoint); }

void Append(IPointCollection* points, IPoint* point) { ThrowIfFailed(points->AddPoint(point, nullptr, nullptr)); }

void AppendAll(IPointCollection* points, IPointCollection* more) { ThrowIfFailed(points->AddPointCollection(more)); }

CComPtr<IPoint> PointAlong(ICurve* curve, double distance) {
  CComPtr<IPoint> point = RequireHostObject<IPoint>(CLSID_Point);
  ThrowIfFailed(curve->QueryPoint(kestNoExtension, distance, VARIANT_FALSE, point));
  return point;
}

// Points every `step` along the curve from its start while the distance
// stays within `limit`, heights rising by `slope` per unit from `zFrom`. A
// step that cannot advance gives the start point only, and the run stops at
// kMaxRunPoints whatever the budget asked.
void Walk(ICurve* curve, double step, double limit, double zFrom, double slope, IPointCollection* points) {
  const bool advances = std::isfinite(step) && step > 0;
  if (!advances) limit = 0;
  long produced = 0;
  for (double distance = 0; distance <= limit && produced < ExtrusionGeometry::kMaxRunPoints; distance += step) {
    CComPtr<IPoint> point = PointAlong(curve, distance);
    ThrowIfFailed(point->put_Z(zFrom + distance * slope));
    Append(points, point);
    ++produced;
    if (!advances) break;
  }
}

// The direction of the chord from `from` to `to`, in radians.
double ChordAngle(IPoint* from, IPoint* to) {
  CComPtr<ILine> chord = RequireHostObject<ILine>(CLSID_Line);
  ThrowIfFailed(chord->PutCoords(from, to));
  double angle = 0;
  ThrowIfFailed(chord->get_Angle(&angle));
  return angle;
}

// How far two directions differ, the short way round: chords along -x may
// come out as +pi and as just above -pi and still point the same way.
double Turn(double a, double b) {
  double turn = std::fabs(a - b);
  return turn > std::numbers::pi ? 2 * std::numbers::pi - turn : turn;
}

// The densifying frame shared by polygons and polylines: the geometry in the
// geographic frame, a budget of at least `minimum` points, each part
// processed in turn into one new polyline.
template <class PartProcessor>
CComPtr<IGeometry> Densify(IGeometry* geometry, double minimum, PartProcessor processPart) {
  ThrowIfNull(geometry);
  IGeometryPtr geographic = GeometryHelfen::Proselytize(geometry);
  ThrowIfNull(geographic);
  double budget = minimum;
  if (CComQIPtr<IPointCollection> points(geographic); points) {
    LONG count = 0;
    ThrowIfFailed(points->get_PointCount(&count));
    if (count > minimum) budget = count;
  }
  CComPtr<IPointCollection> result = RequireHostObject<IPointCollection>(CLSID_Polyline);
  if (CComQIPtr<IGeometryCollection> parts(geographic); parts) {
    LONG count = 0;
    ThrowIfFailed(parts->get_GeometryCount(&count));
    for (LONG i = 0; i < count; ++i) {
      CComPtr<IGeometry> part;
      ThrowIfFailed(parts->get_Geometry(i, &part));
      ThrowIfNull(part);
      AppendAll(result, processPart(part, budget));
    }
  } else {
    AppendAll(result, processPart(geographic, budget));
  }
  CComQIPtr<IGeometry> full(result);
  ThrowIfNull(full);
  return CComPtr<IGeometry>(full);
}

}  // namespace

CComPtr<IGeometry> ExtrusionGeometry::CalculatePolygonGeometry(IGeometry* geometry) {
  return Densify(geometry, kPolygonMaxPoints, &ProcessIndividualPolygonGeometry);
}

CComPtr<IGeometry> ExtrusionGeometry::CalculatePolylineGeometry(IGeometry* geometry) {
  return Densify(geometry, kPolylineMaxPoints, &ProcessIndividualPolylineGeometry);
}

CComPtr<IGeometry> ExtrusionGeometry::CalculateEllipseGeometry(IGeometry* geometry) {
  ThrowIfNull(geometry);
  IGeometryPtr geographic = GeometryHelfen::Proselytize(geometry);
  ThrowIfNull(geographic);
  CComPtr<IPointCollection> result = RequireHostObject<IPointCollection>(CLSID_Polyline);
  CComQIPtr<IGeometry> full(result);
  ThrowIfNull(full);

  CComPtr<IEnvelope> bounds;
  ThrowIfFailed(geographic->get_Envelope(&bounds));
  ThrowIfNull(bounds);
  VARIANT_BOOL empty = VARIANT_TRUE;
  ThrowIfFailed(bounds->get_IsEmpty(&empty));
  if (empty != VARIANT_FALSE) return CComPtr<IGeometry>(full);
  // Around a single place there is no ellipse, only a length of 0.
  double width = 0, height = 0;
  ThrowIfFailed(bounds->get_Width(&width));
  ThrowIfFailed(bounds->get_Height(&height));
  if (width == 0 && height == 0) return CComPtr<IGeometry>(full);
  CComPtr<IEllipticArc> ellipse = RequireHostObject<IEllipticArc>(CLSID_EllipticArc);
  ThrowIfFailed(ellipse->ConstructEnvelope(bounds));

  // The height range of the points that have a height; none gives 0.
  double zMin = std::numeric_limits<double>::infinity(), zMax = -zMin;
  if (CComQIPtr<IPointCollection> points(geographic); points) {
    LONG count = 0;
    ThrowIfFailed(points->get_PointCount(&count));
    CComPtr<IPoint> point = RequireHostObject<IPoint>(CLSID_Point);
    for (LONG i = 0; i < count; ++i) {
      double z = NAN;
      ThrowIfFailed(points->QueryPoint(i, point));
      ThrowIfFailed(point->get_Z(&z));
      if (z < zMin) zMin = z;
      if (z > zMax) zMax = z;
    }
  }
  if (zMin > zMax) zMin = zMax = 0;

  double length = WalkableLength(ellipse);
  if (length == 0) return CComPtr<IGeometry>(full);
  // Counted rather than summed, so that rounding never adds a point.
  for (int i = 0; i < kEllipsePoints; ++i) {
    double distance = length * i / kEllipsePoints;
    double t = distance / length;
    double z = t <= 0.5 ? zMin + 2 * t * (zMax - zMin) : zMax - 2 * (t - 0.5) * (zMax - zMin);
    CComPtr<IPoint> point = PointAlong(ellipse, distance);
    ThrowIfFailed(point->put_Z(z));
    Append(result, point);
  }
  return CComPtr<IGeometry>(full);
}

CComPtr<IPointCollection> ExtrusionGeometry::ProcessIndividualPolygonGeometry(IGeometry* part, double maxPoints) {
  ThrowIfNull(part);
  CComPtr<IPointCollection> points = NewPointCollection();
  CComQIPtr<ISegmentCollection> segments(part);
  CComQIPtr<ISegment> lone(part);
  if (!segments && !lone) Fail(E_NOINTERFACE);
  LONG count = 1;
  if (segments) ThrowIfFailed(segments->get_SegmentCount(&count));
  for (LONG i = 0; i < count; ++i) {
    CComPtr<ISegment> segment = lone;
    if (segments) ThrowIfFailed(segments->get_Segment(i, &segment));
    ThrowIfNull(segment);
    double length = WalkableLength(segment);
    if (length == 0) continue;
    double step = length / (maxPoints / count);
    double zFrom = 0, zTo = 0;
    double slope = CalculateSegmentVerticalSlope(segment, zFrom, zTo);
    Walk(segment, step, length, zFrom, slope, points);
  }
  return points;
}

CComPtr<IPointCollection> ExtrusionGeometry::ProcessIndividualPolylineGeometry(IGeometry* part, double maxPoints) {
  ThrowIfNull(part);
  CComPtr<IPointCollection> points = NewPointCollection();
  CComQIPtr<ISegmentCollection> segments(part);
  LONG count = 0;
  if (segments) ThrowIfFailed(segments->get_SegmentCount(&count));
  if (count >= 2) {
    for (LONG i = 0; i < count; ++i) {
      CComPtr<ISegment> segment;
      ThrowIfFailed(segments->get_Segment(i, &segment));
      ThrowIfNull(segment);
      if (CheckForRealCurvature(segment)) {
        AppendAll(points, MakeCurve(segment, maxPoints / 3));
        continue;
      }
      CComPtr<IPoint> from, to;
      ThrowIfFailed(segment->get_FromPoint(&from));
      ThrowIfFailed(segment->get_ToPoint(&to));
      Append(points, from);
      Append(points, to);
    }
    return points;
  }
  CComQIPtr<ICurve> curve(part);
  if (curve && CheckForRealCurvature(curve)) {
    AppendAll(points, MakeCurve(curve, maxPoints));
    return points;
  }
  if (CComQIPtr<IPointCollection> vertices(part); vertices) {
    AppendAll(points, CopyPointCollection(vertices));
  } else if (CComQIPtr<ISegment> segment(part); segment) {
    // A straight segment on its own has no vertices but its ends.
    CComPtr<IPoint> from, to;
    ThrowIfFailed(segment->get_FromPoint(&from));
    ThrowIfFailed(segment->get_ToPoint(&to));
    Append(points, from);
    Append(points, to);
  } else {
    Fail(E_NOINTERFACE);
  }
  return points;
}

CComPtr<IPointCollection> ExtrusionGeometry::MakeCurve(ICurve* curve, double maxPoints) {
  ThrowIfNull(curve);
  CComPtr<IPointCollection> points = NewPointCollection();
  double length = WalkableLength(curve);
  if (length == 0) return points;
  double step = length / maxPoints;
  double zFrom = 0, zTo = 0;
  double slope = CalculateCurveVerticalSlope(curve, zFrom, zTo);
  Walk(curve, step, length + step, zFrom, slope, points);
  return points;
}

CComPtr<IPointCollection> ExtrusionGeometry::CopyPointCollection(IPointCollection* points) {
  ThrowIfNull(points);
  CComPtr<IPointCollection> copy = NewPointCollection();
  LONG count = 0;
  ThrowIfFailed(points->get_PointCount(&count));
  for (LONG i = 0; i < count; ++i) {
    CComPtr<IPoint> point = RequireHostObject<IPoint>(CLSID_Point);
    ThrowIfFailed(points->QueryPoint(i, point));
    Append(copy, point);
  }
  return copy;
}

bool ExtrusionGeometry::CheckForRealCurvature(ICurve* curve) {
  ThrowIfNull(curve);
  double length = WalkableLength(curve);
  if (length == 0) return false;
  CComPtr<IPoint> p1 = PointAlong(curve, 0), p2 = PointAlong(curve, 0.25 * length);
  CComPtr<IPoint> p3 = PointAlong(curve, 0.75 * length), p4 = PointAlong(curve, length);
  double a1 = ChordAngle(p1, p2), a2 = ChordAngle(p2, p3), a3 = ChordAngle(p3, p4);
  bool straight = Turn(a2, a1) < kCurvatureThreshold && Turn(a3, a2) < kCurvatureThreshold &&
                  Turn(a3, a1) < kCurvatureThreshold;
  return !straight;
}

double ExtrusionGeometry::CalculateSegmentVerticalSlope(ISegment* segment, double& zFrom, double& zTo) {
  return CalculateCurveVerticalSlope(segment, zFrom, zTo);
}

double ExtrusionGeometry::CalculateCurveVerticalSlope(ICurve* curve, double& zFrom, double& zTo) {
  ThrowIfNull(curve);
  CComPtr<IPoint> from, to;
  ThrowIfFailed(curve->get_FromPoint(&from));
  ThrowIfFailed(curve->get_ToPoint(&to));
  ThrowIfNull(from);
  ThrowIfNull(to);
  double xFrom = 0, yFrom = 0, xTo = 0, yTo = 0;
  ThrowIfFailed(from->QueryCoords(&xFrom, &yFrom));
  ThrowIfFailed(to->QueryCoords(&xTo, &yTo));
  ThrowIfFailed(from->get_Z(&zFrom));
  ThrowIfFailed(to->get_Z(&zTo));
  zFrom = ZeroIfNaN(zFrom);
  zTo = ZeroIfNaN(zTo);
  if (zTo == zFrom) return 0;
  double slope = (zTo - zFrom) / std::sqrt((xTo - xFrom) * (xTo - xFrom) + (yTo - yFrom) * (yTo - yFrom));
  // Ends above one another (a closed curve) give no slope to rise by.
  return std::isfinite(slope) ? slope : 0.0;
}

CComPtr<IPoint> ExtrusionGeometry::CalculateCentroid(IGeometry* geometry) {
  ThrowIfNull(geometry);
  CComPtr<IPoint> centroid = RequireHostObject<IPoint>(CLSID_Point);
  double x = 0, y = 0, z = 0;
  if (CComQIPtr<IPoint> point(geometry); point) {
    ThrowIfFailed(point->QueryCoords(&x, &y));
    ThrowIfFailed(point->get_Z(&z));
  } else {
    CComPtr<IEnvelope> bounds = RequireHostObject<IEnvelope>(CLSID_Envelope);
    ThrowIfFailed(geometry->QueryEnvelope(bounds));
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    ThrowIfFailed(bounds->QueryCoords(&xMin, &yMin, &xMax, &yMax));
    x = xMin + (xMax - xMin) * 0.5;
    y = yMin + (yMax - yMin) * 0.5;
    if (CComQIPtr<IPointCollection> points(geometry); points) {
      LONG count = 0;
      ThrowIfFailed(points->get_PointCount(&count));
      double zMin = 0, zMax = 0;
      CComPtr<IPoint> vertex = RequireHostObject<IPoint>(CLSID_Point);
      for (LONG i = 0; i < count; ++i) {
        double height = NAN;
        ThrowIfFailed(points->QueryPoint(i, vertex));
        ThrowIfFailed(vertex->get_Z(&height));
        height = ZeroIfNaN(height);
        if (i == 0 || height < zMin) zMin = height;
        if (i == 0 || height > zMax) zMax = height;
      }
      z = zMin + (zMax - zMin) * 0.5;
    }
  }
  ThrowIfFailed(centroid->PutCoords(x, y));
  ThrowIfFailed(centroid->put_Z(z));
  return centroid;
}

CComPtr<IGeometry> ExtrusionGeometry::CenterGeometry(IGeometry* geometry, IPoint* newCenter) {
  ThrowIfNull(geometry);
  ThrowIfNull(newCenter);
  CComPtr<IPoint> oldCenter = CalculateCentroid(geometry);
  double oldX = 0, oldY = 0, oldZ = 0, newX = 0, newY = 0, newZ = 0;
  ThrowIfFailed(oldCenter->QueryCoords(&oldX, &oldY));
  ThrowIfFailed(oldCenter->get_Z(&oldZ));
  ThrowIfFailed(newCenter->QueryCoords(&newX, &newY));
  ThrowIfFailed(newCenter->get_Z(&newZ));
  // An axis without a usable delta (a centre without a height, an empty
  // geometry) stays where it is rather than spreading NaN over every point.
  auto delta = [](double to, double from) {
    double d = to - from;
    return std::isfinite(d) ? d : 0.0;
  };
  double dX = delta(newX, oldX), dY = delta(newY, oldY), dZ = delta(newZ, oldZ);
  if (std::fabs(dX) < kCenterTolerance && std::fabs(dY) < kCenterTolerance && std::fabs(dZ) < kCenterTolerance) {
    return CComPtr<IGeometry>(geometry);
  }
  CComQIPtr<ITransform2D> transform(geometry);
  if (!transform) return nullptr;
  ThrowIfFailed(transform->Move(dX, dY));
  if (CComQIPtr<IPoint> point(geometry); point) {
    double z = NAN;
    ThrowIfFailed(point->get_Z(&z));
    ThrowIfFailed(point->put_Z(ZeroIfNaN(z) + dZ));
  } else if (CComQIPtr<IPointCollection> points(geometry); points) {
    LONG count = 0;
    ThrowIfFailed(points->get_PointCount(&count));
    CComPtr<IPoint> vertex = RequireHostObject<IPoint>(CLSID_Point);
    for (LONG i = 0; i < count; ++i) {
      double z = NAN;
      ThrowIfFailed(points->QueryPoint(i, vertex));
      ThrowIfFailed(vertex->get_Z(&z));
      ThrowIfFailed(vertex->put_Z(ZeroIfNaN(z) + dZ));
      ThrowIfFailed(points->UpdatePoint(i, vertex));
    }
  }
  return CComPtr<IGeometry>(geometry);
}
