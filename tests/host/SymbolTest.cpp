// The host's colours, symbols and display filter: their defaults, the
// ranges they hold values to, colours copied in and out, and their records
// in a variant stream.
#include <gtest/gtest.h>

#include <cmath>

#include "frame/ComObject.h"
#include "frame/HostCollections.h"
#include "frame/HostDisplay.h"
#include "frame/HostGuids.h"
#include "frame/HostSymbols.h"
#include "platform/ClassRegistry.h"
#include "platform/ComBstr.h"
#include "platform/ComPtr.h"
#include "platform/ComVariant.h"
#include "tests/support/HostObjects.h"

namespace {

using zelph::test::Make;

struct Rgba {
  LONG red, green, blue;
  BYTE transparency;
  bool operator==(const Rgba&) const = default;
};

Rgba Components(IColor* color) {
  CComQIPtr<IRgbColor> rgb(color);
  Rgba value{-1, -1, -1, 0};
  EXPECT_EQ(rgb->get_Red(&value.red), S_OK);
  EXPECT_EQ(rgb->get_Green(&value.green), S_OK);
  EXPECT_EQ(rgb->get_Blue(&value.blue), S_OK);
  EXPECT_EQ(rgb->get_Transparency(&value.transparency), S_OK);
  return value;
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

// A colour of another maker that answers only IColor.
class PlainColor : public zelph::ComObjectRoot, public IColor {
 public:
  using InterfaceMap = zelph::InterfaceMap<IColor>;
  STDMETHODIMP get_RGB(LONG* rgb) override { return *rgb = m_Rgb, S_OK; }
  STDMETHODIMP put_RGB(LONG rgb) override { return m_Rgb = rgb, S_OK; }
  STDMETHODIMP get_Transparency(BYTE* transparency) override { return *transparency = 40, S_OK; }
  STDMETHODIMP put_Transparency(BYTE) override { return E_NOTIMPL; }
  LONG m_Rgb = 0x00332211;
};

TEST(Symbol, ColorsHoldTheirComponentsApartAndInRange) {
  CComPtr<IRgbColor> color = Make<IRgbColor>(CLSID_RgbColor);
  EXPECT_EQ(Components(color), (Rgba{0, 0, 0, 255}));
  ASSERT_EQ(color->put_Red(0x12), S_OK);
  ASSERT_EQ(color->put_Green(0x34), S_OK);
  ASSERT_EQ(color->put_Blue(0xFF), S_OK);
  LONG rgb = 0;
  EXPECT_EQ(color->get_RGB(&rgb), S_OK);
  EXPECT_EQ(rgb, 0x00FF3412);
  ASSERT_EQ(color->put_Transparency(7), S_OK);
  ASSERT_EQ(color->put_RGB(0x00563412), S_OK);
  EXPECT_EQ(Components(color), (Rgba{0x12, 0x34, 0x56, 7}));

  for (LONG bad : {-1L, 256L}) {
    EXPECT_EQ(color->put_Red(bad), E_INVALIDARG);
  }
  EXPECT_EQ(color->put_RGB(0x01000000), E_INVALIDARG);
  EXPECT_EQ(Components(color), (Rgba{0x12, 0x34, 0x56, 7}));
}

TEST(Symbol, ColorsAreCopiedInAndOut) {
  CComPtr<ISimpleLineSymbol> line = Make<ISimpleLineSymbol>(CLSID_SimpleLineSymbol);
  CComPtr<IRgbColor> red = NewColor(255, 0, 0, 128);
  ASSERT_EQ(line->put_Color(red), S_OK);
  ASSERT_EQ(red->put_Green(200), S_OK);  // the symbol keeps its copy
  EXPECT_EQ(ColorOf(line.p), (Rgba{255, 0, 0, 128}));

  // A colour that offers no IRgbColor is read through its packed RGB.
  zelph::ComObject<PlainColor>* plain = nullptr;
  ASSERT_EQ(zelph::ComObject<PlainColor>::CreateInstance(&plain), S_OK);
  CComPtr<IColor> foreign(plain);
  CComPtr<IMarkerSymbol> marker = Make<IMarkerSymbol>(CLSID_SimpleMarkerSymbol);
  ASSERT_EQ(marker->put_Color(foreign), S_OK);
  EXPECT_EQ(ColorOf(marker.p), (Rgba{0x11, 0x22, 0x33, 40}));
  plain->m_Rgb = 0x7F000000;  // bits no colour has
  EXPECT_EQ(marker->put_Color(foreign), E_INVALIDARG);
  EXPECT_EQ(marker->put_Color(nullptr), E_POINTER);
  EXPECT_EQ(ColorOf(marker.p), (Rgba{0x11, 0x22, 0x33, 40}));
}

TEST(Symbol, SymbolsKeepTheirRanges) {
  CComPtr<ISimpleLineSymbol> line = Make<ISimpleLineSymbol>(CLSID_SimpleLineSymbol);
  EXPECT_EQ(line->put_Width(-0.5), E_INVALIDARG);
  EXPECT_EQ(line->put_Width(NAN), E_INVALIDARG);
  EXPECT_EQ(line->put_Style(static_cast<kestSimpleLineStyle>(7)), E_INVALIDARG);
  double width = 0;
  EXPECT_EQ(line->get_Width(&width), S_OK);
  EXPECT_EQ(width, 1.0);
  CComPtr<ISimpleMarkerSymbol> marker = Make<ISimpleMarkerSymbol>(CLSID_SimpleMarkerSymbol);
  EXPECT_EQ(marker->put_Size(INFINITY), E_INVALIDARG);

  CComPtr<ITemplate> pattern = Make<ITemplate>(CLSID_Template);
  for (double bad : {0.0, double{NAN}}) EXPECT_EQ(pattern->put_Interval(bad), E_INVALIDARG);
  EXPECT_EQ(pattern->AddPatternElement(-1, 1), E_INVALIDARG);
  ASSERT_EQ(pattern->AddPatternElement(3, 1), S_OK);
  double mark = 0, gap = 0;
  EXPECT_EQ(pattern->QueryPatternElement(0, &mark, &gap), S_OK);
  EXPECT_EQ(mark, 3.0);
  EXPECT_EQ(gap, 1.0);
  EXPECT_EQ(pattern->QueryPatternElement(1, &mark, &gap), E_INVALIDARG);
}

TEST(Symbol, FillOutlinesLayersAndFilter) {
  CComPtr<ISimpleFillSymbol> fill = Make<ISimpleFillSymbol>(CLSID_SimpleFillSymbol);
  CComPtr<ILineSymbol> outline;
  ASSERT_EQ(fill->get_Outline(&outline), S_OK);
  ASSERT_TRUE(CComQIPtr<ISimpleLineSymbol>(outline));
  EXPECT_EQ(fill->put_Outline(nullptr), S_OK);
  EXPECT_EQ(fill->get_Outline(&outline), S_OK);
  EXPECT_FALSE(outline);

  CComPtr<IMultiLayerFillSymbol> layers = Make<IMultiLayerFillSymbol>(CLSID_MultiLayerFillSymbol);
  EXPECT_EQ(layers->AddLayer(CComQIPtr<IFillSymbol>(fill)), S_OK);
  EXPECT_EQ(layers->AddLayer(layers), E_INVALIDARG);
  CComPtr<IFillSymbol> layer;
  EXPECT_EQ(layers->get_Layer(0, &layer), S_OK);
  EXPECT_TRUE(layer.IsEqualObject(fill));
  EXPECT_EQ(layers->get_Layer(1, &layer), E_INVALIDARG);
  EXPECT_FALSE(layer);

  CComPtr<ITransparencyDisplayFilter> filter = Make<ITransparencyDisplayFilter>(CLSID_TransparencyDisplayFilter);
  SHORT transparency = 0;
  EXPECT_EQ(filter->put_Transparency(0), S_OK);
  EXPECT_EQ(filter->put_Transparency(256), E_INVALIDARG);
  EXPECT_EQ(filter->get_Transparency(&transparency), S_OK);
  EXPECT_EQ(transparency, 0);
}

// The object written and read back through a stream, as `Interface`.
template <class Interface>
CComPtr<Interface> Reloaded(IUnknown* object) {
  CComPtr<IVariantStream> stream = Make<IVariantStream>(CLSID_MemoryVariantStream);
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
  line->put_Color(NewColor(10, 20, 30, 40));
  line->put_Width(2.5);
  line->put_Style(kestSLSDashDotDot);
  CComPtr<ISimpleLineSymbol> lineCopy = Reloaded<ISimpleLineSymbol>(line);
  kestSimpleLineStyle style = kestSLSSolid;
  double width = 0;
  lineCopy->get_Style(&style);
  lineCopy->get_Width(&width);
  EXPECT_EQ(style, kestSLSDashDotDot);
  EXPECT_EQ(width, 2.5);
  EXPECT_EQ(ColorOf(lineCopy.p), (Rgba{10, 20, 30, 40}));

  CComPtr<ILineSymbol> cartographic = Make<ILineSymbol>(CLSID_CartographicLineSymbol);
  CComPtr<ITemplate> pattern = Make<ITemplate>(CLSID_Template);
  pattern->put_Interval(4);
  pattern->AddPatternElement(2, 1);
  pattern->AddPatternElement(0.5, 3);
  CComQIPtr<ILineProperties>(cartographic)->putref_Template(pattern);
  CComPtr<ITemplate> patternCopy;
  CComQIPtr<ILineProperties>(Reloaded<ILineSymbol>(cartographic))->get_Template(&patternCopy);
  ASSERT_TRUE(patternCopy);
  double interval = 0, mark = 0, gap = 0;
  LONG elements = 0;
  patternCopy->get_Interval(&interval);
  patternCopy->get_PatternElementCount(&elements);
  EXPECT_EQ(patternCopy->QueryPatternElement(1, &mark, &gap), S_OK);
  EXPECT_EQ(interval, 4.0);
  EXPECT_EQ(elements, 2);
  EXPECT_EQ(mark, 0.5);
  EXPECT_EQ(gap, 3.0);
}

TEST(Symbol, RecordsThatBreakTheRulesLeaveTheSymbolAsItWas) {
  // A simple line record: colour, transparency, width, style.
  auto record = [](LONG rgb, double width, INT style) {
    CComPtr<IVariantStream> stream = Make<IVariantStream>(CLSID_MemoryVariantStream);
    stream->Write(CComVariant(static_cast<int>(rgb)));
    CComVariant transparency;
    transparency.vt = VT_UI1;
    transparency.bVal = 255;
    stream->Write(transparency);
    stream->Write(CComVariant(width));
    stream->Write(CComVariant(style, VT_INT));
    return stream;
  };
  CComPtr<ISimpleLineSymbol> line = Make<ISimpleLineSymbol>(CLSID_SimpleLineSymbol);
  CComQIPtr<IPersistVariant> persist(line);
  ASSERT_EQ(persist->Load(record(0x0000FF, 4.0, kestSLSDot)), S_OK);
  EXPECT_EQ(ColorOf(line.p), (Rgba{255, 0, 0, 255}));
  EXPECT_EQ(persist->Load(record(0x0000FF00, -4.0, kestSLSDash)), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(persist->Load(record(0x0000FF00, 1.0, 99)), DISP_E_TYPEMISMATCH);
  CComPtr<IVariantStream> empty = Make<IVariantStream>(CLSID_MemoryVariantStream);
  EXPECT_EQ(persist->Load(empty), E_FAIL);
  EXPECT_EQ(persist->Load(nullptr), E_POINTER);
  double width = 0;
  kestSimpleLineStyle style = kestSLSSolid;
  line->get_Width(&width);
  line->get_Style(&style);
  EXPECT_EQ(width, 4.0);
  EXPECT_EQ(style, kestSLSDot);
  EXPECT_EQ(ColorOf(line.p), (Rgba{255, 0, 0, 255}));
}

}  // namespace
