// The component server machinery, proven on the test server (built exactly
// like the library, with one live class) and on the library itself.
#include <gtest/gtest.h>

#include "frame/ComObject.h"
#include "frame/DllEntry.h"
#include "frame/Guids.h"
#include "platform/ClassRegistry.h"
#include "platform/ComPtr.h"
#include "platform/Registry.h"
#include "platform/WideString.h"
#include "platform/Win32Modules.h"
#include "tests/server/TestComponent.h"
#include "tests/support/TestPaths.h"

namespace {

using DllGetClassObjectFn = HRESULT (*)(REFCLSID, REFIID, void**);
using DllSimpleFn = HRESULT (*)();

// The test server's exported entry points.
struct TestServer {
  TestServer() {
    module = LoadLibraryW(zelph::FromUtf8(path).c_str());
    getClassObject = reinterpret_cast<DllGetClassObjectFn>(GetProcAddress(module, "DllGetClassObject"));
    canUnloadNow = reinterpret_cast<DllSimpleFn>(GetProcAddress(module, "DllCanUnloadNow"));
    registerServer = reinterpret_cast<DllSimpleFn>(GetProcAddress(module, "DllRegisterServer"));
    unregisterServer = reinterpret_cast<DllSimpleFn>(GetProcAddress(module, "DllUnregisterServer"));
  }
  ~TestServer() { FreeLibrary(module); }

  CComPtr<IClassFactory> Factory(REFCLSID clsid = CLSID_TestComponent) {
    CComPtr<IClassFactory> factory;
    EXPECT_EQ(getClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
    return factory;
  }

  std::string path = zelph::test::BesideProgram("libzelphtestserver.so");
  HMODULE module = nullptr;
  DllGetClassObjectFn getClassObject = nullptr;
  DllSimpleFn canUnloadNow = nullptr;
  DllSimpleFn registerServer = nullptr;
  DllSimpleFn unregisterServer = nullptr;
};

// An outer object that aggregates the test component and counts the
// references its inner object's interfaces send to it.
class CountingOuter : public zelph::ComObjectRoot, public IUnknown {
 public:
  using InterfaceMap = zelph::InterfaceMap<IUnknown>;
  ULONG Count() const { return m_RefCount; }
};

TEST(ComServer, LibraryExportsTheEntryPointsAndRefusesUnknownClasses) {
  HMODULE library = zelph::LibraryInstance();
  for (const char* name : {"DllMain", "DllGetClassObject", "DllCanUnloadNow", "DllRegisterServer", "DllUnregisterServer"}) {
    EXPECT_NE(GetProcAddress(library, name), nullptr) << name;
  }
  // An interface id is no class of the library.
  IUnknown* factory = reinterpret_cast<IUnknown*>(0x1);
  EXPECT_EQ(DllGetClassObject(IID_IClassFactory, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
            CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(factory, nullptr);
  EXPECT_EQ(DllCanUnloadNow(), S_OK);
}

TEST(ComServer, UnknownAndUnbuiltClassesAreNotAvailable) {
  TestServer server;
  ASSERT_NE(server.getClassObject, nullptr);
  void* factory = nullptr;
  EXPECT_EQ(server.getClassObject(CLSID_TestUnbuilt, IID_IClassFactory, &factory), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(server.getClassObject(IID_ITestSecond, IID_IClassFactory, &factory), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(factory, nullptr);
}

TEST(ComServer, LiveObjectsAndServerLocksKeepTheServerLoaded) {
  TestServer server;
  ASSERT_EQ(server.canUnloadNow(), S_OK);

  CComPtr<ITestComponent> object;
  {
    CComPtr<IClassFactory> factory = server.Factory();
    // Holding the class factory itself keeps the server.
    EXPECT_EQ(server.canUnloadNow(), S_FALSE);
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_ITestComponent, reinterpret_cast<void**>(&object)), S_OK);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  }
  // The lock and the object each hold the server on their own.
  EXPECT_EQ(server.canUnloadNow(), S_FALSE);
  object.Release();
  EXPECT_EQ(server.canUnloadNow(), S_FALSE);
  server.Factory()->LockServer(FALSE);
  EXPECT_EQ(server.canUnloadNow(), S_OK);

  // The factory is created once and cached.
  EXPECT_EQ(server.Factory().p, server.Factory().p);
}

TEST(ComServer, InterfaceMapAnswersInOrderWithDispatchAsTheDefaultInterface) {
  TestServer server;
  CComPtr<IUnknown> object;
  ASSERT_EQ(server.Factory()->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&object)), S_OK);

  CComQIPtr<ITestComponent> dual(object);
  CComQIPtr<IDispatch> dispatch(object);
  CComQIPtr<ITestSecond> second(object);
  ASSERT_TRUE(dual && dispatch && second);
  EXPECT_EQ(static_cast<IDispatch*>(dual.p), dispatch.p);
  EXPECT_TRUE(second.IsEqualObject(object));
  CComPtr<IUnknown> identity;
  second->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity));
  EXPECT_EQ(identity.p, object.p);

  void* missing = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(object->QueryInterface(IID_IClassFactory, &missing), E_NOINTERFACE);
  EXPECT_EQ(missing, nullptr);

  UINT typeInfoCount = 5;
  EXPECT_EQ(dispatch->GetTypeInfoCount(&typeInfoCount), S_OK);
  EXPECT_EQ(typeInfoCount, 0u);
  EXPECT_EQ(dispatch->Invoke(1, IID_IUnknown, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr), E_NOTIMPL);

  LONG value = 0;
  EXPECT_EQ(dual->get_Value(&value), S_OK);
  EXPECT_EQ(value, 7);
  EXPECT_EQ(dual->get_Value(nullptr), E_POINTER);
  EXPECT_EQ(dual->put_Value(-1), E_FAIL);
  EXPECT_EQ(second->Twice(21, &value), S_OK);
  EXPECT_EQ(value, 42);
}

TEST(ComServer, AggregationHandsOutOnlyTheInnerUnknown) {
  TestServer server;
  CComPtr<IClassFactory> factory = server.Factory();
  CComPtr<IUnknown> outer;
  ASSERT_EQ(zelph::CreateComInstance<CountingOuter>(nullptr, IID_IUnknown, reinterpret_cast<void**>(&outer)), S_OK);

  void* refused = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(factory->CreateInstance(outer, IID_ITestComponent, &refused), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(refused, nullptr);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_ITestComponent, nullptr), E_POINTER);

  CComPtr<IUnknown> inner;
  ASSERT_EQ(factory->CreateInstance(outer, IID_IUnknown, reinterpret_cast<void**>(&inner)), S_OK);
  EXPECT_NE(inner.p, outer.p);
  EXPECT_EQ(server.canUnloadNow(), S_FALSE);

  // The inner object's interfaces count their references on the outer object.
  auto* counting = static_cast<zelph::ComObject<CountingOuter>*>(outer.p);
  ULONG before = counting->Count();
  CComPtr<ITestComponent> dual;
  ASSERT_EQ(inner->QueryInterface(IID_ITestComponent, reinterpret_cast<void**>(&dual)), S_OK);
  EXPECT_EQ(counting->Count(), before + 1);
  LONG value = 0;
  EXPECT_EQ(dual->get_Value(&value), S_OK);
  EXPECT_EQ(value, 7);
  dual.Release();
  EXPECT_EQ(counting->Count(), before);

  inner.Release();
  factory.Release();
  EXPECT_EQ(server.canUnloadNow(), S_OK);
}

TEST(ComServer, RegistrationThroughTheRegistryFileMakesClassesCreatable) {
  std::string registry = zelph::test::FreshDirectory("registry") + "/registry";
  zelph::test::ScopedEnvironment useRegistry("ZELPH_REGISTRY", registry.c_str());
  TestServer server;

  CComPtr<ITestComponent> object;
  EXPECT_EQ(object.CoCreateInstance(CLSID_TestComponent), REGDB_E_CLASSNOTREG);

  ASSERT_EQ(server.registerServer(), S_OK);
  std::wstring clsidKey = L"CLSID\\" + zelph::GuidText(CLSID_TestComponent);
  EXPECT_EQ(zelph::Registry::GetValue(clsidKey + L"\\InprocServer32"), zelph::FromUtf8(server.path));
  EXPECT_EQ(zelph::Registry::GetValue(clsidKey + L"\\MiscStatus"), L"0");
  EXPECT_EQ(zelph::Registry::GetValue(clsidKey), L"TestComponent Class");
  // An unbuilt class is not registered.
  EXPECT_FALSE(zelph::Registry::GetValue(L"CLSID\\" + zelph::GuidText(CLSID_TestUnbuilt)));
  std::wstring typeLibraryPath;
  EXPECT_EQ(zelph::QueryTypeLibPath(LIBID_TestServerLib, 1, 0, &typeLibraryPath), S_OK);
  EXPECT_EQ(typeLibraryPath, zelph::FromUtf8(server.path));

  ASSERT_EQ(object.CoCreateInstance(CLSID_TestComponent), S_OK);
  LONG value = 0;
  EXPECT_EQ(object->get_Value(&value), S_OK);
  EXPECT_EQ(value, 7);
  object.Release();

  ASSERT_EQ(server.unregisterServer(), S_OK);
  EXPECT_FALSE(zelph::Registry::GetValue(clsidKey + L"\\InprocServer32"));
  EXPECT_EQ(zelph::QueryTypeLibPath(LIBID_TestServerLib, 1, 0, &typeLibraryPath), TYPE_E_LIBNOTREGISTERED);
  EXPECT_EQ(object.CoCreateInstance(CLSID_TestComponent), REGDB_E_CLASSNOTREG);
}

TEST(ComServer, LibraryRegistersItsTypeLibrary) {
  std::string registry = zelph::test::FreshDirectory("library-registry") + "/registry";
  zelph::test::ScopedEnvironment useRegistry("ZELPH_REGISTRY", registry.c_str());

  ASSERT_EQ(DllRegisterServer(), S_OK);
  std::wstring path;
  ASSERT_EQ(zelph::QueryTypeLibPath(LIBID_ZELPHCORELib, 1, 0, &path), S_OK);
  EXPECT_TRUE(path.ends_with(L"/libzelphcore.so")) << zelph::ToUtf8(path);
  EXPECT_EQ(zelph::Registry::GetValue(L"TypeLib\\" + zelph::GuidText(LIBID_ZELPHCORELib) + L"\\1.0"), L"ZELPHCORELib");

  ASSERT_EQ(DllUnregisterServer(), S_OK);
  EXPECT_EQ(zelph::QueryTypeLibPath(LIBID_ZELPHCORELib, 1, 0, &path), TYPE_E_LIBNOTREGISTERED);
}

}  // namespace
