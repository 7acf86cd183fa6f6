#include "tests/support/GLCapture.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "platform/OffscreenGLContext.h"

namespace zelph::test {

namespace {

constexpr size_t kFeedbackFloats = 1 << 20;
constexpr int kValuesPerVertex = 3 + 4 + 4;  // GL_3D_COLOR_TEXTURE

CapturedVertex ReadVertex(const std::vector<GLfloat>& buffer, size_t& at) {
  CapturedVertex v{buffer[at], buffer[at + 1], buffer[at + 2], buffer[at + 3], buffer[at + 4],
                   buffer[at + 5], buffer[at + 6], buffer[at + 7], buffer[at + 8]};
  at += kValuesPerVertex;
  return v;
}

}  // namespace

std::vector<CapturedPrimitive> CaptureFeedback(const std::function<void()>& draw) {
  std::vector<GLfloat> buffer(kFeedbackFloats);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  GLint used = glRenderMode(GL_RENDER);
  std::vector<CapturedPrimitive> primitives;
  size_t at = 0;
  while (used > 0 && at < static_cast<size_t>(used)) {
    auto token = static_cast<GLenum>(buffer[at++]);
    switch (token) {
      case GL_POINT_TOKEN:
      case GL_BITMAP_TOKEN:
      case GL_DRAW_PIXEL_TOKEN:
      case GL_COPY_PIXEL_TOKEN:
        primitives.push_back({CapturedPrimitive::Point, {ReadVertex(buffer, at)}});
        break;
      case GL_LINE_TOKEN:
      case GL_LINE_RESET_TOKEN: {
        CapturedPrimitive line{CapturedPrimitive::Line, {}};
        line.vertices.push_back(ReadVertex(buffer, at));
        line.vertices.push_back(ReadVertex(buffer, at));
        primitives.push_back(line);
        break;
      }
      case GL_POLYGON_TOKEN: {
        CapturedPrimitive polygon{CapturedPrimitive::Polygon, {}};
        int count = static_cast<int>(buffer[at++]);
        for (int i = 0; i < count; ++i) polygon.vertices.push_back(ReadVertex(buffer, at));
        primitives.push_back(polygon);
        break;
      }
      case GL_PASS_THROUGH_TOKEN:
        ++at;
        break;
      default:
        return primitives;  // not a token: the buffer ran out
    }
  }
  return primitives;
}

int CountOf(const std::vector<CapturedPrimitive>& primitives, CapturedPrimitive::Kind kind) {
  int count = 0;
  for (const CapturedPrimitive& primitive : primitives) count += primitive.kind == kind;
  return count;
}

std::vector<std::vector<GLuint>> SelectHits(int x, int y, int size, const std::function<void()>& setUpView,
                                            const std::function<void()>& draw) {
  std::vector<GLuint> buffer(4096);
  glSelectBuffer(static_cast<GLsizei>(buffer.size()), buffer.data());
  glRenderMode(GL_SELECT);
  glInitNames();
  glPushName(0);
  setUpView();
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  GLdouble projection[16];
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPickMatrix(x, y, size, size, viewport);
  glMultMatrixd(projection);
  glMatrixMode(GL_MODELVIEW);
  draw();
  GLint hits = glRenderMode(GL_RENDER);
  std::vector<std::vector<GLuint>> stacks;
  size_t at = 0;
  for (GLint hit = 0; hit < hits && at < buffer.size(); ++hit) {
    GLuint names = buffer[at];
    at += 3;  // name count, depth minimum and maximum
    stacks.emplace_back(buffer.begin() + at, buffer.begin() + at + names);
    at += names;
  }
  return stacks;
}

void LookAtGlobeFromPlusX(float distance, int width, int height) {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(30.0, static_cast<double>(width) / height, 0.01, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(distance, 0, 0, 0, 0, 0, 0, 0, 1);
}

void UsePixelFrame(int width, int height) {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width, 0, height, -1000, 1000);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void LookAtGlobeFromPlusXParallel(double halfView, int width, int height) {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-halfView, halfView, -halfView, halfView, 0.1, 10.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(3, 0, 0, 0, 0, 0, 0, 0, 1);
}

namespace {

struct CurrentView {
  GLdouble model[16], projection[16];
  GLint viewport[4];
  CurrentView() {
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
  }
};

}  // namespace

CapturedVertex WindowOf(double x, double y, double z) {
  const CurrentView view;
  GLdouble wx = 0, wy = 0, wz = 0;
  gluProject(x, y, z, view.model, view.projection, view.viewport, &wx, &wy, &wz);
  return CapturedVertex{float(wx), float(wy), float(wz), 0, 0, 0, 0, 0, 0};
}

std::array<double, 3> SceneOf(const CapturedVertex& window) {
  const CurrentView view;
  std::array<double, 3> scene{};
  gluUnProject(window.x, window.y, window.z, view.model, view.projection, view.viewport, &scene[0], &scene[1],
               &scene[2]);
  return scene;
}

bool NearPixel(const CapturedVertex& v, float x, float y, float tolerance) {
  return std::fabs(v.x - x) <= tolerance && std::fabs(v.y - y) <= tolerance;
}

GLuint MakeTexture(int width, int height, const GLubyte* rgba) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  return texture;
}

int LiveLists(const std::vector<GLuint>& lists) {
  int live = 0;
  for (GLuint list : lists) live += glIsList(list) == GL_TRUE;
  return live;
}

bool ListsFreedBy(const std::vector<GLuint>& lists, const std::function<void()>& destroy) {
  const bool allLive = LiveLists(lists) == static_cast<int>(lists.size());
  destroy();
  return allLive && LiveLists(lists) == 0;
}

Ink DrawAndFindInk(zelph::OffscreenGLContext& context, const std::function<void()>& draw,
                   const std::function<bool(const std::uint8_t*)>& match) {
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  draw();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  const std::vector<std::uint8_t> pixels = context.ReadPixels();
  Ink ink;
  for (int y = 0; y < context.Height(); ++y) {
    for (int x = 0; x < context.Width(); ++x) {
      const std::uint8_t* pixel = &pixels[(static_cast<size_t>(y) * context.Width() + x) * 4];
      if (!(match ? match(pixel) : (pixel[0] | pixel[1] | pixel[2]) != 0)) continue;
      ++ink.count;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.bottom = std::min(ink.bottom, y);
      ink.top = std::max(ink.top, y);
    }
  }
  return ink;
}

}  // namespace zelph::test
