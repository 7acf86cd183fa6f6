// A scene file (see FORMAT.md): the frame, the camera, the vertical
// exaggeration and the graphics of one globe view, read from JSON and made
// into library components whose properties are set by name.
#pragma once

#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "frame/GraphicInterfaces.h"
#include "platform/ComPtr.h"
#include "tools/scenefile/DisplayDrawing.h"

namespace zelph::scenefile {

struct SceneCamera {
  double latitude = 0;
  double longitude = 0;
  double altitude = 0;  // metres above the surface
};

struct Scene {
  LONG width = 800;
  LONG height = 600;
  std::optional<SceneCamera> camera;
  std::optional<double> exaggeration;
  std::vector<CComPtr<IGraphic3D>> graphics;
  // The 2D drawing commands for the 3D display, when the file has any.
  std::shared_ptr<const DisplayDrawing> drawing;
};

class SceneFile {
 public:
  using Json = nlohmann::ordered_json;

  // Reads `path` into `scene`. On failure `scene` is left untouched and
  // `error` says what and where, as "JSON-PATH: reason".
  static bool Load(const std::string& path, Scene& scene, std::string& error);
  // The same for scene text in memory; image files are looked for in
  // `folder`.
  static bool Parse(const std::string& text, Scene& scene, std::string& error,
                    const std::filesystem::path& folder = ".");

 private:
  static Scene Build(const Json& root, const std::filesystem::path& folder);
  static void ReadSize(const Json& size, Scene& scene);
  static SceneCamera ReadCamera(const Json& camera);
};

}  // namespace zelph::scenefile
