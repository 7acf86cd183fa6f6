// The six clipping planes of the current OpenGL view, taken once per frame
// so that billboards whose anchor lies outside the view can be skipped.
// A frustum that was never loaded has all-zero planes and so accepts every
// point.
#pragma once

#include <GL/gl.h>

#include "geometry/Plane.h"

class Frustrum {
 public:
  // Reads the model-view and projection matrices in force. The matrix mode
  // must be GL_MODELVIEW; the model-view stack is left as it was.
  void LoadFrustrum();

  // True when the point (in the model-view's object coordinates) is on the
  // inner side of all six planes.
  bool PointInFrustrum(GLfloat x, GLfloat y, GLfloat z);
  // True when the point is on the plane or on its inner side; NaN counts as
  // inside.
  bool PointInPlane(Plane& plane, GLfloat x, GLfloat y, GLfloat z);
  // The plane "w row + sign(row) * row |row|" of the column-major clip
  // matrix, normalised; |row| is 1, 2 or 3 for x, y, z.
  void LoadPlane(Plane& plane, GLfloat* clip, int row);

  Plane m_Top;
  Plane m_Bottom;
  Plane m_Left;
  Plane m_Right;
  Plane m_Near;
  Plane m_Far;
};
