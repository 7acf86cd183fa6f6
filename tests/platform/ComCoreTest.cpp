// GUIDs, BSTRs, VARIANTs, the counted pointers over them, connection points
// (sinks advised by cookie, fired in advise order, found through their
// container), and the registry file with creation by class id through it.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <vector>

#include "frame/ComClassFactory.h"
#include "frame/ComObject.h"
#include "platform/ClassRegistry.h"
#include "platform/ComBstr.h"
#include "platform/ComPtr.h"
#include "platform/ComVariant.h"
#include "platform/ConnectionPoints.h"
#include "platform/Guid.h"
#include "platform/Registry.h"
#include "platform/Variant.h"
#include "platform/WideString.h"
#include "tests/support/TestPaths.h"

namespace {

struct IProbe : IUnknown {
  STDMETHOD_(ULONG, References)() = 0;

 protected:
  ~IProbe() = default;
};
ZELPH_DEFINE_IID(IProbe, 0x1A2B3C4D, 0x0001, 0x4000, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01);

// An object that reports its own reference count and whether it still lives.
class Probe : public zelph::ComObjectRoot, public IProbe {
 public:
  using InterfaceMap = zelph::InterfaceMap<IProbe>;
  static inline int s_Alive = 0;
  Probe() { ++s_Alive; }
  ~Probe() { --s_Alive; }
  STDMETHODIMP_(ULONG) References() override { return m_RefCount; }
};

template <class Class, class Interface>
CComPtr<Interface> New(REFIID iid) {
  CComPtr<Interface> object;
  EXPECT_EQ(zelph::CreateComInstance<Class>(nullptr, iid, reinterpret_cast<void**>(&object)), S_OK);
  return object;
}

CComPtr<IProbe> NewProbe() { return New<Probe, IProbe>(IID_IProbe); }

TEST(Guid, TextRoundTripsRejectsMalformedTextAndCreatesRandomGuids) {
  const GUID guid = {0x0D093088, 0xD6CC, 0x41CC, {0x8A, 0xE6, 0x2E, 0x4F, 0xD1, 0x4B, 0xCB, 0x61}};
  wchar_t text[39];
  ASSERT_EQ(StringFromGUID2(guid, text, 39), 39);
  EXPECT_STREQ(text, L"{0D093088-D6CC-41CC-8AE6-2E4FD14BCB61}");
  EXPECT_EQ(StringFromGUID2(guid, text, 38), 0);

  CLSID parsed{};
  ASSERT_EQ(CLSIDFromString(L"{0d093088-d6cc-41cc-8ae6-2e4fd14bcb61}", &parsed), S_OK);
  EXPECT_EQ(parsed, guid);

  for (const wchar_t* bad : {L"", L"0D093088-D6CC-41CC-8AE6-2E4FD14BCB61", L"{0D093088-D6CC-41CC-8AE6-2E4FD14BCB6}"}) {
    CLSID untouched = GUID_NULL;
    EXPECT_EQ(CLSIDFromString(bad, &untouched), CO_E_CLASSSTRING) << zelph::ToUtf8(bad);
    EXPECT_EQ(untouched, GUID_NULL);
  }
  EXPECT_EQ(CLSIDFromString(nullptr, &parsed), CO_E_CLASSSTRING);

  // Created GUIDs are random, version four.
  std::set<std::wstring> seen;
  for (int i = 0; i < 200; ++i) {
    GUID guid;
    ASSERT_EQ(CoCreateGuid(&guid), S_OK);
    EXPECT_EQ(guid.Data3 >> 12, 4);
    EXPECT_EQ(guid.Data4[0] & 0xC0, 0x80);
    seen.insert(zelph::GuidText(guid));
  }
  EXPECT_EQ(seen.size(), 200u);
}

TEST(BstrAndVariant, LengthPrefixEmbeddedNullsCopiesReferencesAndCountedPointers) {
  BSTR raw = SysAllocStringLen(L"a\0b", 3);
  ASSERT_NE(raw, nullptr);
  EXPECT_EQ(SysStringLen(raw), 3u);
  EXPECT_EQ(raw[1], L'\0');
  EXPECT_EQ(raw[3], L'\0');
  SysFreeString(raw);

  EXPECT_EQ(SysStringLen(nullptr), 0u);
  SysFreeString(nullptr);

  CComBSTR hello(L"hello");
  hello += L" world";
  EXPECT_EQ(hello.View(), L"hello world");
  CComBSTR copy = hello;
  EXPECT_NE(copy.m_str, hello.m_str);
  EXPECT_EQ(copy, hello);

  // Variants own their strings and references: copies and clears follow them.
  CComVariant text(L"globe");
  CComVariant copied(text);
  ASSERT_EQ(copied.vt, VT_BSTR);
  EXPECT_NE(copied.bstrVal, text.bstrVal);
  EXPECT_STREQ(copied.bstrVal, L"globe");

  CComPtr<IProbe> probe = NewProbe();
  {
    CComVariant object(static_cast<IUnknown*>(probe.p));
    EXPECT_EQ(probe->References(), 2u);
    CComVariant second(object);
    EXPECT_EQ(probe->References(), 3u);
    second = text;  // the copy drops the reference it held
    EXPECT_EQ(probe->References(), 2u);
    EXPECT_EQ(second.vt, VT_BSTR);
  }
  EXPECT_EQ(probe->References(), 1u);
  probe.Release();

  VARIANT bad{}, target{};
  bad.vt = 0x7777;
  EXPECT_EQ(VariantCopy(&target, &bad), DISP_E_BADVARTYPE);
  EXPECT_EQ(VariantClear(&bad), DISP_E_BADVARTYPE);
  EXPECT_EQ(target.vt, VT_EMPTY);

  // Counted pointers count references and ask for interfaces.
  {
    CComPtr<IProbe> first = NewProbe();
    EXPECT_EQ(Probe::s_Alive, 1);
    CComPtr<IProbe> second = first;
    EXPECT_EQ(first->References(), 2u);
    CComPtr<IProbe> moved = std::move(second);
    EXPECT_EQ(first->References(), 2u);
    EXPECT_FALSE(second);

    CComQIPtr<IUnknown> unknown(first.p);
    EXPECT_EQ(first->References(), 3u);
    CComQIPtr<IProbe> back(unknown.p);
    EXPECT_EQ(back.p, first.p);
    CComQIPtr<IDispatch> none(unknown.p);
    EXPECT_FALSE(none);

    IProbe* detached = moved.Detach();
    EXPECT_EQ(detached->References(), 4u);
    moved.Attach(detached);
    EXPECT_EQ(first->References(), 4u);
  }
  EXPECT_EQ(Probe::s_Alive, 0);
}

struct ITickEvents : IUnknown {
  STDMETHOD(Tick)(LONG value) = 0;

 protected:
  ~ITickEvents() = default;
};
ZELPH_DEFINE_IID(ITickEvents, 0x1A2B3C4D, 0x0002, 0x4000, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02);

std::vector<int> s_Fired;

class TickSink : public zelph::ComObjectRoot, public ITickEvents {
 public:
  using InterfaceMap = zelph::InterfaceMap<ITickEvents>;
  int id = 0;
  STDMETHODIMP Tick(LONG value) override {
    s_Fired.push_back(id * 100 + value);
    return S_OK;
  }
};

class Ticker : public zelph::ComObjectRoot, public IConnectionPointContainer {
 public:
  using InterfaceMap = zelph::InterfaceMap<IConnectionPointContainer>;

  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override {
    return EnumConnectionPointsOf({&m_Ticks}, points);
  }
  STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override {
    return FindConnectionPointIn({&m_Ticks}, iid, point);
  }
  void Fire(LONG value) {
    for (const CComPtr<ITickEvents>& sink : m_Ticks.Sinks<ITickEvents>()) sink->Tick(value);
  }
  ConnectionPoint m_Ticks{*this, IID_ITickEvents};
};

TEST(ConnectionPoints, SinksAreAdvisedByCookieFiredInOrderAndWrongOnesRefused) {
  s_Fired.clear();
  CComPtr<IConnectionPointContainer> ticker = New<Ticker, IConnectionPointContainer>(IID_IConnectionPointContainer);
  auto* source = static_cast<zelph::ComObject<Ticker>*>(ticker.p);
  CComPtr<ITickEvents> first = New<TickSink, ITickEvents>(IID_ITickEvents);
  CComPtr<ITickEvents> second = New<TickSink, ITickEvents>(IID_ITickEvents);
  static_cast<zelph::ComObject<TickSink>*>(first.p)->id = 1;
  static_cast<zelph::ComObject<TickSink>*>(second.p)->id = 2;

  DWORD firstCookie = 0, secondCookie = 0;
  ASSERT_EQ(AtlAdvise(ticker, first, IID_ITickEvents, &firstCookie), S_OK);
  ASSERT_EQ(AtlAdvise(ticker, second, IID_ITickEvents, &secondCookie), S_OK);
  EXPECT_NE(firstCookie, 0u);
  EXPECT_NE(firstCookie, secondCookie);
  source->Fire(5);
  EXPECT_EQ(s_Fired, (std::vector<int>{105, 205}));

  ASSERT_EQ(AtlUnadvise(ticker, IID_ITickEvents, firstCookie), S_OK);
  EXPECT_EQ(AtlUnadvise(ticker, IID_ITickEvents, firstCookie), CONNECT_E_NOCONNECTION);
  s_Fired.clear();
  source->Fire(7);
  EXPECT_EQ(s_Fired, (std::vector<int>{207}));

  CComPtr<IConnectionPoint> point;
  EXPECT_EQ(ticker->FindConnectionPoint(IID_IProbe, &point), CONNECT_E_NOCONNECTION);
  EXPECT_FALSE(point);
  ASSERT_EQ(ticker->FindConnectionPoint(IID_ITickEvents, &point), S_OK);
  // The container is its own sink of nothing: it cannot be advised.
  DWORD cookie = 99;
  EXPECT_EQ(point->Advise(ticker, &cookie), CONNECT_E_CANNOTCONNECT);
  EXPECT_EQ(cookie, 0u);
  EXPECT_EQ(point->Unadvise(12345), CONNECT_E_NOCONNECTION);
}

ZELPH_DEFINE_GUID(CLSID_Nowhere, 0x1A2B3C4D, 0x0010, 0x4000, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10);

class RegistryTest : public ::testing::Test {
 protected:
  std::string m_Path = zelph::test::FreshDirectory("registry-" + std::string(
                           ::testing::UnitTest::GetInstance()->current_test_info()->name())) + "/nested/registry";
  zelph::test::ScopedEnvironment m_UseRegistry{"ZELPH_REGISTRY", m_Path.c_str()};
};

TEST_F(RegistryTest, ValuesPersistIgnoreKeyCaseComeFromScriptsAndFindClassesAndTypeLibraries) {
  EXPECT_EQ(zelph::Registry::FilePath(), m_Path);
  ASSERT_EQ(zelph::Registry::SetValue(L"Alpha\\Beta", L"v\u00e9rt"), S_OK);
  ASSERT_EQ(zelph::Registry::SetValue(L"Alpha\\Beta\\Gamma", L"deep"), S_OK);
  ASSERT_EQ(zelph::Registry::SetValue(L"Alphabet", L"sibling"), S_OK);
  EXPECT_EQ(zelph::Registry::GetValue(L"ALPHA\\beta"), L"v\u00e9rt");

  std::ifstream file(m_Path);
  std::string contents((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_NE(contents.find("Alpha\\Beta\tv\xC3\xA9rt\n"), std::string::npos) << contents;

  EXPECT_EQ(zelph::Registry::SetValue(L"Bad\tKey", L"x"), E_INVALIDARG);
  EXPECT_EQ(zelph::Registry::SetValue(L"Key", L"two\nlines"), E_INVALIDARG);

  ASSERT_EQ(zelph::Registry::DeleteTree(L"alpha\\BETA"), S_OK);
  EXPECT_FALSE(zelph::Registry::GetValue(L"Alpha\\Beta"));
  EXPECT_FALSE(zelph::Registry::GetValue(L"Alpha\\Beta\\Gamma"));
  EXPECT_EQ(zelph::Registry::GetValue(L"Alphabet"), L"sibling");

  // Scripts register with replacements and unregister their trees.
  const std::wstring script = L"; comment\n\nThing\\%NAME% = %NAME% Class\nThing\\%NAME%\\Path = %MODULE%\n";
  ASSERT_EQ(zelph::ApplyRegistrationScript(script, {{L"NAME", L"Widget"}, {L"MODULE", L"/x/w.so"}}, true), S_OK);
  EXPECT_EQ(zelph::Registry::GetValue(L"Thing\\Widget"), L"Widget Class");
  EXPECT_EQ(zelph::Registry::GetValue(L"Thing\\Widget\\Path"), L"/x/w.so");

  // A script that cannot be applied whole changes nothing.
  EXPECT_EQ(zelph::ApplyRegistrationScript(L"Thing\\Other = %UNKNOWN%\n", {}, true), E_INVALIDARG);
  EXPECT_EQ(zelph::ApplyRegistrationScript(L"Thing\\Other = fine\nno separator\n", {}, true), E_INVALIDARG);
  EXPECT_FALSE(zelph::Registry::GetValue(L"Thing\\Other"));

  ASSERT_EQ(zelph::Registry::SetValue(L"Thing\\Widget\\Extra", L"written later"), S_OK);
  ASSERT_EQ(zelph::ApplyRegistrationScript(script, {{L"NAME", L"Widget"}, {L"MODULE", L"/x/w.so"}}, false), S_OK);
  EXPECT_FALSE(zelph::Registry::GetValue(L"Thing\\Widget"));
  EXPECT_FALSE(zelph::Registry::GetValue(L"Thing\\Widget\\Extra"));

  // Classes are found in the process first, then through the registry.
  CComPtr<IClassFactory> made;
  auto create = [&] {
    made.Release();
    return CoCreateInstance(CLSID_Nowhere, nullptr, CLSCTX_INPROC_SERVER, IID_IClassFactory,
                            reinterpret_cast<void**>(&made));
  };
  const std::wstring server = L"CLSID\\" + zelph::GuidText(CLSID_Nowhere) + L"\\InprocServer32";
  EXPECT_EQ(create(), REGDB_E_CLASSNOTREG);
  ASSERT_EQ(zelph::Registry::SetValue(server, L"/nonexistent/libnothing.so"), S_OK);
  EXPECT_EQ(create(), CO_E_DLLNOTFOUND);
  // A server without the entry point: the C library is loadable but no server.
  ASSERT_EQ(zelph::Registry::SetValue(server, L"libc.so.6"), S_OK);
  EXPECT_EQ(create(), CO_E_ERRORINDLL);

  // A class object registered in the process takes precedence over the file.
  // (a factory whose instances are factories again: any class will do).
  CComPtr<IClassFactory> factory = New<zelph::ComClassFactory, IClassFactory>(IID_IClassFactory);
  static_cast<zelph::ComObject<zelph::ComClassFactory>*>(factory.p)->SetCreator(
      &zelph::CreateComInstance<zelph::ComClassFactory>);
  DWORD cookie = 0;
  ASSERT_EQ(CoRegisterClassObject(CLSID_Nowhere, factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie), S_OK);
  EXPECT_EQ(create(), S_OK);
  EXPECT_TRUE(made && made.p != factory.p);
  ASSERT_EQ(CoRevokeClassObject(cookie), S_OK);
  EXPECT_EQ(CoRevokeClassObject(cookie), CO_E_OBJNOTREG);
  EXPECT_EQ(create(), CO_E_ERRORINDLL);

  // Type library records.
  const GUID libid = CLSID_Nowhere;
  std::wstring path;
  EXPECT_EQ(zelph::QueryTypeLibPath(libid, 1, 0, &path), TYPE_E_LIBNOTREGISTERED);
  ASSERT_EQ(zelph::RegisterTypeLibRecord(libid, 1, 0, L"NowhereLib", L"/lib/nowhere.so"), S_OK);
  ASSERT_EQ(zelph::RegisterTypeLibRecord(libid, 2, 10, L"NowhereLib", L"/lib/nowhere2.so"), S_OK);
  EXPECT_EQ(zelph::QueryTypeLibPath(libid, 1, 0, &path), S_OK);
  EXPECT_EQ(path, L"/lib/nowhere.so");
  ASSERT_EQ(zelph::UnRegisterTypeLibRecord(libid, 1, 0), S_OK);
  EXPECT_EQ(zelph::QueryTypeLibPath(libid, 1, 0, &path), TYPE_E_LIBNOTREGISTERED);
  EXPECT_EQ(zelph::QueryTypeLibPath(libid, 2, 10, &path), S_OK);
  EXPECT_EQ(path, L"/lib/nowhere2.so");
}

}  // namespace
