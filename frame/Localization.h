// The user's language and the right-to-left switches, and the choice of a
// localised resource library. The public functions decide once per process
// and keep their answers; the zelph::localization functions decide from
// what they are given, every time.
#pragma once

#include <string>

#include "platform/WinTypes.h"

// The primary language of the user's default language (its low 10 bits).
WORD GetKESTLangID();
// A yes/no switch from the environment, only for Hebrew and Arabic users.
bool GetRTLEnvVarBool(const wchar_t* name, bool defaultValue);
bool IsKESTRightToLeft();
bool IsKESTRightToLeftUI();
// The localised resource library the user's language calls for, loaded; null
// when the library's own resources serve.
HINSTANCE LoadLocalizedResATL(HINSTANCE instance);

namespace zelph::localization {

constexpr int kEnvironmentCharacters = 4096;
constexpr int kPathCharacters = 4096;

bool IsRightToLeftLanguage(WORD language);
// Right-to-left languages read `name`: unset gives `defaultValue`, "false" in
// any case gives false, anything else (even empty) true. Other languages
// always get false.
bool RtlSwitch(WORD language, const wchar_t* name, bool defaultValue);
bool ShouldLoadResources(WORD language, bool rightToLeftUI);
// "res" + the library file's base name + ".dll", without a directory; the
// library's own path when its file cannot be found; empty when the module's
// path is unknown.
std::wstring ResourceLibraryName(HINSTANCE instance);
HINSTANCE LoadResources(HINSTANCE instance, WORD language, bool rightToLeftUI);

}  // namespace zelph::localization
