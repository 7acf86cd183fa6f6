// Reading one property of a component in one expression: the getter's
// interface is asked for, the call must succeed, and the value comes back as
// a plain value, a std::wstring for a string, or a counted pointer.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <type_traits>

#include "platform/ComBstr.h"
#include "platform/ComPtr.h"
#include "tests/support/ComponentTest.h"

namespace zelph::test {

template <class Interface, class Value>
auto Get(IUnknown* object, HRESULT (STDMETHODCALLTYPE Interface::*getter)(Value*)) {
  CComQIPtr<Interface> typed{object};
  EXPECT_TRUE(typed);
  if constexpr (std::is_same_v<Value, BSTR>) {
    CComBSTR value;
    if (typed) {
      EXPECT_EQ((typed->*getter)(&value), S_OK);
    }
    return Text(value);
  } else if constexpr (std::is_pointer_v<Value>) {
    CComPtr<std::remove_pointer_t<Value>> value;
    if (typed) {
      EXPECT_EQ((typed->*getter)(&value), S_OK);
    }
    return value;
  } else {
    Value value{};
    if (typed) {
      EXPECT_EQ((typed->*getter)(&value), S_OK);
    }
    return value;
  }
}

}  // namespace zelph::test
