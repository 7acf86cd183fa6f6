// Values read from and written to other objects through their interfaces,
// so that a caller's point or envelope may be any host object, and the
// placement arguments of the collection methods.
#pragma once

#include "frame/HostGeometry.h"
#include "frame/HostSpatialReference.h"
#include "host/geometry/Bounds.h"
#include "platform/ComPtr.h"

namespace zelph::host::geometry {

// Reads x, y and z; E_INVALIDARG (as a ComException) for an empty point.
Coordinates ReadPoint(IPoint* point);
// Writes x, y, z and the spatial reference into the caller's point.
void WritePoint(IPoint* point, const Coordinates& coordinates, ISpatialReference* reference);
// A new point holding a copy of the coordinates, handed to `point`.
void HandOutPoint(const Coordinates& coordinates, ISpatialReference* reference, IPoint** point);

Bounds ReadBounds(IEnvelope* envelope);
void WriteBounds(IEnvelope* envelope, const Bounds& bounds, ISpatialReference* reference);

// Where an item goes among `count` others, from the optional `before` and
// `after` index arguments (VT_I4 or VT_INT; VT_EMPTY, VT_ERROR, VT_NULL or
// a null pointer mean none). Neither given appends; both given, an index
// out of range or another type is E_INVALIDARG.
struct Placement {
  enum class Where { Append, Before, After };

  // The insertion position in one run of `count` items.
  size_t Position(size_t count) const;

  Where where = Where::Append;
  size_t index = 0;
};
Placement ReadPlacement(const VARIANT* before, const VARIANT* after, size_t count);

// E_INVALIDARG unless [index, index + count) lies within [0, total).
void CheckRange(LONG index, LONG count, size_t total);

}  // namespace zelph::host::geometry
