// Lines and areas: how their vertices are kept, where walls and outlines
// land (in feedback, unprojected), and what their surfaces colour.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "frame/Logger.h"
#include "render/RenderArea.h"
#include "render/RenderLine.h"
#include "tests/support/GLCapture.h"
#include "tests/support/GLContext.h"

namespace {

using namespace zelph::test;
using Kind = CapturedPrimitive::Kind;

// The globe straight from +X, 0.2 scene units each way: east right, north up.
void LookFromPlusX() { LookAtGlobeFromPlusXParallel(0.2, 64, 64); }

double SceneRadius(const CapturedVertex& v) { return std::hypot(SceneOf(v)[0], SceneOf(v)[1], SceneOf(v)[2]); }

template <class Base>
struct Probe : Base {
  Probe() : Base(GraphicBase::kNextGLName) {}
  std::vector<GLuint> Lists() const { return {this->m_DisplayList, this->m_OutlineDisplayList}; }
};

void AddSquare(RenderLine& shape, float half) {
  for (auto [lat, lon] : {std::pair{-half, -half}, {-half, half}, {half, half}, {half, -half}}) {
    shape.AddGeographicLocation(lat, lon, 0);
  }
}

class LineAreaRenderTest : public GLTest {
 protected:
  // Clears to blue, draws, and reports the colour at a surface point.
  zelph::Rgba DrawnAt(GraphicBase& renderable, double lat, double lon) {
    LookFromPlusX();
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    renderable.Render();
    const double la = lat * M_PI / 180, lo = lon * M_PI / 180;
    const CapturedVertex at = WindowOf(std::cos(la) * std::cos(lo), std::cos(la) * std::sin(lo), std::sin(la));
    return Context().ReadPixel(int(at.x), int(at.y));
  }
};

const zelph::Rgba kRed{255, 0, 0, 255}, kBlue{0, 0, 255, 255};

TEST_F(LineAreaRenderTest, VerticesFollowTheGlobeAndMoveWithTheAnchor) {
  RenderLine line(GraphicBase::kNextGLName);
  line.AddGeographicLocation(0, 0, 0);
  line.AddGeographicLocation(0, 2.5f, 0);
  ASSERT_EQ(line.GetVertexCount(), 4u);
  EXPECT_NEAR(line.GetVertices()[2].GetLon(), 1.6667f, 1e-4);
  line.AddGeographicLocation(0, 3.5f, 0);  // exactly a degree on: no split
  EXPECT_EQ(line.GetVertexCount(), 5u);
  // A wild altitude neither hangs nor exhausts memory: the split is bounded;
  // a distance without an end is not split at all.
  line.AddGeographicLocation(0, 3.5f, 1e12f);
  EXPECT_EQ(line.GetVertexCount(), 6u + RenderLine::kMaxSegmentPieces - 1);
  line.AddGeographicLocation(0, 3.5f, std::numeric_limits<float>::infinity());
  EXPECT_EQ(line.GetVertexCount(), 7u + RenderLine::kMaxSegmentPieces - 1);
  // Recentred with Center the vertices move along, without they stay.
  line.ClearGeometry();
  line.AddGeographicLocation(10, 20, 0);
  line.AddGeographicLocation(10.5f, 20.5f, 100);
  line.AddGeographicLocation(11, 20, 40);
  EXPECT_EQ(line.GetGeoCentre(), Geopunctus(10.5f, 20.25f, 50));
  line.SetCentroidLocation(Geopunctus(0, 0, 0), false);
  EXPECT_EQ(line.GetFirstPoint(), Geopunctus(10, 20, 0));
  line.SetCentroidLocation(Geopunctus(1, 2, 0), true);
  EXPECT_EQ(line.GetFirstPoint(), Geopunctus(0.5f, 1.75f, -50));
  EXPECT_EQ(line.GetLastPoint(), Geopunctus(1.5f, 1.75f, -10));
  // An area's inner ring starts at its own first vertex, however far off the
  // outer ring ended.
  RenderArea area(GraphicBase::kNextGLName);
  AddSquare(area, 8);
  const size_t outer = area.GetVertexCount();
  area.StartInnerContour();
  area.AddGeographicLocation(-3, -3, 0);
  ASSERT_EQ(area.GetInnerContourIndices(), std::vector<size_t>{outer});
  EXPECT_EQ(area.GetVertexCount(), outer + 1);
}

TEST_F(LineAreaRenderTest, WallsAndOutlinesLandWhereTheyBelong) {
  LookFromPlusX();
  EXPECT_TRUE(CaptureFeedback([] { Probe<RenderLine>().Render(); }).empty()) << "a line without vertices";
  auto line = std::make_unique<Probe<RenderLine>>();
  line->SetZExaggeration(3.0f);
  line->AddGeographicLocation(0, 0, 50000);
  line->AddGeographicLocation(0, 0.5f, 50000);
  line->AddGeographicLocation(0.5f, 0.5f, 20000);
  RenderMaterial wall;
  wall.SetColor1RGB(1, 0, 0);
  wall.SetColor2RGB(0, 0, 1);
  line->SetExRenderMaterial(wall);
  line->SetOutlineRGBA(1, 1, 0, 0.5f);
  auto frame = [&] {
    line->InvalidateLocation();
    return CaptureFeedback([&] { line->Render(); });
  };
  // Walls only, at automatic depth: every foot (blue) on the unit sphere,
  // every top at its exaggerated altitude.
  line->SetAutoExDepthEnabled(true);
  line->SetOutlineEnabled(false);
  auto walls = frame();
  ASSERT_TRUE(walls.size() == 4 && CountOf(walls, Kind::Polygon) == 4);
  int feet = 0;
  for (const CapturedPrimitive& triangle : walls) {
    for (const CapturedVertex& v : triangle.vertices) {
      const double radius = SceneRadius(v);
      feet += v.b > 0.5f;
      EXPECT_TRUE(v.b > 0.5f ? std::fabs(radius - 1.0) < 1e-4 : radius > 1.0 + 3 * 20000 / 6367444.5 - 1e-4) << radius;
    }
  }
  EXPECT_EQ(feet, 6);
  // A fixed depth hangs each foot that far below its top.
  line->SetAutoExDepthEnabled(false);
  line->SetExDepth(0.05f);
  walls = frame();  // top, foot, top of the first wall
  EXPECT_NEAR(SceneRadius(walls.at(0).vertices[0]) - SceneRadius(walls[0].vertices[1]), 0.05 * 3, 1e-3);
  // Outline only: one strip through the three vertices, outline colour.
  line->SetExEnabled(false);
  line->SetOutlineEnabled(true);
  auto outline = frame();
  ASSERT_TRUE(outline.size() == 2 && CountOf(outline, Kind::Line) == 2);
  EXPECT_EQ(std::pair(outline[0].vertices[0].g, outline[0].vertices[0].a), std::pair(1.0f, 0.5f));
  // Selected as an overlay the walls are tinted by the selection colour, the
  // outline stays yellow; selected as an outline the outline takes it.
  line->SetExEnabled(true);
  line->SetSelected(true);
  line->SetSelectionRGB(0.5f, 1, 1);
  walls = frame();
  ASSERT_EQ(walls.size(), 6u);
  EXPECT_EQ(std::tuple(walls[0].vertices[0].r, walls[0].vertices[1].b, walls[5].vertices[0].r),
            std::tuple(0.5f, 1.0f, 1.0f));
  line->SetSelectOutline();
  walls = frame();
  EXPECT_EQ(std::tuple(walls[0].vertices[0].r, walls[5].vertices[0].r, walls[5].vertices[0].b),
            std::tuple(1.0f, 0.5f, 1.0f));
  EXPECT_TRUE(ListsFreedBy(line->Lists(), [&] { line.reset(); }));
}

TEST_F(LineAreaRenderTest, AreasFillAroundTheirHolesAndAcrossTheirCrossings) {
  Logger::atlLogOutput[0] = L'\0';
  Probe<RenderArea> area;
  RenderMaterial material;
  material.SetColor1RGB(1, 0, 0);
  material.SetColor2RGB(1, 0, 0);
  area.SetRenderMaterial(material);
  area.SetExEnabled(false);
  AddSquare(area, 8);
  area.StartInnerContour();
  AddSquare(area, 3);
  // Two closed outline strips, as many segments as vertices; a hole.
  EXPECT_EQ(CountOf(CaptureFeedback([&] { area.Render(); }), Kind::Line), static_cast<int>(area.GetVertexCount()));
  area.SetOutlineEnabled(false);
  area.InvalidateLocation();
  EXPECT_EQ(DrawnAt(area, 0, 0), kBlue);  // the hole
  EXPECT_EQ(DrawnAt(area, 0, 5.5), kRed);
  EXPECT_EQ(DrawnAt(area, -5.5, 0), kRed);
  EXPECT_EQ(DrawnAt(area, 0, 10), kBlue);
  // Walls and surface in one list are picked under the area's name (at
  // longitude 4.7 on the equator).
  area.SetExEnabled(true);
  area.InvalidateLocation();
  EXPECT_EQ(SelectHits(45, 32, 3, LookFromPlusX, [&] { area.Render(); }),
            std::vector<std::vector<GLuint>>{{area.GetGLName()}});
  // Selected as an overlay the surface takes its colours times the selection's.
  area.SetSelected(true);
  area.SetSelectionRGB(0.5f, 1, 1);
  area.InvalidateLocation();
  const zelph::Rgba tinted = DrawnAt(area, 0, 5.5);
  EXPECT_TRUE(std::abs(tinted.r - 128) <= 1 && tinted.g == 0 && tinted.b == 0) << tinted;
  // A ring crossing itself (a bow tie) still draws both of its lobes.
  Probe<RenderArea> bowTie;
  bowTie.SetRenderMaterial(material);
  bowTie.SetOutlineEnabled(false);
  bowTie.SetExEnabled(false);
  for (auto [lat, lon] : {std::pair{-6, -6}, {6, 6}, {-6, 6}, {6, -6}}) bowTie.AddGeographicLocation(lat, lon, 0);
  EXPECT_EQ(DrawnAt(bowTie, 0, 4), kRed);
  EXPECT_EQ(DrawnAt(bowTie, 0, -4), kRed);
  EXPECT_EQ(DrawnAt(bowTie, 4, 0), kBlue);
  EXPECT_EQ(std::wstring(Logger::atlLogOutput), L"");
}

}  // namespace
