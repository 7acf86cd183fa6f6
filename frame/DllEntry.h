// The library's exported entry points, and what a host may ask of the
// library's module.
#pragma once

#include "platform/Unknown.h"

extern "C" {
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);
HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** result);
HRESULT DllCanUnloadNow();
HRESULT DllRegisterServer();
HRESULT DllUnregisterServer();
// The type library `libid` of version `major`.`minor`; TYPE_E_LIBNOTREGISTERED
// for any library or version but the library's own.
HRESULT DllGetTypeLib(REFGUID libid, WORD major, WORD minor, ITypeLib** lib);
}

namespace zelph {
// The module the library reads its resources from: the localised resource
// library when one was loaded, else the library itself.
HINSTANCE LibraryResourceInstance();
HINSTANCE LibraryInstance();
}  // namespace zelph
