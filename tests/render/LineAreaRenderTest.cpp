// Lines and areas: how their vertices are kept, where their walls and
// outlines land (read back in feedback mode and unprojected into the
// scene), and what their surfaces colour (pixels).
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "frame/Logger.h"
#include "render/RenderArea.h"
#include "render/RenderLine.h"
#include "tests/support/GLCapture.h"
#include "tests/support/GLContext.h"

namespace {

using zelph::test::CapturedPrimitive;
using zelph::test::CaptureFeedback;
using zelph::test::CountOf;

// Half the width of the view in scene units.
constexpr double kHalfView = 0.2;

// The globe seen straight from +X in parallel projection: east to the right,
// north up, 2.8 pixels a degree around (0, 0).
void LookFromPlusX() {
  glViewport(0, 0, 64, 64);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-kHalfView, kHalfView, -kHalfView, kHalfView, 0.1, 10.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(3, 0, 0, 0, 0, 0, 0, 0, 1);
}

// The window pixel showing a point of the surface.
void PixelOf(double lat, double lon, int* x, int* y) {
  const double rad = M_PI / 180.0;
  *x = static_cast<int>(32 + std::cos(lat * rad) * std::sin(lon * rad) / kHalfView * 32);
  *y = static_cast<int>(32 + std::sin(lat * rad) / kHalfView * 32);
}

struct Point3 {
  double x, y, z;
  double Radius() const { return std::sqrt(x * x + y * y + z * z); }
};

// The scene point a captured vertex came from.
Point3 Unproject(const zelph::test::CapturedVertex& v) {
  GLdouble model[16], projection[16];
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, model);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  Point3 p{};
  gluUnProject(v.x, v.y, v.z, model, projection, viewport, &p.x, &p.y, &p.z);
  return p;
}

// Lists are protected; the probes show them.
template <class Base>
class Probe : public Base {
 public:
  Probe() : Base(GraphicBase::kNextGLName) {}
  GLuint FillList() const { return this->m_DisplayList; }
  GLuint OutlineList() const { return this->m_OutlineDisplayList; }
};

class LineAreaRenderTest : public zelph::test::GLTest {
 protected:
  void SetUp() override {
    GLTest::SetUp();
    LookFromPlusX();
    Logger::atlLogOutput[0] = L'\0';
  }

  // Clears to blue, draws, and reports the colour at a surface point.
  zelph::Rgba DrawnAt(GraphicBase& renderable, double lat, double lon) {
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    renderable.Render();
    int x = 0, y = 0;
    PixelOf(lat, lon, &x, &y);
    return Context().ReadPixel(x, y);
  }
};

void ExpectAt(const Geopunctus& point, float lat, float lon, float alt) {
  EXPECT_NEAR(point.GetLat(), lat, 1e-5);
  EXPECT_NEAR(point.GetLon(), lon, 1e-5);
  EXPECT_NEAR(point.GetAltMeters(), alt, 1e-3);
}

void AddSquare(RenderLine& shape, float half) {
  shape.AddGeographicLocation(-half, -half, 0);
  shape.AddGeographicLocation(-half, half, 0);
  shape.AddGeographicLocation(half, half, 0);
  shape.AddGeographicLocation(half, -half, 0);
}

TEST_F(LineAreaRenderTest, VerticesFollowTheGlobeAndMoveWithTheAnchor) {
  RenderLine line(GraphicBase::kNextGLName);
  line.AddGeographicLocation(0, 0, 0);
  line.AddGeographicLocation(0, 2.5f, 0);
  ASSERT_EQ(line.GetVertexCount(), 4u);
  EXPECT_NEAR(line.GetVertices()[1].GetLon(), 0.8333f, 1e-4);
  EXPECT_NEAR(line.GetVertices()[2].GetLon(), 1.6667f, 1e-4);
  line.AddGeographicLocation(0, 3.5f, 0);  // exactly a degree on: no split
  EXPECT_EQ(line.GetVertexCount(), 5u);
  // A wild altitude neither hangs nor exhausts memory: the split is bounded,
  // and a distance without an end is not split at all.
  line.AddGeographicLocation(0, 3.5f, 1e12f);
  EXPECT_EQ(line.GetVertexCount(), 6u + RenderLine::kMaxSegmentPieces - 1);
  line.AddGeographicLocation(0, 3.5f, std::numeric_limits<float>::infinity());
  EXPECT_EQ(line.GetVertexCount(), 7u + RenderLine::kMaxSegmentPieces - 1);

  line.ClearGeometry();
  line.AddGeographicLocation(10, 20, 0);
  line.AddGeographicLocation(10.5f, 20.5f, 100);
  line.AddGeographicLocation(10.8f, 20.2f, 40);
  ExpectAt(line.GetGeoCentre(), 10.4f, 20.25f, 50);
  line.SetCentroidLocation(Geopunctus(0, 0, 0), false);
  EXPECT_EQ(line.GetFirstPoint(), Geopunctus(10, 20, 0));
  line.SetCentroidLocation(Geopunctus(1, 2, 0), true);
  ExpectAt(line.GetGeoCentre(), 1, 2, 0);
  ExpectAt(line.GetFirstPoint(), 0.6f, 1.75f, -50);
  ExpectAt(line.GetLastPoint(), 1.4f, 1.95f, -10);

  // An area's inner ring starts at its own first vertex, however far the
  // outer ring ended from it.
  RenderArea area(GraphicBase::kNextGLName);
  AddSquare(area, 8);
  const size_t outer = area.GetVertexCount();
  area.StartInnerContour();
  area.AddGeographicLocation(-3, -3, 0);
  ASSERT_EQ(area.GetInnerContourIndices(), std::vector<size_t>{outer});
  EXPECT_EQ(area.GetVertexCount(), outer + 1);
  area.ClearGeometry();
  EXPECT_TRUE(area.GetInnerContourIndices().empty());
}

TEST_F(LineAreaRenderTest, WallsAndOutlinesLandWhereTheyBelong) {
  auto owned = std::make_unique<Probe<RenderLine>>();
  Probe<RenderLine>& line = *owned;
  line.SetZExaggeration(3.0f);
  line.AddGeographicLocation(0, 0, 50000);
  line.AddGeographicLocation(0, 0.5f, 50000);
  line.AddGeographicLocation(0.5f, 0.5f, 20000);
  RenderMaterial wall;
  wall.SetColor1RGB(1, 0, 0);
  wall.SetColor2RGB(0, 0, 1);
  line.SetExRenderMaterial(wall);
  line.SetOutlineRGBA(1, 1, 0, 0.5f);

  // Nothing at all without vertices.
  Probe<RenderLine> empty;
  EXPECT_TRUE(CaptureFeedback([&] { empty.Render(); }).empty());

  // Automatic depth: every foot (the blue end) on the unit sphere, every
  // top at its exaggerated altitude.
  line.SetAutoExDepthEnabled(true);
  line.SetOutlineEnabled(false);
  auto walls = CaptureFeedback([&] { line.Render(); });
  EXPECT_EQ(CountOf(walls, CapturedPrimitive::Line), 0);
  ASSERT_EQ(CountOf(walls, CapturedPrimitive::Polygon), 4);
  int feet = 0;
  for (const CapturedPrimitive& triangle : walls) {
    for (const auto& v : triangle.vertices) {
      const double radius = Unproject(v).Radius();
      if (v.b > 0.5f) {
        ++feet;
        EXPECT_NEAR(radius, 1.0, 1e-4);
      } else {
        EXPECT_GT(radius, 1.0 + 3 * 20000 / 6367444.5 - 1e-4);
      }
    }
  }
  EXPECT_EQ(feet, 6);

  // A fixed depth hangs each foot that far below its top.
  line.SetAutoExDepthEnabled(false);
  line.SetExDepth(0.05f);
  line.InvalidateLocation();
  walls = CaptureFeedback([&] { line.Render(); });
  ASSERT_EQ(walls.size(), 4u);
  const auto& first = walls[0].vertices;  // top, foot, top of the first wall
  EXPECT_NEAR(Unproject(first[0]).Radius() - Unproject(first[1]).Radius(), 0.05 * 3, 1e-3);

  // Outline only: one strip through the three vertices, outline colour.
  line.SetExEnabled(false);
  line.SetOutlineEnabled(true);
  line.InvalidateLocation();
  auto outline = CaptureFeedback([&] { line.Render(); });
  ASSERT_EQ(outline.size(), 2u);
  EXPECT_EQ(CountOf(outline, CapturedPrimitive::Line), 2);
  EXPECT_FLOAT_EQ(outline[0].vertices[0].g, 1.0f);
  EXPECT_FLOAT_EQ(outline[0].vertices[0].a, 0.5f);

  // Selected in overlay mode the wall's colours are tinted by the
  // selection colour; in outline mode the outline takes it.
  line.SetExEnabled(true);
  line.SetSelected(true);
  line.SetSelectionRGB(0.5f, 1, 1);
  line.InvalidateLocation();
  walls = CaptureFeedback([&] { line.Render(); });
  ASSERT_EQ(walls.size(), 6u);
  EXPECT_FLOAT_EQ(walls[0].vertices[0].r, 0.5f);
  EXPECT_FLOAT_EQ(walls[0].vertices[1].b, 1.0f);
  EXPECT_FLOAT_EQ(walls[5].vertices[0].r, 1.0f);  // the outline stays yellow
  line.SetSelectOutline();
  line.InvalidateLocation();
  walls = CaptureFeedback([&] { line.Render(); });
  EXPECT_FLOAT_EQ(walls[0].vertices[0].r, 1.0f);
  EXPECT_FLOAT_EQ(walls[5].vertices[0].r, 0.5f);
  EXPECT_FLOAT_EQ(walls[5].vertices[0].b, 1.0f);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

  // Going frees both lists.
  const GLuint fill = line.FillList(), edge = line.OutlineList();
  ASSERT_TRUE(glIsList(fill) && glIsList(edge));
  owned.reset();
  EXPECT_FALSE(glIsList(fill));
  EXPECT_FALSE(glIsList(edge));
}

TEST_F(LineAreaRenderTest, AreasFillAroundTheirHolesAndAcrossTheirCrossings) {
  Probe<RenderArea> area;
  RenderMaterial red;
  red.SetColor1RGB(1, 0, 0);
  red.SetColor2RGB(1, 0, 0);
  area.SetRenderMaterial(red);
  area.SetExEnabled(false);
  AddSquare(area, 8);
  area.StartInnerContour();
  AddSquare(area, 3);

  DrawnAt(area, 0, 0);
  // Two closed outline strips: as many segments as vertices.
  const auto outline = CaptureFeedback([&] { area.Render(); });
  EXPECT_EQ(CountOf(outline, CapturedPrimitive::Line), static_cast<int>(area.GetVertexCount()));

  area.SetOutlineEnabled(false);
  area.InvalidateLocation();
  EXPECT_EQ(DrawnAt(area, 0, 0), (zelph::Rgba{0, 0, 255, 255}));  // the hole
  EXPECT_EQ(DrawnAt(area, 0, 5.5), (zelph::Rgba{255, 0, 0, 255}));
  EXPECT_EQ(DrawnAt(area, -5.5, 0), (zelph::Rgba{255, 0, 0, 255}));
  EXPECT_EQ(DrawnAt(area, 0, 10), (zelph::Rgba{0, 0, 255, 255}));

  // Walls and surface in one list are picked under the area's name.
  area.SetExEnabled(true);
  area.InvalidateLocation();
  int px = 0, py = 0;
  PixelOf(0, 5.5, &px, &py);
  const auto hits = zelph::test::SelectHits(px, py, 3, LookFromPlusX, [&] { area.Render(); });
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0], std::vector<GLuint>{area.GetGLName()});
  LookFromPlusX();  // the pick left its own projection behind

  // Selected as an overlay the surface takes its colours times the
  // selection colour.
  red.SetColor1RGB(1, 1, 1);
  red.SetColor2RGB(1, 1, 1);
  area.SetRenderMaterial(red);
  area.SetSelected(true);
  area.SetSelectionRGB(0, 0.5f, 0);
  area.InvalidateLocation();
  const zelph::Rgba tinted = DrawnAt(area, 0, 5.5);
  EXPECT_EQ(tinted.r, 0);
  EXPECT_NEAR(tinted.g, 128, 1);

  // A ring crossing itself (a bow tie) still draws both of its lobes.
  Probe<RenderArea> bowTie;
  bowTie.SetRenderMaterial(red);
  bowTie.SetOutlineEnabled(false);
  bowTie.SetExEnabled(false);
  bowTie.AddGeographicLocation(-6, -6, 0);
  bowTie.AddGeographicLocation(6, 6, 0);
  bowTie.AddGeographicLocation(-6, 6, 0);
  bowTie.AddGeographicLocation(6, -6, 0);
  EXPECT_EQ(DrawnAt(bowTie, 0, 4), (zelph::Rgba{255, 255, 255, 255}));
  EXPECT_EQ(DrawnAt(bowTie, 0, -4), (zelph::Rgba{255, 255, 255, 255}));
  EXPECT_EQ(DrawnAt(bowTie, 4, 0), (zelph::Rgba{0, 0, 255, 255}));
  EXPECT_EQ(std::wstring(Logger::atlLogOutput), L"");
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
