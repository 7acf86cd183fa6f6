// The host's geometry interfaces, as the library calls them. Coordinates
// are doubles; once a geometry is in the geographic system, x is the
// longitude and y the latitude in degrees. z is in metres and may be NaN
// (no height). Every host geometry keeps the z of the points given to it.
#pragma once

#include "platform/Unknown.h"
#include "platform/Variant.h"

struct ISpatialReference;
struct IEnvelope;
struct IPoint;

enum kestGeometryType : int {
  kestGeometryNull = 0,
  kestGeometryPoint = 1,
  kestGeometryMultipoint = 2,
  kestGeometryPolyline = 3,
  kestGeometryPolygon = 4,
  kestGeometryEnvelope = 5,
  kestGeometryPath = 6,
  kestGeometryBag = 7,
  kestGeometryLine = 8,
  kestGeometryCircularArc = 9,
  kestGeometryEllipticArc = 10,
  kestGeometryRing = 11,
};

// How a point query treats distances outside the curve.
enum kestSegmentExtension : int {
  kestNoExtension = 0,     // distances beyond an end give the end point
  kestExtendTangents = 1,  // distances beyond an end follow the tangent there
};

struct IGeometry : IUnknown {
  STDMETHOD(get_GeometryType)(kestGeometryType* type) = 0;
  // Null when the geometry has no spatial reference.
  STDMETHOD(get_SpatialReference)(ISpatialReference** reference) = 0;
  // Assigns a reference without changing any coordinate.
  STDMETHOD(putref_SpatialReference)(ISpatialReference* reference) = 0;
  // Transforms every coordinate from the geometry's reference into `target`
  // and takes `target` as the new reference. True curves become chains of
  // lines, since a projected arc is no longer an arc.
  STDMETHOD(Project)(ISpatialReference* target) = 0;
  // A new envelope around the geometry (empty for an empty geometry).
  STDMETHOD(get_Envelope)(IEnvelope** envelope) = 0;
  // The same, written into an envelope the caller owns.
  STDMETHOD(QueryEnvelope)(IEnvelope* envelope) = 0;
  STDMETHOD(get_IsEmpty)(VARIANT_BOOL* empty) = 0;
  STDMETHOD(SetEmpty)() = 0;

 protected:
  ~IGeometry() = default;
};
ZELPH_DEFINE_IID(IGeometry, 0xB9DFABB6, 0x7A89, 0x4F5B, 0x9A, 0xF6, 0x16, 0x4C, 0x45, 0xC5, 0x6B, 0xF6);

// A new point is empty until its coordinates are set; its z is NaN.
struct IPoint : IGeometry {
  STDMETHOD(QueryCoords)(double* x, double* y) = 0;
  STDMETHOD(PutCoords)(double x, double y) = 0;
  STDMETHOD(get_X)(double* x) = 0;
  STDMETHOD(put_X)(double x) = 0;
  STDMETHOD(get_Y)(double* y) = 0;
  STDMETHOD(put_Y)(double y) = 0;
  STDMETHOD(get_Z)(double* z) = 0;
  STDMETHOD(put_Z)(double z) = 0;

 protected:
  ~IPoint() = default;
};
ZELPH_DEFINE_IID(IPoint, 0x047A71FA, 0x37DB, 0x4CBA, 0xAA, 0x8C, 0xD9, 0x39, 0xB6, 0xED, 0x45, 0xDA);

struct IMultipoint : IGeometry {
 protected:
  ~IMultipoint() = default;
};
ZELPH_DEFINE_IID(IMultipoint, 0x3351C420, 0x3EB3, 0x4C4C, 0xB4, 0x07, 0x5D, 0x8B, 0x19, 0xCE, 0x4E, 0x6A);

// An axis-aligned box. A new envelope is empty; PutCoords orders the corners.
// z bounds are NaN until set.
struct IEnvelope : IGeometry {
  STDMETHOD(QueryCoords)(double* xMin, double* yMin, double* xMax, double* yMax) = 0;
  STDMETHOD(PutCoords)(double xMin, double yMin, double xMax, double yMax) = 0;
  STDMETHOD(get_XMin)(double* value) = 0;
  STDMETHOD(get_YMin)(double* value) = 0;
  STDMETHOD(get_XMax)(double* value) = 0;
  STDMETHOD(get_YMax)(double* value) = 0;
  STDMETHOD(get_ZMin)(double* value) = 0;
  STDMETHOD(put_ZMin)(double value) = 0;
  STDMETHOD(get_ZMax)(double* value) = 0;
  STDMETHOD(put_ZMax)(double value) = 0;
  STDMETHOD(get_Width)(double* width) = 0;
  STDMETHOD(get_Height)(double* height) = 0;
  // Grows to contain `other`; an empty side contributes nothing.
  STDMETHOD(Union)(IEnvelope* other) = 0;

 protected:
  ~IEnvelope() = default;
};
ZELPH_DEFINE_IID(IEnvelope, 0x0BACD16E, 0x1FCC, 0x453B, 0x99, 0xAD, 0xA3, 0x84, 0x0B, 0x1E, 0x6A, 0xA8);

// The vertices of a geometry, in order, across all its parts. Points handed
// out are copies; a point given in is copied too.
struct IPointCollection : IUnknown {
  STDMETHOD(get_PointCount)(LONG* count) = 0;
  STDMETHOD(get_Point)(LONG index, IPoint** point) = 0;
  STDMETHOD(QueryPoint)(LONG index, IPoint* point) = 0;
  // Appends to the last part when `before` and `after` are null or empty;
  // otherwise inserts before or after the vertex with that index (VT_I4).
  STDMETHOD(AddPoint)(IPoint* point, VARIANT* before, VARIANT* after) = 0;
  STDMETHOD(UpdatePoint)(LONG index, IPoint* point) = 0;
  // Appends every vertex of `points`, in order, to the last part.
  STDMETHOD(AddPointCollection)(IPointCollection* points) = 0;
  STDMETHOD(RemovePoints)(LONG index, LONG count) = 0;

 protected:
  ~IPointCollection() = default;
};
ZELPH_DEFINE_IID(IPointCollection, 0x373DC5CF, 0x90D9, 0x46DA, 0x9E, 0x80, 0x04, 0xF4, 0xEC, 0xEA, 0xC8, 0xEA);

// The parts of a geometry (paths, rings, or any geometry in a bag). Parts are
// handed out by reference: changing one changes the whole.
struct IGeometryCollection : IUnknown {
  STDMETHOD(get_GeometryCount)(LONG* count) = 0;
  STDMETHOD(get_Geometry)(LONG index, IGeometry** part) = 0;
  STDMETHOD(AddGeometry)(IGeometry* part, VARIANT* before, VARIANT* after) = 0;
  STDMETHOD(RemoveGeometries)(LONG index, LONG count) = 0;

 protected:
  ~IGeometryCollection() = default;
};
ZELPH_DEFINE_IID(IGeometryCollection, 0xE6A105D9, 0x0101, 0x4061, 0x91, 0x5E, 0x3B, 0x5A, 0x6D, 0x2A, 0x9D, 0xD2);

// Anything with a length that can be walked from its start to its end.
struct ICurve : IGeometry {
  STDMETHOD(get_Length)(double* length) = 0;
  STDMETHOD(get_FromPoint)(IPoint** point) = 0;
  STDMETHOD(QueryFromPoint)(IPoint* point) = 0;
  STDMETHOD(get_ToPoint)(IPoint** point) = 0;
  STDMETHOD(QueryToPoint)(IPoint* point) = 0;
  // The point at `distance` along the curve from its start (a fraction of
  // the length when `asRatio`), written into `point`. z is interpolated
  // between the ends along the walk.
  STDMETHOD(QueryPoint)(kestSegmentExtension extension, double distance, VARIANT_BOOL asRatio, IPoint* point) = 0;
  STDMETHOD(get_IsClosed)(VARIANT_BOOL* closed) = 0;

 protected:
  ~ICurve() = default;
};
ZELPH_DEFINE_IID(ICurve, 0xE52B8B00, 0xA1DA, 0x48DF, 0x8F, 0x67, 0xEC, 0x15, 0x55, 0x8A, 0x3A, 0xDB);

struct ISegment : ICurve {
 protected:
  ~ISegment() = default;
};
ZELPH_DEFINE_IID(ISegment, 0x02CE20E1, 0x2099, 0x473E, 0xA9, 0x5F, 0x96, 0xC0, 0x32, 0x56, 0x3F, 0x7E);

struct ILine : ISegment {
  STDMETHOD(PutCoords)(IPoint* from, IPoint* to) = 0;
  // The direction from start to end, in radians in (-pi, pi], counter-
  // clockwise from the +x axis.
  STDMETHOD(get_Angle)(double* radians) = 0;

 protected:
  ~ILine() = default;
};
ZELPH_DEFINE_IID(ILine, 0x7713EDCE, 0x5A83, 0x4868, 0xA9, 0x71, 0x9E, 0xDC, 0xCE, 0x9F, 0xD4, 0x5F);

// Angles in radians, counter-clockwise from +x; a negative central angle
// runs clockwise.
struct ICircularArc : ISegment {
  STDMETHOD(PutCoordsByAngle)(IPoint* center, double fromAngle, double centralAngle, double radius) = 0;
  // The arc from `from` through `through` to `to`. E_INVALIDARG when the
  // three points lie on one line.
  STDMETHOD(ConstructThreePoints)(IPoint* from, IPoint* through, IPoint* to) = 0;
  STDMETHOD(QueryCenterPoint)(IPoint* center) = 0;
  STDMETHOD(get_Radius)(double* radius) = 0;
  STDMETHOD(get_FromAngle)(double* radians) = 0;
  STDMETHOD(get_CentralAngle)(double* radians) = 0;

 protected:
  ~ICircularArc() = default;
};
ZELPH_DEFINE_IID(ICircularArc, 0x93F3BFD2, 0xABA4, 0x4F87, 0xAF, 0x35, 0xD4, 0x11, 0x91, 0xAB, 0x8C, 0x71);

// An arc of an ellipse. Angles are parametric: the point at parameter t is
// centre + rotate(rotation) * (a cos t, b sin t), with a the semi-major axis
// and b = a * minorMajorRatio.
struct IEllipticArc : ISegment {
  STDMETHOD(PutCoords)(IPoint* center, double semiMajorAxis, double minorMajorRatio, double rotation, double fromAngle,
                       double centralAngle) = 0;
  // The whole ellipse inscribed in `bounds`, axes along x and y, starting at
  // the middle of the right side and running counter-clockwise.
  STDMETHOD(ConstructEnvelope)(IEnvelope* bounds) = 0;
  STDMETHOD(QueryCenterPoint)(IPoint* center) = 0;
  STDMETHOD(get_SemiMajorAxis)(double* length) = 0;
  STDMETHOD(get_MinorMajorRatio)(double* ratio) = 0;
  STDMETHOD(get_Rotation)(double* radians) = 0;
  STDMETHOD(get_FromAngle)(double* radians) = 0;
  STDMETHOD(get_CentralAngle)(double* radians) = 0;

 protected:
  ~IEllipticArc() = default;
};
ZELPH_DEFINE_IID(IEllipticArc, 0x416FF59C, 0xC0CB, 0x4517, 0xAD, 0x8C, 0x34, 0xA8, 0xB7, 0xAC, 0xD6, 0x81);

// The segments of a path or ring (or of every part of a polyline or
// polygon, in order). Segments are handed out as copies.
struct ISegmentCollection : IUnknown {
  STDMETHOD(get_SegmentCount)(LONG* count) = 0;
  STDMETHOD(get_Segment)(LONG index, ISegment** segment) = 0;
  STDMETHOD(AddSegment)(ISegment* segment, VARIANT* before, VARIANT* after) = 0;

 protected:
  ~ISegmentCollection() = default;
};
ZELPH_DEFINE_IID(ISegmentCollection, 0x1714BFAE, 0xD094, 0x4463, 0xA7, 0xE5, 0xC8, 0x87, 0xD3, 0xE6, 0x86, 0xB2);

struct IPath : ICurve {
 protected:
  ~IPath() = default;
};
ZELPH_DEFINE_IID(IPath, 0xCAF8E6E3, 0x02E7, 0x4E34, 0x9B, 0x6E, 0xDE, 0xD0, 0x8B, 0x18, 0x09, 0xEE);

// A closed path: a ring whose last vertex differs from its first closes with
// a line back to it.
struct IRing : IPath {
  // Adds the closing vertex when the ring's ends differ.
  STDMETHOD(Close)() = 0;

 protected:
  ~IRing() = default;
};
ZELPH_DEFINE_IID(IRing, 0x6C1E748F, 0xE767, 0x43E7, 0x9A, 0x6A, 0x7A, 0xE2, 0x98, 0x57, 0xA7, 0x06);

struct IPolyline : ICurve {
 protected:
  ~IPolyline() = default;
};
ZELPH_DEFINE_IID(IPolyline, 0x0FDD5ADF, 0x2BA6, 0x418D, 0x86, 0xE6, 0x66, 0x40, 0x4B, 0x04, 0x55, 0x24);

struct IPolygon : ICurve {
  STDMETHOD(get_ExteriorRingCount)(LONG* count) = 0;

 protected:
  ~IPolygon() = default;
};
ZELPH_DEFINE_IID(IPolygon, 0x83461F87, 0x1E74, 0x42B3, 0xB6, 0x32, 0x87, 0x18, 0x9D, 0x42, 0x6C, 0x2F);

struct IGeometryBag : IGeometry {
 protected:
  ~IGeometryBag() = default;
};
ZELPH_DEFINE_IID(IGeometryBag, 0x39E57D46, 0xD8F3, 0x4C5E, 0xB7, 0xE1, 0x84, 0x61, 0x0A, 0xC3, 0x77, 0x2B);

// A polygon's rings sorted by nesting: a ring inside an even number of other
// rings is exterior, inside an odd number interior.
struct IPolygon4 : IPolygon {
  STDMETHOD(get_ExteriorRingBag)(IGeometryBag** exteriorRings) = 0;
  // The interior rings directly inside `exterior`, which must be one of the
  // polygon's exterior rings (E_INVALIDARG otherwise).
  STDMETHOD(get_InteriorRingBag)(IRing* exterior, IGeometryBag** interiorRings) = 0;

 protected:
  ~IPolygon4() = default;
};
ZELPH_DEFINE_IID(IPolygon4, 0xADEDFCBA, 0x9399, 0x4AB5, 0xA4, 0xFE, 0x79, 0x34, 0x16, 0x93, 0xA9, 0x82);

struct ITransform2D : IUnknown {
  // Moves every coordinate by (dx, dy), in place.
  STDMETHOD(Move)(double dx, double dy) = 0;

 protected:
  ~ITransform2D() = default;
};
ZELPH_DEFINE_IID(ITransform2D, 0xA7818944, 0xFD8E, 0x4573, 0xB2, 0x99, 0xFD, 0xC2, 0xFB, 0x9C, 0x32, 0x22);
