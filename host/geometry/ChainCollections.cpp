#include "host/geometry/ChainCollections.h"

#include "host/geometry/GeometryCore.h"

namespace zelph::host::geometry {

void ChainCollections::ReprojectChains(ISpatialReference* source, ISpatialReference* target) {
  std::vector<SegmentChain*> chains = Chains(false);
  std::vector<std::vector<Coordinates>> lists;
  for (const SegmentChain* chain : chains) lists.push_back(chain->VerticesAsLines());
  TransformPointLists(source, target, lists);
  for (size_t i = 0; i < chains.size(); ++i) *chains[i] = SegmentChain::ThroughVertices(lists[i], chains[i]->IsRing());
}

size_t ChainCollections::VertexTotal() { return Sequence().VertexCount(); }

Coordinates ChainCollections::VertexAt(size_t index) { return Sequence().Vertex(index); }

void ChainCollections::InsertVertexAt(const Placement& placement, const Coordinates& vertex) {
  Sequence(placement.where == Placement::Where::Append).InsertVertex(placement, vertex);
}

void ChainCollections::UpdateVertexAt(size_t index, const Coordinates& vertex) {
  Sequence().UpdateVertex(index, vertex);
}

void ChainCollections::RemoveVerticesAt(size_t first, size_t count) { Sequence().RemoveVertices(first, count); }

size_t ChainCollections::SegmentTotal() { return Sequence().SegmentCount(); }

const Segment& ChainCollections::SegmentNumber(size_t index) { return Sequence().SegmentAt(index); }

void ChainCollections::InsertSegmentAt(const Placement& placement, const Segment& segment) {
  Sequence(placement.where == Placement::Where::Append).InsertSegment(placement, segment);
}

}  // namespace zelph::host::geometry
