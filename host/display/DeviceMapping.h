// How a display transformation puts map units on device pixels: the visible
// bounds are fitted into the device frame with one scale for both axes (the
// larger of the two, so that all of the bounds stay visible) and centred in
// it; map y grows upwards, device rows downwards. Lengths in points (1/72
// inch) become pixels through the device resolution.
#pragma once

#include "frame/HostDisplay.h"
#include "platform/Gdi.h"

namespace zelph::host::display {

struct DevicePoint {
  double x;
  double y;
};

struct MapBox {
  double xMin;
  double yMin;
  double xMax;
  double yMax;
};

class DeviceMapping {
 public:
  static constexpr double kPointsPerInch = 72.0;
  static constexpr double kDefaultDotsPerInch = 96.0;

  // The state of any display transformation, read through its interface.
  static DeviceMapping Read(IDisplayTransformation* transformation);

  // Frames must have a positive width and height, bounds a positive extent
  // with finite corners, resolutions be positive; E_INVALIDARG otherwise.
  void PutDeviceFrame(LONG left, LONG top, LONG right, LONG bottom);
  void PutVisibleBounds(const MapBox& bounds);
  void PutDotsPerInch(double dotsPerInch);

  const RECT& DeviceFrame() const { return m_Frame; }
  // The device frame itself until bounds are put.
  MapBox VisibleBounds() const;
  double DotsPerInch() const { return m_DotsPerInch; }

  // E_FAIL while there is no device frame to measure against.
  double UnitsPerPixel() const;
  DevicePoint ToDevice(double x, double y) const;
  double PointsFromUnits(double units) const;
  double UnitsFromPoints(double points) const;
  double PixelsFromPoints(double points) const { return points * m_DotsPerInch / kPointsPerInch; }

 private:
  RECT m_Frame{0, 0, 0, 0};
  bool m_HasBounds = false;
  MapBox m_Bounds{0.0, 0.0, 0.0, 0.0};
  double m_DotsPerInch = kDefaultDotsPerInch;
};

}  // namespace zelph::host::display
