// The extrusion settings that lines, areas and extruded text share: whether
// walls hang from the geometry and how deep, their material and opacity,
// and the outline drawn along the geometry. Plain state: the renderables
// that inherit it read it while they compile their lists.
#pragma once

#include <GL/gl.h>

#include "render/RenderMaterial.h"

class ExtrusionBase {
 public:
  explicit ExtrusionBase(bool EnableExtrusion) : m_ExEnabled(EnableExtrusion) {}
  virtual ~ExtrusionBase() = default;

  bool GetExEnabled() const { return m_ExEnabled; }
  void SetExEnabled(bool Enabled) { m_ExEnabled = Enabled; }
  // Walls reach down to the globe's surface instead of a fixed depth.
  bool GetAutoExDepthEnabled() const { return m_AutoExDepthEnabled; }
  void SetAutoExDepthEnabled(bool Enabled) { m_AutoExDepthEnabled = Enabled; }
  // Wall depth in scene units; NaN is ignored.
  float GetExDepth() const { return m_ExDepth; }
  void SetExDepth(float Depth);
  RenderMaterial GetExRenderMaterial() const { return m_ExRenderMat; }
  void SetExRenderMaterial(const RenderMaterial& Material) { m_ExRenderMat = Material; }
  // Only values in [0, 1] (no NaN) are taken.
  float GetExAlpha() const { return m_ExAlpha; }
  void SetExAlpha(float Alpha);

  bool GetOutlineEnabled() const { return m_ExOutlineEnabled; }
  void SetOutlineEnabled(bool Enabled) { m_ExOutlineEnabled = Enabled; }
  void GetOutlineRGBA(float* R, float* G, float* B, float* A) const;
  // Each component is taken only when it lies in [0, 1].
  void SetOutlineRGBA(float R, float G, float B, float A);
  // Pixels; NaN is ignored.
  float GetOutlineWidth() const { return m_ExOutlineWidth; }
  void SetOutlineWidth(float Width);
  // A stipple pattern; 0xFFFF draws solid.
  GLushort GetOutlineStyle() const { return m_ExOutlineStyle; }
  void SetOutlineStyle(GLushort Style) { m_ExOutlineStyle = Style; }

 protected:
  bool m_ExEnabled;
  bool m_AutoExDepthEnabled = false;
  float m_ExDepth = 1.0f;
  RenderMaterial m_ExRenderMat;
  float m_ExAlpha = 1.0f;
  bool m_ExOutlineEnabled = true;
  float m_ExOutlineRed = 1.0f;
  float m_ExOutlineGreen = 1.0f;
  float m_ExOutlineBlue = 1.0f;
  float m_ExOutlineAlpha = 1.0f;
  float m_ExOutlineWidth = 3.0f;
  GLushort m_ExOutlineStyle = 0xFFFF;
};
