// What paths and rings share: one chain, walked as a curve and open to
// edits through its point and segment collections.
#pragma once

#include "host/geometry/ChainCollections.h"
#include "host/geometry/ChainCurveObject.h"

namespace zelph::host::geometry {

template <class Interface>
class PathObject : public ChainCurveObject<Interface>, public ChainCollections {
 protected:
  explicit PathObject(bool ring) : ChainCurveObject<Interface>(ring) {}

  void Reproject(ISpatialReference* source, ISpatialReference* target) override { ReprojectChains(source, target); }
  std::vector<SegmentChain*> Chains(bool) override { return {&this->m_Chain}; }
  ISpatialReference* CollectionReference() override { return this->m_Reference; }
};

}  // namespace zelph::host::geometry
