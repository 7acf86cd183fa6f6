#include "host/geometry/ChainSequence.h"

#include <algorithm>

#include "host/HostCall.h"

namespace zelph::host::geometry {

ChainSequence::Place ChainSequence::Locate(size_t index, size_t (SegmentChain::*count)() const) const {
  for (SegmentChain* chain : m_Chains) {
    size_t items = (chain->*count)();
    if (index < items) return {chain, index};
    index -= items;
  }
  Fail(E_INVALIDARG);
}

ChainSequence::Place ChainSequence::Target(const Placement& placement,
                                           size_t (SegmentChain::*count)() const) const {
  if (placement.where == Placement::Where::Append) {
    if (m_Chains.empty()) Fail(E_FAIL);
    return {m_Chains.back(), (m_Chains.back()->*count)()};
  }
  Place place = Locate(placement.index, count);
  if (placement.where == Placement::Where::After) ++place.local;
  return place;
}

size_t ChainSequence::VertexCount() const {
  size_t count = 0;
  for (const SegmentChain* chain : m_Chains) count += chain->VertexCount();
  return count;
}

Coordinates ChainSequence::Vertex(size_t index) const {
  Place place = Locate(index, &SegmentChain::VertexCount);
  return place.chain->Vertex(place.local);
}

void ChainSequence::InsertVertex(const Placement& placement, const Coordinates& vertex) {
  Place place = Target(placement, &SegmentChain::VertexCount);
  place.chain->InsertVertex(place.local, vertex);
}

void ChainSequence::UpdateVertex(size_t index, const Coordinates& vertex) {
  Place place = Locate(index, &SegmentChain::VertexCount);
  place.chain->UpdateVertex(place.local, vertex);
}

void ChainSequence::RemoveVertices(size_t first, size_t count) {
  size_t start = 0;
  for (SegmentChain* chain : m_Chains) {
    size_t items = chain->VertexCount();
    size_t from = std::clamp(first, start, start + items);
    size_t to = std::clamp(first + count, start, start + items);
    start += items;
    if (to > from) chain->RemoveVertices(from - (start - items), to - from);
  }
}

size_t ChainSequence::SegmentCount() const {
  size_t count = 0;
  for (const SegmentChain* chain : m_Chains) count += chain->SegmentCount();
  return count;
}

const Segment& ChainSequence::SegmentAt(size_t index) const {
  Place place = Locate(index, &SegmentChain::SegmentCount);
  return place.chain->SegmentAt(place.local);
}

void ChainSequence::InsertSegment(const Placement& placement, const Segment& segment) {
  Place place = Target(placement, &SegmentChain::SegmentCount);
  place.chain->InsertSegment(place.local, segment);
}

}  // namespace zelph::host::geometry
