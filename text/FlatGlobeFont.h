// Strings on the globe: standing upright or lying flat in the local frame
// the caller has set up, turned by an azimuth and an inclination, and
// extruded by a depth that can change from string to string without
// rebuilding the glyphs (they are built one unit deep and scaled).
#pragma once

#include <string_view>

#include "render/Platysarch.h"
#include "text/FontBase.h"

class FlatGlobeFont : public FontBase, public Platysarch {
 public:
  // `Extrusion`: the depth, in ems, the glyphs are built with.
  explicit FlatGlobeFont(float Extrusion);

  // Draws the string with its left end (or its right end, or its middle)
  // at (x, y, z); a right-to-left string is drawn from its last character
  // on. Null or empty text draws nothing.
  void RenderString(std::wstring_view Text, float x, float y, float z, bool RightToLeft);
  void RenderStringRightAligned(std::wstring_view Text, float x, float y, float z, bool RightToLeft);
  void RenderStringCenterAligned(std::wstring_view Text, float x, float y, float z, bool RightToLeft);
  void RenderString(const wchar_t* Text, float x, float y, float z, bool RightToLeft) {
    RenderString(View(Text), x, y, z, RightToLeft);
  }
  void RenderStringRightAligned(const wchar_t* Text, float x, float y, float z, bool RightToLeft) {
    RenderStringRightAligned(View(Text), x, y, z, RightToLeft);
  }
  void RenderStringCenterAligned(const wchar_t* Text, float x, float y, float z, bool RightToLeft) {
    RenderStringCenterAligned(View(Text), x, y, z, RightToLeft);
  }

  // Degrees; 90 leaves the string along +x.
  float GetAzimuth() const { return m_Azi; }
  void SetAzimuth(float Azimuth) { m_Azi = Azimuth; }
  // Degrees about +x; 90 stands a flat string up.
  float GetInclination() const { return m_Incl; }
  void SetInclination(float Inclination) { m_Incl = Inclination; }
  // The extrusion depth of the next string, scene units.
  float GetGLExtrusion() const { return m_GLExtrusion; }
  void SetGLExtrusion(float Extrusion) { m_GLExtrusion = Extrusion; }

 protected:
  float InitialExtrusion() const override { return m_InitExtrusion; }

 private:
  static std::wstring_view View(const wchar_t* Text) { return Text ? std::wstring_view(Text) : std::wstring_view(); }

  float m_LastLat = -500.0f;
  float m_LastLon = -500.0f;
  float m_Azi = 90.0f;
  float m_Incl = 0.0f;
  float m_InitExtrusion = 1.0f;
  float m_GLExtrusion = 0.0f;
};
