// The registered type library, loaded as a client loads it, against the
// type information the library's objects hand out.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "frame/DllEntry.h"
#include "frame/GraphicInterfaces.h"
#include "frame/Guids.h"
#include "platform/ClassRegistry.h"
#include "platform/ComBstr.h"
#include "platform/ComPtr.h"
#include "platform/Registry.h"
#include "platform/TypeLibraries.h"
#include "platform/WideString.h"
#include "tests/support/QuietLoggerTest.h"
#include "tests/support/TestPaths.h"

namespace zelph::test {
namespace {

using Function = std::tuple<MEMBERID, INVOKEKIND, std::wstring>;

std::vector<Function> Functions(ITypeInfo* info) {
  UINT count = 0;
  EXPECT_EQ(info->GetFuncCount(&count), S_OK);
  std::vector<Function> functions;
  for (UINT i = 0; i < count; ++i) {
    FUNCDESC* desc = nullptr;
    EXPECT_EQ(info->GetFuncDesc(i, &desc), S_OK);
    if (!desc) break;
    CComBSTR name;
    UINT names = 0;
    EXPECT_EQ(info->GetNames(desc->memid, &name, 1, &names), S_OK);
    functions.emplace_back(desc->memid, desc->invkind, std::wstring(name ? name.m_str : L""));
    info->ReleaseFuncDesc(desc);
  }
  return functions;
}

GUID GuidOf(ITypeInfo* info, WORD* functionCount = nullptr) {
  TYPEATTR* attr = nullptr;
  EXPECT_EQ(info->GetTypeAttr(&attr), S_OK);
  if (!attr) return GUID{};
  EXPECT_EQ(attr->typekind, TKIND_DISPATCH);
  if (functionCount) *functionCount = attr->cFuncs;
  GUID guid = attr->guid;
  info->ReleaseTypeAttr(attr);
  return guid;
}

std::wstring NameOf(ITypeLib* lib, INT index) {
  CComBSTR name;
  EXPECT_EQ(lib->GetDocumentation(index, &name, nullptr, nullptr, nullptr), S_OK);
  return name ? std::wstring(name.m_str) : std::wstring();
}

class TypeLibraryTest : public QuietLoggerTest {
 protected:
  void SetUp() override {
    QuietLoggerTest::SetUp();
    ASSERT_EQ(DllRegisterServer(), S_OK);
  }
  void TearDown() override {
    DllUnregisterServer();
    QuietLoggerTest::TearDown();
  }

  CComPtr<ITypeLib> Load() {
    CComPtr<ITypeLib> lib;
    EXPECT_EQ(LoadRegTypeLib(LIBID_ZELPHCORELib, 1, 0, 0, &lib), S_OK);
    return lib;
  }

  ScopedEnvironment m_Registry{"ZELPH_REGISTRY", (FreshDirectory("typelib-registry") + "/registry").c_str()};
};

TEST_F(TypeLibraryTest, RegisteredLibraryDescribesWhatObjectsAnswer) {
  CComPtr<ITypeLib> lib = Load();
  ASSERT_TRUE(lib);
  TLIBATTR* libAttr = nullptr;
  ASSERT_EQ(lib->GetLibAttr(&libAttr), S_OK);
  EXPECT_EQ(libAttr->guid, LIBID_ZELPHCORELib);
  EXPECT_EQ(libAttr->wMajorVerNum, 1);
  EXPECT_EQ(libAttr->wMinorVerNum, 0);
  lib->ReleaseTLibAttr(libAttr);
  EXPECT_EQ(NameOf(lib, -1), L"ZELPHCORELib");

  CComPtr<IDispatch> billboard;
  ASSERT_EQ(CoCreateInstance(CLSID_Billboard3D, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                             reinterpret_cast<void**>(&billboard)),
            S_OK);
  CComPtr<ITypeInfo> fromObject, fromLibrary;
  ASSERT_EQ(billboard->GetTypeInfo(0, 0, &fromObject), S_OK);
  ASSERT_EQ(lib->GetTypeInfoOfGuid(IID_IBillboard3D, &fromLibrary), S_OK);
  std::vector<Function> functions = Functions(fromLibrary);
  EXPECT_FALSE(functions.empty());
  EXPECT_EQ(functions, Functions(fromObject));
  WORD functionCount = 0;
  EXPECT_EQ(GuidOf(fromLibrary, &functionCount), IID_IBillboard3D);
  EXPECT_EQ(functionCount, functions.size());

  // The object's type information leads back to its place in the library.
  CComPtr<ITypeLib> containing;
  UINT index = ~0u;
  ASSERT_EQ(fromObject->GetContainingTypeLib(&containing, &index), S_OK);
  ASSERT_EQ(containing->GetLibAttr(&libAttr), S_OK);
  EXPECT_EQ(libAttr->guid, LIBID_ZELPHCORELib);
  containing->ReleaseTLibAttr(libAttr);
  CComPtr<ITypeInfo> atIndex;
  ASSERT_EQ(containing->GetTypeInfo(index, &atIndex), S_OK);
  EXPECT_EQ(GuidOf(atIndex), IID_IBillboard3D);
  EXPECT_EQ(NameOf(containing, static_cast<INT>(index)), L"IBillboard3D");

  CComPtr<ITypeInfo> unknown;
  EXPECT_EQ(lib->GetTypeInfoOfGuid(CLSID_Billboard3D, &unknown), TYPE_E_ELEMENTNOTFOUND);
  EXPECT_EQ(unknown, nullptr);
  // Another version is no library of this module.
  CComPtr<ITypeLib> otherVersion;
  EXPECT_EQ(DllGetTypeLib(LIBID_ZELPHCORELib, 2, 0, &otherVersion), TYPE_E_LIBNOTREGISTERED);
  EXPECT_EQ(otherVersion, nullptr);
}

TEST_F(TypeLibraryTest, EveryInterfaceIsDescribedAndTheLibraryHoldsTheModule) {
  ASSERT_EQ(DllCanUnloadNow(), S_OK);
  CComPtr<ITypeLib> lib = Load();
  ASSERT_TRUE(lib);
  EXPECT_EQ(DllCanUnloadNow(), S_FALSE);
  const UINT count = lib->GetTypeInfoCount();
  std::set<std::wstring> guids;
  for (UINT i = 0; i < count; ++i) {
    CComPtr<ITypeInfo> info;
    ASSERT_EQ(lib->GetTypeInfo(i, &info), S_OK);
    WORD functions = 0;
    guids.insert(GuidText(GuidOf(info, &functions)));
    EXPECT_GT(functions, 0) << ToUtf8(NameOf(lib, static_cast<INT>(i)));
  }
  EXPECT_EQ(guids.size(), count);
  EXPECT_TRUE(guids.contains(GuidText(IID_IGraphic3D)));
  CComPtr<ITypeInfo> pastTheEnd;
  EXPECT_EQ(lib->GetTypeInfo(count, &pastTheEnd), TYPE_E_ELEMENTNOTFOUND);
  lib.Release();
  EXPECT_EQ(DllCanUnloadNow(), S_OK);
}

TEST_F(TypeLibraryTest, LoadingFailsWithoutARecordOrAModuleThatDescribesIt) {
  ITypeLib* lib = reinterpret_cast<ITypeLib*>(0x1);
  EXPECT_EQ(LoadRegTypeLib(LIBID_ZELPHCORELib, 1, 0, 0, nullptr), E_POINTER);
  ASSERT_EQ(DllUnregisterServer(), S_OK);
  EXPECT_EQ(LoadRegTypeLib(LIBID_ZELPHCORELib, 1, 0, 0, &lib), TYPE_E_LIBNOTREGISTERED);
  EXPECT_EQ(lib, nullptr);

  // A record whose module is missing, and one whose module exports no type
  // library.
  const GUID libid = CLSID_Billboard3D;
  ASSERT_EQ(RegisterTypeLibRecord(libid, 1, 0, L"Missing", L"/nonexistent/libmissing.so"), S_OK);
  EXPECT_EQ(LoadRegTypeLib(libid, 1, 0, 0, &lib), TYPE_E_CANTLOADLIBRARY);
  ASSERT_EQ(RegisterTypeLibRecord(libid, 1, 0, L"Server", FromUtf8(BesideProgram("libzelphtestserver.so"))), S_OK);
  EXPECT_EQ(LoadRegTypeLib(libid, 1, 0, 0, &lib), TYPE_E_CANTLOADLIBRARY);
  EXPECT_EQ(lib, nullptr);
}

}  // namespace
}  // namespace zelph::test
