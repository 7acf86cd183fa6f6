// The IGeometry methods of a host geometry class, bound to the interface
// it answers (IPoint, ILine, IPolygon4, ...). `Core` is GeometryCore or a
// class built on it that adds the bodies of a longer interface.
#pragma once

#include "frame/ComObject.h"
#include "host/geometry/GeometryCore.h"

namespace zelph::host::geometry {

// The interface map of a host geometry class: its own interfaces, then
// those every geometry answers through GeometryCore.
template <class... Own>
using GeometryInterfaceMap = zelph::InterfaceMap<Own..., ITransform2D, IPersistVariant>;

template <class Interface, class Core = GeometryCore>
class GeometryObject : public zelph::ComObjectRoot, public Interface, public Core {
 public:
  STDMETHODIMP get_GeometryType(kestGeometryType* type) override { return this->GetGeometryType(type); }
  STDMETHODIMP get_SpatialReference(ISpatialReference** reference) override {
    return this->GetSpatialReference(reference);
  }
  STDMETHODIMP putref_SpatialReference(ISpatialReference* reference) override {
    return this->PutSpatialReference(reference);
  }
  STDMETHODIMP Project(ISpatialReference* target) override { return this->ProjectTo(target); }
  STDMETHODIMP get_Envelope(IEnvelope** envelope) override { return this->GetEnvelope(envelope); }
  STDMETHODIMP QueryEnvelope(IEnvelope* envelope) override { return this->WriteEnvelope(envelope); }
  STDMETHODIMP get_IsEmpty(VARIANT_BOOL* empty) override { return this->GetIsEmpty(empty); }
  STDMETHODIMP SetEmpty() override { return this->MakeEmpty(); }
};

}  // namespace zelph::host::geometry
