#include "frame/DllEntry.h"

#include <clocale>

#include "frame/ComServer.h"
#include "frame/DispatchTypeLib.h"
#include "frame/Guids.h"
#include "frame/Localization.h"
#include "frame/ObjectMap.h"
#include "frame/Resources.h"
#include "text/ComFontHelper.h"

namespace {

constinit zelph::ComModule s_Module;

constexpr zelph::TypeLibrary kTypeLibrary = zelph::DispatchTypeLib::kIdentity;

void AttachProcess(HINSTANCE instance) {
  std::setlocale(LC_ALL, "");
  s_Module.Init(zelph::LibraryObjectMap(), instance, kTypeLibrary, &zelph::LoadRegistrationScript);
  DisableThreadLibraryCalls(instance);
  if (HINSTANCE resources = LoadLocalizedResATL(instance)) s_Module.SetResourceInstance(resources);
}

void DetachProcess() {
  // The shared default billboard font goes first, while everything it
  // needs is still there.
  ComFontHelper::ReleaseDefaultBillboardFont();
  if (s_Module.GetResourceInstance() != s_Module.GetModuleInstance()) {
    FreeLibrary(s_Module.GetResourceInstance());
    s_Module.SetResourceInstance(s_Module.GetModuleInstance());
  }
  s_Module.Term();
}

// Runs DllMain when the library is loaded and unloaded: the ordinary load
// hooks of a shared library stand in for the loader's notifications.
struct LoadHooks {
  LoadHooks() { DllMain(ModuleFromAddress(&s_Module), DLL_PROCESS_ATTACH, nullptr); }
  ~LoadHooks() { DllMain(s_Module.GetModuleInstance(), DLL_PROCESS_DETACH, nullptr); }
};
LoadHooks s_LoadHooks;

}  // namespace

zelph::ComModule& ThisModule() { return s_Module; }

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    AttachProcess(instance);
  } else if (reason == DLL_PROCESS_DETACH) {
    DetachProcess();
  }
  return TRUE;
}

ZELPH_SERVER_ENTRY_POINTS

// The registered type library's record leads here: only the library and
// version registration wrote are this module's.
extern "C" __attribute__((visibility("default"))) HRESULT DllGetTypeLib(REFGUID libid, WORD major, WORD minor,
                                                                        ITypeLib** lib) {
  if (!lib) return E_POINTER;
  *lib = nullptr;
  if (libid != *kTypeLibrary.libid || major != kTypeLibrary.major || minor != kTypeLibrary.minor) {
    return TYPE_E_LIBNOTREGISTERED;
  }
  return zelph::DispatchTypeLib::Create(lib);
}

namespace zelph {
HINSTANCE LibraryResourceInstance() { return s_Module.GetResourceInstance(); }
HINSTANCE LibraryInstance() { return s_Module.GetModuleInstance(); }
}  // namespace zelph
