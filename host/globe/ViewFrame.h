// The camera as one frame sees it: the eye, the orthonormal axes it looks
// along, and the perspective. The viewer loads its matrices from it and the
// camera casts its rays through it, so that both agree on every pixel.
#pragma once

#include "host/globe/GlobeMath.h"

namespace zelph::host::globe {

struct ViewFrame {
  Vec3 eye;
  Vec3 forward;              // unit, from the eye towards the target
  Vec3 right;                // unit, the window's +x
  Vec3 up;                   // unit, the window's +y, perpendicular to forward
  double fieldAngle = 30.0;  // vertical, degrees
  double aspect = 1.0;       // width / height

  // Makes the axes from the camera's settings. A target on the eye looks
  // at the globe's centre (or along -X from the centre itself); an up
  // vector along the line of sight is replaced by the globe's axis, or by
  // +Y when the line of sight is that axis.
  static ViewFrame Make(Vec3 observer, Vec3 target, Vec3 upHint, double fieldAngle, double aspect);

  // The clipping distances. The far plane lies 3 radii beyond the eye's
  // distance from the centre, so the whole globe and anything up to 3 radii
  // from it fits. The near plane keeps a tenth of the altitude free, so
  // graphics flying between the camera and the surface still show, and is
  // never closer than 1e-5 (about 64 m), the smallest a camera on or below
  // the surface gets before depth precision suffers.
  double NearPlane() const;
  double FarPlane() const;

  // The unit direction of the ray through a window position given in
  // normalised coordinates: x and y from -1 (left, bottom) to 1.
  Vec3 RayThrough(double x, double y) const;
  // Whether `point` lies in front of the eye and inside the window.
  bool Shows(Vec3 point) const;
};

}  // namespace zelph::host::globe
