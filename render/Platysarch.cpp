#include "render/Platysarch.h"

#include "frame/ErrorConvention.h"

void Platysarch::LoadUpMatrixForLatLon(double Lat, double Lon) {
  zelph::InternalCall(L"LoadUpMatrixForLatLon", [&] {
    // GL builds the rotation for us, so the matrix must be the model-view
    // whatever mode the caller left selected.
    GLint mode = GL_MODELVIEW;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    // Turn +X to the meridian, tilt +Z from the pole down to the place, then
    // turn the frame a quarter so that +X faces east and +Y north.
    glRotated(Lon, 0.0, 0.0, 1.0);
    glRotated(90.0 - Lat, 0.0, 1.0, 0.0);
    glRotated(90.0, 0.0, 0.0, 1.0);
    glGetFloatv(GL_MODELVIEW_MATRIX, m_Flatmat);
    glPopMatrix();
    glMatrixMode(static_cast<GLenum>(mode));
  });
}
