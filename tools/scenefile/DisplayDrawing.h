// The 2D drawing commands of a scene file, replayed through the library's 3D
// display as a map client draws on it: display options, symbols, and
// geometries and text drawn with the current symbol. What the display makes
// of them goes into its own scene, which the scene's graphics then join.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "frame/DisplayInterfaces.h"
#include "frame/HostDisplay.h"
#include "platform/ComPtr.h"
#include "platform/ComVariant.h"
#include "tools/scenefile/SceneObjects.h"

namespace zelph::scenefile {

class DisplayDrawing {
 public:
  using Json = nlohmann::ordered_json;

  // Reads the list of commands at `path`, making every symbol and geometry
  // up front; throws SceneError at the first command it cannot read.
  DisplayDrawing(const Json& commands, const std::string& path, const SceneObjects& objects);

  // The 3D display the commands are drawn on.
  IGLDisplay3D* Display() const { return m_Display; }

  // Clears what the display drew before, replays every command in order and
  // finishes drawing, which builds what was drawn. The display must be
  // attached to a globe display. Throws SceneError at the failing command.
  void Replay() const;

 private:
  // The display call a command makes; setting a property goes through
  // the display's IDispatch.
  enum class Call {
    SetProperty,
    SetSymbol,
    DrawPoint,
    DrawMultipoint,
    DrawPolyline,
    DrawPolygon,
    DrawRectangle,
    DrawText
  };
  struct Command {
    Call call = Call::SetProperty;
    std::string path{};
    std::string property{};      // SetProperty
    CComVariant value{};         // SetProperty
    CComPtr<IUnknown> object{};  // the symbol, or the geometry drawn
    std::wstring text{};         // DrawText
  };

  void ReadCommand(const Json& command, const std::string& path, const SceneObjects& objects);
  void ReadSettings(const Json& settings, const std::string& path, const SceneObjects& objects);
  static Call DrawCallFor(const Json& geometry, const std::string& path);
  static const char* NameOf(Call call);
  static HRESULT Perform(IDisplay* display, const Command& command);

  CComPtr<IGLDisplay3D> m_Display;
  std::vector<Command> m_Commands;
  // Groups the file makes the display's target: they join the display's
  // scene once drawn into, or what was drawn into them would show nowhere.
  std::vector<CComPtr<IGraphic3D>> m_TargetGroups;
};

}  // namespace zelph::scenefile
