// The render material: its defaults and the rules between its setters, the
// shared fill patterns bit by bit, and the OpenGL state it applies.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <vector>

#include "render/RenderMaterial.h"
#include "tests/support/GLContext.h"

namespace {

TEST(RenderMaterial, DefaultsAndTheRulesBetweenSetters) {
  RenderMaterial material;
  float r = 0, g = 0, b = 0;
  material.GetColor1RGB(&r, &g, &b);
  EXPECT_EQ(r, 1.0f);
  EXPECT_EQ(g, 1.0f);
  EXPECT_EQ(b, 1.0f);
  EXPECT_EQ(material.GetTexture(), 0u);
  EXPECT_FALSE(material.GetTextureRepeat());
  EXPECT_FALSE(material.GetGradient());
  EXPECT_EQ(material.GetLineOption(), 0xFFFF);
  EXPECT_EQ(material.GetFillOption(), RenderMaterial::SOLID);

  // Each colour component is checked on its own.
  material.SetColor1RGB(0.5f, 2.0f, -1.0f);
  material.GetColor1RGB(&r, &g, &b);
  EXPECT_EQ(r, 0.5f);
  EXPECT_EQ(g, 1.0f);
  EXPECT_EQ(b, 1.0f);
  material.SetColor2RGB(0.0f, std::nanf(""), 0.25f);
  material.GetColor2RGB(&r, &g, &b);
  EXPECT_EQ(r, 0.0f);
  EXPECT_EQ(g, 1.0f);
  EXPECT_EQ(b, 0.25f);

  // Texture and gradient: the last one set wins.
  material.SetTexture(5);
  material.SetGradient(false);
  EXPECT_EQ(material.GetTexture(), 0u);
  material.SetGradient(true);
  material.SetTexture(5);
  EXPECT_FALSE(material.GetGradient());
  EXPECT_EQ(material.GetTexture(), 5u);

  material.SetFillOption(RenderMaterial::CROSS);
  material.SetFillOption(nullptr);
  EXPECT_EQ(material.GetFillOption(), RenderMaterial::CROSS);
  material.SetLineOption(0x0F0F);
  material.SetTextureRepeat(true);

  // A copy carries every field, the pattern pointer included.
  RenderMaterial copy;
  copy = material;
  EXPECT_EQ(copy.GetTexture(), 5u);
  EXPECT_TRUE(copy.GetTextureRepeat());
  EXPECT_EQ(copy.GetLineOption(), 0x0F0F);
  EXPECT_EQ(copy.GetFillOption(), RenderMaterial::CROSS);
  copy.GetColor2RGB(&r, &g, &b);
  EXPECT_EQ(b, 0.25f);
}

// Whether the pixel in `column` (0 leftmost) of `row` (0 bottom) is set.
bool PatternBit(const GLubyte* pattern, int row, int column) {
  return (pattern[row * 4 + column / 8] & (0x80 >> (column % 8))) != 0;
}

// Each pattern as a picture: which pixels of the 32 x 32 tile it covers.
struct PatternCase {
  const char* name;
  long fillOption;
  const GLubyte* pattern;
  std::function<bool(int row, int column)> covers;
};

std::vector<PatternCase> PatternCases() {
  return {
      {"solid", 0, RenderMaterial::SOLID, [](int, int) { return true; }},
      {"hollow", 1, RenderMaterial::HOLLOW, [](int, int) { return false; }},
      {"horizontal", 2, RenderMaterial::HORIZONTAL, [](int row, int) { return row % 4 == 0; }},
      // 0x88: the first and fifth pixel of every eight.
      {"vertical", 3, RenderMaterial::VERTICAL, [](int, int column) { return column % 4 == 0; }},
      // 1 << r in a 16-bit value: the pixel r places from the right of
      // each half, climbing leftwards row by row.
      {"forward diagonal", 4, RenderMaterial::FWD_DIAG,
       [](int row, int column) { return column % 16 == 15 - row % 16; }},
      {"backward diagonal", 5, RenderMaterial::BCK_DIAG,
       [](int row, int column) { return column % 16 == row % 16; }},
      // 0x11: the fourth and eighth pixel of every eight.
      {"cross", 6, RenderMaterial::CROSS, [](int row, int column) { return row % 4 == 0 || column % 4 == 3; }},
      // Two diagonals crossing in every 8 x 8 cell.
      {"diagonal cross", 7, RenderMaterial::DIAG_CROSS,
       [](int row, int column) { return column % 8 == row % 8 || column % 8 == 7 - row % 8; }},
  };
}

TEST(RenderMaterial, FillPatternsDrawTheirPictures) {
  for (const PatternCase& c : PatternCases()) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(RenderMaterial::FillPattern(c.fillOption), c.pattern);
    for (int row = 0; row < 32; ++row) {
      for (int column = 0; column < 32; ++column) {
        ASSERT_EQ(PatternBit(c.pattern, row, column), c.covers(row, column)) << "row " << row << " column " << column;
      }
    }
  }
  EXPECT_EQ(RenderMaterial::FillPattern(8), RenderMaterial::SOLID);
  EXPECT_EQ(RenderMaterial::FillPattern(-1), RenderMaterial::SOLID);
}

using RenderMaterialState = zelph::test::GLTest;

TEST_F(RenderMaterialState, ColoursTakeTheRenderablesAlpha) {
  RenderMaterial material;
  material.SetColor1RGB(0.25f, 0.5f, 0.75f);
  material.SetColor2RGB(1.0f, 0.0f, 0.5f);
  auto expectCurrentColour = [](std::array<float, 4> expected) {
    std::array<GLfloat, 4> colour{};
    glGetFloatv(GL_CURRENT_COLOR, colour.data());
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(colour[i], expected[i]) << "component " << i;
  };
  material.ApplyColor1(0.4f);
  expectCurrentColour({0.25f, 0.5f, 0.75f, 0.4f});
  material.ApplyColor2(1.0f);
  expectCurrentColour({1.0f, 0.0f, 0.5f, 1.0f});
}

TEST_F(RenderMaterialState, LineStippleOnlyBelowSolid) {
  RenderMaterial material;
  EXPECT_FALSE(material.ApplyLineStipple());
  EXPECT_FALSE(glIsEnabled(GL_LINE_STIPPLE));
  material.SetLineOption(0x0F0F);
  EXPECT_TRUE(material.ApplyLineStipple());
  EXPECT_TRUE(glIsEnabled(GL_LINE_STIPPLE));
  GLint pattern = 0, repeat = 0;
  glGetIntegerv(GL_LINE_STIPPLE_PATTERN, &pattern);
  glGetIntegerv(GL_LINE_STIPPLE_REPEAT, &repeat);
  EXPECT_EQ(pattern, 0x0F0F);
  EXPECT_EQ(repeat, 1);
  glDisable(GL_LINE_STIPPLE);
}

TEST_F(RenderMaterialState, TextureOnlyWhenItNamesOne) {
  RenderMaterial material;
  material.SetTexture(77);  // never made
  EXPECT_FALSE(material.HasTexture());
  EXPECT_FALSE(material.ApplyTexture());
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));

  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glBindTexture(GL_TEXTURE_2D, 0);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  material.SetTexture(texture);
  EXPECT_TRUE(material.ApplyTexture());
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  GLint bound = 0, mode = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
  EXPECT_EQ(static_cast<GLuint>(bound), texture);
  EXPECT_EQ(mode, GL_MODULATE);
  glDisable(GL_TEXTURE_2D);
  glDeleteTextures(1, &texture);
}

// A stippled quad over the whole window shows the pattern tile by tile,
// bottom row first and the high bit of each byte on the left, however the
// caller left the pixel storage.
TEST_F(RenderMaterialState, PolygonStippleShowsThePatternInTheWindow) {
  RenderMaterial material;
  EXPECT_FALSE(material.ApplyPolygonStipple());
  EXPECT_FALSE(glIsEnabled(GL_POLYGON_STIPPLE));

  glPixelStorei(GL_UNPACK_LSB_FIRST, GL_TRUE);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 3);
  // Backwards: llvmpipe ignores an all-zero stipple when it is the first
  // pattern its context sees, so the hollow one comes after the others.
  std::vector<PatternCase> cases = PatternCases();
  for (auto c = cases.rbegin(); c != cases.rend(); ++c) {
    if (c->pattern == RenderMaterial::SOLID) continue;
    SCOPED_TRACE(c->name);
    material.SetFillOption(c->pattern);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_TRUE(material.ApplyPolygonStipple());
    EXPECT_TRUE(glIsEnabled(GL_POLYGON_STIPPLE));
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glRectf(-1.0f, -1.0f, 1.0f, 1.0f);
    glDisable(GL_POLYGON_STIPPLE);
    GLint lsbFirst = -1;
    glGetIntegerv(GL_UNPACK_LSB_FIRST, &lsbFirst);
    EXPECT_EQ(lsbFirst, GL_TRUE) << "the caller's pixel storage must come back";

    std::vector<std::uint8_t> rgba = Context().ReadPixels();
    int wrong = 0;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        bool lit = rgba[(static_cast<size_t>(y) * kWidth + x) * 4] > 128;
        if (lit != c->covers(y % 32, x % 32)) ++wrong;
      }
    }
    EXPECT_EQ(wrong, 0);
  }
  glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
}

}  // namespace
