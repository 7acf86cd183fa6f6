// The globe as the host draws it: the unit sphere, lit from the observer's
// side in a clear blue, with a light grey graticule every 10 degrees of
// latitude and longitude just above it.
#pragma once

#include <vector>

#include "host/globe/GlobeMath.h"

namespace zelph::host::globe {

class GlobeSurface {
 public:
  // Draws into the current context with the current matrices. Every OpenGL
  // attribute it changes is pushed before and popped after, so what the
  // caller had set before is in force again afterwards. With `naming` (a
  // selection pass) the drawing carries the host's selection names and the
  // name stack is left empty.
  static void Draw(double surfaceOffsetFactor, bool naming);

 private:
  GlobeSurface();
  static const GlobeSurface& Shared();

  void DrawSphere() const;
  void DrawGraticule() const;

  // Quad strips from south to north, two vertices per meridian step; the
  // unit positions serve as normals too.
  std::vector<std::vector<Vec3>> m_SphereStrips;
  std::vector<std::vector<Vec3>> m_Parallels;
  std::vector<std::vector<Vec3>> m_Meridians;
};

}  // namespace zelph::host::globe
