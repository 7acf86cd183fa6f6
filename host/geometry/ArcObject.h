// The getters both arc classes answer alike: their centre and their sweep.
#pragma once

#include "host/geometry/SegmentObject.h"

namespace zelph::host::geometry {

template <class Interface>
class ArcObject : public SegmentObject<Interface> {
 public:
  STDMETHODIMP QueryCenterPoint(IPoint* center) override { return this->WriteCenter(center); }
  STDMETHODIMP get_FromAngle(double* radians) override {
    return this->GetShapeValue(&ArcShape::fromAngle, radians);
  }
  STDMETHODIMP get_CentralAngle(double* radians) override {
    return this->GetShapeValue(&ArcShape::centralAngle, radians);
  }
};

}  // namespace zelph::host::geometry
