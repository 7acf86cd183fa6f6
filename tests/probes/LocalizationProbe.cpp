// Prints the path of the module the library reads its resources from, as
// chosen when the library was loaded under this process's environment.
#include <cstdio>

#include "frame/DllEntry.h"
#include "platform/WideString.h"
#include "platform/Win32Modules.h"

int main() {
  wchar_t path[4096];
  DWORD length = GetModuleFileNameW(zelph::LibraryResourceInstance(), path, 4096);
  if (length == 0) return 1;
  std::printf("%s\n", zelph::ToUtf8(path).c_str());
  return 0;
}
