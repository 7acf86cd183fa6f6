#include <gtest/gtest.h>

#include <cmath>

#include "frame/FontInterfaces.h"
#include "frame/Guids.h"
#include "platform/OleFont.h"
#include "platform/WideString.h"
#include "tests/support/GetProperty.h"
#include "tests/support/ComponentTest.h"
#include "tests/support/TestPaths.h"

namespace zelph::test {
namespace {

using TextPointTest = ComponentTest;

kestGLUpdateLevel LevelOf(IUnknown* graphic) { return Get(graphic, &IUpdate3D::get_UpdateLevel); }

std::wstring FontName(IUnknown* text) {
  CComPtr<IFont3D> font3D = Get(text, &ITextPoint3D::get_Font);
  if (!font3D) return L"<none>";
  return Get(Get(font3D, &IFont3D::get_Font), &IFont::get_Name);
}

TEST_F(TextPointTest, NewTextPointDefaultsAndSetters) {
  CComPtr<ITextPoint3D> text = Make<ITextPoint3D>(CLSID_TextPoint3D);
  EXPECT_EQ(Get(text, &ITextPoint3D::get_TextScale), 0.0005);
  EXPECT_EQ(Get(text, &ITextPoint3D::get_HAOption), kestGLHAlignCenter);
  EXPECT_EQ(Get(text, &ITextPoint3D::get_VAOption), kestGLVAlignCenter);
  EXPECT_EQ(Get(text, &ITextPoint3D::get_Text), L"");
  EXPECT_TRUE(Get(text, &ITextPoint3D::get_Font));
  EXPECT_EQ(text->get_Text(nullptr), E_POINTER);

  // Storing the text already held is still a change the renderable redoes.
  ASSERT_EQ(text->put_Text(CComBSTR(L"")), S_OK);
  EXPECT_EQ(LevelOf(text), kestGLUpdateMajor);
  ASSERT_EQ(CComQIPtr<IUpdate3D>{text}->put_UpdateLevel(kestGLUpdateNone), S_OK);
  EXPECT_EQ(text->put_TextScale(NAN), E_FAIL);
  EXPECT_EQ(Get(text, &ITextPoint3D::get_TextScale), 0.0005);
  EXPECT_EQ(LevelOf(text), kestGLUpdateNone);
  ASSERT_EQ(text->put_VAOption(static_cast<kestGLVAlignOption>(9)), S_OK);
  EXPECT_EQ(Get(text, &ITextPoint3D::get_VAOption), 9);
  EXPECT_EQ(LevelOf(text), kestGLUpdateMajor);

  // The extent is a unit box around the centroid, whatever the text.
  ASSERT_EQ(text->put_TextScale(50), S_OK);
  ASSERT_EQ(CComQIPtr<IGraphic3D>{text}->putref_Centroid(NewPoint(100, 40)), S_OK);
  double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
  ASSERT_EQ(Get(text, &IGraphic3D::get_Extent)->QueryCoords(&xMin, &yMin, &xMax, &yMax), S_OK);
  EXPECT_DOUBLE_EQ(xMin, 99.5);
  EXPECT_DOUBLE_EQ(xMax, 100.5);
  EXPECT_DOUBLE_EQ(yMin, 39.5);
  EXPECT_DOUBLE_EQ(yMax, 40.5);
}

// A text point with every stored property away from its default.
CComPtr<ITextPoint3D> PopulatedTextPoint() {
  CComPtr<ITextPoint3D> text = Make<ITextPoint3D>(CLSID_TextPoint3D);
  EXPECT_EQ(Get(Get(text, &ITextPoint3D::get_Font), &IFont3D::get_Font)->put_Name(CComBSTR(L"DejaVu Serif")), S_OK);
  EXPECT_EQ(text->put_TextScale(0.25), S_OK);
  EXPECT_EQ(text->put_HAOption(kestGLHAlignRight), S_OK);
  EXPECT_EQ(text->put_VAOption(kestGLVAlignWayBelowCenter), S_OK);
  EXPECT_EQ(text->put_Text(CComBSTR(L"Grüße\nzwei Zeilen")), S_OK);

  CComQIPtr<IGraphic3D> graphic{text};
  EXPECT_EQ(graphic->put_UID(CComBSTR(L"text-uid")), S_OK);
  EXPECT_EQ(graphic->putref_Centroid(NewPoint(7, -3, 120)), S_OK);
  EXPECT_EQ(graphic->put_DisplayOption(kestGLDisplayWireframe), S_OK);
  EXPECT_EQ(graphic->put_Name(CComBSTR(L"label")), S_OK);
  EXPECT_EQ(graphic->put_Selected(VARIANT_TRUE), S_OK);
  EXPECT_EQ(graphic->put_Transparency(77), S_OK);
  EXPECT_EQ(graphic->put_Visible(VARIANT_FALSE), S_OK);
  EXPECT_EQ(graphic->put_ThresholdElevation(-15.5), S_OK);
  EXPECT_EQ(Get(graphic, &IGraphic3D::get_Material)->put_FillOption(kestGLFillVertical), S_OK);
  EXPECT_EQ(Get(graphic, &IGraphic3D::get_Orientation)->PutOrientation(10, 20, 30), S_OK);

  CComQIPtr<ICallout3D> callout{text};
  EXPECT_EQ(callout->put_EnableCallout(VARIANT_TRUE), S_OK);
  EXPECT_EQ(Get(callout, &ICallout3D::get_CalloutLineSymbol)->put_Width(3.5), S_OK);
  EXPECT_EQ(callout->putref_CalloutAnchorLocation(NewPoint(8, -2)), S_OK);
  EXPECT_EQ(callout->put_WindVaneAzimuth(270), S_OK);
  EXPECT_EQ(callout->put_WindVaneSize(4), S_OK);
  return text;
}

void ExpectPopulated(IUnknown* text) {
  EXPECT_EQ(FontName(text), L"DejaVu Serif");
  EXPECT_EQ(Get(text, &ITextPoint3D::get_TextScale), 0.25);
  EXPECT_EQ(Get(text, &ITextPoint3D::get_HAOption), kestGLHAlignRight);
  EXPECT_EQ(Get(text, &ITextPoint3D::get_VAOption), kestGLVAlignWayBelowCenter);
  EXPECT_EQ(Get(text, &ITextPoint3D::get_Text), L"Grüße\nzwei Zeilen");

  EXPECT_EQ(Get(text, &IGraphic3D::get_UID), L"text-uid");
  EXPECT_EQ(Get(text, &IGraphic3D::get_Name), L"label");
  CComPtr<IPoint> centroid = Get(text, &IGraphic3D::get_Centroid);
  ASSERT_TRUE(centroid);
  EXPECT_EQ(Get(centroid, &IPoint::get_X), 7);
  EXPECT_EQ(Get(centroid, &IPoint::get_Y), -3);
  EXPECT_EQ(Get(centroid, &IPoint::get_Z), 120);
  EXPECT_EQ(Get(text, &IGraphic3D::get_DisplayOption), kestGLDisplayWireframe);
  EXPECT_EQ(Get(text, &IGraphic3D::get_Selected), VARIANT_TRUE);
  EXPECT_EQ(Get(text, &IGraphic3D::get_Visible), VARIANT_FALSE);
  EXPECT_EQ(Get(text, &IGraphic3D::get_Transparency), 77);
  EXPECT_EQ(Get(text, &IGraphic3D::get_ThresholdElevation), -15.5);
  EXPECT_DOUBLE_EQ(Get(Get(text, &IGraphic3D::get_Extent), &IEnvelope::get_XMin), 6.5);
  EXPECT_DOUBLE_EQ(Get(Get(text, &IGraphic3D::get_Extent), &IEnvelope::get_YMax), -2.5);
  EXPECT_EQ(Get(Get(text, &IGraphic3D::get_Material), &IMaterial3D::get_FillOption), kestGLFillVertical);
  CComPtr<IOrientation3D> orientation = Get(text, &IGraphic3D::get_Orientation);
  EXPECT_EQ(Get(orientation, &IOrientation3D::get_Heading), 10);
  EXPECT_EQ(Get(orientation, &IOrientation3D::get_Pitch), 20);
  EXPECT_EQ(Get(orientation, &IOrientation3D::get_Roll), 30);

  EXPECT_EQ(Get(text, &ICallout3D::get_EnableCallout), VARIANT_TRUE);
  EXPECT_EQ(Get(Get(text, &ICallout3D::get_CalloutLineSymbol), &ILineSymbol::get_Width), 3.5);
  CComPtr<IPoint> anchor = Get(text, &ICallout3D::get_CalloutAnchorLocation);
  ASSERT_TRUE(anchor);
  EXPECT_EQ(Get(anchor, &IPoint::get_X), 8);
  EXPECT_EQ(Get(anchor, &IPoint::get_Y), -2);
  EXPECT_EQ(Get(text, &ICallout3D::get_WindVaneAzimuth), 270);
  EXPECT_EQ(Get(text, &ICallout3D::get_WindVaneSize), 4);
}

TEST_F(TextPointTest, SaveAndLoadKeepEveryStoredPropertyInMemoryAndInAFile) {
  CComPtr<ITextPoint3D> text = PopulatedTextPoint();
  ExpectPopulated(SaveAndLoad<ITextPoint3D>(text, CLSID_TextPoint3D));

  CComPtr<IVariantStream> saved = NewStream();
  ASSERT_EQ(CComQIPtr<IPersistVariant>{text}->Save(saved), S_OK);
  CComBSTR path(FromUtf8(FreshDirectory("text-point") + "/text.zvs"));
  ASSERT_EQ(CComQIPtr<IVariantStreamStorage>{saved}->SaveToFile(path), S_OK);
  CComPtr<IVariantStream> read = NewStream();
  ASSERT_EQ(CComQIPtr<IVariantStreamStorage>{read}->LoadFromFile(path), S_OK);
  CComPtr<ITextPoint3D> loaded = Make<ITextPoint3D>(CLSID_TextPoint3D);
  ASSERT_EQ(CComQIPtr<IPersistVariant>{loaded}->Load(read), S_OK);
  // A loaded record takes no level of its own.
  EXPECT_EQ(LevelOf(loaded), kestGLUpdateNone);
  ExpectPopulated(loaded);
}

TEST_F(TextPointTest, WithoutAFontTheRecordKeepsItsLayout) {
  CComPtr<ITextPoint3D> text = PopulatedTextPoint();
  const size_t wholeRecord = SavedValues(text).size();
  ASSERT_EQ(text->putref_Font(nullptr), S_OK);
  EXPECT_EQ(SavedValues(text).size(), wholeRecord);

  // Into a text point without a font: the font record is read and dropped.
  CComPtr<IVariantStream> stream = NewStream();
  ASSERT_EQ(CComQIPtr<IPersistVariant>{PopulatedTextPoint()}->Save(stream), S_OK);
  Rewind(stream);
  CComPtr<ITextPoint3D> fontless = Make<ITextPoint3D>(CLSID_TextPoint3D);
  ASSERT_EQ(fontless->putref_Font(nullptr), S_OK);
  ASSERT_EQ(CComQIPtr<IPersistVariant>{fontless}->Load(stream), S_OK);
  EXPECT_EQ(FontName(fontless), L"<none>");
  EXPECT_EQ(Get(fontless, &ITextPoint3D::get_Text), L"Grüße\nzwei Zeilen");
  EXPECT_EQ(Get(fontless, &ICallout3D::get_WindVaneSize), 4);
}

}  // namespace
}  // namespace zelph::test
