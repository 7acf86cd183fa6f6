// Where the test programs and the libraries built beside them live.
#pragma once

#include <string>

namespace zelph::test {

// The directory of the running test program.
std::string ProgramDirectory();
// A path beside the running test program.
std::string BesideProgram(const std::string& fileName);
// A fresh, empty directory under the test temporary directory.
std::string FreshDirectory(const std::string& name);

// Sets an environment variable for the life of the object and restores the
// previous value (or its absence) afterwards.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value);
  ~ScopedEnvironment();
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::string m_Name;
  std::string m_Previous;
  bool m_HadValue;
};

}  // namespace zelph::test
