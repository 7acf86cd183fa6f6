#include "tools/scenefile/SymbolValues.h"

#include <cmath>
#include <functional>

#include "frame/HostGuids.h"
#include "platform/ComBstr.h"
#include "platform/WideString.h"
#include "tools/scenefile/HostObject.h"
#include "tools/scenefile/HostValues.h"

namespace zelph::scenefile {
namespace {

using Json = SymbolValues::Json;

// Hands each entry of `entries` to `read`, which answers false for a key it
// does not know; the error then names the entry.
void ReadEntries(const Json& entries, const std::string& path, const char* what, const char* shape,
                 const std::function<bool(const std::string& key, const Json& entry, const std::string& path)>& read) {
  if (!entries.is_object()) throw SceneError(path, std::string("expected ") + shape);
  for (const auto& [key, entry] : entries.items()) {
    const std::string entryPath = path + "/" + key;
    if (!read(key, entry, entryPath))
      throw SceneError(entryPath, "unknown " + std::string(what) + " entry \"" + key + "\"");
  }
}

CComPtr<IColor> ColorOf(const Json& entries, const std::string& path) {
  return CComPtr<IColor>(HostValues::MakeColor(entries, path).p);
}

}  // namespace

CComPtr<ISimpleLineSymbol> SymbolValues::MakeLineSymbol(const Json& entries, const std::string& path) {
  auto symbol = CreateHostObject<ISimpleLineSymbol>(CLSID_SimpleLineSymbol, "line symbol", path);
  ReadEntries(entries, path, "line symbol", "{\"rgb\": [r, g, b], \"width\": w, \"style\": s}",
              [&](const std::string& key, const Json& entry, const std::string& at) {
                if (key == "rgb") {
                  CheckHost(symbol->put_Color(ColorOf(entries, path)), "line colour", at);
                } else if (key == "width") {
                  CheckHost(symbol->put_Width(ReadNumber(entry, at)), "line width", at);
                } else if (key == "style") {
                  CheckHost(symbol->put_Style(static_cast<kestSimpleLineStyle>(ReadWholeNumber(entry, at))),
                            "line style", at);
                } else {
                  return false;
                }
                return true;
              });
  return symbol;
}

CComPtr<ISimpleMarkerSymbol> SymbolValues::MakeMarkerSymbol(const Json& entries, const std::string& path) {
  auto symbol = CreateHostObject<ISimpleMarkerSymbol>(CLSID_SimpleMarkerSymbol, "marker symbol", path);
  ReadEntries(entries, path, "marker symbol", "{\"rgb\": [r, g, b], \"size\": s, \"angle\": a, \"style\": n}",
              [&](const std::string& key, const Json& entry, const std::string& at) {
                if (key == "rgb") {
                  CheckHost(symbol->put_Color(ColorOf(entries, path)), "marker colour", at);
                } else if (key == "size") {
                  CheckHost(symbol->put_Size(ReadNumber(entry, at)), "marker size", at);
                } else if (key == "angle") {
                  CheckHost(symbol->put_Angle(ReadNumber(entry, at)), "marker angle", at);
                } else if (key == "style") {
                  CheckHost(symbol->put_Style(static_cast<kestSimpleMarkerStyle>(ReadWholeNumber(entry, at))),
                            "marker style", at);
                } else {
                  return false;
                }
                return true;
              });
  return symbol;
}

CComPtr<ISimpleFillSymbol> SymbolValues::MakeFillSymbol(const Json& entries, const std::string& path) {
  auto symbol = CreateHostObject<ISimpleFillSymbol>(CLSID_SimpleFillSymbol, "fill symbol", path);
  ReadEntries(entries, path, "fill symbol", "{\"rgb\": [r, g, b], \"style\": n, \"outline\": {...}}",
              [&](const std::string& key, const Json& entry, const std::string& at) {
                if (key == "rgb") {
                  CheckHost(symbol->put_Color(ColorOf(entries, path)), "fill colour", at);
                } else if (key == "style") {
                  CheckHost(symbol->put_Style(static_cast<kestSimpleFillStyle>(ReadWholeNumber(entry, at))),
                            "fill style", at);
                } else if (key == "outline") {
                  CComPtr<ILineSymbol> outline;
                  if (!entry.is_null()) outline = MakeLineSymbol(entry, at).p;
                  CheckHost(symbol->put_Outline(outline), "fill outline", at);
                } else {
                  return false;
                }
                return true;
              });
  return symbol;
}

CComPtr<ITextSymbol> SymbolValues::MakeTextSymbol(const Json& entries, const std::string& path) {
  auto symbol = CreateHostObject<ITextSymbol>(CLSID_TextSymbol, "text symbol", path);
  ReadEntries(entries, path, "text symbol", "{\"rgb\": [r, g, b], \"size\": s, \"font\": {...}, ...}",
              [&](const std::string& key, const Json& entry, const std::string& at) {
                if (key == "rgb") {
                  CheckHost(symbol->put_Color(ColorOf(entries, path)), "text colour", at);
                } else if (key == "size") {
                  CheckHost(symbol->put_Size(ReadNumber(entry, at)), "text size", at);
                } else if (key == "angle") {
                  CheckHost(symbol->put_Angle(ReadNumber(entry, at)), "text angle", at);
                } else if (key == "halign") {
                  const auto alignment = static_cast<kestTextHorizontalAlignment>(ReadWholeNumber(entry, at));
                  CheckHost(symbol->put_HorizontalAlignment(alignment), "text alignment", at);
                } else if (key == "valign") {
                  const auto alignment = static_cast<kestTextVerticalAlignment>(ReadWholeNumber(entry, at));
                  CheckHost(symbol->put_VerticalAlignment(alignment), "text alignment", at);
                } else if (key == "font") {
                  CheckHost(symbol->putref_Font(MakeFont(entry, at)), "text font", at);
                } else {
                  return false;
                }
                return true;
              });
  return symbol;
}

CComPtr<IFont> SymbolValues::MakeFont(const Json& entries, const std::string& path) {
  auto font = CreateHostObject<IFont>(CLSID_StdFont, "font", path);
  ReadEntries(entries, path, "font", "{\"name\": ..., \"size\": points, \"bold\": ...}",
              [&](const std::string& key, const Json& entry, const std::string& at) {
                if (key == "name") {
                  if (!entry.is_string()) throw SceneError(at, "expected a typeface name");
                  CheckHost(font->put_Name(CComBSTR(FromUtf8(entry.get<std::string>()).c_str())), "font name", at);
                } else if (key == "size") {
                  const double points = ReadNumber(entry, at);
                  CheckHost(font->put_Size(CY{static_cast<LONGLONG>(std::llround(points * 10000))}), "font size", at);
                } else if (key == "bold" || key == "italic") {
                  if (!entry.is_boolean()) throw SceneError(at, "expected true or false");
                  const BOOL on = entry.get<bool>() ? TRUE : FALSE;
                  CheckHost(key == "bold" ? font->put_Bold(on) : font->put_Italic(on), "font style", at);
                } else {
                  return false;
                }
                return true;
              });
  return font;
}

}  // namespace zelph::scenefile
