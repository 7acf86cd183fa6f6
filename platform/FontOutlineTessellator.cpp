#include "platform/FontOutlineTessellator.h"

#include <GL/glu.h>

#include <array>
#include <deque>
#include <memory>
#include <utility>

namespace zelph::gdi {
namespace {

using Vertex = std::array<GLdouble, 3>;

// What the callbacks of one polygon share. The tessellator keeps pointers to
// the vertices it was given and to those it asked to have made, until the
// polygon ends; a deque never moves what it holds.
struct Tessellation {
  std::deque<Vertex> vertices;
  std::vector<FontOutlinePoint> triangles;
  bool failed = false;
};

Tessellation& Of(void* data) { return *static_cast<Tessellation*>(data); }

// The callbacks run inside C code: nothing may leave them as an exception.
void GLAPIENTRY OnVertex(void* vertex, void* data) {
  const Vertex& point = *static_cast<const Vertex*>(vertex);
  try {
    Of(data).triangles.push_back({point[0], point[1]});
  } catch (...) {
    Of(data).failed = true;
  }
}

// Where contours cross, the tessellator needs a vertex of its own; when none
// can be made it is given one of the crossing edges' ends.
void GLAPIENTRY OnCombine(GLdouble coordinates[3], void* neighbours[4], GLfloat[4], void** made, void* data) {
  try {
    Of(data).vertices.push_back({coordinates[0], coordinates[1], coordinates[2]});
    *made = &Of(data).vertices.back();
  } catch (...) {
    Of(data).failed = true;
    *made = neighbours[0];
  }
}

void GLAPIENTRY OnError(GLenum, void* data) { Of(data).failed = true; }

// With an edge-flag callback the tessellator hands out separate triangles
// only, never fans or strips.
void GLAPIENTRY OnEdgeFlag(GLboolean, void*) {}

template <class Callback>
void SetCallback(GLUtesselator* tessellator, GLenum which, Callback callback) {
  gluTessCallback(tessellator, which, reinterpret_cast<_GLUfuncptr>(callback));
}

void FeedContours(GLUtesselator* tessellator, const FontOutline& outline, Tessellation& tessellation) {
  gluTessBeginPolygon(tessellator, &tessellation);
  for (const FontContour& contour : outline.contours) {
    gluTessBeginContour(tessellator);
    for (const FontOutlinePoint& point : contour) {
      Vertex& vertex = tessellation.vertices.emplace_back(Vertex{point.x, point.y, 0.0});
      gluTessVertex(tessellator, vertex.data(), &vertex);
    }
    gluTessEndContour(tessellator);
  }
  gluTessEndPolygon(tessellator);
}

}  // namespace

std::optional<std::vector<FontOutlinePoint>> FontOutlineTessellator::Triangulate(const FontOutline& outline) {
  if (outline.contours.empty()) return std::vector<FontOutlinePoint>{};
  std::unique_ptr<GLUtesselator, void (*)(GLUtesselator*)> tessellator(gluNewTess(), &gluDeleteTess);
  if (!tessellator) return std::nullopt;
  SetCallback(tessellator.get(), GLU_TESS_VERTEX_DATA, &OnVertex);
  SetCallback(tessellator.get(), GLU_TESS_COMBINE_DATA, &OnCombine);
  SetCallback(tessellator.get(), GLU_TESS_ERROR_DATA, &OnError);
  SetCallback(tessellator.get(), GLU_TESS_EDGE_FLAG_DATA, &OnEdgeFlag);
  gluTessProperty(tessellator.get(), GLU_TESS_WINDING_RULE,
                  outline.evenOdd ? GLU_TESS_WINDING_ODD : GLU_TESS_WINDING_NONZERO);
  // With the normal given, every triangle comes counter-clockwise about it,
  // whichever way the contours run.
  gluTessNormal(tessellator.get(), 0.0, 0.0, 1.0);

  Tessellation tessellation;
  FeedContours(tessellator.get(), outline, tessellation);
  if (tessellation.failed) return std::nullopt;
  return std::move(tessellation.triangles);
}

}  // namespace zelph::gdi
