#include "tools/scenefile/DisplayDrawing.h"

#include <cstdio>

#include "frame/Guids.h"
#include "frame/HostDisplay.h"
#include "platform/ComBstr.h"
#include "platform/WideString.h"
#include "tools/scenefile/DispatchWriter.h"
#include "tools/scenefile/HostValues.h"
#include "tools/scenefile/SceneError.h"

namespace zelph::scenefile {
namespace {

constexpr const char* kCommandShape =
    "expected one of {\"set\": {...}}, {\"symbol\": ...}, {\"draw\": geometry} or {\"text\": ..., \"at\": geometry}";

// The one command key of a command object ("at" and "comment" go with
// it), or "" for an entry that is only a comment.
std::string CommandKey(const DisplayDrawing::Json& command, const std::string& path) {
  if (!command.is_object()) throw SceneError(path, kCommandShape);
  std::string found;
  for (const auto& [key, value] : command.items()) {
    if (key == "comment" || key == "at") continue;
    if (key != "set" && key != "symbol" && key != "draw" && key != "text") {
      throw SceneError(path + "/" + key, "unknown drawing command \"" + key + "\"");
    }
    if (!found.empty()) throw SceneError(path + "/" + key, "one command per entry (\"" + found + "\" came first)");
    found = key;
  }
  if (found.empty()) {
    if (command.size() == 1 && command.contains("comment")) return found;  // a note between commands
    throw SceneError(path, kCommandShape);
  }
  if (command.contains("at") != (found == "text")) {
    throw SceneError(
        path, found == "text" ? "text needs \"at\": a geometry to draw it at" : "only a text command takes \"at\"");
  }
  return found;
}

}  // namespace

DisplayDrawing::DisplayDrawing(const Json& commands, const std::string& path, const SceneObjects& objects) {
  if (!commands.is_array()) throw SceneError(path, "expected a list of drawing commands");
  if (FAILED(m_Display.CoCreateInstance(CLSID_GLDisplay3D)) || !m_Display) {
    throw SceneError(path, "cannot create a \"GLDisplay3D\" (is the library registered?)");
  }
  for (size_t i = 0; i < commands.size(); ++i) ReadCommand(commands[i], path + "/" + std::to_string(i), objects);
}

void DisplayDrawing::ReadCommand(const Json& command, const std::string& path, const SceneObjects& objects) {
  const std::string key = CommandKey(command, path);
  if (key.empty()) return;
  const Json& value = command.at(key);
  const std::string valuePath = path + "/" + key;
  if (key == "set") {
    ReadSettings(value, valuePath, objects);
  } else if (key == "symbol") {
    CComVariant symbol = objects.ValueOf(value, valuePath);
    CComPtr<IUnknown> object = (symbol.vt == VT_UNKNOWN || symbol.vt == VT_DISPATCH) ? symbol.punkVal : nullptr;
    if (!CComQIPtr<ISymbol>(object.p)) {
      throw SceneError(valuePath,
                       "expected a symbol: {\"marker\": ...}, {\"line\": ...}, {\"fill\": ...} or {\"text\": ...}");
    }
    m_Commands.push_back({.call = Call::SetSymbol, .path = valuePath, .object = object});
  } else if (key == "draw") {
    const Call call = DrawCallFor(value, valuePath);
    m_Commands.push_back({.call = call, .path = valuePath, .object = HostValues::Make(value, valuePath)});
  } else {
    if (!value.is_string()) throw SceneError(valuePath, "expected the text to draw");
    const std::string atPath = path + "/at";
    DrawCallFor(command.at("at"), atPath);
    m_Commands.push_back({.call = Call::DrawText,
                          .path = valuePath,
                          .object = HostValues::Make(command.at("at"), atPath),
                          .text = FromUtf8(value.get<std::string>())});
  }
}

// Display properties by the names its automation interface gives them,
// each checked now and set when the command's turn comes.
void DisplayDrawing::ReadSettings(const Json& settings, const std::string& path, const SceneObjects& objects) {
  if (!settings.is_object()) throw SceneError(path, "expected {PROPERTY: VALUE, ...} of the 3D display");
  for (const auto& [name, value] : settings.items()) {
    const std::string propertyPath = path + "/" + name;
    DispatchWriter::RequireMember(m_Display, name, propertyPath);
    CComVariant setting = objects.ValueOf(value, propertyPath);
    if (setting.vt == VT_DISPATCH) {
      if (CComQIPtr<IGroupGraphic3D> group{setting.pdispVal}) m_TargetGroups.emplace_back(CComQIPtr<IGraphic3D>(group));
    }
    m_Commands.push_back({.call = Call::SetProperty, .path = propertyPath, .property = name, .value = setting});
  }
}

DisplayDrawing::Call DisplayDrawing::DrawCallFor(const Json& geometry, const std::string& path) {
  if (HostValues::IsPoint(geometry)) return Call::DrawPoint;
  const std::string form = HostValues::FormOf(geometry);
  if (form == "multipoint") return Call::DrawMultipoint;
  if (form == "polyline") return Call::DrawPolyline;
  if (form == "polygon") return Call::DrawPolygon;
  if (form == "envelope") return Call::DrawRectangle;
  throw SceneError(path,
                   "expected a geometry: a point, {\"multipoint\": ...}, {\"polyline\": ...}, "
                   "{\"polygon\": ...} or {\"envelope\": ...}");
}

const char* DisplayDrawing::NameOf(Call call) {
  switch (call) {
    case Call::SetProperty:
      return "property";
    case Call::SetSymbol:
      return "SetSymbol";
    case Call::DrawPoint:
      return "DrawPoint";
    case Call::DrawMultipoint:
      return "DrawMultipoint";
    case Call::DrawPolyline:
      return "DrawPolyline";
    case Call::DrawPolygon:
      return "DrawPolygon";
    case Call::DrawRectangle:
      return "DrawRectangle";
    case Call::DrawText:
      return "DrawText";
  }
  return "call";
}

HRESULT DisplayDrawing::Perform(IDisplay* display, const Command& command) {
  CComQIPtr<IGeometry> geometry{command.object.p};
  switch (command.call) {
    case Call::SetProperty:
      return E_UNEXPECTED;  // set through IDispatch, never here
    case Call::SetSymbol:
      return display->SetSymbol(CComQIPtr<ISymbol>(command.object.p));
    case Call::DrawPoint:
      return display->DrawPoint(geometry);
    case Call::DrawMultipoint:
      return display->DrawMultipoint(geometry);
    case Call::DrawPolyline:
      return display->DrawPolyline(geometry);
    case Call::DrawPolygon:
      return display->DrawPolygon(geometry);
    case Call::DrawRectangle:
      return display->DrawRectangle(CComQIPtr<IEnvelope>(command.object.p));
    case Call::DrawText:
      return display->DrawText(geometry, CComBSTR(command.text.c_str()));
  }
  return E_UNEXPECTED;
}

void DisplayDrawing::Replay() const {
  CComQIPtr<IDisplay> display{m_Display.p};
  if (!display) throw SceneError("", "the 3D display takes no drawing calls");
  const HRESULT cleared = m_Display->ClearDisplayContents();
  if (FAILED(cleared)) throw SceneError("", "clearing the 3D display failed (" + SceneError::Code(cleared) + ")");
  for (const Command& command : m_Commands) {
    if (command.call == Call::SetProperty) {
      DispatchWriter::PutProperty(m_Display, command.property, command.value, command.path);
      continue;
    }
    const HRESULT result = Perform(display, command);
    if (FAILED(result)) {
      throw SceneError(command.path, std::string("the 3D display's ") + NameOf(command.call) + " failed (" +
                                         SceneError::Code(result) + ")");
    }
  }
  const HRESULT finished = display->FinishDrawing();
  if (FAILED(finished)) {
    throw SceneError("", "the 3D display's FinishDrawing failed (" + SceneError::Code(finished) + ")");
  }
  if (m_TargetGroups.empty()) return;
  CComPtr<ISceneManager3D> scene;
  if (FAILED(m_Display->get_Scene(&scene)) || !scene) throw SceneError("", "the 3D display has no scene");
  for (const CComPtr<IGraphic3D>& group : m_TargetGroups) {
    const HRESULT added = scene->AddGraphic(group);
    if (FAILED(added)) throw SceneError("", "adding a target group failed (" + SceneError::Code(added) + ")");
  }
}

}  // namespace zelph::scenefile
