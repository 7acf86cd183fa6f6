#include "tests/support/GLContext.h"

#include <GL/glu.h>

#include <array>

#include "platform/Win32OpenGL.h"

namespace zelph::test {
namespace {

constexpr Rgba kClearColour{51, 102, 153, 255};
constexpr Rgba kRed{255, 0, 0, 255};

void ClearTo(Rgba colour) {
  glClearColor(colour.r / 255.0f, colour.g / 255.0f, colour.b / 255.0f, colour.a / 255.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// One unit per pixel, origin bottom-left, as window coordinates are.
void UsePixelProjection(int width, int height) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width, 0, height, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void DrawSquare(float left, float bottom, float side) {
  glBegin(GL_QUADS);
  glVertex2f(left, bottom);
  glVertex2f(left + side, bottom);
  glVertex2f(left + side, bottom + side);
  glVertex2f(left, bottom + side);
  glEnd();
}

TEST(GLContextLifetime, IsCurrentWhileAliveAndSurvivesASecondContext) {
  {
    GLContext first(16, 16);
    EXPECT_NE(wglGetCurrentContext(), nullptr);
    {
      GLContext second(8, 8);
      EXPECT_NE(wglGetCurrentContext(), nullptr);
    }
    // The second context's end must not have terminated the shared display.
    first.MakeCurrent();
    ClearTo(kRed);
    EXPECT_EQ(first.ReadPixel(15, 15), kRed);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  }
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
}

TEST(GLContextLifetime, ResizeKeepsWhatWasMadeInTheContext) {
  GLContext context(16, 16);
  GLuint square = glGenLists(1);
  glNewList(square, GL_COMPILE);
  glColor3ub(kRed.r, kRed.g, kRed.b);
  DrawSquare(0, 0, 8);
  glEndList();

  context.Resize(40, 24);
  EXPECT_EQ(context.Width(), 40);
  EXPECT_EQ(context.Height(), 24);
  EXPECT_TRUE(glIsList(square));
  ClearTo(kClearColour);
  UsePixelProjection(40, 24);
  glCallList(square);
  EXPECT_EQ(context.ReadPixel(4, 4), kRed);
  EXPECT_EQ(context.ReadPixel(39, 23), kClearColour);
  glDeleteLists(square, 1);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GLTest, DrawnSquareCoversOnlyItsPixelsAndRowsAreBottomUp) {
  ClearTo(kClearColour);
  UsePixelProjection(kWidth, kHeight);
  glColor3ub(kRed.r, kRed.g, kRed.b);
  DrawSquare(8, 8, 16);  // in the bottom-left quarter only

  EXPECT_EQ(Context().ReadPixel(16, 16), kRed);
  EXPECT_EQ(Context().ReadPixel(40, 40), kClearColour);
  EXPECT_EQ(Context().ReadPixel(16, 48), kClearColour);
  EXPECT_EQ(Context().ReadPixel(kWidth - 1, kHeight - 1), kClearColour);

  std::vector<std::uint8_t> pixels = Context().ReadPixels();
  ASSERT_EQ(pixels.size(), size_t{kWidth * kHeight * 4});
  auto at = [&](int x, int y) {
    size_t index = (static_cast<size_t>(y) * kWidth + x) * 4;
    return Rgba{pixels[index], pixels[index + 1], pixels[index + 2], pixels[index + 3]};
  };
  EXPECT_EQ(at(16, 16), kRed);
  EXPECT_EQ(at(16, 48), kClearColour);
}

TEST_F(GLTest, SelectionReportsOnlyThePrimitiveUnderThePickRegion) {
  std::array<GLuint, 64> hits{};
  glSelectBuffer(static_cast<GLsizei>(hits.size()), hits.data());
  glRenderMode(GL_SELECT);
  glInitNames();
  glPushName(0);

  GLint viewport[4] = {0, 0, kWidth, kHeight};
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPickMatrix(16, 16, 4, 4, viewport);
  glOrtho(0, kWidth, 0, kHeight, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();

  glLoadName(7);
  DrawSquare(8, 8, 16);  // under the pick point
  glLoadName(9);
  DrawSquare(40, 40, 16);  // far from it

  GLint hitCount = glRenderMode(GL_RENDER);
  ASSERT_EQ(hitCount, 1);
  EXPECT_EQ(hits[0], 1u);  // names in the record
  EXPECT_EQ(hits[3], 7u);
}

TEST_F(GLTest, FeedbackCapturesTheTriangleInWindowCoordinates) {
  std::array<GLfloat, 64> feedback{};
  glFeedbackBuffer(static_cast<GLsizei>(feedback.size()), GL_3D, feedback.data());
  glRenderMode(GL_FEEDBACK);
  UsePixelProjection(kWidth, kHeight);
  glBegin(GL_TRIANGLES);
  glVertex3f(10, 10, 0);
  glVertex3f(50, 10, 0);
  glVertex3f(30, 40, 0);
  glEnd();

  GLint values = glRenderMode(GL_RENDER);
  ASSERT_EQ(values, 2 + 3 * 3);
  EXPECT_EQ(feedback[0], static_cast<GLfloat>(GL_POLYGON_TOKEN));
  ASSERT_EQ(feedback[1], 3.0f);
  const float expected[3][3] = {{10, 10, 0.5f}, {50, 10, 0.5f}, {30, 40, 0.5f}};
  for (int vertex = 0; vertex < 3; ++vertex) {
    for (int axis = 0; axis < 3; ++axis) {
      EXPECT_NEAR(feedback[2 + vertex * 3 + axis], expected[vertex][axis], 1e-4) << "vertex " << vertex << " axis " << axis;
    }
  }
}

}  // namespace
}  // namespace zelph::test
