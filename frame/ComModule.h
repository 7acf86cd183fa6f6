// The module object of a component server: its lock count, its object map
// with the cached class factories, its registration, and its instance and
// resource handles. One per server binary, reached through ThisModule(); the
// binary's entry points include frame/ComServer.h for the members below that
// are not defined in the class.
#pragma once

#include <map>
#include <span>
#include <string>

#include "platform/Registry.h"
#include "platform/Unknown.h"
#include "platform/Win32Modules.h"

#pragma GCC visibility push(hidden)
namespace zelph {

using InstanceCreator = HRESULT (*)(IUnknown* outer, REFIID riid, void** result);

// The registration script of a resource number, as text; empty when the
// binary has no such resource. Scripts name the class through the tokens
// %CLSID%, %CLASS%, %MODULE% (the server's path), %OLEMISC% and %LIBID%.
using ScriptLoader = std::wstring (*)(UINT resourceId);

// One creatable class. An entry whose class is not built yet has no instance
// creator: it is neither handed out nor registered.
struct ObjectMapEntry {
  const CLSID* clsid;
  const wchar_t* className;
  UINT scriptResource;
  InstanceCreator createInstance;
  DWORD miscStatus;
  IUnknown* cachedFactory;

  bool IsLive() const { return createInstance != nullptr; }
};

struct TypeLibrary {
  const GUID* libid;
  const wchar_t* name;
  WORD major;
  WORD minor;
};

class ComModule {
 public:
  constexpr ComModule() = default;
  ComModule(const ComModule&) = delete;
  ComModule& operator=(const ComModule&) = delete;

  void Init(std::span<ObjectMapEntry> map, HINSTANCE instance, const TypeLibrary& typeLibrary, ScriptLoader scripts);
  // Releases the cached class factories.
  void Term();

  LONG Lock() { return ++m_LockCount; }
  LONG Unlock() { return --m_LockCount; }
  LONG GetLockCount() const { return m_LockCount; }

  HINSTANCE GetModuleInstance() const { return m_Instance; }
  HINSTANCE GetResourceInstance() const { return m_ResourceInstance; }
  void SetResourceInstance(HINSTANCE resources) { m_ResourceInstance = resources; }
  const GUID* GetTypeLibraryId() const { return m_TypeLibrary.libid; }

  // The cached class factory of a live entry, created on first request.
  // CLASS_E_CLASSNOTAVAILABLE for a class id the map does not hold live.
  HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** result);
  HRESULT CanUnloadNow() const { return m_LockCount == 0 ? S_OK : S_FALSE; }
  HRESULT RegisterServer() { return UpdateRegistry(true); }
  HRESULT UnregisterServer() { return UpdateRegistry(false); }

 private:
  HRESULT UpdateRegistry(bool registering);
  HRESULT UpdateClassRegistry(const ObjectMapEntry& entry, const std::wstring& modulePath, bool registering);
  std::wstring ModulePath() const;

  LONG m_LockCount = 0;
  std::span<ObjectMapEntry> m_Map;
  HINSTANCE m_Instance = nullptr;
  HINSTANCE m_ResourceInstance = nullptr;
  TypeLibrary m_TypeLibrary{};
  ScriptLoader m_Scripts = nullptr;
};

}  // namespace zelph
#pragma GCC visibility pop
