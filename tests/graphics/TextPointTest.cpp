// The text point, and through it what every graphic shares: identity,
// common properties, update level, callout and the stored record.
#include <gtest/gtest.h>

#include <cmath>

#include "frame/FontInterfaces.h"
#include "frame/Guids.h"
#include "platform/OleFont.h"
#include "tests/support/ComponentTest.h"
#include "tests/support/GetProperty.h"

namespace zelph::test {
namespace {

using TextPointTest = ComponentTest;

std::wstring FontName(IUnknown* text) {
  CComPtr<IFont3D> font3D = Get(text, &ITextPoint3D::get_Font);
  return font3D ? Get(Get(font3D, &IFont3D::get_Font), &IFont::get_Name) : L"<none>";
}

TEST_F(TextPointTest, DefaultsRefusedValuesAndTheUpdateLevel) {
  CComPtr<ITextPoint3D> text = Make<ITextPoint3D>(CLSID_TextPoint3D);
  CComQIPtr<IGraphic3D> graphic{text};
  const std::wstring uid = Get(graphic, &IGraphic3D::get_UID);
  EXPECT_TRUE(uid.size() == 36 && uid.find_first_of(L"{}") == std::wstring::npos) << uid;
  EXPECT_NE(uid, Get(Make<IGraphic3D>(CLSID_TextPoint3D), &IGraphic3D::get_UID));
  EXPECT_EQ(Get(graphic, &IGraphic3D::get_Name), L"UNITIALIZED");
  EXPECT_EQ(Get(graphic, &IGraphic3D::get_Transparency), 255);
  EXPECT_EQ(Get(graphic, &IGraphic3D::get_Visible), VARIANT_TRUE);
  EXPECT_EQ(Get(graphic, &IGraphic3D::get_Selected), VARIANT_FALSE);
  EXPECT_EQ(Get(graphic, &IGraphic3D::get_ThresholdElevation), 0.0);
  EXPECT_EQ(Get(graphic, &IGraphic3D::get_DisplayOption), kestGLDisplayNormal);
  EXPECT_TRUE(Get(graphic, &IGraphic3D::get_Material) && Get(graphic, &IGraphic3D::get_Orientation));
  EXPECT_EQ(Get(graphic, &ICallout3D::get_EnableCallout), VARIANT_FALSE);
  EXPECT_EQ(Get(graphic, &ICallout3D::get_WindVaneAzimuth), 0.0);
  EXPECT_EQ(Get(graphic, &ICallout3D::get_WindVaneSize), 0.0);
  EXPECT_TRUE(Get(graphic, &ICallout3D::get_CalloutLineSymbol) && Get(text, &ITextPoint3D::get_Font));
  EXPECT_EQ(Get(text, &ITextPoint3D::get_TextScale), 0.0005);
  EXPECT_EQ(Get(text, &ITextPoint3D::get_HAOption), kestGLHAlignCenter);
  EXPECT_EQ(Get(text, &ITextPoint3D::get_VAOption), kestGLVAlignCenter);
  EXPECT_EQ(Get(text, &ITextPoint3D::get_Text), L"");
  EXPECT_EQ(UpdateLevelOf(graphic), kestGLUpdateNone);

  // Refused values change neither the value nor the level.
  EXPECT_EQ(graphic->put_Transparency(256), E_FAIL);
  EXPECT_EQ(graphic->put_ThresholdElevation(NAN), E_FAIL);
  EXPECT_EQ(CComQIPtr<ICallout3D>(text)->put_WindVaneSize(NAN), E_FAIL);
  EXPECT_EQ(text->put_TextScale(NAN), E_FAIL);
  EXPECT_EQ(Get(graphic, &IGraphic3D::get_Transparency), 255);
  EXPECT_EQ(Get(graphic, &ICallout3D::get_WindVaneSize), 0.0);
  EXPECT_EQ(Get(text, &ITextPoint3D::get_TextScale), 0.0005);
  EXPECT_EQ(UpdateLevelOf(graphic), kestGLUpdateNone);

  // The level rises and never falls, until the scene manager sets it.
  ASSERT_EQ(graphic->put_Visible(VARIANT_FALSE), S_OK);
  EXPECT_EQ(UpdateLevelOf(graphic), kestGLUpdateMinor);
  ASSERT_EQ(text->put_Text(CComBSTR(L"")), S_OK);  // the text already held: still redone
  EXPECT_EQ(UpdateLevelOf(graphic), kestGLUpdateMajor);
  ASSERT_EQ(graphic->put_ThresholdElevation(12.5), S_OK);
  EXPECT_EQ(UpdateLevelOf(graphic), kestGLUpdateMajor);

  // Handing out the centroid or the anchor lets the caller move it.
  SetUpdateLevel(graphic, kestGLUpdateNone);
  EXPECT_TRUE(Get(graphic, &IGraphic3D::get_Centroid));
  EXPECT_EQ(UpdateLevelOf(graphic), kestGLUpdateLocation);
  SetUpdateLevel(graphic, kestGLUpdateNone);
  EXPECT_TRUE(Get(graphic, &ICallout3D::get_CalloutAnchorLocation));
  EXPECT_EQ(UpdateLevelOf(graphic), kestGLUpdateLocation);

  // A new centroid moves the unit extent at once; none leaves it in place.
  ASSERT_EQ(graphic->putref_Centroid(NewPoint(-20, 5)), S_OK);
  EXPECT_EQ(ExtentCoords(graphic), std::vector<double>({-20.5, 4.5, -19.5, 5.5}));
  ASSERT_EQ(graphic->putref_Centroid(nullptr), S_OK);
  EXPECT_EQ(ExtentCoords(graphic), std::vector<double>({-20.5, 4.5, -19.5, 5.5}));
}

TEST_F(TextPointTest, TheFontLoadsIntoItsOwnAndTheRecordKeepsItsLayout) {
  CComPtr<ITextPoint3D> text = Make<ITextPoint3D>(CLSID_TextPoint3D);
  CComQIPtr<ICallout3D> callout{text};
  ASSERT_EQ(Get(Get(text, &ITextPoint3D::get_Font), &IFont3D::get_Font)->put_Name(CComBSTR(L"DejaVu Serif")), S_OK);
  ASSERT_TRUE(text->put_Text(CComBSTR(L"Grüße\nzwei Zeilen")) == S_OK && callout->put_WindVaneSize(4) == S_OK);
  CComPtr<ITextPoint3D> loaded = SaveAndLoad<ITextPoint3D>(text, CLSID_TextPoint3D);
  ExpectSameRecord(text, loaded);
  EXPECT_EQ(FontName(loaded), L"DejaVu Serif");
  EXPECT_EQ(UpdateLevelOf(loaded), kestGLUpdateNone);  // a loaded record takes no level of its own

  // Without font, material or orientation the record keeps its layout.
  auto strip = [](ITextPoint3D* text) {
    EXPECT_EQ(text->putref_Font(nullptr), S_OK);
    EXPECT_EQ(CComQIPtr<IGraphic3D>(text)->putref_Material(nullptr), S_OK);
    EXPECT_EQ(CComQIPtr<IGraphic3D>(text)->putref_Orientation(nullptr), S_OK);
  };
  // Stand-ins are saved in their place: a text point with all three reads
  // the record as a whole one ...
  CComPtr<ITextPoint3D> whole = Make<ITextPoint3D>(CLSID_TextPoint3D);
  strip(text);
  ExpectLoadsWhole(text, whole);
  EXPECT_EQ(Get(whole, &ICallout3D::get_WindVaneSize), 4);  // stored after all three
  // ... and one without them reads a whole record, dropping all three.
  CComPtr<ITextPoint3D> intoNone = Make<ITextPoint3D>(CLSID_TextPoint3D);
  strip(intoNone);
  ExpectLoadsWhole(loaded, intoNone);
  EXPECT_EQ(FontName(intoNone), L"<none>");
  EXPECT_FALSE(Get(intoNone, &IGraphic3D::get_Material));
  EXPECT_EQ(Get(intoNone, &ITextPoint3D::get_Text), L"Grüße\nzwei Zeilen");
  EXPECT_EQ(Get(intoNone, &ICallout3D::get_WindVaneSize), 4);
}

}  // namespace
}  // namespace zelph::test
