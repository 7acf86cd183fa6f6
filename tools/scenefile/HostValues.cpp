#include "tools/scenefile/HostValues.h"

#include <cmath>

#include "frame/HostGuids.h"
#include "tools/scenefile/HostObject.h"
#include "tools/scenefile/SymbolValues.h"

namespace zelph::scenefile {
namespace {

const char* const kForms[] = {"rgb",  "polyline", "polygon", "multipoint", "envelope",
                              "line", "marker",   "fill",    "text",       "font"};

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
  CComPtr<IPoint> point = CreateHostObject<IPoint>(CLSID_Point, "point", path);
  CheckHost(point->PutCoords(value[0].get<double>(), value[1].get<double>()), "point", path);
  CheckHost(point->put_Z(value.size() == 3 ? value[2].get<double>() : 0.0), "point", path);
  return point;
}

CComPtr<IRgbColor> HostValues::MakeColor(const Json& value, const std::string& path) {
  const Json& rgb = value.at("rgb");
  const std::string rgbPath = path + "/rgb";
  if (!rgb.is_array() || rgb.size() != 3) throw SceneError(rgbPath, "expected [red, green, blue]");
  LONG channels[3];
  for (int i = 0; i < 3; ++i) {
    const double channel = ReadNumber(rgb[i], rgbPath + "/" + std::to_string(i));
    if (channel < 0 || channel > 255) throw SceneError(rgbPath + "/" + std::to_string(i), "expected 0 to 255");
    channels[i] = static_cast<LONG>(std::lround(channel));
  }
  CComPtr<IRgbColor> color = CreateHostObject<IRgbColor>(CLSID_RgbColor, "colour", path);
  CheckHost(color->put_Red(channels[0]), "colour", path);
  CheckHost(color->put_Green(channels[1]), "colour", path);
  CheckHost(color->put_Blue(channels[2]), "colour", path);
  return color;
}

CComPtr<IGeometry> HostValues::MakePointCollection(REFCLSID clsid, const Json& points, const std::string& path) {
  if (!points.is_array()) throw SceneError(path, "expected a list of points");
  CComPtr<IGeometry> geometry = CreateHostObject<IGeometry>(clsid, "geometry", path);
  CComQIPtr<IPointCollection> collection{geometry};
  if (!collection) throw SceneError(path, "the host geometry holds no points");
  for (size_t i = 0; i < points.size(); ++i) {
    const std::string pointPath = path + "/" + std::to_string(i);
    CheckHost(collection->AddPoint(MakePoint(points[i], pointPath), nullptr, nullptr), "point", pointPath);
  }
  return geometry;
}

// One exterior ring and its holes; the host tells them apart by nesting.
CComPtr<IGeometry> HostValues::MakePolygon(const Json& value, const std::string& path) {
  CComPtr<IGeometry> polygon = CreateHostObject<IGeometry>(CLSID_Polygon, "polygon", path);
  CComQIPtr<IGeometryCollection> rings{polygon};
  if (!rings) throw SceneError(path, "the host polygon holds no rings");
  CheckHost(
      rings->AddGeometry(MakePointCollection(CLSID_Ring, value.at("polygon"), path + "/polygon"), nullptr, nullptr),
      "ring", path + "/polygon");
  if (!value.contains("holes")) return polygon;
  const Json& holes = value.at("holes");
  if (!holes.is_array()) throw SceneError(path + "/holes", "expected a list of rings");
  for (size_t i = 0; i < holes.size(); ++i) {
    const std::string holePath = path + "/holes/" + std::to_string(i);
    CheckHost(rings->AddGeometry(MakePointCollection(CLSID_Ring, holes[i], holePath), nullptr, nullptr), "ring",
              holePath);
  }
  return polygon;
}

// [[west, south], [east, north]], optionally with altitudes, which become
// the envelope's lowest and highest z.
CComPtr<IEnvelope> HostValues::MakeEnvelope(const Json& corners, const std::string& path) {
  if (!corners.is_array() || corners.size() != 2) throw SceneError(path, "expected [[west, south], [east, north]]");
  CComPtr<IPoint> low = MakePoint(corners[0], path + "/0"), high = MakePoint(corners[1], path + "/1");
  double west = 0, south = 0, lowZ = 0, east = 0, north = 0, highZ = 0;
  low->QueryCoords(&west, &south);
  low->get_Z(&lowZ);
  high->QueryCoords(&east, &north);
  high->get_Z(&highZ);
  CComPtr<IEnvelope> envelope = CreateHostObject<IEnvelope>(CLSID_Envelope, "envelope", path);
  CheckHost(envelope->PutCoords(west, south, east, north), "envelope", path);
  CheckHost(envelope->put_ZMin(lowZ), "envelope", path);
  CheckHost(envelope->put_ZMax(highZ), "envelope", path);
  return envelope;
}

CComPtr<IUnknown> HostValues::Make(const Json& value, const std::string& path) {
  if (IsPoint(value)) return CComPtr<IUnknown>(MakePoint(value, path).p);
  const std::string form = FormOf(value);
  CComPtr<IUnknown> made;
  if (form == "rgb") made = MakeColor(value, path).p;
  if (form == "polyline") made = MakePointCollection(CLSID_Polyline, value.at(form), path + "/polyline").p;
  if (form == "multipoint") made = MakePointCollection(CLSID_Multipoint, value.at(form), path + "/multipoint").p;
  if (form == "polygon") made = MakePolygon(value, path).p;
  if (form == "envelope") made = MakeEnvelope(value.at(form), path + "/envelope").p;
  if (form == "line") made = SymbolValues::MakeLineSymbol(value.at(form), path + "/line").p;
  if (form == "marker") made = SymbolValues::MakeMarkerSymbol(value.at(form), path + "/marker").p;
  if (form == "fill") made = SymbolValues::MakeFillSymbol(value.at(form), path + "/fill").p;
  if (form == "text") made = SymbolValues::MakeTextSymbol(value.at(form), path + "/text").p;
  if (form == "font") made = SymbolValues::MakeFont(value.at(form), path + "/font").p;
  if (!made) throw SceneError(path, "not a value this format knows");
  return made;
}

}  // namespace zelph::scenefile
