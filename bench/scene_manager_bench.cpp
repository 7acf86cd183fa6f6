// How the scene manager scales and what its frames cost against the
// cheapest drawing of the same picture, measured on the reference host's
// offscreen viewer (1024 x 768):
//   - adding and refreshing, removing, and rebuilding (major update) 1,000
//     and 10,000 billboards, and how the time grows from one to the other;
//   - a frame of 10,000 billboards of 16 x 16 pixels against one batched
//     glDrawArrays of the same quads and against replaying a display list
//     per quad (also with culling switched per quad, as billboards do), and
//     the first frame after a refresh, which compiles every list;
//   - a frame of 1,000 filled ellipsoids against one glDrawArrays of their
//     triangle strips (and against indexed triangles, a lower floor);
//   - a frame with nothing attached: the globe's own cost;
//   - a point pick among the 10,000 billboards against a frame;
//   - the heap a billboard costs, component and renderable.
// Google Benchmark reports each measurement; the ratios follow at the end.
// Every frame measured is first read back and must show the graphics' colour
// (ZELPH_BENCH_FRAMES=<folder> also saves it there as a PNG).
//
// Every measured stretch is timed by hand (UseManualTime) so that making
// and tearing down the scene between iterations stays out of it. Frames
// are timed as wall-clock time: the rasteriser draws on threads of its own.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/BenchView.h"
#include "bench/FloorSinks.h"
#include "bench/RatioReporter.h"
#include "frame/ComModule.h"
#include "frame/GraphicInterfaces.h"
#include "frame/Guids.h"
#include "frame/HostGeometry.h"
#include "frame/HostGuids.h"
#include "frame/HostSymbols.h"
#include "frame/LibraryEnums.h"
#include "frame/MaterialInterfaces.h"
#include "frame/SceneInterfaces.h"
#include "platform/ComBstr.h"
#include "platform/ComPtr.h"

extern "C" HRESULT DllRegisterServer();

namespace {
// The module of this program, for the sinks it makes from the component
// templates.
constinit zelph::ComModule s_BenchModule;
}  // namespace

zelph::ComModule& ThisModule() { return s_BenchModule; }

namespace zelph::bench {
namespace {

constexpr int kBillboardCount = 10000;
constexpr int kSmallBillboardCount = 1000;
constexpr double kBillboardPixels = 16.0;
constexpr int kEllipsoidCount = 1000;
constexpr double kEllipsoidPixels = 20.0;
// The surface offset a scene manager gives the display; frames without one
// use it too.
constexpr double kSceneSurfaceOffset = 3.0;
constexpr std::array<float, 4> kBillboardRgba{1.0f, 0.0f, 0.0f, 1.0f};
constexpr std::array<float, 4> kEllipsoidRgba{1.0f, 1.0f, 0.0f, 1.0f};
// Below this share of the frame in the graphics' colour, the frame did not
// show them and measures nothing.
constexpr double kLeastCoverage = 0.05;

// Benchmark names, also the keys of the ratios.
const std::string kRefresh = "scaling/add_and_refresh/";
const std::string kRemove = "scaling/remove_all/";
const std::string kMajorUpdate = "scaling/major_update_all/";
// The same three with the processor's caches emptied before each timed
// stretch, so that 1,000 graphics start as cold as 10,000 do.
const std::string kCold = "cold/";
const std::string kFirstFrame = "frame/billboards_10000/first_frame_after_refresh";
const std::string kEmptyFrame = "frame/empty_host_frame";
const std::string kSceneBillboards = "frame/billboards_10000/scene_manager";
const std::string kFloorBillboards = "frame/billboards_10000/floor_one_glDrawArrays";
const std::string kReplayBillboards = "frame/billboards_10000/replay_list_per_quad";
const std::string kReplayToggling = "frame/billboards_10000/replay_list_per_quad_culling_toggled";
const std::string kSceneEllipsoids = "frame/ellipsoids_1000/scene_manager";
const std::string kFloorEllipsoids = "frame/ellipsoids_1000/floor_one_glDrawArrays";
const std::string kIndexedEllipsoids = "frame/ellipsoids_1000/indexed_one_glDrawElements";
const std::string kHitTest = "pick/hit_test_point_centre_10000";

void Check(HRESULT hr, const char* what) {
  if (hr != S_OK) {
    char message[160];
    std::snprintf(message, sizeof message, "%s failed (0x%08X)", what, static_cast<unsigned>(hr));
    throw std::runtime_error(message);
  }
}

template <class Work>
double SecondsOf(Work&& work) {
  const auto started = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
}

// Walks a buffer larger than any cache of this machine, so that what the
// next timed stretch touches comes from memory.
void EvictCaches() {
  static std::vector<unsigned char> buffer(std::size_t{256} << 20, 1);
  unsigned sum = 0;
  for (std::size_t at = 0; at < buffer.size(); at += 64) sum += buffer[at]++;
  benchmark::DoNotOptimize(sum);
}

CComPtr<IRgbColor> NewColor(const std::array<float, 4>& rgba) {
  CComPtr<IRgbColor> color;
  Check(color.CoCreateInstance(CLSID_RgbColor), "making a colour");
  Check(color->put_Red(static_cast<LONG>(rgba[0] * 255)), "put_Red");
  Check(color->put_Green(static_cast<LONG>(rgba[1] * 255)), "put_Green");
  Check(color->put_Blue(static_cast<LONG>(rgba[2] * 255)), "put_Blue");
  return color;
}

// A graphic of class `clsid` at `place`, its own material coloured `color`.
CComPtr<IGraphic3D> NewGraphic(REFCLSID clsid, const Placement& place, IRgbColor* color) {
  CComPtr<IGraphic3D> graphic;
  Check(graphic.CoCreateInstance(clsid), "making a graphic");
  CComPtr<IPoint> centroid;
  Check(centroid.CoCreateInstance(CLSID_Point), "making a point");
  Check(centroid->PutCoords(place.longitude, place.latitude), "PutCoords");
  Check(centroid->put_Z(place.altitudeMetres), "put_Z");
  Check(graphic->putref_Centroid(centroid), "putref_Centroid");
  CComPtr<IMaterial3D> material;
  Check(graphic->get_Material(&material), "get_Material");
  CComQIPtr<ISimpleMaterial3D> simple{material};
  if (!simple) throw std::runtime_error("the default material is no simple material");
  Check(simple->putref_Color(color), "putref_Color");
  return graphic;
}

std::vector<CComPtr<IGraphic3D>> NewBillboards(const std::vector<Placement>& places) {
  CComPtr<IRgbColor> color = NewColor(kBillboardRgba);
  std::vector<CComPtr<IGraphic3D>> graphics;
  graphics.reserve(places.size());
  for (const Placement& place : places) {
    CComPtr<IGraphic3D> graphic = NewGraphic(CLSID_Billboard3D, place, color);
    Check(CComQIPtr<IBillboard3D>(graphic)->PutSize(place.size, place.size), "IBillboard3D::PutSize");
    graphics.push_back(graphic);
  }
  return graphics;
}

std::vector<CComPtr<IGraphic3D>> NewEllipsoids(const std::vector<Placement>& places) {
  CComPtr<IRgbColor> color = NewColor(kEllipsoidRgba);
  std::vector<CComPtr<IGraphic3D>> graphics;
  graphics.reserve(places.size());
  for (const Placement& place : places) {
    CComPtr<IGraphic3D> graphic = NewGraphic(CLSID_Ellipsoid3D, place, color);
    CComQIPtr<IEllipsoid3D> ellipsoid{graphic};
    Check(ellipsoid->put_EllipsoidOption(kestGLEllipsoidFillOnly), "put_EllipsoidOption");
    Check(ellipsoid->PutSize(place.size, place.size, place.size), "IEllipsoid3D::PutSize");
    graphics.push_back(graphic);
  }
  return graphics;
}

bool IsBillboardRed(BYTE r, BYTE g, BYTE b) { return r > 200 && g < 60 && b < 60; }
bool IsEllipsoidYellow(BYTE r, BYTE g, BYTE b) { return r > 200 && g > 200 && b < 60; }

// What every benchmark shares: the view and the graphics, made once.
class Shared {
 public:
  static Shared& Get() {
    if (!s_Instance) s_Instance = new Shared;
    return *s_Instance;
  }
  // Releases everything while the view's context is still there.
  static void Release() {
    delete s_Instance;
    s_Instance = nullptr;
  }

  BenchView& View() { return m_View; }
  const std::vector<Placement>& BillboardPlaces() const { return m_BillboardPlaces; }
  const std::vector<Placement>& EllipsoidPlaces() const { return m_EllipsoidPlaces; }
  const std::vector<CComPtr<IGraphic3D>>& Billboards() {
    if (m_Billboards.empty()) m_Billboards = NewBillboards(m_BillboardPlaces);
    return m_Billboards;
  }
  const std::vector<CComPtr<IGraphic3D>>& Ellipsoids() {
    if (m_Ellipsoids.empty()) m_Ellipsoids = NewEllipsoids(m_EllipsoidPlaces);
    return m_Ellipsoids;
  }

 private:
  Shared()
      : m_BillboardPlaces(PlacementsOnFrame(kBillboardCount, kBillboardPixels, 0.0, 20240611u)),
        m_EllipsoidPlaces(PlacementsOnFrame(kEllipsoidCount, kEllipsoidPixels, 0.5, 19730901u)) {
    if (!m_View.Open()) throw std::runtime_error("the reference view did not open");
    m_View.UseSceneSurfaceOffset(kSceneSurfaceOffset);
  }
  ~Shared() {
    m_View.frame->MakeCurrent();
    m_Billboards.clear();
    m_Ellipsoids.clear();
  }

  static inline Shared* s_Instance = nullptr;
  BenchView m_View;
  std::vector<Placement> m_BillboardPlaces;
  std::vector<Placement> m_EllipsoidPlaces;
  std::vector<CComPtr<IGraphic3D>> m_Billboards;
  std::vector<CComPtr<IGraphic3D>> m_Ellipsoids;
};

// A scene manager attached to the shared display for its life, refreshing
// only when asked (AutoRefreshGlobe off: Refresh builds, and no frame is
// drawn inside it).
class SceneSession {
 public:
  explicit SceneSession(BenchView& view) : m_View(view) {
    Check(m_View.frame->MakeCurrent(), "MakeCurrent");
    Check(m_Scene.CoCreateInstance(CLSID_SceneManager3D), "making the scene manager");
    Check(m_Scene->InitializeContext(view.display), "InitializeContext");
    Check(m_Scene->put_AutoRefreshGlobe(VARIANT_FALSE), "put_AutoRefreshGlobe");
  }
  ~SceneSession() {
    m_View.frame->MakeCurrent();
    m_Scene->ClearAllGraphics();
    m_Scene->UninitializeContext();
  }
  SceneSession(const SceneSession&) = delete;
  SceneSession& operator=(const SceneSession&) = delete;

  ISceneManager3D* operator->() const { return m_Scene; }
  ISceneManager3D* Get() const { return m_Scene; }

  void AddAndRefresh(const std::vector<CComPtr<IGraphic3D>>& graphics, size_t count) {
    for (size_t i = 0; i < count; ++i) Check(m_Scene->AddGraphic(graphics[i]), "AddGraphic");
    Check(m_Scene->Refresh(), "Refresh");
  }

  // The graphics refreshed so far.
  LONG RefreshedCount() const {
    CComPtr<IArray> graphics;
    LONG count = -1;
    Check(m_Scene->get_Graphics(&graphics), "get_Graphics");
    Check(graphics->get_Count(&count), "IArray::get_Count");
    return count;
  }

 private:
  BenchView& m_View;
  CComPtr<ISceneManager3D> m_Scene;
};

void Redraw(BenchView& view) { Check(view.viewer->Redraw(VARIANT_FALSE), "ISceneViewer::Redraw"); }

// Times frames until the benchmark has enough.
void TimeFrames(benchmark::State& state, BenchView& view) {
  for (auto _ : state) state.SetIterationTime(SecondsOf([&] { Redraw(view); }));
}

// One frame drawn; fails unless `match` finds at least kLeastCoverage of
// the frame. Hands back the matching pixels' count. With ZELPH_BENCH_FRAMES
// naming a folder, the frame is also saved there as a PNG named after the
// benchmark, to see what was measured.
template <class Match>
long DrawAndCover(const std::string& benchmark, BenchView& view, Match&& match, const char* what) {
  Redraw(view);
  if (const char* folder = std::getenv("ZELPH_BENCH_FRAMES"); folder && *folder) {
    std::string name = benchmark;
    for (char& c : name) c = c == '/' ? '_' : c;
    const std::string path = std::string(folder) + "/" + name + ".png";
    view.frame->SaveFrame(CComBSTR(std::wstring(path.begin(), path.end()).c_str()));
  }
  const std::vector<BYTE> rgba = view.ReadFrame();
  if (rgba.empty()) throw std::runtime_error("no frame to read back");
  const long covered = CountPixels(rgba, match);
  if (covered < kLeastCoverage * kFrameWidth * kFrameHeight) {
    throw std::runtime_error(std::string(what) + " did not show in the frame (" + std::to_string(covered) +
                             " pixels of their colour)");
  }
  return covered;
}

// Runs `body`, turning a failure into a skipped benchmark with its reason.
void Guard(benchmark::State& state, const std::function<void()>& body) {
  try {
    body();
  } catch (const std::exception& failure) {
    state.SkipWithError(failure.what());
  }
}

// ---------------------------------------------------------------------------
// Scaling

void AddAndRefresh(benchmark::State& state, size_t count, bool cold) {
  Guard(state, [&] {
    Shared& shared = Shared::Get();
    const auto& graphics = shared.Billboards();
    SceneSession scene(shared.View());
    bool checked = false;
    for (auto _ : state) {
      HRESULT failed = S_OK;
      if (cold) EvictCaches();
      state.SetIterationTime(SecondsOf([&] {
        for (size_t i = 0; i < count; ++i) failed |= scene->AddGraphic(graphics[i]);
        failed |= scene->Refresh();
      }));
      Check(failed, "AddGraphic or Refresh");
      if (!checked && scene.RefreshedCount() != static_cast<LONG>(count)) {
        throw std::runtime_error("Refresh did not build every billboard");
      }
      checked = true;
      Check(scene->ClearAllGraphics(), "ClearAllGraphics");
    }
    state.counters["graphics"] = static_cast<double>(count);
  });
}

void RemoveAll(benchmark::State& state, size_t count, bool cold) {
  Guard(state, [&] {
    Shared& shared = Shared::Get();
    const auto& graphics = shared.Billboards();
    SceneSession scene(shared.View());
    for (auto _ : state) {
      scene.AddAndRefresh(graphics, count);
      HRESULT failed = S_OK;
      if (cold) EvictCaches();
      state.SetIterationTime(SecondsOf([&] {
        for (size_t i = 0; i < count; ++i) failed |= scene->RemoveGraphic(graphics[i]);
      }));
      Check(failed, "RemoveGraphic");
      if (scene.RefreshedCount() != 0) throw std::runtime_error("RemoveGraphic left graphics behind");
      Check(scene->ClearAllGraphics(), "ClearAllGraphics");
    }
    state.counters["graphics"] = static_cast<double>(count);
  });
}

// Every graphic raised to a major update and updated, after a frame that
// compiled their renderables (so each rebuild replaces a drawn one).
void MajorUpdateAll(benchmark::State& state, size_t count, bool cold) {
  Guard(state, [&] {
    Shared& shared = Shared::Get();
    const auto& graphics = shared.Billboards();
    SceneSession scene(shared.View());
    scene.AddAndRefresh(graphics, count);
    std::vector<CComQIPtr<IUpdate3D>> updates(graphics.begin(), graphics.begin() + static_cast<long>(count));
    for (auto _ : state) {
      Redraw(shared.View());
      for (auto& update : updates) Check(update->put_UpdateLevel(kestGLUpdateMajor), "put_UpdateLevel");
      HRESULT failed = S_OK;
      if (cold) EvictCaches();
      state.SetIterationTime(SecondsOf([&] {
        for (size_t i = 0; i < count; ++i) failed |= scene->UpdateGraphic(graphics[i]);
      }));
      Check(failed, "UpdateGraphic");
    }
    kestGLUpdateLevel level = kestGLUpdateMajor;
    Check(updates.front()->get_UpdateLevel(&level), "get_UpdateLevel");
    if (level != kestGLUpdateNone) throw std::runtime_error("UpdateGraphic left the update level raised");
    state.counters["graphics"] = static_cast<double>(count);
  });
}

// The first frame after a refresh compiles every renderable's display list.
void FirstFrameAfterRefresh(benchmark::State& state) {
  Guard(state, [&] {
    Shared& shared = Shared::Get();
    const auto& graphics = shared.Billboards();
    SceneSession scene(shared.View());
    for (auto _ : state) {
      scene.AddAndRefresh(graphics, graphics.size());
      state.SetIterationTime(SecondsOf([&] { Redraw(shared.View()); }));
      Check(scene->ClearAllGraphics(), "ClearAllGraphics");
    }
  });
}

// ---------------------------------------------------------------------------
// Frames

void EmptyFrame(benchmark::State& state) {
  Guard(state, [&] {
    BenchView& view = Shared::Get().View();
    Redraw(view);
    TimeFrames(state, view);
  });
}

void SceneBillboardFrame(benchmark::State& state) {
  Guard(state, [&] {
    Shared& shared = Shared::Get();
    SceneSession scene(shared.View());
    scene.AddAndRefresh(shared.Billboards(), kBillboardCount);
    const long covered = DrawAndCover(kSceneBillboards, shared.View(), IsBillboardRed, "the scene manager's billboards");
    TimeFrames(state, shared.View());
    state.counters["red_pixels"] = static_cast<double>(covered);
  });
}

QuadSet BillboardQuads() { return QuadSet{Shared::Get().BillboardPlaces(), kBillboardRgba}; }

void FloorBillboardFrame(benchmark::State& state) {
  Guard(state, [&] {
    BenchView& view = Shared::Get().View();
    AdvisedSink<BatchedQuadSink> sink(view.display);
    if (!sink.IsAdvised()) throw std::runtime_error("the floor sink was not advised");
    sink->SetQuads(BillboardQuads());
    const long covered = DrawAndCover(kFloorBillboards, view, IsBillboardRed, "the batched quads");
    TimeFrames(state, view);
    state.counters["red_pixels"] = static_cast<double>(covered);
  });
}

void ReplayBillboardFrame(benchmark::State& state, const std::string& name, bool toggleCulling) {
  Guard(state, [&] {
    BenchView& view = Shared::Get().View();
    Check(view.frame->MakeCurrent(), "MakeCurrent");
    AdvisedSink<ListReplaySink> sink(view.display);
    if (!sink.IsAdvised()) throw std::runtime_error("the replay sink was not advised");
    sink->SetQuads(BillboardQuads());
    sink->SetToggleCulling(toggleCulling);
    const long covered = DrawAndCover(name, view, IsBillboardRed, "the replayed quads");
    TimeFrames(state, view);
    state.counters["red_pixels"] = static_cast<double>(covered);
    view.frame->MakeCurrent();
  });
}

void SceneEllipsoidFrame(benchmark::State& state) {
  Guard(state, [&] {
    Shared& shared = Shared::Get();
    SceneSession scene(shared.View());
    scene.AddAndRefresh(shared.Ellipsoids(), kEllipsoidCount);
    const long covered = DrawAndCover(kSceneEllipsoids, shared.View(), IsEllipsoidYellow, "the scene manager's ellipsoids");
    TimeFrames(state, shared.View());
    state.counters["yellow_pixels"] = static_cast<double>(covered);
  });
}

template <class Sink>
void FloorEllipsoidFrame(benchmark::State& state, const std::string& name) {
  Guard(state, [&] {
    BenchView& view = Shared::Get().View();
    Check(view.frame->MakeCurrent(), "MakeCurrent");
    AdvisedSink<Sink> sink(view.display);
    if (!sink.IsAdvised()) throw std::runtime_error("the floor sink was not advised");
    sink->SetEllipsoids(Shared::Get().EllipsoidPlaces(), kEllipsoidRgba);
    const long covered = DrawAndCover(name, view, IsEllipsoidYellow, "the batched ellipsoids");
    TimeFrames(state, view);
    state.counters["yellow_pixels"] = static_cast<double>(covered);
    state.counters["vertices"] = static_cast<double>(sink->VertexCount());
    view.frame->MakeCurrent();
  });
}

// ---------------------------------------------------------------------------
// Picking

void HitTestPoint(benchmark::State& state) {
  Guard(state, [&] {
    Shared& shared = Shared::Get();
    SceneSession scene(shared.View());
    scene.AddAndRefresh(shared.Billboards(), kBillboardCount);
    DrawAndCover(kHitTest, shared.View(), IsBillboardRed, "the scene manager's billboards");
    CComQIPtr<ISelection3D> selection{scene.Get()};
    if (!selection) throw std::runtime_error("the scene manager offers no ISelection3D");
    bool hit = false;
    for (auto _ : state) {
      CComPtr<IGraphic3D> graphic;
      HRESULT hr = S_OK;
      state.SetIterationTime(
          SecondsOf([&] { hr = selection->HitTestPoint(kFrameWidth / 2, kFrameHeight / 2, &graphic); }));
      Check(hr, "HitTestPoint");
      hit = graphic != nullptr;
    }
    state.counters["hit"] = hit ? 1.0 : 0.0;
  });
}

// ---------------------------------------------------------------------------
// Memory

// Bytes the heap has handed out, small blocks and mapped ones.
double HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<double>(info.uordblks + info.hblkhd);
}

// Heap per billboard: the components, then what Refresh adds (the
// renderables), then what their first frame adds (the compiled display
// lists), measured over 10,000 new billboards in a scene that has held as
// many before.
void PrintMemoryPerBillboard() {
  try {
    Shared& shared = Shared::Get();
    SceneSession scene(shared.View());
    // A round with the shared billboards first grows what stays grown (the
    // frame buffer, the context's tables of display lists, the heap's own
    // bookkeeping), so that what follows is what each billboard adds.
    scene.AddAndRefresh(shared.Billboards(), kBillboardCount);
    Redraw(shared.View());
    Check(scene->ClearAllGraphics(), "ClearAllGraphics");
    Redraw(shared.View());
    const double before = HeapInUse();
    std::vector<CComPtr<IGraphic3D>> graphics;
    const double making = SecondsOf([&] { graphics = NewBillboards(shared.BillboardPlaces()); });
    const double made = HeapInUse();
    scene.AddAndRefresh(graphics, graphics.size());
    const double refreshed = HeapInUse();
    Redraw(shared.View());
    const double drawn = HeapInUse();
    const double n = static_cast<double>(graphics.size());
    std::printf("\nMemory per billboard (heap in use, mallinfo2 uordblks + hblkhd, over %d billboards):\n",
                kBillboardCount);
    std::printf("  graphic component (with its point, material, orientation, extent): %8.0f B\n",
                (made - before) / n);
    std::printf("  renderable and scene entries (after Refresh):                      %8.0f B\n",
                (refreshed - made) / n);
    std::printf("  compiled display lists (after the first frame):                    %8.0f B\n",
                (drawn - refreshed) / n);
    std::printf("  total per billboard:                                                %8.0f B\n",
                (drawn - before) / n);
    std::printf("  renderable side only (renderable + lists):                          %8.0f B\n",
                (drawn - made) / n);
    std::printf("(Making the %d billboard components by class id, with their points, took %.0f ms.)\n",
                kBillboardCount, making * 1e3);
  } catch (const std::exception& failure) {
    std::printf("\nMemory per billboard: not measured (%s)\n", failure.what());
  }
}

// ---------------------------------------------------------------------------
// Ratios

void PrintRatio(const char* label, std::optional<double> numerator, std::optional<double> denominator,
                double target) {
  if (!numerator || !denominator || *denominator <= 0.0) {
    std::printf("  %-58s n/a (not measured)\n", label);
    return;
  }
  const double ratio = *numerator / *denominator;
  if (target > 0.0) {
    std::printf("  %-58s %7.2f   target <= %.1f  %s\n", label, ratio, target, ratio <= target ? "met" : "MISSED");
  } else {
    std::printf("  %-58s %7.2f\n", label, ratio);
  }
}

std::optional<double> Minus(std::optional<double> a, std::optional<double> b) {
  if (!a || !b) return std::nullopt;
  return *a - *b;
}

void PrintMilliseconds(const char* label, std::optional<double> seconds) {
  if (seconds) {
    std::printf("  %-58s %9.3f ms\n", label, *seconds * 1e3);
  } else {
    std::printf("  %-58s n/a\n", label);
  }
}

void PrintRatios(const RatioReporter& times) {
  auto at = [&](const std::string& name) { return times.Seconds(name); };
  const std::string small = std::to_string(kSmallBillboardCount), large = std::to_string(kBillboardCount);
  std::printf("\nRatios (median time per iteration; \"minus empty\" subtracts the empty host frame)\n");
  std::printf("Scaling, time(%s billboards) / time(%s billboards):\n", large.c_str(), small.c_str());
  PrintRatio("add + Refresh (no frame inside)", at(kRefresh + large), at(kRefresh + small), 12.0);
  PrintRatio("RemoveGraphic of all", at(kRemove + large), at(kRemove + small), 12.0);
  PrintRatio("major update (UpdateGraphic) of all", at(kMajorUpdate + large), at(kMajorUpdate + small), 12.0);
  std::printf("The same, caches emptied before each timed stretch (both sizes start from memory):\n");
  PrintRatio("add + Refresh, cold", at(kRefresh + kCold + large), at(kRefresh + kCold + small), 12.0);
  PrintRatio("RemoveGraphic of all, cold", at(kRemove + kCold + large), at(kRemove + kCold + small), 12.0);
  PrintRatio("major update of all, cold", at(kMajorUpdate + kCold + large), at(kMajorUpdate + kCold + small), 12.0);

  const auto empty = at(kEmptyFrame);
  std::printf("Frame times:\n");
  PrintMilliseconds("empty host frame (globe only)", empty);
  PrintMilliseconds("10,000 billboards: scene manager", at(kSceneBillboards));
  PrintMilliseconds("10,000 billboards: floor (one glDrawArrays)", at(kFloorBillboards));
  PrintMilliseconds("10,000 billboards: display list per quad", at(kReplayBillboards));
  PrintMilliseconds("10,000 billboards: list per quad, culling toggled", at(kReplayToggling));
  PrintMilliseconds("10,000 billboards: first frame after Refresh", at(kFirstFrame));
  PrintMilliseconds("1,000 ellipsoids: scene manager", at(kSceneEllipsoids));
  PrintMilliseconds("1,000 ellipsoids: floor (one glDrawArrays)", at(kFloorEllipsoids));
  PrintMilliseconds("1,000 ellipsoids: indexed (one glDrawElements)", at(kIndexedEllipsoids));
  PrintMilliseconds("HitTestPoint among 10,000 billboards", at(kHitTest));

  std::printf("Billboard frame, 10,000 at 16 x 16 px:\n");
  PrintRatio("scene / floor (raw)", at(kSceneBillboards), at(kFloorBillboards), 2.0);
  PrintRatio("scene / floor (minus empty)", Minus(at(kSceneBillboards), empty), Minus(at(kFloorBillboards), empty),
             0.0);
  PrintRatio("replay / floor (raw)", at(kReplayBillboards), at(kFloorBillboards), 0.0);
  PrintRatio("replay / floor (minus empty)", Minus(at(kReplayBillboards), empty),
             Minus(at(kFloorBillboards), empty), 0.0);
  PrintRatio("scene / replay (raw)", at(kSceneBillboards), at(kReplayBillboards), 0.0);
  PrintRatio("replay with culling toggled / floor (raw)", at(kReplayToggling), at(kFloorBillboards), 0.0);
  std::printf("Ellipsoid frame, 1,000 filled:\n");
  PrintRatio("scene / floor (raw)", at(kSceneEllipsoids), at(kFloorEllipsoids), 1.5);
  PrintRatio("scene / floor (minus empty)", Minus(at(kSceneEllipsoids), empty), Minus(at(kFloorEllipsoids), empty),
             0.0);
  PrintRatio("scene / indexed triangles (raw; not the target's floor)", at(kSceneEllipsoids),
             at(kIndexedEllipsoids), 0.0);
  std::printf("Picking:\n");
  PrintRatio("HitTestPoint / scene billboard frame (raw)", at(kHitTest), at(kSceneBillboards), 1.0);
  PrintRatio("HitTestPoint / scene billboard frame (minus empty)", Minus(at(kHitTest), empty),
             Minus(at(kSceneBillboards), empty), 0.0);
}

benchmark::internal::Benchmark* Timed(benchmark::internal::Benchmark* benchmark, double minSeconds) {
  return benchmark->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(minSeconds);
}

void RegisterBenchmarks() {
  for (size_t count : {static_cast<size_t>(kSmallBillboardCount), static_cast<size_t>(kBillboardCount)}) {
    const std::string n = std::to_string(count);
    for (bool cold : {false, true}) {
      const std::string suffix = (cold ? kCold : "") + n;
      Timed(benchmark::RegisterBenchmark((kRefresh + suffix).c_str(), AddAndRefresh, count, cold), 0.5);
      Timed(benchmark::RegisterBenchmark((kRemove + suffix).c_str(), RemoveAll, count, cold), 0.5);
      Timed(benchmark::RegisterBenchmark((kMajorUpdate + suffix).c_str(), MajorUpdateAll, count, cold), 0.5);
    }
  }
  Timed(benchmark::RegisterBenchmark(kFirstFrame.c_str(), FirstFrameAfterRefresh), 0.5);
  Timed(benchmark::RegisterBenchmark(kEmptyFrame.c_str(), EmptyFrame), 1.0);
  Timed(benchmark::RegisterBenchmark(kSceneBillboards.c_str(), SceneBillboardFrame), 1.0);
  Timed(benchmark::RegisterBenchmark(kFloorBillboards.c_str(), FloorBillboardFrame), 1.0);
  Timed(benchmark::RegisterBenchmark(kReplayBillboards.c_str(), ReplayBillboardFrame, kReplayBillboards, false), 1.0);
  Timed(benchmark::RegisterBenchmark(kReplayToggling.c_str(), ReplayBillboardFrame, kReplayToggling, true), 1.0);
  Timed(benchmark::RegisterBenchmark(kSceneEllipsoids.c_str(), SceneEllipsoidFrame), 1.0);
  Timed(benchmark::RegisterBenchmark(kFloorEllipsoids.c_str(), FloorEllipsoidFrame<BatchedEllipsoidSink>,
                                     kFloorEllipsoids),
        1.0);
  Timed(benchmark::RegisterBenchmark(kIndexedEllipsoids.c_str(), FloorEllipsoidFrame<IndexedEllipsoidSink>,
                                     kIndexedEllipsoids),
        1.0);
  Timed(benchmark::RegisterBenchmark(kHitTest.c_str(), HitTestPoint), 1.0);
}

}  // namespace
}  // namespace zelph::bench

int main(int argc, char** argv) {
  using namespace zelph::bench;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  // A registry of this program's own, unless the caller names one.
  setenv("ZELPH_REGISTRY", ZELPH_BENCH_REGISTRY, 0);
  if (const HRESULT registered = DllRegisterServer(); registered != S_OK) {
    std::fprintf(stderr, "DllRegisterServer failed (0x%08X)\n", static_cast<unsigned>(registered));
    return 1;
  }
  RegisterBenchmarks();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintRatios(reporter);
  PrintMemoryPerBillboard();
  Shared::Release();
  benchmark::Shutdown();
  return 0;
}
