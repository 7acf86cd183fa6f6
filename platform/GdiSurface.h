// Bitmaps as cairo image surfaces, for the drawing functions of the GDI
// subset.
#pragma once

#include <functional>

#include "platform/GdiBitmap.h"

typedef struct _cairo cairo_t;

namespace zelph::gdi {

// Runs `draw` on the bitmap's pixels (see WithCairo). False, with the last
// error set, when the surface could not be made, `draw` threw or cairo
// reported an error.
bool DrawOnBitmap(Bitmap& bitmap, const std::function<void(cairo_t*)>& draw);

struct Area {
  int x;
  int y;
  int width;
  int height;
};

// Draws `from` of `source` into `to` of `destination`, scaled, mirrored when
// the extents' signs differ, with nearest or bilinear sampling. `source`
// may be `destination`.
bool Stretch(Bitmap& destination, Area to, const Bitmap& source, Area from, bool interpolate);

}  // namespace zelph::gdi
