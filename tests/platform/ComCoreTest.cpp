// GUIDs, BSTRs, VARIANTs and the counted pointers over them.
#include <gtest/gtest.h>

#include <set>

#include "frame/ComObject.h"
#include "platform/ComBstr.h"
#include "platform/ComPtr.h"
#include "platform/ComVariant.h"
#include "platform/Guid.h"
#include "platform/Variant.h"
#include "platform/WideString.h"

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

CComPtr<IProbe> NewProbe() {
  CComPtr<IProbe> probe;
  EXPECT_EQ(zelph::CreateComInstance<Probe>(nullptr, IID_IProbe, reinterpret_cast<void**>(&probe)), S_OK);
  return probe;
}

TEST(Guid, TextRoundTripAndRejectsMalformedText) {
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
}

TEST(Guid, CreatedGuidsAreRandomVersionFour) {
  std::set<std::wstring> seen;
  for (int i = 0; i < 200; ++i) {
    GUID guid;
    ASSERT_EQ(CoCreateGuid(&guid), S_OK);
    EXPECT_EQ(guid.Data3 >> 12, 4);
    EXPECT_EQ(guid.Data4[0] & 0xC0, 0x80);
    wchar_t text[39];
    StringFromGUID2(guid, text, 39);
    seen.insert(text);
  }
  EXPECT_EQ(seen.size(), 200u);
  EXPECT_EQ(CoCreateGuid(nullptr), E_POINTER);
}

TEST(Bstr, LengthPrefixEmbeddedNullsAndNull) {
  BSTR text = SysAllocStringLen(L"a\0b", 3);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(SysStringLen(text), 3u);
  EXPECT_EQ(SysStringByteLen(text), 3 * sizeof(wchar_t));
  EXPECT_EQ(text[1], L'\0');
  EXPECT_EQ(text[3], L'\0');
  SysFreeString(text);

  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  SysFreeString(nullptr);

  CComBSTR empty;
  EXPECT_EQ(empty.Length(), 0u);
  EXPECT_TRUE(empty.View().empty());
  CComBSTR hello(L"hello");
  hello += L" world";
  EXPECT_EQ(hello.View(), L"hello world");
  CComBSTR copy = hello;
  EXPECT_NE(copy.m_str, hello.m_str);
  EXPECT_EQ(copy, hello);
}

TEST(Variant, CopyAndClearOwnStringsAndReferences) {
  CComVariant text(L"globe");
  CComVariant copied(text);
  ASSERT_EQ(copied.vt, VT_BSTR);
  EXPECT_NE(copied.bstrVal, text.bstrVal);
  EXPECT_STREQ(copied.bstrVal, L"globe");

  CComPtr<IProbe> probe = NewProbe();
  {
    CComVariant object(static_cast<IUnknown*>(probe.p));
    EXPECT_EQ(object.vt, VT_UNKNOWN);
    EXPECT_EQ(probe->References(), 2u);
    CComVariant second(object);
    EXPECT_EQ(probe->References(), 3u);
    second = text;  // the copy drops the reference it held
    EXPECT_EQ(probe->References(), 2u);
    EXPECT_EQ(second.vt, VT_BSTR);
  }
  EXPECT_EQ(probe->References(), 1u);

  VARIANT bad;
  VariantInit(&bad);
  bad.vt = 0x7777;
  VARIANT target;
  VariantInit(&target);
  EXPECT_EQ(VariantCopy(&target, &bad), DISP_E_BADVARTYPE);
  EXPECT_EQ(VariantClear(&bad), DISP_E_BADVARTYPE);
  EXPECT_EQ(target.vt, VT_EMPTY);
}

TEST(ComPtr, CountsReferencesAndAsksForInterfaces) {
  ASSERT_EQ(Probe::s_Alive, 0);
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

}  // namespace
