// A walk along one or more chains in order: a path, a ring, or the parts
// of a polyline or polygon. Between parts the walk jumps from one part's
// end to the next part's start; the gap adds nothing to the length. Each
// segment's heights are interpolated on their own, so a walk passes every
// vertex at its own height.
#pragma once

#include <optional>
#include <vector>

#include "host/geometry/SegmentChain.h"

namespace zelph::host::geometry {

class CurveWalk {
 public:
  explicit CurveWalk(std::vector<const SegmentChain*> chains) : m_Chains(std::move(chains)) {}

  double Length() const;
  // None when no chain holds a vertex.
  std::optional<Coordinates> Start() const;
  std::optional<Coordinates> End() const;
  // The point `distance` along the walk. Before the start or past the end
  // either the end itself or, when `extend`, the end tangent continued.
  std::optional<Coordinates> PointAt(double distance, bool extend) const;
  // Whether there is something to walk and every part ends where it starts.
  bool Closed() const;
  Bounds Extent() const;

 private:
  std::vector<const SegmentChain*> m_Chains;
};

}  // namespace zelph::host::geometry
