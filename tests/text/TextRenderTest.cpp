// The text point renderable on the globe, seen from above (the camera on
// +X over latitude 0, longitude 0: north up, east right) or from the east
// (the camera on +Y, looking west: up is away from the globe, north right).
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>

#include "geometry/Geopunctus.h"
#include "platform/ClassRegistry.h"
#include "platform/ComPtr.h"
#include "platform/OleFont.h"
#include "render/Bulloriri.h"
#include "tests/support/GLCapture.h"
#include "tests/text/TextPixels.h"
#include "text/FontHelper.h"
#include "text/RenderTextPoint.h"

namespace {

using zelph::test::DrawAndFindInk;
using zelph::test::Ink;

struct WindowPoint {
  double x, y;
};

WindowPoint Project(float x, float y, float z) {
  GLdouble modelView[16], projection[16];
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  WindowPoint point{};
  GLdouble depth = 0.0;
  gluProject(x, y, z, modelView, projection, viewport, &point.x, &point.y, &depth);
  return point;
}

bool Red(const std::uint8_t* pixel) { return pixel[0] > 200 && pixel[1] < 50 && pixel[2] < 50; }
bool Green(const std::uint8_t* pixel) { return pixel[1] > 200 && pixel[0] < 50 && pixel[2] < 50; }
bool Blue(const std::uint8_t* pixel) { return pixel[2] > 200 && pixel[0] < 50 && pixel[1] < 50; }

RenderMaterial Coloured(float r, float g, float b) {
  RenderMaterial material;
  material.SetColor1RGB(r, g, b);
  return material;
}

// Exposes the lists a text point owns.
class ProbedTextPoint : public RenderTextPoint {
 public:
  ProbedTextPoint() : RenderTextPoint(kNextGLName) {}
  GLuint TextList() const { return m_DisplayList; }
  GLuint OrientationList() const { return m_OrientationDisplayList; }
  GLuint WindVaneList() const { return m_WindVaneList; }
};

class TextRenderTest : public zelph::test::GLTest {
 protected:
  void SetUp() override {
    GLTest::SetUp();
    ASSERT_EQ(CoCreateInstance(CLSID_StdFont, nullptr, CLSCTX_INPROC_SERVER, IID_IFont,
                               reinterpret_cast<void**>(&m_Font)),
              S_OK);
    m_Helper = std::make_unique<FontHelper>();
    m_Text = std::make_unique<ProbedTextPoint>();
    m_Text->SetTextScale(0.1f);
    m_Text->SetRenderMaterial(Coloured(1.0f, 0.0f, 0.0f));
    m_Text->SetCentroidLocation(Geopunctus(0.0f, 0.0f, 0.0f), false);
    LookFromAbove();
  }

  void TearDown() override {
    // Lists go with a current context.
    m_Text.reset();
    m_Helper.reset();
    GLTest::TearDown();
  }

  void LookFromAbove() { zelph::test::LookAtGlobeFromPlusX(2.0f, kWidth, kHeight); }
  // From the east, one globe radius out from the point above (x, 0, 0).
  void LookFromEast(double x) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(x, 1.0, 0.0, x, 0.0, 0.0, 1.0, 0.0, 0.0);
  }

  void UseGlobeFont(FontMode mode) {
    m_Text->SetFlatExtrusionFont(m_Helper->LookupExtrusionFlatFont(m_Font));
    m_Text->SetMode(mode);
  }

  Ink Draw(const std::function<bool(const std::uint8_t*)>& match = {}) {
    return DrawAndFindInk(Context(), [&] { m_Text->Render(); }, match);
  }

  CComPtr<IFont> m_Font;
  std::unique_ptr<FontHelper> m_Helper;
  std::unique_ptr<ProbedTextPoint> m_Text;
};

TEST_F(TextRenderTest, BillboardTextFacesTheCameraCentredOnItsAnchor) {
  BillboardFont* font = m_Helper->LookupBillboardFont(m_Font);
  m_Text->SetBillboardFont(font);
  m_Text->SetMode(FontMode::BILLBOARD);
  m_Text->SetText(L"HH");
  Bulloriri::Initialize();
  Bulloriri::LoadBillboardDisplayList();

  const Ink ink = Draw();
  ASSERT_GT(ink.count, 20);
  EXPECT_EQ(Draw(Red).count, ink.count) << "text in another colour than its material's";
  EXPECT_GT(ink.Width(), ink.Height());
  const WindowPoint anchor = Project(1.0f, 0.0f, 0.0f);
  const double scale = Project(1.0f, 0.1f, 0.0f).x - anchor.x;  // pixels per em
  EXPECT_NEAR((ink.left + ink.right + 1) / 2.0, anchor.x, 1.5);
  // Centred vertically: the baseline half a line height below the anchor.
  const GLYPHMETRICSFLOAT& h = font->GetGlyphMetrics(L'H');
  EXPECT_NEAR(ink.bottom, anchor.y - 0.5 * font->GetFontHeight() * scale, 1.0);
  EXPECT_NEAR(ink.top + 1, anchor.y + (h.gmfBlackBoxY - 0.5 * font->GetFontHeight()) * scale, 1.0);

  // A new text shows at the next frame.
  m_Text->SetText(L"HHHH");
  EXPECT_GT(Draw().Width(), ink.Width() + 10);
  Bulloriri::UnInitialize();
}

TEST_F(TextRenderTest, UprightTextStandsOnItsAnchorRunningNorth) {
  UseGlobeFont(FontMode::UPRIGHT);
  m_Text->SetHOption(static_cast<int>(HAlign::LEFT));
  m_Text->SetVOption(static_cast<int>(VAlignment::NORMAL));
  m_Text->SetText(L"HH");
  // The globe font is shared with flat texts, which leave their depth in it;
  // upright text takes none of it and is seen edge-on from above.
  m_Helper->LookupExtrusionFlatFont(m_Font)->SetGLExtrusion(0.5f);
  EXPECT_LT(Draw(Red).count, 8);
  LookFromEast(1.0);
  const Ink ink = Draw(Red);
  ASSERT_GT(ink.count, 20);
  const WindowPoint anchor = Project(1.0f, 0.0f, 0.0f);
  EXPECT_NEAR(ink.bottom, anchor.y, 1.0);
  EXPECT_GE(ink.left, anchor.x - 0.5);
  EXPECT_LE(ink.left, anchor.x + 2.0);
  EXPECT_GT(ink.Width(), ink.Height());
}

TEST_F(TextRenderTest, FlatTextLiesOnTheGlobeAndIsExtrudedBelowIt) {
  UseGlobeFont(FontMode::FLAT);
  m_Text->SetHOption(static_cast<int>(HAlign::LEFT));
  m_Text->SetVOption(static_cast<int>(VAlignment::NORMAL));
  m_Text->SetAutoExDepthEnabled(false);
  m_Text->SetExDepth(0.2f);
  m_Text->SetExRenderMaterial(Coloured(0.0f, 0.0f, 1.0f));
  m_Text->SetText(L"HH");

  // From above: the face in the material's colour, running north (up) from
  // the anchor, the tops of the letters to the west (left), the extrusion
  // showing only where it reaches out beyond the face.
  const Ink face = Draw(Red);
  ASSERT_GT(face.count, 20);
  const WindowPoint anchor = Project(1.0f, 0.0f, 0.0f);
  EXPECT_NEAR(face.bottom, anchor.y, 1.5);
  EXPECT_LE(face.right, anchor.x + 0.5);
  EXPECT_GT(face.Height(), face.Width());
  m_Text->SetExEnabled(false);
  m_Text->SetMode(FontMode::FLAT);
  EXPECT_NEAR(Draw(Red).count, face.count, face.count / 20) << "the extrusion covers the face";
  m_Text->SetExEnabled(true);
  m_Text->SetMode(FontMode::FLAT);

  // From the east: solid letters in the extrusion's colour reaching 1.1
  // times the depth down from the face.
  LookFromEast(1.0);
  const Ink solid = Draw(Blue);
  ASSERT_GT(solid.count, 20);
  const WindowPoint eastAnchor = Project(1.0f, 0.0f, 0.0f);
  EXPECT_LE(solid.top, eastAnchor.y + 1.0);
  EXPECT_NEAR(solid.bottom, Project(1.0f - 1.1f * 0.2f, 0.0f, 0.0f).y, 2.0);

  // Without extrusion the letters are flat: nothing of them shows edge-on.
  m_Text->SetExEnabled(false);
  m_Text->SetMode(FontMode::FLAT);
  EXPECT_EQ(Draw(Blue).count, 0);
}

TEST_F(TextRenderTest, CalloutAndWindVaneGoWithTheTextAndAnEmptyTextDrawsNothing) {
  UseGlobeFont(FontMode::UPRIGHT);
  m_Text->SetEnableCallout(true);
  m_Text->SetCalloutRGB(0.0f, 1.0f, 0.0f);
  m_Text->SetCalloutLocation(Geopunctus(0.0f, -5.0f, 0.0f));
  EXPECT_EQ(Draw().count, 0) << "an empty text draws even its callout";

  m_Text->SetText(L"H");
  const Ink callout = Draw(Green);
  ASSERT_GT(callout.count, 5);
  EXPECT_NEAR(callout.right, 32.0, 1.5);
  EXPECT_NEAR(callout.left, Project(std::cos(0.0872665f), -std::sin(0.0872665f), 0.0f).x, 1.5);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

  // The wind vane's foot stands halfway down from the text to the ground.
  const float altitude = 1000000.0f;
  m_Text->SetCentroidLocation(Geopunctus(0.0f, 0.0f, altitude), false);
  m_Text->SetWindVaneSize(0.05f);
  m_Text->InvalidateLocation();
  const float footX = (Geopunctus::GLOBE_RADIUS_METERS + 0.5f * altitude) / Geopunctus::GLOBE_RADIUS_METERS;
  LookFromEast(1.1);
  const WindowPoint foot = Project(footX, 0.0f, 0.0f);
  bool footSeen = false;
  for (const auto& primitive : zelph::test::CaptureFeedback([&] { m_Text->Render(); })) {
    if (primitive.kind != zelph::test::CapturedPrimitive::Line) continue;
    for (const auto& vertex : primitive.vertices) {
      footSeen |= std::abs(vertex.x - foot.x) < 0.5 && std::abs(vertex.y - foot.y) < 0.5;
    }
  }
  EXPECT_TRUE(footSeen);

  const GLuint lists[] = {m_Text->TextList(), m_Text->OrientationList(), m_Text->WindVaneList()};
  for (GLuint list : lists) EXPECT_TRUE(glIsList(list));
  m_Text.reset();
  for (GLuint list : lists) EXPECT_FALSE(glIsList(list));
}

}  // namespace
