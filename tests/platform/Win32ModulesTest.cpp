#include "platform/Win32Modules.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "platform/WideString.h"
#include "platform/WinError.h"
#include "platform/Win32Environment.h"

namespace {

namespace fs = std::filesystem;
using CosineFunction = double (*)(double);

std::wstring ModuleFileName(HMODULE module) {
  WCHAR path[4096];
  DWORD length = GetModuleFileNameW(module, path, 4096);
  return std::wstring(path, length);
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

  // A pointer into the middle of an image is not a module handle.
  auto* inside = reinterpret_cast<HMODULE>(reinterpret_cast<char*>(runtime) + 16);
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(GetModuleFileNameW(inside, nullptr, 0), 0u);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
}

TEST(Win32Modules, ModuleFileNameTruncatesIntoASmallBuffer) {
  HMODULE runtime = ModuleFromAddress(reinterpret_cast<const void*>(&GetModuleFileNameW));
  std::wstring full = ModuleFileName(runtime);
  WCHAR small[5] = {L'?', L'?', L'?', L'?', L'?'};
  EXPECT_EQ(GetModuleFileNameW(runtime, small, 5), 5u);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(std::wstring(small), full.substr(0, 4));
}

TEST(Win32Modules, LoadsLooksUpAndFreesASystemLibrary) {
  HMODULE math = LoadLibraryW(L"libm.so.6");
  ASSERT_NE(math, nullptr);
  auto cosine = reinterpret_cast<CosineFunction>(GetProcAddress(math, "cos"));
  ASSERT_NE(cosine, nullptr);
  EXPECT_DOUBLE_EQ(cosine(0.0), 1.0);
  EXPECT_EQ(ModuleFromAddress(reinterpret_cast<const void*>(cosine)), math);
  EXPECT_TRUE(EndsWith(ModuleFileName(math), L"/libm.so.6"));

  // printf is reachable through the library's dependencies but is not its own.
  EXPECT_EQ(GetProcAddress(math, "printf"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
  EXPECT_EQ(GetProcAddress(math, "no_such_symbol_anywhere"), nullptr);

  EXPECT_EQ(LoadLibraryW(L"libm.so.6"), math);
  EXPECT_TRUE(FreeLibrary(math));
  EXPECT_TRUE(FreeLibrary(math));
  EXPECT_FALSE(FreeLibrary(math)) << "two loads, two frees";
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(Win32Modules, FindsExportsOfModulesItDidNotLoad) {
  void* getProcessId = reinterpret_cast<void*>(&getpid);
  HMODULE library = ModuleFromAddress(getProcessId);
  ASSERT_NE(library, nullptr);
  EXPECT_EQ(GetProcAddress(library, "getpid"), getProcessId);
  EXPECT_EQ(GetProcAddress(nullptr, "getpid"), nullptr) << "a null module is the executable, which does not define it";
}

TEST(Win32Modules, MissingLibraryIsModuleNotFound) {
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(LoadLibraryW(L"libzelph-no-such-library.so"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
  EXPECT_EQ(LoadLibraryW(L"/nonexistent/dir/libx.so"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
}

// A bare name must be found beside the executable, where the system's search
// path would not look. A private copy of the maths library stands in for a
// server module; unloading it must unmap it.
TEST(Win32Modules, BareNameIsFoundBesideTheExecutableAndUnloads) {
  HMODULE math = LoadLibraryW(L"libm.so.6");
  ASSERT_NE(math, nullptr);
  fs::path original = fs::path(zelph::ToUtf8(ModuleFileName(math)));
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

class TemporaryDirectory {
 public:
  TemporaryDirectory() {
    std::string pattern = (fs::temp_directory_path() / "zelph-find-XXXXXX").string();
    m_Path = mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~TemporaryDirectory() {
    std::error_code ignored;
    if (!m_Path.empty()) fs::remove_all(m_Path, ignored);
  }
  TemporaryDirectory(const TemporaryDirectory&) = delete;
  TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;
  const fs::path& Path() const { return m_Path; }

 private:
  fs::path m_Path;
};

std::set<std::wstring> FindAll(const fs::path& pattern, std::map<std::wstring, WIN32_FIND_DATAW>* details = nullptr) {
  std::set<std::wstring> names;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(zelph::FromUtf8(pattern.string()).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    names.insert(found.cFileName);
    if (details) (*details)[found.cFileName] = found;
  } while (FindNextFileW(search, &found));
  EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
  EXPECT_TRUE(FindClose(search));
  return names;
}

TEST(Win32Modules, FindFilesMatchesWildcardsInOneDirectory) {
  TemporaryDirectory directory;
  ASSERT_FALSE(directory.Path().empty());
  std::ofstream(directory.Path() / "Alpha.dat") << "12345";
  std::ofstream(directory.Path() / "beta.dat") << "";
  std::ofstream(directory.Path() / "gamma.txt") << "x";
  std::ofstream(directory.Path() / "[x].dat") << "";
  std::ofstream(directory.Path() / "caf\xC3\xA9.dat") << "";
  fs::create_directory(directory.Path() / "sub.dat");

  std::map<std::wstring, WIN32_FIND_DATAW> details;
  EXPECT_EQ(FindAll(directory.Path() / "*.dat", &details),
            (std::set<std::wstring>{L"Alpha.dat", L"beta.dat", L"[x].dat", L"caf\u00E9.dat", L"sub.dat"}));
  EXPECT_EQ(details[L"Alpha.dat"].nFileSizeBytes, 5u);
  EXPECT_EQ(details[L"Alpha.dat"].dwFileAttributes, FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(details[L"sub.dat"].dwFileAttributes, FILE_ATTRIBUTE_DIRECTORY);

  EXPECT_EQ(FindAll(directory.Path() / "?eta.*"), (std::set<std::wstring>{L"beta.dat"}));
  EXPECT_EQ(FindAll(directory.Path() / "[x].dat"), (std::set<std::wstring>{L"[x].dat"}));

  WIN32_FIND_DATAW found{};
  EXPECT_EQ(FindFirstFileW(zelph::FromUtf8((directory.Path() / "*.png").string()).c_str(), &found), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(FindFirstFileW(zelph::FromUtf8((directory.Path() / "missing" / "*").string()).c_str(), &found), INVALID_HANDLE_VALUE);
  EXPECT_FALSE(FindClose(INVALID_HANDLE_VALUE));
}

}  // namespace
