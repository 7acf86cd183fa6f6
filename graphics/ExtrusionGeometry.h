// The geometric preparation behind a geographic extrusion: turning a client
// geometry (a polyline, the rings of a polygon, or points to fit an ellipse
// around) into a full geometry, a dense 3D point sequence that follows the
// shape closely enough to lie on a curved globe, with heights interpolated
// along every segment; the centroid of a geometry; and moving a geometry
// onto a new centre.
//
// Every operation works on host geometries only through their interfaces
// and keeps no state. A failing host call throws (zelph::ComException); the
// component method that called in catches it at its boundary.
//
// Densifying loops are bounded: a step that is not a positive finite number
// gives the start point only, a length that is not finite gives nothing,
// and no single segment or curve yields more than kMaxRunPoints points.
#pragma once

#include "frame/HostGeometry.h"
#include "platform/ComPtr.h"

class ExtrusionGeometry {
 public:
  ExtrusionGeometry() = delete;

  // The least point budget of a polygon and of a polyline.
  static constexpr double kPolygonMaxPoints = 24;
  static constexpr double kPolylineMaxPoints = 30;
  // The points on an ellipse fitted around a geometry.
  static constexpr int kEllipsePoints = 30;
  // Angles (radians) between the chords of a curve below which it is straight.
  static constexpr double kCurvatureThreshold = 0.5;
  // Moves smaller than this in every axis leave a geometry where it is.
  static constexpr double kCenterTolerance = 1e-9;
  // The most points one segment's or one curve's run may produce.
  static constexpr long kMaxRunPoints = 65536;

  // The full geometry of a polygon: each ring densified evenly, as one new
  // host Polyline. The geometry is brought into the geographic frame first
  // (in place).
  static CComPtr<IGeometry> CalculatePolygonGeometry(IGeometry* geometry);
  // The full geometry of a polyline: straight segments by their ends, curved
  // ones densified, as one new host Polyline. Brought into the geographic
  // frame first (in place).
  static CComPtr<IGeometry> CalculatePolylineGeometry(IGeometry* geometry);
  // kEllipsePoints points on the ellipse inscribed in the geometry's
  // envelope, rising from the least height of its points to the greatest
  // half way round and back, as a new host Polyline (empty when there is no
  // ellipse to fit). Brought into the geographic frame first (in place).
  static CComPtr<IGeometry> CalculateEllipseGeometry(IGeometry* geometry);

  // One ring or path densified by even steps per segment, with a budget of
  // `maxPoints` for the whole part: a new point collection.
  static CComPtr<IPointCollection> ProcessIndividualPolygonGeometry(IGeometry* part, double maxPoints);
  // One path: ends of straight segments, curved ones walked (a budget of
  // `maxPoints` / 3 per curved segment, `maxPoints` for a curved part of one
  // segment), otherwise a copy of its vertices: a new point collection.
  static CComPtr<IPointCollection> ProcessIndividualPolylineGeometry(IGeometry* part, double maxPoints);
  // Points every length / `maxPoints` along the curve, up to one step past
  // its end (held at the end), heights on the curve's vertical slope.
  static CComPtr<IPointCollection> MakeCurve(ICurve* curve, double maxPoints);
  // New points with the same x, y and z as those of `points`.
  static CComPtr<IPointCollection> CopyPointCollection(IPointCollection* points);

  // True when the chords through the curve's quarter points turn by
  // kCurvatureThreshold or more.
  static bool CheckForRealCurvature(ICurve* curve);
  // The rise of height per unit of horizontal distance between the ends
  // (NaN heights count as 0), with the end heights given back.
  static double CalculateSegmentVerticalSlope(ISegment* segment, double& zFrom, double& zTo);
  static double CalculateCurveVerticalSlope(ICurve* curve, double& zFrom, double& zTo);

  // A new point: a point's own coordinates, else the middle of the envelope
  // and of the height range of the vertices (NaN heights count as 0).
  static CComPtr<IPoint> CalculateCentroid(IGeometry* geometry);
  // Moves the geometry in place so that its centroid lands on `newCenter`
  // and returns it; null when it would have to move but cannot.
  static CComPtr<IGeometry> CenterGeometry(IGeometry* geometry, IPoint* newCenter);
};
