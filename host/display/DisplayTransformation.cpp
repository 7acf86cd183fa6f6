#include "host/display/DisplayTransformation.h"

#include "frame/HostGuids.h"
#include "host/HostCall.h"
#include "host/HostClasses.h"
#include "platform/ClassRegistry.h"
#include "platform/ComPtr.h"

namespace zelph::host {

HRESULT CreateDisplayTransformation(IUnknown* outer, REFIID riid, void** result) {
  return zelph::CreateComInstance<display::DisplayTransformation>(outer, riid, result);
}

}  // namespace zelph::host

namespace zelph::host::display {

STDMETHODIMP DisplayTransformation::PutDeviceFrame(LONG left, LONG top, LONG right, LONG bottom) {
  return HostCall([&] { m_Mapping.PutDeviceFrame(left, top, right, bottom); });
}

STDMETHODIMP DisplayTransformation::QueryDeviceFrame(LONG* left, LONG* top, LONG* right, LONG* bottom) {
  return HostCall(
      [&] {
        const RECT& frame = m_Mapping.DeviceFrame();
        *left = frame.left;
        *top = frame.top;
        *right = frame.right;
        *bottom = frame.bottom;
      },
      left, top, right, bottom);
}

STDMETHODIMP DisplayTransformation::get_VisibleBounds(IEnvelope** bounds) {
  return HostCall(
      [&] {
        CComPtr<IEnvelope> envelope;
        ThrowIfFailed(envelope.CoCreateInstance(CLSID_Envelope));
        const MapBox box = m_Mapping.VisibleBounds();
        ThrowIfFailed(envelope->PutCoords(box.xMin, box.yMin, box.xMax, box.yMax));
        *bounds = envelope.Detach();
      },
      bounds);
}

STDMETHODIMP DisplayTransformation::put_VisibleBounds(IEnvelope* bounds) {
  return HostCall(
      [&] {
        MapBox box{};
        ThrowIfFailed(bounds->QueryCoords(&box.xMin, &box.yMin, &box.xMax, &box.yMax));
        m_Mapping.PutVisibleBounds(box);
      },
      bounds);
}

STDMETHODIMP DisplayTransformation::get_Resolution(double* dotsPerInch) {
  return HostCall([&] { *dotsPerInch = m_Mapping.DotsPerInch(); }, dotsPerInch);
}

STDMETHODIMP DisplayTransformation::put_Resolution(double dotsPerInch) {
  return HostCall([&] { m_Mapping.PutDotsPerInch(dotsPerInch); });
}

STDMETHODIMP DisplayTransformation::ToPoints(double mapUnits, double* points) {
  return HostCall([&] { *points = m_Mapping.PointsFromUnits(mapUnits); }, points);
}

STDMETHODIMP DisplayTransformation::FromPoints(double points, double* mapUnits) {
  return HostCall([&] { *mapUnits = m_Mapping.UnitsFromPoints(points); }, mapUnits);
}

}  // namespace zelph::host::display
