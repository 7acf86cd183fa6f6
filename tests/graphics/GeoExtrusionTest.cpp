#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "frame/Guids.h"
#include "tests/support/ComponentTest.h"
#include "tests/support/GetProperty.h"

namespace zelph::test {
namespace {

using GeoExtrusionTest = ComponentTest;
using Coords = std::vector<double>;

size_t FullPoints(IUnknown* extrusion) { return VerticesOf(Get(extrusion, &IGeoExtrusion3D::get_Geometry)).size(); }
Coords CentroidOf(IUnknown* graphic) { return PointCoords(Get(graphic, &IGraphic3D::get_Centroid)); }
LONG HoleCount(IUnknown* shape) { return Get(Get(shape, &IGeoExtrusion3D::get_InnerGeometries), &IArray::get_Count); }

BYTE OutlineOpacity(IUnknown* extrusion) {
  CComPtr<IColor> color = Get(Get(extrusion, &IExtrusion3D::get_OutlineLineSymbol), &ILineSymbol::get_Color);
  return Get(color.p, &IColor::get_Transparency);
}

CComPtr<ISimpleLineSymbol> SymbolWithOpacity(BYTE opacity) {
  CComPtr<IColor> color = Make<IColor>(CLSID_RgbColor);
  CComPtr<ISimpleLineSymbol> symbol = Make<ISimpleLineSymbol>(CLSID_SimpleLineSymbol);
  EXPECT_TRUE(color->put_Transparency(opacity) == S_OK && symbol->put_Color(color) == S_OK);
  return symbol;
}

CComPtr<IArray> ArrayOf(std::vector<CComPtr<IGeometry>> geometries) {
  CComPtr<IArray> array = Make<IArray>(CLSID_Array);
  for (IGeometry* geometry : geometries) EXPECT_EQ(array->Add(geometry), S_OK);
  return array;
}

TEST_F(GeoExtrusionTest, DefaultsRefusalsAndTheOutlineRatio) {
  CComPtr<IGeoExtrusion3D> extrusion = Make<IGeoExtrusion3D>(CLSID_GeoExtrusion3D);
  CComQIPtr<IExtrusion3D> settings{extrusion};
  EXPECT_EQ(Get(extrusion, &IGeoExtrusion3D::get_Type), kestGLExtrusionTypePolyline);
  EXPECT_TRUE(Get(extrusion, &IExtrusion3D::get_EnableExtrusion) && Get(extrusion, &IExtrusion3D::get_EnableOutlining));
  EXPECT_EQ(Get(extrusion, &IExtrusion3D::get_EnableAutoExtrusionDepth), VARIANT_TRUE);
  EXPECT_TRUE(Get(extrusion, &IExtrusion3D::get_ExtrusionMaterial) && HoleCount(extrusion) == 0);

  // Refusals leave the value and the level as they were; so does a point
  // added with no shape yet.
  EXPECT_EQ(settings->put_ExtrusionDepth(NAN), E_FAIL);
  EXPECT_EQ(settings->put_ExtrusionTransparency(-1), E_FAIL);
  EXPECT_EQ(extrusion->putref_Geometry(nullptr), E_FAIL);
  EXPECT_TRUE(extrusion->AddPoint(NewPoint(1, 2, 3)) == S_OK && !Get(extrusion, &IGeoExtrusion3D::get_Geometry));
  EXPECT_TRUE(Get(extrusion, &IExtrusion3D::get_ExtrusionDepth) == 1.0 &&
              Get(extrusion, &IExtrusion3D::get_ExtrusionTransparency) == 255);
  EXPECT_EQ(UpdateLevelOf(extrusion), kestGLUpdateNone);

  // The outline's opacity follows the extrusion's at the symbol's ratio; a
  // fully transparent extrusion gives no ratio, and the held one stays.
  ASSERT_EQ(settings->put_ExtrusionTransparency(200), S_OK);
  ASSERT_EQ(settings->putref_OutlineLineSymbol(SymbolWithOpacity(100)), S_OK);  // ratio 0.5
  EXPECT_EQ(UpdateLevelOf(extrusion), kestGLUpdateMajor);
  ASSERT_EQ(settings->put_ExtrusionTransparency(128), S_OK);
  EXPECT_EQ(settings->put_ExtrusionTransparency(256), E_FAIL);
  EXPECT_EQ(OutlineOpacity(extrusion), 64);
  ASSERT_TRUE(settings->put_ExtrusionTransparency(0) == S_OK &&
              settings->putref_OutlineLineSymbol(SymbolWithOpacity(200)) == S_OK &&
              settings->put_ExtrusionTransparency(100) == S_OK);
  EXPECT_EQ(OutlineOpacity(extrusion), 50);
}

TEST_F(GeoExtrusionTest, FullGeometryCentroidAndExtentFollowTheGivenShape) {
  CComPtr<IGeoExtrusion3D> extrusion = Make<IGeoExtrusion3D>(CLSID_GeoExtrusion3D);
  CComPtr<IGeometry> line = Through(CLSID_Polyline, {{0, 0, 0}, {10, 0, 10}});
  ASSERT_EQ(extrusion->putref_Geometry(line), S_OK);
  EXPECT_EQ(UpdateLevelOf(extrusion), kestGLUpdateMajor);
  CComPtr<IGeometry> full = Get(extrusion, &IGeoExtrusion3D::get_Geometry);
  EXPECT_TRUE(CComQIPtr<IPolyline>(full) && !SameIdentity(full, line));
  EXPECT_EQ(CentroidOf(extrusion), Coords({5, 0, 5}));
  EXPECT_EQ(ExtentCoords(extrusion), Coords({0, 0, 10, 0}));

  // The type takes effect with the next geometry only. A polyline takes no holes.
  ASSERT_EQ(extrusion->put_Type(kestGLExtrusionTypePolygon), S_OK);
  EXPECT_TRUE(SameIdentity(Get(extrusion, &IGeoExtrusion3D::get_Geometry), full));
  ASSERT_EQ(extrusion->put_Type(kestGLExtrusionTypePolyline), S_OK);
  ASSERT_EQ(extrusion->putref_InnerGeometries(ArrayOf({line})), S_OK);
  EXPECT_EQ(HoleCount(extrusion), 0);

  // An added point grows the shape, its centroid and its extent.
  SetUpdateLevel(extrusion, kestGLUpdateNone);
  ASSERT_EQ(extrusion->AddPoint(NewPoint(10, 10, 0)), S_OK);
  EXPECT_TRUE(FullPoints(extrusion) == 3 && UpdateLevelOf(extrusion) == kestGLUpdateMajor);
  EXPECT_EQ(CentroidOf(extrusion), Coords({5, 5, 5}));
  EXPECT_EQ(ExtentCoords(extrusion), Coords({0, 0, 10, 10}));

  // An ellipse is fitted again around its own points and the new one.
  CComPtr<IGeoExtrusion3D> ellipse = Make<IGeoExtrusion3D>(CLSID_GeoExtrusion3D);
  ASSERT_EQ(ellipse->put_Type(kestGLExtrusionTypeAutoEllipse), S_OK);
  ASSERT_EQ(ellipse->putref_Geometry(Through(CLSID_Multipoint, {{0, 0, 0}, {10, 0, 10}, {5, 6, 5}})), S_OK);
  ASSERT_EQ(ellipse->AddPoint(NewPoint(30, 3, 0)), S_OK);
  EXPECT_TRUE(FullPoints(ellipse) == 30 && ExtentCoords(ellipse)[2] > 25) << FullPoints(ellipse);
}

TEST_F(GeoExtrusionTest, HolesMoveWithTheShapeAndALoadedExtrusionDrawsAtOnce) {
  // A square of side 10 at height 0 with a hole from (2, 2) to (4, 4).
  CComPtr<IGeoExtrusion3D> extrusion = Make<IGeoExtrusion3D>(CLSID_GeoExtrusion3D);
  CComPtr<IGeometry> square = Through(CLSID_Polygon, {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}});
  ASSERT_TRUE(extrusion->put_Type(kestGLExtrusionTypePolygon) == S_OK && extrusion->putref_Geometry(square) == S_OK);
  CComPtr<IGeometry> ring = Through(CLSID_Ring, {{2, 2, 0}, {4, 2, 0}, {4, 4, 0}, {2, 4, 0}});
  ASSERT_EQ(extrusion->putref_InnerGeometries(ArrayOf({ring})), S_OK);
  auto hole = [&] {
    CComPtr<IUnknown> element;
    EXPECT_EQ(Get(extrusion, &IGeoExtrusion3D::get_InnerGeometries)->get_Element(0, &element), S_OK);
    return CComPtr<IGeometry>(CComQIPtr<IGeometry>{element});
  };
  EXPECT_TRUE(FullPoints(extrusion) >= 24 && FullPoints(extrusion) <= 28) << FullPoints(extrusion);
  EXPECT_EQ(CentroidOf(extrusion), Coords({5, 5, 0}));
  ASSERT_EQ(HoleCount(extrusion), 1);
  EXPECT_TRUE(VerticesOf(hole()).size() > 5 && EnvelopeCoords(hole()) == Coords({2, 2, 4, 4}));
  // A box has no sides to walk: the list it is in adds no hole at all.
  CComPtr<IEnvelope> box = Make<IEnvelope>(CLSID_Envelope);
  ASSERT_EQ(box->PutCoords(6, 6, 7, 7), S_OK);
  EXPECT_EQ(extrusion->putref_InnerGeometries(ArrayOf({hole(), CComQIPtr<IGeometry>(box)})), E_FAIL);
  EXPECT_EQ(HoleCount(extrusion), 1);

  // Moving the centroid by (10, 0) moves the given shape, the full one and
  // the hole alike; the hole keeps its place inside the square.
  SetUpdateLevel(extrusion, kestGLUpdateNone);
  ASSERT_EQ(CComQIPtr<IGraphic3D>(extrusion)->putref_Centroid(NewPoint(15, 5, 0)), S_OK);
  EXPECT_EQ(UpdateLevelOf(extrusion), kestGLUpdateLocation);
  EXPECT_EQ(EnvelopeCoords(square), Coords({10, 0, 20, 10}));
  EXPECT_EQ(ExtentCoords(extrusion), Coords({10, 0, 20, 10}));
  EXPECT_EQ(EnvelopeCoords(hole()), Coords({12, 2, 14, 4}));

  CComQIPtr<IExtrusion3D> settings{extrusion};
  ASSERT_TRUE(settings->put_ExtrusionDepth(2.5) == S_OK &&
              settings->put_EnableAutoExtrusionDepth(VARIANT_FALSE) == S_OK &&
              settings->putref_OutlineLineSymbol(SymbolWithOpacity(51)) == S_OK);  // ratio 0.2
  std::vector<CComVariant> values = SavedValues(extrusion);
  ASSERT_GT(values.size(), 10u);
  // The type, the hole count, the depth and the outline ratio (after the symbol) in their places.
  EXPECT_TRUE(values[1].vt == VT_INT && values[1].lVal == kestGLExtrusionTypePolygon && values[2].lVal == 1);
  EXPECT_TRUE(values[5].vt == VT_R8 && values[5].dblVal == 2.5 && values[9].vt == VT_R8 && values[9].dblVal == 0.2);

  CComPtr<IGeoExtrusion3D> loaded = SaveAndLoad<IGeoExtrusion3D>(extrusion, CLSID_GeoExtrusion3D);
  ExpectSameRecord(extrusion, loaded);
  EXPECT_TRUE(FullPoints(loaded) == FullPoints(extrusion) && ExtentCoords(loaded) == Coords({10, 0, 20, 10}));
  EXPECT_EQ(Get(loaded, &IExtrusion3D::get_EnableAutoExtrusionDepth), VARIANT_TRUE);  // not stored
  EXPECT_EQ(UpdateLevelOf(loaded), kestGLUpdateNone);

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
