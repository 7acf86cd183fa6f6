// The IGeometry and ICurve methods of a curve class, bound to the curve
// interface it answers (ILine, IPath, IPolyline, IPolygon4, ...).
#pragma once

#include "host/geometry/CurveCore.h"
#include "host/geometry/GeometryObject.h"

namespace zelph::host::geometry {

template <class Interface>
class CurveObject : public GeometryObject<Interface, CurveCore> {
 public:
  STDMETHODIMP get_Length(double* length) override { return this->GetLength(length); }
  STDMETHODIMP get_FromPoint(IPoint** point) override { return this->GetEndPoint(false, point); }
  STDMETHODIMP QueryFromPoint(IPoint* point) override { return this->WriteEndPoint(false, point); }
  STDMETHODIMP get_ToPoint(IPoint** point) override { return this->GetEndPoint(true, point); }
  STDMETHODIMP QueryToPoint(IPoint* point) override { return this->WriteEndPoint(true, point); }
  STDMETHODIMP QueryPoint(kestSegmentExtension extension, double distance, VARIANT_BOOL asRatio,
                          IPoint* point) override {
    return this->WritePointAlong(extension, distance, asRatio, point);
  }
  STDMETHODIMP get_IsClosed(VARIANT_BOOL* closed) override { return this->GetIsClosed(closed); }
};

}  // namespace zelph::host::geometry
