// The value behind a path or a ring: segments joined end to start. Its
// vertices are the segment ends; a chain of one vertex has no segment yet.
//
// A ring closes in the plane: when its last vertex differs from its first,
// an implicit line back to the first follows the explicit segments. That
// line counts as a segment, in the length and in a walk, but its closing
// vertex is not among the vertices until Close() makes it explicit.
#pragma once

#include <optional>
#include <vector>

#include "host/geometry/Segment.h"

namespace zelph::host::geometry {

class SegmentChain {
 public:
  explicit SegmentChain(bool ring = false) : m_Ring(ring) {}
  // A chain of lines through the vertices.
  static SegmentChain ThroughVertices(const std::vector<Coordinates>& vertices, bool ring);

  bool IsRing() const { return m_Ring; }
  bool Empty() const { return m_Segments.empty() && !m_Lone; }
  void Clear();

  size_t VertexCount() const;
  Coordinates Vertex(size_t index) const;
  // Inserts before vertex `position` (VertexCount() appends). Between two
  // vertices the segment that joined them is replaced by two lines.
  void InsertVertex(size_t position, const Coordinates& vertex);
  // Moves a vertex; the segments ending there follow (Segment::Reshaped).
  void UpdateVertex(size_t index, const Coordinates& vertex);
  // Removes vertices; a line joins the vertices on either side of the gap.
  void RemoveVertices(size_t first, size_t count);

  // Counts the implicit closing line of a ring.
  size_t SegmentCount() const { return m_Segments.size() + (m_Closing ? 1 : 0); }
  const Segment& SegmentAt(size_t index) const;
  // Inserts before segment `position` (positions past the explicit segments
  // append). Where the segment does not meet its neighbours a connecting
  // line is added; where it misses them by a rounding it is joined to them.
  void InsertSegment(size_t position, Segment segment);

  // Makes a ring's implicit closing line an explicit last segment.
  void Close();

  double Length() const;
  bool IsClosed() const;
  std::optional<Coordinates> StartPoint() const;
  // Where a walk ends: a ring with an implicit closing line ends at its start.
  std::optional<Coordinates> EndPoint() const;
  Bounds Extent() const;
  void Shift(double dx, double dy);
  // The vertices of the chain with every arc replaced by lines.
  std::vector<Coordinates> VerticesAsLines() const;

 private:
  // Recomputes the closing line and forgets the length, which is summed
  // again when next asked, so that building a chain point by point stays
  // linear.
  void Refresh();

  bool m_Ring;
  std::vector<Segment> m_Segments;
  std::optional<Coordinates> m_Lone;  // the only vertex of a chain without segments
  std::optional<Segment> m_Closing;
  mutable std::optional<double> m_Length;
};

}  // namespace zelph::host::geometry
