// A polyline on the globe given by geographic vertices: an outline along the
// vertices and, with extrusion on, a wall (a curtain) hanging from each
// vertex down to the ground or down by a fixed depth. Vertices are placed as
// absolute scene positions, so the line applies no transform of its own.
//
// Construction and destruction need a current OpenGL context: the line
// reserves its wall and outline lists when it is made.
#pragma once

#include <GL/gl.h>

#include <cstddef>
#include <vector>

#include "geometry/Geobuxus.h"
#include "geometry/Geopunctus.h"
#include "render/ExtrusionBase.h"
#include "render/GraphicBase.h"

class RenderLine : public GraphicBase, public ExtrusionBase {
 public:
  // Segments longer than this many degrees are split so that they follow
  // the curve of the globe.
  static constexpr float kMaxSegmentDegrees = 1.0f;
  // At most this many pieces per segment, whatever its length.
  static constexpr int kMaxSegmentPieces = 1 << 16;

  explicit RenderLine(GLuint Name);
  ~RenderLine() override;

  void InvalidateLocation() override { m_ValidDisplayList = false; }
  // Lines have neither orientation nor size.
  void InvalidateOrientation() override {}
  void InvalidateSize() override {}
  void Render() override;
  // True when some vertex, placed as drawn, lies inside the globe.
  bool IsSubsurface() override;

  // Keeps the geometric centre on the anchor when Center is true: every
  // vertex moves by the new anchor less the old centre.
  void SetCentroidLocation(Geopunctus CentroidLocation, bool Center) override;

  // Recompiles the wall list, then the outline list, and marks both valid.
  virtual void MachenDisplayList();
  virtual void MachenFillList();
  virtual void MachenOutlineList();

  // Appends a vertex, after the points that split a long segment from the
  // previous vertex of the same ring.
  void AddGeographicLocation(float Lat, float Lon, float Altm);
  virtual void ClearGeometry();
  // Moves every vertex by NewCenter - OldCenter.
  void CenterGeometry(const Geopunctus& OldCenter, const Geopunctus& NewCenter);

  std::size_t GetVertexCount() const { return m_GeoPuncti.size(); }
  const std::vector<Geopunctus>& GetVertices() const { return m_GeoPuncti; }
  // (0, 0, 0) when there are no vertices.
  Geopunctus GetFirstPoint() const;
  Geopunctus GetLastPoint() const;
  // Midpoint of the least and greatest latitude, longitude and altitude.
  Geopunctus GetGeoCentre() const;
  Geobuxus GetGeometryBounds() const;
  float GetGeometryLengthGL() const;
  float GetGeometryLengthMeters() const;
  // The highest altitude, never below 0.
  float GetGeometryMaxHeightMeters() const;
  float GetGeometryMaxHeightGL() const;

 protected:
  // The vertices [first, end) of one ring; a closed ring returns to its
  // first vertex.
  struct Ring {
    std::size_t first;
    std::size_t end;
    bool closed;
  };

  // Pushes attribute groups for its life; the pop is recorded even when a
  // build fails, so a list never leaves the attribute stack unbalanced.
  class AttributeScope : Pinned {
   public:
    explicit AttributeScope(GLbitfield mask) { glPushAttrib(mask); }
    ~AttributeScope() { glPopAttrib(); }
  };
  static constexpr GLbitfield kFillBits =
      GL_LINE_BIT | GL_POLYGON_BIT | GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT;

  // Placement of a vertex as drawn, and of the foot of its wall.
  void PlaceTop(const Geopunctus& vertex, GLfloat* xyz) const;
  void PlaceFoot(const Geopunctus& vertex, GLfloat* xyz) const;

  // Depth, blending and polygon mode of the wall and surface list.
  void ApplyFillState() const;
  // One wall along a ring in the wall material; leaves texturing and
  // polygon stippling off.
  void DrawWall(const Ring& ring);
  // Compiles the outline list with one line strip per ring.
  void CompileOutline(const std::vector<Ring>& rings);

  bool SelectedAsOverlay() const { return m_Selected && m_SelectOverlay; }
  bool SelectedAsOutline() const { return m_Selected && m_SelectOutline; }

  GLuint m_OutlineDisplayList = 0;
  std::vector<Geopunctus> m_GeoPuncti;
  // Index of the first vertex of the ring being added: no segment is split
  // across the start of a ring.
  std::size_t m_RingStart = 0;
};
