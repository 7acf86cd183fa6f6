// What the segment classes share beyond their chain: the segment itself,
// its arc shape for the getters, and Project. A projected segment stays a
// segment of its kind: it is rebuilt from transformed anchor points (see
// Segment::Anchors), which follows the transformation's local behaviour.
#pragma once

#include "host/geometry/ChainCurveObject.h"
#include "host/HostCall.h"
#include "host/geometry/InterfaceValues.h"
#include "host/streams/StreamValues.h"

namespace zelph::host::geometry {

template <class Interface>
class SegmentObject : public ChainCurveObject<Interface> {
 protected:
  // The segment; E_FAIL (as a ComException) while there is none.
  const Segment& Current() const {
    if (this->m_Chain.Empty()) Fail(E_FAIL);
    return this->m_Chain.SegmentAt(0);
  }
  SegmentKind Kind() const {
    switch (this->Type()) {
      case kestGeometryCircularArc:
        return SegmentKind::CircularArc;
      case kestGeometryEllipticArc:
        return SegmentKind::EllipticArc;
      default:
        return SegmentKind::Line;
    }
  }
  void Assign(const Segment& segment) {
    this->m_Chain.Clear();
    this->m_Chain.InsertSegment(0, segment);
  }

  HRESULT GetShapeValue(double ArcShape::*field, double* value) {
    return HostCall([&] { *value = Current().Shape().*field; }, value);
  }
  HRESULT WriteCenter(IPoint* center) {
    return HostCall([&] { WritePoint(center, Current().Shape().center, this->m_Reference); }, center);
  }

  // A segment's chain is empty or holds one segment of the class's kind.
  void LoadValue(IVariantStream* stream) override {
    SegmentChain chain = LoadChain(stream, false);
    if (!chain.Empty() && (chain.VertexCount() != 2 || chain.SegmentAt(0).Kind() != Kind())) {
      Fail(streams::kRecordMismatch);
    }
    this->m_Chain = chain;
  }

  void Reproject(ISpatialReference* source, ISpatialReference* target) override {
    std::vector<std::vector<Coordinates>> lists{Current().Anchors()};
    TransformPointLists(source, target, lists);
    Assign(Current().Rebuilt(lists.front()));
  }
};

}  // namespace zelph::host::geometry
