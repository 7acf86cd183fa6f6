// The rubber-band rectangle the user drags over the globe: two window
// corners in pixels (row 0 at the top), drawn as a black outline in a
// pixel-aligned projection, and measured in the scene so that a pixel
// extent can be turned into a distance on the globe.
#pragma once

#include "frame/HostGlobe.h"
#include "platform/ComPtr.h"
#include "render/Bulloriri.h"

using IGlobeCameraPtr = CComPtr<IGlobeCamera>;

class OrthoRectangle : public Bulloriri {
 public:
  OrthoRectangle();

  // Both corners and all measurements to 0; visible again.
  void Reset();
  void Start(long X, long Y);
  void Update(long X, long Y);
  void SetVisible(bool visible) { m_Visible = visible; }
  // The camera to measure with; null measures from the current matrices.
  void SetGlobeCamera(IGlobeCameraPtr camera) { m_GlobeCamera = camera; }

  double GetPixelHeight() const;
  double GetPixelWidth() const;
  double GetViewportPixelHeight() const { return m_ViewportY; }
  double GetViewportPixelWidth() const { return m_ViewportX; }
  double GetGLHeight() const { return m_GlHeight; }
  double GetGLWidth() const { return m_GlWidth; }

  // Enter and leave a projection in which one unit is one pixel and y
  // counts rows down from the top of the viewport.
  void StartOrtho();
  void FinishOrtho();

  // Draws the outline when visible, then measures in either case (the size
  // rectangle is measured without ever being seen).
  void Render();

  // Measures from the current matrices, in OpenGL units scaled up by a
  // power of ten large enough to keep small views above rounding.
  void CalculateGLSizes();
  // Measures from the camera's field angle and distance, in OpenGL units.
  void CalculateGLSizes(IGlobeCameraPtr camera);

 private:
  // Keeps a measurement only when it is a number: a degenerate viewport or
  // view leaves the last good one in place.
  void StoreGLSizes(double height, double width);

  double m_StartX;
  double m_StartY;
  double m_EndX;
  double m_EndY;
  double m_ViewportX;
  double m_ViewportY;
  double m_GlHeight;
  double m_GlWidth;
  IGlobeCameraPtr m_GlobeCamera;
  bool m_Visible;
};
