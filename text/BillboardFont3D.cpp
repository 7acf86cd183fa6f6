#include "text/BillboardFont3D.h"

#include "frame/Guids.h"

BillboardFont3D::BillboardFont3D() : Font3DBase(CLSID_BillboardFont3D) {}
