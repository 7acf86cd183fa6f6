// Billboards and labelled billboards: quads, outlines, selection, callouts
// and labels in feedback, textures in pixels, sensors by selection.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <tuple>
#include <type_traits>
#include <vector>

#include "render/RenderBillboard.h"
#include "render/RenderEllipsoid.h"
#include "render/RenderLabeledBillboard.h"
#include "tests/support/GLCapture.h"
#include "tests/support/GLContext.h"
#include "text/BillboardFont.h"

namespace {

using namespace zelph::test;
using Primitives = std::vector<CapturedPrimitive>;
using Kind = CapturedPrimitive::Kind;

// A billboard anchored straight at a scene position, sized unless the width is 0.
template <class Base>
struct Probe : Base {
  Probe(float x, float y, float width, float height) : Base(GraphicBase::kNextGLName) {
    this->m_GlX = x, this->m_GlY = y, this->m_GlZ = 0;
    if (width != 0) this->SetSize(width, height);
  }
  std::vector<GLuint> Lists() const {
    std::vector<GLuint> lists{this->m_DisplayList, this->m_WindVaneList};
    if constexpr (std::is_base_of_v<RenderLabeledBillboard, Base>) lists.push_back(this->m_LabelDisplayList);
    return lists;
  }
};
using Billboard = Probe<RenderBillboard>;

struct Sensor : RenderEllipsoid {
  GLuint List() const { return m_DisplayList; }
};

// A corner of the 40 x 20 quad at (128, 128).
bool Corner(const CapturedVertex& v) { return NearPixel(v, v.x < 128 ? 108 : 148, v.y < 128 ? 118 : 138); }

class BillboardRenderTest : public GLTest {
 protected:
  // Scene units are window pixels of a 256 x 256 viewport (feedback reports
  // the viewport, not the surface); the billboard matrix is the identity.
  void SetUp() override {
    GLTest::SetUp();
    UsePixelFrame(256, 256);
    Bulloriri::LoadBillboardMatrix();
  }
  // One billboard pass over the renderables, leaving no error behind.
  template <class... Renderables>
  static void Pass(Renderables&... renderables) {
    RenderBillboard::PreRender();
    (renderables.Render(), ...);
    RenderBillboard::PostRender();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  }
  static Primitives Frame(IRender& renderable) { return CaptureFeedback([&] { Pass(renderable); }); }
};

TEST_F(BillboardRenderTest, QuadCullingOutlineSelectionAndTexture) {
  Billboard billboard(128, 128, 40, 20), wire(128, 128, 40, 20), plain(20, 20, 10, 10);
  RenderMaterial material;
  material.SetColor1RGB(1, 0, 0);
  material.SetColor2RGB(0, 0, 1);
  billboard.SetRenderMaterial(material);
  billboard.SetAlpha(0.5f);
  Primitives quad = Frame(billboard);
  ASSERT_EQ(quad.size(), 2u);
  for (const CapturedPrimitive& triangle : quad) {
    for (const CapturedVertex& v : triangle.vertices) {
      EXPECT_TRUE(Corner(v)) << v.x << ", " << v.y;
      EXPECT_EQ(std::tuple(v.r, v.b, v.a), v.y > 128 ? std::tuple(1.0f, 0.0f, 0.5f) : std::tuple(0.0f, 1.0f, 0.5f));
    }
  }
  // Culling the face the quad turns to the viewer shows whether culling is
  // on (for small turns, not for one that shows the back); the caller's
  // culling is left as it was.
  for (auto [heading, culled] : {std::pair{0.0f, true}, {300.0f, true}, {180.0f, false}}) {
    billboard.SetHeading(heading, false);
    glCullFace(culled ? GL_FRONT : GL_BACK);
    EXPECT_EQ(Frame(billboard).size(), culled ? 0u : 2u) << "heading " << heading;
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
  }
  glCullFace(GL_BACK);
  // Wireframe: four sides from corner to corner, top in colour 1, bottom
  // in colour 2; the texture neither follows the outline nor leaks into a
  // plain quad drawn after it in the same pass.
  wire.SetWireframe(true);
  const GLubyte black[4] = {0, 0, 0, 255};
  material.SetTexture(MakeTexture(1, 1, black));
  wire.SetRenderMaterial(material);
  Primitives lines = Frame(wire);
  ASSERT_EQ(CountOf(lines, Kind::Line), 4);
  for (const CapturedPrimitive& line : lines) {
    const CapturedVertex &from = line.vertices[0], &to = line.vertices[1];
    EXPECT_TRUE(Corner(from) && Corner(to) && (std::lround(from.x - to.x) == 0) != (std::lround(from.y - to.y) == 0));
    for (const CapturedVertex& v : line.vertices) EXPECT_EQ(v.r, v.y > 128 ? 1.0f : 0.0f);
  }
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  Pass(wire, plain);
  EXPECT_EQ(Context().ReadPixel(20, 20), (zelph::Rgba{255, 255, 255, 255}));
  // Selected: outline or overlay in front of the quad, selection colour at 0.3.
  for (bool outline : {true, false}) {
    Billboard selected(128, 128, 40, 20);
    selected.SetSelected(true);
    selected.SetSelectionRGB(1, 0, 1);
    if (outline) selected.SetSelectOutline();
    Primitives all = Frame(selected);
    ASSERT_EQ(all.size(), outline ? 6u : 4u);
    for (size_t i = 2; i < all.size(); ++i) {
      EXPECT_EQ(all[i].kind, outline ? Kind::Line : Kind::Polygon);
      for (const CapturedVertex& v : all[i].vertices) {
        EXPECT_TRUE(Corner(v) && v.z < all[0].vertices[0].z);
        EXPECT_EQ(std::tuple(v.r, v.g, v.b, v.a), std::tuple(1.0f, 0.0f, 1.0f, 0.3f));
      }
    }
  }
  // A 2 x 2 texture (bottom row red, green; top row blue, yellow) on a quad
  // over 16..48, and the texel some pixels show (-1: a blend): stretched,
  // the middle column blends red into green; repeated, it starts red again.
  const GLubyte texels[16] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 0, 255};
  material.SetTexture(MakeTexture(2, 2, texels));
  const std::vector<std::array<int, 3>> samples[2] = {{{17, 17, 0}, {44, 17, 1}, {44, 44, 3}, {33, 17, -1}},
                                                     {{29, 17, 1}, {33, 17, 0}, {17, 29, 2}, {17, 33, 0}}};
  for (bool repeat : {false, true}) {
    Billboard textured(32, 32, 32, 32);
    material.SetTextureRepeat(repeat);
    textured.SetRenderMaterial(material);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Pass(textured);
    for (auto [x, y, texel] : samples[repeat]) {
      const zelph::Rgba pixel = Context().ReadPixel(x, y);
      auto shows = [&](int t) {
        const GLubyte* c = &texels[4 * t];
        return std::max({std::abs(pixel.r - c[0]), std::abs(pixel.g - c[1]), std::abs(pixel.b - c[2])}) < 24;
      };
      EXPECT_TRUE(texel >= 0 ? shows(texel) : !shows(0) && !shows(1)) << x << ", " << y << ": " << pixel;
    }
  }
}

TEST_F(BillboardRenderTest, CalloutWindVaneAndSensorOnTheGlobe) {
  auto useGlobe = [] {
    LookAtGlobeFromPlusX(4.0f, kWidth, kHeight);
    Bulloriri::LoadBillboardMatrix();
  };
  useGlobe();
  auto billboard = std::make_unique<Billboard>(0, 0, 0.02f, 0.02f);
  billboard->SetCentroidLocation(Geopunctus(20, 0, 100000), false);
  billboard->SetEnableCallout(true);
  billboard->SetCalloutRGB(1, 1, 0);
  billboard->SetAlpha(0.8f);
  const Geopunctus callout(-2, 3, 50000);
  billboard->SetCalloutLocation(callout);
  billboard->SetWindVaneSize(0.2f);
  float ax, ay, az, cx, cy, cz, gx, gy, gz;
  billboard->GetGLCentroid(&ax, &ay, &az);
  callout.ConvertToGLLocation(&cx, &cy, &cz, 0, 1);
  callout.ConvertToGLAnchor(&gx, &gy, &gz);
  const CapturedVertex anchor = WindowOf(ax, ay, az), point = WindowOf(cx, cy, cz), ground = WindowOf(gx, gy, gz);
  Primitives lines = Frame(*billboard);
  std::erase_if(lines, [](const CapturedPrimitive& p) { return p.kind != Kind::Line; });
  ASSERT_EQ(lines.size(), 7u);  // the callout strip and the vane's five
  EXPECT_TRUE(NearPixel(lines[0].vertices[0], anchor.x, anchor.y, 0.05f) &&
              NearPixel(lines[0].vertices[1], point.x, point.y, 0.05f) &&
              NearPixel(lines[1].vertices[1], ground.x, ground.y, 0.05f));
  EXPECT_EQ(std::tuple(lines[0].vertices[0].b, lines[0].vertices[0].a), std::tuple(0.0f, 0.8f));
  // The vane: anchor down to the foot, shaft north (up), a barb each side.
  const CapturedVertex &foot = lines[2].vertices[1], &tip = lines[3].vertices[1];
  const CapturedVertex &left = lines[4].vertices[1], &right = lines[6].vertices[1];
  EXPECT_TRUE(NearPixel(lines[2].vertices[0], anchor.x, anchor.y, 0.05f) && foot.y < anchor.y &&
              std::fabs(tip.x - foot.x) < 0.05f && tip.y > foot.y + 3);
  EXPECT_TRUE(left.y < tip.y && right.y < tip.y && (left.x - tip.x) * (right.x - tip.x) < 0);
  // A vane set to nothing leaves no arrow behind once the anchor moves.
  billboard->SetWindVaneSize(0);
  billboard->InvalidateLocation();
  EXPECT_EQ(CountOf(Frame(*billboard), Kind::Line), 2);

  // The sensor (handed in twice: the same one again is kept) is picked
  // under the billboard's name.
  billboard->SetEnableCallout(false);
  auto* sensor = new Sensor;
  sensor->SetCentroidLocation(Geopunctus(0, 10, 0), false);
  sensor->SetSize(0.2f, 0.2f, 0.2f);
  billboard->SetSensorEllipsoid(sensor);
  billboard->SetSensorEllipsoid(sensor);
  billboard->SetSensorEllipsoid(nullptr);
  float sx, sy, sz;
  sensor->GetGLCentroid(&sx, &sy, &sz);
  const CapturedVertex at = WindowOf(sx, sy, sz);
  billboard->SetGLName(77);
  EXPECT_EQ(SelectHits(int(at.x), int(at.y), 3, useGlobe, [&] { Pass(*billboard); }),
            std::vector<std::vector<GLuint>>{{77u}});
  std::vector<GLuint> lists = billboard->Lists();
  lists.push_back(sensor->List());
  EXPECT_TRUE(ListsFreedBy(lists, [&] { billboard.reset(); }));
}

TEST_F(BillboardRenderTest, LabelsSitByAngleOrRadiusAndAreRebuiltOnlyWhenTheSizeChanges) {
  BillboardFont font;
  ASSERT_FALSE(font.InitializeForText(L"I"));
  ASSERT_FALSE(font.IsUnixed()) << "no font file for the labels";
  // A 100 x 100 billboard at (128, 128) labelled "I" (an em is a fifth of the
  // quad), and the middle, bottom and top of the glyphs after the quad.
  auto make = [&](float angle, bool autoArrange = true, float radius = 0, float size = 100) {
    auto billboard = std::make_unique<Probe<RenderLabeledBillboard>>(128, 128, size, size);
    billboard->SetFont(&font);
    billboard->AddLabel(Label{L"I", angle, HAlign::CENTER, autoArrange, radius, false});
    return billboard;
  };
  auto label = [](const Primitives& all) {
    std::vector<CapturedVertex> v;
    for (size_t i = 2; i < all.size(); ++i) v.insert(v.end(), all[i].vertices.begin(), all[i].vertices.end());
    auto [left, right] = std::minmax_element(v.begin(), v.end(), [](auto& a, auto& b) { return a.x < b.x; });
    auto [bottom, top] = std::minmax_element(v.begin(), v.end(), [](auto& a, auto& b) { return a.y < b.y; });
    return std::array<float, 3>{(left->x + right->x) / 2, bottom->y, top->y};
  };
  for (auto [angle, ex, ey] : {std::tuple{0.0f, 178.0f, 128.0f}, {90.0f, 128.0f, 178.0f}, {180.0f, 78.0f, 128.0f},
                               {45.0f, 178.0f, 163.4f}, {270.0f, 128.0f, 78.0f}}) {
    const auto [middle, bottom, top] = label(Frame(*make(angle)));
    EXPECT_NEAR(middle, ex, 2.0f) << angle;
    EXPECT_TRUE(angle == 270.0f ? top < ey - 10 : std::fabs(bottom - ey) <= 1.0f) << angle;  // 270 hangs below
    EXPECT_EQ(font.GetVerticalAlignment(), VAlignment::NORMAL);  // the font's own, back after a hanging label
  }
  // Manual: Radius scene units out at the original width, further out in
  // proportion as the quad grows. Only the first width set is the original.
  auto billboard = make(0, false, 70, 0);
  billboard->SetWidth(60);
  billboard->SetWidth(90);
  billboard->SetHeight(100);
  EXPECT_NEAR(label(Frame(*billboard))[0], 128 + 70 * 90 / 60.0f, 2.0f);
  billboard->SetSize(60, 100);
  EXPECT_NEAR(label(Frame(*billboard))[0], 128 + 70, 2.0f);

  // The labels keep the opacity they were compiled with until rebuilt:
  // when the size changes, or leaves or comes back to the original.
  billboard = make(0);
  for (auto [width, height, alpha, kept] :
       {std::tuple{100.0f, 100.0f, 1.0f, false}, {100.0f, 100.0f, 0.5f, true}, {NAN, 2.0f, 0.5f, true},
        {120.0f, 100.0f, 0.5f, false}, {120.0f, 100.0f, 0.25f, false}, {100.0f, 100.0f, 0.75f, false}}) {
    billboard->SetSize(width, height);
    billboard->SetAlpha(alpha);
    EXPECT_FLOAT_EQ(Frame(*billboard).back().vertices[0].a, kept ? 1.0f : alpha) << width;
  }
  // Switched off, the labels leave the quad alone; deleting frees the lists.
  billboard->SetEnableLabels(false);
  EXPECT_EQ(Frame(*billboard).size(), 2u);
  EXPECT_TRUE(ListsFreedBy(billboard->Lists(), [&] { billboard.reset(); }));
}

}  // namespace
