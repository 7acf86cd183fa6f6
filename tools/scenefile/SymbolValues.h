// The host symbols and fonts of a scene file: line, marker, fill and text
// symbols for the 3D display's drawing commands and the components' line
// properties, and standard fonts. Each is an object of optional entries.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "frame/HostSymbols.h"
#include "platform/ComPtr.h"
#include "platform/OleFont.h"

namespace zelph::scenefile {

class SymbolValues {
 public:
  using Json = nlohmann::ordered_json;

  // {"rgb": [r, g, b], "width": points, "style": n}
  static CComPtr<ISimpleLineSymbol> MakeLineSymbol(const Json& entries, const std::string& path);
  // {"rgb": [r, g, b], "size": points, "angle": degrees, "style": n}
  static CComPtr<ISimpleMarkerSymbol> MakeMarkerSymbol(const Json& entries, const std::string& path);
  // {"rgb": [r, g, b], "style": n, "outline": LINE-ENTRIES or null}
  static CComPtr<ISimpleFillSymbol> MakeFillSymbol(const Json& entries, const std::string& path);
  // {"rgb": [r, g, b], "size": points, "angle": degrees, "halign": n,
  //  "valign": n, "font": FONT-ENTRIES}
  static CComPtr<ITextSymbol> MakeTextSymbol(const Json& entries, const std::string& path);
  // {"name": face, "size": points, "bold": b, "italic": i}
  static CComPtr<IFont> MakeFont(const Json& entries, const std::string& path);
};

}  // namespace zelph::scenefile
