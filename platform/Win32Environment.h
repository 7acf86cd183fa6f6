// Environment variables and the thread's last error.
#pragma once

#include "platform/WinTypes.h"

// Copies the variable's value into `buffer` and returns its length without
// the terminator. When `size` is too small, returns the size needed including
// the terminator and leaves the buffer as it was. Returns 0 with
// ERROR_ENVVAR_NOT_FOUND when the variable is not set.
DWORD GetEnvironmentVariableW(LPCWSTR name, LPWSTR buffer, DWORD size);
// Sets the variable, or removes it when `value` is null.
BOOL SetEnvironmentVariableW(LPCWSTR name, LPCWSTR value);

DWORD GetLastError();
void SetLastError(DWORD error);
