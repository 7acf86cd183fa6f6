#include <gtest/gtest.h>

#include "frame/FontInterfaces.h"
#include "frame/Guids.h"
#include "tests/support/ComponentTest.h"

namespace zelph::test {
namespace {

using FontComponentTest = ComponentTest;

constexpr LONGLONG kPoint = 10000;  // font sizes are currency values

CComPtr<IFont> FontOf(IFont3D* component) {
  CComPtr<IFont> font;
  EXPECT_EQ(component->get_Font(&font), S_OK);
  return font;
}

std::wstring NameOf(IFont* font) {
  CComBSTR name;
  EXPECT_EQ(font->get_Name(&name), S_OK);
  return Text(name);
}

TEST_F(FontComponentTest, EachKindStartsAsArialTenPointsAndAnswersItsMarker) {
  struct Kind {
    const CLSID* clsid;
    bool billboard;
    bool extruded;
  };
  for (const Kind& kind : {Kind{&CLSID_Font3D, false, false}, Kind{&CLSID_BillboardFont3D, true, false},
                           Kind{&CLSID_ExtrudedFont3D, false, true}}) {
    CComPtr<IFont3D> component = Make<IFont3D>(*kind.clsid);
    ASSERT_TRUE(component);
    CComPtr<IFont> font = FontOf(component);
    ASSERT_TRUE(font);
    EXPECT_EQ(NameOf(font), L"Arial");
    CY size{};
    ASSERT_EQ(font->get_Size(&size), S_OK);
    EXPECT_EQ(size.int64, 10 * kPoint);
    EXPECT_EQ(component->get_Font(nullptr), E_POINTER);

    EXPECT_EQ(static_cast<bool>(CComQIPtr<IBillboardFont3D>(component)), kind.billboard);
    EXPECT_EQ(static_cast<bool>(CComQIPtr<IExtrudedFont3D>(component)), kind.extruded);
    EXPECT_EQ(static_cast<bool>(CComQIPtr<IExtrusion3D>(component)), kind.extruded);

    // The stored id names the component's own class.
    CComPtr<IUID> id;
    ASSERT_EQ(CComQIPtr<IPersistVariant>(component)->get_ID(&id), S_OK);
    CComVariant value;
    ASSERT_EQ(id->get_Value(&value), S_OK);
    OLECHAR expected[39];
    StringFromGUID2(*kind.clsid, expected, 39);
    EXPECT_EQ(Text(value.bstrVal), expected);
  }
}

TEST_F(FontComponentTest, SaveAndLoadCarriesNameSizeAndBold) {
  for (const CLSID* clsid : {&CLSID_Font3D, &CLSID_BillboardFont3D, &CLSID_ExtrudedFont3D}) {
    CComPtr<IFont3D> component = Make<IFont3D>(*clsid);
    CComPtr<IFont> font = FontOf(component);
    ASSERT_EQ(font->put_Name(CComBSTR(L"Courier")), S_OK);
    ASSERT_EQ(font->put_Size(CY{145 * kPoint / 10}), S_OK);
    ASSERT_EQ(font->put_Bold(TRUE), S_OK);

    // The font leads the record; plain fonts store nothing else.
    std::vector<CComVariant> values = SavedValues(component);
    ASSERT_FALSE(values.empty());
    EXPECT_EQ(values[0].vt, VT_UNKNOWN);
    if (*clsid != CLSID_ExtrudedFont3D) {
      EXPECT_EQ(values.size(), 1u);
    }

    CComPtr<IFont3D> loaded = SaveAndLoad<IFont3D>(component, *clsid);
    CComPtr<IFont> loadedFont = FontOf(loaded);
    ASSERT_TRUE(loadedFont);
    EXPECT_FALSE(loadedFont.IsEqualObject(font));
    EXPECT_EQ(NameOf(loadedFont), L"Courier");
    CY size{};
    ASSERT_EQ(loadedFont->get_Size(&size), S_OK);
    EXPECT_EQ(size.int64, 145 * kPoint / 10);
    BOOL bold = FALSE;
    ASSERT_EQ(loadedFont->get_Bold(&bold), S_OK);
    EXPECT_TRUE(bold);
  }
}

TEST_F(FontComponentTest, NullFontSavesAnEmptyRecordAndLoadingOneKeepsTheFont) {
  CComPtr<IFont3D> empty = Make<IFont3D>(CLSID_BillboardFont3D);
  ASSERT_EQ(empty->putref_Font(nullptr), S_OK);
  EXPECT_FALSE(FontOf(empty));
  std::vector<CComVariant> values = SavedValues(empty);
  ASSERT_EQ(values.size(), 1u);
  EXPECT_EQ(values[0].vt, VT_UNKNOWN);
  EXPECT_EQ(values[0].punkVal, nullptr);

  // Loading the empty record, and a record holding an object that is no
  // font, leaves the target with the font it had.
  CComPtr<IVariantStream> stream = NewStream();
  CComQIPtr<IPersistVariant> emptyPersist{empty};
  ASSERT_EQ(emptyPersist->Save(stream), S_OK);
  ASSERT_EQ(stream->Write(CComVariant(static_cast<IUnknown*>(NewPoint(1, 2)))), S_OK);
  Rewind(stream);

  CComPtr<IFont3D> target = Make<IFont3D>(CLSID_Font3D);
  CComPtr<IFont> before = FontOf(target);
  CComQIPtr<IPersistVariant> targetPersist{target};
  for (int record = 0; record < 2; ++record) {
    ASSERT_EQ(targetPersist->Load(stream), S_OK);
    CComPtr<IFont> after = FontOf(target);
    EXPECT_TRUE(after.IsEqualObject(before)) << "record " << record;
  }
  EXPECT_TRUE(ReadAll(stream).empty());
}

}  // namespace
}  // namespace zelph::test
