// Modules: their file names, loading and unloading libraries, exported
// functions, and looking up files.
#pragma once

#include "platform/WinTypes.h"

// The module whose image contains `address`; null when none does.
HMODULE ModuleFromAddress(const void* address);

// The absolute path of the module's file; the executable's for a null module.
// Returns the characters copied without the terminator; when the buffer is too
// small the path is cut, terminated, `size` is returned and the last error is
// ERROR_INSUFFICIENT_BUFFER. 0 for an unknown module.
DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size);

// Loads a shared library. A name without a directory is looked for first in
// the executable's directory, then along the system's library search path.
// Null with ERROR_MOD_NOT_FOUND when it cannot be loaded.
HMODULE LoadLibraryW(LPCWSTR fileName);
// Releases one load made by LoadLibraryW.
BOOL FreeLibrary(HMODULE module);
// The address of an exported symbol; null with ERROR_PROC_NOT_FOUND.
void* GetProcAddress(HMODULE module, LPCSTR name);

// Thread notifications do not exist here; kept so that load code reads as
// on the library's home platform.
BOOL DisableThreadLibraryCalls(HMODULE module);

struct WIN32_FIND_DATAW {
  DWORD dwFileAttributes;
  ULONGLONG nFileSizeBytes;
  WCHAR cFileName[MAX_PATH];
};
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

// Finds the files in one directory whose names match the last component of
// `pattern` (with '*' and '?' wildcards). INVALID_HANDLE_VALUE with
// ERROR_FILE_NOT_FOUND when none does.
HANDLE FindFirstFileW(LPCWSTR pattern, WIN32_FIND_DATAW* found);
BOOL FindNextFileW(HANDLE search, WIN32_FIND_DATAW* found);
BOOL FindClose(HANDLE search);

// Reasons a module's entry point is called with.
constexpr DWORD DLL_PROCESS_DETACH = 0;
constexpr DWORD DLL_PROCESS_ATTACH = 1;
constexpr DWORD DLL_THREAD_ATTACH = 2;
constexpr DWORD DLL_THREAD_DETACH = 3;
