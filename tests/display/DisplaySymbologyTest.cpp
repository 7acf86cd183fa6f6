// What the 3D display makes of host symbols: the fields a symbol sets, and
// the materials, outlines, fonts, alignments, anchors and ring sets made
// from them.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "display/DisplaySymbology.h"
#include "frame/Guids.h"
#include "platform/Win32UserInterface.h"
#include "tests/display/DisplayTestSupport.h"

namespace zelph::test {
namespace {

using DisplaySymbologyTest = ComponentTest;

CComPtr<IRgbColor> NewColor(LONG red, LONG green, LONG blue, BYTE transparency) {
  CComPtr<IRgbColor> color = test::NewColor(red, green, blue);
  EXPECT_EQ(color->put_Transparency(transparency), S_OK);
  return color;
}

CComPtr<ICartographicLineSymbol> DashedLine(double mark, double gap, double interval) {
  CComPtr<ICartographicLineSymbol> line = Make<ICartographicLineSymbol>(CLSID_CartographicLineSymbol);
  EXPECT_EQ(line->put_Color(NewColor(10, 20, 30, 40)), S_OK);
  EXPECT_EQ(line->put_Width(3.5), S_OK);
  if (mark >= 0) {
    CComPtr<ITemplate> pattern = Make<ITemplate>(CLSID_Template);
    EXPECT_EQ(pattern->put_Interval(interval), S_OK);
    EXPECT_EQ(pattern->AddPatternElement(mark, gap), S_OK);
    EXPECT_EQ(CComQIPtr<ILineProperties>(line)->putref_Template(pattern), S_OK);
  }
  return line;
}

std::vector<LONG> LineColor(const DisplaySymbology& s) {
  return {s.m_LineRed, s.m_LineGreen, s.m_LineBlue, s.m_LineAlpha};
}
std::vector<LONG> FillColor(const DisplaySymbology& s) {
  return {s.m_FillRed, s.m_FillGreen, s.m_FillBlue, s.m_FillAlpha};
}

CComPtr<IRing> Square(double x, double y, double side) {
  const double x2 = x + side, y2 = y + side;
  return Through<IRing>(CLSID_Ring, {{x, y, 0}, {x, y2, 0}, {x2, y2, 0}, {x2, y, 0}, {x, y, 0}});
}

TEST_F(DisplaySymbologyTest, DashTemplatesBecomeStipplesThatStyleMaterials) {
  DisplaySymbology symbology;
  symbology.SetSymbol(CComQIPtr<ISymbol>(DashedLine(3, 1, 2.0)));
  EXPECT_EQ(symbology.m_LineStipple, 0x0FFF);
  EXPECT_TRUE(symbology.m_UseStipple);
  EXPECT_EQ(symbology.m_LineStippleFactor, 2.0);
  EXPECT_EQ(LineColor(symbology), std::vector<LONG>({10, 20, 30, 40}));
  EXPECT_EQ(symbology.m_LineWidth, 3.5);

  CComPtr<IMaterial3D> material = Make<IMaterial3D>(CLSID_SimpleMaterial3D);
  symbology.SetMaterialLineStyle(material, kestSLSDash);
  EXPECT_EQ(Get(material, &IMaterial3D::get_LineOption), kestGLLineCustom);
  EXPECT_EQ(Get(material, &IMaterial3D::get_CustomStipplePattern), 0x0FFF);

  symbology.StoreLineSymbolProperties(DashedLine(1, 1, 1.0));
  EXPECT_EQ(symbology.m_LineStipple, 0x00FF);
  // A continuous line keeps the old pattern but no longer uses it.
  symbology.StoreLineSymbolProperties(DashedLine(-1, 0, 0));
  EXPECT_EQ(symbology.m_LineStipple, 0x00FF);
  EXPECT_FALSE(symbology.m_UseStipple);

  const std::vector<std::pair<int, kestGLLineOption>> styles = {{kestSLSSolid, kestGLLineSolid},
                                                                {kestSLSDash, kestGLLineDash},
                                                                {kestSLSDot, kestGLLineDot},
                                                                {kestSLSDashDot, kestGLLineDashDot},
                                                                {kestSLSDashDotDot, kestGLLineDashDotDot},
                                                                {kestSLSNull, kestGLLineSolid},
                                                                {kestSLSInsideFrame, kestGLLineSolid},
                                                                {42, kestGLLineSolid}};
  for (const auto& [style, option] : styles) {
    symbology.SetMaterialLineStyle(material, static_cast<kestSimpleLineStyle>(style));
    EXPECT_EQ(Get(material, &IMaterial3D::get_LineOption), option) << style;
  }
  for (int style = 0; style <= 8; ++style) {
    symbology.SetMaterialFillStyle(material, static_cast<kestSimpleFillStyle>(style));
    EXPECT_EQ(Get(material, &IMaterial3D::get_FillOption), style == 8 ? kestGLFillSolid : style) << style;
  }
}

TEST_F(DisplaySymbologyTest, TheFillOptionShapesMaterialsAndOutlinesTakeTheirColour) {
  DisplaySymbology symbology;
  CComPtr<IMaterial3D> lighter = symbology.CreateMaterial(200, 10, 128);
  EXPECT_EQ(ColorOf(Get(lighter, &IGradientMaterial3D::get_StartColor)), RGB(200, 10, 128));
  EXPECT_EQ(ColorOf(Get(lighter, &IGradientMaterial3D::get_EndColor)), RGB(255, 106, 224));
  symbology.m_DisplayFillOption = kestGLDisplayFillGradientDarker;
  EXPECT_EQ(ColorOf(Get(symbology.CreateMaterial(200, 10, 128), &IGradientMaterial3D::get_EndColor)), RGB(104, 0, 32));
  symbology.m_DisplayFillOption = kestGLDisplayFillSimple;
  CComPtr<IMaterial3D> simple = symbology.CreateMaterial(200, 10, 128);
  EXPECT_FALSE(CComQIPtr<IGradientMaterial3D>(simple));
  EXPECT_EQ(ColorOf(Get(simple, &ISimpleMaterial3D::get_Color)), RGB(200, 10, 128));
  EXPECT_EQ(symbology.CreateMaterial(300, 0, 0), nullptr) << "no colour has a red of 300";

  symbology.m_OutlineTransparency = 201;
  symbology.m_FilterAlphaFactor = 0.5;
  CComPtr<ISimpleLineSymbol> outline = symbology.FetchOutlineLineSymbol(255, 255, 255, kestSLSDot, 3.0);
  CComPtr<IColor> color = Get(outline, &ILineSymbol::get_Color);
  EXPECT_EQ(ColorOf(CComQIPtr<IRgbColor>(color)), RGB(191, 191, 191));
  EXPECT_EQ(Get(color, &IColor::get_Transparency), 100);
  EXPECT_EQ(Get(outline, &ISimpleLineSymbol::get_Style), kestSLSDot);
  EXPECT_EQ(Get(outline, &ILineSymbol::get_Width), 3.0);

  // The manual colour object itself takes the outline transparency.
  symbology.m_DisplayOutlineColorOption = kestGLDisplayOutlineColorManual;
  EXPECT_EQ(ColorOf(symbology.m_ManualOutlineColor), RGB(0, 0, 0));
  symbology.m_ManualOutlineColor = NewColor(7, 8, 9, 255);
  color = Get(symbology.FetchOutlineLineSymbol(255, 255, 255, kestSLSSolid, 1.0), &ILineSymbol::get_Color);
  EXPECT_EQ(ColorOf(CComQIPtr<IRgbColor>(color)), RGB(7, 8, 9));
  EXPECT_EQ(Get(color, &IColor::get_Transparency), 100);
  EXPECT_EQ(Get(symbology.m_ManualOutlineColor, &IColor::get_Transparency), 100);
}

TEST_F(DisplaySymbologyTest, FillsSetTheFillAndLineFields) {
  DisplaySymbology symbology;
  CComPtr<ISimpleFillSymbol> fill = Make<ISimpleFillSymbol>(CLSID_SimpleFillSymbol);
  ASSERT_EQ(fill->put_Color(NewColor(1, 2, 3, 40)), S_OK);
  ASSERT_EQ(fill->put_Style(kestSFSCross), S_OK);
  ASSERT_EQ(fill->put_Outline(nullptr), S_OK);
  symbology.SetSymbol(CComQIPtr<ISymbol>(fill));
  EXPECT_EQ(symbology.m_FillStyle, kestSFSCross);
  EXPECT_EQ(FillColor(symbology), std::vector<LONG>({1, 2, 3, 40}));
  // Without an outline the lines take the fill colour.
  EXPECT_EQ(LineColor(symbology), std::vector<LONG>({1, 2, 3, 40}));

  CComPtr<IMultiLayerFillSymbol> layers = Make<IMultiLayerFillSymbol>(CLSID_MultiLayerFillSymbol);
  ASSERT_EQ(layers->AddLayer(fill), S_OK);
  symbology.SetSymbol(CComQIPtr<ISymbol>(layers));
  EXPECT_EQ(symbology.m_DisplayFillOption, kestGLDisplayFillSimple);
  EXPECT_EQ(symbology.m_FillStyle, kestSFSHollow);
  EXPECT_EQ(FillColor(symbology), std::vector<LONG>({0, 0, 0, 30}));
  EXPECT_EQ(LineColor(symbology), std::vector<LONG>({0, 0, 0, 30}));
  EXPECT_TRUE(CComQIPtr<ISimpleMaterial3D>(symbology.CreateMaterial(5, 5, 5)));
}

TEST_F(DisplaySymbologyTest, TextSymbolsGiveFontsAndAlignments) {
  DisplaySymbology symbology;
  CComPtr<ITextSymbol> text = Make<ITextSymbol>(CLSID_TextSymbol);
  CComPtr<IFont> font = Make<IFont>(CLSID_StdFont);
  ASSERT_EQ(font->put_Name(CComBSTR(L"Times")), S_OK);
  ASSERT_EQ(text->putref_Font(font), S_OK);
  ASSERT_EQ(text->put_Color(NewColor(255, 255, 255, 200)), S_OK);
  ASSERT_EQ(text->put_HorizontalAlignment(kestTHAFull), S_OK);
  ASSERT_EQ(text->put_VerticalAlignment(kestTVABaseline), S_OK);
  ASSERT_EQ(text->put_Size(14.0), S_OK);
  symbology.SetSymbol(CComQIPtr<ISymbol>(text));
  EXPECT_EQ(symbology.m_TextAlpha, 200);
  EXPECT_EQ(symbology.m_TextSize, 14.0);

  EXPECT_EQ(symbology.m_HorizontalAlignment, kestTHAFull);
  EXPECT_EQ(symbology.m_VerticalAlignment, kestTVABaseline);
  EXPECT_TRUE(symbology.m_TextFont.IsEqualObject(font));

  // Full text aligns left; baseline text stands normally.
  CComPtr<ITextPoint3D> point = Make<ITextPoint3D>(CLSID_TextPoint3D);
  const kestGLHAlignOption horizontal[] = {kestGLHAlignLeft, kestGLHAlignCenter, kestGLHAlignRight, kestGLHAlignLeft};
  const kestGLVAlignOption vertical[] = {kestGLVAlignAbove, kestGLVAlignCenter, kestGLVAlignNormal, kestGLVAlignBelow};
  for (int i = 0; i < 4; ++i) {
    DisplaySymbology::SetTextHorizontalAlignment(point, static_cast<kestTextHorizontalAlignment>(i));
    DisplaySymbology::SetTextVerticalAlignment(point, static_cast<kestTextVerticalAlignment>(i));
    EXPECT_EQ(Get(point, &ITextPoint3D::get_HAOption), horizontal[i]) << i;
    EXPECT_EQ(Get(point, &ITextPoint3D::get_VAOption), vertical[i]) << i;
  }

  symbology.m_DisplayTextOption = kestGLDisplayTextBillboard;
  EXPECT_TRUE(CComQIPtr<IBillboardFont3D>(symbology.GetCurrentFont(nullptr)));
  symbology.m_FilterAlphaFactor = 0.5;
  CComPtr<IMaterial3D> material = symbology.CreateMaterial(255, 255, 255);
  for (kestGLDisplayTextOption option : {kestGLDisplayTextFlat, kestGLDisplayTextFlatExtruded}) {
    symbology.m_DisplayTextOption = option;
    CComPtr<IFont3D> flat = symbology.GetCurrentFont(material);
    ASSERT_TRUE(CComQIPtr<IExtrudedFont3D>(flat));
    EXPECT_EQ(Get(flat, &IExtrusion3D::get_EnableExtrusion) == VARIANT_TRUE, option == kestGLDisplayTextFlatExtruded);
    EXPECT_EQ(Get(flat, &IExtrusion3D::get_EnableAutoExtrusionDepth), VARIANT_TRUE);
    EXPECT_TRUE(Get(flat, &IExtrusion3D::get_ExtrusionMaterial).IsEqualObject(material));
    EXPECT_EQ(Get(flat, &IExtrusion3D::get_ExtrusionTransparency), 100);
    CComPtr<ISimpleLineSymbol> outline = Get(flat, &IExtrusion3D::get_OutlineLineSymbol);
    ASSERT_TRUE(outline);
    EXPECT_EQ(ColorOf(CComQIPtr<IRgbColor>(Get(outline, &ILineSymbol::get_Color))), RGB(191, 191, 191));
  }
  symbology.m_TextFont.Release();
  EXPECT_EQ(symbology.GetCurrentFont(material), nullptr);
}

// The angle at `from` between the chord to one degree north and the chord
// to `to`, on a unit sphere.
double ChordHeading(double lon1, double lat1, double lon2, double lat2) {
  auto at = [](double lon, double lat) {
    const double r = M_PI / 180.0;
    return std::array<double, 3>{std::cos(lat * r) * std::cos(lon * r), std::cos(lat * r) * std::sin(lon * r),
                                 std::sin(lat * r)};
  };
  const auto a = at(lon1, lat1), n = at(lon1, lat1 + 1), b = at(lon2, lat2);
  double dot = 0, nn = 0, bb = 0;
  for (int i = 0; i < 3; ++i) {
    dot += (n[i] - a[i]) * (b[i] - a[i]);
    nn += (n[i] - a[i]) * (n[i] - a[i]);
    bb += (b[i] - a[i]) * (b[i] - a[i]);
  }
  return std::acos(dot / std::sqrt(nn * bb)) * 180.0 / M_PI;
}

TEST_F(DisplaySymbologyTest, AnchorsCentresAndHeadings) {
  const double eastward = ChordHeading(0, 0, 10, 0);
  EXPECT_NEAR(eastward, 89.956, 1e-3);  // a chord along the equator leans a little north
  EXPECT_NEAR(DisplaySymbology::CalculateAzimuth(NewPoint(0, 0), NewPoint(10, 0)), eastward, 1e-3);
  EXPECT_NEAR(DisplaySymbology::CalculateAzimuth(NewPoint(10, 0), NewPoint(0, 0)), eastward + 180, 1e-3);
  EXPECT_NEAR(DisplaySymbology::CalculateAzimuth(NewPoint(20, 30), NewPoint(25, 35)), ChordHeading(20, 30, 25, 35),
              1e-3);
  EXPECT_EQ(DisplaySymbology::CalculateAzimuth(NewPoint(5, 0), NewPoint(5, 10)), 0.0);
  EXPECT_EQ(DisplaySymbology::CalculateAzimuth(NewPoint(5, 5), NewPoint(5, 5)), 90.0);

  CComPtr<IPoint> point = NewPoint(1, 2, 3);
  auto [first, second] = DisplaySymbology::GetGeoAnchors(CComQIPtr<IGeometry>(point));
  EXPECT_EQ(PointCoords(first), PointCoords(point));
  EXPECT_EQ(PointCoords(second), PointCoords(point));
  EXPECT_FALSE(first.IsEqualObject(point));
  auto line = DisplaySymbology::GetGeoAnchors(Through(CLSID_Polyline, {{0, 0, 5}, {1, 1, 6}, {4, 2, 7}}));
  EXPECT_EQ(PointCoords(line.first), std::vector<double>({0, 0, 5}));
  EXPECT_EQ(PointCoords(line.second), std::vector<double>({4, 2, 7}));
  CComPtr<IEnvelope> box = Make<IEnvelope>(CLSID_Envelope);
  ASSERT_EQ(box->PutCoords(0, 0, 4, 2), S_OK);
  auto across = DisplaySymbology::GetGeoAnchors(CComQIPtr<IGeometry>(box));
  ASSERT_TRUE(across.first && across.second);
  EXPECT_EQ(PointCoords(DisplaySymbology::GetCenter(across.first, across.second)), std::vector<double>({2, 1, 0}));
  // A missing height counts as 0.
  EXPECT_EQ(PointCoords(DisplaySymbology::GetCenter(NewPoint(0, 0), NewPoint(4, 2, 8))),
            std::vector<double>({2, 1, 4}));
  EXPECT_EQ(DisplaySymbology::GetGeoAnchors(Make<IGeometry>(CLSID_Polyline)).first, nullptr);
}

std::wstring g_Box;
int CaptureBox(LPCWSTR text, LPCWSTR caption, UINT) {
  g_Box += std::wstring(text) + L"|" + caption + L";";
  return IDOK;
}

TEST_F(DisplaySymbologyTest, PolygonsSplitIntoOuterRingsAndTheirHoles) {
  CComPtr<IGeometryCollection> polygon = Make<IGeometryCollection>(CLSID_Polygon);
  for (const auto& ring : {Square(0, 0, 10), Square(2, 2, 2), Square(20, 0, 10)}) {
    ASSERT_EQ(AddPart(polygon, ring), S_OK);
  }
  auto [outer, holes] = DisplaySymbology::DistillPolygonGeometries(polygon);
  ASSERT_TRUE(outer && holes);
  EXPECT_EQ(Get(outer, &IGeometryCollection::get_GeometryCount), 2);
  ASSERT_EQ(Get(holes, &IArray::get_Count), 2);
  for (LONG i = 0; i < 2; ++i) {
    CComPtr<IGeometry> ring;
    CComPtr<IUnknown> inner;
    ASSERT_EQ(outer->get_Geometry(i, &ring), S_OK);
    ASSERT_EQ(holes->get_Element(i, &inner), S_OK);
    const bool first = EnvelopeCoords(ring) == std::vector<double>({0, 0, 10, 10});
    ASSERT_EQ(Get(inner, &IArray::get_Count), first ? 1 : 0);
    if (first) {
      CComPtr<IUnknown> hole;
      ASSERT_EQ(CComQIPtr<IArray>(inner)->get_Element(0, &hole), S_OK);
      EXPECT_EQ(EnvelopeCoords(CComQIPtr<IGeometry>(hole)), std::vector<double>({2, 2, 4, 4}));
    }
  }

  // An open path among the parts is reported and left out.
  CComPtr<IGeometryCollection> bag = Make<IGeometryCollection>(CLSID_GeometryBag);
  ASSERT_EQ(AddPart(bag, Square(0, 0, 1)), S_OK);
  ASSERT_EQ(AddPart(bag, Through(CLSID_Path, {{0, 0, 0}, {1, 1, 0}})), S_OK);
  g_Box.clear();
  SetMessageBoxHandler(&CaptureBox);
  auto loose = DisplaySymbology::DistillPolygonGeometries(bag);
  SetMessageBoxHandler(nullptr);
  EXPECT_EQ(g_Box, L"ALERT!|Problem!;");
  EXPECT_EQ(Get(loose.first, &IGeometryCollection::get_GeometryCount), 1);
  EXPECT_EQ(Get(loose.second, &IArray::get_Count), 1);
}

}  // namespace
}  // namespace zelph::test
