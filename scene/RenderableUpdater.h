// Brings the renderable of a processed graphic up to date in place, for
// updates below a rebuild: where it stands (threshold elevation, centroid,
// callout anchor) and whether it shows, and for a minor update also its
// orientation and sizes. Materials, colours, text, fonts, geometry and
// labels stay as they were built.
#pragma once

#include "frame/GraphicInterfaces.h"
#include "scene/RenderMap.h"

class RenderableUpdater {
 public:
  RenderableUpdater(RenderMap& billboards, RenderMap& others);

  // Updates the renderable stored under the graphic's UID: location and
  // visibility only when `LoxOnly`, orientation and sizes as well
  // otherwise. A graphic without a renderable changes nothing.
  void MinorUpdateGraphic(IGraphic3D* graphic, bool LoxOnly);

 private:
  // One per kind of graphic, each on the renderable of that kind stored
  // under the graphic's UID; a renderable of another kind, or none, is left
  // alone. The centroid, anchor and orientation are the graphic's own, read
  // once by MinorUpdateGraphic.
  void MinorUpdateBillboardRenderable(IBillboard3D* billboard, IPoint* centroid, IPoint* anchor,
                                      IOrientation3D* orientation, bool LoxOnly);
  // Lines and areas have neither orientation nor size: every update of
  // them is a move.
  void MinorUpdateGeoExtrusionRenderable(IGeoExtrusion3D* extrusion, IPoint* centroid, bool LoxOnly);
  void MinorUpdateEllipsoidRenderable(IEllipsoid3D* ellipsoid, IPoint* centroid, IPoint* anchor,
                                      IOrientation3D* orientation, bool LoxOnly);
  void MinorUpdateTextRenderable(ITextPoint3D* text, IPoint* centroid, IPoint* anchor, IOrientation3D* orientation,
                                 bool LoxOnly);
  // A group controlled as a whole moves and turns as one renderable.
  void MinorUpdateGroupRenderable(IGroupGraphic3D* group, IPoint* centroid, IOrientation3D* orientation, bool LoxOnly);
  // Any other group places each member by the member's own graphic.
  void MinorUpdateGroupRenderableUncontrolled(IGroupGraphic3D* group, bool LoxOnly);

  // The renderable stored under `graphic`'s UID in `map`, when it is a T.
  template <class T>
  static T* StoredAs(const RenderMap& map, IUnknown* graphic);

  RenderMap& m_BillboardMap;
  RenderMap& m_OtherMap;
};
