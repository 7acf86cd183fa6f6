#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "frame/FontInterfaces.h"
#include "frame/Guids.h"
#include "frame/HostSymbols.h"
#include "tests/support/ComponentTest.h"

namespace zelph::test {

// Defined with the ellipsoid tests.
void ExpectSameRecord(IUnknown* expected, IUnknown* actual);

namespace {

using BillboardTest = ComponentTest;

const CLSID* const kBillboardClasses[] = {&CLSID_Billboard3D, &CLSID_LabeledBillboard3D};

kestGLUpdateLevel LevelOf(IUnknown* graphic) {
  kestGLUpdateLevel level = kestGLUpdateMajor;
  EXPECT_EQ(CComQIPtr<IUpdate3D>(graphic)->get_UpdateLevel(&level), S_OK);
  return level;
}

void ResetLevel(IUnknown* graphic) { ASSERT_EQ(CComQIPtr<IUpdate3D>(graphic)->put_UpdateLevel(kestGLUpdateNone), S_OK); }

bool SameObject(IUnknown* a, IUnknown* b) {
  CComPtr<IUnknown> identityA, identityB;
  if (a) a->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identityA));
  if (b) b->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identityB));
  return identityA == identityB;
}

std::vector<double> SizesOf(IBillboard3D* billboard) {
  std::vector<double> sizes(2);
  EXPECT_EQ(billboard->QuerySize(&sizes[0], &sizes[1]), S_OK);
  return sizes;
}

CComPtr<IArray> LabelsOf(ILabeledBillboard3D* billboard) {
  CComPtr<IArray> labels;
  EXPECT_EQ(billboard->get_Labels(&labels), S_OK);
  return labels;
}

LONG LabelCount(ILabeledBillboard3D* billboard) {
  LONG count = -1;
  EXPECT_EQ(LabelsOf(billboard)->get_Count(&count), S_OK);
  return count;
}

CComPtr<IUnknown> LabelAt(ILabeledBillboard3D* billboard, LONG index) {
  CComPtr<IUnknown> label;
  EXPECT_EQ(LabelsOf(billboard)->get_Element(index, &label), S_OK);
  return label;
}

CComPtr<IBillboardLabel3D> NewLabel(const wchar_t* text, double angle) {
  CComPtr<IBillboardLabel3D> label = Make<IBillboardLabel3D>(CLSID_BillboardLabel3D);
  EXPECT_EQ(label->put_Text(CComBSTR(text)), S_OK);
  EXPECT_EQ(label->put_Angle(angle), S_OK);
  EXPECT_EQ(label->put_HAOption(kestGLHAlignCenter), S_OK);
  EXPECT_EQ(label->put_AutoArrange(VARIANT_FALSE), S_OK);
  EXPECT_EQ(label->put_ManualRadius(2.5), S_OK);
  return label;
}

// The billboard's own stored properties, away from their defaults.
void SetBillboardProperties(IBillboard3D* billboard) {
  ASSERT_EQ(billboard->PutSize(3, 4), S_OK);
  CComQIPtr<IGraphic3D> graphic{billboard};
  ASSERT_EQ(graphic->putref_Centroid(NewPoint(7, 8)), S_OK);
  ASSERT_EQ(graphic->put_Name(CComBSTR(L"board")), S_OK);
  ASSERT_EQ(graphic->put_Transparency(50), S_OK);
  ASSERT_EQ(CComQIPtr<ICallout3D>(billboard)->put_WindVaneAzimuth(33), S_OK);
}

CComPtr<IVariantStream> StreamOf(const std::vector<CComVariant>& values) {
  CComPtr<IVariantStream> stream = NewStream();
  for (const CComVariant& value : values) EXPECT_EQ(stream->Write(value), S_OK);
  Rewind(stream);
  return stream;
}

TEST_F(BillboardTest, NewBillboardsAndLabelsHaveTheirDefaults) {
  for (const CLSID* clsid : kBillboardClasses) {
    CComPtr<IBillboard3D> billboard = Make<IBillboard3D>(*clsid);
    EXPECT_EQ(SizesOf(billboard), std::vector<double>({1, 1}));
    EXPECT_EQ(billboard->QuerySize(nullptr, nullptr), E_POINTER);
    CComPtr<IEllipsoid3D> sensor;
    ASSERT_EQ(billboard->get_SensorEllipsoid(&sensor), S_OK);
    EXPECT_FALSE(sensor);
    EXPECT_EQ(LevelOf(billboard), kestGLUpdateNone);

    CComQIPtr<IGraphic3D> graphic{billboard};
    ASSERT_EQ(graphic->putref_Centroid(NewPoint(10, 20)), S_OK);
    CComPtr<IEnvelope> extent;
    ASSERT_EQ(graphic->get_Extent(&extent), S_OK);
    std::vector<double> box(4);
    ASSERT_EQ(extent->QueryCoords(&box[0], &box[1], &box[2], &box[3]), S_OK);
    EXPECT_EQ(box, std::vector<double>({9.5, 19.5, 10.5, 20.5}));

    ResetLevel(billboard);
    EXPECT_EQ(billboard->PutSize(2, NAN), E_FAIL);
    EXPECT_EQ(billboard->put_YSize(NAN), E_FAIL);
    EXPECT_EQ(SizesOf(billboard), std::vector<double>({1, 1}));
    EXPECT_EQ(LevelOf(billboard), kestGLUpdateNone);
    ASSERT_EQ(billboard->PutSize(4, 0), S_OK);
    ASSERT_EQ(extent->QueryCoords(&box[0], &box[1], &box[2], &box[3]), S_OK);
    EXPECT_EQ(box, std::vector<double>({8, 20, 12, 20}));
    EXPECT_EQ(LevelOf(billboard), kestGLUpdateMinor);
  }

  CComPtr<ILabeledBillboard3D> labeled = Make<ILabeledBillboard3D>(CLSID_LabeledBillboard3D);
  CComPtr<ILabeledBillboard3D> other = Make<ILabeledBillboard3D>(CLSID_LabeledBillboard3D);
  CComPtr<IFont3D> font, otherFont;
  ASSERT_EQ(labeled->get_Font(&font), S_OK);
  ASSERT_EQ(other->get_Font(&otherFont), S_OK);
  EXPECT_TRUE(font);
  EXPECT_TRUE(SameObject(font, otherFont));  // the library's one default font
  EXPECT_EQ(LabelCount(labeled), 0);
  CComPtr<IRgbColor> color;
  ASSERT_EQ(labeled->get_FontColor(&color), S_OK);
  LONG red = -1, green = -1, blue = -1;
  ASSERT_EQ(color->get_Red(&red), S_OK);
  ASSERT_EQ(color->get_Green(&green), S_OK);
  ASSERT_EQ(color->get_Blue(&blue), S_OK);
  EXPECT_EQ(std::vector<LONG>({red, green, blue}), std::vector<LONG>({0, 0, 0}));
  VARIANT_BOOL enabled = VARIANT_FALSE;
  ASSERT_EQ(labeled->get_EnableLabels(&enabled), S_OK);
  EXPECT_EQ(enabled, VARIANT_TRUE);

  CComPtr<IBillboardLabel3D> label = Make<IBillboardLabel3D>(CLSID_BillboardLabel3D);
  EXPECT_EQ(label->put_Angle(NAN), E_FAIL);
  EXPECT_EQ(label->put_ManualRadius(NAN), E_FAIL);
  CComBSTR text;
  double angle = NAN, radius = NAN;
  kestGLHAlignOption align = kestGLHAlignRight;
  VARIANT_BOOL automatic = VARIANT_FALSE;
  ASSERT_EQ(label->get_Text(&text), S_OK);
  ASSERT_EQ(label->get_Angle(&angle), S_OK);
  ASSERT_EQ(label->get_HAOption(&align), S_OK);
  ASSERT_EQ(label->get_AutoArrange(&automatic), S_OK);
  ASSERT_EQ(label->get_ManualRadius(&radius), S_OK);
  EXPECT_EQ(Text(text), L"");
  EXPECT_EQ(angle, 0);
  EXPECT_EQ(align, kestGLHAlignLeft);
  EXPECT_EQ(automatic, VARIANT_TRUE);
  EXPECT_EQ(radius, 0);
}

TEST_F(BillboardTest, TheSensorEllipsoidFollowsTheBillboard) {
  for (const CLSID* clsid : kBillboardClasses) {
    CComPtr<IBillboard3D> billboard = Make<IBillboard3D>(*clsid);
    CComQIPtr<IGraphic3D> graphic{billboard};
    CComQIPtr<ICallout3D> callout{billboard};
    CComPtr<IEllipsoid3D> ellipsoid = Make<IEllipsoid3D>(CLSID_PartialEllipsoid3D);
    CComQIPtr<IGraphic3D> sensor{ellipsoid};
    CComQIPtr<ICallout3D> sensorCallout{ellipsoid};
    ASSERT_EQ(sensor->put_Transparency(128), S_OK);
    ASSERT_EQ(billboard->putref_SensorEllipsoid(ellipsoid), S_OK);
    EXPECT_EQ(LevelOf(billboard), kestGLUpdateNone);

    CComPtr<IPoint> point = NewPoint(10, 20), own, sensors;
    ASSERT_EQ(graphic->putref_Centroid(point), S_OK);
    EXPECT_EQ(LevelOf(billboard), kestGLUpdateLocation);
    ASSERT_EQ(graphic->get_Centroid(&own), S_OK);
    ASSERT_EQ(sensor->get_Centroid(&sensors), S_OK);
    EXPECT_TRUE(SameObject(own, point));
    EXPECT_TRUE(SameObject(sensors, point));

    // 200 x 128/255 = 100.39, cut to 100; a refused value is not passed on.
    LONG transparency = 0;
    ASSERT_EQ(graphic->put_Transparency(200), S_OK);
    EXPECT_EQ(graphic->put_Transparency(256), E_FAIL);
    ASSERT_EQ(sensor->get_Transparency(&transparency), S_OK);
    EXPECT_EQ(transparency, 100);

    ResetLevel(billboard);
    ASSERT_EQ(graphic->put_Visible(VARIANT_FALSE), S_OK);
    EXPECT_EQ(LevelOf(billboard), kestGLUpdateMinor);
    ASSERT_EQ(graphic->put_Selected(VARIANT_TRUE), S_OK);
    ASSERT_EQ(graphic->put_ThresholdElevation(250), S_OK);
    EXPECT_EQ(graphic->put_ThresholdElevation(NAN), E_FAIL);
    VARIANT_BOOL visible = VARIANT_TRUE, selected = VARIANT_FALSE;
    double threshold = 0;
    ASSERT_EQ(sensor->get_Visible(&visible), S_OK);
    ASSERT_EQ(sensor->get_Selected(&selected), S_OK);
    ASSERT_EQ(sensor->get_ThresholdElevation(&threshold), S_OK);
    EXPECT_EQ(visible, VARIANT_FALSE);
    EXPECT_EQ(selected, VARIANT_TRUE);
    EXPECT_EQ(threshold, 250);

    CComPtr<ISimpleLineSymbol> symbol = Make<ISimpleLineSymbol>(CLSID_SimpleLineSymbol), grid, line;
    CComPtr<IPoint> anchor = NewPoint(5, 6), sensorAnchor;
    ASSERT_EQ(callout->put_EnableCallout(VARIANT_TRUE), S_OK);
    ASSERT_EQ(callout->putref_CalloutLineSymbol(symbol), S_OK);
    ASSERT_EQ(callout->putref_CalloutAnchorLocation(anchor), S_OK);
    ASSERT_EQ(callout->put_WindVaneAzimuth(90), S_OK);
    ASSERT_EQ(callout->put_WindVaneSize(3), S_OK);
    VARIANT_BOOL enabled = VARIANT_FALSE;
    double azimuth = 0, size = 0;
    ASSERT_EQ(ellipsoid->get_GridSymbol(&grid), S_OK);
    ASSERT_EQ(sensorCallout->get_CalloutLineSymbol(&line), S_OK);
    ASSERT_EQ(sensorCallout->get_CalloutAnchorLocation(&sensorAnchor), S_OK);
    ASSERT_EQ(sensorCallout->get_EnableCallout(&enabled), S_OK);
    ASSERT_EQ(sensorCallout->get_WindVaneAzimuth(&azimuth), S_OK);
    ASSERT_EQ(sensorCallout->get_WindVaneSize(&size), S_OK);
    EXPECT_TRUE(SameObject(grid, symbol));
    EXPECT_TRUE(SameObject(line, symbol));
    EXPECT_TRUE(SameObject(sensorAnchor, anchor));
    EXPECT_EQ(enabled, VARIANT_TRUE);
    EXPECT_EQ(azimuth, 90);
    EXPECT_EQ(size, 3);
    EXPECT_EQ(LevelOf(billboard), kestGLUpdateMajor);
  }
}

TEST_F(BillboardTest, LabelsAreAddedAndCleared) {
  CComPtr<ILabeledBillboard3D> billboard = Make<ILabeledBillboard3D>(CLSID_LabeledBillboard3D);
  CComPtr<IBillboardLabel3D> second = NewLabel(L"b", 2);
  ASSERT_EQ(billboard->AddLabel(NewLabel(L"a", 1)), S_OK);
  ASSERT_EQ(billboard->AddLabel(second), S_OK);
  EXPECT_EQ(billboard->AddLabel(nullptr), E_FAIL);  // would make the list unstorable
  EXPECT_EQ(LabelCount(billboard), 2);
  EXPECT_TRUE(SameObject(LabelAt(billboard, 1), second));
  ResetLevel(billboard);
  ASSERT_EQ(billboard->ClearAllLabels(), S_OK);
  EXPECT_EQ(LabelCount(billboard), 0);
  EXPECT_EQ(LevelOf(billboard), kestGLUpdateMajor);
}

TEST_F(BillboardTest, BillboardsWithAndWithoutSensorSaveWholeAndLoadBack) {
  CComPtr<IBillboard3D> billboard = Make<IBillboard3D>(CLSID_Billboard3D);
  SetBillboardProperties(billboard);
  std::vector<CComVariant> values = SavedValues(billboard);
  ASSERT_GE(values.size(), 2u);
  EXPECT_EQ(values[0].vt, VT_R8);
  EXPECT_EQ(values[0].dblVal, 3);
  EXPECT_EQ(values[1].vt, VT_R8);
  EXPECT_EQ(values[1].dblVal, 4);

  // Without a sensor a default ellipsoid's record keeps the layout: the
  // loader stops right before what follows the record.
  values.push_back(CComVariant(L"after"));
  CComPtr<IVariantStream> stream = StreamOf(values);
  CComPtr<IBillboard3D> loaded = Make<IBillboard3D>(CLSID_Billboard3D);
  ASSERT_EQ(CComQIPtr<IPersistVariant>(loaded)->Load(stream), S_OK);
  std::vector<CComVariant> rest = ReadAll(stream);
  ASSERT_EQ(rest.size(), 1u);
  EXPECT_EQ(Text(rest[0].bstrVal), L"after");
  CComPtr<IEllipsoid3D> sensor;
  ASSERT_EQ(loaded->get_SensorEllipsoid(&sensor), S_OK);
  EXPECT_FALSE(sensor);
  EXPECT_EQ(SizesOf(loaded), std::vector<double>({3, 4}));
  CComBSTR name;
  ASSERT_EQ(CComQIPtr<IGraphic3D>(loaded)->get_Name(&name), S_OK);
  EXPECT_EQ(Text(name), L"board");

  // With a sensor: its record in line, and the ratio taken at attachment.
  CComPtr<IEllipsoid3D> ellipsoid = Make<IEllipsoid3D>(CLSID_Ellipsoid3D);
  ASSERT_EQ(CComQIPtr<IGraphic3D>(ellipsoid)->put_Transparency(128), S_OK);
  ASSERT_EQ(ellipsoid->PutSize(20, 30, 40), S_OK);
  ASSERT_EQ(billboard->putref_SensorEllipsoid(ellipsoid), S_OK);
  stream = StreamOf(SavedValues(billboard));
  CComPtr<IEllipsoid3D> loadedSensor = Make<IEllipsoid3D>(CLSID_Ellipsoid3D);
  ASSERT_EQ(loaded->putref_SensorEllipsoid(loadedSensor), S_OK);
  ASSERT_EQ(CComQIPtr<IPersistVariant>(loaded)->Load(stream), S_OK);
  EXPECT_EQ(ReadAll(stream).size(), 0u);
  ExpectSameRecord(billboard, loaded);
  double x = 0, y = 0, z = 0;
  ASSERT_EQ(loadedSensor->QuerySize(&x, &y, &z), S_OK);
  EXPECT_EQ(std::vector<double>({x, y, z}), std::vector<double>({20, 30, 40}));
  ASSERT_EQ(CComQIPtr<IGraphic3D>(loaded)->put_Transparency(200), S_OK);
  LONG transparency = 0;
  ASSERT_EQ(CComQIPtr<IGraphic3D>(loadedSensor)->get_Transparency(&transparency), S_OK);
  EXPECT_EQ(transparency, 100);  // the stored ratio 128/255
}

TEST_F(BillboardTest, LabelledBillboardsAppendTheirStoredLabelsOnLoad) {
  CComPtr<ILabeledBillboard3D> billboard = Make<ILabeledBillboard3D>(CLSID_LabeledBillboard3D);
  CComPtr<IBillboardLabel3D> north = NewLabel(L"north", 10), south = NewLabel(L"south", 190);
  ASSERT_EQ(billboard->AddLabel(north), S_OK);
  ASSERT_EQ(billboard->AddLabel(south), S_OK);
  ASSERT_EQ(billboard->put_EnableLabels(VARIANT_FALSE), S_OK);
  SetBillboardProperties(CComQIPtr<IBillboard3D>(billboard));

  CComPtr<ILabeledBillboard3D> loaded = Make<ILabeledBillboard3D>(CLSID_LabeledBillboard3D);
  CComPtr<IBillboardLabel3D> kept = NewLabel(L"kept", 0);
  ASSERT_EQ(loaded->AddLabel(kept), S_OK);
  CComPtr<IFont3D> defaultFont, loadedFont;
  CComPtr<IFont> defaultFace, faceAfter;
  ASSERT_EQ(loaded->get_Font(&defaultFont), S_OK);
  ASSERT_EQ(defaultFont->get_Font(&defaultFace), S_OK);

  CComPtr<IVariantStream> stream = StreamOf(SavedValues(billboard));
  ASSERT_EQ(CComQIPtr<IPersistVariant>(loaded)->Load(stream), S_OK);
  EXPECT_EQ(ReadAll(stream).size(), 0u);
  ASSERT_EQ(LabelCount(loaded), 3);
  EXPECT_TRUE(SameObject(LabelAt(loaded, 0), kept));
  ExpectSameRecord(north, LabelAt(loaded, 1));
  ExpectSameRecord(south, LabelAt(loaded, 2));
  VARIANT_BOOL enabled = VARIANT_FALSE;
  ASSERT_EQ(loaded->get_EnableLabels(&enabled), S_OK);
  EXPECT_EQ(enabled, VARIANT_TRUE);  // not stored
  EXPECT_EQ(SizesOf(CComQIPtr<IBillboard3D>(loaded)), std::vector<double>({3, 4}));

  // The stored font went into a font of the loaded billboard's own; the
  // default font that every new billboard shares is untouched.
  ASSERT_EQ(loaded->get_Font(&loadedFont), S_OK);
  ASSERT_TRUE(loadedFont);
  EXPECT_FALSE(SameObject(loadedFont, defaultFont));
  ASSERT_EQ(defaultFont->get_Font(&faceAfter), S_OK);
  EXPECT_TRUE(SameObject(faceAfter, defaultFace));

  // Without a font the record keeps its layout too.
  ASSERT_EQ(billboard->putref_Font(nullptr), S_OK);
  CComPtr<ILabeledBillboard3D> fontless = SaveAndLoad<ILabeledBillboard3D>(billboard, CLSID_LabeledBillboard3D);
  EXPECT_EQ(LabelCount(fontless), 2);
  EXPECT_EQ(SizesOf(CComQIPtr<IBillboard3D>(fontless)), std::vector<double>({3, 4}));

  CComPtr<IBillboardLabel3D> loadedLabel = SaveAndLoad<IBillboardLabel3D>(north, CLSID_BillboardLabel3D);
  ExpectSameRecord(north, loadedLabel);
  double angle = 0;
  ASSERT_EQ(loadedLabel->get_Angle(&angle), S_OK);
  EXPECT_EQ(angle, 10);
}

TEST_F(BillboardTest, ABrokenLabelCountFailsTheLoadAndAppendsNothing) {
  CComPtr<ILabeledBillboard3D> billboard = Make<ILabeledBillboard3D>(CLSID_LabeledBillboard3D);
  ASSERT_EQ(billboard->AddLabel(NewLabel(L"one", 1)), S_OK);
  std::vector<CComVariant> values = SavedValues(billboard);
  auto count = std::find_if(values.begin(), values.end(), [](const CComVariant& v) { return v.vt == VT_I4; });
  ASSERT_NE(count, values.end());
  ASSERT_EQ(count->lVal, 1);
  for (LONG broken : {-1, 5, 0x7FFFFFFF}) {
    SCOPED_TRACE(broken);
    count->lVal = broken;
    CComPtr<ILabeledBillboard3D> loaded = Make<ILabeledBillboard3D>(CLSID_LabeledBillboard3D);
    ASSERT_EQ(loaded->AddLabel(NewLabel(L"kept", 0)), S_OK);
    EXPECT_EQ(CComQIPtr<IPersistVariant>(loaded)->Load(StreamOf(values)), E_FAIL);
    EXPECT_EQ(LabelCount(loaded), 1);
  }
}

}  // namespace
}  // namespace zelph::test
