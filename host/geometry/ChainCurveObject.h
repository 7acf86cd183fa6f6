// A curve whose value is one chain: the segment classes (a chain of at most
// one segment) and paths and rings.
#pragma once

#include "host/geometry/ChainHolder.h"
#include "host/geometry/CurveObject.h"
#include "host/geometry/GeometryRecords.h"

namespace zelph::host::geometry {

template <class Interface>
class ChainCurveObject : public CurveObject<Interface>, public ChainHolder {
 protected:
  explicit ChainCurveObject(bool ring = false) : ChainHolder(ring) {}

  CurveWalk Walk() const override { return CurveWalk({&m_Chain}); }
  void Clear() override { m_Chain.Clear(); }
  void Shift(double dx, double dy) override { m_Chain.Shift(dx, dy); }
  void SaveValue(IVariantStream* stream) const override { SaveChain(stream, m_Chain); }
  void LoadValue(IVariantStream* stream) override { m_Chain = LoadChain(stream, m_Chain.IsRing()); }
};

}  // namespace zelph::host::geometry
