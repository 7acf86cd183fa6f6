// The 3D display without a globe: its options, and the graphics each
// drawing call hands to the scene (caught in an array the test gives the
// scene as its pending list) or to a target group.
#include <gtest/gtest.h>

#include <cmath>

#include "frame/DisplayInterfaces.h"
#include "frame/Guids.h"
#include "frame/HostDisplay.h"
#include "tests/support/GetProperty.h"

namespace zelph::test {
namespace {

class GLDisplay3DTest : public ComponentTest {
 protected:
  void SetUp() override {
    ComponentTest::SetUp();
    display = Make<IGLDisplay3D>(CLSID_GLDisplay3D);
    ASSERT_TRUE(display);
    drawing = CComQIPtr<IDisplay>(display.p);
    ASSERT_TRUE(drawing);
    CComPtr<ISceneManager3D> scene = Get(display, &IGLDisplay3D::get_Scene);
    ASSERT_TRUE(scene);
    ASSERT_EQ(scene->putref_Graphics(added), S_OK);
  }

  LONG AddedCount() { return Get(added, &IArray::get_Count); }
  CComPtr<IUnknown> Added(LONG index) {
    CComPtr<IUnknown> element;
    EXPECT_EQ(added->get_Element(index, &element), S_OK);
    return element;
  }

  CComPtr<IGLDisplay3D> display;
  CComQIPtr<IDisplay> drawing;
  CComPtr<IArray> added = Make<IArray>(CLSID_Array);
};

TEST_F(GLDisplay3DTest, OptionsStartAtTheirDefaultsAndRefuseBadValues) {
  EXPECT_EQ(Get(display, &IGLDisplay3D::get_EnableExtrusion), VARIANT_TRUE);
  EXPECT_EQ(Get(display, &IGLDisplay3D::get_EnableOutlining), VARIANT_TRUE);
  EXPECT_EQ(Get(display, &IGLDisplay3D::get_OutlineColorOption), kestGLDisplayOutlineColorAuto);
  EXPECT_TRUE(Get(display, &IGLDisplay3D::get_ManualOutlineColor));
  EXPECT_EQ(Get(display, &IGLDisplay3D::get_PointOption), kestGLDisplayPointSphere);
  EXPECT_EQ(Get(display, &IGLDisplay3D::get_TextOption), kestGLDisplayTextFlat);
  EXPECT_EQ(Get(display, &IGLDisplay3D::get_EnableCallouts), VARIANT_TRUE);
  EXPECT_TRUE(Get(display, &IGLDisplay3D::get_CalloutLineSymbol));
  EXPECT_EQ(Get(display, &IGLDisplay3D::get_FillOption), kestGLDisplayFillGradientLighter);
  EXPECT_EQ(Get(display, &IGLDisplay3D::get_DisplayTargetGraphic), nullptr);
  EXPECT_EQ(Get(display, &IGLDisplay3D::get_ThresholdElevation), 0.0);
  EXPECT_EQ(Get(display, &IGLDisplay3D::get_BaseExaggeration), 1.0);

  EXPECT_EQ(display->put_OutlineTransparency(256), E_FAIL);
  EXPECT_EQ(display->put_OutlineTransparency(-1), E_FAIL);
  EXPECT_EQ(Get(display, &IGLDisplay3D::get_OutlineTransparency), 255);
  EXPECT_EQ(display->put_ThresholdElevation(NAN), E_FAIL);
  EXPECT_EQ(display->get_EnableExtrusion(nullptr), E_POINTER);

  // What a 2D display has and a 3D one does not.
  IDisplayTransformation* transformation = reinterpret_cast<IDisplayTransformation*>(0x1);
  EXPECT_EQ(drawing->get_DisplayTransformation(&transformation), S_OK);
  EXPECT_EQ(transformation, nullptr);
  EXPECT_EQ(drawing->get_ClipEnvelope(nullptr), E_NOTIMPL);
  double ratio = 0;
  EXPECT_EQ(display->GetGlobeScaleRatio(&ratio), E_FAIL) << "no globe yet";
}

TEST_F(GLDisplay3DTest, DrawingCallsMakeDressedGraphicsWithoutStartDrawing) {
  ASSERT_EQ(drawing->StartDrawing(0, 0), E_NOTIMPL);
  ASSERT_EQ(display->put_ThresholdElevation(250.0), S_OK);

  CComPtr<IEnvelope> rectangle = Make<IEnvelope>(CLSID_Envelope);
  ASSERT_EQ(rectangle->PutCoords(10, 20, 12, 23), S_OK);
  ASSERT_EQ(drawing->DrawRectangle(rectangle), S_OK);
  ASSERT_EQ(AddedCount(), 1);
  CComPtr<IUnknown> area = Added(0);
  EXPECT_EQ(Get(area, &IGeoExtrusion3D::get_Type), kestGLExtrusionTypePolygon);
  CComPtr<IGeometry> outline = Get(area, &IGeoExtrusion3D::get_Geometry);
  EXPECT_EQ(EnvelopeCoords(outline), (std::vector<double>{10, 20, 12, 23}));
  for (const auto& vertex : VerticesOf(outline)) EXPECT_EQ(vertex[2], 0.0);
  EXPECT_EQ(Get(area, &IGraphic3D::get_Transparency), 30) << "the fill's default transparency";
  EXPECT_EQ(Get(area, &IGraphic3D::get_Visible), VARIANT_TRUE);
  EXPECT_EQ(Get(area, &IGraphic3D::get_ThresholdElevation), 250.0);
  EXPECT_TRUE(Get(area, &IGraphic3D::get_Material));
  EXPECT_EQ(Get(area, &IExtrusion3D::get_EnableAutoExtrusionDepth), VARIANT_TRUE);

  // Three points, three spheres of the marker's size, centred on them.
  ASSERT_EQ(drawing->DrawMultipoint(Through(CLSID_Multipoint, {{1, 2, 0}, {3, 4, 0}, {5, 6, 0}})), S_OK);
  ASSERT_EQ(AddedCount(), 4);
  for (LONG i = 1; i < 4; ++i) {
    CComPtr<IUnknown> sphere = Added(i);
    EXPECT_NEAR(Get(sphere, &IEllipsoid3D::get_XSize), 5e-05 * 24, 1e-12);
    EXPECT_EQ(Get(sphere, &IEllipsoid3D::get_EllipsoidOption), kestGLEllipsoidFrameAndFill);
    EXPECT_EQ(PointCoords(Get(sphere, &IGraphic3D::get_Centroid)), (std::vector<double>{2.0 * i - 1, 2.0 * i, 0}));
    EXPECT_TRUE(Get(sphere, &ICallout3D::get_CalloutLineSymbol));
  }
}

TEST_F(GLDisplay3DTest, ATargetGroupTakesTheDrawingUnderItsName) {
  CComPtr<IGroupGraphic3D> group = Make<IGroupGraphic3D>(CLSID_GroupGraphic3D);
  ASSERT_EQ(CComQIPtr<IGraphic3D>(group)->put_Name(CComBSTR(L"Roads")), S_OK);
  ASSERT_EQ(display->putref_DisplayTargetGraphic(group), S_OK);
  ASSERT_EQ(drawing->DrawPolyline(Through(CLSID_Polyline, {{0, 0, 0}, {5, 5, 0}})), S_OK);
  EXPECT_EQ(AddedCount(), 0);
  CComPtr<IArray> members = Get(group, &IGroupGraphic3D::get_Graphics);
  ASSERT_EQ(Get(members, &IArray::get_Count), 1);
  CComPtr<IUnknown> line;
  ASSERT_EQ(members->get_Element(0, &line), S_OK);
  EXPECT_EQ(Get(line, &IGraphic3D::get_Name), L"Roads");
  EXPECT_EQ(Get(line, &IGeoExtrusion3D::get_Type), kestGLExtrusionTypePolyline);
}

TEST_F(GLDisplay3DTest, ATransparencyFilterScalesWhatIsDrawnAfterIt) {
  CComPtr<ILineSymbol> symbol = Make<ILineSymbol>(CLSID_SimpleLineSymbol);
  CComPtr<IRgbColor> colour = Make<IRgbColor>(CLSID_RgbColor);
  ASSERT_EQ(colour->put_Transparency(255), S_OK);
  ASSERT_EQ(symbol->put_Color(colour), S_OK);
  ASSERT_EQ(drawing->SetSymbol(CComQIPtr<ISymbol>(symbol)), S_OK);
  CComPtr<ITransparencyDisplayFilter> filter = Make<ITransparencyDisplayFilter>(CLSID_TransparencyDisplayFilter);
  ASSERT_EQ(filter->put_Transparency(128), S_OK);
  ASSERT_EQ(drawing->putref_Filter(filter), S_OK);
  EXPECT_TRUE(SameIdentity(Get(drawing, &IDisplay::get_Filter), filter));

  ASSERT_EQ(drawing->DrawPolyline(Through(CLSID_Polyline, {{0, 0, 0}, {5, 5, 0}})), S_OK);
  ASSERT_EQ(AddedCount(), 1);
  EXPECT_EQ(Get(Added(0), &IGraphic3D::get_Transparency), 128);
  EXPECT_EQ(Get(Added(0), &IExtrusion3D::get_ExtrusionTransparency), 128);
}

TEST_F(GLDisplay3DTest, AGeometryOfTheWrongKindFailsAndMakesNothing) {
  CComPtr<IPoint> point = NewPoint(1, 2, 0);
  CComPtr<IGeometry> line = Through(CLSID_Polyline, {{0, 0, 0}, {5, 5, 0}});
  EXPECT_EQ(drawing->DrawPoint(line), E_FAIL);
  EXPECT_EQ(drawing->DrawMultipoint(point), E_FAIL);
  EXPECT_EQ(drawing->DrawPolyline(point), E_FAIL);
  EXPECT_EQ(drawing->DrawPolygon(line), E_FAIL);
  EXPECT_EQ(drawing->DrawRectangle(nullptr), E_FAIL);
  EXPECT_EQ(drawing->DrawText(nullptr, CComBSTR(L"lost")), E_FAIL);
  EXPECT_EQ(AddedCount(), 0);
}

}  // namespace
}  // namespace zelph::test
