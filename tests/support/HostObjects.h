// Making host objects in tests as the library makes them: by class id.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "frame/HostGeometry.h"
#include "frame/HostGuids.h"
#include "platform/ClassRegistry.h"
#include "platform/ComPtr.h"

namespace zelph::test {

template <class T>
CComPtr<T> Make(REFCLSID clsid) {
  CComPtr<T> object;
  EXPECT_EQ(object.CoCreateInstance(clsid), S_OK);
  return object;
}

inline CComPtr<IPoint> NewPoint(double x, double y, double z = NAN) {
  CComPtr<IPoint> point = Make<IPoint>(CLSID_Point);
  EXPECT_EQ(point->PutCoords(x, y), S_OK);
  EXPECT_EQ(point->put_Z(z), S_OK);
  return point;
}

}  // namespace zelph::test
