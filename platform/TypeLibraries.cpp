#include "platform/TypeLibraries.h"

#include "platform/ClassRegistry.h"
#include "platform/Registry.h"
#include "platform/Win32Modules.h"

HRESULT LoadRegTypeLib(REFGUID libid, WORD major, WORD minor, LCID, ITypeLib** lib) {
  if (!lib) return E_POINTER;
  *lib = nullptr;
  std::wstring modulePath;
  HRESULT hr = zelph::QueryTypeLibPath(libid, major, minor, &modulePath);
  if (FAILED(hr)) return hr;
  HMODULE server = nullptr;
  if (modulePath.empty() || FAILED(zelph::LoadInprocServer(modulePath, &server))) return TYPE_E_CANTLOADLIBRARY;
  auto getTypeLib = reinterpret_cast<DllGetTypeLibFunction>(GetProcAddress(server, "DllGetTypeLib"));
  if (!getTypeLib) return TYPE_E_CANTLOADLIBRARY;
  return getTypeLib(libid, major, minor, lib);
}
