// The point and segment collections of the geometries made of chains:
// paths and rings (one chain) and polylines and polygons (one per part).
#pragma once

#include <vector>

#include "frame/HostSpatialReference.h"
#include "host/geometry/ChainSequence.h"
#include "host/geometry/PointCollection.h"
#include "host/geometry/SegmentCollection.h"

namespace zelph::host::geometry {

class ChainCollections : public PointCollection, public SegmentCollection {
 protected:
  // The chains in order. `forAppend` asks for a chain to append to, which
  // a geometry without parts makes then.
  virtual std::vector<SegmentChain*> Chains(bool forAppend) = 0;
  virtual ISpatialReference* CollectionReference() = 0;

  // Transforms every chain, arcs first turned into lines; nothing changes
  // when the transformation fails.
  void ReprojectChains(ISpatialReference* source, ISpatialReference* target);

  size_t VertexTotal() override;
  Coordinates VertexAt(size_t index) override;
  void InsertVertexAt(const Placement& placement, const Coordinates& vertex) override;
  void UpdateVertexAt(size_t index, const Coordinates& vertex) override;
  void RemoveVerticesAt(size_t first, size_t count) override;
  ISpatialReference* VertexReference() override { return CollectionReference(); }

  size_t SegmentTotal() override;
  const Segment& SegmentNumber(size_t index) override;
  void InsertSegmentAt(const Placement& placement, const Segment& segment) override;
  ISpatialReference* SegmentReference() override { return CollectionReference(); }

 private:
  ChainSequence Sequence(bool forAppend = false) { return ChainSequence(Chains(forAppend)); }
};

}  // namespace zelph::host::geometry
