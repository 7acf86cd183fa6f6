// Cairo image surfaces over bitmaps. Cairo's RGB24 format keeps a pixel as a
// native 32-bit word 0x??RRGGBB, which on this little-endian machine is the
// byte sequence blue, green, red, unused: the layout of a 32-bit bitmap row.
// 32-bit bitmaps are therefore drawn on in place (a bottom-up one with a
// negative stride, so that cairo still sees the top row first); 24-bit ones
// through a copy.
#include <cairo.h>

#include <bit>
#include <cstring>
#include <memory>

#include "platform/GdiCairo.h"
#include "platform/GdiDeviceContext.h"
#include "platform/GdiSurface.h"
#include "platform/Win32Environment.h"
#include "platform/WinError.h"

static_assert(std::endian::native == std::endian::little, "cairo's RGB24 words must be blue-green-red in memory");

namespace zelph::gdi {
namespace {

struct SurfaceRelease {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextRelease {
  void operator()(cairo_t* context) const { cairo_destroy(context); }
};
struct PatternRelease {
  void operator()(cairo_pattern_t* pattern) const { cairo_pattern_destroy(pattern); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceRelease>;

// One row of `width` pixels between layouts of 3 and 4 bytes a pixel; only
// the colour bytes are copied.
void CopyRow(const BYTE* from, int fromBytes, BYTE* to, int toBytes, int width) {
  if (fromBytes == toBytes) {
    std::memcpy(to, from, static_cast<std::size_t>(width) * fromBytes);
    return;
  }
  for (int x = 0; x < width; ++x, from += fromBytes, to += toBytes) {
    to[0] = from[0];
    to[1] = from[1];
    to[2] = from[2];
  }
}

BYTE* SurfaceRow(cairo_surface_t* surface, int y) {
  return cairo_image_surface_get_data(surface) + static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(surface);
}

// A new surface holding a copy of the bitmap's pixels.
Surface CopySurface(const Bitmap& bitmap) {
  Surface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, bitmap.Width(), bitmap.Height()));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return surface;
  cairo_surface_flush(surface.get());
  for (int y = 0; y < bitmap.Height(); ++y) {
    CopyRow(bitmap.Row(y), bitmap.BytesPerPixel(), SurfaceRow(surface.get(), y), 4, bitmap.Width());
  }
  cairo_surface_mark_dirty(surface.get());
  return surface;
}

// The surface cairo draws on for a bitmap, and what is written back after.
class BitmapSurface {
 public:
  explicit BitmapSurface(Bitmap& bitmap) : m_Bitmap(bitmap) {
    if (bitmap.BitsPerPixel() == 32) {
      m_Surface.reset(cairo_image_surface_create_for_data(bitmap.Row(0), CAIRO_FORMAT_RGB24, bitmap.Width(),
                                                          bitmap.Height(), static_cast<int>(bitmap.RowStep())));
    } else {
      m_Surface = CopySurface(bitmap);
      m_Copied = true;
    }
  }

  bool Ok() const { return cairo_surface_status(m_Surface.get()) == CAIRO_STATUS_SUCCESS; }
  cairo_surface_t* Get() const { return m_Surface.get(); }

  void Commit() {
    cairo_surface_flush(m_Surface.get());
    if (!m_Copied) return;
    for (int y = 0; y < m_Bitmap.Height(); ++y) {
      CopyRow(SurfaceRow(m_Surface.get(), y), 4, m_Bitmap.Row(y), m_Bitmap.BytesPerPixel(), m_Bitmap.Width());
    }
  }

 private:
  Bitmap& m_Bitmap;
  Surface m_Surface;
  bool m_Copied = false;
};

bool Refuse() {
  SetLastError(ERROR_INVALID_PARAMETER);
  return false;
}

}  // namespace

bool DrawOnBitmap(Bitmap& bitmap, const std::function<void(cairo_t*)>& draw) {
  try {
    BitmapSurface surface(bitmap);
    if (!surface.Ok()) return Refuse();
    std::unique_ptr<cairo_t, ContextRelease> context(cairo_create(surface.Get()));
    draw(context.get());
    if (cairo_status(context.get()) != CAIRO_STATUS_SUCCESS) return Refuse();
    context.reset();
    surface.Commit();
    return true;
  } catch (...) {
    return Refuse();
  }
}

bool Stretch(Bitmap& destination, Area to, const Bitmap& source, Area from, bool interpolate) {
  if (to.width == 0 || to.height == 0 || from.width == 0 || from.height == 0) return Refuse();
  // Read from a copy: the source may be the bitmap being drawn on.
  Surface copy = CopySurface(source);
  if (cairo_surface_status(copy.get()) != CAIRO_STATUS_SUCCESS) return Refuse();
  return DrawOnBitmap(destination, [&](cairo_t* context) {
    std::unique_ptr<cairo_pattern_t, PatternRelease> pattern(cairo_pattern_create_for_surface(copy.get()));
    const double scaleX = static_cast<double>(from.width) / to.width;
    const double scaleY = static_cast<double>(from.height) / to.height;
    cairo_matrix_t toSource;
    cairo_matrix_init(&toSource, scaleX, 0.0, 0.0, scaleY, from.x - to.x * scaleX, from.y - to.y * scaleY);
    cairo_pattern_set_matrix(pattern.get(), &toSource);
    cairo_pattern_set_filter(pattern.get(), interpolate ? CAIRO_FILTER_BILINEAR : CAIRO_FILTER_NEAREST);
    cairo_pattern_set_extend(pattern.get(), CAIRO_EXTEND_PAD);
    cairo_set_source(context, pattern.get());
    cairo_set_operator(context, CAIRO_OPERATOR_SOURCE);
    cairo_set_antialias(context, CAIRO_ANTIALIAS_NONE);
    cairo_rectangle(context, to.x, to.y, to.width, to.height);
    cairo_fill(context);
  });
}

BOOL WithCairo(HDC dc, const std::function<void(cairo_t*)>& draw) {
  std::shared_ptr<Bitmap> bitmap = DrawingTarget(dc);
  return bitmap && DrawOnBitmap(*bitmap, draw) ? TRUE : FALSE;
}

}  // namespace zelph::gdi
