// The rubber-band rectangle: its corners, its outline over the scene, and
// its two ways of measuring itself in the scene.
#include "geometry/OrthoRectangle.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "frame/ComObject.h"
#include "frame/HostGuids.h"
#include "frame/Logger.h"
#include "host/HostInterfaces.h"
#include "platform/ConnectionPoints.h"
#include "tests/support/GLContext.h"
#include "tests/support/FrameHook.h"

namespace {

using zelph::test::Rgba;

constexpr Rgba kWhite{255, 255, 255, 255};

bool IsBlack(Rgba pixel) { return pixel.r < 16 && pixel.g < 16 && pixel.b < 16; }

class OrthoRectangleGLTest : public zelph::test::GLTest {
 protected:
  void SetUp() override {
    GLTest::SetUp();
    Logger::atlLogOutput[0] = L'\0';
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }
  void TearDown() override {
    Logger::atlLogOutput[0] = L'\0';
    GLTest::TearDown();
  }

  // A pixel by window position, row 0 at the top.
  Rgba WindowPixel(int x, int row) { return Context().ReadPixel(x, kHeight - 1 - row); }

  // True when some pixel of the rows [firstRow, lastRow] of column x is black.
  bool BlackInColumn(int x, int firstRow, int lastRow) {
    for (int row = firstRow; row <= lastRow; ++row) {
      if (IsBlack(WindowPixel(x, row))) return true;
    }
    return false;
  }
  bool BlackInRow(int row, int firstX, int lastX) {
    for (int x = firstX; x <= lastX; ++x) {
      if (IsBlack(WindowPixel(x, row))) return true;
    }
    return false;
  }
};

// A perspective view from `eyeX, eyeY, 5` towards the origin, its near plane
// 2 x halfWidth by 2 x halfHeight units at distance `nearPlane`.
void LoadView(double halfWidth, double halfHeight, double nearPlane, double eyeX, double eyeY) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-halfWidth, halfWidth, -halfHeight, halfHeight, nearPlane, 10.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(eyeX, eyeY, 5.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
}

std::array<double, 16> Matrix(GLenum which) {
  std::array<double, 16> m{};
  glGetDoublev(which, m.data());
  return m;
}

TEST(OrthoRectangle, CornersInEitherOrderGiveThePixelExtent) {
  OrthoRectangle rect;
  rect.Start(10, 20);
  rect.Update(4, 50);
  EXPECT_EQ(rect.GetPixelWidth(), 6.0);
  EXPECT_EQ(rect.GetPixelHeight(), 30.0);
  rect.Start(4, 50);
  rect.Update(10, 20);
  EXPECT_EQ(rect.GetPixelWidth(), 6.0);
  EXPECT_EQ(rect.GetPixelHeight(), 30.0);
  rect.Reset();
  EXPECT_EQ(rect.GetPixelWidth(), 0.0);
  EXPECT_EQ(rect.GetPixelHeight(), 0.0);
}

TEST_F(OrthoRectangleGLTest, OutlineIsDrawnWithRowZeroAtTheTopAndLeavesTheStateAsItWas) {
  // A perspective view that the outline must neither use nor disturb.
  LoadView(1.0, 1.0, 1.0, 0.0, 0.0);
  glColor3f(0.25f, 0.5f, 0.75f);
  auto projection = Matrix(GL_PROJECTION_MATRIX);
  auto modelView = Matrix(GL_MODELVIEW_MATRIX);

  OrthoRectangle rect;
  rect.Start(10, 5);
  rect.Update(50, 20);
  rect.Render();

  EXPECT_EQ(rect.GetViewportPixelWidth(), kWidth);
  EXPECT_EQ(rect.GetViewportPixelHeight(), kHeight);
  // Top edge near row 5, bottom edge near row 20, sides at columns 10 and 50.
  EXPECT_TRUE(BlackInColumn(30, 4, 6));
  EXPECT_TRUE(BlackInColumn(30, 19, 21));
  EXPECT_TRUE(BlackInRow(12, 9, 11));
  EXPECT_TRUE(BlackInRow(12, 49, 51));
  EXPECT_EQ(WindowPixel(30, 12), kWhite) << "inside";
  EXPECT_EQ(WindowPixel(30, 30), kWhite) << "below";
  // Drawn bottom-up, the top edge would have landed near row 58.
  EXPECT_FALSE(BlackInColumn(30, 56, 60));
  EXPECT_FALSE(BlackInColumn(30, 41, 46));

  EXPECT_EQ(Matrix(GL_PROJECTION_MATRIX), projection);
  EXPECT_EQ(Matrix(GL_MODELVIEW_MATRIX), modelView);
}

TEST_F(OrthoRectangleGLTest, MeasuresTheViewHeightAtTheNearPlaneScaledUp) {
  // The near plane of this frustum is 2 units high and 4 wide, shown in a
  // 64 x 32 viewport: 1/16 unit per pixel either way. The rectangle spans
  // half the viewport's height and a quarter of its width.
  glViewport(0, 0, 64, 32);
  LoadView(2.0, 1.0, 1.0, 1.0, 2.0);
  auto modelView = Matrix(GL_MODELVIEW_MATRIX);

  OrthoRectangle rect;
  rect.Start(8, 24);
  rect.Update(24, 8);
  rect.CalculateGLSizes();
  EXPECT_NEAR(rect.GetGLHeight(), 0.5 * 2.0 * 1000.0, 1e-3);
  EXPECT_NEAR(rect.GetGLWidth(), 0.25 * 4.0 * 1000.0, 1e-3);
  EXPECT_EQ(Matrix(GL_MODELVIEW_MATRIX), modelView);

  // Without a viewport nothing can be measured: reported, and the last
  // measurement stays (by either way of measuring).
  EXPECT_STREQ(Logger::atlLogOutput, L"");
  glViewport(0, 0, 0, 0);
  rect.CalculateGLSizes();
  EXPECT_EQ(std::wstring(Logger::atlLogOutput).rfind(L"Exception @ File: ./OrthoRectangle Line: ", 0), 0u)
      << Logger::atlLogOutput;
  EXPECT_NEAR(rect.GetGLHeight(), 1000.0, 1e-3);
  glViewport(0, 0, kWidth, kHeight);
}

CComPtr<IPoint> ScenePoint(double x, double y, double z) {
  CComPtr<IPoint> point;
  EXPECT_EQ(point.CoCreateInstance(CLSID_Point), S_OK);
  EXPECT_EQ(point->PutCoords(x, y), S_OK);
  EXPECT_EQ(point->put_Z(z), S_OK);
  return point;
}

TEST(OrthoRectangleCamera, MeasuresFromTheHostCameraInsideItsFrame) {
  auto [display, viewer, frame, camera, globeCamera] = zelph::test::ReferenceView::Open();
  ASSERT_TRUE(display && viewer && frame && globeCamera);

  constexpr LONG kFrameWidth = 200, kFrameHeight = 100;
  ASSERT_EQ(frame->SetFrameSize(kFrameWidth, kFrameHeight), S_OK);
  ASSERT_EQ(globeCamera->put_OrientationMode(kestGlobeCameraOrientationGlobal), S_OK);
  ASSERT_EQ(camera->put_Observer(ScenePoint(3.0, 0.0, 0.0)), S_OK);
  ASSERT_EQ(camera->put_Target(ScenePoint(0.0, 0.0, 0.0)), S_OK);
  ASSERT_EQ(camera->put_ViewFieldAngle(90.0), S_OK);

  zelph::test::AdvisedFrameHook sink(display);
  ASSERT_TRUE(sink.IsAdvised());

  OrthoRectangle rect;
  rect.SetGlobeCamera(globeCamera);
  sink->onAfterDraw = [&] { rect.Render(); };

  // A rectangle as tall as the frame, a quarter as wide. The camera is 2
  // units above the surface with 45 degrees either side: the frame is
  // 2 x tan(45) x 2 = 4 units high and, at that scale, 8 wide.
  rect.Start(0, 0);
  rect.Update(50, kFrameHeight);
  ASSERT_EQ(viewer->Redraw(VARIANT_FALSE), S_OK);
  EXPECT_EQ(rect.GetViewportPixelWidth(), kFrameWidth);
  EXPECT_EQ(rect.GetViewportPixelHeight(), kFrameHeight);
  EXPECT_NEAR(rect.GetGLHeight(), 4.0, 1e-5);
  EXPECT_NEAR(rect.GetGLWidth(), 2.0, 1e-5);

  // Over the globe (centre (100, 50), some 17 pixels across either way)
  // the outline's top edge at row 38 shows black; row 62, where a
  // bottom-up outline would have put it, stays the globe's.
  rect.Start(85, 38);
  rect.Update(115, 55);
  ASSERT_EQ(viewer->Redraw(VARIANT_FALSE), S_OK);
  std::vector<std::uint8_t> rgba(static_cast<size_t>(kFrameWidth) * kFrameHeight * 4);
  ASSERT_EQ(frame->ReadFrame(rgba.data(), static_cast<LONG>(rgba.size())), S_OK);
  auto pixel = [&](int x, int row) {
    const std::uint8_t* p = &rgba[(static_cast<size_t>(kFrameHeight - 1 - row) * kFrameWidth + x) * 4];
    return Rgba{p[0], p[1], p[2], p[3]};
  };
  bool topEdgeBlack = false;
  for (int row = 37; row <= 39; ++row) topEdgeBlack = topEdgeBlack || IsBlack(pixel(100, row));
  EXPECT_TRUE(topEdgeBlack);
  EXPECT_FALSE(IsBlack(pixel(100, 62))) << pixel(100, 62);
  EXPECT_FALSE(IsBlack(pixel(100, 46))) << "inside the outline the globe shows";
  EXPECT_NEAR(rect.GetGLHeight(), 17.0 / kFrameHeight * 4.0, 1e-5);

  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
