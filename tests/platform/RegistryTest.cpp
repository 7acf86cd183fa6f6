// The registry file, registration scripts and creation by class id.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "frame/ComClassFactory.h"
#include "platform/ClassRegistry.h"
#include "platform/ComPtr.h"
#include "platform/Registry.h"
#include "tests/support/TestPaths.h"

namespace {

using zelph::Registry;

ZELPH_DEFINE_GUID(CLSID_Nowhere, 0x1A2B3C4D, 0x0010, 0x4000, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10);

class RegistryTest : public ::testing::Test {
 protected:
  std::string m_Path = zelph::test::FreshDirectory("registry-" + std::string(
                           ::testing::UnitTest::GetInstance()->current_test_info()->name())) + "/nested/registry";
  zelph::test::ScopedEnvironment m_UseRegistry{"ZELPH_REGISTRY", m_Path.c_str()};
};

TEST_F(RegistryTest, ValuesPersistInTheFileAndIgnoreKeyCase) {
  EXPECT_EQ(Registry::FilePath(), m_Path);
  EXPECT_FALSE(Registry::GetValue(L"Alpha\\Beta"));
  ASSERT_EQ(Registry::SetValue(L"Alpha\\Beta", L"v\u00e9rt"), S_OK);
  ASSERT_EQ(Registry::SetValue(L"Alpha\\Beta\\Gamma", L"deep"), S_OK);
  ASSERT_EQ(Registry::SetValue(L"Alphabet", L"sibling"), S_OK);
  EXPECT_EQ(Registry::GetValue(L"ALPHA\\beta"), L"v\u00e9rt");

  std::ifstream file(m_Path);
  std::string contents((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_NE(contents.find("Alpha\\Beta\tv\xC3\xA9rt\n"), std::string::npos) << contents;

  EXPECT_EQ(Registry::SetValue(L"Bad\tKey", L"x"), E_INVALIDARG);
  EXPECT_EQ(Registry::SetValue(L"Key", L"two\nlines"), E_INVALIDARG);

  ASSERT_EQ(Registry::DeleteTree(L"alpha\\BETA"), S_OK);
  EXPECT_FALSE(Registry::GetValue(L"Alpha\\Beta"));
  EXPECT_FALSE(Registry::GetValue(L"Alpha\\Beta\\Gamma"));
  EXPECT_EQ(Registry::GetValue(L"Alphabet"), L"sibling");
}

TEST_F(RegistryTest, ScriptsRegisterWithReplacementsAndUnregisterTheirTrees) {
  const std::wstring script = L"; comment\n\nThing\\%NAME% = %NAME% Class\nThing\\%NAME%\\Path = %MODULE%\n";
  ASSERT_EQ(zelph::ApplyRegistrationScript(script, {{L"NAME", L"Widget"}, {L"MODULE", L"/x/w.so"}}, true), S_OK);
  EXPECT_EQ(Registry::GetValue(L"Thing\\Widget"), L"Widget Class");
  EXPECT_EQ(Registry::GetValue(L"Thing\\Widget\\Path"), L"/x/w.so");

  // A script that cannot be applied whole changes nothing.
  EXPECT_EQ(zelph::ApplyRegistrationScript(L"Thing\\Other = %UNKNOWN%\n", {}, true), E_INVALIDARG);
  EXPECT_EQ(zelph::ApplyRegistrationScript(L"Thing\\Other = fine\nno separator\n", {}, true), E_INVALIDARG);
  EXPECT_FALSE(Registry::GetValue(L"Thing\\Other"));

  ASSERT_EQ(Registry::SetValue(L"Thing\\Widget\\Extra", L"written later"), S_OK);
  ASSERT_EQ(zelph::ApplyRegistrationScript(script, {{L"NAME", L"Widget"}, {L"MODULE", L"/x/w.so"}}, false), S_OK);
  EXPECT_FALSE(Registry::GetValue(L"Thing\\Widget"));
  EXPECT_FALSE(Registry::GetValue(L"Thing\\Widget\\Extra"));
}

TEST_F(RegistryTest, ClassesAreFoundInProcessFirstThenThroughTheRegistry) {
  CComPtr<IUnknown> object;
  EXPECT_EQ(CoCreateInstance(CLSID_Nowhere, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                             reinterpret_cast<void**>(&object)),
            REGDB_E_CLASSNOTREG);

  ASSERT_EQ(Registry::SetValue(L"CLSID\\" + zelph::GuidText(CLSID_Nowhere) + L"\\InprocServer32",
                               L"/nonexistent/libnothing.so"),
            S_OK);
  EXPECT_EQ(CoCreateInstance(CLSID_Nowhere, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                             reinterpret_cast<void**>(&object)),
            CO_E_DLLNOTFOUND);

  // A server without the entry point: the C library is loadable but no server.
  ASSERT_EQ(Registry::SetValue(L"CLSID\\" + zelph::GuidText(CLSID_Nowhere) + L"\\InprocServer32", L"libc.so.6"),
            S_OK);
  EXPECT_EQ(CoCreateInstance(CLSID_Nowhere, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                             reinterpret_cast<void**>(&object)),
            CO_E_ERRORINDLL);

  // A class object registered in the process takes precedence over the file.
  // (a factory whose instances are factories again: any class will do).
  CComPtr<IClassFactory> factory;
  ASSERT_EQ(zelph::CreateComInstance<zelph::ComClassFactory>(nullptr, IID_IClassFactory,
                                                             reinterpret_cast<void**>(&factory)),
            S_OK);
  static_cast<zelph::ComObject<zelph::ComClassFactory>*>(factory.p)
      ->SetCreator(&zelph::CreateComInstance<zelph::ComClassFactory>);
  DWORD cookie = 0;
  ASSERT_EQ(CoRegisterClassObject(CLSID_Nowhere, factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie), S_OK);
  CComPtr<IClassFactory> made;
  EXPECT_EQ(CoCreateInstance(CLSID_Nowhere, nullptr, CLSCTX_INPROC_SERVER, IID_IClassFactory,
                             reinterpret_cast<void**>(&made)),
            S_OK);
  EXPECT_TRUE(made);
  EXPECT_NE(made.p, factory.p);
  ASSERT_EQ(CoRevokeClassObject(cookie), S_OK);
  EXPECT_EQ(CoRevokeClassObject(cookie), CO_E_OBJNOTREG);
  made.Release();
  EXPECT_EQ(CoCreateInstance(CLSID_Nowhere, nullptr, CLSCTX_INPROC_SERVER, IID_IClassFactory,
                             reinterpret_cast<void**>(&made)),
            CO_E_ERRORINDLL);
}

TEST_F(RegistryTest, TypeLibraryRecordsRoundTrip) {
  const GUID libid = CLSID_Nowhere;
  std::wstring path;
  EXPECT_EQ(zelph::QueryTypeLibPath(libid, 1, 0, &path), TYPE_E_LIBNOTREGISTERED);
  ASSERT_EQ(zelph::RegisterTypeLibRecord(libid, 1, 0, L"NowhereLib", L"/lib/nowhere.so"), S_OK);
  ASSERT_EQ(zelph::RegisterTypeLibRecord(libid, 2, 10, L"NowhereLib", L"/lib/nowhere2.so"), S_OK);
  EXPECT_EQ(zelph::QueryTypeLibPath(libid, 1, 0, &path), S_OK);
  EXPECT_EQ(path, L"/lib/nowhere.so");
  EXPECT_EQ(zelph::QueryTypeLibPath(libid, 2, 10, &path), S_OK);
  EXPECT_EQ(path, L"/lib/nowhere2.so");
  ASSERT_EQ(zelph::UnRegisterTypeLibRecord(libid, 1, 0), S_OK);
  EXPECT_EQ(zelph::QueryTypeLibPath(libid, 1, 0, &path), TYPE_E_LIBNOTREGISTERED);
  EXPECT_EQ(zelph::QueryTypeLibPath(libid, 2, 10, &path), S_OK);
}

}  // namespace
