// How a renderable colours its surfaces and lines: an optional texture, two
// colours (the second for gradients and some outlines), a gradient switch,
// a line stipple and a polygon stipple. A plain value: copies share the
// texture name and the pattern pointer, neither of which the record owns
// (textures belong to the texture components, patterns are the shared
// constants below).
#pragma once

#include <GL/gl.h>

class RenderMaterial {
 public:
  // The shared 32 x 32 polygon stipples, 4 bytes a row, bottom row first,
  // leftmost pixel in the high bit of the first byte, as glPolygonStipple
  // reads them with default pixel storage.
  static constexpr int kPatternBytes = 128;
  static const GLubyte* const SOLID;
  static const GLubyte* const HOLLOW;
  static const GLubyte* const HORIZONTAL;
  static const GLubyte* const VERTICAL;
  static const GLubyte* const FWD_DIAG;
  static const GLubyte* const BCK_DIAG;
  static const GLubyte* const CROSS;
  static const GLubyte* const DIAG_CROSS;

  // The pattern of a material's fill option: solid (0), hollow, horizontal,
  // vertical, forward diagonal, backward diagonal, cross, diagonal cross
  // (7); SOLID for any other value.
  static const GLubyte* FillPattern(long fillOption);

  RenderMaterial() = default;
  RenderMaterial(const RenderMaterial&) = default;
  RenderMaterial& operator=(const RenderMaterial&) = default;

  GLuint GetTexture() const { return m_Texture; }
  // A texture replaces the gradient.
  void SetTexture(GLuint Texture);
  bool GetTextureRepeat() const { return m_TextureRepeat; }
  void SetTextureRepeat(bool Repeat) { m_TextureRepeat = Repeat; }

  // Each component is taken only when it lies in [0, 1]; another one (or
  // NaN) keeps that component's old value.
  void GetColor1RGB(float* R, float* G, float* B) const;
  void SetColor1RGB(float R, float G, float B);
  void GetColor2RGB(float* R, float* G, float* B) const;
  void SetColor2RGB(float R, float G, float B);

  bool GetGradient() const { return m_Gradient; }
  // Switching the gradient either way drops the texture: whichever of the
  // two was set last wins.
  void SetGradient(bool Gradient);

  GLushort GetLineOption() const { return m_Loption; }
  void SetLineOption(GLushort Loption) { m_Loption = Loption; }
  const GLubyte* GetFillOption() const { return m_Foption; }
  // Takes one of the shared patterns; null is ignored.
  void SetFillOption(const GLubyte* Foption);

  // Stores `value` in `component` only when it lies in [0, 1]: the rule of
  // every colour and opacity setter of the renderables.
  static void TakeUnitValue(float& component, float value) {
    if (value >= 0.0f && value <= 1.0f) component = value;
  }

  // The shared rules for applying the record while a display list is
  // compiled. Each Apply returns whether it changed any enable, so that the
  // caller knows whether to disable it again or to push an attribute first.

  // True when the texture names a texture of the current context.
  bool HasTexture() const;
  // Enables and binds the texture, modulated by the current colour.
  bool ApplyTexture() const;
  // ApplyTexture for explicit texture coordinates: generated coordinates
  // off, linear filtering both ways.
  bool ApplyTextureWithCoordinates() const;
  // glColor4f of colour 1 or colour 2 with the renderable's alpha.
  void ApplyColor1(float Alpha) const;
  void ApplyColor2(float Alpha) const;
  // Enables line stippling unless the line pattern is solid.
  bool ApplyLineStipple() const;
  // Enables polygon stippling unless the fill pattern is SOLID.
  bool ApplyPolygonStipple() const;

  GLuint m_Texture = 0;
  bool m_TextureRepeat = false;
  float m_Color1R = 1.0f, m_Color1G = 1.0f, m_Color1B = 1.0f;
  float m_Color2R = 1.0f, m_Color2G = 1.0f, m_Color2B = 1.0f;
  bool m_Gradient = false;
  GLushort m_Loption = 0xFFFF;
  const GLubyte* m_Foption = SOLID;
};
