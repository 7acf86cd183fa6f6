#include "text/BillboardFont.h"

#include "frame/ErrorConvention.h"

void BillboardFont::RenderString(std::wstring_view Text, float x, float y, float z, bool Billboard, bool Orientation,
                                 bool RightToLeft) {
  zelph::InternalCall(L"RenderString", [&] {
    DrawString(Text, x, y, z, RightToLeft, [&] {
      // Face the camera first, so that the orientation turns the string
      // within the camera-facing frame.
      if (Billboard && s_BillboardDisplayList != 0) glCallList(s_BillboardDisplayList);
      if (Orientation && m_OList != 0) glCallList(m_OList);
      glScalef(m_Scale, m_Scale, m_Scale);
      glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    });
  });
}

void BillboardFont::RenderStringRightAligned(std::wstring_view Text, float x, float y, float z, bool Billboard,
                                             bool Orientation, bool RightToLeft) {
  zelph::InternalCall(L"RenderStringRightAligned", [&] {
    ShiftForAlignment(Text, false);
    RenderString(Text, x, y, z, Billboard, Orientation, RightToLeft);
  });
}

void BillboardFont::RenderStringCenterAligned(std::wstring_view Text, float x, float y, float z, bool Billboard,
                                              bool Orientation, bool RightToLeft) {
  zelph::InternalCall(L"RenderStringCenterAligned", [&] {
    ShiftForAlignment(Text, true);
    RenderString(Text, x, y, z, Billboard, Orientation, RightToLeft);
  });
}
