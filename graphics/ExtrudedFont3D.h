// The font component of text lying flat on the globe, optionally extruded
// into solid letters with an outline. It is no graphic: its setters store
// what they are given and mark nothing; a text graphic that uses it is
// rebuilt when the graphic's own font is set.
#pragma once

#include "graphics/Extrusion3DBase.h"
#include "text/Font3DBase.h"

class ExtrudedFont3D : public Font3DBase, public zelph::DispatchImpl<IExtrudedFont3D>, public Extrusion3DBase {
 public:
  using InterfaceMap = zelph::InterfaceMap<IExtrudedFont3D, zelph::DispatchAs<IExtrudedFont3D>, IExtrusion3D,
                                           IPersistVariant, IFont3D>;

  ExtrudedFont3D();

  // The font, then the material and outline symbol of the extrusion.
  HRESULT FinalConstruct();

 protected:
  // The record: the font, then the extrusion block.
  void SaveAfterFont(IVariantStream* stream) override;
  void LoadAfterFont(IVariantStream* stream) override;
};
