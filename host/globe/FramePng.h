// Writing a frame as a PNG file.
#pragma once

#include <cstdint>
#include <string>

namespace zelph::host::globe {

// Writes `rgba` (width * height pixels of 4 bytes, rows bottom-up as OpenGL
// reads them) as an 8-bit RGBA PNG with the top row first. False when the
// file cannot be written; no partial file is left behind then.
bool WriteBottomUpRgbaPng(const std::string& path, int width, int height, const std::uint8_t* rgba);

}  // namespace zelph::host::globe
