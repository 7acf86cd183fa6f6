// Strings that face the camera: drawn at a point in the billboard frame (the
// shared billboard matrix), optionally turned by an orientation list inside
// that frame. Labelled billboards and billboard text points draw with it.
#pragma once

#include <GL/gl.h>

#include <string_view>

#include "render/Bulloriri.h"
#include "text/FontBase.h"

class BillboardFont : public FontBase, public Bulloriri {
 public:
  BillboardFont() = default;

  // The glyphs' Initialize(float) and the billboard list's Initialize()
  // live side by side.
  using Bulloriri::Initialize;
  using FontBase::Initialize;

  // Draws the string with its left end (or, for the aligned forms, its
  // right end or its middle) at (x, y, z). With `Billboard` the string is
  // turned to face the camera, with `Orientation` it is then turned by the
  // orientation list; a right-to-left string is drawn from its last
  // character on. Null or empty text draws nothing.
  void RenderString(std::wstring_view Text, float x, float y, float z, bool Billboard, bool Orientation,
                    bool RightToLeft);
  void RenderStringRightAligned(std::wstring_view Text, float x, float y, float z, bool Billboard, bool Orientation,
                                bool RightToLeft);
  void RenderStringCenterAligned(std::wstring_view Text, float x, float y, float z, bool Billboard,
                                 bool Orientation, bool RightToLeft);
  void RenderString(const wchar_t* Text, float x, float y, float z, bool Billboard, bool Orientation,
                    bool RightToLeft) {
    RenderString(View(Text), x, y, z, Billboard, Orientation, RightToLeft);
  }
  void RenderStringRightAligned(const wchar_t* Text, float x, float y, float z, bool Billboard, bool Orientation,
                                bool RightToLeft) {
    RenderStringRightAligned(View(Text), x, y, z, Billboard, Orientation, RightToLeft);
  }
  void RenderStringCenterAligned(const wchar_t* Text, float x, float y, float z, bool Billboard, bool Orientation,
                                 bool RightToLeft) {
    RenderStringCenterAligned(View(Text), x, y, z, Billboard, Orientation, RightToLeft);
  }

  // The list applied inside the billboard frame; 0 for none.
  GLuint GetOrientationDisplayList() const { return m_OList; }
  void SetOrientationDisplayList(GLuint List) { m_OList = List; }

 private:
  static std::wstring_view View(const wchar_t* Text) { return Text ? std::wstring_view(Text) : std::wstring_view(); }

  GLuint m_OList = 0;
};
