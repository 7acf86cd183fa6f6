#include "tools/zelph-viewer/CameraControl.h"

#include <algorithm>
#include <cmath>

namespace zelph::viewer {

namespace {

constexpr double kMetresPerDegree = 111320.0;
// Short of the poles, where longitude loses its meaning.
constexpr double kMaxLatitude = 89.0;
constexpr double kMinAltitude = 10.0;
constexpr double kMaxAltitude = 1.0e8;
constexpr double kMaxDegreesPerPixel = 0.5;

}  // namespace

CameraControl::CameraControl(IGlobeCamera* camera, ILocationHelper3D* location, double latitude, double longitude,
                             double altitude)
    : m_Camera(camera), m_Location(location), m_Latitude(latitude), m_Longitude(longitude), m_Altitude(altitude) {}

void CameraControl::Orbit(int dx, int dy) {
  const double degreesPerPixel = DegreesPerPixel();
  m_Latitude = std::clamp(m_Latitude + dy * degreesPerPixel, -kMaxLatitude, kMaxLatitude);
  // A degree of longitude spans less ground away from the equator.
  const double parallelScale = std::max(std::cos(m_Latitude * M_PI / 180.0), 0.05);
  m_Longitude = std::remainder(m_Longitude - dx * degreesPerPixel / parallelScale, 360.0);
  Place();
}

void CameraControl::Zoom(double factor) {
  m_Altitude = std::clamp(m_Altitude * factor, kMinAltitude, kMaxAltitude);
  Place();
}

double CameraControl::DegreesPerPixel() const {
  // A hundred pixels measured at once keep the rounding of one pixel out.
  constexpr LONG kSpan = 100;
  DOUBLE degrees = 0;
  if (m_Location && SUCCEEDED(m_Location->PixelsToDegrees(kSpan, &degrees)) && degrees > 0) {
    return std::min(kMaxDegreesPerPixel, degrees / kSpan);
  }
  // Off the globe: about a thousandth of the altitude per pixel.
  return std::min(kMaxDegreesPerPixel, m_Altitude / kMetresPerDegree / 1000.0);
}

void CameraControl::Place() { m_Camera->PlaceAbove(m_Latitude, m_Longitude, m_Altitude); }

}  // namespace zelph::viewer
