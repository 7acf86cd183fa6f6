#include <gtest/gtest.h>

#include <vector>

#include "frame/FontInterfaces.h"
#include "frame/Guids.h"
#include "tests/support/GetProperty.h"

namespace zelph::test {
namespace {

using FontComponentTest = ComponentTest;

constexpr LONGLONG kPoint = 10000;  // font sizes are currency values

TEST_F(FontComponentTest, EachKindStartsAsArialTenPointsAndSavesItsFont) {
  for (const CLSID* clsid : {&CLSID_Font3D, &CLSID_BillboardFont3D, &CLSID_ExtrudedFont3D}) {
    CComPtr<IFont3D> component = Make<IFont3D>(*clsid);
    CComPtr<IFont> font = Get(component, &IFont3D::get_Font);
    ASSERT_TRUE(font);
    EXPECT_EQ(Get(font, &IFont::get_Name), L"Arial");
    EXPECT_EQ(Get(font, &IFont::get_Size).int64, 10 * kPoint);

    ASSERT_EQ(font->put_Name(CComBSTR(L"Courier")), S_OK);
    ASSERT_EQ(font->put_Size(CY{145 * kPoint / 10}), S_OK);
    ASSERT_EQ(font->put_Bold(TRUE), S_OK);
    // The font leads the record; plain fonts store nothing else.
    std::vector<CComVariant> values = SavedValues(component);
    ASSERT_FALSE(values.empty());
    EXPECT_EQ(values[0].vt, VT_UNKNOWN);
    EXPECT_TRUE(*clsid == CLSID_ExtrudedFont3D || values.size() == 1u);
    CComPtr<IFont> loaded = Get(SaveAndLoad<IFont3D>(component, *clsid), &IFont3D::get_Font);
    ASSERT_TRUE(loaded);
    EXPECT_FALSE(loaded.IsEqualObject(font));
    EXPECT_EQ(Get(loaded, &IFont::get_Name), L"Courier");
    EXPECT_EQ(Get(loaded, &IFont::get_Size).int64, 145 * kPoint / 10);
    EXPECT_TRUE(Get(loaded, &IFont::get_Bold));
  }
}

TEST_F(FontComponentTest, NullFontSavesAnEmptyRecordAndLoadingOneKeepsTheFont) {
  CComPtr<IFont3D> empty = Make<IFont3D>(CLSID_BillboardFont3D);
  ASSERT_EQ(empty->putref_Font(nullptr), S_OK);
  std::vector<CComVariant> values = SavedValues(empty);
  ASSERT_EQ(values.size(), 1u);
  EXPECT_EQ(values[0].vt, VT_UNKNOWN);
  EXPECT_EQ(values[0].punkVal, nullptr);

  // Loading the empty record, and a record holding an object that is no
  // font, leaves the target with the font it had.
  CComPtr<IFont3D> target = Make<IFont3D>(CLSID_Font3D);
  CComPtr<IFont> before = Get(target, &IFont3D::get_Font);
  CComPtr<IVariantStream> stream = StreamWith({values[0], CComVariant(static_cast<IUnknown*>(NewPoint(1, 2)))});
  for (int record = 0; record < 2; ++record) {
    ASSERT_EQ(CComQIPtr<IPersistVariant>(target)->Load(stream), S_OK);
    EXPECT_TRUE(Get(target, &IFont3D::get_Font).IsEqualObject(before)) << "record " << record;
  }
  EXPECT_TRUE(ReadAll(stream).empty());
}

}  // namespace
}  // namespace zelph::test
