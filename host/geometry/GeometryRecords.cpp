#include "host/geometry/GeometryRecords.h"

#include <limits>

#include "host/streams/StreamValues.h"

namespace zelph::host::geometry {

namespace {

using streams::ReadDouble;
using streams::WriteDouble;

// The largest semi-major axis a record may give: beyond it the length
// integral of an ellipse would overflow.
constexpr double kLargestAxis = 1e150;

bool ValidShape(SegmentKind kind, const ArcShape& shape) {
  bool axis = shape.semiMajor >= 0 && shape.semiMajor <= kLargestAxis;
  bool ratio = kind == SegmentKind::CircularArc ? shape.ratio == 1.0 : (shape.ratio >= 0 && shape.ratio <= 1);
  return axis && ratio && std::isfinite(shape.rotation) && ArcShape::ValidSweep(shape.fromAngle, shape.centralAngle);
}

void SaveSegment(IVariantStream* stream, const Segment& segment) {
  streams::WriteInt(stream, static_cast<INT>(segment.Kind()));
  SaveCoordinates(stream, segment.From());
  SaveCoordinates(stream, segment.To());
  if (segment.Kind() == SegmentKind::Line) return;
  const ArcShape& shape = segment.Shape();
  SaveCoordinates(stream, shape.center);
  for (double value : {shape.semiMajor, shape.ratio, shape.rotation, shape.fromAngle, shape.centralAngle}) {
    WriteDouble(stream, value);
  }
}

Segment LoadSegment(IVariantStream* stream) {
  SegmentKind kind = streams::ReadEnum(stream, SegmentKind::EllipticArc);
  Coordinates from = LoadCoordinates(stream);
  Coordinates to = LoadCoordinates(stream);
  if (kind == SegmentKind::Line) return Segment::Line(from, to);
  ArcShape shape;
  shape.center = LoadCoordinates(stream);
  for (double* value : {&shape.semiMajor, &shape.ratio, &shape.rotation, &shape.fromAngle, &shape.centralAngle}) {
    *value = ReadDouble(stream);
  }
  if (!ValidShape(kind, shape)) Fail(streams::kRecordMismatch);
  return Segment::Arc(kind, shape, from, to);
}

}  // namespace

void SaveCoordinates(IVariantStream* stream, const Coordinates& coordinates) {
  WriteDouble(stream, coordinates.x);
  WriteDouble(stream, coordinates.y);
  WriteDouble(stream, coordinates.z);
}

Coordinates LoadCoordinates(IVariantStream* stream) {
  Coordinates coordinates;
  coordinates.x = ReadDouble(stream);
  coordinates.y = ReadDouble(stream);
  coordinates.z = ReadDouble(stream);
  return coordinates;
}

void SaveChain(IVariantStream* stream, const SegmentChain& chain) {
  size_t vertices = chain.VertexCount();
  streams::WriteLong(stream, static_cast<LONG>(vertices));
  if (vertices == 1) SaveCoordinates(stream, chain.Vertex(0));
  for (size_t i = 0; i + 1 < vertices; ++i) SaveSegment(stream, chain.SegmentAt(i));
}

SegmentChain LoadChain(IVariantStream* stream, bool ring) {
  SegmentChain chain(ring);
  size_t vertices = streams::ReadCount(stream);
  if (vertices == 1) chain.InsertVertex(0, LoadCoordinates(stream));
  // Each segment starts where the one before ends, so appending it adds no
  // connecting line (a record that breaks this gets one rather than a gap).
  constexpr size_t kAppend = std::numeric_limits<size_t>::max();
  for (size_t i = 0; i + 1 < vertices; ++i) chain.InsertSegment(kAppend, LoadSegment(stream));
  return chain;
}

}  // namespace zelph::host::geometry
