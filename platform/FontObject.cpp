#include "platform/FontObject.h"

#include <cstdint>
#include <optional>

#include "platform/FontFace.h"
#include "platform/FontMatcher.h"

namespace zelph::gdi {
namespace {

// The em height of a font asked for with height 0: 12 points at 96 dpi.
constexpr double kDefaultEmPixels = 16.0;

}  // namespace

std::shared_ptr<FontObject> FontObject::Create(const LOGFONTW& description) {
  std::shared_ptr<FontObject> font(new FontObject());
  font->m_Description = description;
  font->m_Description.lfFaceName[LF_FACESIZE - 1] = L'\0';
  font->ChooseFace();
  font->ComputeEmPixels();
  return font;
}

std::shared_ptr<FontObject> FontObject::FromHandle(HFONT font) { return Find<FontObject>(font, ObjectKind::Font); }

bool FontObject::DeleteHandle(HFONT font) {
  return EraseObject(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(font)));
}

void FontObject::ChooseFace() {
  const bool italic = m_Description.lfItalic != 0;
  const std::optional<FontMatch> match = FontMatcher::Match(m_Description.lfFaceName, m_Description.lfWeight, italic);
  if (!match) return;
  m_Face = FontLibrary::Instance()->OpenFace(match->file);
  if (!m_Face) return;
  m_Family = match->family;
  m_Synthesis = match->synthesis;
}

// A positive height is the cell height, which holds the em and the face's
// leading; without a face to tell the leading, the em takes the whole cell.
void FontObject::ComputeEmPixels() {
  const double height = m_Description.lfHeight;
  if (height < 0.0) {
    m_EmPixels = -height;
  } else if (height == 0.0) {
    m_EmPixels = kDefaultEmPixels;
  } else {
    const double lineHeight = m_Face ? m_Face->LineHeight() : 0.0;
    m_EmPixels = lineHeight > 0.0 ? height / lineHeight : height;
  }
}

}  // namespace zelph::gdi
