// Glyphs as OpenGL display lists: the outline generator for text drawn in
// 3D. Each character becomes a list that draws its outline as polygons (or
// lines), optionally extruded into a solid, and then moves the model-view
// origin on by the character's advance, so that calling the lists of a
// string one after another lays it out.
#pragma once

#include <span>

#include "platform/GdiTypes.h"

struct POINTFLOAT {
  FLOAT x;
  FLOAT y;
};

// A glyph's measures in em units (1.0 is the font's em height).
struct GLYPHMETRICSFLOAT {
  FLOAT gmfBlackBoxX;  // width of the smallest box around the ink
  FLOAT gmfBlackBoxY;  // its height
  POINTFLOAT gmfptGlyphOrigin;  // its upper-left corner, from the pen position
  FLOAT gmfCellIncX;  // how far the pen moves on
  FLOAT gmfCellIncY;
};

constexpr int WGL_FONT_LINES = 0;
constexpr int WGL_FONT_POLYGONS = 1;

namespace zelph {

// Compiles display list `listBase + code` for every code given, with the
// glyph of that code in `font`, and stores the glyph's metrics in
// `metrics[code]` (so `metrics` must hold an entry for the highest code; it
// may be null). Coordinates are in em units with the baseline at y = 0 and
// the pen at x = 0.
//
// WGL_FONT_POLYGONS: the filled glyph at z = 0 facing +z (normal 0, 0, 1);
// with `extrusion` > 0 also the same face at z = -extrusion facing -z, and
// a wall along every contour between the two, facing outwards with the
// normal of its edge. WGL_FONT_LINES: every contour as a line loop at
// z = 0; the extrusion is not drawn.
//
// Curves stay within `deviation` ems of the design outline; 0 means one
// design unit of the font. A blank glyph's list only moves the pen. A code
// the font has no glyph for gets the font's missing-character glyph, as it
// would in printed text. Bold and italic that the chosen face lacks are
// made up from its regular outlines.
//
// The call compiles lists, so it must not be made while another list is
// being compiled; the caller sees to that. It needs a current context.
// FALSE, with the lists compiled so far kept, and the last error:
// ERROR_INVALID_HANDLE for anything but a live font handle or without a
// current context, ERROR_INVALID_PARAMETER for a negative or NaN deviation
// or extrusion, another format or a list number of 0, ERROR_FILE_NOT_FOUND
// when no font file could be read for the font (the text cannot be drawn),
// and ERROR_INVALID_DATA (13) for a glyph that cannot be read or cut into
// polygons.
BOOL UseFontOutlinesW(HFONT font, std::span<const DWORD> codes, DWORD listBase, FLOAT deviation, FLOAT extrusion,
                      int format, GLYPHMETRICSFLOAT* metrics);

// The height of a line of the font's text (ascent plus descent) in the em
// units of its outlines. FALSE with ERROR_INVALID_HANDLE, ERROR_FILE_NOT_FOUND
// or ERROR_INVALID_PARAMETER as above.
BOOL GetFontOutlineHeight(HFONT font, FLOAT* height);

}  // namespace zelph
