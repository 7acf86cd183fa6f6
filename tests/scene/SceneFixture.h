// A scene manager attached to a reference globe display, as a client sets
// one up: everything made by class id and used through interfaces. The
// camera hangs four globe radii above latitude 0, longitude 0, looking at
// the globe's centre: the window's centre shows (0, 0), one window pixel
// spans about half a degree there, and the window's corners show empty
// space around the globe.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "frame/Guids.h"
#include "frame/SceneInterfaces.h"
#include "tests/support/ComponentTest.h"
#include "tests/support/FrameHook.h"

namespace zelph::test {

constexpr double kRadiusMetres = 6367444.5;

struct Pixel {
  int r, g, b;
};

class SceneTest : public ComponentTest {
 protected:
  static constexpr LONG kSide = 256;
  static constexpr double kCameraRadii = 4.0;
  // Scene units a window pixel spans at the surface point under the camera
  // (the field of view is 30 degrees high).
  static constexpr double kUnitsPerPixel = kCameraRadii * 2.0 * 0.26794919243 / kSide;

  void SetUp() override {
    ComponentTest::SetUp();
    view = ReferenceView::Open();
    ASSERT_TRUE(view.IsOpen());
    ASSERT_EQ(view.frame->SetFrameSize(kSide, kSide), S_OK);
    ASSERT_EQ(view.globeCamera->PlaceAbove(0.0, 0.0, kCameraRadii * kRadiusMetres), S_OK);
    scene = Make<ISceneManager3D>(CLSID_SceneManager3D);
    ASSERT_TRUE(scene);
    ASSERT_EQ(scene->InitializeContext(view.display), S_OK);
  }

  void TearDown() override {
    // Renderables free their lists in the viewer's context.
    if (view.frame) view.frame->MakeCurrent();
    scene.Release();
    view = {};
    ComponentTest::TearDown();
  }

  template <class Interface>
  CComQIPtr<Interface> As() {
    return CComQIPtr<Interface>(scene);
  }

  static CComPtr<IRgbColor> Color(int r, int g, int b) {
    CComPtr<IRgbColor> color = Make<IRgbColor>(CLSID_RgbColor);
    color->put_Red(r);
    color->put_Green(g);
    color->put_Blue(b);
    return color;
  }

  static CComPtr<IMaterial3D> Material(int r, int g, int b) {
    CComPtr<ISimpleMaterial3D> material = Make<ISimpleMaterial3D>(CLSID_SimpleMaterial3D);
    material->putref_Color(Color(r, g, b));
    return CComQIPtr<IMaterial3D>(material);
  }

  // Gives `graphic` its place, colour and, when not null, its UID.
  static void Dress(IUnknown* graphic, double lat, double lon, double alt, Pixel colour, const wchar_t* uid = nullptr) {
    CComQIPtr<IGraphic3D> base(graphic);
    ASSERT_TRUE(base);
    ASSERT_EQ(base->putref_Centroid(NewPoint(lon, lat, alt)), S_OK);
    ASSERT_EQ(base->putref_Material(Material(colour.r, colour.g, colour.b)), S_OK);
    if (uid) {
      ASSERT_EQ(base->put_UID(CComBSTR(uid)), S_OK);
    }
  }

  // A square billboard of `pixels` window pixels (at the surface under the
  // camera), not yet added.
  static CComPtr<IGraphic3D> NewBillboard(double lat, double lon, double alt, Pixel colour, double pixels = 12,
                                          const wchar_t* uid = nullptr) {
    CComPtr<IBillboard3D> billboard = Make<IBillboard3D>(CLSID_Billboard3D);
    billboard->PutSize(pixels * kUnitsPerPixel, pixels * kUnitsPerPixel);
    Dress(billboard, lat, lon, alt, colour, uid);
    return CComQIPtr<IGraphic3D>(billboard);
  }

  // A filled sphere of `diameter` scene units standing on the ground.
  static CComPtr<IGraphic3D> NewEllipsoid(double lat, double lon, double diameter, Pixel colour) {
    CComPtr<IEllipsoid3D> ellipsoid = Make<IEllipsoid3D>(CLSID_Ellipsoid3D);
    ellipsoid->put_EllipsoidOption(kestGLEllipsoidFillOnly);
    ellipsoid->PutSize(diameter, diameter, diameter);
    Dress(ellipsoid, lat, lon, 0.0, colour);
    return CComQIPtr<IGraphic3D>(ellipsoid);
  }

  CComPtr<IGraphic3D> AddBillboard(double lat, double lon, Pixel colour, double alt = 5000.0) {
    CComPtr<IGraphic3D> billboard = NewBillboard(lat, lon, alt, colour);
    EXPECT_EQ(scene->AddGraphic(billboard), S_OK);
    return billboard;
  }

  void Redraw() { ASSERT_EQ(view.viewer->Redraw(VARIANT_FALSE), S_OK); }

  // The last frame's pixel at window (x, y), rows from the top.
  Pixel PixelAt(LONG x, LONG y) {
    std::vector<std::uint8_t> rgba(kSide * kSide * 4);
    EXPECT_EQ(view.frame->ReadFrame(rgba.data(), static_cast<LONG>(rgba.size())), S_OK);
    const std::uint8_t* p = &rgba[((kSide - 1 - y) * kSide + x) * 4];
    return {p[0], p[1], p[2]};
  }

  // Where the scene manager says a place shows in the window.
  std::pair<LONG, LONG> WindowOf(double lat, double lon, double alt = 0.0) {
    LONG x = -1, y = -1;
    EXPECT_EQ(As<ILocationHelper3D>()->GeographicToWindow(NewPoint(lon, lat, alt), &x, &y), S_OK);
    return {x, y};
  }

  Pixel PixelOf(double lat, double lon, double alt = 5000.0) {
    auto [x, y] = WindowOf(lat, lon, alt);
    return PixelAt(x, y);
  }

  CComPtr<IGraphic3D> Pick(LONG x, LONG y) {
    CComPtr<IGraphic3D> picked;
    EXPECT_EQ(As<ISelection3D>()->HitTestPoint(x, y, &picked), S_OK);
    return picked;
  }

  ReferenceView view;
  CComPtr<ISceneManager3D> scene;
};

inline bool operator==(const Pixel& a, const Pixel& b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
inline std::ostream& operator<<(std::ostream& out, const Pixel& p) {
  return out << "(" << p.r << ", " << p.g << ", " << p.b << ")";
}

constexpr Pixel kRed{255, 0, 0};
constexpr Pixel kGreen{0, 255, 0};
constexpr Pixel kBlue{0, 0, 255};
constexpr Pixel kBlack{0, 0, 0};

}  // namespace zelph::test
