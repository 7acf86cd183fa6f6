#include "geometry/Frustrum.h"

#include <cmath>
#include <cstdlib>

void Frustrum::LoadFrustrum() {
  GLfloat modelView[16];
  GLfloat projection[16];
  GLfloat clip[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
  glGetFloatv(GL_PROJECTION_MATRIX, projection);

  // Let OpenGL form projection * model-view on the model-view stack rather
  // than multiplying by hand, then restore the stack.
  glPushMatrix();
  glLoadMatrixf(projection);
  glMultMatrixf(modelView);
  glGetFloatv(GL_MODELVIEW_MATRIX, clip);
  glPopMatrix();

  LoadPlane(m_Top, clip, -2);
  LoadPlane(m_Bottom, clip, 2);
  LoadPlane(m_Left, clip, 1);
  LoadPlane(m_Right, clip, -1);
  LoadPlane(m_Near, clip, 3);
  LoadPlane(m_Far, clip, -3);
}

void Frustrum::LoadPlane(Plane& plane, GLfloat* clip, int row) {
  const int r = std::abs(row);
  const GLfloat sign = row < 0 ? -1.0f : 1.0f;
  plane.A = sign * clip[r - 1] + clip[3];
  plane.B = sign * clip[r + 3] + clip[7];
  plane.C = sign * clip[r + 7] + clip[11];
  plane.D = sign * clip[r + 11] + clip[15];

  const GLfloat length = std::sqrt(plane.A * plane.A + plane.B * plane.B + plane.C * plane.C);
  plane.A /= length;
  plane.B /= length;
  plane.C /= length;
  plane.D /= length;
}

bool Frustrum::PointInPlane(Plane& plane, GLfloat x, GLfloat y, GLfloat z) {
  // Written as "not behind" so that a NaN distance counts as inside.
  return !(plane.Distance(x, y, z) < 0.0f);
}

bool Frustrum::PointInFrustrum(GLfloat x, GLfloat y, GLfloat z) {
  return PointInPlane(m_Top, x, y, z) && PointInPlane(m_Bottom, x, y, z) && PointInPlane(m_Left, x, y, z) &&
         PointInPlane(m_Right, x, y, z) && PointInPlane(m_Near, x, y, z) && PointInPlane(m_Far, x, y, z);
}
