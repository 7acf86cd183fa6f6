#include "geometry/OrthoRectangle.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "frame/ErrorConvention.h"
#include "geometry/Geopunctus.h"
#include "geometry/Vector.h"

namespace {

// The current viewport's height in pixels. Both measurements divide by the
// view's height alone: the field angle and the near plane span the view's
// height, and pixels are square, so a pixel is as wide as it is high in the
// scene whatever the window's aspect. (Dividing a width by the viewport's
// width would shrink it by the aspect ratio.)
double CurrentViewportHeight() {
  GLint viewport[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, viewport);
  // A viewport without area cannot be measured.
  if (viewport[2] < 1 || viewport[3] < 1) zelph::Fail(E_UNEXPECTED);
  return static_cast<double>(viewport[3]);
}

Vector UnProject(double winX, double winY, double winZ, const GLdouble* model, const GLdouble* projection,
                 const GLint* viewport) {
  GLdouble x = 0.0, y = 0.0, z = 0.0;
  gluUnProject(winX, winY, winZ, model, projection, viewport, &x, &y, &z);
  return Vector(x, y, z);
}

}  // namespace

OrthoRectangle::OrthoRectangle() { Reset(); }

void OrthoRectangle::Reset() {
  m_StartX = m_StartY = m_EndX = m_EndY = 0.0;
  m_ViewportX = m_ViewportY = 0.0;
  m_GlHeight = m_GlWidth = 0.0;
  m_Visible = true;
}

void OrthoRectangle::Start(long X, long Y) {
  m_StartX = static_cast<double>(X);
  m_StartY = static_cast<double>(Y);
}

void OrthoRectangle::Update(long X, long Y) {
  m_EndX = static_cast<double>(X);
  m_EndY = static_cast<double>(Y);
}

double OrthoRectangle::GetPixelHeight() const { return std::fabs(m_EndY - m_StartY); }

double OrthoRectangle::GetPixelWidth() const { return std::fabs(m_EndX - m_StartX); }

void OrthoRectangle::StartOrtho() {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  GLint viewport[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, viewport);
  m_ViewportX = static_cast<double>(viewport[2]);
  m_ViewportY = static_cast<double>(viewport[3]);
  glLoadIdentity();
  gluOrtho2D(0.0, m_ViewportX, 0.0, m_ViewportY);
  // Window corners come with row 0 at the top, GL's rows count up from the
  // bottom: flip y about the viewport's height.
  glScalef(1.0f, -1.0f, 1.0f);
  glTranslatef(0.0f, static_cast<GLfloat>(-m_ViewportY), 0.0f);
  glMatrixMode(GL_MODELVIEW);
}

void OrthoRectangle::FinishOrtho() {
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
}

void OrthoRectangle::Render() {
  zelph::InternalCall(L"Render", [&] {
    if (m_Visible) {
      StartOrtho();
      glPushMatrix();
      glLoadIdentity();
      glPushAttrib(GL_CURRENT_BIT | GL_LINE_BIT);
      glColor3f(0.0f, 0.0f, 0.0f);
      glEnable(GL_LINE_SMOOTH);
      glLineWidth(3.0f);
      glBegin(GL_LINE_STRIP);
      glVertex2d(m_StartX, m_StartY);
      glVertex2d(m_StartX, m_EndY);
      glVertex2d(m_EndX, m_EndY);
      glVertex2d(m_EndX, m_StartY);
      glVertex2d(m_StartX, m_StartY);
      glEnd();
      glPopAttrib();
      glPopMatrix();
      FinishOrtho();
    }
    if (m_GlobeCamera) {
      CalculateGLSizes(m_GlobeCamera);
    } else {
      CalculateGLSizes();
    }
  });
}

void OrthoRectangle::CalculateGLSizes(IGlobeCameraPtr camera) {
  zelph::InternalCall(L"CalculateGLSizes", [&] {
    double height = CurrentViewportHeight();
    zelph::ThrowIfNull(camera);
    CComQIPtr<ICamera> view(camera);
    zelph::ThrowIfNull(view);
    double angle = 0.0, distance = 0.0;
    kestGlobeCameraOrientationMode mode = kestGlobeCameraOrientationGlobal;
    zelph::ThrowIfFailed(view->get_ViewFieldAngle(&angle));
    zelph::ThrowIfFailed(view->get_ViewingDistance(&distance));
    zelph::ThrowIfFailed(camera->get_OrientationMode(&mode));
    // A global camera looks at the globe's centre; what the user measures
    // lies on the surface, one unit nearer.
    if (mode == kestGlobeCameraOrientationGlobal) distance -= 1.0;
    double halfExtent = std::tan(angle / 2.0 / 180.0 * Geopunctus::PI) * distance;
    StoreGLSizes(GetPixelHeight() / height * (2.0 * halfExtent), 2.0 * halfExtent * GetPixelWidth() / height);
  });
}

void OrthoRectangle::CalculateGLSizes() {
  zelph::InternalCall(L"CalculateGLSizes", [&] {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    double width = viewport[2], height = viewport[3];

    // Stand at the scene point seen in the middle of the view, facing the
    // viewer, and take the height of the view there.
    GLint centreX = static_cast<GLint>(width / 2.0), centreY = static_cast<GLint>(height / 2.0);
    GLfloat depth = 1.0f;
    glReadPixels(centreX, centreY, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    Vector centre = UnProject(centreX, centreY, depth, model, projection, viewport);
    glTranslated(centre.GetX(), centre.GetY(), centre.GetZ());
    ResetBillboardMatrix();
    Billboard();
    glMultMatrixf(s_Bbmat);
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    Vector top = UnProject(0.0, height, 0.0, model, projection, viewport);
    Vector bottom = UnProject(0.0, 0.0, 0.0, model, projection, viewport);
    double size = (top - bottom).GetLength();
    glPopMatrix();

    // A size of zero (or no size at all) would never reach the threshold
    // below; nothing can be measured from such a view.
    if (!(size > 0.0) || !std::isfinite(size) || width < 1.0 || height < 1.0) zelph::Fail(E_UNEXPECTED);
    double factor = 1000.0;
    while (size * factor * 10.0 < 1.0) factor *= 100.0;
    StoreGLSizes(GetPixelHeight() / height * size * factor, size * GetPixelWidth() / height * factor);
  });
}

void OrthoRectangle::StoreGLSizes(double height, double width) {
  if (!std::isfinite(height) || !std::isfinite(width)) zelph::Fail(E_UNEXPECTED);
  m_GlHeight = height;
  m_GlWidth = width;
}
