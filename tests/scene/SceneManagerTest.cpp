// The scene manager on the reference host: what a client sees of its lists,
// its frames, its updates, its picking and its location help.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

#include "frame/Logger.h"
#include "platform/ConnectionPoints.h"
#include "platform/WideString.h"
#include "tests/scene/SceneFixture.h"
#include "tests/support/GetProperty.h"
#include "tests/support/TestPaths.h"
#include "text/ComFontHelper.h"

extern "C" HRESULT DllCanUnloadNow();

namespace zelph::test {
namespace {

LONG CountOf(IArray* array) {
  LONG count = -1;
  EXPECT_EQ(array->get_Count(&count), S_OK);
  return count;
}

LONG GraphicCount(ISceneManager3D* scene) {
  CComPtr<IArray> graphics;
  EXPECT_EQ(scene->get_Graphics(&graphics), S_OK);
  return graphics ? CountOf(graphics) : -1;
}

bool Near(Pixel a, Pixel b, int tolerance = 3) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

// The lines the logger writes while `run` runs, trace and debug lines on.
std::vector<std::string> LoggedLines(const std::function<void()>& run) {
  std::string path = FreshDirectory("scene-trace") + "/trace.log";
  EXPECT_TRUE(Logger::Initialize(zelph::FromUtf8(path).c_str()));
  Logger::EnableTrace = Logger::EnableDebug = true;
  run();
  Logger::EnableTrace = Logger::EnableDebug = false;
  Logger::Close();
  std::vector<std::string> lines;
  std::ifstream file(path);
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

bool AnyLineHas(const std::vector<std::string>& lines, const std::string& text) {
  for (const std::string& line : lines) {
    if (line.find(text) != std::string::npos) return true;
  }
  return false;
}

using SceneManager = SceneTest;

TEST_F(SceneManager, PendingGraphicsWaitForRefreshAndListsFollow) {
  CComPtr<IGraphic3D> billboard = AddBillboard(2, 3, kRed);
  EXPECT_NE(PixelOf(2, 3), kRed);
  EXPECT_EQ(GraphicCount(scene), 0);
  EXPECT_EQ(scene->UpdateGraphic(billboard), E_FAIL);
  CComPtr<IGraphic3D> found;
  EXPECT_EQ(scene->FindGraphic(CComBSTR(Get(billboard, &IGraphic3D::get_UID)), &found), S_OK);
  EXPECT_TRUE(SameIdentity(found, billboard));

  ASSERT_EQ(scene->Refresh(), S_OK);
  EXPECT_EQ(PixelOf(2, 3), kRed);
  EXPECT_EQ(GraphicCount(scene), 1);

  // Removed: gone from the lists and from the frame.
  ASSERT_EQ(scene->RemoveGraphic(billboard), S_OK);
  EXPECT_NE(PixelOf(2, 3), kRed);
  EXPECT_EQ(GraphicCount(scene), 0);
  found.Release();
  EXPECT_EQ(scene->FindGraphic(CComBSTR(Get(billboard, &IGraphic3D::get_UID)), &found), S_OK);
  EXPECT_FALSE(found);
}

TEST_F(SceneManager, PutGraphicsTakesTheCallersArrayAndNullKeepsAnEmptyList) {
  CComPtr<IArray> array = Make<IArray>(CLSID_Array);
  for (double lon : {-4.0, 0.0, 4.0}) array->Add(NewBillboard(1, lon, 5000, kGreen));
  ASSERT_EQ(scene->putref_Graphics(array), S_OK);
  EXPECT_EQ(GraphicCount(scene), 3);
  EXPECT_EQ(CountOf(array), 0);
  EXPECT_EQ(PixelOf(1, 4), kGreen);

  ASSERT_EQ(scene->putref_Graphics(nullptr), S_OK);
  EXPECT_EQ(GraphicCount(scene), 0);
  AddBillboard(1, 4, kBlue);
  ASSERT_EQ(scene->Refresh(), S_OK);
  EXPECT_EQ(PixelOf(1, 4), kBlue);
  EXPECT_EQ(GraphicCount(scene), 1);
}

TEST_F(SceneManager, SameUidReplacesTheRenderableAndUidsSetTheDrawOrder) {
  scene->AddGraphic(NewBillboard(3, 0, 5000, kRed, 12, L"X"));
  scene->AddGraphic(NewBillboard(3, 0, 5000, kGreen, 12, L"X"));
  ASSERT_EQ(scene->Refresh(), S_OK);
  EXPECT_EQ(GraphicCount(scene), 2);
  EXPECT_EQ(PixelOf(3, 0), kGreen);

  // Half-transparent billboards over one spot: the last drawn shows most.
  Pixel background = PixelOf(-3, 0);
  const std::pair<const wchar_t*, Pixel> order[] = {{L"a", kBlue}, {L"B", kGreen}, {L"A", kRed}};
  for (auto [uid, colour] : order) {
    CComPtr<IGraphic3D> billboard = NewBillboard(-3, 0, 5000, colour, 12, uid);
    billboard->put_Transparency(128);
    scene->AddGraphic(billboard);
  }
  ASSERT_EQ(scene->Refresh(), S_OK);
  double alpha = 128.0 / 255.0, r = background.r, g = background.g, b = background.b;
  for (Pixel colour : {kRed, kGreen, kBlue}) {  // "A" < "B" < "a"
    r = r * (1 - alpha) + colour.r * alpha;
    g = g * (1 - alpha) + colour.g * alpha;
    b = b * (1 - alpha) + colour.b * alpha;
  }
  Pixel expected{static_cast<int>(std::lround(r)), static_cast<int>(std::lround(g)), static_cast<int>(std::lround(b))};
  EXPECT_TRUE(Near(PixelOf(-3, 0), expected)) << PixelOf(-3, 0) << " expected " << expected;
}

TEST_F(SceneManager, UpdatesReachTheScreenAtTheirLevel) {
  CComPtr<IGraphic3D> billboard = AddBillboard(2, 2, kRed);
  ASSERT_EQ(scene->Refresh(), S_OK);

  // A new colour waits for a rebuild.
  ASSERT_EQ(billboard->putref_Material(Material(0, 255, 0)), S_OK);
  SetUpdateLevel(billboard, kestGLUpdateMinor);
  ASSERT_EQ(scene->UpdateGraphic(billboard), S_OK);
  EXPECT_EQ(PixelOf(2, 2), kRed);
  EXPECT_EQ(UpdateLevelOf(billboard), kestGLUpdateMinor);
  SetUpdateLevel(billboard, kestGLUpdateMajor);
  ASSERT_EQ(scene->UpdateGraphic(billboard), S_OK);
  EXPECT_EQ(PixelOf(2, 2), kGreen);
  EXPECT_EQ(UpdateLevelOf(billboard), kestGLUpdateNone);
  EXPECT_EQ(GraphicCount(scene), 1);

  // A location update moves it but leaves a new size for a minor one.
  ASSERT_EQ(billboard->putref_Centroid(NewPoint(-2, -2, 5000)), S_OK);
  CComQIPtr<IBillboard3D>(billboard)->PutSize(40 * kUnitsPerPixel, 40 * kUnitsPerPixel);
  SetUpdateLevel(billboard, kestGLUpdateLocation);
  ASSERT_EQ(scene->UpdateGraphic(billboard), S_OK);
  auto [x, y] = WindowOf(-2, -2, 5000);
  EXPECT_EQ(PixelAt(x, y), kGreen);
  EXPECT_NE(PixelOf(2, 2), kGreen);
  EXPECT_NE(PixelAt(x + 12, y), kGreen);
  SetUpdateLevel(billboard, kestGLUpdateMinor);
  ASSERT_EQ(scene->UpdateGraphic(billboard), S_OK);
  Redraw();
  EXPECT_EQ(PixelAt(x + 12, y), kGreen);
}

TEST_F(SceneManager, RenderingSwitchAndObserverSideChooseWhatIsDrawnWhen) {
  AddBillboard(0, 2, kRed);
  ASSERT_EQ(scene->Refresh(), S_OK);
  ASSERT_EQ(scene->ToggleRendering(VARIANT_FALSE), S_OK);
  EXPECT_NE(PixelOf(0, 2), kRed);
  ASSERT_EQ(scene->ToggleRendering(VARIANT_TRUE), S_OK);
  EXPECT_EQ(PixelOf(0, 2), kRed);

  // An ellipsoid far outside the view is still drawn; a billboard there is
  // culled. Which event draws the surface set depends on the observer; the
  // hook marks where the globe is drawn, between the two events.
  scene->AddGraphic(NewBillboard(0, 90, kRadiusMetres, kBlue));
  scene->AddGraphic(NewEllipsoid(0, 90, 0.05, kBlue));
  ASSERT_EQ(scene->Refresh(), S_OK);
  AdvisedFrameHook hook(view.display);
  hook->onBeforeDraw = [] { Logger::Warning(L"-- globe --"); };
  auto drawnAfterGlobe = [&](const std::string& text) {
    auto lines = LoggedLines([&] { Redraw(); });
    auto globe = std::find(lines.begin(), lines.end(), "-- globe --");
    EXPECT_NE(globe, lines.end());
    for (auto line = lines.begin(); line != lines.end(); ++line) {
      if (line->find(text) != std::string::npos) return line > globe;
    }
    ADD_FAILURE() << "no line " << text;
    return false;
  };
  EXPECT_TRUE(drawnAfterGlobe("1 other surface graphic(s) rendered in"));
  EXPECT_TRUE(drawnAfterGlobe("1 surface billboard graphic(s) rendered in"));
  ASSERT_EQ(view.camera->put_Observer(NewPoint(0.99, 0, 0)), S_OK);
  EXPECT_FALSE(drawnAfterGlobe("1 other surface graphic(s) rendered in"));
}

TEST_F(SceneManager, HostSelectionPassesAndFrontFacesAreLeftToTheHost) {
  AddBillboard(0, 0, kRed);
  ASSERT_EQ(scene->Refresh(), S_OK);
  // A hook drawing before the scene manager culls front faces.
  AdvisedFrameHook first(view.display);
  ASSERT_EQ(scene->InitializeContext(view.display), S_OK);
  AdvisedFrameHook last(view.display);
  GLint frontFaceAfterScene = 0;
  first->onBeforeDraw = [] {
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);
    glFrontFace(GL_CCW);
  };
  last->onBeforeDraw = [&] { glGetIntegerv(GL_FRONT_FACE, &frontFaceAfterScene); };
  last->onAfterDraw = [] {
    glDisable(GL_CULL_FACE);
    glCullFace(GL_BACK);
  };
  Redraw();
  EXPECT_EQ(frontFaceAfterScene, GL_CCW);
  EXPECT_EQ(PixelAt(kSide / 2, kSide / 2), kRed);
  first->onBeforeDraw = nullptr;

  // The host's own selection pass over the billboard: only its records.
  std::vector<GLuint> buffer(4096);
  glSelectBuffer(static_cast<GLsizei>(buffer.size()), buffer.data());
  glRenderMode(GL_SELECT);
  Redraw();
  GLint hits = glRenderMode(GL_RENDER);
  ASSERT_GT(hits, 0);
  for (GLint hit = 0, at = 0; hit < hits; ++hit, at += 3 + buffer[at]) EXPECT_EQ(buffer[at], 2u);
}

TEST_F(SceneManager, PicksTheNearestGraphicWithOrWithoutHostRecords) {
  CComPtr<IGraphic3D> low = AddBillboard(0, 0, kRed, 5000);
  CComPtr<IGraphic3D> high = AddBillboard(0, 0, kGreen, 300000);
  // Off the globe's disk: nothing of the host lies under it.
  CComPtr<IGraphic3D> inSpace = AddBillboard(45, 90, kBlue, 0.5 * kRadiusMetres);
  ASSERT_EQ(scene->Refresh(), S_OK);

  EXPECT_TRUE(SameIdentity(Pick(kSide / 2, kSide / 2), high));
  auto [x, y] = WindowOf(45, 90, 0.5 * kRadiusMetres);
  EXPECT_TRUE(SameIdentity(Pick(x, y), inSpace));
  EXPECT_FALSE(Pick(4, 4));

  // A rebuilt graphic keeps its name.
  SetUpdateLevel(high, kestGLUpdateMajor);
  ASSERT_EQ(scene->UpdateGraphic(high), S_OK);
  EXPECT_TRUE(SameIdentity(Pick(kSide / 2, kSide / 2), high));
  ASSERT_EQ(scene->RemoveGraphic(high), S_OK);
  EXPECT_TRUE(SameIdentity(Pick(kSide / 2, kSide / 2), low));
}

TEST_F(SceneManager, RectanglesAndGroupsPickWhatTheyHold) {
  std::vector<CComPtr<IGraphic3D>> row;
  for (double lon : {-6.0, 0.0, 6.0}) row.push_back(AddBillboard(-8, lon, kRed));
  CComPtr<IGraphic3D> outside = AddBillboard(8, 0, kRed);
  CComPtr<IGroupGraphic3D> group = Make<IGroupGraphic3D>(CLSID_GroupGraphic3D);
  CComPtr<IGraphic3D> member = NewBillboard(0, 10, 5000, kGreen);
  group->AddGraphic(member);
  group->AddGraphic(NewBillboard(0, 14, 5000, kGreen));
  scene->AddGraphic(CComQIPtr<IGraphic3D>(group));
  ASSERT_EQ(scene->Refresh(), S_OK);

  auto [left, rowY] = WindowOf(-8, -6);
  auto [right, unused] = WindowOf(-8, 6);
  const LONG height = 10;
  CComPtr<ISet> picked;
  // The region is centred on (x, y + dy).
  ASSERT_EQ(As<ISelection3D>()->HitTestRect((left + right) / 2, rowY - height, right - left + 16, height, &picked),
            S_OK);
  ASSERT_TRUE(picked);
  EXPECT_EQ(Get(picked.p, &ISet::get_Count), 3);
  for (IGraphic3D* graphic : {row[0].p, row[1].p, row[2].p, outside.p}) {
    VARIANT_BOOL found = VARIANT_FALSE;
    picked->Find(graphic, &found);
    EXPECT_EQ(found == VARIANT_TRUE, graphic != outside.p);
  }

  auto [mx, my] = WindowOf(0, 10, 5000);
  EXPECT_TRUE(SameIdentity(Pick(mx, my), group));
}

TEST_F(SceneManager, LocationHelpAgreesWithTheCamera) {
  auto [cx, cy] = WindowOf(0, 0);
  EXPECT_NEAR(cx, kSide / 2, 1);
  EXPECT_NEAR(cy, kSide / 2, 1);
  CComPtr<IPoint> centre;
  ASSERT_EQ(As<ILocationHelper3D>()->WindowToGeographic(kSide / 2, kSide / 2, &centre), S_OK);
  ASSERT_TRUE(centre);
  EXPECT_NEAR(Get(centre.p, &IPoint::get_X), 0.0, 1e-4);
  EXPECT_NEAR(Get(centre.p, &IPoint::get_Y), 0.0, 1e-4);
  EXPECT_EQ(WindowOf(5, 5, NAN), WindowOf(5, 5, 0));
  EXPECT_NE(WindowOf(5, 5, 0), WindowOf(5, 5, kRadiusMetres));

  // Pixels at the surface under the camera, as the field angle spans them.
  const LONG pixels = 100;
  double glHeight = pixels * kUnitsPerPixel;
  DOUBLE degrees = 0, metres = 0;
  ASSERT_EQ(As<ILocationHelper3D>()->PixelsToDegrees(pixels, &degrees), S_OK);
  ASSERT_EQ(As<ILocationHelper3D>()->PixelsToMeters(pixels, &metres), S_OK);
  EXPECT_NEAR(degrees, glHeight * 180.0 / std::numbers::pi, degrees * 0.01);
  EXPECT_NEAR(metres, glHeight * kRadiusMetres, metres * 0.01);

  LONG x = 0;
  EXPECT_EQ(As<ILocationHelper3D>()->GeographicToWindow(nullptr, &x, &x), E_POINTER);

  // The rubber band shows while it is dragged and measures like pixels do.
  CComQIPtr<IOrthoTrack3D> track(scene);
  ASSERT_EQ(track->StartTrackRect(100, 100), S_OK);
  ASSERT_EQ(track->UpdateTrackRect(150, 120), S_OK);
  EXPECT_EQ(PixelAt(125, 100), kBlack);
  DOUBLE width = 0, height = 0;
  EXPECT_EQ(track->FinishTrackRect(&width, nullptr), E_POINTER);
  ASSERT_EQ(track->FinishTrackRect(&width, &height), S_OK);
  EXPECT_NEAR(width, 50 * kUnitsPerPixel, 1e-3 * width);
  EXPECT_NEAR(height, 20 * kUnitsPerPixel, 1e-3 * height);
  EXPECT_NE(PixelAt(125, 100), kBlack);
}

TEST_F(SceneManager, DetachingAndReleasingLeaveNothingBehind) {
  auto lines = LoggedLines([&] {
    EXPECT_EQ(scene->UninitializeContext(), S_OK);
    EXPECT_EQ(scene->UninitializeContext(), S_OK);
  });
  EXPECT_TRUE(AnyLineHas(lines, "Not sinking; Exiting UninitializeContext..."));
  ASSERT_EQ(scene->InitializeContext(view.display), S_OK);

  AddBillboard(0, 0, kRed);
  scene->AddGraphic(NewEllipsoid(3, 3, 500000, kGreen));
  ASSERT_EQ(scene->Refresh(), S_OK);
  EXPECT_EQ(PixelAt(kSide / 2, kSide / 2), kRed);
  // Released while attached: the display lets go of it too.
  scene.Release();
  Redraw();
  EXPECT_NE(PixelAt(kSide / 2, kSide / 2), kRed);
  // The library-wide default font is a cache the library keeps until it
  // unloads; other tests of this program may have made it.
  ComFontHelper::ReleaseDefaultBillboardFont();
  EXPECT_EQ(DllCanUnloadNow(), S_OK);
}

}  // namespace
}  // namespace zelph::test
