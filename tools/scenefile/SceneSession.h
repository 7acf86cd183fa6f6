// One scene shown on the reference host's offscreen globe viewer: the
// display sized and aimed as the scene asks, and a scene manager drawing the
// scene's graphics in it. Shared by the tools that draw scene files.
#pragma once

#include <string>

#include "frame/HostGlobe.h"
#include "frame/SceneInterfaces.h"
#include "host/HostInterfaces.h"
#include "platform/ComPtr.h"
#include "tools/scenefile/SceneFile.h"

namespace zelph::scenefile {

class SceneSession {
 public:
  // Registers the library's classes, into a registry of the program's own
  // unless ZELPH_REGISTRY names one; false (with a message on stderr) when
  // registering fails.
  static bool RegisterLibrary(const std::string& programName);

  // Opens the display, sizes the frame, places the camera, attaches a scene
  // manager and adds the scene's graphics, which are built at the caller's
  // Refresh: there is still time to change them. Throws SceneError.
  void Open(const Scene& scene);
  void Close();

  CComPtr<IGlobeDisplay> display;
  CComPtr<ISceneViewer> viewer;
  CComPtr<IOffscreenViewer> frame;
  CComPtr<ISceneManager3D> manager;

  // Throws a SceneError naming `what` when `result` failed.
  static void Check(HRESULT result, const char* what);
};

}  // namespace zelph::scenefile
