#include "geometry/GeometryHelfen.h"

#include <cmath>

#include "frame/ErrorConvention.h"
#include "frame/HostGuids.h"
#include "frame/Logger.h"
#include "platform/ComBstr.h"

void GeometryHelfen::Initialize() {
  zelph::InternalCall(L"Initialize", [] {
    CComPtr<IUnknown> environment;
    zelph::ThrowIfFailed(environment.CoCreateInstance(CLSID_SpatialReferenceEnvironment));
    CComQIPtr<ISpatialReferenceFactory> factory(environment);
    zelph::ThrowIfNull(factory);
    ISpatialReferencePtr geographic;
    zelph::ThrowIfFailed(factory->CreateGeographicCoordinateSystem(kGeographicCode, &geographic));
    zelph::ThrowIfNull(geographic);
    CComBSTR name;
    zelph::ThrowIfFailed(geographic->get_Name(&name));
    // Everything is in hand before anything is kept, so that a failure
    // leaves the helper uninitialised and the next call tries again.
    m_GCSSpatRef = geographic;
    m_GCSName.assign(name.View());
    m_Initialized = true;
  });
}

bool GeometryHelfen::NeedsToRepent(IGeometryPtr geometry) {
  return zelph::InternalCall(L"NeedsToRepent", [&] {
    zelph::ThrowIfNull(geometry);
    ISpatialReferencePtr reference;
    zelph::ThrowIfFailed(geometry->get_SpatialReference(&reference));
    if (!reference) return false;
    CComBSTR name;
    zelph::ThrowIfFailed(reference->get_Name(&name));
    return std::wstring(name.View()) != m_GCSName;
  });
}

IGeometryPtr GeometryHelfen::Proselytize(IGeometryPtr geometry) {
  // The caller always gets its own geometry back: projected when that
  // worked, untouched when it did not.
  zelph::InternalCall(L"Proselytize", [&] {
    if (!m_Initialized) Initialize();
    if (!geometry) {
      Logger::Warning(L"Cannot proselytize a NULL geometry...");
      return;
    }
    if (NeedsToRepent(geometry)) {
      zelph::ThrowIfNull(m_GCSSpatRef);
      zelph::ThrowIfFailed(geometry->Project(m_GCSSpatRef));
    }
  });
  return geometry;
}

std::optional<Geopunctus> GeometryHelfen::GeographicLocation(IPoint* point) {
  CComQIPtr<IPoint> geographic{Proselytize(IGeometryPtr(point))};
  if (!geographic) return std::nullopt;
  double x = NAN, y = NAN, z = NAN;
  if (geographic->QueryCoords(&x, &y) != S_OK || std::isnan(x) || std::isnan(y)) return std::nullopt;
  geographic->get_Z(&z);
  return Geopunctus(static_cast<float>(y), static_cast<float>(x), static_cast<float>(z));
}
