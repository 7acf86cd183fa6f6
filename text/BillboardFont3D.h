// The font component of text drawn facing the screen: a font component that
// also answers IBillboardFont3D, which has no operations of its own.
#pragma once

#include "text/Font3DBase.h"

class BillboardFont3D : public Font3DBase, public zelph::DispatchImpl<IBillboardFont3D> {
 public:
  using InterfaceMap = zelph::InterfaceMap<IBillboardFont3D, zelph::DispatchAs<IBillboardFont3D>, IFont3D,
                                           IPersistVariant>;

  BillboardFont3D();
};
