// zelph-render: draws a scene file on the reference host's offscreen globe
// viewer and saves the frame as a PNG; optionally selects graphics by name
// and reports which graphic lies under a window pixel.
//
// Exit status: 0 done, 1 the scene could not be loaded or drawn, 2 usage.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "frame/Guids.h"
#include "frame/HostGlobe.h"
#include "frame/HostGuids.h"
#include "frame/SceneInterfaces.h"
#include "host/HostInterfaces.h"
#include "platform/ClassRegistry.h"
#include "platform/ComBstr.h"
#include "platform/ComVariant.h"
#include "platform/WideString.h"
#include "tools/scenefile/DispatchWriter.h"
#include "tools/scenefile/SceneError.h"
#include "tools/scenefile/SceneFile.h"
#include "tools/scenefile/SceneSession.h"

namespace {

using zelph::scenefile::Scene;
using zelph::scenefile::SceneError;
using zelph::scenefile::SceneSession;

constexpr auto Check = SceneSession::Check;

constexpr const char* kUsage =
    "usage: zelph-render SCENE.json -o OUT.png [--size WxH] [--camera LAT,LON,ALT]\n"
    "                    [--exaggeration V] [--select NAME[,NAME...]] [--pick X,Y]\n";

struct Options {
  std::string scenePath;
  std::string outputPath;
  std::optional<std::pair<long, long>> size;
  std::optional<zelph::scenefile::SceneCamera> camera;
  std::optional<double> exaggeration;
  std::set<std::wstring> selected;
  std::optional<std::pair<long, long>> pick;
};

struct UsageError {
  std::string message;
};

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::stringstream stream(text);
  std::string part;
  while (std::getline(stream, part, separator)) parts.push_back(part);
  return parts;
}

double ParseNumber(const std::string& text, const std::string& option) {
  char* end = nullptr;
  const double number = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0') throw UsageError{option + ": \"" + text + "\" is not a number"};
  return number;
}

std::pair<long, long> ParsePair(const std::string& text, char separator, const std::string& option) {
  const std::vector<std::string> parts = Split(text, separator);
  if (parts.size() != 2) throw UsageError{option + ": expected two numbers separated by '" + separator + "'"};
  const double first = ParseNumber(parts[0], option), second = ParseNumber(parts[1], option);
  if (first != static_cast<long>(first) || second != static_cast<long>(second)) {
    throw UsageError{option + ": expected whole numbers"};
  }
  return {static_cast<long>(first), static_cast<long>(second)};
}

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    auto next = [&]() -> std::string {
      if (i + 1 >= argc) throw UsageError{argument + " needs a value"};
      return argv[++i];
    };
    if (argument == "-h" || argument == "--help") {
      std::fputs(kUsage, stdout);
      std::exit(0);
    } else if (argument == "-o" || argument == "--output") {
      options.outputPath = next();
    } else if (argument == "--size") {
      options.size = ParsePair(next(), 'x', argument);
      if (options.size->first < 1 || options.size->second < 1) throw UsageError{"--size: sides must be positive"};
    } else if (argument == "--camera") {
      const std::vector<std::string> parts = Split(next(), ',');
      if (parts.size() != 3) throw UsageError{"--camera: expected LAT,LON,ALT"};
      options.camera = {ParseNumber(parts[0], argument), ParseNumber(parts[1], argument),
                        ParseNumber(parts[2], argument)};
    } else if (argument == "--exaggeration") {
      options.exaggeration = ParseNumber(next(), argument);
      if (!(*options.exaggeration > 0)) throw UsageError{"--exaggeration: expected a number above 0"};
    } else if (argument == "--select") {
      for (const std::string& name : Split(next(), ',')) options.selected.insert(zelph::FromUtf8(name));
    } else if (argument == "--pick") {
      options.pick = ParsePair(next(), ',', argument);
    } else if (!argument.empty() && argument[0] == '-') {
      throw UsageError{"unknown option " + argument};
    } else if (options.scenePath.empty()) {
      options.scenePath = argument;
    } else {
      throw UsageError{"only one scene file, please"};
    }
  }
  if (options.scenePath.empty()) throw UsageError{"no scene file given"};
  if (options.outputPath.empty()) throw UsageError{"no output file given (-o OUT.png)"};
  return options;
}

std::wstring NameOf(IGraphic3D* graphic) {
  CComBSTR name;
  if (SUCCEEDED(graphic->get_Name(&name)) && name && SysStringLen(name) > 0) return std::wstring(name);
  CComBSTR uid;
  if (SUCCEEDED(graphic->get_UID(&uid)) && uid) return std::wstring(uid);
  return L"";
}

// Every graphic of the scene, members of groups included.
void CollectGraphics(IGraphic3D* graphic, std::vector<CComPtr<IGraphic3D>>& all) {
  all.emplace_back(graphic);
  CComQIPtr<IGroupGraphic3D> group{graphic};
  CComPtr<IArray> members;
  if (!group || FAILED(group->get_Graphics(&members)) || !members) return;
  LONG count = 0;
  members->get_Count(&count);
  for (LONG i = 0; i < count; ++i) {
    CComPtr<IUnknown> element;
    members->get_Element(i, &element);
    if (CComQIPtr<IGraphic3D> member{element.p}) CollectGraphics(member, all);
  }
}

void SelectByName(const Scene& scene, const std::set<std::wstring>& names) {
  std::vector<CComPtr<IGraphic3D>> all;
  for (const CComPtr<IGraphic3D>& graphic : scene.graphics) CollectGraphics(graphic, all);
  std::set<std::wstring> found;
  for (const CComPtr<IGraphic3D>& graphic : all) {
    const std::wstring name = NameOf(graphic);
    if (!names.count(name)) continue;
    zelph::scenefile::DispatchWriter::PutProperty(graphic, "Selected", CComVariant(true),
                                                  "--select " + zelph::ToUtf8(name));
    found.insert(name);
  }
  for (const std::wstring& name : names) {
    if (!found.count(name)) throw SceneError("--select", "no graphic named \"" + zelph::ToUtf8(name) + "\"");
  }
}

int Render(const Options& options, Scene& scene) {
  if (options.size) {
    scene.width = options.size->first;
    scene.height = options.size->second;
  }
  if (options.camera) scene.camera = options.camera;
  if (options.exaggeration) scene.exaggeration = options.exaggeration;

  SceneSession session;
  session.Open(scene);
  SelectByName(scene, options.selected);
  Check(session.manager->Refresh(), "refreshing the scene");
  Check(session.viewer->Redraw(VARIANT_TRUE), "drawing the frame");
  Check(session.frame->SaveFrame(CComBSTR(zelph::FromUtf8(options.outputPath).c_str())), "saving the frame");

  if (options.pick) {
    CComQIPtr<ISelection3D> selection{session.manager.p};
    CComPtr<IGraphic3D> hit;
    if (!selection) throw SceneError("", "the scene manager cannot pick");
    Check(selection->HitTestPoint(options.pick->first, options.pick->second, &hit), "picking");
    std::printf("%s\n", hit ? zelph::ToUtf8(NameOf(hit)).c_str() : "nothing");
  }
  session.Close();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  try {
    options = ParseOptions(argc, argv);
  } catch (const UsageError& error) {
    std::fprintf(stderr, "zelph-render: %s\n%s", error.message.c_str(), kUsage);
    return 2;
  }
  if (!SceneSession::RegisterLibrary("zelph-render")) return 1;
  Scene scene;
  std::string error;
  if (!zelph::scenefile::SceneFile::Load(options.scenePath, scene, error)) {
    std::fprintf(stderr, "zelph-render: %s\n", error.c_str());
    return 1;
  }
  try {
    return Render(options, scene);
  } catch (const SceneError& failure) {
    std::fprintf(stderr, "zelph-render: %s\n", failure.what());
    return 1;
  }
}
