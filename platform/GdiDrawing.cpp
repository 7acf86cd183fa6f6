// Drawing on the bitmap selected into a memory context: filling, stretching
// and copying through cairo, single pixels directly.
#include <cairo.h>

#include "platform/Gdi.h"
#include "platform/GdiBrush.h"
#include "platform/GdiDeviceContext.h"
#include "platform/GdiSurface.h"
#include "platform/Win32Environment.h"
#include "platform/WinError.h"

using namespace zelph::gdi;

namespace {

// The target bitmap when (x, y) is one of its pixels.
std::shared_ptr<Bitmap> PixelTarget(HDC dc, int x, int y) {
  std::shared_ptr<Bitmap> bitmap = DrawingTarget(dc);
  if (bitmap && !bitmap->Contains(x, y)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return bitmap;
}

}  // namespace

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  std::shared_ptr<Bitmap> bitmap = DrawingTarget(dc);
  auto fill = std::static_pointer_cast<Brush>(Lookup(brush, ObjectKind::Brush));
  if (!bitmap || !fill) return 0;
  if (!rect) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (rect->right <= rect->left || rect->bottom <= rect->top) return 1;
  const COLORREF colour = fill->Colour();
  return DrawOnBitmap(*bitmap, [&](cairo_t* context) {
    cairo_set_source_rgb(context, GetRValue(colour) / 255.0, GetGValue(colour) / 255.0, GetBValue(colour) / 255.0);
    cairo_set_operator(context, CAIRO_OPERATOR_SOURCE);
    cairo_set_antialias(context, CAIRO_ANTIALIAS_NONE);
    cairo_rectangle(context, rect->left, rect->top, static_cast<double>(rect->right) - rect->left,
                    static_cast<double>(rect->bottom) - rect->top);
    cairo_fill(context);
  });
}

BOOL StretchBlt(HDC destination, int xDestination, int yDestination, int widthDestination, int heightDestination,
                HDC source, int xSource, int ySource, int widthSource, int heightSource, DWORD rop) {
  std::shared_ptr<DeviceContext> target = LookupContext(destination);
  std::shared_ptr<Bitmap> to = DrawingTarget(destination);
  std::shared_ptr<Bitmap> from = DrawingTarget(source);
  if (!to || !from) return FALSE;
  if (rop != SRCCOPY) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const bool interpolate = target->StretchMode() == HALFTONE;
  return Stretch(*to, {xDestination, yDestination, widthDestination, heightDestination}, *from,
                 {xSource, ySource, widthSource, heightSource}, interpolate);
}

BOOL BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int xSource, int ySource, DWORD rop) {
  return StretchBlt(destination, x, y, width, height, source, xSource, ySource, width, height, rop);
}

COLORREF GetPixel(HDC dc, int x, int y) {
  std::shared_ptr<Bitmap> bitmap = PixelTarget(dc, x, y);
  return bitmap ? bitmap->Pixel(x, y) : CLR_INVALID;
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour) {
  std::shared_ptr<Bitmap> bitmap = PixelTarget(dc, x, y);
  if (!bitmap) return CLR_INVALID;
  bitmap->SetPixel(x, y, colour);
  return colour & 0x00FFFFFF;
}
