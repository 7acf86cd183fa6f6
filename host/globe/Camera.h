// The camera of the host's viewer: where the observer stands, what it looks
// at, which way is up and how wide it sees, in scene units (the globe's
// surface is the unit sphere). It starts above latitude 0, longitude 0 at an
// altitude of two globe radii, looking at the centre with north up.
#pragma once

#include "frame/ComObject.h"
#include "frame/HostGlobe.h"
#include "host/globe/ViewFrame.h"

namespace zelph::host {

class Camera : public zelph::ComObjectRoot, public ICamera, public IGlobeCamera, public IGlobeViewUtil {
 public:
  using InterfaceMap = zelph::InterfaceMap<ICamera, IGlobeCamera, IGlobeViewUtil>;

  // ICamera. Points handed out are new host points, copies of the camera's
  // positions; points given in are copied and must have finite x, y and z.
  STDMETHODIMP get_Observer(IPoint** observer) override;
  STDMETHODIMP put_Observer(IPoint* observer) override;
  STDMETHODIMP get_Target(IPoint** target) override;
  STDMETHODIMP put_Target(IPoint* target) override;
  // The up vector is kept at unit length; the view makes it perpendicular to
  // the line of sight.
  STDMETHODIMP QueryUp(double* x, double* y, double* z) override;
  STDMETHODIMP PutUp(double x, double y, double z) override;
  // Degrees, strictly between 0 and 180.
  STDMETHODIMP get_ViewFieldAngle(double* degrees) override;
  STDMETHODIMP put_ViewFieldAngle(double degrees) override;
  STDMETHODIMP get_ViewingDistance(double* distance) override;

  // IGlobeCamera. The mode decides where PlaceAbove aims; switching to the
  // global mode also aims the camera at the centre at once, so that in that
  // mode the viewing distance is always the distance from the centre.
  STDMETHODIMP get_OrientationMode(kestGlobeCameraOrientationMode* mode) override;
  STDMETHODIMP put_OrientationMode(kestGlobeCameraOrientationMode mode) override;
  // The latitude lies in [-90, 90] and the altitude above the surface is
  // positive, so that the camera never stands on what it looks at.
  STDMETHODIMP PlaceAbove(double latitude, double longitude, double altitude) override;

  // IGlobeViewUtil: see VisibleGeographicExtent.
  STDMETHODIMP QueryVisibleGeographicExtent(IEnvelope* extent) override;

  // The view as the viewer draws it.
  globe::ViewFrame Frame() const;
  // The viewer's frame shape (width / height), which the rays must share.
  void SetAspect(double aspect) { m_Aspect = aspect; }

 private:
  globe::Vec3 m_Observer{3.0, 0.0, 0.0};
  globe::Vec3 m_Target{};
  globe::Vec3 m_Up{0.0, 0.0, 1.0};
  double m_FieldAngle = 30.0;
  kestGlobeCameraOrientationMode m_Mode = kestGlobeCameraOrientationGlobal;
  double m_Aspect = 640.0 / 480.0;
};

}  // namespace zelph::host
