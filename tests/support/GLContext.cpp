#include "tests/support/GLContext.h"

namespace zelph::test {

void GLTest::SetUp() { m_Context = std::make_unique<GLContext>(kWidth, kHeight); }

void GLTest::TearDown() {
  if (m_Context) {
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "a test left an OpenGL error behind";
  }
  m_Context.reset();
}

}  // namespace zelph::test
