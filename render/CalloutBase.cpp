#include "render/CalloutBase.h"

#include <cmath>

namespace {

// Turn of the wind vane's barbs away from its shaft, degrees.
constexpr float kBarbAngle = 30.0f;
// Share of the vane's length that its barbs take.
constexpr float kBarbShare = 0.25f;

void Vertex(const Geopunctus& point) {
  float x = 0.0f, y = 0.0f, z = 0.0f;
  point.ConvertToGLLocation(&x, &y, &z, 0.0f, 1.0f);
  glVertex3f(x, y, z);
}

}  // namespace

CalloutBase::CalloutBase(GLuint Name)
    : GraphicBase(Name), m_WindVaneList(glGenLists(1)) {}

CalloutBase::~CalloutBase() {
  for (GLuint list : {m_WindVaneList, m_OrientationDisplayList}) {
    if (list != 0 && glIsList(list)) glDeleteLists(list, 1);
  }
}

GLuint CalloutBase::OrientationDisplayList() {
  if (m_OrientationDisplayList == 0) m_OrientationDisplayList = glGenLists(1);
  return m_OrientationDisplayList;
}

void CalloutBase::SetCentroidLocation(Geopunctus CentroidLocation, bool Center) {
  GraphicBase::SetCentroidLocation(CentroidLocation, Center);
  m_IsSubsurface = std::sqrt(m_GlX * m_GlX + m_GlY * m_GlY + m_GlZ * m_GlZ) < 1.0f;
}

void CalloutBase::GetCalloutRGB(float* R, float* G, float* B) const {
  if (R) *R = m_CalloutRed;
  if (G) *G = m_CalloutGreen;
  if (B) *B = m_CalloutBlue;
}

void CalloutBase::SetCalloutRGB(float R, float G, float B) {
  RenderMaterial::TakeUnitValue(m_CalloutRed, R);
  RenderMaterial::TakeUnitValue(m_CalloutGreen, G);
  RenderMaterial::TakeUnitValue(m_CalloutBlue, B);
}

void CalloutBase::SetCalloutLocation(Geopunctus Location) {
  Guarded(L"SetCalloutLocation", [&] {
    m_CalloutLocation = Location;
    m_CalloutLocation.ConvertToGLLocation(&m_CGlX, &m_CGlY, &m_CGlZ, m_ThresholdElevation, m_Zex);
    m_CalloutLocation.ConvertToGLAnchor(&m_CAGlX, &m_CAGlY, &m_CAGlZ);
  });
}

void CalloutBase::MakeWindVaneList(float GLHeightOffset) {
  Guarded(L"MakeWindVaneList", [&] {
    const float lat = m_CentroidLocation.GetLat();
    const float lon = m_CentroidLocation.GetLon();
    const float altitude = m_CentroidLocation.ThresholdAltitude(m_ThresholdElevation);
    const Geopunctus origin(lat, lon, altitude - Geopunctus::GLDistanceToMeters(GLHeightOffset, lat));
    const Geopunctus north(lat + Geopunctus::GLDistanceToGeoDegrees(m_WindVaneSize, lat), lon, origin.GetAltMeters());
    const Geopunctus header = north.RotateClockwise(origin, m_WindVaneAzimuth);
    const Geopunctus alba = header.Interpolate(origin, header.DistanceDegreesTo(origin) * kBarbShare);
    const Geopunctus larr = alba.RotateClockwise(header, kBarbAngle);
    const Geopunctus rarr = alba.RotateClockwise(header, -kBarbAngle);

    CompileList(m_WindVaneList, m_ValidLoxDisplayList, [&] {
      glBegin(GL_LINE_STRIP);
      glVertex3f(m_GlX, m_GlY, m_GlZ);
      for (const Geopunctus* point : {&origin, &header, &larr, &header, &rarr}) Vertex(*point);
      glEnd();
    });
  });
}

void CalloutBase::DrawCallout() const {
  // The line state is this callout's alone: a dashed callout must not
  // leave the next renderable's lines dashed.
  glPushAttrib(GL_LINE_BIT | GL_CURRENT_BIT);
  glColor4f(m_CalloutRed, m_CalloutGreen, m_CalloutBlue, m_Alpha);
  if (m_CalloutStyle < 0xFFFF) {
    glEnable(GL_LINE_STIPPLE);
    glLineStipple(1, m_CalloutStyle);
  }
  glLineWidth(m_CalloutWidth);
  glBegin(GL_LINE_STRIP);
  glVertex3f(m_GlX, m_GlY, m_GlZ);
  glVertex3f(m_CGlX, m_CGlY, m_CGlZ);
  glVertex3f(m_CAGlX, m_CAGlY, m_CAGlZ);
  glEnd();
  glLineWidth(2.0f * m_CalloutWidth);
  if (glIsList(m_WindVaneList)) glCallList(m_WindVaneList);
  glPopAttrib();
}
