#include "platform/FontLibrary.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include "platform/FontFace.h"

namespace zelph::gdi {

std::shared_ptr<FontLibrary> FontLibrary::Instance() {
  static const std::shared_ptr<FontLibrary> instance(new FontLibrary());
  return instance;
}

FontLibrary::FontLibrary() {
  if (FT_Init_FreeType(&m_Library) != 0) m_Library = nullptr;
}

FontLibrary::~FontLibrary() {
  if (m_Library) FT_Done_FreeType(m_Library);
}

std::shared_ptr<FontFace> FontLibrary::OpenFace(const FontFileLocation& location) {
  std::lock_guard guard(m_Lock);
  if (!m_Library) return nullptr;
  std::weak_ptr<FontFace>& cached = m_Faces[location];
  if (std::shared_ptr<FontFace> face = cached.lock()) return face;
  FT_Face opened = nullptr;
  if (FT_New_Face(m_Library, location.path.c_str(), location.index, &opened) != 0) return nullptr;
  std::unique_ptr<FT_FaceRec, FT_Error (*)(FT_Face)> owned(opened, &FT_Done_Face);
  auto face = std::make_shared<FontFace>(shared_from_this(), opened);
  owned.release();
  cached = face;
  return face;
}

}  // namespace zelph::gdi
