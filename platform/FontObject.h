// What a font handle stands for in the GDI handle table: the logical font as
// asked for, and the installed face chosen for it.
#pragma once

#include <memory>
#include <string>

#include "platform/FontOutline.h"
#include "platform/Fonts.h"
#include "platform/GdiHandles.h"

namespace zelph::gdi {

class FontFace;

class FontObject final : public GdiObject {
 public:
  // Never null. A description no installed face can serve gives a font
  // without a face, whose glyphs cannot be generated.
  static std::shared_ptr<FontObject> Create(const LOGFONTW& description);
  // Null for a stale handle or one of another kind.
  static std::shared_ptr<FontObject> FromHandle(HFONT font);
  // What DeleteObject does to a font handle; false when it named nothing.
  static bool DeleteHandle(HFONT font);

  ObjectKind Kind() const override { return ObjectKind::Font; }

  const LOGFONTW& Description() const { return m_Description; }
  // Null when no font file could be read.
  const std::shared_ptr<FontFace>& Face() const { return m_Face; }
  // The family of the face chosen; empty without a face.
  const std::wstring& Family() const { return m_Family; }
  // The styles asked for that the chosen face lacks.
  FontSynthesis Synthesis() const { return m_Synthesis; }
  // The em height in pixels that the description's height stands for.
  double EmPixels() const { return m_EmPixels; }

 private:
  FontObject() = default;
  void ChooseFace();
  void ComputeEmPixels();

  LOGFONTW m_Description{};
  std::shared_ptr<FontFace> m_Face;
  std::wstring m_Family;
  FontSynthesis m_Synthesis;
  double m_EmPixels = 0.0;
};

}  // namespace zelph::gdi
