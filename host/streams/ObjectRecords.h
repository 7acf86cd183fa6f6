// How a variant stream keeps an object: as a record of its class id and the
// values it saves of itself, from which an equivalent object is made again.
//
// An object that offers IPersistVariant names its class with get_ID and
// writes itself with Save into a nested stream; it is made again with
// CoCreateInstance of that class and reads itself with Load from a nested
// stream over the same values. The standard font offers no persistence of
// this kind, so an object offering IFont (and no IPersistVariant) is
// recorded by its attributes under CLSID_StdFont: name (BSTR), size in
// points (R8), bold, italic, underline, strikethrough (BOOL each), weight
// and charset (I2 each). Anything else cannot be recorded.
#pragma once

#include <memory>

#include "host/streams/StoredValue.h"
#include "platform/ComPtr.h"

namespace zelph::host::streams {

// The record of `object`, one level below `depth`. E_INVALIDARG (as a
// ComException) for an object that cannot be recorded or a nesting too
// deep; a failing Save fails with its own result and records nothing.
std::shared_ptr<const ObjectRecord> CaptureObject(IUnknown* object, int depth);
// A new object made from `record`; the creation's or the Load's failure
// otherwise.
CComPtr<IUnknown> RecreateObject(const ObjectRecord& record, int depth);

}  // namespace zelph::host::streams
