// Groups: the billboard pass around their billboards, the name they are
// picked under, their trace, and what they hand on to their members.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "frame/Logger.h"
#include "render/Bulloriri.h"
#include "render/RenderBillboard.h"
#include "render/RenderGroup.h"
#include "render/RenderLine.h"
#include "tests/support/GLCapture.h"
#include "tests/support/GLContext.h"

namespace {

using namespace zelph::test;
using GroupRenderTest = GLTest;
// A member noting whether it is a billboard, and the attribute depth and alpha test it meets.
using Seen = std::vector<std::tuple<bool, GLint, bool>>;
struct Witness : GraphicBase {
  Witness(bool billboard, Seen& seen) : GraphicBase(kNextGLName), billboard(billboard), seen(seen) {}
  bool IsBillboard() override { return billboard; }
  void InvalidateLocation() override {}
  void InvalidateOrientation() override {}
  void InvalidateSize() override {}
  void Render() override {
    GLint depth = 0;
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depth);
    seen.emplace_back(billboard, depth, glIsEnabled(GL_ALPHA_TEST) == GL_TRUE);
  }
  bool billboard;
  Seen& seen;
};

struct ListedLine : RenderLine {
  ListedLine() : RenderLine(kNextGLName) {}
  std::vector<GLuint> Lists() const { return {m_DisplayList, m_OutlineDisplayList}; }
};

void LookFromPlusX() {
  LookAtGlobeFromPlusXParallel(0.2, 64, 64);
  Bulloriri::LoadBillboardMatrix();
}

TEST_F(GroupRenderTest, BillboardsDrawInTheirPassAndEveryMemberIsPickedAsTheGroup) {
  Seen seen;
  auto group = std::make_unique<RenderGroup>();
  group->AddGraphic(nullptr);
  group->AddGraphic(std::make_unique<Witness>(false, seen));
  group->AddGraphic(std::make_unique<Witness>(true, seen));
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
  EXPECT_EQ(line->GetGLName(), 77u);

  // Billboards inside the pass (one more attribute level, alpha test on),
  // then the others, whatever the order they came in; the trace counts all.
  LookFromPlusX();
  Logger::atlLogOutput[0] = L'\0';
  Logger::EnableTrace = true;
  GLint depth = 0;
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depth);
  group->Render();
  Logger::EnableTrace = false;
  EXPECT_EQ(seen, (Seen{{true, depth + 1, true}, {false, depth, false}}));
  EXPECT_EQ(std::wstring(Logger::atlLogOutput).rfind(L"3 graphic(s) rendered as a group in ", 0), 0u)
      << Logger::atlLogOutput;

  // The nameless line is picked under the group's name while the group
  // selects as a whole, and under whatever name is current otherwise.
  auto hitsOnLine = [&] { return SelectHits(32, 32, 3, LookFromPlusX, [&] { group->Render(); }); };
  EXPECT_EQ(hitsOnLine(), (std::vector<std::vector<GLuint>>{{77u}}));
  group->SetSelectAsGroup(false);
  EXPECT_EQ(hitsOnLine(), (std::vector<std::vector<GLuint>>{{0u}}));
  // The group deletes its members, and they free their lists.
  EXPECT_TRUE(ListsFreedBy(line->Lists(), [&] { group.reset(); }));
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
  // Turns add up member by member.
  group.SetHeading(10, true);
  float heading = 0;
  member->QueryOrientation(&heading, nullptr, nullptr);
  EXPECT_FLOAT_EQ(heading, 15);
  // Moved with Center, the anchor takes the line's vertices, the billboard's
  // anchor and callout location along; without, nothing else moves.
  group.SetCentroidLocation(Geopunctus(0, 0, 0), false);
  group.SetCentroidLocation(Geopunctus(1, 2, 10), true);
  EXPECT_EQ(member->GetFirstPoint(), Geopunctus(2, 3, 10));
  EXPECT_EQ(member->GetLastPoint(), Geopunctus(4, 5, 10));
  EXPECT_EQ(marker->GetCentroidLocation(), Geopunctus(5, 6, 1010));
  EXPECT_EQ(marker->GetCalloutLocation(), Geopunctus(6, 7, 10));
  group.SetCentroidLocation(Geopunctus(0, 0, 0), false);
  EXPECT_EQ(member->GetFirstPoint(), Geopunctus(2, 3, 10));
  // A member inside the globe makes the group subsurface for good.
  EXPECT_FALSE(group.IsSubsurface());
  auto deep = std::make_unique<RenderLine>(GraphicBase::kNextGLName);
  deep->AddGeographicLocation(0, 0, -100000);
  group.AddGraphic(std::move(deep));
  group.ClearGraphics();
  EXPECT_TRUE(group.IsSubsurface());
}

}  // namespace
