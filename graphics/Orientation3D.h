// Heading, pitch and roll of a graphic, in degrees. It knows no graphic:
// changing it in place marks none; putref_Orientation on a graphic does.
#pragma once

#include "frame/ComObject.h"
#include "frame/DispatchImpl.h"
#include "frame/GraphicInterfaces.h"
#include "graphics/SerialHelper.h"

class Orientation3D : public zelph::ComObjectRoot,
                      public zelph::DispatchImpl<IOrientation3D>,
                      public IPersistVariant {
 public:
  using InterfaceMap = zelph::InterfaceMap<IOrientation3D, zelph::DispatchAs<IOrientation3D>, IPersistVariant>;

  STDMETHODIMP get_Heading(DOUBLE* heading) override;
  STDMETHODIMP put_Heading(DOUBLE heading) override;
  STDMETHODIMP get_Pitch(DOUBLE* pitch) override;
  STDMETHODIMP put_Pitch(DOUBLE pitch) override;
  STDMETHODIMP get_Roll(DOUBLE* roll) override;
  STDMETHODIMP put_Roll(DOUBLE roll) override;
  STDMETHODIMP QueryOrientation(DOUBLE* heading, DOUBLE* pitch, DOUBLE* roll) override;
  STDMETHODIMP PutOrientation(DOUBLE heading, DOUBLE pitch, DOUBLE roll) override;

  // Heading, pitch and roll as three doubles.
  STDMETHODIMP get_ID(IUID** id) override;
  STDMETHODIMP Load(IVariantStream* stream) override;
  STDMETHODIMP Save(IVariantStream* stream) override;

 private:
  double m_Heading = 0.0;
  double m_Pitch = 0.0;
  double m_Roll = 0.0;
  SerialHelper m_Serial;
};
