#include "tests/support/GLCapture.h"

#include <GL/glu.h>

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

}  // namespace zelph::test
