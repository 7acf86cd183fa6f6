// Drawing with cairo into what a memory device context holds, for the code
// that draws symbols and text into bitmaps. Includers need not see cairo's
// own header unless they call it.
#pragma once

#include <functional>

#include "platform/GdiTypes.h"

typedef struct _cairo cairo_t;

namespace zelph::gdi {

// Runs `draw` with a cairo context on the bitmap selected into the memory
// context `dc`: origin at the top-left corner of the top-left pixel, one
// unit per pixel, y down; pixel (x, y) covers [x, x + 1) x [y, y + 1). The
// context starts in cairo's defaults (antialiasing on, OVER). When WithCairo
// returns TRUE the bitmap's bits hold what was drawn. 32-bit bitmaps are
// drawn on in place; 24-bit ones through a 32-bit copy that is written back
// afterwards, so nothing but the three colour bytes of a pixel ever changes.
// FALSE, with nothing drawn into a 24-bit bitmap, when `dc` is not a memory
// context or when `draw` throws or leaves the cairo context in error.
BOOL WithCairo(HDC dc, const std::function<void(cairo_t*)>& draw);

}  // namespace zelph::gdi
