// One scene shown on the reference host's offscreen globe viewer: the
// display sized and aimed as the scene asks, and a scene manager drawing the
// scene's graphics in it. Shared by the tools that draw scene files.
#pragma once

#include <string>

#include "frame/DisplayInterfaces.h"
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
  // manager (or the 3D display, and replays its drawing commands) and adds
  // the scene's graphics, which are built at the caller's Refresh: there is
  // still time to change them. Throws SceneError.
  void Open(const Scene& scene);
  void Close();

  CComPtr<IGlobeDisplay> display;
  CComPtr<ISceneViewer> viewer;
  CComPtr<IOffscreenViewer> frame;
  // The scene manager the graphics are drawn by: the 3D display's own when
  // the scene has drawing commands.
  CComPtr<ISceneManager3D> manager;
  CComPtr<IGLDisplay3D> drawingDisplay;

  // Throws a SceneError naming `what` when `result` failed.
  static void Check(HRESULT result, const char* what);
};

}  // namespace zelph::scenefile
