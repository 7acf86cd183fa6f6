// The state every renderable shares (selection name, main display list,
// anchor and its cached scene position, material, selection, opacity,
// orientation, visibility) and the drawing steps every Render is made of.
// Concrete renderables derive from it and write Render from the steps below;
// the base draws nothing itself.
//
// Construction and destruction need a current OpenGL context: the base
// reserves its display list when it is made and frees it when it goes.
#pragma once

#include <GL/gl.h>

#include <utility>

#include "frame/ErrorConvention.h"
#include "geometry/Geopunctus.h"
#include "platform/ComBstr.h"
#include "render/IRender.h"
#include "render/RenderMaterial.h"

class GraphicBase : public IRender {
 public:
  // Passed as the name to take the next one from the shared counter.
  static constexpr GLuint kNextGLName = 0xFFFFFFFF;
  // Opacity from which a renderable writes depth and so hides what is
  // drawn behind it later in the frame.
  static constexpr float kOpaqueAlpha = 0.95f;
  // Alpha of the selection outline or overlay.
  static constexpr float kSelectionAlpha = 0.3f;
  // Smaller angles are not worth a rotation.
  static constexpr float kMinAngle = 1e-9f;

  explicit GraphicBase(GLuint Name);
  ~GraphicBase() override;
  GraphicBase(const GraphicBase&) = delete;
  GraphicBase& operator=(const GraphicBase&) = delete;

  void GetGLCentroid(float* X, float* Y, float* Z) override;

  virtual bool IsBillboard() { return false; }
  virtual bool IsEllipsoid() { return false; }
  virtual bool HasCallout() { return false; }

  GLuint GetGLName() const { return m_GLName; }
  // Groups override it to hand the name on to their members.
  virtual void SetGLName(GLuint Name) { m_GLName = Name; }
  bool GetNameless() const { return m_Nameless; }
  void SetNameless(bool Nameless) { m_Nameless = Nameless; }

  CComBSTR GetUID() const { return m_UID; }
  void SetUID(const CComBSTR& UID);
  CComBSTR GetNameBSTR() const { return m_NameBSTR; }
  void SetNameBSTR(const CComBSTR& Name);

  Geopunctus GetCentroidLocation() const { return m_CentroidLocation; }
  // Stores the anchor and places it at once with the current threshold
  // elevation and exaggeration. The base ignores Center; renderables with
  // vertices of their own move them with the anchor when it is set.
  virtual void SetCentroidLocation(Geopunctus CentroidLocation, bool Center);

  virtual bool GetWireframe() { return m_Wireframe; }
  virtual void SetWireframe(bool Wireframe) { m_Wireframe = Wireframe; }

  RenderMaterial GetRenderMaterial() const { return m_RenderMat; }
  virtual void SetRenderMaterial(RenderMaterial Material) { m_RenderMat = Material; }

  bool GetSelected() const { return m_Selected; }
  void SetSelected(bool Selected) { m_Selected = Selected; }
  bool GetSelectOutline() const { return m_SelectOutline; }
  bool GetSelectOverlay() const { return m_SelectOverlay; }
  // Outline and overlay exclude each other.
  void SetSelectOutline();
  void SetSelectOverlay();
  // Neither outline nor overlay: a selected renderable looks as it always does.
  void SetSelectNone() { m_SelectOutline = m_SelectOverlay = false; }
  void GetSelectionRGB(float* R, float* G, float* B) const;
  void SetSelectionRGB(float R, float G, float B);

  // NaN is ignored by the numeric setters below.
  float GetScale() const { return m_Scale; }
  void SetScale(float Scale);
  float GetThresholdElevation() const { return m_ThresholdElevation; }
  virtual void SetThresholdElevation(float ThresholdElevation);
  float GetAlpha() const { return m_Alpha; }
  // Only values in [0, 1] are taken.
  void SetAlpha(float Alpha);

  bool GetTopmost() const { return m_Topmost; }
  void SetTopmost(bool Topmost) { m_Topmost = Topmost; }
  bool GetGeographic() const { return m_Geographic; }
  void SetGeographic(bool Geographic) { m_Geographic = Geographic; }
  bool GetVisible() const { return m_Visible; }
  void SetVisible(bool Visible) { m_Visible = Visible; }

  // Degrees. Each setter replaces the angle, or adds to it when
  // AddNotReplace is true, so that repeated turns accumulate.
  void QueryOrientation(float* Heading, float* Pitch, float* Roll) const;
  virtual void SetHeading(float Heading, bool AddNotReplace);
  virtual void SetPitch(float Pitch, bool AddNotReplace);
  virtual void SetRoll(float Roll, bool AddNotReplace);

 protected:
  // A scope that pushes OpenGL state must pop it exactly once.
  struct Pinned {
    Pinned() = default;
    Pinned(const Pinned&) = delete;
    Pinned& operator=(const Pinned&) = delete;
  };

  // The drawing state of every renderable, pushed and set for its life:
  // filled faces both ways, depth test, blending by source alpha and an
  // alpha test that drops fully transparent fragments. Billboards hold one
  // for a whole pass instead of one each.
  class DrawingState : Pinned {
   public:
    DrawingState();
    ~DrawingState();
  };

  // Pushes the attributes of the drawing state and sets it; the caller pops.
  static void PushDrawingState();

  // Pushes the model-view for its life, leaving the matrix mode on it.
  class ModelViewScope : Pinned {
   public:
    ModelViewScope();
    ~ModelViewScope();
  };

  // Runs a concrete renderable's drawing so that a failure costs only this
  // renderable's frame: the exception is reported with the caller's source
  // file and line, and the scene manager carries on with the next one.
  template <class Draw>
  static void Guarded(zelph::MethodSite Site, Draw&& draw) {
    try {
      std::forward<Draw>(draw)();
    } catch (...) {
      zelph::LogException(Site.location);
    }
  }

  // Moves the origin to the anchor's cached scene position.
  void TranslateToAnchor() const;
  // Turns the model-view into the frame standing at the anchor: +X south,
  // +Y east, +Z up.
  void ApplyLocalFrame() const;
  // Heading, pitch and roll in the standing frame: heading clockwise about
  // up, as a compass turns, then pitch about east, then roll about south.
  void ApplyOrientation() const;

  // Compiles `build` into the main list unless the list is up to date, loads
  // the selection name unless nameless, and plays the list back. A build
  // that fails leaves the list marked stale, so the next frame tries again.
  template <class Build>
  void CallMainList(Build&& build) {
    if (!m_ValidDisplayList) CompileList(m_DisplayList, m_ValidDisplayList, std::forward<Build>(build));
    if (!m_Nameless) glLoadName(m_GLName);
    glCallList(m_DisplayList);
  }

  // Records `build` into `list` and marks it valid once recorded; the
  // recording is closed even when the build throws.
  template <class Build>
  static void CompileList(GLuint list, bool& valid, Build&& build) {
    valid = false;
    glNewList(list, GL_COMPILE);
    try {
      std::forward<Build>(build)();
    } catch (...) {
      glEndList();
      throw;
    }
    glEndList();
    valid = true;
  }

  // For use while a list is compiled: translucent renderables leave depth
  // alone so that they do not hide what is drawn after them.
  void ApplyDepthMask() const;
  // The selection colour at selection alpha.
  void ApplySelectionColor() const;

  GLuint m_GLName = 0;
  bool m_Nameless = false;
  GLuint m_DisplayList = 0;
  bool m_ValidDisplayList = false;
  CComBSTR m_UID;
  CComBSTR m_NameBSTR;
  Geopunctus m_CentroidLocation{0.0f, 0.0f, 1000.0f};
  bool m_Wireframe = false;
  RenderMaterial m_RenderMat;
  bool m_Selected = false;
  bool m_SelectOutline = false;
  bool m_SelectOverlay = true;
  float m_SelectR = 0.0f;
  float m_SelectG = 1.0f;
  float m_SelectB = 0.0f;
  float m_Scale = 1.0f;
  bool m_Topmost = false;
  float m_Alpha = 1.0f;
  bool m_Geographic = true;
  bool m_Visible = true;
  float m_ThresholdElevation = 0.0f;
  float m_Heading = 0.0f;
  float m_Pitch = 0.0f;
  float m_Roll = 0.0f;
  // Far outside the globe until an anchor is set.
  float m_GlX = 0.0f;
  float m_GlY = 0.0f;
  float m_GlZ = 50000.0f;
};
