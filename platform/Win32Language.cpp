#include "platform/Win32Language.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

struct PrimaryLanguage {
  std::string_view code;
  WORD primary;
};

// Locale language codes (ISO 639) and the primary language identifiers the
// home platform gives them. Old codes that locales still use ("iw", "in")
// sit beside the current ones.
constexpr PrimaryLanguage kPrimaryLanguages[] = {
    {"ar", 0x01}, {"bg", 0x02}, {"ca", 0x03}, {"zh", 0x04}, {"cs", 0x05}, {"da", 0x06}, {"de", 0x07},
    {"el", 0x08}, {"en", 0x09}, {"es", 0x0a}, {"fi", 0x0b}, {"fr", 0x0c}, {"he", 0x0d}, {"iw", 0x0d},
    {"hu", 0x0e}, {"is", 0x0f}, {"it", 0x10}, {"ja", 0x11}, {"ko", 0x12}, {"nl", 0x13}, {"nb", 0x14},
    {"nn", 0x14}, {"no", 0x14}, {"pl", 0x15}, {"pt", 0x16}, {"rm", 0x17}, {"ro", 0x18}, {"ru", 0x19},
    {"hr", 0x1a}, {"sr", 0x1a}, {"bs", 0x1a}, {"sk", 0x1b}, {"sq", 0x1c}, {"sv", 0x1d}, {"th", 0x1e},
    {"tr", 0x1f}, {"ur", 0x20}, {"id", 0x21}, {"in", 0x21}, {"uk", 0x22}, {"be", 0x23}, {"sl", 0x24},
    {"et", 0x25}, {"lv", 0x26}, {"lt", 0x27}, {"tg", 0x28}, {"fa", 0x29}, {"vi", 0x2a}, {"hy", 0x2b},
    {"az", 0x2c}, {"eu", 0x2d}, {"mk", 0x2f}, {"af", 0x36}, {"ka", 0x37}, {"fo", 0x38}, {"hi", 0x39},
    {"mt", 0x3a}, {"ga", 0x3c}, {"ms", 0x3e}, {"kk", 0x3f}, {"ky", 0x40}, {"sw", 0x41}, {"uz", 0x43},
    {"tt", 0x44}, {"bn", 0x45}, {"pa", 0x46}, {"gu", 0x47}, {"ta", 0x49}, {"te", 0x4a}, {"kn", 0x4b},
    {"ml", 0x4c}, {"mr", 0x4e}, {"mn", 0x50}, {"cy", 0x52}, {"km", 0x53}, {"lo", 0x54}, {"gl", 0x56},
    {"si", 0x5b}, {"am", 0x5e}, {"ne", 0x61}, {"ps", 0x63}, {"fil", 0x64},
};

struct Sublanguage {
  std::string_view code;
  std::string_view country;  // empty: any country not listed for the code
  WORD sublanguage;
};

// Country variants whose sublanguage is not SUBLANG_DEFAULT. Where one
// primary identifier covers several languages (Norwegian, Serbo-Croatian),
// the sublanguage is what keeps them apart. Spain's Spanish is the modern
// sort (0x0c0a), which is what the home platform picks for es-ES.
constexpr Sublanguage kSublanguages[] = {
    {"en", "GB", 0x02}, {"en", "AU", 0x03}, {"en", "CA", 0x04}, {"en", "NZ", 0x05}, {"en", "IE", 0x06},
    {"en", "ZA", 0x07}, {"en", "JM", 0x08}, {"en", "BZ", 0x0a}, {"en", "TT", 0x0b}, {"en", "ZW", 0x0c},
    {"en", "PH", 0x0d}, {"en", "IN", 0x10}, {"en", "MY", 0x11}, {"en", "SG", 0x12},
    {"de", "CH", 0x02}, {"de", "AT", 0x03}, {"de", "LU", 0x04}, {"de", "LI", 0x05},
    {"fr", "BE", 0x02}, {"fr", "CA", 0x03}, {"fr", "CH", 0x04}, {"fr", "LU", 0x05}, {"fr", "MC", 0x06},
    {"es", "MX", 0x02}, {"es", "ES", 0x03}, {"es", "GT", 0x04}, {"es", "CR", 0x05}, {"es", "PA", 0x06},
    {"es", "DO", 0x07}, {"es", "VE", 0x08}, {"es", "CO", 0x09}, {"es", "PE", 0x0a}, {"es", "AR", 0x0b},
    {"es", "EC", 0x0c}, {"es", "CL", 0x0d}, {"es", "UY", 0x0e}, {"es", "PY", 0x0f}, {"es", "BO", 0x10},
    {"es", "SV", 0x11}, {"es", "HN", 0x12}, {"es", "NI", 0x13}, {"es", "PR", 0x14}, {"es", "US", 0x15},
    {"pt", "BR", 0x01}, {"pt", "PT", 0x02},
    {"zh", "TW", 0x01}, {"zh", "CN", 0x02}, {"zh", "HK", 0x03}, {"zh", "SG", 0x04}, {"zh", "MO", 0x05},
    {"ar", "SA", 0x01}, {"ar", "IQ", 0x02}, {"ar", "EG", 0x03}, {"ar", "LY", 0x04}, {"ar", "DZ", 0x05},
    {"ar", "MA", 0x06}, {"ar", "TN", 0x07}, {"ar", "OM", 0x08}, {"ar", "YE", 0x09}, {"ar", "SY", 0x0a},
    {"ar", "JO", 0x0b}, {"ar", "LB", 0x0c}, {"ar", "KW", 0x0d}, {"ar", "AE", 0x0e}, {"ar", "BH", 0x0f},
    {"ar", "QA", 0x10},
    {"nl", "BE", 0x02}, {"it", "CH", 0x02}, {"sv", "FI", 0x02}, {"ro", "MD", 0x02}, {"ru", "MD", 0x02},
    {"ur", "IN", 0x02}, {"bn", "BD", 0x02}, {"pa", "PK", 0x02}, {"ta", "LK", 0x02}, {"ne", "IN", 0x02},
    {"ms", "BN", 0x02}, {"ga", "", 0x02},
    {"nn", "", 0x02}, {"hr", "BA", 0x04}, {"bs", "", 0x05},
    {"sr", "RS", 0x0a}, {"sr", "ME", 0x0c}, {"sr", "", 0x03},
};

// "de_DE.UTF-8@euro" -> language "de", country "DE".
struct LocaleName {
  std::string language;
  std::string country;
};

LocaleName ParseLocaleName(std::string_view name) {
  size_t languageEnd = std::min(name.find_first_of("_.@"), name.size());
  LocaleName parsed{std::string(name.substr(0, languageEnd)), {}};
  if (languageEnd < name.size() && name[languageEnd] == '_') {
    std::string_view rest = name.substr(languageEnd + 1);
    parsed.country = rest.substr(0, std::min(rest.find_first_of(".@"), rest.size()));
  }
  for (char& c : parsed.language) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (char& c : parsed.country) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return parsed;
}

bool IsEnglishByConvention(const LocaleName& locale) {
  return locale.language.empty() || locale.language == "c" || locale.language == "posix";
}

WORD SublanguageOf(const LocaleName& locale) {
  const Sublanguage* anyCountry = nullptr;
  for (const Sublanguage& entry : kSublanguages) {
    if (entry.code != locale.language) continue;
    if (entry.country == locale.country) return entry.sublanguage;
    if (entry.country.empty()) anyCountry = &entry;
  }
  return anyCountry ? anyCountry->sublanguage : SUBLANG_DEFAULT;
}

// The locale that names the language of messages, looked up afresh on every
// call because a host may change it while running.
const char* MessagesLocaleName() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return value;
  }
  return nullptr;
}

}  // namespace

namespace zelph {

LANGID LanguageIdFromLocaleName(const char* localeName) {
  LocaleName locale = ParseLocaleName(localeName ? localeName : "");
  if (IsEnglishByConvention(locale)) return MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT);
  for (const PrimaryLanguage& entry : kPrimaryLanguages) {
    if (entry.code == locale.language) return MAKELANGID(entry.primary, SublanguageOf(locale));
  }
  return MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT);
}

}  // namespace zelph

LANGID GetUserDefaultLangID() { return zelph::LanguageIdFromLocaleName(MessagesLocaleName()); }
