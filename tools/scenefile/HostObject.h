// Small helpers shared by the readers of host values: making a host object
// by class id, reading a number, and turning a host refusal into a
// SceneError at the value's JSON path.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "platform/ClassRegistry.h"
#include "platform/ComPtr.h"
#include "tools/scenefile/SceneError.h"

namespace zelph::scenefile {

template <class T>
CComPtr<T> CreateHostObject(REFCLSID clsid, const char* what, const std::string& path) {
  CComPtr<T> object;
  if (FAILED(object.CoCreateInstance(clsid)) || !object) {
    throw SceneError(path, std::string("the host cannot make a ") + what);
  }
  return object;
}

inline double ReadNumber(const nlohmann::ordered_json& value, const std::string& path) {
  if (!value.is_number()) throw SceneError(path, "expected a number");
  return value.get<double>();
}

inline int ReadWholeNumber(const nlohmann::ordered_json& value, const std::string& path) {
  if (!value.is_number_integer()) throw SceneError(path, "expected a whole number");
  const long long whole = value.get<long long>();
  if (whole < -2147483647LL - 1 || whole > 2147483647LL) throw SceneError(path, "expected a 32-bit whole number");
  return static_cast<int>(whole);
}

inline void CheckHost(HRESULT result, const char* what, const std::string& path) {
  if (FAILED(result)) throw SceneError(path, std::string("the host refused the ") + what);
}

}  // namespace zelph::scenefile
