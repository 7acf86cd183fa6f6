// Bitmaps loaded from image files. The decoder reads the file; what it gives
// (red, green, blue rows from the top) is turned into the bitmap's blue,
// green, red rows in the bitmap's own row order.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

#include "platform/Gdi.h"
#include "platform/GdiBitmap.h"
#include "platform/Win32Call.h"
#include "platform/GdiSurface.h"
#include "platform/WideString.h"
#include "platform/Win32Environment.h"
#include "platform/WinError.h"

using zelph::Win32Call;

using namespace zelph::gdi;

namespace {

struct FileClose {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
struct PixelsFree {
  void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

struct DecodedImage {
  int width = 0;
  int height = 0;
  std::unique_ptr<stbi_uc, PixelsFree> rgb;
};

// The file's pixels; nothing, with the last error set, when the file cannot
// be opened, is not an image or is larger than a bitmap can be.
std::optional<DecodedImage> Decode(LPCWSTR path) {
  std::unique_ptr<std::FILE, FileClose> file(std::fopen(zelph::ToUtf8(path).c_str(), "rb"));
  if (!file) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return std::nullopt;
  }
  DecodedImage image;
  int channels = 0;
  // The size is checked before any pixel is decoded. The decoder reports a
  // top-down bitmap file's height as stored, negative.
  if (stbi_info_from_file(file.get(), &image.width, &image.height, &channels) &&
      Bitmap::Fits(image.width, std::abs(image.height), 24)) {
    image.rgb.reset(stbi_load_from_file(file.get(), &image.width, &image.height, &channels, 3));
  }
  if (!image.rgb) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return std::nullopt;
  }
  return image;
}

std::shared_ptr<Bitmap> ToBitmap(const DecodedImage& image, bool section) {
  std::shared_ptr<Bitmap> bitmap =
      section ? Bitmap::Make(image.width, image.height, 24, Bitmap::Layout::BottomUp, true)
              : Bitmap::Make(image.width, image.height, 32, Bitmap::Layout::TopDown, false);
  if (!bitmap) return nullptr;
  const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 3;
  for (int y = 0; y < image.height; ++y) {
    const stbi_uc* from = image.rgb.get() + y * rowBytes;
    BYTE* to = bitmap->Row(y);
    for (int x = 0; x < image.width; ++x, from += 3, to += bitmap->BytesPerPixel()) {
      to[0] = from[2];
      to[1] = from[1];
      to[2] = from[0];
    }
  }
  return bitmap;
}

// The bitmap stretched to the size asked for; a side of 0 keeps its own.
std::shared_ptr<Bitmap> Resized(std::shared_ptr<Bitmap> bitmap, int width, int height) {
  if (!bitmap || ((width == 0 || width == bitmap->Width()) && (height == 0 || height == bitmap->Height()))) {
    return bitmap;
  }
  const Area from{0, 0, bitmap->Width(), bitmap->Height()};
  const Area to{0, 0, width ? width : from.width, height ? height : from.height};
  std::shared_ptr<Bitmap> resized =
      Bitmap::Make(to.width, to.height, bitmap->BitsPerPixel(), bitmap->RowLayout(), bitmap->IsSection());
  if (!resized || !Stretch(*resized, to, *bitmap, from, false)) return nullptr;
  return resized;
}

}  // namespace

HANDLE LoadImageW(HINSTANCE instance, LPCWSTR name, UINT type, int width, int height, UINT flags) {
  if (type != IMAGE_BITMAP || !(flags & LR_LOADFROMFILE) || !name || width < 0 || height < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return Win32Call(HANDLE{}, [&]() -> HANDLE {
    std::optional<DecodedImage> image = Decode(name);
    if (!image) return nullptr;
    std::shared_ptr<Bitmap> bitmap = ToBitmap(*image, (flags & LR_CREATEDIBSECTION) != 0);
    return Publish(Resized(std::move(bitmap), width, height));
  });
}

namespace zelph {

HBITMAP LoadBitmapFile(LPCWSTR path) {
  return static_cast<HBITMAP>(LoadImageW(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

}  // namespace zelph
