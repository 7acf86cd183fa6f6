#include "render/RenderLine.h"

#include <algorithm>
#include <cmath>

namespace {

float Length(const GLfloat* xyz) { return std::sqrt(xyz[0] * xyz[0] + xyz[1] * xyz[1] + xyz[2] * xyz[2]); }

// Scene length of one segment, measured at its middle latitude.
float SegmentLengthGL(const Geopunctus& a, const Geopunctus& b) {
  return Geopunctus::GeoDegreesToGLDistance(a.DistanceDegreesTo(b), (a.GetLat() + b.GetLat()) / 2.0f);
}

// A repeated wall texture runs back and forth along the wall in steps of a
// fifth: 0, 0.2 ... 1, 0.8 ... 0, 0.2 ... Counted in whole steps, so that
// rounding never turns it early.
constexpr int kRepeatSteps = 5;
float RepeatedS(std::size_t vertex) {
  const int phase = static_cast<int>(vertex % (2 * kRepeatSteps));
  return static_cast<float>(phase <= kRepeatSteps ? phase : 2 * kRepeatSteps - phase) / kRepeatSteps;
}

}  // namespace

RenderLine::RenderLine(GLuint Name) : GraphicBase(Name), ExtrusionBase(true), m_OutlineDisplayList(glGenLists(1)) {}

RenderLine::~RenderLine() {
  if (m_OutlineDisplayList != 0 && glIsList(m_OutlineDisplayList)) glDeleteLists(m_OutlineDisplayList, 1);
}

void RenderLine::Render() {
  Guarded(L"Render", [&] {
    if (!m_Visible || m_GeoPuncti.empty()) return;
    AttributeScope current(GL_CURRENT_BIT);
    if (!m_ValidDisplayList) MachenDisplayList();
    // A build that failed has been reported; half-recorded lists stay unplayed.
    if (!m_ValidDisplayList) return;
    if (!m_Nameless) glLoadName(m_GLName);
    glCallList(m_DisplayList);
    glCallList(m_OutlineDisplayList);
  });
}

bool RenderLine::IsSubsurface() {
  m_IsSubsurface = std::any_of(m_GeoPuncti.begin(), m_GeoPuncti.end(), [&](const Geopunctus& vertex) {
    GLfloat top[3];
    PlaceTop(vertex, top);
    return Length(top) < 1.0f;
  });
  return m_IsSubsurface;
}

void RenderLine::SetCentroidLocation(Geopunctus CentroidLocation, bool Center) {
  const Geopunctus oldCenter = GetGeoCentre();
  GraphicBase::SetCentroidLocation(CentroidLocation, Center);
  if (Center) CenterGeometry(oldCenter, m_CentroidLocation);
}

void RenderLine::MachenDisplayList() {
  Guarded(L"MachenDisplayList", [&] {
    m_ValidDisplayList = false;
    MachenFillList();
    MachenOutlineList();
    m_ValidDisplayList = true;
  });
}

void RenderLine::MachenFillList() {
  bool recorded = false;
  CompileList(m_DisplayList, recorded, [&] {
    if (!m_ExEnabled) return;
    AttributeScope attributes(kFillBits);
    ApplyFillState();
    DrawWall({0, m_GeoPuncti.size(), false});
  });
}

void RenderLine::MachenOutlineList() { CompileOutline({{0, m_GeoPuncti.size(), false}}); }

void RenderLine::AddGeographicLocation(float Lat, float Lon, float Altm) {
  Guarded(L"AddGeographicLocation", [&] {
    const Geopunctus point(Lat, Lon, Altm);
    if (m_GeoPuncti.size() > m_RingStart) {
      const Geopunctus last = m_GeoPuncti.back();
      const float distance = last.DistanceDegreesTo(point);
      // A distance that is not finite has no pieces to cut it into.
      if (std::isfinite(distance) && distance > kMaxSegmentDegrees) {
        const int pieces = static_cast<int>(std::min(std::ceil(distance), static_cast<float>(kMaxSegmentPieces)));
        for (int i = 1; i < pieces; ++i) m_GeoPuncti.push_back(last.Interpolate(point, i * distance / pieces));
      }
    }
    m_GeoPuncti.push_back(point);
    m_ValidDisplayList = false;
  });
}

void RenderLine::ClearGeometry() {
  m_GeoPuncti.clear();
  m_RingStart = 0;
  m_ValidDisplayList = false;
}

void RenderLine::CenterGeometry(const Geopunctus& OldCenter, const Geopunctus& NewCenter) {
  const float dLat = NewCenter.GetLat() - OldCenter.GetLat();
  const float dLon = NewCenter.GetLon() - OldCenter.GetLon();
  const float dAlt = NewCenter.GetAltMeters() - OldCenter.GetAltMeters();
  for (Geopunctus& vertex : m_GeoPuncti) {
    vertex.SetCoords(vertex.GetLat() + dLat, vertex.GetLon() + dLon, vertex.GetAltMeters() + dAlt);
  }
  m_ValidDisplayList = false;
}

Geopunctus RenderLine::GetFirstPoint() const { return m_GeoPuncti.empty() ? Geopunctus() : m_GeoPuncti.front(); }

Geopunctus RenderLine::GetLastPoint() const { return m_GeoPuncti.empty() ? Geopunctus() : m_GeoPuncti.back(); }

Geopunctus RenderLine::GetGeoCentre() const {
  if (m_GeoPuncti.empty()) return Geopunctus();
  auto midpoint = [&](float (Geopunctus::*coordinate)() const) {
    auto [least, greatest] = std::minmax_element(
        m_GeoPuncti.begin(), m_GeoPuncti.end(),
        [&](const Geopunctus& a, const Geopunctus& b) { return (a.*coordinate)() < (b.*coordinate)(); });
    return ((*least.*coordinate)() + (*greatest.*coordinate)()) / 2.0f;
  };
  return Geopunctus(midpoint(&Geopunctus::GetLat), midpoint(&Geopunctus::GetLon),
                    midpoint(&Geopunctus::GetAltMeters));
}

Geobuxus RenderLine::GetGeometryBounds() const {
  Geobuxus bounds;
  Guarded(L"GetGeometryBounds", [&] {
    if (m_GeoPuncti.empty()) return;
    float minLat = 90.0f, maxLat = -90.0f, minLon = 180.0f, maxLon = -180.0f;
    for (const Geopunctus& vertex : m_GeoPuncti) {
      minLat = std::min(minLat, vertex.GetLat());
      maxLat = std::max(maxLat, vertex.GetLat());
      minLon = std::min(minLon, vertex.GetLon());
      maxLon = std::max(maxLon, vertex.GetLon());
    }
    bounds = Geobuxus(GetGeoCentre(), maxLon - minLon, maxLat - minLat);
  });
  return bounds;
}

float RenderLine::GetGeometryLengthGL() const {
  float length = 0.0f;
  for (std::size_t i = 1; i < m_GeoPuncti.size(); ++i) length += SegmentLengthGL(m_GeoPuncti[i - 1], m_GeoPuncti[i]);
  return length;
}

float RenderLine::GetGeometryLengthMeters() const {
  float length = 0.0f;
  for (std::size_t i = 1; i < m_GeoPuncti.size(); ++i) {
    const Geopunctus& a = m_GeoPuncti[i - 1];
    const Geopunctus& b = m_GeoPuncti[i];
    length += Geopunctus::GeoDegreesToMeters(a.DistanceDegreesTo(b), (a.GetLat() + b.GetLat()) / 2.0f);
  }
  return length;
}

float RenderLine::GetGeometryMaxHeightMeters() const {
  float highest = 0.0f;
  for (const Geopunctus& vertex : m_GeoPuncti) highest = std::max(highest, vertex.GetAltMeters());
  return highest;
}

float RenderLine::GetGeometryMaxHeightGL() const {
  float height = 0.0f;
  Guarded(L"GetGeometryMaxHeightGL",
          [&] { height = Geopunctus::MetersToGLDistance(GetGeometryMaxHeightMeters(), 0.0f); });
  return height;
}

void RenderLine::PlaceTop(const Geopunctus& vertex, GLfloat* xyz) const {
  vertex.ConvertToGLLocation(&xyz[0], &xyz[1], &xyz[2], m_ThresholdElevation, m_Zex);
}

void RenderLine::PlaceFoot(const Geopunctus& vertex, GLfloat* xyz) const {
  if (m_AutoExDepthEnabled) {
    vertex.ConvertToGLAnchor(&xyz[0], &xyz[1], &xyz[2]);
    return;
  }
  const float depth = Geopunctus::GLDistanceToMeters(m_ExDepth, vertex.GetLat());
  vertex.ConvertToGLOffsetLocation(&xyz[0], &xyz[1], &xyz[2], 0.0f, 0.0f, -depth, m_ThresholdElevation, m_Zex);
}

void RenderLine::ApplyFillState() const {
  glEnable(GL_DEPTH_TEST);
  // The walls' opacity decides whether they hide what is drawn after them.
  glDepthMask(m_ExAlpha >= kOpaqueAlpha ? GL_TRUE : GL_FALSE);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  if (m_Wireframe) {
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    m_ExRenderMat.ApplyLineStipple();
  } else {
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  }
}

void RenderLine::DrawWall(const Ring& ring) {
  const std::size_t size = ring.end > ring.first ? ring.end - ring.first : 0;
  if (size < 2) return;
  const std::size_t count = ring.closed ? size + 1 : size;
  auto vertex = [&](std::size_t k) -> const Geopunctus& { return m_GeoPuncti[ring.first + k % size]; };

  const bool textured = m_ExRenderMat.ApplyTextureWithCoordinates();
  m_ExRenderMat.ApplyPolygonStipple();
  const bool overlay = SelectedAsOverlay();
  float length = 0.0f;
  if (textured) {
    if (overlay) {
      glColor4f(m_SelectR, m_SelectG, m_SelectB, m_ExAlpha);
    } else {
      glColor4f(1.0f, 1.0f, 1.0f, m_ExAlpha);
    }
    for (std::size_t k = 1; k < count; ++k) length += SegmentLengthGL(vertex(k - 1), vertex(k));
  }
  const RenderMaterial& mat = m_ExRenderMat;
  const float tint[3] = {overlay ? m_SelectR : 1.0f, overlay ? m_SelectG : 1.0f, overlay ? m_SelectB : 1.0f};

  glBegin(GL_TRIANGLE_STRIP);
  float covered = 0.0f;
  for (std::size_t k = 0; k < count; ++k) {
    GLfloat top[3], foot[3];
    PlaceTop(vertex(k), top);
    PlaceFoot(vertex(k), foot);
    if (textured) {
      if (k > 0) covered += SegmentLengthGL(vertex(k - 1), vertex(k));
      // A wall of no length has nowhere to stretch the image.
      const float s = mat.m_TextureRepeat ? RepeatedS(k) : (length > 0.0f ? covered / length : 0.0f);
      glTexCoord2f(s, 1.0f);
      glVertex3fv(top);
      glTexCoord2f(s, 0.0f);
      glVertex3fv(foot);
    } else {
      glColor4f(mat.m_Color1R * tint[0], mat.m_Color1G * tint[1], mat.m_Color1B * tint[2], m_ExAlpha);
      glVertex3fv(top);
      glColor4f(mat.m_Color2R * tint[0], mat.m_Color2G * tint[1], mat.m_Color2B * tint[2], m_ExAlpha);
      glVertex3fv(foot);
    }
  }
  glEnd();
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_POLYGON_STIPPLE);
}

void RenderLine::CompileOutline(const std::vector<Ring>& rings) {
  bool recorded = false;
  CompileList(m_OutlineDisplayList, recorded, [&] {
    if (!m_ExOutlineEnabled) return;
    AttributeScope attributes(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_POLYGON_BIT | GL_LINE_BIT);
    glEnable(GL_DEPTH_TEST);
    ApplyDepthMask();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_LINE_STIPPLE);
    glLineStipple(1, static_cast<GLushort>(m_ExOutlineStyle & m_RenderMat.m_Loption));
    // OpenGL refuses widths that are not positive; such an outline keeps
    // the width it finds.
    if (m_ExOutlineWidth > 0.0f) glLineWidth(m_ExOutlineWidth);
    if (SelectedAsOutline()) {
      glColor4f(m_SelectR, m_SelectG, m_SelectB, m_ExOutlineAlpha);
    } else {
      glColor4f(m_ExOutlineRed, m_ExOutlineGreen, m_ExOutlineBlue, m_ExOutlineAlpha);
    }
    for (const Ring& ring : rings) {
      if (ring.end <= ring.first) continue;
      glBegin(GL_LINE_STRIP);
      GLfloat top[3];
      for (std::size_t i = ring.first; i < ring.end; ++i) {
        PlaceTop(m_GeoPuncti[i], top);
        glVertex3fv(top);
      }
      if (ring.closed) {
        PlaceTop(m_GeoPuncti[ring.first], top);
        glVertex3fv(top);
      }
      glEnd();
    }
  });
}
