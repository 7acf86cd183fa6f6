// One clipping plane of the view: A*x + B*y + C*z + D = 0, with (A, B, C) of
// unit length once the frustum has loaded it.
#pragma once

#include <GL/gl.h>

class Plane {
 public:
  GLfloat A = 0.0f;
  GLfloat B = 0.0f;
  GLfloat C = 0.0f;
  GLfloat D = 0.0f;

  // Signed distance of a point from the plane (positive on the inner side).
  GLfloat Distance(GLfloat x, GLfloat y, GLfloat z) const { return A * x + B * y + C * z + D; }
};
