// A headless OpenGL context for tests: Mesa's surfaceless EGL platform with
// an offscreen pbuffer, so drawing needs neither a GPU nor a display.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <vector>

namespace zelph::test {

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
class GLContext {
 public:
  GLContext(int width, int height);
  ~GLContext();
  GLContext(const GLContext&) = delete;
  GLContext& operator=(const GLContext&) = delete;

  void MakeCurrent();
  int Width() const { return m_Width; }
  int Height() const { return m_Height; }

  // Window coordinates: (0, 0) is the bottom-left pixel.
  Rgba ReadPixel(int x, int y) const;
  // All pixels as RGBA bytes, rows bottom-up, width * height * 4 bytes.
  std::vector<std::uint8_t> ReadPixels() const;

 private:
  int m_Width;
  int m_Height;
  void* m_Display = nullptr;
  void* m_Surface = nullptr;
  void* m_Context = nullptr;
};

// A fixture with a current 64 x 64 context; every test must leave OpenGL
// without a pending error.
class GLTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 64;
  static constexpr int kHeight = 64;

  void SetUp() override;
  void TearDown() override;
  GLContext& Context() { return *m_Context; }

 private:
  std::unique_ptr<GLContext> m_Context;
};

}  // namespace zelph::test
