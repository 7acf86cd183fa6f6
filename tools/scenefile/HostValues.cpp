#include "tools/scenefile/HostValues.h"

#include <cmath>

#include "frame/HostGuids.h"
#include "platform/ClassRegistry.h"
#include "platform/ComBstr.h"
#include "platform/WideString.h"
#include "tools/scenefile/SceneError.h"

namespace zelph::scenefile {
namespace {

const char* const kForms[] = {"rgb", "polyline", "polygon", "multipoint", "line", "font"};

template <class T>
CComPtr<T> Create(REFCLSID clsid, const char* what, const std::string& path) {
  CComPtr<T> object;
  if (FAILED(object.CoCreateInstance(clsid)) || !object) {
    throw SceneError(path, std::string("the host cannot make a ") + what);
  }
  return object;
}

double Number(const HostValues::Json& value, const std::string& path) {
  if (!value.is_number()) throw SceneError(path, "expected a number");
  return value.get<double>();
}

void Check(HRESULT result, const char* what, const std::string& path) {
  if (FAILED(result)) throw SceneError(path, std::string("the host refused the ") + what);
}

}  // namespace

bool HostValues::IsPoint(const Json& value) {
  if (!value.is_array() || value.size() < 2 || value.size() > 3) return false;
  for (const Json& coordinate : value) {
    if (!coordinate.is_number()) return false;
  }
  return true;
}

std::string HostValues::FormOf(const Json& value) {
  if (!value.is_object()) return "";
  for (const char* form : kForms) {
    if (value.contains(form)) return form;
  }
  return "";
}

CComPtr<IPoint> HostValues::MakePoint(const Json& value, const std::string& path) {
  if (!IsPoint(value)) throw SceneError(path, "expected a point [longitude, latitude, altitude]");
  CComPtr<IPoint> point = Create<IPoint>(CLSID_Point, "point", path);
  Check(point->PutCoords(value[0].get<double>(), value[1].get<double>()), "point", path);
  Check(point->put_Z(value.size() == 3 ? value[2].get<double>() : 0.0), "point", path);
  return point;
}

CComPtr<IRgbColor> HostValues::MakeColor(const Json& value, const std::string& path) {
  const Json& rgb = value.at("rgb");
  const std::string rgbPath = path + "/rgb";
  if (!rgb.is_array() || rgb.size() != 3) throw SceneError(rgbPath, "expected [red, green, blue]");
  LONG channels[3];
  for (int i = 0; i < 3; ++i) {
    const double channel = Number(rgb[i], rgbPath + "/" + std::to_string(i));
    if (channel < 0 || channel > 255) throw SceneError(rgbPath + "/" + std::to_string(i), "expected 0 to 255");
    channels[i] = static_cast<LONG>(std::lround(channel));
  }
  CComPtr<IRgbColor> color = Create<IRgbColor>(CLSID_RgbColor, "colour", path);
  Check(color->put_Red(channels[0]), "colour", path);
  Check(color->put_Green(channels[1]), "colour", path);
  Check(color->put_Blue(channels[2]), "colour", path);
  return color;
}

CComPtr<IGeometry> HostValues::MakePointCollection(REFCLSID clsid, const Json& points, const std::string& path) {
  if (!points.is_array()) throw SceneError(path, "expected a list of points");
  CComPtr<IGeometry> geometry = Create<IGeometry>(clsid, "geometry", path);
  CComQIPtr<IPointCollection> collection{geometry};
  if (!collection) throw SceneError(path, "the host geometry holds no points");
  for (size_t i = 0; i < points.size(); ++i) {
    const std::string pointPath = path + "/" + std::to_string(i);
    Check(collection->AddPoint(MakePoint(points[i], pointPath), nullptr, nullptr), "point", pointPath);
  }
  return geometry;
}

// One exterior ring and its holes; the host tells them apart by nesting.
CComPtr<IGeometry> HostValues::MakePolygon(const Json& value, const std::string& path) {
  CComPtr<IGeometry> polygon = Create<IGeometry>(CLSID_Polygon, "polygon", path);
  CComQIPtr<IGeometryCollection> rings{polygon};
  if (!rings) throw SceneError(path, "the host polygon holds no rings");
  Check(rings->AddGeometry(MakePointCollection(CLSID_Ring, value.at("polygon"), path + "/polygon"), nullptr, nullptr),
        "ring", path + "/polygon");
  if (!value.contains("holes")) return polygon;
  const Json& holes = value.at("holes");
  if (!holes.is_array()) throw SceneError(path + "/holes", "expected a list of rings");
  for (size_t i = 0; i < holes.size(); ++i) {
    const std::string holePath = path + "/holes/" + std::to_string(i);
    Check(rings->AddGeometry(MakePointCollection(CLSID_Ring, holes[i], holePath), nullptr, nullptr), "ring",
          holePath);
  }
  return polygon;
}

CComPtr<ISimpleLineSymbol> HostValues::MakeLineSymbol(const Json& value, const std::string& path) {
  const Json& line = value.at("line");
  const std::string linePath = path + "/line";
  if (!line.is_object()) throw SceneError(linePath, "expected {\"rgb\": [r, g, b], \"width\": w, \"style\": s}");
  CComPtr<ISimpleLineSymbol> symbol = Create<ISimpleLineSymbol>(CLSID_SimpleLineSymbol, "line symbol", path);
  for (const auto& [key, entry] : line.items()) {
    const std::string entryPath = linePath + "/" + key;
    if (key == "rgb") {
      Check(symbol->put_Color(MakeColor(line, linePath)), "line colour", entryPath);
    } else if (key == "width") {
      Check(symbol->put_Width(Number(entry, entryPath)), "line width", entryPath);
    } else if (key == "style") {
      if (!entry.is_number_integer()) throw SceneError(entryPath, "expected a whole number");
      Check(symbol->put_Style(static_cast<kestSimpleLineStyle>(entry.get<int>())), "line style", entryPath);
    } else {
      throw SceneError(entryPath, "unknown line symbol entry \"" + key + "\"");
    }
  }
  return symbol;
}

CComPtr<IFont> HostValues::MakeFont(const Json& value, const std::string& path) {
  const Json& font = value.at("font");
  const std::string fontPath = path + "/font";
  if (!font.is_object()) throw SceneError(fontPath, "expected {\"name\": ..., \"size\": points, \"bold\": ...}");
  CComPtr<IFont> made = Create<IFont>(CLSID_StdFont, "font", path);
  for (const auto& [key, entry] : font.items()) {
    const std::string entryPath = fontPath + "/" + key;
    if (key == "name") {
      if (!entry.is_string()) throw SceneError(entryPath, "expected a typeface name");
      Check(made->put_Name(CComBSTR(FromUtf8(entry.get<std::string>()).c_str())), "font name", entryPath);
    } else if (key == "size") {
      const double points = Number(entry, entryPath);
      Check(made->put_Size(CY{static_cast<LONGLONG>(std::llround(points * 10000))}), "font size", entryPath);
    } else if (key == "bold" || key == "italic") {
      if (!entry.is_boolean()) throw SceneError(entryPath, "expected true or false");
      const BOOL on = entry.get<bool>() ? TRUE : FALSE;
      Check(key == "bold" ? made->put_Bold(on) : made->put_Italic(on), "font style", entryPath);
    } else {
      throw SceneError(entryPath, "unknown font entry \"" + key + "\"");
    }
  }
  return made;
}

CComPtr<IUnknown> HostValues::Make(const Json& value, const std::string& path) {
  if (IsPoint(value)) return CComPtr<IUnknown>(MakePoint(value, path).p);
  const std::string form = FormOf(value);
  CComPtr<IUnknown> made;
  if (form == "rgb") made = MakeColor(value, path).p;
  if (form == "polyline") made = MakePointCollection(CLSID_Polyline, value.at(form), path + "/polyline").p;
  if (form == "multipoint") made = MakePointCollection(CLSID_Multipoint, value.at(form), path + "/multipoint").p;
  if (form == "polygon") made = MakePolygon(value, path).p;
  if (form == "line") made = MakeLineSymbol(value, path).p;
  if (form == "font") made = MakeFont(value, path).p;
  if (!made) throw SceneError(path, "not a value this format knows");
  return made;
}

}  // namespace zelph::scenefile
