#include "platform/ClassRegistry.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <vector>

#include "platform/ComPtr.h"
#include "platform/Registry.h"
#include "platform/Win32Modules.h"

namespace {

struct Registration {
  DWORD cookie;
  CLSID clsid;
  CComPtr<IUnknown> classObject;
};

// Class objects registered in this process, and the servers loaded for the
// registry. Servers stay loaded for the life of the process, as objects they
// made may outlive every reference to their class object.
struct ClassTable {
  std::mutex lock;
  std::vector<Registration> registrations;
  DWORD nextCookie = 1;
  std::map<std::wstring, HMODULE> loadedServers;
};

ClassTable& Table() {
  static ClassTable table;
  return table;
}

CComPtr<IUnknown> RegisteredClassObject(REFCLSID clsid) {
  ClassTable& table = Table();
  std::lock_guard guard(table.lock);
  for (auto it = table.registrations.rbegin(); it != table.registrations.rend(); ++it) {
    if (it->clsid == clsid) return it->classObject;
  }
  return nullptr;
}

HRESULT ClassObjectFromRegistry(REFCLSID clsid, REFIID riid, void** object) {
  std::optional<std::wstring> path =
      zelph::Registry::GetValue(L"CLSID\\" + zelph::GuidText(clsid) + L"\\InprocServer32");
  if (!path || path->empty()) return REGDB_E_CLASSNOTREG;
  HMODULE server = nullptr;
  HRESULT hr = zelph::LoadInprocServer(*path, &server);
  if (FAILED(hr)) return hr;
  auto getClassObject = reinterpret_cast<DllGetClassObjectFunction>(GetProcAddress(server, "DllGetClassObject"));
  if (!getClassObject) return CO_E_ERRORINDLL;
  return getClassObject(clsid, riid, object);
}

}  // namespace

HRESULT CoRegisterClassObject(REFCLSID clsid, IUnknown* classObject, DWORD context, DWORD flags, DWORD* cookie) {
  if (!cookie) return E_POINTER;
  *cookie = 0;
  if (!classObject) return E_INVALIDARG;
  ClassTable& table = Table();
  std::lock_guard guard(table.lock);
  *cookie = table.nextCookie++;
  table.registrations.push_back({*cookie, clsid, classObject});
  return S_OK;
}

HRESULT CoRevokeClassObject(DWORD cookie) {
  CComPtr<IUnknown> revoked;
  {
    ClassTable& table = Table();
    std::lock_guard guard(table.lock);
    auto& registrations = table.registrations;
    auto found = std::find_if(registrations.begin(), registrations.end(),
                              [cookie](const Registration& registration) { return registration.cookie == cookie; });
    if (found == registrations.end()) return CO_E_OBJNOTREG;
    revoked = std::move(found->classObject);
    registrations.erase(found);
  }
  // Released outside the lock: the class object's release may re-enter.
  return S_OK;
}

HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void* reserved, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (CComPtr<IUnknown> registered = RegisteredClassObject(clsid)) return registered->QueryInterface(riid, object);
  if (!(context & CLSCTX_INPROC_SERVER)) return REGDB_E_CLASSNOTREG;
  return ClassObjectFromRegistry(clsid, riid, object);
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  CComPtr<IClassFactory> factory;
  HRESULT hr = CoGetClassObject(clsid, context, nullptr, IID_IClassFactory, reinterpret_cast<void**>(&factory));
  if (FAILED(hr)) return hr;
  return factory->CreateInstance(outer, riid, object);
}

namespace zelph {

// Loads the server at most once per path. The load itself runs outside the
// lock: a server's load hooks may register class objects of their own.
HRESULT LoadInprocServer(const std::wstring& path, HMODULE* server) {
  if (!server) return E_POINTER;
  *server = nullptr;
  ClassTable& table = Table();
  {
    std::lock_guard guard(table.lock);
    auto loaded = table.loadedServers.find(path);
    if (loaded != table.loadedServers.end()) {
      *server = loaded->second;
      return S_OK;
    }
  }
  HMODULE module = LoadLibraryW(path.c_str());
  if (!module) return CO_E_DLLNOTFOUND;
  std::lock_guard guard(table.lock);
  auto [kept, inserted] = table.loadedServers.emplace(path, module);
  if (!inserted) FreeLibrary(module);  // another thread loaded it meanwhile
  *server = kept->second;
  return S_OK;
}

}  // namespace zelph
