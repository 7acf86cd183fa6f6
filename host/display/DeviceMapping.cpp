#include "host/display/DeviceMapping.h"

#include <algorithm>
#include <cmath>

#include "host/HostCall.h"
#include "platform/ComPtr.h"

namespace zelph::host::display {

DeviceMapping DeviceMapping::Read(IDisplayTransformation* transformation) {
  if (!transformation) Fail(E_POINTER);
  DeviceMapping mapping;
  RECT frame{};
  ThrowIfFailed(transformation->QueryDeviceFrame(&frame.left, &frame.top, &frame.right, &frame.bottom));
  // Taken as they are: a transformation without a frame yet fails only
  // when something is measured with it.
  mapping.m_Frame = frame;
  CComPtr<IEnvelope> bounds;
  ThrowIfFailed(transformation->get_VisibleBounds(&bounds));
  if (!bounds) Fail(E_FAIL);
  MapBox box{};
  ThrowIfFailed(bounds->QueryCoords(&box.xMin, &box.yMin, &box.xMax, &box.yMax));
  mapping.m_Bounds = box;
  mapping.m_HasBounds = true;
  double dotsPerInch = 0.0;
  ThrowIfFailed(transformation->get_Resolution(&dotsPerInch));
  mapping.PutDotsPerInch(dotsPerInch);
  return mapping;
}

void DeviceMapping::PutDeviceFrame(LONG left, LONG top, LONG right, LONG bottom) {
  RequireArgument(right > left && bottom > top);
  m_Frame = {left, top, right, bottom};
}

void DeviceMapping::PutVisibleBounds(const MapBox& bounds) {
  RequireArgument(std::isfinite(bounds.xMin) && std::isfinite(bounds.yMin) && std::isfinite(bounds.xMax) &&
                  std::isfinite(bounds.yMax) && bounds.xMax > bounds.xMin && bounds.yMax > bounds.yMin);
  m_Bounds = bounds;
  m_HasBounds = true;
}

void DeviceMapping::PutDotsPerInch(double dotsPerInch) {
  RequireArgument(std::isfinite(dotsPerInch) && dotsPerInch > 0.0);
  m_DotsPerInch = dotsPerInch;
}

MapBox DeviceMapping::VisibleBounds() const {
  if (m_HasBounds) return m_Bounds;
  return {static_cast<double>(m_Frame.left), static_cast<double>(m_Frame.top), static_cast<double>(m_Frame.right),
          static_cast<double>(m_Frame.bottom)};
}

double DeviceMapping::UnitsPerPixel() const {
  const double width = static_cast<double>(m_Frame.right) - m_Frame.left;
  const double height = static_cast<double>(m_Frame.bottom) - m_Frame.top;
  if (width <= 0.0 || height <= 0.0) Fail(E_FAIL);
  const MapBox bounds = VisibleBounds();
  return std::max((bounds.xMax - bounds.xMin) / width, (bounds.yMax - bounds.yMin) / height);
}

DevicePoint DeviceMapping::ToDevice(double x, double y) const {
  const double scale = UnitsPerPixel();
  const MapBox bounds = VisibleBounds();
  const double frameCentreX = (static_cast<double>(m_Frame.left) + m_Frame.right) / 2.0;
  const double frameCentreY = (static_cast<double>(m_Frame.top) + m_Frame.bottom) / 2.0;
  return {frameCentreX + (x - (bounds.xMin + bounds.xMax) / 2.0) / scale,
          frameCentreY - (y - (bounds.yMin + bounds.yMax) / 2.0) / scale};
}

double DeviceMapping::PointsFromUnits(double units) const {
  return units / UnitsPerPixel() * kPointsPerInch / m_DotsPerInch;
}

double DeviceMapping::UnitsFromPoints(double points) const {
  return points * m_DotsPerInch / kPointsPerInch * UnitsPerPixel();
}

}  // namespace zelph::host::display
