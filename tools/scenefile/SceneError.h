// A scene file that cannot be turned into graphics: the JSON path of the
// offending value (a JSON pointer, "" for the file as a whole) and why.
#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>

#include "platform/WinTypes.h"

namespace zelph::scenefile {

class SceneError : public std::runtime_error {
 public:
  SceneError(const std::string& path, const std::string& reason)
      : std::runtime_error(path.empty() ? reason : path + ": " + reason), m_Path(path) {}

  const std::string& Path() const { return m_Path; }

  // A result code as messages show it: "0x80004005".
  static std::string Code(HRESULT result) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(result));
    return text;
  }

 private:
  std::string m_Path;
};

}  // namespace zelph::scenefile
