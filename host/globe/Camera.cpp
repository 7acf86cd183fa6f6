#include "host/globe/Camera.h"

#include <cmath>

#include "frame/HostGuids.h"
#include "host/HostCall.h"
#include "host/globe/VisibleExtent.h"
#include "platform/ClassRegistry.h"
#include "platform/ComPtr.h"

namespace zelph::host {

using namespace zelph::host::globe;

namespace {

// A new host point at `position`.
IPoint* NewScenePoint(Vec3 position) {
  CComPtr<IPoint> point;
  ThrowIfFailed(point.CoCreateInstance(CLSID_Point, nullptr, CLSCTX_INPROC_SERVER));
  ThrowIfFailed(point->PutCoords(position.x, position.y));
  ThrowIfFailed(point->put_Z(position.z));
  return point.Detach();
}

Vec3 ScenePosition(IPoint* point) {
  Vec3 position;
  ThrowIfFailed(point->get_X(&position.x));
  ThrowIfFailed(point->get_Y(&position.y));
  ThrowIfFailed(point->get_Z(&position.z));
  RequireArgument(IsFinite(position));
  return position;
}

}  // namespace

STDMETHODIMP Camera::get_Observer(IPoint** observer) {
  return HostCall([&] { *observer = NewScenePoint(m_Observer); }, observer);
}

STDMETHODIMP Camera::put_Observer(IPoint* observer) {
  return HostCall([&] { m_Observer = ScenePosition(observer); }, observer);
}

STDMETHODIMP Camera::get_Target(IPoint** target) {
  return HostCall([&] { *target = NewScenePoint(m_Target); }, target);
}

STDMETHODIMP Camera::put_Target(IPoint* target) {
  return HostCall([&] { m_Target = ScenePosition(target); }, target);
}

STDMETHODIMP Camera::QueryUp(double* x, double* y, double* z) {
  return HostCall(
      [&] {
        *x = m_Up.x;
        *y = m_Up.y;
        *z = m_Up.z;
      },
      x, y, z);
}

STDMETHODIMP Camera::PutUp(double x, double y, double z) {
  return HostCall([&] {
    Vec3 up{x, y, z};
    RequireArgument(IsFinite(up) && Length(up) > 0.0);
    m_Up = Normalized(up);
  });
}

STDMETHODIMP Camera::get_ViewFieldAngle(double* degrees) {
  return HostCall([&] { *degrees = m_FieldAngle; }, degrees);
}

STDMETHODIMP Camera::put_ViewFieldAngle(double degrees) {
  return HostCall([&] {
    // Written so that NaN fails too.
    RequireArgument(degrees > 0.0 && degrees < 180.0);
    m_FieldAngle = degrees;
  });
}

STDMETHODIMP Camera::get_ViewingDistance(double* distance) {
  return HostCall([&] { *distance = Length(m_Observer - m_Target); }, distance);
}

STDMETHODIMP Camera::get_OrientationMode(kestGlobeCameraOrientationMode* mode) {
  return HostCall([&] { *mode = m_Mode; }, mode);
}

STDMETHODIMP Camera::put_OrientationMode(kestGlobeCameraOrientationMode mode) {
  return HostCall([&] {
    RequireArgument(mode == kestGlobeCameraOrientationGlobal || mode == kestGlobeCameraOrientationLocal);
    m_Mode = mode;
    if (mode == kestGlobeCameraOrientationGlobal) m_Target = {};
  });
}

STDMETHODIMP Camera::PlaceAbove(double latitude, double longitude, double altitude) {
  return HostCall([&] {
    RequireArgument(latitude >= -90.0 && latitude <= 90.0 && std::isfinite(longitude) && altitude > 0.0 &&
                    std::isfinite(altitude));
    Vec3 below = DirectionAt(latitude, longitude);
    m_Observer = (1.0 + altitude / kGlobeRadiusMetres) * below;
    m_Target = m_Mode == kestGlobeCameraOrientationGlobal ? Vec3{} : below;
    m_Up = NorthAt(latitude, longitude);
  });
}

STDMETHODIMP Camera::QueryVisibleGeographicExtent(IEnvelope* extent) {
  return HostCall(
      [&] {
        std::optional<GeographicBox> box = VisibleGeographicExtent(Frame());
        if (!box) return extent->SetEmpty();
        return extent->PutCoords(box->lonMin, box->latMin, box->lonMax, box->latMax);
      },
      extent);
}

ViewFrame Camera::Frame() const { return ViewFrame::Make(m_Observer, m_Target, m_Up, m_FieldAngle, m_Aspect); }

}  // namespace zelph::host
