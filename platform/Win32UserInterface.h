// The message box: on this platform it writes "caption: text" to the
// standard error stream, unless a host installs a handler of its own.
#pragma once

#include "platform/WinTypes.h"

constexpr UINT MB_OK = 0x0;
constexpr UINT MB_ICONERROR = 0x10;
constexpr UINT MB_ICONWARNING = 0x30;
constexpr UINT MB_ICONINFORMATION = 0x40;
constexpr int IDOK = 1;

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

namespace zelph {
// Returns the answer the box gives (IDOK and so on). Null restores the
// standard error stream; returns the handler it replaces.
using MessageBoxHandler = int (*)(LPCWSTR text, LPCWSTR caption, UINT type);
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);
}  // namespace zelph
