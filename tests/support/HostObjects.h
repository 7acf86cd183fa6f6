// Making host objects in tests as the library makes them: by class id.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "frame/HostGeometry.h"
#include "frame/HostGuids.h"
#include "frame/HostSpatialReference.h"
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

// Adds a part to a geometry collection, or a segment to a segment collection.
inline HRESULT AddPart(IUnknown* collection, IUnknown* part) {
  return CComQIPtr<IGeometryCollection>(collection)->AddGeometry(CComQIPtr<IGeometry>(part), nullptr, nullptr);
}
inline HRESULT AddSegment(IUnknown* collection, IUnknown* segment) {
  return CComQIPtr<ISegmentCollection>(collection)->AddSegment(CComQIPtr<ISegment>(segment), nullptr, nullptr);
}

// A circular arc about (cx, cy), its centre at height z.
inline CComPtr<ICircularArc> NewArc(double cx, double cy, double from, double central, double radius,
                                    double z = NAN) {
  CComPtr<ICircularArc> arc = Make<ICircularArc>(CLSID_CircularArc);
  EXPECT_EQ(arc->PutCoordsByAngle(NewPoint(cx, cy, z), from, central, radius), S_OK);
  return arc;
}

// The geographic or projected system of `code`, made with the answer
// `expected`.
inline CComPtr<ISpatialReference> NewReference(LONG code, bool projected = false, HRESULT expected = S_OK) {
  CComPtr<ISpatialReferenceFactory> factory = Make<ISpatialReferenceFactory>(CLSID_SpatialReferenceEnvironment);
  CComPtr<ISpatialReference> reference;
  EXPECT_EQ(projected ? factory->CreateProjectedCoordinateSystem(code, &reference)
                      : factory->CreateGeographicCoordinateSystem(code, &reference),
            expected)
      << code;
  return reference;
}

}  // namespace zelph::test
