#include "text/FlatGlobeFont.h"

#include <cmath>

#include "frame/ErrorConvention.h"

namespace {

// The glyphs' walls reach a little further than the depth asked for, so
// that a string extruded down to the ground meets it without a gap.
constexpr float kExtrusionReach = 1.1f;

}  // namespace

FlatGlobeFont::FlatGlobeFont(float Extrusion) : m_InitExtrusion(Extrusion) {}

void FlatGlobeFont::RenderString(std::wstring_view Text, float x, float y, float z, bool RightToLeft) {
  zelph::InternalCall(L"RenderString", [&] {
    DrawString(Text, x, y, z, RightToLeft, [&] {
      if (m_Azi != 90.0f) glRotatef(90.0f - m_Azi, 0.0f, 0.0f, 1.0f);
      if (m_Incl != 0.0f) glRotatef(m_Incl, 1.0f, 0.0f, 0.0f);
      // The glyphs are built m_InitExtrusion deep; the depth of this string
      // comes from the scale alone.
      glScalef(m_Scale, m_Scale, std::fabs(kExtrusionReach * m_GLExtrusion));
      glPolygonMode(GL_FRONT_AND_BACK, m_Wireframe ? GL_LINE : GL_FILL);
    });
  });
}

void FlatGlobeFont::RenderStringRightAligned(std::wstring_view Text, float x, float y, float z, bool RightToLeft) {
  zelph::InternalCall(L"RenderStringRightAligned", [&] {
    ShiftForAlignment(Text, false);
    RenderString(Text, x, y, z, RightToLeft);
  });
}

void FlatGlobeFont::RenderStringCenterAligned(std::wstring_view Text, float x, float y, float z, bool RightToLeft) {
  zelph::InternalCall(L"RenderStringCenterAligned", [&] {
    ShiftForAlignment(Text, true);
    RenderString(Text, x, y, z, RightToLeft);
  });
}
