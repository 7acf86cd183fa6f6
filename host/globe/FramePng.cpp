#include "host/globe/FramePng.h"

#include <png.h>

namespace zelph::host::globe {

bool WriteBottomUpRgbaPng(const std::string& path, int width, int height, const std::uint8_t* rgba) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGBA;
  // A negative row stride makes libpng start from the buffer's last row,
  // which is the frame's top one. libpng removes a file it failed to finish.
  int written = png_image_write_to_file(&image, path.c_str(), 0, rgba, -static_cast<png_int_32>(width) * 4, nullptr);
  png_image_free(&image);
  return written != 0;
}

}  // namespace zelph::host::globe
