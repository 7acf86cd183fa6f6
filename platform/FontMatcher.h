// Finds the font file for a typeface name and style with fontconfig, which
// knows the installed fonts and their metric-compatible stand-ins for the
// typefaces documents commonly ask for.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/FontLibrary.h"
#include "platform/FontOutline.h"
#include "platform/WinTypes.h"

namespace zelph::gdi {

struct FontMatch {
  FontFileLocation file;
  // The family of the face found, which need not be the one asked for.
  std::wstring family;
  // As the face will be drawn, made-up styles included; on the 100 (thin)
  // to 900 (black) scale of font weights.
  LONG weight = 400;
  bool italic = false;
  // What fontconfig's configuration makes up for styles the face lacks.
  FontSynthesis synthesis;
};

class FontMatcher {
 public:
  // The installed outline face closest to the family, weight (0 for the
  // normal weight) and slant; an unknown or empty family gives the system's
  // default face. Null only when no outline font is installed at all.
  static std::optional<FontMatch> Match(std::wstring_view family, LONG weight, bool italic);
};

}  // namespace zelph::gdi
