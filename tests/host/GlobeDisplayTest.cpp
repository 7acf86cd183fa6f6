// The host's globe display and viewer: draw events around every frame, the
// host's own selection records, the pixels and the saved PNG of a frame, and
// the answers to bad calls.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "frame/ComObject.h"
#include "frame/HostGlobe.h"
#include "frame/HostGuids.h"
#include "host/HostInterfaces.h"
#include "host/globe/GlobeSelectionNames.h"
#include "platform/ClassRegistry.h"
#include "platform/ComBstr.h"
#include "platform/ComPtr.h"
#include "platform/ConnectionPoints.h"
#include "platform/OffscreenGLContext.h"
#include "platform/Win32OpenGL.h"
#include "tests/support/FrameHook.h"

namespace {

using zelph::Rgba;
using zelph::host::kGlobeSelectionName;
using zelph::host::kHostSelectionMarker;

struct GlobeView {
  CComPtr<IGlobeDisplay> display;
  CComPtr<ISceneViewer> viewer;
  CComQIPtr<IOffscreenViewer> frame;
  CComPtr<ICamera> camera;
};

GlobeView NewGlobe() {
  GlobeView globe;
  EXPECT_EQ(globe.display.CoCreateInstance(CLSID_GlobeDisplay), S_OK);
  if (!globe.display) return globe;
  EXPECT_EQ(globe.display->get_ActiveViewer(&globe.viewer), S_OK);
  globe.frame = globe.viewer.p;
  EXPECT_EQ(globe.viewer->get_Camera(&globe.camera), S_OK);
  return globe;
}

std::array<double, 3> SurfacePoint(double latitude, double longitude) {
  double lat = latitude * std::numbers::pi / 180.0, lon = longitude * std::numbers::pi / 180.0;
  return {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
}

// Where a scene point lands in the window under the matrices in force.
std::array<double, 2> WindowPosition(const std::array<double, 3>& point) {
  GLdouble model[16], projection[16];
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, model);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  GLdouble x = 0, y = 0, z = 0;
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

// A new sink, held by `holder`, and the sink itself for the test to read.
RecordingSink* NewSink(CComPtr<IGlobeDisplayEvents>& holder) {
  EXPECT_EQ(
      zelph::CreateComInstance<RecordingSink>(nullptr, IID_IGlobeDisplayEvents, reinterpret_cast<void**>(&holder)),
      S_OK);
  return static_cast<RecordingSink*>(holder.p);
}

std::vector<std::uint8_t> ReadFrame(IOffscreenViewer* frame) {
  LONG width = 0, height = 0;
  EXPECT_EQ(frame->get_FrameWidth(&width), S_OK);
  EXPECT_EQ(frame->get_FrameHeight(&height), S_OK);
  std::vector<std::uint8_t> rgba(static_cast<size_t>(width) * height * 4);
  EXPECT_EQ(frame->ReadFrame(rgba.data(), static_cast<LONG>(rgba.size())), S_OK);
  return rgba;
}

Rgba PixelAt(const std::vector<std::uint8_t>& rgba, int width, int x, int y) {
  const std::uint8_t* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
  return {p[0], p[1], p[2], p[3]};
}

bool IsGlobeBlue(Rgba pixel) { return pixel.b > 100 && pixel.b > pixel.r + 60 && pixel.b > pixel.g + 40; }
bool IsBackground(Rgba pixel) { return pixel.r < 8 && pixel.g < 8 && pixel.b < 8; }

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
  if (!png_image_finish_read(&image, nullptr, file.rgba.data(), 0, nullptr)) {
    png_image_free(&image);
    return std::nullopt;
  }
  return file;
}

TEST(GlobeDisplay, SinksSeeEveryFrameWithTheCameraInForce) {
  GlobeView globe = NewGlobe();
  ASSERT_TRUE(globe.frame && globe.camera);
  CComPtr<IGlobeDisplayEvents> firstHolder, secondHolder;
  RecordingSink* first = NewSink(firstHolder);
  RecordingSink* second = NewSink(secondHolder);
  DWORD firstCookie = 0, secondCookie = 0;
  ASSERT_EQ(AtlAdvise(globe.display, firstHolder, IID_IGlobeDisplayEvents, &firstCookie), S_OK);
  ASSERT_EQ(AtlAdvise(globe.display, secondHolder, IID_IGlobeDisplayEvents, &secondCookie), S_OK);

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
  CComQIPtr<IGlobeCamera> placing(globe.camera);
  ASSERT_EQ(placing->put_OrientationMode(kestGlobeCameraOrientationLocal), S_OK);
  ASSERT_EQ(placing->PlaceAbove(10.0, 20.0, 1000e3), S_OK);
  first->probe = SurfacePoint(10.0, 20.0);
  ASSERT_EQ(AtlUnadvise(globe.display, IID_IGlobeDisplayEvents, secondCookie), S_OK);
  ASSERT_EQ(globe.viewer->Redraw(VARIANT_FALSE), S_OK);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_EQ(first->events, "BABABA");
  EXPECT_EQ(second->events, "BABA");
  EXPECT_NEAR(first->probeInBeforeDraw.back()[0], 320.0, 0.5);
  EXPECT_NEAR(first->probeInBeforeDraw.back()[1], 240.0, 0.5);

  CComQIPtr<IGlobeStatInfo> statistics(globe.display);
  ASSERT_TRUE(statistics);
  LONG frames = 0;
  double seconds = 0.0;
  EXPECT_EQ(statistics->get_FrameCount(&frames), S_OK);
  EXPECT_EQ(frames, 3);
  EXPECT_EQ(statistics->get_LastFrameSeconds(&seconds), S_OK);
  EXPECT_GT(seconds, 0.0);
}

TEST(GlobeDisplay, SinksAndClientsMayLetGoDuringAFrame) {
  GlobeView globe = NewGlobe();
  ASSERT_TRUE(globe.frame);
  CComPtr<IGlobeDisplayEvents> leavingHolder, stayingHolder;
  RecordingSink* leaving = NewSink(leavingHolder);
  RecordingSink* staying = NewSink(stayingHolder);
  DWORD leavingCookie = 0, stayingCookie = 0;
  ASSERT_EQ(AtlAdvise(globe.display, leavingHolder, IID_IGlobeDisplayEvents, &leavingCookie), S_OK);
  ASSERT_EQ(AtlAdvise(globe.display, stayingHolder, IID_IGlobeDisplayEvents, &stayingCookie), S_OK);

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
  std::vector<std::uint8_t> rgba = ReadFrame(globe.frame);
  EXPECT_TRUE(IsGlobeBlue(PixelAt(rgba, 640, 326, 246)));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(GlobeDisplay, SelectionPassYieldsTheHostsOwnHitRecordFirst) {
  GlobeView globe = NewGlobe();
  ASSERT_TRUE(globe.frame);
  ASSERT_EQ(globe.viewer->Redraw(VARIANT_FALSE), S_OK);

  // Like the library, a sink names its own drawing in AfterDraw.
  CComPtr<IGlobeDisplayEvents> holder;
  RecordingSink* sink = NewSink(holder);
  DWORD cookie = 0;
  ASSERT_EQ(AtlAdvise(globe.display, holder, IID_IGlobeDisplayEvents, &cookie), S_OK);
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
  LONG frames = 0;
  EXPECT_EQ(CComQIPtr<IGlobeStatInfo>(globe.display)->get_FrameCount(&frames), S_OK);
  EXPECT_EQ(frames, 1);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(GlobeDisplay, FrameShowsTheGlobeCentredAtItsApparentSizeAndSavesAsPng) {
  constexpr int kWidth = 400, kHeight = 300, kBand = 10;
  GlobeView globe = NewGlobe();
  ASSERT_TRUE(globe.frame);
  ASSERT_EQ(globe.frame->SetFrameSize(kWidth, kHeight), S_OK);
  ASSERT_EQ(globe.camera->put_ViewFieldAngle(45.0), S_OK);
  // A red band across the top tells which way up a picture is.
  CComPtr<IGlobeDisplayEvents> holder;
  RecordingSink* sink = NewSink(holder);
  DWORD cookie = 0;
  ASSERT_EQ(AtlAdvise(globe.display, holder, IID_IGlobeDisplayEvents, &cookie), S_OK);
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
  double focal = (kHeight / 2.0) / std::tan(22.5 * std::numbers::pi / 180.0);
  double radius = focal * std::tan(std::asin(1.0 / 3.0));
  for (auto [dx, dy] : std::vector<std::array<double, 2>>{{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
    double inside = radius - 2.0, outside = radius + 2.0;
    Rgba in = pixel(kWidth / 2.0 + dx * inside, kHeight / 2.0 + dy * inside);
    Rgba out = pixel(kWidth / 2.0 + dx * outside, kHeight / 2.0 + dy * outside);
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

  // A sink that handles BeforeDraw draws the globe itself: the host leaves
  // it out.
  sink->claimHandled = true;
  ASSERT_EQ(globe.viewer->Redraw(VARIANT_FALSE), S_OK);
  rgba = ReadFrame(globe.frame);
  EXPECT_TRUE(IsBackground(pixel(206, 156))) << pixel(206, 156);
}

TEST(GlobeDisplay, SurfaceOffsetPushesTheGlobeBackInDepth) {
  GlobeView globe = NewGlobe();
  ASSERT_TRUE(globe.frame);
  ASSERT_EQ(globe.frame->SetFrameSize(400, 300), S_OK);
  ASSERT_EQ(globe.camera->put_ViewFieldAngle(45.0), S_OK);
  CComPtr<IGlobeAdvancedOptions> options;
  ASSERT_EQ(globe.display->get_AdvancedOptions(&options), S_OK);
  double factor = 0.0;
  EXPECT_EQ(options->get_SurfaceOffsetFactor(&factor), S_OK);
  EXPECT_EQ(factor, 1.0);

  // A slanted stretch of surface, clear of the graticule: the offset
  // grows with the slope there.
  auto depthAfterFrame = [&] {
    EXPECT_EQ(globe.viewer->Redraw(VARIANT_FALSE), S_OK);
    GLfloat depth = 0.0f;
    glReadPixels(275, 190, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    return depth;
  };
  GLfloat gentle = depthAfterFrame();
  ASSERT_EQ(options->put_SurfaceOffsetFactor(10.0), S_OK);
  GLfloat strong = depthAfterFrame();
  EXPECT_LT(gentle, 1.0f);
  EXPECT_GT(strong, gentle);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(GlobeDisplay, BadCallsFailWithoutHarm) {
  GlobeView globe = NewGlobe();
  ASSERT_TRUE(globe.frame && globe.camera);
  EXPECT_EQ(globe.display->get_ActiveViewer(nullptr), E_POINTER);
  EXPECT_EQ(globe.display->get_Globe(nullptr), E_POINTER);
  EXPECT_EQ(globe.display->get_AdvancedOptions(nullptr), E_POINTER);
  EXPECT_EQ(globe.viewer->get_Camera(nullptr), E_POINTER);
  EXPECT_EQ(globe.frame->get_FrameWidth(nullptr), E_POINTER);
  EXPECT_EQ(globe.camera->get_Observer(nullptr), E_POINTER);
  EXPECT_EQ(globe.camera->put_Observer(nullptr), E_POINTER);
  EXPECT_EQ(globe.camera->QueryUp(nullptr, nullptr, nullptr), E_POINTER);
  CComQIPtr<IGlobeStatInfo> statistics(globe.display);
  EXPECT_EQ(statistics->get_FrameCount(nullptr), E_POINTER);
  CComQIPtr<IConnectionPointContainer> container(globe.display);
  EXPECT_EQ(container->FindConnectionPoint(IID_IGlobeDisplayEvents, nullptr), E_POINTER);
  CComPtr<IConnectionPoint> point;
  EXPECT_EQ(container->FindConnectionPoint(IID_ICamera, &point), CONNECT_E_NOCONNECTION);

  // Nothing to read or save before the first frame.
  std::vector<std::uint8_t> rgba(640 * 480 * 4);
  EXPECT_EQ(globe.frame->ReadFrame(rgba.data(), static_cast<LONG>(rgba.size())), E_FAIL);
  EXPECT_EQ(globe.frame->SaveFrame(CComBSTR(L"/tmp/zelph_never_written.png")), E_FAIL);

  for (auto [width, height] : std::vector<std::array<LONG, 2>>{{0, 10}, {10, 0}, {-5, 10}, {8193, 10}}) {
    EXPECT_EQ(globe.frame->SetFrameSize(width, height), E_INVALIDARG) << width << " x " << height;
  }
  LONG width = 0, height = 0;
  EXPECT_EQ(globe.frame->get_FrameWidth(&width), S_OK);
  EXPECT_EQ(globe.frame->get_FrameHeight(&height), S_OK);
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 480);

  for (double angle : {std::nan(""), 0.0, 180.0, -30.0, HUGE_VAL}) {
    EXPECT_EQ(globe.camera->put_ViewFieldAngle(angle), E_INVALIDARG) << angle;
  }
  double angle = 0.0;
  EXPECT_EQ(globe.camera->get_ViewFieldAngle(&angle), S_OK);
  EXPECT_EQ(angle, 30.0);
  EXPECT_EQ(globe.camera->PutUp(0.0, 0.0, 0.0), E_INVALIDARG);
  CComQIPtr<IGlobeCamera> placing(globe.camera);
  EXPECT_EQ(placing->PlaceAbove(91.0, 0.0, 1000.0), E_INVALIDARG);
  EXPECT_EQ(placing->PlaceAbove(std::nan(""), 0.0, 1000.0), E_INVALIDARG);
  EXPECT_EQ(placing->PlaceAbove(0.0, 0.0, 0.0), E_INVALIDARG);
  CComQIPtr<IGlobeViewUtil> util(globe.camera);
  EXPECT_EQ(util->QueryVisibleGeographicExtent(nullptr), E_POINTER);

  CComPtr<IGlobeAdvancedOptions> options;
  ASSERT_EQ(globe.display->get_AdvancedOptions(&options), S_OK);
  EXPECT_EQ(options->put_SurfaceOffsetFactor(std::nan("")), E_INVALIDARG);
  CComPtr<IUnknown> globeObject;
  ASSERT_EQ(globe.display->get_Globe(&globeObject), S_OK);
  CComQIPtr<IBasicMap> map(globeObject);
  ASSERT_TRUE(map);
  LONG layers = 0;
  EXPECT_EQ(map->get_LayerCount(&layers), S_OK);
  EXPECT_EQ(layers, 1);
  EXPECT_EQ(map->put_LayerCount(-1), E_INVALIDARG);

  // After a frame: a short buffer and paths that cannot be written fail.
  ASSERT_EQ(globe.viewer->Redraw(VARIANT_FALSE), S_OK);
  EXPECT_EQ(globe.frame->ReadFrame(nullptr, 640 * 480 * 4), E_POINTER);
  EXPECT_EQ(globe.frame->ReadFrame(rgba.data(), static_cast<LONG>(rgba.size()) - 1), E_INVALIDARG);
  EXPECT_EQ(globe.frame->ReadFrame(rgba.data(), -1), E_INVALIDARG);
  EXPECT_EQ(globe.frame->SaveFrame(CComBSTR(L"/nonexistent-directory/frame.png")), E_FAIL);
  std::string directory = ::testing::TempDir();
  EXPECT_EQ(globe.frame->SaveFrame(CComBSTR(std::wstring(directory.begin(), directory.end()))), E_FAIL);
  EXPECT_EQ(globe.frame->SaveFrame(nullptr), E_INVALIDARG);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
