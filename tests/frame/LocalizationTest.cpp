// The language and right-to-left decisions, and the localised resource
// library they choose, both decided directly and through a real library load.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "frame/DllEntry.h"
#include "frame/Localization.h"
#include "platform/WideString.h"
#include "platform/Win32Language.h"
#include "platform/Win32Modules.h"
#include "tests/support/TestPaths.h"

namespace {

using namespace zelph::localization;
using zelph::test::ScopedEnvironment;

std::string ModulePath(HMODULE module) {
  wchar_t path[4096];
  DWORD length = GetModuleFileNameW(module, path, 4096);
  return length ? zelph::ToUtf8(path) : std::string();
}

// Runs the probe program under the given locale and switches, and returns
// the resource module path it reports.
std::string ResourceModuleChosenAtLoad(const std::string& environment) {
  std::string command = "env -u LC_ALL -u LC_MESSAGES -u KEST_RTL -u KEST_RTLUI " + environment + " " +
                        zelph::test::BesideProgram("localization_probe");
  FILE* probe = popen(command.c_str(), "r");
  if (!probe) return "<probe did not start>";
  char line[4096] = {};
  std::string output = std::fgets(line, sizeof line, probe) ? line : "";
  int status = pclose(probe);
  if (status != 0) return "<probe failed>";
  if (!output.empty() && output.back() == '\n') output.pop_back();
  return output;
}

TEST(Localization, RightToLeftSwitchesAreReadOnlyForHebrewAndArabic) {
  {
    ScopedEnvironment unset("KEST_TEST_SWITCH", nullptr);
    EXPECT_TRUE(RtlSwitch(LANG_HEBREW, L"KEST_TEST_SWITCH", true));
    EXPECT_FALSE(RtlSwitch(LANG_ARABIC, L"KEST_TEST_SWITCH", false));
    EXPECT_FALSE(RtlSwitch(LANG_ENGLISH, L"KEST_TEST_SWITCH", true));
  }
  for (const char* offValue : {"false", "FALSE", "fAlSe"}) {
    ScopedEnvironment off("KEST_TEST_SWITCH", offValue);
    EXPECT_FALSE(RtlSwitch(LANG_HEBREW, L"KEST_TEST_SWITCH", true)) << offValue;
  }
  for (const char* onValue : {"", "0", "no", "true", "falsey"}) {
    ScopedEnvironment on("KEST_TEST_SWITCH", onValue);
    EXPECT_TRUE(RtlSwitch(LANG_ARABIC, L"KEST_TEST_SWITCH", false)) << '"' << onValue << '"';
    EXPECT_FALSE(RtlSwitch(LANG_GERMAN, L"KEST_TEST_SWITCH", true)) << '"' << onValue << '"';
  }
}

TEST(Localization, ResourceLibraryIsLookedForByLanguageAndInterfaceDirection) {
  EXPECT_FALSE(ShouldLoadResources(LANG_ENGLISH, true));
  EXPECT_FALSE(ShouldLoadResources(LANG_HEBREW, false));
  EXPECT_FALSE(ShouldLoadResources(LANG_ARABIC, false));
  EXPECT_TRUE(ShouldLoadResources(LANG_HEBREW, true));
  EXPECT_TRUE(ShouldLoadResources(LANG_GERMAN, false));
  EXPECT_TRUE(ShouldLoadResources(LANG_JAPANESE, false));
}

TEST(Localization, ResourceLibraryIsNamedAfterTheLibraryFile) {
  EXPECT_EQ(ResourceLibraryName(zelph::LibraryInstance()), L"reslibzelphcore.dll");

  HINSTANCE english = LoadResources(zelph::LibraryInstance(), LANG_ENGLISH, true);
  EXPECT_EQ(english, nullptr);
  HINSTANCE hebrew = LoadResources(zelph::LibraryInstance(), LANG_HEBREW, true);
  ASSERT_NE(hebrew, nullptr);
  EXPECT_EQ(ModulePath(hebrew), zelph::test::BesideProgram("reslibzelphcore.dll"));
  FreeLibrary(hebrew);
}

TEST(Localization, LibraryLoadChoosesItsResourcesFromTheEnvironment) {
  std::string library = ModulePath(zelph::LibraryInstance());
  std::string localized = zelph::test::BesideProgram("reslibzelphcore.dll");

  EXPECT_EQ(ResourceModuleChosenAtLoad("LANG=en_US.UTF-8 KEST_RTLUI=1"), library);
  EXPECT_EQ(ResourceModuleChosenAtLoad("LANG=he_IL.UTF-8"), library);
  EXPECT_EQ(ResourceModuleChosenAtLoad("LANG=ar_EG.UTF-8"), library);
  EXPECT_EQ(ResourceModuleChosenAtLoad("LANG=he_IL.UTF-8 KEST_RTLUI=1"), localized);
  EXPECT_EQ(ResourceModuleChosenAtLoad("LANG=he_IL.UTF-8 KEST_RTLUI=1 KEST_RTL=False"), library);
  EXPECT_EQ(ResourceModuleChosenAtLoad("LANG=de_DE.UTF-8"), localized);
  EXPECT_EQ(ResourceModuleChosenAtLoad("LANG=en_US.UTF-8 LC_ALL=de_DE.UTF-8"), localized);
}

}  // namespace
