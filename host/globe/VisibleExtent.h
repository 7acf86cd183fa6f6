// Which longitudes and latitudes of the globe a view shows.
#pragma once

#include <optional>

#include "host/globe/ViewFrame.h"

namespace zelph::host::globe {

// Degrees. Longitudes run from lonMin in [-180, 180) to lonMax, which exceeds
// 180 when the view spans the date line, so that lonMax - lonMin is always
// the width shown.
struct GeographicBox {
  double lonMin, latMin, lonMax, latMax;
};

// The box around every point of the globe's surface seen through the
// window: the nearest hits of rays through a grid of window points, the
// visible stretch of the horizon when some rays pass the globe, and a pole
// facing the eye inside the window, which takes in every longitude. Empty
// when the window shows none of the globe.
std::optional<GeographicBox> VisibleGeographicExtent(const ViewFrame& frame);

}  // namespace zelph::host::globe
