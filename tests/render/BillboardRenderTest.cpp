// Billboards and labelled billboards, watched through what they emit: the
// quad's corners, colours and culling, outlines and selection in feedback,
// textures in pixels, the callout, wind vane and sensor on the globe, and
// where and when the labels are drawn.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
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

using zelph::test::CapturedPrimitive;
using zelph::test::CapturedVertex;
using zelph::test::CaptureFeedback;
using Primitives = std::vector<CapturedPrimitive>;
using Kind = CapturedPrimitive::Kind;

// A billboard with its anchor straight at a scene position, sized unless
// the width is 0, showing its lists.
template <class Base>
class Probe : public Base {
 public:
  Probe(float x = 0, float y = 0, float width = 1, float height = 1) : Base(GraphicBase::kNextGLName) {
    this->m_GlX = x, this->m_GlY = y, this->m_GlZ = 0;
    if (width != 0) this->SetSize(width, height);
  }
  std::vector<GLuint> Lists() const {
    std::vector<GLuint> lists{this->m_DisplayList, this->m_WindVaneList, this->m_OrientationDisplayList};
    if constexpr (std::is_base_of_v<RenderLabeledBillboard, Base>) lists.push_back(this->m_LabelDisplayList);
    return lists;
  }
};
using Billboard = Probe<RenderBillboard>;
using Labeled = Probe<RenderLabeledBillboard>;

class Sensor : public RenderEllipsoid {
 public:
  GLuint List() const { return m_DisplayList; }
};

RenderMaterial Colours(float r1, float g1, float b1, float r2, float g2, float b2) {
  RenderMaterial material;
  material.SetColor1RGB(r1, g1, b1);
  material.SetColor2RGB(r2, g2, b2);
  return material;
}

bool At(const CapturedVertex& v, float x, float y, float tolerance = 0.01f) {
  return std::fabs(v.x - x) <= tolerance && std::fabs(v.y - y) <= tolerance;
}

class BillboardRenderTest : public zelph::test::GLTest {
 protected:
  // Scene units are window pixels of a 256 x 256 viewport (feedback reports
  // the viewport, not the surface); the camera does not turn, so the
  // billboard matrix is the identity.
  void SetUp() override {
    GLTest::SetUp();
    UseFrame(256);
  }
  static void UseFrame(int side) {
    zelph::test::UsePixelFrame(side, side);
    Bulloriri::LoadBillboardMatrix();
  }
  static void UseGlobe() {
    zelph::test::LookAtGlobeFromPlusX(4.0f, kWidth, kHeight);
    Bulloriri::LoadBillboardMatrix();
  }

  // One billboard pass; no error may be left behind.
  static void Pass(IRender& renderable) {
    RenderBillboard::PreRender();
    renderable.Render();
    RenderBillboard::PostRender();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  }
  static Primitives Frame(IRender& renderable) { return CaptureFeedback([&] { Pass(renderable); }); }

  static CapturedVertex Project(float x, float y, float z) {
    GLdouble model[16], projection[16], wx = 0, wy = 0, wz = 0;
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    gluProject(x, y, z, model, projection, viewport, &wx, &wy, &wz);
    return CapturedVertex{float(wx), float(wy), float(wz), 0, 0, 0, 0, 0, 0};
  }

  static GLuint MakeTexture(int width, int height, const GLubyte* rgba) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return texture;
  }
};

TEST_F(BillboardRenderTest, QuadCornersColoursAndCullingByTurn) {
  Billboard billboard(128, 128, 40, 20);
  billboard.SetRenderMaterial(Colours(1, 0, 0, 0, 0, 1));
  billboard.SetAlpha(0.5f);
  Primitives quad = Frame(billboard);
  ASSERT_EQ(quad.size(), 2u);
  for (const CapturedPrimitive& triangle : quad) {
    for (const CapturedVertex& v : triangle.vertices) {
      const bool top = At(v, 108, 138) || At(v, 148, 138);
      EXPECT_TRUE(top || At(v, 108, 118) || At(v, 148, 118)) << v.x << ", " << v.y;
      EXPECT_EQ(v.r, top ? 1.0f : 0.0f);
      EXPECT_EQ(v.b, top ? 0.0f : 1.0f);
      EXPECT_FLOAT_EQ(v.a, 0.5f);
    }
  }
  // Culling the face the quad turns to the viewer shows whether culling is
  // on: it is for small turns, off for a turn that shows the back; the
  // caller's culling is left as it was.
  for (auto [heading, culled] : {std::pair{0.0f, true}, {10.0f, true}, {300.0f, true}, {180.0f, false}}) {
    billboard.SetHeading(heading, false);
    glCullFace(culled ? GL_FRONT : GL_BACK);
    EXPECT_EQ(Frame(billboard).size(), culled ? 0u : 2u) << "heading " << heading;
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
  }
  glCullFace(GL_BACK);
}

TEST_F(BillboardRenderTest, WireframeAndSelectionOutlineAndOverlay) {
  Billboard wire(128, 128, 40, 20);
  wire.SetWireframe(true);
  RenderMaterial material = Colours(0, 1, 0, 1, 0, 0);
  const GLubyte black[4] = {0, 0, 0, 255};
  GLuint texture = MakeTexture(1, 1, black);
  material.SetTexture(texture);
  wire.SetRenderMaterial(material);
  Primitives lines = Frame(wire);
  ASSERT_EQ(lines.size(), 4u);
  const float sides[4][4] = {{108, 138, 108, 118}, {108, 118, 148, 118}, {148, 118, 148, 138}, {148, 138, 108, 138}};
  for (int i = 0; i < 4; ++i) {
    const auto& [from, to] = std::pair(lines[i].vertices[0], lines[i].vertices[1]);
    EXPECT_TRUE(At(from, sides[i][0], sides[i][1]) && At(to, sides[i][2], sides[i][3])) << "side " << i;
    for (const CapturedVertex& v : lines[i].vertices) EXPECT_EQ(v.g, v.y > 128 ? 1.0f : 0.0f);
  }
  // The texture does not follow the outline, nor leak into a plain quad
  // drawn after it in the same pass.
  Billboard plain(20, 20, 10, 10);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  RenderBillboard::PreRender();
  wire.Render();
  plain.Render();
  RenderBillboard::PostRender();
  EXPECT_EQ(Context().ReadPixel(20, 20), (zelph::Rgba{255, 255, 255, 255}));
  glDeleteTextures(1, &texture);

  // Selected: the outline or the overlay in the selection colour at 0.3, in
  // front of the quad.
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
        EXPECT_TRUE(At(v, v.x < 128 ? 108 : 148, v.y < 128 ? 118 : 138) && v.z < all[0].vertices[0].z);
        EXPECT_EQ(std::tuple(v.r, v.g, v.b, v.a), std::tuple(1.0f, 0.0f, 1.0f, 0.3f));
      }
    }
  }
}

TEST_F(BillboardRenderTest, TextureStretchesOnceOrRepeatsTwiceEachWay) {
  UseFrame(64);
  // Bottom row red, green; top row blue, yellow.
  const GLubyte texels[16] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 0, 255};
  GLuint texture = MakeTexture(2, 2, texels);
  // Pixels of a quad over 16..48 and the texel each shows (0 red, 1 green,
  // 2 blue, 3 yellow, -1 a blend): stretched, the middle column blends red
  // into green; repeated, it starts red again.
  const std::vector<std::array<int, 3>> samples[2] = {{{17, 17, 0}, {44, 17, 1}, {44, 44, 3}, {33, 17, -1}},
                                                     {{17, 17, 0}, {29, 17, 1}, {33, 17, 0}, {17, 29, 2}, {17, 33, 0}}};
  for (bool repeat : {false, true}) {
    Billboard billboard(32, 32, 32, 32);
    RenderMaterial material = Colours(0, 0, 0, 0, 0, 0);  // textured quads are drawn in white
    material.SetTexture(texture);
    material.SetTextureRepeat(repeat);
    billboard.SetRenderMaterial(material);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Pass(billboard);
    for (auto [x, y, texel] : samples[repeat]) {
      const zelph::Rgba pixel = Context().ReadPixel(x, y);
      auto near = [&](int t) {
        return std::abs(pixel.r - texels[4 * t]) < 24 && std::abs(pixel.g - texels[4 * t + 1]) < 24 &&
               std::abs(pixel.b - texels[4 * t + 2]) < 24;
      };
      EXPECT_TRUE(texel >= 0 ? near(texel) : !near(0) && !near(1)) << x << ", " << y << ": " << pixel;
    }
  }
  glDeleteTextures(1, &texture);
}

TEST_F(BillboardRenderTest, CalloutWindVaneAndSensorOnTheGlobe) {
  UseGlobe();
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
  const CapturedVertex anchor = Project(ax, ay, az), point = Project(cx, cy, cz), ground = Project(gx, gy, gz);
  Primitives lines = Frame(*billboard);
  std::erase_if(lines, [](const CapturedPrimitive& p) { return p.kind != Kind::Line; });
  ASSERT_EQ(lines.size(), 7u);  // the callout strip and the vane's five
  EXPECT_TRUE(At(lines[0].vertices[0], anchor.x, anchor.y, 0.05f) && At(lines[0].vertices[1], point.x, point.y, 0.05f));
  EXPECT_TRUE(At(lines[1].vertices[1], ground.x, ground.y, 0.05f));
  EXPECT_EQ(std::tuple(lines[0].vertices[0].b, lines[0].vertices[0].a), std::tuple(0.0f, 0.8f));
  // The vane: anchor down to the foot, the shaft north (up on screen), then
  // one barb to each side of the shaft, back below the tip.
  const CapturedVertex &foot = lines[2].vertices[1], &tip = lines[3].vertices[1];
  const CapturedVertex &left = lines[4].vertices[1], &right = lines[6].vertices[1];
  EXPECT_TRUE(At(lines[2].vertices[0], anchor.x, anchor.y, 0.05f) && foot.y < anchor.y);
  EXPECT_TRUE(std::fabs(tip.x - foot.x) < 0.05f && tip.y > foot.y + 3);
  EXPECT_TRUE(left.y < tip.y && right.y < tip.y && (left.x - tip.x) * (right.x - tip.x) < 0);
  // A vane set to nothing leaves no arrow behind once the anchor moves.
  billboard->SetWindVaneSize(0);
  billboard->InvalidateLocation();
  EXPECT_EQ(zelph::test::CountOf(Frame(*billboard), Kind::Line), 2);

  // The sensor is picked under the billboard's name, also a later one.
  billboard->SetEnableCallout(false);
  auto* sensor = new Sensor;
  sensor->SetCentroidLocation(Geopunctus(0, 10, 0), false);
  sensor->SetSize(0.2f, 0.2f, 0.2f);
  billboard->SetSensorEllipsoid(sensor);
  billboard->SetSensorEllipsoid(sensor);  // the same one again is kept
  billboard->SetSensorEllipsoid(nullptr);
  ASSERT_EQ(billboard->GetSensorEllipsoid(), sensor);
  float sx, sy, sz;
  sensor->GetGLCentroid(&sx, &sy, &sz);
  const CapturedVertex at = Project(sx, sy, sz);
  auto namesAtSensor = [&] {
    return zelph::test::SelectHits(int(at.x), int(at.y), 3, UseGlobe, [&] { Pass(*billboard); });
  };
  EXPECT_EQ(namesAtSensor(), std::vector<std::vector<GLuint>>{{billboard->GetGLName()}});
  billboard->SetGLName(77);
  EXPECT_EQ(namesAtSensor(), std::vector<std::vector<GLuint>>{{77u}});

  std::vector<GLuint> lists = billboard->Lists();
  lists.push_back(sensor->List());
  for (GLuint list : lists) EXPECT_TRUE(glIsList(list));
  billboard.reset();
  for (GLuint list : lists) EXPECT_FALSE(glIsList(list)) << list;
}

class LabeledBillboardTest : public BillboardRenderTest {
 protected:
  void SetUp() override {
    BillboardRenderTest::SetUp();
    ASSERT_FALSE(font.InitializeForText(L"I"));
    ASSERT_FALSE(font.IsUnixed()) << "no font file for the labels";
  }
  // A billboard at the centre of the frame with one label "I" (1 em of
  // label text is a fifth of the quad).
  std::unique_ptr<Labeled> Make(float angle, bool autoArrange = true, float radius = 0, float size = 100) {
    auto billboard = std::make_unique<Labeled>(128, 128, size, size);
    billboard->SetFont(&font);
    billboard->AddLabel(Label{L"I", angle, HAlign::CENTER, autoArrange, radius, false});
    return billboard;
  }
  // Left, bottom, right, top of the glyphs, which follow the quad's two
  // triangles.
  static std::array<float, 4> LabelBounds(const Primitives& all) {
    std::array<float, 4> box{1e9f, 1e9f, -1e9f, -1e9f};
    for (size_t i = 2; i < all.size(); ++i) {
      for (const CapturedVertex& v : all[i].vertices) {
        box = {std::min(box[0], v.x), std::min(box[1], v.y), std::max(box[2], v.x), std::max(box[3], v.y)};
      }
    }
    return box;
  }
  static float CentreX(const std::array<float, 4>& box) { return (box[0] + box[2]) / 2; }

  BillboardFont font;
};

TEST_F(LabeledBillboardTest, LabelsSitOnTheEdgeByAngleOrAtTheirRadius) {
  // On a 100 x 100 quad at (128, 128), the label's middle and baseline.
  for (auto [angle, ex, ey] : {std::tuple{0.0f, 178.0f, 128.0f}, {90.0f, 128.0f, 178.0f}, {180.0f, 78.0f, 128.0f},
                               {45.0f, 178.0f, 163.4f}, {270.0f, 128.0f, 78.0f}}) {
    const std::array<float, 4> box = LabelBounds(Frame(*Make(angle)));
    EXPECT_NEAR(CentreX(box), ex, 2.0f) << angle;
    if (angle == 270.0f) {
      EXPECT_LT(box[3], ey - 10) << "hangs below the bottom edge";
    } else {
      EXPECT_NEAR(box[1], ey, 1.0f) << angle;
    }
    // The font's own alignment is back after a label that hung below.
    EXPECT_EQ(font.GetVerticalAlignment(), VAlignment::NORMAL);
  }

  // Manual: Radius scene units out at the original width, further out in
  // proportion as the quad grows. Only the first width set is the original.
  std::unique_ptr<Labeled> billboard = Make(0, false, 70, 0);
  billboard->SetWidth(60);
  billboard->SetWidth(90);
  billboard->SetHeight(100);
  EXPECT_NEAR(CentreX(LabelBounds(Frame(*billboard))), 128 + 70 * 90 / 60.0f, 2.0f);
  billboard->SetSize(60, 100);
  EXPECT_NEAR(CentreX(LabelBounds(Frame(*billboard))), 128 + 70, 2.0f);
}

TEST_F(LabeledBillboardTest, LabelsAreRebuiltOnlyWhenTheSizeChangesOrLeavesTheOriginal) {
  std::unique_ptr<Labeled> billboard = Make(0);
  billboard->SetFontRGB(1, 1, 0);
  // The labels keep the opacity they were compiled with until rebuilt.
  auto labelAlpha = [&](float alpha) {
    billboard->SetAlpha(alpha);
    Primitives all = Frame(*billboard);
    EXPECT_GT(all.size(), 2u);
    const CapturedVertex& v = all.back().vertices[0];
    EXPECT_EQ(std::tuple(v.r, v.g, v.b), std::tuple(1.0f, 1.0f, 0.0f));
    return v.a;
  };
  EXPECT_FLOAT_EQ(labelAlpha(1.0f), 1.0f);
  billboard->SetSize(100, 100);
  EXPECT_FLOAT_EQ(labelAlpha(0.5f), 1.0f);
  billboard->SetSize(std::numeric_limits<float>::quiet_NaN(), 2);
  float width = 0, height = 0;
  billboard->GetSize(&width, &height);
  EXPECT_TRUE(width == 100 && height == 100);
  EXPECT_FLOAT_EQ(labelAlpha(0.5f), 1.0f);
  billboard->SetSize(120, 100);
  EXPECT_FLOAT_EQ(labelAlpha(0.5f), 0.5f);
  billboard->SetSize(120, 100);  // still away from the original
  EXPECT_FLOAT_EQ(labelAlpha(0.25f), 0.25f);
  billboard->SetSize(100, 100);  // back to it from another size
  EXPECT_FLOAT_EQ(labelAlpha(0.75f), 0.75f);

  // Switched off, the labels leave the quad alone; deleting frees the lists.
  billboard->SetEnableLabels(false);
  EXPECT_EQ(Frame(*billboard).size(), 2u);
  std::vector<GLuint> lists = billboard->Lists();
  for (GLuint list : lists) EXPECT_TRUE(glIsList(list));
  billboard.reset();
  for (GLuint list : lists) EXPECT_FALSE(glIsList(list));
}

}  // namespace
