#include "host/geometry/CurveWalk.h"

namespace zelph::host::geometry {

double CurveWalk::Length() const {
  double length = 0.0;
  for (const SegmentChain* chain : m_Chains) length += chain->Length();
  return length;
}

std::optional<Coordinates> CurveWalk::Start() const {
  for (const SegmentChain* chain : m_Chains) {
    if (!chain->Empty()) return chain->StartPoint();
  }
  return std::nullopt;
}

std::optional<Coordinates> CurveWalk::End() const {
  for (auto chain = m_Chains.rbegin(); chain != m_Chains.rend(); ++chain) {
    if (!(*chain)->Empty()) return (*chain)->EndPoint();
  }
  return std::nullopt;
}

std::optional<Coordinates> CurveWalk::PointAt(double distance, bool extend) const {
  const Segment* first = nullptr;
  const Segment* last = nullptr;
  for (const SegmentChain* chain : m_Chains) {
    if (chain->SegmentCount() == 0) continue;
    if (!first) first = &chain->SegmentAt(0);
    last = &chain->SegmentAt(chain->SegmentCount() - 1);
  }
  if (!first) return Start();
  double total = Length();
  if (distance <= 0) return first->PointAt(distance, extend);
  if (distance >= total) return extend ? last->PointAt(distance - total + last->Length(), true) : last->To();
  double left = distance;
  for (const SegmentChain* chain : m_Chains) {
    for (size_t i = 0; i < chain->SegmentCount(); ++i) {
      const Segment& segment = chain->SegmentAt(i);
      if (left <= segment.Length()) return segment.PointAt(left, false);
      left -= segment.Length();
    }
  }
  return last->To();
}

bool CurveWalk::Closed() const {
  bool any = false;
  for (const SegmentChain* chain : m_Chains) {
    if (chain->Empty()) continue;
    if (!chain->IsClosed()) return false;
    any = true;
  }
  return any;
}

Bounds CurveWalk::Extent() const {
  Bounds box;
  for (const SegmentChain* chain : m_Chains) box.Include(chain->Extent());
  return box;
}

}  // namespace zelph::host::geometry
