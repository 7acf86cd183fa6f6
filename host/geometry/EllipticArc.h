// An arc of an ellipse with parametric angles, empty until it is built.
// Its ends take the centre's height (PutCoords) or the envelope's lower
// height (ConstructEnvelope).
#pragma once

#include "host/geometry/ArcObject.h"

namespace zelph::host::geometry {

class EllipticArc : public ArcObject<IEllipticArc> {
 public:
  using InterfaceMap = GeometryInterfaceMap<IEllipticArc, ISegment, ICurve, IGeometry>;

  // E_INVALIDARG for a negative or NaN axis, a ratio outside [0, 1], or
  // angles not finite or sweeping past a whole turn.
  STDMETHODIMP PutCoords(IPoint* center, double semiMajorAxis, double minorMajorRatio, double rotation,
                         double fromAngle, double centralAngle) override;
  // E_INVALIDARG for an empty envelope or one of no width and no height.
  // An envelope of one zero side gives the flat ellipse that runs along the
  // other side and back.
  STDMETHODIMP ConstructEnvelope(IEnvelope* bounds) override;
  STDMETHODIMP get_SemiMajorAxis(double* length) override { return GetShapeValue(&ArcShape::semiMajor, length); }
  STDMETHODIMP get_MinorMajorRatio(double* ratio) override { return GetShapeValue(&ArcShape::ratio, ratio); }
  STDMETHODIMP get_Rotation(double* radians) override { return GetShapeValue(&ArcShape::rotation, radians); }

 protected:
  kestGeometryType Type() const override { return kestGeometryEllipticArc; }
};

}  // namespace zelph::host::geometry
