// Groups: the billboard pass around their billboard members, the name they
// are picked under, the trace of each frame, and what they hand on to their
// members (names, orientation, presentation, anchor moves).
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "frame/Logger.h"
#include "render/Bulloriri.h"
#include "render/RenderBillboard.h"
#include "render/RenderGroup.h"
#include "render/RenderLine.h"
#include "tests/support/GLCapture.h"
#include "tests/support/GLContext.h"

namespace {

// A member that notes the drawing state it is drawn in.
class Witness : public GraphicBase {
 public:
  struct Seen {
    std::wstring uid;
    GLint attributeDepth;
    bool alphaTest;
  };

  Witness(const wchar_t* uid, bool billboard, std::vector<Seen>& seen)
      : GraphicBase(kNextGLName), m_Billboard(billboard), m_Seen(seen) {
    SetUID(CComBSTR(uid));
  }

  bool IsBillboard() override { return m_Billboard; }
  void InvalidateLocation() override {}
  void InvalidateOrientation() override {}
  void InvalidateSize() override {}
  void Render() override {
    GLint depth = 0;
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depth);
    m_Seen.push_back({std::wstring(GetUID().View()), depth, glIsEnabled(GL_ALPHA_TEST) == GL_TRUE});
  }

 private:
  bool m_Billboard;
  std::vector<Seen>& m_Seen;
};

class ListedLine : public RenderLine {
 public:
  ListedLine() : RenderLine(kNextGLName) {}
  GLuint FillList() const { return m_DisplayList; }
  GLuint OutlineList() const { return m_OutlineDisplayList; }
};

void LookFromPlusX() {
  glViewport(0, 0, 64, 64);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-0.2, 0.2, -0.2, 0.2, 0.1, 10.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(3, 0, 0, 0, 0, 0, 0, 0, 1);
}

class GroupRenderTest : public zelph::test::GLTest {
 protected:
  void SetUp() override {
    GLTest::SetUp();
    LookFromPlusX();
    Bulloriri::LoadBillboardMatrix();
    Logger::atlLogOutput[0] = L'\0';
  }
  void TearDown() override {
    Logger::EnableTrace = false;
    GLTest::TearDown();
  }
};

TEST_F(GroupRenderTest, BillboardsDrawInTheirPassAndEveryMemberIsPickedAsTheGroup) {
  std::vector<Witness::Seen> seen;
  auto group = std::make_unique<RenderGroup>();
  group->AddGraphic(nullptr);
  group->AddGraphic(std::make_unique<Witness>(L"other", false, seen));
  group->AddGraphic(std::make_unique<Witness>(L"billboard", true, seen));
  auto owned = std::make_unique<ListedLine>();
  ListedLine* line = owned.get();
  line->SetUID(CComBSTR(L"line"));
  line->SetNameless(true);
  line->AddGeographicLocation(0, -3, 0);
  line->AddGeographicLocation(0, 3, 0);
  group->AddGraphic(std::move(owned));
  ASSERT_EQ(group->GetGraphicCount(), 3u);
  EXPECT_EQ(group->FindGraphic(CComBSTR(L"line")), line);
  EXPECT_EQ(group->FindGraphic(CComBSTR(L"Line")), nullptr);
  EXPECT_EQ(line->GetGLName(), group->GetGLName());
  group->SetGLName(77);
  EXPECT_EQ(group->FindGraphic(CComBSTR(L"billboard"))->GetGLName(), 77u);

  // Billboards inside the pass (one more attribute level, alpha test on),
  // then the others outside it, whatever order they were added in.
  Logger::EnableTrace = true;
  GLint depth = 0;
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depth);
  group->Render();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].uid, L"billboard");
  EXPECT_EQ(seen[0].attributeDepth, depth + 1);
  EXPECT_TRUE(seen[0].alphaTest);
  EXPECT_EQ(seen[1].uid, L"other");
  EXPECT_EQ(seen[1].attributeDepth, depth);
  EXPECT_EQ(std::wstring(Logger::atlLogOutput).rfind(L"3 graphic(s) rendered as a group in ", 0), 0u)
      << Logger::atlLogOutput;
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

  // The nameless line is picked under the group's name while the group
  // selects as a whole, and under whatever name is current otherwise.
  auto hitsOnLine = [&] { return zelph::test::SelectHits(32, 32, 3, LookFromPlusX, [&] { group->Render(); }); };
  EXPECT_EQ(hitsOnLine(), (std::vector<std::vector<GLuint>>{{77u}}));
  group->SetSelectAsGroup(false);
  EXPECT_EQ(hitsOnLine(), (std::vector<std::vector<GLuint>>{{0u}}));

  // The group deletes its members, and they free their lists.
  const GLuint fill = line->FillList(), outline = line->OutlineList();
  ASSERT_TRUE(glIsList(fill) && glIsList(outline));
  group.reset();
  EXPECT_FALSE(glIsList(fill));
  EXPECT_FALSE(glIsList(outline));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GroupRenderTest, PropertiesAndMovesReachEveryMember) {
  RenderGroup group;
  auto line = std::make_unique<RenderLine>(GraphicBase::kNextGLName);
  RenderLine* member = line.get();
  line->AddGeographicLocation(1, 1, 0);
  line->AddGeographicLocation(3, 3, 0);
  line->SetCentroidLocation(Geopunctus(2, 2, 0), false);
  line->SetHeading(5, false);
  group.AddGraphic(std::move(line));
  auto billboard = std::make_unique<RenderBillboard>();
  RenderBillboard* marker = billboard.get();
  billboard->SetCentroidLocation(Geopunctus(4, 4, 1000), false);
  billboard->SetCalloutLocation(Geopunctus(5, 5, 0));
  group.AddGraphic(std::move(billboard));
  EXPECT_FALSE(group.IsSubsurface());

  // Turns add up member by member.
  group.SetHeading(10, true);
  float heading = 0;
  group.QueryOrientation(&heading, nullptr, nullptr);
  EXPECT_FLOAT_EQ(heading, 10);
  member->QueryOrientation(&heading, nullptr, nullptr);
  EXPECT_FLOAT_EQ(heading, 15);

  group.SetAlpha(0.5f);
  group.SetSelected(true);
  group.SetSelectOutline();
  group.SetSelectionRGB(1, 0, 1);
  group.SetVisible(false);
  group.CascadeGraphicProperties();
  float r = 0, g = 0, b = 0;
  marker->GetSelectionRGB(&r, &g, &b);
  EXPECT_FLOAT_EQ(g, 0);
  EXPECT_FLOAT_EQ(marker->GetAlpha(), 0.5f);
  EXPECT_TRUE(marker->GetSelected() && marker->GetSelectOutline());
  EXPECT_FALSE(member->GetVisible());

  // Moving the anchor with Center moves the line's vertices, the
  // billboard's anchor and its callout location by the same amount;
  // without Center nothing but the group's anchor moves.
  group.SetCentroidLocation(Geopunctus(0, 0, 0), false);
  group.SetCentroidLocation(Geopunctus(1, 2, 10), true);
  EXPECT_EQ(member->GetFirstPoint(), Geopunctus(2, 3, 10));
  EXPECT_EQ(member->GetLastPoint(), Geopunctus(4, 5, 10));
  EXPECT_EQ(marker->GetCentroidLocation(), Geopunctus(5, 6, 1010));
  EXPECT_EQ(marker->GetCalloutLocation(), Geopunctus(6, 7, 10));
  group.SetCentroidLocation(Geopunctus(0, 0, 0), false);
  EXPECT_EQ(member->GetFirstPoint(), Geopunctus(2, 3, 10));
  EXPECT_EQ(marker->GetCalloutLocation(), Geopunctus(6, 7, 10));

  // A member inside the globe makes the group subsurface for good.
  auto deep = std::make_unique<RenderLine>(GraphicBase::kNextGLName);
  deep->AddGeographicLocation(0, 0, -100000);
  group.AddGraphic(std::move(deep));
  EXPECT_TRUE(group.IsSubsurface());
  group.ClearGraphics();
  EXPECT_EQ(group.GetGraphicCount(), 0u);
  EXPECT_TRUE(group.IsSubsurface());
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
