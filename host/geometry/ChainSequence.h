// Vertices and segments numbered straight through a run of chains: the one
// chain of a path or ring, or the parts of a polyline or polygon in order.
// An insertion before or after an item goes into that item's chain; an
// appended item goes to the end of the last chain.
#pragma once

#include <vector>

#include "host/geometry/InterfaceValues.h"
#include "host/geometry/SegmentChain.h"

namespace zelph::host::geometry {

class ChainSequence {
 public:
  explicit ChainSequence(std::vector<SegmentChain*> chains) : m_Chains(std::move(chains)) {}

  size_t VertexCount() const;
  Coordinates Vertex(size_t index) const;
  // Appending needs a chain to append to: E_FAIL (as a ComException)
  // when there is none.
  void InsertVertex(const Placement& placement, const Coordinates& vertex);
  void UpdateVertex(size_t index, const Coordinates& vertex);
  void RemoveVertices(size_t first, size_t count);

  size_t SegmentCount() const;
  const Segment& SegmentAt(size_t index) const;
  void InsertSegment(const Placement& placement, const Segment& segment);

 private:
  struct Place {
    SegmentChain* chain;
    size_t local;
  };
  // The chain holding item `index` and the item's number within it;
  // `count` tells how a chain numbers the items.
  Place Locate(size_t index, size_t (SegmentChain::*count)() const) const;
  // The chain and local position where a placed item goes.
  Place Target(const Placement& placement, size_t (SegmentChain::*count)() const) const;

  std::vector<SegmentChain*> m_Chains;
};

}  // namespace zelph::host::geometry
