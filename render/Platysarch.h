// The rotation of the local flat frame at a place on the globe: +X east,
// +Y north, +Z up. Flat text lies in it; the translation to the place is
// left to the caller.
#pragma once

#include <GL/gl.h>

class Platysarch {
 public:
  Platysarch() = default;
  virtual ~Platysarch() = default;

  // Builds m_Flatmat for the place at `Lat`, `Lon` degrees; the model-view
  // matrix and the matrix mode are as they were afterwards.
  void LoadUpMatrixForLatLon(double Lat, double Lon);

  // The last matrix built, column-major.
  GLfloat m_Flatmat[16] = {};
};
