#include <gtest/gtest.h>

#include <cmath>

#include "frame/Guids.h"
#include "tests/support/ComponentTest.h"

namespace zelph::test {
namespace {

using OrientationTest = ComponentTest;

TEST_F(OrientationTest, NewOrientationSavesThreeZeroDoubles) {
  CComPtr<IOrientation3D> orientation = Make<IOrientation3D>(CLSID_Orientation3D);
  std::vector<CComVariant> values = SavedValues(orientation);
  ASSERT_EQ(values.size(), 3u);
  for (const CComVariant& value : values) {
    EXPECT_EQ(value.vt, VT_R8);
    EXPECT_EQ(value.dblVal, 0.0);
  }
}

TEST_F(OrientationTest, NaNIsRefusedAndNothingChanges) {
  CComPtr<IOrientation3D> orientation = Make<IOrientation3D>(CLSID_Orientation3D);
  ASSERT_EQ(orientation->PutOrientation(1, 2, 3), S_OK);
  EXPECT_EQ(orientation->PutOrientation(10, NAN, 0), E_FAIL);
  EXPECT_EQ(orientation->put_Roll(NAN), E_FAIL);
  double heading = 0, pitch = 0, roll = 0;
  ASSERT_EQ(orientation->QueryOrientation(&heading, &pitch, &roll), S_OK);
  EXPECT_EQ(heading, 1);
  EXPECT_EQ(pitch, 2);
  EXPECT_EQ(roll, 3);
  EXPECT_EQ(orientation->QueryOrientation(&heading, nullptr, &roll), E_POINTER);
}

TEST_F(OrientationTest, SaveAndLoadKeepsEveryAngle) {
  CComPtr<IOrientation3D> orientation = Make<IOrientation3D>(CLSID_Orientation3D);
  ASSERT_EQ(orientation->PutOrientation(45, -10, 370), S_OK);
  CComPtr<IOrientation3D> loaded = SaveAndLoad<IOrientation3D>(orientation, CLSID_Orientation3D);
  double heading = 0, pitch = 0, roll = 0;
  ASSERT_EQ(loaded->QueryOrientation(&heading, &pitch, &roll), S_OK);
  EXPECT_EQ(heading, 45);
  EXPECT_EQ(pitch, -10);
  EXPECT_EQ(roll, 370);
}

}  // namespace
}  // namespace zelph::test
