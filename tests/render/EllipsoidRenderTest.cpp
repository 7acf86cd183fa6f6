// Ellipsoids and their wedges, watched through what they emit: the grid's
// primitives, colours, places and texture coordinates in feedback, the
// frame's width and stipple in pixels, and the lists they give back.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "render/RenderEllipsoid.h"
#include "render/RenderPartialEllipsoid.h"
#include "tests/support/GLCapture.h"
#include "tests/support/GLContext.h"

namespace {

using zelph::test::CapturedPrimitive;
using zelph::test::CapturedVertex;
using Primitives = std::vector<CapturedPrimitive>;
constexpr auto kLine = CapturedPrimitive::Line;

// Stands on the globe at (0, 0), where up is +X, towards the camera, north
// is +Z, up on screen, and east is +Y, right on screen. Rebuild stands for
// the scene manager's fresh renderable after an option change.
template <class Base>
struct Probe : Base {
  Probe() : Base(GraphicBase::kNextGLName) { this->SetCentroidLocation(Geopunctus(0.0f, 0.0f, 0.0f), false); }
  void Rebuild() { this->m_ValidDisplayList = false; }
  GLuint List() const { return this->m_DisplayList; }
  GLuint VaneList() const { return this->m_WindVaneList; }
};

class EllipsoidRenderTest : public zelph::test::GLTest {
 protected:
  void SetUp() override {
    GLTest::SetUp();
    zelph::test::LookAtGlobeFromPlusX(4.0f, kWidth, kHeight);
  }

  // One frame's primitives, and every vertex of them.
  Primitives Frame(IRender& renderable) {
    Primitives primitives = zelph::test::CaptureFeedback([&] { renderable.Render(); });
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    vertices.clear();
    for (const CapturedPrimitive& p : primitives) vertices.insert(vertices.end(), p.vertices.begin(), p.vertices.end());
    return primitives;
  }

  int LitPixels(IRender& renderable) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    renderable.Render();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    std::vector<std::uint8_t> pixels = Context().ReadPixels();
    int lit = 0;
    for (size_t i = 0; i < pixels.size(); i += 4) lit += pixels[i] + pixels[i + 1] + pixels[i + 2] > 0;
    return lit;
  }

  // Window position of a scene point.
  static CapturedVertex Project(double x, double y, double z) {
    GLdouble model[16], projection[16], wx = 0, wy = 0, wz = 0;
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    gluProject(x, y, z, model, projection, viewport, &wx, &wy, &wz);
    return CapturedVertex{float(wx), float(wy), float(wz), 0, 0, 0, 0, 0, 0};
  }

  // Triangles covering some area: the strips join cells and columns through
  // triangles with coinciding corners, as many as the driver's batching
  // makes.
  static int Triangles(const Primitives& primitives) {
    int count = 0;
    for (const CapturedPrimitive& p : primitives) {
      if (p.kind != CapturedPrimitive::Polygon || p.vertices.size() != 3) continue;
      const CapturedVertex &a = p.vertices[0], &b = p.vertices[1], &c = p.vertices[2];
      count += std::fabs((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y)) > 1e-3f;
    }
    return count;
  }

  // How many vertices of the last frame carry texture coordinates (s, t),
  // each checked to lie at `where`.
  int TexturedAt(float s, float t, const CapturedVertex& where) {
    int found = 0;
    for (const CapturedVertex& v : vertices) {
      if (std::fabs(v.s - s) > 1e-4f || std::fabs(v.t - t) > 1e-4f) continue;
      ++found;
      EXPECT_NEAR(v.x, where.x, 0.01f);
      EXPECT_NEAR(v.y, where.y, 0.01f);
    }
    return found;
  }

  std::vector<CapturedVertex> vertices;
};

TEST_F(EllipsoidRenderTest, DrawsTheWholeGridByOption) {
  Probe<RenderEllipsoid> ellipsoid;
  ellipsoid.SetOutlineRGB(1.0f, 0.0f, 2.0f);  // blue out of range: stays 1
  ellipsoid.SetAlpha(0.5f);
  // 64 columns of 32 cells: one line strip of 2 + 4 * 32 vertices a column;
  // two triangles a cell but one at each pole.
  const int frameLines = 64 * (2 + 4 * 32) - 1, fillTriangles = 64 * (32 * 2 - 2);
  Primitives both = Frame(ellipsoid);
  EXPECT_EQ(zelph::test::CountOf(both, kLine), frameLines);
  EXPECT_EQ(Triangles(both), fillTriangles);
  const CapturedVertex& edge = both.front().vertices.front();
  EXPECT_EQ(std::vector<float>({edge.r, edge.g, edge.b, edge.a}), std::vector<float>({1, 0, 1, 0.5f}));

  ellipsoid.SetWireframe(true);  // a frame-and-fill ellipsoid shows its frame already
  EXPECT_EQ(ellipsoid.GetOption(), RenderEllipsoid::kFrameAndFill);
  ellipsoid.SetOption(RenderEllipsoid::kFillOnly);
  ellipsoid.SetWireframe(false);
  ellipsoid.Rebuild();
  Primitives fill = Frame(ellipsoid);
  EXPECT_EQ(zelph::test::CountOf(fill, kLine), 0);
  EXPECT_EQ(Triangles(fill), fillTriangles);

  ellipsoid.SetWireframe(true);
  ellipsoid.Rebuild();
  Primitives frame = Frame(ellipsoid);
  EXPECT_TRUE(ellipsoid.GetWireframe());
  EXPECT_EQ(zelph::test::CountOf(frame, kLine), frameLines);
  EXPECT_EQ(Triangles(frame), 0);
}

TEST_F(EllipsoidRenderTest, FrameHasItsWidthAndBothStipplesTogether) {
  Probe<RenderEllipsoid> ellipsoid;
  ellipsoid.SetOption(RenderEllipsoid::kFrameOnly);
  ellipsoid.SetOutlineWidth(1.0f);
  // Close up, straight down beside the zenith, where the meridians run apart.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0.1, 0.2, 0.1, 0.2, 0.1, 10.0);
  glMatrixMode(GL_MODELVIEW);
  const int thin = LitPixels(ellipsoid);
  ellipsoid.SetOutlineWidth(4.0f);
  ellipsoid.Rebuild();
  const int wide = LitPixels(ellipsoid);
  EXPECT_GT(thin, 100);
  EXPECT_GT(wide, thin * 3 / 2);
  // One pixel in sixteen (in two phases: the parallels go there and back).
  ellipsoid.SetOutlineStyle(0x0001);
  ellipsoid.Rebuild();
  const int dotted = LitPixels(ellipsoid);
  EXPECT_LT(dotted, wide / 4);
  EXPECT_GT(dotted, 0);
  // The frame's style and the material's line pattern share no bit.
  RenderMaterial material;
  material.SetLineOption(0xFFFE);
  ellipsoid.SetRenderMaterial(material);
  ellipsoid.Rebuild();
  EXPECT_EQ(LitPixels(ellipsoid), 0);
}

TEST_F(EllipsoidRenderTest, WedgeCoversItsQuarterDomeWithOrWithoutCaps) {
  Probe<RenderPartialEllipsoid> wedge;
  wedge.SetOption(RenderEllipsoid::kFillOnly);
  wedge.SetEndAzimuth(90.0f);
  wedge.SetStartInclination(0.0f);
  const CapturedVertex centre = Project(1, 0, 0);
  auto centres = [&] {
    int found = 0;
    for (const CapturedVertex& v : vertices) {
      EXPECT_GE(v.x, centre.x - 0.01f);  // nothing west of the centre
      EXPECT_GE(v.y, centre.y - 0.01f);  // nor south of it
      found += std::fabs(v.x - centre.x) < 0.01f && std::fabs(v.y - centre.y) < 0.01f &&
               std::fabs(v.z - centre.z) < 1e-4f;
    }
    return found;
  };
  // 16 columns from north to east and 16 bands from the horizon to the
  // zenith (one triangle in the last), each column closed to the centre.
  EXPECT_EQ(Triangles(Frame(wedge)), 16 * 32);
  EXPECT_GT(centres(), 0);
  wedge.SetShowCaps(false);  // rebuilds by itself
  EXPECT_EQ(Triangles(Frame(wedge)), 16 * 31);
  EXPECT_EQ(centres(), 0);

  wedge.SetEndInclination(0.0f);
  wedge.Rebuild();
  EXPECT_TRUE(Frame(wedge).empty());
}

TEST_F(EllipsoidRenderTest, TextureStretchesFromNorthAndSizeAndHeadingPlaceTheGrid) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  const GLubyte white[4] = {255, 255, 255, 255};
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
  RenderMaterial material;
  material.SetTexture(texture);
  Probe<RenderEllipsoid> ellipsoid;
  ellipsoid.SetOption(RenderEllipsoid::kFillOnly);
  ellipsoid.SetRenderMaterial(material);
  // s = 0 on the local north, t = 1 at the zenith.
  Frame(ellipsoid);
  EXPECT_GT(TexturedAt(0.0f, 0.5f, Project(1, 0, 0.5)), 0);
  EXPECT_GT(TexturedAt(0.5f, 1.0f, Project(1.5, 0, 0)), 0);
  // Diameters 0.2 south, 0.4 east, 0.6 up, turned a quarter clockwise: the
  // east point swings to the south, the north point to the east.
  ellipsoid.SetSize(0.2f, 0.4f, 0.6f);
  ellipsoid.SetHeading(90.0f, false);
  Frame(ellipsoid);
  EXPECT_GT(TexturedAt(0.75f, 0.5f, Project(1, 0, -0.2)), 0);
  EXPECT_GT(TexturedAt(0.0f, 0.5f, Project(1, 0.1, 0)), 0);
  EXPECT_GT(TexturedAt(0.5f, 1.0f, Project(1.3, 0, 0)), 0);
  glDeleteTextures(1, &texture);
}

TEST_F(EllipsoidRenderTest, CalloutFollowsTheSwitchAndDeletingFreesTheLists) {
  auto ellipsoid = std::make_unique<Probe<RenderEllipsoid>>();
  ellipsoid->SetOption(RenderEllipsoid::kFillOnly);
  ellipsoid->SetCalloutRGB(1.0f, 0.0f, 0.0f);
  ellipsoid->SetCalloutLocation(Geopunctus(5.0f, 5.0f, 1000.0f));
  ellipsoid->SetWindVaneSize(0.1f);
  EXPECT_EQ(zelph::test::CountOf(Frame(*ellipsoid), kLine), 0);
  // Anchor, callout point and ground (2 lines), then the vane from the
  // anchor to its foot, tip and barbs (5 lines), in red.
  ellipsoid->SetEnableCallout(true);
  Primitives frame = Frame(*ellipsoid);
  ASSERT_EQ(zelph::test::CountOf(frame, kLine), 7);
  const CapturedVertex& anchor = frame[frame.size() - 7].vertices.front();
  EXPECT_NEAR(anchor.x, Project(1, 0, 0).x, 0.01f);
  EXPECT_NEAR(anchor.y, Project(1, 0, 0).y, 0.01f);
  EXPECT_EQ(std::vector<float>({anchor.r, anchor.g, anchor.b}), std::vector<float>({1, 0, 0}));

  const GLuint list = ellipsoid->List(), vane = ellipsoid->VaneList();
  ASSERT_TRUE(glIsList(list) && glIsList(vane));
  ellipsoid.reset();
  EXPECT_FALSE(glIsList(list) || glIsList(vane));
}

}  // namespace
