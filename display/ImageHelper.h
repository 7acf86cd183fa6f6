// Turns bitmaps into OpenGL textures: square power-of-two sizes, BGRA
// pixels flipped to OpenGL's bottom-up rows, and colour-key transparency.
// It keeps no state; every failure is reported and gives what was made so
// far (texture name 0, a null bitmap, an empty image).
#pragma once

#include <GL/gl.h>

#include <vector>

#include "platform/GdiTypes.h"
#include "platform/WinTypes.h"

// A bitmap's pixels as 3 bytes each (blue, green, red), the top row first,
// rows packed without padding.
struct BgrImage {
  int width = 0;
  int height = 0;
  std::vector<BYTE> bgr;
};

class ImageHelper {
 public:
  // Stretches the bitmap to a square of side 2^floor(log2(L)), L the larger
  // of its width and height, unless L is a power of two already; the new
  // bitmap replaces the caller's handle and the old one is deleted.
  void ValidateBitmapSize(HBITMAP& bitmap);

  // The bitmap's pixels; an empty image for a null or unreadable bitmap.
  BgrImage GetBitmapBGRBits(HBITMAP bitmap);

  // A new 24-bit bitmap holding the image's pixels, or null when the image
  // is empty or its byte count does not match its size.
  HBITMAP CreateBitmapFromBGR(const BgrImage& image);

  // A new GL texture of the bitmap in the current context, 0 for a null
  // bitmap. With `useTransparency`, pixels of the key colour and the whole
  // top row get alpha 0. `bitmap` may be replaced by ValidateBitmapSize.
  GLuint CreateTexture(HBITMAP& bitmap, bool useTransparency, int red, int green, int blue);
};
