// The values a memory variant stream holds: deep copies of what was
// written, so that nothing a writer changes later reaches the stream. An
// object is kept as its record (its class id and the values its own Save
// wrote, nested to any depth up to kMaxNesting) and made anew on each read.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Guid.h"
#include "platform/Variant.h"

namespace zelph::host::streams {

// How deep object records may nest: a deeper graph (or a cycle of objects
// saving one another) is refused on writing and on loading.
constexpr int kMaxNesting = 64;

struct ObjectRecord;

struct StoredValue {
  VARTYPE type = VT_EMPTY;
  // A scalar's bytes as an unsigned number of the type's width (see
  // ScalarWidth): a float or double as its bit pattern.
  std::uint64_t bits = 0;
  // VT_BSTR: the characters, embedded nulls included; none for a null BSTR.
  std::optional<std::wstring> text;
  // VT_UNKNOWN and VT_DISPATCH: the record, shared between copies as it
  // never changes; null for a null object.
  std::shared_ptr<const ObjectRecord> object;
};

struct ObjectRecord {
  CLSID clsid = GUID_NULL;
  std::vector<StoredValue> values;
};

// The payload bytes of a scalar type (0 for VT_EMPTY and VT_NULL), or -1
// for the string, object and unsupported types.
int ScalarWidth(VARTYPE type);
bool IsObjectType(VARTYPE type);
// Whether a stream stores values of this type at all.
bool IsStoredType(VARTYPE type);

// The stored copy of `value`, written at nesting `depth`; an object is
// recorded at once. E_INVALIDARG (as a ComException) for a type the stream
// does not store, an object without persistence, or nesting too deep.
StoredValue Capture(const VARIANT& value, int depth);
// The value again, an object made anew from its record at nesting `depth`,
// into `value`, which is taken as holding nothing.
void Restore(const StoredValue& stored, int depth, VARIANT* value);

}  // namespace zelph::host::streams
