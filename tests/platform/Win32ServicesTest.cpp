// The operating system services: environment, last error, modules, file
// search, language, time, locks and message boxes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>

#include "platform/WideString.h"
#include "platform/WinError.h"
#include "platform/Win32Environment.h"
#include "platform/Win32Language.h"
#include "platform/Win32Modules.h"
#include "platform/Win32Sync.h"
#include "platform/Win32Time.h"
#include "platform/Win32UserInterface.h"
#include "tests/support/TestPaths.h"

namespace {

constexpr LPCWSTR kVariable = L"ZELPH_SERVICES_TEST_VARIABLE";
constexpr const char* kNarrowVariable = "ZELPH_SERVICES_TEST_VARIABLE";

LONGLONG g_FakeTicks = 0;
LONGLONG NextFakeTick() { return g_FakeTicks += 250; }

std::wstring g_Captured;

int CaptureBox(LPCWSTR text, LPCWSTR caption, UINT type) {
  g_Captured = std::wstring(caption) + L"|" + text + L"|" + std::to_wstring(type);
  return 7;
}

TEST(Win32Services, EnvironmentLastErrorCounterCriticalSectionsAndMessageBoxes) {
  ASSERT_TRUE(SetEnvironmentVariableW(kVariable, L"w\u00E9rt"));
  EXPECT_STREQ(std::getenv(kNarrowVariable), "w\xC3\xA9rt");

  EXPECT_EQ(GetEnvironmentVariableW(kVariable, nullptr, 0), 5u) << "size needed, terminator included";
  WCHAR tooSmall[4] = {L'#', L'#', L'#', L'#'};
  EXPECT_EQ(GetEnvironmentVariableW(kVariable, tooSmall, 4), 5u);
  EXPECT_EQ(std::wstring(tooSmall, 4), L"####") << "buffer left as it was";
  WCHAR exact[5];
  EXPECT_EQ(GetEnvironmentVariableW(kVariable, exact, 5), 4u) << "length copied, terminator excluded";
  EXPECT_STREQ(exact, L"w\u00E9rt");

  ASSERT_TRUE(SetEnvironmentVariableW(kVariable, L""));
  SetLastError(ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(GetEnvironmentVariableW(kVariable, exact, 5), 0u);
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS) << "empty, not missing";

  ASSERT_TRUE(SetEnvironmentVariableW(kVariable, nullptr));
  EXPECT_EQ(std::getenv(kNarrowVariable), nullptr);
  EXPECT_EQ(GetEnvironmentVariableW(kVariable, exact, 5), 0u);
  EXPECT_EQ(GetLastError(), ERROR_ENVVAR_NOT_FOUND);
  EXPECT_FALSE(SetEnvironmentVariableW(L"A=B", L"x"));

  // The last error belongs to each thread.
  SetLastError(ERROR_MOD_NOT_FOUND);
  DWORD seenByOtherThread = 1;
  std::thread([&] {
    seenByOtherThread = GetLastError();
    SetLastError(ERROR_PROC_NOT_FOUND);
  }).join();
  EXPECT_EQ(seenByOtherThread, ERROR_SUCCESS);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);

  // The performance counter's source can be replaced and restored.
  LARGE_INTEGER frequency{}, count{};
  ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
  EXPECT_EQ(frequency.QuadPart, 1'000'000'000);
  zelph::SetPerformanceCounterSource(&NextFakeTick);
  for (LONGLONG expected : {250, 500}) {
    QueryPerformanceCounter(&count);
    EXPECT_EQ(count.QuadPart, expected);
  }
  zelph::SetPerformanceCounterSource(nullptr);
  QueryPerformanceCounter(&count);
  EXPECT_GT(count.QuadPart, 750) << "the monotonic clock is back";

  // A critical section is recursive and excludes other threads.
  CRITICAL_SECTION section;
  InitializeCriticalSection(&section);
  EnterCriticalSection(&section);
  EXPECT_TRUE(TryEnterCriticalSection(&section)) << "the owner may enter again";

  auto otherThreadEnters = [&] {
    BOOL entered = FALSE;
    std::thread([&] {
      entered = TryEnterCriticalSection(&section);
      if (entered) LeaveCriticalSection(&section);
    }).join();
    return entered;
  };
  EXPECT_FALSE(otherThreadEnters());
  LeaveCriticalSection(&section);
  EXPECT_FALSE(otherThreadEnters()) << "still held once";
  LeaveCriticalSection(&section);
  EXPECT_TRUE(otherThreadEnters());

  DeleteCriticalSection(&section);
  EXPECT_EQ(section.lock, nullptr);

  // Message boxes go to the handler or to standard error.
  EXPECT_EQ(zelph::SetMessageBoxHandler(&CaptureBox), nullptr);
  EXPECT_EQ(MessageBoxW(nullptr, L"Disk \u00FCberf\u00FCllt", L"Zelph", MB_ICONERROR), 7);
  EXPECT_EQ(g_Captured, L"Zelph|Disk \u00FCberf\u00FCllt|" + std::to_wstring(MB_ICONERROR));
  EXPECT_EQ(zelph::SetMessageBoxHandler(nullptr), &CaptureBox);

  testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBoxW(nullptr, L"Gr\u00FC\u00DFe", L"Title", MB_OK), IDOK);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Title: Gr\xC3\xBC\xC3\x9F" "e\n");
}

namespace fs = std::filesystem;

std::wstring ModuleFileName(HMODULE module) {
  WCHAR path[4096];
  return std::wstring(path, GetModuleFileNameW(module, path, 4096));
}

// The names of every match of `pattern`, in order.
std::wstring FindAll(const fs::path& pattern) {
  std::set<std::wstring> matches;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(zelph::FromUtf8(pattern.string()).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return L"";
  do {
    matches.insert(found.cFileName);
  } while (FindNextFileW(search, &found));
  EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
  EXPECT_TRUE(FindClose(search));
  std::wstring names;
  for (const std::wstring& name : matches) names += name + L" ";
  return names;
}

TEST(Win32Modules, NamesAreAbsolutePathsSystemLibrariesLoadAndFreeAndFilesAreFound) {
  HMODULE runtime = ModuleFromAddress(reinterpret_cast<const void*>(&GetModuleFileNameW));
  ASSERT_NE(runtime, nullptr);
  std::wstring runtimePath = ModuleFileName(runtime);
  EXPECT_TRUE(runtimePath.ends_with(L"/libzelphrt.so")) << zelph::ToUtf8(runtimePath);

  std::wstring executable = ModuleFileName(nullptr);
  EXPECT_EQ(executable, zelph::FromUtf8(fs::canonical("/proc/self/exe").string()));
  EXPECT_EQ(ModuleFileName(ModuleFromAddress(reinterpret_cast<const void*>(&ModuleFileName))), executable);

  WCHAR small[5];
  EXPECT_EQ(GetModuleFileNameW(runtime, small, 5), 5u);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(std::wstring(small), runtimePath.substr(0, 4)) << "cut and terminated";

  HMODULE math = LoadLibraryW(L"libm.so.6");
  ASSERT_NE(math, nullptr);
  auto cosine = reinterpret_cast<double (*)(double)>(GetProcAddress(math, "cos"));
  ASSERT_NE(cosine, nullptr);
  EXPECT_DOUBLE_EQ(cosine(0.0), 1.0);
  EXPECT_EQ(ModuleFromAddress(reinterpret_cast<const void*>(cosine)), math);
  EXPECT_TRUE(ModuleFileName(math).ends_with(L"/libm.so.6"));

  // printf is reachable through the library's dependencies but is not its own.
  EXPECT_EQ(GetProcAddress(math, "printf"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);

  EXPECT_EQ(LoadLibraryW(L"libm.so.6"), math);
  EXPECT_TRUE(FreeLibrary(math));
  EXPECT_TRUE(FreeLibrary(math));
  EXPECT_FALSE(FreeLibrary(math)) << "two loads, two frees";

  EXPECT_EQ(LoadLibraryW(L"libzelph-no-such-library.so"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);

  // File search matches wildcards in one directory.
  fs::path directory = fs::temp_directory_path() / ("zelph-find-" + std::to_string(getpid()));
  fs::create_directories(directory / "sub.dat");
  for (const char* name : {"Alpha.dat", "beta.dat", "gamma.txt", "[x].dat", "caf\xC3\xA9.dat"})
    std::ofstream(directory / name) << "12345";

  EXPECT_EQ(FindAll(directory / "*.dat"), L"Alpha.dat [x].dat beta.dat caf\u00E9.dat sub.dat ");
  EXPECT_EQ(FindAll(directory / "?eta.*"), L"beta.dat ");
  EXPECT_EQ(FindAll(directory / "[x].dat"), L"[x].dat ") << "brackets are not wildcards";

  fs::remove_all(directory);
}

// The locale variables are cleared for the test and restored afterwards, so
// no result depends on the machine's locale.
TEST(Win32Language, ReadsLcAllThenLcMessagesThenLangOnEveryCallAndMapsCountryVariants) {
  zelph::test::ScopedEnvironment all("LC_ALL", nullptr), messages("LC_MESSAGES", nullptr), lang("LANG", nullptr);
  EXPECT_EQ(GetUserDefaultLangID(), 0x0409) << "nothing set";
  struct Case {
    const char* locale;
    LANGID expected;
  };
  for (Case entry :
       {Case{"he_IL.UTF-8", 0x040d}, Case{"ar_EG.UTF-8", 0x0c01}, Case{"en_US.UTF-8", 0x0409},
        Case{"de_DE.UTF-8@euro", 0x0407}, Case{"C", 0x0409}, Case{"C.UTF-8", 0x0409}, Case{"POSIX", 0x0409},
        Case{"", 0x0409}, Case{"xx_YY", MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT)}}) {
    setenv("LANG", entry.locale, 1);
    EXPECT_EQ(GetUserDefaultLangID(), entry.expected) << "LANG=" << entry.locale;
  }
  setenv("LANG", "de_DE.UTF-8", 1);
  setenv("LC_MESSAGES", "ja_JP.UTF-8", 1);
  setenv("LC_ALL", "fr_FR.UTF-8", 1);
  EXPECT_EQ(PRIMARYLANGID(GetUserDefaultLangID()), LANG_FRENCH);
  setenv("LC_ALL", "", 1);
  EXPECT_EQ(PRIMARYLANGID(GetUserDefaultLangID()), LANG_JAPANESE) << "an empty variable does not count";
  unsetenv("LC_MESSAGES");
  EXPECT_EQ(PRIMARYLANGID(GetUserDefaultLangID()), LANG_GERMAN);

  // Country variants follow the home platform's identifiers.
  const Case cases[] = {
      {"iw_IL", 0x040d}, {"en_GB", 0x0809}, {"EN_au", 0x0c09},  {"de_AT", 0x0c07},       {"fr", 0x040c},
      {"fr_CA", 0x0c0c}, {"es_ES", 0x0c0a}, {"es_MX", 0x080a},  {"pt_BR", 0x0416},       {"pt_PT", 0x0816},
      {"zh_CN", 0x0804}, {"zh_TW", 0x0404}, {"nb_NO", 0x0414},  {"nn_NO", 0x0814},       {"hr_HR", 0x041a},
      {"sr_RS", 0x281a}, {"bs_BA", 0x141a}, {"fil_PH", 0x0464}, {"ja_JP.eucJP", 0x0411},
  };
  for (const Case& entry : cases)
    EXPECT_EQ(zelph::LanguageIdFromLocaleName(entry.locale), entry.expected) << entry.locale;
  EXPECT_EQ(zelph::LanguageIdFromLocaleName(nullptr), 0x0409);
}

}  // namespace
