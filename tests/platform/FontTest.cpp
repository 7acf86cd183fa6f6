// Font handles, the typeface lookup behind them, the standard font, and the
// glyph outline generator: display lists captured in feedback mode.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "platform/ClassRegistry.h"
#include "platform/ComBstr.h"
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
using zelph::gdi::DescribeFont;
using zelph::gdi::FontObject;

// A point in the glyph's own em units, with the colour it was lit with.
struct FeedbackVertex {
  float x, y, z, red;
};
using FeedbackPolygon = std::vector<FeedbackVertex>;
struct Feedback {
  std::vector<FeedbackPolygon> polygons;
  int lineSegments = 0;
};

constexpr float kTolerance = 1e-3f;

HFONT MakeFont(const wchar_t* face, int weight = FW_NORMAL, BOOL italic = FALSE, int height = -32) {
  return CreateFontW(height, 0, 0, 0, weight, italic, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                     ANTIALIASED_QUALITY, DEFAULT_PITCH, face);
}

// The logical font behind a live handle; a dead one describes as all zeros.
LOGFONTW Described(HFONT font) {
  LOGFONTW description{};
  DescribeFont(font, &description);
  return description;
}

bool IsLive(HFONT font) { return Described(font).lfHeight != 0; }

CY Points(double points) { return CY{static_cast<LONGLONG>(points * 10000.0)}; }

CComPtr<IFont> NewStdFont() {
  CComPtr<IFont> font;
  EXPECT_EQ(CoCreateInstance(CLSID_StdFont, nullptr, CLSCTX_INPROC_SERVER, IID_IFont, reinterpret_cast<void**>(&font)),
            S_OK);
  return font;
}

HFONT HandleOf(IFont* font) {
  HFONT handle = nullptr;
  EXPECT_EQ(font->get_hFont(&handle), S_OK);
  return handle;
}

TEST(Fonts, MatchFacesReadHeightsRefuseDeadHandlesAndStandardFontsRetireAndClone) {
  const auto match = zelph::gdi::FontMatcher::Match(L"Arial", FW_BOLD, true);
  ASSERT_TRUE(match);
  EXPECT_EQ(match->family, L"Liberation Sans");
  EXPECT_NE(match->file.path.find("LiberationSans-BoldItalic"), std::string::npos) << match->file.path;
  EXPECT_GE(match->weight, FW_SEMIBOLD);
  EXPECT_TRUE(match->italic);
  // The family has every style: nothing is made up.
  EXPECT_FALSE(match->synthesis.embolden);
  EXPECT_EQ(match->synthesis.slant, 0.0);

  // A handle keeps its logical font and reads heights as em or cell.
  HFONT em = MakeFont(L"Arial", FW_BOLD, TRUE, -20);
  ASSERT_NE(em, nullptr);
  EXPECT_EQ(Described(em).lfHeight, -20);
  const auto emFont = FontObject::FromHandle(em);
  ASSERT_TRUE(emFont && emFont->Face());
  EXPECT_EQ(emFont->Family(), L"Liberation Sans");
  EXPECT_DOUBLE_EQ(emFont->EmPixels(), 20.0);

  // A positive height is the cell, which holds more than the em.
  HFONT cell = MakeFont(L"Arial", FW_NORMAL, FALSE, 20);
  ASSERT_NE(cell, nullptr);
  const double cellEm = FontObject::FromHandle(cell)->EmPixels();
  EXPECT_LT(cellEm, 19.0);
  EXPECT_GT(cellEm, 15.0);

  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(CreateFontIndirectW(nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  for (HFONT font : {em, cell}) EXPECT_TRUE(FontObject::DeleteHandle(font));
  EXPECT_FALSE(IsLive(em));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(FontObject::DeleteHandle(em));

  // A standard font makes a handle for its attributes and retires it when they change.
  CComPtr<IFont> font = NewStdFont();
  ASSERT_TRUE(font);
  ASSERT_EQ(font->put_Size(Points(10)), S_OK);
  const HFONT tenPoints = HandleOf(font);
  EXPECT_EQ(HandleOf(font), tenPoints);
  EXPECT_EQ(Described(tenPoints).lfHeight, -13);            // 10 pt at 96 dpi
  EXPECT_STREQ(Described(tenPoints).lfFaceName, L"Arial");  // the default name

  ASSERT_EQ(font->put_Size(Points(12)), S_OK);
  const HFONT twelvePoints = HandleOf(font);
  EXPECT_NE(twelvePoints, tenPoints);
  EXPECT_FALSE(IsLive(tenPoints));
  EXPECT_EQ(Described(twelvePoints).lfHeight, -16);

  ASSERT_EQ(font->put_Bold(TRUE), S_OK);
  const HFONT bold = HandleOf(font);
  EXPECT_FALSE(IsLive(twelvePoints));
  EXPECT_EQ(Described(bold).lfWeight, FW_BOLD);

  ASSERT_EQ(font->put_Italic(TRUE), S_OK);
  ASSERT_EQ(font->put_Name(CComBSTR(L"Times New Roman")), S_OK);
  const HFONT last = HandleOf(font);
  EXPECT_EQ(Described(last).lfItalic, 1);
  EXPECT_STREQ(Described(last).lfFaceName, L"Times New Roman");

  // The handle dies with the font.
  font.Release();
  EXPECT_FALSE(IsLive(last));

  // Clones compare equal until an attribute other than the name's case differs.
  font = NewStdFont();
  ASSERT_EQ(font->put_Name(CComBSTR(L"Courier New")), S_OK);
  ASSERT_EQ(font->put_Size(Points(11.5)), S_OK);
  ASSERT_EQ(font->put_Underline(TRUE), S_OK);

  CComPtr<IFont> copy;
  ASSERT_EQ(font->Clone(&copy), S_OK);
  ASSERT_TRUE(copy);
  EXPECT_EQ(font->IsEqual(copy), S_OK);
  EXPECT_NE(HandleOf(copy), HandleOf(font));
  BOOL underline = FALSE;
  ASSERT_EQ(copy->get_Underline(&underline), S_OK);
  EXPECT_TRUE(underline);

  ASSERT_EQ(copy->put_Name(CComBSTR(L"courier new")), S_OK);
  EXPECT_EQ(font->IsEqual(copy), S_OK);
  ASSERT_EQ(copy->put_Size(Points(12)), S_OK);
  EXPECT_EQ(font->IsEqual(copy), S_FALSE);
  EXPECT_EQ(font->IsEqual(NewStdFont()), S_FALSE);

  EXPECT_EQ(font->get_Name(nullptr), E_POINTER);
  EXPECT_EQ(font->put_Name(nullptr), E_INVALIDARG);
  EXPECT_EQ(font->put_Size(CY{0}), E_INVALIDARG);
  // Refused values leave the font as it was.
  CY size{};
  ASSERT_EQ(font->get_Size(&size), S_OK);
  EXPECT_EQ(size.int64, 115000);
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
  const float s0 = side(triangle[0], triangle[1]), s1 = side(triangle[1], triangle[2]),
              s2 = side(triangle[2], triangle[0]);
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

  BOOL Compile(std::vector<DWORD> codes, FLOAT extrusion = 0.0f, FLOAT deviation = 0.0f, int format = WGL_FONT_POLYGONS,
               HFONT font = nullptr) {
    return UseFontOutlinesW(font ? font : m_Font, codes, m_ListBase, deviation, extrusion, format, m_Metrics.data());
  }

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
    const int stride = type == GL_3D_COLOR ? 7 : 3;
    Feedback feedback;
    for (GLint at = 0; at < used;) {
      const auto token = static_cast<GLint>(buffer[at++]);
      if (token == GL_POLYGON_TOKEN) {
        FeedbackPolygon& polygon = feedback.polygons.emplace_back();
        for (auto count = static_cast<GLint>(buffer[at++]); count > 0; --count, at += stride) {
          const GLfloat* v = &buffer[at];
          polygon.push_back({v[0] / 16.0f - 2.0f, v[1] / 16.0f - 2.0f, 2.0f - 4.0f * v[2], stride == 7 ? v[3] : 0.0f});
        }
      } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
        ++feedback.lineSegments;
        at += 2 * stride;
      } else {
        at += token == GL_PASS_THROUGH_TOKEN ? 1 : stride;  // points, bitmaps, pixel rectangles: one vertex
      }
    }
    return feedback;
  }

  HFONT m_Font = nullptr;
  GLuint m_ListBase = 0;
  std::vector<GLYPHMETRICSFLOAT> m_Metrics = std::vector<GLYPHMETRICSFLOAT>(kCodes);
};

TEST_F(GlyphOutlinesTest, FillsGlyphsWithinTheirBlackBoxesAndExtrudesThemWithOutwardWalls) {
  ASSERT_TRUE(Compile({'A', 'O'}));

  const GLYPHMETRICSFLOAT a = m_Metrics.at('A');
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

  const GLYPHMETRICSFLOAT& o = m_Metrics.at('O');
  const float middleY = o.gmfptGlyphOrigin.y - o.gmfBlackBoxY / 2.0f;
  int coveringCentre = 0, coveringStroke = 0;
  for (const FeedbackPolygon& triangle : Capture('O').polygons) {
    coveringCentre += Covers(triangle, o.gmfptGlyphOrigin.x + o.gmfBlackBoxX / 2.0f, middleY);
    coveringStroke += Covers(triangle, o.gmfptGlyphOrigin.x + 0.03f, middleY);
  }
  EXPECT_EQ(coveringCentre, 0) << "the counter of O is filled";
  EXPECT_GE(coveringStroke, 1) << "the stroke of O is empty";

  // Extruded: the front face again, a back face facing -z, and walls between.
  const float depth = 0.25f;
  ASSERT_TRUE(Compile({'A', 'I'}, depth));
  size_t front = 0, back = 0, walls = 0;
  for (const FeedbackPolygon& polygon : Capture('A').polygons) {
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
  EXPECT_EQ(front, glyphA.polygons.size());
  EXPECT_EQ(back, glyphA.polygons.size());
  EXPECT_GT(walls, 8u);

  // Looked at from the left with back faces culled and a light at the eye,
  // an extruded I shows only its left wall, brightly lit: its walls face out
  // and their normals point out.
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glEnable(GL_CULL_FACE);
  glRotatef(90.0f, 0.0f, 1.0f, 0.0f);  // x goes to -z: the left side faces the eye
  const Feedback seen = Capture('I', GL_3D_COLOR);
  glLoadIdentity();
  int visible = 0;
  for (const FeedbackPolygon& polygon : seen.polygons) {
    // Faces seen edge-on have no area on screen.
    if (std::fabs(TwiceArea(polygon)) < 1e-4) continue;
    ++visible;
    for (const FeedbackVertex& vertex : polygon) {
      EXPECT_NEAR(vertex.z, -m_Metrics.at('I').gmfptGlyphOrigin.x, kTolerance)
          << "a wall other than the left one shows";
      EXPECT_GT(vertex.red, 0.5f) << "the wall's normal points away from the light";
    }
  }
  EXPECT_GE(visible, 1);
}

TEST_F(GlyphOutlinesTest, ListsAdvanceFollowCurvesDrawLinesOnRequestAndRefuseBadArguments) {
  ASSERT_TRUE(Compile({' ', 'A', 'W', 'i'}));
  EXPECT_TRUE(Capture(' ').polygons.empty());
  EXPECT_GT(m_Metrics.at(' ').gmfCellIncX, 0.0f);
  EXPECT_EQ(m_Metrics.at(' ').gmfBlackBoxX, 0.0f);
  for (DWORD code : {' ', 'A', 'W'}) glCallList(m_ListBase + code);
  GLfloat matrix[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
  EXPECT_NEAR(matrix[12], m_Metrics.at(' ').gmfCellIncX + m_Metrics.at('A').gmfCellIncX + m_Metrics.at('W').gmfCellIncX,
              1e-5f);
  glLoadIdentity();
  EXPECT_GT(m_Metrics.at('W').gmfBlackBoxX, 2.0f * m_Metrics.at('i').gmfBlackBoxX);

  ASSERT_TRUE(Compile({'O'}, 0.0f, 0.05f));
  const size_t coarse = Capture('O').polygons.size();
  ASSERT_TRUE(Compile({'O'}, 0.0f, 0.0005f));
  EXPECT_GT(Capture('O').polygons.size(), 2 * coarse);

  ASSERT_TRUE(Compile({'O'}, 0.0f, 0.0f, WGL_FONT_LINES));
  const Feedback lines = Capture('O');
  EXPECT_TRUE(lines.polygons.empty());
  EXPECT_GT(lines.lineSegments, 16);

  FLOAT height = 0.0f;
  ASSERT_TRUE(zelph::GetFontOutlineHeight(m_Font, &height));
  EXPECT_GT(height, m_Metrics.at('O').gmfBlackBoxY);
  EXPECT_LT(height, 1.5f);

  // Bad fonts and arguments are refused.
  const std::vector<DWORD> codes = {'A'};
  auto use = [&](HFONT font, FLOAT deviation = 0.0f, FLOAT extrusion = 0.0f, int format = WGL_FONT_POLYGONS) {
    SetLastError(ERROR_SUCCESS);
    return UseFontOutlinesW(font, codes, m_ListBase, deviation, extrusion, format, nullptr);
  };
  EXPECT_FALSE(use(nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);

  HFONT deleted = MakeFont(L"Arial");
  ASSERT_TRUE(FontObject::DeleteHandle(deleted));
  EXPECT_FALSE(use(deleted));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_TRUE(use(m_Font));
  for (auto [deviation, extrusion, format] :
       {std::tuple{-0.1f, 0.0f, WGL_FONT_POLYGONS}, std::tuple{std::numeric_limits<float>::quiet_NaN(), 0.0f, 1},
        std::tuple{0.0f, -1.0f, WGL_FONT_POLYGONS}, std::tuple{0.0f, std::numeric_limits<float>::infinity(), 1},
        std::tuple{0.0f, 0.0f, 7}}) {
    EXPECT_FALSE(use(m_Font, deviation, extrusion, format));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  }
  const std::vector<DWORD> nul = {0};
  EXPECT_FALSE(UseFontOutlinesW(m_Font, nul, 0, 0.0f, 0.0f, WGL_FONT_POLYGONS, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_FALSE(zelph::GetFontOutlineHeight(deleted, &height));
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
  HFONT regular = MakeFont(family), heavy = MakeFont(family, FW_BOLD), slanted = MakeFont(family, FW_NORMAL, TRUE);
  ASSERT_TRUE(Compile({'l', '|'}, 0.0f, 0.0f, WGL_FONT_POLYGONS, regular));
  const GLYPHMETRICSFLOAT plain = m_Metrics.at('l'), upright = m_Metrics.at('|');
  ASSERT_TRUE(Compile({'l'}, 0.0f, 0.0f, WGL_FONT_POLYGONS, heavy));
  EXPECT_GT(m_Metrics.at('l').gmfBlackBoxX, plain.gmfBlackBoxX + 0.02f);
  EXPECT_GT(m_Metrics.at('l').gmfCellIncX, plain.gmfCellIncX);
  // A vertical bar leans into a parallelogram as wide as its lean.
  ASSERT_TRUE(Compile({'|'}, 0.0f, 0.0f, WGL_FONT_POLYGONS, slanted));
  EXPECT_NEAR(m_Metrics.at('|').gmfBlackBoxX - upright.gmfBlackBoxX, bold->synthesis.slant * upright.gmfBlackBoxY,
              0.005f);
  EXPECT_FLOAT_EQ(m_Metrics.at('|').gmfCellIncX, upright.gmfCellIncX);
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
