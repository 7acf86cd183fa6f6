#include <gtest/gtest.h>

#include "frame/FontInterfaces.h"
#include "frame/Guids.h"
#include "tests/support/ComponentTest.h"
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

CComPtr<IFont> FontOf(IFont3D* component) {
  CComPtr<IFont> font;
  EXPECT_EQ(component->get_Font(&font), S_OK);
  return font;
}

TEST_F(ComFontHelperTest, LookupsAreKeyedByNameAndKeepTheFirstFontObject) {
  ComFontHelper helper;
  CComPtr<IFont> times = NewFont(L"Times", 10);
  CComPtr<IFont> bigTimes = NewFont(L"Times", 20);

  CComPtr<IFont3D> billboard = helper.LookupBillboardFont(times);
  ASSERT_TRUE(billboard);
  EXPECT_TRUE(CComQIPtr<IBillboardFont3D>(billboard));
  EXPECT_TRUE(FontOf(billboard).IsEqualObject(times));
  CComPtr<IFont3D> again = helper.LookupBillboardFont(bigTimes);
  EXPECT_TRUE(again.IsEqualObject(billboard));
  EXPECT_TRUE(FontOf(again).IsEqualObject(times));

  // The extruded map is its own: the same name gives an extruded component
  // around the font object it was first asked with.
  CComPtr<IFont3D> extruded = helper.LookupExtrudedFont(bigTimes);
  ASSERT_TRUE(extruded);
  EXPECT_TRUE(CComQIPtr<IExtrudedFont3D>(extruded));
  EXPECT_FALSE(CComQIPtr<IBillboardFont3D>(extruded));
  EXPECT_TRUE(FontOf(extruded).IsEqualObject(bigTimes));
  EXPECT_TRUE(helper.LookupExtrudedFont(times).IsEqualObject(extruded));

  CComPtr<IFont3D> courier = helper.LookupBillboardFont(NewFont(L"Courier", 10));
  ASSERT_TRUE(courier);
  EXPECT_FALSE(courier.IsEqualObject(billboard));

  EXPECT_FALSE(helper.LookupBillboardFont(nullptr));
  EXPECT_FALSE(helper.LookupExtrudedFont(nullptr));
}

TEST_F(ComFontHelperTest, DefaultBillboardFontIsSharedUntilReleased) {
  CComPtr<IFont3D> first = ComFontHelper::GetDefaultBillboardFont();
  ASSERT_TRUE(first);
  EXPECT_TRUE(CComQIPtr<IBillboardFont3D>(first));
  CComBSTR name;
  ASSERT_EQ(FontOf(first)->get_Name(&name), S_OK);
  EXPECT_EQ(Text(name), L"Arial");
  EXPECT_TRUE(ComFontHelper::GetDefaultBillboardFont().IsEqualObject(first));

  ComFontHelper::ReleaseDefaultBillboardFont();
  CComPtr<IFont3D> second = ComFontHelper::GetDefaultBillboardFont();
  ASSERT_TRUE(second);
  EXPECT_FALSE(second.IsEqualObject(first));
  EXPECT_TRUE(ComFontHelper::GetDefaultBillboardFont().IsEqualObject(second));
}

}  // namespace
}  // namespace zelph::test
