#include <gtest/gtest.h>

#include <cmath>

#include "frame/Guids.h"
#include "tests/support/ComponentTest.h"

namespace zelph::test {
namespace {

using OrientationTest = ComponentTest;

std::vector<double> AnglesOf(IOrientation3D* orientation) {
  std::vector<double> angles(3);
  EXPECT_EQ(orientation->QueryOrientation(&angles[0], &angles[1], &angles[2]), S_OK);
  return angles;
}

TEST_F(OrientationTest, StartsLevelRefusesNaNAndKeepsEveryAngleStored) {
  CComPtr<IOrientation3D> orientation = Make<IOrientation3D>(CLSID_Orientation3D);
  std::vector<CComVariant> values = SavedValues(orientation);
  ASSERT_EQ(values.size(), 3u);
  for (const CComVariant& value : values) EXPECT_TRUE(value.vt == VT_R8 && value.dblVal == 0.0);

  ASSERT_EQ(orientation->PutOrientation(45, -10, 370), S_OK);
  EXPECT_EQ(orientation->PutOrientation(10, NAN, 0), E_FAIL);
  EXPECT_EQ(orientation->put_Roll(NAN), E_FAIL);
  EXPECT_EQ(AnglesOf(orientation), std::vector<double>({45, -10, 370}));
}

}  // namespace
}  // namespace zelph::test
