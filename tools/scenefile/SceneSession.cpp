#include "tools/scenefile/SceneSession.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "frame/Guids.h"
#include "frame/HostGuids.h"
#include "tools/scenefile/DispatchWriter.h"
#include "tools/scenefile/SceneError.h"

extern "C" HRESULT DllRegisterServer();

namespace zelph::scenefile {

namespace {

// Under the user's cache, or beside the program when there is no home.
void ChooseRegistry(const std::string& programName) {
  std::filesystem::path folder;
  if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && *cache) {
    folder = std::filesystem::path(cache) / "zelph";
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    folder = std::filesystem::path(home) / ".cache" / "zelph";
  } else {
    std::error_code ignored;
    folder = std::filesystem::read_symlink("/proc/self/exe", ignored).parent_path();
  }
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  setenv("ZELPH_REGISTRY", (folder / (programName + "-registry")).c_str(), 0);
}

}  // namespace

bool SceneSession::RegisterLibrary(const std::string& programName) {
  ChooseRegistry(programName);
  const HRESULT registered = DllRegisterServer();
  if (registered == S_OK) return true;
  std::fprintf(stderr, "%s: registering the library failed (0x%08X)\n", programName.c_str(),
               static_cast<unsigned>(registered));
  return false;
}

void SceneSession::Check(HRESULT result, const char* what) {
  if (FAILED(result)) {
    throw SceneError("", std::string(what) + " failed (" + SceneError::Code(result) + ")");
  }
}

void SceneSession::Open(const Scene& scene) {
  Check(display.CoCreateInstance(CLSID_GlobeDisplay), "opening the globe display");
  Check(display->get_ActiveViewer(&viewer), "finding the globe viewer");
  CComQIPtr<IOffscreenViewer> offscreen{viewer.p};
  frame = offscreen.p;
  if (!frame) throw SceneError("", "the globe viewer draws no offscreen frame");
  Check(frame->SetFrameSize(scene.width, scene.height), "sizing the frame");
  if (scene.camera) {
    CComPtr<ICamera> camera;
    Check(viewer->get_Camera(&camera), "finding the camera");
    CComQIPtr<IGlobeCamera> globeCamera{camera.p};
    if (!globeCamera) throw SceneError("/camera", "the host camera cannot be placed above the globe");
    Check(globeCamera->PlaceAbove(scene.camera->latitude, scene.camera->longitude, scene.camera->altitude),
          "placing the camera");
  }
  if (scene.drawing) {
    drawingDisplay = scene.drawing->Display();
    Check(drawingDisplay->InitializeContext(display), "attaching the 3D display");
    Check(drawingDisplay->get_Scene(&manager), "finding the 3D display's scene");
  } else {
    Check(manager.CoCreateInstance(CLSID_SceneManager3D), "creating the scene manager");
    Check(manager->InitializeContext(display), "attaching the scene manager");
  }
  if (scene.exaggeration) {
    DispatchWriter::PutProperty(manager, "BaseExaggeration", CComVariant(*scene.exaggeration), "/exaggeration");
  }
  // Drawing finishes with a refresh, so the graphics join after it and stay
  // pending until the caller's.
  if (scene.drawing) scene.drawing->Replay();
  for (const CComPtr<IGraphic3D>& graphic : scene.graphics) Check(manager->AddGraphic(graphic), "adding a graphic");
}

void SceneSession::Close() {
  if (drawingDisplay) {
    drawingDisplay->UninitializeContext();
  } else if (manager) {
    manager->UninitializeContext();
  }
  drawingDisplay.Release();
  manager.Release();
  frame.Release();
  viewer.Release();
  display.Release();
}

}  // namespace zelph::scenefile
