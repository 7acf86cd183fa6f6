#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "frame/Guids.h"
#include "frame/HostSymbols.h"
#include "tests/support/ComponentTest.h"
#include "tests/support/GetProperty.h"

namespace zelph::test {
namespace {

using EllipsoidTest = ComponentTest;

std::vector<double> SizesOf(IEllipsoid3D* ellipsoid) {
  std::vector<double> sizes(3);
  EXPECT_EQ(ellipsoid->QuerySize(&sizes[0], &sizes[1], &sizes[2]), S_OK);
  return sizes;
}

std::vector<double> SectorOf(IPartialEllipsoid3D* partial) {
  return {Get(partial, &IPartialEllipsoid3D::get_StartAzimuth), Get(partial, &IPartialEllipsoid3D::get_EndAzimuth),
          Get(partial, &IPartialEllipsoid3D::get_StartInclination),
          Get(partial, &IPartialEllipsoid3D::get_EndInclination)};
}

TEST_F(EllipsoidTest, DefaultsAndSizesThatKeepTheExtentAroundTheCentroid) {
  for (const CLSID* clsid : {&CLSID_Ellipsoid3D, &CLSID_PartialEllipsoid3D}) {
    CComPtr<IEllipsoid3D> ellipsoid = Make<IEllipsoid3D>(*clsid);
    EXPECT_EQ(Get(ellipsoid, &IEllipsoid3D::get_EllipsoidOption), kestGLEllipsoidFrameAndFill);
    EXPECT_TRUE(Get(ellipsoid, &IEllipsoid3D::get_GridSymbol));
    EXPECT_EQ(SizesOf(ellipsoid), std::vector<double>({1, 1, 1}));
    EXPECT_EQ(Get(ellipsoid, &ICallout3D::get_EnableCallout), VARIANT_FALSE);
    EXPECT_EQ(UpdateLevelOf(ellipsoid), kestGLUpdateNone);
  }

  CComPtr<IEllipsoid3D> ellipsoid = Make<IEllipsoid3D>(CLSID_Ellipsoid3D);
  ASSERT_EQ(CComQIPtr<IGraphic3D>(ellipsoid)->putref_Centroid(NewPoint(10, 20)), S_OK);
  SetUpdateLevel(ellipsoid, kestGLUpdateNone);
  ASSERT_EQ(ellipsoid->put_ZSize(5), S_OK);  // height: not part of the extent
  EXPECT_EQ(ExtentCoords(ellipsoid), std::vector<double>({9.5, 19.5, 10.5, 20.5}));
  EXPECT_EQ(UpdateLevelOf(ellipsoid), kestGLUpdateMinor);
  ASSERT_EQ(ellipsoid->put_YSize(8), S_OK);
  EXPECT_EQ(ExtentCoords(ellipsoid), std::vector<double>({9.5, 16, 10.5, 24}));

  SetUpdateLevel(ellipsoid, kestGLUpdateNone);
  EXPECT_EQ(ellipsoid->PutSize(6, 6, NAN), E_FAIL);
  EXPECT_EQ(SizesOf(ellipsoid), std::vector<double>({1, 8, 5}));
  EXPECT_EQ(UpdateLevelOf(ellipsoid), kestGLUpdateNone);
  ASSERT_EQ(ellipsoid->PutSize(2, 6, 7), S_OK);
  EXPECT_EQ(ExtentCoords(ellipsoid), std::vector<double>({9, 17, 11, 23}));
}

TEST_F(EllipsoidTest, SectorsFoldAzimuthsAndClampInclinations) {
  CComPtr<IPartialEllipsoid3D> partial = Make<IPartialEllipsoid3D>(CLSID_PartialEllipsoid3D);
  EXPECT_EQ(SectorOf(partial), std::vector<double>({0, 360, -90, 90}));
  EXPECT_EQ(Get(partial, &IPartialEllipsoid3D::get_ShowCaps), VARIANT_TRUE);
  auto azimuthAfter = [&](double azimuth) {
    EXPECT_EQ(partial->put_StartAzimuth(azimuth), S_OK) << azimuth;
    return SectorOf(partial)[0];
  };
  for (auto [given, folded] : {std::pair{725.0, 5.0}, {-30.0, 330.0}, {360.0, 360.0}, {720.0, 360.0}})
    EXPECT_EQ(azimuthAfter(given), folded) << given;
  // Far beyond the precision of a step of 360: still folded, and at once.
  const double huge = azimuthAfter(1e300);
  EXPECT_TRUE(huge > 0 && huge <= 360) << huge;

  ASSERT_EQ(partial->put_EndInclination(120), S_OK);
  ASSERT_EQ(partial->put_StartInclination(-INFINITY), S_OK);
  EXPECT_EQ(SectorOf(partial), std::vector<double>({huge, 360, -90, 90}));
  ASSERT_EQ(partial->put_EndInclination(-100), S_OK);
  EXPECT_EQ(SectorOf(partial)[3], -90);
  SetUpdateLevel(partial, kestGLUpdateNone);
  const std::vector<double> before = SectorOf(partial);
  EXPECT_EQ(partial->put_StartAzimuth(NAN), E_FAIL);
  EXPECT_EQ(partial->put_EndAzimuth(INFINITY), E_FAIL);
  EXPECT_EQ(SectorOf(partial), before);
  EXPECT_EQ(UpdateLevelOf(partial), kestGLUpdateNone);

  ASSERT_EQ(partial->put_ShowCaps(1), S_OK);  // only VARIANT_TRUE is true
  EXPECT_EQ(Get(partial, &IPartialEllipsoid3D::get_ShowCaps), VARIANT_FALSE);
  EXPECT_EQ(UpdateLevelOf(partial), kestGLUpdateMajor);
}

}  // namespace
}  // namespace zelph::test
