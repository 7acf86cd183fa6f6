// Where a text test's drawing left ink: the box of the pixels that differ
// from the black background, read back from the current context.
#pragma once

#include <GL/gl.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "tests/support/GLContext.h"

namespace zelph::test {

struct Ink {
  int count = 0;
  // Inclusive pixel bounds, rows from the bottom; meaningful when count > 0.
  int left = 1 << 20, right = -1, bottom = 1 << 20, top = -1;
  int Width() const { return right - left + 1; }
  int Height() const { return top - bottom + 1; }
};

// Clears to opaque black, runs `draw` and finds the pixels for which `match`
// holds (by default: any that is not black).
inline Ink DrawAndFindInk(GLContext& context, const std::function<void()>& draw,
                          const std::function<bool(const std::uint8_t*)>& match = {}) {
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  draw();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  const std::vector<std::uint8_t> pixels = context.ReadPixels();
  Ink ink;
  for (int y = 0; y < context.Height(); ++y) {
    for (int x = 0; x < context.Width(); ++x) {
      const std::uint8_t* pixel = &pixels[(static_cast<size_t>(y) * context.Width() + x) * 4];
      const bool inked = match ? match(pixel) : (pixel[0] | pixel[1] | pixel[2]) != 0;
      if (!inked) continue;
      ++ink.count;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.bottom = std::min(ink.bottom, y);
      ink.top = std::max(ink.top, y);
    }
  }
  return ink;
}

}  // namespace zelph::test
