#include "tools/scenefile/SceneObjects.h"

#include <limits>

#include "frame/Guids.h"
#include "frame/HostCollections.h"
#include "frame/HostGuids.h"
#include "platform/ClassRegistry.h"
#include "platform/WideString.h"
#include "tools/scenefile/DispatchWriter.h"
#include "tools/scenefile/HostValues.h"
#include "tools/scenefile/SceneError.h"

namespace zelph::scenefile {
namespace {

struct LibraryClass {
  const char* name;
  const CLSID* clsid;
};

// The creatable classes a scene may name; the scene manager, the display
// and the texture helper are the renderer's, not the scene's.
const LibraryClass kClasses[] = {
    {"Billboard3D", &CLSID_Billboard3D},
    {"BillboardFont3D", &CLSID_BillboardFont3D},
    {"BillboardLabel3D", &CLSID_BillboardLabel3D},
    {"Ellipsoid3D", &CLSID_Ellipsoid3D},
    {"ExtrudedFont3D", &CLSID_ExtrudedFont3D},
    {"Font3D", &CLSID_Font3D},
    {"GeoExtrusion3D", &CLSID_GeoExtrusion3D},
    {"GradientMaterial3D", &CLSID_GradientMaterial3D},
    {"GroupGraphic3D", &CLSID_GroupGraphic3D},
    {"LabeledBillboard3D", &CLSID_LabeledBillboard3D},
    {"Orientation3D", &CLSID_Orientation3D},
    {"PartialEllipsoid3D", &CLSID_PartialEllipsoid3D},
    {"SimpleMaterial3D", &CLSID_SimpleMaterial3D},
    {"TextPoint3D", &CLSID_TextPoint3D},
    {"TextureMaterial3D", &CLSID_TextureMaterial3D},
};

// Keys of a component description that are not properties: lists handed
// one by one to a method of the component.
struct MemberList {
  const char* key;
  const char* method;
};
const MemberList kMemberLists[] = {{"graphics", "AddGraphic"}, {"labels", "AddLabel"}};

// A key as a JSON pointer token.
std::string Token(const std::string& key) {
  std::string escaped;
  for (char c : key) {
    if (c == '~') {
      escaped += "~0";
    } else if (c == '/') {
      escaped += "~1";
    } else {
      escaped += c;
    }
  }
  return escaped;
}

}  // namespace

bool SceneObjects::FindClass(const std::string& name, CLSID* clsid) {
  for (const LibraryClass& entry : kClasses) {
    if (name == entry.name) {
      *clsid = *entry.clsid;
      return true;
    }
  }
  return false;
}

CComPtr<IDispatch> SceneObjects::Make(const Json& description, const std::string& path) const {
  if (!description.is_object()) throw SceneError(path, "expected an object with a \"class\"");
  if (!description.contains("class") || !description.at("class").is_string()) {
    throw SceneError(path, "expected a \"class\" naming a library class");
  }
  const std::string name = description.at("class").get<std::string>();
  CLSID clsid;
  if (!FindClass(name, &clsid)) throw SceneError(path + "/class", "unknown class \"" + name + "\"");
  CComPtr<IDispatch> object;
  if (FAILED(object.CoCreateInstance(clsid)) || !object) {
    throw SceneError(path + "/class", "cannot create a \"" + name + "\" (is the library registered?)");
  }
  for (const auto& [key, value] : description.items()) {
    if (key == "class" || key == "comment") continue;
    const std::string keyPath = path + "/" + Token(key);
    bool listed = false;
    for (const MemberList& list : kMemberLists) {
      if (key == list.key) {
        AddEach(object, list.method, value, keyPath);
        listed = true;
      }
    }
    if (!listed) DispatchWriter::PutProperty(object, key, ValueOf(value, keyPath), keyPath);
  }
  return object;
}

void SceneObjects::AddEach(IDispatch* object, const char* method, const Json& list, const std::string& path) const {
  if (!list.is_array()) throw SceneError(path, "expected a list of objects with a \"class\"");
  for (size_t i = 0; i < list.size(); ++i) {
    const std::string memberPath = path + "/" + std::to_string(i);
    CComPtr<IDispatch> member = Make(list[i], memberPath);
    DispatchWriter::CallMethod(object, method, CComVariant(member.p), memberPath);
  }
}

CComVariant SceneObjects::ValueOf(const Json& value, const std::string& path) const {
  switch (value.type()) {
    case Json::value_t::boolean:
      return CComVariant(value.get<bool>());
    case Json::value_t::number_integer:
    case Json::value_t::number_unsigned: {
      const auto whole = value.get<long long>();
      if (whole < std::numeric_limits<int>::min() || whole > std::numeric_limits<int>::max()) {
        return CComVariant(static_cast<double>(whole));
      }
      return CComVariant(static_cast<int>(whole));
    }
    case Json::value_t::number_float:
      return CComVariant(value.get<double>());
    case Json::value_t::string:
      return CComVariant(std::wstring_view(FromUtf8(value.get<std::string>())));
    case Json::value_t::null:
      return CComVariant(static_cast<IDispatch*>(nullptr));
    case Json::value_t::object:
      if (value.contains("class")) return CComVariant(Make(value, path).p);
      if (value.contains("texture")) return CComVariant(MakeTexture(value, path).p);
      if (!HostValues::FormOf(value).empty()) return CComVariant(HostValues::Make(value, path).p);
      throw SceneError(path,
                       "expected {\"class\": ...}, {\"texture\": ...} or a host value form (rgb, polyline, "
                       "polygon, multipoint, envelope, line, marker, fill, text, font)");
    case Json::value_t::array:
      if (HostValues::IsPoint(value)) return CComVariant(static_cast<IUnknown*>(HostValues::MakePoint(value, path).p));
      return CComVariant(ArrayOf(value, path).p);
    default:
      throw SceneError(path, "a value this format does not know");
  }
}

CComPtr<IUnknown> SceneObjects::ArrayOf(const Json& values, const std::string& path) const {
  CComPtr<IArray> array;
  if (FAILED(array.CoCreateInstance(CLSID_Array)) || !array) throw SceneError(path, "the host cannot make an array");
  for (size_t i = 0; i < values.size(); ++i) {
    const std::string elementPath = path + "/" + std::to_string(i);
    CComVariant element = ValueOf(values[i], elementPath);
    if (element.vt != VT_DISPATCH && element.vt != VT_UNKNOWN) {
      throw SceneError(elementPath, "a list holds objects or host values only");
    }
    if (FAILED(array->Add(element.punkVal))) throw SceneError(elementPath, "the host array refused it");
  }
  return CComPtr<IUnknown>(array.p);
}

// {"texture": FILE, "uid": UID, "transparent": {"rgb": [r, g, b]}}: made
// by the library's texture helper, late-bound like everything else.
CComPtr<IDispatch> SceneObjects::MakeTexture(const Json& value, const std::string& path) const {
  const Json& file = value.at("texture");
  const std::string filePath = path + "/texture";
  if (!file.is_string() || file.get<std::string>().empty()) throw SceneError(filePath, "expected an image file name");
  CComVariant uid(L"");
  CComVariant transparent(static_cast<IUnknown*>(nullptr));
  for (const auto& [key, entry] : value.items()) {
    const std::string entryPath = path + "/" + Token(key);
    if (key == "uid") {
      if (!entry.is_string()) throw SceneError(entryPath, "expected text");
      uid = ValueOf(entry, entryPath);
    } else if (key == "transparent") {
      if (HostValues::FormOf(entry) != "rgb") throw SceneError(entryPath, "expected {\"rgb\": [r, g, b]}");
      transparent = CComVariant(HostValues::Make(entry, entryPath).p);
    } else if (key != "texture" && key != "comment") {
      throw SceneError(entryPath, "unknown texture entry \"" + key + "\"");
    }
  }
  const std::filesystem::path image = m_Folder / std::filesystem::path(file.get<std::string>());
  std::error_code ignored;
  if (!std::filesystem::is_regular_file(image, ignored)) {
    throw SceneError(filePath, "cannot open the image file \"" + image.string() + "\"");
  }
  CComPtr<IDispatch> helper;
  if (FAILED(helper.CoCreateInstance(CLSID_Texture3DHelper)) || !helper) {
    throw SceneError(filePath, "cannot create a \"Texture3DHelper\" (is the library registered?)");
  }
  CComVariant texture;
  try {
    texture =
        DispatchWriter::Call(helper, "CreateBMPTexture",
                             {uid, CComVariant(std::wstring_view(FromUtf8(image.string()))), transparent}, filePath);
  } catch (const SceneError&) {
    throw SceneError(filePath, "cannot read the image file \"" + image.string() + "\"");
  }
  if (texture.vt != VT_DISPATCH || !texture.pdispVal) throw SceneError(filePath, "the texture helper made no texture");
  return CComPtr<IDispatch>(texture.pdispVal);
}

}  // namespace zelph::scenefile
