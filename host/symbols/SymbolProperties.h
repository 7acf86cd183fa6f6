// The property bodies the symbol classes share: colours copied in and out,
// sizes and widths (finite, 0 or more, in points), angles (finite, in
// degrees) and styles (an enumeration from 0 up to its last value); other
// values are E_INVALIDARG and change nothing.
#pragma once

#include <cmath>
#include <cstring>
#include <type_traits>
#include <utility>

#include "host/HostCall.h"
#include "host/streams/StreamValues.h"
#include "host/symbols/ColorValue.h"

namespace zelph::host::symbols {

inline bool ValidSize(double size) { return std::isfinite(size) && size >= 0; }

inline HRESULT GetColor(const ColorValue& held, IColor** color) {
  return HostCall([&] { HandOutColor(held, color); }, color);
}

inline HRESULT PutColor(ColorValue& held, IColor* color) {
  return HostCall([&] { held = ReadColor(color); }, color);
}

template <class Value>
HRESULT GetValue(const Value& held, Value* value) {
  return HostCall([&] { *value = held; }, value);
}

inline HRESULT PutSize(double& held, double size) {
  return HostCall([&] {
    RequireArgument(ValidSize(size));
    held = size;
  });
}

inline HRESULT PutAngle(double& held, double degrees) {
  return HostCall([&] {
    RequireArgument(std::isfinite(degrees));
    held = degrees;
  });
}

// A caller across the interface may pass any number for a style, so it is
// looked at as a number before it is taken as the enumeration.
template <class Enum>
HRESULT PutStyle(Enum& held, Enum style, Enum last) {
  return HostCall([&] {
    using Number = std::underlying_type_t<Enum>;
    Number number;
    std::memcpy(&number, &style, sizeof number);
    RequireArgument(std::cmp_greater_equal(number, 0) && std::cmp_less_equal(number, static_cast<Number>(last)));
    held = style;
  });
}

// A size or an angle read back from a record, held to the same rules.
inline double LoadSize(IVariantStream* stream) {
  double size = streams::ReadDouble(stream);
  if (!ValidSize(size)) Fail(streams::kRecordMismatch);
  return size;
}

inline double LoadAngle(IVariantStream* stream) {
  double degrees = streams::ReadDouble(stream);
  if (!std::isfinite(degrees)) Fail(streams::kRecordMismatch);
  return degrees;
}

}  // namespace zelph::host::symbols
