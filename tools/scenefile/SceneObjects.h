// Library components described in a scene file: made by class name, their
// properties set by name through IDispatch in the order the file gives them,
// members and labels added by the components' own methods.
#pragma once

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "platform/ComPtr.h"
#include "platform/ComVariant.h"

namespace zelph::scenefile {

class SceneObjects {
 public:
  using Json = nlohmann::ordered_json;

  // Image files named by textures are found relative to `folder`, the
  // scene file's own.
  explicit SceneObjects(std::filesystem::path folder) : m_Folder(std::move(folder)) {}

  // The component of {"class": NAME, PROPERTY: VALUE, ...}; throws
  // SceneError naming the JSON path of the first thing it cannot do.
  CComPtr<IDispatch> Make(const Json& description, const std::string& path) const;
  // The variant a property value becomes: numbers, booleans and text as
  // themselves, {"class": ...} as a component, {"texture": ...} as a texture
  // made from an image file, host forms as host objects, other lists as a
  // host array.
  CComVariant ValueOf(const Json& value, const std::string& path) const;
  // The class id of a library class name; false for a name it does not know.
  static bool FindClass(const std::string& name, CLSID* clsid);

 private:
  CComPtr<IUnknown> ArrayOf(const Json& values, const std::string& path) const;
  CComPtr<IDispatch> MakeTexture(const Json& value, const std::string& path) const;
  void AddEach(IDispatch* object, const char* method, const Json& list, const std::string& path) const;

  std::filesystem::path m_Folder;
};

}  // namespace zelph::scenefile
