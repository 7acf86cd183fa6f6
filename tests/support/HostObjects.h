// Making host objects in tests as the library makes them: by class id.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <initializer_list>
#include <vector>

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

// A new point collection of class `clsid` (asked for as T) through the given
// x, y, z corners.
template <class T = IGeometry>
CComPtr<T> Through(REFCLSID clsid, std::initializer_list<std::array<double, 3>> points) {
  CComPtr<T> geometry = Make<T>(clsid);
  CComQIPtr<IPointCollection> collection{geometry};
  EXPECT_TRUE(collection);
  for (const auto& p : points) {
    if (collection) {
      EXPECT_EQ(collection->AddPoint(NewPoint(p[0], p[1], p[2]), nullptr, nullptr), S_OK);
    }
  }
  return geometry;
}

// Every vertex of a point collection as x, y, z; it must be one.
inline std::vector<std::vector<double>> VerticesOf(IUnknown* geometry) {
  CComQIPtr<IPointCollection> points{geometry};
  EXPECT_TRUE(points);
  std::vector<std::vector<double>> result;
  LONG count = 0;
  if (!points || points->get_PointCount(&count) != S_OK) return result;
  for (LONG i = 0; i < count; ++i) {
    CComPtr<IPoint> point;
    std::vector<double> xyz(3, NAN);
    EXPECT_EQ(points->get_Point(i, &point), S_OK);
    if (point) {
      EXPECT_TRUE(point->QueryCoords(&xyz[0], &xyz[1]) == S_OK && point->get_Z(&xyz[2]) == S_OK);
    }
    result.push_back(xyz);
  }
  return result;
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
