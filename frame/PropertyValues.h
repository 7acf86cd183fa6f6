// The small steps every component property repeats: handing out a held
// object or string, and refusing values a setter must not store.
#pragma once

#include <cmath>

#include "platform/ComBstr.h"
#include "platform/ComException.h"
#include "platform/Unknown.h"

namespace zelph {

// The held object with a new reference (null when nothing is held).
template <class Interface>
void HandOut(Interface* held, Interface** out) {
  *out = held;
  if (held) held->AddRef();
}

// A copy of the held string for the caller to free (null for a null one).
inline void HandOutCopy(const CComBSTR& held, BSTR* out) {
  *out = nullptr;
  if (!held) return;
  *out = held.Copy();
  if (!*out) Fail(E_OUTOFMEMORY);
}

// A copy of the caller's string to hold.
inline CComBSTR TakeCopy(BSTR text) {
  CComBSTR copy;
  if (!text) return copy;
  copy.Attach(SysAllocStringLen(text, SysStringLen(text)));
  if (!copy) Fail(E_OUTOFMEMORY);
  return copy;
}

// Numeric setters store no NaN.
inline void RequireNumber(double value) {
  if (std::isnan(value)) Fail(E_FAIL);
}

// Transparencies run from 0 (invisible) to 255 (opaque).
inline void RequireTransparency(LONG value) {
  if (value < 0 || value > 255) Fail(E_FAIL);
}

}  // namespace zelph
