// The ISegmentCollection bodies. Segments handed out are new copies of the
// matching host class carrying the geometry's spatial reference; segments
// handed in must be host segments and are copied.
#pragma once

#include "frame/HostGeometry.h"
#include "host/geometry/InterfaceValues.h"
#include "host/geometry/Segment.h"

namespace zelph::host::geometry {

// A new host segment of the segment's kind holding a copy of it.
void HandOutSegment(const Segment& segment, ISpatialReference* reference, ISegment** result);
// The value of a host segment; E_INVALIDARG for an empty or foreign one.
Segment ReadSegment(ISegment* segment);

class SegmentCollection : public ISegmentCollection {
 public:
  STDMETHODIMP get_SegmentCount(LONG* count) override;
  STDMETHODIMP get_Segment(LONG index, ISegment** segment) override;
  STDMETHODIMP AddSegment(ISegment* segment, VARIANT* before, VARIANT* after) override;

 protected:
  virtual ~SegmentCollection() = default;

  virtual size_t SegmentTotal() = 0;
  virtual const Segment& SegmentNumber(size_t index) = 0;
  virtual void InsertSegmentAt(const Placement& placement, const Segment& segment) = 0;
  virtual ISpatialReference* SegmentReference() = 0;
};

}  // namespace zelph::host::geometry
