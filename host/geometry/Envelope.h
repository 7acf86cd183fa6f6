// An axis-aligned box with a separate height range. A new envelope is
// empty: its corners read NaN (with S_OK) and its width and height 0.
// Corners holding a NaN leave it empty, as they bound nothing. Projecting
// an envelope gives the box around its projected outline.
#pragma once

#include "host/geometry/GeometryObject.h"

namespace zelph::host::geometry {

class Envelope : public GeometryObject<IEnvelope> {
 public:
  using InterfaceMap = GeometryInterfaceMap<IEnvelope, IGeometry>;

  STDMETHODIMP QueryCoords(double* xMin, double* yMin, double* xMax, double* yMax) override;
  STDMETHODIMP PutCoords(double xMin, double yMin, double xMax, double yMax) override;
  STDMETHODIMP get_XMin(double* value) override { return Read(&Bounds::xMin, value); }
  STDMETHODIMP get_YMin(double* value) override { return Read(&Bounds::yMin, value); }
  STDMETHODIMP get_XMax(double* value) override { return Read(&Bounds::xMax, value); }
  STDMETHODIMP get_YMax(double* value) override { return Read(&Bounds::yMax, value); }
  STDMETHODIMP get_ZMin(double* value) override { return Read(&Bounds::zMin, value); }
  STDMETHODIMP put_ZMin(double value) override;
  STDMETHODIMP get_ZMax(double* value) override { return Read(&Bounds::zMax, value); }
  STDMETHODIMP put_ZMax(double value) override;
  STDMETHODIMP get_Width(double* width) override;
  STDMETHODIMP get_Height(double* height) override;
  STDMETHODIMP Union(IEnvelope* other) override;

 protected:
  kestGeometryType Type() const override { return kestGeometryEnvelope; }
  bool Empty() const override { return m_Bounds.Empty(); }
  void Clear() override { m_Bounds = {}; }
  Bounds Extent() const override { return m_Bounds; }
  void Shift(double dx, double dy) override { m_Bounds.Shift(dx, dy); }
  void Reproject(ISpatialReference* source, ISpatialReference* target) override;
  // The corners (x min, y min, x max, y max), then z min and z max (R8 each).
  void SaveValue(IVariantStream* stream) const override;
  void LoadValue(IVariantStream* stream) override;

 private:
  HRESULT Read(double Bounds::*field, double* value) const;

  Bounds m_Bounds;
};

}  // namespace zelph::host::geometry
