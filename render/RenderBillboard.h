// A flat rectangle anchored at a geographic point that always turns its face
// to the camera: an icon, a symbol rendered into a texture, or a coloured or
// stippled marker. It carries the callout of every point-like renderable and
// may own a sensor ellipsoid, drawn with it and picked as the billboard.
//
// Billboards are drawn in passes: the scene manager (or a group) calls
// PreRender once, renders every billboard, then calls PostRender. Render
// itself sets no drawing state beyond the face culling its turn asks for.
//
// Construction and destruction need a current OpenGL context.
#pragma once

#include <GL/gl.h>

#include <memory>

#include "render/Bulloriri.h"
#include "render/CalloutBase.h"

class RenderEllipsoid;

class RenderBillboard : public CalloutBase, public Bulloriri {
 public:
  explicit RenderBillboard(GLuint Name = kNextGLName);
  ~RenderBillboard() override;

  bool IsBillboard() override { return true; }
  void Render() override;
  // The sensor ellipsoid is picked as the billboard, so it follows the
  // billboard's name.
  void SetGLName(GLuint Name) override;

  // Size of the quad in scene units in the camera-facing frame. NaN is
  // ignored; SetSize takes nothing when either value is NaN.
  virtual void SetWidth(float Width);
  virtual void SetHeight(float Height);
  virtual void SetSize(float Width, float Height);
  // Writes only when both pointers are given.
  void GetSize(float* Width, float* Height) const;

  virtual RenderEllipsoid* GetSensorEllipsoid();
  // Takes ownership of the ellipsoid (dropping one held before) and gives it
  // the billboard's name. Null is ignored.
  virtual void SetSensorEllipsoid(RenderEllipsoid* pRE);

  // Catches up with a size change: the wind vane stands at the foot of the
  // quad, so it is rebuilt at its new height.
  virtual void MachenSizeDisplayList();
  // Draws whatever a billboard adds inside its quad's list; nothing here.
  virtual void MachenLabels() {}

  // Around each pass of billboards: the attribute groups every renderable
  // saves are pushed and the shared drawing state set (both faces filled,
  // depth test, blending by source alpha, alpha test above 0); PostRender
  // pops them. Passes nest; a PostRender without its PreRender does nothing.
  static void PreRender();
  static void PostRender();

 protected:
  // The drawing of Render without the visibility check, for the labelled
  // billboard to run after its own preparations.
  void DrawBillboard();
  // Heading, pitch and roll in the camera-facing frame (heading about +y,
  // pitch about +x, roll about +z). Face culling is switched off when a turn
  // may show the quad's back, on otherwise.
  void Orient();
  // Compiles the quad, its labels and its selection into the main list.
  void MachenDisplayList();

  float m_Width = 1.0f;
  float m_Height = 1.0f;
  bool m_DisableCulling = false;
  std::unique_ptr<RenderEllipsoid> m_SensorEllipsoid;

 private:
  void DrawWireframe() const;
  void DrawFilled() const;
  void DrawSelection() const;

  // Passes opened by PreRender and not yet closed.
  static inline int s_OpenPasses = 0;
};
