#include "host/display/SimpleDisplay.h"

#include <algorithm>
#include <cmath>

#include "host/HostCall.h"
#include "host/HostClasses.h"
#include "host/display/DeviceMapping.h"
#include "host/display/DisplayTransformation.h"
#include "host/display/Marker.h"
#include "platform/Gdi.h"
#include "platform/GdiCairo.h"

namespace zelph::host {

HRESULT CreateSimpleDisplay(IUnknown* outer, REFIID riid, void** result) {
  return zelph::CreateComInstance<display::SimpleDisplay>(outer, riid, result);
}

}  // namespace zelph::host

namespace zelph::host::display {

HRESULT SimpleDisplay::FinalConstruct() {
  return zelph::CreateComInstance<DisplayTransformation>(nullptr, IID_IDisplayTransformation,
                                                         reinterpret_cast<void**>(&m_Transformation));
}

STDMETHODIMP SimpleDisplay::get_DisplayTransformation(IDisplayTransformation** transformation) {
  return HostCall([&] { return m_Transformation.CopyTo(transformation); }, transformation);
}

STDMETHODIMP SimpleDisplay::put_DisplayTransformation(IDisplayTransformation* transformation) {
  return HostCall([&] { m_Transformation = transformation; }, transformation);
}

STDMETHODIMP SimpleDisplay::get_Filter(IDisplayFilter** filter) {
  return HostCall([&] { return m_Filter.CopyTo(filter); }, filter);
}

STDMETHODIMP SimpleDisplay::putref_Filter(IDisplayFilter* filter) {
  return HostCall([&] { m_Filter = filter; });
}

STDMETHODIMP SimpleDisplay::StartDrawing(OLE_HANDLE hDC, SHORT) {
  return HostCall([&] {
    RequireArgument(GetCurrentObject(FromOleHandle<HDC>(hDC), OBJ_BITMAP) != nullptr);
    m_hDC = hDC;
  });
}

STDMETHODIMP SimpleDisplay::get_hDC(OLE_HANDLE* hDC) {
  return HostCall([&] { *hDC = m_hDC; }, hDC);
}

STDMETHODIMP SimpleDisplay::FinishDrawing() {
  return HostCall([&] {
    if (!m_hDC) Fail(E_UNEXPECTED);
    m_hDC = 0;
  });
}

STDMETHODIMP SimpleDisplay::DrawPoint(IGeometry* geometry) {
  return HostCall(
      [&] {
        CComQIPtr<IPoint> point(geometry);
        RequireArgument(point != nullptr);
        DrawMarkers({point});
      },
      geometry);
}

STDMETHODIMP SimpleDisplay::DrawMultipoint(IGeometry* geometry) {
  return HostCall(
      [&] {
        CComQIPtr<IPointCollection> collection(geometry);
        RequireArgument(collection != nullptr);
        LONG count = 0;
        ThrowIfFailed(collection->get_PointCount(&count));
        std::vector<CComPtr<IPoint>> points(static_cast<std::size_t>(std::max(count, LONG{0})));
        for (LONG i = 0; i < count; ++i) ThrowIfFailed(collection->get_Point(i, &points[i]));
        DrawMarkers(points);
      },
      geometry);
}

STDMETHODIMP SimpleDisplay::SetSymbol(ISymbol* symbol) {
  return HostCall([&] { m_Symbol = symbol; });
}

void SimpleDisplay::DrawMarkers(const std::vector<CComPtr<IPoint>>& points) {
  if (!m_hDC) Fail(E_UNEXPECTED);
  CComQIPtr<IMarkerSymbol> symbol(m_Symbol);
  if (!symbol) Fail(E_FAIL);
  const DeviceMapping mapping = DeviceMapping::Read(m_Transformation);
  const Marker marker = Marker::Read(symbol, mapping.DotsPerInch(), m_Filter);
  std::vector<DevicePoint> places;
  for (IPoint* point : points) {
    double x = NAN, y = NAN;
    // An empty point reads NaN: it has no place.
    point->QueryCoords(&x, &y);
    if (!std::isnan(x) && !std::isnan(y)) places.push_back(mapping.ToDevice(x, y));
  }
  if (places.empty()) return;
  const BOOL drawn = zelph::gdi::WithCairo(FromOleHandle<HDC>(m_hDC), [&](cairo_t* context) {
    for (const DevicePoint& place : places) marker.Draw(context, place.x, place.y);
  });
  if (!drawn) Fail(E_FAIL);
}

}  // namespace zelph::host::display
