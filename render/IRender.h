// What the scene manager needs of every renderable, whatever its kind: draw
// it, cull it by its anchor, tell it which of its compiled parts went stale,
// and place it with the globe's vertical exaggeration.
#pragma once

class IRender {
 public:
  virtual ~IRender() = default;

  // Each marks the lists that depend on the anchor, the orientation or the
  // size for rebuilding at the next Render.
  virtual void InvalidateLocation() = 0;
  virtual void InvalidateOrientation() = 0;
  virtual void InvalidateSize() = 0;
  // Draws into the current model-view; compiles whatever is stale first.
  virtual void Render() = 0;
  // The anchor in scene coordinates.
  virtual void GetGLCentroid(float* X, float* Y, float* Z) = 0;
  // Subsurface renderables are drawn in their own pass, before the globe.
  virtual bool IsSubsurface() { return m_IsSubsurface; }

  float GetZExaggeration() const { return m_Zex; }
  // Taken as given; it reaches the placement at the next anchor change.
  void SetZExaggeration(float Zex) { m_Zex = Zex; }

 protected:
  float m_Zex = 1.0f;
  bool m_IsSubsurface = false;
};
