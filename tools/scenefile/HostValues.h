// The compact JSON forms of host values in a scene file, made into host
// objects by class id: points, colours, geometries, symbols and fonts.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "frame/HostGeometry.h"
#include "frame/HostSymbols.h"
#include "platform/ComPtr.h"

namespace zelph::scenefile {

class HostValues {
 public:
  using Json = nlohmann::ordered_json;

  // Whether `value` is [lon, lat] or [lon, lat, alt].
  static bool IsPoint(const Json& value);
  // The form key of a compact object ("rgb", "polyline", ...), or "" when
  // `value` has none.
  static std::string FormOf(const Json& value);
  // The host object of a compact form; throws SceneError at `path`.
  static CComPtr<IUnknown> Make(const Json& value, const std::string& path);

  static CComPtr<IPoint> MakePoint(const Json& value, const std::string& path);
  static CComPtr<IRgbColor> MakeColor(const Json& value, const std::string& path);

 private:
  static CComPtr<IGeometry> MakePointCollection(REFCLSID clsid, const Json& points, const std::string& path);
  static CComPtr<IGeometry> MakePolygon(const Json& value, const std::string& path);
  static CComPtr<IEnvelope> MakeEnvelope(const Json& corners, const std::string& path);
};

}  // namespace zelph::scenefile
