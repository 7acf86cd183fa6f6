// The host's display transformation: a device frame in pixels, the visible
// bounds in map units fitted into it (see DeviceMapping), and the device
// resolution. A new transformation has no frame: it measures nothing (E_FAIL)
// until one is put.
#pragma once

#include "frame/ComObject.h"
#include "frame/HostDisplay.h"
#include "host/display/DeviceMapping.h"

namespace zelph::host::display {

class DisplayTransformation : public zelph::ComObjectRoot, public IDisplayTransformation {
 public:
  using InterfaceMap = zelph::InterfaceMap<IDisplayTransformation>;

  STDMETHODIMP PutDeviceFrame(LONG left, LONG top, LONG right, LONG bottom) override;
  STDMETHODIMP QueryDeviceFrame(LONG* left, LONG* top, LONG* right, LONG* bottom) override;
  // A new envelope each time: changing it changes nothing here.
  STDMETHODIMP get_VisibleBounds(IEnvelope** bounds) override;
  // Takes a copy of the envelope's corners.
  STDMETHODIMP put_VisibleBounds(IEnvelope* bounds) override;
  STDMETHODIMP get_Resolution(double* dotsPerInch) override;
  STDMETHODIMP put_Resolution(double dotsPerInch) override;
  STDMETHODIMP ToPoints(double mapUnits, double* points) override;
  STDMETHODIMP FromPoints(double points, double* mapUnits) override;

 private:
  DeviceMapping m_Mapping;
};

}  // namespace zelph::host::display
