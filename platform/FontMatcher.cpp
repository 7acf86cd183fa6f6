#include "platform/FontMatcher.h"

#include <fontconfig/fontconfig.h>

#include <memory>

#include "platform/WideString.h"

namespace zelph::gdi {
namespace {

constexpr LONG kNormalWeight = 400;

using Pattern = std::unique_ptr<FcPattern, void (*)(FcPattern*)>;

Pattern RequestFor(std::wstring_view family, LONG weight, bool italic) {
  Pattern request(FcPatternCreate(), &FcPatternDestroy);
  if (!request) return request;
  const std::string name = ToUtf8(family);
  if (!name.empty()) FcPatternAddString(request.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
  FcPatternAddInteger(request.get(), FC_WEIGHT, FcWeightFromOpenType(weight > 0 ? weight : kNormalWeight));
  FcPatternAddInteger(request.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  // Glyph outlines need outline fonts; bitmap fonts have none.
  FcPatternAddBool(request.get(), FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, request.get(), FcMatchPattern);
  FcDefaultSubstitute(request.get());
  return request;
}

std::optional<FontMatch> Describe(const FcPattern& found) {
  FcPattern* pattern = const_cast<FcPattern*>(&found);
  FcChar8* file = nullptr;
  if (FcPatternGetString(pattern, FC_FILE, 0, &file) != FcResultMatch || !file) return std::nullopt;
  FontMatch match;
  match.file.path = reinterpret_cast<const char*>(file);
  FcPatternGetInteger(pattern, FC_INDEX, 0, &match.file.index);
  if (FcChar8* family = nullptr; FcPatternGetString(pattern, FC_FAMILY, 0, &family) == FcResultMatch && family) {
    match.family = FromUtf8(reinterpret_cast<const char*>(family));
  }
  if (int weight = 0; FcPatternGetInteger(pattern, FC_WEIGHT, 0, &weight) == FcResultMatch) {
    match.weight = FcWeightToOpenType(weight);
  }
  if (int slant = 0; FcPatternGetInteger(pattern, FC_SLANT, 0, &slant) == FcResultMatch) {
    match.italic = slant != FC_SLANT_ROMAN;
  }
  if (FcBool embolden = FcFalse; FcPatternGetBool(pattern, FC_EMBOLDEN, 0, &embolden) == FcResultMatch) {
    match.synthesis.embolden = embolden != FcFalse;
  }
  // Only the lean of a transform is taken: faces are never stretched.
  if (FcMatrix* matrix = nullptr; FcPatternGetMatrix(pattern, FC_MATRIX, 0, &matrix) == FcResultMatch && matrix) {
    match.synthesis.slant = matrix->xy;
  }
  return match;
}

}  // namespace

std::optional<FontMatch> FontMatcher::Match(std::wstring_view family, LONG weight, bool italic) {
  Pattern request = RequestFor(family, weight, italic);
  if (!request) return std::nullopt;
  FcResult result = FcResultNoMatch;
  Pattern found(FcFontMatch(nullptr, request.get(), &result), &FcPatternDestroy);
  if (!found) return std::nullopt;
  return Describe(*found);
}

}  // namespace zelph::gdi
