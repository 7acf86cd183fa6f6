#include "host/geometry/InterfaceValues.h"

#include <optional>

#include "host/HostClasses.h"
#include "host/HostCall.h"

namespace zelph::host::geometry {

namespace {

std::optional<LONG> ReadIndex(const VARIANT* value) {
  if (!value) return std::nullopt;
  switch (value->vt) {
    case VT_EMPTY:
    case VT_ERROR:
    case VT_NULL:
      return std::nullopt;
    case VT_I4:
      return value->lVal;
    case VT_INT:
      return value->intVal;
    default:
      Fail(E_INVALIDARG);
  }
}

}  // namespace

Coordinates ReadPoint(IPoint* point) {
  Coordinates coordinates;
  if (FAILED(point->QueryCoords(&coordinates.x, &coordinates.y))) Fail(E_INVALIDARG);
  ThrowIfFailed(point->get_Z(&coordinates.z));
  return coordinates;
}

void WritePoint(IPoint* point, const Coordinates& coordinates, ISpatialReference* reference) {
  ThrowIfFailed(point->PutCoords(coordinates.x, coordinates.y));
  ThrowIfFailed(point->put_Z(coordinates.z));
  ThrowIfFailed(point->putref_SpatialReference(reference));
}

void HandOutPoint(const Coordinates& coordinates, ISpatialReference* reference, IPoint** point) {
  CComPtr<IPoint> copy;
  ThrowIfFailed(CreatePoint(nullptr, IID_IPoint, reinterpret_cast<void**>(&copy)));
  WritePoint(copy, coordinates, reference);
  *point = copy.Detach();
}

Bounds ReadBounds(IEnvelope* envelope) {
  Bounds bounds;
  VARIANT_BOOL empty = VARIANT_TRUE;
  ThrowIfFailed(envelope->get_IsEmpty(&empty));
  if (!empty) {
    double xMin, yMin, xMax, yMax;
    ThrowIfFailed(envelope->QueryCoords(&xMin, &yMin, &xMax, &yMax));
    bounds = Bounds::Between(xMin, yMin, xMax, yMax);
  }
  ThrowIfFailed(envelope->get_ZMin(&bounds.zMin));
  ThrowIfFailed(envelope->get_ZMax(&bounds.zMax));
  return bounds;
}

void WriteBounds(IEnvelope* envelope, const Bounds& bounds, ISpatialReference* reference) {
  ThrowIfFailed(bounds.Empty() ? envelope->SetEmpty()
                       : envelope->PutCoords(bounds.xMin, bounds.yMin, bounds.xMax, bounds.yMax));
  ThrowIfFailed(envelope->put_ZMin(bounds.zMin));
  ThrowIfFailed(envelope->put_ZMax(bounds.zMax));
  ThrowIfFailed(envelope->putref_SpatialReference(reference));
}

size_t Placement::Position(size_t count) const {
  switch (where) {
    case Where::Before:
      return index;
    case Where::After:
      return index + 1;
    case Where::Append:
      break;
  }
  return count;
}

Placement ReadPlacement(const VARIANT* before, const VARIANT* after, size_t count) {
  std::optional<LONG> beforeIndex = ReadIndex(before);
  std::optional<LONG> afterIndex = ReadIndex(after);
  if (beforeIndex && afterIndex) Fail(E_INVALIDARG);
  if (!beforeIndex && !afterIndex) return {};
  LONG index = beforeIndex ? *beforeIndex : *afterIndex;
  if (index < 0 || static_cast<size_t>(index) >= count) Fail(E_INVALIDARG);
  return {beforeIndex ? Placement::Where::Before : Placement::Where::After, static_cast<size_t>(index)};
}

void CheckRange(LONG index, LONG count, size_t total) {
  if (index < 0 || count < 0 || static_cast<size_t>(index) + static_cast<size_t>(count) > total) Fail(E_INVALIDARG);
}

}  // namespace zelph::host::geometry
