// Turns a graphic component into the renderable that draws it: picks the
// renderable by the first graphic interface the component offers, and
// carries every property over through the component's interfaces (its
// base properties, callout, material, and the properties of its kind).
// Groups build their members, and billboards their sensor ellipsoids,
// through the same steps; those renderables belong to their parent.
//
// Building needs a current OpenGL context (renderables reserve display
// lists when they are made).
#pragma once

#include <GL/gl.h>

#include <functional>
#include <memory>

#include "frame/GraphicInterfaces.h"
#include "frame/LibraryEnums.h"
#include "frame/MaterialInterfaces.h"
#include "platform/ComPtr.h"
#include "render/GraphicBase.h"
#include "render/RenderMaterial.h"

class CalloutBase;
class ExtrusionBase;
class FontHelper;
class GraphicBase;
class RenderArea;
class RenderBillboard;
class RenderEllipsoid;
class RenderLine;
class RenderTextPoint;

class RenderableBuilder {
 public:
  // What the scene manager gives every renderable it builds.
  struct SceneSettings {
    double exaggeration = 1.0;
    kestGLSelectionOption selectionOption = kestGLSelectionOverlay;
    CComPtr<IRgbColor> selectionColor;
  };

  // Which of the scene manager's two render maps a top-level renderable
  // goes into.
  enum class MapKind { Billboard, Other };

  struct Built {
    std::unique_ptr<GraphicBase> renderable;
    MapKind map = MapKind::Other;
  };

  // The OpenGL name a graphic's renderable draws under: the one its
  // graphic drew under before, or GraphicBase::kNextGLName for a new one.
  using NameLookup = std::function<GLuint(IGraphic3D*)>;

  RenderableBuilder(FontHelper& fonts, NameLookup lookUpGLName);

  // The renderable of `graphic` under `name`, and its map; no renderable
  // for a graphic of no known kind, or when building fails (reported, and
  // whatever was built so far is destroyed). The graphic's update level is
  // left alone.
  Built Construct(GLuint name, IGraphic3D* graphic, const SceneSettings& settings);

  // A material's line stipple, fill pattern, texture and colours into
  // `material`; a null material is reported and leaves `material` as it
  // was.
  static void SetMaterial(IMaterial3D* material, RenderMaterial* renderMaterial);

 private:
  using Renderable = std::unique_ptr<GraphicBase>;

  // One constructor per kind of graphic: the renderable under `name` with
  // the properties of its kind, its callout and its base properties.
  Renderable ConstructLabeledBillboardRenderable(GLuint name, ILabeledBillboard3D* billboard,
                                                 const SceneSettings& settings);
  Renderable ConstructBillboardRenderable(GLuint name, IBillboard3D* billboard, const SceneSettings& settings);
  // Null for an extrusion type beyond the auto ellipse.
  Renderable ConstructGeoExtrusionRenderable(GLuint name, IGeoExtrusion3D* extrusion, const SceneSettings& settings);
  Renderable ConstructPartialEllipsoidRenderable(GLuint name, IPartialEllipsoid3D* ellipsoid,
                                                 const SceneSettings& settings);
  Renderable ConstructEllipsoidRenderable(GLuint name, IEllipsoid3D* ellipsoid, const SceneSettings& settings);
  Renderable ConstructGroupRenderable(GLuint name, IGroupGraphic3D* group, const SceneSettings& settings);
  Renderable ConstructTextPointRenderable(GLuint name, ITextPoint3D* text, const SceneSettings& settings);

  // The outline (and holes) of a geo-extrusion as geographic vertices.
  static std::unique_ptr<RenderArea> ConstructGEPolygon(GLuint name, IGeometry* geometry, IArray* innerGeometries);
  static std::unique_ptr<RenderLine> ConstructGEPolyline(GLuint name, IGeometry* geometry);

  // A member of a group or a billboard's sensor ellipsoid: built under its
  // own OpenGL name like a top-level graphic, for its parent to own, and
  // marked as applied.
  Renderable ProcessMember(IGraphic3D* member, const SceneSettings& settings);
  // The size and sensor ellipsoid that both kinds of billboard carry.
  void SetBillboardProperties(IBillboard3D* billboard, RenderBillboard* renderable, const SceneSettings& settings);
  // The steps every constructor ends with: the callout when the graphic
  // has one, then the base properties.
  static void FinishRenderable(IUnknown* graphic, GraphicBase* renderable, bool IgnoreMaterial,
                               const SceneSettings& settings);

  static void SetGraphicBaseProperties(IGraphic3D* graphic, GraphicBase* renderable, bool IgnoreMaterial,
                                       const SceneSettings& settings);
  static void SetCalloutBaseProperties(ICallout3D* callout, CalloutBase* renderable);
  static void SetEllipsoidProperties(IEllipsoid3D* ellipsoid, RenderEllipsoid* renderable);
  static void SetExtrusionBaseProperties(IExtrusion3D* extrusion, ExtrusionBase* renderable);
  // Picks the text's drawing mode by the class of its font.
  void SetFontProperties(IFont3D* font, RenderTextPoint* renderable);

  FontHelper& m_FontHelper;
  NameLookup m_LookUpGLName;
};
