// A variant stream in memory, which can be kept in a file (see StreamFile).
//
// Write appends a deep copy of the value: a string is copied, an object is
// recorded at once (see ObjectRecords), so that changing the object later
// does not change the stream. Types stored: VT_EMPTY, VT_NULL, VT_I1,
// VT_UI1, VT_I2, VT_I4, VT_INT, VT_UI4, VT_UINT, VT_R4, VT_R8, VT_BOOL,
// VT_BSTR (a null BSTR stays null, apart from an empty one) and VT_UNKNOWN
// and VT_DISPATCH (a null object allowed); any other type, and an object
// that cannot be recorded, is E_INVALIDARG and writes nothing.
//
// Read hands out the next value with its type, S_OK; `value` is an
// out-parameter and is overwritten, not cleared. Past the last value it
// answers E_FAIL with VT_EMPTY. An object comes back as a new object made
// from its record; when that fails (the class cannot be created, or its
// Load fails, for instance on a record too short for it) Read answers the
// failure with VT_EMPTY and the stream moves past the record, so that the
// values after it still read.
#pragma once

#include <vector>

#include "frame/ComObject.h"
#include "frame/HostCollections.h"
#include "host/HostInterfaces.h"
#include "host/streams/StoredValue.h"
#include "platform/ComPtr.h"

namespace zelph::host::streams {

class MemoryVariantStream : public zelph::ComObjectRoot, public IVariantStream, public IVariantStreamStorage {
 public:
  using InterfaceMap = zelph::InterfaceMap<IVariantStream, IVariantStreamStorage>;

  // The stream an object record is saved into or loaded from at nesting
  // `depth`, holding `values`; `stream`, when given, receives the same
  // object, to take the values back from.
  static CComPtr<IVariantStream> Nested(int depth, std::vector<StoredValue> values,
                                        MemoryVariantStream** stream = nullptr);
  std::vector<StoredValue> TakeValues() { return std::move(m_Values); }

  STDMETHODIMP Read(VARIANT* value) override;
  STDMETHODIMP Write(VARIANT value) override;

  STDMETHODIMP Rewind() override;
  STDMETHODIMP SaveToFile(BSTR path) override;
  STDMETHODIMP LoadFromFile(BSTR path) override;
  STDMETHODIMP get_Count(LONG* count) override;

 private:
  std::vector<StoredValue> m_Values;
  size_t m_Next = 0;  // the value Read hands out
  int m_Depth = 0;    // how deep inside object records the stream stands
};

}  // namespace zelph::host::streams
