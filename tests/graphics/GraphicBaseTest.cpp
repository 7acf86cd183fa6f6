// What every graphic shares (identity, common properties, update level,
// callout), seen through the text point.
#include <gtest/gtest.h>

#include <cmath>

#include "frame/Guids.h"
#include "tests/support/GetProperty.h"
#include "tests/support/ComponentTest.h"

namespace zelph::test {
namespace {

using GraphicBaseTest = ComponentTest;

kestGLUpdateLevel LevelOf(IUnknown* graphic) { return Get(graphic, &IUpdate3D::get_UpdateLevel); }
void SetLevel(IUnknown* graphic, kestGLUpdateLevel level) {
  ASSERT_EQ(CComQIPtr<IUpdate3D>{graphic}->put_UpdateLevel(level), S_OK);
}

TEST_F(GraphicBaseTest, NewGraphicHasTheDefaultsAndItsOwnUid) {
  CComPtr<IGraphic3D> graphic = Make<IGraphic3D>(CLSID_TextPoint3D);
  const std::wstring uid = Get(graphic, &IGraphic3D::get_UID);
  EXPECT_EQ(uid.size(), 36u);
  EXPECT_EQ(uid.find_first_of(L"{}"), std::wstring::npos);
  EXPECT_NE(uid, Get(Make<IGraphic3D>(CLSID_TextPoint3D), &IGraphic3D::get_UID));
  EXPECT_EQ(Get(graphic, &IGraphic3D::get_Name), L"UNITIALIZED");
  EXPECT_EQ(Get(graphic, &IGraphic3D::get_Transparency), 255);
  EXPECT_EQ(Get(graphic, &IGraphic3D::get_Visible), VARIANT_TRUE);
  EXPECT_EQ(Get(graphic, &IGraphic3D::get_Selected), VARIANT_FALSE);
  EXPECT_EQ(Get(graphic, &IGraphic3D::get_ThresholdElevation), 0.0);
  EXPECT_EQ(Get(graphic, &IGraphic3D::get_DisplayOption), kestGLDisplayNormal);
  EXPECT_TRUE(Get(graphic, &IGraphic3D::get_Material));
  EXPECT_TRUE(Get(graphic, &IGraphic3D::get_Orientation));
  EXPECT_TRUE(Get(graphic, &IGraphic3D::get_Extent));
  EXPECT_EQ(Get(graphic, &ICallout3D::get_EnableCallout), VARIANT_FALSE);
  EXPECT_EQ(Get(graphic, &ICallout3D::get_WindVaneAzimuth), 0.0);
  EXPECT_EQ(Get(graphic, &ICallout3D::get_WindVaneSize), 0.0);
  EXPECT_TRUE(Get(graphic, &ICallout3D::get_CalloutLineSymbol));
  EXPECT_EQ(graphic->get_Transparency(nullptr), E_POINTER);
  EXPECT_EQ(LevelOf(graphic), kestGLUpdateNone);
  // Only the centroid and anchor getters touch the level: checked last.
  EXPECT_TRUE(Get(graphic, &IGraphic3D::get_Centroid));
  EXPECT_TRUE(Get(graphic, &ICallout3D::get_CalloutAnchorLocation));
}

TEST_F(GraphicBaseTest, RefusedValuesChangeNeitherValueNorLevel) {
  CComPtr<IGraphic3D> graphic = Make<IGraphic3D>(CLSID_TextPoint3D);
  CComQIPtr<ICallout3D> callout{graphic};
  EXPECT_EQ(graphic->put_Transparency(256), E_FAIL);
  EXPECT_EQ(graphic->put_Transparency(-1), E_FAIL);
  EXPECT_EQ(graphic->put_ThresholdElevation(NAN), E_FAIL);
  EXPECT_EQ(callout->put_WindVaneSize(NAN), E_FAIL);
  EXPECT_EQ(callout->put_WindVaneAzimuth(NAN), E_FAIL);
  EXPECT_EQ(LevelOf(graphic), kestGLUpdateNone);
  EXPECT_EQ(Get(graphic, &IGraphic3D::get_Transparency), 255);
  EXPECT_EQ(Get(graphic, &ICallout3D::get_WindVaneSize), 0.0);

  EXPECT_EQ(graphic->put_Transparency(0), S_OK);
  EXPECT_EQ(Get(graphic, &IGraphic3D::get_Transparency), 0);
  EXPECT_EQ(graphic->put_Transparency(255), S_OK);
  EXPECT_EQ(Get(graphic, &IGraphic3D::get_Transparency), 255);
  SetLevel(graphic, kestGLUpdateNone);
  EXPECT_EQ(callout->put_WindVaneSize(-5), S_OK);
  EXPECT_EQ(LevelOf(graphic), kestGLUpdateMajor);
}

TEST_F(GraphicBaseTest, LevelRisesNeverFallsUntilSetExplicitly) {
  CComPtr<IGraphic3D> graphic = Make<IGraphic3D>(CLSID_TextPoint3D);
  ASSERT_EQ(graphic->put_Visible(VARIANT_FALSE), S_OK);
  EXPECT_EQ(LevelOf(graphic), kestGLUpdateMinor);
  ASSERT_EQ(graphic->put_ThresholdElevation(12.5), S_OK);
  EXPECT_EQ(LevelOf(graphic), kestGLUpdateMinor);
  ASSERT_EQ(graphic->put_Name(CComBSTR(L"n")), S_OK);
  EXPECT_EQ(LevelOf(graphic), kestGLUpdateMajor);
  ASSERT_EQ(graphic->putref_Orientation(nullptr), S_OK);
  EXPECT_EQ(LevelOf(graphic), kestGLUpdateMajor);
  // Lowering is the scene manager's: any value, also a lower one.
  SetLevel(graphic, kestGLUpdateMinor);
  EXPECT_EQ(LevelOf(graphic), kestGLUpdateMinor);

  // Handing out the centroid or the anchor lets the caller move it.
  SetLevel(graphic, kestGLUpdateNone);
  Get(graphic, &IGraphic3D::get_Centroid);
  EXPECT_EQ(LevelOf(graphic), kestGLUpdateLocation);
  SetLevel(graphic, kestGLUpdateNone);
  EXPECT_EQ(CComQIPtr<ICallout3D>{graphic}->get_CalloutAnchorLocation(nullptr), E_POINTER);
  EXPECT_EQ(LevelOf(graphic), kestGLUpdateLocation);
}

TEST_F(GraphicBaseTest, NewCentroidMovesTheExtentAtOnce) {
  CComPtr<IGraphic3D> graphic = Make<IGraphic3D>(CLSID_TextPoint3D);
  CComPtr<IEnvelope> extent = Get(graphic, &IGraphic3D::get_Extent);
  ASSERT_EQ(graphic->putref_Centroid(NewPoint(-20, 5)), S_OK);
  EXPECT_EQ(LevelOf(graphic), kestGLUpdateLocation);
  EXPECT_DOUBLE_EQ(Get(extent, &IEnvelope::get_XMin), -20.5);
  EXPECT_DOUBLE_EQ(Get(extent, &IEnvelope::get_YMax), 5.5);
  // Without a centroid the extent stays where it was.
  ASSERT_EQ(graphic->putref_Centroid(nullptr), S_OK);
  EXPECT_DOUBLE_EQ(Get(extent, &IEnvelope::get_XMin), -20.5);
}

TEST_F(GraphicBaseTest, NullMaterialAndOrientationKeepTheRecordWhole) {
  CComPtr<IGraphic3D> graphic = Make<IGraphic3D>(CLSID_TextPoint3D);
  const size_t wholeRecord = SavedValues(graphic).size();
  ASSERT_EQ(CComQIPtr<ICallout3D>{graphic}->put_WindVaneSize(42), S_OK);
  ASSERT_EQ(graphic->putref_Material(nullptr), S_OK);
  ASSERT_EQ(graphic->putref_Orientation(nullptr), S_OK);
  EXPECT_EQ(SavedValues(graphic).size(), wholeRecord);

  // Read into a graphic that holds none either: the values after the
  // missing ones still land in their places.
  CComPtr<IVariantStream> stream = NewStream();
  ASSERT_EQ(CComQIPtr<IPersistVariant>{graphic}->Save(stream), S_OK);
  Rewind(stream);
  CComPtr<IGraphic3D> loaded = Make<IGraphic3D>(CLSID_TextPoint3D);
  ASSERT_EQ(loaded->putref_Material(nullptr), S_OK);
  ASSERT_EQ(loaded->putref_Orientation(nullptr), S_OK);
  ASSERT_EQ(CComQIPtr<IPersistVariant>{loaded}->Load(stream), S_OK);
  EXPECT_EQ(Get(loaded, &ICallout3D::get_WindVaneSize), 42.0);
  EXPECT_FALSE(Get(loaded, &IGraphic3D::get_Material));
}

}  // namespace
}  // namespace zelph::test
