#include "render/RenderArea.h"

#include <algorithm>

#include "frame/Logger.h"

namespace {

// Clears the vertices the tessellator made once a build is over, however
// it ends.
template <class Container>
class ClearOnExit {
 public:
  explicit ClearOnExit(Container& container) : m_Container(container) {}
  ~ClearOnExit() { m_Container.clear(); }
  ClearOnExit(const ClearOnExit&) = delete;
  ClearOnExit& operator=(const ClearOnExit&) = delete;

 private:
  Container& m_Container;
};

}  // namespace

RenderArea::RenderArea(GLuint Name) : RenderLine(Name), m_Tessy(gluNewTess()) {
  if (m_Tessy == nullptr) return;  // out of memory: the area draws no surface
  gluTessCallback(m_Tessy, GLU_TESS_BEGIN, reinterpret_cast<_GLUfuncptr>(&glBegin));
  gluTessCallback(m_Tessy, GLU_TESS_END, reinterpret_cast<_GLUfuncptr>(&glEnd));
  gluTessCallback(m_Tessy, GLU_TESS_VERTEX, reinterpret_cast<_GLUfuncptr>(&RenderArea::Vertexer));
  // With an edge flag callback the tessellator hands out plain triangles in
  // one primitive instead of mixed strips, fans and triangles: Mesa plays a
  // list of mixed primitives back wrongly in selection and feedback mode
  // (it drops some and can crash), which would break picking an area.
  gluTessCallback(m_Tessy, GLU_TESS_EDGE_FLAG, reinterpret_cast<_GLUfuncptr>(&RenderArea::EdgeFlagger));
  gluTessCallback(m_Tessy, GLU_TESS_COMBINE_DATA, reinterpret_cast<_GLUfuncptr>(&RenderArea::Combiner));
  gluTessCallback(m_Tessy, GLU_TESS_ERROR_DATA, reinterpret_cast<_GLUfuncptr>(&RenderArea::Complainer));
}

RenderArea::~RenderArea() {
  if (m_Tessy != nullptr) gluDeleteTess(m_Tessy);
}

void RenderArea::ClearGeometry() {
  RenderLine::ClearGeometry();
  m_InnerContourIndices.clear();
}

void RenderArea::StartInnerContour() {
  Guarded(L"StartInnerContour", [&] {
    m_InnerContourIndices.push_back(m_GeoPuncti.size());
    m_RingStart = m_GeoPuncti.size();
    m_ValidDisplayList = false;
  });
}

std::vector<RenderLine::Ring> RenderArea::Rings() const {
  const std::size_t count = m_GeoPuncti.size();
  std::vector<Ring> rings;
  std::size_t start = 0;
  for (std::size_t index : m_InnerContourIndices) {
    rings.push_back({std::min(start, count), std::min(index, count), true});
    start = index;
  }
  rings.push_back({std::min(start, count), count, true});
  return rings;
}

void RenderArea::MachenFillList() {
  bool recorded = false;
  CompileList(m_DisplayList, recorded, [&] {
    AttributeScope attributes(kFillBits);
    ApplyFillState();
    const std::vector<Ring> rings = Rings();
    if (m_ExEnabled) {
      for (const Ring& ring : rings) DrawWall(ring);
    }
    DrawSurface(rings);
    glDisable(GL_TEXTURE_2D);
  });
}

void RenderArea::MachenOutlineList() { CompileOutline(Rings()); }

void RenderArea::DrawSurface(const std::vector<Ring>& rings) {
  if (m_Tessy == nullptr) return;
  // The solid pattern fills everything, so stippling with it is no
  // stippling at all.
  m_RenderMat.ApplyPolygonStipple();
  m_RenderMat.ApplyTextureWithCoordinates();
  FillVertexRecords();

  ClearOnExit combined(m_CombinedVertices);
  gluTessProperty(m_Tessy, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_ODD);
  gluTessBeginPolygon(m_Tessy, this);
  for (const Ring& ring : rings) {
    if (ring.end <= ring.first) continue;
    gluTessBeginContour(m_Tessy);
    for (std::size_t i = ring.first; i < ring.end; ++i) {
      GLdouble* record = &m_VertexData[i * kVertexDoubles];
      gluTessVertex(m_Tessy, record, record);
    }
    gluTessEndContour(m_Tessy);
  }
  gluTessEndPolygon(m_Tessy);
}

void RenderArea::FillVertexRecords() {
  const RenderMaterial& mat = m_RenderMat;
  const bool textured = mat.HasTexture();
  const bool overlay = SelectedAsOverlay();
  const double tint[3] = {overlay ? m_SelectR : 1.0, overlay ? m_SelectG : 1.0, overlay ? m_SelectB : 1.0};

  // The image spans the bounding box once, or twice each way when it repeats.
  const Geobuxus bounds = GetGeometryBounds();
  const Geopunctus lowerLeft = bounds.GetLowerLeft();
  const double span = mat.m_TextureRepeat ? 0.5 : 1.0;
  const double width = bounds.GetWidthGeoDegrees() * span;
  const double height = bounds.GetHeightGeoDegrees() * span;

  m_VertexData.assign(m_GeoPuncti.size() * kVertexDoubles, 0.0);
  for (std::size_t i = 0; i < m_GeoPuncti.size(); ++i) {
    const Geopunctus& vertex = m_GeoPuncti[i];
    GLdouble* record = &m_VertexData[i * kVertexDoubles];
    GLfloat xyz[3];
    PlaceTop(vertex, xyz);
    std::copy(xyz, xyz + 3, record);
    if (textured) {
      // White lets the texture show its own colours.
      std::copy(tint, tint + 3, record + 3);
      record[7] = 1.0;
      // A box without width or height has nothing to spread the image over.
      record[8] = width > 0.0 ? (vertex.GetLon() - lowerLeft.GetLon()) / width : 0.0;
      record[9] = height > 0.0 ? (vertex.GetLat() - lowerLeft.GetLat()) / height : 0.0;
    } else {
      const bool first = i % 2 == 0;
      record[3] = (first ? mat.m_Color1R : mat.m_Color2R) * tint[0];
      record[4] = (first ? mat.m_Color1G : mat.m_Color2G) * tint[1];
      record[5] = (first ? mat.m_Color1B : mat.m_Color2B) * tint[2];
    }
    record[6] = m_Alpha;
  }
}

void RenderArea::Vertexer(void* vertexData) {
  const auto* record = static_cast<const GLdouble*>(vertexData);
  if (record == nullptr) return;
  glColor4d(record[3], record[4], record[5], record[6]);
  if (record[7] != 0.0) glTexCoord2d(record[8], record[9]);
  glVertex3dv(record);
}

void RenderArea::EdgeFlagger(GLboolean /*boundaryEdge*/) {}

void RenderArea::Combiner(GLdouble coords[3], void* vertexData[4], GLfloat weight[4], void** outData,
                          void* polygonData) {
  auto* area = static_cast<RenderArea*>(polygonData);
  // Should the new vertex not fit in memory, the nearest given one stands in.
  *outData = vertexData[0];
  try {
    auto made = std::make_unique<VertexRecord>();
    VertexRecord& record = *made;
    record.fill(0.0);
    std::copy(coords, coords + 3, record.begin());
    for (int i = 0; i < 4; ++i) {
      const auto* source = static_cast<const GLdouble*>(vertexData[i]);
      if (source == nullptr) continue;
      for (int k = 3; k < kVertexDoubles; ++k) {
        if (k == 7) continue;
        record[k] += weight[i] * source[k];
      }
      if (source[7] != 0.0) record[7] = 1.0;
    }
    area->m_CombinedVertices.push_back(std::move(made));
    *outData = area->m_CombinedVertices.back()->data();
  } catch (...) {
    Logger::Warning(L"Out of memory while an area's rings were joined\n");
  }
}

void RenderArea::Complainer(GLenum error, void* /*polygonData*/) {
  Logger::Warning(L"The surface of an area could not be tessellated: %s\n",
                  reinterpret_cast<const char*>(gluErrorString(error)));
}
