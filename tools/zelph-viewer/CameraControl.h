// Moves the host's globe camera for the viewer: orbiting by dragging and
// zooming by the wheel, always looking down from above a place.
#pragma once

#include "frame/HostGlobe.h"
#include "frame/SceneInterfaces.h"
#include "platform/ComPtr.h"

namespace zelph::viewer {

class CameraControl {
 public:
  // Starts above the given place, where the scene put the camera;
  // `location` says how much ground a pixel spans.
  CameraControl(IGlobeCamera* camera, ILocationHelper3D* location, double latitude, double longitude,
                double altitude);

  // Turns the globe under the camera by a drag of (dx, dy) pixels, so that
  // the ground follows the mouse.
  void Orbit(int dx, int dy);
  // Multiplies the altitude by `factor`.
  void Zoom(double factor);

 private:
  void Place();
  double DegreesPerPixel() const;

  CComPtr<IGlobeCamera> m_Camera;
  CComPtr<ILocationHelper3D> m_Location;
  double m_Latitude;
  double m_Longitude;
  double m_Altitude;
};

}  // namespace zelph::viewer
