// Drawing text: the glyph fonts and their cache where scene units are pixels
// (where and in what colour ink lands, what becomes of glyph lists), and the
// text point on the globe, seen from above (the camera on +X: north up, east
// right) or from the east (on +Y: up away from the globe, north right).
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "platform/Fonts.h"
#include "platform/Gdi.h"
#include "platform/StdFont.h"
#include "render/Bulloriri.h"
#include "tests/support/GLCapture.h"
#include "tests/support/GLContext.h"
#include "text/FontHelper.h"
#include "text/RenderTextPoint.h"

namespace {

using namespace zelph::test;
using Match = std::function<bool(const std::uint8_t*)>;

HFONT MakeArial() {
  return CreateFontW(-32, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                     ANTIALIASED_QUALITY, DEFAULT_PITCH, L"Arial");
}

// A standard font object of the test's own, and one that has no OS font
// handle to give.
struct LocalFont : zelph::StdFont {
  ~LocalFont() { FinalRelease(); }
  STDMETHODIMP QueryInterface(REFIID, void** object) override { return *object = nullptr, E_NOINTERFACE; }
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
};
struct HandlelessFont : LocalFont {
  STDMETHODIMP get_hFont(HFONT* font) override { return *font = nullptr, S_OK; }
};

// A white billboard font of 10 pixels an em in a frame of pixels.
class GlyphFontTest : public GLTest {
 protected:
  void SetUp() override {
    GLTest::SetUp();
    UsePixelFrame(kWidth, kHeight);
    m_Font->SetFont(m_Arial);
    m_Font->SetScale(10.0f);
    m_Font->SetGLColor(1.0f, 1.0f, 1.0f);
  }
  void TearDown() override {
    m_Font.reset();  // its lists go with a current context
    DeleteObject(m_Arial);
    GLTest::TearDown();
  }
  Ink Draw(const std::function<void()>& draw) { return DrawAndFindInk(Context(), draw); }
  // Plain text: not camera-facing, left to right.
  Ink Draw(const wchar_t* text, float x, float y) {
    return Draw([&] { m_Font->RenderString(text, x, y, 0.0f, false, false, false); });
  }

  HFONT m_Arial = MakeArial();
  std::unique_ptr<BillboardFont> m_Font = std::make_unique<BillboardFont>();
};

TEST_F(GlyphFontTest, TextLandsWhereItsMetricsSayInItsColourAndBillboardTextFacesTheCamera) {
  m_Font->SetScale(40.0f);
  m_Font->SetGLColor(1.0f, 0.5f, 0.0f);
  const Ink ink = Draw(L"H", 10.0f, 20.0f);
  ASSERT_FALSE(m_Font->IsUnixed());
  const GLYPHMETRICSFLOAT& h = m_Font->GetGlyphMetrics(L'H');
  EXPECT_NEAR(ink.left, 10.0f + 40.0f * h.gmfptGlyphOrigin.x, 1.0f);
  EXPECT_NEAR(ink.right + 1, 10.0f + 40.0f * (h.gmfptGlyphOrigin.x + h.gmfBlackBoxX), 1.0f);
  EXPECT_NEAR(ink.bottom, 20.0f, 1.0f);  // H stands on the baseline
  EXPECT_NEAR(ink.top + 1, 20.0f + 40.0f * h.gmfBlackBoxY, 1.0f);
  const zelph::Rgba stem = Context().ReadPixel(ink.left + 1, ink.bottom + 2);
  EXPECT_TRUE(stem.r == 255 && std::abs(stem.g - 128) <= 1 && stem.b == 0) << stem;
  // A camera rolled a quarter turn: billboard text still reads upright, and
  // the orientation list turns the string inside the camera-facing frame.
  m_Font->SetScale(10.0f);
  glTranslatef(32.0f, 32.0f, 0.0f);
  glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
  Bulloriri::Initialize();
  Bulloriri::LoadBillboardDisplayList();
  const Ink facing = Draw([&] { m_Font->RenderString(L"HHH", 0.0f, 0.0f, 0.0f, true, false, false); });
  EXPECT_TRUE(facing.Width() > 2 * facing.Height() && std::abs(facing.left - 32) <= 1) << facing.left;
  const GLuint halfTurn = glGenLists(1);
  glNewList(halfTurn, GL_COMPILE);
  glRotatef(180.0f, 0.0f, 0.0f, 1.0f);
  glEndList();
  m_Font->SetOrientationDisplayList(halfTurn);
  const Ink reversed = Draw([&] { m_Font->RenderString(L"HHH", 0.0f, 0.0f, 0.0f, true, true, false); });
  EXPECT_TRUE(reversed.Width() == facing.Width() && std::abs(reversed.right + 1 - 32) <= 1) << reversed.right;
  Bulloriri::UnInitialize();
}

TEST_F(GlyphFontTest, AlignmentsShiftByMeasuredWidthAndFontHeightAndNoTextDrawsNothing) {
  const Ink right = Draw([&] { m_Font->RenderStringRightAligned(L"HIH", 32.0f, 32.0f, 0.0f, false, false, false); });
  const Ink left = Draw(L"HIH", 32.0f, 32.0f);
  const Ink centre = Draw([&] { m_Font->RenderStringCenterAligned(L"HIH", 32.0f, 32.0f, 0.0f, false, false, false); });
  const float width = 10.0f * m_Font->MeasureString(L"HIH");
  ASSERT_GT(width, 15.0f);
  // The shift of the right-aligned string was used up by it.
  EXPECT_NEAR(left.left, 32.0f + 10.0f * m_Font->GetGlyphMetrics(L'H').gmfptGlyphOrigin.x, 1.0f);
  EXPECT_NEAR(left.left - right.left, width, 1.0f);
  EXPECT_NEAR(left.left - centre.left, width / 2.0f, 1.0f);
  // No text draws nothing and leaves the current colour alone; text that
  // runs right to left is drawn backwards.
  glColor4f(0.25f, 0.5f, 0.75f, 1.0f);
  const wchar_t* none = nullptr;
  EXPECT_EQ(Draw(L"", 32.0f, 32.0f).count, 0);
  EXPECT_EQ(Draw([&] { m_Font->RenderStringCenterAligned(none, 32.0f, 32.0f, 0.0f, false, false, false); }).count, 0);
  GLfloat colour[4] = {};
  glGetFloatv(GL_CURRENT_COLOR, colour);
  EXPECT_FLOAT_EQ(colour[2], 0.75f);
  EXPECT_TRUE(m_Font->InitializeForText(L"\u05E9\u05DC\u05D5\u05DD") && !m_Font->InitializeForText(L"HI"));
  Draw([&] { m_Font->RenderString(L"IH", 20.0f, 30.0f, 0.0f, false, false, true); });
  const std::vector<std::uint8_t> backwards = Context().ReadPixels();
  Draw(L"HI", 20.0f, 30.0f);
  EXPECT_TRUE(Context().ReadPixels() == backwards);
  // Each vertical alignment moves the baseline by its share of the line height.
  ASSERT_GT(m_Font->GetFontHeight(), 0.9f);
  const float height = 6.0f * m_Font->GetFontHeight();
  m_Font->SetScale(6.0f);
  const float shares[] = {0.0f, 1.35f, -1.35f, -0.5f, 0.85f, 2.1f, -1.85f, -3.1f};
  for (int alignment = 0; alignment < 8; ++alignment) {
    m_Font->SetVerticalAlignment(static_cast<VAlignment>(alignment));
    EXPECT_NEAR(Draw(L"H", 20.0f, 40.0f).bottom, 40.0f + shares[alignment] * height, 1.0f) << alignment;
  }
}

TEST_F(GlyphFontTest, GlyphsAreBuiltOutsideListCompilationAndFreedWithTheirFont) {
  // A handle that dies under a font leaves it drawing in its fallback typeface.
  HFONT doomed = MakeArial();
  m_Font->SetFont(doomed);
  m_Font->SetScale(20.0f);
  DeleteObject(doomed);
  EXPECT_GT(Draw(L"H", 20.0f, 20.0f).count, 10);
  // Compiled before its glyph exists: the string calls an empty list...
  const GLuint text = glGenLists(1);
  glNewList(text, GL_COMPILE);
  m_Font->RenderString(L"\u00E9", 20.0f, 20.0f, 0.0f, false, false, false);
  glEndList();
  EXPECT_EQ(Draw([&] { glCallList(text); }).count, 0);
  // ...which the glyph fills once the text asks for it.
  m_Font->InitializeForText(L"\u00E9");
  EXPECT_GT(Draw([&] { glCallList(text); }).count, 10);
  glDeleteLists(text, 1);
  const GLuint base = m_Font->GetListBase();
  EXPECT_TRUE(base != 0 && ListsFreedBy({base + L'A'}, [&] { m_Font.reset(); }));
  EXPECT_EQ(LiveLists({base, base + FontBase::kGlyphCount - 1}), 0);
  // The helper hands out one native font per handle, none for no font or a
  // font without a handle; it frees the glyphs of its fonts, and leaves
  // their handles to their owners.
  LocalFont small, large;
  HandlelessFont handleless;
  ASSERT_EQ(large.put_Size(CY{300000}), S_OK);
  HFONT smallHandle = nullptr;
  ASSERT_EQ(small.get_hFont(&smallHandle), S_OK);
  auto helper = std::make_unique<FontHelper>();
  BillboardFont* billboard = helper->LookupBillboardFont(&small);
  FlatGlobeFont* flat = helper->LookupExtrusionFlatFont(&small);
  ASSERT_TRUE(billboard && flat && billboard->GetFont() == smallHandle);
  EXPECT_TRUE(helper->LookupBillboardFont(&small) == billboard && helper->LookupBillboardFont(&large) != billboard);
  EXPECT_TRUE(helper->LookupExtrusionFlatFont(&small) == flat && helper->LookupExtrusionFlatFont(&large) != flat);
  EXPECT_TRUE(!helper->LookupBillboardFont(&handleless) && !helper->LookupExtrusionFlatFont(&handleless) &&
              !helper->LookupBillboardFont(nullptr));
  flat->InitializeForText(L"A");
  EXPECT_TRUE(ListsFreedBy({flat->GetListBase() + L'A'}, [&] { helper.reset(); }));
  LOGFONTW description{};
  EXPECT_TRUE(zelph::gdi::DescribeFont(smallHandle, &description));
}

// Pixels of one pure colour channel (0 red, 1 green, 2 blue).
Match Pure(int channel) {
  return [channel](const std::uint8_t* p) {
    return p[channel] > 200 && p[(channel + 1) % 3] < 50 && p[(channel + 2) % 3] < 50;
  };
}

struct ProbedTextPoint : RenderTextPoint {
  ProbedTextPoint() : RenderTextPoint(kNextGLName) {}
  std::vector<GLuint> Lists() const { return {m_DisplayList, m_OrientationDisplayList, m_WindVaneList}; }
};

// A red text point at (0, 0), a tenth of a globe radius an em, seen from above.
class TextRenderTest : public GLTest {
 protected:
  void SetUp() override {
    GLTest::SetUp();
    m_Helper = std::make_unique<FontHelper>();
    m_Text = std::make_unique<ProbedTextPoint>();
    m_Text->SetTextScale(0.1f);
    RenderMaterial red;
    red.SetColor1RGB(1.0f, 0.0f, 0.0f);
    m_Text->SetRenderMaterial(red);
    m_Text->SetCentroidLocation(Geopunctus(0.0f, 0.0f, 0.0f), false);
    LookAtGlobeFromPlusX(2.0f, kWidth, kHeight);
  }
  void TearDown() override {
    m_Text.reset();  // lists go with a current context
    m_Helper.reset();
    GLTest::TearDown();
  }

  // From the east, one globe radius out from the point above (x, 0, 0).
  static void LookFromEast(double x) {
    glLoadIdentity();
    gluLookAt(x, 1.0, 0.0, x, 0.0, 0.0, 1.0, 0.0, 0.0);
  }
  // "HH" left-aligned on its baseline in the globe font.
  void UseGlobeFont(FontMode mode) {
    m_Text->SetFlatExtrusionFont(m_Helper->LookupExtrusionFlatFont(&m_Font));
    m_Text->SetMode(mode);
    m_Text->SetHOption(static_cast<int>(HAlign::LEFT));
    m_Text->SetVOption(static_cast<int>(VAlignment::NORMAL));
    m_Text->SetText(L"HH");
  }
  Ink Draw(const Match& match = {}) { return DrawAndFindInk(Context(), [&] { m_Text->Render(); }, match); }

  LocalFont m_Font;
  std::unique_ptr<FontHelper> m_Helper;
  std::unique_ptr<ProbedTextPoint> m_Text;
};

TEST_F(TextRenderTest, BillboardTextFacesTheCameraCentredOnItsAnchor) {
  BillboardFont* font = m_Helper->LookupBillboardFont(&m_Font);
  m_Text->SetBillboardFont(font);
  m_Text->SetMode(FontMode::BILLBOARD);
  m_Text->SetText(L"HH");
  Bulloriri::Initialize();
  Bulloriri::LoadBillboardDisplayList();
  const Ink ink = Draw();
  ASSERT_GT(ink.count, 20);
  EXPECT_EQ(Draw(Pure(0)).count, ink.count) << "text in another colour than its material's";
  EXPECT_GT(ink.Width(), ink.Height());
  const CapturedVertex anchor = WindowOf(1, 0, 0);
  const double scale = WindowOf(1, 0.1, 0).x - anchor.x;  // pixels per em
  EXPECT_NEAR((ink.left + ink.right + 1) / 2.0, anchor.x, 1.5);
  // Centred vertically: the baseline half a line height below the anchor.
  const double baseline = anchor.y - 0.5 * font->GetFontHeight() * scale;
  EXPECT_NEAR(ink.bottom, baseline, 1.0);
  EXPECT_NEAR(ink.top + 1, baseline + font->GetGlyphMetrics(L'H').gmfBlackBoxY * scale, 1.0);
  // A new text shows at the next frame.
  m_Text->SetText(L"HHHH");
  EXPECT_GT(Draw().Width(), ink.Width() + 10);
  Bulloriri::UnInitialize();
}

TEST_F(TextRenderTest, UprightTextStandsOnItsAnchorAndFlatTextLiesOnTheGlobeExtrudedBelowIt) {
  // The globe font is shared with flat texts, which leave their depth in it;
  // upright text takes none of it and is seen edge-on from above.
  UseGlobeFont(FontMode::UPRIGHT);
  m_Helper->LookupExtrusionFlatFont(&m_Font)->SetGLExtrusion(0.5f);
  EXPECT_LT(Draw(Pure(0)).count, 8);
  const CapturedVertex above = WindowOf(1, 0, 0);
  LookFromEast(1.0);
  const CapturedVertex east = WindowOf(1, 0, 0);
  const Ink upright = Draw(Pure(0));
  ASSERT_GT(upright.count, 20);
  EXPECT_NEAR(upright.bottom, east.y, 1.0);
  EXPECT_TRUE(upright.left >= east.x - 0.5 && upright.left <= east.x + 2.0) << upright.left;
  EXPECT_GT(upright.Width(), upright.Height());
  // Flat, from above: the face in the material's colour, running north (up)
  // from the anchor, the tops of the letters to the west (left); the
  // extrusion shows only where it reaches out beyond the face.
  UseGlobeFont(FontMode::FLAT);
  m_Text->SetAutoExDepthEnabled(false);
  m_Text->SetExDepth(0.2f);
  RenderMaterial blue;
  blue.SetColor1RGB(0.0f, 0.0f, 1.0f);
  m_Text->SetExRenderMaterial(blue);
  LookAtGlobeFromPlusX(2.0f, kWidth, kHeight);
  const Ink face = Draw(Pure(0));
  ASSERT_GT(face.count, 20);
  EXPECT_NEAR(face.bottom, above.y, 1.5);
  EXPECT_LE(face.right, above.x + 0.5);
  EXPECT_GT(face.Height(), face.Width());
  m_Text->SetExEnabled(false);
  m_Text->SetMode(FontMode::FLAT);
  EXPECT_NEAR(Draw(Pure(0)).count, face.count, face.count / 20) << "the extrusion covers the face";
  // From the east: flat letters without extrusion show nothing edge-on;
  // extruded, they are solid in the extrusion's colour, reaching 1.1 times
  // the depth down from the face.
  LookFromEast(1.0);
  EXPECT_EQ(Draw(Pure(2)).count, 0);
  m_Text->SetExEnabled(true);
  m_Text->SetMode(FontMode::FLAT);
  const Ink solid = Draw(Pure(2));
  ASSERT_GT(solid.count, 20);
  EXPECT_LE(solid.top, east.y + 1.0);
  EXPECT_NEAR(solid.bottom, WindowOf(1.0 - 1.1 * 0.2, 0, 0).y, 2.0);
}

TEST_F(TextRenderTest, CalloutAndWindVaneGoWithTheTextAndAnEmptyTextDrawsNothing) {
  UseGlobeFont(FontMode::UPRIGHT);
  m_Text->SetText(L"");
  m_Text->SetEnableCallout(true);
  m_Text->SetCalloutRGB(0.0f, 1.0f, 0.0f);
  m_Text->SetCalloutLocation(Geopunctus(0.0f, -5.0f, 0.0f));
  EXPECT_EQ(Draw().count, 0) << "an empty text draws even its callout";
  m_Text->SetText(L"H");
  EXPECT_GT(Draw(Pure(1)).count, 5) << "the callout";
  // The wind vane's foot stands halfway down from the text to the ground.
  const float altitude = 1000000.0f;
  m_Text->SetCentroidLocation(Geopunctus(0.0f, 0.0f, altitude), false);
  m_Text->SetWindVaneSize(0.05f);
  m_Text->InvalidateLocation();
  LookFromEast(1.1);
  const CapturedVertex foot = WindowOf(1 + 0.5 * altitude / Geopunctus::GLOBE_RADIUS_METERS, 0, 0);
  const auto primitives = CaptureFeedback([&] { m_Text->Render(); });
  EXPECT_TRUE(std::any_of(primitives.begin(), primitives.end(), [&](const CapturedPrimitive& p) {
    return p.kind == CapturedPrimitive::Line && NearPixel(p.vertices[1], foot.x, foot.y, 0.5f);
  }));
  EXPECT_TRUE(ListsFreedBy(m_Text->Lists(), [&] { m_Text.reset(); }));
}

}  // namespace
