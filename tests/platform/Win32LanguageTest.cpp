#include "platform/Win32Language.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

constexpr const char* kLocaleVariables[] = {"LC_ALL", "LC_MESSAGES", "LANG"};

// Clears the locale variables for one test and puts the caller's values
// back afterwards, so no result depends on the machine's locale.
class LocaleEnvironment {
 public:
  LocaleEnvironment() {
    for (int index = 0; index < 3; ++index) {
      if (const char* value = std::getenv(kLocaleVariables[index])) m_Saved[index] = value;
      unsetenv(kLocaleVariables[index]);
    }
  }
  ~LocaleEnvironment() {
    for (int index = 0; index < 3; ++index) {
      if (m_Saved[index]) setenv(kLocaleVariables[index], m_Saved[index]->c_str(), 1);
      else unsetenv(kLocaleVariables[index]);
    }
  }

 private:
  std::optional<std::string> m_Saved[3];
};

TEST(Win32Language, ReadsTheLanguageFromTheEnvironmentOnEveryCall) {
  LocaleEnvironment environment;
  EXPECT_EQ(GetUserDefaultLangID(), 0x0409) << "nothing set";
  struct Case {
    const char* lang;
    LANGID expected;
  };
  for (Case entry : {Case{"he_IL.UTF-8", 0x040d}, Case{"ar_EG.UTF-8", 0x0c01}, Case{"en_US.UTF-8", 0x0409},
                     Case{"de_DE.UTF-8@euro", 0x0407}, Case{"C", 0x0409}, Case{"C.UTF-8", 0x0409},
                     Case{"POSIX", 0x0409}, Case{"", 0x0409}, Case{"xx_YY", MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT)}}) {
    setenv("LANG", entry.lang, 1);
    EXPECT_EQ(GetUserDefaultLangID(), entry.expected) << "LANG=" << entry.lang;
  }
}

TEST(Win32Language, LcAllThenLcMessagesThenLang) {
  LocaleEnvironment environment;
  setenv("LANG", "de_DE.UTF-8", 1);
  setenv("LC_MESSAGES", "ja_JP.UTF-8", 1);
  setenv("LC_ALL", "fr_FR.UTF-8", 1);
  EXPECT_EQ(PRIMARYLANGID(GetUserDefaultLangID()), LANG_FRENCH);
  setenv("LC_ALL", "", 1);
  EXPECT_EQ(PRIMARYLANGID(GetUserDefaultLangID()), LANG_JAPANESE) << "an empty variable does not count";
  unsetenv("LC_MESSAGES");
  EXPECT_EQ(PRIMARYLANGID(GetUserDefaultLangID()), LANG_GERMAN);
}

TEST(Win32Language, CountryVariantsFollowTheHomePlatformIdentifiers) {
  struct Case {
    const char* locale;
    LANGID expected;
  };
  const Case cases[] = {
      {"iw_IL", 0x040d}, {"en_GB", 0x0809}, {"EN_au", 0x0c09}, {"de_AT", 0x0c07}, {"fr", 0x040c},
      {"fr_CA", 0x0c0c}, {"es_ES", 0x0c0a}, {"es_MX", 0x080a}, {"pt_BR", 0x0416}, {"pt_PT", 0x0816},
      {"zh_CN", 0x0804}, {"zh_TW", 0x0404}, {"nb_NO", 0x0414}, {"nn_NO", 0x0814}, {"hr_HR", 0x041a},
      {"sr_RS", 0x281a}, {"bs_BA", 0x141a}, {"fil_PH", 0x0464}, {"ja_JP.eucJP", 0x0411},
  };
  for (const Case& entry : cases) EXPECT_EQ(zelph::LanguageIdFromLocaleName(entry.locale), entry.expected) << entry.locale;
  EXPECT_EQ(zelph::LanguageIdFromLocaleName(nullptr), 0x0409);
}

}  // namespace
