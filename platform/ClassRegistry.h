// Creating objects by class id. A class is found first among the class
// objects registered in this process, then in the registry file, whose
// in-process server is loaded and asked for its class object.
#pragma once

#include <string>

#include "platform/Unknown.h"

constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
constexpr DWORD CLSCTX_INPROC_HANDLER = 0x2;
constexpr DWORD CLSCTX_LOCAL_SERVER = 0x4;
constexpr DWORD CLSCTX_INPROC = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER;
constexpr DWORD CLSCTX_ALL = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;

constexpr DWORD REGCLS_SINGLEUSE = 0;
constexpr DWORD REGCLS_MULTIPLEUSE = 1;

// Keeps a reference to `classObject` until revoked; the cookie names the
// registration. A later registration of the same class id takes precedence.
HRESULT CoRegisterClassObject(REFCLSID clsid, IUnknown* classObject, DWORD context, DWORD flags, DWORD* cookie);
HRESULT CoRevokeClassObject(DWORD cookie);

// REGDB_E_CLASSNOTREG when neither this process nor the registry knows the
// class; CO_E_DLLNOTFOUND when its server cannot be loaded; CO_E_ERRORINDLL
// when the server has no DllGetClassObject.
HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void* reserved, REFIID riid, void** object);
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID riid, void** object);

// The entry point every in-process server exports.
using DllGetClassObjectFunction = HRESULT (*)(REFCLSID clsid, REFIID riid, void** object);

namespace zelph {
// Loads the in-process server at `path` once per process and keeps it: the
// objects a server made may outlive every reference the loader knows of, so
// it is never unloaded. CO_E_DLLNOTFOUND when it cannot be loaded.
HRESULT LoadInprocServer(const std::wstring& path, HMODULE* server);
}  // namespace zelph
