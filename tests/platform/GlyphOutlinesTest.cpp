// The glyph outline generator: display lists captured in feedback mode.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

#include "platform/ClassRegistry.h"
#include "platform/ComPtr.h"
#include "platform/FontMatcher.h"
#include "platform/FontObject.h"
#include "platform/Fonts.h"
#include "platform/GlyphOutlines.h"
#include "platform/OleFont.h"
#include "platform/Win32Environment.h"
#include "platform/Win32OpenGL.h"
#include "platform/WinError.h"
#include "tests/support/GLContext.h"

namespace {

using zelph::UseFontOutlinesW;
using zelph::gdi::FontObject;

// A point in the glyph's own em units, with the colour it was lit with.
struct FeedbackVertex {
  float x, y, z;
  float red;
};
using FeedbackPolygon = std::vector<FeedbackVertex>;

struct Feedback {
  std::vector<FeedbackPolygon> polygons;
  int lineSegments = 0;
};

constexpr float kTolerance = 1e-3f;

HFONT MakeFont(const wchar_t* face, int weight = FW_NORMAL, BOOL italic = FALSE) {
  return CreateFontW(-32, 0, 0, 0, weight, italic, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                     ANTIALIASED_QUALITY, DEFAULT_PITCH, face);
}

double TwiceArea(const FeedbackPolygon& polygon) {
  double area = 0.0;
  for (size_t index = 0; index < polygon.size(); ++index) {
    const FeedbackVertex& a = polygon[index];
    const FeedbackVertex& b = polygon[(index + 1) % polygon.size()];
    area += static_cast<double>(a.x) * b.y - static_cast<double>(b.x) * a.y;
  }
  return area;
}

bool Covers(const FeedbackPolygon& triangle, float x, float y) {
  auto side = [&](const FeedbackVertex& a, const FeedbackVertex& b) {
    return (b.x - a.x) * (y - a.y) - (x - a.x) * (b.y - a.y);
  };
  const float s0 = side(triangle[0], triangle[1]);
  const float s1 = side(triangle[1], triangle[2]);
  const float s2 = side(triangle[2], triangle[0]);
  return (s0 >= 0 && s1 >= 0 && s2 >= 0) || (s0 <= 0 && s1 <= 0 && s2 <= 0);
}

// The projection maps -2..2 on every axis to the 64-pixel viewport and the
// whole depth range, so that window coordinates read back into em units.
class GlyphOutlinesTest : public zelph::test::GLTest {
 protected:
  static constexpr GLuint kCodes = 128;

  void SetUp() override {
    GLTest::SetUp();
    m_Font = MakeFont(L"Arial");
    ASSERT_NE(m_Font, nullptr);
    m_ListBase = glGenLists(kCodes);
    ASSERT_NE(m_ListBase, 0u);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-2.0, 2.0, -2.0, 2.0, -2.0, 2.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }

  void TearDown() override {
    glDeleteLists(m_ListBase, kCodes);
    FontObject::DeleteHandle(m_Font);
    GLTest::TearDown();
  }

  BOOL Compile(std::vector<DWORD> codes, FLOAT extrusion = 0.0f, FLOAT deviation = 0.0f,
               int format = WGL_FONT_POLYGONS, HFONT font = nullptr) {
    return UseFontOutlinesW(font ? font : m_Font, codes, m_ListBase, deviation, extrusion, format, m_Metrics.data());
  }

  const GLYPHMETRICSFLOAT& Metrics(DWORD code) const { return m_Metrics[code]; }

  // What the list of `code` draws, with the colour when lit; the model-view
  // matrix is left as it was.
  Feedback Capture(DWORD code, GLenum type = GL_3D) {
    std::vector<GLfloat> buffer(1 << 20);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), type, buffer.data());
    glRenderMode(GL_FEEDBACK);
    glPushMatrix();
    glCallList(m_ListBase + code);
    glPopMatrix();
    const GLint used = glRenderMode(GL_RENDER);
    EXPECT_GE(used, 0) << "feedback buffer overflow";
    return Parse(buffer, used, type == GL_3D_COLOR ? 7 : 3);
  }

  float ModelViewShiftX() {
    GLfloat matrix[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    return matrix[12];
  }

  HFONT m_Font = nullptr;
  GLuint m_ListBase = 0;
  std::vector<GLYPHMETRICSFLOAT> m_Metrics = std::vector<GLYPHMETRICSFLOAT>(kCodes);

 private:
  static FeedbackVertex ToEm(const GLfloat* values, int stride) {
    const float red = stride == 7 ? values[3] : 0.0f;
    return {values[0] / 16.0f - 2.0f, values[1] / 16.0f - 2.0f, 2.0f - 4.0f * values[2], red};
  }

  static Feedback Parse(const std::vector<GLfloat>& buffer, GLint used, int stride) {
    Feedback feedback;
    for (GLint at = 0; at < used;) {
      const auto token = static_cast<GLint>(buffer[at++]);
      if (token == GL_POLYGON_TOKEN) {
        FeedbackPolygon& polygon = feedback.polygons.emplace_back();
        for (auto count = static_cast<GLint>(buffer[at++]); count > 0; --count, at += stride) {
          polygon.push_back(ToEm(&buffer[at], stride));
        }
      } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
        ++feedback.lineSegments;
        at += 2 * stride;
      } else if (token == GL_PASS_THROUGH_TOKEN) {
        at += 1;
      } else {
        at += stride;  // points, bitmaps, pixel rectangles: one vertex
      }
    }
    return feedback;
  }
};

TEST_F(GlyphOutlinesTest, FillsGlyphsWithinTheirBlackBoxesAndLeavesCountersOpen) {
  ASSERT_TRUE(Compile({'A', 'O'}));

  const GLYPHMETRICSFLOAT& a = Metrics('A');
  EXPECT_GT(a.gmfBlackBoxX, 0.5f);
  EXPECT_LT(a.gmfBlackBoxX, 1.0f);
  EXPECT_GT(a.gmfBlackBoxY, 0.6f);
  EXPECT_LT(a.gmfBlackBoxY, 0.8f);
  // A capital stands on the baseline: its box's top is its height.
  EXPECT_NEAR(a.gmfptGlyphOrigin.y, a.gmfBlackBoxY, 0.01f);
  EXPECT_GT(a.gmfptGlyphOrigin.x, -0.05f);
  EXPECT_LT(a.gmfptGlyphOrigin.x, 0.1f);
  EXPECT_GT(a.gmfCellIncX, a.gmfBlackBoxX * 0.9f);
  EXPECT_EQ(a.gmfCellIncY, 0.0f);

  const Feedback glyphA = Capture('A');
  ASSERT_FALSE(glyphA.polygons.empty());
  double inkA = 0.0;
  for (const FeedbackPolygon& triangle : glyphA.polygons) {
    ASSERT_EQ(triangle.size(), 3u);
    // Seen from +z, every triangle is a front face.
    EXPECT_GT(TwiceArea(triangle), 0.0);
    inkA += TwiceArea(triangle) / 2.0;
    for (const FeedbackVertex& vertex : triangle) {
      EXPECT_GE(vertex.x, a.gmfptGlyphOrigin.x - kTolerance);
      EXPECT_LE(vertex.x, a.gmfptGlyphOrigin.x + a.gmfBlackBoxX + kTolerance);
      EXPECT_LE(vertex.y, a.gmfptGlyphOrigin.y + kTolerance);
      EXPECT_GE(vertex.y, a.gmfptGlyphOrigin.y - a.gmfBlackBoxY - kTolerance);
      EXPECT_NEAR(vertex.z, 0.0f, kTolerance);
    }
  }
  // Strokes, not a filled box, and no area covered twice.
  EXPECT_GT(inkA, 0.1 * a.gmfBlackBoxX * a.gmfBlackBoxY);
  EXPECT_LT(inkA, 0.6 * a.gmfBlackBoxX * a.gmfBlackBoxY);

  const GLYPHMETRICSFLOAT& o = Metrics('O');
  const float middleY = o.gmfptGlyphOrigin.y - o.gmfBlackBoxY / 2.0f;
  const float centreX = o.gmfptGlyphOrigin.x + o.gmfBlackBoxX / 2.0f;
  const float strokeX = o.gmfptGlyphOrigin.x + 0.03f;
  int coveringCentre = 0;
  int coveringStroke = 0;
  for (const FeedbackPolygon& triangle : Capture('O').polygons) {
    coveringCentre += Covers(triangle, centreX, middleY);
    coveringStroke += Covers(triangle, strokeX, middleY);
  }
  EXPECT_EQ(coveringCentre, 0) << "the counter of O is filled";
  EXPECT_GE(coveringStroke, 1) << "the stroke of O is empty";
}

TEST_F(GlyphOutlinesTest, ExtrudesIntoABackFaceAndWalls) {
  ASSERT_TRUE(Compile({'A'}));
  const size_t flatCount = Capture('A').polygons.size();
  const float depth = 0.25f;
  ASSERT_TRUE(Compile({'A'}, depth));
  const Feedback solid = Capture('A');

  size_t front = 0, back = 0, walls = 0;
  for (const FeedbackPolygon& polygon : solid.polygons) {
    size_t atFront = 0, atBack = 0;
    for (const FeedbackVertex& vertex : polygon) {
      atFront += std::fabs(vertex.z) < kTolerance;
      atBack += std::fabs(vertex.z + depth) < kTolerance;
    }
    ASSERT_EQ(atFront + atBack, polygon.size()) << "a vertex off both faces";
    if (atFront == polygon.size()) {
      ++front;
    } else if (atBack == polygon.size()) {
      ++back;
      EXPECT_LT(TwiceArea(polygon), 0.0) << "the back face must face -z";
    } else {
      ++walls;
    }
  }
  EXPECT_EQ(front, flatCount);
  EXPECT_EQ(back, flatCount);
  EXPECT_GT(walls, 8u);
}

// Looked at from the left with back faces culled and a light at the eye,
// an extruded I shows only its left wall, brightly lit: its walls face out
// and their normals point out.
TEST_F(GlyphOutlinesTest, WallsFaceOutwardsWithOutwardNormals) {
  ASSERT_TRUE(Compile({'I'}, 0.25f));
  const GLYPHMETRICSFLOAT& bar = Metrics('I');
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glEnable(GL_CULL_FACE);
  glRotatef(90.0f, 0.0f, 1.0f, 0.0f);  // x goes to -z: the left side faces the eye
  const Feedback seen = Capture('I', GL_3D_COLOR);
  glLoadIdentity();
  glDisable(GL_CULL_FACE);
  glDisable(GL_LIGHT0);
  glDisable(GL_LIGHTING);

  int visible = 0;
  for (const FeedbackPolygon& polygon : seen.polygons) {
    // Faces seen edge-on have no area on screen.
    if (std::fabs(TwiceArea(polygon)) < 1e-4) continue;
    ++visible;
    for (const FeedbackVertex& vertex : polygon) {
      EXPECT_NEAR(vertex.z, -bar.gmfptGlyphOrigin.x, kTolerance) << "a wall other than the left one shows";
      EXPECT_GT(vertex.red, 0.5f) << "the wall's normal points away from the light";
    }
  }
  EXPECT_GE(visible, 1);
}

TEST_F(GlyphOutlinesTest, BlankGlyphsOnlyAdvanceAndListsLayOutText) {
  ASSERT_TRUE(Compile({' ', 'A', 'W', 'i'}));
  const Feedback space = Capture(' ');
  EXPECT_TRUE(space.polygons.empty());
  EXPECT_GT(Metrics(' ').gmfCellIncX, 0.0f);
  EXPECT_EQ(Metrics(' ').gmfBlackBoxX, 0.0f);

  glCallList(m_ListBase + ' ');
  EXPECT_NEAR(ModelViewShiftX(), Metrics(' ').gmfCellIncX, 1e-6f);
  glCallList(m_ListBase + 'A');
  glCallList(m_ListBase + 'W');
  EXPECT_NEAR(ModelViewShiftX(), Metrics(' ').gmfCellIncX + Metrics('A').gmfCellIncX + Metrics('W').gmfCellIncX, 1e-5f);
  glLoadIdentity();

  EXPECT_GT(Metrics('W').gmfBlackBoxX, 2.0f * Metrics('i').gmfBlackBoxX);
  EXPECT_GT(Metrics('W').gmfCellIncX, Metrics('i').gmfCellIncX);
}

TEST_F(GlyphOutlinesTest, FollowsCurvesToTheDeviationAndDrawsLinesOnRequest) {
  ASSERT_TRUE(Compile({'O'}, 0.0f, 0.05f));
  const size_t coarse = Capture('O').polygons.size();
  ASSERT_TRUE(Compile({'O'}, 0.0f, 0.0005f));
  const size_t fine = Capture('O').polygons.size();
  EXPECT_GT(fine, 2 * coarse);

  ASSERT_TRUE(Compile({'O'}, 0.0f, 0.0f, WGL_FONT_LINES));
  const Feedback lines = Capture('O');
  EXPECT_TRUE(lines.polygons.empty());
  EXPECT_GT(lines.lineSegments, 16);

  FLOAT height = 0.0f;
  ASSERT_TRUE(zelph::GetFontOutlineHeight(m_Font, &height));
  EXPECT_GT(height, Metrics('O').gmfBlackBoxY);
  EXPECT_LT(height, 1.5f);
}

TEST_F(GlyphOutlinesTest, RefusesBadFontsAndArguments) {
  const std::vector<DWORD> codes = {'A'};
  SetLastError(ERROR_SUCCESS);
  EXPECT_FALSE(UseFontOutlinesW(nullptr, codes, m_ListBase, 0.0f, 0.0f, WGL_FONT_POLYGONS, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);

  // The handle of a standard font is refused once its size has changed.
  CComPtr<IFont> font;
  ASSERT_EQ(CoCreateInstance(CLSID_StdFont, nullptr, CLSCTX_INPROC_SERVER, IID_IFont, reinterpret_cast<void**>(&font)),
            S_OK);
  ASSERT_EQ(font->put_Size(CY{100000}), S_OK);
  HFONT first = nullptr;
  ASSERT_EQ(font->get_hFont(&first), S_OK);
  EXPECT_TRUE(UseFontOutlinesW(first, codes, m_ListBase, 0.0f, 0.0f, WGL_FONT_POLYGONS, nullptr));
  ASSERT_EQ(font->put_Size(CY{120000}), S_OK);
  HFONT second = nullptr;
  ASSERT_EQ(font->get_hFont(&second), S_OK);
  EXPECT_FALSE(UseFontOutlinesW(first, codes, m_ListBase, 0.0f, 0.0f, WGL_FONT_POLYGONS, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_TRUE(UseFontOutlinesW(second, codes, m_ListBase, 0.0f, 0.0f, WGL_FONT_POLYGONS, nullptr));

  for (auto [deviation, extrusion, format] : {std::tuple{-0.1f, 0.0f, WGL_FONT_POLYGONS},
                                              std::tuple{std::numeric_limits<float>::quiet_NaN(), 0.0f, 1},
                                              std::tuple{0.0f, -1.0f, WGL_FONT_POLYGONS},
                                              std::tuple{0.0f, std::numeric_limits<float>::infinity(), 1},
                                              std::tuple{0.0f, 0.0f, 7}}) {
    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(UseFontOutlinesW(m_Font, codes, m_ListBase, deviation, extrusion, format, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  }
  const std::vector<DWORD> nul = {0};
  EXPECT_FALSE(UseFontOutlinesW(m_Font, nul, 0, 0.0f, 0.0f, WGL_FONT_POLYGONS, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_FALSE(zelph::GetFontOutlineHeight(m_Font, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  FLOAT height = 0.0f;
  EXPECT_FALSE(zelph::GetFontOutlineHeight(first, &height));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

// A face with no bold or italic of its own gets a heavier stroke and a slant
// made from its regular outlines.
TEST_F(GlyphOutlinesTest, MakesUpStylesTheFaceLacks) {
  const wchar_t* family = L"DejaVu Math TeX Gyre";
  const auto bold = zelph::gdi::FontMatcher::Match(family, FW_BOLD, true);
  if (!bold || bold->family != family || !bold->synthesis.embolden || bold->synthesis.slant <= 0.0) {
    GTEST_SKIP() << "no installed family for which bold and italic are made up";
  }
  HFONT regular = MakeFont(family);
  HFONT heavy = MakeFont(family, FW_BOLD);
  HFONT slanted = MakeFont(family, FW_NORMAL, TRUE);
  ASSERT_TRUE(Compile({'l'}, 0.0f, 0.0f, WGL_FONT_POLYGONS, regular));
  const GLYPHMETRICSFLOAT plain = Metrics('l');
  ASSERT_TRUE(Compile({'l'}, 0.0f, 0.0f, WGL_FONT_POLYGONS, heavy));
  EXPECT_GT(Metrics('l').gmfBlackBoxX, plain.gmfBlackBoxX + 0.02f);
  EXPECT_GT(Metrics('l').gmfCellIncX, plain.gmfCellIncX);
  // A vertical bar leans into a parallelogram as wide as its lean.
  ASSERT_TRUE(Compile({'|'}, 0.0f, 0.0f, WGL_FONT_POLYGONS, regular));
  const GLYPHMETRICSFLOAT upright = Metrics('|');
  ASSERT_TRUE(Compile({'|'}, 0.0f, 0.0f, WGL_FONT_POLYGONS, slanted));
  EXPECT_NEAR(Metrics('|').gmfBlackBoxX - upright.gmfBlackBoxX, bold->synthesis.slant * upright.gmfBlackBoxY, 0.005f);
  EXPECT_FLOAT_EQ(Metrics('|').gmfCellIncX, upright.gmfCellIncX);
  for (HFONT font : {regular, heavy, slanted}) FontObject::DeleteHandle(font);
}

TEST(GlyphOutlines, NeedACurrentContext) {
  if (wglGetCurrentContext()) GTEST_SKIP() << "a context is current on this thread";
  HFONT font = MakeFont(L"Arial");
  const std::vector<DWORD> codes = {'A'};
  EXPECT_FALSE(UseFontOutlinesW(font, codes, 1, 0.0f, 0.0f, WGL_FONT_POLYGONS, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  FontObject::DeleteHandle(font);
}

}  // namespace
