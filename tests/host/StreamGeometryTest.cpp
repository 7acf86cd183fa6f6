// Host geometries saved into a variant stream and made again from it: every
// class comes back with the same vertices, heights, arcs, parts and spatial
// reference, and a record that does not fit a geometry leaves it as it was.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <sstream>
#include <string>

#include "frame/HostCollections.h"
#include "frame/HostGeometry.h"
#include "frame/HostGuids.h"
#include "frame/HostSpatialReference.h"
#include "host/HostInterfaces.h"
#include "platform/ClassRegistry.h"
#include "platform/ComBstr.h"
#include "platform/ComPtr.h"
#include "platform/ComVariant.h"
#include "tests/support/TestPaths.h"
#include "tests/support/HostObjects.h"

namespace {

using zelph::test::Make;
using zelph::test::NewPoint;

CComPtr<ISpatialReference> Reference(LONG code, bool projected = false) {
  CComPtr<ISpatialReferenceFactory> factory = Make<ISpatialReferenceFactory>(CLSID_SpatialReferenceEnvironment);
  CComPtr<ISpatialReference> reference;
  EXPECT_EQ(projected ? factory->CreateProjectedCoordinateSystem(code, &reference)
                      : factory->CreateGeographicCoordinateSystem(code, &reference),
            S_OK);
  return reference;
}

void AddPoints(IUnknown* geometry, std::initializer_list<CComPtr<IPoint>> points) {
  CComQIPtr<IPointCollection> collection(geometry);
  for (const CComPtr<IPoint>& point : points) EXPECT_EQ(collection->AddPoint(point, nullptr, nullptr), S_OK);
}

// Everything a reader can ask of a geometry, exactly, as text.
std::string Fingerprint(IUnknown* object) {
  std::ostringstream text;
  text << std::hexfloat;
  CComQIPtr<IGeometry> geometry(object);
  kestGeometryType type = kestGeometryNull;
  VARIANT_BOOL empty = VARIANT_FALSE;
  geometry->get_GeometryType(&type);
  geometry->get_IsEmpty(&empty);
  text << "type " << type << " empty " << empty;
  CComPtr<ISpatialReference> reference;
  geometry->get_SpatialReference(&reference);
  LONG code = 0;
  if (reference) reference->get_FactoryCode(&code);
  text << " code " << code;
  CComPtr<IEnvelope> box;
  double xMin = 0, yMin = 0, xMax = 0, yMax = 0, zMin = 0, zMax = 0;
  geometry->get_Envelope(&box);
  box->QueryCoords(&xMin, &yMin, &xMax, &yMax);
  box->get_ZMin(&zMin);
  box->get_ZMax(&zMax);
  text << " box " << xMin << ' ' << yMin << ' ' << xMax << ' ' << yMax << ' ' << zMin << ' ' << zMax;
  if (CComQIPtr<IPoint> point{object}) {
    double x = 0, y = 0, z = 0;
    point->QueryCoords(&x, &y);
    point->get_Z(&z);
    text << " at " << x << ' ' << y << ' ' << z;
  }
  if (CComQIPtr<ICurve> curve{object}) {
    double length = 0;
    VARIANT_BOOL closed = VARIANT_FALSE;
    curve->get_Length(&length);
    curve->get_IsClosed(&closed);
    text << " length " << length << " closed " << closed;
  }
  if (CComQIPtr<IPointCollection> points{object}) {
    LONG count = 0;
    points->get_PointCount(&count);
    for (LONG i = 0; i < count; ++i) {
      CComPtr<IPoint> vertex;
      points->get_Point(i, &vertex);
      text << " [" << Fingerprint(vertex) << ']';
    }
  }
  if (CComQIPtr<ISegmentCollection> segments{object}) {
    LONG count = 0;
    segments->get_SegmentCount(&count);
    for (LONG i = 0; i < count; ++i) {
      CComPtr<ISegment> segment;
      segments->get_Segment(i, &segment);
      text << " {" << Fingerprint(segment) << '}';
    }
  }
  if (CComQIPtr<IGeometryCollection> parts{object}) {
    LONG count = 0;
    parts->get_GeometryCount(&count);
    for (LONG i = 0; i < count; ++i) {
      CComPtr<IGeometry> part;
      parts->get_Geometry(i, &part);
      text << " (" << Fingerprint(part) << ')';
    }
  }
  if (CComQIPtr<IEllipticArc> arc{object}) {
    double axis = 0, ratio = 0, rotation = 0, from = 0, central = 0;
    arc->get_SemiMajorAxis(&axis);
    arc->get_MinorMajorRatio(&ratio);
    arc->get_Rotation(&rotation);
    arc->get_FromAngle(&from);
    arc->get_CentralAngle(&central);
    text << " ellipse " << axis << ' ' << ratio << ' ' << rotation << ' ' << from << ' ' << central;
  }
  if (CComQIPtr<ICircularArc> arc{object}) {
    double radius = 0, from = 0, central = 0;
    arc->get_Radius(&radius);
    arc->get_FromAngle(&from);
    arc->get_CentralAngle(&central);
    text << " circle " << radius << ' ' << from << ' ' << central;
  }
  return text.str();
}

// The geometry written into a stream, kept in a file, loaded and read back.
CComPtr<IUnknown> RoundTrip(IUnknown* geometry) {
  CComPtr<IVariantStream> stream = Make<IVariantStream>(CLSID_MemoryVariantStream);
  EXPECT_EQ(stream->Write(CComVariant(geometry)), S_OK);
  std::string path = zelph::test::FreshDirectory("geometry-streams") + "/geometry.zvs";
  CComBSTR file(std::wstring(path.begin(), path.end()));
  EXPECT_EQ(CComQIPtr<IVariantStreamStorage>(stream)->SaveToFile(file), S_OK);
  CComPtr<IVariantStream> loaded = Make<IVariantStream>(CLSID_MemoryVariantStream);
  EXPECT_EQ(CComQIPtr<IVariantStreamStorage>(loaded)->LoadFromFile(file), S_OK);
  CComVariant value;
  EXPECT_EQ(loaded->Read(&value), S_OK);
  EXPECT_EQ(value.vt, VT_UNKNOWN);
  return CComPtr<IUnknown>(value.punkVal);
}

void ExpectRoundTrip(IUnknown* geometry) {
  CComPtr<IUnknown> copy = RoundTrip(geometry);
  ASSERT_TRUE(copy);
  EXPECT_FALSE(copy.IsEqualObject(geometry));
  EXPECT_EQ(Fingerprint(copy), Fingerprint(geometry));
}

CComPtr<ICircularArc> Arc(double x, double y, double from, double central, double radius, double z = NAN) {
  CComPtr<ICircularArc> arc = Make<ICircularArc>(CLSID_CircularArc);
  EXPECT_EQ(arc->PutCoordsByAngle(NewPoint(x, y, z), from, central, radius), S_OK);
  return arc;
}

CComPtr<IEllipticArc> Ellipse() {
  CComPtr<IEllipticArc> ellipse = Make<IEllipticArc>(CLSID_EllipticArc);
  EXPECT_EQ(ellipse->PutCoords(NewPoint(-3, 4, 7), 5.0, 0.4, 0.3, -1.0, 2.5), S_OK);
  return ellipse;
}

TEST(StreamGeometry, EveryGeometryClassComesBackWhole) {
  CComPtr<IPoint> point = NewPoint(12.5, -40.25, 1500.0);
  point->putref_SpatialReference(Reference(4326));
  ExpectRoundTrip(point);

  CComPtr<IMultipoint> multipoint = Make<IMultipoint>(CLSID_Multipoint);
  AddPoints(multipoint, {NewPoint(1, 2, 3), NewPoint(4, 5), NewPoint(-6, 7, -8)});
  ExpectRoundTrip(multipoint);

  CComPtr<IEnvelope> envelope = Make<IEnvelope>(CLSID_Envelope);
  envelope->PutCoords(10, 20, -5, 2);
  envelope->put_ZMin(-100);
  envelope->put_ZMax(250);
  ExpectRoundTrip(envelope);

  // A path of a line, a circular arc and an elliptic arc, heights included.
  CComPtr<IPath> path = Make<IPath>(CLSID_Path);
  AddPoints(path, {NewPoint(0, 0, 1), NewPoint(3, 0, 2)});
  CComQIPtr<ISegmentCollection>(path)->AddSegment(CComQIPtr<ISegment>(Arc(3, 2, -std::numbers::pi / 2, 1.5, 2, 9)),
                                                  nullptr, nullptr);
  CComQIPtr<ISegmentCollection>(path)->AddSegment(CComQIPtr<ISegment>(Ellipse()), nullptr, nullptr);
  ExpectRoundTrip(path);

  CComPtr<IRing> ring = Make<IRing>(CLSID_Ring);
  AddPoints(ring, {NewPoint(0, 0), NewPoint(4, 0), NewPoint(0, 3)});  // closed by an implicit line
  ExpectRoundTrip(ring);

  CComPtr<IPolyline> polyline = Make<IPolyline>(CLSID_Polyline);
  AddPoints(polyline, {NewPoint(500000, 4000000, 10), NewPoint(501000, 4002000, 20)});
  CComQIPtr<IGeometryCollection>(polyline)->AddGeometry(CComQIPtr<IGeometry>(path), nullptr, nullptr);
  polyline->putref_SpatialReference(Reference(32633, true));
  ExpectRoundTrip(polyline);

  CComPtr<IPolygon> polygon = Make<IPolygon>(CLSID_Polygon);
  CComPtr<IRing> hole = Make<IRing>(CLSID_Ring);
  AddPoints(hole, {NewPoint(1, 1), NewPoint(1, 2), NewPoint(2, 2), NewPoint(2, 1), NewPoint(1, 1)});
  AddPoints(polygon, {NewPoint(0, 0), NewPoint(0, 10), NewPoint(10, 10), NewPoint(10, 0)});
  CComQIPtr<IGeometryCollection>(polygon)->AddGeometry(CComQIPtr<IGeometry>(hole), nullptr, nullptr);
  ExpectRoundTrip(polygon);

  // A bag of its own reference holding members with and without one.
  CComPtr<IGeometryBag> bag = Make<IGeometryBag>(CLSID_GeometryBag);
  for (IUnknown* member : std::initializer_list<IUnknown*>{point, polygon, envelope}) {
    CComQIPtr<IGeometryCollection>(bag)->AddGeometry(CComQIPtr<IGeometry>(member), nullptr, nullptr);
  }
  bag->putref_SpatialReference(Reference(4269));
  ExpectRoundTrip(bag);

  CComPtr<ILine> line = Make<ILine>(CLSID_Line);
  line->PutCoords(NewPoint(1, 1, 5), NewPoint(-2, 3, 6));
  ExpectRoundTrip(line);
  ExpectRoundTrip(Ellipse());
}

TEST(StreamGeometry, RecordsThatDoNotFitLeaveTheGeometryAsItWas) {
  // The record of a circular arc: no reference, two vertices, one segment.
  auto arcRecord = [](double axis, double ratio) {
    CComPtr<IVariantStream> stream = Make<IVariantStream>(CLSID_MemoryVariantStream);
    stream->Write(CComVariant(0));
    stream->Write(CComVariant(2));
    stream->Write(CComVariant(1, VT_INT));
    for (double value :
         {0.0, 0.0, 0.0, 1.0, 1.0, 0.0, 0.0, 1.0, 0.0, axis, ratio, 0.0, -1.5707963267948966, 1.5707963267948966}) {
      stream->Write(CComVariant(value));
    }
    return stream;
  };
  CComPtr<IEllipticArc> ellipse = Ellipse();
  std::string before = Fingerprint(ellipse);
  CComQIPtr<IPersistVariant> persist(ellipse);
  // A circular arc's segment does not make an elliptic arc.
  EXPECT_EQ(persist->Load(arcRecord(1.0, 1.0)), DISP_E_TYPEMISMATCH);
  CComPtr<ICircularArc> arc = Arc(0, 0, 0, 1, 1);
  CComQIPtr<IPersistVariant> arcPersist(arc);
  std::string arcBefore = Fingerprint(arc);
  EXPECT_EQ(arcPersist->Load(arcRecord(1.0, 1.0)), S_OK);
  EXPECT_NE(Fingerprint(arc), arcBefore);
  arcBefore = Fingerprint(arc);
  // Shapes no setter accepts: a NaN or endless axis, a circle of two radii.
  for (double axis : {double{NAN}, 1e300})
    EXPECT_EQ(arcPersist->Load(arcRecord(axis, 1.0)), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(arcPersist->Load(arcRecord(1.0, 0.5)), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(Fingerprint(arc), arcBefore);

  // A record cut short, an unknown spatial reference, parts of the wrong kind.
  CComPtr<IPoint> point = NewPoint(1, 2, 3);
  CComPtr<IVariantStream> shortRecord = Make<IVariantStream>(CLSID_MemoryVariantStream);
  shortRecord->Write(CComVariant(0));
  shortRecord->Write(CComVariant(true));
  EXPECT_EQ(CComQIPtr<IPersistVariant>(point)->Load(shortRecord), E_FAIL);
  CComPtr<IVariantStream> unknownCode = Make<IVariantStream>(CLSID_MemoryVariantStream);
  unknownCode->Write(CComVariant(987654));
  EXPECT_EQ(CComQIPtr<IPersistVariant>(point)->Load(unknownCode), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(Fingerprint(point), Fingerprint(NewPoint(1, 2, 3)));

  CComPtr<IPolyline> polyline = Make<IPolyline>(CLSID_Polyline);
  AddPoints(polyline, {NewPoint(0, 0), NewPoint(1, 1)});
  CComPtr<IVariantStream> paths = Make<IVariantStream>(CLSID_MemoryVariantStream);
  ASSERT_EQ(CComQIPtr<IPersistVariant>(polyline)->Save(paths), S_OK);
  CComPtr<IPolygon> polygon = Make<IPolygon>(CLSID_Polygon);
  EXPECT_EQ(CComQIPtr<IPersistVariant>(polygon)->Load(paths), E_INVALIDARG);
  VARIANT_BOOL empty = VARIANT_FALSE;
  polygon->get_IsEmpty(&empty);
  EXPECT_TRUE(empty);
  EXPECT_EQ(Fingerprint(ellipse), before);
}

}  // namespace
