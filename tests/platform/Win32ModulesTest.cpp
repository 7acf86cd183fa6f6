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

  EXPECT_EQ(LoadLibraryW(L"libzelph-no-such-library.so"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
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
  EXPECT_EQ(NamesOf(FindAll(directory / "?eta.*")), L"beta.dat ");
  EXPECT_EQ(NamesOf(FindAll(directory / "[x].dat")), L"[x].dat ") << "brackets are not wildcards";

  fs::remove_all(directory);
}

}  // namespace
