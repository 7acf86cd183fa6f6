// The host's camera: where it stands and looks, and which longitudes and
// latitudes of the globe its view shows. Positions travel as host points and
// extents as host envelopes.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "frame/HostGlobe.h"
#include "frame/HostGuids.h"
#include "host/HostInterfaces.h"
#include "platform/ClassRegistry.h"
#include "platform/ComPtr.h"
#include "tests/support/HostObjects.h"

namespace {

using zelph::test::NewPoint;
constexpr double kRadiusMetres = 6367444.5;

struct Xyz {
  double x = 0.0, y = 0.0, z = 0.0;
};

Xyz Direction(double latitude, double longitude) {
  double lat = latitude * std::numbers::pi / 180.0, lon = longitude * std::numbers::pi / 180.0;
  return {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
}

void ExpectNear(const Xyz& actual, const Xyz& expected, double tolerance, const char* what) {
  EXPECT_NEAR(actual.x, expected.x, tolerance) << what;
  EXPECT_NEAR(actual.y, expected.y, tolerance) << what;
  EXPECT_NEAR(actual.z, expected.z, tolerance) << what;
}

Xyz Coordinates(IPoint* point) {
  Xyz xyz;
  EXPECT_EQ(point->get_X(&xyz.x), S_OK);
  EXPECT_EQ(point->get_Y(&xyz.y), S_OK);
  EXPECT_EQ(point->get_Z(&xyz.z), S_OK);
  return xyz;
}

Xyz Observer(ICamera* camera) {
  CComPtr<IPoint> point;
  EXPECT_EQ(camera->get_Observer(&point), S_OK);
  return point ? Coordinates(point) : Xyz{NAN, NAN, NAN};
}

Xyz Target(ICamera* camera) {
  CComPtr<IPoint> point;
  EXPECT_EQ(camera->get_Target(&point), S_OK);
  return point ? Coordinates(point) : Xyz{NAN, NAN, NAN};
}

Xyz Up(ICamera* camera) {
  Xyz up;
  EXPECT_EQ(camera->QueryUp(&up.x, &up.y, &up.z), S_OK);
  return up;
}

struct Extent {
  bool empty = true;
  double lonMin = NAN, latMin = NAN, lonMax = NAN, latMax = NAN;
  double Width() const { return lonMax - lonMin; }
  double Height() const { return latMax - latMin; }
};

Extent VisibleExtent(ICamera* camera) {
  Extent extent;
  CComQIPtr<IGlobeViewUtil> util(camera);
  CComPtr<IEnvelope> envelope;
  EXPECT_TRUE(util);
  EXPECT_EQ(envelope.CoCreateInstance(CLSID_Envelope), S_OK);
  if (!util || !envelope) return extent;
  EXPECT_EQ(util->QueryVisibleGeographicExtent(envelope), S_OK);
  VARIANT_BOOL empty = VARIANT_FALSE;
  EXPECT_EQ(envelope->get_IsEmpty(&empty), S_OK);
  extent.empty = empty != VARIANT_FALSE;
  if (!extent.empty) {
    EXPECT_EQ(envelope->QueryCoords(&extent.lonMin, &extent.latMin, &extent.lonMax, &extent.latMax), S_OK);
  }
  return extent;
}

// A display keeps its viewer and the viewer its camera.
struct Globe {
  CComPtr<IGlobeDisplay> display;
  CComQIPtr<IOffscreenViewer> frame;
  CComPtr<ICamera> camera;
  CComQIPtr<IGlobeCamera> placing;
};

Globe NewGlobe() {
  Globe globe;
  EXPECT_EQ(globe.display.CoCreateInstance(CLSID_GlobeDisplay), S_OK);
  if (!globe.display) return globe;
  CComPtr<ISceneViewer> viewer;
  EXPECT_EQ(globe.display->get_ActiveViewer(&viewer), S_OK);
  globe.frame = viewer.p;
  EXPECT_EQ(viewer->get_Camera(&globe.camera), S_OK);
  globe.placing = globe.camera.p;
  return globe;
}

TEST(GlobeCamera, StandsAndLooksWhereItIsPlaced) {
  Globe globe = NewGlobe();
  ASSERT_TRUE(globe.camera && globe.placing);
  ICamera* camera = globe.camera;

  ExpectNear(Observer(camera), {3.0, 0.0, 0.0}, 0.0, "default observer");
  ExpectNear(Target(camera), {0.0, 0.0, 0.0}, 0.0, "default target");
  ExpectNear(Up(camera), {0.0, 0.0, 1.0}, 0.0, "default up");

  double distance = 0.0;
  // Local mode: straight down on the place, north up.
  double altitude = 1000e3, scaled = altitude / kRadiusMetres;
  Xyz below = Direction(10.0, 20.0);
  ASSERT_EQ(globe.placing->put_OrientationMode(kestGlobeCameraOrientationLocal), S_OK);
  ASSERT_EQ(globe.placing->PlaceAbove(10.0, 20.0, altitude), S_OK);
  ExpectNear(Observer(camera), {(1 + scaled) * below.x, (1 + scaled) * below.y, (1 + scaled) * below.z}, 1e-12,
             "local observer");
  ExpectNear(Target(camera), below, 1e-12, "local target");
  double lat = 10.0 * std::numbers::pi / 180.0, lon = 20.0 * std::numbers::pi / 180.0;
  ExpectNear(Up(camera), {-std::sin(lat) * std::cos(lon), -std::sin(lat) * std::sin(lon), std::cos(lat)}, 1e-12,
             "local up");
  EXPECT_EQ(camera->get_ViewingDistance(&distance), S_OK);
  EXPECT_NEAR(distance, scaled, 1e-12);

  // Turning global aims at the centre at once; placing then keeps it there.
  ASSERT_EQ(globe.placing->put_OrientationMode(kestGlobeCameraOrientationGlobal), S_OK);
  ExpectNear(Target(camera), {0.0, 0.0, 0.0}, 0.0, "target in the global mode");
  ASSERT_EQ(globe.placing->PlaceAbove(-30.0, 100.0, altitude), S_OK);
  ExpectNear(Target(camera), {0.0, 0.0, 0.0}, 0.0, "target after placing in the global mode");
  EXPECT_EQ(camera->get_ViewingDistance(&distance), S_OK);
  EXPECT_NEAR(distance, 1.0 + scaled, 1e-12);
}

TEST(GlobeCamera, VisibleExtentFollowsTheView) {
  Globe globe = NewGlobe();
  ASSERT_TRUE(globe.camera && globe.placing && globe.frame);

  // From 3 radii the 640 x 480 window shows the horizon at its sides: the
  // extent reaches acos(1/3) either side of longitude 0. Upwards the window
  // cuts the horizon where it leaves the 30-degree field.
  Extent whole = VisibleExtent(globe.camera);
  ASSERT_FALSE(whole.empty);
  double horizon = std::acos(1.0 / 3.0) * 180.0 / std::numbers::pi;
  EXPECT_NEAR(whole.lonMin, -horizon, 0.5);
  EXPECT_NEAR(whole.lonMax, horizon, 0.5);
  double cut = std::tan(15.0 * std::numbers::pi / 180.0) / std::tan(std::asin(1.0 / 3.0));
  double highest = std::asin(std::sqrt(8.0) / 3.0 * cut) * 180.0 / std::numbers::pi;
  EXPECT_NEAR(whole.latMax, highest, 0.5);
  EXPECT_NEAR(whole.latMin, -highest, 0.5);

  // Straight down on a place the extent is centred on it, and narrower for
  // a lower camera.
  ASSERT_EQ(globe.placing->put_OrientationMode(kestGlobeCameraOrientationLocal), S_OK);
  ASSERT_EQ(globe.placing->PlaceAbove(10.0, 20.0, 1000e3), S_OK);
  Extent high = VisibleExtent(globe.camera);
  ASSERT_FALSE(high.empty);
  EXPECT_NEAR((high.lonMin + high.lonMax) / 2, 20.0, 0.5);
  EXPECT_NEAR((high.latMin + high.latMax) / 2, 10.0, 0.5);
  EXPECT_GT(high.Width(), high.Height()) << "the window is wider than high";
  ASSERT_EQ(globe.placing->PlaceAbove(10.0, 20.0, 100e3), S_OK);
  Extent low = VisibleExtent(globe.camera);
  ASSERT_FALSE(low.empty);
  EXPECT_NEAR((low.lonMin + low.lonMax) / 2, 20.0, 0.5);
  EXPECT_NEAR((low.latMin + low.latMax) / 2, 10.0, 0.5);
  EXPECT_LT(low.Width(), high.Width() / 5);
  EXPECT_LT(low.Height(), high.Height() / 5);

  // Across the date line the extent is the short way round.
  ASSERT_EQ(globe.placing->PlaceAbove(0.0, 180.0, 1000e3), S_OK);
  Extent dateLine = VisibleExtent(globe.camera);
  ASSERT_FALSE(dateLine.empty);
  EXPECT_LT(dateLine.lonMin, 180.0);
  EXPECT_GT(dateLine.lonMax, 180.0);
  EXPECT_NEAR((dateLine.lonMin + dateLine.lonMax) / 2, 180.0, 0.5);
  EXPECT_NEAR(dateLine.Width(), high.Width() * std::cos(10.0 * std::numbers::pi / 180.0), 0.5);

  // Looking away from the globe shows none of it.
  CComPtr<IPoint> outside = NewPoint(3.0, 0.0, 0.0), further = NewPoint(6.0, 0.0, 0.0);
  ASSERT_TRUE(outside && further);
  ASSERT_EQ(globe.camera->put_Observer(outside), S_OK);
  ASSERT_EQ(globe.camera->put_Target(further), S_OK);
  EXPECT_TRUE(VisibleExtent(globe.camera).empty);
}

}  // namespace
