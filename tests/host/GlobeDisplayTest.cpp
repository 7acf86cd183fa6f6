// The host's globe display, viewer and camera: draw events around every
// frame, the host's own selection records, the pixels and the saved PNG of a
// frame, where the camera stands and looks and which longitudes and
// latitudes its view shows, and the answers to bad calls.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "frame/ComObject.h"
#include "frame/HostGlobe.h"
#include "frame/HostGuids.h"
#include "host/HostInterfaces.h"
#include "host/globe/GlobeSelectionNames.h"
#include "platform/ComBstr.h"
#include "platform/ComPtr.h"
#include "platform/ConnectionPoints.h"
#include "platform/OffscreenGLContext.h"
#include "platform/Win32OpenGL.h"
#include "tests/support/FrameHook.h"
#include "tests/support/GetProperty.h"
#include "tests/support/HostObjects.h"

namespace {

using zelph::Rgba;
using zelph::host::kGlobeSelectionName;
using zelph::host::kHostSelectionMarker;
using zelph::test::Get;
using zelph::test::NewPoint;
using zelph::test::PointCoords;
using zelph::test::ReferenceView;
using Xyz = std::vector<double>;
constexpr double kRadiusMetres = 6367444.5;
constexpr double kDegree = std::numbers::pi / 180.0;

// Where a scene point lands in the window under the matrices in force.
std::array<double, 2> WindowPosition(const std::array<double, 3>& point) {
  GLdouble model[16], projection[16], x = 0, y = 0, z = 0;
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, model);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  gluProject(point[0], point[1], point[2], model, projection, viewport, &x, &y, &z);
  return {x, y};
}

class RecordingSink : public zelph::test::FrameHook {
 public:
  std::string events;  // 'B' for BeforeDraw, 'A' for AfterDraw, in arrival order
  bool contextAlwaysCurrent = true;
  std::vector<ISceneViewer*> viewers;
  // A scene point whose window position every BeforeDraw records.
  std::array<double, 3> probe{0.0, 0.0, 0.0};
  std::vector<std::array<double, 2>> probeInBeforeDraw;
  bool claimHandled = false;

  STDMETHODIMP BeforeDraw(ISceneViewer* viewer, VARIANT_BOOL* handled) override {
    Arrive('B', viewer);
    probeInBeforeDraw.push_back(WindowPosition(probe));
    if (claimHandled) *handled = VARIANT_TRUE;
    return FrameHook::BeforeDraw(viewer, handled);
  }
  STDMETHODIMP AfterDraw(ISceneViewer* viewer) override {
    Arrive('A', viewer);
    return FrameHook::AfterDraw(viewer);
  }

 private:
  void Arrive(char event, ISceneViewer* viewer) {
    events += event;
    viewers.push_back(viewer);
    if (wglGetCurrentContext() == nullptr) contextAlwaysCurrent = false;
  }
};

// A new sink advised to `display`, held by `holder`, and the sink itself for
// the test to read.
RecordingSink* AdviseSink(IGlobeDisplay* display, CComPtr<IGlobeDisplayEvents>& holder, DWORD* cookie) {
  EXPECT_EQ(
      zelph::CreateComInstance<RecordingSink>(nullptr, IID_IGlobeDisplayEvents, reinterpret_cast<void**>(&holder)),
      S_OK);
  EXPECT_EQ(AtlAdvise(display, holder, IID_IGlobeDisplayEvents, cookie), S_OK);
  return static_cast<RecordingSink*>(holder.p);
}

std::vector<std::uint8_t> ReadFrame(IOffscreenViewer* frame) {
  std::vector<std::uint8_t> rgba(static_cast<size_t>(Get(frame, &IOffscreenViewer::get_FrameWidth)) *
                                 Get(frame, &IOffscreenViewer::get_FrameHeight) * 4);
  EXPECT_EQ(frame->ReadFrame(rgba.data(), static_cast<LONG>(rgba.size())), S_OK);
  return rgba;
}

Rgba PixelAt(const std::vector<std::uint8_t>& rgba, int width, int x, int y) {
  const std::uint8_t* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
  return {p[0], p[1], p[2], p[3]};
}

bool IsGlobeBlue(Rgba pixel) { return pixel.b > 100 && pixel.b > pixel.r + 60 && pixel.b > pixel.g + 40; }
bool IsBackground(Rgba pixel) { return pixel.r < 8 && pixel.g < 8 && pixel.b < 8; }
LONG FrameCount(IUnknown* display) { return Get(display, &IGlobeStatInfo::get_FrameCount); }

// A decoded PNG file, top row first, with the pixel format the file holds.
struct PngFile {
  png_uint_32 width = 0, height = 0, format = 0;
  std::vector<std::uint8_t> rgba;
};

std::optional<PngFile> ReadPng(const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return std::nullopt;
  PngFile file{image.width, image.height, image.format, {}};
  image.format = PNG_FORMAT_RGBA;
  file.rgba.resize(PNG_IMAGE_SIZE(image));
  if (png_image_finish_read(&image, nullptr, file.rgba.data(), 0, nullptr)) return file;
  png_image_free(&image);
  return std::nullopt;
}

TEST(GlobeDisplay, SinksSeeEveryFrameWithTheCameraInForce) {
  ReferenceView globe = ReferenceView::Open();
  ASSERT_TRUE(globe.IsOpen());
  CComPtr<IGlobeDisplayEvents> firstHolder, secondHolder;
  DWORD firstCookie = 0, secondCookie = 0;
  RecordingSink* first = AdviseSink(globe.display, firstHolder, &firstCookie);
  RecordingSink* second = AdviseSink(globe.display, secondHolder, &secondCookie);

  ASSERT_EQ(globe.viewer->Redraw(VARIANT_FALSE), S_OK);
  ASSERT_EQ(globe.viewer->Redraw(VARIANT_TRUE), S_OK);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_EQ(first->events, "BABA");
  EXPECT_EQ(second->events, "BABA");
  EXPECT_TRUE(first->contextAlwaysCurrent);
  for (ISceneViewer* viewer : first->viewers) EXPECT_EQ(viewer, globe.viewer.p);
  // The default camera looks at the centre from (3, 0, 0): the centre lies
  // in the middle of the 640 x 480 frame.
  ASSERT_EQ(first->probeInBeforeDraw.size(), 2u);
  for (const auto& [x, y] : first->probeInBeforeDraw) {
    EXPECT_NEAR(x, 320.0, 0.5);
    EXPECT_NEAR(y, 240.0, 0.5);
  }
  // Looking straight down on a place puts that place in the middle; the
  // unadvised sink hears nothing more.
  ASSERT_EQ(globe.globeCamera->put_OrientationMode(kestGlobeCameraOrientationLocal), S_OK);
  ASSERT_EQ(globe.globeCamera->PlaceAbove(10.0, 20.0, 1000e3), S_OK);
  double lat = 10.0 * kDegree, lon = 20.0 * kDegree;
  first->probe = {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
  ASSERT_EQ(AtlUnadvise(globe.display, IID_IGlobeDisplayEvents, secondCookie), S_OK);
  ASSERT_EQ(globe.viewer->Redraw(VARIANT_FALSE), S_OK);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_EQ(first->events, "BABABA");
  EXPECT_EQ(second->events, "BABA");
  EXPECT_NEAR(first->probeInBeforeDraw.back()[0], 320.0, 0.5);
  EXPECT_NEAR(first->probeInBeforeDraw.back()[1], 240.0, 0.5);
  EXPECT_EQ(FrameCount(globe.display), 3);
  EXPECT_GT(Get(globe.display, &IGlobeStatInfo::get_LastFrameSeconds), 0.0);
}

TEST(GlobeDisplay, SinksAndClientsMayLetGoDuringAFrame) {
  ReferenceView globe = ReferenceView::Open();
  ASSERT_TRUE(globe.IsOpen());
  CComPtr<IGlobeDisplayEvents> leavingHolder, stayingHolder;
  DWORD leavingCookie = 0, stayingCookie = 0;
  RecordingSink* leaving = AdviseSink(globe.display, leavingHolder, &leavingCookie);
  RecordingSink* staying = AdviseSink(globe.display, stayingHolder, &stayingCookie);
  // A sink leaving in BeforeDraw: the sink after it still gets that event.
  HRESULT unadvised = E_FAIL;
  leaving->onBeforeDraw = [&] { unadvised = AtlUnadvise(globe.display, IID_IGlobeDisplayEvents, leavingCookie); };
  ASSERT_EQ(globe.viewer->Redraw(VARIANT_FALSE), S_OK);
  EXPECT_EQ(unadvised, S_OK);
  EXPECT_EQ(leaving->events, "B");
  EXPECT_EQ(staying->events, "BA");
  // The last reference to the display goes in the middle of a frame: the
  // frame still ends with AfterDraw, and then the viewer draws on alone.
  staying->onBeforeDraw = [&] { globe.display.Release(); };
  ASSERT_EQ(globe.viewer->Redraw(VARIANT_FALSE), S_OK);
  EXPECT_EQ(staying->events, "BABA");
  staying->onBeforeDraw = nullptr;
  ASSERT_EQ(globe.viewer->Redraw(VARIANT_FALSE), S_OK);
  EXPECT_EQ(staying->events, "BABA");
  EXPECT_EQ(leaving->events, "B");
  EXPECT_TRUE(IsGlobeBlue(PixelAt(ReadFrame(globe.frame), 640, 326, 246)));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(GlobeDisplay, SelectionPassYieldsTheHostsOwnHitRecordFirst) {
  ReferenceView globe = ReferenceView::Open();
  ASSERT_TRUE(globe.IsOpen());
  ASSERT_EQ(globe.viewer->Redraw(VARIANT_FALSE), S_OK);
  // Like the library, a sink names its own drawing in AfterDraw.
  CComPtr<IGlobeDisplayEvents> holder;
  DWORD cookie = 0;
  RecordingSink* sink = AdviseSink(globe.display, holder, &cookie);
  GLint modeInAfterDraw = 0, namesInAfterDraw = -1;
  sink->onAfterDraw = [&] {
    glGetIntegerv(GL_RENDER_MODE, &modeInAfterDraw);
    glGetIntegerv(GL_NAME_STACK_DEPTH, &namesInAfterDraw);
    glPushName(7);
    glBegin(GL_POINTS);
    glVertex3d(0.0, 0.0, 0.0);
    glEnd();
    glPopName();
  };

  ASSERT_EQ(globe.frame->MakeCurrent(), S_OK);
  std::array<GLuint, 64> buffer{};
  glSelectBuffer(static_cast<GLsizei>(buffer.size()), buffer.data());
  glRenderMode(GL_SELECT);
  ASSERT_EQ(globe.viewer->Redraw(VARIANT_FALSE), S_OK);
  GLint hits = glRenderMode(GL_RENDER);

  ASSERT_EQ(hits, 2);
  EXPECT_EQ(buffer[0], 2u);
  EXPECT_LE(buffer[1], buffer[2]);
  EXPECT_EQ(buffer[3], kGlobeSelectionName);
  EXPECT_EQ(buffer[4], kHostSelectionMarker);
  EXPECT_EQ(buffer[5], 1u);
  EXPECT_EQ(buffer[8], 7u);
  EXPECT_EQ(modeInAfterDraw, GL_SELECT);
  EXPECT_EQ(namesInAfterDraw, 0);
  EXPECT_EQ(sink->events, "BA");
  // A pick pass neither clears the picture nor counts as a frame.
  Rgba centre{};
  glReadPixels(326, 246, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, &centre);
  EXPECT_TRUE(IsGlobeBlue(centre)) << centre;
  EXPECT_EQ(FrameCount(globe.display), 1);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(GlobeDisplay, FrameShowsTheGlobeAtItsApparentSizeSavesAsPngAndOffsetsTheSurface) {
  constexpr int kWidth = 400, kHeight = 300, kBand = 10;
  ReferenceView globe = ReferenceView::Open();
  ASSERT_TRUE(globe.IsOpen());
  ASSERT_EQ(globe.frame->SetFrameSize(kWidth, kHeight), S_OK);
  ASSERT_EQ(globe.camera->put_ViewFieldAngle(45.0), S_OK);
  // A red band across the top tells which way up a picture is.
  CComPtr<IGlobeDisplayEvents> holder;
  DWORD cookie = 0;
  RecordingSink* sink = AdviseSink(globe.display, holder, &cookie);
  sink->onAfterDraw = [&] {
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_SCISSOR_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, kHeight - kBand, kWidth, kBand);
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glPopAttrib();
  };
  ASSERT_EQ(globe.viewer->Redraw(VARIANT_FALSE), S_OK);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  std::vector<std::uint8_t> rgba = ReadFrame(globe.frame);
  auto pixel = [&](double x, double y) {
    return PixelAt(rgba, kWidth, static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
  };
  // Two degrees off the sub-observer point, clear of the graticule.
  EXPECT_TRUE(IsGlobeBlue(pixel(206, 156))) << pixel(206, 156);
  EXPECT_TRUE(IsBackground(pixel(0, 0))) << pixel(0, 0);
  EXPECT_EQ(pixel(kWidth - 1, kHeight - 1), (Rgba{255, 0, 0, 255}));
  // Seen from 3 radii the globe spans asin(1/3) from the line of sight.
  double focal = (kHeight / 2.0) / std::tan(22.5 * kDegree);
  double radius = focal * std::tan(std::asin(1.0 / 3.0));
  for (auto [dx, dy] : std::vector<std::array<double, 2>>{{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
    Rgba in = pixel(kWidth / 2.0 + dx * (radius - 2), kHeight / 2.0 + dy * (radius - 2));
    Rgba out = pixel(kWidth / 2.0 + dx * (radius + 2), kHeight / 2.0 + dy * (radius + 2));
    EXPECT_FALSE(IsBackground(in)) << dx << ", " << dy << ": " << in;
    EXPECT_TRUE(IsBackground(out)) << dx << ", " << dy << ": " << out;
  }

  std::string path = ::testing::TempDir() + "zelph_globe_frame.png";
  std::remove(path.c_str());
  ASSERT_EQ(globe.frame->SaveFrame(CComBSTR(std::wstring(path.begin(), path.end()))), S_OK);
  std::optional<PngFile> png = ReadPng(path);
  ASSERT_TRUE(png);
  EXPECT_EQ(png->width, static_cast<png_uint_32>(kWidth));
  EXPECT_EQ(png->height, static_cast<png_uint_32>(kHeight));
  EXPECT_EQ(png->format, static_cast<png_uint_32>(PNG_FORMAT_RGBA));
  // The file's rows are the frame's, top row (the red band) first.
  ASSERT_EQ(png->rgba.size(), rgba.size());
  size_t row = static_cast<size_t>(kWidth) * 4;
  for (int y = 0; y < kHeight; ++y) {
    ASSERT_TRUE(std::equal(png->rgba.begin() + y * row, png->rgba.begin() + (y + 1) * row,
                           rgba.begin() + (kHeight - 1 - y) * row))
        << "row " << y;
  }
  EXPECT_EQ(png->rgba[0], 255);
  // The surface offset pushes the globe back in depth, more on a slanted
  // stretch of surface (clear of the graticule) for a stronger factor.
  CComPtr<IGlobeAdvancedOptions> options = Get(globe.display, &IGlobeDisplay::get_AdvancedOptions);
  ASSERT_TRUE(options);
  EXPECT_EQ(Get(options, &IGlobeAdvancedOptions::get_SurfaceOffsetFactor), 1.0);
  auto depthAfterFrame = [&] {
    EXPECT_EQ(globe.viewer->Redraw(VARIANT_FALSE), S_OK);
    GLfloat depth = 0.0f;
    glReadPixels(275, 190, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    return depth;
  };
  GLfloat gentle = depthAfterFrame();
  ASSERT_EQ(options->put_SurfaceOffsetFactor(10.0), S_OK);
  EXPECT_LT(gentle, 1.0f);
  EXPECT_GT(depthAfterFrame(), gentle);
  // A sink that handles BeforeDraw draws the globe itself: the host leaves
  // it out.
  sink->claimHandled = true;
  ASSERT_EQ(globe.viewer->Redraw(VARIANT_FALSE), S_OK);
  rgba = ReadFrame(globe.frame);
  EXPECT_TRUE(IsBackground(pixel(206, 156))) << pixel(206, 156);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(GlobeDisplay, BadCallsFailWithoutHarm) {
  ReferenceView globe = ReferenceView::Open();
  ASSERT_TRUE(globe.IsOpen());
  EXPECT_EQ(globe.camera->put_Observer(nullptr), E_POINTER);
  CComQIPtr<IConnectionPointContainer> container(globe.display);
  CComPtr<IConnectionPoint> point;
  EXPECT_EQ(container->FindConnectionPoint(IID_ICamera, &point), CONNECT_E_NOCONNECTION);
  // Nothing to read or save before the first frame.
  std::vector<std::uint8_t> rgba(640 * 480 * 4);
  EXPECT_EQ(globe.frame->ReadFrame(rgba.data(), static_cast<LONG>(rgba.size())), E_FAIL);
  EXPECT_EQ(globe.frame->SaveFrame(CComBSTR(L"/tmp/zelph_never_written.png")), E_FAIL);

  EXPECT_EQ(globe.frame->SetFrameSize(0, 10), E_INVALIDARG);
  EXPECT_EQ(globe.frame->SetFrameSize(10, 8193), E_INVALIDARG);
  EXPECT_EQ(Get(globe.frame, &IOffscreenViewer::get_FrameWidth), 640);
  for (double angle : {std::nan(""), 0.0, 180.0, -30.0, HUGE_VAL}) {
    EXPECT_EQ(globe.camera->put_ViewFieldAngle(angle), E_INVALIDARG) << angle;
  }
  EXPECT_EQ(Get(globe.camera, &ICamera::get_ViewFieldAngle), 30.0);
  EXPECT_EQ(globe.camera->PutUp(0.0, 0.0, 0.0), E_INVALIDARG);
  for (auto [latitude, altitude] : std::vector<std::array<double, 2>>{{91.0, 1000.0}, {NAN, 1000.0}, {0.0, 0.0}}) {
    EXPECT_EQ(globe.globeCamera->PlaceAbove(latitude, 0.0, altitude), E_INVALIDARG) << latitude << ", " << altitude;
  }

  CComQIPtr<IBasicMap> map(Get(globe.display, &IGlobeDisplay::get_Globe));
  ASSERT_TRUE(map);
  EXPECT_EQ(Get(map, &IBasicMap::get_LayerCount), 1);
  EXPECT_EQ(map->put_LayerCount(-1), E_INVALIDARG);
  // After a frame: a short buffer and paths that cannot be written fail.
  ASSERT_EQ(globe.viewer->Redraw(VARIANT_FALSE), S_OK);
  EXPECT_EQ(globe.frame->ReadFrame(nullptr, 640 * 480 * 4), E_POINTER);
  EXPECT_EQ(globe.frame->ReadFrame(rgba.data(), static_cast<LONG>(rgba.size()) - 1), E_INVALIDARG);
  EXPECT_EQ(globe.frame->SaveFrame(CComBSTR(L"/nonexistent-directory/frame.png")), E_FAIL);
  EXPECT_EQ(globe.frame->SaveFrame(nullptr), E_INVALIDARG);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

void ExpectNear(const Xyz& actual, const Xyz& expected, double tolerance, const char* what) {
  ASSERT_EQ(actual.size(), 3u) << what;
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(actual[i], expected[i], tolerance) << what << ", axis " << i;
}

Xyz Up(ICamera* camera) {
  Xyz up(3, NAN);
  EXPECT_EQ(camera->QueryUp(&up[0], &up[1], &up[2]), S_OK);
  return up;
}

struct Extent {
  bool empty = true;
  double lonMin = NAN, latMin = NAN, lonMax = NAN, latMax = NAN;
  double Width() const { return lonMax - lonMin; }
  double Height() const { return latMax - latMin; }
};

Extent VisibleExtent(ICamera* camera) {
  Extent extent;
  CComQIPtr<IGlobeViewUtil> util(camera);
  CComPtr<IEnvelope> envelope = zelph::test::Make<IEnvelope>(CLSID_Envelope);
  EXPECT_TRUE(util);
  if (!util || !envelope) return extent;
  EXPECT_EQ(util->QueryVisibleGeographicExtent(envelope), S_OK);
  extent.empty = Get(envelope, &IGeometry::get_IsEmpty) != VARIANT_FALSE;
  if (!extent.empty) {
    EXPECT_EQ(envelope->QueryCoords(&extent.lonMin, &extent.latMin, &extent.lonMax, &extent.latMax), S_OK);
  }
  return extent;
}

TEST(GlobeCamera, StandsLooksAndSeesWhereItIsPlaced) {
  ReferenceView globe = ReferenceView::Open();
  ASSERT_TRUE(globe.IsOpen());
  ICamera* camera = globe.camera;
  ExpectNear(PointCoords(Get(camera, &ICamera::get_Observer)), {3.0, 0.0, 0.0}, 0.0, "default observer");
  ExpectNear(PointCoords(Get(camera, &ICamera::get_Target)), {0.0, 0.0, 0.0}, 0.0, "default target");
  ExpectNear(Up(camera), {0.0, 0.0, 1.0}, 0.0, "default up");
  // From 3 radii the 640 x 480 window shows the horizon at its sides: the
  // extent reaches acos(1/3) either side of longitude 0. Upwards the window
  // cuts the horizon where it leaves the 30-degree field.
  Extent whole = VisibleExtent(camera);
  ASSERT_FALSE(whole.empty);
  double horizon = std::acos(1.0 / 3.0) / kDegree;
  EXPECT_NEAR(whole.lonMin, -horizon, 0.5);
  EXPECT_NEAR(whole.lonMax, horizon, 0.5);
  double cut = std::tan(15.0 * kDegree) / std::tan(std::asin(1.0 / 3.0));
  double highest = std::asin(std::sqrt(8.0) / 3.0 * cut) / kDegree;
  EXPECT_NEAR(whole.latMax, highest, 0.5);
  EXPECT_NEAR(whole.latMin, -highest, 0.5);
  // Local mode: straight down on the place, north up.
  double altitude = 1000e3, scaled = altitude / kRadiusMetres, lat = 10.0 * kDegree, lon = 20.0 * kDegree;
  Xyz below{std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
  ASSERT_EQ(globe.globeCamera->put_OrientationMode(kestGlobeCameraOrientationLocal), S_OK);
  ASSERT_EQ(globe.globeCamera->PlaceAbove(10.0, 20.0, altitude), S_OK);
  ExpectNear(PointCoords(Get(camera, &ICamera::get_Observer)),
             {(1 + scaled) * below[0], (1 + scaled) * below[1], (1 + scaled) * below[2]}, 1e-12, "local observer");
  ExpectNear(PointCoords(Get(camera, &ICamera::get_Target)), below, 1e-12, "local target");
  ExpectNear(Up(camera), {-std::sin(lat) * std::cos(lon), -std::sin(lat) * std::sin(lon), std::cos(lat)}, 1e-12,
             "local up");
  EXPECT_NEAR(Get(camera, &ICamera::get_ViewingDistance), scaled, 1e-12);
  // The extent is centred on the place, and narrower for a lower camera.
  Extent high, low;
  for (auto [height, extent] : {std::pair{altitude, &high}, std::pair{100e3, &low}}) {
    ASSERT_EQ(globe.globeCamera->PlaceAbove(10.0, 20.0, height), S_OK);
    *extent = VisibleExtent(camera);
    ASSERT_FALSE(extent->empty);
    EXPECT_NEAR((extent->lonMin + extent->lonMax) / 2, 20.0, 0.5);
    EXPECT_NEAR((extent->latMin + extent->latMax) / 2, 10.0, 0.5);
  }
  EXPECT_GT(high.Width(), high.Height()) << "the window is wider than high";
  EXPECT_LT(low.Width(), high.Width() / 5);
  EXPECT_LT(low.Height(), high.Height() / 5);
  // Across the date line the extent is the short way round.
  ASSERT_EQ(globe.globeCamera->PlaceAbove(0.0, 180.0, altitude), S_OK);
  Extent dateLine = VisibleExtent(camera);
  ASSERT_FALSE(dateLine.empty);
  EXPECT_LT(dateLine.lonMin, 180.0);
  EXPECT_GT(dateLine.lonMax, 180.0);
  EXPECT_NEAR((dateLine.lonMin + dateLine.lonMax) / 2, 180.0, 0.5);
  EXPECT_NEAR(dateLine.Width(), high.Width() * std::cos(10.0 * kDegree), 0.5);
  // Turning global aims at the centre at once; placing then keeps it there.
  ASSERT_EQ(globe.globeCamera->put_OrientationMode(kestGlobeCameraOrientationGlobal), S_OK);
  ExpectNear(PointCoords(Get(camera, &ICamera::get_Target)), {0.0, 0.0, 0.0}, 0.0, "target in the global mode");
  ASSERT_EQ(globe.globeCamera->PlaceAbove(-30.0, 100.0, altitude), S_OK);
  ExpectNear(PointCoords(Get(camera, &ICamera::get_Target)), {0.0, 0.0, 0.0}, 0.0, "target after placing");
  EXPECT_NEAR(Get(camera, &ICamera::get_ViewingDistance), 1.0 + scaled, 1e-12);
  // Looking away from the globe shows none of it.
  ASSERT_EQ(camera->put_Observer(NewPoint(3.0, 0.0, 0.0)), S_OK);
  ASSERT_EQ(camera->put_Target(NewPoint(6.0, 0.0, 0.0)), S_OK);
  EXPECT_TRUE(VisibleExtent(camera).empty);
}

}  // namespace
