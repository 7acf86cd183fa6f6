#include "graphics/Billboard3DBase.h"

#include <cmath>

#include "frame/ErrorConvention.h"
#include "frame/Guids.h"
#include "frame/PropertyValues.h"

using zelph::ComCall;

template <class Interface, class Change>
void Billboard3DBase::PassToSensor(Change&& change) {
  if (!m_SensorEllipsoid) return;
  CComQIPtr<Interface> sensor{m_SensorEllipsoid};
  if (!sensor) zelph::Fail(E_FAIL);
  change(sensor.p);
}

void Billboard3DBase::UpdateExtent() { CenterExtentOnCentroid(m_XSize, m_YSize); }

STDMETHODIMP Billboard3DBase::get_XSize(DOUBLE* size) {
  return ComCall(L"get_XSize", [&] { *size = m_XSize; }, size);
}

STDMETHODIMP Billboard3DBase::put_XSize(DOUBLE size) {
  return ComCall(L"put_XSize", [&] {
    zelph::RequireNumber(size);
    m_XSize = size;
    UpdateExtent();
    RaiseUpdateLevel(kestGLUpdateMinor);
  });
}

STDMETHODIMP Billboard3DBase::get_YSize(DOUBLE* size) {
  return ComCall(L"get_YSize", [&] { *size = m_YSize; }, size);
}

STDMETHODIMP Billboard3DBase::put_YSize(DOUBLE size) {
  return ComCall(L"put_YSize", [&] {
    zelph::RequireNumber(size);
    m_YSize = size;
    UpdateExtent();
    RaiseUpdateLevel(kestGLUpdateMinor);
  });
}

STDMETHODIMP Billboard3DBase::QuerySize(DOUBLE* x, DOUBLE* y) {
  return ComCall(
      L"QuerySize",
      [&] {
        *x = m_XSize;
        *y = m_YSize;
      },
      x, y);
}

STDMETHODIMP Billboard3DBase::PutSize(DOUBLE x, DOUBLE y) {
  return ComCall(L"PutSize", [&] {
    zelph::RequireNumber(x);
    zelph::RequireNumber(y);
    m_XSize = x;
    m_YSize = y;
    UpdateExtent();
    RaiseUpdateLevel(kestGLUpdateMinor);
  });
}

STDMETHODIMP Billboard3DBase::get_SensorEllipsoid(IEllipsoid3D** ellipsoid) {
  return ComCall(L"get_SensorEllipsoid", [&] { zelph::HandOut(m_SensorEllipsoid.p, ellipsoid); }, ellipsoid);
}

STDMETHODIMP Billboard3DBase::putref_SensorEllipsoid(IEllipsoid3D* ellipsoid) {
  return ComCall(L"putref_SensorEllipsoid", [&] {
    m_SensorEllipsoid = ellipsoid;
    PassToSensor<IGraphic3D>([&](IGraphic3D* sensor) {
      LONG transparency = 0;
      zelph::ThrowIfFailed(sensor->get_Transparency(&transparency));
      m_SensorTransRatio = transparency / 255.0;
    });
  });
}

STDMETHODIMP Billboard3DBase::putref_Centroid(IPoint* centroid) {
  return ComCall(L"putref_Centroid", [&] {
    m_Centroid = centroid;
    UpdateExtent();
    // The sensor holds the same point object, so moving one moves both.
    PassToSensor<IGraphic3D>([&](IGraphic3D* sensor) { sensor->putref_Centroid(centroid); });
    RaiseUpdateLevel(kestGLUpdateLocation);
  });
}

STDMETHODIMP Billboard3DBase::put_Selected(VARIANT_BOOL selected) {
  return ComCall(L"put_Selected", [&] {
    m_Selected = selected;
    PassToSensor<IGraphic3D>([&](IGraphic3D* sensor) { sensor->put_Selected(selected); });
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP Billboard3DBase::put_Transparency(LONG transparency) {
  return ComCall(L"put_Transparency", [&] {
    zelph::RequireTransparency(transparency);
    m_Transparency = transparency;
    PassToSensor<IGraphic3D>([&](IGraphic3D* sensor) {
      // A ratio read from a damaged record may scale the value out of any
      // transparency (or to NaN); such a value is not handed on.
      double scaled = std::trunc(transparency * m_SensorTransRatio);
      if (scaled >= 0.0 && scaled <= 255.0) {
        sensor->put_Transparency(static_cast<LONG>(scaled));
      } else {
        Logger::Warning(L"Sensor transparency ratio %g gives no transparency for %ld\n", m_SensorTransRatio,
                        static_cast<long>(transparency));
      }
    });
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP Billboard3DBase::put_Visible(VARIANT_BOOL visible) {
  return ComCall(L"put_Visible", [&] {
    m_Visible = visible;
    PassToSensor<IGraphic3D>([&](IGraphic3D* sensor) { sensor->put_Visible(visible); });
    RaiseUpdateLevel(kestGLUpdateMinor);
  });
}

STDMETHODIMP Billboard3DBase::put_ThresholdElevation(DOUBLE elevation) {
  return ComCall(L"put_ThresholdElevation", [&] {
    zelph::RequireNumber(elevation);
    m_ThresholdElevation = elevation;
    PassToSensor<IGraphic3D>([&](IGraphic3D* sensor) { sensor->put_ThresholdElevation(elevation); });
    RaiseUpdateLevel(kestGLUpdateLocation);
  });
}

STDMETHODIMP Billboard3DBase::put_EnableCallout(VARIANT_BOOL enabled) {
  return ComCall(L"put_EnableCallout", [&] {
    m_EnableCallout = enabled;
    PassToSensor<ICallout3D>([&](ICallout3D* sensor) { sensor->put_EnableCallout(enabled); });
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP Billboard3DBase::putref_CalloutLineSymbol(ISimpleLineSymbol* symbol) {
  return ComCall(L"putref_CalloutLineSymbol", [&] {
    m_CalloutLineSymbol = symbol;
    if (m_SensorEllipsoid) m_SensorEllipsoid->putref_GridSymbol(symbol);
    PassToSensor<ICallout3D>([&](ICallout3D* sensor) { sensor->putref_CalloutLineSymbol(symbol); });
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP Billboard3DBase::putref_CalloutAnchorLocation(IPoint* anchor) {
  return ComCall(L"putref_CalloutAnchorLocation", [&] {
    m_CalloutAnchorPint = anchor;
    PassToSensor<ICallout3D>([&](ICallout3D* sensor) { sensor->putref_CalloutAnchorLocation(anchor); });
    RaiseUpdateLevel(kestGLUpdateLocation);
  });
}

STDMETHODIMP Billboard3DBase::put_WindVaneAzimuth(DOUBLE azimuth) {
  return ComCall(L"put_WindVaneAzimuth", [&] {
    zelph::RequireNumber(azimuth);
    m_WindVaneAzimuth = azimuth;
    PassToSensor<ICallout3D>([&](ICallout3D* sensor) { sensor->put_WindVaneAzimuth(azimuth); });
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

STDMETHODIMP Billboard3DBase::put_WindVaneSize(DOUBLE size) {
  return ComCall(L"put_WindVaneSize", [&] {
    zelph::RequireNumber(size);
    m_WindVaneSize = size;
    PassToSensor<ICallout3D>([&](ICallout3D* sensor) { sensor->put_WindVaneSize(size); });
    RaiseUpdateLevel(kestGLUpdateMajor);
  });
}

void Billboard3DBase::SaveBillboard(IVariantStream* stream) {
  m_Serial.SaveDouble(stream, m_XSize);
  m_Serial.SaveDouble(stream, m_YSize);
  m_Serial.SaveInline(stream, m_SensorEllipsoid, CLSID_Ellipsoid3D);
  m_Serial.SaveDouble(stream, m_SensorTransRatio);
  Callout3DBase::Save(stream);
}

void Billboard3DBase::LoadBillboard(IVariantStream* stream) {
  m_XSize = m_Serial.LoadDouble(stream);
  m_YSize = m_Serial.LoadDouble(stream);
  m_Serial.LoadInlineOfKind(stream, m_SensorEllipsoid, CLSID_Ellipsoid3D, SerialHelper::EllipsoidKind);
  m_SensorTransRatio = m_Serial.LoadDouble(stream);
  Callout3DBase::Load(stream);
}
