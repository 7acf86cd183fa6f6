// Location and minor updates of renderables already built: what each one
// moves, turns and resizes, and what it must leave alone.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "frame/Guids.h"
#include "render/RenderBillboard.h"
#include "render/RenderEllipsoid.h"
#include "render/RenderGroup.h"
#include "render/RenderPartialEllipsoid.h"
#include "scene/GraphicList.h"
#include "scene/RenderableUpdater.h"
#include "tests/support/ComponentTest.h"
#include "tests/support/GLContext.h"
#include "tests/support/GetProperty.h"

namespace zelph::test {
namespace {

using Floats = std::vector<float>;

Floats Coords(const Geopunctus& point) { return {point.GetLat(), point.GetLon(), point.GetAltMeters()}; }

Floats OrientationOf(const GraphicBase& renderable) {
  Floats angles(3);
  renderable.QueryOrientation(&angles[0], &angles[1], &angles[2]);
  return angles;
}

Floats SizeOf(const RenderBillboard& billboard) {
  Floats size(2);
  billboard.GetSize(&size[0], &size[1]);
  return size;
}

Floats SizeOf(const RenderEllipsoid& ellipsoid) {
  Floats size(3);
  ellipsoid.GetSize(&size[0], &size[1], &size[2]);
  return size;
}

CComPtr<IGraphic3D> BillboardAt(double x, double y, double z) {
  CComPtr<IGraphic3D> billboard = Make<IGraphic3D>(CLSID_Billboard3D);
  EXPECT_EQ(billboard->putref_Centroid(NewPoint(x, y, z)), S_OK);
  return billboard;
}

// A renderable of kind T carrying the graphic's UID, as the scene manager
// builds it, with its anchor where the graphic's centroid was then.
template <class T>
std::unique_ptr<T> RenderableOf(IGraphic3D* graphic, Geopunctus anchor = Geopunctus()) {
  auto renderable = std::make_unique<T>(GraphicBase::kNextGLName);
  renderable->SetUID(CComBSTR(Get(graphic, &IGraphic3D::get_UID).c_str()));
  renderable->SetCentroidLocation(anchor, false);
  return renderable;
}

class RenderableUpdaterTest : public ComponentTest {
 protected:
  void TearDown() override {
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    ComponentTest::TearDown();
  }

  template <class T>
  T* Store(RenderMap& map, IGraphic3D* graphic, Geopunctus anchor = Geopunctus()) {
    std::unique_ptr<T> renderable = RenderableOf<T>(graphic, anchor);
    T* stored = renderable.get();
    map.Place(GraphicList::UidOf(graphic), std::move(renderable));
    return stored;
  }

  // Declared first: the maps destroy their renderables while it is current.
  GLContext m_Context{64, 64};
  RenderMap m_Billboards, m_Others;
  RenderableUpdater m_Updater{m_Billboards, m_Others};
};

TEST_F(RenderableUpdaterTest, LocationUpdateMovesABillboardAndAMinorOneReshapesItAndItsSensor) {
  CComPtr<IGraphic3D> graphic = BillboardAt(0, 0, 0);
  CComQIPtr<IBillboard3D> billboard{graphic};
  CComPtr<IEllipsoid3D> sensorGraphic = Make<IEllipsoid3D>(CLSID_Ellipsoid3D);
  ASSERT_EQ(billboard->putref_SensorEllipsoid(sensorGraphic), S_OK);
  RenderBillboard* board = Store<RenderBillboard>(m_Billboards, graphic);
  auto* sensor = new RenderEllipsoid();
  board->SetSensorEllipsoid(sensor);

  ASSERT_EQ(graphic->putref_Centroid(NewPoint(10, 20, 300)), S_OK);
  ASSERT_EQ(graphic->put_ThresholdElevation(500), S_OK);
  ASSERT_EQ(graphic->put_Visible(VARIANT_FALSE), S_OK);
  ASSERT_EQ(CComQIPtr<ICallout3D>(graphic)->putref_CalloutAnchorLocation(NewPoint(11, 21, 5)), S_OK);
  ASSERT_EQ(billboard->PutSize(4, 3), S_OK);
  ASSERT_EQ(sensorGraphic->PutSize(7, 8, 9), S_OK);
  ASSERT_EQ(Get(graphic, &IGraphic3D::get_Orientation)->PutOrientation(30, 10, 5), S_OK);
  ASSERT_EQ(Get(sensorGraphic, &IGraphic3D::get_Orientation)->PutOrientation(45, 0, 0), S_OK);

  m_Updater.MinorUpdateGraphic(graphic, true);
  for (CalloutBase* moved : std::vector<CalloutBase*>{board, sensor}) {
    EXPECT_EQ(Coords(moved->GetCentroidLocation()), Floats({20, 10, 300}));
    EXPECT_EQ(Coords(moved->GetCalloutLocation()), Floats({21, 11, 5}));
    EXPECT_EQ(moved->GetThresholdElevation(), 500.0f);
    EXPECT_FALSE(moved->GetVisible());
  }
  // Placed at the new threshold elevation, not the one it had before.
  Floats placed(3), expected(3);
  board->GetGLCentroid(&placed[0], &placed[1], &placed[2]);
  Geopunctus(20, 10, 300).ConvertToGLLocation(&expected[0], &expected[1], &expected[2], 500, 1);
  EXPECT_EQ(placed, expected);
  EXPECT_EQ(SizeOf(*board), Floats({1, 1}));
  EXPECT_EQ(OrientationOf(*board), Floats({0, 0, 0}));
  EXPECT_EQ(SizeOf(*sensor), Floats({1, 1, 1}));

  m_Updater.MinorUpdateGraphic(graphic, false);
  EXPECT_EQ(SizeOf(*board), Floats({4, 3}));
  EXPECT_EQ(OrientationOf(*board), Floats({30, 10, 5}));
  EXPECT_EQ(SizeOf(*sensor), Floats({7, 8, 9}));
  EXPECT_EQ(OrientationOf(*sensor), Floats({45, 0, 0}));
}

TEST_F(RenderableUpdaterTest, AnEllipsoidTakesItsThreeSizesOnlyInAMinorUpdate) {
  CComPtr<IEllipsoid3D> ellipsoid = Make<IEllipsoid3D>(CLSID_PartialEllipsoid3D);
  CComQIPtr<IGraphic3D> graphic{ellipsoid};
  RenderPartialEllipsoid* renderable = Store<RenderPartialEllipsoid>(m_Others, graphic);
  ASSERT_EQ(ellipsoid->PutSize(2, 3, 4), S_OK);
  ASSERT_EQ(graphic->putref_Centroid(NewPoint(-5, 6, 7)), S_OK);

  m_Updater.MinorUpdateGraphic(graphic, true);
  EXPECT_EQ(Coords(renderable->GetCentroidLocation()), Floats({6, -5, 7}));
  EXPECT_EQ(SizeOf(*renderable), Floats({1, 1, 1}));
  m_Updater.MinorUpdateGraphic(graphic, false);
  EXPECT_EQ(SizeOf(*renderable), Floats({2, 3, 4}));
}

TEST_F(RenderableUpdaterTest, AControlledGroupMovesAsOneAnUncontrolledOnePlacesEachMember) {
  CComPtr<IGroupGraphic3D> group = Make<IGroupGraphic3D>(CLSID_GroupGraphic3D);
  CComQIPtr<IGraphic3D> groupGraphic{group};
  CComPtr<IGraphic3D> a = BillboardAt(0, 0, 0), b = BillboardAt(10, 20, 30);
  ASSERT_TRUE(group->AddGraphic(a) == S_OK && group->AddGraphic(b) == S_OK);
  RenderGroup* renderable = Store<RenderGroup>(m_Others, groupGraphic, Geopunctus(10, 5, 15));
  auto ownedA = RenderableOf<RenderBillboard>(a), ownedB = RenderableOf<RenderBillboard>(b, Geopunctus(20, 10, 30));
  RenderBillboard *memberA = ownedA.get(), *memberB = ownedB.get();
  renderable->AddGraphic(std::move(ownedA));
  renderable->AddGraphic(std::move(ownedB));

  // The group's move takes every member along by the same offset.
  ASSERT_EQ(groupGraphic->putref_Centroid(NewPoint(7, 12, 15)), S_OK);
  m_Updater.MinorUpdateGraphic(groupGraphic, true);
  EXPECT_EQ(Coords(renderable->GetCentroidLocation()), Floats({12, 7, 15}));
  EXPECT_EQ(Coords(memberA->GetCentroidLocation()), Floats({2, 2, 0}));
  EXPECT_EQ(Coords(memberB->GetCentroidLocation()), Floats({22, 12, 30}));
  EXPECT_TRUE(renderable->GetSelectAsGroup());

  // Uncontrolled, each member goes by its own graphic; one that the group
  // renderable lacks is reported and passed over.
  ASSERT_EQ(group->put_ControlAsGroup(VARIANT_FALSE), S_OK);
  ASSERT_EQ(b->putref_Centroid(NewPoint(-40, -30, 100)), S_OK);
  ASSERT_EQ(CComQIPtr<IBillboard3D>(b)->PutSize(5, 6), S_OK);
  ASSERT_EQ(group->AddGraphic(BillboardAt(1, 1, 1)), S_OK);
  Logger::EnableTrace = true;
  m_Updater.MinorUpdateGraphic(groupGraphic, false);
  EXPECT_TRUE(LastLogLineHas(L"COM/Native mismatch with GroupGraphic3D/RenderGroup")) << Logger::atlLogOutput;
  EXPECT_EQ(Coords(memberB->GetCentroidLocation()), Floats({-30, -40, 100}));
  EXPECT_EQ(SizeOf(*memberB), Floats({5, 6}));
  EXPECT_EQ(Coords(memberA->GetCentroidLocation()), Floats({2, 2, 0}));
  EXPECT_EQ(Coords(renderable->GetCentroidLocation()), Floats({12, 7, 15}));
  EXPECT_FALSE(renderable->GetSelectAsGroup());
}

TEST_F(RenderableUpdaterTest, WithoutItsRenderableOrItsPlaceAGraphicChangesNothing) {
  CComPtr<IGraphic3D> stored = BillboardAt(1, 2, 3);
  RenderBillboard* board = Store<RenderBillboard>(m_Billboards, stored, Geopunctus(2, 1, 3));
  // Graphics of every kind with nothing built for them, and an ellipsoid
  // whose UID holds a renderable of another kind.
  for (const CLSID* clsid :
       {&CLSID_Billboard3D, &CLSID_Ellipsoid3D, &CLSID_TextPoint3D, &CLSID_GroupGraphic3D, &CLSID_GeoExtrusion3D}) {
    m_Updater.MinorUpdateGraphic(Make<IGraphic3D>(*clsid), false);
  }
  CComPtr<IGraphic3D> ellipsoid = Make<IGraphic3D>(CLSID_Ellipsoid3D);
  RenderBillboard* stranger = Store<RenderBillboard>(m_Others, ellipsoid);
  ASSERT_EQ(ellipsoid->putref_Centroid(NewPoint(50, 50, 50)), S_OK);
  m_Updater.MinorUpdateGraphic(ellipsoid, false);
  EXPECT_EQ(Coords(stranger->GetCentroidLocation()), Floats({0, 0, 0}));
  m_Updater.MinorUpdateGraphic(nullptr, false);
  EXPECT_TRUE(LastLogLineHas(L"Exception @ File: ")) << Logger::atlLogOutput;

  // A centroid that is null or was never placed leaves the anchor where it
  // stands; the rest of the update still happens.
  ASSERT_EQ(stored->put_ThresholdElevation(9), S_OK);
  ASSERT_EQ(stored->putref_Centroid(nullptr), S_OK);
  m_Updater.MinorUpdateGraphic(stored, true);
  EXPECT_TRUE(LastLogLineHas(L"Cannot proselytize a NULL geometry...")) << Logger::atlLogOutput;
  ASSERT_EQ(stored->putref_Centroid(NewPoint(NAN, 5)), S_OK);
  m_Updater.MinorUpdateGraphic(stored, true);
  EXPECT_EQ(Coords(board->GetCentroidLocation()), Floats({2, 1, 3}));
  EXPECT_EQ(board->GetThresholdElevation(), 9.0f);
}

}  // namespace
}  // namespace zelph::test
