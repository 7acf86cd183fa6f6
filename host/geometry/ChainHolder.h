// The chain inside a host segment, path or ring. Polylines and polygons
// reach their parts' chains through it, and segment collections the value
// of a segment handed to them, as parts and segments are host objects.
#pragma once

#include "host/geometry/SegmentChain.h"
#include "platform/Unknown.h"

namespace zelph::host::geometry {

class ChainHolder {
 public:
  explicit ChainHolder(bool ring) : m_Chain(ring) {}
  virtual ~ChainHolder() = default;

  SegmentChain& Chain() { return m_Chain; }
  const SegmentChain& Chain() const { return m_Chain; }

 protected:
  SegmentChain m_Chain;
};

// The holder inside a host object, or null for an object of another kind.
inline ChainHolder* HolderOf(IUnknown* object) { return dynamic_cast<ChainHolder*>(object); }

}  // namespace zelph::host::geometry
