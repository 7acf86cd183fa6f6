// What the entry points of a server binary need: the module's class-object
// and registration work, compiled into each server so that no server depends
// on another for its module.
#pragma once

#include <cwchar>

#include "frame/ComClassFactory.h"
#include "frame/ComModule.h"

#pragma GCC visibility push(hidden)
namespace zelph {

inline void ComModule::Init(std::span<ObjectMapEntry> map, HINSTANCE instance, const TypeLibrary& typeLibrary,
                            ScriptLoader scripts) {
  m_Map = map;
  m_Instance = instance;
  m_ResourceInstance = instance;
  m_TypeLibrary = typeLibrary;
  m_Scripts = scripts;
}

inline void ComModule::Term() {
  for (ObjectMapEntry& entry : m_Map) {
    if (IUnknown* factory = entry.cachedFactory) {
      entry.cachedFactory = nullptr;
      factory->Release();
    }
  }
}

inline HRESULT ComModule::GetClassObject(REFCLSID clsid, REFIID riid, void** result) {
  if (!result) return E_POINTER;
  *result = nullptr;
  for (ObjectMapEntry& entry : m_Map) {
    if (*entry.clsid != clsid || !entry.IsLive()) continue;
    if (!entry.cachedFactory) {
      auto* factory = new (std::nothrow) ComCachedObject<ComClassFactory>();
      if (!factory) return E_OUTOFMEMORY;
      factory->SetCreator(entry.createInstance);
      factory->InternalAddRef();  // the map's own reference, which holds no lock
      entry.cachedFactory = static_cast<IClassFactory*>(factory);
    }
    return entry.cachedFactory->QueryInterface(riid, result);
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

inline std::wstring ComModule::ModulePath() const {
  wchar_t path[4096];
  DWORD length = GetModuleFileNameW(m_Instance, path, 4096);
  return (length == 0 || length >= 4096) ? std::wstring() : std::wstring(path, length);
}

inline HRESULT ComModule::UpdateClassRegistry(const ObjectMapEntry& entry, const std::wstring& modulePath,
                                              bool registering) {
  std::wstring script = m_Scripts ? m_Scripts(entry.scriptResource) : std::wstring();
  if (script.empty()) return SELFREG_E_CLASS;
  wchar_t miscStatus[16];
  std::swprintf(miscStatus, 16, L"%d", static_cast<int>(entry.miscStatus));
  const std::map<std::wstring, std::wstring> replacements = {
      {L"MODULE", modulePath},
      {L"OLEMISC", miscStatus},
      {L"CLSID", GuidText(*entry.clsid)},
      {L"CLASS", entry.className},
      {L"LIBID", m_TypeLibrary.libid ? GuidText(*m_TypeLibrary.libid) : std::wstring()}};
  return ApplyRegistrationScript(script, replacements, registering);
}

inline HRESULT ComModule::UpdateRegistry(bool registering) {
  std::wstring modulePath = ModulePath();
  if (modulePath.empty()) return E_FAIL;
  for (const ObjectMapEntry& entry : m_Map) {
    if (!entry.IsLive()) continue;
    HRESULT hr = UpdateClassRegistry(entry, modulePath, registering);
    if (FAILED(hr)) return hr;
  }
  if (!m_TypeLibrary.libid) return S_OK;
  const TypeLibrary& library = m_TypeLibrary;
  return registering ? RegisterTypeLibRecord(*library.libid, library.major, library.minor, library.name, modulePath)
                     : UnRegisterTypeLibRecord(*library.libid, library.major, library.minor);
}

}  // namespace zelph
#pragma GCC visibility pop

// The four class-object entry points every server exports, over its module.
#define ZELPH_SERVER_ENTRY_POINTS                                                                        \
  extern "C" __attribute__((visibility("default"))) HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, \
                                                                              void** result) {           \
    return ThisModule().GetClassObject(clsid, riid, result);                                             \
  }                                                                                                      \
  extern "C" __attribute__((visibility("default"))) HRESULT DllCanUnloadNow() {                          \
    return ThisModule().CanUnloadNow();                                                                  \
  }                                                                                                      \
  extern "C" __attribute__((visibility("default"))) HRESULT DllRegisterServer() {                        \
    return ThisModule().RegisterServer();                                                                \
  }                                                                                                      \
  extern "C" __attribute__((visibility("default"))) HRESULT DllUnregisterServer() {                      \
    return ThisModule().UnregisterServer();                                                              \
  }
