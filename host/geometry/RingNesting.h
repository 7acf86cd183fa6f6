// How a polygon's rings nest. A ring's depth is the number of other rings
// it lies inside; even depths are exterior rings, odd ones interior. Its
// parent is the innermost ring holding it, so that an interior ring belongs
// to the exterior ring directly around it.
//
// Containment is decided by a vertex of the inner ring that is certainly
// inside or outside the other: a vertex on the other's boundary, or too
// near it for the orientation sign to be certain, is passed over for the
// next one (then for edge middles). Rings that share their whole boundary
// do not contain each other. Arcs are tested as their lines.
#pragma once

#include <optional>
#include <vector>

#include "host/geometry/SegmentChain.h"

namespace zelph::host::geometry {

class RingNesting {
 public:
  explicit RingNesting(const std::vector<const SegmentChain*>& rings);

  size_t Depth(size_t ring) const { return m_Depths[ring]; }
  bool IsExterior(size_t ring) const { return m_Depths[ring] % 2 == 0; }
  // The innermost ring around `ring`, none for a ring inside no other.
  std::optional<size_t> Parent(size_t ring) const { return m_Parents[ring]; }

 private:
  std::vector<size_t> m_Depths;
  std::vector<std::optional<size_t>> m_Parents;
};

}  // namespace zelph::host::geometry
