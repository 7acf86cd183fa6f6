// The renderable base through the smallest renderable there is: a unit quad
// drawn the way every concrete renderable draws, so that names, opacity,
// depth writes, the standing frame and orientation, the anchor and the
// lifetime of the display list can be watched from outside.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "frame/Logger.h"
#include "render/Glomarch.h"
#include "render/GraphicBase.h"
#include "tests/support/GLContext.h"

namespace {

using Matrix = std::array<GLfloat, 16>;

class QuadRenderable : public GraphicBase {
 public:
  explicit QuadRenderable(GLuint name = kNextGLName) : GraphicBase(name) {}

  void InvalidateLocation() override { m_ValidDisplayList = false; }
  void InvalidateOrientation() override { m_ValidDisplayList = false; }
  void InvalidateSize() override { m_ValidDisplayList = false; }

  void Render() override {
    Guarded(L"Render", [&] {
      if (!m_Visible) return;
      DrawingState state;
      ModelViewScope modelView;
      TranslateToAnchor();
      if (standing) {
        ApplyLocalFrame();
        ApplyOrientation();
      }
      glGetFloatv(GL_MODELVIEW_MATRIX, modelViewSeen.data());
      CallMainList([&] { Build(); });
      GLboolean mask = GL_FALSE;
      glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
      depthWritesSeen = (mask == GL_TRUE);
    });
  }

  // Puts the anchor straight at a scene position, skipping the globe.
  void PlaceAt(float x, float y, float z) {
    m_GlX = x;
    m_GlY = y;
    m_GlZ = z;
  }
  GLuint List() const { return m_DisplayList; }
  bool ListValid() const { return m_ValidDisplayList; }

  bool standing = true;
  bool failBuild = false;
  int builds = 0;
  Matrix modelViewSeen{};
  bool depthWritesSeen = false;

 private:
  void Build() {
    ++builds;
    if (failBuild) throw std::runtime_error("no geometry");
    ApplyDepthMask();
    m_RenderMat.ApplyColor1(m_Alpha);
    glBegin(GL_QUADS);
    glVertex2f(-0.5f, -0.5f);
    glVertex2f(0.5f, -0.5f);
    glVertex2f(0.5f, 0.5f);
    glVertex2f(-0.5f, 0.5f);
    glEnd();
    if (m_Selected) {
      ApplySelectionColor();
      glRectf(-0.5f, -0.5f, 0.5f, 0.5f);
    }
  }
};

class GraphicBaseTest : public zelph::test::GLTest {
 protected:
  void SetUp() override {
    GLTest::SetUp();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    Logger::atlLogOutput[0] = L'\0';
  }
};

TEST_F(GraphicBaseTest, NamesComeFromTheCounterUnlessGiven) {
  const GLuint next = Glomarch::GetNextGLNameNoInc();
  QuadRenderable counted;
  EXPECT_EQ(counted.GetGLName(), next);
  EXPECT_EQ(Glomarch::GetNextGLNameNoInc(), next + 1);

  QuadRenderable given(7);
  EXPECT_EQ(given.GetGLName(), 7u);
  EXPECT_EQ(Glomarch::GetNextGLNameNoInc(), next + 1);
  given.SetGLName(42);
  EXPECT_EQ(given.GetGLName(), 42u);

  // The name is loaded before the list plays, unless the renderable is
  // nameless and so draws under whatever name the caller has loaded.
  given.standing = false;
  given.PlaceAt(0.0f, 0.0f, -0.5f);
  auto namesHit = [&] {
    std::vector<GLuint> buffer(64);
    glSelectBuffer(static_cast<GLsizei>(buffer.size()), buffer.data());
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(3);
    given.Render();
    const GLint hits = glRenderMode(GL_RENDER);
    std::vector<GLuint> names;
    for (GLint i = 0, at = 0; i < hits; ++i) {
      const GLuint count = buffer[at];
      names.insert(names.end(), buffer.begin() + at + 3, buffer.begin() + at + 3 + count);
      at += 3 + static_cast<GLint>(count);
    }
    return names;
  };
  EXPECT_EQ(namesHit(), std::vector<GLuint>{42u});
  given.SetNameless(true);
  EXPECT_EQ(namesHit(), std::vector<GLuint>{3u});
}

TEST_F(GraphicBaseTest, DefaultsAndTheRulesOfTheSetters) {
  QuadRenderable quad;
  EXPECT_EQ(quad.GetUID().View(), L"");
  EXPECT_EQ(quad.GetNameBSTR().View(), L"UNINITIALIZED");
  // Getters hand out copies that outlive changes to the renderable.
  quad.SetUID(CComBSTR(L"uid-1"));
  CComBSTR uid = quad.GetUID();
  quad.SetUID(CComBSTR(L"uid-2"));
  EXPECT_EQ(uid.View(), L"uid-1");
  EXPECT_EQ(quad.GetUID().View(), L"uid-2");
  quad.SetNameBSTR(CComBSTR(L"Tower"));
  EXPECT_EQ(quad.GetNameBSTR().View(), L"Tower");

  quad.SetSelectOutline();
  quad.SetSelectOverlay();
  EXPECT_FALSE(quad.GetSelectOutline());

  const float nan = std::nanf("");
  quad.SetAlpha(0.5f);
  quad.SetAlpha(1.5f);
  quad.SetAlpha(-0.1f);
  quad.SetAlpha(nan);
  EXPECT_EQ(quad.GetAlpha(), 0.5f);
  quad.SetAlpha(0.0f);
  EXPECT_EQ(quad.GetAlpha(), 0.0f);
  quad.SetAlpha(1.0f);
  EXPECT_EQ(quad.GetAlpha(), 1.0f);

  quad.SetScale(2.5f);
  quad.SetScale(nan);
  EXPECT_EQ(quad.GetScale(), 2.5f);
  quad.SetThresholdElevation(-300.0f);
  quad.SetThresholdElevation(nan);
  EXPECT_EQ(quad.GetThresholdElevation(), -300.0f);

  quad.SetHeading(10.0f, true);
  quad.SetHeading(10.0f, true);
  quad.SetHeading(nan, false);
  quad.SetPitch(5.0f, false);
  quad.SetPitch(nan, true);
  quad.SetPitch(-2.0f, true);
  quad.SetRoll(30.0f, true);
  quad.SetRoll(-45.0f, false);
  float heading = 0, pitch = 0, roll = 0;
  quad.QueryOrientation(&heading, &pitch, &roll);
  EXPECT_EQ(heading, 20.0f);
  EXPECT_EQ(pitch, 3.0f);
  EXPECT_EQ(roll, -45.0f);
}

// Local axes of the frame standing at a place, from the place's geometry.
struct StandingAxes {
  std::array<double, 3> south, east, up;
};

StandingAxes AxesAt(double latDegrees, double lonDegrees) {
  const double lat = latDegrees * M_PI / 180.0, lon = lonDegrees * M_PI / 180.0;
  return {{std::sin(lat) * std::cos(lon), std::sin(lat) * std::sin(lon), -std::cos(lat)},
          {-std::sin(lon), std::cos(lon), 0.0},
          {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)}};
}

// Where the model-view sends a local direction.
std::array<double, 3> Direction(const Matrix& m, double x, double y, double z) {
  return {m[0] * x + m[4] * y + m[8] * z, m[1] * x + m[5] * y + m[9] * z, m[2] * x + m[6] * y + m[10] * z};
}

void ExpectNear(const std::array<double, 3>& actual, const std::array<double, 3>& expected, const char* what) {
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(actual[i], expected[i], 2e-6) << what << " component " << i;
}

std::array<double, 3> Neg(const std::array<double, 3>& v) { return {-v[0], -v[1], -v[2]}; }

TEST_F(GraphicBaseTest, StandingFrameOrientationAndPlacement) {
  QuadRenderable quad;
  // Until an anchor is set the renderable sits far off the globe.
  float x = 0, y = 0, z = 0;
  quad.GetGLCentroid(&x, &y, &z);
  EXPECT_EQ((std::array<float, 3>{x, y, z}), (std::array<float, 3>{0.0f, 0.0f, 50000.0f}));
  quad.standing = false;
  quad.Render();
  EXPECT_EQ(quad.modelViewSeen[12], 0.0f);
  EXPECT_EQ(quad.modelViewSeen[13], 0.0f);
  EXPECT_EQ(quad.modelViewSeen[14], 50000.0f);

  // Exaggeration and threshold reach the position only with the next anchor.
  constexpr double radius = 6367444.5;
  quad.SetZExaggeration(2.0f);
  quad.SetThresholdElevation(5000.0f);
  quad.GetGLCentroid(&x, &y, &z);
  EXPECT_EQ(z, 50000.0f);
  quad.SetCentroidLocation(Geopunctus(30.0f, 40.0f, 1000.0f), true);
  const StandingAxes axes = AxesAt(30.0, 40.0);
  const double distance = (5000.0 * 2.0 + radius) / radius;
  quad.GetGLCentroid(&x, &y, &z);
  ExpectNear({x, y, z}, {axes.up[0] * distance, axes.up[1] * distance, axes.up[2] * distance}, "anchor");

  quad.standing = true;
  quad.Render();
  ExpectNear({quad.modelViewSeen[12], quad.modelViewSeen[13], quad.modelViewSeen[14]}, {x, y, z}, "origin");

  // Where the local axes end up for each orientation. Every angle is given
  // as two equal turns that must add up. Heading is a compass bearing (east
  // turns to south), pitch tips up towards south about east, roll tips east
  // up about south, and pitch turns about the east axis as heading left it.
  const std::array<double, 3> west = Neg(axes.east), down = Neg(axes.up);
  struct Turn {
    const char* what;
    float heading, pitch, roll;
    std::array<double, 3> x, y, z;
  };
  const Turn turns[] = {
      {"frame only", 0, 0, 0, axes.south, axes.east, axes.up},
      {"heading 90", 90, 0, 0, west, axes.south, axes.up},
      {"pitch 90", 0, 90, 0, down, axes.east, axes.south},
      {"roll 90", 0, 0, 90, axes.south, axes.up, west},
      {"heading 90 then pitch 90", 90, 90, 0, down, axes.south, west},
  };
  for (const Turn& turn : turns) {
    SCOPED_TRACE(turn.what);
    quad.SetHeading(0.0f, false);
    quad.SetPitch(0.0f, false);
    quad.SetRoll(0.0f, false);
    for (int half = 0; half < 2; ++half) {
      quad.SetHeading(turn.heading / 2, true);
      quad.SetPitch(turn.pitch / 2, true);
      quad.SetRoll(turn.roll / 2, true);
    }
    quad.Render();
    ExpectNear(Direction(quad.modelViewSeen, 1, 0, 0), turn.x, "+X");
    ExpectNear(Direction(quad.modelViewSeen, 0, 1, 0), turn.y, "+Y");
    ExpectNear(Direction(quad.modelViewSeen, 0, 0, 1), turn.z, "+Z");
  }
  // The matrix mode and stack are as the caller left them.
  Matrix after{};
  glGetFloatv(GL_MODELVIEW_MATRIX, after.data());
  EXPECT_EQ(after, (Matrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
}

// The colour at the centre after a translucent or opaque quad is drawn
// near the eye and an opaque red one behind it.
// The caller's depth mask while the quad renders is `callerMask`.
zelph::Rgba CentreAfterRedBehind(zelph::test::GLContext& context, QuadRenderable& quad, GLboolean callerMask) {
  glDepthMask(GL_TRUE);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glDepthMask(callerMask);
  quad.Render();
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LESS);
  glColor4f(1, 0, 0, 1);
  glBegin(GL_QUADS);
  glVertex3f(-1, -1, 0.5f);
  glVertex3f(1, -1, 0.5f);
  glVertex3f(1, 1, 0.5f);
  glVertex3f(-1, 1, 0.5f);
  glEnd();
  glDisable(GL_DEPTH_TEST);
  return context.ReadPixel(32, 32);
}

TEST_F(GraphicBaseTest, DepthWritesFollowOpacity) {
  RenderMaterial blue;
  blue.SetColor1RGB(0.0f, 0.0f, 1.0f);
  for (float alpha : {0.96f, 0.94f}) {
    SCOPED_TRACE(alpha);
    const bool opaque = alpha > 0.95f;
    QuadRenderable quad;
    quad.standing = false;
    quad.PlaceAt(0.0f, 0.0f, -0.5f);
    quad.SetRenderMaterial(blue);
    quad.SetAlpha(alpha);
    // The caller's setting is the opposite, so only the list can make it.
    const zelph::Rgba centre = CentreAfterRedBehind(Context(), quad, opaque ? GL_FALSE : GL_TRUE);
    EXPECT_EQ(quad.depthWritesSeen, opaque);
    GLboolean restored = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &restored);
    EXPECT_EQ(restored == GL_TRUE, !opaque);
    glDepthMask(GL_TRUE);
    if (opaque) {
      EXPECT_EQ(centre.r, 0) << centre;
      EXPECT_NEAR(centre.b, alpha * 255, 1.5) << centre;
    } else {
      EXPECT_EQ(centre.r, 255) << centre;
      EXPECT_EQ(centre.b, 0) << centre;
    }
  }
}

TEST_F(GraphicBaseTest, SelectionIsDrawnInTheSelectionColourAtThirtyPercent) {
  RenderMaterial blue;
  blue.SetColor1RGB(0.0f, 0.0f, 1.0f);
  QuadRenderable quad;
  quad.standing = false;
  quad.PlaceAt(0.0f, 0.0f, -0.5f);
  quad.SetRenderMaterial(blue);
  // Translucent, so the overlay at the same depth is not hidden by the quad.
  quad.SetAlpha(0.5f);
  quad.SetSelected(true);
  quad.SetSelectionRGB(1.0f, 1.0f, 0.0f);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  quad.Render();
  // Black, then blue at 0.5, then yellow at 0.3 over both.
  const zelph::Rgba centre = Context().ReadPixel(32, 32);
  EXPECT_NEAR(centre.r, 0.3 * 255, 1.5) << centre;
  EXPECT_NEAR(centre.g, 0.3 * 255, 1.5) << centre;
  EXPECT_NEAR(centre.b, 0.5 * 0.7 * 255, 1.5) << centre;
}

TEST_F(GraphicBaseTest, DisplayListIsCompiledOnceAndRebuiltWhenInvalidated) {
  GLuint list = 0;
  {
    QuadRenderable quad;
    list = quad.List();
    ASSERT_NE(list, 0u);
    EXPECT_FALSE(quad.ListValid());
    EXPECT_EQ(quad.builds, 0);

    quad.Render();
    quad.Render();
    quad.Render();
    EXPECT_EQ(quad.builds, 1);
    EXPECT_TRUE(glIsList(list));
    EXPECT_TRUE(quad.ListValid());

    quad.InvalidateLocation();
    quad.Render();
    quad.Render();
    EXPECT_EQ(quad.builds, 2);
    EXPECT_EQ(quad.List(), list);

    // Invisible: nothing is drawn, so nothing is rebuilt either.
    quad.InvalidateSize();
    quad.SetVisible(false);
    quad.Render();
    EXPECT_EQ(quad.builds, 2);
    quad.SetVisible(true);
    quad.Render();
    EXPECT_EQ(quad.builds, 3);
  }
  EXPECT_FALSE(glIsList(list));
}

TEST_F(GraphicBaseTest, AFailedBuildCostsOneFrameAndLeavesStateAlone) {
  QuadRenderable quad;
  quad.failBuild = true;
  GLint modelViewDepth = 0, attribDepth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelViewDepth);
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &attribDepth);

  quad.Render();
  EXPECT_EQ(std::wstring(Logger::atlLogOutput).rfind(L"Exception @ File: ./GraphicBaseTest Line: ", 0), 0u)
      << Logger::atlLogOutput;
  EXPECT_FALSE(quad.ListValid());
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  EXPECT_EQ(depth, modelViewDepth);
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depth);
  EXPECT_EQ(depth, attribDepth);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

  // The next frame tries again and succeeds.
  quad.failBuild = false;
  quad.Render();
  EXPECT_TRUE(quad.ListValid());
  EXPECT_EQ(quad.builds, 2);
}

}  // namespace
