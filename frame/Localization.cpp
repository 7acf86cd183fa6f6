#include "frame/Localization.h"

#include "platform/WideString.h"
#include "platform/WinError.h"
#include "platform/Win32Environment.h"
#include "platform/Win32Language.h"
#include "platform/Win32Modules.h"

namespace zelph::localization {

bool IsRightToLeftLanguage(WORD language) { return language == LANG_HEBREW || language == LANG_ARABIC; }

bool RtlSwitch(WORD language, const wchar_t* name, bool defaultValue) {
  if (!IsRightToLeftLanguage(language)) return false;
  wchar_t value[kEnvironmentCharacters] = {};
  SetLastError(ERROR_SUCCESS);
  DWORD length = GetEnvironmentVariableW(name, value, kEnvironmentCharacters);
  if (length == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) return defaultValue;
  // A value too long for the buffer is left unread: it cannot be "false".
  if (length >= static_cast<DWORD>(kEnvironmentCharacters)) return true;
  return !EqualsNoCase(value, L"false");
}

bool ShouldLoadResources(WORD language, bool rightToLeftUI) {
  if (language == LANG_ENGLISH) return false;
  return rightToLeftUI || !IsRightToLeftLanguage(language);
}

std::wstring ResourceLibraryName(HINSTANCE instance) {
  wchar_t ownPath[kPathCharacters];
  DWORD length = GetModuleFileNameW(instance, ownPath, kPathCharacters);
  if (length == 0 || length >= static_cast<DWORD>(kPathCharacters)) return {};

  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(ownPath, &found);
  if (search == INVALID_HANDLE_VALUE) return ownPath;
  FindClose(search);
  std::wstring baseName = found.cFileName;
  size_t extension = baseName.find_last_of(L'.');
  if (extension != std::wstring::npos) baseName.resize(extension);
  return L"res" + baseName + L".dll";
}

HINSTANCE LoadResources(HINSTANCE instance, WORD language, bool rightToLeftUI) {
  if (!ShouldLoadResources(language, rightToLeftUI)) return nullptr;
  std::wstring name = ResourceLibraryName(instance);
  if (name.empty()) return nullptr;
  return LoadLibraryW(name.c_str());
}

}  // namespace zelph::localization

WORD GetKESTLangID() {
  static const WORD language = PRIMARYLANGID(GetUserDefaultLangID());
  return language;
}

bool GetRTLEnvVarBool(const wchar_t* name, bool defaultValue) {
  return zelph::localization::RtlSwitch(GetKESTLangID(), name, defaultValue);
}

bool IsKESTRightToLeft() {
  static const bool rightToLeft = GetRTLEnvVarBool(L"KEST_RTL", true);
  return rightToLeft;
}

bool IsKESTRightToLeftUI() {
  static const bool rightToLeftUI = IsKESTRightToLeft() && GetRTLEnvVarBool(L"KEST_RTLUI", false);
  return rightToLeftUI;
}

HINSTANCE LoadLocalizedResATL(HINSTANCE instance) {
  WORD language = GetKESTLangID();
  if (language == LANG_ENGLISH) return nullptr;
  return zelph::localization::LoadResources(instance, language, IsKESTRightToLeftUI());
}
