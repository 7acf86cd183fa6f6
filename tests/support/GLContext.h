// The headless OpenGL context of the tests, and a fixture that makes one
// current for each test.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>

#include "platform/OffscreenGLContext.h"

namespace zelph::test {

using GLContext = zelph::OffscreenGLContext;
using zelph::Rgba;

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
