// A polygon on the globe with inner rings (holes): the walls and outline of
// a line along every ring, each ring closed, and the polygon's own surface,
// tessellated with the GLU tessellator at the vertices' own altitudes. Rings
// may cross themselves and each other: the tessellator makes the vertices
// where edges cross, and the odd winding rule leaves holes open.
//
// Construction and destruction need a current OpenGL context.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>

#include <array>
#include <cstddef>
#include <memory>
#include <vector>

#include "render/RenderLine.h"

class RenderArea : public RenderLine {
 public:
  // x, y, z; r, g, b, a; texture flag; s, t.
  static constexpr int kVertexDoubles = 10;

  explicit RenderArea(GLuint Name);
  ~RenderArea() override;

  void MachenFillList() override;
  void MachenOutlineList() override;
  void ClearGeometry() override;

  // The vertices added from now on form the next inner ring.
  void StartInnerContour();
  const std::vector<std::size_t>& GetInnerContourIndices() const { return m_InnerContourIndices; }

 private:
  using VertexRecord = std::array<GLdouble, kVertexDoubles>;

  // Outer ring first, then each inner ring in the order they were started.
  std::vector<Ring> Rings() const;
  // The surface in the main material, through the tessellator.
  void DrawSurface(const std::vector<Ring>& rings);
  void FillVertexRecords();

  // Tessellator callbacks. They run inside GLU and must not throw.
  static void Vertexer(void* vertexData);
  // Ignores the flags: wireframe areas show every triangle's edges.
  static void EdgeFlagger(GLboolean boundaryEdge);
  static void Combiner(GLdouble coords[3], void* vertexData[4], GLfloat weight[4], void** outData,
                       void* polygonData);
  static void Complainer(GLenum error, void* polygonData);

  GLUtesselator* m_Tessy = nullptr;
  std::vector<GLdouble> m_VertexData;
  std::vector<std::size_t> m_InnerContourIndices;
  // Vertices the tessellator makes where edges cross, owned for one build.
  std::vector<std::unique_ptr<VertexRecord>> m_CombinedVertices;
};
