// One face of a font file, opened with FreeType, from which the outline
// generator takes glyphs at their design size.
#pragma once

#include <memory>
#include <optional>

#include "platform/FontOutline.h"

struct FT_FaceRec_;

namespace zelph::gdi {

class FontLibrary;

class FontFace {
 public:
  // Takes the face, which must come from `library`.
  FontFace(std::shared_ptr<FontLibrary> library, FT_FaceRec_* face);
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  // Ascent plus descent, in ems: the height of a line of text.
  double LineHeight() const { return m_LineHeight; }
  // One design unit in ems: the finest detail the face's outlines hold.
  double DesignUnit() const { return m_DesignUnit; }

  // The glyph of a character code in em units, curves flattened to within
  // `tolerance` ems. A code the face has no glyph for gives the face's
  // missing-character glyph. Null when the face holds no outline for it.
  std::optional<FontGlyph> LoadGlyph(char32_t code, FontSynthesis synthesis, double tolerance) const;

 private:
  std::shared_ptr<FontLibrary> m_Library;
  FT_FaceRec_* m_Face;
  double m_DesignUnit = 0.0;
  double m_LineHeight = 0.0;
};

}  // namespace zelph::gdi
