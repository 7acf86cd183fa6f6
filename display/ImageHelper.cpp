#include "display/ImageHelper.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "display/BitmapBot.h"
#include "frame/ErrorConvention.h"
#include "platform/Gdi.h"

namespace {

// How far log2 of a side may lie from a whole number and still count as a
// power of two.
constexpr double kPowerOfTwoTolerance = 1e-9;

}  // namespace

void ImageHelper::ValidateBitmapSize(HBITMAP& bitmap) {
  zelph::InternalCall(L"ValidateBitmapSize", [&] {
    if (!bitmap) return;
    BITMAP description{};
    if (GetObjectW(bitmap, sizeof(BITMAP), &description) == 0) return;
    const int larger = std::max(description.bmWidth, description.bmHeight);
    if (larger < 1) return;
    const double exponent = std::log2(static_cast<double>(larger));
    if (exponent - std::floor(exponent) <= kPowerOfTwoTolerance) return;
    const int side = 1 << static_cast<int>(std::floor(exponent));
    BitmapBot bot;
    if (!bot.SetByHandle(bitmap, RGB(0, 0, 0), false)) return;
    if (bot.Stretch(side, side)) {
      // The stretch deleted the caller's bitmap; the new one takes its place.
      bitmap = bot.Detach();
    } else {
      Logger::Warning(L"Could not stretch a %d x %d bitmap to %d x %d\n", description.bmWidth,
                      description.bmHeight, side, side);
      bot.Detach();  // still the caller's
    }
  });
}

BgrImage ImageHelper::GetBitmapBGRBits(HBITMAP bitmap) {
  return zelph::InternalCall(L"GetBitmapBGRBits", [&] {
    BgrImage image;
    DIBSECTION section{};
    const int described = bitmap ? GetObjectW(bitmap, sizeof(DIBSECTION), &section) : 0;
    const BITMAP& bits = section.dsBm;
    if (described == 0 || bits.bmWidth < 1 || bits.bmHeight < 1) return image;
    const std::size_t width = static_cast<std::size_t>(bits.bmWidth);
    const std::size_t height = static_cast<std::size_t>(bits.bmHeight);
    image.bgr.resize(width * height * 3);
    BYTE* out = image.bgr.data();
    const bool readable = described == static_cast<int>(sizeof(DIBSECTION)) && bits.bmBits &&
                          (bits.bmBitsPixel == 24 || bits.bmBitsPixel == 32);
    if (readable) {
      // The section's own rows, from the top, without their padding.
      const std::size_t pixelBytes = bits.bmBitsPixel / 8;
      const std::ptrdiff_t stride = bits.bmWidthBytes;
      const bool bottomUp = section.dsBmih.biHeight > 0;
      const BYTE* top = static_cast<const BYTE*>(bits.bmBits) + (bottomUp ? (height - 1) * stride : 0);
      const std::ptrdiff_t step = bottomUp ? -stride : stride;
      for (std::size_t row = 0; row < height; ++row) {
        const BYTE* pixel = top + static_cast<std::ptrdiff_t>(row) * step;
        for (std::size_t column = 0; column < width; ++column, pixel += pixelBytes) {
          *out++ = pixel[0];
          *out++ = pixel[1];
          *out++ = pixel[2];
        }
      }
    } else {
      // A device-dependent bitmap: its pixels only come through a context.
      BitmapBot::Canvas canvas(nullptr, bitmap);
      if (!canvas.Dc()) zelph::Fail(E_FAIL);
      for (std::size_t row = 0; row < height; ++row) {
        for (std::size_t column = 0; column < width; ++column) {
          const COLORREF colour = GetPixel(canvas.Dc(), static_cast<int>(column), static_cast<int>(row));
          if (colour == CLR_INVALID) zelph::Fail(E_FAIL);
          *out++ = GetBValue(colour);
          *out++ = GetGValue(colour);
          *out++ = GetRValue(colour);
        }
      }
    }
    image.width = bits.bmWidth;
    image.height = bits.bmHeight;
    return image;
  });
}

HBITMAP ImageHelper::CreateBitmapFromBGR(const BgrImage& image) {
  return zelph::InternalCall(L"CreateBitmapFromBGR", [&]() -> HBITMAP {
    if (image.width < 1 || image.height < 1) return nullptr;
    const std::size_t width = static_cast<std::size_t>(image.width);
    const std::size_t height = static_cast<std::size_t>(image.height);
    if (image.bgr.size() / 3 / width != height || image.bgr.size() != width * height * 3) return nullptr;
    BitmapBot bot;
    if (!bot.CreateNewBitmap(image.width, image.height, RGB(0, 0, 0), false)) return nullptr;
    DIBSECTION section{};
    if (GetObjectW(bot.Handle(), sizeof(DIBSECTION), &section) != static_cast<int>(sizeof(DIBSECTION)) ||
        !section.dsBm.bmBits || section.dsBm.bmBitsPixel != 24) {
      return nullptr;
    }
    const std::ptrdiff_t stride = section.dsBm.bmWidthBytes;
    const bool bottomUp = section.dsBmih.biHeight > 0;
    BYTE* bits = static_cast<BYTE*>(section.dsBm.bmBits);
    for (std::size_t row = 0; row < height; ++row) {
      const std::size_t memoryRow = bottomUp ? height - 1 - row : row;
      std::copy_n(image.bgr.data() + row * width * 3, width * 3, bits + memoryRow * stride);
    }
    return bot.Detach();
  });
}

GLuint ImageHelper::CreateTexture(HBITMAP& bitmap, bool useTransparency, int red, int green, int blue) {
  return zelph::InternalCall(L"CreateTexture", [&]() -> GLuint {
    if (!bitmap) return 0;
    ValidateBitmapSize(bitmap);
    const BgrImage image = GetBitmapBGRBits(bitmap);
    if (image.bgr.empty()) {
      Logger::Warning(L"A bitmap without readable pixels makes no texture\n");
      return 0;
    }
    const std::size_t width = static_cast<std::size_t>(image.width);
    const std::size_t height = static_cast<std::size_t>(image.height);
    // OpenGL's rows run bottom-up: the image is flipped on the way.
    std::vector<BYTE> bgra(width * height * 4);
    for (std::size_t row = 0; row < height; ++row) {
      const BYTE* source = image.bgr.data() + row * width * 3;
      BYTE* target = bgra.data() + (height - 1 - row) * width * 4;
      for (std::size_t column = 0; column < width; ++column, source += 3, target += 4) {
        target[0] = source[0];
        target[1] = source[1];
        target[2] = source[2];
        const bool keyed = source[2] == red && source[1] == green && source[0] == blue;
        target[3] = useTransparency && (row == 0 || keyed) ? 0 : 255;
      }
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    if (name == 0) return 0;
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, 4, image.width, image.height, 0, GL_BGRA, GL_UNSIGNED_BYTE, bgra.data());
    return name;
  });
}
