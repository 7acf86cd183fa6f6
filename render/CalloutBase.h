// The callout a point-like renderable can carry: a line from the renderable
// down to a chosen geographic location and on to the ground below it, and a
// wind vane, an arrow on the ground showing an azimuth. Billboards,
// ellipsoids and text points derive from it.
//
// Construction and destruction need a current OpenGL context: the callout
// reserves its wind vane and orientation lists when it is made.
#pragma once

#include <GL/gl.h>

#include "geometry/Geopunctus.h"
#include "render/GraphicBase.h"

class CalloutBase : public GraphicBase {
 public:
  explicit CalloutBase(GLuint Name);
  ~CalloutBase() override;

  bool HasCallout() override { return true; }

  // The wind vane follows the anchor; no invalidation clears the main list.
  void InvalidateLocation() override { m_ValidLoxDisplayList = false; }
  void InvalidateOrientation() override { m_ValidOrientationDisplayList = false; }
  void InvalidateSize() override { m_ValidSizeDisplayList = false; }

  // The base placement, then subsurface when the anchor lies inside the
  // globe (less than one globe radius from the centre).
  void SetCentroidLocation(Geopunctus CentroidLocation, bool Center) override;

  bool GetEnableCallout() const { return m_EnableCallout; }
  void SetEnableCallout(bool EnableCallout) { m_EnableCallout = EnableCallout; }
  void GetCalloutRGB(float* R, float* G, float* B) const;
  // Each component is taken only when it lies in [0, 1].
  void SetCalloutRGB(float R, float G, float B);
  float GetCalloutWidth() const { return m_CalloutWidth; }
  void SetCalloutWidth(float Width) { m_CalloutWidth = Width; }
  GLushort GetCalloutStyle() const { return m_CalloutStyle; }
  // A stipple pattern; 0xFFFF draws solid.
  void SetCalloutStyle(GLushort Style) { m_CalloutStyle = Style; }
  Geopunctus GetCalloutLocation() const { return m_CalloutLocation; }
  // Stores the location and places it at its altitude and on the ground.
  void SetCalloutLocation(Geopunctus Location);
  float GetWindVaneAzimuth() const { return m_WindVaneAzimuth; }
  // Degrees clockwise from north.
  void SetWindVaneAzimuth(float Azimuth) { m_WindVaneAzimuth = Azimuth; }
  float GetWindVaneSize() const { return m_WindVaneSize; }
  // In scene units; 0 or less draws no vane.
  void SetWindVaneSize(float Size) { m_WindVaneSize = Size; }

  // Compiles the wind vane into its list: a line from the anchor to the
  // vane's foot GLHeightOffset scene units below it, to the vane's tip and
  // its two barbs.
  void MakeWindVaneList(float GLHeightOffset);

 protected:
  GLuint OrientationDisplayList();
  // The callout line through anchor, callout point and its ground point,
  // then the wind vane, in the callout colour at the renderable's alpha.
  void DrawCallout() const;

  bool m_EnableCallout = false;
  float m_CalloutRed = 1.0f;
  float m_CalloutGreen = 1.0f;
  float m_CalloutBlue = 1.0f;
  float m_CalloutWidth = 2.0f;
  GLushort m_CalloutStyle = 0xFFFF;
  Geopunctus m_CalloutLocation{0.0f, 0.0f, 0.0f};
  float m_WindVaneAzimuth = 0.0f;
  float m_WindVaneSize = 0.0f;
  GLuint m_WindVaneList = 0;
  bool m_ValidLoxDisplayList = false;
  // Reserved by OrientationDisplayList on first use: most renderables with
  // a callout never compile one.
  GLuint m_OrientationDisplayList = 0;
  bool m_ValidOrientationDisplayList = false;
  bool m_ValidSizeDisplayList = false;
  float m_CGlX = 0.0f;
  float m_CGlY = 0.0f;
  float m_CGlZ = 0.0f;
  float m_CAGlX = 0.0f;
  float m_CAGlY = 0.0f;
  float m_CAGlZ = 0.0f;
};
