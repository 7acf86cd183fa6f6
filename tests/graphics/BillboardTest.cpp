#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "frame/FontInterfaces.h"
#include "frame/Guids.h"
#include "frame/HostSymbols.h"
#include "platform/OleFont.h"
#include "tests/support/ComponentTest.h"
#include "tests/support/GetProperty.h"

namespace zelph::test {
namespace {

using BillboardTest = ComponentTest;

std::vector<double> SizesOf(IUnknown* board) {
  return {Get(board, &IBillboard3D::get_XSize), Get(board, &IBillboard3D::get_YSize)};
}

CComPtr<IFont3D> FontOf(IUnknown* board) { return Get(board, &ILabeledBillboard3D::get_Font); }

LONG LabelCount(IUnknown* board) { return Get(Get(board, &ILabeledBillboard3D::get_Labels), &IArray::get_Count); }

TEST_F(BillboardTest, DefaultsSizesAndTheSensorEllipsoidThatFollows) {
  for (const CLSID* clsid : {&CLSID_Billboard3D, &CLSID_LabeledBillboard3D}) {
    CComPtr<IBillboard3D> billboard = Make<IBillboard3D>(*clsid);
    CComQIPtr<IGraphic3D> graphic{billboard};
    CComQIPtr<ICallout3D> callout{billboard};
    EXPECT_EQ(SizesOf(billboard), std::vector<double>({1, 1}));
    EXPECT_FALSE(Get(billboard, &IBillboard3D::get_SensorEllipsoid));
    EXPECT_EQ(billboard->PutSize(2, NAN), E_FAIL);
    EXPECT_EQ(SizesOf(billboard), std::vector<double>({1, 1}));
    EXPECT_EQ(UpdateLevelOf(billboard), kestGLUpdateNone);

    CComPtr<IEllipsoid3D> sensor = Make<IEllipsoid3D>(CLSID_PartialEllipsoid3D);
    ASSERT_EQ(CComQIPtr<IGraphic3D>(sensor)->put_Transparency(128), S_OK);
    ASSERT_EQ(billboard->putref_SensorEllipsoid(sensor), S_OK);
    CComPtr<IPoint> point = NewPoint(10, 20);
    ASSERT_EQ(graphic->putref_Centroid(point), S_OK);
    EXPECT_EQ(UpdateLevelOf(billboard), kestGLUpdateLocation);
    EXPECT_TRUE(SameIdentity(Get(sensor, &IGraphic3D::get_Centroid), point));
    SetUpdateLevel(billboard, kestGLUpdateNone);
    ASSERT_EQ(billboard->PutSize(4, 0), S_OK);
    EXPECT_EQ(ExtentCoords(billboard), std::vector<double>({8, 20, 12, 20}));
    EXPECT_EQ(UpdateLevelOf(billboard), kestGLUpdateMinor);

    // 200 x 128/255 = 100.39, cut to 100; a refused value is not passed on.
    ASSERT_EQ(graphic->put_Transparency(200), S_OK);
    EXPECT_EQ(graphic->put_Transparency(256), E_FAIL);
    EXPECT_EQ(Get(sensor, &IGraphic3D::get_Transparency), 100);
    ASSERT_TRUE(graphic->put_Visible(VARIANT_FALSE) == S_OK && graphic->put_ThresholdElevation(250) == S_OK);
    EXPECT_EQ(Get(sensor, &IGraphic3D::get_Visible), VARIANT_FALSE);
    EXPECT_EQ(Get(sensor, &IGraphic3D::get_ThresholdElevation), 250);
    CComPtr<ISimpleLineSymbol> symbol = Make<ISimpleLineSymbol>(CLSID_SimpleLineSymbol);
    CComPtr<IPoint> anchor = NewPoint(5, 6);
    ASSERT_TRUE(callout->putref_CalloutLineSymbol(symbol) == S_OK && callout->put_WindVaneAzimuth(90) == S_OK &&
                callout->putref_CalloutAnchorLocation(anchor) == S_OK);
    EXPECT_TRUE(SameIdentity(Get(sensor, &IEllipsoid3D::get_GridSymbol), symbol));
    EXPECT_TRUE(SameIdentity(Get(sensor, &ICallout3D::get_CalloutLineSymbol), symbol));
    EXPECT_TRUE(SameIdentity(Get(sensor, &ICallout3D::get_CalloutAnchorLocation), anchor));
    EXPECT_EQ(Get(sensor, &ICallout3D::get_WindVaneAzimuth), 90);
    EXPECT_EQ(UpdateLevelOf(billboard), kestGLUpdateMajor);
  }

  CComPtr<ILabeledBillboard3D> labeled = Make<ILabeledBillboard3D>(CLSID_LabeledBillboard3D);
  // Every new labelled billboard holds the library's one default font.
  EXPECT_TRUE(FontOf(labeled) && SameIdentity(FontOf(labeled), FontOf(Make<IUnknown>(CLSID_LabeledBillboard3D))));
  EXPECT_EQ(Get(Get(labeled, &ILabeledBillboard3D::get_FontColor), &IRgbColor::get_RGB), 0);
  EXPECT_EQ(Get(labeled, &ILabeledBillboard3D::get_EnableLabels), VARIANT_TRUE);
  CComPtr<IBillboardLabel3D> label = Make<IBillboardLabel3D>(CLSID_BillboardLabel3D);
  ASSERT_EQ(labeled->AddLabel(label), S_OK);
  EXPECT_EQ(labeled->AddLabel(nullptr), E_FAIL);  // would make the list unstorable
  EXPECT_EQ(LabelCount(labeled), 1);
  SetUpdateLevel(labeled, kestGLUpdateNone);
  ASSERT_EQ(labeled->ClearAllLabels(), S_OK);
  EXPECT_EQ(LabelCount(labeled), 0);
  EXPECT_EQ(UpdateLevelOf(labeled), kestGLUpdateMajor);

  EXPECT_EQ(label->put_Angle(NAN), E_FAIL);
  EXPECT_EQ(Get(label, &IBillboardLabel3D::get_Angle), 0);
  EXPECT_EQ(Get(label, &IBillboardLabel3D::get_HAOption), kestGLHAlignLeft);
  EXPECT_EQ(Get(label, &IBillboardLabel3D::get_AutoArrange), VARIANT_TRUE);
}

TEST_F(BillboardTest, BillboardsWithAndWithoutSensorSaveWholeAndLoadBack) {
  CComPtr<IBillboard3D> billboard = Make<IBillboard3D>(CLSID_Billboard3D);
  ASSERT_EQ(billboard->PutSize(3, 4), S_OK);
  std::vector<CComVariant> values = SavedValues(billboard);
  ASSERT_GE(values.size(), 2u);
  EXPECT_TRUE(values[0].vt == VT_R8 && values[0].dblVal == 3 && values[1].vt == VT_R8 && values[1].dblVal == 4);

  // Without a sensor a default ellipsoid's record keeps the layout.
  CComPtr<IBillboard3D> loaded = Make<IBillboard3D>(CLSID_Billboard3D);
  ExpectLoadsWhole(billboard, loaded);
  EXPECT_FALSE(Get(loaded, &IBillboard3D::get_SensorEllipsoid));

  // With a sensor: its record in line, and the ratio taken at attachment.
  CComPtr<IEllipsoid3D> ellipsoid = Make<IEllipsoid3D>(CLSID_Ellipsoid3D);
  ASSERT_EQ(CComQIPtr<IGraphic3D>(ellipsoid)->put_Transparency(128), S_OK);
  ASSERT_EQ(billboard->putref_SensorEllipsoid(ellipsoid), S_OK);
  ASSERT_EQ(loaded->putref_SensorEllipsoid(Make<IEllipsoid3D>(CLSID_Ellipsoid3D)), S_OK);
  ExpectLoadsWhole(billboard, loaded);
  ASSERT_EQ(CComQIPtr<IGraphic3D>(loaded)->put_Transparency(200), S_OK);
  EXPECT_EQ(Get(Get(loaded, &IBillboard3D::get_SensorEllipsoid), &IGraphic3D::get_Transparency), 100);
}

TEST_F(BillboardTest, LabelledBillboardsSaveWholeAndAppendTheirStoredLabels) {
  CComPtr<ILabeledBillboard3D> billboard = Make<ILabeledBillboard3D>(CLSID_LabeledBillboard3D);
  ASSERT_EQ(billboard->AddLabel(Make<IBillboardLabel3D>(CLSID_BillboardLabel3D)), S_OK);
  ASSERT_EQ(billboard->put_EnableLabels(VARIANT_FALSE), S_OK);

  // The stored font goes into a font of the loaded billboard's own; the
  // default font that every new billboard shares is untouched.
  CComPtr<IFont3D> serif = Make<IFont3D>(CLSID_BillboardFont3D);
  ASSERT_EQ(Get(serif, &IFont3D::get_Font)->put_Name(CComBSTR(L"DejaVu Serif")), S_OK);
  ASSERT_EQ(billboard->putref_Font(serif), S_OK);
  CComPtr<ILabeledBillboard3D> loaded = Make<ILabeledBillboard3D>(CLSID_LabeledBillboard3D);
  // A sensor of each, as a stand-in's record is saved with a fresh UID.
  for (ILabeledBillboard3D* board : {billboard.p, loaded.p}) {
    ASSERT_EQ(CComQIPtr<IBillboard3D>(board)->putref_SensorEllipsoid(Make<IEllipsoid3D>(CLSID_Ellipsoid3D)), S_OK);
  }
  CComPtr<IFont> defaultFace = Get(FontOf(loaded), &IFont3D::get_Font);
  const std::wstring defaultName = Get(defaultFace, &IFont::get_Name);
  ASSERT_NE(defaultName, L"DejaVu Serif");
  ExpectLoadsWhole(billboard, loaded);
  ExpectSameRecord(billboard, loaded);
  EXPECT_EQ(Get(loaded, &ILabeledBillboard3D::get_EnableLabels), VARIANT_TRUE);  // not stored
  EXPECT_EQ(Get(Get(FontOf(loaded), &IFont3D::get_Font), &IFont::get_Name), L"DejaVu Serif");
  EXPECT_TRUE(SameIdentity(Get(FontOf(Make<IUnknown>(CLSID_LabeledBillboard3D)), &IFont3D::get_Font), defaultFace));
  EXPECT_EQ(Get(defaultFace, &IFont::get_Name), defaultName);

  // Loading appends to the labels held; without a font the record keeps its layout.
  CComPtr<ILabeledBillboard3D> appended = Make<ILabeledBillboard3D>(CLSID_LabeledBillboard3D);
  ASSERT_TRUE(appended->AddLabel(Make<IBillboardLabel3D>(CLSID_BillboardLabel3D)) == S_OK &&
              billboard->putref_Font(nullptr) == S_OK);
  ExpectLoadsWhole(billboard, appended);
  ASSERT_EQ(LabelCount(appended), 2);

  // A broken label count fails the load and appends nothing.
  std::vector<CComVariant> values = SavedValues(billboard);
  auto count = std::find_if(values.begin(), values.end(), [](const CComVariant& v) { return v.vt == VT_I4; });
  ASSERT_NE(count, values.end());
  ASSERT_EQ(count->lVal, 1);
  for (LONG broken : {-1, 5, 0x7FFFFFFF}) {
    count->lVal = broken;
    EXPECT_EQ(CComQIPtr<IPersistVariant>(appended)->Load(StreamWith(values)), E_FAIL) << broken;
    EXPECT_EQ(LabelCount(appended), 2);
  }
}

}  // namespace
}  // namespace zelph::test
