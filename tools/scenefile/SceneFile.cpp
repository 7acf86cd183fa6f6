#include "tools/scenefile/SceneFile.h"

#include <fstream>
#include <sstream>

#include "tools/scenefile/SceneError.h"
#include "tools/scenefile/SceneObjects.h"

namespace zelph::scenefile {
namespace {

double NumberAt(const SceneFile::Json& object, const char* key, const std::string& path) {
  if (!object.contains(key)) throw SceneError(path, std::string("missing \"") + key + "\"");
  const SceneFile::Json& value = object.at(key);
  if (!value.is_number()) throw SceneError(path + "/" + key, "expected a number");
  return value.get<double>();
}

}  // namespace

bool SceneFile::Load(const std::string& path, Scene& scene, std::string& error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = path + ": cannot open the scene file";
    return false;
  }
  std::ostringstream text;
  text << file.rdbuf();
  std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (folder.empty()) folder = ".";
  if (!Parse(text.str(), scene, error, folder)) {
    error = path + ": " + error;
    return false;
  }
  return true;
}

bool SceneFile::Parse(const std::string& text, Scene& scene, std::string& error, const std::filesystem::path& folder) {
  Json root;
  try {
    root = Json::parse(text);
  } catch (const Json::parse_error& failure) {
    error = std::string("not valid JSON (") + failure.what() + ")";
    return false;
  }
  try {
    scene = Build(root, folder);
    return true;
  } catch (const SceneError& failure) {
    error = failure.what();
  }
  return false;
}

Scene SceneFile::Build(const Json& root, const std::filesystem::path& folder) {
  if (!root.is_object()) throw SceneError("", "a scene is a JSON object");
  const SceneObjects objects(folder);
  Scene scene;
  for (const auto& [key, value] : root.items()) {
    const std::string path = "/" + key;
    if (key == "size") {
      ReadSize(value, scene);
    } else if (key == "camera") {
      scene.camera = ReadCamera(value);
    } else if (key == "exaggeration") {
      if (!value.is_number() || value.get<double>() <= 0) throw SceneError(path, "expected a number above 0");
      scene.exaggeration = value.get<double>();
    } else if (key == "graphics") {
      if (!value.is_array()) throw SceneError(path, "expected a list of graphics");
      for (size_t i = 0; i < value.size(); ++i) {
        const std::string graphicPath = path + "/" + std::to_string(i);
        CComQIPtr<IGraphic3D> graphic{objects.Make(value[i], graphicPath).p};
        if (!graphic) throw SceneError(graphicPath, "not a graphic");
        scene.graphics.push_back(graphic);
      }
    } else if (key == "drawing") {
      scene.drawing = std::make_shared<const DisplayDrawing>(value, path, objects);
    } else if (key != "comment") {
      throw SceneError(path, "unknown scene entry \"" + key + "\"");
    }
  }
  return scene;
}

void SceneFile::ReadSize(const Json& size, Scene& scene) {
  if (!size.is_array() || size.size() != 2 || !size[0].is_number_integer() || !size[1].is_number_integer()) {
    throw SceneError("/size", "expected [width, height] in pixels");
  }
  const long long width = size[0].get<long long>(), height = size[1].get<long long>();
  if (width < 1 || height < 1 || width > 8192 || height > 8192) {
    throw SceneError("/size", "each side must be 1 to 8192 pixels");
  }
  scene.width = static_cast<LONG>(width);
  scene.height = static_cast<LONG>(height);
}

SceneCamera SceneFile::ReadCamera(const Json& camera) {
  if (!camera.is_object()) throw SceneError("/camera", "expected {\"latitude\", \"longitude\", \"altitude\"}");
  for (const auto& [key, value] : camera.items()) {
    if (key != "latitude" && key != "longitude" && key != "altitude") {
      throw SceneError("/camera/" + key, "unknown camera entry \"" + key + "\"");
    }
  }
  SceneCamera place{NumberAt(camera, "latitude", "/camera"), NumberAt(camera, "longitude", "/camera"),
                    NumberAt(camera, "altitude", "/camera")};
  if (place.latitude < -90 || place.latitude > 90) throw SceneError("/camera/latitude", "expected -90 to 90");
  if (place.altitude <= 0) throw SceneError("/camera/altitude", "expected metres above the surface, above 0");
  return place;
}

}  // namespace zelph::scenefile
