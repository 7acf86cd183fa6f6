// A scene file that cannot be turned into graphics: the JSON path of the
// offending value (a JSON pointer, "" for the file as a whole) and why.
#pragma once

#include <stdexcept>
#include <string>

namespace zelph::scenefile {

class SceneError : public std::runtime_error {
 public:
  SceneError(const std::string& path, const std::string& reason)
      : std::runtime_error(path.empty() ? reason : path + ": " + reason), m_Path(path) {}

  const std::string& Path() const { return m_Path; }

 private:
  std::string m_Path;
};

}  // namespace zelph::scenefile
