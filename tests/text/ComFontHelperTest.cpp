#include <gtest/gtest.h>

#include "frame/FontInterfaces.h"
#include "frame/Guids.h"
#include "tests/support/GetProperty.h"
#include "text/ComFontHelper.h"

namespace zelph::test {
namespace {

using ComFontHelperTest = ComponentTest;

CComPtr<IFont> NewFont(const wchar_t* name, LONGLONG points) {
  CComPtr<IFont> font = Make<IFont>(CLSID_StdFont);
  EXPECT_EQ(font->put_Name(CComBSTR(name)), S_OK);
  EXPECT_EQ(font->put_Size(CY{points * 10000}), S_OK);
  return font;
}

TEST_F(ComFontHelperTest, LookupsAreKeyedByNameAndKeepTheFirstFontObject) {
  ComFontHelper helper;
  CComPtr<IFont> times = NewFont(L"Times", 10);
  CComPtr<IFont> bigTimes = NewFont(L"Times", 20);
  CComPtr<IFont3D> billboard = helper.LookupBillboardFont(times);
  ASSERT_TRUE(CComQIPtr<IBillboardFont3D>(billboard));
  EXPECT_TRUE(Get(billboard, &IFont3D::get_Font).IsEqualObject(times));
  EXPECT_TRUE(helper.LookupBillboardFont(bigTimes).IsEqualObject(billboard));
  CComPtr<IFont3D> courier = helper.LookupBillboardFont(NewFont(L"Courier", 10));
  ASSERT_TRUE(courier);
  EXPECT_FALSE(courier.IsEqualObject(billboard));

  // The extruded map is its own: the same name gives an extruded component
  // around the font object it was first asked with.
  CComPtr<IFont3D> extruded = helper.LookupExtrudedFont(bigTimes);
  ASSERT_TRUE(CComQIPtr<IExtrudedFont3D>(extruded));
  EXPECT_TRUE(Get(extruded, &IFont3D::get_Font).IsEqualObject(bigTimes));
  EXPECT_TRUE(helper.LookupExtrudedFont(times).IsEqualObject(extruded));

  EXPECT_FALSE(helper.LookupBillboardFont(nullptr));
  EXPECT_FALSE(helper.LookupExtrudedFont(nullptr));
}

TEST_F(ComFontHelperTest, DefaultBillboardFontIsSharedUntilReleased) {
  CComPtr<IFont3D> first = ComFontHelper::GetDefaultBillboardFont();
  ASSERT_TRUE(CComQIPtr<IBillboardFont3D>(first));
  EXPECT_EQ(Get(Get(first, &IFont3D::get_Font), &IFont::get_Name), L"Arial");
  EXPECT_TRUE(ComFontHelper::GetDefaultBillboardFont().IsEqualObject(first));

  ComFontHelper::ReleaseDefaultBillboardFont();
  CComPtr<IFont3D> second = ComFontHelper::GetDefaultBillboardFont();
  ASSERT_TRUE(second);
  EXPECT_FALSE(second.IsEqualObject(first));
  EXPECT_TRUE(ComFontHelper::GetDefaultBillboardFont().IsEqualObject(second));
}

}  // namespace
}  // namespace zelph::test
