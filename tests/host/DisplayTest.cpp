// The host's simple display drawing markers into bitmaps, the way marker
// textures are made: the display transformation set to the bitmap's pixel
// frame, the marker sized to 95 % of it and drawn at the middle of the
// visible bounds.
#include <gtest/gtest.h>

#include <vector>

#include "frame/HostDisplay.h"
#include "frame/HostGuids.h"
#include "platform/ClassRegistry.h"
#include "platform/ComPtr.h"
#include "platform/Gdi.h"
#include "tests/support/HostObjects.h"

namespace {

using zelph::test::Make;
using zelph::test::NewPoint;

CComPtr<IRgbColor> MakeColour(COLORREF colour) {
  CComPtr<IRgbColor> rgb = Make<IRgbColor>(CLSID_RgbColor);
  EXPECT_EQ(rgb->put_RGB(static_cast<LONG>(colour)), S_OK);
  return rgb;
}

CComPtr<ISimpleMarkerSymbol> MakeMarker(kestSimpleMarkerStyle style, IRgbColor* colour) {
  CComPtr<ISimpleMarkerSymbol> marker = Make<ISimpleMarkerSymbol>(CLSID_SimpleMarkerSymbol);
  EXPECT_EQ(marker->put_Style(style), S_OK);
  EXPECT_EQ(marker->put_Color(colour), S_OK);
  return marker;
}

constexpr COLORREF kBackground = RGB(255, 255, 255);
constexpr COLORREF kInk = RGB(200, 30, 90);

// A bitmap in a memory context, painted in the background colour.
class Canvas {
 public:
  Canvas(int width, int height, bool section) : dc(CreateCompatibleDC(nullptr)) {
    if (section) {
      BITMAPINFO info{};
      info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
      void* bits = nullptr;
      m_Bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    } else {
      m_Bitmap = CreateCompatibleBitmap(dc, width, height);
    }
    m_Previous = SelectObject(dc, m_Bitmap);
    HBRUSH brush = CreateSolidBrush(kBackground);
    const RECT all{0, 0, width, height};
    EXPECT_NE(FillRect(dc, &all, brush), 0);
    DeleteObject(brush);
  }
  ~Canvas() {
    SelectObject(dc, m_Previous);
    DeleteDC(dc);
    DeleteObject(m_Bitmap);
  }
  OLE_HANDLE Handle() const { return ToOleHandle(dc); }
  COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }

  const HDC dc;

 private:
  HBITMAP m_Bitmap = nullptr;
  HGDIOBJ m_Previous = nullptr;
};

struct Display {
  CComPtr<IDisplay> display;
  CComPtr<IDisplayTransformation> transformation;
};

Display MakeDisplay(LONG width, LONG height) {
  Display made;
  EXPECT_EQ(made.display.CoCreateInstance(CLSID_SimpleDisplay), S_OK);
  EXPECT_EQ(made.display->get_DisplayTransformation(&made.transformation), S_OK);
  EXPECT_EQ(made.transformation->PutDeviceFrame(0, 0, width, height), S_OK);
  return made;
}

HRESULT DrawOnce(IDisplay* display, const Canvas& canvas, IMarkerSymbol* marker, IGeometry* where) {
  EXPECT_EQ(display->StartDrawing(canvas.Handle(), 0), S_OK);
  EXPECT_EQ(display->SetSymbol(CComQIPtr<ISymbol>(marker)), S_OK);
  HRESULT hr = display->DrawPoint(where);
  EXPECT_EQ(display->FinishDrawing(), S_OK);
  return hr;
}

TEST(SimpleDisplay, MarkerFillsNinetyFivePercentOfTheSquare) {
  struct Case {
    kestSimpleMarkerStyle style;
    bool section;
    bool mapBounds;  // visible bounds of their own instead of the pixel frame
  };
  for (Case each : {Case{kestSMSSquare, true, false}, Case{kestSMSCircle, false, true}}) {
    SCOPED_TRACE(std::string(each.style == kestSMSSquare ? "square" : "circle") +
                 (each.section ? " in a section" : " in a compatible bitmap") +
                 (each.mapBounds ? " with map bounds" : ""));
    Canvas canvas(32, 32, each.section);
    Display made = MakeDisplay(32, 32);
    if (each.mapBounds) {
      CComPtr<IEnvelope> bounds;
      ASSERT_EQ(bounds.CoCreateInstance(CLSID_Envelope), S_OK);
      ASSERT_EQ(bounds->PutCoords(10.0, 20.0, 110.0, 120.0), S_OK);
      ASSERT_EQ(made.transformation->put_VisibleBounds(bounds), S_OK);
    }
    CComPtr<IEnvelope> visible;
    ASSERT_EQ(made.transformation->get_VisibleBounds(&visible), S_OK);
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    ASSERT_EQ(visible->QueryCoords(&xMin, &yMin, &xMax, &yMax), S_OK);
    double points = 0.0;
    ASSERT_EQ(made.transformation->ToPoints(0.95 * (xMax - xMin), &points), S_OK);
    EXPECT_NEAR(points, 0.95 * 32 * 72 / 96, 1e-9);

    CComPtr<ISimpleMarkerSymbol> marker = MakeMarker(each.style, MakeColour(kInk));
    ASSERT_EQ(marker->put_Size(points), S_OK);
    ASSERT_EQ(DrawOnce(made.display, canvas, marker, NewPoint((xMin + xMax) / 2, (yMin + yMax) / 2)), S_OK);

    for (auto [x, y] : {std::pair{0, 0}, {31, 0}, {0, 31}, {31, 31}, {0, 16}, {16, 31}}) {
      EXPECT_EQ(canvas.At(x, y), kBackground) << x << "," << y;
    }
    for (auto [x, y] : {std::pair{15, 15}, {16, 16}, {16, 1}, {1, 15}, {30, 16}, {15, 30}}) {
      EXPECT_EQ(canvas.At(x, y), kInk) << x << "," << y;
    }
    // Only the square reaches into the corners.
    EXPECT_EQ(canvas.At(3, 3), each.style == kestSMSSquare ? kInk : kBackground);
    EXPECT_EQ(canvas.At(28, 28), each.style == kestSMSSquare ? kInk : kBackground);
  }
}

TEST(SimpleDisplay, MarkersLandWhereTheMapPutsThemTurnedByTheirAngle) {
  Canvas canvas(64, 32, true);
  Display made = MakeDisplay(64, 32);
  CComPtr<ISimpleMarkerSymbol> marker = MakeMarker(kestSMSSquare, MakeColour(kInk));
  // 1.5 points are 2 pixels at 96 dpi; map y grows upwards.
  ASSERT_EQ(marker->put_Size(1.5), S_OK);
  CComPtr<IGeometry> multipoint;
  ASSERT_EQ(multipoint.CoCreateInstance(CLSID_Multipoint), S_OK);
  CComQIPtr<IPointCollection> points(multipoint);
  ASSERT_EQ(points->AddPoint(NewPoint(10, 8), nullptr, nullptr), S_OK);
  ASSERT_EQ(points->AddPoint(NewPoint(50, 30), nullptr, nullptr), S_OK);
  ASSERT_EQ(made.display->StartDrawing(canvas.Handle(), 0), S_OK);
  ASSERT_EQ(made.display->SetSymbol(CComQIPtr<ISymbol>(marker)), S_OK);
  ASSERT_EQ(made.display->DrawMultipoint(multipoint), S_OK);
  ASSERT_EQ(made.display->FinishDrawing(), S_OK);
  std::vector<std::pair<int, int>> inked;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 64; ++x) {
      if (canvas.At(x, y) == kInk) inked.emplace_back(x, y);
    }
  }
  const std::vector<std::pair<int, int>> expected{{49, 1}, {50, 1}, {49, 2}, {50, 2},
                                                  {9, 23}, {10, 23}, {9, 24}, {10, 24}};
  EXPECT_EQ(inked, expected);

  // A square of 20 pixels turned by 45 degrees stands on a corner.
  Canvas turned(32, 32, false);
  ASSERT_EQ(made.transformation->PutDeviceFrame(0, 0, 32, 32), S_OK);
  ASSERT_EQ(marker->put_Size(15.0), S_OK);
  ASSERT_EQ(marker->put_Angle(45.0), S_OK);
  ASSERT_EQ(DrawOnce(made.display, turned, marker, NewPoint(16, 16)), S_OK);
  EXPECT_EQ(turned.At(16 + 12, 15), kInk);  // beyond the upright square's side
  EXPECT_EQ(turned.At(16 + 7, 16 + 7), kBackground);  // inside the upright square's corner
  EXPECT_EQ(turned.At(15, 16 - 12), kInk);
}

TEST(SimpleDisplay, DrawingNeedsAContextAMarkerAndAPoint) {
  Canvas canvas(8, 8, true);
  Display made = MakeDisplay(8, 8);
  CComPtr<IRgbColor> ink = MakeColour(kInk);
  CComPtr<ISimpleMarkerSymbol> marker = MakeMarker(kestSMSSquare, ink);
  CComPtr<IPoint> middle = NewPoint(4, 4);
  IDisplay* display = made.display;

  EXPECT_EQ(display->DrawPoint(middle), E_UNEXPECTED);
  EXPECT_EQ(display->FinishDrawing(), E_UNEXPECTED);
  EXPECT_EQ(display->StartDrawing(0, 0), E_INVALIDARG);

  ASSERT_EQ(display->StartDrawing(canvas.Handle(), 0), S_OK);
  EXPECT_EQ(display->DrawPoint(middle), E_FAIL);  // no symbol yet
  EXPECT_EQ(display->SetSymbol(CComQIPtr<ISymbol>(marker)), S_OK);
  EXPECT_EQ(display->DrawPoint(nullptr), E_POINTER);
  CComPtr<IGeometry> envelope;
  ASSERT_EQ(envelope.CoCreateInstance(CLSID_Envelope), S_OK);
  EXPECT_EQ(display->DrawPoint(envelope), E_INVALIDARG);
  // A clear colour draws nothing; half transparency blends with the white.
  // Symbols keep copies of their colours: a changed colour is given again.
  EXPECT_EQ(ink->put_Transparency(0), S_OK);
  EXPECT_EQ(marker->put_Color(ink), S_OK);
  EXPECT_EQ(display->DrawPoint(middle), S_OK);
  EXPECT_EQ(canvas.At(4, 4), kBackground);
  EXPECT_EQ(ink->put_Transparency(128), S_OK);
  EXPECT_EQ(marker->put_Color(ink), S_OK);
  EXPECT_EQ(display->DrawPoint(middle), S_OK);
  const COLORREF blended = canvas.At(4, 4);
  EXPECT_NEAR(GetRValue(blended), (200 + 255) / 2, 2);
  EXPECT_NEAR(GetGValue(blended), (30 + 255) / 2, 2);
  EXPECT_NEAR(GetBValue(blended), (90 + 255) / 2, 2);
  EXPECT_EQ(display->FinishDrawing(), S_OK);
}

}  // namespace
