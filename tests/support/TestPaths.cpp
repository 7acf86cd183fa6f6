#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace zelph::test {

std::string ProgramDirectory() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

std::string BesideProgram(const std::string& fileName) { return ProgramDirectory() + "/" + fileName; }

std::string FreshDirectory(const std::string& name) {
  std::filesystem::path directory =
      std::filesystem::path(::testing::TempDir()) / ("zelph-" + std::to_string(getpid()) + "-" + name);
  std::filesystem::remove_all(directory);
  std::filesystem::create_directories(directory);
  return directory.string();
}

ScopedEnvironment::ScopedEnvironment(const char* name, const char* value) : m_Name(name) {
  const char* previous = std::getenv(name);
  m_HadValue = previous != nullptr;
  if (previous) m_Previous = previous;
  if (value) {
    setenv(name, value, 1);
  } else {
    unsetenv(name);
  }
}

ScopedEnvironment::~ScopedEnvironment() {
  if (m_HadValue) {
    setenv(m_Name.c_str(), m_Previous.c_str(), 1);
  } else {
    unsetenv(m_Name.c_str());
  }
}

}  // namespace zelph::test
