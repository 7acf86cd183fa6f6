// Brings host geometries into the geographic frame that all placement reads:
// x the longitude and y the latitude in degrees of WGS 1984. Geometries in
// any other named coordinate system are projected in place; geometries
// without a spatial reference are taken to be geographic already.
#pragma once

#include <optional>
#include <string>

#include "frame/HostGeometry.h"
#include "frame/HostSpatialReference.h"
#include "geometry/Geopunctus.h"
#include "platform/ComPtr.h"

using IGeometryPtr = CComPtr<IGeometry>;
using ISpatialReferencePtr = CComPtr<ISpatialReference>;

class GeometryHelfen {
 public:
  GeometryHelfen() = delete;

  // Creates the geographic system (code 4326) once per process. Callers
  // are all on the host's thread, so no lock guards the first use.
  static void Initialize();
  // True when the geometry's spatial reference is named otherwise than the
  // geographic system. False for a geometry without one, and for a null
  // geometry (reported as a failure).
  static bool NeedsToRepent(IGeometryPtr geometry);
  // Projects the geometry in place when it needs it and returns it. A
  // geometry that cannot be projected comes back as it was.
  static IGeometryPtr Proselytize(IGeometryPtr geometry);
  // Where a host point stands once in the geographic frame: latitude from
  // y, longitude from x, altitude from z (a point without height stands at
  // 0). None for a null point (reported as by Proselytize) and for one that
  // was never placed or whose x or y is not a number: whoever places by it
  // keeps the place it had.
  static std::optional<Geopunctus> GeographicLocation(IPoint* point);

  static constexpr LONG kGeographicCode = 4326;

  static inline bool m_Initialized = false;
  static inline ISpatialReferencePtr m_GCSSpatRef;
  static inline std::wstring m_GCSName;
};
