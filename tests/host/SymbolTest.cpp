// The host's colours, symbols and display filter: their defaults, the
// ranges they hold values to, colours copied in and out, and their records
// in a variant stream. The simple display drawing markers into bitmaps, the
// way marker textures are made: the display transformation set to the
// bitmap's pixel frame, the marker sized to 95 % of it and drawn at the
// middle of the visible bounds.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "frame/HostCollections.h"
#include "frame/HostDisplay.h"
#include "frame/HostGuids.h"
#include "frame/HostSymbols.h"
#include "platform/ComBstr.h"
#include "platform/ComPtr.h"
#include "platform/ComVariant.h"
#include "platform/Gdi.h"
#include "tests/support/GetProperty.h"

namespace {

using zelph::test::Get;
using zelph::test::Make;
using zelph::test::NewPoint;
using zelph::test::StreamWith;

struct Rgba {
  LONG red, green, blue;
  BYTE transparency;
  bool operator==(const Rgba&) const = default;
};

Rgba Components(IUnknown* color) {
  return {Get(color, &IRgbColor::get_Red), Get(color, &IRgbColor::get_Green), Get(color, &IRgbColor::get_Blue),
          Get(color, &IColor::get_Transparency)};
}

template <class Symbol>
Rgba ColorOf(Symbol* symbol) {
  CComPtr<IColor> color;
  EXPECT_EQ(symbol->get_Color(&color), S_OK);
  return color ? Components(color) : Rgba{-1, -1, -1, 0};
}

CComPtr<IRgbColor> NewColor(LONG red, LONG green, LONG blue, BYTE transparency = 255) {
  CComPtr<IRgbColor> color = Make<IRgbColor>(CLSID_RgbColor);
  EXPECT_EQ(color->put_Red(red), S_OK);
  EXPECT_EQ(color->put_Green(green), S_OK);
  EXPECT_EQ(color->put_Blue(blue), S_OK);
  EXPECT_EQ(color->put_Transparency(transparency), S_OK);
  return color;
}

TEST(Symbol, ColorsHoldTheirComponentsApartAndAreCopiedInAndOut) {
  CComPtr<IRgbColor> color = Make<IRgbColor>(CLSID_RgbColor);
  EXPECT_EQ(Components(color), (Rgba{0, 0, 0, 255}));
  ASSERT_EQ(color->put_Red(0x12), S_OK);
  ASSERT_EQ(color->put_Green(0x34), S_OK);
  ASSERT_EQ(color->put_Blue(0xFF), S_OK);
  EXPECT_EQ(Get(color, &IColor::get_RGB), 0x00FF3412);
  ASSERT_EQ(color->put_Transparency(7), S_OK);
  ASSERT_EQ(color->put_RGB(0x00563412), S_OK);
  EXPECT_EQ(Components(color), (Rgba{0x12, 0x34, 0x56, 7}));
  EXPECT_EQ(color->put_Red(-1), E_INVALIDARG);
  EXPECT_EQ(color->put_Red(256), E_INVALIDARG);
  EXPECT_EQ(color->put_RGB(0x01000000), E_INVALIDARG);
  EXPECT_EQ(Components(color), (Rgba{0x12, 0x34, 0x56, 7}));

  CComPtr<ISimpleLineSymbol> line = Make<ISimpleLineSymbol>(CLSID_SimpleLineSymbol);
  CComPtr<IRgbColor> red = NewColor(255, 0, 0, 128);
  ASSERT_EQ(line->put_Color(red), S_OK);
  ASSERT_EQ(red->put_Green(200), S_OK);  // the symbol keeps its copy
  EXPECT_EQ(ColorOf(line.p), (Rgba{255, 0, 0, 128}));
  EXPECT_EQ(line->put_Color(nullptr), E_POINTER);
}

TEST(Symbol, DefaultsRangesOutlinesLayersAndFilter) {
  CComPtr<ISimpleLineSymbol> line = Make<ISimpleLineSymbol>(CLSID_SimpleLineSymbol);
  EXPECT_EQ(line->put_Width(-0.5), E_INVALIDARG);
  EXPECT_EQ(line->put_Width(NAN), E_INVALIDARG);
  EXPECT_EQ(line->put_Style(static_cast<kestSimpleLineStyle>(7)), E_INVALIDARG);
  EXPECT_EQ(Get(line, &ILineSymbol::get_Width), 1.0);
  EXPECT_EQ(Make<ISimpleMarkerSymbol>(CLSID_SimpleMarkerSymbol)->put_Size(INFINITY), E_INVALIDARG);
  CComPtr<ITemplate> pattern = Make<ITemplate>(CLSID_Template);
  EXPECT_EQ(pattern->put_Interval(0.0), E_INVALIDARG);
  EXPECT_EQ(pattern->put_Interval(NAN), E_INVALIDARG);
  EXPECT_EQ(pattern->AddPatternElement(-1, 1), E_INVALIDARG);
  ASSERT_EQ(pattern->AddPatternElement(3, 1), S_OK);
  double mark = 0, gap = 0;
  EXPECT_EQ(pattern->QueryPatternElement(0, &mark, &gap), S_OK);
  EXPECT_EQ(mark, 3.0);
  EXPECT_EQ(gap, 1.0);
  EXPECT_EQ(pattern->QueryPatternElement(1, &mark, &gap), E_INVALIDARG);
  // A fill comes with a simple line outline, which may be taken away.
  CComPtr<ISimpleFillSymbol> fill = Make<ISimpleFillSymbol>(CLSID_SimpleFillSymbol);
  EXPECT_TRUE(CComQIPtr<ISimpleLineSymbol>(Get(fill, &IFillSymbol::get_Outline)));
  EXPECT_EQ(fill->put_Outline(nullptr), S_OK);
  EXPECT_FALSE(Get(fill, &IFillSymbol::get_Outline));
  CComPtr<IMultiLayerFillSymbol> layers = Make<IMultiLayerFillSymbol>(CLSID_MultiLayerFillSymbol);
  EXPECT_EQ(layers->AddLayer(CComQIPtr<IFillSymbol>(fill)), S_OK);
  EXPECT_EQ(layers->AddLayer(layers), E_INVALIDARG);
  CComPtr<IFillSymbol> layer;
  EXPECT_EQ(layers->get_Layer(0, &layer), S_OK);
  EXPECT_TRUE(layer.IsEqualObject(fill));
  EXPECT_EQ(layers->get_Layer(1, &layer), E_INVALIDARG);
  EXPECT_FALSE(layer);

  CComPtr<ITransparencyDisplayFilter> filter = Make<ITransparencyDisplayFilter>(CLSID_TransparencyDisplayFilter);
  EXPECT_EQ(filter->put_Transparency(0), S_OK);
  EXPECT_EQ(filter->put_Transparency(256), E_INVALIDARG);
  EXPECT_EQ(Get(filter, &ITransparencyDisplayFilter::get_Transparency), 0);
}

// The object written and read back through a stream, as `Interface`.
template <class Interface>
CComPtr<Interface> Reloaded(IUnknown* object) {
  CComPtr<IVariantStream> stream = zelph::test::NewStream();
  EXPECT_EQ(stream->Write(CComVariant(object)), S_OK);
  CComVariant value;
  EXPECT_EQ(stream->Read(&value), S_OK);
  CComQIPtr<Interface> copy(value.punkVal);
  EXPECT_TRUE(copy);
  EXPECT_FALSE(copy.IsEqualObject(object));
  return copy;
}

TEST(Symbol, SymbolsComeBackFromTheirRecords) {
  EXPECT_EQ(Components(Reloaded<IRgbColor>(NewColor(1, 2, 3, 4))), (Rgba{1, 2, 3, 4}));

  CComPtr<ISimpleLineSymbol> line = Make<ISimpleLineSymbol>(CLSID_SimpleLineSymbol);
  ASSERT_EQ(line->put_Color(NewColor(10, 20, 30, 40)), S_OK);
  ASSERT_EQ(line->put_Width(2.5), S_OK);
  ASSERT_EQ(line->put_Style(kestSLSDashDotDot), S_OK);
  CComPtr<ISimpleLineSymbol> lineCopy = Reloaded<ISimpleLineSymbol>(line);
  EXPECT_EQ(Get(lineCopy, &ISimpleLineSymbol::get_Style), kestSLSDashDotDot);
  EXPECT_EQ(Get(lineCopy, &ILineSymbol::get_Width), 2.5);
  EXPECT_EQ(ColorOf(lineCopy.p), (Rgba{10, 20, 30, 40}));

  CComPtr<ILineSymbol> cartographic = Make<ILineSymbol>(CLSID_CartographicLineSymbol);
  CComPtr<ITemplate> pattern = Make<ITemplate>(CLSID_Template);
  ASSERT_EQ(pattern->put_Interval(4), S_OK);
  ASSERT_EQ(pattern->AddPatternElement(2, 1), S_OK);
  ASSERT_EQ(pattern->AddPatternElement(0.5, 3), S_OK);
  ASSERT_EQ(CComQIPtr<ILineProperties>(cartographic)->putref_Template(pattern), S_OK);
  CComPtr<ITemplate> patternCopy = Get(Reloaded<ILineSymbol>(cartographic), &ILineProperties::get_Template);
  ASSERT_TRUE(patternCopy);
  double mark = 0, gap = 0;
  EXPECT_EQ(patternCopy->QueryPatternElement(1, &mark, &gap), S_OK);
  EXPECT_EQ(Get(patternCopy, &ITemplate::get_Interval), 4.0);
  EXPECT_EQ(Get(patternCopy, &ITemplate::get_PatternElementCount), 2);
  EXPECT_EQ(mark, 0.5);
  EXPECT_EQ(gap, 3.0);
}

TEST(Symbol, RecordsThatBreakTheRulesLeaveTheSymbolAsItWas) {
  // A simple line record: colour, transparency, width, style.
  auto record = [](LONG rgb, double width, INT style) {
    CComVariant transparency;
    transparency.vt = VT_UI1;
    transparency.bVal = 255;
    return StreamWith(
        {CComVariant(static_cast<int>(rgb)), transparency, CComVariant(width), CComVariant(style, VT_INT)});
  };
  CComPtr<ISimpleLineSymbol> line = Make<ISimpleLineSymbol>(CLSID_SimpleLineSymbol);
  CComQIPtr<IPersistVariant> persist(line);
  ASSERT_EQ(persist->Load(record(0x0000FF, 4.0, kestSLSDot)), S_OK);
  EXPECT_EQ(ColorOf(line.p), (Rgba{255, 0, 0, 255}));
  EXPECT_EQ(persist->Load(record(0x0000FF00, -4.0, kestSLSDash)), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(persist->Load(record(0x0000FF00, 1.0, 99)), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(persist->Load(zelph::test::NewStream()), E_FAIL);
  EXPECT_EQ(persist->Load(nullptr), E_POINTER);
  EXPECT_EQ(Get(line, &ILineSymbol::get_Width), 4.0);
  EXPECT_EQ(Get(line, &ISimpleLineSymbol::get_Style), kestSLSDot);
  EXPECT_EQ(ColorOf(line.p), (Rgba{255, 0, 0, 255}));
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
  // A square in a section with the pixel frame as its bounds, a circle in a
  // compatible bitmap with visible bounds of their own.
  for (bool square : {true, false}) {
    SCOPED_TRACE(square ? "square" : "circle");
    Canvas canvas(32, 32, square);
    Display made = MakeDisplay(32, 32);
    if (!square) {
      CComPtr<IEnvelope> bounds = Make<IEnvelope>(CLSID_Envelope);
      ASSERT_EQ(bounds->PutCoords(10.0, 20.0, 110.0, 120.0), S_OK);
      ASSERT_EQ(made.transformation->put_VisibleBounds(bounds), S_OK);
    }
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0, points = 0.0;
    ASSERT_EQ(Get(made.transformation, &IDisplayTransformation::get_VisibleBounds)
                  ->QueryCoords(&xMin, &yMin, &xMax, &yMax),
              S_OK);
    ASSERT_EQ(made.transformation->ToPoints(0.95 * (xMax - xMin), &points), S_OK);
    EXPECT_NEAR(points, 0.95 * 32 * 72 / 96, 1e-9);

    CComPtr<ISimpleMarkerSymbol> marker =
        MakeMarker(square ? kestSMSSquare : kestSMSCircle, NewColor(200, 30, 90));
    ASSERT_EQ(marker->put_Size(points), S_OK);
    ASSERT_EQ(DrawOnce(made.display, canvas, marker, NewPoint((xMin + xMax) / 2, (yMin + yMax) / 2)), S_OK);

    for (auto [x, y] : {std::pair{0, 0}, {31, 0}, {0, 31}, {31, 31}, {0, 16}, {16, 31}}) {
      EXPECT_EQ(canvas.At(x, y), kBackground) << x << "," << y;
    }
    for (auto [x, y] : {std::pair{15, 15}, {16, 16}, {16, 1}, {1, 15}, {30, 16}, {15, 30}}) {
      EXPECT_EQ(canvas.At(x, y), kInk) << x << "," << y;
    }
    // Only the square reaches into the corners.
    EXPECT_EQ(canvas.At(3, 3), square ? kInk : kBackground);
    EXPECT_EQ(canvas.At(28, 28), square ? kInk : kBackground);
  }
}

TEST(SimpleDisplay, MarkersLandWhereTheMapPutsThemTurnedByTheirAngleAndBlended) {
  Canvas canvas(64, 32, true);
  Display made = MakeDisplay(64, 32);
  CComPtr<IRgbColor> ink = NewColor(200, 30, 90);
  CComPtr<ISimpleMarkerSymbol> marker = MakeMarker(kestSMSSquare, ink);
  IDisplay* display = made.display;
  CComPtr<IPoint> middle = NewPoint(4, 4);
  EXPECT_EQ(display->DrawPoint(middle), E_UNEXPECTED);
  EXPECT_EQ(display->FinishDrawing(), E_UNEXPECTED);
  EXPECT_EQ(display->StartDrawing(0, 0), E_INVALIDARG);
  // 1.5 points are 2 pixels at 96 dpi; map y grows upwards.
  ASSERT_EQ(marker->put_Size(1.5), S_OK);
  CComPtr<IGeometry> multipoint = Make<IGeometry>(CLSID_Multipoint);
  CComQIPtr<IPointCollection> points(multipoint);
  ASSERT_EQ(points->AddPoint(NewPoint(10, 8), nullptr, nullptr), S_OK);
  ASSERT_EQ(points->AddPoint(NewPoint(50, 30), nullptr, nullptr), S_OK);
  ASSERT_EQ(display->StartDrawing(canvas.Handle(), 0), S_OK);
  EXPECT_EQ(display->DrawPoint(middle), E_FAIL);  // no symbol yet
  ASSERT_EQ(display->SetSymbol(CComQIPtr<ISymbol>(marker)), S_OK);
  EXPECT_EQ(display->DrawPoint(nullptr), E_POINTER);
  EXPECT_EQ(display->DrawPoint(Make<IGeometry>(CLSID_Envelope)), E_INVALIDARG);
  ASSERT_EQ(display->DrawMultipoint(multipoint), S_OK);
  std::vector<std::pair<int, int>> inked;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 64; ++x) {
      if (canvas.At(x, y) == kInk) inked.emplace_back(x, y);
    }
  }
  const std::vector<std::pair<int, int>> expected{{49, 1}, {50, 1}, {49, 2}, {50, 2},
                                                  {9, 23}, {10, 23}, {9, 24}, {10, 24}};
  EXPECT_EQ(inked, expected);
  // A clear colour draws nothing; half transparency blends with the white.
  // Symbols keep copies of their colours: a changed colour is given again.
  EXPECT_EQ(ink->put_Transparency(0), S_OK);
  EXPECT_EQ(marker->put_Color(ink), S_OK);
  EXPECT_EQ(display->DrawPoint(middle), S_OK);
  EXPECT_EQ(canvas.At(4, 27), kBackground);
  EXPECT_EQ(ink->put_Transparency(128), S_OK);
  EXPECT_EQ(marker->put_Color(ink), S_OK);
  EXPECT_EQ(display->DrawPoint(middle), S_OK);
  const COLORREF blended = canvas.At(4, 27);
  EXPECT_NEAR(GetRValue(blended), (200 + 255) / 2, 2);
  EXPECT_NEAR(GetGValue(blended), (30 + 255) / 2, 2);
  EXPECT_NEAR(GetBValue(blended), (90 + 255) / 2, 2);
  EXPECT_EQ(display->FinishDrawing(), S_OK);
  // A square of 20 pixels turned by 45 degrees stands on a corner.
  Canvas turned(32, 32, false);
  ASSERT_EQ(made.transformation->PutDeviceFrame(0, 0, 32, 32), S_OK);
  ASSERT_EQ(ink->put_Transparency(255), S_OK);
  ASSERT_EQ(marker->put_Color(ink), S_OK);
  ASSERT_EQ(marker->put_Size(15.0), S_OK);
  ASSERT_EQ(marker->put_Angle(45.0), S_OK);
  ASSERT_EQ(DrawOnce(display, turned, marker, NewPoint(16, 16)), S_OK);
  EXPECT_EQ(turned.At(16 + 12, 15), kInk);  // beyond the upright square's side
  EXPECT_EQ(turned.At(16 + 7, 16 + 7), kBackground);  // inside the upright square's corner
  EXPECT_EQ(turned.At(15, 16 - 12), kInk);
}

}  // namespace
