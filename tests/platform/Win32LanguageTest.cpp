#include "platform/Win32Language.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

// Clears the locale variables for one test and puts the caller's values
// back afterwards, so the result never depends on the machine's locale.
class LocaleEnvironment {
 public:
  LocaleEnvironment() {
    for (int index = 0; index < kCount; ++index) {
      const char* value = std::getenv(kNames[index]);
      if (value) m_Saved[index] = value;
      unsetenv(kNames[index]);
    }
  }
  ~LocaleEnvironment() {
    for (int index = 0; index < kCount; ++index) {
      if (m_Saved[index]) setenv(kNames[index], m_Saved[index]->c_str(), 1);
      else unsetenv(kNames[index]);
    }
  }
  LocaleEnvironment(const LocaleEnvironment&) = delete;
  LocaleEnvironment& operator=(const LocaleEnvironment&) = delete;

 private:
  static constexpr int kCount = 3;
  static constexpr const char* kNames[kCount] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  std::optional<std::string> m_Saved[kCount];
};

LANGID LanguageWithLang(const char* value) {
  setenv("LANG", value, 1);
  return GetUserDefaultLangID();
}

TEST(Win32Language, MapsLangToPrimaryAndSublanguage) {
  LocaleEnvironment environment;
  EXPECT_EQ(PRIMARYLANGID(LanguageWithLang("he_IL.UTF-8")), LANG_HEBREW);
  EXPECT_EQ(PRIMARYLANGID(LanguageWithLang("iw_IL")), LANG_HEBREW);
  EXPECT_EQ(LanguageWithLang("ar_EG.UTF-8"), MAKELANGID(LANG_ARABIC, 0x03));
  EXPECT_EQ(LanguageWithLang("en_US.UTF-8"), 0x0409);
  EXPECT_EQ(LanguageWithLang("de_DE.UTF-8@euro"), 0x0407);
  EXPECT_EQ(LanguageWithLang("de_AT"), 0x0c07);
  EXPECT_EQ(LanguageWithLang("en_GB.UTF-8"), 0x0809);
  EXPECT_EQ(LanguageWithLang("fr"), 0x040c);
  EXPECT_EQ(LanguageWithLang("fr_CA.UTF-8"), 0x0c0c);
  EXPECT_EQ(LanguageWithLang("ja_JP.eucJP"), 0x0411);
}

TEST(Win32Language, ConventionalAndUnknownLocales) {
  LocaleEnvironment environment;
  EXPECT_EQ(GetUserDefaultLangID(), 0x0409) << "nothing set";
  EXPECT_EQ(LanguageWithLang("C"), 0x0409);
  EXPECT_EQ(LanguageWithLang("C.UTF-8"), 0x0409);
  EXPECT_EQ(LanguageWithLang("POSIX"), 0x0409);
  EXPECT_EQ(LanguageWithLang("xx_YY.UTF-8"), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT));
  EXPECT_EQ(LanguageWithLang(""), 0x0409) << "set but empty counts as unset";
}

TEST(Win32Language, LcAllThenLcMessagesThenLang) {
  LocaleEnvironment environment;
  setenv("LANG", "de_DE.UTF-8", 1);
  setenv("LC_MESSAGES", "ja_JP.UTF-8", 1);
  setenv("LC_ALL", "fr_FR.UTF-8", 1);
  EXPECT_EQ(PRIMARYLANGID(GetUserDefaultLangID()), LANG_FRENCH);
  setenv("LC_ALL", "", 1);
  EXPECT_EQ(PRIMARYLANGID(GetUserDefaultLangID()), LANG_JAPANESE);
  unsetenv("LC_MESSAGES");
  EXPECT_EQ(PRIMARYLANGID(GetUserDefaultLangID()), LANG_GERMAN);
}

TEST(Win32Language, CountryVariantsFollowTheHomePlatformIdentifiers) {
  struct Case {
    const char* locale;
    LANGID expected;
  };
  const Case cases[] = {
      {"es_ES", 0x0c0a}, {"es_MX", 0x080a}, {"pt_BR", 0x0416}, {"pt_PT", 0x0816}, {"zh_CN", 0x0804},
      {"zh_TW", 0x0404}, {"zh_HK", 0x0c04}, {"nb_NO", 0x0414}, {"nn_NO", 0x0814}, {"hr_HR", 0x041a},
      {"sr_RS", 0x281a}, {"bs_BA", 0x141a}, {"fil_PH", 0x0464}, {"sv_FI", 0x081d}, {"EN_au", 0x0c09},
  };
  for (const Case& entry : cases) EXPECT_EQ(zelph::LanguageIdFromLocaleName(entry.locale), entry.expected) << entry.locale;
  EXPECT_EQ(zelph::LanguageIdFromLocaleName(nullptr), 0x0409);
}

}  // namespace
