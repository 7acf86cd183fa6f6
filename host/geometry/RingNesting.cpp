#include "host/geometry/RingNesting.h"

#include <cmath>
#include <limits>

namespace zelph::host::geometry {

namespace {

enum class Side { Inside, Outside, Unsure };

// The sign of the orientation of (a, b, p), or 0 when rounding could have
// flipped it: the fast orientation filter with its proven error bound.
int OrientationSign(const Coordinates& a, const Coordinates& b, const Coordinates& p) {
  constexpr double kEpsilon = std::numeric_limits<double>::epsilon() / 2;
  constexpr double kBound = (3.0 + 16.0 * kEpsilon) * kEpsilon;
  double left = (a.x - p.x) * (b.y - p.y);
  double right = (a.y - p.y) * (b.x - p.x);
  double determinant = left - right;
  if (std::fabs(determinant) <= kBound * (std::fabs(left) + std::fabs(right))) return 0;
  return determinant > 0 ? 1 : -1;
}

bool WithinBox(const Coordinates& a, const Coordinates& b, const Coordinates& p) {
  return p.x >= std::fmin(a.x, b.x) && p.x <= std::fmax(a.x, b.x) && p.y >= std::fmin(a.y, b.y) &&
         p.y <= std::fmax(a.y, b.y);
}

// Crossing count of a ray towards +x, edges taken half-open in y so that
// a ray through a vertex counts once; the closing edge is implied.
Side SideOf(const Coordinates& p, const std::vector<Coordinates>& ring) {
  if (ring.size() < 3 || std::isnan(p.x) || std::isnan(p.y)) return Side::Unsure;
  bool inside = false;
  for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
    const Coordinates& a = ring[j];
    const Coordinates& b = ring[i];
    int sign = OrientationSign(a, b, p);
    bool straddles = (a.y > p.y) != (b.y > p.y);
    if (sign == 0 && (straddles || WithinBox(a, b, p))) return Side::Unsure;
    if (straddles && (b.y > a.y ? sign > 0 : sign < 0)) inside = !inside;
  }
  return inside ? Side::Inside : Side::Outside;
}

bool Contains(const std::vector<Coordinates>& outer, const std::vector<Coordinates>& inner) {
  for (const Coordinates& vertex : inner) {
    Side side = SideOf(vertex, outer);
    if (side != Side::Unsure) return side == Side::Inside;
  }
  for (size_t i = 0, j = inner.size() - 1; i < inner.size(); j = i++) {
    Coordinates middle{(inner[i].x + inner[j].x) / 2, (inner[i].y + inner[j].y) / 2, kNoValue};
    Side side = SideOf(middle, outer);
    if (side != Side::Unsure) return side == Side::Inside;
  }
  return false;
}

}  // namespace

RingNesting::RingNesting(const std::vector<const SegmentChain*>& rings)
    : m_Depths(rings.size(), 0), m_Parents(rings.size()) {
  std::vector<std::vector<Coordinates>> outlines;
  for (const SegmentChain* ring : rings) outlines.push_back(ring->VerticesAsLines());
  std::vector<std::vector<size_t>> holders(rings.size());
  for (size_t inner = 0; inner < rings.size(); ++inner) {
    for (size_t outer = 0; outer < rings.size(); ++outer) {
      if (outer != inner && !outlines[inner].empty() && Contains(outlines[outer], outlines[inner])) {
        holders[inner].push_back(outer);
      }
    }
    m_Depths[inner] = holders[inner].size();
  }
  // Of the rings around a ring, the innermost is itself inside the most.
  for (size_t inner = 0; inner < rings.size(); ++inner) {
    for (size_t outer : holders[inner]) {
      if (!m_Parents[inner] || m_Depths[outer] > m_Depths[*m_Parents[inner]]) m_Parents[inner] = outer;
    }
  }
}

}  // namespace zelph::host::geometry
