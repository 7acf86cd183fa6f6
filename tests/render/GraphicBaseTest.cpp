// The renderable base through a unit quad drawn the way every concrete
// renderable draws, so that its steps can be watched from outside.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "frame/Logger.h"
#include "render/Glomarch.h"
#include "render/GraphicBase.h"
#include "tests/support/GLCapture.h"
#include "tests/support/GLContext.h"

namespace {

using Axis = std::array<double, 3>;

class QuadRenderable : public GraphicBase {
 public:
  explicit QuadRenderable(GLuint name = kNextGLName) : GraphicBase(name) {}
  void InvalidateLocation() override { m_ValidDisplayList = false; }
  void InvalidateOrientation() override { m_ValidDisplayList = false; }
  void InvalidateSize() override { m_ValidDisplayList = false; }
  void Render() override {
    Guarded(L"Render", [&] {
      DrawingState state;
      ModelViewScope modelView;
      TranslateToAnchor();
      ApplyLocalFrame();
      ApplyOrientation();
      glGetFloatv(GL_MODELVIEW_MATRIX, modelViewSeen.data());
      CallMainList([&] {
        ++builds;
        if (failBuild) throw std::runtime_error("no geometry");
        ApplyDepthMask();
        m_RenderMat.ApplyColor1(m_Alpha);
        glRectf(-0.5f, -0.5f, 0.5f, 0.5f);
        if (!m_Selected) return;
        ApplySelectionColor();
        glRectf(-0.5f, -0.5f, 0.5f, 0.5f);
      });
    });
  }
  // In front of the eye, facing it: at the pole the standing frame is the eye's.
  void PlaceInFront() {
    m_GlZ = -0.5f;
    m_CentroidLocation = Geopunctus(90.0f, 0.0f, 0.0f);
  }
  bool failBuild = false;
  int builds = 0;
  std::array<GLfloat, 16> modelViewSeen{};
  GLuint List() const { return m_DisplayList; }
  bool ListValid() const { return m_ValidDisplayList; }
};

using GraphicBaseTest = zelph::test::GLTest;

TEST_F(GraphicBaseTest, NamesComeFromTheCounterUnlessGivenAndAreLoadedUnlessNameless) {
  const GLuint next = Glomarch::GetNextGLNameNoInc();
  QuadRenderable counted, given(7);
  EXPECT_EQ(counted.GetGLName(), next);
  EXPECT_EQ(given.GetGLName(), 7u);
  EXPECT_EQ(Glomarch::GetNextGLNameNoInc(), next + 1);
  // The names hit in selection mode: its own, or the caller's when nameless.
  given.SetGLName(42);
  given.PlaceInFront();
  auto hits = [&] { return zelph::test::SelectHits(32, 32, 4, [] {}, [&] { given.Render(); }); };
  EXPECT_EQ(hits(), std::vector<std::vector<GLuint>>{{42u}});
  given.SetNameless(true);
  EXPECT_EQ(hits(), std::vector<std::vector<GLuint>>{{0u}});
}

void ExpectNear(const Axis& actual, const Axis& expected, const char* what) {
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(actual[i], expected[i], 2e-6) << what << " component " << i;
}

TEST_F(GraphicBaseTest, AnchorStandingFrameOrientationAndTheSettersRules) {
  QuadRenderable quad;
  float x = 0, y = 0, z = 0;
  quad.GetGLCentroid(&x, &y, &z);
  EXPECT_EQ((std::array{x, y, z}), (std::array{0.0f, 0.0f, 50000.0f})) << "far off until anchored";
  // Exaggeration and threshold reach the position only with the next anchor.
  quad.SetZExaggeration(2.0f);
  quad.SetThresholdElevation(5000.0f);
  quad.SetThresholdElevation(std::nanf(""));
  quad.GetGLCentroid(&x, &y, &z);
  EXPECT_EQ(z, 50000.0f);
  quad.SetCentroidLocation(Geopunctus(30.0f, 40.0f, 1000.0f), true);
  const double lat = 30.0 * M_PI / 180.0, lon = 40.0 * M_PI / 180.0, r = (5000.0 * 2 + 6367444.5) / 6367444.5;
  const Axis south = {std::sin(lat) * std::cos(lon), std::sin(lat) * std::sin(lon), -std::cos(lat)},
             east = {-std::sin(lon), std::cos(lon), 0.0}, west = {-east[0], -east[1], 0.0},
             up = {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)},
             down = {-up[0], -up[1], -up[2]};
  quad.GetGLCentroid(&x, &y, &z);
  ExpectNear({x, y, z}, {up[0] * r, up[1] * r, up[2] * r}, "anchor");

  // Where the local axes end up. Heading is a compass bearing (east turns
  // to south), pitch tips up towards south about east, roll tips east up
  // about south, and pitch turns about the east axis as heading left it.
  const struct { float heading, pitch, roll; Axis x, y, z; } turns[] = {
      {0, 0, 0, south, east, up},  {90, 0, 0, west, south, up},    {0, 90, 0, down, east, south},
      {0, 0, 90, south, up, west}, {90, 90, 0, down, south, west},
  };
  for (const auto& turn : turns) {
    SCOPED_TRACE(testing::Message() << turn.heading << ", " << turn.pitch << ", " << turn.roll);
    quad.SetHeading(turn.heading, false);
    quad.SetPitch(turn.pitch, false);
    quad.SetRoll(turn.roll, false);
    quad.Render();
    const auto& m = quad.modelViewSeen;
    const Axis seen[4] = {{m[0], m[1], m[2]}, {m[4], m[5], m[6]}, {m[8], m[9], m[10]}, {m[12], m[13], m[14]}};
    const Axis expected[4] = {turn.x, turn.y, turn.z, {x, y, z}};
    for (int column = 0; column < 4; ++column) ExpectNear(seen[column], expected[column], "column");
  }
  // Turns add up when asked to; NaN angles and alphas outside [0, 1] are dropped.
  quad.SetHeading(10.0f, true);
  quad.SetHeading(std::nanf(""), false);
  quad.QueryOrientation(&x, &y, &z);
  EXPECT_EQ(x, 100.0f);
  for (float alpha : {0.25f, 1.5f, -0.1f, std::nanf("")}) quad.SetAlpha(alpha);
  EXPECT_EQ(quad.GetAlpha(), 0.25f);
  quad.SetAlpha(0.0f);
  EXPECT_EQ(quad.GetAlpha(), 0.0f);
}

TEST_F(GraphicBaseTest, DepthWritesFollowOpacityAndSelectionShowsAtThirtyPercent) {
  RenderMaterial blue;
  blue.SetColor1RGB(0.0f, 0.0f, 1.0f);
  // The caller's depth mask is the opposite of what the quad needs. The
  // translucent quad is selected: yellow at 0.3 over its blue.
  for (float alpha : {0.96f, 0.94f}) {
    const bool opaque = alpha >= 0.95f;
    QuadRenderable quad;
    quad.PlaceInFront();
    quad.SetRenderMaterial(blue);
    quad.SetAlpha(alpha);
    quad.SetSelected(!opaque);
    quad.SetSelectionRGB(1.0f, 1.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDepthMask(opaque ? GL_FALSE : GL_TRUE);
    quad.Render();
    GLboolean restored = GL_FALSE;
    GLfloat depth = 0.0f;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &restored);
    glReadPixels(32, 32, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_EQ(restored == GL_TRUE, !opaque) << alpha;
    EXPECT_EQ(depth < 1.0f, opaque) << alpha << ": " << depth;
    const zelph::Rgba c = Context().ReadPixel(32, 32);
    const double yellow = opaque ? 0.0 : 0.3 * 255, blueShown = alpha * 255 * (opaque ? 1.0 : 0.7);
    EXPECT_LE(std::abs(c.r - yellow) + std::abs(c.g - yellow) + std::abs(c.b - blueShown), 3.0) << alpha << ": " << c;
    glDepthMask(GL_TRUE);
  }
}

TEST_F(GraphicBaseTest, DisplayListIsCompiledOnceRebuiltWhenInvalidatedAndAFailureCostsOneFrame) {
  auto owned = std::make_unique<QuadRenderable>();
  QuadRenderable& quad = *owned;
  const GLuint list = quad.List();
  quad.Render();
  quad.Render();
  EXPECT_TRUE(glIsList(list) && quad.builds == 1) << quad.builds;
  // After an invalidation a failed build is reported, leaves the stacks as
  // they were, and the next frame tries again.
  Logger::atlLogOutput[0] = L'\0';
  quad.InvalidateLocation();
  quad.failBuild = true;
  quad.Render();
  GLint modelViewDepth = 0, attribDepth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelViewDepth);
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &attribDepth);
  EXPECT_EQ(std::make_pair(modelViewDepth, attribDepth), std::make_pair(1, 0));
  EXPECT_TRUE(std::wstring(Logger::atlLogOutput).starts_with(L"Exception @ File: ./GraphicBaseTest Line: "))
      << Logger::atlLogOutput;
  EXPECT_FALSE(quad.ListValid());
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  quad.failBuild = false;
  quad.Render();
  EXPECT_TRUE(quad.ListValid() && quad.builds == 3) << quad.builds;
  owned.reset();
  EXPECT_FALSE(glIsList(list)) << "deleted with the renderable";
}

}  // namespace
