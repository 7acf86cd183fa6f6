#include "host/geometry/SegmentChain.h"

#include <iterator>

namespace zelph::host::geometry {

SegmentChain SegmentChain::ThroughVertices(const std::vector<Coordinates>& vertices, bool ring) {
  SegmentChain chain(ring);
  for (const Coordinates& vertex : vertices) chain.InsertVertex(chain.VertexCount(), vertex);
  return chain;
}

void SegmentChain::Clear() {
  m_Segments.clear();
  m_Lone.reset();
  Refresh();
}

size_t SegmentChain::VertexCount() const { return m_Segments.empty() ? (m_Lone ? 1 : 0) : m_Segments.size() + 1; }

Coordinates SegmentChain::Vertex(size_t index) const {
  if (m_Segments.empty()) return *m_Lone;
  return index == 0 ? m_Segments.front().From() : m_Segments[index - 1].To();
}

void SegmentChain::InsertVertex(size_t position, const Coordinates& vertex) {
  size_t count = VertexCount();
  if (count == 0) {
    m_Lone = vertex;
  } else if (count == 1) {
    m_Segments.push_back(position == 0 ? Segment::Line(vertex, *m_Lone) : Segment::Line(*m_Lone, vertex));
    m_Lone.reset();
  } else if (position >= count) {
    m_Segments.push_back(Segment::Line(m_Segments.back().To(), vertex));
  } else if (position == 0) {
    m_Segments.insert(m_Segments.begin(), Segment::Line(vertex, m_Segments.front().From()));
  } else {
    Segment split = m_Segments[position - 1];
    m_Segments[position - 1] = Segment::Line(split.From(), vertex);
    m_Segments.insert(m_Segments.begin() + static_cast<std::ptrdiff_t>(position), Segment::Line(vertex, split.To()));
  }
  Refresh();
}

void SegmentChain::UpdateVertex(size_t index, const Coordinates& vertex) {
  if (m_Segments.empty()) {
    m_Lone = vertex;
  } else {
    if (index > 0) m_Segments[index - 1] = m_Segments[index - 1].Reshaped(m_Segments[index - 1].From(), vertex);
    if (index < m_Segments.size()) m_Segments[index] = m_Segments[index].Reshaped(vertex, m_Segments[index].To());
  }
  Refresh();
}

void SegmentChain::RemoveVertices(size_t first, size_t count) {
  size_t total = VertexCount();
  if (count == 0) return;
  if (total - count == 0) {
    Clear();
    return;
  }
  if (total - count == 1) {
    Coordinates survivor = Vertex(first == 0 ? total - 1 : 0);
    Clear();
    m_Lone = survivor;
    Refresh();
    return;
  }
  // Segment i joins vertices i and i + 1: keep those wholly before or after
  // the removed run and bridge the gap when vertices remain on both sides.
  std::vector<Segment> kept;
  for (size_t i = 0; i + 1 < first; ++i) kept.push_back(m_Segments[i]);
  if (first > 0 && first + count < total) kept.push_back(Segment::Line(Vertex(first - 1), Vertex(first + count)));
  for (size_t i = first + count; i < m_Segments.size(); ++i) kept.push_back(m_Segments[i]);
  m_Segments = std::move(kept);
  Refresh();
}

const Segment& SegmentChain::SegmentAt(size_t index) const {
  return index < m_Segments.size() ? m_Segments[index] : *m_Closing;
}

void SegmentChain::InsertSegment(size_t position, Segment segment) {
  position = std::min(position, m_Segments.size());
  std::optional<Coordinates> before = position > 0 ? m_Segments[position - 1].To() : m_Lone;
  std::optional<Coordinates> after;
  if (position < m_Segments.size()) after = m_Segments[position].From();
  std::vector<Segment> run;
  if (before && NearPlace(*before, segment.From())) {
    segment = segment.WithEnds(*before, segment.To());
  } else if (before) {
    run.push_back(Segment::Line(*before, segment.From()));
  }
  bool joinsAfter = after && NearPlace(segment.To(), *after);
  if (joinsAfter) segment = segment.WithEnds(segment.From(), *after);
  run.push_back(segment);
  if (after && !joinsAfter) run.push_back(Segment::Line(segment.To(), *after));
  m_Segments.insert(m_Segments.begin() + static_cast<std::ptrdiff_t>(position), run.begin(), run.end());
  m_Lone.reset();
  Refresh();
}

void SegmentChain::Close() {
  if (m_Closing) InsertVertex(VertexCount(), Vertex(0));
}

bool SegmentChain::IsClosed() const {
  if (m_Ring) return SegmentCount() > 0;
  return VertexCount() >= 2 && SamePlace(Vertex(0), Vertex(VertexCount() - 1)) && Length() > 0;
}

std::optional<Coordinates> SegmentChain::StartPoint() const {
  if (Empty()) return std::nullopt;
  return Vertex(0);
}

std::optional<Coordinates> SegmentChain::EndPoint() const {
  if (Empty()) return std::nullopt;
  return m_Closing ? m_Closing->To() : Vertex(VertexCount() - 1);
}

Bounds SegmentChain::Extent() const {
  Bounds box;
  if (m_Lone) box.Include(*m_Lone);
  for (const Segment& segment : m_Segments) box.Include(segment.Extent());
  return box;
}

void SegmentChain::Shift(double dx, double dy) {
  if (m_Lone) {
    m_Lone->x += dx;
    m_Lone->y += dy;
  }
  for (Segment& segment : m_Segments) segment.Shift(dx, dy);
  Refresh();
}

std::vector<Coordinates> SegmentChain::VerticesAsLines() const {
  std::vector<Coordinates> vertices;
  if (Empty()) return vertices;
  vertices.push_back(Vertex(0));
  for (const Segment& segment : m_Segments) segment.AppendAsLines(vertices);
  return vertices;
}

void SegmentChain::Refresh() {
  m_Closing.reset();
  size_t count = VertexCount();
  if (m_Ring && count >= 2 && !SamePlace(Vertex(count - 1), Vertex(0))) {
    m_Closing = Segment::Line(Vertex(count - 1), Vertex(0));
  }
  m_Length.reset();
}

double SegmentChain::Length() const {
  if (!m_Length) {
    double length = m_Closing ? m_Closing->Length() : 0.0;
    for (const Segment& segment : m_Segments) length += segment.Length();
    m_Length = length;
  }
  return *m_Length;
}

}  // namespace zelph::host::geometry
