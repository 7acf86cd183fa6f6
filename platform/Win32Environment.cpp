#include "platform/Win32Environment.h"

#include <cstdlib>
#include <cwchar>
#include <string>

#include "platform/WideString.h"
#include "platform/WinError.h"

namespace {

thread_local DWORD t_LastError = ERROR_SUCCESS;

// The C library refuses names that are empty or contain '='; refusing them
// here as well keeps the failure a clean FALSE rather than an errno.
bool IsValidName(LPCWSTR name) { return name && *name && !std::wcschr(name, L'='); }

}  // namespace

DWORD GetLastError() { return t_LastError; }

void SetLastError(DWORD error) { t_LastError = error; }

DWORD GetEnvironmentVariableW(LPCWSTR name, LPWSTR buffer, DWORD size) {
  if (!IsValidName(name)) {
    SetLastError(ERROR_ENVVAR_NOT_FOUND);
    return 0;
  }
  const char* raw = std::getenv(zelph::ToUtf8(name).c_str());
  if (!raw) {
    SetLastError(ERROR_ENVVAR_NOT_FOUND);
    return 0;
  }
  std::wstring value = zelph::FromUtf8(raw);
  if (!buffer || value.size() >= size) return static_cast<DWORD>(value.size() + 1);
  std::wmemcpy(buffer, value.c_str(), value.size() + 1);
  // A set but empty variable also returns 0; a cleared last error is what
  // tells it apart from a missing one.
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(value.size());
}

BOOL SetEnvironmentVariableW(LPCWSTR name, LPCWSTR value) {
  if (!IsValidName(name)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::string narrowName = zelph::ToUtf8(name);
  int result = value ? setenv(narrowName.c_str(), zelph::ToUtf8(value).c_str(), 1) : unsetenv(narrowName.c_str());
  if (result != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return TRUE;
}
