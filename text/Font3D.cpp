#include "text/Font3D.h"

#include "frame/Guids.h"

Font3D::Font3D() : Font3DBase(CLSID_Font3D) {}
