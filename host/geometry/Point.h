// A point. A new point is empty and has a NaN z; putting coordinates makes
// it non-empty, and any values are kept, NaN included. Reading the
// coordinates of an empty point is E_FAIL (the outputs read NaN).
#pragma once

#include "host/geometry/GeometryObject.h"

namespace zelph::host::geometry {

class Point : public GeometryObject<IPoint> {
 public:
  using InterfaceMap = GeometryInterfaceMap<IPoint, IGeometry>;

  STDMETHODIMP QueryCoords(double* x, double* y) override;
  STDMETHODIMP PutCoords(double x, double y) override;
  STDMETHODIMP get_X(double* x) override;
  STDMETHODIMP put_X(double x) override;
  STDMETHODIMP get_Y(double* y) override;
  STDMETHODIMP put_Y(double y) override;
  STDMETHODIMP get_Z(double* z) override;
  STDMETHODIMP put_Z(double z) override;

 protected:
  kestGeometryType Type() const override { return kestGeometryPoint; }
  bool Empty() const override { return !m_Set; }
  void Clear() override;
  Bounds Extent() const override;
  void Shift(double dx, double dy) override;
  void Reproject(ISpatialReference* source, ISpatialReference* target) override;
  // Whether the point is set (BOOL), then its coordinates.
  void SaveValue(IVariantStream* stream) const override;
  void LoadValue(IVariantStream* stream) override;

 private:
  // Writes one coordinate to the caller; E_FAIL while the point is empty.
  HRESULT Read(double Coordinates::*field, double* value) const;
  HRESULT Write(double Coordinates::*field, double value);

  Coordinates m_Coordinates;
  bool m_Set = false;
};

}  // namespace zelph::host::geometry
