// A test-only in-process server built exactly like the library: its own
// module, an object map with one live and one unbuilt class, and the
// exported entry points.
#include "frame/ComServer.h"
#include "frame/DispatchImpl.h"
#include "frame/ErrorConvention.h"
#include "frame/Resources.h"
#include "tests/server/TestComponent.h"

namespace {

class TestComponent : public zelph::ComObjectRoot, public zelph::DispatchImpl<ITestComponent>, public ITestSecond {
 public:
  using InterfaceMap = zelph::InterfaceMap<ITestComponent, zelph::DispatchAs<ITestComponent>, ITestSecond>;

  STDMETHODIMP get_Value(LONG* value) override {
    return zelph::ComCall(L"get_Value", [&] { *value = m_Value; }, value);
  }
  STDMETHODIMP put_Value(LONG value) override {
    return zelph::ComCall(L"put_Value", [&] {
      if (value < 0) zelph::ThrowIfFailed(E_INVALIDARG);
      m_Value = value;
    });
  }
  STDMETHODIMP Twice(LONG value, LONG* result) override {
    return zelph::ComCall(L"Twice", [&] { *result = 2 * value; }, result);
  }

 private:
  LONG m_Value = 7;
};

zelph::ObjectMapEntry s_ObjectMap[] = {
    {&CLSID_TestComponent, L"TestComponent", zelph::kFirstClassScript, &zelph::CreateComInstance<TestComponent>, 0,
     nullptr},
    {&CLSID_TestUnbuilt, L"TestUnbuilt", zelph::kFirstClassScript + 1, nullptr, 0, nullptr},
};

constinit zelph::ComModule s_Module;

struct LoadHooks {
  LoadHooks() {
    s_Module.Init(s_ObjectMap, ModuleFromAddress(&s_Module), {&LIBID_TestServerLib, L"TestServerLib", 1, 0},
                  &zelph::LoadRegistrationScript);
  }
  ~LoadHooks() { s_Module.Term(); }
};
LoadHooks s_LoadHooks;

}  // namespace

zelph::ComModule& ThisModule() { return s_Module; }

ZELPH_SERVER_ENTRY_POINTS
