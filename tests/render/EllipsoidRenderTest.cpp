// Ellipsoids and their wedges: the grid's primitives, colours, places and
// texture coordinates in feedback, the frame's stipple in pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <tuple>
#include <vector>

#include "render/RenderEllipsoid.h"
#include "render/RenderPartialEllipsoid.h"
#include "tests/support/GLCapture.h"
#include "tests/support/GLContext.h"

namespace {

using namespace zelph::test;
using Primitives = std::vector<CapturedPrimitive>;

// Stands on the globe at (0, 0): up is +X (towards the camera), north +Z (up
// on screen), east +Y (right). Rebuild stands for a fresh renderable.
template <class Base>
struct Probe : Base {
  Probe() : Base(GraphicBase::kNextGLName) { this->SetCentroidLocation(Geopunctus(0.0f, 0.0f, 0.0f), false); }
  void Rebuild() { this->m_ValidDisplayList = false; }
  std::vector<GLuint> Lists() const { return {this->m_DisplayList, this->m_WindVaneList}; }
};

class EllipsoidRenderTest : public GLTest {
 protected:
  void SetUp() override {
    GLTest::SetUp();
    LookAtGlobeFromPlusX(4.0f, kWidth, kHeight);
  }
  static Primitives Frame(IRender& renderable) { return CaptureFeedback([&] { renderable.Render(); }); }
  // Triangles covering some area, not those joining the strips' cells and columns.
  static int Triangles(const Primitives& primitives) {
    int count = 0;
    for (const CapturedPrimitive& p : primitives) {
      if (p.kind != CapturedPrimitive::Polygon || p.vertices.size() != 3) continue;
      const CapturedVertex &a = p.vertices[0], &b = p.vertices[1], &c = p.vertices[2];
      count += std::fabs((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y)) > 1e-3f;
    }
    return count;
  }
  // Whether vertices of a frame carry texture coordinates (s, t), all where
  // scene point (x, y, z) shows.
  static bool TexturedAt(const Primitives& frame, float s, float t, double x, double y, double z) {
    const CapturedVertex where = WindowOf(x, y, z);
    int found = 0, elsewhere = 0;
    for (const CapturedPrimitive& p : frame) {
      for (const CapturedVertex& v : p.vertices) {
        const bool carries = std::fabs(v.s - s) < 1e-4f && std::fabs(v.t - t) < 1e-4f;
        found += carries, elsewhere += carries && !NearPixel(v, where.x, where.y);
      }
    }
    return found > 0 && elsewhere == 0;
  }
};

TEST_F(EllipsoidRenderTest, DrawsTheWholeGridByOptionWithItsCalloutAndFrameStyle) {
  auto ellipsoid = std::make_unique<Probe<RenderEllipsoid>>();
  ellipsoid->SetOutlineRGB(1.0f, 0.0f, 2.0f);  // blue out of range: stays 1
  ellipsoid->SetAlpha(0.5f);
  ellipsoid->SetCalloutLocation(Geopunctus(5.0f, 5.0f, 1000.0f));
  ellipsoid->SetWindVaneSize(0.1f);
  // 64 columns of 32 cells: one line strip of 2 + 4 * 32 vertices a column;
  // two triangles a cell but one at each pole.
  auto expectGrid = [&](bool frame, bool fill) {
    ellipsoid->Rebuild();
    Primitives primitives = Frame(*ellipsoid);
    EXPECT_EQ(CountOf(primitives, CapturedPrimitive::Line), frame ? 64 * (2 + 4 * 32) - 1 : 0);
    EXPECT_EQ(Triangles(primitives), fill ? 64 * (32 * 2 - 2) : 0);
    return primitives;
  };
  const CapturedVertex edge = expectGrid(true, true).front().vertices.front();
  EXPECT_EQ(std::tuple(edge.r, edge.g, edge.b, edge.a), std::tuple(1.0f, 0.0f, 1.0f, 0.5f));
  ellipsoid->SetWireframe(true);  // a frame-and-fill ellipsoid shows its frame already
  expectGrid(true, true);
  ellipsoid->SetOption(RenderEllipsoid::kFillOnly);
  ellipsoid->SetWireframe(false);
  expectGrid(false, true);
  ellipsoid->SetWireframe(true);
  expectGrid(true, false);
  // Switched on, the callout: to the callout point and ground (2 lines), the
  // vane's foot, tip and barbs (5).
  ellipsoid->SetOption(RenderEllipsoid::kFillOnly);
  ellipsoid->SetEnableCallout(true);
  ellipsoid->Rebuild();
  EXPECT_EQ(CountOf(Frame(*ellipsoid), CapturedPrimitive::Line), 7);
  EXPECT_TRUE(ListsFreedBy(ellipsoid->Lists(), [&] { ellipsoid.reset(); }));
  // The frame close up beside the zenith, where the meridians run apart: its
  // style and the material's line pattern apply together (they share no bit).
  Probe<RenderEllipsoid> frameOnly;
  frameOnly.SetOption(RenderEllipsoid::kFrameOnly);
  LookAtGlobeFromPlusXParallel(0.05, kWidth, kHeight);
  glTranslatef(0.0f, -0.15f, -0.15f);
  auto lit = [&] {
    frameOnly.Rebuild();
    return DrawAndFindInk(Context(), [&] { frameOnly.Render(); }).count;
  };
  EXPECT_GT(lit(), 100);
  frameOnly.SetOutlineStyle(0x0001);
  EXPECT_GT(lit(), 0);
  RenderMaterial material;
  material.SetLineOption(0xFFFE);
  frameOnly.SetRenderMaterial(material);
  EXPECT_EQ(lit(), 0);
}

TEST_F(EllipsoidRenderTest, WedgeCoversItsQuarterDomeWithOrWithoutCaps) {
  Probe<RenderPartialEllipsoid> wedge;
  wedge.SetOption(RenderEllipsoid::kFillOnly);
  wedge.SetEndAzimuth(90.0f);
  wedge.SetStartInclination(0.0f);
  // 16 columns from north to east and 16 bands from the horizon to the zenith
  // (one triangle in the last), closed to the centre while capped; nothing
  // lies west or south of the centre.
  const Primitives capped = Frame(wedge);
  EXPECT_EQ(Triangles(capped), 16 * 32);
  const CapturedVertex centre = WindowOf(1, 0, 0);
  for (const CapturedPrimitive& p : capped) {
    for (const CapturedVertex& v : p.vertices) EXPECT_TRUE(v.x >= centre.x - 0.01f && v.y >= centre.y - 0.01f);
  }
  wedge.SetShowCaps(false);  // rebuilds by itself
  EXPECT_EQ(Triangles(Frame(wedge)), 16 * 31);
  // A textured ellipsoid: s = 0 on the local north, t = 1 at the zenith; with
  // diameters 0.2, 0.4 and 0.6 turned a quarter clockwise, north swings east.
  const GLubyte white[4] = {255, 255, 255, 255};
  RenderMaterial material;
  material.SetTexture(MakeTexture(1, 1, white));
  Probe<RenderEllipsoid> ellipsoid;
  ellipsoid.SetOption(RenderEllipsoid::kFillOnly);
  ellipsoid.SetRenderMaterial(material);
  Primitives frame = Frame(ellipsoid);
  EXPECT_TRUE(TexturedAt(frame, 0.0f, 0.5f, 1, 0, 0.5) && TexturedAt(frame, 0.5f, 1.0f, 1.5, 0, 0));
  ellipsoid.SetSize(0.2f, 0.4f, 0.6f);
  ellipsoid.SetHeading(90.0f, false);
  frame = Frame(ellipsoid);
  EXPECT_TRUE(TexturedAt(frame, 0.0f, 0.5f, 1, 0.1, 0) && TexturedAt(frame, 0.5f, 1.0f, 1.3, 0, 0));
}

}  // namespace
