// Small class-wide services that renderables, the scene manager and the
// graphic components share: OpenGL selection names, the raise-only update
// level, identifiers for new graphics, line-style stipples, conversions
// between window pixels and scene coordinates through the current OpenGL
// matrices, and a plain notification box.
#pragma once

#include <GL/gl.h>

#include "frame/HostSymbols.h"
#include "frame/LibraryEnums.h"
#include "platform/Bstr.h"
#include "platform/CString.h"

class Glomarch {
 public:
  // Selection names. The counter holds the last name handed out; it starts
  // at 1 so that 0 (the empty name stack) and 1 are never given to a
  // renderable.
  static GLuint GetNextGLName();
  // The name the next renderable will receive, without taking it.
  static GLuint GetNextGLNameNoInc();
  // The next GetNextGLName returns Name + 1.
  static void SetNextGLName(GLuint Name);

  // Raises `current` to `increased`; never lowers it, so that a minor change
  // made after a major one still leaves the renderable to be rebuilt.
  static void IncreaseUpdateLevel(kestGLUpdateLevel& current, kestGLUpdateLevel increased);

  // A new identifier as 36 characters (8-4-4-4-12 hexadecimal digits joined
  // by hyphens, no braces). The caller owns the string.
  static BSTR GenerateGUID();

  // The 16-bit line stipple of a line style; 0xFFFF (solid) for the solid,
  // null and inside-frame styles and for any value the table does not know.
  static GLushort ConvertLineStyle(kestSimpleLineStyle eels);

  // Scene coordinates of whatever was drawn at window pixel (winX, winY),
  // rows counted from the top. A pixel where nothing was drawn, or one
  // outside the window, gives the point on the far plane. The outputs are
  // zero when the conversion fails; null outputs are left alone.
  static void WindowToObject(long winX, long winY, double* x, double* y, double* z);
  // Window pixel of a scene point, rows counted from the top. The outputs
  // are zero when the point cannot be projected (it lies in the eye's plane
  // or is not finite); null outputs are left alone.
  static void ObjectToWindow(double x, double y, double z, long* winX, long* winY);

  // A modal box with an OK button, owned by no window.
  static void Notify(CString msg, CString caption);

 private:
  static inline GLuint s_GLName = 1;
};
