// zelph-viewer: shows a scene file in a window. Left drag orbits, the wheel
// zooms, a click selects the graphic under it, a shift drag selects all
// graphics inside the rectangle; the title shows the place under the mouse.
//
// Exit status: 0 closed, 1 the scene could not be loaded or shown, 2 usage.

#include <cstdio>
#include <cstring>
#include <string>

#include "frame/HostGlobe.h"
#include "tools/scenefile/SceneError.h"
#include "tools/scenefile/SceneFile.h"
#include "tools/scenefile/SceneSession.h"
#include "tools/zelph-viewer/CameraControl.h"
#include "tools/zelph-viewer/HostContext.h"
#include "tools/zelph-viewer/SelectionControl.h"
#include "tools/zelph-viewer/ViewerWindow.h"

namespace {

using zelph::scenefile::Scene;
using zelph::scenefile::SceneError;
using zelph::scenefile::SceneSession;

constexpr const char* kUsage =
    "usage: zelph-viewer SCENE.json [--snapshot-before-click PNG] [--snapshot-after-click PNG]\n"
    "  --snapshot-before-click  saves the first frame shown\n"
    "  --snapshot-after-click   saves the frame shown after the first click, then closes\n";

// Where the camera starts when the scene does not place it: high above the
// crossing of equator and prime meridian, the whole globe in view.
constexpr zelph::scenefile::SceneCamera kDefaultCamera{0, 0, 2.0e7};

bool ParseOptions(int argc, char** argv, std::string& scenePath, zelph::viewer::ViewerOptions& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    const bool hasValue = i + 1 < argc;
    if (argument == "--snapshot-before-click" && hasValue) {
      options.snapshotBeforeClick = argv[++i];
    } else if (argument == "--snapshot-after-click" && hasValue) {
      options.snapshotAfterClick = argv[++i];
    } else if (argument.empty() || argument[0] == '-' || !scenePath.empty()) {
      return false;
    } else {
      scenePath = argument;
    }
  }
  return !scenePath.empty();
}

int Show(Scene& scene, const zelph::viewer::ViewerOptions& options) {
  if (!scene.camera) scene.camera = kDefaultCamera;
  SceneSession session;
  session.Open(scene);
  SceneSession::Check(session.manager->Refresh(), "refreshing the scene");
  CComPtr<ICamera> camera;
  SceneSession::Check(session.viewer->get_Camera(&camera), "finding the camera");
  CComQIPtr<IGlobeCamera> globeCamera{camera.p};
  if (!globeCamera) throw SceneError("", "the host camera cannot be placed above the globe");
  CComQIPtr<ILocationHelper3D> location{session.manager.p};
  zelph::viewer::CameraControl cameraControl(globeCamera, location, scene.camera->latitude, scene.camera->longitude,
                                             scene.camera->altitude);
  zelph::viewer::SelectionControl selection(session.manager);
  zelph::viewer::ViewerWindow window(session, cameraControl, selection, options);
  window.Run();
  zelph::viewer::HostContext host(session.frame);
  session.Close();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string scenePath;
  zelph::viewer::ViewerOptions options;
  if (!ParseOptions(argc, argv, scenePath, options)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  if (!SceneSession::RegisterLibrary("zelph-viewer")) return 1;
  Scene scene;
  std::string error;
  if (!zelph::scenefile::SceneFile::Load(scenePath, scene, error)) {
    std::fprintf(stderr, "zelph-viewer: %s\n", error.c_str());
    return 1;
  }
  try {
    return Show(scene, options);
  } catch (const SceneError& failure) {
    std::fprintf(stderr, "zelph-viewer: %s\n", failure.what());
    return 1;
  }
}
