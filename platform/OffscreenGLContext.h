// An offscreen OpenGL context: Mesa's surfaceless EGL platform with a
// pbuffer, so drawing needs neither a GPU nor a display. The reference
// viewer renders into one, and so do the tests.
#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

namespace zelph {

struct Rgba {
  std::uint8_t r, g, b, a;
  friend bool operator==(const Rgba&, const Rgba&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Rgba& pixel) {
    return out << "rgba(" << int{pixel.r} << ", " << int{pixel.g} << ", " << int{pixel.b} << ", " << int{pixel.a} << ")";
  }
};

// Owns a compatibility-profile context with a width x height pbuffer
// (RGBA 8 bits, depth 24, stencil 8) and makes it current on the calling
// thread. Throws std::runtime_error, naming the EGL call and error, when
// no context can be made.
class OffscreenGLContext {
 public:
  OffscreenGLContext(int width, int height);
  ~OffscreenGLContext();
  OffscreenGLContext(const OffscreenGLContext&) = delete;
  OffscreenGLContext& operator=(const OffscreenGLContext&) = delete;

  void MakeCurrent();
  // Gives the context a drawing surface of a new size and makes it current.
  // The context itself stays, and with it every display list and texture
  // made in it; the viewport is set to the new size. On failure the old
  // surface stays.
  void Resize(int width, int height);
  int Width() const { return m_Width; }
  int Height() const { return m_Height; }

  // Window coordinates: (0, 0) is the bottom-left pixel. The context must be
  // current.
  Rgba ReadPixel(int x, int y) const;
  // All pixels as RGBA bytes, rows bottom-up, width * height * 4 bytes.
  std::vector<std::uint8_t> ReadPixels() const;

 private:
  int m_Width;
  int m_Height;
  void* CreateSurface(int width, int height) const;

  void* m_Display = nullptr;
  void* m_Config = nullptr;
  void* m_Surface = nullptr;
  void* m_Context = nullptr;
};

}  // namespace zelph
