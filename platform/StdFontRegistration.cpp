// The runtime's own module, and the standard font's class object, which the
// runtime registers in the process as it loads so that CLSID_StdFont is
// creatable wherever the runtime is.
#include <new>

#include "frame/ComClassFactory.h"
#include "platform/ClassRegistry.h"
#include "platform/StdFont.h"

namespace {

constinit zelph::ComModule s_RuntimeModule;

class StdFontRegistration {
 public:
  StdFontRegistration() {
    auto* factory = new (std::nothrow) zelph::ComCachedObject<zelph::ComClassFactory>();
    if (!factory) return;
    factory->SetCreator(&zelph::CreateComInstance<zelph::StdFont>);
    factory->InternalAddRef();  // the runtime's own reference, which holds no lock
    m_Factory = factory;
    CoRegisterClassObject(CLSID_StdFont, static_cast<IClassFactory*>(factory), CLSCTX_INPROC_SERVER,
                          REGCLS_MULTIPLEUSE, &m_Cookie);
  }
  ~StdFontRegistration() {
    if (m_Cookie) CoRevokeClassObject(m_Cookie);
    if (m_Factory) m_Factory->Release();
  }
  StdFontRegistration(const StdFontRegistration&) = delete;
  StdFontRegistration& operator=(const StdFontRegistration&) = delete;

 private:
  IClassFactory* m_Factory = nullptr;
  DWORD m_Cookie = 0;
};

StdFontRegistration s_Registration;

}  // namespace

zelph::ComModule& ThisModule() { return s_RuntimeModule; }
