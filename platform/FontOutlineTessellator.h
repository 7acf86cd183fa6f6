// Cuts the filled area of a FontOutline into triangles with the GLU
// tessellator, which needs no OpenGL context for this.
#pragma once

#include <optional>
#include <vector>

#include "platform/FontOutline.h"

namespace zelph::gdi {

class FontOutlineTessellator {
 public:
  // Three points per triangle, each counter-clockwise seen from +z; empty
  // for an outline without area; null when the tessellator gives up.
  static std::optional<std::vector<FontOutlinePoint>> Triangulate(const FontOutline& outline);
};

}  // namespace zelph::gdi
