#include <gtest/gtest.h>

#include <cmath>

#include "frame/Guids.h"
#include "graphics/GroupGraphic3D.h"
#include "tests/support/ComponentTest.h"
#include "tests/support/GetProperty.h"

namespace zelph::test {
namespace {

using GroupTest = ComponentTest;

std::vector<double> CentroidOf(IUnknown* graphic) { return PointCoords(Get(graphic, &IGraphic3D::get_Centroid)); }

LONG CountOf(IUnknown* group) { return Get(Get(group, &IGroupGraphic3D::get_Graphics), &IArray::get_Count); }

CComPtr<IGraphic3D> TextAt(double x, double y, double z) {
  CComPtr<IGraphic3D> text = Make<IGraphic3D>(CLSID_TextPoint3D);
  EXPECT_EQ(text->putref_Centroid(NewPoint(x, y, z)), S_OK);
  return text;
}

// A group of text points at (0, 0, 0) and (10, 20, 30), every level reset.
struct TwoTexts {
  CComPtr<IGroupGraphic3D> group = Make<IGroupGraphic3D>(CLSID_GroupGraphic3D);
  CComQIPtr<IGraphic3D> graphic{group};
  CComPtr<IGraphic3D> a = TextAt(0, 0, 0), b = TextAt(10, 20, 30);
  TwoTexts() {
    EXPECT_TRUE(group->AddGraphic(a) == S_OK && group->AddGraphic(b) == S_OK);
    ResetLevels();
  }
  void ResetLevels() {
    IUnknown* graphics[] = {group.p, a.p, b.p};
    for (IUnknown* graphic : graphics) {
      SetUpdateLevel(graphic, kestGLUpdateNone);
    }
  }
};

TEST_F(GroupTest, MembersSetCentroidLevelAndExtent) {
  TwoTexts two;
  EXPECT_EQ(Get(two.group, &IGroupGraphic3D::get_ControlAsGroup), VARIANT_TRUE);
  EXPECT_EQ(CentroidOf(two.group), std::vector<double>({5, 10, 15}));

  // The level is the highest of the members'; the extent spans theirs,
  // passing over a member without one.
  CComPtr<IGraphic3D> bare = Make<IGraphic3D>(CLSID_TextPoint3D);
  ASSERT_EQ(two.group->AddGraphic(bare), S_OK);
  two.ResetLevels();
  ASSERT_EQ(two.a->put_Name(CComBSTR(L"changed")), S_OK);
  EXPECT_EQ(UpdateLevelOf(two.group), kestGLUpdateMajor);
  EXPECT_EQ(UpdateLevelOf(two.b), kestGLUpdateNone);
  EXPECT_EQ(Get(Get(two.group, &IGraphic3D::get_Extent), &IGeometry::get_IsEmpty), VARIANT_TRUE);
  static_cast<GroupGraphic3D*>(two.group.p)->UpdateExtent();
  EXPECT_EQ(ExtentCoords(two.group), std::vector<double>({-0.5, -0.5, 10.5, 20.5}));
  ASSERT_EQ(two.group->RemoveGraphic(bare), S_OK);
  two.ResetLevels();
  ASSERT_EQ(Get(two.group, &IGroupGraphic3D::get_Graphics)->RemoveAll(), S_OK);  // a copy
  ASSERT_EQ(two.group->RemoveGraphic(TextAt(1, 1, 1)), S_OK);
  EXPECT_EQ(CountOf(two.group), 2);
  EXPECT_EQ(UpdateLevelOf(two.group), kestGLUpdateMajor);
  ASSERT_EQ(two.group->AddGraphic(nullptr), S_OK);
  // Found by UID, not by object.
  CComPtr<IGraphic3D> twin = TextAt(0, 0, 0);
  ASSERT_EQ(twin->put_UID(CComBSTR(Get(two.a, &IGraphic3D::get_UID))), S_OK);
  ASSERT_EQ(two.group->RemoveGraphic(twin), S_OK);
  EXPECT_EQ(CountOf(two.group), 1);
  EXPECT_EQ(CentroidOf(two.group), std::vector<double>({10, 20, 30}));

  // A group never holds itself, at any depth.
  CComPtr<IGroupGraphic3D> outer = Make<IGroupGraphic3D>(CLSID_GroupGraphic3D);
  ASSERT_EQ(outer->AddGraphic(two.graphic), S_OK);
  EXPECT_EQ(two.group->AddGraphic(two.graphic), E_FAIL);
  EXPECT_EQ(two.group->AddGraphic(CComQIPtr<IGraphic3D>{outer}), E_FAIL);
  EXPECT_EQ(CountOf(two.group), 1);

  ASSERT_EQ(two.group->Clear(), S_OK);
  EXPECT_EQ(CountOf(two.group), 0);
  EXPECT_EQ(CentroidOf(two.group), std::vector<double>({0, 0, 0}));
}

TEST_F(GroupTest, ChangesGoOnToMembersOnlyWhileControlledAsGroup) {
  TwoTexts two;
  CComPtr<IMaterial3D> material = Make<IMaterial3D>(CLSID_SimpleMaterial3D);
  ASSERT_TRUE(two.graphic->put_Visible(VARIANT_FALSE) == S_OK && two.graphic->put_Transparency(100) == S_OK &&
              two.graphic->put_ThresholdElevation(55) == S_OK && two.graphic->putref_Material(material) == S_OK);
  EXPECT_EQ(two.graphic->put_Transparency(300), E_FAIL);
  for (IGraphic3D* member : {two.a.p, two.b.p}) {
    EXPECT_EQ(Get(member, &IGraphic3D::get_Visible), VARIANT_FALSE);
    EXPECT_EQ(Get(member, &IGraphic3D::get_Transparency), 100);
    EXPECT_EQ(Get(member, &IGraphic3D::get_ThresholdElevation), 55);
    EXPECT_EQ(Get(member, &IGraphic3D::get_Material), material);
  }

  // A new centroid moves every member by the offset, extents with them.
  two.ResetLevels();
  ASSERT_EQ(two.graphic->putref_Centroid(NewPoint(6, 10, 15)), S_OK);
  EXPECT_EQ(UpdateLevelOf(two.group), kestGLUpdateLocation);
  EXPECT_EQ(CentroidOf(two.a), std::vector<double>({1, 0, 0}));
  EXPECT_EQ(CentroidOf(two.b), std::vector<double>({11, 20, 30}));
  EXPECT_EQ(ExtentCoords(two.a), std::vector<double>({0.5, -0.5, 1.5, 0.5}));
  ASSERT_EQ(two.graphic->putref_Centroid(nullptr), S_OK);
  EXPECT_EQ(CentroidOf(two.group), std::vector<double>({6, 10, 15}));

  ASSERT_EQ(two.group->put_ControlAsGroup(VARIANT_FALSE), S_OK);
  ASSERT_EQ(two.graphic->put_Visible(VARIANT_TRUE), S_OK);
  ASSERT_EQ(two.graphic->putref_Centroid(NewPoint(-50, -50, 0)), S_OK);
  EXPECT_EQ(Get(two.a, &IGraphic3D::get_Visible), VARIANT_FALSE);
  EXPECT_EQ(CentroidOf(two.a), std::vector<double>({1, 0, 0}));
}

TEST_F(GroupTest, RecordHoldsCountMembersFlagThenBaseBlockAndIsReadWholeOrNotAtAll) {
  TwoTexts two;
  ASSERT_EQ(two.group->put_ControlAsGroup(VARIANT_FALSE), S_OK);
  std::vector<CComVariant> values = SavedValues(two.group);
  const size_t materialValues = SavedValues(Make<IMaterial3D>(CLSID_SimpleMaterial3D)).size();
  ASSERT_EQ(values.size(), 4 + 9 + materialValues + 3);
  EXPECT_TRUE(values[0].vt == VT_I4 && values[0].lVal == 2);
  ASSERT_TRUE(values[1].vt == VT_UNKNOWN && values[2].vt == VT_UNKNOWN);
  ExpectSameRecord(two.a, values[1].punkVal);  // the members in their order
  ExpectSameRecord(two.b, values[2].punkVal);
  EXPECT_TRUE(values[3].vt == VT_BOOL && values[3].boolVal == VARIANT_FALSE);
  EXPECT_TRUE(values[4].vt == VT_BSTR && Text(values[4].bstrVal) == Get(two.group, &IGraphic3D::get_UID));
  EXPECT_EQ(values[12].vt, VT_R8);  // threshold elevation, before the in-line records
  ExpectSameRecord(two.group, SaveAndLoad<IGroupGraphic3D>(two.group, CLSID_GroupGraphic3D));

  // Stored lists that cannot be read whole add no member.
  CComVariant text(two.a.p), point(NewPoint(1, 2).p);
  for (const std::vector<CComVariant>& values : std::vector<std::vector<CComVariant>>{
           {CComVariant(-1), text}, {CComVariant(3), text, text}, {CComVariant(0x7FFFFFFF), text},
           {CComVariant(1), point, CComVariant(true)}}) {
    CComPtr<IGroupGraphic3D> group = Make<IGroupGraphic3D>(CLSID_GroupGraphic3D);
    EXPECT_EQ(CComQIPtr<IPersistVariant>{group}->Load(StreamWith(values)), E_FAIL) << values[0].lVal;
    EXPECT_EQ(CountOf(group), 0);
  }
}

}  // namespace
}  // namespace zelph::test
