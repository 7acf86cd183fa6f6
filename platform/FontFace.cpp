#include "platform/FontFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BBOX_H
#include FT_OUTLINE_H

#include <mutex>

#include "platform/FontLibrary.h"
#include "platform/FontOutlineFlattener.h"

namespace zelph::gdi {
namespace {

// A synthetic bold stroke grows by a 24th of the em, as FreeType's own
// glyph-slot styling has it.
constexpr FT_Pos kEmboldenDivisor = 24;
constexpr double kFixedOne = 65536.0;

// The widening, in font units, that the advance grows by.
FT_Pos Embolden(FT_Outline& outline, FT_UShort unitsPerEm) {
  const FT_Pos strength = unitsPerEm / kEmboldenDivisor;
  return FT_Outline_EmboldenXY(&outline, strength, strength) == 0 ? strength : 0;
}

void Slant(FT_Outline& outline, double slant) {
  FT_Matrix shear = {0x10000, static_cast<FT_Fixed>(slant * kFixedOne), 0, 0x10000};
  FT_Outline_Transform(&outline, &shear);
}

FontGlyphBox BlackBox(FT_Outline& outline, double scale) {
  FT_BBox box{};
  if (outline.n_points == 0 || FT_Outline_Get_BBox(&outline, &box) != 0) return {};
  return {box.xMin * scale, box.yMax * scale, (box.xMax - box.xMin) * scale, (box.yMax - box.yMin) * scale};
}

}  // namespace

FontFace::FontFace(std::shared_ptr<FontLibrary> library, FT_Face face) : m_Library(std::move(library)), m_Face(face) {
  // Faces without outlines have no em; they never give a glyph.
  if (m_Face->units_per_EM == 0) return;
  m_DesignUnit = 1.0 / m_Face->units_per_EM;
  m_LineHeight = (m_Face->ascender - m_Face->descender) * m_DesignUnit;
}

FontFace::~FontFace() {
  std::lock_guard guard(m_Library->Lock());
  FT_Done_Face(m_Face);
}

std::optional<FontGlyph> FontFace::LoadGlyph(char32_t code, FontSynthesis synthesis, double tolerance) const {
  std::lock_guard guard(m_Library->Lock());
  if (m_DesignUnit == 0.0) return std::nullopt;
  // Glyph 0, where the code has none, is the face's missing-character glyph.
  const FT_UInt index = FT_Get_Char_Index(m_Face, code);
  if (FT_Load_Glyph(m_Face, index, FT_LOAD_NO_SCALE) != 0) return std::nullopt;
  FT_GlyphSlot slot = m_Face->glyph;
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return std::nullopt;

  FT_Pos advance = slot->metrics.horiAdvance;
  if (synthesis.embolden) advance += Embolden(slot->outline, m_Face->units_per_EM);
  if (synthesis.slant != 0.0) Slant(slot->outline, synthesis.slant);
  std::optional<FontOutline> outline = FontOutlineFlattener(m_DesignUnit, tolerance).Flatten(slot->outline);
  if (!outline) return std::nullopt;
  return FontGlyph{std::move(*outline), BlackBox(slot->outline, m_DesignUnit), advance * m_DesignUnit};
}

}  // namespace zelph::gdi
