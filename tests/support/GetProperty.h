// Reading one property of a component in one expression: the getter's
// interface is asked for, the call must succeed, and the value comes back as
// a plain value, a std::wstring for a string, or a counted pointer.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <type_traits>
#include <vector>

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

// A graphic's update level, and setting it as the scene manager does.
inline kestGLUpdateLevel UpdateLevelOf(IUnknown* graphic) { return Get(graphic, &IUpdate3D::get_UpdateLevel); }
inline void SetUpdateLevel(IUnknown* graphic, kestGLUpdateLevel level) {
  CComQIPtr<IUpdate3D> update{graphic};
  ASSERT_TRUE(update);
  EXPECT_EQ(update->put_UpdateLevel(level), S_OK);
}

// A point's x, y and z.
inline std::vector<double> PointCoords(IPoint* point) {
  if (!point) return {};
  return {Get(point, &IPoint::get_X), Get(point, &IPoint::get_Y), Get(point, &IPoint::get_Z)};
}

// A graphic's extent as x and y minimum, then x and y maximum.
inline std::vector<double> ExtentCoords(IUnknown* graphic) {
  CComPtr<IEnvelope> extent = Get(graphic, &IGraphic3D::get_Extent);
  std::vector<double> box(4, NAN);
  if (extent) {
    EXPECT_EQ(extent->QueryCoords(&box[0], &box[1], &box[2], &box[3]), S_OK);
  }
  return box;
}

// A geometry's envelope as x and y minimum, then x and y maximum.
inline std::vector<double> EnvelopeCoords(IGeometry* geometry) {
  std::vector<double> box(4, NAN);
  CComPtr<IEnvelope> envelope = Get(geometry, &IGeometry::get_Envelope);
  if (envelope) {
    EXPECT_EQ(envelope->QueryCoords(&box[0], &box[1], &box[2], &box[3]), S_OK);
  }
  return box;
}

}  // namespace zelph::test
