// The ICurve bodies shared by segments, paths, rings, polylines and
// polygons: all of them are walked as a CurveWalk over their chains, which
// also gives them their emptiness and extent.
//
// A curve with nothing to walk answers E_FAIL for its end points and for
// QueryPoint; a curve of one vertex has that vertex as both ends.
#pragma once

#include "host/geometry/CurveWalk.h"
#include "host/geometry/GeometryCore.h"

namespace zelph::host::geometry {

class CurveCore : public GeometryCore {
 protected:
  // The chains to walk, in order; they live as long as the object is not
  // changed.
  virtual CurveWalk Walk() const = 0;

  bool Empty() const override;
  Bounds Extent() const override;

  HRESULT GetLength(double* length);
  HRESULT GetEndPoint(bool atEnd, IPoint** point);
  HRESULT WriteEndPoint(bool atEnd, IPoint* point);
  HRESULT WritePointAlong(kestSegmentExtension extension, double distance, VARIANT_BOOL asRatio, IPoint* point);
  HRESULT GetIsClosed(VARIANT_BOOL* closed);
};

}  // namespace zelph::host::geometry
