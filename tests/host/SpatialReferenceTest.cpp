// Spatial references by code and the coordinate transformations between them.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "frame/HostGuids.h"
#include "frame/HostSpatialReference.h"
#include "host/spatial/CoordinateTransform.h"
#include "platform/ClassRegistry.h"
#include "platform/ComBstr.h"
#include "platform/ComPtr.h"

namespace {

CComPtr<ISpatialReferenceFactory> Factory() {
  CComPtr<ISpatialReferenceFactory> factory;
  EXPECT_EQ(factory.CoCreateInstance(CLSID_SpatialReferenceEnvironment), S_OK);
  return factory;
}

CComPtr<ISpatialReference> Geographic(LONG code) {
  CComPtr<ISpatialReference> reference;
  EXPECT_EQ(Factory()->CreateGeographicCoordinateSystem(code, &reference), S_OK) << code;
  return reference;
}

CComPtr<ISpatialReference> Projected(LONG code) {
  CComPtr<ISpatialReference> reference;
  EXPECT_EQ(Factory()->CreateProjectedCoordinateSystem(code, &reference), S_OK) << code;
  return reference;
}

std::wstring NameOf(ISpatialReference* reference) {
  CComBSTR name;
  EXPECT_EQ(reference->get_Name(&name), S_OK);
  return std::wstring(name.View());
}

TEST(SpatialReference, SystemsAreMadeByCodeWithTheirNames) {
  CComPtr<ISpatialReference> wgs84 = Geographic(4326);
  ASSERT_TRUE(wgs84);
  EXPECT_EQ(NameOf(wgs84), L"GCS_WGS_1984");
  LONG code = 0;
  EXPECT_EQ(wgs84->get_FactoryCode(&code), S_OK);
  EXPECT_EQ(code, 4326);

  EXPECT_EQ(NameOf(Projected(32633)), L"WGS_1984_UTM_zone_33N");
  EXPECT_EQ(NameOf(Projected(3857)), L"WGS_1984_Pseudo_Mercator");

  CComPtr<ISpatialReference> none;
  EXPECT_EQ(Factory()->CreateGeographicCoordinateSystem(32633, &none), E_INVALIDARG);
  EXPECT_EQ(Factory()->CreateProjectedCoordinateSystem(4326, &none), E_INVALIDARG);
  EXPECT_EQ(Factory()->CreateProjectedCoordinateSystem(999999, &none), E_INVALIDARG);
  EXPECT_EQ(Factory()->CreateGeographicCoordinateSystem(-1, &none), E_INVALIDARG);
  EXPECT_FALSE(none);
  EXPECT_EQ(Factory()->CreateGeographicCoordinateSystem(4326, nullptr), E_POINTER);
  EXPECT_EQ(wgs84->get_Name(nullptr), E_POINTER);
}

TEST(SpatialReference, TransformsBetweenSystemsAndBack) {
  CComPtr<ISpatialReference> wgs84 = Geographic(4326);
  CComPtr<ISpatialReference> utm33 = Projected(32633);

  // Zone 33's central meridian is 15 degrees east: on the equator it maps to
  // the false easting.
  std::vector<double> xs = {15.0, 16.5};
  std::vector<double> ys = {0.0, 48.2};
  ASSERT_EQ(zelph::host::TransformCoordinates(wgs84, utm33, xs, ys), S_OK);
  EXPECT_NEAR(xs[0], 500000.0, 1e-6);
  EXPECT_NEAR(ys[0], 0.0, 1e-6);
  EXPECT_GT(ys[1], 5.3e6);

  ASSERT_EQ(zelph::host::TransformCoordinates(utm33, wgs84, xs, ys), S_OK);
  EXPECT_NEAR(xs[1], 16.5, 1e-9);
  EXPECT_NEAR(ys[1], 48.2, 1e-9);
}

TEST(SpatialReference, FailedTransformationsChangeNothing) {
  CComPtr<ISpatialReference> wgs84 = Geographic(4326);
  CComPtr<ISpatialReference> mercator = Projected(3857);

  // A latitude beyond the pole has no place in the Mercator plane.
  std::vector<double> xs = {10.0, 0.0};
  std::vector<double> ys = {10.0, 95.0};
  EXPECT_EQ(zelph::host::TransformCoordinates(wgs84, mercator, xs, ys), E_FAIL);
  EXPECT_EQ(xs, (std::vector<double>{10.0, 0.0}));
  EXPECT_EQ(ys, (std::vector<double>{10.0, 95.0}));

  std::vector<double> one = {1.0};
  std::vector<double> two = {1.0, 2.0};
  EXPECT_EQ(zelph::host::TransformCoordinates(wgs84, mercator, one, two), E_INVALIDARG);
  EXPECT_EQ(zelph::host::TransformCoordinates(nullptr, mercator, one, one), E_POINTER);
}

}  // namespace
