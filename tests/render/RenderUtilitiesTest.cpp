// Selection names, update levels, identifiers, stipples, window and scene
// conversions, the billboard and local flat matrices, and the render material.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cwctype>
#include <functional>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "render/Bulloriri.h"
#include "render/Glomarch.h"
#include "render/Platysarch.h"
#include "render/RenderMaterial.h"
#include "tests/support/GLContext.h"

namespace {

TEST(Glomarch, NamesUpdateLevelsIdentifiersAndStipples) {
  const GLuint before = Glomarch::GetNextGLNameNoInc() - 1;
  Glomarch::SetNextGLName(1);  // as the counter starts
  EXPECT_EQ(Glomarch::GetNextGLName(), 2u);
  EXPECT_EQ(Glomarch::GetNextGLName(), 3u);
  // Peeking twice neither takes nor skips a name.
  EXPECT_EQ(Glomarch::GetNextGLNameNoInc() + Glomarch::GetNextGLNameNoInc(), 8u);
  EXPECT_EQ(Glomarch::GetNextGLName(), 4u);
  Glomarch::SetNextGLName(before);
  for (int start = kestGLUpdateNone; start <= kestGLUpdateMajor; ++start) {
    for (int raise = kestGLUpdateNone; raise <= kestGLUpdateMajor; ++raise) {
      auto current = static_cast<kestGLUpdateLevel>(start);
      Glomarch::IncreaseUpdateLevel(current, static_cast<kestGLUpdateLevel>(raise));
      EXPECT_EQ(current, std::max(start, raise)) << "from " << start << " with " << raise;
    }
  }
  // Solid, dash, dot, dash-dot, dash-dot-dot, null, inside frame, unknown.
  const int stipples[] = {0xFFFF, 0x0FFF, 0x0F0F, 0x33FF, 0x333F, 0xFFFF, 0xFFFF, 0xFFFF};
  for (int style = 0; style < 8; ++style) {
    EXPECT_EQ(Glomarch::ConvertLineStyle(static_cast<kestSimpleLineStyle>(style)), stipples[style]) << style;
  }
  BSTR first = Glomarch::GenerateGUID(), second = Glomarch::GenerateGUID();
  const std::wstring text(first, SysStringLen(first)), other(second, SysStringLen(second));
  SysFreeString(first);
  SysFreeString(second);
  EXPECT_EQ(text.size(), 36u);
  for (size_t i = 0; i < text.size(); ++i) {
    const bool hyphen = i == 8 || i == 13 || i == 18 || i == 23;
    EXPECT_TRUE(hyphen ? text[i] == L'-' : std::iswxdigit(text[i]) != 0) << text << " at " << i;
  }
  EXPECT_NE(text, other);
}

using RenderUtilitiesGL = zelph::test::GLTest;

// Identity matrices over the 64 x 64 viewport: scene x and y from -1 to 1
// span the window, scene z is the depth from -1 to 1.
TEST_F(RenderUtilitiesGL, WindowAndSceneConvertWithRowsCountedFromTheTop) {
  const struct { double x, y; long wx, wy; } toWindow[] = {
      {0, 0, kWidth / 2, kHeight / 2},
      {0.5, 0.5, kWidth * 3 / 4, kHeight / 4},
      {-1, -1, 0, kHeight},                               // the bottom row is counted last
      {0.99 * 2.0 / kWidth, 0, kWidth / 2, kHeight / 2},  // truncated, not rounded
      {std::nan(""), 0, 0, 0}};                           // no projection: zeros
  long wx = -1, wy = -1;
  for (const auto& p : toWindow) {
    Glomarch::ObjectToWindow(p.x, p.y, 0.0, &wx, &wy);
    EXPECT_EQ(std::make_pair(wx, wy), std::make_pair(p.wx, p.wy)) << p.x << ", " << p.y;
  }
  // Half depth everywhere is scene z = 0, a quad on the right half at -0.5;
  // outside the window lies the far plane, not what the depth buffer holds.
  glClearDepth(0.5);
  glClear(GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_ALWAYS);
  glTranslated(0.0, 0.0, -0.5);
  glRectd(0.0, -1.0, 1.0, 1.0);
  glLoadIdentity();
  const struct { long wx, wy; double x, y, z; } toScene[] = {{kWidth / 4, kHeight / 4, -0.5, 0.5, 0.0},
                                                             {kWidth * 3 / 4, kHeight / 2, 0.5, 0.0, -0.5},
                                                             {-10, kHeight + 10, -1.3125, -1.3125, 1.0}};
  for (const auto& p : toScene) {
    std::array<double, 3> scene{9, 9, 9};
    Glomarch::WindowToObject(p.wx, p.wy, &scene[0], &scene[1], &scene[2]);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(scene[i], (std::array{p.x, p.y, p.z})[i], 1e-6) << p.wx << ", " << p.wy;
  }
}

void ExpectMatrix(const float* actual, const std::array<float, 16>& expected) {
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-6f) << "element " << i;
}

std::array<float, 16> ModelView() {
  std::array<float, 16> m{};
  glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
  return m;
}

constexpr std::array<float, 16> kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
// Undoes a quarter turn counter-clockwise about Z (column-major).
constexpr std::array<float, 16> kQuarterTurnBack = {0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

TEST_F(RenderUtilitiesGL, BillboardMatrixUndoesTheCameraRotationItsListFollowsAndTheFlatFrameStands) {
  Bulloriri::LoadBillboardMatrix();
  ExpectMatrix(Bulloriri::s_Bbmat, kIdentity);
  // At an anchor it cancels the camera's turn. Without a list only the
  // matrix is loaded, and no GL error is left.
  const std::array<float, 16> camera = {0.36f, 0.48f, -0.8f, 0, -0.8f, 0.6f, 0, 0, 0.48f, 0.64f, 0.6f, 0, 5, 6, 7, 1};
  glLoadMatrixf(camera.data());
  glMatrixMode(GL_PROJECTION);
  glOrtho(-2.0, 2.0, -1.0, 1.0, 0.5, 9.0);
  glMatrixMode(GL_MODELVIEW);
  glViewport(4, 6, 40, 30);
  Bulloriri::UnInitialize();
  Bulloriri::LoadBillboardDisplayList();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  ExpectMatrix(Bulloriri::s_MdlView, camera);
  EXPECT_DOUBLE_EQ(Bulloriri::s_Projection[0], 0.5);  // 2 / (right - left)
  EXPECT_EQ((std::array{Bulloriri::s_Viewport[2], Bulloriri::s_Viewport[3]}), (std::array{40, 30}));
  glMultMatrixf(Bulloriri::s_Bbmat);
  ExpectMatrix(ModelView().data(), {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 6, 7, 1});
  // The shared list is made once and replays the matrix of its last load.
  Bulloriri::Initialize();
  const GLuint list = Bulloriri::s_BillboardDisplayList;
  Bulloriri::Initialize();
  EXPECT_EQ(Bulloriri::s_BillboardDisplayList, list);
  glLoadIdentity();
  glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
  Bulloriri::LoadBillboardDisplayList();
  glLoadIdentity();
  glCallList(list);
  ExpectMatrix(ModelView().data(), kQuarterTurnBack);
  Bulloriri::UnInitialize();
  EXPECT_FALSE(glIsList(list) || Bulloriri::Valid());
  // Billboard() reloads only after a reset.
  Bulloriri billboard;
  glLoadIdentity();
  Bulloriri::ResetBillboardMatrix();
  billboard.Billboard();
  glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
  billboard.Billboard();
  ExpectMatrix(Bulloriri::s_Bbmat, kIdentity);
  Bulloriri::ResetBillboardMatrix();
  billboard.Billboard();
  ExpectMatrix(Bulloriri::s_Bbmat, kQuarterTurnBack);
  Bulloriri::ResetBillboardMatrix();
  // The flat frame's axes point east, north and up; the caller's matrices
  // and matrix mode survive.
  glLoadIdentity();
  glTranslatef(1.0f, 2.0f, 3.0f);
  const std::array<float, 16> modelView = ModelView();
  glMatrixMode(GL_PROJECTION);
  Platysarch flat;
  for (auto [latitude, longitude] : {std::pair{0.0, 0.0}, {10.0, 20.0}, {-45.0, 135.0}, {89.0, -170.0}}) {
    flat.LoadUpMatrixForLatLon(latitude, longitude);
    const double lat = latitude * std::numbers::pi / 180, lon = longitude * std::numbers::pi / 180;
    const float sl = std::sin(lat), cl = std::cos(lat), so = std::sin(lon), co = std::cos(lon);
    SCOPED_TRACE(testing::Message() << latitude << ", " << longitude);  // columns: east, north, up
    ExpectMatrix(flat.m_Flatmat, {-so, co, 0, 0, -sl * co, -sl * so, cl, 0, cl * co, cl * so, sl, 0, 0, 0, 0, 1});
  }
  GLint mode = 0, depth = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  EXPECT_EQ(std::make_pair(mode, depth), std::make_pair(static_cast<GLint>(GL_PROJECTION), 1));
  EXPECT_EQ(ModelView(), modelView);
}

TEST_F(RenderUtilitiesGL, MaterialSetterRulesTheStateTheyApplyAndTheFillPatternsShown) {
  RenderMaterial material;
  std::array<float, 3> rgb{};
  // Each colour component is checked on its own.
  material.SetColor1RGB(0.5f, 2.0f, -1.0f);
  material.SetColor1RGB(std::nanf(""), 1.5f, 0.25f);
  material.GetColor1RGB(&rgb[0], &rgb[1], &rgb[2]);
  EXPECT_EQ(rgb, (std::array<float, 3>{0.5f, 1.0f, 0.25f}));
  // Texture and gradient: the last one set wins.
  material.SetTexture(5);
  material.SetGradient(false);
  EXPECT_EQ(material.GetTexture(), 0u);
  material.SetGradient(true);
  material.SetTexture(77);  // never made, so not applied
  EXPECT_FALSE(material.GetGradient());
  EXPECT_FALSE(material.ApplyTexture() || glIsEnabled(GL_TEXTURE_2D));
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glBindTexture(GL_TEXTURE_2D, 0);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  material.SetTexture(texture);
  EXPECT_TRUE(material.ApplyTexture());
  GLint bound = 0, mode = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D) && static_cast<GLuint>(bound) == texture && mode == GL_MODULATE);
  // A fresh material draws solid lines and fills; a dashed one stipples.
  EXPECT_FALSE(material.ApplyLineStipple() || material.ApplyPolygonStipple());
  EXPECT_FALSE(glIsEnabled(GL_LINE_STIPPLE) || glIsEnabled(GL_POLYGON_STIPPLE));
  material.SetLineOption(0x0F0F);
  EXPECT_TRUE(material.ApplyLineStipple());
  GLint pattern = 0, repeat = 0;
  glGetIntegerv(GL_LINE_STIPPLE_PATTERN, &pattern);
  glGetIntegerv(GL_LINE_STIPPLE_REPEAT, &repeat);
  EXPECT_TRUE(glIsEnabled(GL_LINE_STIPPLE) && pattern == 0x0F0F && repeat == 1) << pattern << " x" << repeat;
  glDisable(GL_LINE_STIPPLE);
  material.SetFillOption(RenderMaterial::CROSS);
  material.SetFillOption(nullptr);
  EXPECT_EQ(material.GetFillOption(), RenderMaterial::CROSS);

  // A stippled quad over the whole window shows each fill option's picture
  // tile by tile (row 0 at the bottom, column 0 on the left), however the
  // caller left the pixel storage.
  glDisable(GL_TEXTURE_2D);
  using Covers = std::function<bool(int row, int column)>;
  const std::vector<std::pair<const GLubyte*, Covers>> pictures = {
      {RenderMaterial::SOLID, [](int, int) { return true; }},
      {RenderMaterial::HOLLOW, [](int, int) { return false; }},
      {RenderMaterial::HORIZONTAL, [](int row, int) { return row % 4 == 0; }},
      {RenderMaterial::VERTICAL, [](int, int column) { return column % 4 == 0; }},  // 0x88
      // 1 << r in a 16-bit value: r places from the right of each half.
      {RenderMaterial::FWD_DIAG, [](int row, int column) { return column % 16 == 15 - row % 16; }},
      {RenderMaterial::BCK_DIAG, [](int row, int column) { return column % 16 == row % 16; }},
      {RenderMaterial::CROSS, [](int row, int column) { return row % 4 == 0 || column % 4 == 3; }},  // 0x11
      {RenderMaterial::DIAG_CROSS,
       [](int row, int column) { return column % 8 == row % 8 || column % 8 == 7 - row % 8; }},
  };
  for (long unknown : {8L, -1L}) EXPECT_EQ(RenderMaterial::FillPattern(unknown), RenderMaterial::SOLID);
  glPixelStorei(GL_UNPACK_LSB_FIRST, GL_TRUE);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 3);
  // Backwards: llvmpipe ignores an all-zero stipple when it is the first
  // pattern its context sees, so the hollow one comes after the others.
  for (long option = 7; option >= 0; --option) {
    const auto& [pattern, covers] = pictures[option];
    EXPECT_EQ(RenderMaterial::FillPattern(option), pattern) << option;
    material.SetFillOption(pattern);
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_EQ(material.ApplyPolygonStipple(), option != 0) << option;
    glRectf(-1.0f, -1.0f, 1.0f, 1.0f);
    glDisable(GL_POLYGON_STIPPLE);
    const std::vector<std::uint8_t> rgba = Context().ReadPixels();
    int wrong = 0;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) wrong += (rgba[(y * kWidth + x) * 4] > 128) != covers(y % 32, x % 32);
    }
    EXPECT_EQ(wrong, 0) << option;
  }
  GLint lsbFirst = -1;
  glGetIntegerv(GL_UNPACK_LSB_FIRST, &lsbFirst);
  EXPECT_EQ(lsbFirst, GL_TRUE) << "the caller's pixel storage must come back";
}

}  // namespace
