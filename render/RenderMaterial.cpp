#include "render/RenderMaterial.h"

#include <array>
#include <cstdint>

namespace {

using Pattern = std::array<GLubyte, RenderMaterial::kPatternBytes>;

// A pattern whose row r repeats the four bytes that `row(r)` gives.
template <class RowBytes>
constexpr Pattern MakePattern(RowBytes row) {
  Pattern pattern{};
  for (int r = 0; r < 32; ++r) {
    std::array<GLubyte, 4> bytes = row(r);
    for (int b = 0; b < 4; ++b) pattern[r * 4 + b] = bytes[b];
  }
  return pattern;
}

constexpr std::array<GLubyte, 4> Repeated(GLubyte byte) { return {byte, byte, byte, byte}; }

// A 16-bit row value written high byte first, twice across the row.
constexpr std::array<GLubyte, 4> Twice(std::uint16_t value) {
  GLubyte high = static_cast<GLubyte>(value >> 8), low = static_cast<GLubyte>(value & 0xFF);
  return {high, low, high, low};
}

constexpr Pattern kSolid = MakePattern([](int) { return Repeated(0xFF); });
constexpr Pattern kHollow = MakePattern([](int) { return Repeated(0x00); });
constexpr Pattern kHorizontal = MakePattern([](int r) { return Repeated(r % 4 == 0 ? 0xFF : 0x00); });
constexpr Pattern kVertical = MakePattern([](int) { return Repeated(0x88); });
constexpr Pattern kForwardDiagonal =
    MakePattern([](int r) { return Twice(static_cast<std::uint16_t>(1u << (r % 16))); });
constexpr Pattern kBackwardDiagonal =
    MakePattern([](int r) { return Twice(static_cast<std::uint16_t>(0x8000u >> (r % 16))); });
constexpr Pattern kCross = MakePattern([](int r) { return Repeated(r % 4 == 0 ? 0xFF : 0x11); });
constexpr GLubyte kDiagonalCrossRows[8] = {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81};
constexpr Pattern kDiagonalCross = MakePattern([](int r) { return Repeated(kDiagonalCrossRows[r % 8]); });

// Sets the given colour only where each component is a fraction; NaN fails
// both comparisons and is dropped with the rest.
void StoreFractions(float R, float G, float B, float& r, float& g, float& b) {
  auto store = [](float value, float& target) {
    if (value >= 0.0f && value <= 1.0f) target = value;
  };
  store(R, r);
  store(G, g);
  store(B, b);
}

}  // namespace

constinit const GLubyte* const RenderMaterial::SOLID = kSolid.data();
constinit const GLubyte* const RenderMaterial::HOLLOW = kHollow.data();
constinit const GLubyte* const RenderMaterial::HORIZONTAL = kHorizontal.data();
constinit const GLubyte* const RenderMaterial::VERTICAL = kVertical.data();
constinit const GLubyte* const RenderMaterial::FWD_DIAG = kForwardDiagonal.data();
constinit const GLubyte* const RenderMaterial::BCK_DIAG = kBackwardDiagonal.data();
constinit const GLubyte* const RenderMaterial::CROSS = kCross.data();
constinit const GLubyte* const RenderMaterial::DIAG_CROSS = kDiagonalCross.data();

const GLubyte* RenderMaterial::FillPattern(long fillOption) {
  static const GLubyte* const byOption[] = {SOLID, HOLLOW, HORIZONTAL, VERTICAL, FWD_DIAG, BCK_DIAG, CROSS, DIAG_CROSS};
  constexpr long count = static_cast<long>(sizeof(byOption) / sizeof(byOption[0]));
  return fillOption >= 0 && fillOption < count ? byOption[fillOption] : SOLID;
}

void RenderMaterial::SetTexture(GLuint Texture) {
  m_Texture = Texture;
  m_Gradient = false;
}

void RenderMaterial::GetColor1RGB(float* R, float* G, float* B) const {
  if (R) *R = m_Color1R;
  if (G) *G = m_Color1G;
  if (B) *B = m_Color1B;
}

void RenderMaterial::SetColor1RGB(float R, float G, float B) { StoreFractions(R, G, B, m_Color1R, m_Color1G, m_Color1B); }

void RenderMaterial::GetColor2RGB(float* R, float* G, float* B) const {
  if (R) *R = m_Color2R;
  if (G) *G = m_Color2G;
  if (B) *B = m_Color2B;
}

void RenderMaterial::SetColor2RGB(float R, float G, float B) { StoreFractions(R, G, B, m_Color2R, m_Color2G, m_Color2B); }

void RenderMaterial::SetGradient(bool Gradient) {
  m_Gradient = Gradient;
  m_Texture = 0;
}

void RenderMaterial::SetFillOption(const GLubyte* Foption) {
  if (Foption != nullptr) m_Foption = Foption;
}

bool RenderMaterial::HasTexture() const { return m_Texture != 0 && glIsTexture(m_Texture) == GL_TRUE; }

bool RenderMaterial::ApplyTexture() const {
  if (!HasTexture()) return false;
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, m_Texture);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  return true;
}

bool RenderMaterial::ApplyTextureWithCoordinates() const {
  if (!ApplyTexture()) return false;
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  return true;
}

void RenderMaterial::ApplyColor1(float Alpha) const { glColor4f(m_Color1R, m_Color1G, m_Color1B, Alpha); }

void RenderMaterial::ApplyColor2(float Alpha) const { glColor4f(m_Color2R, m_Color2G, m_Color2B, Alpha); }

bool RenderMaterial::ApplyLineStipple() const {
  if (m_Loption >= 0xFFFF) return false;
  glEnable(GL_LINE_STIPPLE);
  glLineStipple(1, m_Loption);
  return true;
}

bool RenderMaterial::ApplyPolygonStipple() const {
  if (m_Foption == nullptr || m_Foption == SOLID) return false;
  glEnable(GL_POLYGON_STIPPLE);
  // The pattern is unpacked when this call is made (also while a list is
  // compiled), so whatever pixel storage other code left behind must not
  // shift or mirror its bits.
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
  glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPolygonStipple(m_Foption);
  glPopClientAttrib();
  return true;
}
