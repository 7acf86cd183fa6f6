// The font component of text that stands upright on the globe.
#pragma once

#include "text/Font3DBase.h"

class Font3D : public Font3DBase {
 public:
  using InterfaceMap = zelph::InterfaceMap<IFont3D, zelph::DispatchAs<IFont3D>, IPersistVariant>;

  Font3D();
};
