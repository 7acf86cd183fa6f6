// The user's default language, from the locale environment.
#pragma once

#include "platform/WinTypes.h"

constexpr WORD LANG_NEUTRAL = 0x00;
constexpr WORD LANG_ARABIC = 0x01;
constexpr WORD LANG_CHINESE = 0x04;
constexpr WORD LANG_GERMAN = 0x07;
constexpr WORD LANG_ENGLISH = 0x09;
constexpr WORD LANG_SPANISH = 0x0a;
constexpr WORD LANG_FRENCH = 0x0c;
constexpr WORD LANG_HEBREW = 0x0d;
constexpr WORD LANG_JAPANESE = 0x11;
constexpr WORD SUBLANG_NEUTRAL = 0x00;
constexpr WORD SUBLANG_DEFAULT = 0x01;

constexpr LANGID MAKELANGID(WORD primary, WORD sublanguage) {
  return static_cast<LANGID>((sublanguage << 10) | primary);
}
constexpr WORD PRIMARYLANGID(LANGID language) { return static_cast<WORD>(language & 0x3ff); }
constexpr WORD SUBLANGID(LANGID language) { return static_cast<WORD>(language >> 10); }

// The language named by the first of LC_ALL, LC_MESSAGES and LANG that is set
// and not empty ("he_IL.UTF-8" gives Hebrew). "C", "POSIX" and an unset
// environment give English (United States); a language code this table does
// not know gives LANG_NEUTRAL with SUBLANG_DEFAULT.
LANGID GetUserDefaultLangID();

namespace zelph {
// The language identifier of one locale name ("de_DE.UTF-8@euro" and so on).
LANGID LanguageIdFromLocaleName(const char* localeName);
}  // namespace zelph
