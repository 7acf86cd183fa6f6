// A client drawing with map symbols through the 3D display on the reference
// host: a polygon with a hole, a point as a sphere and as a flat circle, and
// text flat and as a billboard, each found in the saved frame in its
// symbol's colour and picked at its window position.
#include <cstdint>
#include <string>
#include <vector>

#include "frame/DisplayInterfaces.h"
#include "frame/HostDisplay.h"
#include "platform/OleFont.h"
#include "platform/WideString.h"
#include "tests/scene/SceneFixture.h"
#include "tests/support/GetProperty.h"
#include "tests/support/TestPaths.h"

namespace zelph::test {
namespace {

constexpr Pixel kMagenta{255, 0, 255};
constexpr Pixel kYellow{255, 255, 0};

// The camera comes down to a quarter of a globe radius above (0, 0): the
// window shows about 7.7 degrees across, some 33 pixels a degree. The
// fixture's helpers ask the display's own scene.
class DisplayEndToEnd : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    ASSERT_EQ(view.globeCamera->PlaceAbove(0.0, 0.0, 0.25 * kRadiusMetres), S_OK);
    ASSERT_EQ(scene->UninitializeContext(), S_OK);
    display = Make<IGLDisplay3D>(CLSID_GLDisplay3D);
    ASSERT_TRUE(display);
    drawing = CComQIPtr<IDisplay>(display.p);
    // Plain colours, so that the frame shows the symbols' own.
    ASSERT_EQ(display->put_FillOption(kestGLDisplayFillSimple), S_OK);
    ASSERT_EQ(display->InitializeContext(view.display), S_OK);
    scene = Get(display, &IGLDisplay3D::get_Scene);
  }

  void TearDown() override {
    drawing.Release();
    display.Release();
    SceneTest::TearDown();
  }

  void UseMarker(Pixel colour) {
    CComPtr<IMarkerSymbol> marker = Make<IMarkerSymbol>(CLSID_SimpleMarkerSymbol);
    ASSERT_EQ(marker->put_Color(Color(colour.r, colour.g, colour.b)), S_OK);
    ASSERT_EQ(marker->put_Size(300), S_OK);
    ASSERT_EQ(drawing->SetSymbol(CComQIPtr<ISymbol>(marker)), S_OK);
  }

  void UseText(Pixel colour) {
    CComPtr<IFont> font = Make<IFont>(CLSID_StdFont);
    ASSERT_EQ(font->put_Name(CComBSTR(L"Arial")), S_OK);
    CComPtr<ITextSymbol> text = Make<ITextSymbol>(CLSID_TextSymbol);
    ASSERT_EQ(text->put_Color(Color(colour.r, colour.g, colour.b)), S_OK);
    ASSERT_EQ(text->put_Size(0.5), S_OK);
    ASSERT_EQ(text->putref_Font(font), S_OK);
    ASSERT_EQ(drawing->SetSymbol(CComQIPtr<ISymbol>(text)), S_OK);
  }

  void DrawTextAlong(double lon1, double lon2, double lat, const wchar_t* text) {
    ASSERT_EQ(drawing->DrawText(Through(CLSID_Polyline, {{lon1, lat, 5000}, {lon2, lat, 5000}}), CComBSTR(text)), S_OK);
  }

  // How many pixels of `colour` the frame holds in the square of `half`
  // pixels around window (x, y), rows from the top.
  int PixelsNear(std::pair<LONG, LONG> at, Pixel colour, int half) {
    int count = 0;
    for (LONG y = at.second - half; y <= at.second + half; ++y) {
      for (LONG x = at.first - half; x <= at.first + half; ++x) {
        if (x < 0 || y < 0 || x >= kSide || y >= kSide) continue;
        const std::uint8_t* p = &frame[((kSide - 1 - y) * kSide + x) * 4];
        if (Pixel{p[0], p[1], p[2]} == colour) ++count;
      }
    }
    return count;
  }

  CComPtr<IGLDisplay3D> display;
  CComQIPtr<IDisplay> drawing;
  std::vector<std::uint8_t> frame = std::vector<std::uint8_t>(kSide * kSide * 4);
};

TEST_F(DisplayEndToEnd, SymbolsDrawnThroughTheDisplayShowAndPickWhereTheyWereDrawn) {
  CComPtr<IFillSymbol> fill = Make<IFillSymbol>(CLSID_SimpleFillSymbol);
  ASSERT_EQ(fill->put_Color(Color(255, 0, 0)), S_OK);
  ASSERT_EQ(drawing->SetSymbol(CComQIPtr<ISymbol>(fill)), S_OK);
  CComPtr<IGeometry> polygon = Make<IGeometry>(CLSID_Polygon);
  ASSERT_EQ(AddPart(polygon, Through(CLSID_Ring,
                                     {{-3.4, -3.4, 5000}, {-0.6, -3.4, 5000}, {-0.6, -0.6, 5000}, {-3.4, -0.6, 5000}})),
            S_OK);
  ASSERT_EQ(AddPart(polygon, Through(CLSID_Ring,
                                     {{-2.4, -2.4, 5000}, {-1.6, -2.4, 5000}, {-1.6, -1.6, 5000}, {-2.4, -1.6, 5000}})),
            S_OK);
  ASSERT_EQ(drawing->DrawPolygon(polygon), S_OK);

  UseMarker(kBlue);
  ASSERT_EQ(drawing->DrawPoint(NewPoint(2, 2, 0)), S_OK);
  UseMarker(kMagenta);
  ASSERT_EQ(display->put_PointOption(kestGLDisplayPointFlatCircle), S_OK);
  ASSERT_EQ(drawing->DrawPoint(NewPoint(2, -2, 5000)), S_OK);

  UseText(kGreen);
  DrawTextAlong(-3, -1, 2.2, L"FLAT");
  UseText(kYellow);
  ASSERT_EQ(display->put_TextOption(kestGLDisplayTextBillboard), S_OK);
  DrawTextAlong(-1, 1, 0.2, L"SIGN");

  ASSERT_EQ(drawing->FinishDrawing(), S_OK);
  ASSERT_EQ(view.frame->ReadFrame(frame.data(), static_cast<LONG>(frame.size())), S_OK);
  std::string saved = FreshDirectory("display-end-to-end") + "/frame.png";
  EXPECT_EQ(view.frame->SaveFrame(CComBSTR(zelph::FromUtf8(saved).c_str())), S_OK);

  // The polygon's band is red, its hole is not. (Window positions are asked
  // as latitude, longitude, altitude.)
  const auto band = WindowOf(-2.0, -3.0, 5000), hole = WindowOf(-2.0, -2.0, 5000);
  EXPECT_EQ(PixelsNear(band, kRed, 2), 25);
  EXPECT_EQ(PixelsNear(hole, kRed, 4), 0);
  const auto sphere = WindowOf(2, 2, 0), circle = WindowOf(-2, 2, 5000);
  // A sphere this small is covered by its grid, drawn in the automatic
  // outline colour: three quarters of the marker's.
  EXPECT_GT(PixelsNear(sphere, Pixel{0, 0, 191}, 3), 10);
  EXPECT_GT(PixelsNear(circle, kMagenta, 3), 10);
  const auto flat = WindowOf(2.2, -2, 5000), sign = WindowOf(0.2, 0, 5000);
  EXPECT_GT(PixelsNear(flat, kGreen, 30), 30);
  EXPECT_GT(PixelsNear(sign, kYellow, 30), 30);
  EXPECT_EQ(PixelsNear(flat, kYellow, 30) + PixelsNear(sign, kGreen, 30), 0);

  // Each graphic is what lies under its own window position.
  auto PickAt = [&](std::pair<LONG, LONG> at) { return Pick(at.first, at.second); };
  EXPECT_EQ(Get(PickAt(band), &IGeoExtrusion3D::get_Type), kestGLExtrusionTypePolygon);
  EXPECT_TRUE(CComQIPtr<IEllipsoid3D>(PickAt(sphere)));
  EXPECT_EQ(Get(PickAt(circle), &IGeoExtrusion3D::get_Type), kestGLExtrusionTypeAutoEllipse);
  EXPECT_EQ(Get(PickAt(flat), &ITextPoint3D::get_Text), L"FLAT");
  EXPECT_EQ(Get(PickAt(sign), &ITextPoint3D::get_Text), L"SIGN");
}

}  // namespace
}  // namespace zelph::test
