// Library components in tests, made and stored as a client makes and stores
// them: created by class id through the registry, saved into the host's
// memory variant stream and loaded back from it.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "frame/GraphicInterfaces.h"
#include "frame/HostGuids.h"
#include "frame/Logger.h"
#include "host/HostInterfaces.h"
#include "platform/ComBstr.h"
#include "platform/ComVariant.h"
#include "tests/support/HostObjects.h"
#include "tests/support/QuietLoggerTest.h"

extern "C" HRESULT DllRegisterServer();

namespace zelph::test {

// Registers the library in this test program's registry once, so that
// CoCreateInstance and the stream's object records find its classes.
inline void RegisterLibrary() {
  static const HRESULT registered = DllRegisterServer();
  ASSERT_EQ(registered, S_OK);
}

// A fixture for component tests: a quiet logger and a registered library.
class ComponentTest : public QuietLoggerTest {
 protected:
  void SetUp() override {
    QuietLoggerTest::SetUp();
    RegisterLibrary();
  }
};

inline CComPtr<IVariantStream> NewStream() { return Make<IVariantStream>(CLSID_MemoryVariantStream); }

inline void Rewind(IVariantStream* stream) {
  CComQIPtr<IVariantStreamStorage> storage{stream};
  ASSERT_TRUE(storage);
  ASSERT_EQ(storage->Rewind(), S_OK);
}

// Every value from the stream's current position to its end.
inline std::vector<CComVariant> ReadAll(IVariantStream* stream) {
  std::vector<CComVariant> values;
  CComVariant value;
  while (stream->Read(&value) == S_OK) {
    values.push_back(value);
    value.Clear();
  }
  return values;
}

// What `object` saves, value by value.
inline std::vector<CComVariant> SavedValues(IUnknown* object) {
  CComQIPtr<IPersistVariant> persist{object};
  EXPECT_TRUE(persist);
  CComPtr<IVariantStream> stream = NewStream();
  EXPECT_EQ(persist->Save(stream), S_OK);
  Rewind(stream);
  return ReadAll(stream);
}

// Saves `object`, loads the stream into a new object of class `clsid` and
// hands that back as `Interface`.
template <class Interface>
CComPtr<Interface> SaveAndLoad(IUnknown* object, REFCLSID clsid) {
  CComQIPtr<IPersistVariant> source{object};
  EXPECT_TRUE(source);
  CComPtr<IVariantStream> stream = NewStream();
  EXPECT_EQ(source->Save(stream), S_OK);
  Rewind(stream);
  CComPtr<Interface> loaded = Make<Interface>(clsid);
  CComQIPtr<IPersistVariant> target{loaded};
  EXPECT_EQ(target->Load(stream), S_OK);
  return loaded;
}

inline std::wstring Text(BSTR text) { return text ? std::wstring(text, SysStringLen(text)) : std::wstring(); }

// A stream holding `values`, rewound to the first.
inline CComPtr<IVariantStream> StreamWith(const std::vector<CComVariant>& values) {
  CComPtr<IVariantStream> stream = NewStream();
  for (const CComVariant& value : values) EXPECT_EQ(stream->Write(value), S_OK);
  Rewind(stream);
  return stream;
}

// Whether both pointers reach the same object (or both are null).
inline bool SameIdentity(IUnknown* a, IUnknown* b) {
  CComPtr<IUnknown> identityA, identityB;
  if (a) a->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identityA));
  if (b) b->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identityB));
  return identityA == identityB;
}

// Both objects save the same values; nested object records are compared by
// what they save in turn, objects the stream keeps by other means (a font)
// only by being there.
inline void ExpectSameRecord(IUnknown* expected, IUnknown* actual) {
  std::vector<CComVariant> want = SavedValues(expected), got = SavedValues(actual);
  ASSERT_EQ(want.size(), got.size());
  for (size_t i = 0; i < want.size(); ++i) {
    SCOPED_TRACE(i);
    const VARIANT& w = want[i];
    const VARIANT& g = got[i];
    ASSERT_EQ(w.vt, g.vt);
    if (w.vt == VT_UNKNOWN || w.vt == VT_DISPATCH) {
      ASSERT_EQ(!w.punkVal, !g.punkVal);
      if (CComQIPtr<IPersistVariant>(w.punkVal)) ExpectSameRecord(w.punkVal, g.punkVal);
    } else if (w.vt == VT_R8) {
      EXPECT_TRUE(w.dblVal == g.dblVal || (std::isnan(w.dblVal) && std::isnan(g.dblVal)))
          << w.dblVal << " saved again as " << g.dblVal;
    } else if (w.vt == VT_BSTR) {
      EXPECT_EQ(Text(w.bstrVal), Text(g.bstrVal));
    } else if (w.vt == VT_BOOL) {
      EXPECT_EQ(w.boolVal, g.boolVal);
    } else if (w.vt == VT_I1 || w.vt == VT_UI1) {
      EXPECT_EQ(w.bVal, g.bVal);
    } else {
      EXPECT_EQ(w.lVal, g.lVal);  // VT_I4 and VT_INT share the slot
    }
  }
}

// Loads `values` into a new object of class `clsid`, then saves what it
// holds: a damaged record may be refused (E_FAIL), but never with another
// answer, and what the object is left with must still be storable. Hands
// back the load's result.
inline HRESULT LoadThenSave(REFCLSID clsid, const std::vector<CComVariant>& values) {
  CComPtr<IPersistVariant> target = Make<IPersistVariant>(clsid);
  if (!target) return E_NOINTERFACE;
  const HRESULT loaded = target->Load(StreamWith(values));
  EXPECT_TRUE(loaded == S_OK || loaded == E_FAIL) << std::hex << loaded;
  const HRESULT saved = target->Save(NewStream());
  EXPECT_TRUE(saved == S_OK || saved == E_FAIL) << std::hex << saved;
  return loaded;
}

// Whether the logger's last line holds `text`.
inline bool LastLogLineHas(const wchar_t* text) {
  return std::wstring(Logger::atlLogOutput).find(text) != std::wstring::npos;
}

// Loads what `source` saves, followed by one more value, into `target`: the
// load succeeds and stops right before that value.
inline void ExpectLoadsWhole(IUnknown* source, IUnknown* target) {
  std::vector<CComVariant> values = SavedValues(source);
  values.emplace_back(L"after the record");
  CComPtr<IVariantStream> stream = StreamWith(values);
  CComQIPtr<IPersistVariant> persist{target};
  ASSERT_TRUE(persist);
  ASSERT_EQ(persist->Load(stream), S_OK);
  std::vector<CComVariant> rest = ReadAll(stream);
  ASSERT_EQ(rest.size(), 1u);
  ASSERT_EQ(rest[0].vt, VT_BSTR);
  EXPECT_EQ(Text(rest[0].bstrVal), L"after the record");
}

}  // namespace zelph::test
