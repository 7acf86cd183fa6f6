// Library components in tests, made and stored as a client makes and stores
// them: created by class id through the registry, saved into the host's
// memory variant stream and loaded back from it.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "frame/GraphicInterfaces.h"
#include "frame/HostGuids.h"
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

}  // namespace zelph::test
