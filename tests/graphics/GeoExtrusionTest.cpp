#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <vector>

#include "frame/Guids.h"
#include "tests/support/ComponentTest.h"
#include "tests/support/GetProperty.h"

namespace zelph::test {
namespace {

using GeoExtrusionTest = ComponentTest;

struct Xyz {
  double x, y, z;
};

CComPtr<IGeometry> Through(REFCLSID clsid, std::initializer_list<Xyz> points) {
  CComPtr<IPointCollection> geometry = Make<IPointCollection>(clsid);
  for (const Xyz& p : points) EXPECT_EQ(geometry->AddPoint(NewPoint(p.x, p.y, p.z), nullptr, nullptr), S_OK);
  return CComPtr<IGeometry>(CComQIPtr<IGeometry>{geometry});
}

LONG PointCount(IUnknown* geometry) {
  CComQIPtr<IPointCollection> points{geometry};
  return points ? Get(points.p, &IPointCollection::get_PointCount) : -1;
}

std::vector<double> Box(IGeometry* geometry) {
  std::vector<double> box(4, NAN);
  EXPECT_EQ(Get(geometry, &IGeometry::get_Envelope)->QueryCoords(&box[0], &box[1], &box[2], &box[3]), S_OK);
  return box;
}

LONG HoleCount(IUnknown* extrusion) {
  return Get(Get(extrusion, &IGeoExtrusion3D::get_InnerGeometries), &IArray::get_Count);
}

std::vector<double> CentroidOf(IUnknown* graphic) { return PointCoords(Get(graphic, &IGraphic3D::get_Centroid)); }

BYTE OutlineOpacity(IUnknown* extrusion) {
  CComPtr<IColor> color = Get(Get(extrusion, &IExtrusion3D::get_OutlineLineSymbol), &ILineSymbol::get_Color);
  return Get(color.p, &IColor::get_Transparency);
}

CComPtr<ISimpleLineSymbol> SymbolWithOpacity(BYTE opacity) {
  CComPtr<IColor> color = Make<IColor>(CLSID_RgbColor);
  EXPECT_EQ(color->put_Transparency(opacity), S_OK);
  CComPtr<ISimpleLineSymbol> symbol = Make<ISimpleLineSymbol>(CLSID_SimpleLineSymbol);
  EXPECT_EQ(symbol->put_Color(color), S_OK);
  return symbol;
}

// A square of side 10 at height 0 with a hole from (2, 2) to (4, 4).
struct HoledSquare {
  CComPtr<IGeoExtrusion3D> extrusion = Make<IGeoExtrusion3D>(CLSID_GeoExtrusion3D);
  CComQIPtr<IGraphic3D> graphic{extrusion};
  CComPtr<IGeometry> square = Through(CLSID_Polygon, {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}});
  HoledSquare() {
    EXPECT_EQ(extrusion->put_Type(kestGLExtrusionTypePolygon), S_OK);
    EXPECT_EQ(extrusion->putref_Geometry(square), S_OK);
    CComPtr<IArray> holes = Make<IArray>(CLSID_Array);
    EXPECT_EQ(holes->Add(Through(CLSID_Ring, {{2, 2, 0}, {4, 2, 0}, {4, 4, 0}, {2, 4, 0}})), S_OK);
    EXPECT_EQ(extrusion->putref_InnerGeometries(holes), S_OK);
  }
  CComPtr<IGeometry> Hole(LONG index) {
    CComPtr<IUnknown> hole;
    EXPECT_EQ(Get(extrusion, &IGeoExtrusion3D::get_InnerGeometries)->get_Element(index, &hole), S_OK);
    return CComPtr<IGeometry>(CComQIPtr<IGeometry>{hole});
  }
};

TEST_F(GeoExtrusionTest, DefaultsLevelsAndRefusals) {
  CComPtr<IGeoExtrusion3D> extrusion = Make<IGeoExtrusion3D>(CLSID_GeoExtrusion3D);
  CComQIPtr<IExtrusion3D> settings{extrusion};
  EXPECT_EQ(Get(extrusion, &IGeoExtrusion3D::get_Geometry), nullptr);
  EXPECT_EQ(Get(extrusion, &IGeoExtrusion3D::get_Type), kestGLExtrusionTypePolyline);
  EXPECT_EQ(HoleCount(extrusion), 0);
  EXPECT_TRUE(Get(extrusion, &IExtrusion3D::get_EnableExtrusion) && Get(extrusion, &IExtrusion3D::get_EnableOutlining));
  EXPECT_EQ(Get(extrusion, &IExtrusion3D::get_EnableAutoExtrusionDepth), VARIANT_TRUE);
  EXPECT_TRUE(Get(extrusion, &IExtrusion3D::get_ExtrusionMaterial) &&
              Get(extrusion, &IExtrusion3D::get_OutlineLineSymbol));
  EXPECT_EQ(UpdateLevelOf(extrusion), kestGLUpdateNone);

  // Refusals leave the value and the level as they were.
  EXPECT_EQ(settings->put_ExtrusionDepth(NAN), E_FAIL);
  EXPECT_EQ(settings->put_ExtrusionTransparency(256), E_FAIL);
  EXPECT_EQ(settings->put_ExtrusionTransparency(-1), E_FAIL);
  EXPECT_EQ(extrusion->putref_Geometry(nullptr), E_FAIL);  // nothing to derive from
  EXPECT_EQ(Get(extrusion, &IExtrusion3D::get_ExtrusionDepth), 1.0);
  EXPECT_EQ(Get(extrusion, &IExtrusion3D::get_ExtrusionTransparency), 255);
  EXPECT_EQ(UpdateLevelOf(extrusion), kestGLUpdateNone);

  // Every extrusion setting rebuilds; a point with no shape yet is ignored.
  ASSERT_EQ(extrusion->AddPoint(NewPoint(1, 2, 3)), S_OK);
  EXPECT_EQ(Get(extrusion, &IGeoExtrusion3D::get_Geometry), nullptr);
  EXPECT_EQ(UpdateLevelOf(extrusion), kestGLUpdateNone);
  ASSERT_EQ(settings->put_EnableOutlining(VARIANT_FALSE), S_OK);
  EXPECT_EQ(UpdateLevelOf(extrusion), kestGLUpdateMajor);
}

TEST_F(GeoExtrusionTest, FullGeometryCentroidAndExtentFollowTheGivenShape) {
  CComPtr<IGeoExtrusion3D> extrusion = Make<IGeoExtrusion3D>(CLSID_GeoExtrusion3D);
  CComPtr<IGeometry> line = Through(CLSID_Polyline, {{0, 0, 0}, {10, 0, 10}});
  ASSERT_EQ(extrusion->putref_Geometry(line), S_OK);
  EXPECT_EQ(UpdateLevelOf(extrusion), kestGLUpdateMajor);
  CComPtr<IGeometry> full = Get(extrusion, &IGeoExtrusion3D::get_Geometry);
  ASSERT_NE(full, nullptr);
  EXPECT_FALSE(SameIdentity(full, line));
  EXPECT_EQ(PointCount(full), 2);
  EXPECT_EQ(CentroidOf(extrusion), std::vector<double>({5, 0, 5}));
  EXPECT_EQ(ExtentCoords(extrusion), std::vector<double>({0, 0, 10, 0}));

  // The type takes effect with the next geometry only.
  ASSERT_EQ(extrusion->put_Type(kestGLExtrusionTypePolygon), S_OK);
  EXPECT_TRUE(SameIdentity(Get(extrusion, &IGeoExtrusion3D::get_Geometry), full));

  // A polyline takes no holes, but the call still marks a rebuild.
  SetUpdateLevel(extrusion, kestGLUpdateNone);
  ASSERT_EQ(extrusion->put_Type(kestGLExtrusionTypePolyline), S_OK);
  SetUpdateLevel(extrusion, kestGLUpdateNone);
  CComPtr<IArray> holes = Make<IArray>(CLSID_Array);
  ASSERT_EQ(holes->Add(line), S_OK);
  ASSERT_EQ(extrusion->putref_InnerGeometries(holes), S_OK);
  EXPECT_EQ(HoleCount(extrusion), 0);
  EXPECT_EQ(UpdateLevelOf(extrusion), kestGLUpdateMajor);

  // An added point grows the shape, its centroid and its extent.
  SetUpdateLevel(extrusion, kestGLUpdateNone);
  ASSERT_EQ(extrusion->AddPoint(NewPoint(10, 10, 0)), S_OK);
  EXPECT_EQ(PointCount(Get(extrusion, &IGeoExtrusion3D::get_Geometry)), 3);
  EXPECT_EQ(CentroidOf(extrusion), std::vector<double>({5, 5, 5}));
  EXPECT_EQ(ExtentCoords(extrusion), std::vector<double>({0, 0, 10, 10}));
  EXPECT_EQ(UpdateLevelOf(extrusion), kestGLUpdateMajor);

  // An ellipse is fitted again around its own points and the new one.
  CComPtr<IGeoExtrusion3D> ellipse = Make<IGeoExtrusion3D>(CLSID_GeoExtrusion3D);
  ASSERT_EQ(ellipse->put_Type(kestGLExtrusionTypeAutoEllipse), S_OK);
  ASSERT_EQ(ellipse->putref_Geometry(Through(CLSID_Multipoint, {{0, 0, 0}, {10, 0, 10}, {5, 6, 5}})), S_OK);
  EXPECT_EQ(PointCount(Get(ellipse, &IGeoExtrusion3D::get_Geometry)), 30);
  EXPECT_LE(ExtentCoords(ellipse)[2], 10 + 1e-9);
  ASSERT_EQ(ellipse->AddPoint(NewPoint(30, 3, 0)), S_OK);
  EXPECT_EQ(PointCount(Get(ellipse, &IGeoExtrusion3D::get_Geometry)), 30);
  EXPECT_GT(ExtentCoords(ellipse)[2], 25);
}

TEST_F(GeoExtrusionTest, HolesAreDenseCopiesThatMoveWithTheShape) {
  HoledSquare shape;
  CComPtr<IGeometry> full = Get(shape.extrusion, &IGeoExtrusion3D::get_Geometry);
  EXPECT_GE(PointCount(full), 24);
  EXPECT_LE(PointCount(full), 28);
  EXPECT_EQ(CentroidOf(shape.extrusion), std::vector<double>({5, 5, 0}));
  ASSERT_EQ(HoleCount(shape.extrusion), 1);
  EXPECT_GT(PointCount(shape.Hole(0)), 5);
  EXPECT_EQ(Box(shape.Hole(0)), std::vector<double>({2, 2, 4, 4}));

  // Moving the centroid by (10, 0) moves the given shape, the full one and
  // the hole alike; the hole keeps its place inside the square.
  SetUpdateLevel(shape.extrusion, kestGLUpdateNone);
  ASSERT_EQ(shape.graphic->putref_Centroid(NewPoint(15, 5, 0)), S_OK);
  EXPECT_EQ(UpdateLevelOf(shape.extrusion), kestGLUpdateLocation);
  EXPECT_EQ(Box(shape.square), std::vector<double>({10, 0, 20, 10}));
  EXPECT_EQ(ExtentCoords(shape.extrusion), std::vector<double>({10, 0, 20, 10}));
  EXPECT_EQ(Box(shape.Hole(0)), std::vector<double>({12, 2, 14, 4}));
}

TEST_F(GeoExtrusionTest, OutlineOpacityFollowsTheExtrusionAtTheSymbolsRatio) {
  CComPtr<IExtrusion3D> extrusion = Make<IExtrusion3D>(CLSID_GeoExtrusion3D);
  ASSERT_EQ(extrusion->put_ExtrusionTransparency(200), S_OK);
  CComPtr<ISimpleLineSymbol> symbol = SymbolWithOpacity(100);  // ratio 0.5
  ASSERT_EQ(extrusion->putref_OutlineLineSymbol(symbol), S_OK);
  ASSERT_EQ(extrusion->put_ExtrusionTransparency(128), S_OK);
  EXPECT_EQ(OutlineOpacity(extrusion), 64);
  EXPECT_EQ(extrusion->put_ExtrusionTransparency(256), E_FAIL);
  EXPECT_EQ(OutlineOpacity(extrusion), 64);

  // A fully transparent extrusion gives no ratio: the held one stays.
  ASSERT_EQ(extrusion->put_ExtrusionTransparency(0), S_OK);
  EXPECT_EQ(OutlineOpacity(extrusion), 0);
  ASSERT_EQ(extrusion->putref_OutlineLineSymbol(SymbolWithOpacity(200)), S_OK);
  ASSERT_EQ(extrusion->put_ExtrusionTransparency(100), S_OK);
  EXPECT_EQ(OutlineOpacity(extrusion), 50);
  std::vector<CComVariant> values = SavedValues(extrusion);
  ASSERT_GT(values.size(), 10u);
  EXPECT_TRUE(values[8].vt == VT_R8 && values[8].dblVal == 0.5);  // the ratio, after the symbol
}

TEST_F(GeoExtrusionTest, LoadedExtrusionDrawsAtOnceAndRefusesANegativeHoleCount) {
  HoledSquare shape;
  CComQIPtr<IExtrusion3D> settings{shape.extrusion};
  ASSERT_EQ(settings->put_ExtrusionDepth(2.5), S_OK);
  ASSERT_EQ(settings->put_EnableAutoExtrusionDepth(VARIANT_FALSE), S_OK);
  std::vector<CComVariant> values = SavedValues(shape.extrusion);
  ASSERT_GT(values.size(), 10u);
  EXPECT_TRUE(values[0].vt == VT_UNKNOWN && values[0].punkVal);
  EXPECT_TRUE(values[1].vt == VT_INT && values[1].lVal == kestGLExtrusionTypePolygon);
  EXPECT_TRUE(values[2].vt == VT_I4 && values[2].lVal == 1);
  EXPECT_TRUE(values[5].vt == VT_R8 && values[5].dblVal == 2.5);

  CComPtr<IGeoExtrusion3D> loaded = SaveAndLoad<IGeoExtrusion3D>(shape.extrusion, CLSID_GeoExtrusion3D);
  ExpectSameRecord(shape.extrusion, loaded);
  EXPECT_EQ(PointCount(Get(loaded, &IGeoExtrusion3D::get_Geometry)),
            PointCount(Get(shape.extrusion, &IGeoExtrusion3D::get_Geometry)));
  EXPECT_EQ(ExtentCoords(loaded), std::vector<double>({0, 0, 10, 10}));
  EXPECT_EQ(Get(loaded, &IExtrusion3D::get_EnableAutoExtrusionDepth), VARIANT_TRUE);  // not stored
  EXPECT_EQ(UpdateLevelOf(loaded), kestGLUpdateNone);
  ExpectLoadsWhole(shape.extrusion, Make<IGeoExtrusion3D>(CLSID_GeoExtrusion3D));

  CComPtr<IPersistVariant> target = Make<IPersistVariant>(CLSID_GeoExtrusion3D);
  EXPECT_EQ(target->Load(StreamWith({values[0], values[1], CComVariant(-1), values[3]})), E_FAIL);
  EXPECT_EQ(HoleCount(target), 0);
  // Cut short anywhere, a record is read or refused, and what is left saves.
  for (size_t length = 0; length < values.size(); ++length) {
    SCOPED_TRACE(length);
    LoadThenSave(CLSID_GeoExtrusion3D, std::vector<CComVariant>(values.begin(), values.begin() + length));
  }
}

}  // namespace
}  // namespace zelph::test
