// A glyph as the outline generator consumes it: closed polygons in em units
// (1.0 is the em height, y up, origin on the baseline at the pen position),
// the black box and the advance.
#pragma once

#include <vector>

namespace zelph::gdi {

struct FontOutlinePoint {
  double x = 0.0;
  double y = 0.0;
};

// A closed polygon: the last point joins the first, and no point repeats its
// predecessor.
using FontContour = std::vector<FontOutlinePoint>;

struct FontOutline {
  // Every contour keeps the filled area on its right, whatever convention
  // the font file used, so that walls built along a contour can take their
  // outward side from the direction of travel alone.
  std::vector<FontContour> contours;
  // The area is filled where the winding number is odd, instead of non-zero.
  bool evenOdd = false;
};

// The smallest rectangle around the glyph's ink; all zero for a blank glyph.
struct FontGlyphBox {
  double left = 0.0;
  double top = 0.0;
  double width = 0.0;
  double height = 0.0;
};

struct FontGlyph {
  FontOutline outline;
  FontGlyphBox box;
  double advance = 0.0;
};

// Styles the face lacks and the outline generator makes up: a heavier
// stroke for bold, a slant for italic.
struct FontSynthesis {
  bool embolden = false;
  // How far the glyph leans: the x shift per unit of height.
  double slant = 0.0;
};

}  // namespace zelph::gdi
