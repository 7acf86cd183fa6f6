#include "host/geometry/SegmentCollection.h"

#include <algorithm>

#include "host/HostClasses.h"
#include "host/geometry/ChainHolder.h"
#include "host/HostCall.h"

namespace zelph::host::geometry {

void HandOutSegment(const Segment& segment, ISpatialReference* reference, ISegment** result) {
  Creator* create = segment.Kind() == SegmentKind::Line          ? &CreateLine
                    : segment.Kind() == SegmentKind::CircularArc ? &CreateCircularArc
                                                                 : &CreateEllipticArc;
  CComPtr<ISegment> copy;
  ThrowIfFailed(create(nullptr, IID_ISegment, reinterpret_cast<void**>(&copy)));
  HolderOf(copy)->Chain().InsertSegment(0, segment);
  ThrowIfFailed(copy->putref_SpatialReference(reference));
  *result = copy.Detach();
}

Segment ReadSegment(ISegment* segment) {
  ChainHolder* holder = HolderOf(segment);
  if (!holder || holder->Chain().SegmentCount() != 1) Fail(E_INVALIDARG);
  return holder->Chain().SegmentAt(0);
}

STDMETHODIMP SegmentCollection::get_SegmentCount(LONG* count) {
  return HostCall([&] { *count = static_cast<LONG>(std::min<size_t>(SegmentTotal(), 0x7FFFFFFF)); }, count);
}

STDMETHODIMP SegmentCollection::get_Segment(LONG index, ISegment** segment) {
  return HostCall(
      [&] {
        *segment = nullptr;
        CheckRange(index, 1, SegmentTotal());
        HandOutSegment(SegmentNumber(static_cast<size_t>(index)), SegmentReference(), segment);
      },
      segment);
}

STDMETHODIMP SegmentCollection::AddSegment(ISegment* segment, VARIANT* before, VARIANT* after) {
  return HostCall(
      [&] {
        Segment value = ReadSegment(segment);
        InsertSegmentAt(ReadPlacement(before, after, SegmentTotal()), value);
      },
      segment);
}

}  // namespace zelph::host::geometry
