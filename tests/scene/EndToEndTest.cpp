// A client's whole road on the reference host: graphics of every kind made
// by class id, handed to a scene manager, refreshed, and found in the saved
// frame where the camera says they are.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/WideString.h"
#include "tests/scene/SceneFixture.h"
#include "tests/support/TestPaths.h"

namespace zelph::test {
namespace {

class EndToEnd : public SceneTest {
 protected:
  // How many pixels of `colour` the last frame holds in the square of
  // `half` pixels around window (x, y).
  int PixelsNear(std::pair<LONG, LONG> at, Pixel colour, int half) {
    int count = 0;
    for (LONG y = at.second - half; y <= at.second + half; ++y) {
      for (LONG x = at.first - half; x <= at.first + half; ++x) {
        if (x >= 0 && y >= 0 && x < kSide && y < kSide && PixelAt(x, y) == colour) ++count;
      }
    }
    return count;
  }
};

TEST_F(EndToEnd, EveryKindOfGraphicShowsWhereTheCameraSaysItIs) {
  scene->AddGraphic(NewBillboard(8, -8, 5000, kRed));
  scene->AddGraphic(NewEllipsoid(8, 8, 0.05, kGreen));

  CComPtr<IPartialEllipsoid3D> wedge = Make<IPartialEllipsoid3D>(CLSID_PartialEllipsoid3D);
  wedge->put_StartAzimuth(0);
  wedge->put_EndAzimuth(180);
  CComQIPtr<IEllipsoid3D>(wedge)->put_EllipsoidOption(kestGLEllipsoidFillOnly);
  CComQIPtr<IEllipsoid3D>(wedge)->PutSize(0.06, 0.06, 0.06);
  Dress(wedge, -8, 8, 0, kBlue);
  scene->AddGraphic(CComQIPtr<IGraphic3D>(wedge));

  // A square 8 degrees a side around (-8, -8) with a 4-degree hole.
  const Pixel yellow{255, 255, 0};
  CComPtr<IGeoExtrusion3D> area = Make<IGeoExtrusion3D>(CLSID_GeoExtrusion3D);
  area->put_Type(kestGLExtrusionTypePolygon);
  area->putref_Geometry(Through(CLSID_Polygon, {{-12, -12, 5000}, {-4, -12, 5000}, {-4, -4, 5000}, {-12, -4, 5000}}));
  CComPtr<IArray> holes = Make<IArray>(CLSID_Array);
  holes->Add(Through(CLSID_Ring, {{-10, -10, 5000}, {-6, -10, 5000}, {-6, -6, 5000}, {-10, -6, 5000}}));
  area->putref_InnerGeometries(holes);
  CComQIPtr<IGraphic3D>(area)->putref_Material(Material(yellow.r, yellow.g, yellow.b));
  scene->AddGraphic(CComQIPtr<IGraphic3D>(area));

  const Pixel magenta{255, 0, 255};
  CComPtr<IGroupGraphic3D> group = Make<IGroupGraphic3D>(CLSID_GroupGraphic3D);
  group->AddGraphic(NewBillboard(0, -10, 100000, magenta));
  group->AddGraphic(NewBillboard(0, 10, 100000, magenta));
  scene->AddGraphic(CComQIPtr<IGraphic3D>(group));

  const Pixel white{255, 255, 255};
  CComPtr<ITextPoint3D> text = Make<ITextPoint3D>(CLSID_TextPoint3D);
  text->put_Text(CComBSTR(L"ZELPH"));
  text->putref_Font(Make<IFont3D>(CLSID_BillboardFont3D));
  text->put_TextScale(0.2);
  Dress(text, 14, 0, 5000, white);
  scene->AddGraphic(CComQIPtr<IGraphic3D>(text));

  ASSERT_EQ(scene->Refresh(), S_OK);
  Redraw();
  std::string saved = FreshDirectory("scene-end-to-end") + "/frame.png";
  EXPECT_EQ(view.frame->SaveFrame(CComBSTR(zelph::FromUtf8(saved).c_str())), S_OK);

  EXPECT_EQ(PixelAt(WindowOf(8, -8, 5000).first, WindowOf(8, -8, 5000).second), kRed);
  EXPECT_GT(PixelsNear(WindowOf(8, 8), kGreen, 2), 0);
  // The wedge spans azimuths 0 to 180: east of its centre, not west.
  EXPECT_GT(PixelsNear(WindowOf(-8, 8.8), kBlue, 2), 0);
  EXPECT_EQ(PixelsNear(WindowOf(-8, 7.2), kBlue, 2), 0);
  EXPECT_GT(PixelsNear(WindowOf(-11, -8, 5000), yellow, 1), 0);
  EXPECT_EQ(PixelsNear(WindowOf(-8, -8, 5000), yellow, 2), 0) << "the hole is open";
  EXPECT_EQ(PixelsNear(WindowOf(0, -10, 100000), magenta, 1), 9);
  EXPECT_EQ(PixelsNear(WindowOf(0, 10, 100000), magenta, 1), 9);
  const int textInk = PixelsNear(WindowOf(14, 0, 5000), white, 40);
  EXPECT_GT(textInk, 50);
  EXPECT_EQ(textInk, PixelsNear(WindowOf(14, 0, 5000), white, 80)) << "the text stays near its point";
}

}  // namespace
}  // namespace zelph::test
