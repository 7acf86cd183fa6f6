#include "render/Glomarch.h"

#include <GL/glu.h>

#include <cmath>

#include "frame/ErrorConvention.h"
#include "platform/Guid.h"
#include "platform/Win32UserInterface.h"

namespace {

// The matrices and viewport in force, as GLU wants them.
struct CurrentView {
  GLdouble modelView[16];
  GLdouble projection[16];
  GLint viewport[4];

  CurrentView() {
    glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
  }
};

// A projected window coordinate as a pixel index, truncated towards zero.
// Points close to the eye's plane project to huge values; they are held to
// 32 bits, far beyond any window, so that the conversion stays defined.
long TruncateToPixel(double value) {
  constexpr double lowest = -2147483648.0;
  constexpr double highest = 2147483647.0;
  if (value <= lowest) return static_cast<long>(lowest);
  if (value >= highest) return static_cast<long>(highest);
  return static_cast<long>(value);
}

}  // namespace

GLuint Glomarch::GetNextGLName() { return ++s_GLName; }

GLuint Glomarch::GetNextGLNameNoInc() { return s_GLName + 1; }

void Glomarch::SetNextGLName(GLuint Name) { s_GLName = Name; }

void Glomarch::IncreaseUpdateLevel(kestGLUpdateLevel& current, kestGLUpdateLevel increased) {
  if (increased > current) current = increased;
}

BSTR Glomarch::GenerateGUID() {
  GUID guid = GUID_NULL;
  CoCreateGuid(&guid);
  OLECHAR braced[39] = {};
  StringFromGUID2(guid, braced, 39);
  // Skip the opening brace and stop before the closing one.
  return SysAllocStringLen(braced + 1, 36);
}

GLushort Glomarch::ConvertLineStyle(kestSimpleLineStyle eels) {
  switch (eels) {
    case kestSLSDash:
      return 0x0FFF;
    case kestSLSDot:
      return 0x0F0F;
    case kestSLSDashDot:
      return 0x33FF;
    case kestSLSDashDotDot:
      return 0x333F;
    default:
      return 0xFFFF;
  }
}

void Glomarch::WindowToObject(long winX, long winY, double* x, double* y, double* z) {
  if (x == nullptr || y == nullptr || z == nullptr) return;
  *x = *y = *z = 0.0;
  zelph::InternalCall(L"WindowToObject", [&] {
    CurrentView view;
    GLint row = static_cast<GLint>(view.viewport[3] - winY);
    // Outside the window glReadPixels writes nothing: such a pixel then
    // reads as empty, at the far depth, instead of as stack garbage.
    GLfloat depth = 1.0f;
    glReadPixels(static_cast<GLint>(winX), row, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    GLdouble ox = 0.0, oy = 0.0, oz = 0.0;
    if (gluUnProject(static_cast<GLdouble>(winX), static_cast<GLdouble>(row), depth, view.modelView,
                     view.projection, view.viewport, &ox, &oy, &oz) == GL_TRUE) {
      *x = ox;
      *y = oy;
      *z = oz;
    }
  });
}

void Glomarch::ObjectToWindow(double x, double y, double z, long* winX, long* winY) {
  if (winX == nullptr || winY == nullptr) return;
  *winX = *winY = 0;
  zelph::InternalCall(L"ObjectToWindow", [&] {
    CurrentView view;
    GLdouble wx = 0.0, wy = 0.0, wz = 0.0;
    if (gluProject(x, y, z, view.modelView, view.projection, view.viewport, &wx, &wy, &wz) != GL_TRUE) return;
    if (!std::isfinite(wx) || !std::isfinite(wy)) return;
    *winX = TruncateToPixel(wx);
    *winY = TruncateToPixel(view.viewport[3] - wy);
  });
}

void Glomarch::Notify(CString msg, CString caption) { MessageBoxW(nullptr, msg, caption, MB_OK); }
