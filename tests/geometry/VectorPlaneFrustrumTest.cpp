// Vector arithmetic and angles, clipping planes, and the frustum taken from
// hand-made matrices and from the reference viewer's own frame.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>

#include "frame/ComObject.h"
#include "frame/HostGlobe.h"
#include "frame/HostGuids.h"
#include "geometry/Frustrum.h"
#include "geometry/Plane.h"
#include "geometry/Vector.h"
#include "host/HostInterfaces.h"
#include "platform/ComPtr.h"
#include "platform/ConnectionPoints.h"
#include "tests/support/GLContext.h"
#include "tests/support/FrameHook.h"

namespace {

void ExpectVector(const Vector& v, double x, double y, double z) {
  EXPECT_DOUBLE_EQ(v.GetX(), x);
  EXPECT_DOUBLE_EQ(v.GetY(), y);
  EXPECT_DOUBLE_EQ(v.GetZ(), z);
  // The pointer view must follow every change of the components.
  const double* p = v.GetV();
  EXPECT_DOUBLE_EQ(p[0], x);
  EXPECT_DOUBLE_EQ(p[1], y);
  EXPECT_DOUBLE_EQ(p[2], z);
}

TEST(Vector, ComponentsAndTheirPointerViewStayTogether) {
  ExpectVector(Vector(), 0, 0, 0);
  Vector v(1.5, -2.5, 3.25);
  ExpectVector(v, 1.5, -2.5, 3.25);
  v.SetV(-1, -2, -3);
  ExpectVector(v, -1, -2, -3);

  Vector n(3, 4, 12);
  EXPECT_DOUBLE_EQ(n.GetLength(), 13.0);
  n.Normalize();
  ExpectVector(n, 3.0 / 13, 4.0 / 13, 12.0 / 13);
  EXPECT_NEAR(n.GetLength(), 1.0, 1e-15);

  // A zero vector has no direction: non-finite components, no failure.
  Vector zero;
  zero.Normalize();
  EXPECT_FALSE(std::isfinite(zero.GetX()));
  EXPECT_FALSE(std::isfinite(zero.GetV()[2]));
}

TEST(Vector, Arithmetic) {
  const Vector a(1, 2, 3), b(4, 5, 6);
  ExpectVector(a + b, 5, 7, 9);
  ExpectVector(a - b, -3, -3, -3);
  ExpectVector(a * 2.5, 2.5, 5, 7.5);
  EXPECT_DOUBLE_EQ(a * b, 32.0);
  ExpectVector(a ^ b, -3, 6, -3);
  // Right-handed: x cross y is z, and the order matters.
  ExpectVector(Vector(1, 0, 0) ^ Vector(0, 1, 0), 0, 0, 1);
  EXPECT_TRUE(Vector(1, 2, 3) == a);
  const double beyond = std::nextafter(3.0, 4.0);
  EXPECT_FALSE(Vector(1, 2, beyond) == a);
}

TEST(Vector, AnglesAndAzimuths) {
  // The library's degree factor, slightly below 180 / pi.
  constexpr double kFactor = 57.29577950560105;
  EXPECT_DOUBLE_EQ(Vector(1, 0, 0).AngleToVector(Vector(0, 5, 0)), std::numbers::pi / 2 * kFactor);
  EXPECT_NEAR(Vector(1, 1, 0).AngleToVector(Vector(2, 0, 0)), 45.0, 1e-6);
  // Parallel vectors whose cosine rounds past 1 still meet at angle 0.
  EXPECT_NEAR(Vector(0.1, 0.2, 0.3).AngleToVector(Vector(0.3, 0.6, 0.9)), 0.0, 1e-6);
  EXPECT_TRUE(std::isnan(Vector().AngleToVector(Vector(1, 0, 0))));

  EXPECT_NEAR(Vector(0, 1, 0).GetAzimuth(), 0.0, 1e-9);
  EXPECT_NEAR(Vector(1, 0, 0).GetAzimuth(), 90.0, 1e-6);
  EXPECT_NEAR(Vector(1, 1, 0).GetAzimuth(), 45.0, 1e-6);
  // z tilts the vector away from +Y too.
  EXPECT_NEAR(Vector(0, 0, 1).GetAzimuth(), 90.0, 1e-6);
}

TEST(Frustrum, PlanesAcceptTheirOwnSurfaceAndNaN) {
  Frustrum frustrum;
  Plane atTwo;  // z >= 2
  atTwo.C = 1;
  atTwo.D = -2;
  EXPECT_TRUE(frustrum.PointInPlane(atTwo, 0, 0, 2));
  EXPECT_FALSE(frustrum.PointInPlane(atTwo, 0, 0, 1.999f));
  const float nan = std::numeric_limits<float>::quiet_NaN();
  EXPECT_TRUE(frustrum.PointInPlane(atTwo, 0, 0, nan));

  // Never loaded: all planes zero, every point accepted.
  EXPECT_TRUE(frustrum.PointInFrustrum(0, 0, 0));
  EXPECT_TRUE(frustrum.PointInFrustrum(nan, nan, nan));

  // One plane is enough to reject.
  frustrum.m_Far = atTwo;
  EXPECT_FALSE(frustrum.PointInFrustrum(0, 0, 1));
  EXPECT_TRUE(frustrum.PointInFrustrum(0, 0, 3));
}

class FrustrumGL : public zelph::test::GLTest {};

void ExpectPlane(const Plane& plane, float a, float b, float c, float d) {
  EXPECT_NEAR(plane.A, a, 1e-6);
  EXPECT_NEAR(plane.B, b, 1e-6);
  EXPECT_NEAR(plane.C, c, 1e-6);
  EXPECT_NEAR(plane.D, d, 1e-6);
}

TEST_F(FrustrumGL, OrthographicBoxGivesItsSixFacesAsUnitPlanes) {
  // A box x in [-2, 2], y in [-1, 1], eye z in [-1, 1]: the planes are its
  // faces at their true distances from the origin.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-2, 2, -1, 1, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();

  Frustrum frustrum;
  frustrum.LoadFrustrum();
  ExpectPlane(frustrum.m_Left, 1, 0, 0, 2);     // x >= -2
  ExpectPlane(frustrum.m_Right, -1, 0, 0, 2);   // x <= 2
  ExpectPlane(frustrum.m_Bottom, 0, 1, 0, 1);   // y >= -1
  ExpectPlane(frustrum.m_Top, 0, -1, 0, 1);     // y <= 1
  ExpectPlane(frustrum.m_Near, 0, 0, -1, 1);    // z <= 1, towards the eye
  ExpectPlane(frustrum.m_Far, 0, 0, 1, 1);      // z >= -1
  EXPECT_TRUE(frustrum.PointInFrustrum(2, 1, -1));
  EXPECT_FALSE(frustrum.PointInFrustrum(2.01f, 0, 0));
}

// Whether a point lies inside the view, worked out from the clip coordinates
// the matrices give it.
bool InsideByClipCoordinates(const std::array<double, 3>& point, double margin, bool& clear) {
  GLdouble model[16], projection[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, model);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  double eye[4], clip[4];
  const double object[4] = {point[0], point[1], point[2], 1.0};
  for (int r = 0; r < 4; ++r) {
    eye[r] = 0;
    for (int c = 0; c < 4; ++c) eye[r] += model[4 * c + r] * object[c];
  }
  for (int r = 0; r < 4; ++r) {
    clip[r] = 0;
    for (int c = 0; c < 4; ++c) clip[r] += projection[4 * c + r] * eye[c];
  }
  bool inside = true;
  clear = true;
  for (int axis = 0; axis < 3; ++axis) {
    const double slack = clip[3] - std::abs(clip[axis]);
    if (slack < 0) inside = false;
    if (std::abs(slack) < margin) clear = false;
  }
  return inside;
}

std::array<double, 3> ScenePoint(double latitude, double longitude, double radius) {
  const double lat = latitude * std::numbers::pi / 180, lon = longitude * std::numbers::pi / 180;
  return {radius * std::cos(lat) * std::cos(lon), radius * std::cos(lat) * std::sin(lon), radius * std::sin(lat)};
}

TEST(FrustrumViewer, CullsByTheCameraOfTheReferenceViewer) {
  auto [display, viewer, frame, camera, placing] = zelph::test::ReferenceView::Open();
  ASSERT_TRUE(display && viewer && placing);
  // 2000 km above (30 N, 40 E), looking at the globe's centre.
  ASSERT_EQ(placing->put_OrientationMode(kestGlobeCameraOrientationGlobal), S_OK);
  ASSERT_EQ(placing->PlaceAbove(30.0, 40.0, 2000e3), S_OK);
  const double observerRadius = 1.0 + 2000e3 / 6367444.5;

  zelph::test::AdvisedFrameHook sink(display);
  ASSERT_TRUE(sink.IsAdvised());

  bool ran = false;
  sink->onBeforeDraw = [&] {
    ran = true;
    glMatrixMode(GL_MODELVIEW);
    Frustrum frustrum;
    frustrum.LoadFrustrum();
    auto accepts = [&](const std::array<double, 3>& p) {
      return frustrum.PointInFrustrum(static_cast<GLfloat>(p[0]), static_cast<GLfloat>(p[1]),
                                      static_cast<GLfloat>(p[2]));
    };
    bool clear = false;
    // The place under the camera is the centre of the view.
    const auto centre = ScenePoint(30, 40, 1.0);
    EXPECT_TRUE(InsideByClipCoordinates(centre, 0, clear));
    EXPECT_TRUE(accepts(centre));
    // Beyond the observer, on the same line: behind the camera.
    const auto behind = ScenePoint(30, 40, observerRadius + 0.5);
    EXPECT_FALSE(accepts(behind));
    // Far to the side of the view.
    const auto aside = ScenePoint(30, 100, 1.0);
    EXPECT_FALSE(InsideByClipCoordinates(aside, 0, clear));
    EXPECT_FALSE(accepts(aside));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  };
  ASSERT_EQ(viewer->Redraw(VARIANT_FALSE), S_OK);
  EXPECT_TRUE(ran);
}

}  // namespace
