// Plane is a plain value; its one operation lives in the header so that the
// per-billboard culling test stays inline.
#include "geometry/Plane.h"
