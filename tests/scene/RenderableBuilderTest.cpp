// Building renderables from graphic components: which renderable and map a
// graphic gets, and the values every kind of property arrives with.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "frame/Guids.h"
#include "graphics/Graphic3DBase.h"
#include "render/Glomarch.h"
#include "render/RenderArea.h"
#include "render/RenderEllipsoid.h"
#include "render/RenderGroup.h"
#include "render/RenderLabeledBillboard.h"
#include "render/RenderPartialEllipsoid.h"
#include "scene/RenderableBuilder.h"
#include "tests/support/ComponentTest.h"
#include "tests/support/GLContext.h"
#include "tests/support/GetProperty.h"
#include "text/FontHelper.h"
#include "text/RenderTextPoint.h"

namespace zelph::test {
namespace {

using Built = RenderableBuilder::Built;
using MapKind = RenderableBuilder::MapKind;

CComPtr<IRgbColor> Color(LONG red, LONG green, LONG blue) {
  CComPtr<IRgbColor> color = Make<IRgbColor>(CLSID_RgbColor);
  EXPECT_TRUE(color->put_Red(red) == S_OK && color->put_Green(green) == S_OK && color->put_Blue(blue) == S_OK);
  return color;
}

// A material's colour 1 then colour 2.
std::vector<float> Colors(const RenderMaterial& m) {
  std::vector<float> rgb(6);
  m.GetColor1RGB(&rgb[0], &rgb[1], &rgb[2]);
  m.GetColor2RGB(&rgb[3], &rgb[4], &rgb[5]);
  return rgb;
}

// A graphic of no kind the scene knows.
class PlainGraphic : public Graphic3DBase {
 public:
  using InterfaceMap = zelph::InterfaceMap<IGraphic3D, zelph::DispatchAs<IGraphic3D>, IUpdate3D>;
  void UpdateExtent() override {}
};

template <class Renderable>
Renderable* As(const Built& built) {
  return dynamic_cast<Renderable*>(built.renderable.get());
}

class RenderableBuilderTest : public GLTest {
 protected:
  void SetUp() override {
    GLTest::SetUp();
    Logger::Close();
    Logger::EnableDebug = Logger::EnableTrace = false;
    Logger::atlLogOutput[0] = L'\0';
    RegisterLibrary();
    settings.selectionColor = Color(0, 0, 255);
  }
  // The fonts free their glyph lists while the context is still current.
  void TearDown() override {
    fonts.reset();
    GLTest::TearDown();
  }

  Built Build(IUnknown* graphic) {
    return builder.Construct(GraphicBase::kNextGLName, CComQIPtr<IGraphic3D>(graphic), settings);
  }

  std::unique_ptr<FontHelper> fonts = std::make_unique<FontHelper>();
  RenderableBuilder builder{*fonts, [](IGraphic3D*) { return GraphicBase::kNextGLName; }};
  RenderableBuilder::SceneSettings settings;
};

TEST_F(RenderableBuilderTest, EachKindGetsItsRenderableAndMap) {
  CComPtr<ILabeledBillboard3D> labeled = Make<ILabeledBillboard3D>(CLSID_LabeledBillboard3D);
  CComPtr<IBillboardLabel3D> label = Make<IBillboardLabel3D>(CLSID_BillboardLabel3D);
  ASSERT_TRUE(label->put_Text(CComBSTR(L"North")) == S_OK && label->put_Angle(90.0) == S_OK);
  ASSERT_TRUE(labeled->AddLabel(label) == S_OK && labeled->putref_FontColor(Color(255, 0, 51)) == S_OK);
  const Built labeledBuilt = Build(labeled);
  RenderLabeledBillboard* withLabels = As<RenderLabeledBillboard>(labeledBuilt);
  ASSERT_NE(withLabels, nullptr);
  EXPECT_EQ(labeledBuilt.map, MapKind::Billboard);
  ASSERT_EQ(withLabels->GetLabels().size(), 1u);
  EXPECT_TRUE(withLabels->GetLabels()[0].Text == L"North" && withLabels->GetLabels()[0].Angle == 90.0f);
  float red = 0, green = 1, blue = 0;
  withLabels->GetFontRGB(&red, &green, &blue);
  EXPECT_TRUE(red == 1.0f && green == 0.0f && blue == 0.2f && withLabels->GetFont());

  CComPtr<IPartialEllipsoid3D> partial = Make<IPartialEllipsoid3D>(CLSID_PartialEllipsoid3D);
  ASSERT_TRUE(partial->put_StartAzimuth(10.0) == S_OK && partial->put_ShowCaps(VARIANT_FALSE) == S_OK);
  ASSERT_EQ(CComQIPtr<IEllipsoid3D>(partial)->PutSize(5.0, 6.0, 7.0), S_OK);
  const Built partialBuilt = Build(partial);
  RenderPartialEllipsoid* wedge = As<RenderPartialEllipsoid>(partialBuilt);
  ASSERT_NE(wedge, nullptr);
  EXPECT_EQ(partialBuilt.map, MapKind::Other);
  float x = 0, y = 0, z = 0;
  wedge->GetSize(&x, &y, &z);
  EXPECT_TRUE(wedge->GetStartAzimuth() == 10.0f && !wedge->GetShowCaps() && x == 5.0f && y == 6.0f && z == 7.0f);

  // An auto ellipse is an area, a polyline a line, a type beyond them nothing.
  CComPtr<IGeoExtrusion3D> ellipse = Make<IGeoExtrusion3D>(CLSID_GeoExtrusion3D);
  ASSERT_EQ(ellipse->put_Type(kestGLExtrusionTypeAutoEllipse), S_OK);
  ASSERT_EQ(ellipse->putref_Geometry(Through(CLSID_Multipoint, {{0, 0, 0}, {4, 0, 0}, {2, 3, 0}})), S_OK);
  const Built ellipseBuilt = Build(ellipse);
  EXPECT_TRUE(As<RenderArea>(ellipseBuilt) && ellipseBuilt.map == MapKind::Other);
  CComPtr<IGeoExtrusion3D> polyline = Make<IGeoExtrusion3D>(CLSID_GeoExtrusion3D);
  ASSERT_EQ(polyline->putref_Geometry(Through(CLSID_Polyline, {{0, 0, 0}, {0.5, 0.25, 0}})), S_OK);
  const Built lineBuilt = Build(polyline);
  EXPECT_TRUE(As<RenderLine>(lineBuilt) && !As<RenderArea>(lineBuilt));
  ASSERT_EQ(ellipse->put_Type(static_cast<kestGLExtrusionTypeOption>(3)), S_OK);
  EXPECT_EQ(Build(ellipse).renderable, nullptr);

  CComPtr<IGraphic3D> plain;
  ASSERT_EQ(zelph::CreateComInstance<PlainGraphic>(nullptr, IID_IGraphic3D, reinterpret_cast<void**>(&plain)), S_OK);
  EXPECT_EQ(Build(plain).renderable, nullptr);
}

TEST_F(RenderableBuilderTest, BasePropertiesAndCalloutCarryOver) {
  CComPtr<IBillboard3D> billboard = Make<IBillboard3D>(CLSID_Billboard3D);
  CComQIPtr<IGraphic3D> graphic{billboard};
  CComPtr<IOrientation3D> orientation = Make<IOrientation3D>(CLSID_Orientation3D);
  ASSERT_EQ(orientation->PutOrientation(30.0, 10.0, 5.0), S_OK);
  ASSERT_TRUE(graphic->put_UID(CComBSTR(L"bb-1")) == S_OK && graphic->put_Name(CComBSTR(L"Tower")) == S_OK &&
              graphic->putref_Centroid(NewPoint(10.0, 20.0, 500.0)) == S_OK &&
              graphic->put_ThresholdElevation(7.5) == S_OK && graphic->put_Selected(VARIANT_TRUE) == S_OK &&
              graphic->put_DisplayOption(kestGLDisplayWireframe) == S_OK &&
              graphic->putref_Orientation(orientation) == S_OK);
  CComQIPtr<ICallout3D> callout{billboard};
  CComPtr<ISimpleLineSymbol> symbol = Make<ISimpleLineSymbol>(CLSID_SimpleLineSymbol);
  ASSERT_TRUE(symbol->put_Color(Color(0, 255, 0)) == S_OK && symbol->put_Width(4.0) == S_OK &&
              symbol->put_Style(kestSLSDash) == S_OK);
  ASSERT_TRUE(callout->put_EnableCallout(VARIANT_TRUE) == S_OK && callout->putref_CalloutLineSymbol(symbol) == S_OK &&
              callout->putref_CalloutAnchorLocation(NewPoint(11.0, 21.0, 0.0)) == S_OK &&
              callout->put_WindVaneSize(2.0) == S_OK);
  settings.exaggeration = 2.0;
  settings.selectionOption = kestGLSelectionOutline;

  ASSERT_EQ(billboard->PutSize(3.0, 4.0), S_OK);
  Built built = Build(billboard);
  RenderBillboard* renderable = As<RenderBillboard>(built);
  ASSERT_TRUE(renderable && !As<RenderLabeledBillboard>(built) && built.map == MapKind::Billboard);
  float width = 0, height = 0;
  renderable->GetSize(&width, &height);
  EXPECT_TRUE(width == 3.0f && height == 4.0f);
  EXPECT_EQ(Text(renderable->GetUID()), L"bb-1");
  EXPECT_EQ(Text(renderable->GetNameBSTR()), L"Tower");
  EXPECT_EQ(renderable->GetCentroidLocation(), Geopunctus(20.0f, 10.0f, 500.0f));
  EXPECT_TRUE(renderable->GetThresholdElevation() == 7.5f && renderable->GetZExaggeration() == 2.0f);
  EXPECT_TRUE(renderable->GetWireframe() && renderable->GetSelected() && renderable->GetVisible());
  EXPECT_TRUE(renderable->GetSelectOutline() && !renderable->GetSelectOverlay());
  float r = 0, g = 0, b = 0;
  renderable->GetSelectionRGB(&r, &g, &b);
  EXPECT_TRUE(r == 0.0f && g == 0.0f && b == 1.0f);
  renderable->QueryOrientation(&r, &g, &b);
  EXPECT_TRUE(r == 30.0f && g == 10.0f && b == 5.0f);
  EXPECT_EQ(renderable->GetAlpha(), 1.0f);  // transparency 255
  EXPECT_TRUE(renderable->GetEnableCallout() && renderable->GetCalloutWidth() == 4.0f &&
              renderable->GetWindVaneSize() == 2.0f);
  EXPECT_EQ(renderable->GetCalloutStyle(), Glomarch::ConvertLineStyle(kestSLSDash));
  EXPECT_EQ(renderable->GetCalloutLocation(), Geopunctus(21.0f, 11.0f, 0.0f));
  renderable->GetCalloutRGB(&r, &g, &b);
  EXPECT_TRUE(r == 0.0f && g == 1.0f && b == 0.0f);

  // Transparency 0 is alpha 0; an option the scene does not know shows no selection.
  ASSERT_TRUE(graphic->put_Transparency(0) == S_OK && graphic->put_DisplayOption(kestGLDisplayNormal) == S_OK);
  settings.selectionOption = static_cast<kestGLSelectionOption>(7);
  built = Build(billboard);
  EXPECT_EQ(built.renderable->GetAlpha(), 0.0f);
  EXPECT_FALSE(built.renderable->GetWireframe());
  EXPECT_FALSE(built.renderable->GetSelectOutline() || built.renderable->GetSelectOverlay());
}

TEST_F(RenderableBuilderTest, MaterialsBecomeRenderMaterials) {
  CComPtr<ISimpleMaterial3D> simple = Make<ISimpleMaterial3D>(CLSID_SimpleMaterial3D);
  ASSERT_EQ(simple->putref_Color(Color(255, 0, 0)), S_OK);
  CComPtr<IEllipsoid3D> ellipsoid = Make<IEllipsoid3D>(CLSID_Ellipsoid3D);
  ASSERT_EQ(CComQIPtr<IGraphic3D>(ellipsoid)->putref_Material(CComQIPtr<IMaterial3D>(simple)), S_OK);
  // The ellipsoid's centroid is empty: it is left in place, the rest carries over.
  const RenderMaterial red = Build(ellipsoid).renderable->GetRenderMaterial();
  EXPECT_EQ(Colors(red), std::vector<float>({1, 0, 0, 1, 0, 0}));
  EXPECT_FALSE(red.GetGradient());

  CComPtr<IGradientMaterial3D> gradient = Make<IGradientMaterial3D>(CLSID_GradientMaterial3D);
  ASSERT_TRUE(gradient->putref_StartColor(Color(0, 255, 0)) == S_OK &&
              gradient->putref_EndColor(Color(0, 0, 255)) == S_OK);
  CComQIPtr<IMaterial3D> material{gradient};
  const std::vector<std::pair<kestGLLineOption, GLushort>> stipples = {{kestGLLineDash, 0x0FFF},
                                                                       {kestGLLineDashDotDot, 0x333F},
                                                                       {kestGLLineCustom, 0x2345},
                                                                       {static_cast<kestGLLineOption>(9), 0xFFFF}};
  ASSERT_EQ(material->put_CustomStipplePattern(0x12345), S_OK);
  ASSERT_EQ(material->put_FillOption(kestGLFillCross), S_OK);
  for (const auto& [option, stipple] : stipples) {
    ASSERT_EQ(material->put_LineOption(option), S_OK);
    RenderMaterial converted;
    RenderableBuilder::SetMaterial(material, &converted);
    EXPECT_EQ(converted.GetLineOption(), stipple) << option;
    EXPECT_EQ(converted.GetFillOption(), RenderMaterial::CROSS);
    EXPECT_EQ(Colors(converted), std::vector<float>({0, 1, 0, 0, 0, 1}));
    EXPECT_TRUE(converted.GetGradient());
  }
  ASSERT_EQ(material->put_FillOption(static_cast<kestGLFillOption>(99)), S_OK);
  RenderMaterial unknownFill;
  RenderableBuilder::SetMaterial(material, &unknownFill);
  EXPECT_EQ(unknownFill.GetFillOption(), RenderMaterial::SOLID);

  // No material: reported, and the record stays as it was.
  RenderMaterial untouched;
  untouched.SetLineOption(0x00FF);
  RenderableBuilder::SetMaterial(nullptr, &untouched);
  EXPECT_TRUE(LastLogLineHas(L"Exception @ File: ./RenderableBuilder Line: ")) << Logger::atlLogOutput;
  EXPECT_EQ(untouched.GetLineOption(), 0x00FF);
}

TEST_F(RenderableBuilderTest, PolygonExtrusionKeepsItsHolesInOrderAndItsSettings) {
  CComPtr<IGeoExtrusion3D> extrusion = Make<IGeoExtrusion3D>(CLSID_GeoExtrusion3D);
  ASSERT_EQ(extrusion->put_Type(kestGLExtrusionTypePolygon), S_OK);
  ASSERT_EQ(extrusion->putref_Geometry(Through(CLSID_Polygon, {{0, 0, 0}, {5, 0, 0}, {5, 5, 0}, {0, 5, 0}})), S_OK);
  CComPtr<IArray> holes = Make<IArray>(CLSID_Array);
  ASSERT_EQ(holes->Add(Through(CLSID_Ring, {{1, 2, 0}, {1.5, 2, 0}, {1.5, 2.5, 0}})), S_OK);
  ASSERT_EQ(holes->Add(Through(CLSID_Ring, {{3, 1, 0}, {3.5, 1, 0}, {3.5, 1.5, 0}})), S_OK);
  ASSERT_EQ(extrusion->putref_InnerGeometries(holes), S_OK);
  CComQIPtr<IExtrusion3D> walls{extrusion};
  ASSERT_TRUE(walls->put_ExtrusionDepth(5.0) == S_OK && walls->put_ExtrusionTransparency(51) == S_OK &&
              walls->put_EnableAutoExtrusionDepth(VARIANT_FALSE) == S_OK);

  const Built built = Build(extrusion);
  RenderArea* area = As<RenderArea>(built);
  ASSERT_NE(area, nullptr);
  const std::vector<std::size_t>& starts = area->GetInnerContourIndices();
  ASSERT_EQ(starts.size(), 2u);
  EXPECT_EQ(area->GetVertices()[0], Geopunctus(0.0f, 0.0f, 0.0f));
  EXPECT_EQ(area->GetVertices()[starts[0]], Geopunctus(2.0f, 1.0f, 0.0f));
  EXPECT_EQ(area->GetVertices()[starts[1]], Geopunctus(1.0f, 3.0f, 0.0f));
  EXPECT_TRUE(area->GetExDepth() == 5.0f && area->GetExAlpha() == 0.2f && !area->GetAutoExDepthEnabled());
}

TEST_F(RenderableBuilderTest, TextPointModeFollowsItsFontClass) {
  CComPtr<ITextPoint3D> text = Make<ITextPoint3D>(CLSID_TextPoint3D);
  ASSERT_TRUE(text->put_Text(CComBSTR(L"Hi")) == S_OK && text->put_TextScale(0.25) == S_OK &&
              text->put_HAOption(kestGLHAlignLeft) == S_OK);

  auto built = [&](IFont3D* font) {
    EXPECT_EQ(text->putref_Font(font), S_OK);
    return Build(text);
  };
  const Built billboardText = built(Make<IFont3D>(CLSID_BillboardFont3D));
  RenderTextPoint* drawn = As<RenderTextPoint>(billboardText);
  ASSERT_NE(drawn, nullptr);
  EXPECT_TRUE(drawn->GetMode() == FontMode::BILLBOARD && drawn->GetBillboardFont());
  EXPECT_TRUE(drawn->GetText() == L"Hi" && drawn->GetTextScale() == 0.25f && drawn->GetHOption() == 0);

  CComPtr<IFont3D> extruded = Make<IFont3D>(CLSID_ExtrudedFont3D);
  ASSERT_EQ(CComQIPtr<IExtrusion3D>(extruded)->put_ExtrusionDepth(3.0), S_OK);
  const Built flatText = built(extruded);
  drawn = As<RenderTextPoint>(flatText);
  EXPECT_TRUE(drawn->GetMode() == FontMode::FLAT && drawn->GetFlatExtrusionFont() && drawn->GetExDepth() == 3.0f);

  const Built uprightText = built(Make<IFont3D>(CLSID_Font3D));
  drawn = As<RenderTextPoint>(uprightText);
  EXPECT_TRUE(drawn->GetMode() == FontMode::UPRIGHT && drawn->GetExDepth() == 1.0f);  // its own depth
}

TEST_F(RenderableBuilderTest, MembersAndSensorsAreBuiltForTheirParentAndMarkedApplied) {
  CComPtr<IGroupGraphic3D> group = Make<IGroupGraphic3D>(CLSID_GroupGraphic3D);
  CComPtr<IGraphic3D> member = Make<IGraphic3D>(CLSID_Billboard3D);
  CComPtr<IGraphic3D> other = Make<IGraphic3D>(CLSID_Ellipsoid3D);
  ASSERT_TRUE(member->put_UID(CComBSTR(L"member")) == S_OK && other->put_UID(CComBSTR(L"other")) == S_OK);
  ASSERT_TRUE(group->AddGraphic(member) == S_OK && group->AddGraphic(other) == S_OK);
  ASSERT_EQ(CComQIPtr<IGraphic3D>(group)->put_Transparency(0), S_OK);
  SetUpdateLevel(member, kestGLUpdateMajor);

  const Built built = Build(group);
  RenderGroup* renderGroup = As<RenderGroup>(built);
  ASSERT_NE(renderGroup, nullptr);
  EXPECT_EQ(built.map, MapKind::Other);
  ASSERT_EQ(renderGroup->GetGraphicCount(), 2u);
  GraphicBase* memberRenderable = renderGroup->FindGraphic(CComBSTR(L"member"));
  ASSERT_TRUE(memberRenderable && dynamic_cast<RenderBillboard*>(memberRenderable));
  EXPECT_TRUE(dynamic_cast<RenderEllipsoid*>(renderGroup->FindGraphic(CComBSTR(L"other"))));
  EXPECT_EQ(memberRenderable->GetGLName(), renderGroup->GetGLName());
  EXPECT_EQ(memberRenderable->GetAlpha(), 0.0f);  // the group's presentation cascades
  EXPECT_EQ(UpdateLevelOf(member), kestGLUpdateNone);

  CComPtr<IBillboard3D> billboard = Make<IBillboard3D>(CLSID_Billboard3D);
  CComPtr<IEllipsoid3D> sensor = Make<IEllipsoid3D>(CLSID_Ellipsoid3D);
  ASSERT_TRUE(sensor->PutSize(8.0, 9.0, 10.0) == S_OK && billboard->putref_SensorEllipsoid(sensor) == S_OK);
  SetUpdateLevel(sensor, kestGLUpdateMajor);
  const Built withSensor = Build(billboard);
  RenderEllipsoid* sensorRenderable = As<RenderBillboard>(withSensor)->GetSensorEllipsoid();
  ASSERT_NE(sensorRenderable, nullptr);
  float x = 0, y = 0, z = 0;
  sensorRenderable->GetSize(&x, &y, &z);
  EXPECT_TRUE(x == 8.0f && y == 9.0f && z == 10.0f);
  EXPECT_EQ(sensorRenderable->GetGLName(), withSensor.renderable->GetGLName());
  EXPECT_EQ(UpdateLevelOf(sensor), kestGLUpdateNone);
}

}  // namespace
}  // namespace zelph::test
