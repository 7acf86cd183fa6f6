// Host geometries brought into longitude and latitude of WGS 1984 before
// the library places anything from them.
#include "geometry/GeometryHelfen.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "frame/ComObject.h"
#include "frame/HostGuids.h"
#include "frame/Logger.h"
#include "tests/support/QuietLoggerTest.h"

namespace {

using XY = std::pair<double, double>;
using GeometryHelfenTest = zelph::test::QuietLoggerTest;

CComPtr<IPoint> PointIn(ISpatialReference* reference, double x, double y) {
  CComPtr<IPoint> point;
  EXPECT_EQ(point.CoCreateInstance(CLSID_Point), S_OK);
  EXPECT_EQ(point->PutCoords(x, y), S_OK);
  EXPECT_EQ(reference ? point->putref_SpatialReference(reference) : S_OK, S_OK);
  return point;
}

XY Coords(IPoint* point) {
  XY xy;
  EXPECT_EQ(point->QueryCoords(&xy.first, &xy.second), S_OK);
  return xy;
}

bool Reported() { return std::wstring(Logger::atlLogOutput).starts_with(L"Exception @ File: ./GeometryHelfen Line: "); }

// A coordinate system made outside the host: named, but without a factory
// code the host could project from.
class UncodedReference : public zelph::ComObjectRoot, public ISpatialReference {
 public:
  using InterfaceMap = zelph::InterfaceMap<ISpatialReference>;
  STDMETHODIMP get_Name(BSTR* name) override {
    *name = SysAllocString(L"Somewhere_Local_Grid");
    return S_OK;
  }
  STDMETHODIMP get_FactoryCode(LONG*) override { return E_NOTIMPL; }
};

TEST_F(GeometryHelfenTest, ProjectedGeometriesComeBackInDegreesOthersAsTheyAreAndFailuresAreReported) {
  // The helper starts as in a process that has not used it yet.
  GeometryHelfen::m_Initialized = false;
  GeometryHelfen::m_GCSSpatRef.Release();
  CComPtr<ISpatialReferenceFactory> factory;
  ASSERT_EQ(factory.CoCreateInstance(CLSID_SpatialReferenceEnvironment), S_OK);
  CComPtr<ISpatialReference> utm33, wgs84;
  ASSERT_EQ(factory->CreateProjectedCoordinateSystem(32633, &utm33), S_OK);
  ASSERT_EQ(factory->CreateGeographicCoordinateSystem(4326, &wgs84), S_OK);
  // Zone 33: 15 degrees east at the false easting of 500 km; 45 degrees north
  // 0.9996 x 4984944.378 m (the WGS 1984 meridian arc) up that meridian.
  CComPtr<IPoint> projected = PointIn(utm33, 500000.0, 4982950.400);
  EXPECT_EQ(GeometryHelfen::Proselytize(projected.p).p, projected.p) << "projected in place";
  const ISpatialReference* made = GeometryHelfen::m_GCSSpatRef;
  EXPECT_NEAR(Coords(projected).first, 15.0, 1e-9);
  EXPECT_NEAR(Coords(projected).second, 45.0, 1e-6);
  EXPECT_FALSE(GeometryHelfen::NeedsToRepent(projected.p));

  EXPECT_FALSE(GeometryHelfen::Proselytize(nullptr));
  EXPECT_STREQ(Logger::atlLogOutput, L"Cannot proselytize a NULL geometry...");
  EXPECT_FALSE(GeometryHelfen::NeedsToRepent(nullptr));
  EXPECT_TRUE(Reported()) << Logger::atlLogOutput;

  // Geometries in degrees or without a system stay as they are (far off the
  // map if taken for metres); one in a system the host knows no code for
  // cannot be projected: reported, and the caller keeps it as it was.
  CComPtr<ISpatialReference> unknown;
  void** unknownOut = reinterpret_cast<void**>(&unknown);
  ASSERT_EQ(zelph::CreateComInstance<UncodedReference>(nullptr, IID_ISpatialReference, unknownOut), S_OK);
  for (ISpatialReference* reference : {wgs84.p, static_cast<ISpatialReference*>(nullptr), unknown.p}) {
    Logger::atlLogOutput[0] = L'\0';
    CComPtr<IPoint> kept = PointIn(reference, -120.5, 35.25);
    EXPECT_EQ(GeometryHelfen::Proselytize(kept.p).p, kept.p);
    EXPECT_EQ(Coords(kept), XY(-120.5, 35.25));
    EXPECT_EQ(Reported(), reference == unknown.p) << Logger::atlLogOutput;
  }
  EXPECT_EQ(GeometryHelfen::m_GCSSpatRef.p, made) << "the geographic system is made once";
}

}  // namespace
