// The rubber-band rectangle: its corners, its outline over the scene, and
// its two ways of measuring itself in the scene; and, in the reference
// viewer's frame, the frustum that culls anchors.
#include "geometry/OrthoRectangle.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "frame/Logger.h"
#include "geometry/Frustrum.h"
#include "tests/support/FrameHook.h"
#include "tests/support/GLContext.h"

namespace {

std::array<double, 16> Matrix(GLenum which) {
  std::array<double, 16> m{};
  glGetDoublev(which, m.data());
  return m;
}

using OrthoRectangleGL = zelph::test::GLTest;

TEST_F(OrthoRectangleGL, MeasuresTheViewHeightAtTheNearPlaneScaledUp) {
  // The near plane of this frustum is 2 units high and 4 wide, shown in a
  // 64 x 32 viewport: 1/16 unit per pixel either way. The rectangle, its
  // corners in either order, spans half the viewport's height and width.
  Logger::atlLogOutput[0] = L'\0';
  glViewport(0, 0, 64, 32);
  glMatrixMode(GL_PROJECTION);
  glFrustum(-2.0, 2.0, -1.0, 1.0, 1.0, 10.0);
  glMatrixMode(GL_MODELVIEW);
  gluLookAt(1.0, 2.0, 5.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
  glClear(GL_DEPTH_BUFFER_BIT);
  const auto modelView = Matrix(GL_MODELVIEW_MATRIX);
  OrthoRectangle rect;
  rect.Start(8, 24);
  rect.Update(40, 8);
  EXPECT_EQ(rect.GetPixelWidth(), 32.0);
  EXPECT_EQ(rect.GetPixelHeight(), 16.0);
  rect.CalculateGLSizes();
  EXPECT_NEAR(rect.GetGLHeight(), 0.5 * 2.0 * 1000.0, 1e-3);
  EXPECT_NEAR(rect.GetGLWidth(), 0.5 * 4.0 * 1000.0, 1e-3);
  EXPECT_EQ(Matrix(GL_MODELVIEW_MATRIX), modelView);

  // Without a viewport nothing can be measured: reported, and the last
  // measurement stays.
  EXPECT_STREQ(Logger::atlLogOutput, L"");
  glViewport(0, 0, 0, 0);
  rect.CalculateGLSizes();
  EXPECT_EQ(std::wstring(Logger::atlLogOutput).rfind(L"Exception @ File: ./OrthoRectangle Line: ", 0), 0u)
      << Logger::atlLogOutput;
  EXPECT_NEAR(rect.GetGLHeight(), 1000.0, 1e-3);
  rect.Reset();
  EXPECT_EQ(rect.GetPixelWidth() + rect.GetPixelHeight(), 0.0);
}

TEST(ReferenceViewer, FrustumCullsAndRectangleMeasuresAndOutlinesOverTheGlobe) {
  auto [display, viewer, frame, camera, globeCamera] = zelph::test::ReferenceView::Open();
  ASSERT_TRUE(display && viewer && frame && globeCamera);
  constexpr LONG kFrameWidth = 200, kFrameHeight = 100;
  ASSERT_EQ(frame->SetFrameSize(kFrameWidth, kFrameHeight), S_OK);
  // Two units above the surface over (0, 0), looking at the centre, 45
  // degrees either side: the frame is 2 x tan(45) x 2 = 4 units high.
  ASSERT_EQ(globeCamera->put_OrientationMode(kestGlobeCameraOrientationGlobal), S_OK);
  ASSERT_EQ(globeCamera->PlaceAbove(0.0, 0.0, 2 * 6367444.5), S_OK);
  ASSERT_EQ(camera->put_ViewFieldAngle(90.0), S_OK);
  zelph::test::AdvisedFrameHook sink(display);
  ASSERT_TRUE(sink.IsAdvised());
  OrthoRectangle rect;
  rect.SetGlobeCamera(globeCamera);
  bool culled = false, matricesKept = false;
  sink->onBeforeDraw = [&] {
    glMatrixMode(GL_MODELVIEW);
    Frustrum frustrum;
    frustrum.LoadFrustrum();
    // The surface under the camera (3, 0, 0) inside; behind it and well
    // above its view outside.
    culled = frustrum.PointInFrustrum(1, 0, 0) && !frustrum.PointInFrustrum(4, 0, 0) &&
             !frustrum.PointInFrustrum(2.6f, 0, 1.5f);
  };
  sink->onAfterDraw = [&] {
    const auto projection = Matrix(GL_PROJECTION_MATRIX), modelView = Matrix(GL_MODELVIEW_MATRIX);
    rect.Render();
    matricesKept = Matrix(GL_PROJECTION_MATRIX) == projection && Matrix(GL_MODELVIEW_MATRIX) == modelView;
  };

  // As tall as the frame and a quarter as wide: a pixel is as wide as it is
  // high, so 4 units by 2 whatever the frame's aspect.
  rect.Start(0, 0);
  rect.Update(50, kFrameHeight);
  ASSERT_EQ(viewer->Redraw(VARIANT_FALSE), S_OK);
  EXPECT_TRUE(culled);
  EXPECT_TRUE(matricesKept);
  EXPECT_NEAR(rect.GetGLHeight(), 4.0, 1e-5);
  EXPECT_NEAR(rect.GetGLWidth(), 2.0, 1e-5);

  // Over the globe (centre (100, 50), some 17 pixels across either way)
  // the outline shows black at its rows and columns counted from the top;
  // inside and where a bottom-up outline would lie, the globe shows.
  rect.Start(85, 38);
  rect.Update(115, 55);
  ASSERT_EQ(viewer->Redraw(VARIANT_FALSE), S_OK);
  EXPECT_NEAR(rect.GetGLHeight(), 17.0 / kFrameHeight * 4.0, 1e-5);
  std::vector<std::uint8_t> rgba(static_cast<size_t>(kFrameWidth) * kFrameHeight * 4);
  ASSERT_EQ(frame->ReadFrame(rgba.data(), static_cast<LONG>(rgba.size())), S_OK);
  // Whether some pixel of columns [x0, x1] in rows [row0, row1] is black.
  auto black = [&](int x0, int x1, int row0, int row1) {
    bool found = false;
    for (int x = x0; x <= x1; ++x) {
      for (int row = row0; row <= row1; ++row) {
        const std::uint8_t* p = &rgba[(static_cast<size_t>(kFrameHeight - 1 - row) * kFrameWidth + x) * 4];
        found = found || (p[0] < 16 && p[1] < 16 && p[2] < 16);
      }
    }
    return found;
  };
  EXPECT_TRUE(black(100, 100, 37, 39));
  EXPECT_TRUE(black(100, 100, 54, 56));
  EXPECT_TRUE(black(84, 86, 46, 46));
  EXPECT_TRUE(black(114, 116, 46, 46));
  EXPECT_FALSE(black(100, 100, 41, 51)) << "inside the outline the globe shows";
  EXPECT_FALSE(black(100, 100, 60, 64)) << "where a bottom-up outline would lie";
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
