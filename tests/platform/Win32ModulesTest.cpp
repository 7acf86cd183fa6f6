#include "platform/Win32Modules.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "platform/WideString.h"
#include "platform/WinError.h"
#include "platform/Win32Environment.h"

namespace {

namespace fs = std::filesystem;

std::wstring ModuleFileName(HMODULE module) {
  WCHAR path[4096];
  return std::wstring(path, GetModuleFileNameW(module, path, 4096));
}

bool EndsWith(const std::wstring& text, const std::wstring& ending) {
  return text.size() >= ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

TEST(Win32Modules, ModuleFileNamesAreAbsolutePaths) {
  HMODULE runtime = ModuleFromAddress(reinterpret_cast<const void*>(&GetModuleFileNameW));
  ASSERT_NE(runtime, nullptr);
  std::wstring runtimePath = ModuleFileName(runtime);
  EXPECT_TRUE(EndsWith(runtimePath, L"/libzelphrt.so")) << zelph::ToUtf8(runtimePath);

  std::wstring executable = ModuleFileName(nullptr);
  EXPECT_EQ(executable, zelph::FromUtf8(fs::canonical("/proc/self/exe").string()));
  EXPECT_EQ(ModuleFileName(ModuleFromAddress(reinterpret_cast<const void*>(&EndsWith))), executable);

  WCHAR small[5];
  EXPECT_EQ(GetModuleFileNameW(runtime, small, 5), 5u);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(std::wstring(small), runtimePath.substr(0, 4)) << "cut and terminated";

  // A pointer into the middle of an image is not a module handle.
  EXPECT_EQ(GetModuleFileNameW(reinterpret_cast<HMODULE>(reinterpret_cast<char*>(runtime) + 16), small, 5), 0u);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
}

TEST(Win32Modules, LoadsLooksUpAndFreesASystemLibrary) {
  HMODULE math = LoadLibraryW(L"libm.so.6");
  ASSERT_NE(math, nullptr);
  auto cosine = reinterpret_cast<double (*)(double)>(GetProcAddress(math, "cos"));
  ASSERT_NE(cosine, nullptr);
  EXPECT_DOUBLE_EQ(cosine(0.0), 1.0);
  EXPECT_EQ(ModuleFromAddress(reinterpret_cast<const void*>(cosine)), math);
  EXPECT_TRUE(EndsWith(ModuleFileName(math), L"/libm.so.6"));

  // printf is reachable through the library's dependencies but is not its own.
  EXPECT_EQ(GetProcAddress(math, "printf"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);

  EXPECT_EQ(LoadLibraryW(L"libm.so.6"), math);
  EXPECT_TRUE(FreeLibrary(math));
  EXPECT_TRUE(FreeLibrary(math));
  EXPECT_FALSE(FreeLibrary(math)) << "two loads, two frees";

  // Modules that came in some other way export their symbols too.
  void* getProcessId = reinterpret_cast<void*>(&getpid);
  EXPECT_EQ(GetProcAddress(ModuleFromAddress(getProcessId), "getpid"), getProcessId);
  EXPECT_EQ(GetProcAddress(nullptr, "getpid"), nullptr) << "a null module is the executable, which lacks it";

  EXPECT_EQ(LoadLibraryW(L"libzelph-no-such-library.so"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
}

// A bare name must be found beside the executable, where the system's search
// path would not look. A private copy of the maths library stands in for a
// server module; unloading it must unmap it.
TEST(Win32Modules, BareNameIsFoundBesideTheExecutableAndUnloads) {
  HMODULE math = LoadLibraryW(L"libm.so.6");
  ASSERT_NE(math, nullptr);
  fs::path original = zelph::ToUtf8(ModuleFileName(math));
  FreeLibrary(math);
  std::string copyName = "libzelph-probe-" + std::to_string(getpid()) + ".so";
  fs::path copy = fs::path(zelph::ToUtf8(ModuleFileName(nullptr))).parent_path() / copyName;
  std::error_code error;
  if (!fs::copy_file(original, copy, error)) GTEST_SKIP() << "cannot write beside the executable: " << error.message();

  HMODULE probe = LoadLibraryW(zelph::FromUtf8(copyName).c_str());
  fs::remove(copy);
  ASSERT_NE(probe, nullptr);
  EXPECT_NE(probe, math);
  EXPECT_EQ(ModuleFileName(probe), zelph::FromUtf8(copy.string()));
  void* cosine = GetProcAddress(probe, "cos");
  EXPECT_EQ(ModuleFromAddress(cosine), probe);
  EXPECT_TRUE(FreeLibrary(probe));
  EXPECT_EQ(ModuleFromAddress(cosine), nullptr) << "the last free unloads the image";
}

// Every match of `pattern`, by name.
std::map<std::wstring, WIN32_FIND_DATAW> FindAll(const fs::path& pattern) {
  std::map<std::wstring, WIN32_FIND_DATAW> matches;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(zelph::FromUtf8(pattern.string()).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return matches;
  do {
    matches[found.cFileName] = found;
  } while (FindNextFileW(search, &found));
  EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
  EXPECT_TRUE(FindClose(search));
  return matches;
}

std::wstring NamesOf(const std::map<std::wstring, WIN32_FIND_DATAW>& matches) {
  std::wstring names;
  for (const auto& [name, data] : matches) names += name + L" ";
  return names;
}

TEST(Win32Modules, FindFilesMatchesWildcardsInOneDirectory) {
  fs::path directory = fs::temp_directory_path() / ("zelph-find-" + std::to_string(getpid()));
  fs::create_directories(directory / "sub.dat");
  for (const char* name : {"Alpha.dat", "beta.dat", "gamma.txt", "[x].dat", "caf\xC3\xA9.dat"}) std::ofstream(directory / name) << "12345";

  auto matches = FindAll(directory / "*.dat");
  EXPECT_EQ(NamesOf(matches), L"Alpha.dat [x].dat beta.dat caf\u00E9.dat sub.dat ");
  EXPECT_EQ(matches[L"Alpha.dat"].nFileSizeBytes, 5u);
  EXPECT_EQ(matches[L"Alpha.dat"].dwFileAttributes, FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(matches[L"sub.dat"].dwFileAttributes, FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(NamesOf(FindAll(directory / "?eta.*")), L"beta.dat ");
  EXPECT_EQ(NamesOf(FindAll(directory / "[x].dat")), L"[x].dat ") << "brackets are not wildcards";

  WIN32_FIND_DATAW found{};
  EXPECT_EQ(FindFirstFileW(zelph::FromUtf8((directory / "*.png").string()).c_str(), &found), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  fs::remove_all(directory);
}

}  // namespace
